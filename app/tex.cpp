#include "app/tex.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "app/platform.h"
#include "app/render.h"
#include "app/sys.h"

namespace zg {

namespace {

// Copies the surface's pixels row by row: the texture's pitch may differ.
bool upload(SDL_Texture* t, SDL_Surface* s) {
    void* px = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(t, nullptr, &px, &pitch) != 0) return SDL_UpdateTexture(t, nullptr, s->pixels, s->pitch) == 0;
    const int row = s->w * s->format->BytesPerPixel;
    for (int y = 0; y < s->h; ++y)
        std::memcpy(static_cast<uint8_t*>(px) + y * pitch, static_cast<const uint8_t*>(s->pixels) + y * s->pitch, row);
    SDL_UnlockTexture(t);
    return true;
}

SDL_Texture* texture_from_surface(SDL_Renderer* ren, SDL_Surface* s, int access) {
    SDL_Texture* t = SDL_CreateTexture(ren, s->format->format, access, s->w, s->h);
    SDL_Surface* conv = nullptr;
    // Renderers take no palette formats: an 8-bit image would otherwise fail to load.
    if (!t) {
        conv = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
        if (!conv) return nullptr;
        s = conv;
        t = SDL_CreateTexture(ren, s->format->format, access, s->w, s->h);
    }
    if (t) {
        const bool must_lock = SDL_MUSTLOCK(s);
        if (must_lock) SDL_LockSurface(s);
        const bool ok = upload(t, s);
        if (must_lock) SDL_UnlockSurface(s);
        if (!ok) {
            SDL_DestroyTexture(t);
            t = nullptr;
        }
    }
    if (conv) SDL_FreeSurface(conv);
    return t;
}

}  // namespace

tex_t::~tex_t() { reset(nullptr); }

void tex_t::reset(SDL_Texture* t) {
    if (tex) SDL_DestroyTexture(tex);
    tex = t;
}

bool tex_t::load(const wchar_t* path, int access) {
    SDL_Renderer* ren = get_renderer();
    if (!ren || !path) return false;
    if (access == 0) {
        // IMG_LoadTexture's steps, through load_surface so that an image decoded at start-up is taken.
        SDL_Surface* s = load_surface(path);
        reset(s ? SDL_CreateTextureFromSurface(ren, s) : nullptr);
        if (s) SDL_FreeSurface(s);
        return tex != nullptr;
    }
    SDL_Surface* s = load_surface(path);
    if (!s) return false;
    SDL_Texture* t = texture_from_surface(ren, s, access);
    if (t) {
        uint8_t r = 255, g = 255, b = 255, a = 255;
        SDL_GetSurfaceColorMod(s, &r, &g, &b);
        SDL_GetSurfaceAlphaMod(s, &a);
        SDL_SetTextureColorMod(t, r, g, b);
        SDL_SetTextureAlphaMod(t, a);
        SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
        if (!SDL_HasColorKey(s)) SDL_GetSurfaceBlendMode(s, &mode);
        SDL_SetTextureBlendMode(t, mode);
    }
    SDL_FreeSurface(s);
    reset(t);
    return tex != nullptr;
}

bool tex_t::create(const size& sz, int kind, int access) {
    SDL_Renderer* ren = get_renderer();
    if (!ren) return false;
    uint32_t fmt = 0;
    if (kind == TEX_ARGB8888)
        fmt = SDL_PIXELFORMAT_ARGB8888;
    else if (kind == TEX_ARGB1555)
        fmt = SDL_PIXELFORMAT_ARGB1555;
    else
        return false;
    const size* max = get_max_tex_size();
    // The software renderer reports 0, which means no limit.
    if (sz.w < 1 || sz.h < 1 || (max->w > 0 && sz.w > max->w) || (max->h > 0 && sz.h > max->h)) return false;
    reset(SDL_CreateTexture(ren, fmt, access, sz.w, sz.h));
    return tex != nullptr;
}

size tex_t::get_size() const {
    size s;
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, &s.w, &s.h);
    return s;
}

int tex_t::get_format_kind() const {
    uint32_t fmt = 0;
    if (!tex || SDL_QueryTexture(tex, &fmt, nullptr, nullptr, nullptr) != 0) return 0;
    switch (fmt) {
        case SDL_PIXELFORMAT_ARGB8888:
        case SDL_PIXELFORMAT_RGBA8888:
        case SDL_PIXELFORMAT_ABGR8888:
        case SDL_PIXELFORMAT_BGRA8888: return TEX_ARGB8888;
        case SDL_PIXELFORMAT_ARGB1555: return TEX_ARGB1555;
        default: return 0;
    }
}

int tex_t::get_access() const {
    int access = 0;
    if (tex) SDL_QueryTexture(tex, nullptr, &access, nullptr, nullptr);
    return access;
}

void* tex_t::lock(const rect* r, int* pitch) {
    if (!tex) return nullptr;
    const SDL_Rect sr = r ? SDL_Rect{r->x, r->y, r->w, r->h} : SDL_Rect{};
    void* px = nullptr;
    int p = 0;
    if (SDL_LockTexture(tex, r ? &sr : nullptr, &px, &p) != 0) return nullptr;
    if (pitch) *pitch = p;
    return px;
}

void tex_t::unlock() {
    if (tex) SDL_UnlockTexture(tex);
}

bool tex_t::touch(const rect* r) {
    if (!lock(r)) return false;
    unlock();
    return true;
}

}  // namespace zg
