#pragma once
// Text the player typed (names of characters and parties), made safe to stand
// inside mark-up: it shows as typed, never as tags.
#include "app/str.h"

// "<", ">", quotes and "]" become character tags ("<ch=60>"), so the text stays
// literal also inside a quoted tooltip value; control characters become
// blanks, as the edit box shows them.
Str markup_lit(const wchar_t* text);
