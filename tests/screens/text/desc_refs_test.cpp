// Every description the game builds, in both languages: every tooltip
// reference in it resolves, and so does every reference in what those resolve to.
#include <gtest/gtest.h>

#include <string>

#include "support/desc_corpus.h"
#include "text_env.h"

namespace {
void check_lang(const wchar_t* lang) {
    desc_corpus::load_texts(utf8_to_str(TW_SOURCE_DIR "/data/text/"), lang);
    desc_corpus::ref_count_t refs;
    int records = 0, empty = 0;
    desc_corpus::for_each([&](const std::string& title, const Str& text) {
        ++records;
        if (text.empty()) ++empty;
        desc_corpus::check_refs(title, text, refs);
    });
    EXPECT_EQ(records, 2 * PWR_LAST + (ITM_COUNT - 1) + 10 + 20);
    EXPECT_EQ(empty, 0);
    EXPECT_GT(refs.refs, 500);
    for (const std::string& u : refs.unresolved) ADD_FAILURE() << u;
}
}  // namespace

TEST(DescRefs, EveryReferenceResolvesInChinese) { check_lang(L"cn"); }
TEST(DescRefs, EveryReferenceResolvesInEnglish) { check_lang(L"en"); }
