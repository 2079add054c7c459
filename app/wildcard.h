#pragma once
// File-name patterns: "*" any run (also empty), "?" exactly one character.

bool match_wildcard(const wchar_t* name, const wchar_t* pattern, bool case_sensitive);
// `patterns` separated by ";"; an empty list matches nothing.
bool match_wildcards(const wchar_t* name, const wchar_t* patterns, bool case_sensitive);
