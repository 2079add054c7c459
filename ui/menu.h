#pragma once
// The one popup menu: a modal, screen-covering window whose cascade levels are
// one-column lists of command items. Screens fill it, then track it; a
// window with WS_POPUP_MENU does both when clicked.
#include <cstdint>
#include <vector>

#include "ui/lv.h"

// Forms of track_popup's result; without one of them, the chosen item's
// index in the top level (-1 for none).
enum : int { MENU_RET_ID = 16, MENU_RET_DATA = 32, MENU_RET_ITEM = 64 };

class menu_t : public wnd_t {
public:
    // One cascade level.
    class menu_wnd_t : public lv_t {
    public:
        int open_idx = -1;  // the item whose sub-level is open
        menu_wnd_t();
        void draw_item(li_t* it, int index, const rect& r, const rect& inner) override;
    };

    std::vector<li_t*> items;  // owned, with their sub-items
    li_t* chosen = nullptr;

    menu_t();
    ~menu_t() override;

    // The item becomes a command without a check box, under parent (null: the top level).
    li_t* add_item(li_t* it, li_t* parent);
    li_t* add_text_item(const wchar_t* text, li_t* parent);
    li_t* add_sep(li_t* parent);
    std::vector<li_t*>& item_vec(li_t* parent);
    void del_item(li_t* parent, li_t* it);
    void clear();

    // Shows the top level at (x, y) (MOVE_AT_* flags place it by another
    // corner) and waits for a choice, a click outside or Escape; see
    // MENU_RET_* for what it answers.
    intptr_t track_popup(int x, int y, int flags);

    menu_wnd_t* get_level(int n);
    int level_count() const { return int(children.size()); }
    void hide_levels_after(int n);

    bool on_msg(const evt_t& msg, wnd_t* sender) override;

private:
    int level_index(const wnd_t* w) const;
    void open_level(int n, li_t* parent_item, const rect& beside);
};

// Made on first use, hidden, covering the screen under the root.
menu_t* get_popup_menu();
