#pragma once
// The map scene reached without a battle: the map viewer on a generated map.
#include "app/input.h"
#include "screens/map/map_viewer.h"
#include "support/screen_driver.h"
#include "ui/wnd.h"

// Opens the viewer on a side x side map of the environment, the mouse resting
// on the right panel, off the edges that scroll the map.
inline map_viewer_t* open_viewer(screen_driver_t& d, int env, int seed, int side = 20) {
    const wnd_t* root = get_root_wnd();
    d.move_to(root->rc.w - 60, root->rc.h / 2);
    map_viewer_t* v = nullptr;
    d.on_main([&] {
        v = goto_map_viewer();
        v->show_generated(env, seed, side, side);
    });
    d.frames(2);
    return v;
}
