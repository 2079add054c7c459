#include "rules/dice.h"

#include <algorithm>
#include <stdexcept>

#include "app/opts.h"
#include "app/rnd.h"
#include "app/str.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"

namespace {
constexpr int max_dice = 9999;  // what packing can hold, for counts and sides alike
constexpr int max_digits = 9;   // keeps every number below 10^9, far from overflow
constexpr int n_sizes = U_SIZES;
constexpr int medium = SIZE_MEDIUM;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads 1 to max_digits decimal digits; false when there are none or too many.
bool read_num(const char*& p, int* out) {
    int n = 0, digits = 0;
    for (; is_digit(*p); ++p, ++digits) {
        if (digits == max_digits) return false;
        n = n * 10 + (*p - '0');
    }
    *out = n;
    return digits > 0;
}

// "+B" or "-B" at p, or nothing at all.
bool read_bonus(const char*& p, int* out) {
    *out = 0;
    if (*p != '+' && *p != '-') return true;
    const int sign = *p++ == '-' ? -1 : 1;
    if (!read_num(p, out)) return false;
    *out *= sign;
    return true;
}

using size_row_t = dice_t[n_sizes];

const size_row_t* size_table(int* rows) {
    // Columns 1 to 4 of each row; the medium column (3) finds the row.
    static const char* const texts[][4] = {
        {"0", "1", "1d2", "1d3"},       {"1", "1d2", "1d3", "1d4"},     {"1d2", "1d3", "1d4", "1d6"},
        {"1d3", "1d4", "1d6", "1d8"},   {"1d4", "1d6", "1d8", "2d6"},   {"1d6", "1d8", "1d10", "2d8"},
        {"1d8", "1d10", "1d12", "3d6"}, {"1d4", "1d6", "2d4", "2d6"},   {"1d8", "1d10", "2d6", "3d6"},
        {"1d10", "2d6", "2d8", "3d8"},  {"2d6", "2d8", "2d10", "4d8"},
    };
    constexpr int n = int(sizeof texts / sizeof texts[0]);
    static const auto table = [] {
        static size_row_t t[n] = {};
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < 4; ++c) t[r][c + 1].parse(texts[r][c]);
        return t;
    }();
    *rows = n;
    return table;
}
}  // namespace

bool dice_t::parse(const char* text) {
    *this = {};
    if (!text || !*text) return false;
    const char* p = text;
    int first = 0;
    const bool has_first = is_digit(*p);
    if (has_first && !read_num(p, &first)) return false;
    dice_t d;
    if (*p == 'd') {
        ++p;
        d.count = has_first ? first : 1;
        if (!read_num(p, &d.sides) || !read_bonus(p, &d.bonus)) return false;
        if (d.count < 1 || d.count > max_dice || d.sides < 1 || d.sides > max_dice) return false;
    } else if (has_first) {
        d.bonus = first;
    } else if (!read_bonus(p, &d.bonus) || p == text) {
        return false;
    }
    if (*p) return false;  // anything left over is not part of a dice text
    *this = d;
    return true;
}

void dice_t::resize(int size) {
    if (size < 0 || size >= n_sizes) return;  // sizes come from records; no reading past the row
    int rows = 0;
    const size_row_t* t = size_table(&rows);
    for (int r = 0; r < rows; ++r) {
        const dice_t& m = t[r][medium];
        if (m.count == count && m.sides == sides) {
            count = t[r][size].count;
            sides = t[r][size].sides;
            return;
        }
    }
}

int pack_dice(int count, int sides) { return (count + 10000) * 10000 + sides; }

void unpack_dice(int* count, int* sides, int packed) {
    const int r = packed % 100000000;
    *count = r / 10000;
    *sides = r % 10000;
}

bool is_packed_dice(int value) { return value / 100000000 == 1; }

int roll_dice(int count, int sides) {
    // Sides below 1 would make the modulo divide by zero or go negative.
    if (count < 1 || sides < 1) return 0;
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += rnd_rand() % sides + 1;
    return sum;
}

Str dice_text(const dice_t& d) {
    if (d.count == 0) return Str(L"%d", d.bonus);
    if (d.bonus == 0) return Str(L"%dd%d", d.count, d.sides);
    return Str(L"%dd%d%+d", d.count, d.sides, d.bonus);
}

Str dice_range_text(const dice_t& d) {
    if (opts().disp_dice) return dice_text(d);
    if (d.count == 0) return fmt_range(L"%a", d.bonus, d.bonus);
    return fmt_range(L"%a", std::max(1, d.count + d.bonus), std::max(1, d.count * d.sides + d.bonus));
}

Str dice_rng_text(int count, int sides) {
    if (opts().disp_dice) return Str(L"%dd%d", count, sides);
    return Str(L"%d-%d", count, count * sides);
}

Str& col_text(Str& out, const wchar_t* text, uint32_t clr) {
    out.format(L"<c=#%08X>%s</c>", clr, or_empty(text));
    return out;
}

Str fmt_range(const wchar_t* fmt, int lo, int hi) {
    Str out;
    const wchar_t* p = fmt;
    // Copies literal text up to the next conversion, "%%" giving "%".
    auto copy_literal = [&](bool stop_at_conv) {
        while (*p) {
            if (*p == L'%' && p[1] == L'%') {
                out.append_char(L'%');
                p += 2;
            } else if (*p == L'%' && stop_at_conv) {
                return true;
            } else {
                out.append_char(*p++);
            }
        }
        return false;
    };
    if (!copy_literal(true) || !p[1]) throw std::logic_error("extra arguments provided");
    ++p;
    bool left = false, zero = false;
    for (;; ++p) {
        if (*p == L'-') left = true;
        else if (*p == L'0') zero = true;
        else if (*p != L'+') break;
    }
    int width = 0;
    for (; (*p >= L'0' && *p <= L'9') || *p == L'*' || *p == L'.'; ++p)
        if (*p >= L'0' && *p <= L'9') width = std::min(width * 10 + (*p - L'0'), 1000);
    if (!*p) throw std::logic_error("extra arguments provided");
    ++p;  // the conversion letter
    Str range(L"%d-%d", lo, hi);
    const int pad = width - range.length();
    if (pad > 0 && !left) out.append_n(zero ? L'0' : L' ', pad);
    out.append(range.buf);
    if (pad > 0 && left) out.append_n(L' ', pad);
    copy_literal(false);
    return out;
}
