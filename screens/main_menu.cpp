#include "screens/main_menu.h"

#include "screens/arena.h"
#include "app/font.h"
#include "app/geom.h"
#include "ui/wnd.h"

namespace {
constexpr int frame_w = 288;
constexpr int frame_h = 320;
constexpr int frame_pad = 16;
constexpr int frame_gap = 8;
constexpr clr_t frame_bg = 0x11ffffff;
constexpr int name_font = FONT_B7;
constexpr int name_align = rect_align::centre | rect_align::middle;

main_menu_scene_t* the_menu = nullptr;

class _main_menu_scene_t : public main_menu_scene_t {
public:
    ~_main_menu_scene_t() override {
        if (the_menu == this) the_menu = nullptr;
    }
    bool on_evt(const evt_t*, wnd_t*) override { return false; }
    void update() override {}
    // TODO: the background, the logo and the about text are drawn once images
    // and text drawing are in place.
    void draw() override {}
    bool enter() override {
        // TODO: the six menu entries join the frame once buttons land; until
        // then the frame carries the scene's name.
        wnd_t* frame = new_wnd();
        const rect r{0, 0, frame_w, frame_h};
        frame->create(WS_CENTRE_X | WS_CENTRE_Y, WND_ROOT, &r, 0, 0, nullptr);
        frame->bg_clr = frame_bg;
        frame->padding = frame_pad;
        frame->gap = frame_gap;
        frame->font = name_font;
        frame->text_align = name_align;
        frame->set_text(L"Tarnwick", false);
        reg_owned_wnd(frame);
        return true;
    }
    void resume() override {}
    void leave() override {}
    pt_t get_cell() override { return NO_CELL; }
};

template <class T, class F>
void goto_scene(T* existing, F make) {
    if (existing) {
        push_scene(existing, false);
        return;
    }
    T* s = make();
    reg_scene(s);
    push_scene(s, true);
}
}  // namespace

main_menu_scene_t* new_main_menu_scene() { return the_menu = new _main_menu_scene_t; }
main_menu_scene_t* get_main_menu_scene() { return the_menu; }

void goto_main_menu() { goto_scene(get_main_menu_scene(), new_main_menu_scene); }
void goto_arena() { goto_scene(get_arena_scene(), new_arena_scene); }
