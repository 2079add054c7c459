// Save slots and character files in a game folder of the test's own.
#include "rules/save_slots.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/ini.h"
#include "app/paths.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/unit.h"
#include "support/mapped.h"
#include "support/mem_io.h"
#include "support/save_dir.h"

namespace fs = std::filesystem;

namespace {

class SaveSlots : public save_dir_test_t {
protected:
    bool has(const std::string& rel) const { return fs::exists(dir.path(rel)); }
    std::string cfg(const char* mode) const { return dir.read(std::string("saves/") + mode + "/main.cfg"); }
};

std::vector<std::wstring> member_names() {
    return mapped(g_pty.units, [](const unit_t* u) { return std::wstring(u->name.buf); });
}

}  // namespace

TEST_F(SaveSlots, FirstArenaEntryMakesSlotOneWithItsMembers) {
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    EXPECT_TRUE(has("saves/arena/10000001/my.pty"));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(has("saves/arena/10000001/0000000" + std::to_string(i) + ".pc")) << i;
    EXPECT_FALSE(has("saves/arena/10000001/00000005.pc"));
    EXPECT_EQ(cfg("arena"), cfg_bytes(10000002, 10000001));
    EXPECT_EQ(std::tuple(cur_slot_id(), g_pty.units.size(), g_pty.name), std::tuple(10000001, 5u, Str(L"异乡人")));
    // No temporary file is left behind.
    for (const auto& e : fs::directory_iterator(dir.path("saves/arena/10000001")))
        EXPECT_NE(e.path().extension(), ".tmp");

    // What was saved loads back as it was.
    const std::vector<std::wstring> names = member_names();
    g_pty.reset();
    forget_slot_cfgs();
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    EXPECT_EQ(std::tuple(member_names(), g_pty.gold), std::tuple(names, 500.0));
}

TEST_F(SaveSlots, ARemovedCurrentSlotLoadsTheSmallestAndNoSlotStartsAnew) {
    ASSERT_TRUE(new_arena_game());
    g_pty.name = L"second";
    ASSERT_TRUE(save_arena_slot(SLOT_NEW));
    EXPECT_EQ(cur_slot_id(), 10000002);
    g_pty.name = L"third";
    ASSERT_TRUE(save_arena_slot(SLOT_NEW));
    fs::remove_all(dir.path("saves/arena/10000003"));
    fs::remove_all(dir.path("saves/arena/10000001"));
    forget_slot_cfgs();
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    EXPECT_EQ(std::pair(cur_slot_id(), g_pty.name), std::pair(10000002, Str(L"second")));

    fs::remove_all(dir.path("saves/arena/10000002"));
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    EXPECT_EQ(std::pair(cur_slot_id(), g_pty.name), std::pair(10000001, Str(L"异乡人")));  // back to the defaults
    EXPECT_EQ(cfg("arena"), cfg_bytes(10000002, 10000001));
}

TEST_F(SaveSlots, ALostCounterFileNeverOverwritesASlot) {
    ASSERT_TRUE(new_arena_game());
    dir.folder("saves/arena/10000007");
    fs::remove(dir.path("saves/arena/main.cfg"));
    forget_slot_cfgs();
    ASSERT_TRUE(save_arena_slot(SLOT_NEW));
    EXPECT_EQ(std::tuple(cur_slot_id(), cfg("arena")), std::tuple(10000008, cfg_bytes(10000009, 10000008)));
}

TEST_F(SaveSlots, SlotListingIsNumericAndIgnoresOtherNames) {
    for (const char* f : {"10000010", "10000002", "abc", "1234567", "123456789", "1000000x", "10000003.bak"})
        dir.folder(std::string("saves/arena/") + f);
    dir.file("saves/arena/10000004", "a file");
    const Str root = utf8_to_str(dir.path("saves/arena/").c_str());
    EXPECT_EQ(list_slot_ids(root.buf), (std::vector<int>{10000002, 10000010}));

    g_pty.name = L"ten";
    ASSERT_TRUE(save_slot_dir(arena_slot_dir(10000010).buf));
    const std::vector<slot_info_t> slots = list_arena_slots();
    ASSERT_EQ(slots.size(), 1u);  // 10000002 has no party file
    EXPECT_EQ(std::pair(slots[0].id, slots[0].name), std::pair(10000010, Str(L"ten")));
}

TEST_F(SaveSlots, AMissingMemberFailsTheLoadAndNoSaveDeletesWhatNoLoadRead) {
    reset_pty();
    const Str slot = arena_slot_dir(10000001);
    ASSERT_TRUE(save_slot_dir(slot.buf));
    const std::vector<std::wstring> names = member_names();
    const std::string m2 = "saves/arena/10000001/00000002.pc";
    fs::remove(dir.path(m2));
    EXPECT_FALSE(load_slot_dir(slot.buf));  // not two members in silence
    fs::create_symlink(dir.path("nowhere.pc"), dir.path(m2));
    EXPECT_FALSE(load_slot_dir(slot.buf));  // a dangling link
    fs::remove(dir.path(m2));
    fs::create_symlink(dir.path(m2), dir.path(m2 + ".loop"));
    fs::create_symlink(dir.path(m2 + ".loop"), dir.path(m2));
    EXPECT_FALSE(load_slot_dir(slot.buf));  // a link loop
    fs::remove(dir.path(m2));
    fs::remove(dir.path(m2 + ".loop"));
    EXPECT_EQ(member_names(), names);

    // Saving a smaller party over the damaged slot: members 3 and 4, which no
    // load read, are kept aside, never deleted.
    for (int i = 0; i < 2; ++i) delete g_pty.units.back(), g_pty.units.pop_back();
    ASSERT_TRUE(save_slot_dir(slot.buf));
    EXPECT_FALSE(has("saves/arena/10000001/00000003.pc"));
    EXPECT_TRUE(has("saves/arena/10000001.kept/00000003.pc"));
    EXPECT_TRUE(has("saves/arena/10000001.kept/00000004.pc"));
    EXPECT_FALSE(has("saves/arena/10000001.kept/my.pty"));  // what the load read goes
    ASSERT_TRUE(load_slot_dir(slot.buf));
    EXPECT_EQ(g_pty.units.size(), 3u);

    // A slot that loads whole shrinks with no stale member and nothing kept.
    reset_pty();
    const Str other = arena_slot_dir(10000002);
    ASSERT_TRUE(save_slot_dir(other.buf));
    delete g_pty.units.back(), g_pty.units.pop_back();
    ASSERT_TRUE(save_slot_dir(other.buf));
    EXPECT_TRUE(has("saves/arena/10000002/00000003.pc"));
    EXPECT_FALSE(has("saves/arena/10000002/00000004.pc"));
    EXPECT_FALSE(has("saves/arena/10000002.kept"));
    EXPECT_FALSE(has("saves/arena/10000002.old"));
    ASSERT_TRUE(load_slot_dir(other.buf));
    EXPECT_EQ(g_pty.units.size(), 4u);
}

TEST_F(SaveSlots, AMissingOrDamagedSlotLeavesThePartyAsItWas) {
    reset_pty();
    const Str slot = arena_slot_dir(10000001);
    ASSERT_TRUE(save_slot_dir(slot.buf));
    const std::vector<std::wstring> names = member_names();
    const unit_t* first = g_pty.units[0];

    EXPECT_FALSE(load_slot_dir(arena_slot_dir(10000099).buf));  // no such slot
    dir.file("saves/arena/10000001/00000001.pc", "garbage");
    EXPECT_FALSE(load_slot_dir(slot.buf));
    dir.file("saves/arena/10000001/my.pty", "garbage");
    EXPECT_FALSE(load_slot_dir(slot.buf));
    EXPECT_EQ(std::tuple(member_names(), g_pty.units[0], g_pty.name), std::tuple(names, first, L"异乡人"));
}

TEST_F(SaveSlots, EnteringADamagedSlotKeepsItAsideAndLoadsWhatReads) {
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    const std::vector<std::wstring> names = member_names();
    // Member 1 is gone, member 3 is garbage: 0, 2 and 4 read.
    fs::remove(dir.path("saves/arena/10000001/00000001.pc"));
    dir.file("saves/arena/10000001/00000003.pc", "garbage");
    const std::string pty = dir.read("saves/arena/10000001/my.pty");
    forget_slot_cfgs();
    slot_load_t w;
    ASSERT_TRUE(load_arena_slot(SLOT_CUR, &w));
    EXPECT_TRUE(w.damaged && w.salvaged && !w.missing && !w.new_game);
    EXPECT_EQ(w.unread, (std::vector<Str>{Str(L"00000001.pc"), Str(L"00000003.pc")}));
    EXPECT_EQ(w.kept, Str(L"saves/arena/10000001.damaged"));
    EXPECT_EQ(member_names(), (std::vector<std::wstring>{names[0], names[2], names[4]}));
    EXPECT_EQ(dir.read("saves/arena/10000001.damaged/00000003.pc"), "garbage");
    EXPECT_EQ(std::tuple(dir.read("saves/arena/10000001.damaged/my.pty"), w.got), std::tuple(pty, 10000001));
    g_pty.reset();
    ASSERT_TRUE(load_slot_dir(arena_slot_dir(10000001).buf));  // whole now
    EXPECT_EQ(std::tuple(g_pty.units.size(), cfg("arena")), std::tuple(3u, cfg_bytes(10000002, 10000001)));
}

TEST_F(SaveSlots, ADamagedSlotThatCannotBeMovedIsNeverWrittenOver) {
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    dir.file("saves/arena/10000001/my.pty", "garbage");
    // Every name beside it taken: the folder stays where it is.
    dir.folder("saves/arena/10000001.damaged");
    for (int k = 2; k <= 1000; ++k) dir.file("saves/arena/10000001.damaged" + std::to_string(k));
    const std::string m0 = dir.read("saves/arena/10000001/00000000.pc");
    forget_slot_cfgs();
    slot_load_t w;
    ASSERT_TRUE(load_arena_slot(SLOT_CUR, &w));
    EXPECT_TRUE(w.damaged && w.salvaged && w.kept.empty());
    // What read went to a new slot.
    EXPECT_EQ(std::tuple(w.got, g_pty.units.size(), g_pty.name), std::tuple(10000002, 5u, Str(L"异乡人")));
    EXPECT_EQ(dir.read("saves/arena/10000001/my.pty"), "garbage");
    EXPECT_EQ(dir.read("saves/arena/10000001/00000000.pc"), m0);
    EXPECT_TRUE(has("saves/arena/10000002/00000004.pc"));
    // A new slot never takes the number of a damaged folder kept aside.
    fs::remove_all(dir.path("saves/arena/10000002"));
    fs::remove_all(dir.path("saves/arena/10000001"));
    get_arena_cfg().next = 10000001;
    ASSERT_TRUE(save_arena_slot(SLOT_NEW));
    EXPECT_EQ(cur_slot_id(), 10000002);
}

TEST_F(SaveSlots, CounterFilesAreReadOnceAndCheckedAndTheAdventureHasItsOwn) {
    dir.file("saves/arena/main.cfg", cfg_bytes(10000050, 10000040));
    EXPECT_EQ(std::pair(get_arena_cfg().next, get_arena_cfg().cur), std::pair(10000050, 10000040));
    dir.file("saves/arena/main.cfg", cfg_bytes(10000060, 10000041));
    EXPECT_EQ(get_arena_cfg().next, 10000050);  // once per process

    forget_slot_cfgs();
    for (const std::string& bad : {cfg_bytes(-5, 0), cfg_bytes(100000000, 0), std::string("abc"), cfg_bytes(7, 1) + "x"}) {
        dir.file("saves/adv/main.cfg", bad);
        forget_slot_cfgs();
        EXPECT_EQ(std::pair(get_adv_cfg().next, get_adv_cfg().cur), std::pair(1, 0));
    }

    forget_slot_cfgs();
    fs::remove(dir.path("saves/adv/main.cfg"));
    reset_pty();
    ASSERT_TRUE(save_adv_slot(SLOT_NEW, SLOT_WRITE_CFG | SLOT_FILES));
    EXPECT_EQ(cfg("adv"), cfg_bytes(2, 1));
    EXPECT_TRUE(has("saves/adv/00000001/my.pty"));
    g_pty.reset();
    ASSERT_TRUE(load_adv_slot(1, SLOT_FILES));
    EXPECT_EQ(g_pty.units.size(), 5u);
    ASSERT_TRUE(load_adv_slot(SLOT_CUR, 0));  // resolves only
    EXPECT_EQ(cur_slot_id(), 1);
}

TEST_F(SaveSlots, NewCharactersTakeTheNextFreeIdAndPremadesAreWritten) {
    ASSERT_TRUE(save_preset_pcs());
    for (int i = 1; i <= 10; ++i) EXPECT_TRUE(file_exists(pc_file_path(i).buf)) << i;
    unit_t u;
    ASSERT_TRUE(load_unit_file(pc_file_path(3).buf, u));
    EXPECT_EQ(u.name, get_preset_pcs()[2]->name);

    CZsIni ini(utf8_to_str(dir.path("config.ini").c_str()).buf);
    ASSERT_TRUE(save_unit_file(pc_file_path(100).buf, u));
    ASSERT_TRUE(save_unit_file(pc_file_path(101).buf, u));
    EXPECT_EQ(take_next_pc_id(ini), 102);  // config.ini lost: the files decide
    EXPECT_EQ(ini.get_int(L"next_pc_id", 0, L"Main"), 103);
    EXPECT_EQ(take_next_pc_id(ini), 103);
    // Raised to the least id a caller asks for; a lower or impossible one changes nothing.
    EXPECT_EQ(take_next_pc_id(ini, 110), 110);
    EXPECT_EQ(take_next_pc_id(ini, 105), 111);
    EXPECT_EQ(take_next_pc_id(ini, 100000000), 112);
}

namespace {

// A slot folder written by hand: the party file of a party named `name` and n members.
void slot_by_hand(const fs::path& dir_, const wchar_t* name, int n) {
    fs::create_directories(dir_);
    pty_t p;
    p.name = name;
    std::ofstream(dir_ / "my.pty", std::ios::binary) << bytes_of(p);
    for (int i = 0; i < n; ++i)
        std::ofstream(dir_ / to_utf8_string(Str(L"%08d.pc", i).buf), std::ios::binary) << bytes_of(unit_t());
}

}  // namespace

TEST_F(SaveSlots, TheStartFinishesOrUndoesAHalfDoneSwitch) {
    const fs::path root = dir.path("saves/arena");
    struct case_t {
        const char* what;
        int slot_members, fresh_members, old_members;  // -1: no such folder
        const wchar_t* loads;                           // null: no slot
        size_t members;
    };
    const case_t cases[] = {
        {"killed while the new content was written", 5, 2, -1, L"old", 5},
        {"killed between the two renames", -1, 3, 5, L"new", 3},
        {"killed while the old content was removed", 3, -1, 2, L"new", 3},
        {"an old content with nothing to finish it", -1, -1, 5, L"old", 5},
        {"a new slot killed before it was switched to", -1, 4, -1, nullptr, 0},
    };
    for (const case_t& c : cases) {
        fs::remove_all(root);
        // With an old content beside it, the slot already holds the new one.
        const wchar_t* in_slot = c.old_members >= 0 ? L"new" : L"old";
        if (c.slot_members >= 0) slot_by_hand(root / "10000001", in_slot, c.slot_members);
        if (c.fresh_members >= 0) slot_by_hand(root / "10000001.new", L"new", c.fresh_members);
        if (c.old_members >= 0) slot_by_hand(root / "10000001.old", L"old", c.old_members);
        settle_saves();
        EXPECT_FALSE(fs::exists(root / "10000001.new")) << c.what;
        EXPECT_FALSE(fs::exists(root / "10000001.old")) << c.what;
        EXPECT_FALSE(fs::exists(root / "10000001.kept")) << c.what;
        if (!c.loads) {
            EXPECT_FALSE(fs::exists(root / "10000001")) << c.what;
            continue;
        }
        g_pty.reset();
        ASSERT_TRUE(load_slot_dir(arena_slot_dir(10000001).buf)) << c.what;
        EXPECT_EQ(g_pty.name, c.loads) << c.what;
        EXPECT_EQ(g_pty.units.size(), c.members) << c.what;
    }

    // A load finishes a half-done switch by itself, should the start not have.
    fs::remove_all(root);
    slot_by_hand(root / "10000001.new", L"new", 2);
    slot_by_hand(root / "10000001.old", L"old", 5);
    ASSERT_TRUE(load_slot_dir(arena_slot_dir(10000001).buf));
    EXPECT_EQ(g_pty.name, L"new");
    EXPECT_FALSE(fs::exists(root / "10000001.old"));
}

TEST_F(SaveSlots, TheStartRemovesTheTemporaryFilesOfSavesOnly) {
    const std::string stray[] = {"saves/arena/main.cfg.tmp", "saves/adv/00000001/my.pty.tmp",
                                 "saves/arena/10000001/00000003.pc.tmp", "saves/pcs/00000100.pc.tmp"};
    const std::string kept[] = {"saves/arena/notes.tmp", "saves/pcs/00000100.pc", "saves/arena/10000001/x.tmp",
                                "saves/arena/10000001.new.txt"};
    for (const std::string& f : stray) dir.file(f);
    for (const std::string& f : kept) dir.file(f);
    dir.folder("saves/adv/my.pty.tmp");  // a folder of that name is not ours
    settle_saves();
    for (const std::string& f : stray) EXPECT_FALSE(has(f)) << f;
    for (const std::string& f : kept) EXPECT_TRUE(has(f)) << f;
    EXPECT_TRUE(has("saves/adv/my.pty.tmp"));
}

TEST_F(SaveSlots, ANewSlotNeverTakesAFolderThatExistsInEitherMode) {
    reset_pty();
    ASSERT_TRUE(save_adv_slot(SLOT_NEW, SLOT_WRITE_CFG | SLOT_FILES));
    ASSERT_TRUE(save_adv_slot(SLOT_NEW, SLOT_WRITE_CFG | SLOT_FILES));
    EXPECT_EQ(cur_slot_id(), 2);
    dir.file("saves/adv/00000003", "a file, not a slot");
    dir.folder("saves/adv/00000004.old");
    for (const std::string& cfg_body : {std::string(), std::string("lost")}) {
        if (cfg_body == "lost")
            fs::remove(dir.path("saves/adv/main.cfg"));
        else
            dir.file("saves/adv/main.cfg", "");  // empty
        forget_slot_cfgs();
        g_pty.name = L"newest";
        ASSERT_TRUE(save_adv_slot(SLOT_NEW, SLOT_WRITE_CFG | SLOT_FILES));
        EXPECT_GE(cur_slot_id(), 5);
    }
    EXPECT_EQ(std::tuple(cur_slot_id(), cfg("adv")), std::tuple(6, cfg_bytes(7, 6)));
    for (int n : {1, 2}) {  // the old slots are as they were
        ASSERT_TRUE(load_adv_slot(n, SLOT_FILES));
        EXPECT_EQ(g_pty.name, L"异乡人");
    }
}

TEST_F(SaveSlots, CharacterIdsStayWithinEightDigits) {
    CZsIni ini(utf8_to_str(dir.path("config.ini").c_str()).buf);
    unit_t u;
    ASSERT_TRUE(save_unit_file(pc_file_path(100).buf, u));
    for (const wchar_t* bad : {L"2147483647", L"100000000", L"-5", L"0"}) {
        ini.set_string(L"next_pc_id", bad, L"Main");
        EXPECT_EQ(take_next_pc_id(ini), 101) << bad;  // the next free id
        EXPECT_EQ(ini.get_int(L"next_pc_id", 0, L"Main"), 102) << bad;
    }
    ini.set_int(L"next_pc_id", 99999999, L"Main");
    EXPECT_EQ(take_next_pc_id(ini), 99999999);
    EXPECT_EQ(pc_file_path(99999999), get_exe_dir() + L"saves/pcs/99999999.pc");
    ASSERT_TRUE(save_unit_file(pc_file_path(99999999).buf, u));
    ini.set_int(L"next_pc_id", 99999999, L"Main");
    EXPECT_EQ(take_next_pc_id(ini), 101);  // taken up to the last id: from the first again
}

TEST_F(SaveSlots, FilesThatAreNotRegularAreRefusedWithoutWaiting) {
    alarm(60);  // a reader that blocks fails the test instead of hanging it
    reset_pty();
    ASSERT_TRUE(save_arena_slot(SLOT_NEW));
    const std::vector<std::wstring> names = member_names();
    const Str slot = arena_slot_dir(10000001);
    for (const char* f : {"saves/arena/10000001/00000001.pc", "saves/arena/10000001/my.pty"}) {
        const std::string p = dir.path(f), saved = dir.read(f);
        fs::remove(p);
        ASSERT_EQ(mkfifo(p.c_str(), 0600), 0);
        EXPECT_FALSE(load_slot_dir(slot.buf)) << f;
        fs::remove(p);
        fs::create_symlink("/dev/urandom", p);
        EXPECT_FALSE(load_slot_dir(slot.buf)) << f;
        fs::remove(p);
        dir.file(f, saved);
    }
    EXPECT_EQ(member_names(), names);
    ASSERT_TRUE(load_slot_dir(slot.buf));

    const std::string cfg_path = dir.path("saves/arena/main.cfg");
    fs::remove(cfg_path);
    ASSERT_EQ(mkfifo(cfg_path.c_str(), 0600), 0);
    forget_slot_cfgs();
    EXPECT_EQ(get_arena_cfg().next, ARENA_FIRST_SLOT);  // the defaults

    unit_t u;
    const std::string pc = dir.path("saves/pcs/00000007.pc");
    fs::create_directories(dir.path("saves/pcs"));
    ASSERT_EQ(mkfifo(pc.c_str(), 0600), 0);
    EXPECT_FALSE(load_unit_file(pc_file_path(7).buf, u));
    fs::remove(pc);
    dir.file("saves/pcs/00000007.pc", std::string(2 << 20, '\0'));  // past any unit
    EXPECT_FALSE(load_unit_file(pc_file_path(7).buf, u));
    alarm(0);
}
