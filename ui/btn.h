#pragma once
// A push button: a fill colour per draw state, or a skin (four frames drawn
// nine-slice, or one picture stretched and tinted), or no background at all.
#include "ui/icon_ctrl.h"

enum : uint32_t {
    BS_SKIN_FRAMES = 1u << 8,  // the skin is four frames, one per draw state, drawn nine-slice
    BS_NO_BG = 1u << 10,       // nothing behind the text and icon
};

class btn_t : public icon_ctrl_t {
public:
    clr_t hot_overlay = 0;          // drawn over a hovered button; 0: none
    clr_t checked_clr = 0xFFFF8C00;
    // By draw state: normal, pressed, disabled, hot.
    clr_t state_clrs[4] = {0xFF000000, 0xFF0077BB, 0x66000000, 0xFF009AE2};

    btn_t();
    // Null leaves that colour as it was.
    void set_clrs(const clr_t* normal, const clr_t* pressed, const clr_t* disabled, const clr_t* hot);
    void set_clr(const clr_t* c, int state);

    void draw() override;
    void draw_bg() override;
    // All four state colours.
    void set_bg_clr(const clr_t* c) override;
};
