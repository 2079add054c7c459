// The derived statistics of a unit and their breakdown texts.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "app/db.h"
#include "app/lua_files.h"
#include "app/str.h"
#include "app/text_info.h"
#include "battle/roster.h"
#include "rules/brk_line.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/ie_ids.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/load_type.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"
#include "support/scoped_set.h"
#include "tests/rules/itm_inst.h"

namespace {

// Texts of the names the breakdown lines show.
const char* main_lua = R"(_wsp = ' ' _dot = '。' strs = {
    abis = { {n = '力量'}, {n = '敏捷'}, {n = '体质'}, {n = '智力'}, {n = '感知'}, {n = '魅力'} },
    uranks = { {n = '普通'}, {n = '精英'}, {n = '首领'}, {n = '杂兵'} },
    pwrs = { [16] = {n = '先攻强化'}, [18] = {n = '强健'}, [23] = {n = '闪避'}, [146] = {n = '伤害减免10'} },
})";
const char* conds_lua = "conds = { [3] = {n = '倒地'}, [14] = {n = '全力防御'}, [19] = {n = '狂暴'} }";
const char* itms_lua = "itms = { [70] = {n = '鳞甲'}, [74] = {n = '轻盾'}, [122] = {n = '幸运戒指'} }";

class Recalc : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new lua_dir_t;
        dir->write("main.lua", main_lua);
        dir->write("cn/conds.lua", conds_lua);
        dir->write("cn/itms.lua", itms_lua);
        dir->load();
        reg_rules_tbls();
        load_txt_tbls();
        init_pwrs();
    }
    static void TearDownTestSuite() {
        free_pwrs();
        db_t::instance().close();
        delete dir;
    }

    // A level-lv unit of the race and class with the six scores and the powers: u, or a new one.
    static void make(unit_t& u, int kind, int race, int cls, int lv, std::initializer_list<int> abi,
                     std::initializer_list<int> pwrs = {}) {
        for (int p : pwrs) u.pwrs.add(p);
        u.base.kind = kind;
        u.base.rank = 1;
        u.base.race = race;
        u.base.cls = cls;
        u.base.lv = lv;
        int i = 0;
        for (int a : abi) u.base.abi[i++] = a;
        u.recalc();
    }
    static unit_t fresh(int kind, int race, int cls, int lv, std::initializer_list<int> abi,
                        std::initializer_list<int> pwrs = {}) {
        unit_t u;
        make(u, kind, race, cls, lv, abi, pwrs);
        return u;
    }
    static std::wstring text(const unit_t& u, int n) { return u.texts[n].buf; }
    // Armour class, Fortitude, Reflex, Will and the manoeuvre defence.
    static std::array<int, 5> defs(const unit_t& u) {
        const int* d = u.drv.def;
        return {d[1], d[2], d[3], d[4], d[5]};
    }
    // The value of the breakdown line of text n that ends in label; -999 without one.
    static int line_value(const unit_t& u, int n, const std::wstring& label) {
        const std::wstring t = L"\n" + text(u, n);
        const size_t at = t.find(L"</c>\t" + label);
        if (at == std::wstring::npos) return -999;
        const size_t v = t.rfind(L'>', at - 1) + 1;
        return std::stoi(t.substr(v, at - v));
    }
    static std::wstring name_of(const itm_slot_t& s) {
        Str n;
        return s.get_name(n).buf;
    }

    static inline lua_dir_t* dir = nullptr;
};

}  // namespace

TEST_F(Recalc, ACharacterAndItsBreakdownTexts) {
    // No class has 6 hit points a level; the worked example borrows the fighter's row.
    scoped_set_t six(const_cast<cls_t*>(get_cls(1))->hp_lv, 6);
    unit_t u;
    u.eqpts.slots[EQ_MAIN] = inst(33, 0);
    u.eqpts.slots[EQ_OFF] = inst(74, 0);
    u.eqpts.slots[EQ_BODY] = inst(70, 1);
    u.eqpts.slots[13] = inst(122, 0);
    // "init1", "dodge", and light and heavy shields but no medium armour.
    make(u, UK_PC, 24, 1, 1, {16, 13, 14, 10, 12, 8}, {16, 23, 48});
    const std::wstring mail = name_of(u.eqpts.slots[EQ_BODY]), shield = name_of(u.eqpts.slots[EQ_OFF]),
                       ring = name_of(u.eqpts.slots[13]);
    ASSERT_NE(mail.find(L"鳞甲"), std::wstring::npos);  // the item texts are loaded

    EXPECT_EQ((std::array{u.drv.hp_max, u.hp, u.drv.xp_val}), (std::array{22, 22, 55}));
    EXPECT_EQ(defs(u), (std::array{20, 15, 12, 12, 14}));
    const u_drv_t& d = u.drv;
    EXPECT_EQ((std::array{d.init, d.spd, d.atk, d.dmg, d.asf, d.aoo}), (std::array{5, 4, -1, 1, 30, 1}));
    EXPECT_EQ(u.get_atk(1), 7);

    EXPECT_EQ(text(u, 0), L"6\t基础数值（种族）\n<c=r>-2</c>\t累赘");
    EXPECT_EQ(text(u, 1), L"<c=#ff00ff00>+1</c>\t敏捷修正\n<c=#ff00ff00>+4</c>\t先攻强化");
    EXPECT_EQ(text(u, 2), L"(6 +2) x1 +14\n<c=a>（职业每级生命 +体质修正） x等级 +体质</c>");
    EXPECT_EQ(text(u, 3), L"<c=#ff00ff00>+1</c>\t" + ring + L"\n<c=#ffff0000>-2</c>\t非擅长防具/负重减值");
    EXPECT_EQ(text(u, 4), L"<c=#ff00ff00>+1</c>\t" + ring);
    const wchar_t* scores[] = {L"16\t基础数值", L"13\t基础数值", L"14\t基础数值",
                               L"10\t基础数值", L"12\t基础数值", L"8\t基础数值"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(text(u, 5 + i), scores[i]) << i;
    for (int i = 11; i <= 17; ++i) EXPECT_EQ(text(u, i), L"") << i;
    EXPECT_EQ(text(u, 18), L"10\t基础数值\n"
                           L"<c=#ff00ff00>+1</c>\t敏捷修正\n"
                           L"<c=#ffffffff>+0</c>\t等级修正\n"
                           L"<c=#ffffffff>+0</c>\t天生护甲\n"
                           L"<c=#ffffffff>+0</c>\t体形修正\n"
                           L"<c=#ffffffff>+0</c>\t职业修正\n"
                           L"<c=#ff00ff00>+6</c>\t" + mail + L"\n"
                           L"<c=#ff00ff00>+2</c>\t" + shield + L"\n"
                           L"<c=#ff00ff00>+1</c>\t闪避");
    EXPECT_EQ(text(u, 19), L"10\t基础数值\n"
                           L"<c=#ff00ff00>+2</c>\t体质修正\n"
                           L"<c=#ffffffff>+0</c>\t等级修正\n"
                           L"<c=#ff00ff00>+2</c>\t职业修正\n"
                           L"<c=#ff00ff00>+1</c>\t" + ring);
    EXPECT_EQ(text(u, 20), L"10\t基础数值\n"
                           L"<c=#ff00ff00>+1</c>\t敏捷修正\n"
                           L"<c=#ffffffff>+0</c>\t等级修正\n"
                           L"<c=#ffffffff>+0</c>\t职业修正\n"
                           L"<c=#ff00ff00>+1</c>\t" + ring + L"\n"
                           L"<c=#ff00ff00>+2</c>\t" + shield + L"\n"
                           L"<c=#ffff0000>-2</c>\t非擅长防具/负重减值");
    EXPECT_EQ(text(u, 21), L"10\t基础数值\n"
                           L"<c=#ff00ff00>+1</c>\t感知修正\n"
                           L"<c=#ffffffff>+0</c>\t等级修正\n"
                           L"<c=#ffffffff>+0</c>\t职业修正\n"
                           L"<c=#ff00ff00>+1</c>\t" + ring);
    EXPECT_EQ(text(u, 22), L"");

    // A second run writes the same texts again, not twice over.
    const std::wstring ac = text(u, 18);
    u.recalc();
    EXPECT_EQ(text(u, 18), ac);
    // A copy recalculates into its own texts.
    unit_t c(u);
    c.recalc();
    EXPECT_EQ(text(c, 18), ac);
    EXPECT_EQ(c.text_ptrs[18], &c.texts[18]);
}

TEST_F(Recalc, AMonsterAndItsBreakdownTexts) {
    unit_t m;
    m.eqpts.set_gear({1}, 0);  // a bite
    m.pwrs.add(146);           // "dr10"
    m.base.rank = 4;
    give_cond(m, 3, nullptr, 0, false);
    make(m, UK_MON, 34, 8, 5, {14, 12, 10, 8, 10, 12});
    m.base.rank = 4;  // a minion
    m.hp_ready = 0;
    m.recalc();

    const u_drv_t& d = m.drv;
    EXPECT_EQ((std::array{d.abi[0], d.abi[2], d.no_abi[2]}), (std::array{16, 10, 1}));
    EXPECT_EQ(d.abi_mod[1], 0);  // prone: no positive Dex modifier
    EXPECT_EQ(defs(m), (std::array{19, 12, 12, 13, 14}));
    EXPECT_EQ((std::array{d.hp_max, m.hp, d.xp_val, d.spd, d.dr, d.init}), (std::array{1, 1, 4, 3, 10, 2}));
    EXPECT_EQ((std::array{d.res[8], d.res[9], d.res[10], d.res[11]}), (std::array{100, 100, 0, 200}));
    EXPECT_TRUE(m.has_trait(4));
    for (int id : {5, 6, 7, 10, 11, 12, 20, 22}) EXPECT_TRUE(m.imm_cond(id)) << id;
    EXPECT_FALSE(m.imm_cond(9));  // the undead can be turned

    EXPECT_EQ(text(m, 0), L"6\t基础数值（种族）\n<c=r>半速</c>\t迟缓");
    EXPECT_EQ(text(m, 1), L"<c=#ffffffff>+0</c>\t敏捷修正\n<c=#ff00ff00>+2</c>\t等级修正");
    EXPECT_EQ(text(m, 2), L"(3 +0) x5 +10\n<c=a>（职业每级生命 +体质修正） x等级 +体质</c>\n<c=r>1</c>\t杂兵");
    EXPECT_EQ(text(m, 3) + text(m, 4), L"");  // no attack or damage lines
    EXPECT_EQ(text(m, 5), L"14\t基础数值\n<c=#ff00ff00>+2</c>\t魔法加值");
    EXPECT_EQ(text(m, 7), L"-\t无");
    EXPECT_EQ(text(m, 8), L"8\t基础数值\n<c=#ff00ff00>+2</c>\t魔法加值");
    EXPECT_EQ(text(m, 18), L"10\t基础数值\n"
                           L"<c=#ffffffff>+0</c>\t敏捷修正\n"
                           L"<c=#ff00ff00>+2</c>\t等级修正\n"
                           L"<c=#ff00ff00>+7</c>\t天生护甲\n"
                           L"<c=#ffffffff>+0</c>\t体形修正\n"
                           L"<c=#ffffffff>+0</c>\t职业修正");
    EXPECT_EQ(text(m, 21), L"10\t基础数值\n"
                           L"<c=#ff00ff00>+1</c>\t感知修正\n"
                           L"<c=#ff00ff00>+2</c>\t等级修正\n"
                           L"<c=#ffffffff>+0</c>\t职业修正");
}

TEST_F(Recalc, RanksScaleHitPointsAndExperience) {
    unit_t m = fresh(UK_MON, 24, 1, 4, {10, 10, 10, 10, 10, 10});
    m.base.rank = 4;
    m.recalc();
    EXPECT_EQ(std::pair(m.drv.hp_max, m.drv.xp_val), std::pair(1, 3));  // -(14 / -4)
    m.base.rank = 2;
    m.recalc();
    EXPECT_EQ(std::pair(m.drv.hp_max, m.drv.xp_val), std::pair(2 * ((5 + 0) * 4 + 10), 28));
    EXPECT_EQ(text(m, 2).substr(text(m, 2).rfind(L'\n') + 1), L"<c=g>x2</c>\t精英");
    EXPECT_FALSE(m.has_trait(2));
    m.base.rank = 3;
    m.recalc();
    EXPECT_TRUE(m.has_trait(2));
    EXPECT_EQ(m.drv.xp_val, 70);
    // A rank outside the table (a damaged file) changes nothing and divides by nothing.
    for (int bad : {0, 5, -7}) {
        m.base.rank = bad;
        m.recalc();
        EXPECT_EQ(std::pair(m.drv.xp_val, m.drv.hp_max), std::pair(14, 30)) << bad;
    }
}

TEST_F(Recalc, DexterityOfTheStunnedAndTheProne) {
    unit_t u = fresh(UK_PC, 24, 1, 1, {10, 16, 10, 10, 10, 10});
    EXPECT_EQ(u.drv.abi_mod[1], 3);
    give_cond(u, 3);
    EXPECT_EQ(u.drv.abi_mod[1], 0);
    give_cond(u, 5);
    EXPECT_EQ(u.drv.abi_mod[1], -5);
    u.conds.clear();
    EXPECT_EQ(u.drv.abi_mod[1], 3);
    // Below 10 the modifier rounds down.
    const int mods[][2] = {{9, -1}, {8, -1}, {7, -2}, {1, -5}, {0, -5}, {11, 0}, {30, 10}};
    for (const auto& [score, mod] : mods) {
        u.base.abi[1] = score;
        u.recalc();
        EXPECT_EQ(u.drv.abi_mod[1], mod) << score;
    }
}

TEST_F(Recalc, DamageTypePowersAndTheImmunitiesThatFollow) {
    unit_t u = fresh(UK_PC, 24, 1, 1, {10, 10, 10, 10, 10, 10}, {173, 209});  // "imm_f", "vul_f"
    EXPECT_EQ(std::tuple(u.drv.res[4], u.imm_cond(21)), std::tuple(-100, false));
    u.pwrs.remove(209);
    u.recalc();
    EXPECT_EQ(std::tuple(u.drv.res[4], u.imm_cond(21)), std::tuple(100, true));

    // A living unit: "pe" 200 and "ne" 0 whatever its powers say.
    u.pwrs.add(192);  // "aff_n"
    u.pwrs.add(215);  // "vul_e"
    u.recalc();
    EXPECT_EQ((std::array{u.drv.res[9], u.drv.res[10], u.drv.res[11]}), (std::array{100, 200, 0}));
    u.pwrs.add(228);  // "res_elm" overrides the fire immunity
    u.recalc();
    for (int t = 4; t <= 7; ++t) EXPECT_EQ(u.drv.res[t], 50) << t;
}

TEST_F(Recalc, RegenerationMakesImmuneToBleeding) {
    unit_t u = fresh(UK_MON, 24, 1, 12, {10, 10, 10, 10, 10, 10});
    EXPECT_FALSE(u.imm_cond(20));
    u.pwrs.add(148);  // "hr5": (12 / 10 + 1) x 5
    u.recalc();
    EXPECT_EQ(std::tuple(u.drv.hr, u.imm_cond(20)), std::tuple(10, true));
    u.pwrs.remove(148);
    u.eqpts.slots[13] = inst(131, 1);  // a ring of regeneration
    u.recalc();
    EXPECT_EQ(std::tuple(u.drv.hr, u.imm_cond(20)), std::tuple(2, true));
    u.eqpts.slots[13].clear();
    give_cond(u, 24);  // regenerating: the condition, not the power
    EXPECT_TRUE(u.imm_cond(20));
}

// Each gear value lands on its own derived word and on no other.
TEST_F(Recalc, GearValuesLandOnTheirOwnWords) {
    using d = u_drv_t;
    const std::pair<int, int d::*> rows[] = {
        {IE_CTR_ATK1, &d::ctr_atk}, {IE_BOUNCE_P, &d::bounce_p}, {IE_BOUNCE_F, &d::bounce_f}, {IE_ER1, &d::er},
        {IE_ELM_DMG, &d::elm_dmg}, {IE_PE_DMG, &d::pe_dmg}, {IE_NE_DMG, &d::ne_dmg}, {IE_TO_HEAL, &d::to_heal},
        {IE_AC_RNG1, &d::ac_rng}, {IE_BE_HEAL, &d::be_heal}, {IE_AUTO_HEAL1, &d::auto_heal1},
        {IE_AUTO_HEAL2, &d::auto_heal2}};
    for (const auto& [ie, word] : rows) {
        unit_t u;
        u.eqpts.slots[13] = inst(ITM_RING_LUCK1, 1, {ie});
        make(u, UK_PC, 24, 1, 1, {10, 10, 10, 10, 10, 10});
        const int v = itm_ench_val(u.eqpts.slots[13], ie);
        ASSERT_NE(v, 0) << ie;
        for (const auto& [other, w] : rows) EXPECT_EQ(u.drv.*w, other == ie ? v : 0) << ie << " on " << other;
    }
}

TEST_F(Recalc, SizeChangesArmourClass) {
    const struct { int race; int size; int ac; } cases[] = {{30, 2, 12}, {24, 3, 10}, {21, 4, 9}};  // the halfling's luck adds 1
    for (const auto& c : cases) {
        unit_t u = fresh(UK_PC, c.race, 8, 1, {10, 10, 10, 10, 10, 10});
        ASSERT_EQ(u.drv.size, c.size) << c.race;
        EXPECT_EQ(u.drv.def[1] - get_race(c.race)->nac, c.ac) << c.race;
        EXPECT_EQ(u.get_atk(2), 4 - size_mod(c.size)) << c.race;
    }
    unit_t u = fresh(UK_PC, 24, 8, 1, {10, 10, 10, 10, 10, 10}, {220});  // "sz_a1": a medium human grows large
    EXPECT_EQ(std::pair(u.drv.size, u.drv.def[1]), std::pair(4, 9));
}

TEST_F(Recalc, LoadAndArmourSlowTheUnit) {
    unit_t u;
    u.eqpts.slots[EQ_QUICK].set(169, 200);  // 200 weight: overload at Strength 10
    make(u, UK_PC, 24, 1, 1, {10, 10, 10, 10, 10, 10});
    EXPECT_EQ(std::tuple(u.drv.spd, text(u, 0)), std::tuple(0, L"6\t基础数值（种族）\n<c=r>无法移动</c>\t累赘"));

    // A dwarf keeps its speed in heavy armour, and says why.
    unit_t d;
    d.eqpts.slots[EQ_BODY] = inst(72, 0);
    make(d, UK_PC, 25, 1, 1, {14, 10, 10, 10, 10, 10}, {54});  // heavy armour proficiency
    EXPECT_EQ(std::tuple(d.drv.spd, text(d, 0), d.drv.sr),
              std::tuple(5, L"5\t基础数值（种族）\n<c=y>5</c>\t种族专长：慢而稳", 2));
    d.base.race = 24;
    d.recalc();
    EXPECT_EQ(std::tuple(d.drv.spd, text(d, 0)), std::tuple(5, L"6\t基础数值（种族）\n<c=r>-1</c>\t累赘"));
    // Overload stops a dwarf too.
    d.base.race = 25;
    d.eqpts.slots[EQ_QUICK].set(169, 200);
    d.recalc();
    EXPECT_EQ(d.drv.spd, 0);
}

TEST_F(Recalc, StanceAndRageLines) {
    unit_t u = fresh(UK_PC, 24, 8, 12, {10, 10, 10, 10, 10, 10});
    const int ac = u.drv.def[1], ft = u.drv.def[2], cm = u.drv.def[5];
    give_cond(u, 14);
    EXPECT_EQ((std::array{u.drv.def[1], u.drv.def[2], u.drv.def[5]}), (std::array{ac + 4, ft + 4, cm + 4}));
    EXPECT_EQ(text(u, 18).substr(text(u, 18).rfind(L'\n') + 1), L"<c=#ff00ff00>+4</c>\t全力防御");
    u.conds.clear();
    give_cond(u, 19);
    EXPECT_EQ((std::array{u.drv.def[1], u.drv.atk, u.drv.dmg}), (std::array{ac - 2, 2, 20}));  // (12 / 10 + 1) x 10
    EXPECT_EQ(text(u, 4), L"<c=#ff00ff00>+20</c>\t狂暴");
    EXPECT_EQ(text(u, 22), L"<c=#ffff0000>-2</c>\t狂暴");
}

TEST_F(Recalc, CreatureTypesAndHitPointAbilities) {
    unit_t u = fresh(UK_MON, 24, 8, 1, {10, 10, 16, 14, 8, 6}, {218});  // "created"
    EXPECT_EQ((std::array{u.drv.no_abi[2], u.drv.no_abi[3], u.drv.abi[4], u.drv.abi[5]}), (std::array{1, 1, 10, 1}));
    EXPECT_EQ(std::tuple(text(u, 9), text(u, 10)), std::tuple(L"10\t基础数值", L"1\t基础数值"));
    u.pwrs.add(219);  // "int": keeps its Intelligence
    u.recalc();
    EXPECT_EQ(u.drv.no_abi[3], 0);

    // "str_hp" uses half the Strength modifier when that is larger.
    unit_t s = fresh(UK_PC, 24, 1, 2, {18, 10, 10, 10, 10, 10}, {290});
    EXPECT_EQ(s.drv.hp_max, (5 + 2) * 2 + 18);
    EXPECT_EQ(text(s, 2), L"(5 +2) x2 +18\n<c=a>（职业每级生命 +力量修正/2） x等级 +力量</c>");
    // "cha_hp" compares the Charisma score with the Constitution modifier.
    unit_t c = fresh(UK_PC, 24, 1, 1, {10, 10, 10, 10, 10, 3}, {289});
    EXPECT_EQ(c.drv.hp_max, (5 - 4) * 1 + 3);
    c.pwrs.add(18);  // "hp1": at least 3
    c.recalc();
    EXPECT_EQ(c.drv.hp_max, (5 - 4) * 1 + 3 + 3);
}

TEST_F(Recalc, FormationPowersCountTheNeighbours) {
    unit_t a, b, c, far;
    for (unit_t* u : {&a, &b, &c, &far}) {
        u->btl.side = SIDE_PLAYER;
        make(*u, UK_PC, 24, 8, 1, {10, 10, 10, 10, 10, 10}, {257});  // "phalanx2"
        btl_full_list().push_back(u);
    }
    a.pos = {5, 5};
    b.pos = {6, 5};
    c.pos = {5, 6};
    far.pos = {9, 9};
    rebuild_roster();
    const int ac = far.drv.def[1], rf = far.drv.def[3];
    a.recalc();
    EXPECT_EQ(std::pair(a.drv.def[1], a.drv.def[3]), std::pair(ac + 2, rf + 2));
    far.recalc();
    EXPECT_EQ(far.drv.def[1], ac);

    // "crowd_ac": +2 for one unit around, +4 for two or more.
    a.pwrs.remove(257);
    a.pwrs.add(258);
    a.recalc();
    EXPECT_EQ(a.drv.def[1], ac + 4);
    c.pos = {8, 8};
    a.recalc();
    EXPECT_EQ(std::pair(a.drv.def[1], a.drv.def[4]), std::pair(ac + 2, far.drv.def[4]));  // Will stays
    btl_full_list().clear();
    rebuild_roster();
}

TEST_F(Recalc, ArmourClassLevelNaturalArmourAndTheDexterityCap) {
    // The level part is L/8 + L/20 + L/2 (2 + 1 + 10 at level 20); a human has
    // no natural armour for the level to grow.
    unit_t h = fresh(UK_PC, RACE_HUM, CLS_NO, 20, {10, 10, 10, 10, 10, 10});
    EXPECT_EQ(h.drv.def[DEF_AC], 10 + 13);
    EXPECT_EQ(line_value(h, BT_DEF + DEF_AC, L"天生护甲"), 0);

    // A boar's natural armour 4 grows by L/5 only while it wears no body armour.
    unit_t b = fresh(UK_PC, RACE_BOAR, CLS_NO, 10, {10, 10, 10, 10, 10, 10});
    EXPECT_EQ(line_value(b, BT_DEF + DEF_AC, L"天生护甲"), 4 + 2);
    b.eqpts.slots[EQ_BODY] = inst(ITM_AMR3, 0);
    b.recalc();
    EXPECT_EQ(line_value(b, BT_DEF + DEF_AC, L"天生护甲"), 4);
    b.eqpts.slots[EQ_BODY].clear();
    // Of the three natural-armour powers the first held counts: -2, else +4, else +2.
    b.pwrs.add(P_NAC_D2);
    b.pwrs.add(P_NAC_A4);
    b.recalc();
    EXPECT_EQ(line_value(b, BT_DEF + DEF_AC, L"天生护甲"), 6 - 2);
    b.pwrs.remove(P_NAC_D2);
    b.pwrs.add(P_NAC_A2);
    b.recalc();
    EXPECT_EQ(line_value(b, BT_DEF + DEF_AC, L"天生护甲"), 6 + 4);

    // Armour caps the Dexterity bonus: +4 from Dex 18, at most 3 in "amr5".
    unit_t d;
    d.eqpts.slots[EQ_BODY] = inst(ITM_AMR5, 0);
    make(d, UK_PC, RACE_HUM, CLS_NO, 1, {10, 18, 10, 10, 10, 10});
    EXPECT_EQ(line_value(d, BT_DEF + DEF_AC, L"敏捷修正"), 3);
    d.eqpts.slots[EQ_BODY].clear();
    d.recalc();
    EXPECT_EQ(line_value(d, BT_DEF + DEF_AC, L"敏捷修正"), 4);
}

TEST_F(Recalc, DodgeAndTwoWeaponDefenceNeedTheirSituation) {
    unit_t u;
    u.eqpts.slots[EQ_MAIN] = inst(ITM_SWD_S, 0);
    make(u, UK_PC, RACE_HUM, CLS_NO, 1, {10, 10, 10, 10, 10, 10}, {P_DODGE, P_TW_DEF});
    const int one_weapon = u.drv.def[DEF_AC];
    EXPECT_EQ(one_weapon, 10 + 1);  // dodge alone: one weapon is no two-weapon defence
    u.eqpts.slots[EQ_OFF] = inst(ITM_SWD_S, 0);
    u.recalc();
    EXPECT_EQ(u.drv.def[DEF_AC], one_weapon + 1);
    give_cond(u, C_PRONE);  // threatening nothing, the unit dodges nothing
    EXPECT_EQ(line_value(u, BT_DEF + DEF_AC, L"闪避"), -999);
}

TEST_F(Recalc, SavesAndTheManoeuvreDefenceGiveBackHalfTheIncreases) {
    // Level 8: the level part is 8/8 + 8/2 = 5, less half the increases of the save's ability.
    unit_t u;
    u.base.abi_ups[ABI_CON] = 3;
    make(u, UK_PC, RACE_HUM, CLS_NO, 8, {14, 14, 10, 10, 10, 10});
    EXPECT_EQ(u.drv.def[DEF_FT], 10 + 5 - 1);
    u.pwrs.add(P_DEF1);  // +1 on each saving defence
    u.recalc();
    EXPECT_EQ(std::pair(u.drv.def[DEF_FT], u.drv.def[DEF_WL]), std::pair(10 + 5 - 1 + 1, 10 + 5 + 1));

    // Equal Strength and Dexterity: the manoeuvre defence takes the Dexterity increases.
    unit_t m;
    m.base.abi_ups[ABI_STR] = 2;
    make(m, UK_PC, RACE_HUM, CLS_NO, 8, {14, 14, 10, 10, 10, 10});
    EXPECT_EQ(m.drv.def[DEF_CM], 2 + 2 + 5 / 2 + 10);
    m.base.abi[ABI_STR] = 15;  // now Strength leads, with its two increases
    m.recalc();
    EXPECT_EQ(m.drv.def[DEF_CM], 2 + 2 + (5 - 2) / 2 + 10);
}

TEST_F(Recalc, HalflingLuckOnEveryDefence) {
    const unit_t h = fresh(UK_PC, RACE_HFLING, CLS_NO, 1, {10, 10, 10, 10, 10, 10});
    const unit_t p = fresh(UK_PC, RACE_HUM, CLS_NO, 1, {10, 10, 10, 10, 10, 10});
    for (int row = DEF_FT; row <= DEF_WL; ++row) EXPECT_EQ(h.drv.def[row], p.drv.def[row] + 1) << row;
    // Small: -1 on the manoeuvre defence, +1 back from luck; +1 on armour class twice.
    EXPECT_EQ(std::pair(h.drv.def[DEF_CM], h.drv.def[DEF_AC]), std::pair(p.drv.def[DEF_CM], p.drv.def[DEF_AC] + 2));
}

TEST_F(Recalc, HitPointAbilitiesOnATie) {
    // "str_hp": half the Strength modifier only when larger; a tie keeps Constitution.
    unit_t u = fresh(UK_PC, RACE_HUM, CLS_FIGHTER, 2, {14, 10, 12, 10, 10, 10}, {P_STR_HP});
    EXPECT_EQ(u.drv.hp_max, (5 + 1) * 2 + 12);
}

// ---- rules no worked example pins: which value a step picks, exact thresholds ----

TEST_F(Recalc, AnimalsKeepALittleIntelligenceAndOnlyTheUndeadCanBeTurned) {
    const unit_t wolf = fresh(UK_MON, RACE_WOLF, CLS_NO, 1, {10, 10, 10, 10, 10, 10});
    EXPECT_EQ(std::pair(wolf.drv.abi[ABI_INT], wolf.drv.no_abi[ABI_INT]), std::pair(2, 0));
    const unit_t man = fresh(UK_PC, RACE_HUM, CLS_NO, 1, {10, 10, 10, 10, 10, 10});
    const unit_t skel = fresh(UK_MON, RACE_SKELETON, CLS_NO, 1, {10, 10, 10, 10, 10, 10});
    EXPECT_EQ(std::tuple(wolf.imm_cond(C_TURN), man.imm_cond(C_TURN), skel.imm_cond(C_TURN)),
              std::tuple(true, true, false));
}

TEST_F(Recalc, ThreateningNothingTakesAwayADexterityBonusButNotAPenalty) {
    unit_t u = fresh(UK_PC, RACE_HUM, CLS_NO, 1, {10, 6, 10, 10, 10, 10});
    ASSERT_EQ(u.drv.abi_mod[ABI_DEX], -2);
    give_cond(u, C_PRONE);
    EXPECT_EQ(u.drv.abi_mod[ABI_DEX], -2);
}

TEST_F(Recalc, OfTwoFeatsOfOneKindTheBetterCounts) {
    // Two-weapon defence: +2 with the improved feat, whatever else is held.
    unit_t u;
    u.eqpts.slots[EQ_MAIN] = inst(ITM_SWD_S, 0);
    u.eqpts.slots[EQ_OFF] = inst(ITM_SWD_S, 0);
    make(u, UK_PC, RACE_HUM, CLS_NO, 1, {10, 10, 10, 10, 10, 10}, {P_TW_DEF, P_TW_DEF1});
    EXPECT_EQ(u.drv.def[DEF_AC], 10 + 2);
    // Spell penetration: 5 with the second feat, 2 with the first alone.
    unit_t w = fresh(UK_PC, RACE_HUM, CLS_NO, 1, {10, 10, 10, 10, 10, 10}, {P_SPL_UNSR1, P_SPL_UNSR2});
    EXPECT_EQ(w.drv.unsr, 5);
    w.pwrs.remove(P_SPL_UNSR2);
    w.recalc();
    EXPECT_EQ(w.drv.unsr, 2);
}

TEST_F(Recalc, SlowHalvesASpeedOfTwoButNotOfOne) {
    unit_t u = fresh(UK_PC, RACE_HUM, CLS_NO, 1, {10, 10, 10, 10, 10, 10}, {P_SPD_D4});  // a human's 6 less 4
    ASSERT_EQ(u.drv.spd, 2);
    give_cond(u, C_SLOW);
    EXPECT_EQ(u.drv.spd, 1);
    u.base.race = RACE_DWF;  // 5 less 4
    u.recalc();
    EXPECT_EQ(u.drv.spd, 1);
}

TEST_F(Recalc, ATowerShieldCostsTwoOnEveryAttack) {
    unit_t u;
    u.eqpts.slots[EQ_OFF] = inst(ITM_SHD4, 0);
    make(u, UK_PC, RACE_HUM, CLS_NO, 1, {18, 10, 10, 10, 10, 10}, {P_SHD_USE1, P_SHD_USE2});
    brdn_t b;
    u.get_burden(b);
    ASSERT_EQ(b.amr_pen, 0) << "proficient and strong: no other penalty";
    EXPECT_EQ(u.drv.atk, -2);
    u.eqpts.slots[EQ_OFF] = inst(ITM_SHD2, 0);
    u.recalc();
    EXPECT_EQ(u.drv.atk, 0);
}

TEST_F(Recalc, VulnerabilityOverridesResistanceAndOnlyFullFireImmunityStopsBurning) {
    unit_t u = fresh(UK_PC, RACE_HUM, CLS_NO, 1, {10, 10, 10, 10, 10, 10}, {P_RES_F});
    EXPECT_EQ(u.drv.res[DMG_FIRE], 50);
    EXPECT_FALSE(u.imm_cond(C_BURN)) << "half the fire still burns";
    u.pwrs.add(P_VUL_F);
    u.recalc();
    EXPECT_EQ(u.drv.res[DMG_FIRE], -100);
}

TEST_F(Recalc, HitPointsNeverStayAboveTheMaximum) {
    unit_t u = fresh(UK_PC, RACE_HUM, CLS_FIGHTER, 3, {10, 10, 10, 10, 10, 10});
    const int max = u.drv.hp_max;
    u.hp_ready = 1;  // hit points of its own, as in a battle
    u.hp = max + 7;
    u.recalc();
    EXPECT_EQ(u.hp, max);
    u.hp = max - 3;
    u.recalc();
    EXPECT_EQ(u.hp, max - 3) << "a wounded unit stays wounded";
}
