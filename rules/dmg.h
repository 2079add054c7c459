#pragma once
// Damage as the rules write it ("2d6f", "W2", "P100n", "2d6f;1d6b"): a list of
// parts, each dice or a kind, with a mask of damage types; and the damage types.
#include <cstdint>
#include <vector>

#include "app/text_info.h"
#include "app/types.h"
#include "rules/dice.h"

class Str;

// count -1: weapon damage, sides the multiplier; count -2: a percentage (sides)
// of the target's hit points. Mask bit i is damage type row i.
struct dmg_part_t {
    int32_t count = 0;
    int32_t sides = 0;
    int32_t bonus = 0;
    uint32_t mask = 0;

    dice_t dice() const { return {count, sides, bonus}; }
    // The names of the types of the set bits, ascending, joined with "/".
    Str get_type_names() const;
    friend bool operator==(const dmg_part_t&, const dmg_part_t&) = default;
};
using dmg_list_t = std::vector<dmg_part_t>;

constexpr int DMG_WPN = -1;             // count of a part that is the weapon's damage
constexpr int DMG_PCT = -2;             // count of a part that is a share of hit points
constexpr uint32_t DMG_WPN_MASK = 0x4000;  // the weapon's own damage types
constexpr uint32_t DMG_MA_MASK = 0x8000;   // the bit P_UNR_MA answers to; no damage part sets it
constexpr uint32_t DMG_PHYS_MASK = 0x0E;
constexpr uint32_t DMG_ENERGY_MASK = 0xF0;
constexpr int DMG_TYPES = 13;              // rows 0..12, row 0 empty

// Letter i (1..12) names damage type row i.
constexpr char dmg_letters[] = "\0spbfclatrenv";

class dmg_type_t : public text_info_t {
public:
    wchar_t letter = 0;
    clr_t clr;
    dmg_type_t() = default;
    dmg_type_t(const wchar_t* key, wchar_t letter, uint32_t clr) : text_info_t(key), letter(letter), clr(clr) {}
};

// Row 0 (empty) for a row outside 0..12.
dmg_type_t* get_dmg_type(int row);
std::vector<text_info_t*> dmg_type_rows();

// Appends one part per ";"-separated piece. A malformed piece appends nothing and
// answers false; a null text is an empty list.
bool dmg_list_parse(dmg_list_t* out, const char* text);
// Trailing type letters, then dice; a text of one character is an all-zero part.
bool dmg_part_parse_dice(dmg_part_t* out, const char* text);

bool dmg_has_type(const dmg_list_t& list, int row);
std::vector<int> dmg_type_bits(uint32_t mask);

// Flag of dmg_list_text: only the first part (dice shown).
constexpr int DMG_TEXT_FIRST = 1;
Str dmg_list_text(const dmg_list_t& list, int flags);
// Flag of dmg_part_line: plain, no type.
constexpr int DMG_LINE_PLAIN = 1;
// The coloured description line of one part.
Str dmg_part_line(const dmg_part_t& part, int flags);
Str dmg_list_lines(const dmg_list_t& list);
