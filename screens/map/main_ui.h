#pragma once
// The main game interface around the map view, built once by the first map
// scene and shown again by every later one: a bar across the bottom of the
// screen (the quick-slot bar, the system menu button, the log's tool bar) and
// a panel at the right (the status panel with the minimap, the unit panel);
// the battle log floats over the bottom of the map.
#include <functional>

#include "app/evt.h"
#include "app/types.h"
#include "screens/text/unit_sheet.h"

class wnd_t;
class tool_bar_t;
class tool_bar_t2;
class memo_ctrl_t;
class log_memo_t;
class act_bar_t;
class map_scene_t;
class unit_t;

// The system menu's commands.
enum : int { SYS_CMD_OPTIONS = 101, SYS_CMD_HELP = 102, SYS_CMD_MAIN_MENU = 103, SYS_CMD_QUIT = 104 };
// The log tool bar's items.
enum : int { LOG_BAR_TOP = 0, LOG_BAR_BOTTOM = 1, LOG_BAR_PG_UP = 2, LOG_BAR_PG_DOWN = 3, LOG_BAR_FULL = 5, LOG_BAR_MORE = 6 };

constexpr int STATUS_PNL_H = 256;  // inside the status panel's margins

struct main_ui_t {
    wnd_t* right_pnl = nullptr;
    wnd_t* bottom_bar = nullptr;
    wnd_t* status_pnl = nullptr;
    memo_ctrl_t* sheet_pane = nullptr;
    tool_bar_t2* sheet_toggles = nullptr;  // the sheet's sections, stored under "_u_xs_pnl_cfg"
    act_bar_t* act_bar = nullptr;
    tool_bar_t* sys_bar = nullptr;
    tool_bar_t2* log_bar = nullptr;
    wnd_t* hidden_pnl = nullptr;
    log_memo_t* log_memo = nullptr;
    unit_t* shown_unit = nullptr;  // not owned
    int sheet_mask = txt::SHEET_ABIS | txt::SHEET_ACTS | txt::SHEET_TRAITS;
};

// Null members until main_ui_build; all null again once shutdown deleted the windows.
const main_ui_t& main_ui();
bool main_ui_built();
// First call: makes every window and installs log_to_memo as the log's sink.
// Later calls show the right panel, the bottom bar and the log memo again.
// Either way the windows are sized for the current screen.
void main_ui_build();
// True when the event was one of the main interface's own (bottom bar
// painting, the tool bars, the unit panel's toggles).
bool main_ui_on_evt(map_scene_t* scene, const evt_t* e, wnd_t* sender);

// The unit panel shows this unit's sheet (null for none); nothing before the build.
void status_show_unit(unit_t* u);

// The system menu over the button: the scene's own items, then the four
// commands; the scene sees the choice first.
void sys_menu(map_scene_t* scene, wnd_t* btn);
// What a chosen command does when the scene did not take it.
void sys_menu_cmd(int id);
// Asked with the command before "返回主界面" or "退出游戏" leaves the scene;
// false keeps the player there. The arena sets it while its fight runs, whose
// fee either way out forfeits.
void set_leave_check(std::function<bool(int sys_cmd)> check);

// The battle log in a dialog ("浏览记录"), scrolled to its end; 'z' closes it too.
void show_full_log();
// The log's sink: each flushed block becomes a new line of the log memo,
// shown at once.
void log_to_memo(const wchar_t* text, void* user);
