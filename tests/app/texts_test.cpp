// The game's own text files, read through the text database as the game reads
// them: every table names every row in each language, keys stay with the code,
// and every enchantment's value text is a format for its value.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <lua.hpp>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/db.h"
#include "app/str.h"
#include "app/str_parts.h"
#include "app/text_info.h"
#include "lua_files.h"
#include "rules/cls.h"
#include "rules/cond.h"
#include "rules/dice.h"
#include "rules/eff.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/ie_ids.h"
#include "rules/itm.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/rare_lv.h"
#include "rules/u_cat.h"

namespace {

const std::string text_root = std::string(TW_SOURCE_DIR) + "/data/text/";

struct tbl_t {
    const wchar_t* path;
    int rows;  // Lua keys 1 to rows
};

// Tables read with db_read_recs, plus the power texts and the 19 enum tables
// that start-up reads from strs without running a file.
const tbl_t tbls[] = {
    {L"strs:strs/pwrs", 291},
    {L"strs:pwr_cats", 9},
    {L"strs:itm_types", 15},
    {L"strs:u_sizes", 6},
    {L"strs:imxs", 6},
    {L"strs:map_envs", 5},
    {L"strs:passs", 6},
    {L"strs:tiles", 5},
    {L"strs:spd_ani_lvs", 3},
    {L"effs", 3},
    {L"itm_enchs", 83},
    {L"itm_enchs:rare_lvs", 6},
    {L"clss", 8},
    {L"races", 41},
    {L"u_cats:u_cats", 7},
    {L"builds:builds", 14},
    {L"conds", 24},
    {L"itms", 179},
    {L"monsters", 119},
    {L"strs:strs/spl_cats", 4},
    {L"strs:strs/uranks", 4},
    {L"strs:strs/dmg_types", 12},
    {L"strs:strs/enc_diffs", 3},
    {L"strs:strs/enc_types", 5},
    {L"strs:strs/abis", 6},
    {L"strs:strs/act_costs", 4},
    {L"strs:strs/amr_types", 3},
    {L"strs:strs/atks", 5},
    {L"strs:strs/coins", 3},
    {L"strs:strs/defs", 5},
    {L"strs:strs/load_types", 4},
    {L"strs:strs/shd_types", 3},
    {L"strs:strs/terms", 6},
    {L"strs:strs/wpn_cats", 4},
    {L"strs:strs/wpn_flags", 10},
    {L"strs:strs/wpn_grps", 11},
    {L"strs:strs/wpn_handss", 3},
    {L"strs:strs/wpn_rng_types", 2},
};

// Single records of strs that the unit sheet and the tooltip references ask for
// by key.
const wchar_t* const strs_keys[] = {L"imm",        L"aff",        L"vul",      L"unr",     L"dr",       L"er",
                                    L"ac_rng",     L"bounce_p",   L"bounce_f", L"ctr_atk", L"auto_sum", L"hr",
                                    L"auto_heal1", L"auto_heal2", L"be_heal",  L"to_heal", L"elm_dmg",  L"pe_dmg",
                                    L"ne_dmg",     L"tr",         L"sr",       L"unsr",    L"spl_fail", L"lv",
                                    L"cond",       L"abi",        L"trait",    L"feat"};

// Enchantments whose value is dice, and those whose value is 0 (their text is
// shown as it stands).
const std::set<int> dice_enchs = {1, 2, 3, 4, 12, 14, 68, 69};
const std::set<int> plain_enchs = {8, 9, 81, 82, 83};

const wchar_t* const sentinel_key = L"set-by-code";

struct recs_t {
    std::vector<std::unique_ptr<text_info_t>> own;
    std::vector<text_info_t*> ptrs;
};

// Room well past the last row, so a stray key shows up as text where none
// belongs.
recs_t read_recs(const wchar_t* path, int rows) {
    recs_t r;
    for (int i = 0; i < rows + 100; ++i) {
        r.own.push_back(std::make_unique<text_info_t>(sentinel_key));
        r.ptrs.push_back(r.own.back().get());
    }
    db_read_recs(path, r.ptrs, nullptr);
    return r;
}

bool has_text(const wchar_t* s) { return s && *s; }

// Quotes would end the tooltip attribute that carries the text; U+FFFD marks
// bytes that were not UTF-8.
void expect_clean(const wchar_t* s, const std::wstring& where) {
    if (!s) return;
    const std::wstring t(s);
    EXPECT_EQ(t.find_first_of(L"'\"\uFFFD"), std::wstring::npos) << where << ": " << to_utf8_string(t.c_str());
}

class Texts : public ::testing::TestWithParam<const char*> {
protected:
    box_counter_t boxes;
    Str lang;

    void SetUp() override {
        lang = Str::from_a(GetParam());
        db_set_text_root(Str::from_a(text_root.c_str()).buf);
        db_set_lang(lang.buf);
        db_init();
    }
    void TearDown() override {
        EXPECT_EQ(boxes.count, 0) << boxes.last;
        db_set_text_root(L"");
        db_set_lang(L"");
    }
};

TEST_P(Texts, EveryRowOfEveryTableIsNamedAndKeepsItsCodeKey) {
    for (const tbl_t& t : tbls) {
        const recs_t r = read_recs(t.path, t.rows);
        const std::wstring tbl = t.path;
        for (int k = 1; k <= t.rows; ++k) {
            const text_info_t& rec = *r.ptrs[k];
            const std::wstring where = tbl + L" " + std::to_wstring(k);
            EXPECT_TRUE(has_text(rec.n)) << to_utf8_string(where.c_str());
            expect_clean(rec.n, where);
            expect_clean(rec.d, where);
            EXPECT_STREQ(rec.k, sentinel_key) << to_utf8_string(where.c_str());
        }
        EXPECT_FALSE(has_text(r.ptrs[0]->n)) << to_utf8_string(t.path);
        for (size_t k = t.rows + 1; k < r.ptrs.size(); ++k)
            EXPECT_FALSE(has_text(r.ptrs[k]->n)) << to_utf8_string(t.path) << " has a stray row " << k;
    }
}

TEST_P(Texts, RegisteredTablesGetTheirNamesAtStartUp) {
    reg_rules_tbls();
    load_txt_tbls();
    EXPECT_EQ(txt_tbl_regs().size(), 19u);
    for (const txt_tbl_reg_entry& e : txt_tbl_regs())
        for (size_t i = e.key_base; i < e.recs.size(); ++i)
            EXPECT_TRUE(has_text(e.recs[i]->n)) << to_utf8_string(e.name) << " " << i;
    // The power texts are read from strs as start-up left it: main.lua must have
    // run the language's strs.lua.
    db_t& db = db_t::instance();
    Str last;
    ASSERT_TRUE(db.walk_keys({L"strs", L"pwrs", L"291"}, LUA_GLOBALSINDEX));
    db.read_str(L"n", last);
    db.pop_walk();
    EXPECT_FALSE(last.empty());
    EXPECT_EQ(lang_cma == L",", lang == L"en");
    EXPECT_FALSE(lang_dot.empty());
}

TEST_P(Texts, EnchantmentValueTextsAreFormatsForTheirValues) {
    for (int id = 1; id < IE_COUNT; ++id) {
        const ie_t& ie = get_ie(id);
        ASSERT_TRUE(has_text(ie.d)) << id;
        // A value of 0 shows the text as it stands; so does disruption's, a value no rule reads.
        if (ie.val < 1 || id == IE_KILL_UD) {
            EXPECT_EQ(std::wstring(ie.d).find(L'%'), std::wstring::npos) << id;
            continue;
        }
        // One conversion exactly, of the value's kind: none throws "extra arguments provided",
        // two leave one unfilled, a number for %s fails.
        Str out;
        if (is_packed_dice(ie.val)) {
            ASSERT_NO_THROW(out.format(ie.d, L"3d6")) << id;
            EXPECT_NE(std::wstring(out.buf).find(L"3d6"), std::wstring::npos) << id;
        } else {
            ASSERT_NO_THROW(out.format(ie.d, 47)) << id;
            EXPECT_NE(std::wstring(out.buf).find(L"47"), std::wstring::npos) << id;
        }
    }
}

// The tables the code builds, named in the language now in force.
TEST_P(Texts, EveryRowTheCodeBuildsIsNamed) {
    auto named = [](const text_info_t& r) { return has_text(r.n); };
    init_pwrs();
    for (int id = 1; id <= 291; ++id) EXPECT_TRUE(get_pwr(id) && named(*get_pwr(id))) << "power " << id;
    free_pwrs();
    for (int id = 1; itm_valid_id(id); ++id) EXPECT_TRUE(named(get_itm(id))) << "item " << id;
    for (int t = 1; t <= 15; ++t) EXPECT_TRUE(named(get_itm_type(t))) << "item type " << t;
    for (int id = 1; ie_valid_id(id); ++id) EXPECT_TRUE(named(get_ie(id))) << "enchantment " << id;
    for (int lv = 1; lv < RARE_LV_COUNT; ++lv) EXPECT_TRUE(named(get_ex_info(lv))) << "rarity " << lv;
    for (int c = 1; c <= 9; ++c) EXPECT_TRUE(named(*get_pwr_cat(c))) << "power category " << c;
    for (int s = 1; s < U_SIZES; ++s) EXPECT_TRUE(named(*get_u_size(s))) << "size " << s;
    for (int id = 1; id < CLS_COUNT; ++id) EXPECT_TRUE(named(*get_cls(id))) << "class " << id;
    for (int id = 1; id < RACE_COUNT; ++id) EXPECT_TRUE(named(*get_race(id))) << "race " << id;
    for (int id = 1; id < COND_COUNT; ++id) EXPECT_TRUE(named(*get_cond(id))) << "condition " << id;
    for (int id = 1; id < EFF_COUNT; ++id) EXPECT_TRUE(named(*get_eff(id))) << "effect " << id;
    for (int i = 1; i < U_CAT_COUNT; ++i) EXPECT_TRUE(named(get_u_cat(i))) << "unit category " << i;
    // The keys stay the code's: names of icons and references.
    EXPECT_STREQ(get_cond(3)->k, L"prone");
    EXPECT_STREQ(get_itm(27).k, L"swd_t");
    EXPECT_STREQ(get_ex_info(2).k, L"magic");
}

TEST_P(Texts, RecordsAskedForByKeyExist) {
    for (const wchar_t* key : strs_keys) {
        text_info_t rec;
        db_read_text_info(key, &rec, L"strs");
        EXPECT_TRUE(has_text(rec.n) && has_text(rec.d)) << to_utf8_string(key);
        expect_clean(rec.d, key);
    }
    text_info_t custom;
    db_read_text_info(L"builds:custom_build", &custom, L"strs");
    EXPECT_TRUE(has_text(custom.n) && has_text(custom.d));
    EXPECT_FALSE(db_get_str(L"xbns_note", L"strs").empty());

    const Str names = db_get_str(L"u_names", nullptr);
    const std::vector<Str> list = str_split(names.buf, L";");
    EXPECT_GE(list.size(), 20u);
    for (const Str& n : list) EXPECT_FALSE(n.empty());
}

TEST_P(Texts, HelpTopicsHaveKeysNamesAndTexts) {
    text_info_t title;
    db_read_text_info(L"help", &title, nullptr);
    EXPECT_TRUE(has_text(title.n));

    std::set<std::wstring> keys;
    int depth = 0;
    ASSERT_TRUE(db_push_tbl(L"help/items", nullptr));
    db_for_each_top([&](int) {
        text_info_t rec;
        db_read_top(&rec);
        EXPECT_TRUE(has_text(rec.k) && has_text(rec.n) && has_text(rec.d));
        EXPECT_TRUE(!rec.k || keys.insert(rec.k).second) << to_utf8_string(rec.k) << " twice";
        return true;
    });
    db_pop();
    EXPECT_EQ(db_t::instance().depth, depth);
    // The topics the help dialog fills from the rules tables, and the one a link
    // names.
    for (const wchar_t* k : {L"race", L"cls", L"abi", L"feat", L"spl", L"credits"})
        EXPECT_TRUE(keys.count(k)) << to_utf8_string(k);
}

TEST_P(Texts, FilesAreUtf8WithoutByteOrderMark) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(text_root + GetParam())) {
        if (e.path().extension() != ".lua") continue;
        std::ifstream f(e.path(), std::ios::binary);
        char head[3] = {};
        f.read(head, 3);
        EXPECT_FALSE(head[0] == '\xEF' && head[1] == '\xBB' && head[2] == '\xBF') << e.path();
        ++n;
    }
    EXPECT_EQ(n, 12);  // strs and the eleven files that lookups run
}

INSTANTIATE_TEST_SUITE_P(Langs, Texts, ::testing::Values("cn", "en"));

TEST(MainLua, ALanguageWithoutAFileStartsAndABrokenOneFails) {
    alarm(60);  // a FIFO that blocks the start fails the test instead of hanging it
    std::ifstream shipped(text_root + "main.lua", std::ios::binary);
    lua_dir_t dir;
    dir.write("main.lua", {std::istreambuf_iterator<char>(shipped), {}});
    fs::create_directories(dir.root() / "cn");
    box_counter_t boxes;
    dir.load();  // no strs.lua
    ASSERT_EQ(mkfifo((dir.root() / "cn/strs.lua").c_str(), 0600), 0);
    db_init();  // something other than a file: never opened
    EXPECT_EQ(boxes.count, 0) << boxes.last;
    EXPECT_STREQ(lang_cma.c_str(), L"\uFF0C");
    fs::remove(dir.root() / "cn/strs.lua");
    dir.write("cn/strs.lua", "strs = {");
    ::testing::internal::CaptureStderr();
    db_init();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(boxes.count, 1);
    db_set_text_root(L"");
    db_set_lang(L"");
    alarm(0);
}

}  // namespace
