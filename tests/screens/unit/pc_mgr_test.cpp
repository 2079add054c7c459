// The party manager: the premade characters on first run, new characters and
// their ids, deleting, the presets reset, the appearance dialog, and a new party.
#include "screens/unit/pc_mgr.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/ini.h"
#include "app/notes.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "screens/unit/u_ctrl.h"
#include "support/mapped.h"
#include "ui/edt.h"
#include "ui/li.h"
#include "ui/memo_ctrl.h"
#include "ui/splitter.h"
#include "ui/title_wnd.h"
#include "support/screen_canvas.h"
#include "support/screen_sizes.h"
#include "wizard_steps.h"

namespace {
// Opens the manager from a test button; the test then runs inside it.
pc_mgr_dlg_t* open_mgr(screen_driver_t& d, test_btn_t** btn = nullptr) {
    return click_test_btn(d, L"队伍", [] { return open_pc_mgr() ? 1 : 0; }, btn) ? get_pc_mgr() : nullptr;
}

std::vector<int> listed_ids(pc_mgr_dlg_t* m) {
    return mapped(m->pc_list()->items, [](const li_t* it) { return pc_lv_t::rec_of(it)->id; });
}

// "新建角色" through the wizard with the first preset build; false when the wizard did not run.
bool make_pc(screen_driver_t& d, pc_mgr_dlg_t* m) {
    if (!d.click(m->new_btn)) return false;
    game::lv_up_dlg_t* w = get_lv_up_dlg();
    if (!w) return false;
    click_item(d, w->bld_list(), 2);
    for (int i = 0; i < 3; ++i) d.click(w->fwd_btn());
    return d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5);
}

void tick_item(screen_driver_t& d, pc_mgr_dlg_t* m, int i) { d.click_at(m->pc_list()->item_part_rect(i, LIP_CHECK)); }

// Answers the confirmation dialog.
void confirm(screen_driver_t& d, bool yes) {
    wnd_t* b = d.find(yes ? L"确定" : L"取消");
    ASSERT_NE(b, nullptr);
    d.click(b);
    d.frames(1);  // the dialog's loop ends, and what it asked for is done
}

std::string pc_file(int id) {
    char name[32];
    std::snprintf(name, sizeof name, "saves/pcs/%08d.pc", id);
    return name;
}

// Runs body inside the manager, opened from button b in a started game.
void in_mgr(const std::function<void(screen_driver_t& d, pc_mgr_dlg_t* m, test_btn_t* b)>& body) {
    in_game([&](screen_driver_t& d) {
        EXPECT_FALSE(d.exists("saves/pcs")) << "the manager writes the premade on its first opening";
        test_btn_t* b = nullptr;
        pc_mgr_dlg_t* m = open_mgr(d, &b);
        ASSERT_NE(m, nullptr);
        body(d, m, b);
    });
}
}  // namespace

TEST(PcMgr, TheFirstRunWritesThePremadeTenAndListsThem) {
    in_mgr([](screen_driver_t& d, pc_mgr_dlg_t* m, test_btn_t*) {
        for (int id = 1; id <= PRESET_PCS; ++id) EXPECT_TRUE(d.exists(pc_file(id))) << id;
        EXPECT_EQ(listed_ids(m), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        EXPECT_EQ(m->pc_list()->sel, 0) << "the first selected when the manager opens";
        EXPECT_EQ(m->pty_name_edt()->text, Str(L"异乡人"));
        EXPECT_EQ(pc_lv_t::rec_of(m->pc_list()->get_item(0))->unit->name, get_preset_pcs()[0]->name);
        d.shot("pc-mgr-first-run");
        d.key(SDLK_ESCAPE);
    });
}

TEST(PcMgr, NewCharactersTakeFreeIdsEvenWhenTheConfigurationIsLost) {
    in_mgr([](screen_driver_t& d, pc_mgr_dlg_t* m, test_btn_t*) {
        // A cancelled wizard makes nothing and takes no id.
        ASSERT_TRUE(d.click(m->new_btn));
        ASSERT_NE(get_lv_up_dlg(), nullptr);
        d.key(SDLK_ESCAPE);
        ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
        EXPECT_EQ(m->pc_list()->count(), PRESET_PCS);
        EXPECT_EQ(CZsConfig::instance().get_int(L"next_pc_id", -1, L"Main"), -1);
        ASSERT_TRUE(make_pc(d, m));
        ASSERT_TRUE(make_pc(d, m));
        EXPECT_EQ(listed_ids(m).back(), 101);
        EXPECT_TRUE(d.exists(pc_file(100)));
        EXPECT_TRUE(d.exists(pc_file(101)));
        d.key(SDLK_ESCAPE);
        EXPECT_EQ(d.quit(), 0);
        // The player's config.ini is lost; the characters are not.
        std::filesystem::remove(d.dir() / "config.ini");
        d.write("config.ini", "[Main]\r\nfull_screen=0\r\nwindowed_size=1280x720\r\n");
        const std::string kept = d.read(pc_file(100));
        ASSERT_TRUE(d.start());
        m = open_mgr(d);
        ASSERT_NE(m, nullptr);
        ASSERT_TRUE(make_pc(d, m));
        EXPECT_EQ(listed_ids(m).back(), 102);
        EXPECT_TRUE(d.exists(pc_file(102)));
        EXPECT_EQ(d.read(pc_file(100)), kept) << "nothing overwritten";
        // 100 deleted, the newest's file lost (a failed save), the configuration too: no listed id comes back.
        std::filesystem::remove(d.dir() / pc_file(102));
        m->pc_list()->select(PRESET_PCS);
        ASSERT_TRUE(d.click(m->del_btn));
        confirm(d, true);
        EXPECT_FALSE(d.exists(pc_file(100)));
        d.on_main([] { CZsConfig::instance().sections[L"Main"].erase(L"next_pc_id"); });
        ASSERT_TRUE(make_pc(d, m));
        EXPECT_EQ(listed_ids(m).back(), 103);
        EXPECT_FALSE(d.exists(pc_file(100)));
        d.key(SDLK_ESCAPE);
    });
}

TEST(PcMgr, OkWantsOneToSixTicksAndANameAndMakesTheParty) {
    in_mgr([](screen_driver_t& d, pc_mgr_dlg_t* m, test_btn_t* b) {
        d.frames(1);
        EXPECT_FALSE(m->ok_btn->is_enabled()) << "nobody ticked";
        for (int i = 0; i < 7; ++i) tick_item(d, m, i);
        d.frames(1);
        EXPECT_EQ(m->pc_list()->checked_count(), 7);
        EXPECT_FALSE(m->ok_btn->is_enabled()) << "seven";
        EXPECT_EQ(screen_driver_t::plain(m->pc_list()->title->second.c_str()), L"7/6 ");
        tick_item(d, m, 6);
        d.frames(1);
        EXPECT_TRUE(m->ok_btn->is_enabled());
        for (int i : {5, 4, 3}) tick_item(d, m, i);
        edt_t* e = m->pty_name_edt();
        d.on_main([&] { e->set_text(L"", true); });
        d.frames(1);
        EXPECT_FALSE(m->ok_btn->is_enabled()) << "no name";
        d.click(e);
        d.type(L"<b>队");
        d.frames(1);
        ASSERT_TRUE(m->ok_btn->is_enabled());
        d.click(m->ok_btn);
        ASSERT_TRUE(d.wait_for([] { return get_pc_mgr() == nullptr; }, "the manager to close", 5));
        EXPECT_EQ(b->result, 1);
        ASSERT_EQ(g_pty.units.size(), 3u);
        EXPECT_EQ(g_pty.gold, 300.0);
        EXPECT_EQ(g_pty.name, Str(L"<b>队"));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(g_pty.units[size_t(i)]->name, get_preset_pcs()[size_t(i)]->name);
            EXPECT_NE(g_pty.units[size_t(i)], pc_lv_t::rec_of(m->pc_list()->get_item(i))->unit) << "copies";
        }
        // Cancel leaves the party as it is; the ticks stay for the next opening.
        ASSERT_TRUE(d.click(b));
        ASSERT_EQ(get_pc_mgr(), m);
        EXPECT_EQ(m->pc_list()->checked_count(), 3);
        d.click(m->first_btn);
        ASSERT_TRUE(d.wait_for([] { return get_pc_mgr() == nullptr; }, "the manager to close", 5));
        EXPECT_EQ(b->result, 0);
        EXPECT_EQ(g_pty.units.size(), 3u);
    });
}

TEST(PcMgr, ThePresetsResetRestoresThePremadeAndKeepsThePlayersOwn) {
    in_mgr([](screen_driver_t& d, pc_mgr_dlg_t* m, test_btn_t*) {
        ASSERT_TRUE(make_pc(d, m));
        const std::string own = d.read(pc_file(100));
        // Premade 1 renamed through "修改角色", premade 2 deleted.
        m->pc_list()->select(0);
        ASSERT_TRUE(d.click(m->edit_btn));
        game::mod_unit_dlg_t* md = get_mod_unit_dlg();
        ASSERT_NE(md, nullptr);
        EXPECT_EQ(md->panel()->name_edt()->text, get_preset_pcs()[0]->name);
        d.on_main([&] { md->panel()->name_edt()->set_text(L"", true); });
        d.frames(1);
        EXPECT_FALSE(md->ok_btn->is_enabled()) << "no name";
        d.type(L"新名字");
        d.frames(1);
        EXPECT_TRUE(md->ok_btn->is_enabled());
        d.click(md->ok_btn);
        ASSERT_TRUE(d.wait_for([] { return get_mod_unit_dlg() == nullptr; }, "the dialog to close", 5));
        unit_t saved;
        ASSERT_TRUE(load_unit_file(pc_file_path(1).c_str(), saved));
        EXPECT_EQ(saved.name, Str(L"新名字"));
        m->pc_list()->select(1);
        ASSERT_TRUE(d.click(m->del_btn));
        confirm(d, true);
        EXPECT_FALSE(d.exists(pc_file(2)));
        EXPECT_EQ(m->pc_list()->count(), PRESET_PCS);
        d.write(pc_file(11), "garbage");
        ASSERT_TRUE(d.click(m->presets_btn()));
        confirm(d, true);
        EXPECT_EQ(listed_ids(m), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100}));
        EXPECT_EQ(pc_lv_t::rec_of(m->pc_list()->get_item(0))->unit->name, get_preset_pcs()[0]->name);
        EXPECT_EQ(d.read(pc_file(100)), own);
        EXPECT_EQ(m->pc_list()->sel, 0);
        // The unreadable file is listed as damaged, by its name, and the log names it; it cannot
        // be ticked nor edited, and stays as it is.
        pc_lv_t* l = m->pc_list();
        d.on_main([&] {
            l->scroll_to_end();
            l->select(PRESET_PCS);
        });
        const rect row = l->item_rect(PRESET_PCS), chk = l->item_part_rect(PRESET_PCS + 1, LIP_CHECK);
        d.click_at(chk.x + chk.w / 2, row.y + row.h / 2);
        d.frames(1);
        d.shot("pc-mgr-damaged");
        EXPECT_EQ(l->checked_count(), 0);
        EXPECT_FALSE(m->edit_btn->is_enabled());
        EXPECT_NE(std::wstring(m->memo->text.c_str()).find(L"saves/pcs/00000011.pc"), std::wstring::npos);
        EXPECT_NE(std::wstring(said_notes().back().c_str()).find(L"saves/pcs/00000011.pc"), std::wstring::npos);
        EXPECT_EQ(d.read(pc_file(11)), "garbage");
        d.key(SDLK_ESCAPE);
    });
}

TEST(PcMgr, LaysOutWholeAtThreeScreenSizes) {
    at_three_sizes([](screen_driver_t& d, const rect& scr) {
        pc_mgr_dlg_t* m = open_mgr(d);
        ASSERT_NE(m, nullptr);
        const wnd_t* shown[] = {m->pc_list(), m->memo, m->ok_btn, m->new_btn, m->presets_btn(), m->pty_name_edt()};
        for (const wnd_t* x : shown) EXPECT_TRUE(on_screen(x->rc, scr)) << scr.w;
        expect_laid_out(m->btn_row, scr);
        expect_laid_out(m->client, scr);
        if (scr.w == min_scr.w) d.shot("pc-mgr-900");
        d.key(SDLK_ESCAPE);
    });
}
