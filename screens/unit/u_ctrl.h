#pragma once
// A character's name, portrait and battle icon: the panel the wizard's misc
// step and the appearance dialog ("修改角色") share, and that dialog.
#include "app/str.h"
#include "ui/dlg.h"
#include "ui/splitter.h"

class btn_t;
class edt_t;
class unit_t;

// The panel's height: its three sections.
constexpr int U_CTRL_H = 272;

namespace game {

class u_ctrl_t : public splitter_t {
public:
    virtual edt_t* name_edt() const = 0;
    virtual btn_t* rnd_btn() const = 0;
    virtual btn_t* face_btn() const = 0;
    virtual btn_t* icon_btn() const = 0;
    // Presets the three without laying the name out again.
    virtual void set_vals(const wchar_t* name, const wchar_t* face, const wchar_t* icon) = 0;
    // The name box's text and the image names of the portrait and battle-icon buttons.
    virtual void get_vals(Str& name, Str& face, Str& icon) const = 0;
};

class mod_unit_dlg_t : public dlg_t {
public:
    virtual u_ctrl_t* panel() const = 0;
};

}  // namespace game

// Not yet created: the caller creates it with its style and parent.
game::u_ctrl_t* new_u_ctrl();
game::mod_unit_dlg_t* new_mod_unit_dlg();

// Runs "修改角色" on u; on OK the name, portrait and battle icon go into u and
// the answer is true; otherwise u is untouched.
bool open_mod_unit_dlg(unit_t* u);
// The dialog while it runs, else null.
game::mod_unit_dlg_t* get_mod_unit_dlg();
