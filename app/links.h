#pragma once
// Opening a link target: registered handlers first (the last registered is
// asked first), the system's opener last.
#include <functional>
#include <utility>

class Str;

// Answers whether it took the target; when it did, *result is shell_open's result.
using link_handler_t = std::function<bool(const wchar_t* target, bool* result)>;

void add_link_handler(link_handler_t handler);

// "./name" and ".\name" name a file in the program folder. Null or empty: false.
// Unhandled targets go to shell_exec (app/shell.h), never through a shell command line.
bool shell_open(const wchar_t* target);

// A link target written in a text: "http://" and "https://" addresses, "./"
// files inside the program folder and targets a handler takes are opened;
// anything else is refused quietly (false), since texts come from files.
bool open_link(const wchar_t* target);

// The link under the mouse, recorded while drawing; the frame loop opens it
// after the frame (never while painting) when the left button was released.
void set_hover_link(const wchar_t* target);
const Str& get_hover_link();
void clear_hover_link();
