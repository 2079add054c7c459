#include "battle/tmap.h"

#include <cassert>
#include <cstring>
#include <vector>

#include "app/dir8.h"
#include "app/io.h"
#include "battle/terrain.h"

namespace {

uint32_t get_u32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
int32_t get_i32(const uint8_t* p) { return int32_t(get_u32(p)); }

tmap_hdr_t decode_header(const uint8_t* b) {
    tmap_hdr_t h;
    h.tag = get_u32(b);
    h.version = get_i32(b + 4);
    h.w = get_i32(b + 8);
    h.h = get_i32(b + 12);
    h.env = get_i32(b + 16);
    std::memcpy(h.reserved, b + 20, sizeof h.reserved);
    return h;
}

bool header_sound(const tmap_hdr_t& h, int64_t avail) {
    if (h.tag != ZMAP_TAG || h.version != ZMAP_VERSION) return false;
    if (h.w < 1 || h.w > ZMAP_MAX_SIDE || h.h < 1 || h.h > ZMAP_MAX_SIDE) return false;
    // In 64 bits: the sides are checked above, so this cannot overflow.
    return avail < 0 || ZMAP_HEADER_SIZE + 4 * int64_t(h.w) * h.h <= avail;
}

// The rows of a w x h map; false on a short read or an id outside the tile table.
bool read_rows(io::io_t& f, int w, int h, grid_t<int>& out) {
    out.resize(w, h, 0);
    std::vector<uint8_t> buf(size_t(w) * 4);
    for (int y = 0; y < h; ++y) {
        if (f.read(buf.data(), 4, w) != w) return false;
        for (int x = 0; x < w; ++x) {
            const int32_t id = get_i32(&buf[size_t(x) * 4]);
            if (id < 0 || id >= TILE_COUNT) return false;
            out.at(x, y) = id;
        }
    }
    return true;
}

}  // namespace

int tmap_t::get_pass1(int x, int y) const { return tile_pass1(tiles.at(x, y)); }
int tmap_t::get_pass2(int x, int y) const { return tile_pass2(tiles.at(x, y)); }

void tmap_t::clear() {
    hdr = tmap_hdr_t{};
    set_size(0, 0);
    generated = 0;
}

bool tmap_t::load(const wchar_t* path) {
    CZsFile f(path, ZF_BINARY, ZF_SHARE_DENY_NONE);
    if (!f.is_open()) {
        clear();
        return false;
    }
    const bool ok = read(f, f.file_size);
    generated = 0;
    return ok;
}

bool tmap_t::read(io::io_t& f, int64_t avail) {
    // Nothing of the file is trusted: a damaged map is refused whole and the
    // reads stop at the file's end.
    uint8_t b[ZMAP_HEADER_SIZE];
    if ((avail >= 0 && avail < ZMAP_HEADER_SIZE) || f.read(b, ZMAP_HEADER_SIZE, 1) != 1) {
        clear();
        return false;
    }
    const tmap_hdr_t h = decode_header(b);
    grid_t<int> rows;
    if (!header_sound(h, avail) || !read_rows(f, h.w, h.h, rows)) {
        clear();
        return false;
    }
    hdr = h;
    set_size(h.w, h.h);
    tiles = std::move(rows);
    return true;
}

void tmap_t::set_size(int w, int h) {
    w = w > 0 ? w : 0, h = h > 0 ? h : 0;
    hdr.w = w, hdr.h = h;
    tiles.rows.clear();
    tiles.resize(w, h, 0);
    pf::set_grid_size(search_grid, w, h);
    pf::set_grid_size(pass_grid, w, h);
}

int tmap_t::same_tile_mask(int x, int y) const {
    assert(tiles.in(x, y) && "cell outside the map");
    const int id = tiles.at(x, y);
    int mask = 0;
    for (int i = 0; i < 8; ++i) {
        const int nx = x + dir8s[i].dx, ny = y + dir8s[i].dy;
        if (!tiles.in(nx, ny) || tiles.at(nx, ny) == id) mask |= 1 << i;
    }
    return mask;
}

void get_passable_grid(const get_pass_t& m, grid_t<int>* out) {
    out->rows.clear();
    out->resize(m.get_w(), m.get_h(), 0);
    for (int y = 0; y < out->height; ++y)
        for (int x = 0; x < out->width; ++x) out->at(x, y) = m.get_pass1(x, y) != PASS_BLOCK;
}
