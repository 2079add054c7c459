#include "app/clipboard.h"

#include <SDL.h>

bool has_clipboard_text() { return SDL_HasClipboardText() == SDL_TRUE; }

Str get_clipboard_text() {
    char* s = SDL_GetClipboardText();
    Str r = utf8_to_str(s ? s : "");
    SDL_free(s);
    return r;
}

bool set_clipboard_text(const wchar_t* text) {
    return SDL_SetClipboardText(to_utf8_string(or_empty(text)).c_str()) == 0;
}
