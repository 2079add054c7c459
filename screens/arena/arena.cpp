#include "screens/arena/arena.h"

#include "app/font.h"
#include "app/geom.h"
#include "ui/wnd.h"

namespace {
constexpr clr_t hub_bg = 0xFF1C2833;
constexpr int name_font = FONT_DMG;
constexpr int name_align = rect_align::centre | rect_align::middle;

arena_scene_t* the_arena = nullptr;

class _arena_scene_t : public arena_scene_t {
public:
    ~_arena_scene_t() override {
        if (the_arena == this) the_arena = nullptr;
    }
    bool on_evt(const evt_t*, wnd_t*) override { return false; }
    void update() override {}
    void draw() override {}
    bool enter() override {
        // TODO: the hub's pages (challenges, party, shop) join once their
        // controls land; until then one screen-filling panel carries the name.
        wnd_t* hub = new_wnd();
        hub->create(WS_FILL_W | WS_FILL_H, WND_ROOT, nullptr, 0, 0, nullptr);
        hub->bg_clr = hub_bg;
        hub->font = name_font;
        hub->text_align = name_align;
        hub->set_text(L"竞技场", false);
        reg_owned_wnd(hub);
        return true;
    }
    void resume() override {}
    void leave() override {}
    pt_t get_cell() override { return NO_CELL; }
};
}  // namespace

arena_scene_t* new_arena_scene() { return the_arena = new _arena_scene_t; }
arena_scene_t* get_arena_scene() { return the_arena; }
