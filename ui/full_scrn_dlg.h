#pragma once
// Full-screen dialogs: a heading under a top spacer and a client area over
// the button row; the common kind puts a list pane and a description memo
// side by side in the client area; the big list dialog fills the pane with a
// list whose current or selected item the memo describes.
#include "ui/dlg.h"

class lbl_t;
class li_t;
class lv_t;
class memo_ctrl_t;
class splitter_t;

class full_scrn_dlg_t : public dlg_t {
public:
    splitter_t* client = nullptr;
    lbl_t* heading = nullptr;

    full_scrn_dlg_t();
    void on_create() override;
};

class cmn_full_scrn_dlg_t : public full_scrn_dlg_t {
public:
    splitter_t* list_pane = nullptr;
    memo_ctrl_t* memo = nullptr;
    int list_pane_w = 256;
    int memo_w = 512;
    const wchar_t* heading_text = nullptr;  // mark-up; null: none

    void on_create() override;
    // The memo's text, laid out at once; null or empty clears it.
    void describe(const wchar_t* text);

protected:
    // A one-column list filling the list pane.
    lv_t* new_pane_list(const wchar_t* title);
    // The current item when there is one, else the selected one; null when neither.
    static const li_t* described_item(const lv_t* l);
};

class big_list_dlg_t : public cmn_full_scrn_dlg_t {
public:
    lv_t* list = nullptr;
    const wchar_t* list_title = nullptr;  // null: no title bar over the list

    big_list_dlg_t();
    void on_create() override;
    bool on_msg(const evt_t& msg, wnd_t* sender) override;

    virtual lv_t* make_list();
    virtual void fill() {}
    // The description of the item whose user data is data.
    virtual Str* item_desc(Str* out, uintptr_t data);
};
