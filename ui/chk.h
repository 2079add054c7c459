#pragma once
// A check box: its icon shows whether it is checked; a click sends its
// command first and then flips.
#include "ui/icon_ctrl.h"

class chk_t : public icon_ctrl_t {
public:
    bool checked = false;

    chk_t();
    // Changes the icon with the state.
    void set_checked(bool v);
    bool click(const evt_t* e) override;
};
