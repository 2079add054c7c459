#include "screens/widgets/sheet.h"

#include "app/ini.h"
#include "app/input.h"
#include "screens/widgets/theme.h"
#include "ui/memo_ctrl.h"
#include "ui/tool_bar2.h"

namespace {
constexpr int pane_border = 8;
constexpr int strip_spacing = 2;
constexpr int strip_margin = 2;
constexpr int toggle_icon = 16;
constexpr int toggle_margin = 2;
constexpr int toggle_gap = 2;
constexpr const wchar_t* cfg_section = L"Main";

struct toggle_t {
    const wchar_t* icon;
    const wchar_t* tip;
};
constexpr toggle_t toggles[] = {
    {L"misc/abi", L"显示属性表格"},
    {L"misc/act", L"显示其他动作"},
    {L"misc/trait", L"显示特殊属性"},
    {L"misc/feat", L"显示专长树"},
};

// The Alt keys as last seen by any toggle strip.
bool alt_seen = false;
}  // namespace

memo_ctrl_t* new_sheet_pane(wnd_t* parent, bool bg) {
    auto* m = new memo_ctrl_t;
    m->create(uint32_t(MEMO_WRAP) | WS_FILL_W | WS_FILL_H, parent, nullptr, 0, 0, nullptr);
    m->bg_clr = bg ? theme::sheet_bg : clr_t(0);
    m->text_clr = theme::text;
    m->border_w = pane_border;
    reg_owned_wnd(m);
    return m;
}

tool_bar_t2* new_sheet_toggles(memo_ctrl_t* parent, const wchar_t* key, int* mask, int def) {
    parent->padding = strip_spacing;
    auto* s = new tool_bar_t2;
    const rect r{0, 0, toggle_icon, toggle_icon};
    s->create_ex(LVX_ROW, WS_DOCK_RIGHT | WS_DOCK_BOTTOM, parent, &r);
    const int m[4] = {strip_margin, strip_margin, strip_margin, strip_margin};
    s->set_margins(m);
    s->bg_clr = 0;
    s->item_ml = s->item_mr = s->item_mt = s->item_mb = toggle_margin;
    const size item{toggle_icon + 2 * toggle_margin, toggle_icon + 2 * toggle_margin};
    s->set_item_size(&item);
    s->set_item_gap(toggle_gap);
    for (const toggle_t& t : toggles) {
        li_t* it = s->add_item(L"", t.tip, nullptr, 0, 0, 0, 0, nullptr);
        it->set_icon(t.icon, nullptr);
        it->kind = LIK_TOGGLE;
    }
    s->add_item(L"", nullptr, nullptr, LIF_DISABLED, 0, 0, 0, nullptr);
    // Sized before the layout docks it, so that it grows from its docked corner.
    const size need = s->size_for(s->count(), 1);
    s->resize(need.w + 2 * strip_margin, need.h + 2 * strip_margin);
    parent->foot_h = s->rc.h;
    reg_owned_wnd(s);
    // The file is the player's to edit: only the four section bits count.
    *mask = CZsConfig::instance().get_int(key, def, cfg_section) & SHEET_MASK_BITS;
    s->set_sel_mask(uint64_t(uint32_t(*mask)));
    return s;
}

bool sheet_toggles_on_msg(const evt_t& e, wnd_t* sender, tool_bar_t2* strip, int* mask, const wchar_t* key) {
    if (!strip || sender != strip) return false;
    switch (e.code) {
    case EVT_IDLE: {
        const bool alt = is_alt_down();
        if (alt == alt_seen) return false;
        alt_seen = alt;
        *mask ^= SHEET_MASK_BITS;
        strip->set_sel_mask(uint64_t(uint32_t(*mask)));
        return true;
    }
    case EVT_SEL_MADE:
        *mask = int(strip->get_sel_mask());
        CZsConfig::instance().set_int(key, *mask, cfg_section);
        return true;
    default: return false;
    }
}
