// The unit builders: a character from a build, a monster from a template.
#include "rules/bld.h"
#include "rules/lv.h"
#include "rules/unit.h"

namespace {

// Every part as a new unit has it; the presentation values too.
void reset_unit(unit_t& u) {
    u = unit_t();
    u.px_off = {};
    u.ani_word = 0;
    u.ani_t = 0.0;
    u.tint = 0xFFFFFFFF;
    u.flash_t = 0.0;
}

}  // namespace

unit_t& unit_t::from_bld(int bld, const wchar_t* name_, const wchar_t* img_, const wchar_t* face_) {
    reset_unit(*this);
    name.assign(name_ ? name_ : L"");
    img.assign(img_ ? img_ : L"");
    face.assign(face_ ? face_ : L"");
    const u_bld_t* b = get_bld(bld);
    base.kind = UK_PC;
    base.rank = 1;
    base.bld = bld;
    base.lv = 1;
    base.race = b->race;
    base.cls = b->cls;
    for (int i = 0; i < 6; ++i) base.abi[i] = b->abi[i];
    int bonus[6];
    apply_race_cls(*this, b->key_abi_bonus(bonus));
    lv1_picks(*this, 0);
    give_start_eqpt(*this);
    reset_for_play();
    return *this;
}

void unit_t::reset_for_play() {
    btl.ai = btl.side = base.kind == UK_MON ? 1 : 0;
    recalc();
    actbar.rebuild();
    hp_ready = 1;
}
