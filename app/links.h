#pragma once
// Opening a link target: registered handlers first (the last registered is
// asked first), the system's opener last.
#include <functional>
#include <utility>

// Answers whether it took the target; when it did, *result is shell_open's result.
using link_handler_t = std::function<bool(const wchar_t* target, bool* result)>;

void add_link_handler(link_handler_t handler);

// "./name" and ".\name" name a file in the program folder. Null or empty: false.
// Unhandled targets go to shell_exec (app/shell.h), never through a shell command line.
bool shell_open(const wchar_t* target);
