#include "app/platform.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cwctype>

#include "app/ini.h"
#include "app/notes.h"
#include "app/paths.h"
#include "app/preload.h"
#include "app/seams.h"
#include "app/sentinels.h"
#include "app/str.h"
#include "app/sys.h"

namespace {

// Used only when SDL cannot tell the desktop size either.
constexpr size last_resort_wnd_size{1024, 768};
constexpr int max_wnd_side = 16384;
// Room left on the desktop for the window frame and the task bar.
constexpr int frame_room_w = 16;
constexpr int frame_room_h = 78;
// "no cursor applied yet"
constexpr int no_cursor = UNLIMITED;

size scrn_size;
size max_tex_size{-1, -1};

std::vector<SDL_Cursor*> cursors;
int cur_cursor = no_cursor;

sdl_evt_handler_t text_input_handler = nullptr;

struct last_press_t {
    bool any = false;
    uint32_t tick = 0;
    int x = 0;
    int y = 0;
} last_press;

constexpr const wchar_t* cursor_names[CUR_COUNT] = {
    L"default", L"wait",  L"hand",   L"drag",  L"mov",    L"shift", L"block", L"defend", L"end_turn", L"atk",
    L"atk_c",   L"atk_s", L"shot",   L"shot_c", L"shot_s", L"spl",   L"spl_c", L"spl_s",  L"enter",    L"leave",
};

// Reads an optionally signed decimal as swscanf's %d would, after blanks;
// overflow counts as no number.
bool scan_int(const wchar_t*& p, int* out) {
    while (std::iswspace(*p)) ++p;
    bool neg = false;
    if (*p == L'+' || *p == L'-') neg = *p++ == L'-';
    if (*p < L'0' || *p > L'9') return false;
    long long v = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        v = v * 10 + (*p - L'0');
        if (v > INT_MAX) return false;
    }
    *out = int(neg ? -v : v);
    return true;
}

bool usable(const size& s) { return s.w > 0 && s.h > 0; }

}  // namespace

// ---- libraries ----

bool init_sdl_libs() { return init_sdl() && init_img_ttf(); }

bool init_sdl() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL could not start: %s\n", SDL_GetError());
        return false;
    }
    // Failing any of these costs sound or game pads, never the game.
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_HAPTIC | SDL_INIT_GAMECONTROLLER);
    if (!SDL_SetHint(SDL_HINT_RENDER_VSYNC, "1")) std::printf("WARNING: VSync not enabled!");
    if (!SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1")) std::printf("WARNING: Linear texture filtering not enabled!");
    return true;
}

bool init_img_ttf() {
    if (!(IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG)) {
        std::printf("SDL_image could not initialize! SDL_image Error: %s\n", SDL_GetError());
        return false;
    }
    if (TTF_Init() == -1) {
        std::fprintf(stderr, "SDL_ttf could not start: %s\n", TTF_GetError());
        return false;
    }
    return true;
}

void quit_sdl_libs() {
    TTF_Quit();
    IMG_Quit();
    SDL_Quit();
}

// ---- window and renderer ----

bool parse_wnd_size(const wchar_t* text, size* out) {
    if (!text) return false;
    const wchar_t* p = text;
    size s;
    if (!scan_int(p, &s.w) || *p++ != L'x' || !scan_int(p, &s.h)) return false;
    *out = s;
    return true;
}

size pick_default_wnd_size(const size& desktop, const std::vector<size>& modes) {
    size best{-1, -1};
    long long best_area = -1;
    for (const size& m : modes) {
        if (m.w + frame_room_w > desktop.w || m.h + frame_room_h > desktop.h) continue;
        const long long area = (long long)m.w * m.h;
        if (area > best_area) {
            best = m;
            best_area = area;
        }
    }
    // No mode fits (a small desktop, or only its native mode): use the desktop.
    if (!usable(best)) best = desktop;
    return usable(best) ? best : last_resort_wnd_size;
}

bool fits_room(const size& s, const size& room) { return !usable(room) || (s.w <= room.w && s.h <= room.h); }

size choose_wnd_size(bool full_screen, const wchar_t* windowed_size, const size& desktop, const size& room,
                     const std::vector<size>& modes) {
    if (full_screen) return usable(desktop) ? desktop : last_resort_wnd_size;
    size s;
    // A value that is not two positive numbers would open a 0 by 0 window; SDL opens none past 16384; a
    // window larger than the screen would open off its edges with the hub's buttons out of reach.
    if (parse_wnd_size(windowed_size, &s) && usable(s) && s.w <= max_wnd_side && s.h <= max_wnd_side &&
        fits_room(s, room))
        return s;
    return pick_default_wnd_size(desktop, modes);
}

size get_display_size(int display) {
    size s;
    return seams().display_size(display, false, &s.w, &s.h) ? s : size{};
}

size get_usable_size(int display) {
    size s;
    return seams().display_size(display, true, &s.w, &s.h) ? s : get_display_size(display);
}

void get_display_modes(std::vector<size>* out, int display) {
    out->clear();
    const int n = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < n; ++i) {
        SDL_DisplayMode m{};
        if (SDL_GetDisplayMode(display, i, &m) != 0) continue;
        const size s{m.w, m.h};
        bool seen = false;
        for (const size& o : *out) seen = seen || o == s;
        if (!seen) out->push_back(s);
    }
}

size get_default_wnd_size() {
    std::vector<size> modes;
    get_display_modes(&modes, 0);
    return pick_default_wnd_size(get_display_size(0), modes);
}

SDL_Window* create_main_wnd() {
    const bool full = CZsConfig::instance().get_int(L"full_screen", 1, L"Main") != 0;
    const Str wanted = config_get_string(L"windowed_size", L"", L"Main");
    std::vector<size> modes;
    if (!full) get_display_modes(&modes, 0);
    const size room = get_usable_size(0);
    const size s = choose_wnd_size(full, wanted, get_display_size(0), room, modes);
    size asked;
    const Str used(L"%dx%d", s.w, s.h);
    // The file keeps what the player wrote: the size may fit another screen.
    if (!full && !wanted.empty() && !(parse_wnd_size(wanted, &asked) && asked == s)) {
        if (usable(asked) && !fits_room(asked, room))
            note_trouble(L"wnd_size", {wanted, Str(L"%dx%d", room.w, room.h), used});
        else
            note_trouble(L"cfg_value", {Str(L"windowed_size"), wanted, used});
    }
    const uint32_t flags = full ? SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS : SDL_WINDOW_SHOWN;
    SDL_Window* w = SDL_CreateWindow("Tarnwick", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, s.w, s.h, flags);
    if (!w) return nullptr;
    SDL_GetWindowSize(w, &scrn_size.w, &scrn_size.h);
    const Str icon = get_gfx_dir() + L"app.png";
    if (SDL_Surface* surf = load_surface(icon)) {
        SDL_SetWindowIcon(w, surf);
        SDL_FreeSurface(surf);
    }
    return w;
}

SDL_Renderer* create_renderer(SDL_Window* wnd) {
    if (!wnd) return nullptr;
    SDL_Renderer* r =
        SDL_CreateRenderer(wnd, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE);
    if (!r) r = SDL_CreateRenderer(wnd, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (!r) return nullptr;
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(r, &info) == 0) max_tex_size = {info.max_texture_width, info.max_texture_height};
    return r;
}

const size* get_scrn_size() { return &scrn_size; }
const size* get_max_tex_size() { return &max_tex_size; }

SDL_Surface* load_surface(const wchar_t* path) {
    if (!path) return nullptr;
    if (SDL_Surface* s = take_preloaded(path)) return s;
    return IMG_Load(os_path(path).c_str());
}

// ---- cursors ----

const wchar_t* cursor_name(int id) { return id >= 0 && id < CUR_COUNT ? cursor_names[id] : nullptr; }

bool add_cursor(const wchar_t* path) {
    SDL_Surface* surf = load_surface(path);
    // A missing image still takes its slot, so the ids stay aligned.
    cursors.push_back(surf ? SDL_CreateColorCursor(surf, 0, 0) : nullptr);
    if (surf) SDL_FreeSurface(surf);
    return true;
}

Str cursor_file(int id) { return get_gfx_dir() + L"cursors/" + cursor_name(id) + L".png"; }

bool load_cursors() {
    for (int id = 0; id < CUR_COUNT; ++id) add_cursor(cursor_file(id));
    if (cur_cursor != 0) {
        SDL_ShowCursor(SDL_ENABLE);
        SDL_SetCursor(cursors.empty() ? nullptr : cursors[0]);
        cur_cursor = 0;
    }
    return true;
}

void free_cursors() {
    for (SDL_Cursor* c : cursors)
        if (c) SDL_FreeCursor(c);
    cursors.clear();
    // SDL fell back to its own arrow; the next load applies cursor 0 again.
    cur_cursor = no_cursor;
}

void set_cursor(int id) {
    if (id == cur_cursor) return;
    if (id == CUR_HIDDEN) {
        SDL_ShowCursor(SDL_DISABLE);
    } else {
        SDL_ShowCursor(SDL_ENABLE);
        // An unknown id acts like a missing image: SDL keeps the current cursor.
        SDL_SetCursor(id >= 0 && id < int(cursors.size()) ? cursors[id] : nullptr);
    }
    cur_cursor = id;
}

int get_cursor_id() { return cur_cursor; }
int cursor_count() { return int(cursors.size()); }

// ---- events ----

void set_text_input_handler(sdl_evt_handler_t fn) { text_input_handler = fn; }

uint32_t dbl_click_code(uint32_t single, uint32_t dbl, int x, int y) {
    const uint32_t now = sys_ticks();
    // The very first press has nothing to pair with, even near (0, 0) at start-up.
    const bool is_dbl = last_press.any && now - last_press.tick < dbl_click_ms && std::abs(x - last_press.x) <= 4 &&
                        std::abs(y - last_press.y) <= 4;
    last_press = {true, now, x, y};
    return is_dbl ? dbl : single;
}

void reset_dbl_click() { last_press = {}; }

namespace {

uint32_t translate_window_evt(uint8_t what) {
    switch (what) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_FOCUS_GAINED: return EVT_FOCUS_GAINED;
        case SDL_WINDOWEVENT_HIDDEN:
        case SDL_WINDOWEVENT_FOCUS_LOST: return EVT_FOCUS_LOST;
        case SDL_WINDOWEVENT_MINIMIZED: return EVT_MINIMISED;
        case SDL_WINDOWEVENT_RESTORED: return EVT_RESTORED;
        case SDL_WINDOWEVENT_CLOSE: return EVT_CLOSE;
        default: return 0;
    }
}

// Left, right and middle map to codes in that order; SDL numbers them 1, 3, 2.
int button_index(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return 0;
        case SDL_BUTTON_RIGHT: return 1;
        case SDL_BUTTON_MIDDLE: return 2;
        default: return -1;
    }
}

void translate_button(const SDL_MouseButtonEvent& b, evt_t* out) {
    const int i = button_index(b.button);
    if (i < 0) return;
    if (b.type == SDL_MOUSEBUTTONDOWN)
        out->code = dbl_click_code(EVT_LBTN_DOWN + i, EVT_LBTN_DBL + i, b.x, b.y);
    else
        out->code = EVT_LBTN_UP + i;
    out->a = b.x;
    out->b = b.y;
}

void translate_wheel(const SDL_MouseWheelEvent& w, evt_t* out) {
    const int y = w.direction == SDL_MOUSEWHEEL_FLIPPED ? -w.y : w.y;
    if (y == 0) return;
    out->code = y >= 1 ? EVT_WHEEL_UP : EVT_WHEEL_DOWN;
    int mx = 0, my = 0;
    seams().mouse_state(&mx, &my);
    out->a = mx;
    out->b = my;
}

}  // namespace

bool translate_sdl_evt(const SDL_Event* in, evt_t* out) {
    *out = evt_t{};
    if (!in) return false;
    if (text_input_handler && text_input_handler(in, out)) return out->code != 0;
    *out = evt_t{};
    switch (in->type) {
        case SDL_QUIT: out->code = EVT_QUIT; break;
        case SDL_APP_DIDENTERBACKGROUND: out->code = EVT_FOCUS_LOST; break;
        case SDL_APP_DIDENTERFOREGROUND: out->code = EVT_FOCUS_GAINED; break;
        case SDL_WINDOWEVENT: out->code = translate_window_evt(in->window.event); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out->code = in->type == SDL_KEYDOWN ? EVT_KEY_DOWN : EVT_KEY_UP;
            out->a = in->key.keysym.sym;
            out->b = in->key.keysym.mod;
            break;
        case SDL_MOUSEMOTION:
            out->code = EVT_MOUSE_MOVE;
            out->a = in->motion.x;
            out->b = in->motion.y;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: translate_button(in->button, out); break;
        case SDL_MOUSEWHEEL: translate_wheel(in->wheel, out); break;
        default:
            if (in->type >= SDL_USEREVENT && in->type <= 0xFFFF) {
                out->code = in->type;
                out->a = reinterpret_cast<intptr_t>(in->user.data1);
                out->b = reinterpret_cast<intptr_t>(in->user.data2);
            }
            break;
    }
    if (out->code == 0) *out = evt_t{};
    return out->code != 0;
}

void set_draw_clr(const clr_t* c, SDL_Renderer* r) { SDL_SetRenderDrawColor(r, c->r(), c->g(), c->b(), c->a()); }
