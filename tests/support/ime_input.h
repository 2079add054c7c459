#pragma once
// Text events as SDL hands them over, and a clean input-method state per test.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/ime.h"
#include "app/platform.h"

namespace ime_input {
// Translates an SDL text event; the result is left in `out`.
inline bool translate(uint32_t type, const char* utf8, evt_t* out = nullptr) {
    SDL_Event e{};
    e.type = type;
    SDL_strlcpy(type == SDL_TEXTINPUT ? e.text.text : e.edit.text, utf8, sizeof e.text.text);
    evt_t ignored;
    return translate_sdl_evt(&e, out ? out : &ignored);
}

// A block of candidate slots as a platform hands it over.
inline std::vector<wchar_t> cand_block(const std::vector<std::wstring>& words) {
    std::vector<wchar_t> block(std::max(size_t(ime_max_cands), words.size()) * ime_cand_slot, L'\0');
    for (size_t i = 0; i < words.size(); ++i)
        std::wmemcpy(block.data() + i * ime_cand_slot, words[i].c_str(), words[i].size());
    return block;
}

class ime_test_t : public ::testing::Test {
protected:
    void SetUp() override { ime_start(), ime_clear(); }
    void TearDown() override { ime_clear(), set_text_input_handler(nullptr); }
};
}  // namespace ime_input
