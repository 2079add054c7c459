#pragma once
// The tooltip hook: just before a tip is shown, a reference in its text is
// replaced by the text it names. References (docs/design.md):
//   "#kind_n"         the description of row n of a rules table; kinds abi,
//                     race, cls, bld, usize, ucat, urank
//   "$key", "$file:key"  the description of a text record of text/<lang>/<file>.lua ("strs" by default)
//   "&pwr:..", "&itm:.."  a power's description or an item's (screens/text/tip_refs.h)
// A text that is no reference, or a reference that names nothing (an unknown
// kind, a row outside its table, a missing file or an empty description),
// stays as it is.
#include "app/str.h"

namespace txt {

// The text a reference stands for: true with out (and, for "&" references,
// width 256) when text resolves; false otherwise, out and width untouched.
bool resolve_tip_ref(const wchar_t* text, Str* out, int* width);
// The hook itself: resolves the tooltip request (get_tip_req) in place.
void tip_resolve();

}  // namespace txt
