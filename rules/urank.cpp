#include "rules/urank.h"

#include <span>

#include "app/str.h"

namespace {
std::span<urank_t> uranks() {
    static urank_t rows[URANKS] = {
        {},
        {L"normal", 1, 0xFFFFFFFF},
        {L"elite", 2, 0xFFFFA500},
        {L"solo", 5, 0xFFFF0000},
        {L"minion", -4, 0xFF808080},
    };
    return rows;
}
}  // namespace

urank_t& get_urank(int id) { return uranks()[id >= 0 && id < URANKS ? id : 0]; }

Str& urank_lbl(Str& out, int id, bool bracket) {
    if (id == RANK_NORMAL) {
        out = L"";
        return out;
    }
    const urank_t& r = get_urank(id);
    out.format(bracket ? L"<c=#%08x>(%s)</c>" : L"<c=#%08x>%s</c>", uint32_t(r.clr), or_empty(r.n));
    return out;
}

std::vector<text_info_t*> urank_rows(int first, int last) {
    std::vector<text_info_t*> v;
    v.reserve(URANKS);
    for (int i = std::max(first, 0); i <= last && i < URANKS; ++i) v.push_back(&uranks()[i]);
    return v;
}
