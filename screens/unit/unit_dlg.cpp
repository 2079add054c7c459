#include "screens/unit/unit_dlg.h"

#include <SDL_keycode.h>

#include <algorithm>
#include <iterator>

#include "app/str.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "screens/text/unit_sheet.h"
#include "screens/unit/eqpt_bag_pnl.h"
#include "screens/widgets/itm_btn.h"
#include "screens/widgets/sheet.h"
#include "screens/widgets/theme.h"
#include "ui/li.h"
#include "ui/memo_ctrl.h"
#include "ui/modal.h"
#include "ui/tool_bar2.h"

namespace {
constexpr size dlg_sz{876, 736};
constexpr int margin = 8;
constexpr const wchar_t* mask_key = L"_u_xs_dlg_cfg";
constexpr int mask_default = txt::SHEET_ALL;

class _unit_dlg_t;
_unit_dlg_t* the_dlg = nullptr;
bool dlg_running = false;
std::vector<unit_t*> step_list;

class _unit_dlg_t : public unit_dlg_t {
public:
    ~_unit_dlg_t() override {
        if (the_dlg == this) the_dlg = nullptr;
        dlg_running = false;
    }
    unit_t* unit = nullptr;
    memo_ctrl_t* pane = nullptr;
    memo_ctrl_t* holder = nullptr;
    eqpt_bag_pnl_t* panel = nullptr;
    tool_bar_t2* strip = nullptr;
    int mask = mask_default;

    void build(unit_t* u);

    void set_unit(unit_t* u) override {
        unit = u;
        set_itm_btn_unit(u);
        if (!u) return;
        pane->reset_text(txt::unit_sheet(u, mask).c_str());
        // Monsters and other units that are no player character show the
        // sheet only; the stand-in takes the panel's place on the right.
        const bool pc = u->base.kind == UK_PC;
        const bool swapped = panel->is_hidden() == pc;
        panel->set_visible(pc);
        holder->set_visible(!pc);
        if (pc) panel->set_unit(u);
        if (swapped && is_laid_out()) arrange();
    }
    unit_t* get_unit() const override { return unit; }
    void step(bool back) override {
        const int n = int(step_list.size());
        if (n == 0) return;
        const auto it = std::find(step_list.begin(), step_list.end(), unit);
        const int i = it == step_list.end() ? 0 : int(it - step_list.begin());
        set_unit(step_list[size_t((i + (back ? n - 1 : 1)) % n)]);
    }
    memo_ctrl_t* sheet() const override { return pane; }
    tool_bar_t2* toggles() const override { return strip; }
    eqpt_bag_pnl_t* eqpt_bag() const override { return panel; }
    wnd_t* placeholder() const override { return holder; }
    int sheet_mask() const override { return mask; }

    bool on_msg(const evt_t& msg, wnd_t* sender) override;

private:
    // The sheet again, keeping where the player scrolled to.
    void rewrite_sheet() {
        if (unit) pane->set_text(txt::unit_sheet(unit, mask).c_str(), true);
    }
};

void _unit_dlg_t::build(unit_t* u) {
    create_dlg(L"角色信息", dlg_sz.w, dlg_sz.h, 0, WS_CENTRE_X | WS_CENTRE_Y);
    bg_clr = theme::panel_bg;
    text_clr = theme::text;
    const int m[4] = {margin, margin, margin, margin};
    set_margins(m);
    add_title_item(L"ui/prev", nullptr);
    add_title_item(L"ui/next", nullptr);
    panel = new_eqpt_bag_pnl(WS_DOCK_RIGHT | WS_FILL_H, this, u);
    holder = new memo_ctrl_t;
    const rect hr{0, 0, panel->rc.w, panel->rc.h};
    holder->create(uint32_t(MEMO_WRAP) | WS_DOCK_RIGHT | WS_FILL_H | WS_HIDDEN, this, &hr, 0, 0, nullptr);
    holder->bg_clr = theme::sheet_bg;
    reg_owned_wnd(holder);
    pane = new_sheet_pane(this, false);
    strip = new_sheet_toggles(pane, mask_key, &mask, mask_default);
    resize(rc.w, panel->rc.h + margin_t + margin_b + bar_h());
}

bool _unit_dlg_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sheet_toggles_on_msg(msg, sender, strip, &mask, mask_key)) {
        rewrite_sheet();
        return true;
    }
    switch (msg.code) {
    case EVT_EQPT_CHANGED: rewrite_sheet(); return true;
    case EVT_LV_UP_DONE: set_unit(unit); return true;
    case EVT_LAYOUT_DONE:
        if (sender == this) set_unit(unit);
        break;
    case EVT_SEL_MADE:
        if (sender && sender == title_items) {
            step(msg.b == 0);
            return true;
        }
        break;
    case EVT_KEY_DOWN:
        if (msg.a == SDLK_LEFT || msg.a == SDLK_a) {
            step(true);
            return true;
        }
        if (msg.a == SDLK_RIGHT || msg.a == SDLK_d) {
            step(false);
            return true;
        }
        break;
    default: break;
    }
    return unit_dlg_t::on_msg(msg, sender);
}
}  // namespace

int open_unit_dlg(unit_t* u, const std::vector<unit_t*>* list) {
    const std::vector<unit_t*>& from = list ? *list : g_pty.units;
    std::vector<unit_t*> units;
    std::copy_if(from.begin(), from.end(), std::back_inserter(units), [](unit_t* x) { return x != nullptr; });
    if (!u && !units.empty()) u = units.front();
    // Nothing to show: an empty party or list never opens the dialog on nothing.
    if (!u) return MODAL_CANCEL;
    // Already running (opened again from inside it): one dialog cannot run
    // twice, so it shows the unit where it is.
    if (dlg_running && the_dlg) {
        step_list = std::move(units);
        the_dlg->set_unit(u);
        return MODAL_CANCEL;
    }
    if (!the_dlg) {
        the_dlg = new _unit_dlg_t;
        reg_owned_wnd(the_dlg);
        the_dlg->build(u);
    }
    step_list = std::move(units);
    dlg_running = true;
    the_dlg->set_unit(u);
    const int r = do_modal(the_dlg, 0, 0);
    dlg_running = false;
    step_list.clear();
    set_itm_btn_unit(nullptr);
    if (the_dlg) the_dlg->unit = nullptr;
    return r;
}

unit_dlg_t* get_unit_dlg() { return dlg_running ? the_dlg : nullptr; }
const std::vector<unit_t*>& unit_dlg_list() { return step_list; }
