#include "battle/rolls.h"

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/damage.h"

namespace {
// A seed whose next d20 (rnd_rand() % 20 + 1) is the wanted face.
uint32_t seed_for_d20(int face) {
    for (uint32_t s = 1;; ++s) {
        rnd_srand(s);
        if (rnd_rand() % 20 + 1 == face) return s;
    }
}

Str take_log() {
    Str s = *log_cur_buf();
    *log_cur_buf() = L"";
    return s;
}
}  // namespace

TEST(Rolls, NaturalTwentyAndOneDecide) {
    rnd_srand(seed_for_d20(20));
    EXPECT_TRUE(roll_d20_vs(-100, 40));
    rnd_srand(seed_for_d20(1));
    EXPECT_FALSE(roll_d20_vs(100, 2));
    rnd_srand(seed_for_d20(10));
    EXPECT_TRUE(roll_d20_vs(5, 15));
    rnd_srand(seed_for_d20(10));
    EXPECT_FALSE(roll_d20_vs(4, 15));
    rnd_srand(seed_for_d20(10));
    EXPECT_TRUE(roll_d20_vs(2147483647, 1000000000));  // no overflow at the sentinels
}

TEST(Rolls, LoggedRollWritesTheRollLine) {
    take_log();
    rnd_srand(seed_for_d20(12));
    int die = 0;
    EXPECT_TRUE(roll_d20_log(-3, 9, &die));
    EXPECT_EQ(die, 12);
    EXPECT_STREQ(take_log().buf, L"命中<a=128> ( <c=y>12</c> - 3 vs 9 )</a>");
    rnd_srand(seed_for_d20(12));
    EXPECT_FALSE(roll_unit_check(L"强韧", nullptr, 2, 15));
    EXPECT_STREQ(take_log().buf, L"强韧检定: <c=a>失误</c><a=128> ( <c=y>12</c> + 2 vs 15 )</a>");
    Str s;
    EXPECT_STREQ((roll_t{7, -2147483647 - 1, 3}.get_text(s)).buf, L"<c=y>7</c> - 2147483648 vs 3");
}

TEST(Rolls, PercentRoll) {
    take_log();
    EXPECT_FALSE(roll_pct(0, L"ok", L"no"));
    EXPECT_STREQ(take_log().buf, L"");
    rnd_srand(1);
    const int roll = rnd_rand() % 100 + 1;
    rnd_srand(1);
    EXPECT_EQ(roll_pct(50, L"ok", L"no"), roll > 50);
    EXPECT_STREQ(take_log().buf, Str(L"%s ( <c=y>%d</c> vs 50 )", roll > 50 ? L"ok" : L"no", roll).buf);
}

TEST(Rolls, AttackRoll) {
    take_log();
    rnd_srand(seed_for_d20(20));
    EXPECT_EQ(roll_atk(0, 40, 4, 1), ATK_HIT);  // a natural 20 hits but is no critical when it fell short
    rnd_srand(seed_for_d20(19));
    EXPECT_EQ(roll_atk(5, 20, 4, 2), ATK_HIT | ATK_CRIT);
    rnd_srand(seed_for_d20(19));
    EXPECT_EQ(roll_atk(5, 20, 0, 2), ATK_HIT);
    take_log();
    rnd_srand(seed_for_d20(2));
    EXPECT_EQ(roll_atk(0, 15, 2, 1), ATK_HIT | ATK_MISS_DMG);
    EXPECT_NE(Str(take_log()).buf[0], 0);
    rnd_srand(seed_for_d20(2));
    EXPECT_EQ(roll_atk(0, 15, 0, 1), 0);
    take_log();
    rnd_srand(seed_for_d20(20));
    EXPECT_EQ(roll_atk(1000000000, 15, 4, 1), ATK_HIT | ATK_CRIT);  // no real roll, yet the die can crit
    rnd_srand(seed_for_d20(5));
    EXPECT_EQ(roll_atk(0, -1000000000, 4, 1), ATK_HIT);
}

TEST(Damage, HalvingNeverLosesAHit) {
    for (auto [in, out] : {std::pair{7, 3}, {1, 1}, {-1, -1}, {-7, -3}, {0, 0}, {2, 1}}) {
        int a = in;
        halve_dmg(&a);
        EXPECT_EQ(a, out) << in;
    }
}
