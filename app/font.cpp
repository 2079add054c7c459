#include "app/font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/paths.h"
#include "app/render.h"
#include "app/sys.h"
#include "app/tex.h"

namespace {

struct font_row_t {
    int id;
    const wchar_t* name;  // as the mark-up writes it
    const wchar_t* file;  // below the program folder
    int size;             // points
};

constexpr font_row_t font_rows[] = {
    {.id = 0, .name = L"DEF", .file = L"fonts/default.ttf", .size = 16},
    {.id = 1, .name = L"CON", .file = L"fonts/console.fon", .size = 14},
    {.id = 2, .name = L"n", .file = L"fonts/default.ttf", .size = 16},
    {.id = 3, .name = L"b", .file = L"fonts/default_b.ttf", .size = 16},
    {.id = 4, .name = L"n1", .file = L"fonts/default.ttf", .size = 10},
    {.id = 5, .name = L"n2", .file = L"fonts/default.ttf", .size = 12},
    {.id = 6, .name = L"n3", .file = L"fonts/default.ttf", .size = 14},
    {.id = 7, .name = L"n4", .file = L"fonts/default.ttf", .size = 16},
    {.id = 8, .name = L"n5", .file = L"fonts/default.ttf", .size = 18},
    {.id = 9, .name = L"n6", .file = L"fonts/default.ttf", .size = 20},
    {.id = 10, .name = L"n7", .file = L"fonts/default.ttf", .size = 22},
    {.id = 11, .name = L"b1", .file = L"fonts/default_b.ttf", .size = 10},
    {.id = 12, .name = L"b2", .file = L"fonts/default_b.ttf", .size = 12},
    {.id = 13, .name = L"b3", .file = L"fonts/default_b.ttf", .size = 14},
    {.id = 14, .name = L"b4", .file = L"fonts/default_b.ttf", .size = 16},
    {.id = 15, .name = L"b5", .file = L"fonts/default_b.ttf", .size = 18},
    {.id = 16, .name = L"b6", .file = L"fonts/default_b.ttf", .size = 20},
    {.id = 17, .name = L"b7", .file = L"fonts/default_b.ttf", .size = 22},
    {.id = 18, .name = L"DMG", .file = L"fonts/default_b.ttf", .size = 20},
    {.id = 19, .name = L"CH_DMG", .file = L"fonts/default_b.ttf", .size = 22},
};

constexpr bool ids_in_order() {
    for (int i = 0; i < int(std::size(font_rows)); ++i)
        if (font_rows[i].id != i) return false;
    return std::size(font_rows) == FONT_COUNT;
}
static_assert(ids_in_order(), "font rows must be listed by id, one per font id");

// {bold, regular} twin of each id.
constexpr int twins[FONT_COUNT][2] = {
    {14, 7}, {1, 1}, {3, 2}, {3, 2},                           // DEF, CON, n, b
    {11, 4}, {12, 5}, {13, 6}, {14, 7}, {15, 8}, {16, 9}, {17, 10},  // n1..n7
    {11, 4}, {12, 5}, {13, 6}, {14, 7}, {15, 8}, {16, 9}, {17, 10},  // b1..b7
    {18, 18}, {19, 19},                                        // DMG, CH_DMG
};

// "%s;%d" of path and size: each (file, size) pair is opened once.
ptr_map_t<Str, zg::font_t>& registry() {
    static ptr_map_t<Str, zg::font_t> fonts;
    return fonts;
}

// One entry per font id; a size not yet drawn with is opened on first use.
struct font_slot_t {
    Str path;
    int size = 0;
    zg::font_t* font = nullptr;  // owned by the registry
};

std::vector<font_slot_t>& font_index() {
    static std::vector<font_slot_t> index;
    return index;
}

// The open font of that file and size, opened now when it is not; null when it cannot be.
zg::font_t* open_font(const Str& path, int size) {
    const Str key(L"%s;%d", path, size);
    if (zg::font_t* f = registry().find(key)) return f;
    auto* opened = new zg::font_t;
    if (!opened->open(path, size)) {
        delete opened;
        return nullptr;
    }
    return registry().set(key, opened);
}

bool is_bold(int id) { return id == FONT_B || (id >= FONT_B1 && id <= FONT_CH_DMG); }

}  // namespace

namespace zg {

glyph_t::~glyph_t() {
    delete tex;
    if (ahead) SDL_FreeSurface(ahead);
}

font_t::~font_t() {
    glyphs.clear();
    if (font) TTF_CloseFont(font);
}

bool font_t::open(const Str& path, int size) {
    if (font) TTF_CloseFont(font);
    glyphs.clear();
    kerns.clear();
    font = TTF_OpenFont(os_path(path.buf).c_str(), size);
    return font != nullptr;
}

int font_t::height() const { return font ? TTF_FontHeight(font) : 0; }

glyph_t* font_t::get_glyph(char32_t code) {
    glyph_t* g = glyphs.find(code);
    if (!g) {
        if (!font) return nullptr;
        // A font without '@' draws its missing-glyph box for '@' instead of asking for '@' again.
        if (code != U'@' && !TTF_GlyphIsProvided32(font, code)) return get_glyph(U'@');
        g = render_glyph(code);
    }
    // A glyph without pixels (or no renderer yet) keeps its advance and draws nothing.
    if (g->ahead) {
        if (SDL_Renderer* ren = get_renderer())
            if (SDL_Texture* t = SDL_CreateTextureFromSurface(ren, g->ahead)) g->tex = new tex_t(t);
        SDL_FreeSurface(g->ahead);
        g->ahead = nullptr;
    }
    return g;
}

void font_t::render_ahead(const wchar_t* text) {
    if (!font || !text) return;
    for (const wchar_t* p = text; *p; ++p) {
        const char32_t code = TTF_GlyphIsProvided32(font, char32_t(*p)) ? char32_t(*p) : U'@';
        if (!glyphs.find(code)) render_glyph(code);
    }
}

glyph_t* font_t::render_glyph(char32_t code) {
    auto* g = new glyph_t;
    glyphs.set(code, g);
    int min_x = 0;
    TTF_GlyphMetrics32(font, code, &min_x, nullptr, nullptr, nullptr, &g->advance);
    // SDL_ttf starts the rendered glyph at the leftmost of the pen and the ink.
    g->ink_x = std::min(0, min_x);
    g->ahead = TTF_RenderGlyph32_Blended(font, code, SDL_Color{255, 255, 255, 255});
    return g;
}

int font_t::kerning(char32_t prev, char32_t next) const {
    if (!font || prev == U' ' || prev == U'\t' || next == U' ' || next == U'\t') return 0;
    const uint64_t key = uint64_t(prev) << 32 | next;
    if (const auto it = kerns.find(key); it != kerns.end()) return it->second;
    int k = 0;
    if (TTF_GlyphIsProvided32(font, prev) && TTF_GlyphIsProvided32(font, next))
        k = TTF_GetFontKerningSizeGlyphs32(font, prev, next);
    kerns.emplace(key, k);
    return k;
}

}  // namespace zg

bool load_font(const wchar_t* path, int size) {
    if (!path) return false;
    zg::font_t* f = open_font(Str(path), size);
    if (f) font_index().push_back({Str(path), size, f});
    return f != nullptr;
}

bool load_fonts() { return load_fonts_from(get_exe_dir()); }

bool load_fonts_from(const wchar_t* dir) {
    std::string err;
    if (open_font_files(dir, &err)) return true;
    // The game cannot run without it: say which file, as no window may be up to show it.
    std::fputs(err.c_str(), stderr);
    return false;
}

bool open_font_files(const wchar_t* dir, std::string* err) {
    // A second load starts a fresh index; the registry keeps the fonts it can share.
    font_index().clear();
    font_index().reserve(FONT_COUNT);
    for (size_t i = 0; i < std::size(font_rows); ++i) {
        const font_row_t& row = font_rows[i];
        const Str path = Str(or_empty(dir)) + row.file;
        // Each file is opened once here, so a missing one stops the start; its
        // other sizes open when first drawn with (a CJK face costs milliseconds).
        const bool file_open =
            std::any_of(font_rows, font_rows + i, [&](const font_row_t& r) { return wcs_eq(r.file, row.file); });
        if (file_open) {
            font_index().push_back({path, row.size, nullptr});
        } else if (!load_font(path, row.size)) {
            if (err)
                *err = "Font file " + to_utf8_string(path.buf) + " could not be opened: " + TTF_GetError() + "\n";
            return false;
        }
    }
    return true;
}

void free_fonts() {
    font_index().clear();
    registry().clear();
}

zg::font_t* get_font(int id) {
    auto& index = font_index();
    if (id < 0 || id >= int(index.size())) return nullptr;
    font_slot_t& slot = index[size_t(id)];
    if (!slot.font) slot.font = open_font(slot.path, slot.size);
    return slot.font;
}

int get_font_height(int id) {
    const zg::font_t* f = get_font(id);
    return f ? f->height() : 0;
}

int font_count() { return int(font_index().size()); }

int registered_font_count() { return int(registry().size()); }

int get_font_id(const wchar_t* name, int cur) {
    if (!name) return -1;
    for (const font_row_t& row : font_rows)
        if (wcs_eq(name, row.name)) return row.id;
    const bool hash = name[0] == L'#';
    // wcstol reads a sign and leading digits, 0 when there are none.
    const long k = std::wcstol(hash ? name + 1 : name, nullptr, 10);
    if (hash) return k >= 0 && k < font_count() ? int(k) : -1;
    const long id = k + (is_bold(cur) ? 10 : 3);
    // A number too large for an id names no font rather than wrapping round to one.
    return k > INT_MAX - 10 || k < INT_MIN ? -1 : int(id);
}

int to_bold_font(int id) { return id >= 0 && id < FONT_COUNT ? twins[id][0] : id; }

int to_norm_font(int id) { return id >= 0 && id < FONT_COUNT ? twins[id][1] : id; }

bool wcs_eq(const wchar_t* a, const wchar_t* b) {
    if (!a || !b) return a == b;
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}
