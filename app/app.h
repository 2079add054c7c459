#pragma once
// Program entry: start-up, the first scenes and the frame loop, and shutdown.

// Returns the process result: -1 when the platform could not start, else 0.
int app_main(int argc, char** argv);

// Brings the platform and the data layers up; false when the platform failed.
bool app_start();
// The platform half: SDL and its libraries, the window and renderer, the
// cursors, the fonts and the root window. What it made is released again on failure.
bool platform_start();
// Sizes the root window to the screen.
bool create_root_wnd();
// Pushes the main menu (and the arena over it when `auto_arena` is set) and
// runs the frame loop until the program quits.
void app_run();
// Releases everything in order; the configuration is written at process exit.
void app_shutdown();
