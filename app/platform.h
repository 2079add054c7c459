#pragma once
// The thin layer over SDL: library start and stop, the main window and its
// renderer, the window-size choice, mouse cursors, and the translation of SDL
// events into evt_t with double-click detection.
#include <cstdint>
#include <vector>

#include "app/evt.h"
#include "app/str.h"
#include "app/types.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Surface;
union SDL_Event;

// SDL video, timer and events are required; audio and the input devices are
// started separately and their failure only means no sound or no pads.
bool init_sdl_libs();
// Its two halves: SDL itself, and SDL_image with SDL_ttf, which need no SDL_Init.
bool init_sdl();
bool init_img_ttf();
void quit_sdl_libs();

SDL_Window* create_main_wnd();
// Asks for an accelerated vsync renderer, falling back to the software one.
SDL_Renderer* create_renderer(SDL_Window* wnd);

// The size of the main window, kept from its creation on.
const size* get_scrn_size();
// {-1, -1} until a renderer exists; 0 stands for "no limit".
const size* get_max_tex_size();

size get_display_size(int display);
// The desktop less task bars: what a window may take; the whole display when SDL cannot tell.
size get_usable_size(int display);
void get_display_modes(std::vector<size>* out, int display);
size get_default_wnd_size();

// The pure halves of the window-size choice, so it can be checked without a display.
bool parse_wnd_size(const wchar_t* text, size* out);
size pick_default_wnd_size(const size& desktop, const std::vector<size>& modes);
// A windowed size larger than room (the usable desktop; 0 by 0: no limit) is
// not used: the default size is, as the settings dialog would show.
size choose_wnd_size(bool full_screen, const wchar_t* windowed_size, const size& desktop, const size& room,
                     const std::vector<size>& modes);
bool fits_room(const size& s, const size& room);

// The image decoded at start-up (take_preloaded) or else read now; null when it cannot be read.
SDL_Surface* load_surface(const wchar_t* path);

// Cursor ids 0..19 in the order of the cursor names; -1 hides the pointer.
enum : int {
    CUR_HIDDEN = -1,
    CUR_DEFAULT = 0,
    CUR_WAIT = 1,
    CUR_HAND = 2,
    CUR_DRAG = 3,
    CUR_MOV = 4,
    CUR_SHIFT = 5,
    CUR_BLOCK = 6,
    CUR_DEFEND = 7,
    CUR_END_TURN = 8,
    CUR_ATK = 9,
    CUR_ATK_C = 10,
    CUR_ATK_S = 11,
    CUR_SHOT = 12,
    CUR_SHOT_C = 13,
    CUR_SHOT_S = 14,
    CUR_SPL = 15,
    CUR_SPL_C = 16,
    CUR_SPL_S = 17,
    CUR_ENTER = 18,
    CUR_LEAVE = 19,
    CUR_COUNT = 20,
};
const wchar_t* cursor_name(int id);
// The image file of a cursor id in the game folder.
Str cursor_file(int id);
bool load_cursors();
bool add_cursor(const wchar_t* path);
void free_cursors();
void set_cursor(int id);
int get_cursor_id();
int cursor_count();

// Offered every SDL event before translation; true when it made `out`.
using sdl_evt_handler_t = bool (*)(const SDL_Event* in, evt_t* out);
// The text-input module installs itself here (committed text becomes 0xA015).
void set_text_input_handler(sdl_evt_handler_t fn);

bool translate_sdl_evt(const SDL_Event* in, evt_t* out);

constexpr uint32_t dbl_click_ms = 500;
uint32_t dbl_click_code(uint32_t single, uint32_t dbl, int x, int y);
// Forgets the last press, so the next one is a single press.
void reset_dbl_click();

void set_draw_clr(const clr_t* c, SDL_Renderer* r);
