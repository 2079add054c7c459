#include "screens/text/tip_resolve.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "app/lua_files.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/enums.h"
#include "rules/ie_ids.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/u_cat.h"
#include "rules/urank.h"
#include "screens/text/itm_desc.h"
#include "screens/text/tip_refs.h"
#include "text_env.h"
#include "ui/tip.h"

namespace {

class TipResolve : public text_env_t {
protected:
    box_counter_t boxes;  // no reference may make the player click an error away

    // The text a reference resolves to; "-" when it stays as it is, and then
    // the width must be untouched too.
    static Str resolve(const wchar_t* ref, int* width = nullptr) {
        Str out(L"untouched");
        int w = 7;
        const bool ok = txt::resolve_tip_ref(ref, &out, &w);
        if (width) *width = w;
        if (!ok) {
            EXPECT_EQ(out, Str(L"untouched")) << to_utf8_string(ref);
            EXPECT_EQ(w, 7) << to_utf8_string(ref);
            return Str(L"-");
        }
        return out;
    }
    static Str desc(const text_info_t* t) { return Str(t->d); }
};

}  // namespace

TEST_F(TipResolve, RowsOfTheSevenTablesByKindAndNumber) {
    const std::pair<const wchar_t*, const text_info_t*> rows[] = {
        {L"#abi_0", get_abi(0)}, {L"#abi_5", get_abi(5)}, {L"#race_29", get_race(RACE_HF_ORC)},
        {L"#cls_3>rest", get_cls(3)},  // the reference ends at ">" or a blank
        {L"#bld_1 x", get_bld(1)}, {L"#bld_-2", get_bld(BLD_CUSTOM)}, {L"#usize_4", get_u_size(4)},
        {L"#ucat_2", &get_u_cat(2)}, {L"#urank_2", &get_urank(2)}};
    for (const auto& [ref, row] : rows) EXPECT_EQ(resolve(ref), desc(row)) << to_utf8_string(ref);
    for (const wchar_t* t : {L"#race_3", L"#cls_1", L"#usize_3", L"#urank_4", L"#ucat_7"})
        EXPECT_NE(resolve(t), Str(L"-")) << to_utf8_string(t);
}

TEST_F(TipResolve, RowReferencesOutsideTheirTableOrDamagedStayAsTheyAre) {
    for (const wchar_t* t :
         {L"#abi_6", L"#abi_-1", L"#race_0", L"#race_42", L"#race_-1", L"#race_2147483648", L"#race_99999999999",
          L"#cls_9", L"#bld_0", L"#bld_15", L"#bld_-1", L"#usize_0", L"#usize_7", L"#ucat_0", L"#ucat_8",
          L"#urank_0", L"#urank_5", L"#race_x", L"#race_3x", L"#race_", L"#race", L"#_1", L"#", L"#nope_1",
          L"#race_3_4", L"# race_3"})
        EXPECT_EQ(resolve(t), Str(L"-")) << to_utf8_string(t);
}

TEST_F(TipResolve, TextRecordsOfStrsOrOfANamedFile) {
    EXPECT_EQ(resolve(L"$lv"), desc(get_text_info(L"lv")));
    EXPECT_EQ(resolve(L"$cond"), desc(get_text_info(L"cond")));
    EXPECT_EQ(resolve(L"$strs:lv"), desc(get_text_info(L"lv")));
    EXPECT_EQ(resolve(L"$builds:x:custom_build>"), desc(get_bld(BLD_CUSTOM)));  // the file first, the key last
    for (const wchar_t* t : {L"$", L"$no_such_key", L"$strs:", L"$no_file:lv", L"$../cn/strs:lv", L"$/etc/x:lv",
                             L"$a b:lv", L"$strs:no_such_key", L"$:lv"})
        EXPECT_EQ(resolve(t), Str(L"-")) << to_utf8_string(t);
    EXPECT_EQ(boxes.count, 0);
    // A record without a description leaves the reference as it is.
    text_info_t* info = get_text_info(L"strs:lv");
    const Str kept(info->d);
    text_info_t::set(&info->d, L"");
    EXPECT_EQ(resolve(L"$lv"), Str(L"-"));
    text_info_t::set(&info->d, kept);
}

TEST_F(TipResolve, PowersByIdTheirDescriptionAtTheObjectWidth) {
    int w = 0;
    Str d;
    EXPECT_EQ(resolve(L"&pwr:2", &w), get_pwr(P_ATK_M)->get_desc_text(d));
    EXPECT_EQ(w, 256);
    EXPECT_EQ(resolve(txt::pwr_tip_ref(get_pwr(P_FIRE_BALL))), get_pwr(P_FIRE_BALL)->get_desc_text(d));
    EXPECT_EQ(txt::pwr_tip_ref(get_pwr(P_FIRE_BALL)), Str(L"&pwr:127"));
    EXPECT_TRUE(txt::pwr_tip_ref(nullptr).empty());
    for (const wchar_t* t : {L"&pwr:0", L"&pwr:292", L"&pwr:-2", L"&pwr:2x", L"&pwr:", L"&pwr", L"&pwr:0x7ffe1234",
                             L"&pwr:99999999999", L"&pwr:99999999999999999999999", L"&", L"&:2", L"&foo:2"})
        EXPECT_EQ(resolve(t), Str(L"-")) << to_utf8_string(t);
}

TEST_F(TipResolve, ItemsByValueAndDamagedItemReferences) {
    itm_slot_t s;
    mk_itm_slot_enchs(s, ITM_SWD_M, 3, 2, IE_F1, IE_CH, 0, 0);
    s.ex = 1;
    const Str ref = txt::itm_tip_ref(s);
    EXPECT_EQ(ref, Str(L"&itm:33.2.1.7.0.0.1.3"));
    int w = 0;
    EXPECT_EQ(resolve(ref, &w), txt::itm_desc(s));
    EXPECT_EQ(w, 256);
    itm_slot_t back;
    ASSERT_TRUE(txt::itm_of_ref(L"33.2.1.7.0.0.1.3", &back));
    EXPECT_EQ(std::memcmp(&back, &s, sizeof s), 0);
    EXPECT_TRUE(txt::itm_of_ref(L"28.-1.0.0.0.0.0.0", &back));  // a negative bonus is still an item
    for (const wchar_t* t :
         {L"&itm:33.2.1.7.0.0.1", L"&itm:33.2.1.7.0.0.1.3.4", L"&itm:0.0.0.0.0.0.0.1", L"&itm:180.0.0.0.0.0.0.1",
          L"&itm:-5.0.0.0.0.0.0.1", L"&itm:33.0.84.0.0.0.0.1", L"&itm:33.0.-1.0.0.0.0.1", L"&itm:33..0.0.0.0.0.1",
          L"&itm:33.0.0.0.0.0.0.1x", L"&itm:33.2147483648.0.0.0.0.0.1", L"&itm:33.0.0.0.0.0.0.123456789012345678901234", L"&itm:0x55d04a2c", L"&itm:", L"&itm"})
        EXPECT_EQ(resolve(t), Str(L"-")) << to_utf8_string(t);
}

TEST_F(TipResolve, PlainTextIsNoReference) {
    for (const wchar_t* t : {L"", L"hello", L"<c=r>#race_3</c>", L" #race_3"}) EXPECT_EQ(resolve(t), Str(L"-"));
    Str out(L"x");
    EXPECT_FALSE(txt::resolve_tip_ref(nullptr, &out, nullptr));
}

TEST_F(TipResolve, TheHookRewritesTheRequestItIsCalledFor) {
    tip_req_t& r = get_tip_req();
    r.reset();
    r.text = L"#race_29";
    txt::tip_resolve();
    EXPECT_EQ(r.text, desc(get_race(RACE_HF_ORC)));
    EXPECT_EQ(r.width, 0);
    // A reference behind the text pointer becomes the owned text.
    static const wchar_t* const ref = L"&pwr:3";
    r.reset();
    r.text_ptr = ref;
    txt::tip_resolve();
    Str d;
    EXPECT_EQ(r.text, get_pwr(P_ATK_R)->get_desc_text(d));
    EXPECT_EQ(r.width, 256);
    // Anything else is left alone.
    r.reset();
    r.text_ptr = L"plain";
    r.width = 40;
    txt::tip_resolve();
    EXPECT_TRUE(r.text.empty());
    EXPECT_STREQ(r.text_ptr, L"plain");
    EXPECT_EQ(r.width, 40);
    r.reset();
    txt::tip_resolve();
    EXPECT_TRUE(r.text.empty());
}
