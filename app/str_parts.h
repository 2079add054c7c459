#pragma once
// Finding, splitting and trimming wide text.
#include <vector>

#include "app/str.h"

// Index of the first c at or after `from`; -1 when none or `from` lies outside the text.
int str_find_chr(const wchar_t* s, wchar_t c, int from);
bool str_ends_with(const wchar_t* s, const wchar_t* tail);
// Parts between separators, empty ones kept; null or empty text gives none.
std::vector<Str> str_split(const wchar_t* text, const wchar_t* sep);
// As str_split into a cleared `out`, but an empty text gives one empty part.
void str_split_into(const wchar_t* text, std::vector<Str>& out, const wchar_t* sep);
void str_trim_left(wchar_t* s);
void str_trim_right(wchar_t* s);
