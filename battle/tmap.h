#pragma once
// The battle map: a rectangle of tile ids with the "ZMAP" header it was read
// with, and the two grids the searches and the cover test work on.
//
// A "ZMAP" file is little-endian: tag "ZMAP", version 1, width, height,
// environment id, 236 reserved bytes (256 in all), then width x height 32-bit
// tile ids row by row.
#include <cstdint>

#include "app/types.h"
#include "battle/get_pass.h"
#include "battle/pf.h"

namespace io {
class io_t;
}

constexpr uint32_t ZMAP_TAG = 0x50414D5A;  // the bytes "ZMAP"
constexpr int ZMAP_VERSION = 1;
constexpr int ZMAP_HEADER_SIZE = 256;
constexpr int ZMAP_MAX_SIDE = 1024;

struct tmap_hdr_t {
    uint32_t tag = ZMAP_TAG;
    int32_t version = ZMAP_VERSION;
    int32_t w = 0;
    int32_t h = 0;
    int32_t env = 0;  // map_env_t id
    uint8_t reserved[236] = {};
};

class tmap_t : public get_pass_t {
public:
    pf::node_grid_t search_grid;  // for the path search, sized with the map
    pf::pass_grid_t pass_grid;    // for target areas and cover, sized with the map
    tmap_hdr_t hdr;
    grid_t<int> tiles;  // tile ids, rows[y][x]
    int32_t generated = 0;  // 1 after the random generator built the map, 0 after a load

    int get_w() const override { return tiles.width; }
    int get_h() const override { return tiles.height; }
    int get_pass1(int x, int y) const override;
    int get_pass2(int x, int y) const override;

    // False, leaving an empty 0 x 0 map, when the file cannot be opened or is
    // not a sound "ZMAP" file (see read). Bytes after the tiles are ignored.
    bool load(const wchar_t* path);
    // False, leaving an empty map, when the stream ends inside the header or the
    // tiles, the tag is not "ZMAP", the version not 1, a side below 1 or above
    // 1024, or a tile id outside 0 to 5. avail, when not negative, is the
    // stream's length: a file too short for its sides is refused before reading.
    bool read(io::io_t& f, int64_t avail = -1);
    // The map becomes w x h tiles of 0 with fresh search grids.
    void set_size(int w, int h);
    // Bit i (8-direction order) set when that neighbour is off the map or holds the same tile.
    int same_tile_mask(int x, int y) const;

private:
    void clear();
};

// out becomes w x h: 1 where the first pass class is not 6, else 0.
void get_passable_grid(const get_pass_t& m, grid_t<int>* out);
