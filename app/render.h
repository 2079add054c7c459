#pragma once
// All drawing goes through one renderer with alpha blending. A process-wide
// fade level dims everything drawn; the clip rectangle and the render target
// hold until changed.
#include <cstdint>

#include "app/platform.h"
#include "app/tex.h"
#include "app/types.h"

// The main window and its renderer; false when either could not be made.
bool open_window();
// Frees the image cache, then the renderer and the window.
void close_window();
SDL_Renderer* get_renderer();
SDL_Window* get_main_wnd();

// Opaque white: the colour used when none is given.
constexpr clr_t default_clr{0xFFFFFFFFu};

void clear_screen(const clr_t* c);
void present_frame();
// Frames presented since the window opened.
int presented_frames();

// Null dst is the whole target, null src the whole texture. Each returns SDL's result.
int draw_tex_clr(zg::tex_t* tex, const clr_t* mod, const rect* dst, const rect* src);
int draw_tex(zg::tex_t* tex, const rect* dst, const rect* src);
// Angle in degrees clockwise about centre (relative to dst; null is dst's middle).
int draw_tex_ex(zg::tex_t* tex, const clr_t* mod, const rect* dst, const rect* src, double angle,
                const pt_t* centre, int flip);
// A square skin of 4c by 4c: corners of c keep their size, edges and centre stretch.
int draw_tex_9slice(const rect* dst, zg::tex_t* tex, const rect* src);

int draw_line(int x1, int y1, int x2, int y2, const clr_t* c);
int draw_rect(const rect* r, const clr_t* c);
// Null r fills the whole target.
int fill_rect(const rect* r, const clr_t* c);

// Null or {0, 0, 0, 0} turns clipping off.
int set_clip_rect(const rect* r);
bool clip_has_pt(const pt_t* p);

// 255 draws as given, 0 draws nothing.
void set_fade(uint8_t level);
// The alpha that a colour of alpha a gets at the current fade, for textures and for shapes.
uint8_t faded_tex_alpha(uint8_t a);
uint8_t faded_draw_alpha(uint8_t a);

// A new texture of w x h holding the src rectangle of tex (null: all of it)
// scaled, its pixels copied rather than blended, so transparency stays as it
// was; drawn later with blending. The caller owns it; null when it cannot be
// made. The render target in use stays. Drawing a picture at its final size
// skips the renderer's slow scaling path on every frame.
zg::tex_t* new_scaled_copy(zg::tex_t* tex, const rect* src, int w, int h);

// Null tex draws to the screen again. Otherwise drawing goes into tex, which
// is cleared to `clear`; the all-zero colour (or null) clears it to transparent.
void set_render_target(zg::tex_t* tex, const clr_t* clear);

// Kinds of texture to draw into. A see-through one is ARGB8888 and blends
// when drawn. An opaque layer has the window's own pixel format (ARGB8888
// when the window has none) and is copied without blending: a layer copied
// every frame is then a plain row copy on the software renderer.
enum : int { TARGET_SEE_THROUGH = 0, TARGET_OPAQUE = 1 };
// The caller owns the texture; null when it cannot be made.
zg::tex_t* new_target_tex(const size& sz, int kind);

// While it lives, drawing goes into tex, cleared as set_render_target clears
// it; then the target in use before is back.
class render_into_t {
public:
    render_into_t(zg::tex_t* tex, const clr_t* clear);
    ~render_into_t();
    render_into_t(const render_into_t&) = delete;
    render_into_t& operator=(const render_into_t&) = delete;

private:
    SDL_Texture* before_ = nullptr;
};
