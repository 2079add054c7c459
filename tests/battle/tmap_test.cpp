#include "battle/tmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "app/mem_io.h"
#include "battle/map_art.h"
#include "support/str_list.h"
#include "support/temp_dir.h"

namespace {

// A memory stream that notes any request for bytes past its end.
class watched_io_t : public mem_io_t {
public:
    bool asked_past_end = false;

    using mem_io_t::mem_io_t;
    int read(void* buf, int size, int count) override {
        if (size_t(size) * size_t(count) > data.size() - pos) asked_past_end = true;
        return mem_io_t::read(buf, size, count);
    }
};

void expect_empty_map(const tmap_t& m) {
    EXPECT_EQ(std::tuple(m.get_w(), m.get_h(), m.hdr.w, m.hdr.env, m.search_grid.width, m.generated),
              std::tuple(0, 0, 0, 0, 0, 0));
    EXPECT_EQ(std::tuple(m.hdr.tag, m.hdr.version), std::tuple(ZMAP_TAG, 1));
    EXPECT_TRUE(m.pass_grid.cells.empty());
}

}  // namespace

TEST(TmapFile, FreshMapIsEmptyWithTagAndVersion) {
    tmap_t m;
    expect_empty_map(m);
    // "ZMAP" read as a little-endian word
    const uint8_t tag[4] = {uint8_t(m.hdr.tag), uint8_t(m.hdr.tag >> 8), uint8_t(m.hdr.tag >> 16), uint8_t(m.hdr.tag >> 24)};
    EXPECT_EQ(std::memcmp(tag, "ZMAP", 4), 0);
}

TEST(TmapFile, ThreeByTwoReadsBackWithItsLayout) {
    temp_dir_t dir;
    // Tile of (x, y) at offset 256 + 4 (y * 3 + x).
    const std::string z = zmap_bytes(3, 2, 4, {1, 2, 3, 4, 5, 0});
    ASSERT_EQ(z.size(), 256u + 24u);
    dir.file("btl.map", z + "trailing bytes are ignored");
    tmap_t m;
    m.generated = 1;
    ASSERT_TRUE(m.load(W(dir.path("btl.map")).buf));
    EXPECT_EQ(std::tuple(m.get_w(), m.get_h(), m.hdr.w, m.hdr.env), std::tuple(3, 2, 3, 4));
    EXPECT_EQ(m.hdr.reserved[235], 0x7E);  // the header is kept as read
    EXPECT_EQ(m.tiles.rows, (std::vector<std::vector<int>>{{1, 2, 3}, {4, 5, 0}}));
    EXPECT_EQ(std::tuple(m.generated, m.search_grid.nodes.size(), m.pass_grid.width * m.pass_grid.height),
              std::tuple(0, 6u, 6));
    EXPECT_EQ(m.search_grid.cell(5), (pt_t{2, 1}));
    // Cell (2, 0) is "hard" ground: dearer to cross, open to sight.
    EXPECT_EQ(m.get_pass1(2, 0), 3);
    EXPECT_EQ(m.get_pass2(2, 0), 2);
    EXPECT_EQ(m.get_pass1(1, 1), 6);  // tree
    EXPECT_EQ(m.get_pass2(1, 1), 6);
}

TEST(TmapFile, DamagedFilesAreRefusedWithoutReadingPastTheirEnd) {
    const std::vector<int> six(6, 1);
    const std::string good = zmap_bytes(3, 2, 1, six);
    struct bad_t {
        const char* what;
        std::string bytes;
    };
    const bad_t cases[] = {
        {"empty", ""},
        {"shorter than its header", good.substr(0, 255)},
        {"wrong tag", zmap_bytes(3, 2, 1, six, "ZMAQ")},
        {"version 2", zmap_bytes(3, 2, 1, six, "ZMAP", 2)},
        {"width 0", zmap_bytes(0, 2, 1, {})},
        {"negative height", zmap_bytes(3, -2, 1, six)},
        {"width 1025", zmap_bytes(1025, 1, 1, std::vector<int>(1025, 1))},
        {"one tile short", good.substr(0, good.size() - 1)},
        {"sides whose product overflows 32 bits", zmap_bytes(0x40000000, 0x40000000, 1, six)},
        {"1024 x 1024 claimed by a small file", zmap_bytes(1024, 1024, 1, six)},
        {"tile id 6", zmap_bytes(3, 2, 1, {1, 1, 1, 1, 1, 6})},
        {"negative tile id", zmap_bytes(3, 2, 1, {-1, 1, 1, 1, 1, 1})},
    };
    temp_dir_t dir;
    for (const bad_t& c : cases) {
        SCOPED_TRACE(c.what);
        tmap_t m;
        watched_io_t f(c.bytes);
        m.set_size(4, 4);
        EXPECT_FALSE(m.read(f, int64_t(c.bytes.size())));
        EXPECT_FALSE(f.asked_past_end);
        expect_empty_map(m);
        // Through the file, after a good map: nothing of either survives.
        dir.file("good.map", good);
        dir.file("bad.map", c.bytes);
        ASSERT_TRUE(m.load(W(dir.path("good.map")).buf));
        EXPECT_FALSE(m.load(W(dir.path("bad.map")).buf));
        expect_empty_map(m);
    }
    tmap_t m;
    EXPECT_FALSE(m.load(W(dir.path("missing.map")).buf));
    expect_empty_map(m);
    EXPECT_FALSE(m.load(W(dir.path("")).buf));  // a folder
    // A stream of unknown length still stops at a short read.
    watched_io_t f(good.substr(0, good.size() - 4));
    EXPECT_FALSE(m.read(f));
    expect_empty_map(m);
}

TEST(Tmap, SameTileMaskCountsTheEdgeAsSame) {
    tmap_t m;
    draw_map(m, {
        "#..",
        ".#.",
        "..#",
    });
    // Off the map: Up 0, Left 2, Up Left 4, Down Left 5, Up Right 6; Down Right 7 is a wall too.
    EXPECT_EQ(m.same_tile_mask(0, 0), 1 << 0 | 1 << 2 | 1 << 4 | 1 << 5 | 1 << 6 | 1 << 7);
    EXPECT_EQ(m.same_tile_mask(1, 1), 1 << 4 | 1 << 7);
    EXPECT_EQ(m.same_tile_mask(1, 0), 1 << 0 | 1 << 3 | 1 << 4 | 1 << 5 | 1 << 6 | 1 << 7);
}

TEST(Tmap, SetSizeClearsTilesAndPassableGridFollowsFirstClass) {
    tmap_t m;
    draw_map(m, {
        ".#h",
        "ot0",
    });
    grid_t<int> pg;
    pg.resize(9, 9, 7);
    get_passable_grid(m, &pg);
    ASSERT_EQ(std::tuple(pg.width, pg.height), std::tuple(3, 2));
    EXPECT_EQ(pg.rows, (std::vector<std::vector<int>>{{1, 0, 1}, {0, 0, 1}}));
    m.set_size(2, 5);
    EXPECT_EQ(std::tuple(m.hdr.h, m.tiles.rows, m.search_grid.nodes.size()),
              std::tuple(5, std::vector<std::vector<int>>(5, std::vector<int>(2, 0)), 10u));
    EXPECT_EQ(m.get_pass1(1, 4), 0);  // tile 0 costs nothing
}
