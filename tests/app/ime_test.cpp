#include "app/ime.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/draw_text.h"
#include "app/input.h"
#include "support/font_env.h"
#include "ui/edt.h"

namespace {

// Translates an SDL text event; the result is left in `out`.
bool translate(uint32_t type, const char* utf8, evt_t* out = nullptr) {
    SDL_Event e{};
    e.type = type;
    SDL_strlcpy(type == SDL_TEXTINPUT ? e.text.text : e.edit.text, utf8, sizeof e.text.text);
    evt_t ignored;
    return translate_sdl_evt(&e, out ? out : &ignored);
}

// A block of candidate slots as a platform hands it over.
std::vector<wchar_t> cand_block(const std::vector<std::wstring>& words) {
    std::vector<wchar_t> block(std::max(size_t(ime_max_cands), words.size()) * ime_cand_slot, L'\0');
    for (size_t i = 0; i < words.size(); ++i)
        std::wmemcpy(block.data() + i * ime_cand_slot, words[i].c_str(), words[i].size());
    return block;
}

class Ime : public ::testing::Test {
protected:
    void SetUp() override { ime_start(), ime_clear(); }
    void TearDown() override { ime_clear(), set_text_input_handler(nullptr); }
};

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
    std::vector<std::wstring> twelve;
    for (int i = 0; i < 12; ++i) twelve.push_back(std::wstring(1, wchar_t(L'\u4E00' + i)));
    const std::wstring full_slot(ime_cand_slot, L'\u5B57');  // no room left for a terminator
    const std::vector<std::wstring> cases[][2] = {
        {{L"\u4F60", L"\u5462", L"", L"\u62DF"}, {L"\u4F60", L"\u5462"}},  // stops at the first empty slot
        {twelve, {twelve.begin(), twelve.begin() + 10}}, {{L"", L"\u4F60"}, {}}, {{full_slot, L"b"}, {full_slot, L"b"}},
    };
    for (const auto& [words, want] : cases) {
        const auto block = cand_block(words);
        ime_set_cands(block.data());
        std::vector<std::wstring> got;
        for (const Str& s : ime_cands()) got.emplace_back(s.c_str());
        EXPECT_EQ(got, want) << words.size() << " words";
    }
}

struct test_edt_t : edt_t {
    rect* caret_rect(rect* out) override { return &(*out = {110, 108, 2, 20}); }
};

class ImeDraw : public Ime {
protected:
    static void SetUpTestSuite() { font_env_t::up(); }
    static void TearDownTestSuite() { font_env_t::down(); }
    void TearDown() override { set_focus_wnd(nullptr), Ime::TearDown(); }
    // What ime_draw drew with the focus on w.
    static rect drawn(wnd_t* w) {
        set_focus_wnd(w);
        font_env_t::clear_black();
        ime_draw();
        return font_env_t::read_lit({0, 0, 400, 300}).bounds;
    }
};

TEST_F(ImeDraw, CompositionAtTheCaretAndCandidatesUnderTheBoxOnlyWithAnEditBoxInFocus) {
    test_edt_t edit;
    edit.rc = {100, 100, 200, 40};
    edit.margin_l = 3, edit.margin_b = 5;
    edit.font = FONT_N;
    translate(SDL_TEXTEDITING, "nihao");
    wnd_t button;
    EXPECT_EQ(drawn(&button), rect{});
    EXPECT_EQ(drawn(nullptr), rect{});
    size sz{};
    measure_text(&sz, L"nihao", FONT_N, 3, WND_UNLIMITED, WND_UNLIMITED);
    ASSERT_GT(sz.w, 0);
    EXPECT_EQ(drawn(&edit), (rect{110, 108, sz.w, 20}));
    // Rows of 24 from the last row of the client area: x 100 + 3, y 100 + 40 - 5 - 1.
    ime_clear();
    const auto block = cand_block({L"ab", L"cd", L"", L"ef"});
    ime_set_cands(block.data());
    EXPECT_EQ(drawn(&edit), (rect{103, 134, 128, 48}));
}

}  // namespace
