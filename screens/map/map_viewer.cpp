#include "screens/map/map_viewer.h"

#include <SDL_keycode.h>

#include "app/input.h"
#include "app/rnd.h"
#include "battle/map_gen.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "screens/map/main_ui.h"
#include "ui/memo_ctrl.h"

namespace {
constexpr int first_env = 1;
constexpr int last_env = MAP_ENV_COUNT - 1;

map_viewer_t* the_viewer = nullptr;

class _map_viewer_t : public map_viewer_t {
public:
    ~_map_viewer_t() override {
        if (the_viewer == this) the_viewer = nullptr;
    }

    void show_generated(int env, int seed, int w, int h) override {
        env_ = env, seed_ = seed, w_ = w, h_ = h;
        auto* m = new tmap_t;
        // The generator rolls the shares of each tile from the game's state
        // before it seeds: both come from the seed, so one seed is one map.
        const uint32_t kept = rnd_get_state();
        rnd_srand(uint32_t(seed));
        gen_rnd_map(m, env, seed, w, h);
        rnd_set_state(kept);
        set_map(m, true);
        view.center_on({m->get_w() / 2, m->get_h() / 2});
        file_ = Str();
        show_caption();
    }

    bool show_file(const wchar_t* path) override {
        auto* m = new tmap_t;
        const bool ok = m->load(path);
        set_map(m, true);
        view.center_on({m->get_w() / 2, m->get_h() / 2});
        file_ = path;
        show_caption();
        return ok;
    }

    int env() const override { return env_; }
    int seed() const override { return seed_; }

    bool on_evt(const evt_t* e, wnd_t* sender) override {
        if (sender == get_root_wnd() && e->code == EVT_KEY_UP) {
            if (e->a == SDLK_n) {
                show_generated(env_ >= last_env ? first_env : env_ + 1, seed_, w_, h_);
                return true;
            }
            if (e->a == SDLK_r) {
                show_generated(env_, seed_ + 1, w_, h_);
                return true;
            }
        }
        if (sender == get_root_wnd() && e->code == EVT_IDLE && key_scroll()) return true;
        return map_scene_t::on_evt(e, sender);
    }

    bool get_cell_tip(Str& out) override {
        cell_line(out);
        return true;
    }

    void resume() override {
        map_scene_t::resume();
        show_caption();
    }

private:
    int env_ = first_env, seed_ = 1, w_ = ROLL_IT, h_ = ROLL_IT;
    Str file_;

    // The viewer borrows the unit panel for what it shows.
    void show_caption() {
        if (!main_ui_built() || !map) return;
        Str s;
        if (!file_.empty())
            s.format(L"<c=fc_k8>地图文件</c>\n%s\n", file_.c_str());
        else
            s.format(L"<c=fc_k8>随机地图</c>\n环境 %d (%s)\n种子 %d\n", map->hdr.env, env_key(map->hdr.env), seed_);
        s.append_format(L"%d x %d\n\n<c=fc_k6>N 换环境　R 换种子　G 网格</c>", map->get_w(), map->get_h());
        main_ui().sheet_pane->set_text(s, true);
    }

    static const wchar_t* env_key(int env) {
        const wchar_t* k = env >= 1 && env < MAP_ENV_COUNT ? get_map_env(env)->k : nullptr;
        return k ? k : L"?";
    }
};
}  // namespace

map_viewer_t* goto_map_viewer() {
    if (the_viewer) {
        push_scene(the_viewer, false);
        return the_viewer;
    }
    the_viewer = new _map_viewer_t;
    reg_scene(the_viewer);
    push_scene(the_viewer, true);
    return the_viewer;
}
