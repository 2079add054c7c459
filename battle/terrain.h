#pragma once
// The terrain tables: pass classes with their step prices, the tile kinds that
// give a cell its two classes, and the map environments with the ranges the map
// generator rolls. The numbers are fixed in code; only names and descriptions
// come from the text files ("strs:passs", "strs:tiles", "strs:map_envs").
#include "app/text_info.h"

// Pass classes by name ("road", "plain", "hard", "h30", "h50"); class 6 ("obst")
// blocks movement (first class) or sight and line of effect (second class).
constexpr int PASS_ROAD = 1;
constexpr int PASS_PLAIN = 2;
constexpr int PASS_HARD = 3;
constexpr int PASS_H30 = 4;
constexpr int PASS_H50 = 5;
constexpr int PASS_BLOCK = 6;
// Tiles by name: ground, wall, hard ground, obstacle, tree.
constexpr int TILE_GRND = 1;
constexpr int TILE_WALL = 2;
constexpr int TILE_HARD = 3;
constexpr int TILE_OBST = 4;
constexpr int TILE_TREE = 5;
constexpr int PASS_COUNT = 7;
constexpr int TILE_COUNT = 6;
constexpr int MAP_ENV_COUNT = 6;

class pass_t : public text_info_t {
public:
    int id = 0;
    int cost = 0;  // tenths of a plain step; UNLIMITED for the blocking class
};

class tile_t : public text_info_t {
public:
    int id = 0;
    int pass1 = 0;  // movement
    int pass2 = 0;  // sight and line of effect
};

struct env_rng_t {
    int min = 0;
    int max = 0;
};

class map_env_t : public text_info_t {
public:
    int id = 0;
    env_rng_t rngs[4];  // the percentages of tiles 2, 3, 4 and 5 that the generator rolls
};

// Records indexed by id, 0 the empty record. The ids are not tested: pass
// classes 0 to 6, tiles 0 to 5, environments 0 to 5.
const pass_t* get_pass(int id);
const tile_t* get_tile(int id);
const map_env_t* get_map_env(int id);

// The numbers alone, for the searches, which must not touch the records.
int pass_cost(int pass);
int tile_pass1(int tile);
int tile_pass2(int tile);

// Fills the three tables' texts from the current language; runs once per
// language load (registered with load_txt_tbls).
void load_terrain_texts();
