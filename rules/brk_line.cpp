#include "rules/brk_line.h"

#include <cstdint>

#include "app/str.h"

void brk_line(Str& text, int v, const wchar_t* label) {
    const uint32_t clr = v > 0 ? 0xFF00FF00 : v < 0 ? 0xFFFF0000 : 0xFFFFFFFF;
    text.append_format(L"<c=#%08x>%+d</c>\t%s\n", clr, v, label ? label : L"");
}
