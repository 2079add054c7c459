#include "app/app.h"

// TODO: the window and the frame loop arrive with the platform layer; until
// then the program only starts and ends cleanly.
int app_main(int, char**) { return 0; }
