// Every description the game builds, in both languages: every tooltip
// reference in it resolves, and so does every reference in what those resolve
// to; and every glyph of them, and every damage type, reads on the tip.
#include <gtest/gtest.h>

#include <string>

#include "rules/dmg.h"
#include "support/desc_corpus.h"
#include "support/text_contrast.h"
#include "text_env.h"

namespace {
void check_lang(const wchar_t* lang) {
    desc_corpus::load_texts(utf8_to_str(TW_SOURCE_DIR "/data/text/"), lang);
    desc_corpus::ref_count_t refs;
    int records = 0, empty = 0;
    const desc_corpus::text_fn readable = [](const std::string& title, const Str& text) {
        for (const std::string& d : text_contrast::dim_glyphs(text, text_contrast::on_tip))
            ADD_FAILURE() << title << ": " << d;
    };
    desc_corpus::for_each([&](const std::string& title, const Str& text) {
        ++records;
        if (text.empty()) ++empty;
        readable(title, text);
        desc_corpus::check_refs(title, text, refs, readable);
    });
    EXPECT_EQ(records, 2 * PWR_LAST + (ITM_COUNT - 1) + 10 + 20);
    EXPECT_EQ(empty, 0);
    EXPECT_GT(refs.refs, 500);
    for (const std::string& u : refs.unresolved) ADD_FAILURE() << u;
}
}  // namespace

TEST(DescRefs, EveryReferenceResolvesAndEveryColourReadsInChinese) { check_lang(L"cn"); }
TEST(DescRefs, EveryReferenceResolvesAndEveryColourReadsInEnglish) { check_lang(L"en"); }

TEST(DescRefs, EveryDamageTypeReadsOnTheTip) {
    for (int i = 1; i < DMG_TYPES; ++i)
        EXPECT_GE(text_contrast::ratio(get_dmg_type(i)->clr, tip_bg_clr), 3.0) << to_utf8_string(get_dmg_type(i)->k);
}
