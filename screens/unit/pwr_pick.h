#pragma once
// The feat and spell steps of the character wizard: a tree of every feat (or
// spell) coloured by whether the character holds it, may learn it or may not.
// A tick takes the power onto the wizard's working unit at once, so every
// entry's colour and check box follow each pick. The tree, the description
// memo and the forward button are the wizard's windows.
#include <cstdint>
#include <vector>

#include "app/evt.h"
#include "app/types.h"

class memo_ctrl_t;
class ti_t;
class tool_btn_t;
class tv_t;
class unit_t;
class wnd_t;

// Learn states, kept as the entry's text colour.
constexpr clr_t PICK_HELD = 0xFF808080;
constexpr clr_t PICK_LEARNABLE = 0xFF00DD00;
constexpr clr_t PICK_LOCKED = 0xFFFF0000;
constexpr clr_t PICK_GROUP = 0xFFF4B52E;

enum : int { PICK_FEATS = 1, PICK_SPELLS = 2 };

class pwr_pick_t {
public:
    void set_kind(int kind) { kind_ = kind; }
    // The tree in parent, with its title and the hidden show-all button.
    void create(wnd_t* parent, uint32_t style);
    void bind(unit_t* u, memo_ctrl_t* memo, wnd_t* fwd, int required);
    // Fills and filters the tree from the unit, selects the first learnable
    // entry and starts with nothing chosen.
    void rebuild();
    // Drops the chosen list without touching the unit: the wizard's reset
    // replaced the unit, and every tick with it.
    void forget();
    // True when the message was the pick list's.
    bool on_msg(const evt_t& msg, wnd_t* sender);
    void filter(bool show_all);
    // Colours, check boxes and their locks after a change, and the count in the title.
    void update();

    static clr_t learn_state(const unit_t& u, int id);
    tv_t* tree() const { return tree_; }
    tool_btn_t* show_all_btn() const { return show_all_; }
    const std::vector<int>& chosen() const { return chosen_; }
    int required() const { return required_; }
    // The entry of a power; null when the tree has none.
    ti_t* node_of(int id) const;

private:
    void fill_feats();
    void fill_spells();
    ti_t* first_learnable() const;
    void describe(const ti_t* n);
    void on_check(ti_t* n);

    bool active_ = false;
    unit_t* unit_ = nullptr;
    memo_ctrl_t* memo_ = nullptr;
    wnd_t* fwd_ = nullptr;
    int required_ = 0;
    int kind_ = PICK_FEATS;
    tv_t* tree_ = nullptr;
    tool_btn_t* show_all_ = nullptr;
    std::vector<int> chosen_;
};
