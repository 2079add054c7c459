// Files a player may have damaged or lost: the game starts, says what it could
// not read, keeps what it could and writes over nothing it could not read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/audio.h"
#include "app/codec.h"
#include "app/input.h"
#include "app/notes.h"
#include "app/opts.h"
#include "app/platform.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "screens/arena/arena.h"
#include "screens/arena/encs_dlg.h"
#include "support/mem_io.h"
#include "support/screen_driver.h"
#include "ui/menu.h"
#include "ui/wnd.h"

namespace fs = std::filesystem;

namespace {
const std::string slot1 = "saves/arena/10000001/";

encs_dlg_t* hub() { return get_arena_scene() ? get_arena_scene()->hub() : nullptr; }

// Into the arena from the main menu; back once the hub shows (or a message over it).
bool to_arena(screen_driver_t& d) {
    if (!d.running() && !d.start()) return false;
    return d.click(d.find(L"竞技场")) && d.wait_for([] { return hub() != nullptr; }, "the arena hub");
}

// The shown window whose text holds all of the parts; null when none does.
wnd_t* find_text(screen_driver_t& d, std::initializer_list<const wchar_t*> parts) {
    return d.find_if([&](wnd_t* w) {
        const std::wstring t = screen_driver_t::plain(w->text.c_str());
        for (const wchar_t* p : parts)
            if (t.find(p) == std::wstring::npos) return false;
        return !t.empty();
    });
}

// The message dialog the arena shows (within a few frames); closes it and
// answers its text ("" when none showed).
std::wstring take_message(screen_driver_t& d) {
    for (int i = 0; i < 5 && !(get_top_modal() && d.find(L"存档")); ++i) d.frames(1);
    if (!get_top_modal() || !d.find(L"存档")) return L"";
    wnd_t* text = find_text(d, {L"存档", L"。"});
    std::wstring said = text ? screen_driver_t::plain(text->text.c_str()) : L"";
    d.dismiss();
    return said;
}

// A first game: the default party of five in slot 10000001 with 1234.5 gold,
// saved on leaving; then body, given the members' names, under the same driver.
void after_first_game(const std::function<void(screen_driver_t& d, const std::vector<std::wstring>& names)>& body) {
    screen_driver_t d;
    d.run([&] {
        std::vector<std::wstring> names;
        EXPECT_TRUE(to_arena(d));
        d.on_main([] { g_pty.gold = 1234.5; });
        for (const unit_t* u : g_pty.units) names.push_back(u->name.c_str());
        EXPECT_EQ(d.quit(), 0);
        EXPECT_TRUE(d.exists(slot1 + "00000004.pc"));
        body(d, names);
    });
}

bool said(const wchar_t* part) {
    for (const Str& line : said_notes())
        if (std::wstring(line.c_str()).find(part) != std::wstring::npos) return true;
    return false;
}
}  // namespace

TEST(DamagedFiles, ATruncatedPartyFileKeepsTheMembersAndTheFileStaysBesideUntouched) {
    after_first_game([](screen_driver_t& d, const std::vector<std::wstring>&) {
        const std::string cut = d.read(slot1 + "my.pty").substr(0, 20);
        d.write(slot1 + "my.pty", cut);
        const std::string member2 = d.read(slot1 + "00000002.pc");

        ASSERT_TRUE(to_arena(d));
        const std::wstring msg = take_message(d);
        EXPECT_NE(msg.find(L"10000001"), std::wstring::npos) << "the message names the slot";
        EXPECT_NE(msg.find(L"my.pty"), std::wstring::npos) << "the message names the file";
        EXPECT_NE(msg.find(L"saves/arena/10000001.damaged"), std::wstring::npos) << "and where it was kept";
        // The members were read; the party's own data is a new game's.
        EXPECT_EQ(g_pty.units.size(), 5u);
        EXPECT_STREQ(g_pty.name.c_str(), NEW_PTY_NAME);
        EXPECT_EQ(cur_slot_id(), 10000001);
        // The damaged files lie beside, byte for byte; the slot holds what could be read.
        EXPECT_EQ(d.read("saves/arena/10000001.damaged/my.pty"), cut);
        EXPECT_EQ(d.read("saves/arena/10000001.damaged/00000002.pc"), member2);
        EXPECT_EQ(d.read(slot1 + "00000002.pc"), member2);
        EXPECT_EQ(d.quit(), 0);

        // The slot loads whole now: no message the next time.
        ASSERT_TRUE(to_arena(d));
        EXPECT_EQ(take_message(d), L"");
        EXPECT_EQ(g_pty.units.size(), 5u);
        EXPECT_EQ(d.read("saves/arena/10000001.damaged/my.pty"), cut);
    });
}

TEST(DamagedFiles, ADamagedMemberIsLeftOutAndEverythingElseOfTheSlotKept) {
    after_first_game([](screen_driver_t& d, const std::vector<std::wstring>& names) {
        const std::string lost = d.read(slot1 + "00000001.pc");
        const std::string garbled = std::string(lost.size(), '\xEE');
        d.write(slot1 + "00000001.pc", garbled);

        ASSERT_TRUE(to_arena(d));
        d.frames(2);
        d.shot("damaged-save");
        const std::wstring msg = take_message(d);
        EXPECT_NE(msg.find(L"00000001.pc"), std::wstring::npos);
        EXPECT_EQ(msg.find(L"my.pty"), std::wstring::npos) << "the party file read well";
        ASSERT_EQ(g_pty.units.size(), 4u);
        EXPECT_DOUBLE_EQ(g_pty.gold, 1234.5);  // the party file's data is kept
        EXPECT_EQ(g_pty.units[2]->name.c_str(), names[3]);  // the later members move up
        EXPECT_EQ(d.read("saves/arena/10000001.damaged/00000001.pc"), garbled);
        EXPECT_FALSE(d.exists(slot1 + "00000004.pc"));  // the slot was saved with the four
        EXPECT_TRUE(hub()->fight_btn != nullptr);
    });
}

TEST(DamagedFiles, ASlotWithNothingReadableIsKeptAndTheGameTakesAnother) {
    after_first_game([](screen_driver_t& d, const std::vector<std::wstring>&) {
        // A second slot, current, whose every file is damaged.
        fs::copy(d.dir() / slot1, d.dir() / "saves/arena/10000002", fs::copy_options::recursive);
        for (const char* f : {"my.pty", "00000000.pc", "00000001.pc", "00000002.pc", "00000003.pc", "00000004.pc"})
            d.write(std::string("saves/arena/10000002/") + f, "broken");
        d.write("saves/arena/main.cfg", cfg_bytes(10000003, 10000002));

        ASSERT_TRUE(to_arena(d));
        const std::wstring msg = take_message(d);
        EXPECT_NE(msg.find(L"10000002"), std::wstring::npos);
        EXPECT_NE(msg.find(L"10000001"), std::wstring::npos) << "the message names the slot loaded instead";
        EXPECT_EQ(cur_slot_id(), 10000001);
        EXPECT_DOUBLE_EQ(g_pty.gold, 1234.5);
        EXPECT_EQ(d.read("saves/arena/10000002.damaged/my.pty"), "broken");
        EXPECT_FALSE(d.exists("saves/arena/10000002"));
    });
}

TEST(DamagedFiles, ARemovedSlotFolderLoadsAnotherSlotOrANewGameAndSaysSo) {
    after_first_game([](screen_driver_t& d, const std::vector<std::wstring>&) {
        // The current slot's folder is gone; another slot is there.
        d.write("saves/arena/main.cfg", cfg_bytes(10000004, 10000003));
        ASSERT_TRUE(to_arena(d));
        std::wstring msg = take_message(d);
        EXPECT_NE(msg.find(L"10000003"), std::wstring::npos) << "names the slot that is gone: " << utf8_from_wide(msg);
        EXPECT_NE(msg.find(L"10000001"), std::wstring::npos) << "and the one loaded instead";
        EXPECT_DOUBLE_EQ(g_pty.gold, 1234.5);
        EXPECT_EQ(d.quit(), 0);

        // No slot at all: a new game, and the player is told.
        fs::remove_all(d.dir() / slot1);
        ASSERT_TRUE(to_arena(d));
        msg = take_message(d);
        EXPECT_NE(msg.find(L"10000001"), std::wstring::npos);
        EXPECT_NE(msg.find(L"新的游戏"), std::wstring::npos);
        EXPECT_EQ(g_pty.units.size(), 5u);
        EXPECT_EQ(g_pty.gold, 500.0);
    });
}

TEST(DamagedFiles, ADamagedCounterFileIsNamedAndTheFirstSlotLoaded) {
    after_first_game([](screen_driver_t& d, const std::vector<std::wstring>&) {
        d.write("saves/arena/main.cfg", "xyz");
        ASSERT_TRUE(to_arena(d));
        const std::wstring msg = take_message(d);
        EXPECT_NE(msg.find(L"main.cfg"), std::wstring::npos);
        EXPECT_NE(msg.find(L"10000001"), std::wstring::npos);
        EXPECT_DOUBLE_EQ(g_pty.gold, 1234.5);
    });
}

TEST(DamagedFiles, PickingADamagedPartyInTheHubKeepsItAndTheCurrentOne) {
    after_first_game([](screen_driver_t& d, const std::vector<std::wstring>&) {
        // A second party whose one member file is cut short.
        fs::copy(d.dir() / slot1, d.dir() / "saves/arena/10000002", fs::copy_options::recursive);
        const std::string cut = d.read(slot1 + "00000000.pc").substr(0, 40);
        d.write("saves/arena/10000002/00000000.pc", cut);
        ASSERT_TRUE(to_arena(d));
        EXPECT_EQ(take_message(d), L"");
        const std::string first_members = d.read(slot1 + "00000000.pc");

        // Both slots hold the same party name: the second entry is the second slot.
        ASSERT_TRUE(d.click(hub()->party_btn));
        lv_t* level = get_popup_menu()->get_level(0);
        ASSERT_GE(level->count(), 2);
        d.click_at(level->item_rect(1));
        ASSERT_TRUE(d.wait_for([] { return get_top_modal() != get_popup_menu(); }, "the menu to close"));
        EXPECT_EQ(cur_slot_id(), 10000002);
        const std::wstring msg = take_message(d);
        EXPECT_NE(msg.find(L"10000002"), std::wstring::npos) << utf8_from_wide(msg);
        EXPECT_NE(msg.find(L"00000000.pc"), std::wstring::npos);
        EXPECT_EQ(cur_slot_id(), 10000002);
        EXPECT_EQ(g_pty.units.size(), 4u);
        EXPECT_EQ(d.read("saves/arena/10000002.damaged/00000000.pc"), cut);
        EXPECT_EQ(d.read(slot1 + "00000000.pc"), first_members) << "the party left was saved as it was";
        EXPECT_TRUE(d.exists(slot1 + "00000004.pc"));
    });
}

TEST(DamagedFiles, MissingImagesAndSoundsAreNamedInTheLogAndTheGamePlaysOn) {
    screen_driver_t d;
    std::error_code ec;
    fs::remove(d.dir() / "gfx/bg_main.png", ec);
    for (const fs::directory_entry& e : fs::directory_iterator(d.dir() / "sfx/music"))
        fs::remove(e.path(), ec);
    for (const char* ext : {".ogg", ".wav", ".mp3"}) fs::remove(d.dir() / (std::string("sfx/ui_click") + ext), ec);
    d.run_started([&] {
        ASSERT_TRUE(d.find(L"竞技场")) << "the main menu shows";
        d.shot("missing-background");
        EXPECT_TRUE(said(L"找不到图像 gfx/bg_main")) << "said in the player's language";
        EXPECT_TRUE(said(L"找不到音乐 sfx/music/main"));
        d.on_main([] { play_sfx(L"ui_click"); });
        EXPECT_TRUE(said(L"找不到声音 sfx/ui_click"));
        const size_t lines = said_notes().size();
        d.frames(3);
        d.on_main([] { play_sfx(L"ui_click"); });
        EXPECT_EQ(said_notes().size(), lines) << "each is said once";
        ASSERT_TRUE(to_arena(d));
    });
    EXPECT_EQ(d.exit_code(), 0);
}

TEST(DamagedFiles, NonsenseSettingsAreNamedAndTheFileKeepsThem) {
    screen_driver_t d({.config = "show_fps=banana\r\nspd_ani_lv=99\r\nLang=../xx\r\nwindowed_size=99999x99999\r\n"
                                 "music=-3\r\n"});
    d.run([&] {
        ASSERT_TRUE(d.start()) << "the game starts";
        ASSERT_TRUE(d.find(L"竞技场")) << "in Chinese, the language that has texts";
        EXPECT_EQ(*get_scrn_size(), get_default_wnd_size());
        EXPECT_EQ(opts().spd_ani_lv, 3);
        EXPECT_FALSE(opts().show_fps);
        for (const wchar_t* s : {L"show_fps=banana", L"spd_ani_lv=99 无效，改用 3", L"music=-3", L"语言 ../xx",
                                 L"windowed_size=99999x99999"})
            EXPECT_TRUE(said(s)) << utf8_from_wide(s);
        EXPECT_EQ(d.quit(), 0);
    });
    // Nothing the player wrote was replaced by a default.
    const std::string ini = d.read("config.ini");
    const std::wstring text = ini.size() < 2 ? L"" : wide_from_utf16le(ini.data() + 2, ini.size() - 2);
    for (const wchar_t* kept : {L"show_fps=banana", L"spd_ani_lv=99", L"Lang=../xx", L"windowed_size=99999x99999"})
        EXPECT_NE(text.find(kept), std::wstring::npos) << "config.ini lost " << std::string(kept, kept + wcslen(kept));
}
