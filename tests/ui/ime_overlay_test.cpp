#include "ui/ime_overlay.h"

#include <gtest/gtest.h>

#include "app/draw_text.h"
#include "app/input.h"
#include "support/font_env.h"
#include "support/ime_input.h"
#include "ui/edt.h"

namespace {
using namespace ime_input;

struct test_edt_t : edt_t {
    rect* caret_rect(rect* out) override { return &(*out = {110, 108, 2, 20}); }
};

class ImeDraw : public fonts_test_t<ime_test_t> {
protected:
    void TearDown() override { set_focus_wnd(nullptr), ime_test_t::TearDown(); }
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
    measure_text(&sz, L"nihao", FONT_N, 3, UNLIMITED, UNLIMITED);
    ASSERT_GT(sz.w, 0);
    EXPECT_EQ(drawn(&edit), (rect{110, 108, sz.w, 20}));
    // Rows of 24 from the last row of the client area: x 100 + 3, y 100 + 40 - 5 - 1.
    ime_clear();
    const auto block = cand_block({L"ab", L"cd", L"", L"ef"});
    ime_set_cands(block.data());
    EXPECT_EQ(drawn(&edit), (rect{103, 134, 128, 48}));
}

}  // namespace
