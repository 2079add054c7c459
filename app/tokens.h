#pragma once
// Readers for keys and values in mark-up and reference texts. Each reads from
// the wide text *cur points to and moves *cur past what it consumed; none moves
// past the terminator. Flags bit 0: the text must end with a stop character.
#include <vector>

class Str;

constexpr int TOK_NEED_STOP = 1;

// True when the reader should stop at p (p itself is not consumed).
using tok_pred_t = bool (*)(const wchar_t* p);

// Characters up to one of stops (consumed, reported in end_ch) or the end (0).
// Returns the count, or -1 at the end with TOK_NEED_STOP.
int read_until(const wchar_t** cur, Str* out, const wchar_t* stops, int flags, wchar_t* end_ch);
// Characters up to quote, which is consumed; -1 at the end, the cursor on it.
int read_quoted(const wchar_t** cur, Str* out, wchar_t quote);
// Characters up to where pred holds; -1 at the end.
int read_until_pred(const wchar_t** cur, Str* out, tok_pred_t pred);
// "[[" text "]]": true with the text and its length; false (nothing consumed) otherwise.
bool read_bracketed(const wchar_t** cur, Str* out, int* len);
// A value: "quoted", 'quoted', [[bracketed]] (stops and quotes kept) or plain up to stops.
int read_value(const wchar_t** cur, Str* out, const wchar_t* stops, int flags, wchar_t* end_ch);
// key, or key sep value: 0 nothing read, 1 a key alone, 2 a key and its value.
int read_pair_token(const wchar_t** cur, Str* first, Str* second, wchar_t sep, const wchar_t* stops, int flags,
                    wchar_t* end_ch);
// Tokens separated by sep up to another stop character or the end (empty tokens kept).
bool read_token_list(const wchar_t** cur, std::vector<Str>* out, wchar_t sep, const wchar_t* stops, int flags,
                     wchar_t* end_ch);
