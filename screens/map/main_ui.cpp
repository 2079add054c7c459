// Sections: the windows, the log tool bar, building and layout, events,
// the system menu, the log.
#include "screens/map/main_ui.h"

#include <SDL_keycode.h>

#include <algorithm>
#include <utility>

#include "app/clipboard.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/text_log.h"
#include "screens/dlgs/cfg_dlg.h"
#include "screens/dlgs/help_dlg.h"
#include "screens/menu/main_menu.h"
#include "screens/map/act_bar.h"
#include "screens/map/map_scene.h"
#include "screens/text/unit_sheet.h"
#include "screens/unit/unit_lists.h"
#include "screens/widgets/log_memo.h"
#include "screens/widgets/sheet.h"
#include "ui/menu.h"
#include "ui/rtext.h"
#include "ui/std_dlgs.h"
#include "ui/tool_bar.h"
#include "ui/tool_bar2.h"

namespace {
constexpr clr_t panel_bg = 0xff111111;
constexpr clr_t status_bg = 0xff222222;
constexpr clr_t bar_line_clr = 0xff222222;
constexpr int right_gap = 2;
constexpr int bar_margin = 4;
constexpr int bar_gap = 4;
constexpr int status_margin = 4;
constexpr int log_icon = 16;
constexpr int log_item_margin = 2;
constexpr int log_item_gap = 2;
constexpr const wchar_t* sheet_mask_key = L"_u_xs_pnl_cfg";
constexpr int sheet_mask_def = 7;

main_ui_t the_ui;
bool built = false;
std::function<bool(int)> leave_check;

// Every window of the interface dies at shutdown; the first one to go takes
// the record and the log's sink with it, so nothing reaches a freed window.
void forget_ui() {
    if (!built) return;
    built = false;
    the_ui = main_ui_t{};
    log_set_sink(nullptr, nullptr);
}

// ---- the windows ----

class ui_pnl_t : public wnd_t {
public:
    ~ui_pnl_t() override { forget_ui(); }
};

// The minimap's panel: its own layout is what the minimap follows, and the
// toolkit reports a finished layout to the scene from the parent only.
class status_pnl_t : public ui_pnl_t {
public:
    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_LAYOUT_DONE && sender == this && has_scene()) get_top_scene()->on_evt(&msg, this);
        return ui_pnl_t::on_msg(msg, sender);
    }
};

class ui_log_memo_t : public log_memo_t {
public:
    ~ui_log_memo_t() override { forget_ui(); }
};

// ---- the log tool bar ----

struct log_item_t {
    const wchar_t* icon;
    const wchar_t* tip;
};
constexpr log_item_t log_items[] = {
    {L"ui/scroll_top", L"翻至最顶 (Home)"}, {L"ui/scroll_bottom", L"翻至最底 (End)"},
    {L"ui/scroll_up", L"向上翻页 (Page Up)"}, {L"ui/scroll_down", L"向下翻页 (Page Down)"},
    {nullptr, nullptr},  // separator
    {L"ui/log", L"浏览记录 (Z)"}, {L"ui/menu", L"其他"},
};

void log_scroll(int item) {
    log_memo_t* m = the_ui.log_memo;
    if (!m) return;
    switch (item) {
    case LOG_BAR_TOP: m->scroll_v_to(0); break;
    case LOG_BAR_BOTTOM: m->scroll_v_to(m->max_y()); break;
    case LOG_BAR_PG_UP: m->scroll_v_by(-m->view.h); break;
    case LOG_BAR_PG_DOWN: m->scroll_v_by(m->view.h); break;
    default: break;
    }
}

void log_more_menu(tool_bar_t2* bar) {
    menu_t* menu = get_popup_menu();
    menu->clear();
    menu->add_text_item(L"复制记录到剪贴板", nullptr);
    menu->add_sep(nullptr);
    menu->add_text_item(L"清除记录", nullptr);
    const rect r = bar->item_rect(LOG_BAR_MORE);
    const intptr_t chosen = menu->track_popup(r.x, r.y, MOVE_AT_BOTTOM);
    if (!the_ui.log_memo) return;
    if (chosen == 0) set_clipboard_text(strip_tags(the_ui.log_memo->text));
    if (chosen == 2) the_ui.log_memo->reset_text(L"");
}

class log_bar_t : public tool_bar_t2 {
public:
    log_bar_t() {
        ex_style |= uint32_t(LVX_ROW) | WSX_ALL_KEYS;
        item_ml = item_mr = item_mt = item_mb = log_item_margin;
        const size s{log_icon + 2 * log_item_margin, log_icon + 2 * log_item_margin};
        set_item_size(&s);
        set_item_gap(log_item_gap);
        bg_clr = 0;
    }

    void fill() {
        clear();
        const size icon{log_icon, log_icon};
        for (int i = 0; i < int(std::size(log_items)); ++i) {
            const log_item_t& d = log_items[i];
            li_t* it = add_item(nullptr, d.tip, nullptr, d.icon ? 0u : uint32_t(LIF_SEP), i, 0, 0, nullptr);
            if (d.icon) it->set_icon(d.icon, &icon);
            it->kind = LIK_COMMAND;
        }
    }

    // Up and top while the log is scrolled below its top, down and bottom
    // while it is above its end.
    void on_frame() override {
        const log_memo_t* m = the_ui.log_memo;
        const bool up = m && m->pos_y() > 0, down = m && m->pos_y() < m->max_y();
        enable(LOG_BAR_TOP, up), enable(LOG_BAR_PG_UP, up);
        enable(LOG_BAR_BOTTOM, down), enable(LOG_BAR_PG_DOWN, down);
    }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (sender == this && on_log_evt(msg)) return true;
        return tool_bar_t2::on_msg(msg, sender);
    }

private:
    void enable(int i, bool on) {
        if (li_t* it = get_item(i)) it->flags = on ? it->flags & ~LIF_DISABLED : it->flags | LIF_DISABLED;
    }

    bool on_log_evt(const evt_t& msg) {
        if (msg.code == EVT_KEY_DOWN) {
            switch (msg.a) {
            case SDLK_HOME: log_scroll(LOG_BAR_TOP); return true;
            case SDLK_END: log_scroll(LOG_BAR_BOTTOM); return true;
            case SDLK_PAGEUP: log_scroll(LOG_BAR_PG_UP); return true;
            case SDLK_PAGEDOWN: log_scroll(LOG_BAR_PG_DOWN); return true;
            default: return false;
            }
        }
        if (msg.code == EVT_KEY_UP && msg.a == SDLK_z) {
            show_full_log();
            return true;
        }
        if (msg.code != EVT_SEL_MADE) return false;
        const int i = int(msg.b);
        if (i >= LOG_BAR_TOP && i <= LOG_BAR_PG_DOWN) log_scroll(i);
        if (i == LOG_BAR_FULL) show_full_log();
        if (i == LOG_BAR_MORE) log_more_menu(this);
        return true;
    }
};

// ---- building and layout ----

template <class T>
T* add_wnd(T* w, uint32_t style, wnd_t* parent, clr_t bg) {
    w->create(style, parent, nullptr, 0, 0, nullptr);
    w->bg_clr = bg;
    reg_owned_wnd(w);
    return w;
}

void make_right_pnl() {
    the_ui.right_pnl = add_wnd(new ui_pnl_t, WS_DOCK_RIGHT | WS_FILL_H, WND_ROOT, panel_bg);
    the_ui.right_pnl->gap = right_gap;
    the_ui.status_pnl = add_wnd(new status_pnl_t, WS_DOCK_TOP | WS_FILL_W, the_ui.right_pnl, status_bg);
    const int m[4] = {status_margin, status_margin, status_margin, status_margin};
    the_ui.status_pnl->set_margins(m);
    the_ui.status_pnl->resize(the_ui.status_pnl->rc.w, STATUS_PNL_H + 2 * status_margin);
    the_ui.sheet_pane = new_sheet_pane(the_ui.right_pnl, true);
    the_ui.sheet_toggles = new_sheet_toggles(the_ui.sheet_pane, sheet_mask_key, &the_ui.sheet_mask, sheet_mask_def);
}

void make_bottom_bar() {
    the_ui.bottom_bar = add_wnd(new ui_pnl_t, WS_DOCK_BOTTOM | WS_FILL_W, WND_ROOT, panel_bg);
    const int m[4] = {bar_margin, bar_margin, bar_margin, bar_margin};
    the_ui.bottom_bar->set_margins(m);
    the_ui.bottom_bar->gap = bar_gap;
    // Docked first, so the quick slots are centred in the room the two leave.
    auto* log_bar = add_wnd(new log_bar_t, WS_DOCK_LEFT | WS_CENTRE_Y, the_ui.bottom_bar, 0);
    log_bar->fill();
    the_ui.log_bar = log_bar;
    the_ui.sys_bar = add_wnd(new tool_bar_t, WS_DOCK_RIGHT, the_ui.bottom_bar, 0);
    the_ui.act_bar = make_act_bar();
    add_wnd(the_ui.act_bar, WS_CENTRE_X | WS_CENTRE_Y, the_ui.bottom_bar, 0);
    the_ui.hidden_pnl = add_wnd(new ui_pnl_t, WS_HIDDEN, the_ui.bottom_bar, 0);
}

void make_log_memo() {
    auto* m = new ui_log_memo_t;
    m->create(MEMO_WRAP, WND_ROOT, nullptr, 0, 0, nullptr);
    m->set_mode(LOG_STRIP, false);
    reg_owned_wnd(m);
    the_ui.log_memo = m;
    log_set_sink(log_to_memo, nullptr);
}

// Sizes that follow the screen: the view takes what the panels leave.
void main_ui_layout() {
    const size scr = root_size();
    const size v = map_view_size(scr);
    const int bar_h = scr.h - v.h;
    the_ui.bottom_bar->resize(scr.w, bar_h);
    the_ui.right_pnl->resize(scr.w - v.w, the_ui.right_pnl->rc.h);
    const int inner_h = std::max(1, bar_h - 2 * bar_margin);
    const size btn{inner_h, inner_h};
    the_ui.sys_bar->set_btn_size(&btn);
    const int slots = scr.w < ACT_BAR_FULL_MIN_SCRN_W ? ACT_BAR_NARROW_SLOTS : ACT_BAR_SLOTS;
    if (the_ui.act_bar->count() != slots) the_ui.act_bar->set_slot_count(slots);
}
}  // namespace

const main_ui_t& main_ui() { return the_ui; }
bool main_ui_built() { return built; }

void main_ui_build() {
    if (!built) {
        // The bottom bar docks before the right panel: it spans the screen.
        make_bottom_bar();
        make_right_pnl();
        make_log_memo();
        // Hovering a face of the battle's strip shows that unit here.
        set_unit_hover_fn(status_show_unit);
        built = true;
    }
    the_ui.right_pnl->set_visible(true);
    the_ui.bottom_bar->set_visible(true);
    the_ui.log_memo->set_visible(true);
    main_ui_layout();
}

void status_show_unit(unit_t* u) {
    if (!built) return;
    the_ui.shown_unit = u;
    the_ui.sheet_pane->set_text(u ? txt::unit_sheet(u, the_ui.sheet_mask) : Str(), true);
}

// ---- events ----

bool main_ui_on_evt(map_scene_t* scene, const evt_t* e, wnd_t* sender) {
    if (!built || !sender) return false;
    if (sheet_toggles_on_msg(*e, sender, the_ui.sheet_toggles, &the_ui.sheet_mask, sheet_mask_key)) {
        status_show_unit(the_ui.shown_unit);
        return true;
    }
    if (e->code == EVT_PAINT && sender == the_ui.bottom_bar) {
        const auto* rec = reinterpret_cast<const wnd_paint_rec_t*>(e->a);
        if (!rec || rec->phase != PAINT_AFTER) return false;
        const rect& r = the_ui.bottom_bar->rc;
        draw_line(r.x, r.y, r.x + r.w - 1, r.y, &bar_line_clr);
        return true;
    }
    if (e->code == EVT_COMMAND && dynamic_cast<tool_btn_t*>(sender)) return scene && scene->on_sys_btn(sender);
    return false;
}

// ---- the system menu ----

void sys_menu(map_scene_t* scene, wnd_t* btn) {
    menu_t* menu = get_popup_menu();
    menu->clear();
    if (scene) scene->add_sys_menu_items(menu);
    const auto add = [&](const wchar_t* text, int id, bool enabled) {
        li_t* it = menu->add_text_item(text, nullptr);
        it->id = id;
        if (!enabled) it->flags |= LIF_DISABLED;
    };
    add(L"选项", SYS_CMD_OPTIONS, true);
    add(L"百科", SYS_CMD_HELP, true);
    add(L"返回主界面", SYS_CMD_MAIN_MENU, true);
    add(L"退出游戏", SYS_CMD_QUIT, true);
    const int id = int(menu->track_popup(btn ? btn->rc.x : 0, btn ? btn->rc.y : 0, int(MENU_RET_ID) | MOVE_AT_BOTTOM));
    if (id == 0 || (scene && scene->on_sys_cmd(id))) return;
    sys_menu_cmd(id);
}

void sys_menu_cmd(int id) {
    switch (id) {
    case SYS_CMD_OPTIONS: open_cfg_dlg(); break;
    case SYS_CMD_HELP: help_open(nullptr); break;
    case SYS_CMD_MAIN_MENU:
        if (!leave_check || leave_check(id)) goto_main_menu();
        break;
    case SYS_CMD_QUIT:
        if (!leave_check || leave_check(id)) request_quit();
        break;
    default: break;
    }
}

void set_leave_check(std::function<bool(int)> check) { leave_check = std::move(check); }

// ---- the log ----

void show_full_log() {
    const Str text = built ? the_ui.log_memo->text : Str();
    zg_memo_dlg(text, L"浏览记录", 0, 0, 1, SDLK_z);
}

void log_to_memo(const wchar_t* text, void*) {
    if (!built || !text) return;
    log_memo_t* m = the_ui.log_memo;
    Str s = m->text;
    if (!s.empty()) s += L"\n";
    s += text;
    m->set_text(s, true);
    m->scroll_v_to(m->max_y());
    do_frame();
}
