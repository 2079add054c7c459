#include "screens/text/lv_up_summary.h"

#include <gtest/gtest.h>

#include <string>

#include "rules/bld_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "screens/text/desc_parts.h"
#include "screens/text/tip_refs.h"
#include "support/screen_driver.h"
#include "text_env.h"

namespace {

class LvUpSummary : public text_env_t {
protected:
    unit_t old_u, new_u;
    void SetUp() override {
        old_u.from_bld(BLD_TH, L"Hero", L"units_pc/010101", L"faces_pc/0102");
        old_u.base.lv = 2;  // 2 to 3 leaves the half-level attack bonus as it is
        new_u = old_u;
        new_u.base.lv = 3;
    }
    static Str row(const wchar_t* label, int a, int b) {
        return Str(L"<c=lbl>%s</c><x=96><c=a>%d<x=128>-></c><x=160>%d<x=192>(<c=g>+%d</c>)\n", label, a, b, b - a);
    }
};

}  // namespace

TEST_F(LvUpSummary, ALevelThatRaisesOnlyHitPoints) {
    new_u.drv.hp_max = old_u.drv.hp_max + 8;
    Str level;
    EXPECT_EQ(txt::lv_up_summary(&old_u, &new_u),
              Str(L"<b><f=b6>Hero</f>\n<c=a>%s</c>\n\n<f=b6><c=lbl>等级</c><x=96><c=a>2<x=128>-></c><x=160>3\n</f>"
                  L"<h3 c=lbl mgn_t=16>基本</h3>",
                  txt::lv_line(level, &old_u)) +
                  row(L"生命值", old_u.drv.hp_max, new_u.drv.hp_max));
}

TEST_F(LvUpSummary, ATypedNameShowsAsTyped) {
    old_u.name = L"<b>'Hero'";
    const std::wstring chars = screen_driver_t::shown_chars(txt::lv_up_summary(&old_u, &new_u).c_str());
    EXPECT_EQ(chars.rfind(L"<b>'Hero'", 0), 0u);
}

TEST_F(LvUpSummary, AnAbilityIncreaseAndRisingDefencesAndAttacksGetTheirGroups) {
    new_u.base.abi[ABI_DEX] += 1;
    new_u.drv.def[DEF_RF] += 1;
    new_u.drv.init += 2;
    new_u.drv.def[DEF_WL] -= 1;  // what fell is not shown
    new_u.base.lv = 4;    // half the level rises: every attack with it
    const Str s = txt::lv_up_summary(&old_u, &new_u);
    EXPECT_TRUE(has(s, Str(L"<h3 c=lbl mgn_t=16><ico=misc/abi> 属性</h3>") +
                           row(name_of(get_abi(ABI_DEX)), old_u.base.abi[ABI_DEX], new_u.base.abi[ABI_DEX])));
    EXPECT_TRUE(has(s, Str(L"<h3 c=lbl mgn_t=16><ico=misc/def> 防御</h3>") +
                           row(L"反射", old_u.get_def(DEF_RF), new_u.get_def(DEF_RF)) + L"<h3"));
    EXPECT_TRUE(has(s, Str(L"<h3 c=lbl mgn_t=16><ico=misc/atk> 攻击</h3>") +
                           row(L"近战攻击", old_u.get_atk(ATK_MELEE), new_u.get_atk(ATK_MELEE))));
    EXPECT_TRUE(has(s, Str(L"<h3 c=lbl mgn_t=16>基本</h3>") + row(L"先攻", old_u.drv.init, new_u.drv.init) + L"<h3"));
    EXPECT_FALSE(has(s, L"意志"));
    EXPECT_FALSE(has(s, L"生命值"));
    new_u.drv.init = old_u.drv.init;
    EXPECT_TRUE(has(txt::lv_up_summary(&old_u, &new_u), L"<h3 c=lbl mgn_t=16>基本</h3><h3"))
        << "the basic heading stands even when empty";
}

TEST_F(LvUpSummary, NewFeatsAndSpellsButNoBlockForASwap) {
    std::vector<int> free;  // feats the build does not hold
    for (int id = P_INIT1; id <= P_INIT1 + 102 && free.size() < 2; ++id)
        if (!old_u.has_pwr(id)) free.push_back(id);
    ASSERT_EQ(free.size(), 2u);
    old_u.pwrs.add(free[0]);
    new_u.pwrs.add(free[1]);  // one feat given up for another: the count stays
    Str s = txt::lv_up_summary(&old_u, &new_u);
    EXPECT_FALSE(has(s, L"专长"));
    new_u.pwrs.add(free[0]);
    new_u.pwrs.add(P_MM);
    Str feat, mm;
    txt::pwr_link(feat, free[1]), txt::pwr_link(mm, P_MM);
    s = txt::lv_up_summary(&old_u, &new_u);
    EXPECT_TRUE(has(s, Str(L"<h3 c=lbl mgn_t=16>专长</h3><c=g><el>%s</el></c><h3 c=lbl mgn_t=16>法术</h3><c=g><el>%s</el></c>",
                           feat, mm)));
    EXPECT_EQ(s.at_from_end(0), L'>');
}
