#pragma once
// What the renderer's target holds, w x h from its top left (all of the
// window's output when w is 0), written to a PNG; false when that failed.
#include <SDL.h>
#include <SDL_image.h>

#include "app/render.h"

inline bool save_png(const char* path, int w = 0, int h = 0) {
    if (w == 0 && SDL_GetRendererOutputSize(get_renderer(), &w, &h) != 0) return false;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    const SDL_Rect r{0, 0, w, h};
    const bool ok = s && SDL_RenderReadPixels(get_renderer(), &r, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch) == 0 &&
                    IMG_SavePNG(s, path) == 0;
    SDL_FreeSurface(s);
    return ok;
}
