#pragma once
// The tooltip and the description of powers and actions (the records' text
// slots 3 and 4, which call these once install_text_hooks has run), the one-line
// entry of a power and its heading.
#include "app/str.h"

class Pwr;
class act_t;

namespace txt {

// The name alone for a passive power or an action used at once; for an action
// (kind 0) its icon and name: "<ico=powers/key c=w> name".
Str pwr_line(const Pwr& p);

// Slot 3 of a power: heading, extra text, "条件：" (classes, prerequisites,
// level, ability minimums; "无" when none), "使用：" passive or active, "效果：".
Str& pwr_tip_text(const Pwr& p, Str& out);
// Slot 4 of a power: the same as its tooltip.
Str& pwr_desc_text(const Pwr& p, Str& out);
// Slot 3 of an action: a spell's description followed by the classes that learn
// it and at which character level ("习得条件: "); other actions as a power.
Str& act_tip_text(const act_t& a, Str& out);
// Slot 4 of an action: heading with the action cost; school and cooldown; attack
// against defence (or the sure hit); damage lines; condition; duration; range
// and area; warnings; the description under a rule.
Str& act_desc_text(const act_t& a, Str& out);

// heading_text (screens/text/desc_parts.h) with the power's icon, "powers/def"
// when the power has no picture of its own, and its name.
Str& get_heading(Str& out, const Pwr& p, int flags, const wchar_t* suffix);

}  // namespace txt
