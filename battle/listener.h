#pragma once
// What the battle rules hand to the screens by name: presentation only, so a
// battle reaches the same outcome when these do nothing.
#include <cstdint>

class unit_t;

// Floats text over the unit when battle feedback is on and its cell is in view.
void unit_float_text(const wchar_t* text, unit_t* u, uint32_t clr, int size);
