#include "rules/itm_dice_tmp.h"
#include <cwchar>
#include <cwctype>
void dmg_part_parse_dice(dmg_part_t& out, const wchar_t* text) {
    out = {};
    if (!text || wcslen(text) < 2) return;
    static const wchar_t letters[] = L" spbfclatrenv";
    int n = int(wcslen(text));
    int end = n;
    while (end > 0 && !iswdigit(text[end - 1])) {
        const wchar_t* p = wcschr(letters + 1, text[end - 1]);
        out.type |= p ? 1u << (p - letters) : 1u;
        --end;
    }
    int num = 0, state = 0, sign = 1;
    for (int i = 0; i < end; ++i) {
        wchar_t c = text[i];
        if (c == 'd') { out.count = i == 0 ? 1 : num; num = 0; state = 1; }
        else if (c == '+' || c == '-') { out.sides = num; num = 0; state = 2; sign = c == '-' ? -1 : 1; }
        else if (iswdigit(c)) num = num * 10 + (c - '0');
    }
    if (state == 1) out.sides = num; else out.bonus = num * sign;
}
#include "app/text_info.h"
Str dice_rng_text(int count, int sides) { return Str(L"%d-%d", count, count * sides); }
const text_info_t* get_wpn_flag(int i) {
    static text_info_t rows[11];
    return &rows[i];
}
