#pragma once
// A scene for looking at maps without a battle, reachable only from the
// map_view tool: a generated map of one environment, or a map file, in the
// map scene with its interface. Keys: N the next environment, R another seed,
// G the grid, the arrows and W A S D (or the screen edges) scroll.
#include "screens/map/map_scene.h"

class map_viewer_t : public map_scene_t {
public:
    // Generates env (1..5) from seed, w x h cells (ROLL_IT rolls a side).
    virtual void show_generated(int env, int seed, int w, int h) = 0;
    // False, showing nothing, when the file is not a sound map.
    virtual bool show_file(const wchar_t* path) = 0;
    virtual int env() const = 0;
    virtual int seed() const = 0;
};

// Made and registered on first use, then pushed (or resumed) as the top scene.
map_viewer_t* goto_map_viewer();
