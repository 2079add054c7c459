#include "screens/map/map_scene.h"

#include <SDL_keycode.h>

#include "ui/drag.h"
#include "app/ini.h"
#include "app/opts.h"
#include "app/text_log.h"
#include "battle/map_art.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "screens/menu/main_menu.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "screens/map/map_tiles.h"
#include "screens/widgets/log_memo.h"
#include "support/font_env.h"
#include "support/loop_harness.h"
#include "support/mapped.h"
#include "support/scoped_set.h"
#include "ui/memo_ctrl.h"
#include "ui/menu.h"
#include "ui/tip.h"
#include "ui/tool_bar.h"
#include "ui/tool_bar2.h"

namespace {

// Records what the slots of the base scene are asked.
struct test_scene_t : map_scene_t {
    std::vector<pt_t> hovers;
    std::vector<pt_t> orgs;  // the origin at every update
    int busy_updates = 0;
    Str tip;
    int markers = 0;
    int hover_cursor = CUR_NONE;
    pt_t unexplored = NO_HOVER;

    void on_hover_cell() override {
        hovers.push_back(hover);
        if (hover_cursor != CUR_NONE) cursor_id = hover_cursor;
    }
    bool get_cell_tip(Str& out) override {
        out = tip;
        return !tip.empty();
    }
    void draw_minimap_markers() override { ++markers; }
    bool is_explored(const pt_t& c) override { return c != unexplored; }
    void update() override {
        map_scene_t::update();
        orgs.push_back(view.org());
        busy_updates += is_busy();
    }
    pt_t hover_cell() const { return hover; }
};

tmap_t* plain_map(int w, int h, int env = 1, int tile = 1) {
    auto* m = new tmap_t;
    m->set_size(w, h);
    m->tiles.fill(tile);
    m->hdr.env = env;
    return m;
}

class MapScene : public fonts_test_t<loop_test_t> {
protected:
    // A fresh scene on a screen of w x h showing a plain map of mw x mh, the view on its middle.
    test_scene_t* open(int w, int h, int mw = 40, int mh = 40) {
        root_at(w, h);
        auto* s = new test_scene_t;
        reg_scene(s);
        push_scene(s, true);
        s->set_map(plain_map(mw, mh), true);
        s->get_view().center_on({mw / 2, mh / 2});
        return s;
    }
    // The mouse at (x, y) as one frame's update sees it; or with an event there.
    static void hover_px(int x, int y) { harness::move_to(x, y), frame_update(); }

    const scoped_set_t<opts_t> kept_opts{opts(), opts()};  // the options back as they were after each case
};

TEST_F(MapScene, InterfaceIsLaidOutAtThreeScreenSizes) {
    struct row_t {
        int w, h, slots;
    };
    for (const row_t& r : {row_t{1024, 768, 10}, {1060, 720, 20}, {1280, 720, 20}, {1920, 1080, 20}}) {
        SCOPED_TRACE(r.w);
        test_scene_t* s = open(r.w, r.h);
        const size v = map_view_size({r.w, r.h});
        const main_ui_t& ui = main_ui();
        EXPECT_EQ(s->get_view().scrn_rect(), (rect{0, 0, v.w, v.h}));
        EXPECT_EQ(ui.bottom_bar->rc, (rect{0, v.h, r.w, r.h - v.h}));
        EXPECT_EQ(ui.right_pnl->rc, (rect{v.w, 0, r.w - v.w, v.h}));
        EXPECT_EQ(ui.status_pnl->rc, (rect{v.w, 0, r.w - v.w, STATUS_PNL_H + 8}));
        EXPECT_TRUE(font_env_t::inside(ui.status_pnl->rc, s->minimap_rect()));
        // The log floats over the bottom of the map, the full width of the view.
        const rect& lm = ui.log_memo->rc;
        EXPECT_EQ(std::tuple(ui.log_memo->get_mode(), lm.y + lm.h, lm.w), std::tuple(LOG_FLOAT, v.h, v.w));
        // The bar's three parts lie side by side inside it.
        ASSERT_EQ(ui.act_bar->count(), r.slots);
        const rect& lb = ui.log_bar->rc;
        const rect& ab = ui.act_bar->rc;
        const rect& sb = ui.sys_bar->rc;
        EXPECT_TRUE(lb.x + lb.w <= ab.x && ab.x + ab.w <= sb.x) << lb.x + lb.w << " " << ab.x << " " << sb.x;
        for (const rect& p : {lb, ab, sb}) EXPECT_TRUE(font_env_t::inside(ui.bottom_bar->rc, p));
        EXPECT_EQ(ui.act_bar->get_item(0)->hot_key, SDLK_1);
        EXPECT_EQ(ui.act_bar->get_item(9)->hot_key, SDLK_0);
        ASSERT_EQ(ui.sys_bar->children.size(), 1u);
        EXPECT_EQ(ui.sys_bar->children[0]->tip, Str(L"系统菜单"));
        frame_update();
        frame_render();
        free_scenes();
        destroy_owned_wnds();
        EXPECT_FALSE(main_ui_built());
    }
}

TEST_F(MapScene, HoverCellFollowsTheMouseOverTheMapOnly) {
    test_scene_t* s = open(1280, 720);
    s->hover_cursor = CUR_SHIFT;
    hover_px(64 * 3 + 5, 64 * 2 + 5);
    const pt_t org = s->get_view().org_cell;
    EXPECT_EQ(s->hover_cell(), (pt_t{org.x + 3, org.y + 2}));
    EXPECT_EQ(get_frame_cursor(), CUR_SHIFT);
    ASSERT_EQ(s->hovers.size(), 1u);
    frame_update();
    EXPECT_EQ(s->hovers.size(), 1u);  // the same cell asks nothing again
    EXPECT_EQ(get_frame_cursor(), CUR_SHIFT);
    s->refresh_hover();
    frame_update();
    EXPECT_EQ(s->hovers.size(), 2u);
    // The last pixel of the view, then the interface beside and below it.
    hover_px(1023, 639);
    EXPECT_EQ(s->hover_cell(), (pt_t{org.x + 15, org.y + 9}));
    for (const pt_t p : {pt_t{1024, 300}, {500, 640}}) {
        hover_px(p.x, p.y);
        EXPECT_EQ(s->hover_cell(), NO_HOVER) << p.x << "," << p.y;
    }
    // Off the map the cursor is what the rest of the frame asked for.
    set_frame_cursor(CUR_HAND);
    s->update();
    EXPECT_EQ(get_frame_cursor(), CUR_HAND);
    harness::move_to(300, 300);
    set_busy(true);
    frame_update();
    EXPECT_EQ(s->hover_cell(), NO_HOVER);
    set_busy(false);
    // Off the map's edge inside the view.
    s->get_view().center_on({0, 0});
    hover_px(10, 10);
    EXPECT_EQ(s->hover_cell(), NO_HOVER);
}

TEST_F(MapScene, ScrollToJumpsWithoutAniVpAndStepsACellAtATimeWithIt) {
    test_scene_t* s = open(1280, 720);
    opts().ani_vp = false;
    s->scroll_to({23, 21});
    EXPECT_EQ(s->get_view().centre_cell(), (pt_t{23, 21}));
    EXPECT_TRUE(s->orgs.empty());  // no frame ran

    s->get_view().center_on({20, 20});
    const pt_t from = s->get_view().org();
    opts().ani_vp = true;
    s->scroll_to({23, 21});
    EXPECT_EQ(s->get_view().centre_cell(), (pt_t{23, 21}));
    // The moves the frames saw: three steps of four 16-pixel moves, the
    // first step diagonal, the other two along x only.
    std::vector<pt_t> moves;
    pt_t last = from;
    for (const pt_t& o : s->orgs) {
        if (o == last) continue;
        moves.push_back({o.x - last.x, o.y - last.y});
        last = o;
    }
    std::vector<pt_t> want(4, pt_t{16, 16});
    want.insert(want.end(), 8, pt_t{16, 0});
    EXPECT_EQ(moves, want);
}

TEST_F(MapScene, KeyScrollMovesOneCellAndIsBusyMeanwhile) {
    test_scene_t* s = open(1280, 720);
    const pt_t from = s->get_view().org();
    harness::move_to(0, 300);  // the left edge of the screen
    EXPECT_TRUE(s->key_scroll());
    EXPECT_FALSE(is_busy());
    EXPECT_FALSE(s->orgs.empty());
    EXPECT_EQ(s->busy_updates, int(s->orgs.size())) << "busy in every frame of the scroll";
    EXPECT_EQ(s->get_view().org(), (pt_t{from.x - 64, from.y}));
    harness::move_to(300, 300);
    EXPECT_FALSE(s->key_scroll());
}

TEST_F(MapScene, DragOnTheMapPansTheViewAndTheGridKeyTogglesInMemory) {
    test_scene_t* s = open(1280, 720);
    const pt_t from = s->get_view().org();
    ASSERT_EQ(get_root_wnd()->drag_flags, DRAG_NO_HILITE | DRAG_ON_MOVE);
    harness::route_at(EVT_LBTN_DOWN, 300, 300);
    harness::route_at(EVT_MOUSE_MOVE, 290, 300);
    ASSERT_TRUE(is_dragging());
    hover_px(270, 290);
    EXPECT_EQ(s->get_view().org(), (pt_t{from.x + 30, from.y + 10}));
    harness::route(EVT_LBTN_UP, 270, 290);
    EXPECT_FALSE(is_dragging());

    const bool grid = opts().show_grid;
    const int stored = CZsConfig::instance().get_int(L"show_grid", -7, L"Main");
    harness::route(EVT_KEY_DOWN, SDLK_g, 0);
    EXPECT_EQ(opts().show_grid, !grid);
    EXPECT_EQ(CZsConfig::instance().get_int(L"show_grid", -7, L"Main"), stored);
    frame_render();  // the grid drawn over every cell of the view
}

TEST_F(MapScene, MinimapPressCentresTheViewUnlessTheMapHasTooManyCells) {
    test_scene_t* s = open(1280, 720);
    ASSERT_EQ(s->minimap_cell(), 6);
    const rect mm = s->minimap_rect();
    harness::route_at(EVT_LBTN_DOWN, mm.x + 30 * 6 + 2, mm.y + 10 * 6 + 2);
    EXPECT_EQ(s->get_view().centre_cell(), (pt_t{30, 10}));
    // Dragging inside the panel follows the mouse.
    harness::route_at(EVT_MOUSE_MOVE, mm.x + 25 * 6, mm.y + 25 * 6);
    EXPECT_EQ(s->get_view().centre_cell(), (pt_t{25, 25}));
    harness::route(EVT_LBTN_UP, mm.x + 25 * 6, mm.y + 25 * 6);
    frame_render();
    EXPECT_EQ(s->markers, 1);

    s->set_map(plain_map(300, 300), true);
    EXPECT_EQ(s->minimap_cell(), 0);
    const pt_t org = s->get_view().org();
    const pt_t in_pnl = harness::centre(main_ui().status_pnl->rc);
    harness::route_at(EVT_LBTN_DOWN, in_pnl.x, in_pnl.y);
    harness::route_at(EVT_MOUSE_MOVE, in_pnl.x + 5, in_pnl.y + 5);
    harness::route(EVT_LBTN_UP, in_pnl.x + 5, in_pnl.y + 5);
    EXPECT_EQ(s->get_view().org(), org);
    frame_render();
    EXPECT_EQ(s->markers, 1);  // no markers without a cell size
}

TEST_F(MapScene, CellTipBesideTheCellOrAtTheViewsCorner) {
    test_scene_t* s = open(1280, 720);
    hover_px(64 * 2 + 1, 64 + 1);
    const pt_t c = s->hover_cell();
    tip_req_t& req = get_tip_req();
    req.reset();
    EXPECT_FALSE(get_root_wnd()->notify({EVT_TIP_QUERY, 0, 0}));  // no text, no tip
    s->tip = L"tip";
    EXPECT_TRUE(get_root_wnd()->notify({EVT_TIP_QUERY, 0, 0}));
    EXPECT_EQ(std::tuple(req.text, req.region, req.anchor),
              std::tuple(Str(L"tip"), 40 * c.y + c.x, rect{128, 64, 64, 64}));
    opts().show_tip_at_rb = true;
    req.reset();
    EXPECT_TRUE(get_root_wnd()->notify({EVT_TIP_QUERY, 0, 0}));
    EXPECT_EQ(std::tuple(req.anchor, req.place), std::tuple(s->get_view().scrn_rect(), int(TIP_RIGHT_BOTTOM)));
}

TEST_F(MapScene, CellLineNamesTheTileAndHowItIsCrossed) {
    test_scene_t* s = open(1280, 720);
    tmap_t* m = s->get_map();
    m->tiles.at(3, 4) = 3;
    m->tiles.at(4, 4) = 2;
    m->tiles.at(5, 4) = 9;  // not a tile id
    s->get_view().center_on({8, 5});
    const auto line_at = [&](int x, int y) {
        hover_px(s->get_view().cell_to_scrn_x(x) + 1, s->get_view().cell_to_scrn_y(y) + 1);
        Str out(L"> ");
        s->cell_line(out);
        return out;
    };
    const wchar_t* hard = or_empty(get_tile(3)->n);
    EXPECT_EQ(line_at(3, 4), Str(L"> <c=fc_kk>[03,04] %s<c=w> <ico=misc/pass_2></c></c>", hard));
    EXPECT_EQ(line_at(2, 4), Str(L"> <c=fc_kk>[02,04] %s<c=w> <ico=misc/pass_1></c></c>", or_empty(get_tile(1)->n)));
    EXPECT_TRUE(std::wstring(line_at(4, 4).c_str()).ends_with(L"<ico=misc/pass_no></c></c>"));
    EXPECT_EQ(line_at(5, 4), Str(L"> <c=fc_kk>[05,04] <c=w> <ico=misc/pass_no></c></c>"));
    s->unexplored = {6, 4};
    EXPECT_EQ(line_at(6, 4), Str(L"> <c=fc_kk>[06,04] 未知</c>"));
}

TEST_F(MapScene, MapsWithIdsOutsideTheTablesDrawWithoutFault) {
    test_scene_t* s = open(1280, 720);
    for (int env : {0, 6, -3, 1 << 30}) {
        tmap_t* m = plain_map(12, 12, env);
        m->tiles.at(1, 1) = -1;
        m->tiles.at(2, 1) = 1 << 30;
        m->tiles.at(3, 1) = 0;
        s->set_map(m, true);
        const int loads = tile_sheets().loads();
        frame_update();
        frame_render();
        EXPECT_EQ(tile_sheets().loads(), loads) << env;  // nothing to look up
    }
    // A file with an environment outside the table loads, and draws as nothing.
    temp_dir_t dir;
    dir.file("bad.map", zmap_bytes(3, 2, 77, {0, 1, 2, 3, 4, 5}));
    auto* m = new tmap_t;
    ASSERT_TRUE(m->load(utf8_to_str(dir.path("bad.map").c_str())));
    s->set_map(m, true);
    frame_update();
    frame_render();
    m->tiles.at(0, 0) = 0;
    m->hdr.env = 2;  // tile 0 in a real environment: its ground only
    frame_render();
}

TEST_F(MapScene, SystemMenuOffersItsCommandsAndGoesBackToTheMainMenu) {
    test_scene_t* s = open(1280, 720);
    wnd_t* btn = main_ui().sys_bar->children[0];
    std::vector<std::pair<int, uint32_t>> seen;  // id and flags of each entry
    harness::script.resize(harness::frame_no + 40);
    bool clicked = false;
    for (size_t i = harness::frame_no + 3; i < harness::script.size(); ++i)
        harness::script[i] = [&] {
            menu_t* m = get_popup_menu();
            if (clicked || get_top_modal() != m) return;
            for (li_t* it : m->items) seen.emplace_back(it->id, it->flags);
            auto* lvl = m->get_level(0);
            for (int k = 0; k < lvl->count(); ++k)
                if (lvl->get_item(k)->id == SYS_CMD_MAIN_MENU) {
                    harness::post_click(lvl->item_rect(k));
                    clicked = true;
                }
        };
    const pt_t p = harness::centre(btn->rc);
    harness::click_at(p.x, p.y);
    ASSERT_TRUE(clicked);
    ASSERT_EQ(seen.size(), 4u);
    const int ids[4] = {SYS_CMD_OPTIONS, SYS_CMD_HELP, SYS_CMD_MAIN_MENU, SYS_CMD_QUIT};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(seen[size_t(i)].first, ids[i]);
        EXPECT_EQ(seen[size_t(i)].second & LIF_DISABLED, 0u) << i;
    }
    EXPECT_EQ(get_top_scene(), get_main_menu_scene());
    // Leaving took the map's drag and floating log away.
    EXPECT_EQ(get_root_wnd()->drag_flags, 0u);
    EXPECT_EQ(main_ui().log_memo->get_mode(), LOG_STRIP);
    push_scene(s, false);
    EXPECT_EQ(main_ui().log_memo->get_mode(), LOG_FLOAT);
    EXPECT_FALSE(main_ui().right_pnl->is_hidden());

    sys_menu_cmd(SYS_CMD_QUIT);
    EXPECT_TRUE(is_quitting());
}

TEST_F(MapScene, LogLinesGoToTheMemoAndTheBarFollowsItsPosition) {
    open(1280, 720);
    log_memo_t* memo = main_ui().log_memo;
    tool_bar_t2* bar = main_ui().log_bar;
    const auto enabled = [&] {
        bar->refresh_all();
        return mapped(4, [&](int i) { return int(!(bar->get_item(i)->flags & LIF_DISABLED)); });
    };
    EXPECT_EQ(enabled(), (std::vector<int>{0, 0, 0, 0}));  // nothing to scroll
    *log_cur_buf() += L"第一行";
    log_flush();
    EXPECT_EQ(memo->text, Str(L"第一行"));
    for (int i = 0; i < 30; ++i) {
        log_cur_buf()->append_format(L"行 %d", i);
        log_flush();
    }
    EXPECT_TRUE(std::wstring(memo->text.c_str()).starts_with(L"第一行\n行 0\n行 1\n"));
    EXPECT_EQ(memo->pos_y(), memo->max_y());  // the newest line shows
    ASSERT_GT(memo->max_y(), 0);
    EXPECT_EQ(enabled(), (std::vector<int>{1, 0, 1, 0}));
    harness::route(EVT_KEY_DOWN, SDLK_HOME, 0);
    EXPECT_EQ(memo->pos_y(), 0);
    EXPECT_EQ(enabled(), (std::vector<int>{0, 1, 0, 1}));
    harness::route(EVT_KEY_DOWN, SDLK_PAGEDOWN, 0);
    EXPECT_EQ(memo->pos_y(), std::min(memo->view.h, memo->max_y()));
    harness::route(EVT_KEY_DOWN, SDLK_END, 0);
    EXPECT_EQ(memo->pos_y(), memo->max_y());
}

// Whether a window under w shows a text holding part.
bool shows_text(const wnd_t* w, const wchar_t* part) {
    const auto has = [part](const Str& s) { return std::wstring(s.c_str()).find(part) != std::wstring::npos; };
    const auto* t = dynamic_cast<const title_wnd_t*>(w);
    if (has(w->text) || (t && t->title && has(t->title->title))) return true;
    for (const wnd_t* c : w->children)
        if (shows_text(c, part)) return true;
    return false;
}

TEST_F(MapScene, TheLogsBarShowsTheWholeLogAndClearsIt) {
    open(1280, 720);
    log_memo_t* memo = main_ui().log_memo;
    for (const wchar_t* line : {L"第一行", L"第二行"}) {
        *log_cur_buf() += line;
        log_flush();
    }
    // While a dialog runs: note what it shows, then release Z, which closes it.
    bool shown = false;
    harness::script.assign(harness::frame_no + 30, [&] {
        wnd_t* top = get_top_modal();
        if (!top || top == get_popup_menu() || shown) return;
        shown = shows_text(top, L"第一行\n第二行") && shows_text(top, L"浏览记录");
        SDL_Event ev{};
        ev.type = SDL_KEYUP;
        ev.key.keysym.sym = SDLK_z;
        SDL_PushEvent(&ev);
    });
    harness::route(EVT_KEY_UP, SDLK_z, 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(get_top_modal(), nullptr);

    // "其他", then its third entry, "清除记录".
    harness::script.assign(harness::frame_no + 30, [&] {
        menu_t* m = get_popup_menu();
        if (get_top_modal() != m) return;
        harness::post_click(m->get_level(0)->item_rect(2));
    });
    const pt_t more = harness::centre(main_ui().log_bar->item_rect(LOG_BAR_MORE));
    harness::click_at(more.x, more.y);
    EXPECT_EQ(get_top_modal(), nullptr);
    EXPECT_TRUE(memo->text.empty());
}

TEST_F(MapScene, LogMemoGoesBackToItsModeAndFloatsWithoutTakingClicks) {
    open(1280, 720);
    log_memo_t* memo = main_ui().log_memo;
    ASSERT_EQ(memo->get_mode(), LOG_FLOAT);
    const pt_t p = harness::centre(memo->rc);
    hover_px(p.x, p.y);
    EXPECT_EQ(get_hover_wnd(), get_root_wnd());  // the map gets the click
    EXPECT_FALSE(is_hover_in_ui());
    memo->toggle();
    EXPECT_EQ(memo->get_mode(), LOG_FULL);
    memo->set_mode(LOG_STRIP, true);
    memo->set_mode(LOG_FULL, true);
    memo->toggle();
    EXPECT_EQ(memo->get_mode(), LOG_STRIP);
    frame_update();
    EXPECT_EQ(get_hover_wnd(), memo);
}

TEST_F(MapScene, ShutdownTakesTheInterfaceAndTheLogSinkAway) {
    open(1280, 720);
    ASSERT_TRUE(main_ui_built());
    free_scenes();
    destroy_owned_wnds();
    EXPECT_FALSE(main_ui_built());
    EXPECT_EQ(main_ui().log_memo, nullptr);
    *log_cur_buf() += L"无人接收";
    log_flush();  // reaches no freed window
    status_show_unit(nullptr);
}

}  // namespace
