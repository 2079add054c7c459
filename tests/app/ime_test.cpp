#include "app/ime.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/input.h"
#include "support/ime_input.h"
#include "support/mapped.h"

namespace {
using namespace ime_input;

class Ime : public ime_test_t {};

TEST_F(Ime, CommittedChineseTextBecomesTheTextEvent) {
    evt_t out;
    ASSERT_TRUE(translate(SDL_TEXTINPUT, "\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C", &out));  // 你好世界
    ASSERT_TRUE(out.code == EVT_TEXT && out.a && !out.b);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(out.a), L"\u4F60\u597D\u4E16\u754C");
    // The next commit replaces the text the event points to.
    ASSERT_TRUE(translate(SDL_TEXTINPUT, "ok", &out));
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(out.a), L"ok");
}

TEST_F(Ime, CompositionIsKeptWithoutAnEventUntilAnEmptyOneClearsItAndTheCandidates) {
    evt_t out;
    EXPECT_FALSE(translate(SDL_TEXTEDITING, "\xE4\xBD\xA0 hao", &out));  // 你 hao
    EXPECT_EQ(out.code, 0u);
    EXPECT_TRUE(ime_has_comp());
    EXPECT_STREQ(ime_comp().c_str(), L"\u4F60 hao");
    const auto block = cand_block({L"\u4F60", L"\u5462"});
    ime_set_cands(block.data());
    ASSERT_EQ(ime_cands().size(), 2u);
    EXPECT_FALSE(translate(SDL_TEXTEDITING, ""));
    EXPECT_TRUE(!ime_has_comp() && ime_cands().empty());
}

TEST_F(Ime, LongCompositionArrivesWhole) {
    // Past 32 bytes SDL hands the text over on the heap; it must be read whole and freed once.
    const std::string pinyin = "zhong'hua'ren'min'gong'he'guo'wan'sui'wan'wan'sui";
    SDL_Event e{};
    e.type = SDL_TEXTEDITING_EXT;
    e.editExt.text = SDL_strdup(pinyin.c_str());
    EXPECT_FALSE(ime_on_sdl_event(&e, nullptr));
    EXPECT_EQ(std::wstring(ime_comp().c_str()), std::wstring(pinyin.begin(), pinyin.end()));
}

TEST_F(Ime, CandidateBlocks) {
    const std::vector<std::wstring> twelve = mapped(12, [](int i) { return std::wstring(1, wchar_t(L'\u4E00' + i)); });
    const std::wstring full_slot(ime_cand_slot, L'\u5B57');  // no room left for a terminator
    const std::vector<std::wstring> cases[][2] = {
        {{L"\u4F60", L"\u5462", L"", L"\u62DF"}, {L"\u4F60", L"\u5462"}},  // stops at the first empty slot
        {twelve, {twelve.begin(), twelve.begin() + 10}}, {{L"", L"\u4F60"}, {}}, {{full_slot, L"b"}, {full_slot, L"b"}},
    };
    for (const auto& [words, want] : cases) {
        const auto block = cand_block(words);
        ime_set_cands(block.data());
        EXPECT_EQ(mapped(ime_cands(), [](const Str& s) { return std::wstring(s.c_str()); }), want)
            << words.size() << " words";
    }
}

}  // namespace
