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

SDL_Event sdl_text(uint32_t type, const char* utf8) {
    SDL_Event e{};
    e.type = type;
    SDL_strlcpy(type == SDL_TEXTINPUT ? e.text.text : e.edit.text, utf8, sizeof e.text.text);
    return e;
}
bool translate(const SDL_Event& e, evt_t* out = nullptr) {
    evt_t ignored;
    return translate_sdl_evt(&e, out ? out : &ignored);
}

// A block of candidate slots as a platform hands it over.
std::vector<wchar_t> cand_block(const std::vector<std::wstring>& words, size_t slots = ime_max_cands) {
    std::vector<wchar_t> block(std::max(slots, words.size()) * ime_cand_slot, L'\0');
    for (size_t i = 0; i < words.size(); ++i)
        std::wmemcpy(block.data() + i * ime_cand_slot, words[i].c_str(), words[i].size());
    return block;
}

class Ime : public ::testing::Test {
protected:
    void SetUp() override {
        ime_start();
        ime_clear();
    }
    void TearDown() override {
        ime_clear();
        set_text_input_handler(nullptr);
    }
};

TEST_F(Ime, CommittedChineseTextBecomesTheTextEvent) {
    evt_t out;
    ASSERT_TRUE(translate(sdl_text(SDL_TEXTINPUT, "\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C"), &out));  // 你好世界
    EXPECT_EQ(out.code, EVT_TEXT);
    EXPECT_EQ(out.b, 0);
    ASSERT_NE(out.a, 0);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(out.a), L"\u4F60\u597D\u4E16\u754C");
    // The next commit replaces the text the event points to.
    ASSERT_TRUE(translate(sdl_text(SDL_TEXTINPUT, "ok"), &out));
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(out.a), L"ok");
}

TEST_F(Ime, CompositionIsKeptWithoutAnEventUntilAnEmptyOneClearsItAndTheCandidates) {
    evt_t out;
    EXPECT_FALSE(translate(sdl_text(SDL_TEXTEDITING, "\xE4\xBD\xA0 hao"), &out));  // 你 hao
    EXPECT_EQ(out.code, 0u);
    EXPECT_STREQ(ime_comp().c_str(), L"\u4F60 hao");
    // Other events still translate while a composition is in progress.
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    ASSERT_TRUE(translate(key, &out));
    EXPECT_EQ(out.code, EVT_KEY_DOWN);
    EXPECT_TRUE(ime_has_comp());
    const auto block = cand_block({L"\u4F60", L"\u5462"});
    ime_set_cands(block.data());
    ASSERT_EQ(ime_cands().size(), 2u);
    EXPECT_FALSE(translate(sdl_text(SDL_TEXTEDITING, "")));
    EXPECT_FALSE(ime_has_comp());
    EXPECT_TRUE(ime_cands().empty());
}

TEST_F(Ime, LongCompositionArrivesWhole) {
    // Past 32 bytes SDL hands the text over on the heap; it must be read whole and freed once.
    const std::string pinyin = "zhong'hua'ren'min'gong'he'guo'wan'sui'wan'wan'sui";
    SDL_Event e{};
    e.type = SDL_TEXTEDITING_EXT;
    e.editExt.text = SDL_strdup(pinyin.c_str());
    EXPECT_FALSE(translate(e));
    EXPECT_EQ(std::wstring(ime_comp().c_str()), std::wstring(pinyin.begin(), pinyin.end()));
}

TEST_F(Ime, CandidateBlocks) {
    std::vector<std::wstring> twelve;
    for (int i = 0; i < 12; ++i) twelve.push_back(std::wstring(1, wchar_t(L'\u4E00' + i)));
    const std::vector<std::wstring> ten(twelve.begin(), twelve.begin() + 10);
    const std::wstring full_slot(ime_cand_slot, L'\u5B57');  // no room left for a terminator
    const std::vector<std::wstring> cases[][2] = {
        {{L"\u4F60", L"\u5462", L"", L"\u62DF"}, {L"\u4F60", L"\u5462"}},  // stops at the first empty slot
        {twelve, ten},
        {{L"", L"\u4F60"}, {}},
        {{full_slot, L"b"}, {full_slot, L"b"}},
    };
    for (const auto& [words, want] : cases) {
        const auto block = cand_block(words);
        ime_set_cands(block.data());
        std::vector<std::wstring> got;
        for (const Str& s : ime_cands()) got.emplace_back(s.c_str());
        EXPECT_EQ(got, want) << words.size() << " words";
    }
    ime_set_cands(nullptr);
    EXPECT_TRUE(ime_cands().empty());
}

// ---- drawing ----

struct test_edt_t : edt_t {
    rect* caret_rect(rect* out) override { return &(*out = {110, 108, 2, 20}); }
};

class ImeDraw : public Ime {
protected:
    static void SetUpTestSuite() { font_env_t::up(); }
    static void TearDownTestSuite() { font_env_t::down(); }
    void SetUp() override {
        Ime::SetUp();
        edit.rc = {100, 100, 200, 40};
        edit.margin_l = 3;
        edit.margin_b = 5;
        edit.font = FONT_N;
        set_focus_wnd(&edit);
        font_env_t::clear_black();
    }
    void TearDown() override {
        set_focus_wnd(nullptr);
        Ime::TearDown();
    }
    static uint32_t pixel(int x, int y) {
        uint32_t px = 0;
        const SDL_Rect r{x, y, 1, 1};
        EXPECT_EQ(SDL_RenderReadPixels(get_renderer(), &r, SDL_PIXELFORMAT_ARGB8888, &px, 4), 0);
        return px & 0xFFFFFF;
    }
    static font_env_t::lit_t lit() { return font_env_t::read_lit({0, 0, 400, 300}); }

    test_edt_t edit;
};

constexpr uint32_t grey136 = 0x888888, grey170 = 0xAAAAAA;

TEST_F(ImeDraw, CompositionCoversItsWidthAtTheCaret) {
    translate(sdl_text(SDL_TEXTEDITING, "nihao"));
    ime_draw();
    size sz{};
    measure_text(&sz, L"nihao", FONT_N, 3, WND_UNLIMITED, WND_UNLIMITED);
    ASSERT_GT(sz.w, 0);
    const auto drawn = lit();
    EXPECT_EQ(drawn.bounds, (rect{110, 108, sz.w, 20}));
    EXPECT_EQ(pixel(110, 108), grey136);
    EXPECT_EQ(std::pair(drawn.max_r, drawn.max_b), std::pair(255, 255));  // white text over the grey
}

TEST_F(ImeDraw, CandidatesHangUnderTheBoxTheFirstHighlighted) {
    const auto block = cand_block({L"ab", L"cd", L"", L"ef"});
    ime_set_cands(block.data());
    ime_draw();
    // From the last row of the client area: x 100 + 3, y 100 + 40 - 5 - 1; two rows of 24.
    const int left = 103, top = 134;
    EXPECT_EQ(lit().bounds, (rect{left, top, 128, 48}));
    EXPECT_EQ((std::vector<uint32_t>{pixel(left, top), pixel(left + 127, top + 23), pixel(left, top + 24),
                                     pixel(left + 127, top + 47)}),
              (std::vector<uint32_t>{grey170, grey170, grey136, grey136}));
    EXPECT_GT(lit().max_r, 0xAA);  // the labelled words over the rows
}

TEST_F(ImeDraw, NothingWithoutAnEditBoxInFocus) {
    translate(sdl_text(SDL_TEXTEDITING, "nihao"));
    const auto block = cand_block({L"ab"});
    ime_set_cands(block.data());
    wnd_t button;
    button.rc = edit.rc;
    for (wnd_t* focus : {&button, static_cast<wnd_t*>(nullptr)}) {
        set_focus_wnd(focus);
        ime_draw();
        EXPECT_EQ(lit().count, 0);
    }
    // Kept, and shown again once an edit box has the focus.
    set_focus_wnd(&edit);
    ime_draw();
    EXPECT_GT(lit().count, 0);
}

}  // namespace
