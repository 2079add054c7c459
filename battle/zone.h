#pragma once
// An effect lying on map cells for some rounds (grease, webs and every power
// with a duration). The battle's zone list owns its zones, oldest first; a
// cell belongs to at most one zone.
#include <cstdint>
#include <vector>

#include "app/types.h"

class unit_t;
struct u_cmd_t;

struct zone_t {
    unit_t* creator = nullptr;
    int32_t spl_atk = 0;  // the creator's spell attack value when the zone was made
    int32_t pwr = 0;
    int32_t rounds = 0;  // ZONE_LASTING: until removed
    std::vector<pt_t> cells;
};

// Grease and the two webs catch fire.
bool is_burnable_pwr(int pwr);
bool is_web_pwr(int pwr);

// The first zone of the list whose cells hold p, else null.
zone_t* get_zone_at(const pt_t& p);
// Whether the zone's power reaches u: webs (P_WEB, P_WEB_A0) spare
// TRAIT_IMM_WEB, grease (P_GREASE) spares holders of P_SWAMPER.
bool zone_affects(const zone_t& z, const unit_t* u);

// A zone of the command's power over the cells that are not walls; it takes
// them from older zones. Null when no cell is left.
zone_t* create_zone(unit_t* creator, const u_cmd_t* cmd, const std::vector<pt_t>& cells);
// The turn passes over u: the zones it made act, count down and may vanish.
void zone_upkeep(unit_t* u);
// The entry effects of the zones on u's cell.
void zone_entry(unit_t* u);
void remove_zone_cell(zone_t* z, const pt_t& p);
void remove_zone(zone_t* z);
void clear_zones();
// The fire spread from p through touching burnable cells.
void ignite(const pt_t& p);
// A zone of the same power (any web for a web power) already lies on p.
bool zone_target_test(int pwr, const pt_t& p);
