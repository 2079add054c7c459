#pragma once
// What the player may know about a unit, as mark-up: the sheet with its
// sections, the one-line caption and the tooltip text. They only read the unit;
// a unit the player has not seen (unit_t::is_known) shows a placeholder
// portrait and "未知生物" and nothing else.
#include <vector>

#include "app/str.h"

class unit_t;

namespace txt {

// Flags of unit_sheet: each section in full, or compact with the details in a tooltip.
constexpr int SHEET_ABIS = 1;    // a row per ability (else one line in the heading)
constexpr int SHEET_ACTS = 2;    // the other actions listed (else "其他动作 (n)" with the list as tooltip)
constexpr int SHEET_TRAITS = 4;  // the special traits listed (else "..." with the list as tooltip)
constexpr int SHEET_FEATS = 8;   // the feats listed (else their count with the list as tooltip)
constexpr int SHEET_ALL = 15;

// Portrait (faces_npc/null when unknown; the sprite when it has no portrait) and display name.
Str unit_head(const unit_t* u);
// unit_head; level, race and class; size and rank when not medium and standard;
// hit points, speed, initiative; then the sections abilities, defences,
// attacks, traits, conditions and feats. The unit is not changed: the attack
// records are made on the planning generator (plan_rnd_t).
Str unit_sheet(unit_t* u, int flags);
// "<b>name (hp)</b>", with the summoner of a summoned unit; "<b>未知生物</b>" when unknown.
Str unit_caption(const unit_t* u);
// unit_caption, and for a known unit the level line under it.
Str unit_tip_text(const unit_t* u);

// The sections of the sheet; an empty text where a section has nothing to show
// (traits, conditions).
Str hp_line(const unit_t* u);
Str spd_line(const unit_t* u);
Str init_line(const unit_t* u);
Str abi_sect(const unit_t* u, int flags);
// The three saving defences, under a heading that counts the armour class; "AO"
// in the heading while the unit may still make an attack of opportunity.
Str def_sect(const unit_t* u);
Str atk_sect(unit_t* u, int flags);
Str trait_sect(const unit_t* u, int flags);
Str cond_sect(const unit_t* u);
Str feat_sect(const unit_t* u, int flags);
// Flag of pwr_list: a feat is indented by 4 blanks per tier when the unit holds its prerequisites.
constexpr int PWRS_TREE = 1;

// The powers as links, one a line; flags: PWRS_TREE. "无" for none.
Str pwr_list(const unit_t* u, const std::vector<int>& ids, int flags);

}  // namespace txt
