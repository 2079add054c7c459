#include "app/scene.h"

#include "app/input.h"
#include "app/wnd_layer.h"

namespace {
std::vector<scene_t*>& stack() {
    static std::vector<scene_t*> s;
    return s;
}
std::vector<obj_t*>& registry() {
    static std::vector<obj_t*> r;
    return r;
}
}  // namespace

void reg_scene(obj_t* s) { registry().push_back(s); }

bool push_scene(scene_t* s, bool fresh) {
    if (!stack().empty()) stack().back()->leave();
    stack().push_back(s);
    if (fresh) {
        wnd_layer().show_only({});
        s->enter();
        arrange_root();
        save_scene_wnds(s);
    } else {
        show_scene_wnds(s);
    }
    s->resume();
    reset_input_state();
    return true;
}

void pop_scene() {
    // Callers pop only what they pushed over another scene; a stray pop of the
    // last scene leaves an empty stack rather than reading past it.
    if (stack().empty()) return;
    stack().back()->leave();
    stack().pop_back();
    if (!stack().empty()) {
        show_scene_wnds(stack().back());
        stack().back()->resume();
    }
    reset_input_state();
}

scene_t* get_top_scene() { return stack().empty() ? nullptr : stack().back(); }

bool has_scene() { return !stack().empty(); }

size_t scene_depth() { return stack().size(); }

void leave_top_scene() {
    if (!stack().empty()) stack().back()->leave();
}

void free_scenes() {
    // The stack only refers to registered objects.
    stack().clear();
    clear_ptr_vec(registry());
}

void save_scene_wnds(scene_t* s) { wnd_layer().shown_top_wnds(&s->wnds); }

void show_scene_wnds(scene_t* s) { wnd_layer().show_only(s->wnds); }
