#pragma once
// How a map cell is drawn: the environment's ground picture under every cell,
// walls and trees joined to their neighbours by autotile pieces, other tiles
// as a picture over the ground; the picture of each cell chosen from a fixed
// table of variants so the ground does not repeat in a visible pattern.
#include <array>

#include "app/img_sheet.h"
#include "app/str.h"

namespace zs {
class view_grid;
}
class tmap_t;

constexpr int TILE_FRAME = 128;  // pixels a side of a ground or object picture
constexpr int VARIANT_SIDE = 20;

// What one cell draws over its ground.
enum : int { OVER_NONE = 0, OVER_AUTOTILE = 1, OVER_FRAME = 2 };
struct cell_look_t {
    bool ground = false;  // false: the cell draws nothing at all
    int over = OVER_NONE;
    friend constexpr bool operator==(const cell_look_t&, const cell_look_t&) = default;
};
// Ids outside the tables, and the keyless environment 0, draw nothing; tile 0
// (a cell never written) and 1 draw the ground alone.
cell_look_t cell_look(int env, int tile);

// The same for every run: a 20 x 20 table made from the game's generator
// seeded with 1, repeated over larger maps. Negative cells read it too.
int tile_variant(int x, int y);

// "tiles/<environment key>_<tile key>"; empty for ids outside the tables or
// without a key, which are never looked up.
Str tile_img_name(int env, int tile);

// The sheets of every environment and tile, each cut once on first use:
// pictures in 128 x 128 frames, and autotiles in 4 x 8 pieces. A sheet whose
// image is missing is remembered as missing, not probed again each frame.
class tile_sheets_t {
public:
    // Null for ids outside the tables, an empty name or an image that could not be cut.
    const img_sheet_t* frames(int env, int tile);
    const img_sheet_t* autotiles(int env, int tile);
    // Image lookups made so far (each sheet at most once).
    int loads() const { return loads_; }
    void clear();

private:
    struct slot_t {
        bool tried = false;
        bool ok = false;
        img_sheet_t sheet;
    };
    static constexpr int count = 36;  // environments 0..5 x tiles 0..5
    std::array<slot_t, count> frames_{}, autos_{};
    int generation_ = -1;
    int loads_ = 0;

    const img_sheet_t* get(std::array<slot_t, count>& cache, int env, int tile, bool autotile);
};

tile_sheets_t& tile_sheets();

// Draws one cell into its 64 x 64 screen square; `mask` is the cell's same-tile
// neighbour mask (read only for autotiles).
void draw_cell(int env, int tile, int variant, int mask, const rect& dst);
