// The settings dialog: the window sizes a display allows, the custom size,
// full screen and the size controls, the music after OK and after Cancel,
// every option through config.ini and a restart, and the ways in.
#include "screens/dlgs/cfg_dlg.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>

#include "app/audio.h"
#include "app/codec.h"
#include "app/input.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/scene.h"
#include "screens/map/open_viewer.h"
#include "support/mapped.h"
#include "support/screen_canvas.h"
#include "support/screen_driver.h"
#include "support/screen_sizes.h"
#include "ui/cbo.h"
#include "ui/chk.h"
#include "ui/edt.h"
#include "ui/menu.h"
#include "ui/tab_ctrl.h"

namespace {
std::vector<std::wstring> texts(const std::vector<size>& v) {
    return mapped(v, [](const size& s) { return std::wstring(size_text(s).c_str()); });
}

// The configuration as the game wrote it: UTF-16LE after its mark.
std::wstring config_text(const screen_driver_t& d) {
    const std::string raw = d.read("config.ini");
    return raw.size() < 2 ? L"" : wide_from_utf16le(raw.data() + 2, raw.size() - 2);
}

bool has(const std::wstring& s, const std::wstring& part) { return s.find(part) != std::wstring::npos; }

void open_from_menu(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find(L"选项")));
    ASSERT_NE(get_cfg_dlg(), nullptr);
    ASSERT_EQ(get_top_modal(), get_cfg_dlg());
    d.frames(1);
}

void end_with(screen_driver_t& d, const wchar_t* button) {
    ASSERT_TRUE(d.click(d.find(button)));
    ASSERT_TRUE(d.wait_for([] { return get_top_modal() == nullptr; }, "the dialog to close"));
}

void show_tab(screen_driver_t& d, int tab) {
    d.click_at(get_cfg_dlg()->tabs()->get_strip()->item_rect(tab));
    ASSERT_EQ(get_cfg_dlg()->tabs()->cur_tab(), tab);
}

// Picks entry i of the combo box through its popup list.
void pick(screen_driver_t& d, cbo_t* c, int i) {
    ASSERT_TRUE(d.click(c));
    lv_t* level = get_popup_menu()->get_level(0);
    ASSERT_NE(level, nullptr);
    d.click_at(level->item_rect(i));
    ASSERT_TRUE(d.wait_for([] { return get_top_modal() != get_popup_menu(); }, "the list to close"));
}

void type_size(screen_driver_t& d, const wchar_t* text) {
    d.key(SDLK_END);
    for (int i = 0; i < 12; ++i) d.key(SDLK_BACKSPACE);
    d.type(text);
    ASSERT_TRUE(d.click(d.find(L"确定")));
}
}  // namespace

TEST(CfgDlg, WindowSizesAreEvenAtLeast900By700AndSmallerThanTheDisplay) {
    EXPECT_EQ(
        texts(list_wnd_sizes_on({1920, 1080})),
        (std::vector<std::wstring>{L"1680x1050", L"1600x1000", L"1600x900", L"1440x900", L"1440x810", L"1400x1050",
                                   L"1366x1024", L"1366x768", L"1280x960", L"1280x800", L"1280x720", L"1024x768"}));
    const struct {
        size s;
        bool ok;
    } rows[] = {{{1000, 701}, false},  {{1000, 700}, true},  {{900, 700}, true},   {{898, 700}, false},
                {{901, 700}, false},   {{1000, 698}, false}, {{1918, 1078}, true}, {{1920, 1078}, false},
                {{1918, 1080}, false}, {{0, 0}, false},      {{-1000, 700}, false}};
    for (const auto& r : rows) EXPECT_EQ(is_valid_wnd_size_on(r.s, {1920, 1080}), r.ok) << size_text(r.s).c_str();
    EXPECT_TRUE(list_wnd_sizes_on({1024, 768}).empty()) << "nothing fits a small display";
    EXPECT_EQ(size_text({1366, 768}), Str(L"1366x768"));
}

TEST(CfgDlg, FullScreenDisablesTheSizeControlsAndACustomSizeIsChecked) {
    in_game([&](screen_driver_t& d) {
        open_from_menu(d);
        cbo_t* c = get_cfg_dlg()->size_cbo();
        EXPECT_TRUE(c->is_enabled());
        ASSERT_TRUE(d.click(d.find(L"全屏")));
        d.frames(1);
        EXPECT_FALSE(c->is_enabled());
        EXPECT_FALSE(d.find(L"窗口模式分辨率：")->is_enabled());
        ASSERT_TRUE(d.click(d.find(L"全屏")));
        d.frames(1);
        EXPECT_TRUE(c->is_enabled());

        EXPECT_NE(d.find(L"* 切换全屏或改变分辨率后，需重启游戏才能生效。"), nullptr) << "both wait for a start";

        // 1000 x 700 fits the display, an odd height never does.
        const Str before = c->text;
        pick(d, c, c->count() - 1);
        ASSERT_NE(d.find(L"自定义分辨率"), nullptr);
        edt_t* e = d.find_type<edt_t>();
        EXPECT_EQ(e->text, before) << "the input starts from the size shown";
        type_size(d, L"1000x701");
        ASSERT_TRUE(d.wait_for([&] { return d.find(L"无效的分辨率！") != nullptr; }, "the refusal"));
        d.shot("settings-bad-size");
        d.key(SDLK_ESCAPE);
        ASSERT_TRUE(d.wait_for([&] { return !d.find(L"无效的分辨率！"); }, "the message to close"));
        d.shot("settings-bad-size-kept");
        EXPECT_TRUE(d.shown(e)) << "the input stays open";
        EXPECT_EQ(e->text, Str(L"1000x701")) << "with what was typed";
        EXPECT_EQ(c->text, before) << "refused: the size shown stays";
        d.key(SDLK_BACKSPACE);
        d.type(L"0");
        ASSERT_TRUE(d.click(d.find(L"确定")));
        ASSERT_TRUE(d.wait_for([] { return get_top_modal() == get_cfg_dlg(); }, "the input to close"));
        EXPECT_EQ(c->text, Str(L"1000x700"));
        EXPECT_EQ(c->strs[size_t(c->count() - 2)], Str(L"_SEP_")) << "before the custom entry";
        end_with(d, L"确定");
        EXPECT_TRUE(has(config_text(d), L"windowed_size=1000x700"));
        // A listed size taken as it stands, then cancelled: the saved one shows again.
        open_from_menu(d);
        pick(d, c, 0);
        EXPECT_EQ(c->text, c->strs[0]);
        end_with(d, L"取消");
        open_from_menu(d);
        EXPECT_EQ(c->text, Str(L"1000x700"));
        d.quit();
        ASSERT_TRUE(d.start());
        EXPECT_EQ(*get_scrn_size(), (size{1000, 700})) << "the next start opens at that size";
    });
}

TEST(CfgDlg, EveryOptionGoesThroughCancelOkConfigIniAndAStartAndTheMusicFollowsOk) {
    std::vector<bool> flipped;
    in_game([&](screen_driver_t& d) {
        ASSERT_TRUE(snd_mgr::get().opened && Mix_PlayingMusic() && !Mix_PausedMusic()) << "the dummy audio plays";
        open_from_menu(d);
        cfg_dlg_t* dlg = get_cfg_dlg();
        for (const opt_row_t& r : opt_rows()) {
            chk_t* b = dlg->box(r.key);
            ASSERT_NE(b, nullptr) << "a box for every option";
            flipped.push_back(!b->checked);
        }
        // What the dialog shows: every box flipped (or not), the speed entry.
        const auto shows = [&](bool flip, int spd) {
            size_t i = 0;
            for (const opt_row_t& r : opt_rows()) EXPECT_EQ(dlg->box(r.key)->checked, flipped[i++] == flip) << i;
            EXPECT_EQ(dlg->spd_cbo()->get_sel(), spd);
            EXPECT_EQ(dlg->spd_cbo()->text, spd_ani_lv_names()[size_t(spd)]);
        };
        // Every box clicked on the tab that shows it: all flipped says each is on one.
        const auto flip_all = [&] {
            for (int tab = 0; tab < CFG_TABS; ++tab) {
                show_tab(d, tab);
                for (const opt_row_t& r : opt_rows())
                    if (d.shown(dlg->box(r.key))) {
                        ASSERT_TRUE(d.click(dlg->box(r.key))) << to_utf8_string(r.key);
                    }
            }
            show_tab(d, CFG_TAB_BTL);
            pick(d, dlg->spd_cbo(), 2);
            shows(true, 2);
        };
        shows(false, 0);
        EXPECT_EQ(dlg->spd_cbo()->count(), 3);
        flip_all();
        end_with(d, L"取消");
        EXPECT_EQ(Mix_PausedMusic(), 0) << "cancelled: still playing";
        size_t i = 0;
        for (const opt_row_t& r : opt_rows()) EXPECT_EQ(opts().*r.field, !flipped[i++]) << "cancelled";
        EXPECT_EQ(opts().spd_ani_lv, 1);
        EXPECT_FALSE(has(config_text(d), L"spd_ani_lv")) << "nothing written";
        open_from_menu(d);
        shows(false, 0);
        flip_all();
        end_with(d, L"确定");
        const std::wstring cfg = config_text(d);
        i = 0;
        for (const opt_row_t& r : opt_rows()) {
            EXPECT_TRUE(has(cfg, std::wstring(r.key) + (flipped[i] ? L"=1" : L"=0"))) << to_utf8_string(r.key);
            EXPECT_EQ(opts().*r.field, flipped[i]) << to_utf8_string(r.key);
            ++i;
        }
        EXPECT_TRUE(has(cfg, L"spd_ani_lv=3"));
        EXPECT_EQ(opts().spd_ani_lv, 3);
        EXPECT_EQ(Mix_PausedMusic(), 1) << "the music box unchecked";
        d.quit();

        // The next start reads them back, and the dialog shows them.
        opts() = opts_t{};
        ASSERT_TRUE(d.start());
        i = 0;
        for (const opt_row_t& r : opt_rows()) EXPECT_EQ(opts().*r.field, flipped[i++]) << to_utf8_string(r.key);
        EXPECT_EQ(opts().spd_ani_lv, 3);
        d.on_main([] { open_cfg_dlg(); });  // over the arena: auto_arena is on now
        dlg = get_cfg_dlg();
        ASSERT_EQ(get_top_modal(), dlg);
        shows(true, 2);
        show_tab(d, CFG_TAB_SFX);
        ASSERT_TRUE(d.click(dlg->box(L"music")));
        ASSERT_TRUE(d.click(d.find(L"确定")));
        ASSERT_TRUE(d.wait_for([&] { return get_top_modal() != dlg; }, "the dialog to close"));
        EXPECT_EQ(Mix_PausedMusic(), 0) << "checked again: playing";
    });
}

TEST(CfgDlg, TheMapScenesSystemMenuOpensIt) {
    in_game([&](screen_driver_t& d) {
        map_viewer_t* v = open_viewer(d, 3, 7);
        ASSERT_EQ(get_top_scene(), v);
        ASSERT_TRUE(d.pick_sys_menu(L"选项"));
        ASSERT_TRUE(d.wait_for([] { return get_cfg_dlg() && get_top_modal() == get_cfg_dlg(); }, "the settings"));
        end_with(d, L"取消");
        EXPECT_EQ(get_top_scene(), v);
    });
}

TEST(CfgDlg, FitsTheScreenAtThreeSizes) {
    at_three_sizes([](screen_driver_t& d, const rect& scr) {
        open_from_menu(d);
        const rect& r = get_cfg_dlg()->rc;
        EXPECT_EQ(r, (rect{(scr.w - 768) / 2, (scr.h - 512) / 2, 768, 512})) << "centred";
        // The last row of the fullest tab stays above the buttons.
        show_tab(d, CFG_TAB_BTL);
        const rect& spd = get_cfg_dlg()->spd_cbo()->rc;
        EXPECT_LE(spd.y + spd.h, get_cfg_dlg()->btn_row->rc.y) << scr.w;
        EXPECT_GE(spd.x, r.x);
        end_with(d, L"取消");
    });
}
