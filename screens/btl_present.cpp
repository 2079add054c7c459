#include "battle/listener.h"

// TODO: float the text over the unit once the battle scene can show units; until
// then no unit is in view, which is what the rules expect of a battle without a screen.
void unit_float_text(const wchar_t*, unit_t*, uint32_t, int) {}
