#pragma once
// What the game could not read or use (a setting, an image, a sound), said
// once a start in the log (standard error), in the player's language: the line
// is strs.notes.<key> of the text tables with the values put in its "%s".
// Notes made before the texts are loaded wait for them.
#include <vector>

#include "app/str.h"

// The text at path of the text tables (as db_get_str with "strs"), each "%s"
// replaced by the next value (none left: nothing) and "%%" by "%". Texts are
// the player's to edit: no other conversion is read, so none can fail.
Str strs_fill(const wchar_t* path, const std::vector<Str>& values);

void note_trouble(const wchar_t* key, const std::vector<Str>& values);
// The start-up calls it once the texts are loaded: the waiting notes are said.
void notes_ready();
// A new start: nothing said yet, notes wait for the texts again.
void reset_notes();
// The lines said since the last reset, in order.
const std::vector<Str>& said_notes();
