#pragma once
// A titled panel: the base of the game's panels (bag, equipment, the map
// scene's right panel), in the theme's colours.
#include "ui/title_wnd.h"

class pnl_t : public title_wnd_t {
public:
    pnl_t();
};

// A registered panel in parent; r may be null for the default size, which the
// layout then sets by the style's dock and fill bits.
pnl_t* new_pnl(uint32_t style, wnd_t* parent, const rect* r);
