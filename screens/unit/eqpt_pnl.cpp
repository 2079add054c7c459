#include "screens/unit/eqpt_pnl.h"

#include "app/geom.h"
#include "app/render.h"
#include "app/sentinels.h"
#include "rules/enum_ids.h"
#include "rules/eqpts.h"
#include "rules/itm_drop.h"
#include "rules/load_type.h"
#include "rules/lv.h"
#include "rules/unit.h"
#include "screens/unit/lv_up_dlg.h"
#include "screens/widgets/itm_btn.h"
#include "screens/widgets/theme.h"
#include "ui/btn.h"
#include "ui/lbl.h"
#include "ui/tip.h"

namespace {
constexpr size body{532, 272};
constexpr int cell = 48;
constexpr int col_pitch = 56, row_pitch = 52;
constexpr int doll_x = 186, ammo_col_x = 194, doll_y = 8;  // the ammunition column stands 8 px apart
constexpr int ammo_col = 3;
constexpr size set_btn_sz{22, 22};
constexpr int set_btn_x = 159, set_btn_y = 217, set_btn_pitch = 24;
constexpr int set_radio = 1;
constexpr int spacing = 8;
constexpr size xp_sz{172, 24};
constexpr rect lv_up_rc{8, 32, 80, 24};
constexpr size load_sz{106, 24};
constexpr clr_t cell_fill = 0x33000000;
constexpr clr_t cell_line = 0x22000000;

struct doll_slot_t {
    int col, row;
    const wchar_t* key;
    const wchar_t* label;
};
constexpr doll_slot_t doll[EQPT_SLOTS] = {
    {0, 4, L"main_hand", L"主手"}, {2, 4, L"off_hand", L"副手"}, {3, 1, L"ammo", L"弹药"},
    {3, 2, L"ammo", L"弹药"},      {3, 3, L"ammo", L"弹药"},     {3, 4, L"ammo", L"弹药"},
    {1, 2, L"body", L"身体"},      {1, 0, L"head", L"头部"},     {1, 1, L"neck", L"颈部"},
    {1, 3, L"belt", L"腰部"},      {1, 4, L"boot", L"脚部"},     {0, 1, L"arm", L"手臂"},
    {2, 1, L"shdr", L"肩部"},      {0, 3, L"ring", L"戒指"},     {2, 3, L"ring", L"戒指"},
    {0, 2, L"acc", L"饰品"},       {2, 2, L"acc", L"饰品"},
};

pt_t cell_at(const doll_slot_t& s) {
    return {s.col * col_pitch + (s.col == ammo_col ? ammo_col_x : doll_x), s.row * row_pitch + doll_y};
}

class _eqpt_pnl_t : public eqpt_pnl_t {
public:
    unit_t* unit = nullptr;
    itm_btn_t* slots[EQPT_SLOTS] = {};
    btn_t* sets[4] = {};
    lbl_t* xp = nullptr;
    btn_t* lv_up = nullptr;
    lbl_t* load = nullptr;
    int set_id = 0;

    void build(int slot_id, int set_btn_id);

    void set_unit(unit_t* u) override {
        unit = u;
        if (!u) return;
        const int cur = u->eqpts.cur_set;
        if (cur >= 0 && cur < 4) sets[cur]->set_checked(true);
        show_xp();
        show_load();
        bind_slots();
    }
    unit_t* get_unit() const override { return unit; }
    void bind_slots() override {
        for (int i = 0; i < EQPT_SLOTS; ++i) slots[i]->set_item(unit ? &unit->eqpts.slots[i] : nullptr);
    }
    void show_xp() override {
        if (!unit) return;
        const int need = xp_for_lv(unit->base.lv + 1);
        xp->set_text(Str(L" <b>%d<c=a> /%d XP</c>", unit->xp, need).c_str(), true);
        lv_up->set_visible(can_lv_up(*unit));
    }
    void show_load() override;
    void fitting_slots(const itm_slot_t& it, std::vector<wnd_t*>& out) override {
        for (int i = 0; i < EQPT_SLOTS; ++i)
            if (itm_drop_ok(it, {itm_at_e::eqpt, i})) out.push_back(slots[i]);
    }
    itm_btn_t* slot_btn(int n) const override { return n >= 0 && n < EQPT_SLOTS ? slots[n] : nullptr; }
    wnd_t* set_btn(int n) const override { return n >= 0 && n < 4 ? sets[n] : nullptr; }
    wnd_t* lv_up_btn() const override { return lv_up; }
    wnd_t* xp_lbl() const override { return xp; }
    wnd_t* load_lbl() const override { return load; }

    void draw_bg() override {
        eqpt_pnl_t::draw_bg();
        for (itm_btn_t* b : slots) {
            fill_rect(&b->rc, &cell_fill);
            draw_rect(&b->rc, &cell_line);
        }
    }
    bool on_msg(const evt_t& msg, wnd_t* sender) override;
};

void _eqpt_pnl_t::build(int slot_id, int set_btn_id) {
    set_id = set_btn_id;
    resize(body.w + margin_l + margin_r, body.h + margin_t + margin_b);
    for (int i = 0; i < EQPT_SLOTS; ++i) {
        const pt_t at = cell_at(doll[i]);
        slots[i] = new itm_btn_t;
        slots[i]->create(this, at.x, at.y, cell, slot_id, uintptr_t(i), Str(L"paper_doll/%s", doll[i].key).c_str());
        slots[i]->tip = doll[i].label;
        reg_owned_wnd(slots[i]);
    }
    for (int i = 0; i < 4; ++i) {
        auto* b = new btn_t;
        const rect r{set_btn_x - (i / 2) * set_btn_pitch, set_btn_y + (i % 2) * set_btn_pitch, set_btn_sz.w,
                     set_btn_sz.h};
        b->create(0, this, &r, set_btn_id, uintptr_t(i), nullptr);
        b->radio_grp = set_radio;
        b->set_text(Str(L"%d", i + 1).c_str(), false);
        b->text_align = rect_align::centre | rect_align::middle;
        b->tip = Str(L"武器组%d", i + 1);
        style_set_btn(b);
        reg_owned_wnd(b);
        sets[i] = b;
    }
    padding = spacing;
    xp = new lbl_t;
    const rect xr{0, 0, xp_sz.w, xp_sz.h};
    xp->create(WS_DOCK_LEFT | WS_DOCK_TOP, this, &xr, 0, 0, nullptr);
    xp->bg_clr = 0;
    xp->tip = L"当前经验值 / 下一级所需经验值";
    reg_owned_wnd(xp);
    lv_up = new btn_t;
    lv_up->create(0, this, &lv_up_rc, 0, 0, nullptr);
    lv_up->set_text(L"升级！", false);
    lv_up->text_align = rect_align::centre | rect_align::middle;
    style_set_btn(lv_up);
    reg_owned_wnd(lv_up);
    load = new lbl_t;
    const rect lr{0, 0, load_sz.w, load_sz.h};
    load->create(WS_DOCK_RIGHT | WS_DOCK_BOTTOM, this, &lr, 0, 0, nullptr);
    load->bg_clr = 0;
    load->text_align = rect_align::right | rect_align::middle;
    // The limits are a table: as wide as its rows need, under the figure and
    // ending where it ends, so it stays inside the dialog.
    load->tip_place.place = TIP_BELOW_RIGHT;
    load->tip_place.max_w = UNLIMITED;
    reg_owned_wnd(load);
}

void _eqpt_pnl_t::show_load() {
    if (!unit) return;
    const eqpts_t& e = unit->eqpts;
    const load_type_t* row = get_load_type(e.load_lv());
    load->set_text(Str(L"<b><c=#%08x>%d</c><c=a> /%d <ico=misc/wt> ", uint32_t(row->clr), int(e.weight()),
                       e.load_cap(1))
                       .c_str(),
                   true);
    load->tip = load_tip(unit);
}

bool _eqpt_pnl_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (msg.code != EVT_COMMAND || !sender || sender->parent != this || !unit)
        return eqpt_pnl_t::on_msg(msg, sender);
    if (sender == lv_up) {
        if (open_lv_up_dlg(unit)) notify({EVT_LV_UP_DONE, 0, 0});
        return true;
    }
    if (sender->id == set_id) {
        const int n = int(sender->user_data);
        unit->eqpts.swap_wpn_set(n);
        sets[n]->set_checked(true);
        bind_slots();
        show_load();
        notify({EVT_EQPT_CHANGED, 0, 0});
        return true;
    }
    return eqpt_pnl_t::on_msg(msg, sender);
}
}  // namespace

Str load_tip(const unit_t* u) {
    const eqpts_t& e = u->eqpts;
    Str t(L"<b>当前负重 / 最大无减值负重:\n\n");
    for (int load = LOAD_MEDIUM; load <= LOAD_OVER; ++load) {
        const load_type_t* row = get_load_type(load);
        const Str spd = row->spd_pen == NO_MOVE ? Str(L"无法移动") : Str(L"%+d", row->spd_pen);
        t.append_format(L"<c=#%08x>%s (>%d 磅):\t<c=lbl>最大敏捷加值 </c>%d, <c=lbl>攻击 </c>%+d\t<c=lbl>速度减值 "
                        L"</c>%s</c>\n",
                        uint32_t(row->clr), or_empty(row->n), e.load_floor(load), row->max_dex, row->amr_pen, spd);
    }
    t.drop_back(1);
    // Small characters carry small gear.
    if (u->drv.size < SIZE_MEDIUM) t.append(L"\n\n<c=a>* 小体型角色自动换用小体型装备：价格相同，重量减半。</c>");
    return t;
}

eqpt_pnl_t* new_eqpt_pnl(uint32_t style, wnd_t* parent, unit_t* u, int slot_btn_id, int set_btn_id) {
    auto* p = new _eqpt_pnl_t;
    p->create(style, parent, nullptr, 0, 0, nullptr);
    reg_owned_wnd(p);
    p->build(slot_btn_id, set_btn_id);
    p->set_unit(u);
    return p;
}
