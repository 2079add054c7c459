#pragma once
// The standard dialogs: each shows one ready-made dialog, made on first use
// and kept, centred on the screen, and waits for the player. A dialog that
// shows a text grows to hold it, within the window; a text taller still
// scrolls in its pane.
#include <functional>

#include "app/str.h"
#include "app/types.h"
#include "ui/dlg.h"

class memo_ctrl_t;

// zg_text_dlg: a height or width of this value fits the dialog to its text.
constexpr int TEXT_DLG_FIT = -888888888;
// zg_text_dlg flags: the text centred both ways; a negative value picks the brown palette.
constexpr int TEXT_DLG_CENTRED = 4;

namespace ui {
// A dialog showing one text in a pane inside a wide border.
class memo_dlg_t : public dlg_t {
public:
    memo_ctrl_t* pane = nullptr;
    void on_create() override;
};
}  // namespace ui

// The text is mark-up; a null title gives no title bar.
void zg_msg_dlg(const wchar_t* text, const wchar_t* title);
// A scrolling text. w 0 is half the screen width, h 0 three quarters of its
// height; to_end keeps it scrolled to the end; key also dismisses it.
void zg_memo_dlg(const wchar_t* text, const wchar_t* title, int w, int h, int to_end, int key);
// On OK value takes the typed text and the answer is true; otherwise value
// is left as it was. The third text is not read. When accept is given, OK
// with a text it refuses keeps the dialog open with the text as typed (accept
// tells the player why, as it sees fit).
bool zg_input_dlg(Str& value, const wchar_t* title, const wchar_t* unused,
                  const std::function<bool(const Str&)>& accept = nullptr);
// True exactly when the player chose OK.
bool zg_confirm_dlg(const wchar_t* text);
// A report with one close button; note the order: height before width.
void zg_text_dlg(const wchar_t* text, const wchar_t* title, int flags, int h, int w);
// The chosen image's name under gfx/ (as get_img takes it), or empty. Lists
// the .png and .jpg files of gfx/<folder> and below in cells of item_sz.
Str& zg_imgs_dlg(Str& out, const wchar_t* folder, const size* item_sz);
