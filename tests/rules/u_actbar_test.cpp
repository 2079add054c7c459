#include "rules/u_actbar.h"

#include <gtest/gtest.h>

#include "rules/pwr.h"
#include "rules/unit.h"

namespace {

class UActbar : public ::testing::Test {
protected:
    static void SetUpTestSuite() { init_pwrs(); }
    static void TearDownTestSuite() { free_pwrs(); }

    static std::vector<int> bar(const u_actbar_t& b) {
        std::vector<int> v;
        for (const actbar_item_t& it : b.items) v.push_back(it.pwr);
        return v;
    }
};

}  // namespace

TEST_F(UActbar, RebuildWithoutActionsEndsWithTheStandardCommands) {
    unit_t u;
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
    unit_t u;
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
