#include "screens/text/desc_parts.h"

#include <gtest/gtest.h>

#include "app/db.h"
#include "rules/bld.h"
#include "rules/bld_ids.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/u_cat.h"
#include "rules/unit.h"
#include "text_env.h"

namespace {

class DescParts : public text_env_t {};

unit_t with_hp(int hp, int max) {
    unit_t u;
    u.hp = hp;
    u.drv.hp_max = max;
    return u;
}

}  // namespace

TEST_F(DescParts, GoldIsGroupedAndRedUnlessAboveZero) {
    EXPECT_EQ(txt::gold_text(1234.5), Str(L"1,234.5 <ico=misc/g c=Gold>"));
    EXPECT_EQ(txt::gold_text(7), Str(L"7 <ico=misc/g c=Gold>"));
    EXPECT_EQ(txt::gold_text(0), Str(L"<c=fc_rr>0</c> <ico=misc/g c=Gold>"));
    EXPECT_EQ(txt::gold_text(-800), Str(L"<c=fc_rr>-800</c> <ico=misc/g c=Gold>"));
}

TEST_F(DescParts, HitPointsAreColouredByTheShareLeft) {
    const struct {
        int hp, max;
        const wchar_t* clr;
    } rows[] = {
        {40, 40, L"ffffffff"},  // full
        {39, 40, L"ffffff00"},  // above three quarters
        {31, 40, L"ffffff00"},
        {30, 40, L"ffff8c00"},  // exactly three quarters is no longer above
        {21, 40, L"ffff8c00"},
        {20, 40, L"ffff0000"},  // half
        {0, 40, L"ffff0000"},
        {0, 0, L"ffff0000"},    // nothing at all
        {3, 3, L"ffffffff"},    // 3 x 3 / 4 = 2 and 3 / 2 = 1 in whole numbers
        {2, 3, L"ffff8c00"},
    };
    for (const auto& r : rows) {
        const unit_t u = with_hp(r.hp, r.max);
        EXPECT_EQ(txt::hp_text(&u), Str(L"<c=#%s>%d</c><c=w>/%d</c>", r.clr, r.hp, r.max)) << r.hp << "/" << r.max;
    }
}

TEST_F(DescParts, SideColoursAndTheTypeLineOfCharactersAndMonsters) {
    unit_t u;
    const std::pair<int, uint32_t> sides[] = {
        {SIDE_PLAYER, 0xFF009900}, {SIDE_FOES, 0xFFCC0000}, {2, 0xFFCC0000}, {SIDE_NONE, 0xFFCCCCCC}};
    for (auto [side, clr] : sides) {
        u.btl.side = side;
        EXPECT_EQ(txt::side_clr(&u).v, clr) << side;
    }
    u.base.kind = UK_PC;
    u.base.race = RACE_HF_ORC;
    u.base.cls = CLS_FIGHTER;
    u.base.bld = BLD_TH;
    Str out(L"old");
    EXPECT_EQ(txt::unit_type_line(out, &u),
              Str(L"<tip=#race_%d><nobr>%s</nobr></tip>%s<tip=#bld_%d><nobr>%s</nobr></tip> ", RACE_HF_ORC,
                  name_of(get_race(RACE_HF_ORC)), lang_wsp, BLD_TH, name_of(get_bld(BLD_TH))));
    u.base.bld = BLD_CUSTOM;  // no preset build: the class stands instead
    EXPECT_EQ(txt::unit_type_line(out, &u),
              Str(L"<tip=#race_%d><nobr>%s</nobr></tip>%s<tip=#cls_%d><nobr>%s</nobr></tip> ", RACE_HF_ORC,
                  name_of(get_race(RACE_HF_ORC)), lang_wsp, CLS_FIGHTER, name_of(get_cls(CLS_FIGHTER))));
    u.base.kind = UK_MON;
    const int cat = get_race(RACE_HF_ORC)->type;
    EXPECT_EQ(txt::unit_type_line(out, &u), Str(L"<tip=#ucat_%d><nobr>%s</nobr></tip>", cat, name_of(&get_u_cat(cat))));
    u.base.lv = 7;
    EXPECT_EQ(txt::lv_line(out, &u),
              Str(L"<b tip=$lv>等级 <c=y>7</c></b> <tip=#ucat_%d><nobr>%s</nobr></tip>", cat, name_of(&get_u_cat(cat))));
}

TEST_F(DescParts, HeadingsAndSectionHeadings) {
    Str out;
    EXPECT_EQ(txt::heading_text(out, L"powers", L"atk_m", L"Strike", 1, L" x"),
              Str(L"<h2 f=b4><ico=powers/atk_m c=w> Strike x</h2>"));
    EXPECT_EQ(txt::heading_text(out, L"cursors", L"mov", L"Walk", 0, nullptr),
              Str(L"<h2><ico=cursors/mov c=w> Walk</h2>"));
    EXPECT_EQ(txt::sect_head(out, L"abi", L"属性", L"10/12"),
              Str(L"<h3 c=lbl mgn_t=16><tip=$abi><ico=misc/abi> 属性</tip> 10/12</h3>"));
    EXPECT_EQ(txt::sect_head_n(out, L"tip text", L"def", L"防御", 18, L"AO"),
              Str(L"<h3 c=lbl mgn_t=16><tip=\"tip text\"><ico=misc/def> 防御 <c=w>18</c></tip> AO</h3>"));
    EXPECT_EQ(txt::sect_head_cnt(out, L"feat", L"专长", L"A\nB", 2, true),
              Str(L"<h3 c=lbl mgn_t=16><tip=$feat><ico=misc/feat> 专长</tip> <c=a>(2)</c></h3>A\nB"));
    EXPECT_EQ(txt::sect_head_cnt(out, L"feat", L"专长", L"A\nB", 2, false),
              Str(L"<h3 c=lbl mgn_t=16><tip=$feat><ico=misc/feat> 专长</tip> <c=w tip=\"A\nB\">(2)</c></h3>"));
}
