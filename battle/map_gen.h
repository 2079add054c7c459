#pragma once
// Random battle maps: an environment, an even size of 10 to 20 cells a side and
// the shares of walls, hard ground, obstacles and trees are rolled from the
// game's generator; the tiles are then a pure function of the rolled seed,
// built between rnd_save and rnd_restore so the game's later draws do not
// depend on what happened inside.
#include <cstdint>
#include <vector>

#include "app/types.h"

class tmap_t;

// Asks gen_rnd_map to roll that parameter (0xD8437956 as a word).
constexpr int ROLL_IT = -666666666;
constexpr int GEN_HALF_MIN = 5;  // sides run from 10 to 20 cells, always even
constexpr int GEN_HALF_MAX = 10;

struct gen_params_t {
    int32_t w = 0;
    int32_t h = 0;
    int32_t seed = 0;
    int32_t env = 0;
    int32_t pct[4] = {};  // shares of tiles 2 "wall", 3 "hard", 4 "obst", 5 "tree"
};

// Rolls what is ROLL_IT and builds the map, overwriting it whole. Given values
// are kept inside the tables: environment 1 to 5, sides 1 to 1024.
void gen_rnd_map(tmap_t* map, int env, int seed, int w, int h);
void build_map(tmap_t* map, const gen_params_t& p);

// The build steps, on the tile grid.
void grow_blobs(grid_t<int>& tiles, int pct, int tile);
int spread_tile(grid_t<int>& tiles, const pt_t& p, int chance, int tile);
void scatter_tile(grid_t<int>& tiles, int pct, int tile);
std::vector<pt_t> find_cells(const grid_t<int>& tiles, int tile);
// Cuts corridors between the map's open regions until one region is left.
void connect_regions(tmap_t* map);
// The closest pair of labelled cells (label 2 and up) with different labels;
// a scanned rows outer, b likewise, a later pair only when strictly closer.
bool closest_pair(const grid_t<int>& g, pt_t* a, pt_t* b);
