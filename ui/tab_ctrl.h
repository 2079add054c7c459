#pragma once
// Tab controls: a strip of tab buttons (a list view) and a page container
// beside it, one page window per tab whose children the owner builds.
// new_tab_ctrl makes a tab's page on its first selection and reports the
// page's life in messages; new_tab_ctrl2 makes every page with its tab.
#include <functional>
#include <vector>

#include "ui/wnd.h"

class lv_t;
class li_t;
class splitter_t;

// Tab control style bit: the dark strip.
enum : uint32_t { TCS_DARK = 1u << 7 };
// Ex-style bits: the strip is one row at the top, or one column at the left.
enum : uint32_t { TCX_ROW = 1u << 4, TCX_COL = 1u << 5 };

// Messages of the lazy control, each {index, page}.
enum : uint32_t {
    EVT_TAB_PAGE_MADE = 0xA02D,
    EVT_TAB_LEAVING = 0xA02E,
    EVT_TAB_SHOWN = 0xA02F,
    EVT_TAB_PAGE_LAID_OUT = 0xA030,
};

// Navigation codes of select_nav.
enum : int {
    TAB_FIRST = -1024,
    TAB_LAST = -1023,
    TAB_PREV = -1022,
    TAB_NEXT = -1021,
    TAB_FIRST_PLAIN = -1020,  // "plain": the strip item lacks TAB_ITEM_MARK
    TAB_LAST_PLAIN = -1019,
    TAB_PREV_PLAIN = -1018,
    TAB_NEXT_PLAIN = -1017,
    TAB_FIRST_ENABLED = -1016,
    TAB_LAST_ENABLED = -1015,
    TAB_PREV_ENABLED = -1014,
    TAB_NEXT_ENABLED = -1013,
};
constexpr uint32_t TAB_ITEM_MARK = 32;  // a strip-item flag the plain searches skip

// What both tab controls answer to. new_tab_ctrl makes the one whose pages
// are made at their first selection (add_tab returns null, EVT_TAB_ messages
// tell the owner of each page's life); tab_ctrl2_t is the other.
class tab_ctrl_t : public wnd_t {
public:
    int cur = -1;
    size tab_sz{128, 40};
    lv_t* strip = nullptr;
    splitter_t* page_box = nullptr;
    std::vector<wnd_t*> pages;  // one per tab; null until made
    uint32_t page_style = WS_FILL_W | WS_FILL_H;
    size page_sz{WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
    // Asked when the player picks an enabled tab on the strip (not when code
    // selects one); false keeps the current tab. Null: every enabled tab.
    std::function<bool(int index)> can_pick;

    virtual lv_t* get_strip() { return strip; }
    virtual void set_tab_w(int w);
    virtual void set_tab_h(int h);
    virtual void set_tab_size(const pt_t& p);
    // The strip items' fill and frame colours.
    virtual void set_strip_clrs(clr_t fill, clr_t frame);
    // The page, or null while it is made on first selection.
    virtual wnd_t* add_tab(const wchar_t* text, const wchar_t* icon, uintptr_t data) = 0;
    virtual int tab_count() const { return int(pages.size()); }
    virtual int cur_tab() const { return cur; }
    virtual void select_tab(int index);
    // Nothing current, and no strip item marked selected.
    virtual void reset();
    virtual li_t* tab_item(int index) const;
    virtual wnd_t* tab_page(int index) const;
    virtual int page_index(const wnd_t* page) const;
    virtual void enable_tab(int index, bool v);
    virtual void set_page_style(uint32_t s) { page_style = s; }
    virtual void set_page_size(const size& s) { page_sz = s; }
    virtual void set_page_layout(uint32_t s, const size& sz);
    virtual void select_nav(int code);

    void on_create() override;
    void relayout() override;
    // A click on the strip switches the page.
    bool on_msg(const evt_t& msg, wnd_t* sender) override;

protected:
    // Shows page index and hides the current one; the variants differ in when pages are made.
    virtual void switch_to(int index) = 0;
    void apply_tab_size();
    li_t* add_strip_item(const wchar_t* text, const wchar_t* icon, uintptr_t data);
    wnd_t* make_page(uint32_t style);
    void send(uint32_t code, int index);
    int nav_target(int code) const;

private:
    bool by_code_ = false;  // a selection select_tab makes, not the player's
};

// The tab control whose pages exist from the start: add_tab makes the page
// and returns it, and no EVT_TAB_ message is sent. Its interface is
// tab_ctrl_t's; the type only tells which factory made it.
class tab_ctrl2_t : public tab_ctrl_t {};

tab_ctrl_t* new_tab_ctrl();
tab_ctrl2_t* new_tab_ctrl2();
