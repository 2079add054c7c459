#include "screens/unit/u_ctrl.h"

#include "app/img_cache.h"
#include "app/input.h"
#include "rules/u_name.h"
#include "rules/unit.h"
#include "screens/widgets/theme.h"
#include "ui/btn.h"
#include "ui/dlg.h"
#include "ui/edt.h"
#include "ui/std_dlgs.h"
#include "ui/tip.h"
#include "ui/title_wnd.h"

namespace {
// The panel: three titled sections, U_CTRL_H in all.
constexpr int sect_gap = 4;
constexpr int name_sect_h = 64;
constexpr int face_sect_h = 104;
constexpr int icon_sect_h = 96;
constexpr int sect_padding = 4;
constexpr int edt_h = 32;
constexpr int rnd_side = 32;
constexpr size face_sz{72, 72};
constexpr size icon_sz{64, 64};
static_assert(name_sect_h + face_sect_h + icon_sect_h + 2 * sect_gap == U_CTRL_H, "the sections fill the panel");
const wchar_t* const dflt_face = L"faces_pc/0102";
const wchar_t* const dflt_icon = L"units_pc/010301";
const wchar_t* const face_dir = L"faces_pc/";
const wchar_t* const icon_dir = L"units_pc/";
// The appearance dialog.
constexpr int mod_dlg_w = 512;
constexpr int mod_dlg_h = 320;
constexpr uint32_t mod_dlg_style = WS_CENTRE_X | WS_CENTRE_Y;
constexpr uint32_t panel_style = WS_DOCK_TOP | WS_FILL_W;

title_wnd_t* add_sect(wnd_t* parent, const wchar_t* caption, int h) {
    auto* s = add_child_wnd(parent, new title_wnd_t, WS_DOCK_TOP | WS_FILL_W, {0, 0, WND_DEFAULT_SIZE, h});
    s->set_title_bar(TITLE_SMALL, caption);
    s->padding = sect_padding;
    return s;
}

btn_t* add_img_btn(wnd_t* parent, const size& sz, const wchar_t* img) {
    auto* b = add_child_wnd(parent, new btn_t, WS_DOCK_LEFT | WS_DOCK_TOP, {0, 0, sz.w, sz.h});
    b->set_skin(img);
    b->hot_overlay = 0x22FFFFFF;
    b->border_clr = theme::frame;
    b->border_w = 1;
    return b;
}

// ---- panel ----

class _u_ctrl_t : public game::u_ctrl_t {
public:
    edt_t* name = nullptr;
    btn_t* rnd = nullptr;
    btn_t* face = nullptr;
    btn_t* icon = nullptr;
    Str face_img{dflt_face};
    Str icon_img{dflt_icon};

    void on_create() override {
        splitter_t::on_create();
        gap = sect_gap;
        title_wnd_t* n = add_sect(this, L"人物名称", name_sect_h);
        rnd = add_child_wnd(n, new btn_t, WS_DOCK_RIGHT | WS_CENTRE_Y, {0, 0, rnd_side, rnd_side});
        rnd->set_icon(L"misc/rd");
        rnd->icon_sz = rnd_side - 8;
        rnd->tip = L"随机名称";
        style_set_btn(rnd);
        name = add_child_wnd(n, new_edt(), WS_FILL_W | WS_CENTRE_Y, {0, 0, WND_DEFAULT_SIZE, edt_h});
        name->set_limit(NAME_MAX_CHARS);
        name->focus_order = 1;
        n->gap = sect_padding;
        face = add_img_btn(add_sect(this, L"肖像", face_sect_h), face_sz, face_img.c_str());
        face->tip = L"选择肖像";
        icon = add_img_btn(add_sect(this, L"战斗图标", icon_sect_h), icon_sz, icon_img.c_str());
        icon->tip = L"选择战斗图标";
    }

    edt_t* name_edt() const override { return name; }
    btn_t* rnd_btn() const override { return rnd; }
    btn_t* face_btn() const override { return face; }
    btn_t* icon_btn() const override { return icon; }

    // An empty image name shows an empty button and stays empty.
    void set_vals(const wchar_t* n, const wchar_t* f, const wchar_t* i) override {
        name->set_text(n, false);
        set_img(face, face_img, f);
        set_img(icon, icon_img, i);
    }
    void get_vals(Str& n, Str& f, Str& i) const override {
        n = name->text;
        f = face_img;
        i = icon_img;
    }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_COMMAND && sender == rnd) {
            name->set_text(rnd_u_name(), true);
            return true;
        }
        if (msg.code == EVT_COMMAND && (sender == face || sender == icon)) {
            const bool is_face = sender == face;
            const size sz = is_face ? face_sz : icon_sz;
            Str chosen;
            zg_imgs_dlg(chosen, is_face ? face_dir : icon_dir, &sz);
            if (!chosen.empty()) set_img(face == sender ? face : icon, is_face ? face_img : icon_img, chosen);
            return true;
        }
        return splitter_t::on_msg(msg, sender);
    }

private:
    static void set_img(btn_t* b, Str& keep, const wchar_t* img) {
        keep = or_empty(img);
        b->set_skin(keep.empty() ? nullptr : keep.c_str());
    }
};

// ---- appearance dialog ----

class _mod_unit_dlg_t;
// Made on first use; shutdown deletes it with the owned windows and the next
// opening makes it again.
_mod_unit_dlg_t* the_mod_dlg = nullptr;
_mod_unit_dlg_t* running_mod = nullptr;

class _mod_unit_dlg_t : public game::mod_unit_dlg_t {
public:
    game::u_ctrl_t* body = nullptr;

    ~_mod_unit_dlg_t() override {
        if (the_mod_dlg == this) the_mod_dlg = nullptr;
        if (running_mod == this) running_mod = nullptr;
    }
    void on_create() override {
        dlg_t::on_create();
        body = add_child_wnd(this, new_u_ctrl(), panel_style, {0, 0, WND_DEFAULT_SIZE, U_CTRL_H});
        const int row_h = btn_row ? btn_row->rc.h : 0;
        resize(rc.w, row_h + U_CTRL_H + margin_t + margin_b);
    }
    game::u_ctrl_t* panel() const override { return body; }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (sender == this && body && msg.code == EVT_MODAL_OPEN) set_focus_wnd(body->name_edt());
        // A character keeps a name: OK waits for one.
        if (sender == this && body && ok_btn && msg.code == EVT_FRAME)
            ok_btn->set_enabled(is_name_given(body->name_edt()->text.c_str()));
        return mod_unit_dlg_t::on_msg(msg, sender);
    }
};
}  // namespace

game::u_ctrl_t* new_u_ctrl() { return new _u_ctrl_t; }
game::mod_unit_dlg_t* new_mod_unit_dlg() { return new _mod_unit_dlg_t; }

game::mod_unit_dlg_t* get_mod_unit_dlg() { return running_mod; }

bool open_mod_unit_dlg(unit_t* u) {
    if (!u) return false;
    if (!the_mod_dlg) {
        the_mod_dlg = make_dlg<_mod_unit_dlg_t>(L"修改角色", DLG_OK_CANCEL, mod_dlg_w, mod_dlg_h, mod_dlg_style);
        the_mod_dlg->set_visible(false);
    }
    _mod_unit_dlg_t* dlg = the_mod_dlg;
    dlg->body->set_vals(u->name.c_str(), u->face.c_str(), u->img.c_str());
    running_mod = dlg;
    const int r = do_modal(dlg, 0, 0);
    running_mod = nullptr;
    if (r != MODAL_OK) return false;
    dlg->body->get_vals(u->name, u->face, u->img);
    return true;
}
