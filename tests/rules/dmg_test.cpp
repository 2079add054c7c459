#include "rules/dmg.h"

#include <gtest/gtest.h>

#include "app/db.h"
#include "app/opts.h"
#include "app/str.h"
#include "support/scoped_set.h"

namespace {
// Names for the damage types, as the text tables would give them.
struct named_types_t {
    named_types_t() {
        text_info_t::set(&get_dmg_type(3)->n, L"钝击");
        text_info_t::set(&get_dmg_type(4)->n, L"火焰");
    }
    ~named_types_t() {
        for (int i = 0; i < DMG_TYPES; ++i) text_info_t::set(&get_dmg_type(i)->n, nullptr);
    }
};
}  // namespace

TEST(Dmg, ParsesListsAndRefusesMalformedOnes) {
    const struct {
        const char* text;
        bool ok;
        dmg_list_t parts;
    } cases[] = {
        {"2d6f;1d6b", true, {{2, 6, 0, 0x10}, {1, 6, 0, 0x08}}},
        {"1d4c", true, {{1, 4, 0, 0x20}}},
        {"W3", true, {{-1, 3, 0, 0x4000}}},
        {"W1", true, {{-1, 1, 0, 0x4000}}},
        {"P100n", true, {{-2, 100, 0, 0x800}}},
        {"P50fx", true, {{-2, 50, 0, 0x10}}},  // letters stop at the first that is no type
        {"2d6", true, {{2, 6, 0, 0}}},
        {"1d4-1sp", true, {{1, 4, -1, 0x6}}},
        {"1d6?", true, {{1, 6, 0, 0x1}}},  // an unknown letter marks bit 0
        {"5f", true, {{0, 0, 5, 0x10}}},
        {"2d", false, {}},
        {"d", false, {}},
        {"1d4--1f", false, {}},
        {"999999d6", false, {}},
        {"", false, {}},
        {"2d6f;", false, {}},
        {"W", false, {}},
        {"Wx", false, {}},
        {"P", false, {}},
        {"Pn", false, {}},
    };
    for (const auto& c : cases) {
        dmg_list_t out{{9, 9, 9, 9}};
        EXPECT_EQ(dmg_list_parse(&out, c.text), c.ok) << c.text;
        dmg_list_t want{{9, 9, 9, 9}};
        want.insert(want.end(), c.parts.begin(), c.parts.end());
        EXPECT_EQ(out, want) << c.text;  // appended on success, untouched on failure
    }
    dmg_list_t none;
    EXPECT_TRUE(dmg_list_parse(&none, nullptr));
    EXPECT_TRUE(none.empty());
}

TEST(Dmg, PartDiceForm) {
    dmg_part_t p{1, 1, 1, 1};
    EXPECT_TRUE(dmg_part_parse_dice(&p, "-"));
    EXPECT_EQ(p, dmg_part_t{});
    EXPECT_TRUE(dmg_part_parse_dice(&p, "1d8sp"));
    EXPECT_EQ(p, (dmg_part_t{1, 8, 0, 0x6}));
    EXPECT_FALSE(dmg_part_parse_dice(&p, "xd8s"));
    EXPECT_EQ(p, dmg_part_t{});
}

TEST(Dmg, TypeTableAndBits) {
    EXPECT_STREQ(get_dmg_type(4)->k, L"fire");
    EXPECT_EQ(get_dmg_type(4)->letter, L'f');
    EXPECT_EQ(get_dmg_type(8)->clr.v, 0xFFCD41D9u);
    EXPECT_EQ(get_dmg_type(0)->clr.v, 0xFF000000u);
    EXPECT_EQ(get_dmg_type(13), get_dmg_type(0));
    EXPECT_EQ(get_dmg_type(-1), get_dmg_type(0));
    for (int i = 1; i < DMG_TYPES; ++i) EXPECT_EQ(char(get_dmg_type(i)->letter), dmg_letters[i]);
    EXPECT_EQ(dmg_type_bits(0x80000011u), (std::vector<int>{0, 4, 31}));
    const dmg_list_t l{{2, 6, 0, 0x10}, {1, 6, 0, 0x08}};
    EXPECT_TRUE(dmg_has_type(l, 3));
    EXPECT_TRUE(dmg_has_type(l, 4));
    EXPECT_FALSE(dmg_has_type(l, 5));
    EXPECT_FALSE(dmg_has_type(l, 40));
    named_types_t names;
    EXPECT_STREQ((dmg_part_t{1, 6, 0, 0x18}.get_type_names()).buf, L"钝击/火焰");
    EXPECT_STREQ((dmg_part_t{1, 6, 0, 0}.get_type_names()).buf, L"");
}

TEST(Dmg, ListTexts) {
    const dmg_list_t two{{2, 6, 0, 0x10}, {1, 6, 0, 0x08}};
    {
        scoped_set_t off(opts().disp_dice, false);
        EXPECT_STREQ(dmg_list_text(two, 0).buf, L"3-18");
        EXPECT_STREQ(dmg_list_text({{0, 0, 4, 0x10}, {1, 4, -3, 0x8}}, 0).buf, L"5-5");
    }
    scoped_set_t on(opts().disp_dice, true);
    EXPECT_STREQ(dmg_list_text(two, 0).buf, L"2d6;1d6");
    EXPECT_STREQ(dmg_list_text(two, 1).buf, L"2d6");
    EXPECT_STREQ(dmg_list_text({{-2, 100, 0, 0x800}}, 0).buf, L"即死");
    EXPECT_STREQ(dmg_list_text({{-2, 25, 0, 0x800}}, 0).buf, L"25%目标生命值");
    EXPECT_STREQ(dmg_list_text({{-1, 2, 0, 0x4000}}, 0).buf, L"武器伤害 x2");
    EXPECT_STREQ(dmg_list_text({}, 0).buf, L"");
}

TEST(Dmg, DescriptionLines) {
    named_types_t names;
    scoped_set_t on(opts().disp_dice, true);
    EXPECT_STREQ(dmg_part_line({-1, 1, 0, 0x4000}, 0).buf, L"<c=#ffb0c4de>武器伤害</c>");
    EXPECT_STREQ(dmg_part_line({-1, 3, 0, 0x4000}, 0).buf, L"<c=#ffb0c4de>武器伤害 x3</c>");
    EXPECT_STREQ(dmg_part_line({2, 6, 0, 0x10}, 0).buf, L"<c=#FFFF0068>2d6火焰伤害</c>");
    EXPECT_STREQ(dmg_part_line({2, 6, 0, 0x18}, 0).buf, L"<c=#FFFF0000>2d6钝击伤害</c>");
    EXPECT_STREQ(dmg_part_line({2, 6, 0, 0x10}, 1).buf, L"2d6");
    EXPECT_STREQ(dmg_part_line({2, 6, 0, 0}, 0).buf, L"2d6");
    EXPECT_STREQ(dmg_list_lines({{2, 6, 0, 0x10}, {1, 6, 0, 0x08}}).buf,
                 L"<c=#FFFF0068>2d6火焰伤害</c>\n<c=#FFFF0000>1d6钝击伤害</c>");
    EXPECT_STREQ(dmg_list_lines({{-2, 100, 0, 0x800}, {1, 6, 0, 0x08}}).buf, L"<c=#FF8C8C8C>即死伤害</c>");
    EXPECT_STREQ(dmg_list_lines({}).buf, L"");
    // With the word space of the texts a Latin name stands apart from the numbers; a Chinese one does not.
    scoped_set_t<Str> wsp(lang_wsp, Str(L" "));
    EXPECT_STREQ(dmg_part_line({2, 6, 0, 0x10}, 0).buf, L"<c=#FFFF0068>2d6火焰伤害</c>");
    text_info_t::set(&get_dmg_type(4)->n, L"fire");
    EXPECT_STREQ(dmg_part_line({2, 6, 0, 0x10}, 0).buf, L"<c=#FFFF0068>2d6 fire伤害</c>");
}
