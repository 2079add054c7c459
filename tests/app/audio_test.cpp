#include "app/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>
#include <thread>

#include "app/sys.h"
#include "support/temp_dir.h"

static int g_music_on = 1, g_sound_on = 1;
static int test_switch(const wchar_t* key) { return std::wcscmp(key, L"music") == 0 ? g_music_on : g_sound_on; }

static std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char(v >> (8 * i));
    return s;
}

static bool ends_with(const Str& s, const wchar_t* tail) { return std::wstring_view(s.c_str()).ends_with(tail); }

class Audio : public ::testing::Test {
protected:
    temp_dir_t tmp;

    void SetUp() override {
        set_sfx_dir(from_os_path(tmp.root()) + L"/");
        g_music_on = g_sound_on = 1;
        set_snd_switch_fn(test_switch);
    }
    void TearDown() override {
        close_audio();
        set_snd_switch_fn(nullptr);
    }
    // A silent 8-bit mono WAV. The default minute keeps every track playing for
    // the whole test, so the real end-of-track hook never fires behind its back.
    void wav(const std::string& rel, uint32_t seconds = 60) const {
        const uint32_t rate = 8000, data = rate * seconds;
        tmp.file(rel, "RIFF" + le(36 + data, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(rate, 4) +
                          le(rate, 4) + le(1, 2) + le(8, 2) + "data" + le(data, 4) + std::string(data, '\x80'));
    }
    void tracks_and_hit() const {
        for (const char* n : {"music/main_00.wav", "music/main_01.wav", "music/main_05.wav"}) wav(n);
        wav("hit.wav", 1);
    }
};

TEST_F(Audio, TracksPlayInNumberOrderAndRepeatPerTheme) {
    for (const char* f : {"main_00.ogg", "main_01.mp3", "main_05.wav", "main_100.wav", "battle_03.ogg"})
        tmp.file(std::string("music/") + f);
    for (const wchar_t* e : {L"music/main_00.ogg", L"music/main_01.mp3", L"music/main_05.wav", L"music/main_00.ogg"})
        EXPECT_TRUE(ends_with(next_track(L"music/main"), e)) << to_utf8_string(e);
    EXPECT_TRUE(ends_with(next_track(L"music/battle"), L"battle_03.ogg"));
    EXPECT_TRUE(next_track(L"music/none").empty());
}

TEST_F(Audio, EffectsResolveByExtensionAndAFailedLoadIsRetried) {
    const struct { const wchar_t* name; std::initializer_list<const char*> files; const wchar_t* found; } rows[] = {
        {L"b", {"b.wav", "b.ogg", "b.mp3"}, L"/b.ogg"}, {L"a", {"a.wav", "a.mp3"}, L"/a.mp3"},
        {L"ui/click.wav", {"ui/click.wav", "ui/click.wav.ogg"}, L"/ui/click.wav"}, {L"d", {"d.flac"}, nullptr},
    };
    for (const auto& r : rows) {
        for (const char* f : r.files) tmp.file(f);
        const Str got = find_sfx_file(r.name);
        EXPECT_TRUE(r.found ? ends_with(got, r.found) : got.empty()) << to_utf8_string(r.name);
    }

    wav("hit.wav", 1);
    ASSERT_TRUE(snd_mgr::get().opened) << "the dummy audio driver should open";
    EXPECT_TRUE(play_sfx(L"hit"));
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_TRUE(play_sfx((from_os_path(tmp.root()) + L"/hit.wav").c_str(), 1));
    EXPECT_FALSE(play_sfx(L"hit", 1)) << "bit 0 takes the name as a path, without lookup";
    tmp.file("zap.ogg");  // found before zap.wav, but unreadable
    wav("zap.wav", 1);
    EXPECT_FALSE(play_sfx(L"zap"));
    wav("zap.ogg", 1);  // a WAV under any name loads
    EXPECT_TRUE(play_sfx(L"zap"));
}

TEST_F(Audio, SwitchesOffSilenceEffectsAndPauseMusic) {
    tracks_and_hit();
    g_sound_on = g_music_on = 0;
    EXPECT_TRUE(play_sfx(L"hit") && play_sfx(L"no_such_effect"));
    ASSERT_TRUE(snd_mgr::get().opened);
    EXPECT_EQ(Mix_Playing(-1), 0);
    play_music_theme(L"music/main");
    EXPECT_TRUE(ends_with(cur_track(), L"main_00.wav"));
    EXPECT_EQ(Mix_PlayingMusic() + Mix_PausedMusic(), 2) << "started, but paused";
}

TEST_F(Audio, VolumesScaleAndClampAndABusyMixerIsLeftAlone) {
    wav("hit.wav", 1);
    ASSERT_TRUE(snd_mgr::get().opened);
    const struct { int music, sound, mixer_music, mixer_sound; } rows[] = {
        {100, 100, 128, 128}, {10, 25, 12, 32}, {-5, 250, 0, 128}};
    for (const auto& r : rows) {
        Mix_HaltChannel(-1);
        set_volumes(r.music, r.sound);
        EXPECT_EQ(Mix_VolumeMusic(-1), r.mixer_music) << r.music;
        ASSERT_TRUE(play_sfx(L"hit"));
        EXPECT_EQ(Mix_Volume(0, -1), r.mixer_sound) << r.sound;
    }
    Mix_AllocateChannels(1);
    ASSERT_EQ(Mix_PlayChannel(0, get_sound(find_sfx_file(L"hit")), -1), 0);  // looped: the channel stays taken
    Mix_Volume(0, 77);
    EXPECT_FALSE(play_sfx(L"hit"));
    EXPECT_EQ(Mix_Volume(0, -1), 77);
}

TEST_F(Audio, TheHookOnlyFlagsAndThePollStartsTheNextTrack) {
    play_music_theme(L"music/none");  // a theme without tracks plays nothing, even after an end
    music_finished();
    snd_poll();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    tracks_and_hit();
    play_music_theme(L"music/main");
    ASSERT_TRUE(ends_with(cur_track(), L"main_00.wav"));
    for (const wchar_t* e : {L"main_01.wav", L"main_05.wav", L"main_00.wav"}) {
        const Str before = cur_track();
        std::thread(music_finished).join();  // as the mixer calls it
        EXPECT_TRUE(cur_track() == before) << "the hook must not start music itself";
        snd_poll();
        EXPECT_TRUE(ends_with(cur_track(), e)) << to_utf8_string(cur_track());
        EXPECT_EQ(Mix_PlayingMusic(), 1);
        snd_poll();
        EXPECT_TRUE(ends_with(cur_track(), e)) << "one end starts one track";
    }
}

TEST_F(Audio, CloseFreesEverythingAndWithoutADeviceEveryCallDoesNothing) {
    tracks_and_hit();
    play_music_theme(L"music/main");
    ASSERT_TRUE(play_sfx(L"hit"));
    music_finished();  // an end reported just before shutdown
    close_audio();
    EXPECT_TRUE(cur_track().empty());
    snd_poll();  // the stale flag starts nothing and reopens nothing
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    EXPECT_TRUE(play_sfx(L"hit"));
    play_music_theme(L"music/main");
    EXPECT_TRUE(ends_with(cur_track(), L"main_00.wav")) << "the track list starts afresh";

    close_audio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    const std::string keep = std::getenv("SDL_AUDIODRIVER");  // set by the headless start-up
    setenv("SDL_AUDIODRIVER", "tw_no_such_driver", 1);
    EXPECT_FALSE(snd_mgr::get().opened);
    set_volumes(10, 25);
    EXPECT_FALSE(play_sfx(L"hit"));
    play_music_theme(L"music/main");
    EXPECT_TRUE(cur_track().empty());
    music_finished();
    snd_poll();
    g_sound_on = 0;
    EXPECT_TRUE(play_sfx(L"hit")) << "sound off answers true, device or not";
    close_audio();
    setenv("SDL_AUDIODRIVER", keep.c_str(), 1);
}
