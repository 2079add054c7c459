#include "rules/itm_dice_tmp.h"
#include <cstring>
#include <cctype>
#include "app/text_info.h"
int pack_dice(int count, int sides) { return (count + 10000) * 10000 + sides; }
bool is_packed_dice(int v) { return v / 100000000 == 1; }
bool dmg_part_parse_dice(dmg_part_t* o, const char* text) {
    dmg_part_t& out = *o;
    out = {};
    if (!text || strlen(text) < 2) return true;
    static const char letters[] = " spbfclatrenv";
    int n = int(strlen(text));
    int end = n;
    while (end > 0 && !isdigit(text[end - 1])) {
        const char* p = strchr(letters + 1, text[end - 1]);
        out.mask |= p ? 1u << (p - letters) : 1u;
        --end;
    }
    int num = 0, state = 0, sign = 1;
    for (int i = 0; i < end; ++i) {
        char c = text[i];
        if (c == 'd') { out.count = i == 0 ? 1 : num; num = 0; state = 1; }
        else if (c == '+' || c == '-') { out.sides = num; num = 0; state = 2; sign = c == '-' ? -1 : 1; }
        else if (isdigit(c)) num = num * 10 + (c - '0');
    }
    if (state == 1) out.sides = num; else out.bonus = num * sign;
    return true;
}
Str dice_rng_text(int count, int sides) { return Str(L"%d-%d", count, count * sides); }
text_info_t* get_wpn_flag(int i) {
    static text_info_t rows[11];
    return &rows[i];
}
