#pragma once
// Names of the damage type rows; bit i of a damage mask is row i, so a type's
// bit is 1u << DMG_FIRE. tests/rules/ids_test.cpp holds every name against its
// row's key.
enum dmg_id_e : int {
    DMG_SLASH = 1,
    DMG_PIERCE = 2,
    DMG_BLUNT = 3,
    DMG_FIRE = 4,
    DMG_COLD = 5,
    DMG_LITN = 6,   // lightning
    DMG_ACID = 7,
    DMG_TOX = 8,
    DMG_RPR = 9,    // repair: mends constructs
    DMG_PE = 10,    // positive energy
    DMG_NE = 11,    // negative energy
    DMG_VOID = 12,
};

constexpr unsigned dmg_bit(int type) { return 1u << type; }
