#include "battle/rolls.h"

#include "app/db.h"
#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/listener.h"
#include "rules/cond.h"
#include "rules/pwr.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"

namespace {
constexpr int no_roll = 1000000000;
constexpr int auto_hit = -1000000000;
constexpr uint32_t resist_clr = 0xFF808080;
constexpr int float_size = 18;

int d20() { return rnd_rand() % 20 + 1; }

bool d20_rule(int die, int bonus, int dc) {
    if (die == 20) return true;
    if (die == 1) return false;
    return (long long)die + bonus >= dc;  // no overflow near the 1000000000 sentinels
}
}  // namespace

bool roll_d20_vs(int32_t bonus, int32_t dc) { return d20_rule(d20(), bonus, dc); }

bool roll_d20_log(int bonus, int dc, int* roll) {
    const int die = d20();
    if (roll) *roll = die;
    const bool ok = d20_rule(die, bonus, dc);
    Str roll_text;
    roll_t{die, bonus, dc}.get_text(roll_text);
    log_cur_buf()->append_format(L"%s<a=128> ( %s )</a>%s", ok ? L"命中" : L"<c=a>失误</c>", roll_text, lang_dot);
    return ok;
}

bool roll_unit_check(const wchar_t* name, unit_t* u, int bonus, int dc) {
    log_cur_buf()->append_format(L"%s检定: ", name ? name : L"");
    const bool ok = roll_d20_log(bonus, dc, nullptr);
    if (!ok) unit_float_text(Str(L"抵抗%s", name ? name : L"").buf, u, resist_clr, float_size);
    return ok;
}

bool roll_pct(int chance, const wchar_t* ok_text, const wchar_t* fail_text) {
    if (chance < 1) return false;
    const int roll = rnd_rand() % 100 + 1;
    const bool ok = roll >= 100 - chance;
    log_cur_buf()->append_format(L"%s ( <c=y>%d</c> vs %d )%s", ok ? ok_text : fail_text, roll, 100 - chance,
                                 lang_dot);
    return ok;
}

int roll_atk(int bonus, int def, int flags, int crit_rng) {
    const bool real = bonus != no_roll && def != auto_hit;
    int die = 0;
    if (real) {
        if (!roll_d20_log(bonus, def, &die)) {
            if (!(flags & 2)) return 0;
            log_cur_buf()->append(L"失手伤害: ");
            return ATK_HIT | ATK_MISS_DMG;
        }
    } else {
        die = d20();
    }
    if (!(flags & 4) || die <= 20 - crit_rng) return ATK_HIT;
    if (real && (long long)die + bonus < def) return ATK_HIT;  // a natural 20 that would have missed
    log_cur_buf()->append(L"<c=r>暴击！</c>");
    return ATK_HIT | ATK_CRIT;
}

void add_cond_no_save(int cond, unit_t* src, unit_t* tgt) {
    cond_inst_t ci;
    apply_cond(make_cond_inst(ci, cond, src, 0, CI_NO_ROLL, 0), tgt);
}

bool spend_act_pts(unit_t* u, const u_cmd_t& cmd) {
    // TODO: "end_turn" taking all that is left, with the rest of the command costs.
    if (cmd.flags & 2) return true;
    if (cmd.flags & 1) return ++u->btl.free_cmds, true;
    if (cmd.flags & UCMD_SHIFT) return u->spend_act(1, true);
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(cmd.pwr));
    return u->spend_act(a ? a->cost : 1, cmd.pwr == 1);
}
