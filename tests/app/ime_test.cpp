#include "app/ime.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/input.h"
#include "app/platform.h"
#include "support/font_env.h"
#include "ui/edt.h"

namespace {

SDL_Event text_input(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    return e;
}

SDL_Event editing(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTEDITING;
    SDL_strlcpy(e.edit.text, utf8, sizeof e.edit.text);
    return e;
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

// A block of candidate slots as a platform hands it over.
std::vector<wchar_t> cand_block(const std::vector<std::wstring>& words, int slots) {
    std::vector<wchar_t> block(size_t(slots) * ime_cand_slot, L'\0');
    for (size_t i = 0; i < words.size(); ++i)
        std::wmemcpy(block.data() + i * ime_cand_slot, words[i].c_str(), words[i].size());
    return block;
}

TEST_F(Ime, CommittedChineseTextBecomesTheTextEvent) {
    const SDL_Event e = text_input("\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C");  // 你好世界
    evt_t out;
    ASSERT_TRUE(translate_sdl_evt(&e, &out));
    EXPECT_EQ(out.code, EVT_TEXT);
    EXPECT_EQ(out.b, 0);
    ASSERT_NE(out.a, 0);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(out.a), L"\u4F60\u597D\u4E16\u754C");

    // The next commit replaces the text the event points to.
    const SDL_Event e2 = text_input("ok");
    ASSERT_TRUE(translate_sdl_evt(&e2, &out));
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(out.a), L"ok");
}

TEST_F(Ime, CompositionIsKeptWithoutMakingAnEvent) {
    const SDL_Event e = editing("\xE4\xBD\xA0 hao");  // 你 hao
    evt_t out;
    EXPECT_FALSE(translate_sdl_evt(&e, &out));
    EXPECT_EQ(out.code, 0u);
    EXPECT_TRUE(ime_has_comp());
    EXPECT_STREQ(ime_comp().c_str(), L"\u4F60 hao");

    // Other events still translate while a composition is in progress.
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_BACKSPACE;
    ASSERT_TRUE(translate_sdl_evt(&key, &out));
    EXPECT_EQ(out.code, EVT_KEY_DOWN);
    EXPECT_TRUE(ime_has_comp());
}

TEST_F(Ime, EmptyCompositionClearsCompositionAndCandidates) {
    const SDL_Event start = editing("ni");
    evt_t out;
    translate_sdl_evt(&start, &out);
    const auto block = cand_block({L"\u4F60", L"\u5462"}, ime_max_cands);
    ime_set_cands(block.data());
    ASSERT_EQ(ime_cands().size(), 2u);

    const SDL_Event done = editing("");
    EXPECT_FALSE(translate_sdl_evt(&done, &out));
    EXPECT_FALSE(ime_has_comp());
    EXPECT_TRUE(ime_cands().empty());
}

TEST_F(Ime, LongCompositionArrivesWhole) {
    // Past 32 bytes SDL hands the text over on the heap; it must be read whole and freed once.
    const std::string pinyin = "zhong'hua'ren'min'gong'he'guo'wan'sui'wan'wan'sui";
    SDL_Event e{};
    e.type = SDL_TEXTEDITING_EXT;
    e.editExt.text = SDL_strdup(pinyin.c_str());
    evt_t out;
    EXPECT_FALSE(translate_sdl_evt(&e, &out));
    EXPECT_EQ(std::wstring(ime_comp().c_str()), std::wstring(pinyin.begin(), pinyin.end()));
}

struct cands_case_t {
    const char* name;
    std::vector<std::wstring> words;  // slots filled in order; the rest stay empty
    std::vector<std::wstring> expect;
};

TEST_F(Ime, CandidateBlocks) {
    std::vector<std::wstring> twelve, ten;
    for (int i = 0; i < 12; ++i) twelve.push_back(std::wstring(1, wchar_t(L'\u4E00' + i)));
    ten.assign(twelve.begin(), twelve.begin() + 10);
    const std::wstring full_slot(ime_cand_slot, L'\u5B57');  // no room left for a terminator
    const cands_case_t cases[] = {
        {"third slot empty", {L"\u4F60", L"\u5462", L"", L"\u62DF"}, {L"\u4F60", L"\u5462"}},
        {"twelve slots keep ten", twelve, ten},
        {"first slot empty", {L"", L"\u4F60"}, {}},
        {"slot filled to its end", {full_slot, L"b"}, {full_slot, L"b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto block = cand_block(c.words, int(std::max<size_t>(c.words.size(), ime_max_cands)));
        ime_set_cands(block.data());
        std::vector<std::wstring> got;
        for (const Str& s : ime_cands()) got.emplace_back(s.c_str());
        EXPECT_EQ(got, c.expect);
    }
    ime_set_cands(nullptr);
    EXPECT_TRUE(ime_cands().empty());
}

// ---- drawing ----

struct test_edt_t : edt_t {
    rect caret{110, 108, 2, 20};
    rect* caret_rect(rect* out) override {
        *out = caret;
        return out;
    }
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
    void compose(const char* utf8) {
        const SDL_Event e = editing(utf8);
        evt_t out;
        translate_sdl_evt(&e, &out);
    }
    static std::vector<uint32_t> pixels(const rect& a) {
        std::vector<uint32_t> px(size_t(a.w) * size_t(a.h));
        const SDL_Rect r{a.x, a.y, a.w, a.h};
        EXPECT_EQ(SDL_RenderReadPixels(get_renderer(), &r, SDL_PIXELFORMAT_ARGB8888, px.data(), a.w * 4), 0);
        return px;
    }
    static uint32_t pixel(int x, int y) { return pixels({x, y, 1, 1})[0] & 0xFFFFFF; }

    test_edt_t edit;
};

constexpr uint32_t grey136 = 0x888888, grey170 = 0xAAAAAA;

TEST_F(ImeDraw, CompositionCoversItsWidthAtTheCaret) {
    compose("nihao");
    ime_draw();
    size sz{};
    measure_text(&sz, L"nihao", FONT_N, 3, WND_UNLIMITED, WND_UNLIMITED);
    ASSERT_GT(sz.w, 0);
    const auto lit = font_env_t::read_lit({0, 0, 400, 300});
    EXPECT_EQ(lit.bounds, (rect{110, 108, sz.w, 20}));
    EXPECT_EQ(pixel(110, 108), grey136);
    EXPECT_EQ(lit.max_r, 255);  // white text over the grey
    EXPECT_EQ(lit.max_b, 255);
}

TEST_F(ImeDraw, CandidatesHangNumberedUnderTheBox) {
    const auto block = cand_block({L"ab", L"cd", L"", L"ef"}, ime_max_cands);
    ime_set_cands(block.data());
    ime_draw();
    // From the last row of the client area: x 100 + 3, y 100 + 40 - 5 - 1.
    const int left = 103, top = 134;
    EXPECT_EQ(font_env_t::read_lit({0, 0, 400, 300}).bounds, (rect{left, top, 128, 48}));
    EXPECT_EQ(pixel(left, top), grey170);
    EXPECT_EQ(pixel(left + 127, top + 23), grey170);
    EXPECT_EQ(pixel(left, top + 24), grey136);
    EXPECT_EQ(pixel(left + 127, top + 47), grey136);
    const auto drawn = pixels({left, top, 128, 48});

    // The same rows drawn by hand, labelled "1： " and "2： ".
    font_env_t::clear_black();
    const clr_t bg = 0xFF000000 | grey136, first = 0xFF000000 | grey170;
    const rect all{left, top, 128, 48}, row0{left, top, 128, 24};
    fill_rect(&all, &bg);
    fill_rect(&row0, &first);
    const rect box0{left + 4, top, 124, 24}, box1{left + 4, top + 24, 124, 24};
    draw_text(L"1\uFF1A ab", &box0, FONT_B, nullptr, 33);
    draw_text(L"2\uFF1A cd", &box1, FONT_B, nullptr, 33);
    EXPECT_TRUE(pixels({left, top, 128, 48}) == drawn);
}

TEST_F(ImeDraw, NothingWithoutAnEditBoxInFocus) {
    compose("nihao");
    const auto block = cand_block({L"ab"}, ime_max_cands);
    ime_set_cands(block.data());
    wnd_t button;
    button.rc = edit.rc;
    for (wnd_t* focus : {&button, static_cast<wnd_t*>(nullptr)}) {
        set_focus_wnd(focus);
        font_env_t::clear_black();
        ime_draw();
        EXPECT_EQ(font_env_t::read_lit({0, 0, 400, 300}).count, 0);
    }
    // Kept, and shown again once an edit box has the focus.
    set_focus_wnd(&edit);
    ime_draw();
    EXPECT_GT(font_env_t::read_lit({0, 0, 400, 300}).count, 0);
}

}  // namespace
