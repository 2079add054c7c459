#include "ui/memo_ctrl.h"

#include "app/font.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

namespace {

class Memo : public fonts_test_t<loop_test_t> {
protected:
    memo_ctrl_t memo;
    Str long_text;

    void SetUp() override {
        loop_test_t::SetUp();
        create_at(memo, get_root_wnd(), {0, 0, 200, 100}, MEMO_WRAP);
        for (int i = 0; i < 40; ++i) long_text.append(L"一行文字 line of text ");
    }
};

TEST_F(Memo, ResetTextScrollsToTheTopEvenForTheSameText) {
    memo.set_text(long_text, true);
    ASSERT_TRUE(memo.has_v);
    memo.scroll_v_to(60);
    memo.set_text(long_text, true);
    EXPECT_EQ(memo.pos_y(), 60);  // set_text keeps the place
    memo.reset_text(long_text);
    EXPECT_EQ(memo.pos_y(), 0);
    EXPECT_EQ(memo.v_step, get_font_height(FONT_DEF));
}

TEST_F(Memo, WrapsToTheWidthLeavingRoomForTheBarOnlyWhenNeeded) {
    memo.set_text(L"short", true);
    size box;
    memo.text_box(&box);
    EXPECT_EQ(box.w, 200 - 8);
    EXPECT_FALSE(memo.has_v);
    memo.reset_text(long_text);
    EXPECT_LE(memo.rtext.get_rect().w, 200 - 8 - 16);
    EXPECT_EQ(memo.content.h, memo.rtext.get_rect().h + 8);
    // Without wrapping the text runs on in one line and scrolls across.
    memo_ctrl_t wide;
    create_at(wide, get_root_wnd(), {0, 0, 200, 100});
    wide.set_text(L"a rather long line that does not fit into two hundred pixels", true);
    EXPECT_TRUE(wide.has_h && !wide.has_v);
}

}  // namespace
