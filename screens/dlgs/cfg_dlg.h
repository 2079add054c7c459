#pragma once
// "选项", the settings dialog: the on/off options of the configuration on four
// tabs, the window size used when not in full screen and the speed of movement
// animations. OK writes them to config.ini and applies them at once (the music
// pauses or resumes); Cancel changes nothing. The main menu, the arena hub and
// the map scene's system menu open it.
#include <vector>

#include "app/str.h"
#include "app/types.h"
#include "ui/dlg.h"

class cbo_t;
class chk_t;
class tab_ctrl_t;

// Tabs in the order they are shown.
enum : int { CFG_TAB_GFX = 0, CFG_TAB_SFX = 1, CFG_TAB_BTL = 2, CFG_TAB_OTHERS = 3, CFG_TABS = 4 };

class cfg_dlg_t : public dlg_t {
public:
    // Every control from the configuration; a stored size that is malformed
    // or does not fit the display shows the default window size.
    virtual void load() = 0;
    // Every control into the configuration (in memory) and the process-wide options.
    virtual void save() = 0;
    virtual tab_ctrl_t* tabs() const = 0;
    // The check box of an option key; null for a key without one.
    virtual chk_t* box(const wchar_t* key) const = 0;
    virtual cbo_t* size_cbo() const = 0;
    virtual cbo_t* spd_cbo() const = 0;
};

// Makes the dialog on the first call, then loads and runs it. On OK the
// options are saved (config.ini written), read back into the process-wide
// options, and the music follows its box. The modal result.
int open_cfg_dlg();
// Null before the first opening.
cfg_dlg_t* get_cfg_dlg();

// The window sizes offered for display 0: widths from 4096 down to 800 at
// 4:3, 16:10 and 16:9, those is_valid_wnd_size accepts.
std::vector<size> list_wnd_sizes();
// Even width and height, at least 900 x 700, smaller than display 0.
bool is_valid_wnd_size(const size& s);
// The same for a display of that size.
std::vector<size> list_wnd_sizes_on(const size& display);
bool is_valid_wnd_size_on(const size& s, const size& display);
// "%dx%d".
Str size_text(const size& s);
// The three speed levels' names from "strs:spd_ani_lvs".
std::vector<Str> spd_ani_lv_names();
