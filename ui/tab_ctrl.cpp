#include "ui/tab_ctrl.h"

#include "app/font.h"
#include "app/geom.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/splitter.h"

namespace {
constexpr int tab_font = FONT_B5;
constexpr int tab_align = rect_align::centre | rect_align::middle;  // captions centred on their buttons
constexpr int page_gap = 8;
constexpr clr_t dark_strip_bg = 0xFF222222;
constexpr clr_t dark_strip_sel = 0xFF1D1D1D;

bool is_plain(const li_t* it) { return !(it->flags & TAB_ITEM_MARK); }
bool is_enabled_tab(const li_t* it) { return !(it->flags & LIF_DISABLED); }

// Pages made on first selection, with their life reported.
class _tab_ctrl_t : public tab_ctrl_t {
public:
    wnd_t* add_tab(const wchar_t* text, const wchar_t* icon, uintptr_t data) override {
        add_strip_item(text, icon, data);
        pages.push_back(nullptr);
        return nullptr;
    }

private:
    void switch_to(int index) override {
        const int old = cur;
        if (old >= 0) send(EVT_TAB_LEAVING, old);
        for (wnd_t* p : pages)
            if (p && p->is_created() && !p->is_hidden()) p->set_visible(false);
        cur = index;
        if (index >= 0 && index < tab_count()) {
            if (!pages[index]) {
                pages[index] = make_page(WS_FILL_W | WS_FILL_H);
                send(EVT_TAB_PAGE_MADE, index);
                page_box->arrange();
                send(EVT_TAB_PAGE_LAID_OUT, index);
            } else {
                pages[index]->set_visible(true);
            }
            send(EVT_TAB_SHOWN, index);
        }
        notify({EVT_SEL_MADE, old, index});
    }
};

// Every page made with its tab.
class _tab_ctrl2_t : public tab_ctrl2_t {
public:
    wnd_t* add_tab(const wchar_t* text, const wchar_t* icon, uintptr_t data) override {
        add_strip_item(text, icon, data);
        wnd_t* p = make_page(WS_FILL_W | WS_FILL_H | WS_HIDDEN);
        pages.push_back(p);
        return p;
    }

    void select_tab(int index) override {
        tab_ctrl_t::select_tab(index);
        // The strip reports selections only once laid out.
        if (!is_laid_out() && index >= 0 && index < tab_count()) switch_to(index);
    }

private:
    void switch_to(int index) override {
        const int old = cur;
        if (wnd_t* p = tab_page(old)) p->set_visible(false);
        cur = index;
        if (wnd_t* p = tab_page(index)) p->set_visible(true);
        page_box->arrange();
        notify({EVT_SEL_MADE, old, index});
    }
};
}  // namespace

tab_ctrl_t* new_tab_ctrl() { return new _tab_ctrl_t; }
tab_ctrl2_t* new_tab_ctrl2() { return new _tab_ctrl2_t; }

void tab_ctrl_t::on_create() {
    wnd_t::on_create();
    const uint32_t ex = all_ex_style() & (TCX_ROW | TCX_COL);
    const bool column = (ex & TCX_COL) != 0;
    strip = new lv_t;
    strip->ex_style = ex;
    strip->set_style(column ? WS_DOCK_LEFT | WS_FILL_H : WS_DOCK_TOP | WS_FILL_W);
    strip->set_parent(this);
    const rect sr{0, 0, column ? tab_sz.w : WND_DEFAULT_SIZE, column ? WND_DEFAULT_SIZE : tab_sz.h};
    strip->set_rect(&sr);
    strip->font = tab_font;
    strip->text_align = tab_align;
    if (has_style(TCS_DARK)) {
        strip->set_bg_clr(&dark_strip_bg);
        strip->sel_clr = dark_strip_sel;
    }
    strip->on_create();
    reg_owned_wnd(strip);
    apply_tab_size();
    page_box = new splitter_t;
    page_box->set_style(page_style);
    page_box->set_parent(this);
    const rect pr{0, 0, page_sz.w, page_sz.h};
    page_box->set_rect(&pr);
    page_box->on_create();
    reg_owned_wnd(page_box);
}

bool tab_ctrl_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (msg.code == EVT_SEL_MADE && sender == strip) {
        if (!by_code_ && can_pick && !can_pick(strip->sel)) {
            // Refused: the strip shows the current tab again, and nothing is sent.
            strip->set_sel_mask(cur >= 0 && cur < 64 ? uint64_t(1) << cur : 0);
            return true;
        }
        switch_to(strip->sel);
        return true;
    }
    return wnd_t::on_msg(msg, sender);
}

void tab_ctrl_t::relayout() {
    if (strip) strip->relayout();
    wnd_t::relayout();
}

void tab_ctrl_t::apply_tab_size() {
    if (!strip) return;
    strip->set_item_size(&tab_sz);
    const bool column = (strip->all_ex_style() & LVX_COL) != 0;
    if (column)
        strip->resize(tab_sz.w, strip->rc.h);
    else
        strip->resize(strip->rc.w, tab_sz.h);
}

void tab_ctrl_t::set_tab_w(int w) {
    tab_sz.w = w;
    apply_tab_size();
}

void tab_ctrl_t::set_tab_h(int h) {
    tab_sz.h = h;
    apply_tab_size();
}

void tab_ctrl_t::set_tab_size(const pt_t& p) {
    tab_sz = {p.x, p.y};
    apply_tab_size();
}

void tab_ctrl_t::set_strip_clrs(clr_t fill, clr_t frame) {
    if (!strip) return;
    strip->item_fill_clr = fill;
    strip->item_frame_clr = frame;
}

li_t* tab_ctrl_t::add_strip_item(const wchar_t* text, const wchar_t* icon, uintptr_t data) {
    li_t* it = strip->add_item(text, nullptr, nullptr, 0, 0, data, 0, nullptr);
    if (icon) it->set_icon(icon, nullptr);
    return it;
}

wnd_t* tab_ctrl_t::make_page(uint32_t style) {
    auto* p = new splitter_t;
    p->set_style(style);
    p->set_parent(page_box);
    const rect r{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
    p->set_rect(&r);
    p->gap = page_gap;
    p->on_create();
    reg_owned_wnd(p);
    return p;
}

void tab_ctrl_t::send(uint32_t code, int index) {
    notify({code, index, reinterpret_cast<intptr_t>(tab_page(index))});
}

void tab_ctrl_t::select_tab(int index) {
    if (!strip) return;
    const bool outer = by_code_;
    by_code_ = true;
    strip->select(index);
    by_code_ = outer;
}

void tab_ctrl_t::reset() {
    cur = -1;
    if (!strip) return;
    for (li_t* it : strip->items) it->flags &= ~LIF_SELECTED;
    strip->sel = -1;
}

li_t* tab_ctrl_t::tab_item(int index) const { return strip ? strip->get_item(index) : nullptr; }

wnd_t* tab_ctrl_t::tab_page(int index) const {
    return index >= 0 && index < int(pages.size()) ? pages[index] : nullptr;
}

int tab_ctrl_t::page_index(const wnd_t* page) const {
    for (size_t i = 0; i < pages.size(); ++i)
        if (page && pages[i] == page) return int(i);
    return -1;
}

void tab_ctrl_t::enable_tab(int index, bool v) {
    li_t* it = tab_item(index);
    if (!it) return;
    if (v)
        it->flags &= ~LIF_DISABLED;
    else
        it->flags |= LIF_DISABLED;
}

void tab_ctrl_t::set_page_layout(uint32_t s, const size& sz) {
    set_page_style(s);
    set_page_size(sz);
}

// The index to select, -1 for none, or -2 when the code does nothing.
int tab_ctrl_t::nav_target(int code) const {
    const int n = tab_count();
    auto search = [&](int from, int step, bool (*ok)(const li_t*)) {
        if (from < 0 || from >= n) return -2;  // nothing before the first or after the last
        for (int i = from; i >= 0 && i < n; i += step)
            if (ok(tab_item(i))) return i;
        return -1;
    };
    switch (code) {
    case TAB_FIRST: return 0;
    case TAB_LAST: return n - 1;
    case TAB_PREV: return cur - 1;
    case TAB_NEXT: return cur + 1;
    case TAB_FIRST_PLAIN: return search(0, 1, is_plain);
    case TAB_LAST_PLAIN: return search(n - 1, -1, is_plain);
    case TAB_PREV_PLAIN: return search(cur - 1, -1, is_plain);
    case TAB_NEXT_PLAIN: return search(cur + 1, 1, is_plain);
    case TAB_FIRST_ENABLED: return search(0, 1, is_enabled_tab);
    case TAB_LAST_ENABLED: return search(n - 1, -1, is_enabled_tab);
    case TAB_PREV_ENABLED: return search(cur - 1, -1, is_enabled_tab);
    case TAB_NEXT_ENABLED: return search(cur + 1, 1, is_enabled_tab);
    default: return -2;
    }
}

void tab_ctrl_t::select_nav(int code) {
    const int to = nav_target(code);
    if (to != -2) select_tab(to);
}
