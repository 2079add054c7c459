#include "rules/u_actbar.h"

#include <gtest/gtest.h>

#include "app/io.h"
#include "support/mapped.h"
#include "support/pwrs_test.h"
#include "support/temp_dir.h"
#include "rules/unit.h"

namespace {

class UActbar : public pwrs_test {
protected:
    unit_t u;  // most cases' unit
    static std::vector<int> bar(const u_actbar_t& b) { return mapped(b.items, [](const auto& it) { return it.pwr; }); }
};

}  // namespace

TEST_F(UActbar, RebuildWithoutActionsEndsWithTheStandardCommands) {
    u.actbar.sel = 4;
    u.actbar.rebuild();
    std::vector<int> want{2, 3, 11, 15, 10, 13, 14};
    want.resize(ACTBAR_SLOTS, 0);
    EXPECT_EQ(bar(u.actbar), want);
    EXPECT_EQ(u.actbar.items[4].param, -3);  // swap to the other set
    EXPECT_EQ(u.actbar.items[3].param, 0);
    EXPECT_EQ(u.actbar.sel, 4);  // the selection is not the rebuild's
}

TEST_F(UActbar, RebuildWithEighteenActionsLeavesNoRoomForTheStandardCommands) {
    std::vector<int> acts;
    for (int id = 16; id <= 291 && acts.size() < 18; ++id)
        if (is_pwr_id(id) && is_act(id)) acts.push_back(id);
    ASSERT_EQ(acts.size(), 18u);
    u.pwrs.set_list(acts);
    u.actbar.rebuild();
    std::vector<int> want{2, 3};
    want.insert(want.end(), acts.begin(), acts.end());
    EXPECT_EQ(bar(u.actbar), want);
}

TEST_F(UActbar, AddFillsTheFirstEmptySlotAndAFullBarRefuses) {
    u_actbar_t b;
    b.set_slot(0, {7, 1});
    EXPECT_EQ(b.add(9), 1);
    b.clear_slot(0);
    EXPECT_EQ(b.add(8), 0);
    for (int i = 2; i < ACTBAR_SLOTS; ++i) b.add(4);
    EXPECT_EQ(b.add(5), -1);
    b.set_slot(ACTBAR_SLOTS, {5, 0});  // outside the bar: ignored
    b.clear_slot(-1);
    EXPECT_EQ(b.items[0].pwr, 8);
}

TEST_F(UActbar, SelectPicksTheLastUsableSlot) {
    u.hp = 5;
    u.actbar.set_slot(4, {4, 0});  // "trip", a standard action
    u.actbar.set_slot(9, {4, 0});
    u.actbar.select_pwr(4);
    EXPECT_EQ(u.actbar.sel, 9);
    u.btl.act_budget = 2;  // only the move is left
    u.actbar.select_pwr(4);
    EXPECT_EQ(u.actbar.sel, -1);
    u.btl.act_budget = 4;
    u.actbar.select_pwr(5);  // not on the bar
    EXPECT_EQ(u.actbar.sel, -1);
    u.actbar.sel = 3;
    u.actbar.select_pwr(0);
    EXPECT_EQ(u.actbar.sel, -1);
    u.actbar.set_slot(0, {292, 0});
    u.actbar.select_pwr(292);  // no such power
    EXPECT_EQ(u.actbar.sel, -1);
}

TEST_F(UActbar, SavesAndLoadsLittleEndian) {
    temp_dir_t dir;
    const Str path = utf8_to_str(dir.path("bar").c_str());
    u_actbar_t b;
    b.set_slot(0, {2, 0});
    b.set_slot(19, {10, -3});
    b.sel = 19;
    {
        CZsFile f(path.buf, ZF_WRONLY | ZF_CREAT | ZF_TRUNC | ZF_BINARY, ZF_SHARE_DENY_NONE);
        b.save(f);
    }
    const std::string bytes = dir.read("bar");
    ASSERT_EQ(bytes.size(), 164u);
    EXPECT_EQ(bytes.substr(152, 12), std::string("\x0a\0\0\0\xfd\xff\xff\xff\x13\0\0\0", 12));
    u_actbar_t c;
    {
        CZsFile f(path.buf, ZF_BINARY, ZF_SHARE_DENY_NONE);
        EXPECT_TRUE(c.load(f));
    }
    for (int i = 0; i < ACTBAR_SLOTS; ++i) EXPECT_EQ(c.items[i], b.items[i]) << i;
    EXPECT_EQ(c.sel, 19);

    // A short record leaves an empty bar; a selection outside the bar is none.
    dir.file("short", bytes.substr(0, 100));
    dir.file("bad_sel", bytes.substr(0, 160) + std::string("\x40\0\0\0", 4));
    const struct { const char* name; bool ok; int slot0; } cases[] = {{"short", false, 0}, {"bad_sel", true, 2}};
    for (const auto& k : cases) {
        u_actbar_t d;
        d.set_slot(0, {7, 0});
        d.sel = 0;
        CZsFile f(utf8_to_str(dir.path(k.name).c_str()).buf, ZF_BINARY, ZF_SHARE_DENY_NONE);
        EXPECT_EQ(d.load(f), k.ok) << k.name;
        EXPECT_EQ(d.items[0].pwr, k.slot0) << k.name;
        EXPECT_EQ(d.sel, -1) << k.name;
    }
}
