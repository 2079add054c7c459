#include "app/ime.h"

#include <SDL.h>

#include <cwchar>
#include <string>

#include "app/platform.h"

namespace {
Str comp;
std::vector<Str> cands;
// The committed text the last 0xA015 points into.
Str text_buf;

void set_comp_utf8(const char* text) {
    // An empty composition is the input method's "done" or "cancelled".
    if (!text || !*text)
        ime_clear();
    else
        comp = utf8_to_str(text);
}
}  // namespace

void ime_start() {
    set_text_input_handler(ime_on_sdl_event);
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
}

bool ime_on_sdl_event(const SDL_Event* e, evt_t* out) {
    if (!e) return false;
    switch (e->type) {
    case SDL_TEXTEDITING: set_comp_utf8(e->edit.text); return false;
    case SDL_TEXTEDITING_EXT:
        set_comp_utf8(e->editExt.text);
        // The long form's text is ours to free once read.
        SDL_free(e->editExt.text);
        return false;
    case SDL_TEXTINPUT:
        text_buf = utf8_to_str(e->text.text);
        *out = {EVT_TEXT, reinterpret_cast<intptr_t>(text_buf.c_str()), 0};
        return true;
    default: return false;
    }
}

void ime_set_cands(const wchar_t* block) {
    cands.clear();
    if (!block) return;
    for (int i = 0; i < ime_max_cands; ++i) {
        const wchar_t* slot = block + i * ime_cand_slot;
        // A slot without its terminator is cut at the slot's end, never read past it.
        const size_t n = wcsnlen(slot, ime_cand_slot);
        if (n == 0) break;
        cands.emplace_back(std::wstring(slot, n).c_str());
    }
}

void ime_clear() {
    comp = L"";
    cands.clear();
}

bool ime_has_comp() { return !comp.empty(); }
const Str& ime_comp() { return comp; }
const std::vector<Str>& ime_cands() { return cands; }
