#pragma once
// Real units (recalculated from race, class, level and scores) on a drawn map,
// the recording listener and the battle log captured as text.
#include <string>

#include "app/db.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/btl_fixture.h"
#include "battle/turn.h"
#include "battle/zone.h"
#include "rules/itm_slot.h"
#include "rules/u_cmd.h"
#include "support/next_d20.h"

class act_test : public btl_test {
protected:
    std::wstring log;
    unit_t *a = nullptr, *t = nullptr;  // the actor and its target, where a suite stages one of each

    static void sink(const wchar_t* text, void* user) { static_cast<act_test*>(user)->log += text; }

    void SetUp() override {
        btl_test::SetUp();
        log_set_sink(sink, this);
        *log_cur_buf() = Str();
    }
    void TearDown() override {
        log_set_sink(nullptr, nullptr);
        clear_zones();
        free_summons_for_test();
        btl_test::TearDown();
    }
    static void free_summons_for_test();

    // A human of make_test_human, under the player's orders.
    unit_t* mk(int x, int y, int side, int cls = 1, int lv = 1) {
        unit_t* u = add(x, y, side);
        u->btl.ai = 0;
        return make_test_human(u, cls, lv);
    }
    static void wield(unit_t* u, int slot, int itm, int count = 1) {
        mk_itm_slot(u->eqpts.slots[slot], itm, count);
        if (const int p = get_prof_pwr(itm)) u->pwrs.add(p);
        u->recalc();
    }
    // u strikes whoever provokes it with a sword, whose enchantment ie (when given) takes hold on a hit.
    static void guard_with(unit_t* u, int ie = 0) {
        wield(u, EQ_MAIN, 39);
        u->eqpts.slots[EQ_MAIN].ies[0] = ie;
        u->drv.aoo = 1;
    }
    // The line of a command of u that did not run, as the log gives a refusal.
    static std::wstring refused(const unit_t* u, int pwr, const wchar_t* why) {
        return std::wstring(unit_disp_name(u).c_str()) + L" <c=a>无法使用</c> " + pwr_name(pwr) + L": " + why + lang_dot.c_str();
    }
    // The unit is given the power first: the engine refuses one it does not hold.
    bool act(unit_t* u, int pwr, const pt_t& at, int flags = 0) {
        if (is_pwr_id(pwr) && !u->pwrs.has(pwr)) u->pwrs.add(pwr);
        const u_cmd_t cmd{.pwr = pwr, .param = 0, .tgt = at, .flags = flags};
        return perform_cmd(u, &cmd);
    }
    int count_slot(int slot) const { return rec.count(slot); }
    bool logged(const wchar_t* s) const { return log.find(s) != std::wstring::npos; }
};

#include "battle/summon.h"
inline void act_test::free_summons_for_test() { free_summons(); }
