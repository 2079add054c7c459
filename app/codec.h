#pragma once
// Conversions between UTF-8, wide text (wchar_t is UTF-32 here) and UTF-16.
// UTF-16 appears only at file boundaries (save records, config.ini); UTF-8 is
// the program's 8-bit encoding for Lua, SDL and file names.
//
// Nothing here throws on bad input: malformed UTF-8 (stray continuation bytes,
// overlong forms, truncated sequences, encoded surrogates), lone surrogates and
// values above 0x10FFFF each become U+FFFD. A high and low surrogate that stand
// next to each other in wide text are joined, so text that was never decoded
// from UTF-16 still comes out whole.
#include <cstddef>
#include <string>
#include <string_view>

constexpr char32_t codec_replacement = 0xFFFD;

std::string utf8_from_wide(std::wstring_view w);
// Bytes of the sequence that `lead` starts: 1 for ASCII and for a byte that
// starts no valid sequence (it decodes alone, as U+FFFD).
int utf8_seq_len(unsigned char lead);
std::wstring wide_from_utf8(std::string_view s);
void append_wide_from_utf8(std::wstring& out, std::string_view s);

std::u16string utf16_from_wide(std::wstring_view w);
std::wstring wide_from_utf16(std::u16string_view s);

// Raw UTF-16LE bytes, without a byte-order mark. An odd trailing byte reads as
// U+FFFD.
std::string utf16le_from_wide(std::wstring_view w);
std::wstring wide_from_utf16le(const void* data, size_t n_bytes);
