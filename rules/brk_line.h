#pragma once
// The lines of the breakdown texts that explain a unit's derived values.
class Str;

// Breakdown texts of unit_t, by number.
constexpr int BT_SPD = 0;
constexpr int BT_INIT = 1;
constexpr int BT_HP = 2;
constexpr int BT_ATK = 3;
constexpr int BT_DMG = 4;
constexpr int BT_ABI = 5;   // + ability 0..5
constexpr int BT_DEF = 17;  // + def row 0..5

// "<c=#AARRGGBB>%+d</c>\t<label>\n": green above 0, white at 0, red below.
void brk_line(Str& text, int v, const wchar_t* label);
// "%d\t<label>\n": a value stated, not added.
void brk_base(Str& text, int v, const wchar_t* label);
