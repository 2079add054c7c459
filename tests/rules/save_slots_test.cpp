// Save slots and character files in a game folder of the test's own.
#include "rules/save_slots.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/ini.h"
#include "app/paths.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/unit.h"
#include "support/mem_io.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class SaveSlots : public ::testing::Test {
protected:
    static void SetUpTestSuite() { init_pwrs(); }
    static void TearDownTestSuite() { free_pwrs(); }

    temp_dir_t dir;
    Str old_exe;

    void SetUp() override {
        old_exe = get_exe_dir();
        set_exe_dir(utf8_to_str(dir.path().c_str()).buf);
        forget_slot_cfgs();
        g_pty.reset();
    }
    void TearDown() override {
        g_pty.reset();
        forget_slot_cfgs();
        set_exe_dir(old_exe.buf);
    }

    bool has(const std::string& rel) const { return fs::exists(dir.path(rel)); }
    std::string cfg(const char* mode) const { return dir.read(std::string("saves/") + mode + "/main.cfg"); }
};

std::string cfg_bytes(int next, int cur) {
    le_bytes_t b;
    return b.i32(next).i32(cur).b;
}

std::vector<std::wstring> member_names() {
    std::vector<std::wstring> v;
    for (const unit_t* u : g_pty.units) v.push_back(u->name.buf);
    return v;
}

}  // namespace

TEST_F(SaveSlots, FirstArenaEntryMakesSlotOneWithItsMembers) {
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    EXPECT_TRUE(has("saves/arena/10000001/my.pty"));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(has("saves/arena/10000001/0000000" + std::to_string(i) + ".pc")) << i;
    EXPECT_FALSE(has("saves/arena/10000001/00000005.pc"));
    EXPECT_EQ(cfg("arena"), cfg_bytes(10000002, 10000001));
    EXPECT_EQ(cur_slot_id(), 10000001);
    EXPECT_EQ(g_pty.units.size(), 5u);
    EXPECT_EQ(g_pty.name, L"异乡人");
    // No temporary file is left behind.
    for (const auto& e : fs::directory_iterator(dir.path("saves/arena/10000001")))
        EXPECT_NE(e.path().extension(), ".tmp");

    // What was saved loads back as it was.
    const std::vector<std::wstring> names = member_names();
    g_pty.reset();
    forget_slot_cfgs();
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    EXPECT_EQ(member_names(), names);
    EXPECT_EQ(g_pty.gold, 500.0);
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
    EXPECT_EQ(cur_slot_id(), 10000002);
    EXPECT_EQ(g_pty.name, L"second");

    fs::remove_all(dir.path("saves/arena/10000002"));
    ASSERT_TRUE(load_arena_slot(SLOT_CUR));
    EXPECT_EQ(cur_slot_id(), 10000001);  // the record went back to its defaults
    EXPECT_EQ(g_pty.name, L"异乡人");
    EXPECT_EQ(cfg("arena"), cfg_bytes(10000002, 10000001));
}

TEST_F(SaveSlots, ALostCounterFileNeverOverwritesASlot) {
    ASSERT_TRUE(new_arena_game());
    dir.folder("saves/arena/10000007");
    fs::remove(dir.path("saves/arena/main.cfg"));
    forget_slot_cfgs();
    ASSERT_TRUE(save_arena_slot(SLOT_NEW));
    EXPECT_EQ(cur_slot_id(), 10000008);
    EXPECT_EQ(cfg("arena"), cfg_bytes(10000009, 10000008));
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
    EXPECT_EQ(slots[0].id, 10000010);
    EXPECT_EQ(slots[0].name, L"ten");
}

TEST_F(SaveSlots, MembersLoadUpToTheFirstGapAndShrinkingLeavesNoStaleFiles) {
    reset_pty();
    const Str slot = arena_slot_dir(10000001);
    ASSERT_TRUE(save_slot_dir(slot.buf));
    fs::remove(dir.path("saves/arena/10000001/00000002.pc"));
    ASSERT_TRUE(load_slot_dir(slot.buf));
    EXPECT_EQ(g_pty.units.size(), 2u);

    reset_pty();
    ASSERT_TRUE(save_slot_dir(slot.buf));
    delete g_pty.units.back();
    g_pty.units.pop_back();
    delete g_pty.units.back();
    g_pty.units.pop_back();
    ASSERT_TRUE(save_slot_dir(slot.buf));
    EXPECT_TRUE(has("saves/arena/10000001/00000002.pc"));
    EXPECT_FALSE(has("saves/arena/10000001/00000003.pc"));
    EXPECT_FALSE(has("saves/arena/10000001/00000004.pc"));
    ASSERT_TRUE(load_slot_dir(slot.buf));
    EXPECT_EQ(g_pty.units.size(), 3u);
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
    EXPECT_EQ(member_names(), names);
    EXPECT_EQ(g_pty.units[0], first);
    EXPECT_EQ(g_pty.name, L"异乡人");
}

TEST_F(SaveSlots, CounterFilesAreReadOnceAndCheckedAndTheAdventureHasItsOwn) {
    dir.file("saves/arena/main.cfg", cfg_bytes(10000050, 10000040));
    EXPECT_EQ(get_arena_cfg().next, 10000050);
    EXPECT_EQ(get_arena_cfg().cur, 10000040);
    dir.file("saves/arena/main.cfg", cfg_bytes(10000060, 10000041));
    EXPECT_EQ(get_arena_cfg().next, 10000050);  // once per process

    forget_slot_cfgs();
    for (const std::string& bad : {cfg_bytes(-5, 0), cfg_bytes(100000000, 0), std::string("abc"), cfg_bytes(7, 1) + "x"}) {
        dir.file("saves/adv/main.cfg", bad);
        forget_slot_cfgs();
        EXPECT_EQ(get_adv_cfg().next, 1);
        EXPECT_EQ(get_adv_cfg().cur, 0);
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
}
