#include "app/tick_mark.h"

#include "app/seams.h"

namespace {

uint32_t tick_mark_ms = 0;

}  // namespace

void tick_mark() { tick_mark_ms = sys_ticks(); }

uint32_t ticks_since_mark() { return sys_ticks() - tick_mark_ms; }
