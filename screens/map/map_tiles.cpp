#include "screens/map/map_tiles.h"

#include "app/img_cache.h"
#include "app/render.h"
#include "app/rnd.h"
#include "screens/map/view_grid.h"
#include "battle/terrain.h"

namespace {

bool env_ok(int env) { return env >= 1 && env < MAP_ENV_COUNT; }
bool tile_ok(int tile) { return tile >= 0 && tile < TILE_COUNT; }
int wrap(int v, int n) { return ((v % n) + n) % n; }

const std::array<std::array<int, VARIANT_SIDE>, VARIANT_SIDE>& variants() {
    static const auto table = [] {
        std::array<std::array<int, VARIANT_SIDE>, VARIANT_SIDE> t{};
        // The raw state is put back rather than rnd_save/rnd_restore: those
        // draw from the game's generator, and a battle must replay from its
        // seed whenever its map is first drawn.
        const uint32_t kept = rnd_get_state();
        rnd_srand(1);
        for (auto& row : t)
            for (int& v : row) v = rnd_rand();
        rnd_set_state(kept);
        return t;
    }();
    return table;
}
}  // namespace

cell_look_t cell_look(int env, int tile) {
    if (!env_ok(env) || !tile_ok(tile)) return {};
    if (tile == 0 || tile == TILE_GRND) return {true, OVER_NONE};
    return {true, tile == TILE_WALL || tile == TILE_TREE ? OVER_AUTOTILE : OVER_FRAME};
}

int tile_variant(int x, int y) { return variants()[size_t(wrap(y, VARIANT_SIDE))][size_t(wrap(x, VARIANT_SIDE))]; }

Str tile_img_name(int env, int tile) {
    if (!env_ok(env) || !tile_ok(tile)) return {};
    const wchar_t* ek = get_map_env(env)->k;
    const wchar_t* tk = get_tile(tile)->k;
    if (!ek || !*ek || !tk || !*tk) return {};
    return Str(L"tiles/%s_%s", ek, tk);
}

// ---- sheets ----

namespace {
// Frames of 128 pixels and autotile pieces of any size are drawn into a 64-pixel
// cell: the sheet is scaled to that once, and every frame copies pixels 1:1.
bool cut_sheet(img_sheet_t& sheet, const Str& name, bool autotile) {
    zg::tex_t* tex = get_opt_img(name);
    if (!tex) return false;
    const size sz = tex->get_size();
    const int cols = autotile ? autotile_cols : sz.w / TILE_FRAME;
    const int rows = autotile ? autotile_rows : sz.h / TILE_FRAME;
    if (cols < 1 || rows < 1 || sz.w < cols || sz.h < rows) return false;
    const int piece = autotile ? MAP_CELL / 2 : MAP_CELL;
    const rect grid{0, 0, autotile ? sz.w / cols * cols : cols * TILE_FRAME, autotile ? sz.h / rows * rows : rows * TILE_FRAME};
    const Str scaled_name = name + L"@cell";
    if (zg::tex_t* scaled = new_scaled_copy(tex, &grid, cols * piece, rows * piece)) {
        put_img(scaled_name, scaled);
        return sheet.split_by_size(scaled_name, piece, piece);
    }
    // Without render targets the sheet is drawn scaled, as it is.
    return autotile ? sheet.load(name) : sheet.split_by_size(name, TILE_FRAME, TILE_FRAME);
}
}  // namespace

const img_sheet_t* tile_sheets_t::frames(int env, int tile) { return get(frames_, env, tile, false); }
const img_sheet_t* tile_sheets_t::autotiles(int env, int tile) { return get(autos_, env, tile, true); }

void tile_sheets_t::clear() {
    frames_ = {};
    autos_ = {};
}

const img_sheet_t* tile_sheets_t::get(std::array<slot_t, count>& cache, int env, int tile, bool autotile) {
    // The sheets point into the image cache: once it is freed they are stale.
    if (generation_ != img_cache_generation()) {
        clear();
        generation_ = img_cache_generation();
    }
    if (!env_ok(env) || !tile_ok(tile)) return nullptr;
    slot_t& s = cache[size_t(env * TILE_COUNT + tile)];
    if (!s.tried) {
        s.tried = true;
        const Str name = tile_img_name(env, tile);
        if (!name.empty()) {
            ++loads_;
            s.ok = cut_sheet(s.sheet, name, autotile);
        }
    }
    return s.ok ? &s.sheet : nullptr;
}

tile_sheets_t& tile_sheets() {
    static tile_sheets_t s;
    return s;
}

// ---- drawing ----

namespace {
void draw_frame(const img_sheet_t* sh, int variant, const rect& dst) {
    if (!sh || sh->frames.empty()) return;
    sh->frames[size_t(variant) % sh->frames.size()].draw(&dst, &default_clr);
}
}  // namespace

void draw_cell(int env, int tile, int variant, int mask, const rect& dst) {
    const cell_look_t look = cell_look(env, tile);
    if (!look.ground) return;
    tile_sheets_t& sheets = tile_sheets();
    draw_frame(sheets.frames(env, TILE_GRND), variant, dst);
    if (look.over == OVER_AUTOTILE) {
        if (const img_sheet_t* sh = sheets.autotiles(env, tile)) sh->draw_autotile(&dst, mask, &default_clr);
    } else if (look.over == OVER_FRAME) {
        draw_frame(sheets.frames(env, tile), variant, dst);
    }
}
