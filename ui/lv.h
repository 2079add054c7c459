#pragma once
// The list view: items in one column, one row or a grid of equal cells, with
// hover, selection by item kind, check boxes, markers, per-item tooltips and
// a content size for scrolling. Menus, strips and many screen lists derive
// from it and override its drawing and description operations.
#include <vector>

#include "ui/li.h"
#include "ui/title_wnd.h"

// List style bits (instance or class word).
enum : uint32_t {
    LVS_NO_INPUT = 1u << 7,   // no built-in mouse and key handling
    LVS_KEEP_SEL = 1u << 13,  // a selected single item stays selected when selected again
};

// List ex-style bits.
enum : uint32_t {
    LVX_ZEBRA_ROWS = 1u << 0,  // one-column decorations
    LVX_ZEBRA_COLS = 1u << 1,
    LVX_ROW_LINES = 1u << 2,
    LVX_COL_LINES = 1u << 3,
    LVX_ROW = 1u << 4,
    LVX_COL = 1u << 5,
    LVX_FORGET = 1u << 7,      // clearing forgets the items without deleting them
    LVX_DESELECT = 1u << 8,    // a selected single item is deselected by selecting it again
    LVX_CHECKS = 1u << 9,
    LVX_NO_HOT = 1u << 10,     // no hot check box or marker tracking
    LVX_MARKERS = 1u << 11,
    LVX_CACHE = 1u << 29,      // items are rendered once into their own texture
};
constexpr uint32_t LVX_DECOR = LVX_ZEBRA_ROWS | LVX_ZEBRA_COLS | LVX_ROW_LINES | LVX_COL_LINES;

// Parts of an item (lv_t::item_part_rect); an unused part is {-1, -1, -1, -1}.
enum : int { LIP_ITEM = 0, LIP_INNER = 1, LIP_CHECK = 2, LIP_MARKER = 3, LIP_ICON = 4, LIP_TEXT = 5, LIP_BODY = 6 };
constexpr int LIP_COUNT = 7;

// The list view. "lv" is a list view in the toolkit's types (lv_t, u_lv_t)
// and a level in the rules' names and fields (rules/lv.h, base.lv, lv_up).
class lv_t : public title_wnd_t {
public:
    int marked = -1;
    int chk_sz_idx = 1;  // into {0, 16, 32, 64}
    size item_sz{40, 40};
    int item_ml = 4, item_mr = 4, item_mt = 4, item_mb = 4;
    int sel_look = 0;  // 0 filled, 1 outlined, 2 outlined with selected icons tinted
    clr_t sel_clr = 0xFFFF8C00;
    clr_t hover_clr = 0x22FFFFFF;
    clr_t frame_clr = 0x88FFFFFF;
    clr_t item_fill_clr = 0;
    clr_t item_frame_clr = 0;
    clr_t icon_tint = 0xFFFFFFFF;
    std::vector<li_t*> items;
    std::vector<int> col_ws{-1};
    std::vector<int> col_xs{0};  // the resolved widths
    int view_cols = 0, view_rows = 0;  // 0 and 0: the client size
    int cur = -1, hot_chk = -1, hot_marker = -1, tip_item = -1, pressed = -1, sel = -1;
    wnd_t* owner = nullptr;
    int item_gap = 0;
    size content_sz{0, 0};  // what the items take: the scroll size

    lv_t();
    ~lv_t() override;

    // ---- items ----
    li_t* add_item(const wchar_t* label, const wchar_t* tip, zg::tex_t* icon, uint32_t flags, int id,
                   uintptr_t data, int unused, const clr_t* extra);
    void add_data_items(const std::vector<void*>& ptrs);
    void clear();
    void remove_item(int index);
    void set_item_count(int n);
    // Lends a copy of the pointers; the list does not own them while LVX_FORGET.
    void set_items(const std::vector<li_t*>& v);
    li_t* get_item(int index) const;
    li_t* cur_item() const { return get_item(cur); }
    int count() const { return int(items.size()); }

    // ---- selection ----
    bool select(int index);
    bool select_first();
    void unselect_all();
    uint64_t get_sel_mask() const;
    void set_sel_mask(uint64_t mask);
    int checked_count() const;

    // ---- geometry ----
    rect item_rect(int index);
    rect item_part_rect(int index, int part);
    int item_at(int x, int y, int* part);
    void set_item_size(const size* s);
    void set_item_gap(int g) { item_gap = g; }
    void set_visible_rows(int n);
    int rows_h(int n) const;
    int cols_w(int n) const;
    size size_for(int cols, int rows) const;
    int chk_size() const;
    // Widths of the column vector: -1 entries share what the fixed ones leave.
    std::vector<int> col_widths(int total) const;
    void cache_item_tex(int index);
    void relayout_items();

    // ---- overridable ----
    virtual clr_t* item_text_clr(clr_t* out, const li_t* it);
    virtual clr_t* item_bg_clr(clr_t* out, const li_t* it);
    virtual void press_select(const evt_t& e);
    virtual void draw_item(li_t* it, int index, const rect& r, const rect& inner);
    virtual void draw_icon(li_t* it, int index);
    virtual void draw_extra(li_t* it, int index) {}
    virtual void draw_check(li_t* it, int index);
    virtual void draw_marker(li_t* it, int index);
    virtual bool can_select(int index) const;
    virtual void owner_draw(li_t* it, int index, const rect& r) {}
    virtual Str* item_tip(Str* out, const li_t* it);

    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    void draw_content() override;
    void relayout() override;
    void fit_to_content() override;

protected:
    void item_layout(int index, rect parts[LIP_COUNT]);
    void draw_item_fill(li_t* it, const rect& r);
    void draw_item_bg(li_t* it, int index, const rect& r);
    void draw_item_body(li_t* it, int index, const rect& r);
    void draw_item_frame(li_t* it, int index, const rect& r);
    void draw_col_lines();
    void track_hover();
    void on_lbtn_down();
    void on_key_up(int key);
    bool show_item_tip();
    void lay_out_item(li_t* it, int index);
    // Notifies only while laid out.
    void send(uint32_t code, intptr_t a, intptr_t b);
    bool is_scroll_dragged() const;
};

// The geometry flags.
inline bool lv_is_col(const lv_t& l) { return (l.all_ex_style() & LVX_COL) != 0; }
inline bool lv_is_row(const lv_t& l) { return (l.all_ex_style() & LVX_ROW) != 0 && !lv_is_col(l); }
