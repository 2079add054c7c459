#include "app/render.h"

#include <SDL.h>

#include "app/img_cache.h"

namespace {

SDL_Window* wnd = nullptr;
SDL_Renderer* ren = nullptr;
uint8_t fade = 255;
int presents = 0;
rect clip;  // {0, 0, 0, 0}: no clipping
// Narrower opaque fills are blended (fill_rect): the software renderer's plain
// fill costs about as much per row as blending 80 pixels.
constexpr int opaque_fill_min_w = 96;

SDL_Rect to_sdl(const rect& r) { return {r.x, r.y, r.w, r.h}; }

// Tint and fade are texture state: every copy sets them anew.
bool prepare_tex(zg::tex_t* tex, const clr_t* mod) {
    if (!ren || !tex || !tex->tex) return false;
    const clr_t c = mod ? *mod : default_clr;
    SDL_SetTextureAlphaMod(tex->tex, faded_tex_alpha(c.a()));
    SDL_SetTextureColorMod(tex->tex, c.r(), c.g(), c.b());
    return true;
}

bool prepare_draw(const clr_t* c) {
    if (!ren) return false;
    const clr_t src = c ? *c : default_clr;
    const clr_t faded = (src.v & 0x00FFFFFFu) | uint32_t(faded_draw_alpha(src.a())) << 24;
    set_draw_clr(&faded, ren);
    return true;
}

}  // namespace

bool open_window() {
    presents = 0;
    wnd = create_main_wnd();
    if (!wnd) return false;
    ren = create_renderer(wnd);
    return ren != nullptr;
}

void close_window() {
    free_img_cache();
    if (ren) SDL_DestroyRenderer(ren);
    if (wnd) SDL_DestroyWindow(wnd);
    ren = nullptr;
    wnd = nullptr;
    clip = {};
}

SDL_Renderer* get_renderer() { return ren; }
SDL_Window* get_main_wnd() { return wnd; }

void clear_screen(const clr_t* c) {
    if (!ren) return;
    set_draw_clr(c ? c : &default_clr, ren);
    SDL_RenderClear(ren);
}

void present_frame() {
    if (!ren) return;
    SDL_RenderPresent(ren);
    ++presents;
}

int presented_frames() { return presents; }

uint8_t faded_tex_alpha(uint8_t a) { return fade == 255 ? a : uint8_t(fade * a / 255); }

uint8_t faded_draw_alpha(uint8_t a) { return uint8_t(int(a / 255.0 * (fade / 255.0) * 255.0)); }

void set_fade(uint8_t level) { fade = level; }

int draw_tex_clr(zg::tex_t* tex, const clr_t* mod, const rect* dst, const rect* src) {
    if (!prepare_tex(tex, mod)) return -1;
    const SDL_Rect d = dst ? to_sdl(*dst) : SDL_Rect{};
    const SDL_Rect s = src ? to_sdl(*src) : SDL_Rect{};
    return SDL_RenderCopy(ren, tex->tex, src ? &s : nullptr, dst ? &d : nullptr);
}

int draw_tex(zg::tex_t* tex, const rect* dst, const rect* src) { return draw_tex_clr(tex, &default_clr, dst, src); }

int draw_tex_ex(zg::tex_t* tex, const clr_t* mod, const rect* dst, const rect* src, double angle,
                const pt_t* centre, int flip) {
    if (!prepare_tex(tex, mod)) return -1;
    const SDL_Rect d = dst ? to_sdl(*dst) : SDL_Rect{};
    const SDL_Rect s = src ? to_sdl(*src) : SDL_Rect{};
    const SDL_Point c = centre ? SDL_Point{centre->x, centre->y} : SDL_Point{};
    return SDL_RenderCopyEx(ren, tex->tex, src ? &s : nullptr, dst ? &d : nullptr, angle, centre ? &c : nullptr,
                            SDL_RendererFlip(flip));
}

int draw_tex_9slice(const rect* dst, zg::tex_t* tex, const rect* src) {
    if (!prepare_tex(tex, &default_clr)) return -1;
    const size ts = tex->get_size();
    const rect s = src ? *src : rect{0, 0, ts.w, ts.h};
    const rect d = dst ? *dst : rect{0, 0, get_scrn_size()->w, get_scrn_size()->h};
    const int c = s.w / 4;
    const struct {
        SDL_Rect from, to;
    } parts9[9] = {
        {{s.x, s.y, c, c}, {d.x, d.y, c, c}},
        {{s.x + 3 * c, s.y, c, c}, {d.x + d.w - c, d.y, c, c}},
        {{s.x, s.y + 3 * c, c, c}, {d.x, d.y + d.h - c, c, c}},
        {{s.x + 3 * c, s.y + 3 * c, c, c}, {d.x + d.w - c, d.y + d.h - c, c, c}},
        {{s.x + c, s.y, 2 * c, c}, {d.x + c, d.y, d.w - 2 * c, c}},
        {{s.x + c, s.y + 3 * c, 2 * c, c}, {d.x + c, d.y + d.h - c, d.w - 2 * c, c}},
        {{s.x, s.y + c, c, 2 * c}, {d.x, d.y + c, c, d.h - 2 * c}},
        {{s.x + 3 * c, s.y + c, c, 2 * c}, {d.x + d.w - c, d.y + c, c, d.h - 2 * c}},
        {{s.x + c, s.y + c, 2 * c, 2 * c}, {d.x + c, d.y + c, d.w - 2 * c, d.h - 2 * c}},
    };
    int res = 0;
    for (const auto& p : parts9) res = SDL_RenderCopy(ren, tex->tex, &p.from, &p.to);
    return res;
}

int draw_line(int x1, int y1, int x2, int y2, const clr_t* c) {
    if (!prepare_draw(c)) return -1;
    return SDL_RenderDrawLine(ren, x1, y1, x2, y2);
}

int draw_rect(const rect* r, const clr_t* c) {
    if (!prepare_draw(c)) return -1;
    const SDL_Rect sr = r ? to_sdl(*r) : SDL_Rect{};
    return SDL_RenderDrawRect(ren, r ? &sr : nullptr);
}

int fill_rect(const rect* r, const clr_t* c) {
    if (!prepare_draw(c)) return -1;
    const SDL_Rect sr = r ? to_sdl(*r) : SDL_Rect{};
    uint8_t a = 255;
    SDL_GetRenderDrawColor(ren, nullptr, nullptr, nullptr, &a);
    // Blending a colour of alpha 0 leaves every pixel as it was, and one of
    // alpha 255 replaces it: the same pixels without the renderer's slow
    // per-pixel blending (a software renderer's big panels and invisible boxes).
    // A plain fill pays a fixed price per row, though, dearer than blending a
    // row narrower than opaque_fill_min_w: small opaque boxes are blended.
    if (a == 0) return 0;
    if (a < 255 || (r && r->w < opaque_fill_min_w)) return SDL_RenderFillRect(ren, r ? &sr : nullptr);
    SDL_SetRenderDrawBlendMode(ren, SDL_BLENDMODE_NONE);
    const int rc = SDL_RenderFillRect(ren, r ? &sr : nullptr);
    SDL_SetRenderDrawBlendMode(ren, SDL_BLENDMODE_BLEND);
    return rc;
}

int set_clip_rect(const rect* r) {
    clip = r ? *r : rect{};
    if (!ren) return -1;
    const SDL_Rect sr = to_sdl(clip);
    return SDL_RenderSetClipRect(ren, clip == rect{} ? nullptr : &sr);
}

bool clip_has_pt(const pt_t* p) { return clip == rect{} || clip.contains(*p); }

zg::tex_t* new_scaled_copy(zg::tex_t* tex, const rect* src, int w, int h) {
    if (!ren || !tex || !tex->tex || w < 1 || h < 1) return nullptr;
    auto* out = new zg::tex_t;
    if (!out->create({w, h}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET)) {
        delete out;
        return nullptr;
    }
    SDL_Texture* prev = SDL_GetRenderTarget(ren);
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    SDL_GetTextureBlendMode(tex->tex, &mode);
    bool ok = SDL_SetRenderTarget(ren, out->tex) == 0;
    if (ok) {
        SDL_SetTextureBlendMode(tex->tex, SDL_BLENDMODE_NONE);
        SDL_SetTextureAlphaMod(tex->tex, 255);
        SDL_SetTextureColorMod(tex->tex, 255, 255, 255);
        const SDL_Rect s = src ? to_sdl(*src) : SDL_Rect{};
        ok = SDL_RenderCopy(ren, tex->tex, src ? &s : nullptr, nullptr) == 0;
        SDL_SetTextureBlendMode(tex->tex, mode);
    }
    SDL_SetRenderTarget(ren, prev);
    if (!ok) {
        delete out;
        return nullptr;
    }
    SDL_SetTextureBlendMode(out->tex, SDL_BLENDMODE_BLEND);
    return out;
}

zg::tex_t* new_target_tex(const size& sz, int kind) {
    if (!ren || sz.w < 1 || sz.h < 1) return nullptr;
    auto* out = new zg::tex_t;
    if (kind != TARGET_OPAQUE) {
        if (out->create(sz, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET)) return out;
        delete out;
        return nullptr;
    }
    const uint32_t fmt = wnd ? SDL_GetWindowPixelFormat(wnd) : uint32_t(SDL_PIXELFORMAT_UNKNOWN);
    SDL_Texture* raw = nullptr;
    if (fmt != SDL_PIXELFORMAT_UNKNOWN) raw = SDL_CreateTexture(ren, fmt, SDL_TEXTUREACCESS_TARGET, sz.w, sz.h);
    if (!raw) raw = SDL_CreateTexture(ren, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, sz.w, sz.h);
    if (!raw) {
        delete out;
        return nullptr;
    }
    SDL_SetTextureBlendMode(raw, SDL_BLENDMODE_NONE);
    out->tex = raw;
    return out;
}

render_into_t::render_into_t(zg::tex_t* tex, const clr_t* clear) : before_(ren ? SDL_GetRenderTarget(ren) : nullptr) {
    set_render_target(tex, clear);
}

render_into_t::~render_into_t() {
    if (ren) SDL_SetRenderTarget(ren, before_);
}

void set_render_target(zg::tex_t* tex, const clr_t* clear) {
    if (!ren) return;
    if (!tex || !tex->tex) {
        SDL_SetRenderTarget(ren, nullptr);
        return;
    }
    if (SDL_SetRenderTarget(ren, tex->tex) != 0) return;
    const clr_t c = clear ? *clear : clr_t{};
    if (c.v == 0) SDL_SetTextureBlendMode(tex->tex, SDL_BLENDMODE_BLEND);
    set_draw_clr(&c, ren);
    SDL_RenderClear(ren);
}
