#pragma once
// The system clipboard as wide text (UTF-8 on the SDL side).
#include "app/str.h"

bool has_clipboard_text();
// Empty when the clipboard holds no text.
Str get_clipboard_text();
// True when the clipboard took the text.
bool set_clipboard_text(const wchar_t* text);
