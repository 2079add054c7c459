#include "rules/cls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

bool same_numbers(const cls_t& a, const cls_t& b) {
    return std::equal(a.def, a.def + 6, b.def) && a.sr == b.sr && a.hp_lv == b.hp_lv && a.lv1_pick == b.lv1_pick &&
           a.lv1_spl == b.lv1_spl && a.cast_abi == b.cast_abi && a.pwrs == b.pwrs;
}

}  // namespace

TEST(Cls, RowZeroIsEmptyAndAnswersEveryIdOutsideTheTable) {
    const cls_t* zero = get_cls(0);
    EXPECT_EQ(zero->k, nullptr);
    EXPECT_TRUE(zero->pwrs.empty());
    EXPECT_EQ(zero->hp_lv, 0);
    // Class ids come from save files.
    for (int id : {-1, 9, 1000000, -2147483647 - 1}) EXPECT_EQ(get_cls(id), zero) << id;
    EXPECT_STREQ(get_cls(8)->k, L"no");
}

TEST(Cls, WeakerCounterpartsDifferOnlyWhereTheRulesSay) {
    struct { int strong, weak, hp_strong, hp_weak, sr_strong, sr_weak; } pairs[] = {
        {1, 4, 5, 4, 0, 0}, {2, 5, 4, 3, 5, 2}, {3, 6, 2, 2, 5, 2}};
    for (const auto& p : pairs) {
        cls_t a = *get_cls(p.strong), b = *get_cls(p.weak);
        EXPECT_EQ(a.hp_lv, p.hp_strong);
        EXPECT_EQ(b.hp_lv, p.hp_weak);
        EXPECT_EQ(a.sr, p.sr_strong);
        EXPECT_EQ(b.sr, p.sr_weak);
        b.hp_lv = a.hp_lv, b.sr = a.sr;
        EXPECT_TRUE(same_numbers(a, b)) << p.strong << " and " << p.weak;
    }
    EXPECT_EQ(get_cls(2)->pwrs, (std::vector<int>{34, 27, 48, 52, 53, 54, 282}));
    EXPECT_EQ(get_cls(1)->def[2], 2);  // fighters: +2 Fortitude
    EXPECT_EQ(get_cls(3)->def[4], 2);  // wizards: +2 Will
}

TEST(Cls, RowsThatShareAListKeepTheirOwnCopy) {
    cls_t* fighter = const_cast<cls_t*>(get_cls(1));
    fighter->pwrs.push_back(999);
    EXPECT_EQ(get_cls(4)->pwrs.size(), 8u);
    fighter->pwrs.pop_back();
}
