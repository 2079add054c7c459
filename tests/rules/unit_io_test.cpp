// The unit record: exact bytes, sizes, round trips, and damaged records that
// must leave the live unit as it was.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "rules/cls.h"
#include "rules/race.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "rules/urank.h"
#include "support/mem_io.h"
#include "support/pwrs_test.h"
#include "support/temp_dir.h"

namespace {

using UnitIo = pwrs_test;

const std::vector<int> feats12{16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};

// A character with something in every stored part.
unit_t sample() {
    unit_t u;
    u.name = L"Abcde";
    u.base = {.kind = UK_PC, .rank = 1, .bld = 3, .race = 26, .cls = 1, .lv = 3, .abi = {10, 11, 12, 13, 14, 15},
              .abi_ups = {0, 0, 1}};
    u.base.ext[16] = -5;
    u.hp = 7;
    u.xp = 500;
    u.pwrs.set_list(feats12);
    u.eqpts.nat[0] = 1;
    u.eqpts.slots[EQ_MAIN] = itm_slot_t(28, 1);
    u.eqpts.slots[EQ_MAIN].bonus = 2;
    u.eqpts.slots[EQ_MAIN].ies[1] = 5;
    u.eqpts.slots[EQ_MAIN].ex = 1;
    u.eqpts.sets[1][0] = itm_slot_t(61, 1);
    u.eqpts.cur_set = 2;
    u.actbar.set_slot(0, {2, 0});
    u.actbar.set_slot(4, {10, -3});
    u.actbar.sel = 4;
    return u;
}

// The sample's record, written out by hand from the file layout.
std::string sample_bytes() {
    le_bytes_t b;
    b.str("Abcde").str("").str("");
    b.i32(2).i32(1).i32(3).i32(26).i32(1).i32(3);
    for (int i = 0; i < 6; ++i) b.i32(10 + i);
    b.i32s(0, 2).i32(1).i32s(0, 3);   // abi_ups
    b.i32s(0, 16).i32(-5);           // words 18..34
    b.i32(7).i32(500);
    b.i32(12);
    for (int id : feats12) b.i32(id);
    b.i32(1).i32s(0, 3);                                     // natural weapons
    b.i32(28).i32(2).i32(0).i32(5).i32s(0, 2).i32(1).i32(1);  // main hand
    b.i32s(0, 16 * 8);                                       // slots 1..16
    b.i32s(0, 2 * 8).i32(61).i32s(0, 6).i32(1).i32s(0, 3 * 8);  // set stores: set 2's main hand
    b.i32(2);
    b.i32(2).i32(0).i32s(0, 6).i32(10).i32(-3).i32s(0, 30);  // action bar
    b.i32(4);
    return b.b;
}

// Patches the 32-bit word at a byte offset.
std::string patched(std::string s, size_t off, int v) { return s.replace(off, 4, le_bytes_t().i32(v).b); }

}  // namespace

TEST_F(UnitIo, RecordMatchesTheLayoutByteForByte) {
    for (int id : feats12) ASSERT_TRUE(is_pwr_id(id)) << id;
    const std::string got = bytes_of(sample());
    EXPECT_EQ(got.size(), 1142u);  // 1084 + 2 * 5 + 4 * 12
    EXPECT_EQ(got, sample_bytes());
}

TEST_F(UnitIo, EmptyPathsAndNoPowersTakeTheirMinimumSize) {
    unit_t u;
    const std::string b = bytes_of(u);
    ASSERT_EQ(b.size(), 1084u);
    EXPECT_EQ(b.substr(0, 12), std::string(12, '\0'));  // three zero lengths, no units
    EXPECT_EQ(b.substr(12 + 148, 4), std::string(4, '\0'));  // P = 0, then the equipment
}

TEST_F(UnitIo, RoundTripReproducesTheRecordAndKeepsStoredHitPoints) {
    unit_t src = sample();
    src.base.kind = UK_MON;
    cond_inst_t c;
    c.id = 3;
    src.conds.add(c, false);
    unit_t dst;
    mem_io_t in(bytes_of(src));
    ASSERT_TRUE(dst.load(in));
    EXPECT_TRUE(in.at_end());
    EXPECT_EQ(bytes_of(dst), bytes_of(src));
    EXPECT_EQ(dst.hp, 7);  // not the recalculated maximum
    EXPECT_GT(dst.drv.hp_max, 7);
    EXPECT_EQ(std::tuple(dst.hp_ready, dst.btl.ai, dst.btl.side), std::tuple(1, 1, 1));
    EXPECT_FALSE(dst.conds.has(3));

    unit_t pc;
    mem_io_t in2(sample_bytes());
    ASSERT_TRUE(pc.load(in2));
    EXPECT_EQ(std::tuple(pc.btl.ai, pc.btl.side, pc.name), std::tuple(0, 0, Str(L"Abcde")));
    EXPECT_TRUE(pc.has_pwr(27));
    EXPECT_EQ(pc.eqpts.sets[1][0].id, 61);
}

TEST_F(UnitIo, DamagedRecordsAreRefusedAndTheUnitIsUnchanged) {
    const std::string good = sample_bytes();
    const size_t base = 4 + 10 + 4 + 4;  // after the three strings
    const size_t pcount = base + 148, eq = pcount + 4 + 48;
    const size_t main_slot = eq + 16, bar = eq + 756;
    std::vector<std::pair<const char*, std::string>> bad = {
        {"kind 3", patched(good, base, 3)},
        {"rank 5", patched(good, base + 4, 5)},
        {"build 15", patched(good, base + 8, 15)},
        {"build -1", patched(good, base + 8, -1)},
        {"race 42", patched(good, base + 12, 42)},
        {"class 9", patched(good, base + 16, 9)},
        {"level -1", patched(good, base + 20, -1)},
        {"level 201", patched(good, base + 20, 201)},
        {"Str INT_MIN", patched(good, base + 24, INT_MIN)},
        {"Con 2,000,000,000", patched(good, base + 32, 2000000000)},
        {"Dex 501", patched(good, base + 28, 501)},
        {"Cha -51", patched(good, base + 44, -51)},
        {"Int increases -1", patched(good, base + 60, -1)},
        {"Wis increases 201", patched(good, base + 64, 201)},
        {"hit points INT_MAX", patched(good, base + 140, INT_MAX)},
        {"experience -1", patched(good, base + 144, -1)},
        {"experience 1,000,000,000", patched(good, base + 144, 1000000000)},
        {"power count -1", patched(good, pcount, -1)},
        {"power count 293", patched(good, pcount, 293)},
        {"power 5000", patched(good, pcount + 4, 5000)},
        {"natural weapon 27", patched(good, eq, 27)},
        {"item 180", patched(good, main_slot, 180)},
        {"item -1", patched(good, main_slot, -1)},
        {"enchantment 84", patched(good, main_slot + 8, 84)},
        {"weapon set 4", patched(good, eq + 752, 4)},
        {"bar power 999", patched(good, bar, 999)},
        {"selection 20", patched(good, bar + 160, 20)},
        {"name count past the end", patched(good, 0, 0x7FFFFFFF)},
        {"negative name count", patched(good, 0, -2)},
    };
    for (size_t n = 0; n < good.size(); n += 7) bad.push_back({"truncated", good.substr(0, n)});
    bad.push_back({"one byte short", good.substr(0, good.size() - 1)});
    for (const char* path : {"/etc/passwd", "\\x", "C:x", "..", "units/../../x", "a\\..\\b"}) {
        le_bytes_t b;
        b.str("n").str(path);
        bad.push_back({path, b.b + good.substr(18)});
    }

    unit_t live = sample();
    live.name = L"live";
    live.hp = 3;
    expect_refused(live, bad);
    // A relative path inside the game folder is fine.
    le_bytes_t ok;
    ok.str("n").str("units_pc/010101");
    mem_io_t in(ok.b + good.substr(18));
    EXPECT_TRUE(live.load(in));
    EXPECT_EQ(live.img, L"units_pc/010101");
}

TEST_F(UnitIo, UnitFilesRefuseTrailingBytesAndKeepTheOldFileOnFailure) {
    temp_dir_t dir;
    const Str path = utf8_to_str(dir.path("a.pc").c_str());
    ASSERT_TRUE(save_unit_file(path.buf, sample()));
    EXPECT_EQ(dir.read("a.pc"), sample_bytes());
    unit_t u;
    ASSERT_TRUE(load_unit_file(path.buf, u));
    EXPECT_EQ(bytes_of(u), sample_bytes());

    dir.file("long.pc", sample_bytes() + "x");
    dir.file("garbage.pc", std::string(5000, '\x7f'));
    unit_t live;
    const std::string before = bytes_of(live);
    for (const char* name : {"long.pc", "garbage.pc", "missing.pc"}) {
        EXPECT_FALSE(load_unit_file(utf8_to_str(dir.path(name).c_str()).buf, live)) << name;
        EXPECT_EQ(bytes_of(live), before) << name;
    }
    // A folder in the way of the file: nothing written, no temporary file left.
    dir.folder("blocked.pc");
    EXPECT_FALSE(save_unit_file(utf8_to_str(dir.path("blocked.pc").c_str()).buf, sample()));
    EXPECT_FALSE(std::filesystem::exists(dir.path("blocked.pc.tmp")));
}

TEST_F(UnitIo, ScoresAndLevelsAtTheLimitsLoadAndRecalculateWithoutOverflow) {
    // Every power held, so that the hit-point rules that read Str and Cha count too.
    std::vector<int> all;
    for (int id = 1; id < PWR_SLOTS; ++id)
        if (is_pwr_id(id)) all.push_back(id);
    unit_t u = sample();
    // Each race, class and rank at least once with each kind.
    for (const std::vector<int>& pwrs : {feats12, all})
        for (int kind : {UK_MON, UK_PC})
            for (int race = 0; race < RACE_COUNT; ++race)
                for (const auto& [lv, abi] : {std::pair{UNIT_LV_MAX, 500}, {UNIT_LV_MAX, -50}, {0, 500}}) {
                    u.pwrs.clear();
                    u.pwrs.set_list(pwrs);
                    u.base.kind = kind;
                    u.base.rank = race % URANKS;
                    u.base.cls = race % CLS_COUNT;
                    u.base.race = race;
                    u.base.lv = lv;
                    for (int i = 0; i < 6; ++i) {
                        u.base.abi[i] = abi;
                        u.base.abi_ups[i] = lv;
                    }
                    u.xp = 999999999;
                    mem_io_t in(bytes_of(u));
                    unit_t v;
                    ASSERT_TRUE(v.load(in)) << kind << " " << race;
                    // A wrapped product would turn up negative (and the sanitized build stops at it).
                    if (abi > 0) {
                        EXPECT_GT(v.drv.hp_max, 0) << kind << " " << race;
                    }
                    EXPECT_GE(v.drv.xp_val, 0) << kind << " " << race;
                }
}
