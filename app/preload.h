#pragma once
// Start-up work that needs no window, done on a thread of its own while the
// main thread has SDL start and open the window and the renderer: SDL_mixer
// (load_mixer), the font files, the glyphs of the first screen's texts, the
// game's texts and tables (a step the start-up hands in), and the first
// screen's images decoded into surfaces. Only the main thread draws, makes
// textures, plays sound, shows message boxes and says what could not be read:
// load_surface() takes a decoded image instead of reading its file (a file the
// thread could not decode is read again there, and fails and is reported as
// without the thread), glyphs become textures at their first use, and what
// the thread would have reported waits for preload_report().
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/str.h"

struct SDL_Surface;

struct preload_t {
    Str font_dir;  // as load_fonts_from takes it
    // Font ids with texts whose glyphs are rendered ahead (mark-up and all).
    std::vector<std::pair<int, Str>> texts;
    std::function<void()> data;   // texts and tables, run after the fonts
    std::vector<Str> files;       // image files to decode
    // Told on the thread as it starts (null) and as each part ends
    // ("loader_mixer", "loader_fonts", "loader_texts_tables", "loader_images"):
    // the start-up benchmark's timings.
    void (*done)(const char* part) = nullptr;
};

// Nothing the thread loads may be touched on the main thread until preload_wait().
void preload_start(preload_t what);
// Waits for the thread. Returns the line that stops the start when a font file
// could not be opened (load_fonts' words; the data step is then skipped),
// empty when the fonts are open.
std::string preload_wait();
// True on the preload thread.
bool on_preload_thread();
// On the preload thread: keeps report (a note, a message box) for the main thread.
void leave_to_main(std::function<void()> report);
// Runs on the main thread, in order, what the preload thread left to it.
void preload_report();
// The decoded image of that file, handed over once (the caller frees it); null
// when it was not decoded (yet).
SDL_Surface* take_preloaded(const wchar_t* path);
// Frees the decoded images nobody took.
void free_preloaded();
