#include "ui/tip.h"

#include <gtest/gtest.h>

#include "app/input.h"
#include "app/input_state.h"
#include "app/platform.h"
#include "app/seams.h"
#include "support/font_env.h"

namespace {

// Answers the tooltip query with what the test sets; counts the queries.
struct tip_src_t : wnd_t {
    int queries = 0;
    tip_req_t answer;
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        if (m.code != EVT_TIP_QUERY || sender != this) return false;
        ++queries;
        get_tip_req() = answer;
        return true;
    }
};

class Tip : public fonts_test_t<> {
protected:
    static inline uint32_t buttons = 0;

    tip_src_t src;
    size scr;

    void SetUp() override {
        input_state() = input_state_t{};
        seams().mouse_state = [](int* x, int* y) { *x = *y = 0; return buttons; };
        buttons = 0;
        scr = *get_scrn_size();
        const rect r{0, 0, scr.w, scr.h};
        get_root_wnd()->create(0, nullptr, &r, 0, 0, nullptr);
        const rect s{100, 100, 80, 30};
        src.create(0, WND_ROOT, &s, 0, 0, nullptr);
        src.answer.anchor = s;
        src.answer.text = L"Hello";
        input_state().hover = &src;
        input_state().moved = false;
    }
    void TearDown() override {
        hide_tip();
        input_state() = input_state_t{};
        seams_reset();
    }
    static bool tip_up() { return get_tip_shown_wnd() && !get_tip_wnd()->is_hidden(); }
    // Rests long enough for a new tip, then gives the tip window's rect.
    rect rest() {
        hide_tip();
        tip_update(0.3);
        return get_tip_wnd()->rc;
    }
};

TEST_F(Tip, ShowsAfterAFifthOfASecondOfRestAndNeverWhileAButtonIsHeld) {
    tip_update(0.1);
    EXPECT_FALSE(tip_up());
    tip_update(0.15);
    ASSERT_TRUE(tip_up());
    EXPECT_EQ(get_tip_wnd()->text, Str(L"Hello"));
    EXPECT_EQ(get_tip_wnd()->rc.y, 100 + 30 + 2);  // below its anchor
    tip_on_input(&(const evt_t&)evt_t{EVT_KEY_DOWN, 0, 0});
    EXPECT_FALSE(tip_up());

    buttons = SDL_BUTTON_LMASK;
    for (int i = 0; i < 5; ++i) tip_update(0.3);
    EXPECT_FALSE(tip_up());
    buttons = 0;
    input_state().pressed = &src;  // a press in progress
    tip_update(0.3);
    EXPECT_FALSE(tip_up());
}

TEST_F(Tip, AnAnswerWithoutTextShowsNothingAndIsAskedAgain) {
    src.answer.text = L"";
    tip_update(0.3);
    tip_update(0.1);
    EXPECT_FALSE(tip_up());
    EXPECT_EQ(src.queries, 2);
    src.answer.text_ptr = L"now";
    tip_update(0.1);
    EXPECT_TRUE(tip_up());
}

TEST_F(Tip, PlacementsAreClampedToTheScreenAndWidthsHonoured) {
    src.answer.place = TIP_ABOVE;
    src.answer.anchor = {50, 5, 80, 30};
    EXPECT_EQ(rest().y, 0);
    src.answer.place = TIP_BELOW;
    src.answer.anchor = {scr.w - 20, scr.h - 10, 80, 30};
    const rect below = rest();
    EXPECT_EQ(std::pair(below.x + below.w, below.y + below.h), std::pair(scr.w, scr.h));
    src.answer.width = 300;
    EXPECT_EQ(rest().w, 300);
    src.answer.width = 0;
    src.answer.text = Str(L"%s", std::wstring(400, L'w').c_str());
    const rect wide = rest();
    EXPECT_LE(wide.w, 512);
    EXPECT_GT(wide.h, 3 * get_font_height(FONT_DEF));  // wrapped instead
    src.answer.text = L"x";
    src.answer.place = TIP_RIGHT_BOTTOM;
    src.answer.anchor = {100, 100, 80, 30};
    const rect rb = rest();
    EXPECT_EQ(std::pair(rb.x + rb.w, rb.y + rb.h), std::pair(100 + 80 - 2, 100 + 30 - 2));
}

TEST_F(Tip, MovingWithinTheSameRegionKeepsTheTipButAnyMoveEventHidesIt) {
    src.answer.region = 1;
    rest();
    ASSERT_TRUE(tip_up());
    input_state().moved = true;
    tip_update(0.01);
    EXPECT_TRUE(tip_up());
    src.answer.region = 2;
    tip_update(0.01);
    EXPECT_FALSE(tip_up());
    input_state().moved = false;
    rest();
    ASSERT_TRUE(tip_up());
    tip_on_input(&(const evt_t&)evt_t{EVT_MOUSE_MOVE, 1, 1});
    EXPECT_FALSE(tip_up());
    input_state().moved = true;  // nor asked again in the frame the mouse arrived: its rest starts there
    tip_update(0.01);
    EXPECT_FALSE(tip_up());
}

}  // namespace
