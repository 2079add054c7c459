// The texts of the class, race, condition, effect and unit-category tables.
#include <gtest/gtest.h>

#include "app/db.h"
#include "app/lua_files.h"
#include "rules/cls.h"
#include "rules/cond.h"
#include "rules/eff.h"
#include "rules/race.h"
#include "rules/u_cat.h"

TEST(TblTexts, TablesReadTheirTextsOncePerLanguage) {
    lua_dir_t dir;
    box_counter_t boxes;
    dir.write("main.lua", "strs = {}\n_wsp = ' '\n_dot = '.'");
    dir.write("cn/clss.lua", "clss_runs = (clss_runs or 0) + 1\nclss = { [1] = { n = '战士' }, [8] = { n = '无' } }");
    dir.write("cn/conds.lua", "conds = { [5] = { n = '震慑' }, [24] = { n = '再生' }, [25] = { n = 'outside' } }");
    dir.write("cn/effs.lua", "effs = { [3] = { n = '击倒' } }");
    dir.write("cn/u_cats.lua", "u_cats = { [0] = { n = 'none' }, [5] = { n = '不死' }, [7] = { n = '元素' } }");
    dir.write("en/clss.lua", "clss = { [1] = { n = 'Fighter' } }");
    db_set_text_root(dir.wide().buf);
    db_set_lang(L"cn");
    db_init();

    EXPECT_STREQ(get_cls(1)->n, L"战士");
    EXPECT_STREQ(get_cls(8)->n, L"无");
    EXPECT_STREQ(get_cls(8)->k, L"no");  // a text file does not replace the key
    EXPECT_STREQ(get_cond(5)->n, L"震慑");
    EXPECT_STREQ(get_cond(24)->n, L"再生");
    EXPECT_STREQ(get_eff(3)->n, L"击倒");
    EXPECT_STREQ(get_u_cat(5).n, L"不死");
    EXPECT_STREQ(get_u_cat(0).n, L"none");
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
