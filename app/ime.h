#pragma once
// Text input and input-method composition. Committed text becomes the text
// event 0xA015; while an input method composes, its composition string (and a
// candidate list, on a platform that supplies one) is kept here; ui/ime_overlay.h
// draws it over the focused edit box.
#include <vector>

#include "app/evt.h"
#include "app/str.h"

union SDL_Event;

constexpr int ime_max_cands = 10;
constexpr int ime_cand_slot = 256;  // wide characters a candidate slot spans

// Installs the handler in the event translation and asks SDL for compositions
// of any length (by default it cuts them at 32 bytes).
void ime_start();

// Offered every SDL event before translation; true when it made `out`.
// SDL_TEXTINPUT becomes {0xA015, a = the committed wide text, b = 0}; the text
// stays valid until the next text input. Composition events make nothing.
bool ime_on_sdl_event(const SDL_Event* e, evt_t* out);

// Replaces the candidates from a block of slots ime_cand_slot characters apart;
// an empty slot ends the list. Null clears it.
void ime_set_cands(const wchar_t* block);
// Forgets the composition and the candidates.
void ime_clear();

bool ime_has_comp();
const Str& ime_comp();
const std::vector<Str>& ime_cands();
