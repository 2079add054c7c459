#pragma once
// Dice as the rules write them ("2d6", "d8", "1d4-1", "5"), rolled on the game's
// generator, resized for creature size and printed for the player.
#include <cstdint>

class Str;

struct dice_t {
    int32_t count = 0;  // 0: a flat value, the bonus alone
    int32_t sides = 0;
    int32_t bonus = 0;

    // "NdS", "dS", "NdS+B", "NdS-B" or a plain number. A malformed text (empty,
    // "2d", "d", "1d4--1", more than 9999 dice or sides) leaves all zero and answers false.
    bool parse(const char* text);
    // The size table's dice for this size, found by the medium column; the bonus
    // stays. Dice outside the table, and sizes outside 0..6, stay unchanged.
    void resize(int size);
    friend bool operator==(const dice_t&, const dice_t&) = default;
};

// Dice that share an int with plain numbers: 100000000 + count * 10000 + sides.
int pack_dice(int count, int sides);
void unpack_dice(int* count, int* sides, int packed);
bool is_packed_dice(int value);

// count rolls of 1..sides on the game's generator; 0 when count or sides is below 1.
int roll_dice(int count, int sides);

// "2d6+3", "2d6" or "5".
Str dice_text(const dice_t& d);
// dice_text when the player asked to see dice, else the range "min-max".
Str dice_range_text(const dice_t& d);
Str dice_rng_text(int count, int sides);
// "<c=#AARRGGBB>text</c>".
Str& col_text(Str& out, const wchar_t* text, uint32_t clr);
// A printf-like format with one range argument, written "lo-hi"; throws
// std::logic_error("extra arguments provided") when the format has no conversion.
Str fmt_range(const wchar_t* fmt, int lo, int hi);
