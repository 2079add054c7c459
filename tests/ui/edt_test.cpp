#include "ui/edt.h"

#include <SDL.h>

#include "app/clipboard.h"
#include "app/font.h"
#include "app/ime.h"
#include "support/font_env.h"
#include "support/ime_input.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {

class Edt : public fonts_test_t<loop_test_t> {
protected:
    edt_t ed;

    void SetUp() override {
        loop_test_t::SetUp();
        create_at(ed, get_root_wnd(), {10, 10, 200, 30});
        ed.font = FONT_N;
        set_focus_wnd(&ed);
    }
    void TearDown() override {
        ime_clear();
        set_focus_wnd(nullptr);
        loop_test_t::TearDown();
    }
    void key(int k, int mods = 0) { route(EVT_KEY_DOWN, k, mods); }
    void type(const wchar_t* s) { route(EVT_TEXT, reinterpret_cast<intptr_t>(s), 0); }
    std::wstring txt() const { return ed.text.c_str(); }
};

TEST_F(Edt, BackspaceAtTheStartAndDeleteAtTheEndChangeNothing) {
    ed.set_text(L"abc", true);
    EXPECT_EQ(ed.caret, 3);
    key(SDLK_DELETE);
    EXPECT_EQ(txt(), L"abc");
    key(SDLK_HOME);
    key(SDLK_BACKSPACE);
    EXPECT_EQ(txt(), L"abc");
    EXPECT_EQ(ed.caret, 0);
    key(SDLK_LEFT);  // clamped
    EXPECT_EQ(ed.caret, 0);
    key(SDLK_RIGHT), key(SDLK_DELETE);
    EXPECT_EQ(txt(), L"ac");
    key(SDLK_BACKSPACE);
    EXPECT_EQ(txt(), L"c");
    EXPECT_EQ(ed.caret, 0);
    key(SDLK_END), key(SDLK_RIGHT);
    EXPECT_EQ(ed.caret, 1);
}

TEST_F(Edt, KeepsAtMostLimitCharacters) {
    ed.set_limit(3);
    for (const wchar_t* s : {L"a", L"b", L"c", L"d", L"e"}) type(s);
    EXPECT_EQ(txt(), L"abc");
    EXPECT_EQ(ed.caret, 3);
    // Typing in the middle of a full box loses nothing that was there.
    key(SDLK_HOME), type(L"x");
    EXPECT_EQ(txt(), L"abc");
    key(SDLK_BACKSPACE), key(SDLK_END), key(SDLK_BACKSPACE), type(L"xyz");
    EXPECT_EQ(txt(), L"abx");
    ed.set_text(L"longer", true);
    EXPECT_EQ(txt(), L"lon");
    ed.set_limit(1);
    EXPECT_EQ(txt(), L"l");
    ed.set_limit(0);
    EXPECT_EQ(txt(), L"");
    type(L"q");
    EXPECT_EQ(txt(), L"");
}

TEST_F(Edt, MarkUpTabsAndBreaksStayLiteralAndTheCaretCountsCharacters) {
    type(L"<b>x");
    EXPECT_EQ(txt(), L"<b>x");
    EXPECT_EQ(ed.rtext.item_count(), 4);
    EXPECT_EQ(ed.caret, 4);
    key(SDLK_LEFT), key(SDLK_BACKSPACE);
    EXPECT_EQ(txt(), L"<bx");
    EXPECT_EQ(ed.caret, 2);
    type(L"\t");
    EXPECT_EQ(txt(), L"<b\tx");
    EXPECT_EQ(ed.rtext.item_count(), 4);
    // The caret's rect is the laid-out rect of the character it stands on.
    rect cr, c;
    ed.caret_rect(&cr);
    ed.client_rect(&c);
    EXPECT_EQ(cr.x, c.x + ed.rtext.get_rect().x + ed.rtext.item_rect(3).x);
    // Pasting keeps the first line only.
    ASSERT_TRUE(set_clipboard_text(L"<i>\r\nsecond line"));
    key(SDLK_END), key(SDLK_v, KMOD_LCTRL);
    EXPECT_EQ(txt(), L"<b\tx<i>");
    EXPECT_EQ(ed.caret, 7);
    key(SDLK_v);  // no Ctrl: nothing pasted
    EXPECT_EQ(txt(), L"<b\tx<i>");
    // A stored text with a break keeps it and still lays out one item a character.
    ed.set_text(L"a\nb", true);
    EXPECT_EQ(ed.rtext.item_count(), 3);
    EXPECT_EQ(ed.rtext.item_rect(2).y, ed.rtext.item_rect(0).y);
}

TEST_F(Edt, KeysAreIgnoredWhileAnInputMethodComposes) {
    ime_start();
    ed.set_text(L"ab", true);
    ime_input::translate(SDL_TEXTEDITING, "ni");
    ASSERT_TRUE(ime_has_comp());
    key(SDLK_BACKSPACE), key(SDLK_HOME);
    EXPECT_EQ(txt(), L"ab");
    EXPECT_EQ(ed.caret, 2);
    ime_clear();
    key(SDLK_BACKSPACE);
    EXPECT_EQ(txt(), L"a");
    set_text_input_handler(nullptr);
}

TEST_F(Edt, TextGoesOnlyToTheFocusedBox) {
    edt_t other;
    create_at(other, get_root_wnd(), {10, 100, 200, 30});
    type(L"中文");
    EXPECT_EQ(txt(), L"中文");
    EXPECT_TRUE(other.text.empty());
}

TEST_F(Edt, ClickPlacesTheCaretByCharacterHalvesAndTheViewFollowsTheCaret) {
    ed.set_text(L"abcd", true);
    rect c;
    ed.client_rect(&c);
    const rect b = ed.rtext.item_rect(1);
    const int x0 = c.x + ed.rtext.get_rect().x + b.x;
    route_at(EVT_LBTN_DOWN, x0 + 1, 20);
    EXPECT_EQ(ed.caret, 1);
    route_at(EVT_LBTN_DOWN, x0 + b.w - 1, 20);
    EXPECT_EQ(ed.caret, 2);
    // A long text scrolls so the caret stays inside the box, and back at Home.
    ed.set_text(L"", true);
    for (int i = 0; i < 60; ++i) type(L"w");
    rect cr;
    ed.caret_rect(&cr);
    EXPECT_LT(ed.scroll_x, 0);
    EXPECT_LE(cr.x, ed.rc.x + ed.rc.w - ed.border_w - 1);
    EXPECT_GE(cr.x, ed.rc.x + ed.border_w);
    key(SDLK_HOME);
    EXPECT_EQ(ed.scroll_x, 0);
}

TEST_F(Edt, FocusOutlineAndBlinkingCaret) {
    ed.bg_clr = 0;
    ed.set_text(L"ab", true);
    font_env_t::clear_black();
    ed.caret_clock = 0;
    ed.paint();
    rect cr;
    ed.caret_rect(&cr);
    // The outline halfway into the border in the focus colour, the caret line in light grey.
    EXPECT_EQ(canvas_t::px(ed.rc.x + 2, ed.rc.y + 2), 0xFF009AE2u);
    EXPECT_EQ(canvas_t::px(cr.x, cr.y + cr.h / 2), 0xFFCCCCCCu);
    font_env_t::clear_black();
    ed.caret_clock = 0.6;  // second half of the second: no caret
    ed.paint();
    EXPECT_NE(canvas_t::px(cr.x, cr.y + cr.h / 2), 0xFFCCCCCCu);
    set_focus_wnd(nullptr);
    font_env_t::clear_black();
    ed.paint();
    EXPECT_EQ(canvas_t::px(ed.rc.x + 2, ed.rc.y + 2), 0xFF444444u);
}

}  // namespace
