#pragma once
// The character wizard: makes a new character (a unit of level 0 raised to
// level 1) or raises a character by one level, in up to eight steps shown as
// tabs. It works on a copy of the unit and writes it back only on "完成".
// The level-up rules (rules/lv.h) decide which steps the player sees.
#include "ui/full_scrn_dlg.h"

class btn_t;
class lv_t;
class memo_ctrl_t;
class pwr_pick_t;
class tab_ctrl_t;
class unit_t;
struct lv_choices_t;

namespace game {

class u_ctrl_t;

class lv_up_dlg_t : public full_scrn_dlg_t {
public:
    virtual tab_ctrl_t* tabs() const = 0;
    virtual memo_ctrl_t* desc() const = 0;
    // The button row's OK button: "下一步 >>", and "完成" on the last step.
    virtual btn_t* fwd_btn() const = 0;
    virtual btn_t* reset_btn() const = 0;
    // The lists of the build, race and class steps; null until their step was first shown.
    virtual lv_t* bld_list() const = 0;
    virtual lv_t* race_list() const = 0;
    virtual lv_t* bonus_list() const = 0;
    virtual lv_t* cls_list() const = 0;
    virtual lv_t* abi_list() const = 0;
    // "-" (plus false) or "+" of an ability, ABI_STR .. ABI_CHA.
    virtual btn_t* abi_btn(int abi, bool plus) const = 0;
    virtual wnd_t* points_lbl() const = 0;
    virtual int points() const = 0;
    virtual pwr_pick_t* feat_pick() const = 0;
    virtual pwr_pick_t* spell_pick() const = 0;
    virtual u_ctrl_t* misc_pnl() const = 0;
    // The copy the steps change, and what its level still asks of the player.
    virtual const unit_t& working() const = 0;
    virtual const lv_choices_t& choices() const = 0;
};

}  // namespace game

// Runs the wizard on u: true when the player finished it, and u is then the
// raised character; otherwise u is unchanged.
bool open_lv_up_dlg(unit_t* u);
// The wizard while it runs, else null.
game::lv_up_dlg_t* get_lv_up_dlg();
