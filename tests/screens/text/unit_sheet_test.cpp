#include "screens/text/unit_sheet.h"

#include <gtest/gtest.h>

#include <string>

#include "battle/btl.h"
#include "rules/bld_ids.h"
#include "rules/brk_line.h"
#include "rules/cls_ids.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dmg.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/itm_slot.h"
#include "rules/pwr_ids.h"
#include "rules/urank.h"
#include "screens/text/desc_parts.h"
#include "screens/text/tip_refs.h"
#include "support/screen_driver.h"
#include "text_env.h"

namespace {

class UnitSheet : public text_env_t {
protected:
    static unit_t pc(int bld) {
        unit_t u;
        u.from_bld(bld, L"Hero", L"units_pc/010101", L"faces_pc/0102");
        return u;
    }
    static const wchar_t* strs_d(const wchar_t* key) { return get_text_info(key)->d; }
};

}  // namespace

TEST_F(UnitSheet, AMediumStandardUnitHasNoSizeOrRankTagALargeEliteOneBoth) {
    unit_t u = pc(BLD_TH);
    ASSERT_EQ(u.drv.size, SIZE_MEDIUM);
    ASSERT_EQ(u.base.rank, RANK_NORMAL);
    Str level;
    txt::lv_line(level, &u);
    const Str head = txt::unit_head(&u) + Str(L"\n<c=a>%s</c>\n", level);
    const Str sheet = txt::unit_sheet(&u, txt::SHEET_ALL);
    EXPECT_EQ(sheet.left(head.length() + 6), head + Str(L"\n<tip="));
    u.drv.size = SIZE_LARGE;
    u.base.rank = RANK_ELITE;
    const urank_t& elite = get_urank(RANK_ELITE);
    EXPECT_TRUE(has(txt::unit_sheet(&u, 0), Str(L"</c>\n<tip=#usize_4>%s</tip> <tip=#urank_2><c=#%08x>%s</c></tip>\n<tip='",
                                                 name_of(get_u_size(SIZE_LARGE)), elite.clr.v, elite.n)));
    u.drv.size = SIZE_MEDIUM;  // the rank alone needs no blank before it
    EXPECT_TRUE(has(txt::unit_sheet(&u, 0), L"</c>\n<tip=#urank_2>"));
}

TEST_F(UnitSheet, AnUnknownMonsterShowsThePlaceholderAndNothingElse) {
    unit_t m;
    m.from_mon(1, 3);
    btl().state = BTL_RUNNING;  // a battle under way, in which nobody of the player's side has seen it
    const Str head(L"<b><img=\"faces_npc/null\" bg_c=#1f bdr_c=fc_kk sz=72><min_x=80><f=b5><nobr><c=r>未知生物</c>"
                   L"</nobr></f>");
    EXPECT_EQ(txt::unit_sheet(&m, txt::SHEET_ALL), head);
    EXPECT_EQ(txt::unit_caption(&m), Str(L"<b><nobr><c=r>未知生物</c></nobr></b>"));
    EXPECT_EQ(txt::unit_tip_text(&m), txt::unit_caption(&m));
    m.btl.known = 1;
    Str name, level;
    m.get_disp_name(name);
    EXPECT_EQ(txt::unit_head(&m),
              Str(L"<b><img=\"%s\" bg_c=#1f bdr_c=fc_kk sz=72><min_x=80><f=b5><nobr>%s</nobr></f>", m.img, name))
        << "no portrait: the battle icon";
    EXPECT_EQ(txt::unit_caption(&m), Str(L"<b><nobr>%s</nobr> (%s)</b>", name, txt::hp_text(&m)));
    EXPECT_EQ(txt::unit_tip_text(&m), txt::unit_caption(&m) + Str(L"\n<c=a b>%s</c>", txt::lv_line(level, &m)));
    // A summoned unit names its summoner.
    unit_t by = pc(BLD_SUM);
    by.btl.known = 1;
    m.creator = &by;
    Str by_name;
    by.get_disp_name(by_name);
    EXPECT_EQ(txt::unit_caption(&m),
              Str(L"<b><nobr>%s</nobr> (%s) - <c=lbl>召唤者:</c> <nobr>%s</nobr></b>", name, txt::hp_text(&m), by_name));
}

TEST_F(UnitSheet, AttackRowsFollowTheClass) {
    unit_t u = pc(BLD_TH);
    const Str spl(L"<b c=lbl>%s</b>\t", name_of(get_atk(ATK_SPL))), turn(L"<b c=lbl>%s</b>\t", name_of(get_atk(ATK_TURN)));
    const struct {
        int cls;
        bool spl, turn;
    } rows[] = {{CLS_FIGHTER, false, false}, {CLS_WIZARD, true, false}, {CLS_CLERIC, true, true},
                {CLS_PRIEST, true, true},    {CLS_SHAMAN, true, false}};
    for (const auto& r : rows) {
        u.base.cls = r.cls;
        const Str s = txt::atk_sect(&u, 0);
        EXPECT_EQ(has(s, spl), r.spl) << r.cls;
        EXPECT_EQ(has(s, turn), r.turn) << r.cls;
        EXPECT_TRUE(has(s, Str(L"<b c=lbl>%s</b>\t%d\n", name_of(get_atk(ATK_MELEE)), u.get_atk(ATK_MELEE)))) << r.cls;
    }
    // The heading counts the best value shown.
    u.base.cls = CLS_FIGHTER;
    int best = -1000;
    for (int k : {ATK_MELEE, ATK_RANGE, ATK_CM}) best = std::max(best, u.get_atk(k));
    EXPECT_TRUE(has(txt::atk_sect(&u, 0), Str(L"<ico=misc/atk> 攻击 <c=w>%d</c></tip> </h3>", best)));
}

TEST_F(UnitSheet, WeaponAttackLinesAndTheOtherActions) {
    unit_t u = pc(BLD_TH);
    const itm_slot_t& wpn = u.eqpts.slots[EQ_MAIN];
    Str link;
    txt::itm_link(link, wpn);
    const Str s = txt::atk_sect(&u, 0);
    EXPECT_TRUE(has(s, Str(L"</h3><tip=&pwr:2><ico=powers/atk_m></tip> %s <tip='<c=lbl b>攻击:</c>\n", link)));
    EXPECT_TRUE(has(s, L"'><nobr><c=g>+")) << "the bonus and the damage wrap as one";
    EXPECT_FALSE(has(s, L"&pwr:3>")) << "no ranged weapon";
    EXPECT_FALSE(has(s, L"弹药"));
    // A bow with its arrows: the ready count, in the tooltip and in brackets.
    unit_t r = pc(BLD_RNG);
    const int arrows = r.eqpts.ammo_for(r.eqpts.slots[EQ_MAIN]);
    ASSERT_GT(arrows, 0);
    const Str rs = txt::atk_sect(&r, 0);
    EXPECT_TRUE(has(rs, L"<tip=&pwr:3><ico=powers/atk_r></tip> "));
    EXPECT_TRUE(has(rs, Str(L"\n\n<c=lbl b>弹药: </c>%d'>", arrows)));
    EXPECT_TRUE(has(rs, Str(L"<c=fc_bb> [%d]</c></tip>", arrows)));
    // Other actions: compact behind a count, or listed.
    u.pwrs.add(P_TRIP);
    Str trip;
    txt::pwr_link(trip, P_TRIP);
    EXPECT_TRUE(has(txt::atk_sect(&u, 0), Str(L"</tip>\n<tip='%s'><ico=misc/act> <c=lbl>其他动作</c> (1)</tip>", trip)));
    const Str full = txt::atk_sect(&u, txt::SHEET_ACTS);
    EXPECT_EQ(full.mid(full.length() - trip.length(), trip.length()), trip);
}

TEST_F(UnitSheet, TraitsSectionOnlyWhenThereIsSomethingToSay) {
    unit_t u;  // nothing special at all
    EXPECT_TRUE(txt::trait_sect(&u, txt::SHEET_ALL).empty());
    EXPECT_FALSE(has(txt::unit_sheet(&u, txt::SHEET_ALL), L"$trait"));
    u.drv.res[DMG_FIRE] = 100;
    u.drv.trait[3] = 1;
    u.drv.imm[C_SLEEP] = 1;
    u.drv.imm[C_TURN] = 1;  // never listed
    u.drv.res[DMG_COLD] = -100;
    u.drv.dr = 5;
    u.pwrs.add(P_UNR_MS);
    u.pwrs.add(int(P_UNR_MA) + int(DMG_FIRE));
    const text_info_t* imm = get_text_info(L"imm");
    const text_info_t* vul = get_text_info(L"vul");
    const text_info_t* dr = get_text_info(L"dr");
    // Each name of a list kept whole.
    const Str lines(L"<c=lbl tip='%s'>%s</c> <nobr>%s</nobr>,<nobr>%s</nobr>,<nobr>%s</nobr>\n<c=lbl tip='%s'>%s</c> "
                    L"<nobr>%s</nobr>\n<tip='%s'><c=lbl>%s</c> 5</tip><c=r tip='%s'> /<nobr>银</nobr>,<nobr>%s</nobr></c>",
                    imm->d, imm->n, get_dmg_type(DMG_FIRE)->n, L"重击免疫", name_of(get_cond(C_SLEEP)), vul->d, vul->n,
                    get_dmg_type(DMG_COLD)->n, dr->d, dr->n, strs_d(L"unr"), get_dmg_type(DMG_FIRE)->n);
    Str head;
    EXPECT_EQ(txt::trait_sect(&u, txt::SHEET_TRAITS), txt::sect_head(head, L"trait", L"特殊", L"") + lines);
    EXPECT_EQ(txt::trait_sect(&u, 0), txt::sect_head(head, L"trait", L"特殊", Str(L"<c=w tip=\"%s\">...</c>", lines)));
    // A special immunity alone still gets the label.
    unit_t v;
    v.drv.imm[C_SLEEP] = 1;
    EXPECT_EQ(txt::trait_sect(&v, txt::SHEET_TRAITS),
              txt::sect_head(head, L"trait", L"特殊", L"") +
                  Str(L"<c=lbl tip='%s'>%s</c> <nobr>%s</nobr>", imm->d, imm->n, name_of(get_cond(C_SLEEP))));
    // An emergency heal spent in this battle leaves the list; the other stays.
    v.drv.auto_heal1 = v.drv.auto_heal2 = 10, v.btl.auto_heal1_used = 1;
    const Str heals = txt::trait_sect(&v, txt::SHEET_TRAITS);
    EXPECT_FALSE(has(heals, get_text_info(L"auto_heal1")->n));
    EXPECT_TRUE(has(heals, get_text_info(L"auto_heal2")->n));
}

TEST_F(UnitSheet, ConditionsWithValueAndDurationAndAuras) {
    unit_t u = pc(BLD_TH);
    EXPECT_TRUE(txt::cond_sect(&u).empty());
    cond_inst_t burn, def;
    make_cond_inst(burn, C_BURN, &u, 0, CI_NO_ROLL, 1);
    burn.dur = 2;
    make_cond_inst(def, C_DEF, nullptr, 0, CI_NO_ROLL, 0);
    def.dur = COND_FOREVER;
    u.conds.add(burn, false);
    u.conds.add(def, false);
    u.btl.auras.push_back({P_AURA5_DMG2, &u});
    u.btl.auras.push_back({P_AURA1_FIRE5, &u});
    const cond_t* b = get_cond(C_BURN);
    const cond_t* d = get_cond(C_DEF);
    const Pwr* a1 = get_pwr(P_AURA5_DMG2);
    const Pwr* a2 = get_pwr(P_AURA1_FIRE5);
    EXPECT_EQ(txt::cond_sect(&u),
              Str(L"<h3 c=lbl mgn_t=8 tip=$cond><ico=misc/cond> 状态</h3><c=g tip='%s'>%s</c> (整场战斗)\n"
                  L"<c=r tip='%s'>%s 1</c> (2%s回合)\n<c=g tip='%s'>%s</c>\n<c=r tip='%s'>%s</c>",
                  d->d, d->n, b->d, b->n, lang_wsp, a1->d, a1->n, a2->d, a2->n));
}

TEST_F(UnitSheet, AbilitiesCompactOrInRowsAndTheAttackOfOpportunityMark) {
    unit_t u = pc(BLD_TH);
    u.drv.no_abi[ABI_INT] = 1;
    const Str compact = txt::abi_sect(&u, 0);
    EXPECT_TRUE(has(compact, Str(L"<c=#ff9 tip='<b c=lbl>%s:</b>\n", name_of(get_abi(ABI_STR)))));
    EXPECT_TRUE(has(compact, Str(L"'>%d</c>/<c=#ff9 ", u.drv.abi[ABI_STR])));
    EXPECT_TRUE(has(compact, L"'>-</c>/<c=#99f "));
    EXPECT_TRUE(has(compact, Str(L"'>%d</c></h3>", u.drv.abi[ABI_CHA])));
    const Str rows = txt::abi_sect(&u, txt::SHEET_ABIS);
    EXPECT_TRUE(has(rows, Str(L"<c=lbl tip=#abi_5 tip_w=512>%s</c> <tip='", name_of(get_abi(ABI_CHA)))));
    EXPECT_EQ(rows.at_from_end(0), L'>');  // no newline after the last row
    // "AO" only while a battle runs and the unit may still strike.
    const wchar_t* ao = L"<r c=fc_r tip=角色当前可进行借机攻击>AO</r></h3>";
    ASSERT_GT(u.drv.aoo, 0);
    EXPECT_FALSE(has(txt::def_sect(&u), ao));
    btl().state = BTL_RUNNING;
    EXPECT_TRUE(has(txt::def_sect(&u), ao));
    u.btl.free_cmds = u.drv.aoo;  // used up this round
    EXPECT_FALSE(has(txt::def_sect(&u), ao));
}

TEST_F(UnitSheet, FeatListsIndentByTierWhereThePrerequisitesAreHeld) {
    unit_t u;
    const std::vector<int> ids = {P_PA, P_CLEAVE, P_CLEAVE_X};
    Str pa, cl, clx;
    txt::pwr_link(pa, P_PA), txt::pwr_link(cl, P_CLEAVE), txt::pwr_link(clx, P_CLEAVE_X);
    // Each entry one line: a name too long for the pane is cut, never wrapped to the margin.
    for (Str* s : {&pa, &cl, &clx}) *s = Str(L"<el>") + *s + L"</el>";
    u.pwrs.add(P_PA);
    EXPECT_EQ(txt::pwr_list(&u, ids, 1), pa + L"\n    " + cl + L"\n" + clx) << "cleave_x lacks its prerequisite here";
    u.pwrs.add(P_CLEAVE);
    EXPECT_EQ(txt::pwr_list(&u, ids, 1), pa + L"\n    " + cl + L"\n        " + clx);
    EXPECT_EQ(txt::pwr_list(&u, ids, 0), pa + L"\n" + cl + L"\n" + clx);
    EXPECT_EQ(txt::pwr_list(&u, {}, 1), Str(L"无"));
    // The feats section: the held feats, listed or behind their count.
    u.pwrs.add(P_CLEAVE_X);
    u.pwrs.add(P_TRIP);  // no feat
    const Str list = txt::pwr_list(&u, ids, 1);
    Str head;
    EXPECT_EQ(txt::feat_sect(&u, txt::SHEET_FEATS), txt::sect_head_cnt(head, L"feat", L"专长", list, 3, true));
    EXPECT_EQ(txt::feat_sect(&u, 0), txt::sect_head_cnt(head, L"feat", L"专长", list, 3, false));
}

TEST_F(UnitSheet, ATypedNameShowsLiterallyOnTheSheetAndInTheCaption) {
    unit_t u = pc(BLD_TH);
    u.name = L"<b>Bob</b> 'x'";
    for (const Str& text : {txt::unit_sheet(&u, txt::SHEET_ALL), txt::unit_caption(&u), txt::unit_tip_text(&u)}) {
        const std::wstring chars = screen_driver_t::shown_chars(text.c_str());
        EXPECT_NE(chars.find(L"<b>Bob</b> 'x'"), std::wstring::npos) << to_utf8_string(text.buf);
    }
}
