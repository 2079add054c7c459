#pragma once
// The single-line edit box. Its text is plain: what the player types is shown
// and kept as typed, so character i is laid-out item i and the caret index is
// a character index. The text-input overlay finds the focused edit box by
// this type and draws the composition at its caret.
#include "ui/wnd.h"

class edt_t : public wnd_t {
public:
    int caret = 0;          // character index, 0..length
    double caret_clock = 0; // seconds; the caret shows in the first half of each second
    int limit = UNLIMITED;
    int scroll_x = 0;       // added to the client x to keep the caret in view; 0 or negative

    edt_t();

    virtual int get_limit() const { return limit; }
    // At most n characters; a longer text is cut at once.
    virtual void set_limit(int n);
    // The screen rectangle at the caret; the caret line runs down its left edge.
    virtual rect* caret_rect(rect* out);

    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    void draw() override;
    void clip_begin() override;
    void clip_end() override;
    void set_text(const wchar_t* s, bool relayout) override;
    rect* client_rect(rect* out) override;
    pt_t* client_origin(pt_t* out) override;
    size* text_box(size* out) override;

    // The character index a screen point falls on.
    int index_at(int x) const;
    // Inserts at the caret as much as the limit leaves room for; only the
    // first line of a text that holds several.
    void insert_text(const wchar_t* s);

private:
    rect visible_rect();  // the client area on screen, without the scroll
    void relayout_text();
    void keep_caret_in_view();
    bool on_key(int key, int mods);
};

// Border 4, vertically centred text, no limit; created hidden nowhere: the
// caller creates it.
edt_t* new_edt();
