#include "screens/text/tip_resolve.h"

#include <vector>

#include "app/db.h"
#include "app/paths.h"
#include "app/text_info.h"
#include "app/tokens.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/enums.h"
#include "rules/itm_slot.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/u_cat.h"
#include "rules/urank.h"
#include "screens/text/itm_desc.h"
#include "screens/text/tip_refs.h"
#include "ui/tip.h"

namespace txt {

namespace {

constexpr int obj_tip_w = 256;  // pixels: power and item descriptions
const wchar_t* const ref_stops = L"> ";

// A whole decimal number, nothing after it.
bool whole_int(const Str& s, int* v) {
    const wchar_t* p = s.buf;
    const bool neg = *p == L'-';
    if (neg) ++p;
    long long n = 0;
    int digits = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p)
        if (++digits > 10 || (n = n * 10 + (*p - L'0')) > 2147483647LL) return false;
    if (digits == 0 || *p) return false;
    *v = int(neg ? -n : n);
    return true;
}

// The row of a "#" reference; null for an unknown kind or a row outside its table.
const text_info_t* table_row(const Str& kind, int n) {
    if (kind == L"abi") return n >= 0 && n < ABIS ? get_abi(n) : nullptr;
    if (kind == L"race") return n > 0 && n < RACE_COUNT ? get_race(n) : nullptr;
    if (kind == L"cls") return n > 0 && n < CLS_COUNT ? get_cls(n) : nullptr;
    if (kind == L"bld") return (n > 0 && n < BLD_COUNT) || n == BLD_CUSTOM ? get_bld(n) : nullptr;
    if (kind == L"usize") return n > 0 && n < U_SIZES ? get_u_size(n) : nullptr;
    if (kind == L"ucat") return n > 0 && n < U_CAT_COUNT ? &get_u_cat(n) : nullptr;
    if (kind == L"urank") return n > 0 && n < URANKS ? &get_urank(n) : nullptr;
    return nullptr;
}

bool set_desc(const wchar_t* d, Str* out) {
    if (!d || !*d) return false;
    out->assign(d);
    return true;
}

bool resolve_row(const wchar_t* rest, Str* out) {
    Str kind, num;
    wchar_t end = 0;
    if (read_pair_token(&rest, &kind, &num, L'_', ref_stops, 0, &end) != 2) return false;
    int n = 0;
    if (!whole_int(num, &n)) return false;
    const text_info_t* row = table_row(kind, n);
    return row && set_desc(row->d, out);
}

// A file name of the text folder: letters, digits and "_" only, so a reference
// cannot run a script from anywhere else.
bool plain_name(const Str& s) {
    if (s.empty()) return false;
    for (const wchar_t* p = s.buf; *p; ++p)
        if (!((*p >= L'a' && *p <= L'z') || (*p >= L'A' && *p <= L'Z') || (*p >= L'0' && *p <= L'9') || *p == L'_'))
            return false;
    return true;
}

bool resolve_text(const wchar_t* rest, Str* out) {
    std::vector<Str> toks;
    wchar_t end = 0;
    if (!read_token_list(&rest, &toks, L':', ref_stops, 0, &end) || toks.empty() || toks.back().empty())
        return false;
    const Str file = toks.size() == 1 ? Str(L"strs") : toks[0];
    // A missing file would show the player an error box at every new lookup.
    if (!plain_name(file) || !file_exists(db_text_dir() + file + L".lua")) return false;
    return set_desc(get_text_info(file + L":" + toks.back())->d, out);
}

bool resolve_obj(const wchar_t* rest, Str* out) {
    Str kind, val;
    wchar_t end = 0;
    if (read_pair_token(&rest, &kind, &val, L':', ref_stops, 0, &end) != 2) return false;
    if (kind == L"pwr") {
        const Pwr* p = pwr_of_ref(val);
        if (!p) return false;
        p->get_desc_text(*out);
        return true;
    }
    itm_slot_t it;
    if (kind != L"itm" || !itm_of_ref(val, &it)) return false;
    out->assign(itm_desc(it));
    return true;
}

}  // namespace

bool resolve_tip_ref(const wchar_t* text, Str* out, int* width) {
    if (!text) return false;
    Str t;
    switch (text[0]) {
    case L'#':
        if (!resolve_row(text + 1, &t)) return false;
        break;
    case L'$':
        if (!resolve_text(text + 1, &t)) return false;
        break;
    case L'&':
        if (!resolve_obj(text + 1, &t)) return false;
        if (width) *width = obj_tip_w;
        break;
    default: return false;
    }
    *out = std::move(t);
    return true;
}

void tip_resolve() {
    tip_req_t& r = get_tip_req();
    const wchar_t* text = !r.text.empty() ? r.text.buf : r.text_ptr;
    Str out;
    if (resolve_tip_ref(text, &out, &r.width)) r.text = std::move(out);
}

}  // namespace txt
