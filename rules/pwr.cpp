#include "rules/pwr.h"

#include <cstdio>
#include <span>

#include "app/db.h"
#include "app/str.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/itm.h"
#include "rules/pwr_builders.h"
#include "rules/pwr_ids.h"
#include "rules/tbl_texts.h"
#include "rules/unit.h"

namespace {
Pwr* registry[PWR_SLOTS] = {};

std::span<text_info_t> pwr_cats() {
    static text_info_t rows[] = {{},        {L"cmn"}, {L"wpn"},   {L"amr"}, {L"melee"},
                                 {L"tw"},   {L"th"},  {L"range"}, {L"cm"},  {L"spl"}};
    static_assert(std::size(rows) == PWR_CATS, "one row a category");
    return rows;
}

Str widen(const char* s) { return utf8_to_str(s ? s : ""); }

pwr_texts_t& texts() {
    static pwr_texts_t t;
    return t;
}

// What a power says of itself when no screen built its text.
Str& plain_text(const Pwr& p, Str& out) {
    out.format(L"%s\n%s", p.n ? p.n : or_empty(p.k), or_empty(p.d));
    return out;
}
}  // namespace

void set_pwr_texts(const pwr_texts_t& t) { texts() = t; }
const pwr_texts_t& get_pwr_texts() { return texts(); }

Str& Pwr::get_tip_text(Str& out) const { return texts().pwr_tip ? texts().pwr_tip(*this, out) : plain_text(*this, out); }
Str& Pwr::get_desc_text(Str& out) const {
    return texts().pwr_desc ? texts().pwr_desc(*this, out) : plain_text(*this, out);
}
Str& act_t::get_tip_text(Str& out) const {
    return texts().act_tip ? texts().act_tip(*this, out) : plain_text(*this, out);
}
Str& act_t::get_desc_text(Str& out) const {
    return texts().act_desc ? texts().act_desc(*this, out) : plain_text(*this, out);
}

int Pwr::get_kind() const { return PK_PASSIVE; }
int Pwr::get_group() const { return (flags & PF_FEAT) ? PG_FEAT : PG_BASIC; }

int Pwr::get_tier() const {
    // A chain longer than the registry is a cycle; stop rather than recurse forever.
    int tier = 0;
    for (const Pwr* p = this; p && !p->prereqs.empty() && tier < PWR_SLOTS; p = get_pwr(p->prereqs[0])) ++tier;
    return tier;
}

void Pwr::reset() {
    cat = 1;
    cls_mask = 0;
    lv = 0;
    for (int32_t& a : abi_min) a = 0;
}

void Pwr::set_feat(const char* key, int cat_, uint32_t cls_mask_, int lv_, const std::vector<int32_t>& prereqs_,
                   const abi_min_t& abi) {
    set(&k, widen(key).buf);
    cat = cat_;
    cls_mask = cls_mask_;
    lv = lv_;
    prereqs = prereqs_;
    const int32_t mins[ABIS] = {abi.str, abi.dex, abi.con, abi.int_, abi.wis, abi.cha};
    for (int i = 0; i < ABIS; ++i) abi_min[i] = mins[i];
}

int act_t::get_kind() const { return (flags & PF_KIND2) ? PK_TOGGLE : PK_ACT; }
int act_t::get_group() const { return school ? PG_SPELL : (flags & PF_FEAT) ? PG_FEAT : PG_BASIC; }

// ---- what an action is, read from its record ----

int act_t::get_area(const unit_t* u) const {
    return area == AREA_ADJ2 && u && u->has_pwr(P_ATK_M_TGT2_2) ? AREA_ADJ3 : area;
}

bool act_t::is_ranged() const { return atk == ATK_RANGE || (flags & PF_MISSILE); }
bool act_t::is_burst_area() const { return atk != ATK_MELEE && atk != ATK_RANGE && (area > 0 || area == AREA_BURST); }

bool act_t::is_insta_kill() const {
    return !dmg.empty() && (dmg[0].mask & dmg_bit(DMG_NE)) && dmg[0].count == DMG_PCT && dmg[0].sides >= 100;
}

// A blow or a shot never goes to the unit's own cell: aimed there it struck the
// unit itself.
bool act_t::skips_own_cell() const {
    return area == AREA_BURST || area == AREA_CONE || area == AREA_ADJ2 || area == AREA_ADJ3 || atk == ATK_MELEE ||
           atk == ATK_RANGE;
}
bool act_t::can_affect_units() const { return !(flags & PF_CELL); }
// A weapon part (count -1) is real damage too: only an empty list deals none.
bool act_t::deals_dmg() const { return id == P_ATK_M_DMG3 || !dmg.empty(); }

int act_t::lv_bonus(const unit_t* u) const {
    if (atk != ATK_SPL || !u) return 0;
    const int lv = u->base.lv;
    if (lv_scale == 1 || lv_scale == 2) return lv * lv_scale;
    if (lv_scale == -2 || lv_scale == -5) return lv / -lv_scale;
    return 0;
}

bool act_t::is_harmless_to(const unit_t* actor, const unit_t* tgt) const {
    if (flags & PF_NO_ROLL) return true;
    if (flags & PF_NO_ROLL_ALLY) return actor->btl.side == tgt->btl.side;
    if (dmg.empty()) return false;
    const int t = first_dmg_type();
    return t >= DMG_SLASH && t <= DMG_NE && tgt->drv.res[t] == 200;
}

int act_t::first_dmg_type() const {
    if (dmg.empty()) return 0;
    const uint32_t m = dmg[0].mask;
    if (m == 0) return -1;
    int i = 0;
    while (!(m & (1u << i))) ++i;
    return i;
}

bool act_t::is_cond_only() const { return dmg.empty() && cond >= 1; }

bool act_t::set_act(const char* key, uint32_t flags_, int cost_, int rng_, int area_, int atk_, int def_,
                    const char* dmg_text, int lv_scale_, int cd_, int cond_, int zone_dur_) {
    set(&k, widen(key).buf);
    flags = flags_;
    cost = cost_;
    rng = rng_;
    area = area_;
    atk = atk_;
    def = def_;
    lv_scale = lv_scale_;
    cd = cd_;
    cond = cond_;
    zone_dur = zone_dur_;
    school = 0;
    dmg.clear();
    return dmg_list_parse(&dmg, dmg_text);
}

Pwr* get_pwr(int id) { return id >= 1 && id <= PWR_LAST ? registry[id] : nullptr; }
bool is_pwr_id(int id) { return get_pwr(id) != nullptr; }

const wchar_t* pwr_name(int id) {
    const Pwr* p = get_pwr(id);
    if (!p) return L"";
    return p->n ? p->n : or_empty(p->k);
}

bool is_act(int id) {
    const Pwr* p = get_pwr(id);
    return p && p->get_kind() == PK_ACT;
}

bool is_prereq_of(int a, int b) {
    const Pwr* p = get_pwr(b);
    if (!p) return false;
    for (int32_t id : p->prereqs)
        if (id == a) return true;
    return false;
}

text_info_t* get_pwr_cat(int i) {
    std::span<text_info_t> rows = pwr_cats();
    static tbl_texts_t texts;
    if (texts.due()) {
        std::vector<text_info_t*> recs;
        for (text_info_t& r : rows) recs.push_back(&r);
        db_read_recs(L"strs:pwr_cats", recs, nullptr);
    }
    return &rows[i >= 0 && size_t(i) < rows.size() ? size_t(i) : 0];
}

int get_prof_pwr(int itm_id) {
    const itm_t& it = get_itm(itm_id);
    switch (it.type) {
    // The proficiencies stand in the order of the weapon groups and armour types.
    case IT_WPN: return it.grp >= WG_SWORD && it.grp <= WG_SIMPLE ? P_WP_SWORD + (it.grp - WG_SWORD) : 0;
    case IT_AMR: return it.grp >= AMR_LIGHT && it.grp <= AMR_HEAVY ? P_AMR_USE1 + (it.grp - AMR_LIGHT) : 0;
    case IT_SHD: return it.grp == SHD_LIGHT || it.grp == SHD_HEAVY ? P_SHD_USE1 : it.grp == SHD_TOWER ? P_SHD_USE2 : 0;
    default: return 0;
    }
}

void put_pwr(int id, Pwr* p) {
    if (id < 1 || id > PWR_LAST || registry[id]) {
        std::fprintf(stderr, "power slot %d is taken or out of range\n", id);
        delete p;
        return;
    }
    registry[id] = p;
}

void build_pwrs() {
    free_pwrs();
    build_basic_acts();
    build_feats();
    build_spells();
    build_mon_pwrs();
    for (int id = 1; id <= PWR_LAST; ++id)
        if (registry[id]) registry[id]->id = id;
}

void load_pwr_texts() {
    std::vector<text_info_t*> recs(registry, registry + PWR_SLOTS);
    load_txt_tbl(Str(L"pwrs"), recs, 1);
}

void init_pwrs() {
    build_pwrs();
    load_pwr_texts();
}

void free_pwrs() {
    for (Pwr*& p : registry) {
        delete p;
        p = nullptr;
    }
}
