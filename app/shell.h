#pragma once
// Handing a URL or a file to the desktop's opener.
#include <string>

// Opens a URL or a file with the desktop's handler (never through a shell
// command line). Only the "open" verb and no parameters are supported; `show`
// and `window` have no meaning here. True when the handler was started.
bool shell_exec(const wchar_t* file, const wchar_t* verb, int show, const wchar_t* params,
                const wchar_t* dir, void* window);
// The URL shell_exec hands on: URLs as they are, file paths as file:// URLs
// (relative ones resolved against `dir`, else the current folder). Empty when
// the target is empty.
std::string shell_url(const wchar_t* file, const wchar_t* dir);
// Tests replace the opener; null restores SDL_OpenURL. Returns 0 on success.
using url_opener_t = int (*)(const char* url);
void set_url_opener(url_opener_t fn);
