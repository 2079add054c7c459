#include "screens/text/tip_refs.h"

#include <cstdint>

#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"
#include "rules/pwr.h"
#include "screens/text/pwr_desc.h"

namespace txt {

namespace {

// A decimal int32 with an optional "-" at *p; false for anything else or a value that does not fit.
bool read_dec(const wchar_t** p, int32_t* v) {
    const wchar_t* s = *p;
    const bool neg = *s == L'-';
    if (neg) ++s;
    int64_t n = 0;
    int digits = 0;
    for (; *s >= L'0' && *s <= L'9'; ++s) {
        if (++digits > 10) return false;
        n = n * 10 + (*s - L'0');
    }
    if (digits == 0) return false;
    if (neg) n = -n;
    if (n < INT32_MIN || n > INT32_MAX) return false;
    *v = int32_t(n);
    *p = s;
    return true;
}

}  // namespace

Str pwr_tip_ref(const Pwr* p) { return p ? Str(L"&pwr:%d", p->id) : Str(); }

Str itm_tip_ref(const itm_slot_t& s) {
    return Str(L"&itm:%d.%d.%d.%d.%d.%d.%d.%d", s.id, s.bonus, s.ies[0], s.ies[1], s.ies[2], s.ies[3], s.ex, s.cnt);
}

Str& pwr_link(Str& out, int pwr) {
    const Pwr* p = get_pwr(pwr);
    if (!p) return out.assign(L"");
    out.format(L"<tip=%s>%s</tip>", pwr_tip_ref(p), pwr_line(*p));
    return out;
}

Str& itm_link(Str& out, const itm_slot_t& s) {
    Str name;
    out.format(L"<tip=%s>%s</tip>", itm_tip_ref(s), s.get_name(name));
    return out;
}

const Pwr* pwr_of_ref(const wchar_t* val) {
    int32_t id = 0;
    if (!val || !read_dec(&val, &id) || *val) return nullptr;
    return get_pwr(id);
}

bool itm_of_ref(const wchar_t* val, itm_slot_t* out) {
    if (!val) return false;
    int32_t w[8];
    for (int i = 0; i < 8; ++i) {
        if (i > 0 && *val++ != L'.') return false;
        if (!read_dec(&val, &w[i])) return false;
    }
    if (*val) return false;
    if (w[0] <= 0 || !itm_valid_id(w[0])) return false;
    for (int i = 2; i < 6; ++i)
        if (w[i] != 0 && !ie_valid_id(w[i])) return false;
    itm_slot_t s;
    s.id = w[0], s.bonus = w[1];
    for (int i = 0; i < 4; ++i) s.ies[i] = w[2 + i];
    s.ex = w[6], s.cnt = w[7];
    *out = s;
    return true;
}

}  // namespace txt
