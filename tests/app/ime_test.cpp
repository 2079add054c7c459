#include "app/ime.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/platform.h"

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

}  // namespace
