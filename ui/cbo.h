#pragma once
// The combo box: a button showing the chosen string; a click opens the list
// in the popup menu, where "_SEP_" stands for a separator.
#include <vector>

#include "ui/btn.h"

class cbo_t : public btn_t {
public:
    std::vector<Str> strs;
    int sel = -1;

    virtual void add_str(const wchar_t* s);
    // A valid index shows its string; any other empties the box.
    virtual void set_sel(int index);
    virtual int get_sel() const { return sel; }
    virtual int count() const { return int(strs.size()); }

    // The box's own command opens the list. The choice is reported with
    // EVT_SEL_MADE {old, new}; the box takes it itself unless a handler answers true.
    bool on_msg(const evt_t& msg, wnd_t* sender) override;
};

cbo_t* new_cbo();
