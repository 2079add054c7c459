#include "app/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ini.h"
#include "app/notes.h"
#include "app/paths.h"
#include "app/sys.h"

namespace {

constexpr int snd_freq = 22050;
constexpr int snd_channels = 2;
constexpr int snd_chunk_samples = 4096;
constexpr int max_tracks = 100;  // numbers 00 to 99

std::unique_ptr<snd_mgr> g_mgr;
std::map<std::wstring, Mix_Music*> g_music_cache;
std::map<std::wstring, Mix_Chunk*> g_sound_cache;

Str g_cur_theme;
Str g_cur_track;
Str g_tracks_theme;  // the theme the track list was built from
std::vector<Str> g_tracks;
int g_track_idx = 0;
bool g_tracks_built = false;

Str g_sfx_dir;
bool g_sfx_dir_set = false;

// The only state the audio thread touches.
std::atomic<bool> g_music_done{false};

int config_switch(const wchar_t* key) { return CZsConfig::instance().get_int(key, 1, L"Main"); }
snd_switch_fn g_switch = config_switch;

const std::vector<Str>& sfx_exts() {
    static const std::vector<Str> exts = {L"ogg", L"mp3", L"wav"};
    return exts;
}

const Str& sfx_dir() {
    if (!g_sfx_dir_set) {
        g_sfx_dir = get_exe_dir() + L"sfx/";
        g_sfx_dir_set = true;
    }
    return g_sfx_dir;
}

bool audio_open() { return snd_mgr::get().opened; }

// SDL_mixer is not linked but opened: with its codecs it is some thirty shared
// libraries, milliseconds of every start before main. The start-up's loader
// thread opens it while SDL opens the window; the game reaches it through
// this table. Without the library there is no sound, as without a device.
struct mixer_lib_t {
    void* lib = nullptr;
    decltype(&Mix_Init) Init;
    decltype(&Mix_Quit) Quit;
    decltype(&Mix_OpenAudio) OpenAudio;
    decltype(&Mix_CloseAudio) CloseAudio;
    decltype(&Mix_LoadMUS) LoadMUS;
    decltype(&Mix_LoadWAV_RW) LoadWAV_RW;
    decltype(&Mix_FreeMusic) FreeMusic;
    decltype(&Mix_FreeChunk) FreeChunk;
    decltype(&Mix_PlayMusic) PlayMusic;
    decltype(&Mix_PlayChannelTimed) PlayChannelTimed;
    decltype(&Mix_VolumeChunk) VolumeChunk;
    decltype(&Mix_Volume) Volume;
    decltype(&Mix_VolumeMusic) VolumeMusic;
    decltype(&Mix_HookMusicFinished) HookMusicFinished;
    decltype(&Mix_HaltMusic) HaltMusic;
    decltype(&Mix_HaltChannel) HaltChannel;
    decltype(&Mix_PauseMusic) PauseMusic;
    decltype(&Mix_ResumeMusic) ResumeMusic;
} mix;

template <class F>
bool find_fn(F*& fn, const char* name) {
    fn = reinterpret_cast<F*>(SDL_LoadFunction(mix.lib, name));
    return fn != nullptr;
}

// 0..100 to the mixer's 0..128.
int mixer_volume(int v) { return v * MIX_MAX_VOLUME / 100; }

int clamp_volume(int v) { return v < 0 ? 0 : v > 100 ? 100 : v; }

// A failed load is not cached, so the next request tries the file again.
template <class T>
T* cached(std::map<std::wstring, T*>& cache, const wchar_t* path, T* (*load)(const wchar_t*)) {
    if (!audio_open()) return nullptr;
    auto it = cache.find(path);
    if (it != cache.end()) return it->second;
    T* v = load(path);
    if (v) cache.emplace(path, v);
    return v;
}

void forget_tracks() {
    g_tracks.clear();
    g_tracks_theme = Str();
    g_tracks_built = false;
    g_track_idx = 0;
}

void build_tracks(const Str& theme) {
    forget_tracks();
    for (int i = 0; i < max_tracks; ++i) {
        // Missing numbers are skipped, not ends: 00, 01 and 05 make three tracks.
        Str path = find_sfx_file(Str(L"%s_%02d", theme, i));
        if (!path.empty()) g_tracks.push_back(path);
    }
    g_tracks_theme = theme;
    g_tracks_built = true;
}

}  // namespace

// ---- mixer wrappers ----

bool load_mixer() {
    if (mix.lib) return true;
    mix.lib = SDL_LoadObject("libSDL2_mixer-2.0.so.0");
    if (!mix.lib) return false;
    const bool found = find_fn(mix.Init, "Mix_Init") && find_fn(mix.Quit, "Mix_Quit") &&
                       find_fn(mix.OpenAudio, "Mix_OpenAudio") && find_fn(mix.CloseAudio, "Mix_CloseAudio") &&
                       find_fn(mix.LoadMUS, "Mix_LoadMUS") && find_fn(mix.LoadWAV_RW, "Mix_LoadWAV_RW") &&
                       find_fn(mix.FreeMusic, "Mix_FreeMusic") && find_fn(mix.FreeChunk, "Mix_FreeChunk") &&
                       find_fn(mix.PlayMusic, "Mix_PlayMusic") && find_fn(mix.PlayChannelTimed, "Mix_PlayChannelTimed") &&
                       find_fn(mix.VolumeChunk, "Mix_VolumeChunk") && find_fn(mix.Volume, "Mix_Volume") &&
                       find_fn(mix.VolumeMusic, "Mix_VolumeMusic") &&
                       find_fn(mix.HookMusicFinished, "Mix_HookMusicFinished") &&
                       find_fn(mix.HaltMusic, "Mix_HaltMusic") && find_fn(mix.HaltChannel, "Mix_HaltChannel") &&
                       find_fn(mix.PauseMusic, "Mix_PauseMusic") && find_fn(mix.ResumeMusic, "Mix_ResumeMusic");
    if (found) return true;
    SDL_UnloadObject(mix.lib);
    mix = {};
    return false;
}

snd_mgr& snd_mgr::get() {
    if (!g_mgr) {
        g_mgr = std::make_unique<snd_mgr>();
        open_mixer();
    }
    return *g_mgr;
}

void open_mixer() {
    // A second open would need a second close before the device is released.
    if (g_mgr && g_mgr->opened) return;
    if (!load_mixer()) {
        std::printf("SDL_mixer could not be opened: %s\n", SDL_GetError());
        return;
    }
    mix.Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    // No device only means no sound; the rest of the game runs on.
    const bool ok = mix.OpenAudio(snd_freq, AUDIO_S16SYS, snd_channels, snd_chunk_samples) == 0;
    if (g_mgr) g_mgr->opened = ok;
}

Mix_Music* load_music_file(const wchar_t* path) {
    Mix_Music* m = load_mixer() ? mix.LoadMUS(os_path(path).c_str()) : nullptr;
    if (!m) printf("Failed to load music! SDL_mixer Error: %s\n", SDL_GetError());
    return m;
}

Mix_Chunk* load_sound_file(const wchar_t* path) {
    Mix_Chunk* c = nullptr;
    if (!load_mixer()) return nullptr;
    if (SDL_RWops* rw = SDL_RWFromFile(os_path(path).c_str(), "rb")) c = mix.LoadWAV_RW(rw, 1);
    if (!c) printf("Failed to load sound effect! SDL_mixer Error: %s\n", SDL_GetError());
    return c;
}

Mix_Music* get_music(const wchar_t* path) { return cached(g_music_cache, path, load_music_file); }

Mix_Chunk* get_sound(const wchar_t* path) { return cached(g_sound_cache, path, load_sound_file); }

Mix_Music* play_music_file(const wchar_t* path, int loops) {
    Mix_Music* m = get_music(path);
    if (m && mix.PlayMusic(m, loops) != 0) return nullptr;
    return m;
}

bool snd_mgr::play_sound_chunk(const wchar_t* path) {
    Mix_Chunk* c = get_sound(path);
    if (!c) return false;
    const int v = mixer_volume(sfx_vol);
    mix.VolumeChunk(c, v);
    const int ch = mix.PlayChannelTimed(-1, c, 0, -1);
    // No free channel: -1 here would set the volume of every channel.
    if (ch < 0) return false;
    mix.Volume(ch, v);
    return true;
}

void set_music_volume_raw(int volume) {
    if (audio_open()) mix.VolumeMusic(mixer_volume(volume));
}

void close_audio() {
    g_cur_theme = Str();
    g_cur_track = Str();
    forget_tracks();
    if (g_mgr && g_mgr->opened) {
        // Unhooked first: halting would report an end, and the hook must be idle before the flag clears.
        mix.HookMusicFinished(nullptr);
        mix.HaltMusic();
        mix.HaltChannel(-1);
    }
    g_music_done = false;
    if (!g_mgr) return;
    for (auto& [path, m] : g_music_cache) mix.FreeMusic(m);
    g_music_cache.clear();
    for (auto& [path, c] : g_sound_cache) mix.FreeChunk(c);
    g_sound_cache.clear();
    if (g_mgr->opened) mix.CloseAudio();
    if (mix.lib) mix.Quit();
    g_mgr.reset();
}

// ---- player ----

Str find_sfx_file(const Str& name) { return find_file_with_ext(name, sfx_dir(), sfx_exts()); }

bool play_sfx_a(const char* name, int flags) { return play_sfx(utf8_to_str(name ? name : ""), flags); }

bool play_sfx(const wchar_t* name, int flags) {
    if (g_switch(L"sound") == 0) return true;
    const Str path = (flags & SFX_PATH) ? Str(name) : find_sfx_file(name);
    if (path.empty()) {
        note_trouble(L"sfx", {Str(name)});
        return false;
    }
    return snd_mgr::get().play_sound_chunk(path);
}

void play_music_theme(const Str& theme) {
    if (!audio_open()) return;
    mix.HookMusicFinished(music_finished);
    // An end reported for the previous music must not skip the new theme's first track.
    g_music_done = false;
    g_cur_theme = theme;
    const Str path = next_track(theme);
    if (path.empty())
        note_trouble(L"music", {theme});
    else
        play_music(path, 0);
}

void play_music(const wchar_t* path, int loops) {
    if (!audio_open()) return;
    if (play_music_file(path, loops)) g_cur_track = path;
    if (g_switch(L"music") == 0) mix.PauseMusic();
}

void music_finished() {
    // The mixer calls this on its audio thread, where it must not start music.
    g_music_done = true;
}

void snd_poll() {
    if (!g_music_done.exchange(false)) return;
    if (g_cur_theme.empty() || !audio_open()) return;
    const Str path = next_track(g_cur_theme);
    if (!path.empty()) play_music(path, 0);
}

Str next_track(const Str& theme) {
    // Rebuilt when the theme changes, so a second theme never plays the first one's tracks.
    if (!g_tracks_built || !(g_tracks_theme == theme)) build_tracks(theme);
    if (g_tracks.empty()) return Str();
    if (g_track_idx >= 0 && g_track_idx < int(g_tracks.size())) return g_tracks[g_track_idx++];
    g_track_idx = 1;
    return g_tracks[0];
}

const Str& cur_track() { return g_cur_track; }

void pause_music() {
    if (audio_open()) mix.PauseMusic();
}

void resume_music() {
    if (audio_open()) mix.ResumeMusic();
}

void set_volumes(int music, int sound) {
    snd_mgr& m = snd_mgr::get();
    set_music_volume_raw(clamp_volume(music));
    m.sfx_vol = clamp_volume(sound);
}

// ---- seams ----

void set_snd_switch_fn(snd_switch_fn fn) { g_switch = fn ? fn : config_switch; }

void set_sfx_dir(const Str& dir) {
    g_sfx_dir = dir;
    g_sfx_dir_set = true;
    forget_tracks();
}
