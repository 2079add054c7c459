#pragma once
// The manager dialog: a full-screen list of stored items, one file each
// (stems that begin with 8 digits, the item's id), a description memo and
// the buttons New, Edit and Delete. The deriving screen says what an item is
// through the hooks below; each item's data word is what load_item or
// new_item made, released with free_item.
#include <functional>

#include "ui/full_scrn_dlg.h"

class btn_t;

class mgr_dlg_t : public cmn_full_scrn_dlg_t {
public:
    using scan_cb_t = std::function<bool(const wchar_t* file, int id)>;

    lv_t* list = nullptr;
    btn_t* new_btn = nullptr;
    btn_t* edit_btn = nullptr;
    btn_t* del_btn = nullptr;
    // Set by the deriving class before on_create.
    const wchar_t* list_title = nullptr;
    const wchar_t* new_text = nullptr;
    const wchar_t* edit_text = nullptr;
    const wchar_t* del_text = nullptr;
    const wchar_t* file_pattern = nullptr;  // relative to the program's folder, as "saves/pcs/*.pc"

    mgr_dlg_t();

    void on_create() override;
    bool on_msg(const evt_t& msg, wnd_t* sender) override;

    // Reads the list again from disk.
    void reload();
    // Releases every item's data and empties the list.
    void release_all();
    // Calls cb with each matching file whose stem begins with 8 digits, and
    // counts the files it accepted.
    int scan_files(const wchar_t* pattern, const scan_cb_t& cb);

    virtual void before_list() {}
    virtual lv_t* make_list();
    virtual void after_list() {}
    virtual Str* item_desc(Str* out, uintptr_t data) = 0;
    // 0: cancelled.
    virtual uintptr_t new_item() = 0;
    virtual void free_item(uintptr_t data) = 0;
    // True when the item changed.
    virtual bool edit_item(uintptr_t data) = 0;
    virtual uintptr_t load_item(const wchar_t* file, int id) = 0;
    // The list flags of an item made from data (LIF_NO_CHECK: it cannot be ticked).
    virtual uint32_t item_flags(uintptr_t) const { return 0; }
    // Deletes the item's stored file or record.
    virtual void delete_item(uintptr_t data) = 0;

private:
    void scan_into_list();
    void on_new();
    void on_edit();
    void on_delete();
};

// The file name without its folder and extension.
Str path_stem(const wchar_t* path);
