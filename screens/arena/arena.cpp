#include "screens/arena/arena.h"

#include <memory>
#include <utility>

#include "app/audio.h"
#include "app/img_cache.h"
#include "app/loop.h"
#include "app/markup_lit.h"
#include "app/notes.h"
#include "app/opts.h"
#include "app/render.h"
#include "battle/arena.h"
#include "battle/btl.h"
#include "battle/btl_reward.h"
#include "battle/enc.h"
#include "battle/listener.h"
#include "battle/turn.h"
#include "rules/ammo_refill.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/unit_grp.h"
#include "screens/arena/encs_dlg.h"
#include "screens/map/main_ui.h"
#include "ui/std_dlgs.h"
#include "ui/wnd.h"

namespace {
constexpr int win_page_h = 576, lose_page_h = 512, page_w = 512;
// %s: where the player goes ("返回主界面", "退出游戏"), then the fee.
constexpr const wchar_t* abandon_ask = L"放弃这场战斗，%s？\n\n已付的入场费 %s 不会退还。";

arena_scene_t* the_arena = nullptr;
btl_runner_t btl_runner;

Str slot_name(int n) { return Str(L"%08d", n); }

class _arena_scene_t : public arena_scene_t {
public:
    ~_arena_scene_t() override {
        if (the_arena == this) the_arena = nullptr;
    }
    bool on_evt(const evt_t*, wnd_t*) override { return false; }
    void update() override {}
    void draw() override {
        if (!bg_checked_) {
            bg_checked_ = true;
            if (img_exists(L"bg_arena")) bg_ = get_img(L"bg_arena");
        }
        if (bg_) draw_tex(bg_, nullptr, nullptr);
    }
    bool enter() override {
        slot_load_t w;
        load_arena_slot(SLOT_CUR, &w);
        load_msg_ = slot_load_msg(w);
        hub_ = new encs_dlg_t;
        hub_->set_style(WS_FILL_W | WS_FILL_H);
        hub_->set_parent(WND_ROOT);
        hub_->on_create();
        reg_owned_wnd(hub_);
        return true;
    }
    void resume() override {
        // Said once the hub stands, over it.
        if (!load_msg_.empty()) tell_slot_load(std::exchange(load_msg_, Str()));
        auto_load_ammo();
    }
    void leave() override { save_arena_slot(SLOT_CUR); }
    pt_t get_cell() override { return NO_CELL; }
    encs_dlg_t* hub() const override { return hub_; }

private:
    encs_dlg_t* hub_ = nullptr;  // owned by the window registry
    Str load_msg_;
    // Per scene: the image cache is emptied when the window closes.
    zg::tex_t* bg_ = nullptr;
    bool bg_checked_ = false;
};
}  // namespace

arena_scene_t* new_arena_scene() { return the_arena = new _arena_scene_t; }
arena_scene_t* get_arena_scene() { return the_arena; }

void tell_slot_load(const Str& text) {
    do_frame();  // the hub is drawn under the message
    zg_msg_dlg(text.c_str(), strs_fill(L"load_msgs/title", {}).c_str());
}

Str slot_load_msg(const slot_load_t& w) {
    Str out;
    auto line = [&](const wchar_t* key, const std::vector<Str>& values) {
        if (!out.empty()) out.append(L"\n");
        out.append(strs_fill((Str(L"load_msgs/") + key).buf, values).buf);
    };
    if (w.cfg_damaged) line(L"cfg", {});
    if (w.damaged) {
        Str files;
        const Str sep = strs_fill(L"load_msgs/sep", {});
        for (const Str& f : w.unread) files.append(files.empty() ? L"" : sep.buf).append(f.buf);
        line(L"damaged", {slot_name(w.wanted), files});
        if (w.salvaged)
            line(L"salvaged", {slot_name(w.got)});
        else
            line(L"nothing", {});
        if (w.kept.empty())
            line(L"not_moved", {});
        else
            line(L"kept", {w.kept});
    } else if (w.missing && !w.cfg_damaged) {
        line(L"missing", {slot_name(w.wanted)});
    }
    if (out.empty() || w.salvaged) return out;
    if (w.new_game)
        line(L"new_game", {});
    else
        line(L"other", {slot_name(w.got), markup_lit(g_pty.name.c_str())});
    return out;
}

void set_btl_runner(btl_runner_t run) { btl_runner = std::move(run); }
bool has_btl_runner() { return bool(btl_runner); }

// ---- fights ----

bool arena_fight(const enc_t& e) {
    const int fee = arena_take_fee();
    save_arena_slot(SLOT_CUR);
    int state = BTL_NONE;  // no runner: no fight
    const size_t depth = scene_depth();
    {
        std::unique_ptr<unit_grp_t> foes(enc_to_grp(e));
        // Leaving a running fight forfeits its fee: the player is asked first.
        set_leave_check([fee](int cmd) {
            const wchar_t* to = cmd == SYS_CMD_QUIT ? L"退出游戏" : L"返回主界面";
            return !is_btl_running() || zg_confirm_dlg(Str(abandon_ask, to, gold_text(fee).c_str()));
        });
        if (btl_runner) state = btl_runner(foes.get(), 0);
        set_leave_check(nullptr);
    }
    // The battle pushed its own scene; the hub shows again under the page. A
    // scene the player went to from the battle (the main menu) stays on top.
    if (scene_depth() == depth + 1 && get_top_scene() != get_arena_scene()) pop_scene();
    if (state == BTL_WON) arena_report_win(e);
    if (state == BTL_LOST) arena_report_loss();
    arena_count_fight(g_pty.arena, state);
    // A won fight is saved by its caller, with its stamp.
    if (state == BTL_LOST) save_arena_slot(SLOT_CUR);
    return state == BTL_WON;
}

void arena_report_win(const enc_t& e) {
    Str text;
    btl_win_rewards(e, text);
    play_sfx(L"jingles/jg_win");
    do_frame();
    zg_text_dlg(text, L"战斗胜利", 0, win_page_h, page_w);
}

void arena_report_loss() {
    Str text;
    btl_lose_text(text);
    play_sfx(L"jingles/jg_lose");
    do_frame();
    zg_text_dlg(text, L"战斗失败", 0, lose_page_h, page_w);
}

void auto_load_ammo() {
    if (!opts().auto_load_ammos) return;
    if (!refill_pty_ammo(g_pty)) zg_msg_dlg(L"队伍弹药存货缺乏！请购买补充。", L"自动装填弹药");
}
