#include "battle/terrain.h"

#include <gtest/gtest.h>

#include <lua.hpp>

#include "app/db.h"
#include "app/lua_files.h"
#include "battle/map_art.h"

namespace {

class TerrainTexts : public lua_db_test {
protected:
    void start(const std::string& strs_lua) {
        dir.write("main.lua", "strs = {}");
        if (!strs_lua.empty()) dir.write("cn/strs.lua", strs_lua);
        dir.load();
        load_txt_tbls();
    }
    void TearDown() override {
        EXPECT_EQ(lua_gettop(db_t::instance().L), 0);
        db_t::instance().close();
    }
};

}  // namespace

TEST(Terrain, RowsHoldTheirNumbersBeforeAnyText) {
    const int costs[] = {0, 5, 10, 20, 30, 50, UNLIMITED};
    for (int i = 0; i < PASS_COUNT; ++i) EXPECT_EQ(get_pass(i)->cost, costs[i]);
    EXPECT_EQ(get_tile(3)->pass1, 3);  // hard ground: dear to cross, open to sight
    EXPECT_EQ(get_tile(3)->pass2, 2);
    EXPECT_EQ(get_tile(5)->pass1, 6);  // a tree blocks both
    EXPECT_EQ(get_tile(5)->pass2, 6);
    EXPECT_STREQ(get_tile(2)->k, L"wall");
    EXPECT_EQ(get_map_env(3)->rngs[3].min, 5);
    EXPECT_EQ(get_map_env(4)->rngs[0].max, 10);
    EXPECT_STREQ(get_map_env(5)->k, L"ruin");
}

TEST(Terrain, NamesNameTheirRows) {
    const struct { int id; const wchar_t* key; } passes[] = {{PASS_ROAD, L"road"}, {PASS_PLAIN, L"plain"},
        {PASS_HARD, L"hard"}, {PASS_H30, L"h30"}, {PASS_H50, L"h50"}, {PASS_BLOCK, L"obst"}};
    for (const auto& p : passes) EXPECT_STREQ(get_pass(p.id)->k, p.key) << p.id;
    const struct { int id; const wchar_t* key; } tiles[] = {{TILE_GRND, L"grnd"}, {TILE_WALL, L"wall"},
        {TILE_HARD, L"hard"}, {TILE_OBST, L"obst"}, {TILE_TREE, L"tree"}};
    for (const auto& t : tiles) EXPECT_STREQ(get_tile(t.id)->k, t.key) << t.id;
}

TEST_F(TerrainTexts, AttachedOncePerLanguageLoadWithRowZeroLeftEmpty) {
    start(R"(
        passs = { [0] = { n = 'none' }, [1] = { n = ' Road ' }, [6] = { n = 'Obstacle', cost = 1 } }
        tiles = { [5] = { n = 'Tree', d = 'Blocks sight.' } }
        map_envs = { [3] = { n = 'Forest' } }
    )");
    EXPECT_STREQ(get_pass(1)->n, L"Road");
    EXPECT_EQ(get_pass(0)->n, nullptr);
    EXPECT_STREQ(get_pass(6)->n, L"Obstacle");
    EXPECT_EQ(get_pass(6)->cost, UNLIMITED);  // numbers never come from texts
    EXPECT_STREQ(get_tile(5)->d, L"Blocks sight.");
    EXPECT_STREQ(get_map_env(3)->n, L"Forest");
    EXPECT_STREQ(get_map_env(3)->k, L"forest");
    EXPECT_EQ(boxes.count, 0);
}

TEST_F(TerrainTexts, AMissingTextFileIsNotRetriedByTheGettersOrSearches) {
    start("");
    const int shown = boxes.count;  // the load itself reports the missing file
    EXPECT_GT(shown, 0);
    tmap_t m;
    draw_map(m, {"...", ".h.", "..."});
    pf::node_grid_t& g = prep_search(m);
    for (int i = 0; i < 100; ++i) {
        (void)get_pass(2)->n;
        (void)get_tile(1)->n;
        (void)get_map_env(1)->n;
        ASSERT_TRUE(pf::find_path(g, {0, 0}, {2, 2}, nullptr, nullptr, nullptr));
    }
    EXPECT_EQ(boxes.count, shown);
}
