#include "rules/dmg.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "app/db.h"
#include "app/opts.h"
#include "app/str.h"
#include "app/sys.h"

namespace {
std::span<dmg_type_t> dmg_types() {
    static dmg_type_t rows[DMG_TYPES] = {
        {nullptr, 0, 0xFF000000},
        {L"slash", L's', 0xFFFF0000},
        {L"pierce", L'p', 0xFFFF0000},
        {L"blunt", L'b', 0xFFFF0000},
        {L"fire", L'f', 0xFFFF0068},
        {L"cold", L'c', 0xFF00FFFF},
        {L"litn", L'l', 0xFFFFFF00},
        {L"acid", L'a', 0xFF00FF00},
        // Poison's purple and negative energy's grey, light enough to read on the
        // dark tips, help and log (0xFF80008B and 0xFF434343 could hardly be seen).
        {L"tox", L't', 0xFFCD41D9},
        {L"rpr", L'r', 0xFF00FF00},
        {L"pe", L'e', 0xFF00FF00},
        {L"ne", L'n', 0xFF8C8C8C},
        {L"void", L'v', 0xFFFF0000},
    };
    return rows;
}

// 1..12 for a letter of "spbfclatrenv", else 0.
int letter_row(char c) {
    if (!c) return 0;
    const char* p = static_cast<const char*>(std::memchr(dmg_letters + 1, c, DMG_TYPES - 1));
    return p ? int(p - dmg_letters) : 0;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "P<percent><letters>": letters after the digits, up to the first other character.
bool parse_pct(dmg_part_t* part, const std::string& s) {
    size_t i = 1;
    int pct = 0;
    for (; i < s.size() && is_digit(s[i]); ++i) {
        if (i > 9) return false;
        pct = pct * 10 + (s[i] - '0');
    }
    if (i == 1) return false;
    *part = {DMG_PCT, pct, 0, 0};
    for (int row; i < s.size() && (row = letter_row(s[i])) != 0; ++i) part->mask |= 1u << row;
    return true;
}

bool parse_wpn(dmg_part_t* part, const std::string& s) {
    dice_t d;
    // The multiplier is a plain number: "W", "W-1" or "W2x" are faults in a table.
    if (s.size() < 2 || !is_digit(s[1]) || !d.parse(s.c_str() + 1) || d.count != 0) return false;
    *part = {DMG_WPN, d.bonus, 0, DMG_WPN_MASK};
    return true;
}

// Dice followed by type letters; an unknown trailing character sets bit 0.
bool parse_typed_dice(dmg_part_t* part, const std::string& s) {
    size_t end = s.size();
    uint32_t mask = 0;
    while (end > 0 && !is_digit(s[end - 1])) {
        if (s[end - 1] == 'd') return false;  // "2d": dice without sides, not a type
        const int row = letter_row(s[end - 1]);
        mask |= row ? 1u << row : 1u;
        --end;
    }
    dice_t d;
    if (!d.parse(s.substr(0, end).c_str())) return false;
    *part = {d.count, d.sides, d.bonus, mask};
    return true;
}

bool parse_piece(dmg_part_t* part, const std::string& s) {
    if (!s.empty() && s[0] == 'P') return parse_pct(part, s);
    if (!s.empty() && s[0] == 'W') return parse_wpn(part, s);
    return parse_typed_dice(part, s);
}

int part_min(const dmg_part_t& p) { return p.count ? std::max(1, p.count + p.bonus) : p.bonus; }
int part_max(const dmg_part_t& p) { return p.count ? std::max(1, p.count * p.sides + p.bonus) : p.bonus; }
}  // namespace

dmg_type_t* get_dmg_type(int row) {
    std::span<dmg_type_t> t = dmg_types();
    return &t[row >= 0 && row < DMG_TYPES ? row : 0];  // rows come from save files too
}

std::vector<text_info_t*> dmg_type_rows() {
    std::vector<text_info_t*> v;
    v.reserve(DMG_TYPES);
    for (dmg_type_t& r : dmg_types()) v.push_back(&r);
    return v;
}

bool dmg_list_parse(dmg_list_t* out, const char* text) {
    if (!text) return true;
    dmg_list_t parts;
    const std::string all(text);
    size_t start = 0;
    for (;;) {
        const size_t semi = all.find(';', start);
        const std::string piece = all.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        dmg_part_t p;
        if (!parse_piece(&p, piece)) return false;
        parts.push_back(p);
        if (semi == std::string::npos) break;
        start = semi + 1;
    }
    out->insert(out->end(), parts.begin(), parts.end());
    return true;
}

bool dmg_part_parse_dice(dmg_part_t* out, const char* text) {
    *out = {};
    if (!text || !*text) return false;
    if (!text[1]) return true;  // "-" and the like: no damage
    return parse_typed_dice(out, text);
}

bool dmg_has_type(const dmg_list_t& list, int row) {
    if (row < 0 || row > 31) return false;
    uint32_t all = 0;
    for (const dmg_part_t& p : list) all |= p.mask;
    return (all >> row) & 1u;
}

std::vector<int> dmg_type_bits(uint32_t mask) {
    std::vector<int> v;
    for (int i = 0; i < 32; ++i)
        if ((mask >> i) & 1u) v.push_back(i);
    return v;
}

Str dmg_part_t::get_type_names() const {
    Str s;
    for (int row : dmg_type_bits(mask)) {
        const wchar_t* n = get_dmg_type(row)->n;
        s.append(or_empty(n)).append(L"/");
    }
    if (!s.empty()) s.drop_back(1);
    return s;
}

Str dmg_list_text(const dmg_list_t& list, int flags) {
    if (list.empty()) return Str();
    const dmg_part_t& first = list[0];
    if (first.count == DMG_PCT) return first.sides == 100 ? Str(L"即死") : Str(L"%d%%目标生命值", first.sides);
    if (first.count == DMG_WPN) return Str(L"武器伤害 x%d", first.sides);
    if (opts().disp_dice) {
        if (flags & DMG_TEXT_FIRST) return dice_text(first.dice());
        Str s;
        for (size_t i = 0; i < list.size(); ++i) {
            if (i) s.append(L";");
            s.append(dice_text(list[i].dice()).buf);
        }
        return s;
    }
    int lo = 0, hi = 0;
    for (const dmg_part_t& p : list) {
        lo += part_min(p);
        hi += part_max(p);
    }
    return Str(L"%d-%d", lo, hi);
}

Str dmg_part_line(const dmg_part_t& part, int flags) {
    if (part.count == DMG_WPN) {
        const Str mul = part.sides != 1 ? Str(L" x%d", part.sides) : Str();
        return Str(L"<c=#%08x>武器伤害%s</c>", 0xFFB0C4DEu, mul);
    }
    Str text = part.count == DMG_PCT ? Str(L"即死") : dice_range_text(part.dice());
    if (flags & DMG_LINE_PLAIN) return text;
    const std::vector<int> bits = dmg_type_bits(part.mask);
    // A part without a type has no name or colour to add; it keeps the plain text.
    if (bits.empty()) return text;
    const dmg_type_t* t = get_dmg_type(bits[0]);
    // A Latin name stands apart from the numbers ("2-12 fire伤害"); a Chinese one follows them.
    const wchar_t* name = or_empty(t->n);
    if (sys_joins_word(*name)) text.append(lang_wsp);
    text.append(name).append(L"伤害");
    Str out;
    return col_text(out, text.buf, t->clr);
}

Str dmg_list_lines(const dmg_list_t& list) {
    if (list.empty()) return Str();
    if (list[0].count == DMG_WPN || list[0].count == DMG_PCT) return dmg_part_line(list[0], 0);
    Str s;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i) s.append(L"\n");
        s.append(dmg_part_line(list[i], 0).buf);
    }
    return s;
}
