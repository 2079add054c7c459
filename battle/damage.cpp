#include "battle/damage.h"

void halve_dmg(int* amount) {
    const int a = *amount;
    *amount = a / 2;
    if (*amount == 0 && a != 0) *amount = a > 0 ? 1 : -1;
}
