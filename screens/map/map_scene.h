#pragma once
// The scene that shows a tile map through the view grid, with the main game
// interface around it: hover cell and its tooltip, the grid, the minimap,
// panning by drag, smooth scrolling. The battle scene derives from it and
// fills the slots below; the map scene alone draws the bare map.
#include <cstdint>

#include "app/sentinels.h"
#include "app/str.h"
#include "app/scene.h"
#include "screens/map/view_grid.h"

class tmap_t;
class tool_bar_t;
class menu_t;

constexpr pt_t NO_HOVER{-1, -1};
constexpr int CUR_NONE = -UNLIMITED;  // the scene has no cursor of its own yet
// Bit of map_scene_t::flags: a drag started on the map pans the view.
constexpr uint32_t MSF_DRAG_PAN = 1;

class map_scene_t : public scene_t {
public:
    map_scene_t();
    ~map_scene_t() override;

    bool on_evt(const evt_t* e, wnd_t* sender) override;
    void update() override;
    void draw() override;
    bool enter() override;
    void resume() override;
    void leave() override;
    // The hover cell.
    pt_t get_cell() override { return hover; }

    // Fills the system tool bar: one button that opens the system menu.
    virtual void on_sys_menu(tool_bar_t* bar);
    // A tool button of the bottom bar was clicked; true when used.
    virtual bool on_sys_btn(wnd_t* btn);
    // The scene's own entries at the head of the system menu.
    virtual void add_sys_menu_items(menu_t*) {}
    // The system menu's choice, before the common commands; true when used.
    virtual bool on_sys_cmd(int) { return false; }
    // The hover cell changed (it may be NO_HOVER); may set cursor_id.
    virtual void on_hover_cell() {}
    // The hover cell's tooltip; false for none.
    virtual bool get_cell_tip(Str&) { return false; }
    // 0..1: how brightly a cell shows on the minimap.
    virtual double get_cell_light(const pt_t&) { return 1.0; }
    virtual void draw_minimap_markers() {}
    virtual bool is_explored(const pt_t&) { return true; }
    // Drawn over the tiles, under the grid.
    virtual void draw_overlay() {}

    // Four moves of 16 pixels, 5 ms of frames after each.
    void scroll_step(int dx, int dy);
    // Centres the view on the cell: at once, or one cell a step with `ani_vp`.
    void scroll_to(const pt_t& cell);
    // Moves by one cell in the keyboard and screen-edge direction, busy
    // meanwhile; false when there was nothing to do.
    bool key_scroll();
    // The hover cell counts as new on the next update; the tooltip goes.
    void refresh_hover();
    // The view takes the map's size and the minimap is laid out anew.
    void fit_map();
    // Shows the map (null for none); an owned map is deleted with the scene
    // or when another map is set.
    void set_map(tmap_t* m, bool owned);
    tmap_t* get_map() const { return map; }
    zs::view_grid& get_view() { return view; }
    // Appends the hover cell's line ("[x,y] name and passability") to a tooltip text.
    void cell_line(Str& out);
    const rect& minimap_rect() const { return mm_rect; }
    int minimap_cell() const { return mm_cell; }

protected:
    pt_t hover = NO_HOVER;
    pt_t last_hover = NO_HOVER;
    int cursor_id = CUR_NONE;
    tmap_t* map = nullptr;
    bool map_owned = false;
    zs::view_grid view;
    rect mm_rect;
    int mm_cell = 0;  // pixels a side of a cell on the minimap; 0: too many cells
    uint32_t flags = MSF_DRAG_PAN;

    void draw_tiles();
    void draw_minimap();
    void layout_minimap();
    bool minimap_input(const evt_t* e, wnd_t* sender);
    bool drag_pan(const evt_t* e, wnd_t* sender);
    bool tip_query(const evt_t* e, wnd_t* sender);
    // The cell under the mouse, NO_HOVER when it may not be hovered.
    pt_t find_hover() const;

private:
    pt_t pan_org_;  // the origin when the drag began
    pt_t pan_start_;
};

// The minimap's place inside a panel's inner rectangle: the map's cells as
// squares of the largest whole size that fits, centred. Cell size 0 when the
// map has more cells than the rectangle has pixels.
struct minimap_lay_t {
    rect r;
    int cell = 0;
};
minimap_lay_t layout_minimap_in(const rect& inner, int map_w, int map_h);
// The outline of the view's cells on a minimap at mm with cells of `cell`
// pixels, cut to the minimap; empty when none of it lies there.
rect minimap_view_frame(const rect& mm, int cell, const rect& cells);
