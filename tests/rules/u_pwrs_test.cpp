#include "rules/u_pwrs.h"

#include <gtest/gtest.h>

#include "rules/unit.h"
#include "support/pwrs_test.h"

namespace {

class UPwrs : public pwrs_test {
protected:
    unit_t u;  // most cases' unit
    static std::vector<int> ids(const u_pwrs_t& p, int filter) {
        std::vector<int> v{99};  // the getter replaces what the vector held
        return p.get_ids(v, filter);
    }
    static std::vector<int> bar(const unit_t& u) {
        std::vector<int> v;
        for (const actbar_item_t& it : u.actbar.items)
            if (it.pwr) v.push_back(it.pwr);
        return v;
    }
};

}  // namespace

TEST_F(UPwrs, ActionListAndIdFilters) {
    u.pwrs.set_list({59, 23, 1});
    EXPECT_EQ(u.pwrs.get_act_list(), (std::vector<int>{2, 3, 1, 59}));
    std::vector<int> acts;
    EXPECT_EQ(u.pwrs.get_act_ids(acts), (std::vector<int>{1, 59}));
    EXPECT_EQ(bar(u), (std::vector<int>{59, 1}));  // in the order they were added; 23 is passive

    // Two lists taken one after the other stay apart.
    unit_t w;
    w.pwrs.add(2);
    const std::vector<int> first = u.pwrs.get_act_list();
    const std::vector<int> second = w.pwrs.get_act_list();
    EXPECT_EQ(first, (std::vector<int>{2, 3, 1, 59}));
    EXPECT_EQ(second, (std::vector<int>{2, 3, 2}));

    unit_t v;
    v.pwrs.set_list({150, 119, 24, 2});
    EXPECT_EQ(ids(v.pwrs, UP_SPELL), std::vector<int>{119});
    EXPECT_EQ(ids(v.pwrs, UP_BASIC | UP_MON), (std::vector<int>{2, 150}));
    EXPECT_EQ(ids(v.pwrs, UP_ALL), (std::vector<int>{2, 24, 119, 150}));
    EXPECT_EQ(ids(v.pwrs, 0), std::vector<int>{});
}

TEST_F(UPwrs, ChangesAddRemoveAndKeepTheBarInStep) {
    u.pwrs.apply_changes({23, -23, 0});
    EXPECT_FALSE(u.pwrs.has(23));
    EXPECT_TRUE(bar(u).empty());

    u.pwrs.apply_changes({4, 5, 4});
    EXPECT_EQ(bar(u), (std::vector<int>{4, 5}));
    u.actbar.set_slot(7, {4, 0});
    u.pwrs.apply_changes({-4});
    EXPECT_EQ(bar(u), std::vector<int>{5});  // every slot that held it
    EXPECT_EQ(u.pwrs.by_kind[0].count(4), 0u);

    u.pwrs.apply_changes({-2147483647 - 1});  // no power to remove, and no overflow
    EXPECT_EQ(u.pwrs.all.size(), 1u);
    u.pwrs.remove(77);  // not held
    EXPECT_EQ(u.pwrs.all.size(), 1u);
    for (int bad : {0, -3, 292, 100000}) u.pwrs.add(bad);  // ids from a damaged file
    EXPECT_EQ(u.pwrs.all.size(), 1u);
}

TEST_F(UPwrs, TogglingAndCopying) {
    EXPECT_FALSE(u.pwrs.toggle(23));  // not held: nothing to flip
    EXPECT_FALSE(u.pwrs.has(23));
    u.pwrs.set_list({23, 6});
    EXPECT_TRUE(u.pwrs.toggle(23));
    u.pwrs.add(23);  // already held: keeps its flag
    EXPECT_EQ(u.pwrs.all[23], 1);
    EXPECT_EQ(*u.pwrs.by_kind[get_pwr(23)->get_kind()][23], 1);
    EXPECT_FALSE(u.pwrs.toggle(23));

    u.pwrs.toggle(6);
    unit_t c;
    c.pwrs = u.pwrs;
    EXPECT_EQ(c.pwrs.all.size(), 2u);
    EXPECT_EQ(c.pwrs.all[6], 0);  // copies start off
    EXPECT_EQ(bar(c), std::vector<int>{6});
    EXPECT_EQ(u.pwrs.all[6], 1);
    u.pwrs.clear();
    EXPECT_TRUE(u.pwrs.all.empty());
    for (const auto& m : u.pwrs.by_kind) EXPECT_TRUE(m.empty());
}
