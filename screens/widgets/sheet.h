#pragma once
// The character-sheet pane and its strip of four section toggles. The mask's
// bits: 0 the ability table, 1 the other actions, 2 the special traits, 3 the
// feat tree; its owner keeps it and stores it in section Main of config.ini
// under its own key ("_u_xs_dlg_cfg" the unit dialog, "_u_xs_pnl_cfg" the
// unit panel of the map scene).
#include "app/evt.h"

class memo_ctrl_t;
class tool_bar_t2;
class wnd_t;

constexpr int SHEET_MASK_BITS = 0xF;

// A registered wrapping memo filling parent, with an 8-pixel border; with bg
// in the theme's sheet colour, else without a background.
memo_ctrl_t* new_sheet_pane(wnd_t* parent, bool bg);
// The strip, docked at the pane's bottom right, in a band of the strip's
// height that the pane's text and bar never reach, at any scroll position;
// reads the mask under key (default def) into *mask and shows it.
tool_bar_t2* new_sheet_toggles(memo_ctrl_t* parent, const wchar_t* key, int* mask, int def);
// Offered every message of the owner; true when *mask changed and the sheet
// must be written again. A toggle stores the mask under key; the Alt keys
// going down or up invert the four bits for as long as they are held, and
// that is not stored.
bool sheet_toggles_on_msg(const evt_t& e, wnd_t* sender, tool_bar_t2* strip, int* mask, const wchar_t* key);
