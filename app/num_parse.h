#pragma once
// Numbers of a fixed count of digits, and the digits that start a text.

// Exactly the first n characters as decimal / hexadecimal digits; false when
// any is not a digit, n is out of range, or the value does not fit.
bool parse_int_n(const wchar_t* s, int n, int* out);
bool parse_hex_n(const wchar_t* s, int n, unsigned* out);
// The unsigned run of digits at the start of s; *end after it.
bool parse_leading_int(int* out, const wchar_t* s, const wchar_t** end);
