#include "rules/dice.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "app/opts.h"
#include "app/rnd.h"
#include "app/str.h"
#include "support/scoped_set.h"

TEST(Dice, ParsesEveryFormAndRefusesMalformedTexts) {
    const struct {
        const char* text;
        bool ok;
        dice_t d;
    } cases[] = {
        {"2d6", true, {2, 6, 0}},    {"d8", true, {1, 8, 0}},     {"1d4-1", true, {1, 4, -1}},
        {"2d6+3", true, {2, 6, 3}},  {"5", true, {0, 0, 5}},      {"0", true, {0, 0, 0}},
        {"-3", true, {0, 0, -3}},    {"9999d9999", true, {9999, 9999, 0}},
        {"2d", false, {}},           {"d", false, {}},            {"1d4--1", false, {}},
        {"999999d6", false, {}},     {"", false, {}},             {"10000d6", false, {}},
        {"1d10000", false, {}},      {"0d6", false, {}},          {"2d6x", false, {}},
        {"1d4+", false, {}},         {"+", false, {}},            {"1234567890", false, {}},
    };
    for (const auto& c : cases) {
        dice_t d{7, 7, 7};
        EXPECT_EQ(d.parse(c.text), c.ok) << c.text;
        EXPECT_EQ(d, c.d) << c.text;
    }
    dice_t d{1, 2, 3};
    EXPECT_FALSE(d.parse(nullptr));
    EXPECT_EQ(d, dice_t{});
}

TEST(Dice, PackingBoundaries) {
    EXPECT_EQ(pack_dice(2, 6), 100020006);
    int c = 0, s = 0;
    unpack_dice(&c, &s, 100020006);
    EXPECT_EQ(c, 2);
    EXPECT_EQ(s, 6);
    unpack_dice(&c, &s, pack_dice(9999, 9999));
    EXPECT_EQ(c, 9999);
    EXPECT_EQ(s, 9999);
    EXPECT_FALSE(is_packed_dice(99999999));
    EXPECT_FALSE(is_packed_dice(200000000));
    EXPECT_TRUE(is_packed_dice(100000000));
    EXPECT_TRUE(is_packed_dice(pack_dice(9999, 9999)));
    EXPECT_FALSE(is_packed_dice(-100000000));
}

TEST(Dice, ResizesThroughTheSizeTable) {
    const struct {
        const char* from;
        int size;
        dice_t to;
    } cases[] = {
        {"1d8", 4, {2, 6, 0}}, {"1d8", 2, {1, 6, 0}},  {"1d8", 3, {1, 8, 0}},  {"1d7", 1, {1, 7, 0}},
        {"1d7", 4, {1, 7, 0}}, {"2d6+2", 1, {1, 8, 2}}, {"1d2", 1, {0, 0, 0}}, {"2d10", 4, {4, 8, 0}},
        {"1d8", 5, {0, 0, 0}}, {"1d8", -1, {1, 8, 0}},  {"1d8", 7, {1, 8, 0}},
    };
    for (const auto& c : cases) {
        dice_t d;
        ASSERT_TRUE(d.parse(c.from));
        d.resize(c.size);
        EXPECT_EQ(d, c.to) << c.from << " to size " << c.size;
    }
}

TEST(Dice, RollsStayInRangeAndFollowTheGenerator) {
    for (const auto& [n, sides] : {std::pair{0, 6}, {-2, 6}, {2, 0}, {2, -6}}) EXPECT_EQ(roll_dice(n, sides), 0) << n;
    rnd_srand(42);
    int lo = 100, hi = 0;
    for (int i = 0; i < 500; ++i) {
        const int r = roll_dice(3, 6);
        lo = std::min(lo, r), hi = std::max(hi, r);
    }
    EXPECT_GE(lo, 3);
    EXPECT_LE(hi, 18);
    EXPECT_LT(lo, hi);
    rnd_srand(7);
    const int a = roll_dice(4, 10);
    rnd_srand(7);
    EXPECT_EQ(roll_dice(4, 10), a);
}

TEST(Dice, TextForms) {
    EXPECT_STREQ(dice_text({2, 6, 3}).buf, L"2d6+3");
    EXPECT_STREQ(dice_text({1, 4, -1}).buf, L"1d4-1");
    EXPECT_STREQ(dice_text({2, 6, 0}).buf, L"2d6");
    EXPECT_STREQ(dice_text({0, 0, 5}).buf, L"5");
    {
        scoped_set_t off(opts().disp_dice, false);
        EXPECT_STREQ(dice_range_text({1, 4, -1}).buf, L"1-3");
        EXPECT_STREQ(dice_range_text({0, 0, 5}).buf, L"5-5");
        EXPECT_STREQ(dice_range_text({1, 4, -5}).buf, L"1-1");
        EXPECT_STREQ(dice_rng_text(2, 6).buf, L"2-12");
    }
    scoped_set_t on(opts().disp_dice, true);
    EXPECT_STREQ(dice_range_text({1, 4, -1}).buf, L"1d4-1");
    EXPECT_STREQ(dice_rng_text(2, 6).buf, L"2d6");
    Str s;
    EXPECT_STREQ(col_text(s, L"x", 0xFFb0c4de).buf, L"<c=#FFB0C4DE>x</c>");
}

TEST(Dice, RangeFormat) {
    EXPECT_STREQ(fmt_range(L"%a", 1, 3).buf, L"1-3");
    EXPECT_STREQ(fmt_range(L"[%6a]%%", 1, 3).buf, L"[   1-3]%");
    EXPECT_STREQ(fmt_range(L"%-5a|", 2, 4).buf, L"2-4  |");
    EXPECT_STREQ(fmt_range(L"%05a", 2, 4).buf, L"002-4");
    EXPECT_STREQ(fmt_range(L"%%%+*.a", 2, 4).buf, L"%2-4");
    EXPECT_THROW(fmt_range(L"no conversion %%", 1, 2), std::logic_error);
    EXPECT_THROW(fmt_range(L"%5", 1, 2), std::logic_error);
}
