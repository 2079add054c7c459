#pragma once
// A window showing a content larger than its client area, with its own
// horizontal and vertical bars, the wheel and the arrow, page, Home and End
// keys. Owners tell it the content size with set_scroll_size.
#include "ui/wnd.h"

constexpr int SCROLL_BAR_W = 16;

// The toolkit's one scrolling window, the base of titled windows and so of
// lists, trees, memos and dialogs. There is no scroll_wnd_t: the "2" is part
// of the name, not a second kind.
class scroll_wnd2_t : public wnd_t {
public:
    bool always_h = false, always_v = false;  // show the bar even when nothing overflows
    bool has_h = false, has_v = false;
    rect view;              // the visible area: the client rect less the bars
    pt_t origin;            // the content's top-left corner on the screen
    size content;
    rect h_track, v_track, h_thumb, v_thumb;
    int h_drag = -1, v_drag = -1;  // where the thumb was grabbed; -1: not dragging
    int h_step = 40, v_step = 40;  // pixels per arrow key
    // A band across the bottom of the client area that neither the view nor
    // its bars reach: a strip docked there lies over no content.
    int foot_h = 0;

    void set_scroll_size(int w, int h);
    // Clamped to [0, content - view].
    void scroll_h_to(int pos);
    void scroll_v_to(int pos);
    void scroll_h_by(int delta) { scroll_h_to(pos_x() + delta); }
    void scroll_v_by(int delta) { scroll_v_to(pos_y() + delta); }
    void scroll_to_end();
    int pos_x() const { return view.x - origin.x; }
    int pos_y() const { return view.y - origin.y; }
    int max_x() const { return content.w > view.w ? content.w - view.w : 0; }
    int max_y() const { return content.h > view.h ? content.h - view.h : 0; }

    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    void draw_bg() override;
    void clip_begin() override;
    void clip_end() override;
    rect* view_rect(rect* out) override;
    rect* content_rect(rect* out) override;
    void on_moved(int dx, int dy) override;
    void on_arranged() override;

private:
    bool sized_ = false;  // an owner has given the content size
    rect client_area() const;
    void apply_size(int w, int h);
    void drag_h_to(int thumb_x);
    void drag_v_to(int thumb_y);
    bool on_mouse(const evt_t& e);
    bool on_key(int key);
};
