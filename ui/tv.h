#pragma once
// The tree view: one node a row, with expanders, optional check boxes,
// keyboard and mouse navigation, optional reordering of siblings, and its
// scroll position and selection kept in config.ini when it has a state name.
#include <functional>
#include <vector>

#include "ui/ti.h"
#include "ui/title_wnd.h"

// Tree view style bits (instance or class word).
enum : uint32_t {
    TVS_CHECKS = 1u << 10,
    TVS_REORDER = 1u << 11,  // siblings move by drag and by Ctrl with the arrow, Home and End keys
};

// A node given directly, or by position: the root, the first or last
// top-level node, or the first or last child of a second node.
struct ti_ref_t {
    enum : intptr_t { ROOT = -1, FIRST = -2, LAST = -3, FIRST_CHILD = -4, LAST_CHILD = -5, FIRST_CHILD2 = -6,
                      LAST_CHILD2 = -7 };
    intptr_t v;
    ti_ref_t(ti_t* n) : v(reinterpret_cast<intptr_t>(n)) {}
    ti_ref_t(int code) : v(code) {}
};

// Hit-test parts of a row.
enum : int { TVP_ROW = 0, TVP_EXPANDER = 1, TVP_CHECK = 2 };

class tv_t : public title_wnd_t {
public:
    ti_t root;
    ti_t* sel = nullptr;
    ti_t* hot = nullptr;
    ti_t* hot_exp = nullptr;
    ti_t* hot_chk = nullptr;
    int tv_margin = 4;
    int row_h = 24;
    std::vector<ti_t*> all;    // every node in preorder
    std::vector<ti_t*> shown;  // the shown nodes by row

    tv_t();
    ~tv_t() override;

    // A null node for a reference that names none.
    ti_t* resolve(ti_ref_t ref, ti_t* rel = nullptr) const;
    // after: LAST_CHILD appends, else the new node follows that child of the parent.
    ti_t* add_node(const wchar_t* text, uint32_t flags, uint32_t data2, uint32_t data3, const clr_t* clr,
                   int extra_indent, ti_ref_t parent, ti_ref_t after);
    void clear();
    void select(ti_t* n);
    void select(ti_ref_t ref) { select(resolve(ref)); }
    ti_t* child_at(int index, ti_ref_t ref) const;
    // Stops at the first false; deep also walks each child's subtree.
    bool for_each(const std::function<bool(ti_t*)>& fn, ti_ref_t ref, bool deep);
    void set_node_shown(ti_t* n, bool shown);
    void expand_top();
    void ensure_visible(ti_t* n);
    // mode 0 expands only, 1 collapses only, 2 toggles.
    void toggle(ti_t* n, int mode);
    // Sends EVT_CHECK; false when the node's box is greyed.
    bool toggle_check(ti_t* n);
    ti_t* node_at_pre(int pre_idx) const;
    // The node and part under a screen point inside the view; null when none.
    ti_t* hit(const pt_t& p, int* part);
    rect row_rect(const ti_t* n);
    rect expander_rect(const ti_t* n);
    rect check_rect(const ti_t* n);

    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    void draw_content() override;
    void relayout() override;
    void fit_to_content() override;

private:
    pt_t row_origin();
    bool has_checks(const ti_t* n) const;
    int caption_x(const ti_t* n);
    void fit_captions();
    bool show_caption_tip();
    void flatten(ti_t* n, int depth, bool visible);
    void relayout_if_laid_out();
    void track_hot();
    void on_press();
    void on_dbl_click();
    void on_drag_move();
    bool on_key(int key, int mods);
    bool move_among_siblings(ti_t* n, int key);
    void step_sel(int by);
    void scroll_into_view(const ti_t* n);
    const char* state_name() const;
    void save_state();
    void load_state();
};
