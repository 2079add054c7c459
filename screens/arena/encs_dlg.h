#pragma once
// The arena hub: the current batch of generated challenges (gen_batch from the
// arena record, never stored), the funds, the party strip and the buttons to
// fight, to change the batch or the party, and to open the help, settings,
// log, shop and bag.
#include <vector>

#include "app/sentinels.h"
#include "battle/arena.h"
#include "ui/full_scrn_dlg.h"

class btn_t;
class lbl_t;
class lv_t;
class u_lv2_t;

class encs_dlg_t : public big_list_dlg_t {
public:
    btn_t* help_btn = nullptr;
    btn_t* cfg_btn = nullptr;
    btn_t* log_btn = nullptr;
    btn_t* shop_btn = nullptr;
    btn_t* party_btn = nullptr;
    btn_t* bag_btn = nullptr;
    btn_t* batch_btn = nullptr;
    btn_t* fight_btn = nullptr;
    u_lv2_t* strip = nullptr;  // the party's faces; a click opens the unit dialog
    wnd_t* strip_row = nullptr;  // on a screen of 1024 pixels or less: the funds' and the strip's row
    lbl_t* funds = nullptr;
    std::vector<enc_t> encs;

    encs_dlg_t();
    void on_create() override;
    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    // Funds, the buttons' states and the statistics, each frame.
    void on_frame() override;
    lv_t* make_list() override;
    Str* item_desc(Str* out, uintptr_t data) override;

    void gen_challenges();
    void refresh_list();
    void fight_selected();
    void next_batch();
    void change_party();
    void unit_menu(int member);
    void fill_party_strip();

private:
    double shown_funds_ = -UNLIMITED;  // the first frame always writes the funds
    int shown_fee_ = -1;  // the fee the fight button's tooltip names
    void add_bar_btns();
    void update_state();
    bool on_cmd(wnd_t* sender);
};
