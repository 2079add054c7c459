#include "ui/mgr_dlg.h"

#include "app/file_list.h"
#include "app/num_parse.h"
#include "app/paths.h"
#include "ui/btn.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/std_dlgs.h"

namespace {
constexpr int pane_w = 256;
constexpr int desc_w = 512;
constexpr int id_digits = 8;
constexpr int lf_listing = LF_RECURSE | LF_FULL_PATH | LF_FILES | LF_SORT;  // in the order of the ids
const wchar_t* const confirm_delete = L"删除选中项？";
}  // namespace

Str path_stem(const wchar_t* path) { return get_file_title(path); }

mgr_dlg_t::mgr_dlg_t() {
    list_pane_w = pane_w;
    memo_w = desc_w;
    heading_text = nullptr;
    btn_mode = DLG_CLOSE;
}

void mgr_dlg_t::on_create() {
    cmn_full_scrn_dlg_t::on_create();
    before_list();
    list = make_list();
    after_list();
    release_all();
    scan_into_list();
    new_btn = add_btn(new_text, WS_DOCK_LEFT, nullptr, nullptr);
    edit_btn = add_btn(edit_text, WS_DOCK_LEFT, nullptr, nullptr);
    del_btn = add_btn(del_text, WS_DOCK_LEFT, nullptr, nullptr);
}

lv_t* mgr_dlg_t::make_list() { return new_pane_list(list_title); }

int mgr_dlg_t::scan_files(const wchar_t* pattern, const scan_cb_t& cb) {
    int n = 0;
    for (const Str& file : list_files_spec(pattern, lf_listing)) {
        int id = 0;
        if (!parse_int_n(path_stem(file).c_str(), id_digits, &id)) continue;
        if (cb(file.c_str(), id)) ++n;
    }
    return n;
}

void mgr_dlg_t::scan_into_list() {
    if (!file_pattern) return;
    scan_files((get_exe_dir() + file_pattern).c_str(), [this](const wchar_t* file, int id) {
        const uintptr_t data = load_item(file, id);
        list->add_item(L"", nullptr, nullptr, item_flags(data), 0, data, 0, nullptr);
        return true;
    });
}

void mgr_dlg_t::release_all() {
    if (!list) return;
    for (li_t* it : list->items) free_item(it->data);
    list->clear();
}

void mgr_dlg_t::reload() {
    release_all();
    scan_into_list();
}

void mgr_dlg_t::on_new() {
    const uintptr_t data = new_item();
    if (!data) return;
    list->add_item(L"", nullptr, nullptr, item_flags(data), 0, data, 0, nullptr);
    if (list->count() == 1) list->select(0);
}

void mgr_dlg_t::on_edit() {
    const li_t* it = list->get_item(list->sel);
    // Selecting it again sends the selection anew, which refreshes the description.
    if (it && edit_item(it->data)) list->select(list->sel);
}

void mgr_dlg_t::on_delete() {
    const int index = list->sel;
    const li_t* it = list->get_item(index);
    if (!it || !zg_confirm_dlg(confirm_delete)) return;
    const uintptr_t data = it->data;
    delete_item(data);
    free_item(data);
    list->remove_item(index);
}

bool mgr_dlg_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (list && sender == list && (msg.code == EVT_CUR_CHANGED || msg.code == EVT_SEL_MADE)) {
        Str desc;
        if (const li_t* it = described_item(list)) item_desc(&desc, it->data);
        describe(desc.c_str());
    } else if (msg.code == EVT_COMMAND && list) {
        if (sender == new_btn)
            on_new();
        else if (sender == edit_btn)
            on_edit();
        else if (sender == del_btn)
            on_delete();
    } else if (sender == this && list) {
        const bool has_sel = list->get_item(list->sel) != nullptr;
        if (msg.code == EVT_MODAL_OPEN && !has_sel) list->select(0);
        if (msg.code == EVT_CLOSING) release_all();
        if (msg.code == EVT_FRAME) {
            if (edit_btn) edit_btn->set_enabled(has_sel);
            if (del_btn) del_btn->set_enabled(has_sel);
        }
    }
    return frame_wnd_t::on_msg(msg, sender);
}
