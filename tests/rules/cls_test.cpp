#include "rules/cls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "app/db.h"
#include "app/lua_files.h"
#include "rules/cond.h"
#include "rules/eff.h"
#include "rules/race.h"
#include "rules/u_cat.h"

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
        EXPECT_EQ(std::tuple(a.hp_lv, b.hp_lv, a.sr, b.sr), std::tuple(p.hp_strong, p.hp_weak, p.sr_strong, p.sr_weak));
        b.hp_lv = a.hp_lv, b.sr = a.sr;
        EXPECT_TRUE(same_numbers(a, b)) << p.strong << " and " << p.weak;
    }
    EXPECT_EQ(get_cls(2)->pwrs, (std::vector<int>{34, 27, 48, 52, 53, 54, 282}));
    EXPECT_EQ(get_cls(1)->def[2], 2);  // fighters: +2 Fortitude
    EXPECT_EQ(get_cls(3)->def[4], 2);  // wizards: +2 Will
}

TEST(Cls, RecordKeysFromUtf8) {
    text_info_t rec(L"old");
    set_rec_key(rec, "\xE6\x88\x98 fighter");
    EXPECT_STREQ(rec.k, L"\u6218 fighter");
    set_rec_key(rec, nullptr);
    EXPECT_EQ(rec.k, nullptr);
}

TEST(Cls, RowsThatShareAListKeepTheirOwnCopy) {
    cls_t* fighter = const_cast<cls_t*>(get_cls(1));
    fighter->pwrs.push_back(999);
    EXPECT_EQ(get_cls(4)->pwrs.size(), 8u);
    fighter->pwrs.pop_back();
}

// The texts of the class, race, condition, effect and unit-category tables.
TEST(Cls, UnitTablesReadTheirTextsOncePerLanguage) {
    lua_dir_t dir;
    box_counter_t boxes;
    dir.write("main.lua", "strs = {}\n_wsp = ' '\n_dot = '.'");
    dir.write("cn/clss.lua", "clss_runs = (clss_runs or 0) + 1\nclss = { [1] = { n = '战士' }, [8] = { n = '无' } }");
    dir.write("cn/conds.lua", "conds = { [5] = { n = '震慑' }, [24] = { n = '再生' }, [25] = { n = 'outside' } }");
    dir.write("cn/effs.lua", "effs = { [3] = { n = '击倒' } }");
    dir.write("cn/u_cats.lua", "u_cats = { [0] = { n = 'none' }, [5] = { n = '不死' }, [7] = { n = '元素' } }");
    dir.write("en/clss.lua", "clss = { [1] = { n = 'Fighter' } }");
    dir.load();

    EXPECT_STREQ(get_cls(8)->k, L"no");  // a text file does not replace the key
    const std::pair<const wchar_t*, const wchar_t*> names[] = {
        {get_cls(1)->n, L"战士"}, {get_cls(8)->n, L"无"}, {get_cond(5)->n, L"震慑"}, {get_cond(24)->n, L"再生"},
        {get_eff(3)->n, L"击倒"}, {get_u_cat(5).n, L"不死"}, {get_u_cat(0).n, L"none"}};
    for (const auto& [got, want] : names) EXPECT_STREQ(got, want);
    get_cls(2);
    EXPECT_STREQ(db_get_str(L"clss:clss_runs", nullptr).buf, L"2");  // the lookup ran it once more

    // races.lua is missing: one error box, not one per lookup.
    get_race(1);
    get_race(2);
    EXPECT_EQ(get_race(1)->n, nullptr);
    EXPECT_EQ(boxes.count, 1);

    db_set_lang(L"en");
    db_init();
    EXPECT_STREQ(get_cls(1)->n, L"Fighter");
    db_t::instance().close();
}
