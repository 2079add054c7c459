#include "app/markup_lit.h"

Str markup_lit(const wchar_t* text) {
    Str out;
    if (!text) return out;
    for (const wchar_t* p = text; *p; ++p) {
        const wchar_t c = *p;
        if (c == L'<' || c == L'>' || c == L'\'' || c == L'"' || c == L']')
            out.append_format(L"<ch=%d>", int(c));
        else if (c < 32 || c == 127)
            out.append_char(L' ');
        else
            out.append_char(c);
    }
    return out;
}
