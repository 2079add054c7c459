#include "rules/itm_price.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <vector>

#include "app/db.h"
#include "rules/rare_lv.h"
#include "rules/dice.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"

namespace {

int64_t clamp32(int64_t v) { return std::clamp<int64_t>(v, INT32_MIN, INT32_MAX); }

// Bonuses come from save files: beyond this the price is past int32 anyway,
// and squares of it still fit in 64 bits.
int64_t sane(int64_t x) { return std::clamp<int64_t>(x, -100000, 100000); }

}  // namespace

// ---- prices ----

int32_t itm_ench_cost(const itm_slot_t& it) {
    const std::vector<int> ies = it.get_ies();
    int64_t sum = 0;
    for (int e : ies) {
        const ie_t& ie = get_ie(e);
        const int64_t x = sane(int64_t(ie.lv) * (ie.scales() ? sane(it.bonus) : 1));
        sum = clamp32(sum + clamp32(int64_t(ie.cost) * x * x * 1000));
    }
    if (ies.size() < 2) return int32_t(sum);
    return int32_t(clamp32((sum / 2 + sum) / 1000 * 1000));
}

double itm_slot_t::get_price() const {
    const itm_t& kind = get_itm(id);
    if (kind.rare_lv > RARE_NORMAL) return itm_ench_cost(*this);
    const int64_t k = kind.type == IT_WPN ? 2 : 1;
    const int64_t enchanted = clamp32(itm_ench_cost(*this) + k * sane(bonus) * sane(bonus) * 1000);
    if (enchanted == 0) return kind.price;
    int64_t b = int64_t(kind.price);
    if (b < enchanted / 3) return double(enchanted);
    if (b > 1000) b = b / 1000 * 1000;
    return double(b + enchanted);
}

// ---- names ----

Str& itm_slot_t::get_name(Str& out) const {
    const itm_t& kind = get_itm(id);
    const wchar_t* name = or_empty(kind.n);
    const uint32_t clr = get_ex_info(itm_rare_lv(*this)).clr;
    if (kind.rare_lv > RARE_NORMAL) {
        if (!itm_ies_fixed(id))
            out.format(L"<c=#%08x>+%d %s</c>", clr, bonus, name);
        else
            out.format(L"<c=#%08x>%s</c>", clr, name);
    } else if (bonus == 0) {
        out = name;
    } else {
        const int* first = std::find_if(ies, ies + 4, [](int e) { return e != 0; });
        const wchar_t* ench = first == ies + 4 ? L"" : or_empty(get_ie(*first).n);
        // The word space parts an enchantment's name from the item's; without one the blank after the bonus does.
        out.format(L"<c=#%08x>+%d %s%s%s</c>", clr, bonus, ench, *ench ? lang_wsp.buf : L"", name);
    }
    return out;
}

const Str& itm_rare_lbl(const itm_slot_t& it) {
    // Remade at each call, so a change of language shows at once; the entry
    // keeps the text alive for the caller.
    static std::array<Str, RARE_LV_COUNT> cache;
    const int lv = itm_rare_lv(it);
    Str& lbl = cache[std::clamp(lv, 0, RARE_LV_COUNT - 1)];
    if (lv >= RARE_MAGIC) {
        const ex_info_t& info = get_ex_info(lv);
        lbl.format(L"<c=#%08x>%s</c>", uint32_t(info.clr), or_empty(info.n));
    }
    return lbl;
}

// ---- tooltip sections ----

namespace {

// The length of the conversion at fmt[i] ('%' included): flags, width,
// precision, length modifiers and the letter; 0 when none follows.
int conv_len(const wchar_t* fmt, int i) {
    int j = i + 1;
    while (fmt[j] && std::wcschr(L"-+ #0", fmt[j])) ++j;
    while (fmt[j] >= L'0' && fmt[j] <= L'9') ++j;
    if (fmt[j] == L'.') {
        ++j;
        while (fmt[j] >= L'0' && fmt[j] <= L'9') ++j;
    }
    while (fmt[j] && std::wcschr(L"hlLqjzt", fmt[j])) ++j;
    const wchar_t c = fmt[j];
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ? j - i + 1 : 0;
}

// The value through the placeholder's own conversion when it suits the value,
// else plainly.
Str fill_one(const Str& spec, int num, const wchar_t* text) {
    const wchar_t conv = spec.at(spec.length() - 1);
    Str out;
    if (text)
        out.format(conv == L's' ? spec.buf : L"%s", text);
    else
        out.format(std::wcschr(L"dixXoufeEgG", conv) ? spec.buf : L"%d", num);
    return out;
}

}  // namespace

Str ie_fill_val(const wchar_t* fmt, int num, const wchar_t* text) {
    Str out;
    if (!fmt) return out;
    bool filled = false;
    for (int i = 0; fmt[i]; ++i) {
        if (fmt[i] != L'%') {
            out.append_char(fmt[i]);
            continue;
        }
        if (fmt[i + 1] == L'%') {
            out.append_char(L'%');
            ++i;
            continue;
        }
        const int n = conv_len(fmt, i);
        if (filled || n == 0) {
            out.append_char(L'%');  // a second placeholder or a stray sign stays as written
            continue;
        }
        out.append(fill_one(Str().assign_sub(fmt, i, n), num, text).buf);
        filled = true;
        i += n - 1;
    }
    return out;
}

void itm_enchs_tip(const itm_slot_t& it, Str& out) {
    const std::vector<int> ies = it.get_ies();
    if (ies.empty()) return;
    out.append(L"<hr>");
    for (int e : ies) {
        const ie_t& ie = get_ie(e);
        out.append_format(L"\n<c=lbl b>%s: </c><c=g>", or_empty(ie.n));
        const int v = itm_ench_val(it, e);
        if (is_packed_dice(v)) {
            int count = 0, sides = 0;
            unpack_dice(&count, &sides, v);
            out.append(ie_fill_val(ie.d, 0, dice_rng_text(count, sides).buf).buf);
        } else if (v > 0) {
            out.append(ie_fill_val(ie.d, v, nullptr).buf);
        } else {
            out.append(or_empty(ie.d));
        }
        out.append(L"</c>");
    }
}

void itm_wpn_flags_tip(const itm_slot_t& it, Str& out) {
    const itm_t& kind = get_itm(it.id);
    if (kind.type != IT_WPN) return;
    const int flags = kind.wpn.flags;
    std::vector<int> rows;
    auto add = [&](int bit) { rows.push_back(wpn_flag_row(bit)); };
    if (flags & WF_LIGHT)
        add(WF_LIGHT);
    else if (flags & WF_DEX)
        add(WF_DEX);
    if (flags & WF_LONG) add(WF_LONG);
    if (flags & WF_BRACE) add(WF_BRACE);
    if (flags & WF_THROW_S) add(WF_THROW_S);
    if (flags & WF_THROW_B) add(WF_THROW_B);
    if (rows.empty()) return;
    Str lines;
    for (int r : rows) {
        const text_info_t* row = get_wpn_flag(r);
        lines.append_format(L"<c=g>%s: </c>%s\n<dy=8>", or_empty(row->n), or_empty(row->d));
    }
    lines.drop_back(7);
    out.append(L"<hr>");
    out.append(lines.buf);
}
