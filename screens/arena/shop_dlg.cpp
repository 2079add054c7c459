#include "screens/arena/shop_dlg.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/render.h"
#include "rules/enums.h"
#include "rules/itm.h"
#include "rules/pty.h"
#include "rules/shop.h"
#include "screens/text/desc_parts.h"
#include "screens/unit/unit_dlg.h"
#include "screens/widgets/itm_list_view.h"
#include "ui/btn.h"
#include "ui/lbl.h"
#include "ui/li.h"
#include "ui/splitter.h"
#include "ui/std_dlgs.h"
#include "ui/tool_bar2.h"

namespace {
// ---- layout ----
constexpr int list_w = 384;
constexpr int centre_w = 960;
constexpr int sel_icon = 32;
constexpr int sel_w = 48;  // also the buttons' height
constexpr int sel_margin = (sel_w - sel_icon) / 2;
constexpr int sel_gap = 2;
constexpr int sel_offset = 4;                // between the selector's right edge and the shelf list
constexpr int narrow_room = 2 * sel_w + 16;  // besides the centre, what the screen must hold
constexpr int narrow_cut = 112;
constexpr int narrow_btns_w = 192;
constexpr int centre_gap = 8;
constexpr int col_gap = 8, col_padding = 8;
constexpr int item_h = 40;
constexpr int list_font = FONT_B5;
constexpr int count_x = 160;  // where the count column starts in a row with room for it
constexpr int num_gap = 12;   // at least this between name, count and price

// ---- texts ----
constexpr const wchar_t* intro = L"<h1>竞技场商人</h1><f=b4 c=a>普通和初级魔法物品无限供应；高级魔法物品限量供应。";
constexpr const wchar_t* close_text = L"返回";
constexpr const wchar_t* shelf_title = L"商人货架";
constexpr const wchar_t* bag_title = L"队伍背包";
constexpr const wchar_t* bag_icon = L"misc/bag";
constexpr const wchar_t* bag_tip = L"角色装备/队伍背包";
constexpr const wchar_t* bag_full_msg = L"队伍背包已满，放不下买入的物品。";
constexpr const wchar_t* header_fmt = L"<m c=#4 hr>%s</m>";

constexpr struct {
    const wchar_t* icon;
    const wchar_t* tip;
} shelf_rows[SHELVES] = {
    {L"misc/high_itm", L"限量魔法物品"},
    {L"misc/low_wond", L"初级奇物（队伍等级5以上）"},
    {L"misc/low_eqpt", L"初级魔法装备（队伍等级5以上）"},
    {L"misc/norm_eqpt", L"常规装备"},
    {L"misc/ammo", L"弹药"},
};

// The spaces line the counts up under each other.
constexpr struct {
    const wchar_t* text;
    int n;
} buy_rows[SHOP_BUY_BTNS] = {{L"买入   x1", 1}, {L"买入  x10", 10}, {L"买入 x100", 100}};
constexpr struct {
    const wchar_t* text;
    int n;
} sell_rows[SHOP_SELL_BTNS] = {{L"卖出   x1", 1}, {L"卖出  x10", 10}, {L"卖出 x100", 100}, {L"卖出整堆", SELL_STACK}};

shop_dlg_t* the_dlg = nullptr;

Str itm_icon(const itm_slot_t& it) { return Str(L"items/%s", or_empty(get_itm(it.id).k)); }

// An item's row before its columns are placed; an empty count has no column.
struct row_txt_t {
    int index;
    Str name, count, price;
};

int text_w(const wchar_t* text) {
    size s{0, 0};
    measure_text(&s, text, list_font, rect_align::left | rect_align::top, UNLIMITED, UNLIMITED);
    return s.w;
}

// Name, count and price in three columns that never touch. The price's is
// as wide as the list's widest price, at the right; the count's as wide as
// its widest count, at count_x, or further right as far as the longest name
// needs and the price allows, or further left when the row is too narrow;
// the name takes what is left and ends in an ellipsis when longer (the row's
// tooltip names the item whole).
void set_rows(lv_t* l, const std::vector<row_txt_t>& rows) {
    l->relayout();  // whether the list scrolls decides the rows' width
    if (rows.empty()) return;
    int row_w = 0, name_w = 0, price_w = 0, count_w = 0;
    for (const row_txt_t& r : rows) {
        row_w = std::max(row_w, l->item_part_rect(r.index, LIP_TEXT).w);  // none for a nameless item
        name_w = std::max(name_w, text_w(r.name));
        price_w = std::max(price_w, text_w(r.price));
        if (!r.count.empty()) count_w = std::max(count_w, text_w(r.count));
    }
    const int price_x = row_w - price_w;
    const int cnt_x =
        count_w > 0 ? std::min(std::max(count_x, name_w + num_gap), price_x - num_gap - count_w) : price_x;
    const int cell_w = std::max(0, cnt_x - num_gap);
    for (const row_txt_t& r : rows) {
        Str label(L"<el=%d>%s</el>", cell_w, r.name);
        if (!r.count.empty()) label.append_format(L"<x=%d>%s", cnt_x, r.count);
        l->get_item(r.index)->label = label.append_format(L"<r>%s</r>", r.price);
    }
    l->relayout();
}

// The shelves. A locked one must look locked and say what opens it: the list
// alone only dims its icon, and its hover and tips pass over what cannot be
// chosen.
class _shelf_bar_t : public tool_bar_t2 {
public:
    // Filled and outlined as the toolkit draws a disabled tab.
    void draw_item(li_t* it, int index, const rect& r, const rect& inner) override {
        if (!it->selectable()) {
            clr_t c;
            fill_rect(&r, item_text_clr(&c, it));
            draw_rect(&r, item_bg_clr(&c, it));
        }
        tool_bar_t2::draw_item(it, index, r, inner);
    }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (sender == this && msg.code == EVT_TIP_QUERY) {
            // The shelf under the pointer now, a locked one too.
            const pt_t m = *get_mouse_pos();
            tip_item = item_at(m.x, m.y, nullptr);
        }
        return tool_bar_t2::on_msg(msg, sender);
    }
};

class _shop_dlg_t : public shop_dlg_t {
public:
    _shop_dlg_t() { btn_mode = DLG_CLOSE; }
    ~_shop_dlg_t() override {
        if (the_dlg == this) the_dlg = nullptr;
    }

    void on_create() override {
        // A screen too narrow for the centre and the selector narrows both lists.
        const int scr_w = get_scrn_size()->w;
        int cw = centre_w, lw = list_w;
        if (centre_w + narrow_room > scr_w) {
            cw = scr_w - narrow_cut;
            lw = (cw - narrow_btns_w) / 2;
        }
        shop_dlg_t::on_create();
        heading->set_text(intro, false);
        first_btn->set_text(close_text, false);
        first_btn->set_style((first_btn->style & ~(WS_ROW_GROUP | WS_CENTRE_X)) | WS_DOCK_LEFT);
        build_selector();
        auto* centre = add_child_wnd(client, new splitter_t, WS_ROW_GROUP | WS_FILL_H, {0, 0, cw, WND_DEFAULT_SIZE});
        centre->bg_clr = 0;
        centre->gap = centre_gap;
        shelf_list_ = make_list(centre, WS_DOCK_LEFT, lw, shelf_title);
        bag_list_ = make_list(centre, WS_DOCK_RIGHT, lw, bag_title);
        build_btns(centre);
        bag_btn_ = add_icon_btn(bag_icon, bag_tip, WS_ROW_GROUP);
        fill_shelf();
        fill_bag();
    }

    int shelf() const override { return selector_->sel < 0 ? SHELF_LIMITED : selector_->sel; }
    lv_t* selector() const override { return selector_; }
    itm_list_view_t* shelf_list() const override { return shelf_list_; }
    itm_list_view_t* bag_list() const override { return bag_list_; }
    btn_t* buy_btn(int k) const override { return k >= 0 && k < SHOP_BUY_BTNS ? buy_[k] : nullptr; }
    btn_t* sell_btn(int k) const override { return k >= 0 && k < SHOP_SELL_BTNS ? sell_[k] : nullptr; }
    btn_t* bag_btn() const override { return bag_btn_; }
    const std::vector<itm_slot_t>& stock() const override { return stock_; }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        switch (msg.code) {
        case EVT_COMMAND:
            if (on_command(sender)) return true;
            break;
        case EVT_SEL_MADE:
            if (sender == selector_) {
                fill_shelf();
                shelf_list_->select_first();
                return true;
            }
            break;
        case EVT_MODAL_OPEN:
            if (sender == this) on_open();
            break;
        case EVT_LAYOUT_DONE:
            if (sender == this) place_selector();
            break;
        case EVT_FRAME:
            if (sender == this) update_btns();
            break;
        default: break;
        }
        return shop_dlg_t::on_msg(msg, sender);
    }

private:
    _shelf_bar_t* selector_ = nullptr;
    itm_list_view_t* shelf_list_ = nullptr;
    itm_list_view_t* bag_list_ = nullptr;
    btn_t* buy_[SHOP_BUY_BTNS] = {};
    btn_t* sell_[SHOP_SELL_BTNS] = {};
    btn_t* bag_btn_ = nullptr;
    std::vector<itm_slot_t> stock_;
    std::vector<itm_slot_t> bag_shown_;  // what each item of the bag list showed when listed

    // ---- build ----

    void build_selector() {
        selector_ = new _shelf_bar_t;
        // A fixed column of the five shelves rather than sized to its items.
        selector_->cls_style &= ~(WS_AUTO_W | WS_AUTO_H);
        selector_->ex_style = LVX_COL;
        const rect r{0, 0, sel_w, SHELVES * sel_w + (SHELVES - 1) * sel_gap};
        add_child_wnd(client, selector_, 0, r);
        const size item{sel_w, sel_w};
        selector_->set_item_size(&item);
        selector_->item_ml = selector_->item_mr = selector_->item_mt = selector_->item_mb = sel_margin;
        selector_->set_item_gap(sel_gap);
        for (int i = 0; i < SHELVES; ++i) {
            li_t* it = selector_->add_item(L"", shelf_rows[i].tip, nullptr, 0, 0, uintptr_t(i), 0, nullptr);
            it->set_icon(shelf_rows[i].icon, nullptr);
            it->kind = LIK_SET;
        }
        selector_->select(SHELF_LIMITED);
    }

    itm_list_view_t* make_list(wnd_t* centre, uint32_t dock, int w, const wchar_t* title) {
        auto* l = new itm_list_view_t;
        l->ex_style = LVX_COL;
        add_child_wnd(centre, l, dock | WS_FILL_H, {0, 0, w, WND_DEFAULT_SIZE});
        l->font = list_font;
        l->set_title_bar(TITLE_SMALL, title);
        const size item{w, item_h};
        l->set_item_size(&item);
        return l;
    }

    void build_btns(wnd_t* centre) {
        auto* col =
            add_child_wnd(centre, new splitter_t, WS_FILL_W | WS_FILL_H, {0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE});
        col->bg_clr = 0;
        col->gap = col_gap;
        col->padding = col_padding;
        auto add = [col](const wchar_t* text, uint32_t dock) {
            auto* b = add_child_wnd(col, new btn_t, dock | WS_FILL_W, {0, 0, WND_DEFAULT_SIZE, sel_w});
            b->font = FONT_B6;
            b->set_text(text, false);
            return b;
        };
        for (int k = 0; k < SHOP_BUY_BTNS; ++k) buy_[k] = add(buy_rows[k].text, WS_DOCK_TOP);
        // Docked from the bottom up: the stack lowest, x1 highest.
        for (int k = SHOP_SELL_BTNS - 1; k >= 0; --k) sell_[k] = add(sell_rows[k].text, WS_DOCK_BOTTOM);
    }

    // ---- lists ----

    // Rebuilt after a trade, a list stays where the player scrolled to and keeps
    // the item chosen while it is there (none once it is gone): the next click
    // at the same spot must find the same item.
    static void keep_place(lv_t* l, int top, const itm_slot_t* was) {
        l->scroll_v_to(top);
        for (int i = 0; was && i < l->count(); ++i)
            if (itm_list_slot(l->get_item(i)) == was) l->select(i);
    }

    // keep: the same shelf after a purchase, else a shelf shown afresh.
    void fill_shelf(bool keep = false) {
        const int top = shelf_list_->pos_y();
        const itm_slot_t* was = sel_slot(shelf_list_);
        const size_t at = was ? size_t(was - stock_.data()) : SIZE_MAX;
        stock_ = shop_stock(shelf(), g_pty);
        shelf_list_->clear();
        const bool grouped = shop_shelf_grouped(shelf());
        std::set<int> seen;
        std::vector<row_txt_t> rows;
        for (itm_slot_t& it : stock_) {
            if (it.empty()) continue;
            if (grouped && seen.insert(shop_itm_grp(it)).second) {
                const text_info_t* g = get_wpn_grp(shop_itm_grp(it));
                const Str head(header_fmt, or_empty(g->n));
                shelf_list_->add_item(head.c_str(), nullptr, nullptr, LIF_DISABLED, 0, 0, 0, nullptr);
            }
            row_txt_t row{shelf_list_->count(), {}, {}, txt::gold_text(it.get_price())};
            it.get_name(row.name);
            if (it.get_count() < UNLIMITED) row.count.format(L"x%d", it.get_count());
            add_itm(shelf_list_, row.name, it);
            rows.push_back(std::move(row));
        }
        set_rows(shelf_list_, rows);
        if (keep) keep_place(shelf_list_, top, at < stock_.size() ? &stock_[at] : nullptr);
    }

    void fill_bag() {
        const int top = bag_list_->pos_y();
        const itm_slot_t* was = sel_slot(bag_list_);
        // The slot may hold another item by now (moved there in the unit dialog).
        if (was && !was->same_kind(bag_shown_[size_t(bag_list_->sel)])) was = nullptr;
        bag_list_->clear();
        bag_shown_.clear();
        std::vector<row_txt_t> rows;
        for (itm_slot_t& it : g_pty.bag) {
            if (it.empty()) continue;
            row_txt_t row{bag_list_->count(), {}, Str(L"x%d", it.get_count()), txt::gold_text(shop_sell_price(it))};
            it.get_name(row.name);
            add_itm(bag_list_, row.name, it);
            rows.push_back(std::move(row));
            bag_shown_.push_back(it);
        }
        bag_list_->title->second = Str(L"<b>%s", txt::gold_text(g_pty.gold));
        set_rows(bag_list_, rows);
        keep_place(bag_list_, top, was);
    }

    // The name stands in for the label until set_rows places the columns.
    static void add_itm(itm_list_view_t* l, const Str& name, itm_slot_t& it) {
        li_t* li = l->add_item(name.c_str(), nullptr, nullptr, 0, 0, reinterpret_cast<uintptr_t>(&it), 0, nullptr);
        li->set_icon(itm_icon(it).c_str(), nullptr);
    }

    itm_slot_t* sel_slot(const lv_t* l) const { return itm_list_slot(l->get_item(l->sel)); }

    // ---- trades ----

    bool on_command(const wnd_t* sender) {
        if (sender == bag_btn_) {
            // The party's first member, stepping through the party; items moved there show on return.
            open_unit_dlg(nullptr);
            fill_bag();
            return true;
        }
        for (int k = 0; k < SHOP_BUY_BTNS; ++k)
            if (sender == buy_[k]) {
                buy(buy_rows[k].n);
                return true;
            }
        for (int k = 0; k < SHOP_SELL_BTNS; ++k)
            if (sender == sell_[k]) {
                sell(sell_rows[k].n);
                return true;
            }
        return false;
    }

    void buy(int n) {
        const itm_slot_t* s = sel_slot(shelf_list_);
        if (!s) return;
        const buy_res_t r = shop_buy(g_pty, stock_, shelf(), int(s - stock_.data()), n);
        if (r.res == buy_res_e::no_gold || r.res == buy_res_e::no_stock) return;
        fill_shelf(true);
        fill_bag();
        if (r.res == buy_res_e::bag_full) zg_msg_dlg(bag_full_msg, bag_title);
    }

    void sell(int n) {
        const itm_slot_t* s = sel_slot(bag_list_);
        if (!s || shop_sell(g_pty, int(s - g_pty.bag), n) == 0) return;
        fill_bag();
    }

    // ---- per frame and layout ----

    void update_btns() {
        const bool open = shop_shelf_open(SHELF_WONDROUS, g_pty.arena.lv);
        for (int i : {SHELF_WONDROUS, SHELF_ENCH_GEAR}) {
            li_t* it = selector_->get_item(i);
            it->flags = open ? it->flags & ~LIF_DISABLED : it->flags | LIF_DISABLED;
        }
        const itm_slot_t* buy_s = sel_slot(shelf_list_);
        for (int k = 0; k < SHOP_BUY_BTNS; ++k)
            buy_[k]->set_enabled(buy_s && shop_can_buy(g_pty, *buy_s, buy_rows[k].n));
        const itm_slot_t* sell_s = sel_slot(bag_list_);
        for (int k = 0; k < SHOP_SELL_BTNS; ++k)
            sell_[k]->set_enabled(sell_s && shop_can_sell(*sell_s, sell_rows[k].n));
    }

    void on_open() {
        selector_->select(SHELF_LIMITED);
        fill_shelf();
        fill_bag();
        set_focus_wnd(shelf_list_);
        shelf_list_->select_first();
    }

    void place_selector() {
        const rect& l = shelf_list_->rc;
        selector_->move_by(l.x - sel_offset - (selector_->rc.x + selector_->rc.w), l.y - selector_->rc.y);
    }
};
}  // namespace

int open_shop() {
    if (!the_dlg) the_dlg = make_dlg<_shop_dlg_t>(nullptr, DLG_CLOSE, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE, 0);
    return do_modal(the_dlg, 0, 0);
}

shop_dlg_t* get_shop_dlg() { return the_dlg; }
