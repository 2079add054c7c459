#include "app/str.h"
#include "rules/pwr.h"

namespace {
const wchar_t* or_empty(const wchar_t* s) { return s ? s : L""; }
}  // namespace

// TODO: the conditions line, the action cost, range, area and warnings wait for
// the class and condition tables; the name and the effect text stand already.
Str& Pwr::get_tip_text(Str& out) const {
    out.format(L"<c=w><h2 c=lbl>%s</h2>\n<c=lbl>使用：</c>%s\n\n<c=lbl>效果：</c>%s</c>", or_empty(n),
               get_kind() == 1 ? L"<c=a>被动</c>" : L"<c=y>主动</c>", or_empty(d));
    return out;
}

Str& Pwr::get_desc_text(Str& out) const { return get_tip_text(out); }
Str& act_t::get_tip_text(Str& out) const { return Pwr::get_tip_text(out); }
Str& act_t::get_desc_text(Str& out) const { return Pwr::get_tip_text(out); }
