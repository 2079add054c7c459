#pragma once
// The help dialog, the game's encyclopedia: a tree of topics from the text
// table "help/items" (some filled from the rules tables: races, classes,
// abilities, feats, spells) beside the chosen topic's text. Made on the first
// opening and kept; opened from the main menu, the arena hub, the system
// menu and every "help:<topic>" link.

// Runs the dialog modally, at the topic whose key is `topic` when one is
// given (null: where it was left). False only when that topic does not exist;
// the selection then stays.
bool help_open(const wchar_t* topic);

// The link handler for "help:<topic>": takes exactly that form (two parts,
// the first "help"), opens the dialog and writes help_open's answer to
// *result; anything else is not its own (false).
bool help_link(const wchar_t* link, bool* result);
