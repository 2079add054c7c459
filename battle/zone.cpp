#include "battle/zone.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "app/str.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/btl.h"
#include "battle/damage.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"

namespace {
bool holds(const zone_t* z, const pt_t& p) { return std::find(z->cells.begin(), z->cells.end(), p) != z->cells.end(); }

bool in_list(const zone_t* z) {
    const auto& v = btl().zones;
    return std::find(v.begin(), v.end(), z) != v.end();
}

bool is_wall(const tmap_t* m, const pt_t& p) {
    return m && (m->get_pass1(p.x, p.y) == PASS_BLOCK || m->get_pass2(p.x, p.y) == PASS_BLOCK);
}
}  // namespace

bool is_burnable_pwr(int pwr) { return pwr == P_GREASE || is_web_pwr(pwr); }
bool is_web_pwr(int pwr) { return pwr == P_WEB || pwr == P_WEB_A0; }

zone_t* get_zone_at(const pt_t& p) {
    for (zone_t* z : btl().zones)
        if (holds(z, p)) return z;
    return nullptr;
}

bool zone_affects(const zone_t& z, const unit_t* u) {
    if (is_web_pwr(z.pwr) && u->has_trait(TRAIT_IMM_WEB)) return false;
    if (z.pwr == P_GREASE && u->has_pwr(P_SWAMPER)) return false;
    return true;
}

zone_t* create_zone(unit_t* creator, const u_cmd_t* cmd, const std::vector<pt_t>& cells) {
    const tmap_t* map = get_btl_map();
    std::vector<pt_t> kept;
    for (const pt_t& p : cells)
        if (!is_wall(map, p) && std::find(kept.begin(), kept.end(), p) == kept.end()) kept.push_back(p);
    if (kept.empty()) return nullptr;
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(cmd->pwr));
    zone_t* z = new zone_t{creator, creator->get_atk(ATK_SPL), cmd->pwr, a ? a->zone_dur : 1, kept};
    for (zone_t* old : std::vector<zone_t*>(btl().zones)) {
        auto& oc = old->cells;
        oc.erase(std::remove_if(oc.begin(), oc.end(), [&](const pt_t& p) { return holds(z, p); }), oc.end());
        if (oc.empty()) remove_zone(old);
    }
    btl().zones.push_back(z);
    log_cur_buf()->append(L"成功。");
    return z;
}

void zone_upkeep(unit_t* u) {
    for (zone_t* z : std::vector<zone_t*>(btl().zones)) {
        if (z->creator != u || !in_list(z)) continue;
        run_zone_effect(z, z->cells);
        if (!in_list(z)) continue;  // burnt or cleared meanwhile
        if (z->rounds != ZONE_LASTING && z->rounds >= 1) --z->rounds;
        if (z->rounds == 0) {
            log_cur_buf()->append_format(L"%s区域消失。", pwr_name(z->pwr));
            log_flush();
            remove_zone(z);
        }
    }
}

void zone_entry(unit_t* u) {
    for (zone_t* z : std::vector<zone_t*>(btl().zones))
        if (in_list(z) && holds(z, u->pos)) run_zone_effect(z, {u->pos}, u);
}

void remove_zone_cell(zone_t* z, const pt_t& p) {
    auto& c = z->cells;
    c.erase(std::remove(c.begin(), c.end(), p), c.end());
    if (c.empty()) remove_zone(z);
}

void remove_zone(zone_t* z) {
    auto& v = btl().zones;
    const auto it = std::find(v.begin(), v.end(), z);
    if (it == v.end()) return;
    v.erase(it);
    delete z;
}

void clear_zones() {
    for (zone_t* z : btl().zones) delete z;
    btl().zones.clear();
}

namespace {
void burn_cell(const pt_t& p) {
    set_btl_feedback(is_pt_visible(p));
    play_cell_ani(L"effects/ignite", p);
    unit_t* u = get_unit_at(p);
    zone_t* z = get_zone_at(p);
    if (!u || !z) return;
    log_cur_buf()->append_format(L"\n    %s: ", unit_disp_name(u));
    const dmg_part_t part{2 * unit_tier(z->creator), z->pwr == P_GREASE ? 8 : 4, 0, dmg_bit(DMG_FIRE)};
    roll_apply_dmg(u, {part});
}
}  // namespace

void ignite(const pt_t& start) {
    // Ordered by (x, y), which is also the order the cells burn in.
    struct pt_less {
        bool operator()(const pt_t& a, const pt_t& b) const { return a.x != b.x ? a.x < b.x : a.y < b.y; }
    };
    std::set<pt_t, pt_less> burning{start};
    // Zone by zone until nothing more catches, so fire also reaches an older
    // zone through a younger one.
    for (bool any = true; any;) {
        any = false;
        for (zone_t* z : btl().zones) {
            if (!is_burnable_pwr(z->pwr)) continue;
            for (bool grew = true; grew;) {
                grew = false;
                for (const pt_t& c : z->cells) {
                    if (burning.count(c)) continue;
                    // c is not burning yet: a burning cell within one step is one beside it.
                    const bool touches = std::any_of(burning.begin(), burning.end(),
                                                     [&](const pt_t& b) { return units_adjacent(b, c); });
                    if (touches) burning.insert(c), grew = any = true;
                }
            }
        }
    }
    for (const pt_t& p : burning) burn_cell(p);
    set_btl_feedback(true);
    for (const pt_t& p : burning)
        if (zone_t* z = get_zone_at(p)) remove_zone_cell(z, p);
}

bool zone_target_test(int pwr, const pt_t& p) {
    const zone_t* z = get_zone_at(p);
    return z && (z->pwr == pwr || (is_web_pwr(pwr) && is_web_pwr(z->pwr)));
}
