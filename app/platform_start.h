#pragma once
// The platform half of start-up and shutdown: SDL and its libraries, the
// window and renderer, the cursors, the fonts, the root window and the music.
// The game's start-up (game/start.h) wires the layers above it together.

// SDL and its libraries, the window and renderer, the cursors, the fonts and
// the root window. What it made is released again on failure.
bool platform_start();
// Sizes the root window to the screen.
bool create_root_wnd();
// The start-up volumes and the main theme.
void start_audio();
// What platform_start made, released in the reverse order.
void release_platform();
