// Sections: message, memo, input, confirm and text, image chooser.
#include "ui/std_dlgs.h"

#include <algorithm>

#include "app/draw_text.h"
#include "app/file_list.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/paths.h"
#include "app/platform.h"
#include "ui/edt.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/modal.h"

namespace {
constexpr uint32_t centred = WS_CENTRE_X | WS_CENTRE_Y;
constexpr uint32_t fill = WS_FILL_W | WS_FILL_H;
constexpr clr_t clear_bg = 0x00FFFFFF;
constexpr int text_font = FONT_B5;
constexpr int centre_both = 48;
constexpr int measure_flags = rect_align::left | rect_align::top;
constexpr int btn_row_h = 64;
// Message and input dialogs.
constexpr int msg_w = 512, msg_h = 256;
constexpr int edt_w = 256, edt_h = 32;
// Confirm and text dialogs.
constexpr int memo_w = 512;
constexpr int confirm_h = WND_DEFAULT_SIZE;  // set from the text on every call
constexpr int text_h = 576;
constexpr int pane_border = 32;
constexpr clr_t pane_text_clr = 0xFFCCCCCC;
// Image chooser.
constexpr int imgs_w = 512, imgs_h = 320;
constexpr int imgs_cols = 10, imgs_rows = 6;
constexpr int imgs_gap = 2;
constexpr int bar_room = 16;
constexpr clr_t imgs_frame_clr = 0xFF009AE2;
constexpr int lf_images = LF_RECURSE | LF_FULL_PATH | LF_FILES | LF_SORT;

// Kept for the program's life; shutdown deletes it, and a later call (as in
// tests, which shut down after each case) makes it again.
template <class Base>
class kept_t : public Base {
public:
    Base** holder = nullptr;
    ~kept_t() override {
        if (holder) *holder = nullptr;
    }
};

template <class T>
T* kept_dlg(T*& slot, const wchar_t* title, int mode, int w, int h) {
    if (!slot) {
        auto* d = make_dlg<kept_t<T>>(title, mode, w, h, centred);
        d->holder = &slot;
        slot = d;
    }
    return slot;
}

void set_title(dlg_t* d, const wchar_t* title) { d->set_title_bar(title ? TITLE_LARGE : TITLE_NONE, title); }

// A dialog's text, laid out in the pane as given (aligned in it) while it
// fits; a taller text wraps beside a bar and scrolls, so none of it is drawn
// past the pane.
class text_pane_t : public memo_ctrl_t {
public:
    size* text_box(size* out) override {
        int w = rc.w - margin_l - margin_r - 2 * border_w;
        const int h = rc.h - margin_t - margin_b - 2 * border_w;
        // Measured afresh each time: the bar a former text needed says nothing of this one.
        size need;
        measure_text(&need, text, font, measure_flags, w, UNLIMITED);
        if (need.h > h) {
            // Beside the bar, in a box as tall as the text: a centred text starts at the top.
            w -= SCROLL_BAR_W;
            measure_text(&need, text, font, measure_flags, w, UNLIMITED);
        }
        *out = {w, std::max(h, need.h)};
        return out;
    }
    void on_text_laid_out() override {
        // Aligned text starts inside its box: the content reaches its far edge.
        const rect t = rtext.get_rect();
        set_scroll_size(t.x + t.w + 2 * border_w, t.y + t.h + 2 * border_w);
    }
};

memo_ctrl_t* make_pane(wnd_t* parent) {
    auto* p = new text_pane_t;
    p->set_style(fill);
    p->set_parent(parent);
    const rect r{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
    p->set_rect(&r);
    p->set_bg_clr(&clear_bg);
    p->font = text_font;
    p->text_align = centre_both;
    p->border_w = 0;
    p->focus_order = 1;  // its keys scroll a long text
    p->on_create();
    reg_owned_wnd(p);
    return p;
}

// A closing line break shows nothing but an empty line, which would grow or
// scroll a page that holds every line it shows (the victory page's kills).
Str without_closing_breaks(const wchar_t* text) {
    Str out = text;
    while (!out.empty() && out.at_from_end(0) == L'\n') out.drop_back(1);
    return out;
}

// Shows text in d's pane from its top: d at w x h, grown to hold the text
// (its pane's border around it) but never past the window. The text of the
// last call and its scroll position are gone.
void show_text(dlg_t* d, memo_ctrl_t* pane, const wchar_t* text, int w, int h) {
    const Str shown = without_closing_breaks(text);
    const size* scr = get_scrn_size();
    w = std::min(w, scr->w);
    size t;
    measure_text(&t, shown, text_font, measure_flags, w - d->margin_l - d->margin_r - 2 * pane->border_w, UNLIMITED);
    const int need = d->margin_t + d->margin_b + btn_row_h + d->gap + t.h + 2 * pane->border_w;
    d->resize(w, std::min(std::max(h, need), scr->h));
    pane->set_text(shown, false);
    pane->scroll_v_to(0);
}

// ---- message ----

class msg_dlg_t : public dlg_t {
public:
    memo_ctrl_t* pane = nullptr;
    void on_create() override {
        dlg_t::on_create();
        pane = make_pane(this);
    }
};
}  // namespace

void zg_msg_dlg(const wchar_t* text, const wchar_t* title) {
    static msg_dlg_t* slot = nullptr;
    msg_dlg_t* d = kept_dlg(slot, title, DLG_CLOSE, msg_w, msg_h);
    set_title(d, title);
    show_text(d, d->pane, text, msg_w, msg_h);
    do_modal(d, 0, 0);
}

// ---- memo ----

namespace {
constexpr int memo_padding = 8;

class memo_box_dlg_t : public dlg_t {
public:
    memo_ctrl_t* memo = nullptr;
    bool to_end = false;

    void on_create() override {
        dlg_t::on_create();
        padding = memo_padding;
        memo = new memo_ctrl_t;
        memo->set_style(fill);
        memo->set_parent(this);
        const rect r{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
        memo->set_rect(&r);
        memo->focus_order = 1;
        memo->on_create();
        reg_owned_wnd(memo);
    }
    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_LAYOUT_DONE && sender == this && to_end) memo->scroll_to_end();
        return dlg_t::on_msg(msg, sender);
    }
};
}  // namespace

void zg_memo_dlg(const wchar_t* text, const wchar_t* title, int w, int h, int to_end, int key) {
    static memo_box_dlg_t* slot = nullptr;
    memo_box_dlg_t* d = kept_dlg(slot, title, 0, w, h);
    d->to_end = to_end != 0;
    set_title(d, title);
    const size* scr = get_scrn_size();
    d->resize(w ? w : scr->w / 2, h ? h : scr->h * 3 / 4);
    d->memo->set_text(text, false);
    do_modal(d, key, 0);
}

// ---- input ----

namespace {
class input_dlg_t : public dlg_t {
public:
    edt_t* edt = nullptr;
    std::function<bool(const Str&)> accept;
    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        // Refused: the loop goes on, whatever the OK button's end code asked
        // for; a message the check showed already cleared it on closing.
        if (msg.code == EVT_COMMAND && sender == ok_btn && accept && !accept(edt->text)) {
            set_modal_result(0);
            set_focus_wnd(edt);
            return true;
        }
        return dlg_t::on_msg(msg, sender);
    }
    void on_create() override {
        dlg_t::on_create();
        edt = new_edt();
        edt->set_style(centred);
        edt->set_parent(this);
        const rect r{0, 0, edt_w, edt_h};
        edt->set_rect(&r);
        edt->focus_order = 1;
        edt->on_create();
        reg_owned_wnd(edt);
    }
};
}  // namespace

bool zg_input_dlg(Str& value, const wchar_t* title, const wchar_t*, const std::function<bool(const Str&)>& accept) {
    static input_dlg_t* slot = nullptr;
    input_dlg_t* d = kept_dlg(slot, title, DLG_OK_CANCEL, msg_w, msg_h);
    set_title(d, title);
    d->edt->set_text(value.c_str(), false);
    d->accept = accept;
    const int r = do_modal(d, 0, 0);
    d->accept = nullptr;
    if (r != MODAL_OK) return false;
    value = d->edt->text;
    return true;
}

// ---- confirm and text ----

void ui::memo_dlg_t::on_create() {
    dlg_t::on_create();
    gap = 0;  // the pane reaches the button row: its border is all the room the text needs
    pane = make_pane(this);
    pane->text_clr = pane_text_clr;
    pane->border_w = pane_border;
}

bool zg_confirm_dlg(const wchar_t* text) {
    static ui::memo_dlg_t* slot = nullptr;
    ui::memo_dlg_t* d = kept_dlg(slot, L"确认", DLG_OK_CANCEL, memo_w, confirm_h);
    apply_looks(d, 0);
    show_text(d, d->pane, text, memo_w, 0);
    return do_modal(d, 0, 0) == MODAL_OK;
}

void zg_text_dlg(const wchar_t* text, const wchar_t* title, int flags, int h, int w) {
    static ui::memo_dlg_t* slot = nullptr;
    ui::memo_dlg_t* d = kept_dlg(slot, title, DLG_CLOSE, memo_w, text_h);
    set_title(d, title);
    apply_looks(d, flags);
    const int border = d->pane->border_w;
    const int mw = d->margin_l + d->margin_r, mh = d->margin_t + d->margin_b;
    if (h == TEXT_DLG_FIT || w == TEXT_DLG_FIT) {
        size t;
        measure_text(&t, without_closing_breaks(text), text_font, measure_flags,
                     w == TEXT_DLG_FIT ? UNLIMITED : w - 2 * border, h == TEXT_DLG_FIT ? UNLIMITED : h - 2 * border);
        w = t.w + 2 * border;
        h = btn_row_h + t.h + 2 * border;
    }
    d->pane->text_align = flags >= 0 && (flags & TEXT_DLG_CENTRED) ? centre_both : 0;
    show_text(d, d->pane, text, mw + w, mh + h);
    do_modal(d, 0, 0);
}

// ---- image chooser ----

namespace {
class imgs_dlg_t : public dlg_t {
public:
    lv_t* list = nullptr;

    void on_create() override {
        dlg_t::on_create();
        list = new lv_t;
        list->set_style(fill | LVS_KEEP_SEL);
        list->set_parent(this);
        const rect r{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
        list->set_rect(&r);
        list->focus_order = 1;
        list->on_create();
        reg_owned_wnd(list);
    }
    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_SEL_MADE && sender == list) {
            set_modal_result(MODAL_OK);
            return true;
        }
        return dlg_t::on_msg(msg, sender);
    }
    void fit(const size* item_sz) {
        list->sel_look = 1;
        list->frame_clr = imgs_frame_clr;
        const int none[4] = {0, 0, 0, 0};
        list->set_margins(none);
        list->set_item_size(item_sz);
        list->set_item_gap(imgs_gap);
        const size s = list->size_for(imgs_cols, imgs_rows);
        list->resize(s.w, s.h);
        resize(s.w + bar_room + 2 * padding + margin_l + margin_r, s.h + 2 * padding + margin_t + margin_b);
    }
    // A folder that does not exist lists nothing: the chooser opens empty.
    void fill_from(const wchar_t* folder) {
        const Str& gfx = get_gfx_dir();
        list->clear();
        for (Str name : list_files((gfx + folder).c_str(), L"*.png;*.jpg", lf_images)) {
            cut_prefix_and_ext(name, gfx.length());
            list->add_item(nullptr, nullptr, get_img(name.c_str()), 0, 0, 0, 0, nullptr);
        }
    }
};
}  // namespace

Str& zg_imgs_dlg(Str& out, const wchar_t* folder, const size* item_sz) {
    static imgs_dlg_t* slot = nullptr;
    imgs_dlg_t* d = kept_dlg(slot, L"选择图像", 0, imgs_w, imgs_h);
    d->fit(item_sz);
    d->fill_from(or_empty(folder));
    out = L"";
    if (do_modal(d, 0, 0) != MODAL_OK) return out;
    const li_t* it = d->list->get_item(d->list->sel);
    const wchar_t* name = it && it->icon ? get_img_name(it->icon) : nullptr;
    if (name) out = name;
    return out;
}
