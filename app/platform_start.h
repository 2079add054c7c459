#pragma once
// The platform half of start-up and shutdown: SDL and its libraries, the
// window and renderer, the cursors, the fonts, the root window and the music.
// The game's start-up (game/start.h) wires the layers above it together.
#include "app/preload.h"

// SDL and its libraries, the window and renderer, the cursors, the fonts and
// the root window, with the loader thread (preload.h) doing first_screen's
// work and decoding the cursors meanwhile; step, when given, is told as each
// part ends (the start-up benchmark's timings). What it made is released
// again on failure.
bool platform_start(preload_t first_screen, void (*step)(const char* name) = nullptr);
// Sizes the root window to the screen.
bool create_root_wnd();
// The start-up volumes and the main theme.
void start_audio();
// What platform_start made, released in the reverse order.
void release_platform();
