#pragma once
// Scenes are the screens of the game (main menu, arena, map, battle). Only the
// top scene of the stack gets the per-frame tick, update and draw; the
// registry owns every scene object made and deletes them at shutdown.
#include <cstddef>
#include <vector>

#include "app/evt.h"
#include "app/types.h"

class wnd_t;

class obj_t {
public:
    virtual ~obj_t() = default;
};

class obj_ex_t : public obj_t {
public:
    // The top-level windows that belong to the scene.
    std::vector<wnd_t*> wnds;
};

class scene_t : public obj_ex_t {
public:
    // Answers true when it used the event; `sender` is null for the frame tick.
    virtual bool on_evt(const evt_t* e, wnd_t* sender) = 0;
    virtual void update() = 0;
    virtual void draw() = 0;
    // Builds the scene's windows under the root window; first push only.
    virtual bool enter() = 0;
    virtual void resume() = 0;
    virtual void leave() = 0;
    virtual pt_t get_cell() = 0;
};

// What get_cell answers in a scene without a map.
constexpr pt_t NO_CELL{-2, -2};

void reg_scene(obj_t* s);
// Fresh: the first push of a new object (enter, layout, resume); otherwise
// the scene's own windows are shown again and it resumes. Always true.
bool push_scene(scene_t* s, bool fresh);
// The scene below becomes the top and resumes.
void pop_scene();
// Null when the stack is empty.
scene_t* get_top_scene();
bool has_scene();
// How many scenes the stack holds.
size_t scene_depth();
// Leave of the top scene, then every registered scene deleted (shutdown).
void leave_top_scene();
void free_scenes();

void save_scene_wnds(scene_t* s);
void show_scene_wnds(scene_t* s);

// Deletes each element, nulls its slot and empties the vector (capacity kept).
template <class T>
void clear_ptr_vec(std::vector<T*>& v) {
    for (T*& p : v) {
        delete p;
        p = nullptr;
    }
    v.clear();
}
