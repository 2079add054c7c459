#pragma once
// The frame loop. run_modal_loop is the main loop and every nested wait (a
// dialog, a timed pause, the battle's wait for orders): each pass pumps every
// pending event, routing it to a window, then updates, draws and presents.
// Windows are reached through the installed window layer (app/wnd_layer.h);
// ui/modal.h runs a window as a dialog over this loop.
#include <functional>

#include "app/evt.h"

// Modal results: the OK and cancel buttons, and the program quitting.
enum : int { MODAL_OK = -1, MODAL_CANCEL = -2, MODAL_QUIT = -5 };

// Runs frames until the program quits (-5) or keep_going answers false (the
// modal result). An empty predicate is the caller's fault (std::bad_function_call).
int run_modal_loop(const std::function<bool()>& keep_going);
// Empties the event queue, routing each event; false once the program quits.
bool pump_events();
// Routes one event as the pump does.
void dispatch_evt(const evt_t* e);
void frame_update();
void frame_render();
// One frame outside run_modal_loop; false when the program quits.
bool do_frame();
// Runs frames for `ms` milliseconds, measured from this call.
int wait_ms(int ms);
// Puts an event back on the SDL queue.
void post_evt(const evt_t* e);
