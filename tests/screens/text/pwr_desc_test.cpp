#include "screens/text/pwr_desc.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "app/paths.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dmg.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/pwr_ids.h"
#include "support/temp_dir.h"
#include "text_env.h"

namespace {

class PwrDesc : public text_env_t {
protected:
    static Pwr feat(const wchar_t* name, const wchar_t* d) {
        Pwr p;
        p.flags = PF_FEAT;
        text_info_t::set(&p.n, name);
        text_info_t::set(&p.d, d);
        return p;
    }
    // An action of the key "bash", named "Bash", described "Hit it.".
    static act_t act(uint32_t flags, int cost, int rng, int area, int atk, int def, const char* dmg, int cd, int cond,
                     int dur) {
        act_t a;
        EXPECT_TRUE(a.set_act("bash", flags, cost, rng, area, atk, def, dmg, 0, cd, cond, dur));
        text_info_t::set(&a.n, L"Bash");
        text_info_t::set(&a.d, L"Hit it.");
        return a;
    }
    static const wchar_t* cls(int c) { return name_of(get_cls(c)); }
    static Str out;
};
Str PwrDesc::out;

}  // namespace

TEST_F(PwrDesc, AFeatWithoutConditionsShowsNone) {
    const Pwr p = feat(L"Toughness", L"More hit points.");
    EXPECT_EQ(txt::pwr_tip_text(p, out), Str(L"<c=w><h2 c=lbl>Toughness</h2>\n<c=lbl>条件：</c><c=a>无</c>\n"
                                             L"<c=lbl>使用：</c><c=a>被动</c>\n\n<c=lbl>效果：</c>More hit points.</c>"));
    Str desc;
    EXPECT_EQ(txt::pwr_desc_text(p, desc), out);
}

TEST_F(PwrDesc, ConditionsListClassesPrerequisitesLevelAndAbilitiesInOrder) {
    Pwr p = feat(L"Great", L"Hits twice.");
    text_info_t::set(&p.b, L"Combat feat");
    p.cls_mask = 1u << CLS_FIGHTER | 1u << CLS_WIZARD | 1u << CLS_PRIEST;  // class 5 is no playable class
    p.prereqs = {P_CLEAVE};
    p.lv = 4;
    p.abi_min[ABI_STR] = 13;
    p.abi_min[ABI_CHA] = 11;
    EXPECT_EQ(txt::pwr_tip_text(p, out),
              Str(L"<c=w><h2 c=lbl>Great</h2><c=#FF808080>Combat feat</c>\n\n<c=lbl>条件：</c><nobr>%s</nobr>, "
                  L"<nobr>%s</nobr>, %s, 等级 4, %s 13, %s 11\n<c=lbl>使用：</c><c=a>被动</c>\n\n"
                  L"<c=lbl>效果：</c>Hits twice.</c>",
                  cls(CLS_FIGHTER), cls(CLS_WIZARD), get_pwr(P_CLEAVE)->n, name_of(get_abi(ABI_STR)),
                  name_of(get_abi(ABI_CHA))));
}

TEST_F(PwrDesc, EntryLineHasAnIconOnlyForActionsUsedAsCommands) {
    const Pwr p = feat(L"Toughness", L"");
    EXPECT_EQ(txt::pwr_line(p), Str(L"Toughness"));
    act_t a = act(0, COST_STD, 1, 0, ATK_MELEE, DEF_AC, nullptr, 0, 0, 0);
    EXPECT_EQ(txt::pwr_line(a), Str(L"<ico=powers/bash c=w> Bash"));
    a.flags |= PF_KIND2;  // switched on and off
    EXPECT_EQ(txt::pwr_line(a), Str(L"Bash"));
    // An action that is not a spell has the power's tooltip, marked active.
    a.flags = 0;
    EXPECT_EQ(txt::act_tip_text(a, out), Str(L"<c=w><h2 c=lbl><ico=powers/bash c=w> Bash</h2>\n<c=lbl>条件：</c><c=a>无</c>\n"
                                             L"<c=lbl>使用：</c><c=y>主动</c>\n\n<c=lbl>效果：</c>Hit it.</c>"));
}

TEST_F(PwrDesc, AnActionWithoutSchoolOrCooldownStartsWithItsAttackLine) {
    const act_t a = act(PF_NO_AOO, COST_STD, -1, 0, ATK_MELEE, DEF_AC, "W1", 0, -C_PRONE, 0);
    EXPECT_EQ(txt::act_desc_text(a, out),
              Str(L"<c=w><h2 c=lbl><ico=powers/bash c=w> Bash <r f=b4 c=w>%s动作</r></h2>%s <c=a>vs</c> %s\n"
                  L"<f=#15>%s</f>\n<f=b5 c=y>-%s</f>\n<c=lbl>距离：</c>武器攻击距离\n<c=lbl>范围：</c>单体\n"
                  L"<hr><c=#a>Hit it.</c></c>",
                  name_of(get_act_cost(COST_STD)), name_of(get_atk(ATK_MELEE)), name_of(get_def(DEF_AC)),
                  dmg_list_lines(a.dmg), name_of(get_cond(C_PRONE))));
}

TEST_F(PwrDesc, CooldownSureHitDurationAndWarnings) {
    const act_t a = act(PF_ATK_PEN, COST_FULL, 7, 2, ATK_SPL, 0, nullptr, 3, C_SLOW, COND_FOREVER);
    EXPECT_EQ(txt::act_desc_text(a, out),
              Str(L"<c=w><h2 c=lbl><ico=powers/bash c=w> Bash <r f=b4 c=w>%s动作</r></h2><c=a>非法术</c><r>3回合冷却</r>\n"
                  L"%s（必中）\n<f=b5 c=y>+%s</f>\n<c=#FF00FF00>整场战斗</c>\n<c=lbl>距离：</c>中距（7格）\n"
                  L"<c=lbl>范围：</c>半径2格\n<c=#FFFF0000>触发借机攻击</c>,<c=#FFFF0000>攻击惩罚</c>\n<hr><c=#a>Hit it.</c></c>",
                  name_of(get_act_cost(COST_FULL)), name_of(get_atk(ATK_SPL)), name_of(get_cond(C_SLOW))));
    // The engine waits out a cooldown from 2 rounds up; 1 is none.
    EXPECT_TRUE(std::wcsstr(txt::act_desc_text(act(PF_NO_AOO, COST_STD, 1, 0, ATK_MELEE, DEF_AC, nullptr, 2, 0, 0), out),
                            L"</h2><c=a>非法术</c><r>2回合冷却</r>\n"));
    EXPECT_FALSE(std::wcsstr(txt::act_desc_text(act(PF_NO_AOO, COST_STD, 1, 0, ATK_MELEE, DEF_AC, nullptr, 1, 0, 0), out),
                             L"非法术"));
    // A spell names its school; a single warning stands alone.
    act_t s = act(0, COST_STD, 0, 0, 0, 0, nullptr, 0, 0, 0);
    s.school = SCHOOL_ELEMENTAL;
    EXPECT_EQ(txt::act_desc_text(s, out),
              Str(L"<c=w><h2 c=lbl><ico=powers/bash c=w> Bash <r f=b4 c=w>%s动作</r></h2><c=#FF6666FF>%s系</c>\n"
                  L"<c=lbl>距离：</c>自身\n<c=lbl>范围：</c>单体\n<c=#FFFF0000>触发借机攻击</c>\n<hr><c=#a>Hit it.</c></c>",
                  name_of(get_act_cost(COST_STD)), name_of(get_spl_cat(SCHOOL_ELEMENTAL))));
}

TEST_F(PwrDesc, ASpellTooltipSaysWhichClassesLearnItAtWhichLevel) {
    act_t s = act(PF_NO_AOO, COST_STD, 7, 0, ATK_SPL, DEF_WL, nullptr, 2, 0, 0);
    s.school = SCHOOL_CONJURATION;
    s.lv = 2;
    s.cls_mask = 1u << CLS_CLERIC | 1u << CLS_WIZARD | 1u << CLS_SHAMAN;
    Str desc;
    txt::act_desc_text(s, desc);
    EXPECT_EQ(txt::act_tip_text(s, out),
              desc + Str(L"\n\n<c=lbl>习得条件: </c><c=w><nobr>%s</nobr></c> <c=a>等级</c> <c=y>3</c>; "
                         L"<c=w><nobr>%s</nobr></c> <c=a>等级</c> <c=y>3</c>",
                         cls(CLS_CLERIC), cls(CLS_WIZARD)));
    // No class mask, no spell level, or no playable class: the description alone.
    for (auto [mask, level] : {std::pair{0u, 2}, {1u << CLS_WIZARD, 0}, {1u << CLS_SHAMAN, 2}}) {
        s.cls_mask = mask;
        s.lv = level;
        txt::act_desc_text(s, desc);
        EXPECT_EQ(txt::act_tip_text(s, out), desc) << mask << " " << level;
    }
}

TEST_F(PwrDesc, HeadingFallsBackToTheDefaultPictureWhenThePowerHasNone) {
    const Str exe = get_exe_dir();
    temp_dir_t dir;
    dir.file("gfx/powers/bash.png");
    set_exe_dir(utf8_to_str((dir.path() + "/").c_str()));
    act_t a = act(0, COST_STD, 1, 0, ATK_MELEE, DEF_AC, nullptr, 0, 0, 0);
    EXPECT_EQ(txt::get_heading(out, a, 1, L""), Str(L"<h2 f=b4><ico=powers/bash c=w> Bash</h2>"));
    text_info_t::set(&a.k, L"no_picture");
    EXPECT_EQ(txt::get_heading(out, a, 0, L" (2)"), Str(L"<h2><ico=powers/def c=w> Bash (2)</h2>"));
    set_exe_dir(exe);
}
