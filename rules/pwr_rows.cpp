#include "rules/pwr_rows.h"

#include <cstdio>

namespace {
std::vector<int32_t> prereq_list(const feat_row_t& r) {
    std::vector<int32_t> v;
    for (int id : r.pre)
        if (id) v.push_back(id);
    return v;
}

void set_act_row(act_t* p, const act_row_t& r) {
    // The tables are code; a damage text that does not parse is a fault to see at once.
    if (!p->set_act(r.key, r.flags, r.cost, r.rng, r.area, r.atk, r.def, r.dmg, r.lv_scale, r.cd, r.cond, r.zone_dur))
        std::fprintf(stderr, "power %d \"%s\": bad damage text \"%s\"\n", r.id, r.key, r.dmg);
}
}  // namespace

act_t* build_act(const act_row_t& r) {
    act_t* p = new act_t;
    p->reset();
    set_act_row(p, r);
    put_pwr(r.id, p);
    return p;
}

Pwr* build_feat(const feat_row_t& r) {
    Pwr* p = new Pwr;
    p->reset();
    p->set_feat(r.key, r.cat, r.cls_mask, r.lv, prereq_list(r), r.abi);
    p->flags |= PF_FEAT;
    put_pwr(r.id, p);
    return p;
}

act_t* build_feat_act(const feat_row_t& f, const act_row_t& a) {
    act_t* p = new act_t;
    p->reset();
    p->set_feat(f.key, f.cat, f.cls_mask, f.lv, prereq_list(f), f.abi);
    p->flags |= PF_FEAT;
    set_act_row(p, a);  // replaces the whole flags word
    p->flags |= PF_FEAT;
    put_pwr(f.id, p);
    return p;
}

act_t* build_spell(const spl_row_t& r) {
    act_t* p = new act_t;
    p->reset();
    set_act_row(p, {.id = r.id, .key = r.key, .flags = r.flags, .cost = r.cost, .cd = r.cd, .rng = r.rng,
                    .area = r.area, .atk = 3, .def = r.def, .dmg = r.dmg, .lv_scale = r.lv_scale, .cond = r.cond,
                    .zone_dur = r.zone_dur});
    put_pwr(r.id, p);
    p->school = r.school;
    p->lv = r.lv;
    p->cls_mask = r.cls_mask;
    return p;
}
