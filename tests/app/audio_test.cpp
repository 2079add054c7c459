#include "app/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/sys.h"

namespace fs = std::filesystem;

namespace {

int g_music_on = 1;
int g_sound_on = 1;
int test_switch(const wchar_t* key) { return std::wcscmp(key, L"music") == 0 ? g_music_on : g_sound_on; }

void put_le(std::ofstream& f, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.put(char((v >> (8 * i)) & 0xFF));
}

// A silent 8-bit mono PCM WAV. The default minute keeps every track playing
// for the whole test, so the real end-of-track hook never fires behind its back.
void write_wav(const fs::path& p, int seconds = 60) {
    fs::create_directories(p.parent_path());
    const uint32_t rate = 8000;
    const uint32_t data = rate * uint32_t(seconds);
    std::ofstream f(p, std::ios::binary);
    f.write("RIFF", 4);
    put_le(f, 36 + data, 4);
    f.write("WAVEfmt ", 8);
    put_le(f, 16, 4);
    put_le(f, 1, 2);  // PCM
    put_le(f, 1, 2);  // mono
    put_le(f, rate, 4);
    put_le(f, rate, 4);  // bytes per second
    put_le(f, 1, 2);     // block align
    put_le(f, 8, 2);     // bits per sample
    f.write("data", 4);
    put_le(f, data, 4);
    for (uint32_t i = 0; i < data; ++i) f.put(char(0x80));
}

void write_junk(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << "not a sound file";
}

bool ends_with(const Str& s, const wchar_t* tail) {
    const std::wstring a(s.c_str()), b(tail);
    return a.size() >= b.size() && a.compare(a.size() - b.size(), b.size(), b) == 0;
}

class Audio : public ::testing::Test {
protected:
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tw_audio_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        set_sfx_dir(from_os_path(dir) + L"/");
        g_music_on = g_sound_on = 1;
        set_snd_switch_fn(test_switch);
    }
    void TearDown() override {
        close_audio();
        set_snd_switch_fn(nullptr);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void write_tracks() {
        for (const char* n : {"main_00.wav", "main_01.wav", "main_05.wav"}) write_wav(dir / "music" / n);
    }
};

// ---- file lookup ----

TEST_F(Audio, TracksPlayInNumberOrderAndRepeat) {
    write_junk(dir / "music/main_00.ogg");
    write_junk(dir / "music/main_01.mp3");
    write_junk(dir / "music/main_05.wav");
    write_junk(dir / "music/main_100.wav");  // past the last number
    const wchar_t* expect[] = {L"music/main_00.ogg", L"music/main_01.mp3", L"music/main_05.wav",
                               L"music/main_00.ogg", L"music/main_01.mp3", L"music/main_05.wav"};
    for (const wchar_t* e : expect) {
        Str t = next_track(L"music/main");
        EXPECT_TRUE(ends_with(t, e)) << "got " << to_utf8_string(t);
    }
}

TEST_F(Audio, ATrackListFollowsTheTheme) {
    write_junk(dir / "music/main_00.ogg");
    write_junk(dir / "music/battle_03.ogg");
    EXPECT_TRUE(ends_with(next_track(L"music/main"), L"main_00.ogg"));
    EXPECT_TRUE(ends_with(next_track(L"music/battle"), L"battle_03.ogg"));
    EXPECT_TRUE(next_track(L"music/none").empty());
}

TEST_F(Audio, EffectNamesResolveWithTheFirstExtensionThatExists) {
    struct row_t {
        const wchar_t* name;
        std::initializer_list<const char*> files;
        const wchar_t* found;  // null: nothing
    };
    const row_t rows[] = {
        {L"a", {"a.wav", "a.mp3"}, L"a.mp3"},
        {L"b", {"b.wav", "b.ogg", "b.mp3"}, L"b.ogg"},
        {L"c", {"c.wav"}, L"c.wav"},
        {L"ui/click.wav", {"ui/click.wav", "ui/click.wav.ogg"}, L"ui/click.wav"},
        {L"d", {"d.flac"}, nullptr},
        {L"e", {}, nullptr},
    };
    for (const row_t& r : rows) {
        for (const char* f : r.files) write_junk(dir / f);
        Str got = find_sfx_file(r.name);
        if (r.found)
            EXPECT_TRUE(ends_with(got, (Str(L"/") + r.found).c_str())) << to_utf8_string(r.name);
        else
            EXPECT_TRUE(got.empty()) << to_utf8_string(r.name);
    }
}

// ---- effects ----

TEST_F(Audio, PlaySfxByNameAndByFullPath) {
    write_wav(dir / "hit.wav", 1);
    ASSERT_TRUE(snd_mgr::get().opened) << "the dummy audio driver should open";
    EXPECT_TRUE(play_sfx(L"hit"));
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_TRUE(play_sfx((from_os_path(dir) + L"/hit.wav").c_str(), 1));
    EXPECT_FALSE(play_sfx(L"hit", 1)) << "bit 0 takes the name as a path, without lookup";
    EXPECT_FALSE(play_sfx(L"miss"));
}

TEST_F(Audio, AFileThatFailsToLoadIsTriedAgainNextTime) {
    write_junk(dir / "hit.ogg");  // found before hit.wav, but unreadable
    write_wav(dir / "hit.wav", 1);
    EXPECT_FALSE(play_sfx(L"hit"));
    EXPECT_FALSE(play_sfx(L"hit"));
    write_wav(dir / "hit.ogg", 1);  // a WAV under any name loads
    EXPECT_TRUE(play_sfx(L"hit"));
    Mix_Chunk* c = get_sound(find_sfx_file(L"hit"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(get_sound(find_sfx_file(L"hit")), c) << "a loaded chunk is cached";
}

TEST_F(Audio, SoundSwitchOffAnswersTrueAndPlaysNothing) {
    write_wav(dir / "hit.wav", 1);
    g_sound_on = 0;
    EXPECT_TRUE(play_sfx(L"hit"));
    EXPECT_TRUE(play_sfx(L"no_such_effect"));
    ASSERT_TRUE(snd_mgr::get().opened);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(Audio, NoFreeChannelFailsAndLeavesOtherChannelsAlone) {
    write_wav(dir / "hit.wav", 1);
    write_wav(dir / "busy.wav", 1);
    ASSERT_TRUE(snd_mgr::get().opened);
    Mix_AllocateChannels(1);
    Mix_Chunk* busy = get_sound(find_sfx_file(L"busy"));
    ASSERT_NE(busy, nullptr);
    ASSERT_EQ(Mix_PlayChannel(0, busy, -1), 0);  // looped: the channel stays taken
    Mix_Volume(0, 77);
    set_volumes(10, 25);
    EXPECT_FALSE(play_sfx(L"hit"));
    EXPECT_EQ(Mix_Volume(0, -1), 77);
}

TEST_F(Audio, VolumesScaleTo128AndClamp) {
    write_wav(dir / "hit.wav", 1);
    struct row_t {
        int music, sound, mixer_music, mixer_sound;
    };
    const row_t rows[] = {
        {100, 100, 128, 128}, {1, 1, 1, 1}, {0, 0, 0, 0}, {10, 25, 12, 32}, {-5, 250, 0, 128},
    };
    ASSERT_TRUE(snd_mgr::get().opened);
    for (const row_t& r : rows) {
        Mix_HaltChannel(-1);
        set_volumes(r.music, r.sound);
        EXPECT_EQ(Mix_VolumeMusic(-1), r.mixer_music) << r.music;
        ASSERT_TRUE(play_sfx(L"hit"));
        EXPECT_EQ(Mix_VolumeChunk(get_sound(find_sfx_file(L"hit")), -1), r.mixer_sound) << r.sound;
        EXPECT_EQ(Mix_Volume(0, -1), r.mixer_sound) << r.sound;
    }
}

// ---- music ----

TEST_F(Audio, TheHookOnlyFlagsAndThePollStartsTheNextTrack) {
    write_tracks();
    play_music_theme(L"music/main");
    ASSERT_TRUE(ends_with(cur_track(), L"main_00.wav"));
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    const wchar_t* expect[] = {L"main_01.wav", L"main_05.wav", L"main_00.wav"};
    for (const wchar_t* e : expect) {
        const Str before = cur_track();
        std::thread mixer_thread(music_finished);  // as the mixer calls it
        mixer_thread.join();
        EXPECT_TRUE(cur_track() == before) << "the hook must not start music itself";
        snd_poll();
        EXPECT_TRUE(ends_with(cur_track(), e)) << to_utf8_string(cur_track());
        EXPECT_EQ(Mix_PlayingMusic(), 1);
        const Str after = cur_track();
        snd_poll();
        EXPECT_TRUE(cur_track() == after) << "one end starts one track";
    }
}

TEST_F(Audio, MusicSwitchOffStartsTracksPaused) {
    write_tracks();
    g_music_on = 0;
    play_music_theme(L"music/main");
    EXPECT_TRUE(ends_with(cur_track(), L"main_00.wav"));
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_PausedMusic(), 1);
    resume_music();
    EXPECT_EQ(Mix_PausedMusic(), 0);
    pause_music();
    EXPECT_EQ(Mix_PausedMusic(), 1);
}

TEST_F(Audio, AThemeWithoutTracksPlaysNothing) {
    play_music_theme(L"music/main");
    EXPECT_TRUE(cur_track().empty());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    music_finished();
    snd_poll();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

// ---- opening and closing ----

TEST_F(Audio, CloseFreesEverythingAndTheNextCallReopens) {
    write_tracks();
    write_wav(dir / "hit.wav", 1);
    play_music_theme(L"music/main");
    ASSERT_TRUE(play_sfx(L"hit"));
    music_finished();  // an end reported just before shutdown
    close_audio();
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the mixer is closed";
    EXPECT_TRUE(cur_track().empty());
    snd_poll();  // the stale flag starts nothing and reopens nothing
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    close_audio();  // twice is harmless
    EXPECT_TRUE(play_sfx(L"hit"));
    play_music_theme(L"music/main");
    EXPECT_TRUE(ends_with(cur_track(), L"main_00.wav")) << "the track list starts afresh";
}

TEST_F(Audio, WithoutADeviceEveryCallDoesNothing) {
    write_tracks();
    write_wav(dir / "hit.wav", 1);
    close_audio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    const char* old = std::getenv("SDL_AUDIODRIVER");
    const std::string keep = old ? old : "";
    setenv("SDL_AUDIODRIVER", "tw_no_such_driver", 1);

    EXPECT_FALSE(snd_mgr::get().opened);
    set_volumes(10, 25);
    EXPECT_FALSE(play_sfx(L"hit"));
    EXPECT_EQ(get_sound(find_sfx_file(L"hit")), nullptr);
    play_music_theme(L"music/main");
    EXPECT_TRUE(cur_track().empty());
    play_music(find_sfx_file(L"music/main_00"), 0);
    EXPECT_TRUE(cur_track().empty());
    music_finished();
    snd_poll();
    pause_music();
    resume_music();
    g_sound_on = 0;
    EXPECT_TRUE(play_sfx(L"hit")) << "sound off answers true, device or not";
    close_audio();

    if (old)
        setenv("SDL_AUDIODRIVER", keep.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
