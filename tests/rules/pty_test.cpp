// The party, its premade characters and the party file.
#include "rules/pty.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>
#include <tuple>

#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/race.h"
#include "rules/unit.h"
#include "support/mem_io.h"
#include "support/pwrs_test.h"

namespace {

using Pty = pwrs_test;

std::string tag(const char* t) { return std::string(t, std::strlen(t) + 1); }

// A party file by hand: name "Ab", 12.5 gold, one bag slot, positions, level, arena words 1..11.
std::string sample_file() {
    le_bytes_t b;
    b.raw(tag("<name>")).str("Ab").raw(tag("<gold>"));
    b.raw(std::string("\0\0\0\0\0\0\x29\x40", 8));  // 12.5
    b.raw(tag("<bag>"));
    b.i32s(0, 8 * 3).i32(28).i32(1).i32(7).i32s(0, 3).i32(-9).i32(2).i32s(0, 8 * 196);
    b.raw(tag("<world_pt>")).i32(4).i32(-1).raw(tag("<local_pt>")).i32(-1).i32(6);
    b.raw(tag("<local_lv>")).i32(2).raw(tag("<arena>"));
    for (int i = 1; i <= 11; ++i) b.i32(i);
    return b.b;
}

void fill_sample(pty_t& p) {
    p.name = L"Ab";
    p.gold = 12.5;
    p.bag[3] = itm_slot_t(28, 2);
    p.bag[3].bonus = 1;
    p.bag[3].ies[0] = 7;
    p.bag[3].ex = -9;
    p.world_pt = {4, -1};
    p.local_pt = {-1, 6};
    p.local_lv = 2;
    int32_t* w = &p.arena.lv;
    for (int i = 0; i < 11; ++i) w[i] = i + 1;
}

std::string patched(std::string s, size_t off, const std::string& with) { return s.replace(off, with.size(), with); }

}  // namespace

TEST_F(Pty, FileMatchesTheLayoutAndRoundTrips) {
    pty_t p;
    fill_sample(p);
    const std::string f = bytes_of(p);
    EXPECT_EQ(f.size(), 6537u + 2 * 2);
    EXPECT_EQ(f, sample_file());

    pty_t q;
    mem_io_t in(f);
    ASSERT_TRUE(q.load(in));
    EXPECT_TRUE(in.at_end());
    EXPECT_EQ(bytes_of(q), f);
    EXPECT_EQ(std::tuple(q.bag[3].ex, q.local_pt.y, q.arena.deaths), std::tuple(-9, 6, 11));
}

TEST_F(Pty, EmptyNameWritesNoUnits) {
    pty_t p;
    const std::string f = bytes_of(p);
    ASSERT_EQ(f.size(), 6537u);
    EXPECT_EQ(f.substr(7, 4), std::string(4, '\0'));
    EXPECT_EQ(f.substr(11, 7), tag("<gold>"));
}

TEST_F(Pty, DamagedFilesLeaveThePartyAsItWas) {
    const std::string good = sample_file();
    const size_t bag = 7 + 4 + 4 + 7 + 8 + 6;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::string nan_bytes(8, '\0');
    std::memcpy(nan_bytes.data(), &nan, 8);
    std::vector<std::pair<const char*, std::string>> bad = {
        {"name tag", patched(good, 0, "<nome>")},
        {"arena tag", patched(good, good.size() - 44 - 8, "<arenb>")},
        {"negative name count", patched(good, 7, std::string("\xff\xff\xff\xff", 4))},
        {"name count past the end", patched(good, 7, std::string("\xff\xff\xff\x7f", 4))},
        {"gold not a number", patched(good, 7 + 4 + 4 + 7, nan_bytes)},
        {"item 180", patched(good, bag + 32 * 3, std::string("\xb4\0\0\0", 4))},
        {"enchantment 84", patched(good, bag + 32 * 3 + 8, std::string("\x54\0\0\0", 4))},
        {"empty", ""},
    };
    for (size_t n = 1; n < good.size(); n += 97) bad.push_back({"truncated", good.substr(0, n)});
    bad.push_back({"one byte short", good.substr(0, good.size() - 1)});

    pty_t live;
    live.name = L"live";
    live.gold = 77;
    live.units.push_back(new unit_t);
    expect_refused(live, bad);
    mem_io_t in(good);
    ASSERT_TRUE(live.load(in));
    EXPECT_EQ(live.units.size(), 1u);  // loading never touches the members
}

TEST_F(Pty, ResetInitAndNewBatch) {
    pty_t p;
    fill_sample(p);
    p.units.push_back(new unit_t);
    p.reset();
    EXPECT_TRUE(p.units.empty());
    EXPECT_EQ(p.lv(), 1) << "no members: level 1";
    EXPECT_EQ(std::pair(p.world_pt, p.local_pt), std::pair(pt_t{-1, -1}, pt_t{-1, -1}));
    EXPECT_EQ(std::tuple(p.local_lv, p.gold, p.bag[3].empty()), std::tuple(-1, 0.0, true));

    std::vector<unit_t*> us;
    for (int lv : {4, 1, 2}) {
        us.push_back(new unit_t);
        us.back()->base.lv = lv;
    }
    p.init(L"三人", us);
    EXPECT_EQ(std::pair(p.gold, p.name), std::pair(300.0, Str(L"三人")));
    EXPECT_EQ(std::pair(p.arena.lv, p.lv()), std::pair(4, 4)) << "the first member's";
    EXPECT_EQ(p.arena.size, 3);
    EXPECT_EQ(p.arena.floor + p.arena.wins + p.arena.deaths + p.arena.beaten, 0);

    p.arena.beaten = 5;
    p.arena.sold = 3;
    p.arena.wins = 9;
    p.arena.new_batch(6, 2);
    const arena_rec_t& a = p.arena;
    EXPECT_EQ(std::tuple(a.lv, a.size, a.beaten, a.sold, a.wins), std::tuple(6, 2, 0, 0, 9));
}

TEST_F(Pty, PremadesBuildWithTheirRacesClassesAbilitiesAndFeats) {
    const std::vector<unit_t*>& pcs = get_preset_pcs();
    ASSERT_EQ(pcs.size(), 10u);
    const wchar_t* names[] = {L"豪格", L"托克", L"崔丝特", L"艾利薇", L"克丽丝", L"肖恩", L"拉扎姆", L"海瑟薇", L"阿拉密尔", L"凯瑟琳"};
    for (int i = 0; i < 10; ++i) {
        const unit_t& u = *pcs[size_t(i)];
        const u_bld_t& b = *get_bld(i + 1);
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(std::tuple(u.name, u.base.kind, u.base.bld, u.base.lv, u.base.race, u.base.cls),
                  std::tuple(Str(names[i]), UK_PC, i + 1, 1, b.race, b.cls));
        const race_t& r = *get_race(b.race);
        for (int a = 0; a < 6; ++a) {
            const int adj = b.race == 24 ? (a == b.key_abi ? 2 : 0) : r.abi_adj[a];
            EXPECT_EQ(u.base.abi[a], b.abi[a] + adj) << a;
        }
        for (int id : r.pwrs) EXPECT_TRUE(u.has_pwr(id)) << id;
        for (int id : get_cls(b.cls)->pwrs) EXPECT_TRUE(u.has_pwr(id)) << id;
        int from_plan = 0;
        for (int id : b.plan) from_plan += u.has_pwr(id) && id >= 35;
        EXPECT_GE(from_plan, 1);
        EXPECT_EQ(std::pair(u.hp_ready, u.btl.side), std::pair(1, 0));
    }
    EXPECT_EQ(pcs[0]->img, L"units_pc/010101");
    EXPECT_EQ(pcs[9]->face, L"faces_pc/0007");
    EXPECT_TRUE(pcs[2]->has_pwr(70));  // "tw" first in its plan
    EXPECT_TRUE(pcs[3]->has_pwr(83));  // "rng_near"
}

TEST_F(Pty, ResetPtyMakesTheDefaultParty) {
    reset_pty();
    ASSERT_EQ(g_pty.units.size(), 5u);
    EXPECT_EQ(std::pair(g_pty.name, g_pty.gold), std::pair(Str(L"异乡人"), 500.0));
    const int blds[] = {1, 3, 4, 5, 8};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g_pty.units[size_t(i)]->base.bld, blds[i]);
    EXPECT_EQ(std::pair(g_pty.arena.size, g_pty.arena.lv), std::pair(5, 1));
    g_pty.reset();
}

TEST_F(Pty, ArenaValuesOutOfRangeAreClampedOnLoad) {
    pty_t p;
    fill_sample(p);
    p.arena = {2000000000, -7, -123, -1, -1, INT_MAX, -5, 2000000000, -1, INT_MIN, 1000000000};
    pty_t q;
    mem_io_t in(bytes_of(p));
    ASSERT_TRUE(q.load(in));
    const arena_rec_t& a = q.arena;
    // The seed and the two masks are bits, any value; the floor is shown as floor + 1.
    EXPECT_EQ(std::tuple(a.lv, a.size, a.seed, a.beaten, a.sold), std::tuple(UNIT_LV_MAX, 0, -123, -1, -1));
    EXPECT_EQ(std::tuple(a.floor, a.n_beaten, a.wins, a.losses, a.kills, a.deaths),
              std::tuple(999999999, 0, 999999999, 0, 0, 999999999));
    p.arena.size = 9;
    p.arena.lv = -3;
    mem_io_t in2(bytes_of(p));
    ASSERT_TRUE(q.load(in2));
    EXPECT_EQ(std::pair(q.arena.size, q.arena.lv), std::pair(PTY_MAX_UNITS, 0));
}
