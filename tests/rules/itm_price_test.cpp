#include "rules/itm_price.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "app/lua_files.h"
#include "app/text_info.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/itm_inst.h"
#include "rules/itm_slot.h"

TEST(ItmPrice, WorkedExamples) {
    EXPECT_EQ(inst(32, 0).get_price(), 15);   // an ordinary scimitar: its base price
    EXPECT_EQ(inst(66, 0).get_price(), 0.5);  // a dart
    EXPECT_EQ(inst(32, 1).get_price(), 2000);  // +1 weapon: 15 is below 2000 / 3
    EXPECT_EQ(inst(73, 1).get_price(), 2000);  // +1 armour of 1500: 1000 + 1000
    EXPECT_EQ(itm_ench_cost(inst(28, 2, {1, 2})), 12000);  // f1 and c1: 8000 and half again
    EXPECT_EQ(inst(28, 2, {1, 2}).get_price(), 20000);
    // The price of a ring of luck, on an armour (rarity 1 kind): luck1 on +3.
    EXPECT_EQ(std::tuple(itm_ench_cost(inst(67, 3, {51})), inst(67, 3, {51}).get_price()), std::tuple(4000, 13000));
    EXPECT_EQ(itm_ench_cost(inst(67, 2, {15})), 4000);  // one enchantment: no half again
    EXPECT_EQ(itm_ench_cost(inst(67, 1, {15, 18})), 3000);  // 2000 x 1.5
    EXPECT_EQ(itm_ench_cost(inst(67, 1, {15, 58})), 3000);  // elm_dmg has no roll flags but still costs
    EXPECT_EQ(itm_ench_cost(inst(67, 0, {15})), 0);  // scaling on +0 costs nothing
}

TEST(ItmPrice, FixedKindsCostTheirEnchantments) {
    EXPECT_EQ(inst(122, 1).get_price(), 4000);  // ring_luck1: (2)^2 x 1000
    EXPECT_EQ(inst(117, 0).get_price(), 4000);  // neck_luck1: luck does not grow
    EXPECT_EQ(inst(77, 2).get_price(), 16000);  // belt_str: (2 x 2)^2 x 1000
    // belt_hr2: hr2 (5), be_heal (1), auto_heal1 (1) on +1: 25000 + 1000 + 1000, half again, thousands
    EXPECT_EQ(inst(83, 1).get_price(), 40000);
    // Bonuses from a damaged save neither overflow nor go negative.
    EXPECT_GE(inst(28, INT_MAX, {1, 2}).get_price(), 0);
    EXPECT_GE(inst(67, INT_MIN).get_price(), 0);
}

TEST(IeFillVal, OnePlaceholderTakesTheValue) {
    const struct { const wchar_t* fmt; int num; const wchar_t* text; const wchar_t* want; } cases[] = {
        {L"+%d", 3, nullptr, L"+3"},
        {L"%s damage", 0, L"1-6", L"1-6 damage"},
        {L"%d damage", 0, L"2-12", L"2-12 damage"},  // a text through %d
        {L"%s%%", 25, nullptr, L"25%"},              // a number through %s
        {L"%3d|", 5, nullptr, L"  5|"},
        {L"%.1f", 2, nullptr, L"2.0"},
        {L"%d and %d", 4, nullptr, L"4 and %d"},  // a second placeholder stays as written
        {L"%n%d", 7, nullptr, L"7%d"},            // no write through %n
        {L"100%", 7, nullptr, L"100%"},
        {L"%", 7, nullptr, L"%"},
        {L"no value", 7, nullptr, L"no value"},
        {L"%ls", 0, L"x", L"x"},
        {L"%02000020000f00f", 7, nullptr, L"00f"},  // a width that asked for 2 GB: nothing filled
        {nullptr, 1, nullptr, L""},
    };
    for (const auto& c : cases) EXPECT_STREQ(ie_fill_val(c.fmt, c.num, c.text).buf, c.want) << (c.fmt ? c.fmt : L"-");
}

class ItmNames : public lua_db_test {
protected:
    void SetUp() override {
        dir.write("main.lua", "_wsp = '_'\nstrs = { wpn_flags = { [2] = { n = 'Reach', d = 'two cells' },"
                              " [3] = { n = 'Light', d = 'off hand' }, [4] = { n = 'Finesse', d = 'Dex' },"
                              " [5] = { n = 'Brace', d = 'vs charge' }, [7] = { n = 'Thrown', d = 'sharp' } } }");
        dir.write("cn/itms.lua", "itms = { [28] = { n = 'Sword' }, [77] = { n = 'Belt' }, [117] = { n = 'Amulet' } }");
        dir.write("cn/itm_enchs.lua", "itm_enchs = { [1] = { n = 'Flaming', d = '%s fire' }, [52] = { n = 'Luck', "
                                      "d = '+%d luck' }, [8] = { n = 'Comp', d = 'Str to damage' } }\n"
                                      "rare_lvs = { [2] = { n = 'Magic' }, [3] = { n = 'Rare' } }");
        dir.load();
    }
    static Str name(const itm_slot_t& s) {
        Str out;
        return s.get_name(out);
    }
};

TEST_F(ItmNames, NamesInTheirRarityColour) {
    EXPECT_STREQ(name(inst(28, 0)).buf, L"Sword");
    EXPECT_STREQ(name(inst(28, 1)).buf, L"<c=#ff6666ff>+1 Sword</c>");  // one blank: no enchantment's name to part
    EXPECT_STREQ(name(inst(28, 2, {0, 1})).buf, L"<c=#ff9933ff>+2 Flaming_Sword</c>");
    EXPECT_STREQ(name(inst(117, 0)).buf, L"<c=#ff9933ff>Amulet</c>");  // fixed rarity 3, no bonus shown
    EXPECT_STREQ(name(inst(77, 2)).buf, L"<c=#ff6666ff>+2 Belt</c>");
    EXPECT_STREQ(name(inst(999, 2)).buf, L"<c=#ff6666ff>+2 </c>");  // damaged id: no name, no crash

    EXPECT_STREQ(itm_rare_lbl(inst(28, 0)).buf, L"");
    EXPECT_STREQ(itm_rare_lbl(inst(28, 1, {1})).buf, L"<c=#ff9933ff>Rare</c>");
    EXPECT_STREQ(itm_rare_lbl(inst(77, 0)).buf, L"<c=#ff6666ff>Magic</c>");
}

TEST_F(ItmNames, EnchantmentSection) {
    Str out(L"x");
    itm_enchs_tip(inst(28, 0), out);
    EXPECT_STREQ(out.buf, L"x");
    itm_enchs_tip(inst(28, 2, {1, 52, 8}), out);
    EXPECT_STREQ(out.buf, L"x<hr>\n<c=lbl b>Flaming: </c><c=g>2-12 fire</c>"
                          L"\n<c=lbl b>Luck: </c><c=g>+2 luck</c>"
                          L"\n<c=lbl b>Comp: </c><c=g>Str to damage</c>");
}

TEST_F(ItmNames, WeaponPropertySection) {
    reg_rules_tbls();
    load_txt_tbls();
    const struct { int id; const wchar_t* want; } cases[] = {
        {33, L""},                                                   // no properties
        {67, L""},                                                   // armour
        {29, L"<hr><c=g>Finesse: </c>Dex"},                          // rapier
        {27, L"<hr><c=g>Light: </c>off hand\n<dy=8><c=g>Thrown: </c>sharp"},
        {59, L"<hr><c=g>Reach: </c>two cells\n<dy=8><c=g>Brace: </c>vs charge"},  // can_trip is not shown
    };
    for (const auto& c : cases) {
        Str out;
        itm_wpn_flags_tip(inst(c.id, 0), out);
        EXPECT_STREQ(out.buf, c.want) << c.id;
    }
}
