#pragma once
// The window base: every control, dialog and screen panel derives from wnd_t.
// Windows form a tree under the root window; input is routed down the tree,
// messages bubble up through the ancestors to the top scene, and children
// paint in layer order. Positions are absolute screen pixels.
#include <cstdint>
#include <vector>

#include "app/evt.h"
#include "app/str.h"
#include "app/types.h"
#include "ui/rtext.h"

namespace zg {
class tex_t;
}

// Style bits; a bit counts when the instance word or the class word holds it.
enum : uint32_t {
    WS_HIDDEN = 1u << 0,
    WS_DISABLED = 1u << 1,
    WS_CHECKED = 1u << 2,
    WS_AUTO_CHECK = 1u << 3,     // a click toggles WS_CHECKED
    WS_OUTER_POS = 1u << 4,      // placed from the parent's outer corner, not its client origin
    WS_UNLINKED = 1u << 5,       // knows its parent but is not in its child list
    WS_NO_INPUT = 1u << 6,       // refuses input; hit tests pass through
    WS_REPEAT = 1u << 9,         // held down, repeats its command
    WS_ROW_GROUP = 1u << 14,
    WS_COL_GROUP = 1u << 15,
    WS_DOCK_LEFT = 1u << 16,
    WS_DOCK_TOP = 1u << 17,
    WS_DOCK_RIGHT = 1u << 18,
    WS_DOCK_BOTTOM = 1u << 19,
    WS_CENTRE_X = 1u << 20,
    WS_CENTRE_Y = 1u << 21,
    WS_FILL_W = 1u << 22,
    WS_FILL_H = 1u << 23,
    WS_MOVE_W = 1u << 24,        // follows the parent's change of width
    WS_MOVE_H = 1u << 25,
    WS_GROW_W = 1u << 26,        // grows with the parent's width (wins over WS_MOVE_W)
    WS_GROW_H = 1u << 27,
    WS_POPUP_MENU = 1u << 29,    // a click opens the popup menu instead of sending a command
    WS_AUTO_W = 1u << 30,
    WS_AUTO_H = 1u << 31,
};

// Ex-style bit: key events reach the window even when the focus is elsewhere.
enum : uint32_t { WSX_ALL_KEYS = 1u << 31 };

// State bits of the state block.
enum : uint32_t { WST_CREATED = 1u << 0, WST_LAID_OUT = 1u << 1 };

// Paint layers: dialogs run on LAYER_MODAL + their depth, the tooltip above all.
enum : int { LAYER_MODAL = 0x10000000, LAYER_TIP = 0x20000000 };

// Flags of wnd_t::move_to: the position names the far edge or the centre.
enum : int { MOVE_AT_RIGHT = 1, MOVE_AT_BOTTOM = 2, MOVE_AT_CENTRE_X = 4, MOVE_AT_CENTRE_Y = 8 };

// The bits that place a window in its parent's layout.
constexpr uint32_t WS_PLACED = WS_DOCK_LEFT | WS_DOCK_TOP | WS_DOCK_RIGHT | WS_DOCK_BOTTOM | WS_CENTRE_X |
                               WS_CENTRE_Y | WS_FILL_W | WS_FILL_H;

constexpr int WND_DEFAULT_SIZE = 8092;

class wnd_t;
// Stands for the root window where a parent is asked for; null is never a parent.
inline wnd_t* const WND_ROOT = reinterpret_cast<wnd_t*>(~uintptr_t(0));

// The tooltip placement a window answers with; an anchor of {-4, -4, -4, -4}
// stands for the window's own rectangle.
struct tip_place_t {
    rect anchor{-4, -4, -4, -4};
    int place = 0;  // 0..7, see the tooltip
    int width = 0;  // 0: fit the text
    int max_w = 0;  // 0: the tip's own limit; a table that must not wrap asks for more
};

// Carried by EVT_PAINT (a = its address) before (PAINT_BEFORE) and after
// (PAINT_AFTER) a window draws; a handler clears do_default to draw in its place.
enum : int { PAINT_BEFORE = 0, PAINT_AFTER = 1 };
struct wnd_paint_rec_t {
    int phase = PAINT_BEFORE;
    bool do_default = true;
    int index = -1;
};

class wnd_t {
public:
    clr_t bg_clr = 0x22000000;   // 0: no background
    clr_t border_clr = 0;        // 0: no outline
    Str text;      // mark-up source, laid out into rtext when dirty
    rtext_t rtext;
    int text_align = 0;
    bool text_dirty = false;
    clr_t text_clr = 0xFFFFFFFF;
    int font = 0;
    int border_w = 0;
    tip_place_t tip_place;
    Str tip;
    uint32_t cls_style = 0;
    uint32_t cls_ex_style = 0;
    rect rc{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
    int margin_l = 0, margin_r = 0, margin_t = 0, margin_b = 0;
    int padding = 0;
    int gap = 0;
    std::vector<wnd_t*> children;  // not owned
    int focus_order = 0;           // 0: not in the focus order
    int end_code = 0;              // modal result a click sets; 0: none
    wnd_t* parent = nullptr;
    size min_sz{0, 0};
    size max_sz{UNLIMITED, UNLIMITED};
    zg::tex_t* skin = nullptr;
    clr_t tint = 0xFFFFFFFF;
    int id = 0;
    int hot_key = 0;               // SDL key code; 0: none
    uint32_t style = 0;
    uint32_t ex_style = 0;
    int radio_grp = 0;             // 0: none
    bool rbtn_pressed = false;
    bool mbtn_pressed = false;
    uintptr_t user_data = 0;       // becomes the last-command word on click
    uintptr_t tag = 0;
    uint32_t drag_flags = 0;       // DRAG_* bits of ui/drag.h
    uint32_t state = 0;            // WST_* bits
    int layer = 0;
    uintptr_t user_word = 0;

    wnd_t() = default;
    wnd_t(const wnd_t&) = delete;
    wnd_t& operator=(const wnd_t&) = delete;
    virtual ~wnd_t();

    virtual void on_create();
    virtual bool create(uint32_t style, wnd_t* parent, const rect* r, int id, uintptr_t user,
                        const wchar_t* skin_name);
    virtual bool create_ex(uint32_t ex_style, uint32_t style, wnd_t* parent, const rect* r);
    virtual bool on_input(const evt_t* e);
    virtual bool on_msg(const evt_t& msg, wnd_t* sender);
    virtual void on_frame() {}
    virtual void paint();
    virtual void draw();
    virtual void draw_bg();
    virtual void draw_content();
    virtual void clip_begin() {}
    virtual void clip_end() {}
    virtual void draw_text();
    virtual bool click(const evt_t* e);
    virtual void set_bg_clr(const clr_t* c);
    virtual void set_text(const wchar_t* s, bool relayout);
    virtual rect* client_rect(rect* out);
    virtual pt_t* client_origin(pt_t* out);
    virtual void adjust_auto_size(size* sz, bool auto_w, bool auto_h) {}
    virtual size* text_box(size* out);
    virtual void on_text_laid_out() {}
    virtual void relayout();
    virtual tip_place_t* get_tip_place(tip_place_t* out);
    virtual rect* view_rect(rect* out);
    virtual rect* content_rect(rect* out);
    virtual void set_margins(const int m[4]);
    virtual void on_moved(int dx, int dy) {}
    virtual void fit_to_content() {}
    virtual void on_arranged() {}
    virtual void arrange();

    // ---- style and state ----
    uint32_t all_style() const { return style | cls_style; }
    uint32_t all_ex_style() const { return ex_style | cls_ex_style; }
    bool has_style(uint32_t bits) const { return (all_style() & bits) != 0; }
    uint32_t set_style(uint32_t s) { return style = s; }
    bool is_created() const { return (state & WST_CREATED) != 0; }
    bool is_laid_out() const { return (state & WST_LAID_OUT) != 0; }
    void set_laid_out(bool v);
    bool is_hidden() const { return has_style(WS_HIDDEN); }
    bool is_enabled() const;
    bool is_checked() const;
    bool is_hot() const;
    void set_visible(bool v);
    void set_enabled(bool v);
    void set_checked(bool v);
    void toggle_checked() { set_checked(!is_checked()); }
    void set_layer(int l) { layer = l; }
    void set_skin(const wchar_t* name);
    uintptr_t get_user_word() const { return user_word; }

    // ---- tree ----
    void set_parent(wnd_t* p);  // WND_ROOT for the root
    void set_rect(const rect* r);
    rect* get_rel_rect(rect* out) const;
    wnd_t* hit_test(const pt_t* p);
    wnd_t* find_child_by_ret(int code) const;
    wnd_t* next_focus_child(const wnd_t* after) const;

    // ---- messages ----
    bool notify(const evt_t& msg);
    void broadcast(const evt_t& msg, bool only_shown);
    void refresh_all();
    void paint_children();

    // ---- geometry and layout ----
    void move_to(int x, int y, int flags);
    void move_x_to(int x, int flags);
    void move_y_to(int y, int flags);
    void move_by(int dx, int dy);
    void resize(int w, int h);
    void keep_in_scrn();
    void layout_in_parent();
    void fit_children();

protected:
    bool offer_children(const evt_t* e);
    void layout_text();
    void fit_text();
    // Lays out `list` as children of this window.
    void arrange_list(const std::vector<wnd_t*>& list);
    void dock(wnd_t* c, int& left, int& top, int& right, int& bottom);
    // Within the room the docked windows left: left, top, right and bottom as dock leaves them.
    void center_groups(const std::vector<wnd_t*>& list, int left, int top, int right, int bottom);

private:
    void link_to(wnd_t* p);
    void unlink();
    pt_t parent_origin() const;
};

wnd_t* new_wnd();

// w is outer or lies inside it.
bool is_in_wnd(const wnd_t* outer, const wnd_t* w);
bool is_focus_in(const wnd_t* w);
// Routes a wheel turn from top: first down the windows under the pointer, so
// the pane the player points at scrolls whether or not it has the focus; when
// none of them takes it, down the focus as any key.
bool route_wheel(wnd_t* top, const evt_t* e);

// Windows made on the heap, closed and deleted together at shutdown.
void reg_owned_wnd(wnd_t* w);
void destroy_owned_wnds();
int owned_wnd_count();

// The dialog palettes: which >= 0 the dark grey one, which < 0 the brown one.
void apply_looks(wnd_t* w, int which);

// The user data of the window last clicked; cleared by every pump pass.
uintptr_t get_last_cmd();
void clear_last_cmd();

// Set while a window paints that may show hover highlights.
bool is_interactive_paint();
// Scenes draw before the window tree: they say whether what they draw now may
// show hover highlights and take links (no dialog runs, no window over the mouse).
void set_interactive_paint(bool v);

// Fires once per `interval` seconds of accumulated frame time; one
// accumulator per interval.
bool repeat_clock(double dt, double interval);
