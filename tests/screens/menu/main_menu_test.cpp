#include "screens/menu/main_menu.h"

#include <gtest/gtest.h>

#include "app/font.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/links.h"
#include "app/notes.h"
#include "app/platform.h"
#include "app/preload.h"
#include "app/scene.h"
#include "screens/arena/arena.h"
#include "support/screen_canvas.h"
#include "support/screen_driver.h"
#include "ui/btn.h"
#include "ui/tv.h"

namespace {
// A window that notes the frame in which the windows were last painted.
struct paint_probe_t : wnd_t {
    static inline const screen_driver_t* driver = nullptr;
    static inline int painted_in = -1;
    void paint() override {
        painted_in = driver->frame_no();
        wnd_t::paint();
    }
};
}  // namespace

TEST(MainMenu, SixEntriesInACentredFrameAtThreeSizes) {
    for (const SDL_Point size : three_sizes) {
        screen_driver_t d(screen_opts_t::sized(size.x, size.y));
        d.run_started([&, w = size.x, h = size.y] {
            const std::vector<wnd_t*>& own = get_main_menu_scene()->wnds;
            ASSERT_EQ(own.size(), 1u);
            EXPECT_EQ(own[0]->rc, (rect{(w - 288) / 2, (h - 320) / 2, 288, 320})) << w;
            struct want_t {
                const wchar_t* caption;
                int id;
                bool enabled;
            };
            for (const want_t& e : {want_t{L"竞技场", 6, true}, {L"冒险模式（开发中）", 4, false}, {L"选项", 7, true},
                                    {L"百科", 8, true}, {L"制作组", 9, true}, {L"退出", 10, true}}) {
                wnd_t* b = d.find(e.caption);
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(b->id, e.id);
                EXPECT_EQ(b->is_enabled(), e.enabled);
                EXPECT_FALSE(b->tip.empty());
                EXPECT_NE(static_cast<btn_t*>(b)->icon, nullptr);
                EXPECT_TRUE(is_in_wnd(own[0], b));
                EXPECT_TRUE(b->rc.x >= own[0]->rc.x + 16 && b->rc.x + b->rc.w <= own[0]->rc.x + 288 - 16);
            }
            EXPECT_EQ(d.find(L"竞技场")->rc.h, 64);
            EXPECT_EQ(d.find(L"选项")->rc.w, 124);
            EXPECT_EQ(d.find(L"选项")->rc.y, d.find(L"百科")->rc.y);
            EXPECT_EQ(static_cast<btn_t*>(d.find(L"竞技场"))->state_clrs[DS_HOT], clr_t{0xffb23b2e});
        });
    }
}

TEST(MainMenu, TheLogoShrinksToItsRoomAndVanishesBelow320Pixels) {
    const size logo{400, 100};
    EXPECT_EQ(logo_rect({1280, 720}, logo), (rect{440, 100, 400, 100}));
    EXPECT_EQ(logo_rect({1280, 420}, logo), (rect{540, 0, 200, 50}));  // room for 50 rows
    EXPECT_LE(logo_rect({640, 320}, logo).h, 0);
    EXPECT_LE(logo_rect({640, 300}, logo).h, 0);
}

TEST(MainMenu, BuiltOnceWhenPushedAgainAndExitQuits) {
    in_game([&](screen_driver_t& d) {
        main_menu_scene_t* menu = get_main_menu_scene();
        wnd_t* frame = menu->wnds[0];
        const int owned = owned_wnd_count();
        ASSERT_TRUE(d.click(d.find(L"竞技场")));
        ASSERT_EQ(get_top_scene(), get_arena_scene());
        EXPECT_TRUE(frame->is_hidden());
        const int with_arena = owned_wnd_count();
        ASSERT_TRUE(d.click(d.find(L"返回主界面")));
        EXPECT_EQ(get_top_scene(), menu);
        EXPECT_EQ(menu->wnds, std::vector<wnd_t*>{frame});
        EXPECT_FALSE(frame->is_hidden());
        EXPECT_TRUE(get_arena_scene()->wnds[0]->is_hidden());
        ASSERT_TRUE(d.click(d.find(L"竞技场")));
        ASSERT_TRUE(d.click(d.find(L"返回主界面")));
        EXPECT_EQ(owned_wnd_count(), with_arena);  // no second frame, no second hub
        EXPECT_GT(with_arena, owned);
        ASSERT_TRUE(d.click(d.find(L"退出")));
        EXPECT_EQ(d.wait_exit(), 0);
    });
}

TEST(MainMenu, TheAboutTextsLinkIsNotTakenThroughADialog) {
    in_game([&](screen_driver_t& d) {
        ASSERT_TRUE(d.click(d.find(L"百科")));
        wnd_t* help = get_top_modal();
        ASSERT_NE(help, nullptr);
        const tv_t* tree = d.find_type<tv_t>(help);
        ASSERT_NE(tree, nullptr);
        const ti_t* first = tree->sel;
        // Below the dialog: the press and release outside it close it; the
        // menu's link under the mouse opens nothing.
        ASSERT_TRUE(d.click_link(get_main_menu_scene()->about(), L"help:credits"));
        d.frames(2);
        EXPECT_EQ(get_top_modal(), nullptr);
        EXPECT_EQ(tree->sel, first);
        // With no dialog it opens the credits.
        ASSERT_TRUE(d.click_link(get_main_menu_scene()->about(), L"help:credits"));
        ASSERT_EQ(get_top_modal(), help);
        EXPECT_NE(tree->sel, first);
    });
}

TEST(MainMenu, TheCreditsLinkOpensOnlyOnceTheFrameIsDrawn) {
    // The scene draws the link before the windows are painted: opened while
    // drawing, the help dialog would run inside a frame half drawn.
    static std::vector<bool> frame_drawn;
    in_game([&](screen_driver_t& d) {
        paint_probe_t::driver = &d;
        d.on_main([&] {
            add_owned(new paint_probe_t, {0, 0, 1, 1})->bg_clr = 0;
            // Asked before the help dialog's handler; leaves the link to it.
            add_link_handler([&d](const wchar_t* target, bool*) {
                if (std::wstring_view(target) == L"help:credits")
                    frame_drawn.push_back(paint_probe_t::painted_in == d.frame_no());
                return false;
            });
        });
        d.frames(1);
        ASSERT_TRUE(d.click_link(get_main_menu_scene()->about(), L"help:credits"));
        ASSERT_NE(get_top_modal(), nullptr);
        EXPECT_EQ(frame_drawn, std::vector<bool>{true});
        d.key(SDLK_ESCAPE);
    });
}

TEST(MainMenu, TheFirstFrameDrawsWhatTheLoaderMadeBesideTheWindow) {
    in_game([&](screen_driver_t& d) {
        // Spoilt before the first frame draws: what it shows was decoded beside the window.
        d.write("gfx/bg_main.png", "not a picture");
        d.frames(1);
        d.on_main([] {
            EXPECT_EQ(get_img(L"bg_main")->get_size(), (size{1280, 720})) << "the background, not the placeholder";
            // Each decoded image was taken by the frame that drew it: none lies waiting.
            for (const wchar_t* name : main_menu_imgs())
                EXPECT_EQ(take_preloaded(resolve_img_path(name)), nullptr) << to_utf8_string(name);
            EXPECT_EQ(cursor_count(), CUR_COUNT);
            // Glyphs of the captions and the about text, rendered on the loader, are textures now.
            for (const auto& [font, code] : {std::pair{FONT_B7, U'竞'}, {FONT_B5, U'选'}, {FONT_DEF, U'开'}}) {
                zg::glyph_t* g = get_font(font)->glyphs.find(code);
                ASSERT_NE(g, nullptr) << font;
                EXPECT_TRUE(g->tex && !g->ahead) << font;
            }
            EXPECT_TRUE(said_notes().empty());
        });
    });
}
