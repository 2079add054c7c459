#include "app/preload.h"

#include <SDL.h>
#include <SDL_image.h>

#include <map>
#include <mutex>
#include <utility>

#include "app/audio.h"
#include "app/font.h"
#include "app/sys.h"

namespace {

SDL_Thread* g_thread = nullptr;
preload_t g_what;
std::string g_font_err;
std::vector<std::function<void()>> g_reports;
thread_local bool g_on_thread = false;

// The main thread may ask for an image (the window icon) while the thread is still decoding.
std::mutex g_mutex;
std::map<Str, SDL_Surface*> g_surfaces;

void decode(const Str& file) {
    // A file that cannot be decoded is left to the main thread, which reports it.
    SDL_Surface* s = IMG_Load(os_path(file.buf).c_str());
    if (!s) return;
    const std::lock_guard lock(g_mutex);
    if (!g_surfaces.emplace(file, s).second) SDL_FreeSurface(s);
}

int preload_main(void*) {
    g_on_thread = true;
    auto done = [](const char* part) {
        if (g_what.done) g_what.done(part);
    };
    done(nullptr);
    load_mixer();  // only opened here: the main thread starts the music
    done("loader_mixer");
    if (open_font_files(g_what.font_dir, &g_font_err)) {
        for (const auto& [font, text] : g_what.texts)
            if (zg::font_t* f = get_font(font)) f->render_ahead(text);
        done("loader_fonts");
        if (g_what.data) g_what.data();
        done("loader_texts_tables");
        for (const Str& file : g_what.files) decode(file);
        done("loader_images");
    }
    g_on_thread = false;
    return 0;
}

}  // namespace

void preload_start(preload_t what) {
    preload_wait();
    g_what = std::move(what);
    g_font_err.clear();
    g_reports.clear();
    // SDL's own thread: it frees SDL's per-thread error text when it ends.
    g_thread = SDL_CreateThread(preload_main, "preload", nullptr);
    // No thread: the same work, here.
    if (!g_thread) preload_main(nullptr);
}

std::string preload_wait() {
    if (g_thread) SDL_WaitThread(g_thread, nullptr);
    g_thread = nullptr;
    return g_font_err;
}

bool on_preload_thread() { return g_on_thread; }

void leave_to_main(std::function<void()> report) { g_reports.push_back(std::move(report)); }

void preload_report() {
    preload_wait();
    // A report may leave another one only on the preload thread, never here.
    for (const auto& report : std::exchange(g_reports, {})) report();
}

SDL_Surface* take_preloaded(const wchar_t* path) {
    if (!path) return nullptr;
    const std::lock_guard lock(g_mutex);
    const auto it = g_surfaces.find(Str(path));
    if (it == g_surfaces.end()) return nullptr;
    SDL_Surface* s = it->second;
    g_surfaces.erase(it);
    return s;
}

void free_preloaded() {
    preload_wait();
    const std::lock_guard lock(g_mutex);
    for (auto& [file, s] : g_surfaces) SDL_FreeSurface(s);
    g_surfaces.clear();
}
