#include "battle/terrain.h"

#include <cassert>
#include <iterator>
#include <vector>

#include "app/db.h"
#include "app/sentinels.h"
#include "rules/ids_in_order.h"

namespace {

struct pass_row_t {
    int id;
    const wchar_t* key = nullptr;
    int cost = 0;
};
struct tile_row_t {
    int id;
    const wchar_t* key = nullptr;
    int pass1 = 0;
    int pass2 = 0;
};
struct map_env_row_t {
    int id;
    const wchar_t* key = nullptr;
    env_rng_t rngs[4] = {};
};

constexpr pass_row_t pass_rows[] = {
    { .id = 0 },
    { .id = 1, .key = L"road", .cost = 5 },
    { .id = 2, .key = L"plain", .cost = 10 },
    { .id = 3, .key = L"hard", .cost = 20 },
    { .id = 4, .key = L"h30", .cost = 30 },
    { .id = 5, .key = L"h50", .cost = 50 },
    { .id = 6, .key = L"obst", .cost = UNLIMITED },
};

constexpr tile_row_t tile_rows[] = {
    { .id = 0 },  // what a freshly sized map holds; class 0 costs nothing
    { .id = 1, .key = L"grnd", .pass1 = 2, .pass2 = 2 },
    { .id = 2, .key = L"wall", .pass1 = 6, .pass2 = 6 },
    { .id = 3, .key = L"hard", .pass1 = 3, .pass2 = 2 },
    { .id = 4, .key = L"obst", .pass1 = 6, .pass2 = 6 },
    { .id = 5, .key = L"tree", .pass1 = 6, .pass2 = 6 },
};

constexpr map_env_row_t map_env_rows[] = {
    { .id = 0 },
    { .id = 1, .key = L"plain", .rngs = {{0, 10}, {0, 5}, {0, 5}, {0, 10}} },
    { .id = 2, .key = L"grass", .rngs = {{0, 10}, {0, 5}, {0, 5}, {0, 10}} },
    { .id = 3, .key = L"forest", .rngs = {{0, 10}, {0, 5}, {0, 5}, {5, 10}} },
    { .id = 4, .key = L"cave", .rngs = {{5, 10}, {0, 5}, {0, 5}, {0, 0}} },
    { .id = 5, .key = L"ruin", .rngs = {{5, 10}, {0, 5}, {0, 5}, {0, 0}} },
};

// Ascending ids from 0 to N - 1 over N rows: each row's id is its index.
template <class R, size_t N>
constexpr bool ids_are_indices(const R (&rows)[N]) {
    return ids_in_order(rows) && rows[0].id == 0 && rows[N - 1].id == int(N - 1);
}
static_assert(ids_are_indices(pass_rows) && std::size(pass_rows) == PASS_COUNT);
static_assert(ids_are_indices(tile_rows) && std::size(tile_rows) == TILE_COUNT);
static_assert(ids_are_indices(map_env_rows) && std::size(map_env_rows) == MAP_ENV_COUNT);

// Built once from the rows on first use; afterwards only the text loader
// writes to them. Each caller's lambda type gives it an array of its own.
template <class Rec, class Row, size_t N, class Fill>
Rec* records(const Row (&rows)[N], Fill fill) {
    static Rec* recs = [&] {
        static Rec r[N];
        for (const Row& row : rows) {
            r[row.id].id = row.id;
            text_info_t::set(&r[row.id].k, row.key);
            fill(r[row.id], row);
        }
        return r;
    }();
    return recs;
}

pass_t* passes() {
    return records<pass_t>(pass_rows, [](pass_t& r, const pass_row_t& row) { r.cost = row.cost; });
}
tile_t* tiles() {
    return records<tile_t>(tile_rows, [](tile_t& r, const tile_row_t& row) { r.pass1 = row.pass1, r.pass2 = row.pass2; });
}
map_env_t* map_envs() {
    return records<map_env_t>(map_env_rows, [](map_env_t& r, const map_env_row_t& row) {
        for (int i = 0; i < 4; ++i) r.rngs[i] = row.rngs[i];
    });
}

template <class T>
void read_texts(const wchar_t* path, T* recs, int n) {
    // Row 0 is the empty record and takes no texts.
    std::vector<text_info_t*> v{nullptr};
    for (int i = 1; i < n; ++i) v.push_back(&recs[i]);
    db_read_recs(path, v, L"strs");
}

const txt_loader_reg_t terrain_texts_reg(load_terrain_texts);

}  // namespace

const pass_t* get_pass(int id) {
    assert(id >= 0 && id < PASS_COUNT && "pass class outside the table");
    return &passes()[id];
}

const tile_t* get_tile(int id) {
    assert(id >= 0 && id < TILE_COUNT && "tile id outside the table");
    return &tiles()[id];
}

const map_env_t* get_map_env(int id) {
    assert(id >= 0 && id < MAP_ENV_COUNT && "environment id outside the table");
    return &map_envs()[id];
}

int pass_cost(int pass) {
    assert(pass >= 0 && pass < PASS_COUNT && "pass class outside the table");
    return pass_rows[pass].cost;
}

int tile_pass1(int tile) {
    assert(tile >= 0 && tile < TILE_COUNT && "tile id outside the table");
    return tile_rows[tile].pass1;
}

int tile_pass2(int tile) {
    assert(tile >= 0 && tile < TILE_COUNT && "tile id outside the table");
    return tile_rows[tile].pass2;
}

void load_terrain_texts() {
    read_texts(L"strs:passs", passes(), PASS_COUNT);
    read_texts(L"strs:tiles", tiles(), TILE_COUNT);
    read_texts(L"strs:map_envs", map_envs(), MAP_ENV_COUNT);
}
