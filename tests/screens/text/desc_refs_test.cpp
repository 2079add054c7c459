// Every description the game builds, in both languages: every tooltip
// reference in it resolves, and so does every reference in what those resolve
// to; every glyph of them, and every damage type, reads on the tip; and each
// lays out cleanly in the boxes that show it, with the game's fonts.
#include <gtest/gtest.h>

#include <string>
#include <unordered_set>

#include "rules/dmg.h"
#include "support/canvas.h"
#include "support/desc_corpus.h"
#include "support/font_env.h"
#include "support/text_contrast.h"
#include "support/text_fit.h"

namespace {

// The game's own fonts.
class DescRefs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        font_env_t::up("default.ttf", "default_b.ttf", "console.fon", (game_dir().string() + "/fonts/").c_str());
    }
    static void TearDownTestSuite() { font_env_t::down(); }

    static void check_lang(const wchar_t* lang) {
        desc_corpus::load_texts(utf8_to_str(TW_SOURCE_DIR "/data/text/"), lang);
        desc_corpus::ref_count_t refs;
        int records = 0, empty = 0;
        // Sheets share many tooltips: each text is checked once, at each of its places once.
        text_fit::checker_t fit;
        std::unordered_set<std::wstring> read;
        const desc_corpus::text_fn clean = [&](const std::string& title, const Str& text,
                                               const desc_corpus::places_t& places) {
            if (read.insert(text.c_str()).second)
                for (const std::string& d : text_contrast::dim_glyphs(text, text_contrast::on_tip))
                    ADD_FAILURE() << title << ": " << d;
            for (const std::string& f : fit.faults(text, places)) ADD_FAILURE() << title << " " << f;
        };
        desc_corpus::for_each([&](const std::string& title, const Str& text, const desc_corpus::places_t& places) {
            ++records;
            if (text.empty()) ++empty;
            clean(title, text, places);
            desc_corpus::check_refs(title, text, refs, clean);
        });
        EXPECT_GT(records, 2 * PWR_LAST + (ITM_COUNT - 1) + 2 * (MON_COUNT - 1));
        EXPECT_EQ(empty, 0);
        EXPECT_GT(refs.refs, 500);
        for (const std::string& u : refs.unresolved) ADD_FAILURE() << u;
    }
};

}  // namespace

TEST_F(DescRefs, EveryReferenceResolvesEveryColourReadsAndEveryTextFitsInChinese) { check_lang(L"cn"); }
TEST_F(DescRefs, EveryReferenceResolvesEveryColourReadsAndEveryTextFitsInEnglish) { check_lang(L"en"); }

TEST(DescRefsDmg, EveryDamageTypeReadsOnTheTip) {
    for (int i = 1; i < DMG_TYPES; ++i)
        EXPECT_GE(text_contrast::ratio(get_dmg_type(i)->clr, tip_bg_clr), 3.0) << to_utf8_string(get_dmg_type(i)->k);
}
