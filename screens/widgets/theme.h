#pragma once
// The colours the game's panels, strips and badges share, so that the unit
// dialog, the hub and the battle interface look like one game.
#include "app/types.h"

class btn_t;

namespace theme {
constexpr clr_t panel_bg = 0xFF1C2833;     // panels and dialogs
constexpr clr_t sheet_bg = 0xFF17202A;     // the character sheet
constexpr clr_t text = 0xFFFFFFFF;
constexpr clr_t frame = 0xFF5D6D7E;        // outlines of pictures
constexpr clr_t strip_bg = 0xFF111111;     // unit strips
constexpr clr_t strip_text = 0xFFFFFFFF;
constexpr clr_t hp_track = 0xFF555555;     // the empty part of a hit-point bar
constexpr clr_t heal = 0xFF2ECC71;         // hit points just healed
constexpr clr_t hilite = 0xFFF1C40F;       // slots that may take a dragged item
constexpr clr_t mark = 0xFFF1C40F;         // the acting unit
// Normal, pressed, disabled and hot.
constexpr clr_t btn[4] = {0xFF2C3E50, 0xFF1A252F, 0xFF212F3C, 0xFF34495E};
// Toggle and radio buttons: the checked one stands out.
constexpr clr_t btn_checked = 0xFF2874A6;
}  // namespace theme

// The theme's colours on a button that may be checked (page and set buttons).
void style_set_btn(btn_t* b);
