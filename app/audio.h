#pragma once
// Music and sound effects through SDL_mixer.
//
// Music plays as a theme: "music/main" stands for the tracks music/main_00 to
// music/main_99 under sfx/, which play in number order and start again after
// the last. Effects are short names resolved under sfx/ with the first of the
// extensions "ogg", "mp3", "wav" that exists. The switches `music` and `sound`
// of section Main decide whether music is heard and effects are played.
//
// Without an audio device every call does nothing: effects answer false and
// music stays silent. Everything here runs on the main thread, except the
// mixer's music-finished hook, which only raises a flag for `snd_poll`.
#include "app/str.h"

struct Mix_Chunk;
struct _Mix_Music;
typedef struct _Mix_Music Mix_Music;

// The process-wide audio player, made on first use; making it opens the mixer.
struct snd_mgr {
    int sfx_vol = 100;    // effect volume, 0..100
    bool opened = false;  // false when no device could be opened

    static snd_mgr& get();
    // The cached chunk of path played on the first free channel at the effect volume.
    bool play_sound_chunk(const wchar_t* path);
};

// ---- mixer wrappers ----
// Opens SDL_mixer, which the program does not link (its codecs cost every
// start milliseconds before main); true once it is open. The start-up's loader
// thread calls it first.
bool load_mixer();
void open_mixer();
// Load without caching; a failure prints the mixer's message and gives null.
Mix_Music* load_music_file(const wchar_t* path);
Mix_Chunk* load_sound_file(const wchar_t* path);
// Cached by path; a failed load is not cached, so the next call tries again.
Mix_Music* get_music(const wchar_t* path);
Mix_Chunk* get_sound(const wchar_t* path);
Mix_Music* play_music_file(const wchar_t* path, int loops);
void set_music_volume_raw(int volume);
// Frees every cached music and chunk and closes the mixer. Shutdown calls it
// before the SDL libraries quit; the next audio call opens the mixer afresh.
void close_audio();

// ---- player ----
Str find_sfx_file(const Str& name);
// Flag of play_sfx: the name is a full path, not looked up.
constexpr int SFX_PATH = 1;
// With `sound` off answers true and plays nothing.
bool play_sfx(const wchar_t* name, int flags = 0);
// The same with a UTF-8 name.
bool play_sfx_a(const char* name, int flags = 0);
void play_music_theme(const Str& theme);
void play_music(const wchar_t* path, int loops);
// The mixer's music-finished hook; runs on the audio thread.
void music_finished();
// The frame loop calls this every pass: it starts the next track of the theme
// once the mixer reported the end of the last one.
void snd_poll();
Str next_track(const Str& theme);
const Str& cur_track();  // the track last started, empty when none
void pause_music();
void resume_music();
// Both on the 0..100 scale; values outside it are clamped.
void set_volumes(int music, int sound);

// ---- seams ----
// Reads an on/off switch (`music`, `sound`) of section Main, default 1.
using snd_switch_fn = int (*)(const wchar_t* key);
void set_snd_switch_fn(snd_switch_fn fn);  // null restores the configuration
// Replaces the effects folder (the program folder + "sfx/"); forgets the track list.
void set_sfx_dir(const Str& dir);
