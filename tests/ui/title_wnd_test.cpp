#include "ui/title_wnd.h"

#include <gtest/gtest.h>

#include "ui/tool_bar2.h"

namespace {

TEST(TitleWnd, BarsChangeTheTopMarginAndThePalette) {
    title_wnd_t w;
    const rect r{0, 0, 300, 200};
    w.create(L"Title", TITLE_LARGE, 0, nullptr, &r);
    EXPECT_EQ(std::pair(w.margin_t, w.bg_clr.v), std::pair(32, 0xFF222222u));
    w.set_title_bar(TITLE_SMALL, L"Small");
    EXPECT_EQ(std::pair(w.margin_t, w.bg_clr.v), std::pair(24, 0x33000000u));
    EXPECT_EQ(std::pair(w.title->font, w.title->title), std::pair(14, Str(L"Small")));
    const int m[4] = {1, 2, 5, 4};
    w.set_margins(m);
    EXPECT_EQ(w.margin_t, 5 + 24);
    w.set_title_bar(TITLE_NONE, nullptr);
    EXPECT_EQ(std::pair(w.margin_t, w.title), std::pair(5, static_cast<title_rec_t*>(nullptr)));
    w.set_title_bar(TITLE_NONE, nullptr);  // twice is harmless
    EXPECT_EQ(w.margin_t, 5);
}

TEST(TitleWnd, TitleButtonsSitAtTheRightEndOfTheBar) {
    title_wnd_t w;
    const rect r{10, 10, 300, 200};
    w.create(L"T", TITLE_LARGE, 0, nullptr, &r);
    tool_btn_t* b = w.add_title_btn(WS_DOCK_RIGHT | WS_CENTRE_Y, L"ui/close", nullptr);
    w.on_msg({EVT_LAYOUT_DONE, 0, 0}, &w);
    w.title_btns->arrange();
    EXPECT_EQ(w.title_btns->rc, (rect{10 + 300 - 32, 10, 32, 32}));
    EXPECT_EQ(b->rc, (rect{10 + 300 - 32, 10, 32, 32}));
    // Items go in a strip at the bar's left end.
    li_t* prev = w.add_title_item(L"ui/prev", nullptr);
    w.add_title_item(L"ui/next", nullptr);
    EXPECT_EQ(prev->kind, LIK_COMMAND);
    EXPECT_EQ(w.title_items->count(), 2);
    EXPECT_EQ(std::pair(w.title_items->rc.x, w.title_items->rc.y), std::pair(10, 10));
    EXPECT_EQ(w.title_items->rc.w, w.title_items->size_for(2, 1).w);
}

TEST(TitleWnd, DialogLooksRecolourTheTitleBar) {
    title_wnd_t w;
    const rect r{0, 0, 300, 200};
    w.create(L"T", TITLE_LARGE, 0, nullptr, &r);
    apply_looks(&w, -1);
    EXPECT_EQ(std::pair(w.bg_clr.v, w.title->bg.v), std::pair(0xFF99825Cu, 0xFF66573Eu));
    apply_looks(&w, 0);
    EXPECT_EQ(std::pair(w.bg_clr.v, w.title->bg.v), std::pair(0xFF222222u, 0xFF444444u));
    EXPECT_EQ(w.title->fg.v, 0xFFEEEEEEu);
}

}  // namespace
