#pragma once
// A window with an optional title bar across its top (small or large), with
// a bar of title buttons at its right end.
#include "ui/scroll_wnd2.h"
#include "ui/tool_bar.h"

class tool_bar_t2;  // a list view, which is itself a titled window
class li_t;

enum : int { TITLE_NONE = 0, TITLE_SMALL = 1, TITLE_LARGE = 2 };

struct title_rec_t {
    Str title;
    Str second;     // right-aligned in the bar when not empty
    int bar_h = 0;
    int font = 0;
    clr_t bg;
    clr_t fg;
    zg::tex_t* icon = nullptr;
};

class title_wnd_t : public scroll_wnd2_t {
public:
    title_rec_t* title = nullptr;  // null: no title bar
    tool_bar_t* title_btns = nullptr;  // made on first use
    tool_bar_t2* title_items = nullptr;  // made on first use

    ~title_wnd_t() override;

    using wnd_t::create;
    virtual bool create(const wchar_t* title_text, int bar_mode, uint32_t style, wnd_t* parent, const rect* r);
    virtual bool create_small(const wchar_t* title_text, uint32_t style, wnd_t* parent, const rect* r);

    void set_title_bar(int mode, const wchar_t* title_text);
    // A button at the right end of the title bar; icon_clr may be null (white).
    tool_btn_t* add_title_btn(uint32_t style, const wchar_t* img, const clr_t* icon_clr);
    // A command item with that icon in the strip at the bar's left; item_sz null for the bar's size.
    li_t* add_title_item(const wchar_t* img, const size* item_sz);
    int bar_h() const { return title ? title->bar_h : 0; }
    // Where the title's text and the second text stand in the bar: the title
    // centred, unless the second text at the bar's right end would reach it.
    void title_text_rcs(rect* title_rc, rect* second_rc) const;

    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    void paint() override;
    void draw() override;
    void set_margins(const int m[4]) override;

private:
    bool hit_title_tip();
    // The side of a title button or item: 32 in a large bar, else 16.
    int bar_item_side() const { return bar_h() == 32 ? 32 : 16; }
};
