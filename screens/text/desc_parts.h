#pragma once
// The small mark-up pieces the descriptions share: gold, hit points, a unit's
// side colour and its level / race / class line, headings and section headings.
// Each fills or returns a new text and keeps no state. The builders of
// screens/text live in namespace txt: the battle engine has functions of the
// same names (battle/listener.h) that reach these through its presentation hooks.
#include "app/str.h"
#include "app/types.h"

class unit_t;

namespace txt {

// The amount with grouped digits and up to two decimals, then the gold icon;
// red when not above 0: "1,234.5 <ico=misc/g c=Gold>".
Str gold_text(double amount);
// "<c=#AARRGGBB>cur</c><c=w>/max</c>": white at full health, yellow above three
// quarters, orange above half, red at or below half.
Str hp_text(const unit_t* u);
// The colour of the unit's battle side: green for the player's, grey for SIDE_NONE, else red.
clr_t side_clr(const unit_t* u);
// A monster's creature category, or a character's race and build (its class
// when it follows no preset build), each with its "#kind_n" tooltip reference.
Str& unit_type_line(Str& out, const unit_t* u);
// "等级 n" with the "$lv" tooltip, then unit_type_line.
Str& lv_line(Str& out, const unit_t* u);

// Flag of heading_text: the smaller font b4.
constexpr int HEAD_SMALL = 1;

// "<h2><ico=folder/key c=w> title suffix</h2>"; flags: HEAD_SMALL.
Str& heading_text(Str& out, const wchar_t* folder, const wchar_t* key, const wchar_t* title, int flags,
                  const wchar_t* suffix);

// A sheet section's heading: icon misc/<key> and title with the "$key" tooltip, then trailing.
Str& sect_head(Str& out, const wchar_t* key, const wchar_t* title, const wchar_t* trailing);
// The same with a count after the title and a tooltip given as text.
Str& sect_head_n(Str& out, const wchar_t* tip, const wchar_t* icon, const wchar_t* title, int count,
                 const wchar_t* trailing);
// plain: sect_head with "(count)" in grey, followed by text; else the count
// alone in the heading, text as its tooltip.
Str& sect_head_cnt(Str& out, const wchar_t* key, const wchar_t* title, const wchar_t* text, int count, bool plain);

}  // namespace txt
