// Sections: scene life, update and input, drawing, minimap, scrolling.
#include "screens/map/map_scene.h"

#include <SDL_keycode.h>

#include <algorithm>

#include "ui/drag.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/render.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "screens/map/map_tiles.h"
#include "screens/widgets/log_memo.h"
#include "ui/memo_ctrl.h"
#include "ui/tip.h"
#include "ui/tool_bar.h"

namespace {
constexpr clr_t grid_clr = 0x22ffffff;
constexpr clr_t mm_bg = 0xff000000;
constexpr clr_t mm_cell_clr = 0xff808080;
constexpr clr_t mm_frame_clr = 0xff2c3e50;
constexpr clr_t mm_view_clr = 0xffcccccc;
constexpr const wchar_t* hot_mark = L"tile_marks/hot";
// The menu button lies flat on the bar: normal, pressed, disabled, hot.
constexpr clr_t sys_btn_clrs[4] = {0x00000000, 0x33ffffff, 0x00000000, 0x22ffffff};
constexpr uint32_t pan_drag_flags = DRAG_NO_HILITE | DRAG_ON_MOVE;

bool is_press(uint32_t code) { return code == EVT_LBTN_DOWN || code == EVT_LBTN_DBL; }
}  // namespace

// ---- scene life ----

map_scene_t::map_scene_t() = default;

map_scene_t::~map_scene_t() {
    if (map_owned) delete map;
}

void map_scene_t::set_map(tmap_t* m, bool owned) {
    if (map_owned && map != m) delete map;
    map = m;
    map_owned = m && owned;
    fit_map();
    refresh_hover();
}

void map_scene_t::fit_map() {
    view.set_map_size(map ? map->get_w() : 0, map ? map->get_h() : 0);
    layout_minimap();
}

bool map_scene_t::enter() {
    main_ui_build();
    const size v = map_view_size(root_size());
    view.set_view_size(v.w, v.h);
    view.set_scrn_pos(0, 0);
    return true;
}

void map_scene_t::resume() {
    if (main_ui_built()) {
        const main_ui_t& ui = main_ui();
        on_sys_menu(ui.sys_bar);
        ui.sys_bar->arrange();
        ui.act_bar->reset();
    }
    cursor_id = CUR_NONE;
    hover = last_hover = NO_HOVER;
    if (flags & MSF_DRAG_PAN) get_root_wnd()->drag_flags = pan_drag_flags;
    if (main_ui_built()) main_ui().log_memo->set_mode(LOG_FLOAT, true);
}

void map_scene_t::leave() {
    if (flags & MSF_DRAG_PAN) get_root_wnd()->drag_flags = 0;
    if (!main_ui_built()) return;
    main_ui().log_memo->set_mode(LOG_STRIP, false);
    // The panel forgets its unit too: the units of a fight may be freed once
    // it is left, and a section toggled later would rebuild a freed unit's sheet.
    status_show_unit(nullptr);
}

void map_scene_t::on_sys_menu(tool_bar_t* bar) {
    if (!bar) return;
    bar->clear();
    tool_btn_t* b = bar->add_btn(nullptr, 0, 0, 0, 0, 0);
    b->set_icon(L"ui/menu_32");
    b->set_clrs(&sys_btn_clrs[0], &sys_btn_clrs[1], &sys_btn_clrs[2], &sys_btn_clrs[3]);
    b->tip = L"系统菜单";
}

bool map_scene_t::on_sys_btn(wnd_t* btn) {
    if (!main_ui_built() || !btn || btn->parent != main_ui().sys_bar) return false;
    sys_menu(this, btn);
    return true;
}

// ---- update and input ----

pt_t map_scene_t::find_hover() const {
    if (!map || is_busy() || is_modal_or_drag() || is_hover_in_ui()) return NO_HOVER;
    return view.scrn_to_cell(*get_mouse_pos());
}

void map_scene_t::update() {
    hover = find_hover();
    if (hover != last_hover) {
        cursor_id = get_frame_cursor();
        on_hover_cell();
        last_hover = hover;
    } else if (hover == NO_HOVER) {
        cursor_id = get_frame_cursor();
    }
    if (cursor_id != CUR_NONE) set_frame_cursor(cursor_id);
}

void map_scene_t::refresh_hover() {
    last_hover = {-2, -2};  // matches no cell, not even NO_HOVER
    hide_tip();
}

bool map_scene_t::on_evt(const evt_t* e, wnd_t* sender) {
    if (tip_query(e, sender)) return true;
    if (minimap_input(e, sender)) return true;
    if (drag_pan(e, sender)) return true;
    if (e->code == EVT_KEY_DOWN && e->a == SDLK_g && sender == get_root_wnd()) {
        // In memory only: the settings dialog is where the option is saved.
        opts().show_grid = !opts().show_grid;
        return true;
    }
    if (main_ui_built() && sender == main_ui().status_pnl) {
        if (e->code == EVT_LAYOUT_DONE) layout_minimap();
        const auto* rec = reinterpret_cast<const wnd_paint_rec_t*>(e->a);
        if (e->code == EVT_PAINT && rec && rec->phase == PAINT_AFTER) draw_minimap();
    }
    main_ui_on_evt(this, e, sender);
    return false;
}

bool map_scene_t::tip_query(const evt_t* e, wnd_t* sender) {
    if (e->code != EVT_TIP_QUERY || sender != get_root_wnd() || !map) return false;
    // Under a dialog the scene stands still: its cell is not the one under the pointer.
    if (is_modal_or_drag()) return false;
    // The tip is asked for before the scene's update, also in the frame the
    // pointer moved: it must describe the cell under the pointer, not the one it left.
    update();
    if (hover == NO_HOVER) return false;
    Str text;
    if (!get_cell_tip(text) || text.empty()) return false;
    tip_req_t& req = get_tip_req();
    req.text = text;
    // Another cell is another tip.
    req.region = map->get_w() * hover.y + hover.x;
    if (opts().show_tip_at_rb) {
        req.anchor = view.scrn_rect();
        req.place = TIP_RIGHT_BOTTOM;
    } else {
        req.anchor = view.cell_scrn_rect(hover);
    }
    return true;
}

bool map_scene_t::drag_pan(const evt_t* e, wnd_t*) {
    if (e->code != EVT_DRAG_BEGIN && e->code != EVT_DRAG_OVER) return false;
    if (get_drag_src() != get_root_wnd()) return false;
    const pt_t m = *get_mouse_pos();
    if (e->code == EVT_DRAG_BEGIN) {
        pan_org_ = view.org();
        pan_start_ = *get_drag_start();
        return true;
    }
    view.set_org_x(pan_org_.x + pan_start_.x - m.x);
    view.set_org_y(pan_org_.y + pan_start_.y - m.y);
    return true;
}

void map_scene_t::cell_line(Str& out) {
    out.append_format(L"<c=fc_kk>[%02d,%02d] ", hover.x, hover.y);
    const bool on_map = map && map->tiles.in(hover.x, hover.y);
    if (on_map && is_explored(hover)) {
        const int t = map->tiles.at(hover.x, hover.y);
        // A damaged map may hold ids the tile table does not know.
        const bool known = t >= 0 && t < TILE_COUNT;
        const wchar_t* name = known ? get_tile(t)->n : nullptr;
        const int pass = known ? tile_pass1(t) : PASS_BLOCK;
        out.append_format(L"%s<c=w> <ico=misc/%s></c>", or_empty(name),
                          pass == PASS_PLAIN ? L"pass_1" : pass == PASS_HARD ? L"pass_2" : L"pass_no");
    } else {
        out += L"未知";
    }
    out += L"</c>";
}

// ---- drawing ----

void map_scene_t::draw() {
    set_interactive_paint(frame_no_modal() && !is_hover_in_ui());
    if (!map) return;
    draw_tiles();
    if (hover != NO_HOVER) {
        const rect r = view.cell_scrn_rect(hover);
        draw_tex(get_img(hot_mark), &r, nullptr);
    }
}

void map_scene_t::draw_tiles() {
    const int env = map->hdr.env;
    // One cell more right and down: the origin need not sit on a cell's corner.
    const rect cr = view.cell_rect();
    const auto each_cell = [&](auto fn) {
        for (int y = std::max(cr.y, 0); y <= std::min(cr.y + cr.h, map->get_h() - 1); ++y)
            for (int x = std::max(cr.x, 0); x <= std::min(cr.x + cr.w, map->get_w() - 1); ++x)
                if (is_explored({x, y})) fn(x, y);
    };
    each_cell([&](int x, int y) {
        const int t = map->tiles.at(x, y);
        const cell_look_t look = cell_look(env, t);
        if (!look.ground) return;
        const int mask = look.over == OVER_AUTOTILE ? map->same_tile_mask(x, y) : 0;
        draw_cell(env, t, tile_variant(x, y), mask, view.cell_scrn_rect({x, y}));
    });
    draw_overlay();
    if (!opts().show_grid) return;
    each_cell([&](int x, int y) {
        const rect r = view.cell_scrn_rect({x, y});
        draw_rect(&r, &grid_clr);
    });
}

// ---- minimap ----

minimap_lay_t layout_minimap_in(const rect& inner, int map_w, int map_h) {
    minimap_lay_t out;
    if (map_w <= 0 || map_h <= 0 || inner.w <= 0 || inner.h <= 0) return out;
    out.cell = std::min(inner.w / map_w, inner.h / map_h);
    out.r = {0, 0, map_w * out.cell, map_h * out.cell};
    out.r.x = inner.x + (inner.w - out.r.w) / 2;
    out.r.y = inner.y + (inner.h - out.r.h) / 2;
    return out;
}

// The view may reach half a view past the map's edges; the frame stops at the
// minimap's edge rather than running over the panel's margin and outline.
rect minimap_view_frame(const rect& mm, int cell, const rect& cells) {
    const int x0 = std::max(mm.x + cells.x * cell, mm.x), y0 = std::max(mm.y + cells.y * cell, mm.y);
    const int x1 = std::min(mm.x + (cells.x + cells.w) * cell, mm.x + mm.w);
    const int y1 = std::min(mm.y + (cells.y + cells.h) * cell, mm.y + mm.h);
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

void map_scene_t::layout_minimap() {
    if (!main_ui_built() || !map || map->get_w() <= 0 || map->get_h() <= 0) return;
    wnd_t* p = main_ui().status_pnl;
    if (!p->is_laid_out()) return;
    const rect inner{p->rc.x + p->margin_l, p->rc.y + p->margin_t, p->rc.w - p->margin_l - p->margin_r,
                     p->rc.h - p->margin_t - p->margin_b};
    const minimap_lay_t lay = layout_minimap_in(inner, map->get_w(), map->get_h());
    mm_rect = lay.r;
    mm_cell = lay.cell;
}

void map_scene_t::draw_minimap() {
    if (!map || !main_ui_built()) return;
    fill_rect(&mm_rect, &mm_bg);
    const int s = mm_cell;
    if (s > 0) {
        // Squares of one row with the same light are filled as one run: the
        // same pixels with a call per run rather than per cell.
        for (int y = 0; y < map->get_h(); ++y) {
            int run_x = 0, run_n = 0, run_a = -1;
            const auto flush = [&] {
                if (run_n > 0 && run_a > 0) {
                    const rect r{mm_rect.x + run_x * s, mm_rect.y + y * s, run_n * s, s};
                    const clr_t c = (mm_cell_clr.v & 0x00ffffffu) | uint32_t(run_a) << 24;
                    fill_rect(&r, &c);
                }
                run_n = 0;
            };
            for (int x = 0; x < map->get_w(); ++x) {
                const int a = is_explored({x, y}) ? int(255 * std::clamp(get_cell_light({x, y}), 0.0, 1.0)) : -1;
                if (run_n > 0 && a != run_a) flush();
                if (run_n == 0) run_x = x, run_a = a;
                ++run_n;
            }
            flush();
        }
        draw_minimap_markers();
    }
    wnd_t* p = main_ui().status_pnl;
    draw_rect(&p->rc, &mm_frame_clr);
    if (s <= 0 || view.shows_whole_map()) return;
    const rect vr = minimap_view_frame(mm_rect, s, view.cell_rect());
    if (vr.w > 0 && vr.h > 0) draw_rect(&vr, &mm_view_clr);
}

bool map_scene_t::minimap_input(const evt_t* e, wnd_t* sender) {
    // With a cell size of 0 no cell is under the mouse.
    if (!main_ui_built() || sender != main_ui().status_pnl || !map || mm_cell <= 0) return false;
    const pt_t m = *get_mouse_pos();
    const bool press = is_press(e->code) && mm_rect.contains(m);
    const bool move = e->code == EVT_MOUSE_MOVE && get_pressed_wnd() == sender;
    if (!press && !move) return false;
    view.center_on({(m.x - mm_rect.x) / mm_cell, (m.y - mm_rect.y) / mm_cell});
    return true;
}

// ---- scrolling ----

void map_scene_t::scroll_step(int dx, int dy) {
    for (int i = 0; i < SCROLL_MOVES_PER_STEP; ++i) {
        view.set_org_x(view.org().x + dx * SCROLL_MOVE_PX);
        view.set_org_y(view.org().y + dy * SCROLL_MOVE_PX);
        wait_ms(SCROLL_MOVE_WAIT_MS);
    }
}

void map_scene_t::scroll_to(const pt_t& cell) {
    if (!opts().ani_vp) {
        view.center_on(cell);
        return;
    }
    const pt_t c = view.centre_cell();
    for (const scroll_dir_t& d : scroll_steps(cell.x - c.x, cell.y - c.y)) {
        scroll_step(d.dx, d.dy);
        wait_ms(SCROLL_MOVE_WAIT_MS);
    }
}

bool map_scene_t::key_scroll() {
    if (is_busy() || is_modal_or_drag()) return false;
    int dx = 0, dy = 0;
    get_scroll_dir(&dx, &dy);
    if (dx == 0 && dy == 0) return false;
    set_busy(true);
    scroll_step(std::clamp(dx, -1, 1), std::clamp(dy, -1, 1));
    set_busy(false);
    return true;
}
