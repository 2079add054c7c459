#include "screens/unit/pc_mgr.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/ini.h"
#include "app/input.h"
#include "app/markup_lit.h"
#include "app/notes.h"
#include "app/paths.h"
#include "app/sys.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/u_name.h"
#include "rules/unit.h"
#include "screens/text/unit_sheet.h"
#include "screens/unit/lv_up_dlg.h"
#include "screens/unit/u_ctrl.h"
#include "screens/widgets/theme.h"
#include "ui/btn.h"
#include "ui/edt.h"
#include "ui/li.h"
#include "ui/std_dlgs.h"
#include "ui/title_wnd.h"

namespace {
constexpr int list_w = 320;
constexpr int desc_w = 320;
constexpr size name_box{160, 96};
constexpr size name_edt{128, 32};
constexpr uint32_t name_box_style = WS_DOCK_LEFT | WS_DOCK_TOP;
constexpr uint32_t list_style = uint32_t(LVS_KEEP_SEL) | WS_FILL_W | WS_FILL_H;
constexpr uint32_t list_ex = LVX_COL | LVX_CHECKS;
constexpr int chk_gap = 4;
const wchar_t* const intro =
    L"<h1>创建队伍</h1><f=b4 c=a>选择或新建多个合适的角色，组建你的队伍。拥有良好的职业搭配的队伍，能更好的应对各种突发事件。";
const wchar_t* const presets_tip = L"重置预设：恢复所有预设角色";
const wchar_t* const presets_ask = L"将所有预设角色重置为初始状态？\n（玩家自建角色不受影响）";
const wchar_t* const dflt_pty_name = L"异乡人";
const wchar_t* const pcs_dir = L"saves/pcs/";
const wchar_t* const save_failed = L"角色未能保存到文件，本次游戏中仍可使用。";
const wchar_t* const damaged_desc = L"<c=r b>角色文件已损坏</c>\n\n无法读取 %s，不能加入队伍。\n可以删除此文件。";
const wchar_t* const damaged_line = L"<f=b5><el>%s</el></f>\n<c=r>已损坏，无法读取</c>";

class _pc_mgr_dlg_t;
_pc_mgr_dlg_t* the_mgr = nullptr;
_pc_mgr_dlg_t* running_mgr = nullptr;

class _pc_mgr_dlg_t : public pc_mgr_dlg_t {
public:
    btn_t* presets = nullptr;
    edt_t* pty_name = nullptr;

    _pc_mgr_dlg_t() {
        btn_mode = DLG_OK_CANCEL;
        list_pane_w = list_w;
        memo_w = desc_w;
        heading_text = intro;
        list_title = L"角色列表";
        new_text = L"新建角色";
        edit_text = L"修改角色";
        del_text = L"删除角色";
        file_pattern = L"saves/pcs/*.pc";
    }
    ~_pc_mgr_dlg_t() override {
        if (the_mgr == this) the_mgr = nullptr;
        if (running_mgr == this) running_mgr = nullptr;
    }

    btn_t* presets_btn() const override { return presets; }
    edt_t* pty_name_edt() const override { return pty_name; }
    pc_lv_t* pc_list() const override { return static_cast<pc_lv_t*>(list); }

    void on_create() override {
        mgr_dlg_t::on_create();
        for (btn_t* b : {new_btn, edit_btn, del_btn})
            if (b) b->set_clrs(&theme::btn[0], &theme::btn[1], &theme::btn[2], &theme::btn[3]);
        presets = add_icon_btn(L"ui/presets_32", presets_tip, WS_DOCK_LEFT);
        pty_name = new_name_edit(client, name_box_style, L"队伍名称", dflt_pty_name);
    }

    lv_t* make_list() override {
        auto* l = new pc_lv_t;
        l->set_style(list_style);
        l->ex_style = list_ex;
        l->set_parent(list_pane);
        const rect r{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
        l->set_rect(&r);
        l->on_create();
        reg_owned_wnd(l);
        l->set_title_bar(TITLE_SMALL, list_title);
        return l;
    }

    // The first run has no folder of characters: it gets one with the premade ten.
    void after_list() override {
        if (!path_exists((get_exe_dir() + pcs_dir).c_str())) save_preset_pcs();
    }

    Str* item_desc(Str* out, uintptr_t data) override {
        const auto* rec = reinterpret_cast<const pc_rec_t*>(data);
        if (rec && rec->damaged)
            *out = Str(damaged_desc, markup_lit((Str(pcs_dir) + rec->file).c_str()).c_str());
        else
            *out = rec && rec->unit ? txt::unit_sheet(rec->unit, txt::SHEET_ALL) : Str();
        return out;
    }

    uintptr_t new_item() override {
        int top = 0;
        for (const li_t* it : list->items)
            if (const pc_rec_t* rec = pc_lv_t::rec_of(it)) top = std::max(top, rec->id);
        return reinterpret_cast<uintptr_t>(new_pc(true, top + 1));
    }

    void free_item(uintptr_t data) override { delete reinterpret_cast<pc_rec_t*>(data); }

    bool edit_item(uintptr_t data) override {
        auto* rec = reinterpret_cast<pc_rec_t*>(data);
        if (!rec || rec->damaged || !open_mod_unit_dlg(rec->unit)) return false;
        if (!save_unit_file(pc_file_path(rec->id).c_str(), *rec->unit)) zg_msg_dlg(save_failed, nullptr);
        return true;
    }

    uintptr_t load_item(const wchar_t* file, int id) override {
        auto* rec = new pc_rec_t;
        rec->id = id;
        rec->file = get_file_title(file) + L".pc";
        // A file that cannot be read stays listed, as damaged, rather than
        // vanishing from view; it is never written over unasked.
        if (!load_unit_file(file, *rec->unit)) {
            rec->damaged = true;
            note_trouble(L"pc_file", {Str(pcs_dir) + rec->file});
        }
        return reinterpret_cast<uintptr_t>(rec);
    }

    uint32_t item_flags(uintptr_t data) const override {
        const auto* rec = reinterpret_cast<const pc_rec_t*>(data);
        return rec && rec->damaged ? uint32_t(LIF_NO_CHECK) : 0u;
    }

    void delete_item(uintptr_t data) override {
        const auto* rec = reinterpret_cast<const pc_rec_t*>(data);
        if (!rec) return;
        std::error_code ec;
        std::filesystem::remove(os_path(pc_file_path(rec->id).c_str()), ec);
    }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_COMMAND && sender == presets && presets) {
            reset_presets();
            return true;
        }
        if (msg.code == EVT_FRAME && sender == this && list) {
            const int n = list->checked_count();
            if (list->title) list->title->second = Str(L"<c=g b>%d/%d </c>", n, PTY_MAX_UNITS);
            if (ok_btn) ok_btn->set_enabled(pty_size_ok(n) && pty_name && is_name_given(pty_name->text.c_str()));
        }
        const bool used = mgr_dlg_t::on_msg(msg, sender);
        // After the base's own, which enables editing for any selection.
        if (msg.code == EVT_FRAME && sender == this && list && edit_btn) {
            const pc_rec_t* rec = pc_lv_t::rec_of(list->get_item(list->sel));
            if (rec && rec->damaged) edit_btn->set_enabled(false);
        }
        return used;
    }

    void reset_presets() {
        if (!zg_confirm_dlg(presets_ask)) return;
        if (!save_preset_pcs()) zg_msg_dlg(save_failed, nullptr);
        reload();
        list->select(0);
    }
};
}  // namespace

// ---- records and the list ----

pc_rec_t::pc_rec_t() : unit(new unit_t) {}
pc_rec_t::~pc_rec_t() { delete unit; }

pc_lv_t::pc_lv_t() {
    // Outlined, so the coloured names stay readable on the chosen row.
    sel_look = 1;
    sel_clr = theme::hilite;
}

void pc_lv_t::draw_item(li_t* it, int index, const rect& r, const rect& inner) {
    // The check box stands left of the picture; a damaged file, which has none, keeps its place.
    const rect chk = item_part_rect(index, LIP_CHECK);
    const int dx = chk.w > 0 ? chk.x + chk.w + chk_gap - inner.x : chk_size() + chk_gap;
    const rect in{inner.x + dx, inner.y, inner.w - dx, inner.h};
    u_lv_t::draw_item(it, index, r, in);
    const pc_rec_t* rec = rec_of(it);
    if (!rec || !rec->damaged) return;
    const Str text(damaged_line, markup_lit(rec->file.c_str()).c_str());
    ::draw_text(text.c_str(), &in, FONT_DEF, &theme::text, rect_align::left | rect_align::top);
}

pc_rec_t* pc_lv_t::rec_of(const li_t* it) { return it ? reinterpret_cast<pc_rec_t*>(it->data) : nullptr; }

unit_t* pc_lv_t::unit_of(const li_t* it) const {
    const pc_rec_t* rec = rec_of(it);
    return rec && !rec->damaged ? rec->unit : nullptr;
}

// ---- opening ----

pc_mgr_dlg_t* get_pc_mgr() { return running_mgr; }

bool open_pc_mgr() {
    if (!the_mgr) {
        the_mgr = make_dlg<_pc_mgr_dlg_t>(nullptr, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE, WS_FILL_W | WS_FILL_H);
        the_mgr->set_visible(false);
    }
    _pc_mgr_dlg_t* d = the_mgr;
    running_mgr = d;
    const int r = do_modal(d, 0, 0);
    if (running_mgr == d) running_mgr = nullptr;
    if (r != MODAL_OK || the_mgr != d) return false;
    std::vector<unit_t*> units;
    for (const li_t* it : d->list->items)
        if (it->is_checked())
            if (const pc_rec_t* rec = pc_lv_t::rec_of(it); rec && !rec->damaged) units.push_back(new unit_t(*rec->unit));
    if (!pty_size_ok(int(units.size()))) {
        unit_vec_clear(units);
        return false;
    }
    g_pty.init(d->pty_name->text.c_str(), units);
    return true;
}

pc_rec_t* new_pc(bool save, int min_id) {
    auto* rec = new pc_rec_t;
    if (!open_lv_up_dlg(rec->unit)) {
        delete rec;
        return nullptr;
    }
    rec->id = take_next_pc_id(CZsConfig::instance(), min_id);
    if (save && !(rec->id > 0 && save_unit_file(pc_file_path(rec->id).c_str(), *rec->unit)))
        zg_msg_dlg(save_failed, nullptr);
    return rec;
}

edt_t* new_name_edit(wnd_t* parent, uint32_t style, const wchar_t* caption, const wchar_t* text) {
    auto* box = new title_wnd_t;
    box->set_style(style);
    box->set_parent(parent);
    const rect br{0, 0, name_box.w, name_box.h};
    box->set_rect(&br);
    box->on_create();
    reg_owned_wnd(box);
    box->set_title_bar(TITLE_SMALL, caption);
    edt_t* e = new_edt();
    e->set_style(WS_CENTRE_X | WS_CENTRE_Y);
    e->set_parent(box);
    const rect er{0, 0, name_edt.w, name_edt.h};
    e->set_rect(&er);
    e->on_create();
    reg_owned_wnd(e);
    e->set_limit(NAME_MAX_CHARS);
    e->set_text(text, false);
    return e;
}
