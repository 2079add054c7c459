#include "screens/unit/bag_pnl.h"

#include "app/geom.h"
#include "app/render.h"
#include "rules/bag.h"
#include "rules/pty.h"
#include "screens/text/desc_parts.h"
#include "screens/widgets/itm_btn.h"
#include "screens/widgets/theme.h"
#include "ui/btn.h"
#include "ui/lbl.h"

namespace {
constexpr int margin = 8;
constexpr int cols = 10;
constexpr int cell = 48;
constexpr int pitch = 52;
constexpr size body{516, 292};
constexpr size page_btn_sz{48, 32};
constexpr int page_btn_y = 260;
constexpr int page_radio = 2;
constexpr size funds_sz{160, 24};
constexpr clr_t cell_fill = 0x33000000;
constexpr clr_t cell_line = 0x22000000;

class _bag_pnl_t : public bag_pnl_t {
public:
    int page = 0;
    itm_btn_t* btns[BAG_PAGE_SLOTS] = {};
    btn_t* pages[BAG_PAGES] = {};
    lbl_t* funds = nullptr;
    int page_id = 0;

    void build(int itm_id, int page_btn_id);

    void refresh_all() override {
        refresh_page();
        funds->set_text(funds_text().c_str(), true);
    }
    void refresh_page() override { set_page(page); }
    void set_page(int p) override {
        if (p >= 0 && p < BAG_PAGES) page = p;
        pages[page]->set_checked(true);
        for (int i = 0; i < BAG_PAGE_SLOTS; ++i) btns[i]->set_item(&g_pty.bag[page * BAG_PAGE_SLOTS + i]);
    }
    int get_page() const override { return page; }
    itm_btn_t* itm_btn(int i) const override { return i >= 0 && i < BAG_PAGE_SLOTS ? btns[i] : nullptr; }
    wnd_t* page_btn(int p) const override { return p >= 0 && p < BAG_PAGES ? pages[p] : nullptr; }

    void draw_bg() override {
        bag_pnl_t::draw_bg();
        for (itm_btn_t* b : btns) {
            fill_rect(&b->rc, &cell_fill);
            draw_rect(&b->rc, &cell_line);
        }
    }
    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_COMMAND && sender && sender->id == page_id && sender->parent == this) {
            set_page(int(sender->user_data));
            return true;
        }
        return bag_pnl_t::on_msg(msg, sender);
    }
};

void _bag_pnl_t::build(int itm_id, int page_btn_id) {
    page_id = page_btn_id;
    const int m[4] = {margin, margin, margin, margin};
    set_margins(m);
    resize(body.w + 2 * margin, body.h + 2 * margin);
    for (int i = 0; i < BAG_PAGE_SLOTS; ++i) {
        btns[i] = new itm_btn_t;
        btns[i]->create(this, (i % cols) * pitch, (i / cols) * pitch, cell, itm_id, uintptr_t(i), nullptr);
        reg_owned_wnd(btns[i]);
    }
    for (int p = 0; p < BAG_PAGES; ++p) {
        auto* b = new btn_t;
        const rect r{pitch * p, page_btn_y, page_btn_sz.w, page_btn_sz.h};
        b->create(0, this, &r, page_btn_id, uintptr_t(p), nullptr);
        b->set_icon(L"misc/bag");
        b->radio_grp = page_radio;
        style_set_btn(b);
        reg_owned_wnd(b);
        pages[p] = b;
    }
    funds = new lbl_t;
    const rect fr{0, 0, funds_sz.w, funds_sz.h};
    funds->create(WS_DOCK_RIGHT | WS_DOCK_BOTTOM, this, &fr, 0, 0, nullptr);
    funds->bg_clr = 0;
    funds->text_align = rect_align::right | rect_align::middle;
    funds->tip = L"队伍资金";
    reg_owned_wnd(funds);
    set_page(0);
    funds->set_text(funds_text().c_str(), false);
}
}  // namespace

Str funds_text() { return Str(L"<b>%s", txt::gold_text(g_pty.gold)); }

bag_pnl_t* new_bag_pnl(uint32_t style, wnd_t* parent, int itm_btn_id, int page_btn_id) {
    auto* p = new _bag_pnl_t;
    p->create(style, parent, nullptr, 0, 0, nullptr);
    reg_owned_wnd(p);
    p->build(itm_btn_id, page_btn_id);
    return p;
}
