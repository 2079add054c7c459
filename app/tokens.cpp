#include "app/tokens.h"

#include <cwchar>

#include "app/str.h"

namespace {

bool is_stop(wchar_t c, const wchar_t* stops) { return stops && c && std::wcschr(stops, c); }

// The character after a quoted or bracketed value ends it: consumed and reported.
void take_end(const wchar_t** cur, wchar_t* end_ch) {
    const wchar_t c = **cur;
    if (c) ++*cur;
    if (end_ch) *end_ch = c;
}

bool at_close_pair(const wchar_t* p) { return p[0] == L']' && p[1] == L']'; }

// stops with sep added, for readers that must also halt at a separator.
Str stops_with(const wchar_t* stops, wchar_t sep) {
    Str s(stops);
    s.append_char(sep);
    return s;
}

}  // namespace

int read_until(const wchar_t** cur, Str* out, const wchar_t* stops, int flags, wchar_t* end_ch) {
    out->assign(L"");
    const wchar_t* p = *cur;
    const wchar_t* start = p;
    while (*p && !is_stop(*p, stops)) ++p;
    out->assign_sub(start, 0, int(p - start));
    const wchar_t c = *p;
    if (c) ++p;
    *cur = p;
    if (end_ch) *end_ch = c;
    if (!c && (flags & TOK_NEED_STOP)) return -1;
    return out->length();
}

int read_quoted(const wchar_t** cur, Str* out, wchar_t quote) {
    out->assign(L"");
    const wchar_t* p = *cur;
    const wchar_t* start = p;
    while (*p && *p != quote) ++p;
    out->assign_sub(start, 0, int(p - start));
    if (!*p) {
        *cur = p;
        return -1;
    }
    *cur = p + 1;
    return out->length();
}

int read_until_pred(const wchar_t** cur, Str* out, tok_pred_t pred) {
    out->assign(L"");
    const wchar_t* p = *cur;
    const wchar_t* start = p;
    while (*p && !pred(p)) ++p;
    out->assign_sub(start, 0, int(p - start));
    *cur = p;
    return *p ? out->length() : -1;
}

bool read_bracketed(const wchar_t** cur, Str* out, int* len) {
    const wchar_t* p = *cur;
    if (p[0] != L'[' || p[1] != L'[') return false;
    p += 2;
    const int n = read_until_pred(&p, out, at_close_pair);
    if (n < 0) {
        // An unclosed pair consumes nothing, so the caller can read the text plainly.
        out->assign(L"");
        return false;
    }
    *cur = p + 2;
    if (len) *len = n;
    return true;
}

int read_value(const wchar_t** cur, Str* out, const wchar_t* stops, int flags, wchar_t* end_ch) {
    const wchar_t q = **cur;
    if (q == L'"' || q == L'\'') {
        const wchar_t* p = *cur + 1;
        const int n = read_quoted(&p, out, q);
        *cur = p;
        if (n < 0) return -1;
        if (n > 0) {
            take_end(cur, end_ch);
            return n;
        }
        // An empty quoted value is not taken: what follows it is the value.
    }
    int len = 0;
    if (read_bracketed(cur, out, &len)) {
        take_end(cur, end_ch);
        return len;
    }
    return read_until(cur, out, stops, flags, end_ch);
}

int read_pair_token(const wchar_t** cur, Str* first, Str* second, wchar_t sep, const wchar_t* stops, int flags,
                    wchar_t* end_ch) {
    second->assign(L"");
    wchar_t stop = 0;
    const int n = read_until(cur, first, stops_with(stops, sep).buf, flags, &stop);
    if (n <= 0) return 0;
    if (sep && stop == sep) {
        wchar_t vend = 0;
        if (read_value(cur, second, stops, flags, &vend) < 0) return 0;
        if (end_ch) *end_ch = vend;
        return 2;
    }
    if (end_ch) *end_ch = stop;
    return 1;
}

bool read_token_list(const wchar_t** cur, std::vector<Str>* out, wchar_t sep, const wchar_t* stops, int flags,
                     wchar_t* end_ch) {
    out->clear();
    const Str all = stops_with(stops, sep);
    for (;;) {
        Str tok;
        wchar_t stop = 0;
        read_until(cur, &tok, all.buf, 0, &stop);
        out->push_back(tok);
        if (stop == sep && sep) continue;
        if (end_ch) *end_ch = stop;
        return stop || !(flags & TOK_NEED_STOP);
    }
}
