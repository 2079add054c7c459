#pragma once
// Names of characters and parties as the player gives them, and the random
// name a new character is offered.

// Characters a typed name holds at most; longer names break the sheets and strips.
constexpr int NAME_MAX_CHARS = 24;

// A typed name holds something besides blanks.
bool is_name_given(const wchar_t* name);
// One of the Lua text "u_names" (names separated by ";", empty ones dropped),
// drawn with the game's generator; "未命名" when the list is empty. Valid until exit.
const wchar_t* rnd_u_name();
