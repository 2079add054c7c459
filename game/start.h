#pragma once
// The game's start-up, frame loop and shutdown: above every layer, it wires
// the platform, the rules, the toolkit and the screens together.

// Returns the process result: -1 when the platform could not start, 2 for a
// bad command line (said on standard error), else 0.
int app_main(int argc, char** argv);

// Brings the platform and the data layers up; false when the platform failed.
bool app_start();
// Pushes the main menu (and the arena over it when `auto_arena` is set) and
// runs the frame loop until the program quits.
void app_run();
// Releases everything in order; the configuration is written at process exit.
void app_shutdown();
