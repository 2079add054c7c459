#include "ui/full_scrn_dlg.h"

#include "app/input.h"
#include "ui/lbl.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/splitter.h"

namespace {
constexpr clr_t dlg_bg = 0xFF222222;
constexpr clr_t clear_bg = 0x00FFFFFF;
constexpr clr_t heading_bg = 0x99000000;
constexpr uint32_t top_bar = WS_DOCK_TOP | WS_FILL_W;
constexpr uint32_t fill_both = WS_FILL_W | WS_FILL_H;
constexpr int spacer_h = 64;  // as high as the button row
constexpr int heading_h = 96;
constexpr int heading_border = 8;
constexpr int client_gap = 8;
constexpr const char* heading_prefix = "<s hr=w:max_ln_w><m>";
constexpr uint32_t pane_style = WS_ROW_GROUP | WS_FILL_H;
constexpr uint32_t memo_style = pane_style | MEMO_WRAP;

// Made by the child idiom and registered for shutdown.
template <class T>
T* add_child(wnd_t* parent, uint32_t style, int w, int h) {
    auto* c = new T;
    c->set_style(style);
    c->set_parent(parent);
    const rect r{0, 0, w, h};
    c->set_rect(&r);
    c->on_create();
    reg_owned_wnd(c);
    return c;
}
}  // namespace

// ---- full-screen dialog ----

full_scrn_dlg_t::full_scrn_dlg_t() {
    // Fills the screen when the modal loop lays it out.
    cls_style |= fill_both;
    bg_clr = dlg_bg;
}

void full_scrn_dlg_t::on_create() {
    dlg_t::on_create();
    auto* spacer = add_child<splitter_t>(this, top_bar, WND_DEFAULT_SIZE, spacer_h);
    spacer->set_bg_clr(&clear_bg);
    heading = add_child<lbl_t>(this, top_bar, WND_DEFAULT_SIZE, heading_h);
    heading->border_w = heading_border;
    heading->set_bg_clr(&heading_bg);
    heading->rtext.set_prefix(heading_prefix);
    client = add_child<splitter_t>(this, fill_both, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE);
    client->set_bg_clr(&clear_bg);
    client->gap = client_gap;
}

// ---- common full-screen dialog ----

void cmn_full_scrn_dlg_t::on_create() {
    full_scrn_dlg_t::on_create();
    if (heading_text) heading->set_text(heading_text, false);
    list_pane = add_child<splitter_t>(client, pane_style, list_pane_w, WND_DEFAULT_SIZE);
    list_pane->set_bg_clr(&clear_bg);
    memo = add_child<memo_ctrl_t>(client, memo_style, memo_w, WND_DEFAULT_SIZE);
}

void cmn_full_scrn_dlg_t::describe(const wchar_t* text) { memo->set_text(or_empty(text), true); }

// ---- big list dialog ----

big_list_dlg_t::big_list_dlg_t() { btn_mode = DLG_CLOSE; }

void big_list_dlg_t::on_create() {
    cmn_full_scrn_dlg_t::on_create();
    fill();
    list = make_list();
}

lv_t* cmn_full_scrn_dlg_t::new_pane_list(const wchar_t* title) {
    auto* l = new lv_t;
    l->set_style(fill_both);
    l->ex_style = LVX_COL;
    l->set_parent(list_pane);
    const rect r{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
    l->set_rect(&r);
    l->on_create();
    reg_owned_wnd(l);
    if (title) l->set_title_bar(TITLE_SMALL, title);
    return l;
}

lv_t* big_list_dlg_t::make_list() { return new_pane_list(list_title); }

Str* big_list_dlg_t::item_desc(Str* out, uintptr_t) {
    *out = L"";
    return out;
}

const li_t* cmn_full_scrn_dlg_t::described_item(const lv_t* l) {
    if (const li_t* it = l->cur_item()) return it;
    return l->get_item(l->sel);
}

bool big_list_dlg_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if ((msg.code == EVT_CUR_CHANGED || msg.code == EVT_SEL_MADE) && list && sender == list) {
        Str desc;
        if (const li_t* it = described_item(list)) item_desc(&desc, it->data);
        describe(desc.c_str());
        return true;
    }
    if (msg.code == EVT_MODAL_OPEN && sender == this && list) {
        set_focus_wnd(list);
        if (!list->get_item(list->sel)) list->select(0);
    }
    return dlg_t::on_msg(msg, sender);
}
