#include "screens/menu/main_menu.h"

#include <algorithm>

#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/render.h"
#include "screens/arena/arena.h"
#include "screens/dlgs/cfg_dlg.h"
#include "screens/dlgs/help_dlg.h"
#include "ui/btn.h"
#include "ui/wnd.h"

namespace {
constexpr int frame_w = 288;
constexpr int frame_h = 320;
constexpr int frame_pad = 16;
constexpr int frame_gap = 8;
constexpr clr_t frame_bg = 0x11ffffff;
constexpr int half_row_w = 124;
constexpr int row_h = 48;
// The logo stands above a band of this height in the middle of the screen.
constexpr int menu_band_h = 320;
constexpr pt_t promo_at{16, 16};
constexpr int about_align = rect_align::bottom;
constexpr clr_t arena_clrs[4] = {0xff802a21, 0xff66221a, 0xff33110d, 0xffb23b2e};
constexpr const wchar_t* game_version = L"0.1";

enum : int { CMD_ADVENTURE = 4, CMD_ARENA = 6, CMD_CFG = 7, CMD_HELP = 8, CMD_CREDITS = 9, CMD_EXIT = 10 };

struct entry_t {
    int id;
    const wchar_t* caption;
    const wchar_t* tip;
    const wchar_t* icon;
    int h;
    int font;
};

constexpr entry_t arena_entry{CMD_ARENA, L"竞技场", L"使用预设或自定义的角色和队伍，挑战各种怪物群体！", L"misc/atk_32",
                              64, FONT_B7};
constexpr entry_t adventure_entry{CMD_ADVENTURE, L"冒险模式<f=b4>（开发中）</f>",
                                  L"在未知的世界进行冒险和战斗<c=r>（开发中）</c>", L"misc/adventure", 48, FONT_B7};
constexpr entry_t cfg_entry{CMD_CFG, L"选项", L"更改视频/音乐/游戏玩法等各种选项", L"ui/cfg_32", 48, FONT_B5};
constexpr entry_t help_entry{CMD_HELP, L"百科", L"Tarn百科：了解基本战斗技巧与深层游戏机制", L"ui/help_32", 48, FONT_B5};
constexpr entry_t credits_entry{CMD_CREDITS, L"制作组", L"制作人员名单 & 鸣谢", L"misc/app", 48, FONT_B7};
constexpr entry_t exit_entry{CMD_EXIT, L"退出", L"退出游戏", L"ui/exit_32", 48, FONT_B7};

constexpr const entry_t* entries[] = {&arena_entry, &adventure_entry, &cfg_entry,
                                      &help_entry,  &credits_entry,   &exit_entry};
constexpr const wchar_t* bg_img = L"bg_main";
constexpr const wchar_t* logo_img = L"logo";

const wchar_t* const promo_text =
    L"<img=gl>\n<dy=110><url=https://tarnwick.example.org/vote>在商店页面为塔恩维克投上一票</url>";

// Every line centred and shadowed, so it reads over any part of the background.
Str about_text() {
    return Str(L"<shadow><m><b>Tarnwick %s</b></m>\n"
               L"<m>开发：塔恩维克制作组 | 美术：自由素材作者们 | <url=help:credits>制作人员名单 & 鸣谢</url></m>\n"
               L"<m><url=https://tarnwick.example.org/download>下载</url> | "
               L"<url=https://tarnwick.example.org/forum>论坛</url> | "
               L"<url=https://tarnwick.example.org/devlog>开发日志</url> | 玩家群：尚未开放</m>\n"
               L"<m>感谢每一位试玩和反馈的玩家！</m></shadow>",
               game_version);
}

main_menu_scene_t* the_menu = nullptr;

btn_t* add_entry(wnd_t* parent, const entry_t& e, uint32_t style, int w) {
    auto* b = new btn_t;
    const rect r{0, 0, w, e.h};
    b->create(style, parent, &r, e.id, 0, nullptr);
    reg_owned_wnd(b);
    b->font = e.font;
    b->set_text(e.caption, false);
    b->tip = e.tip;
    b->set_icon(e.icon);
    return b;
}

class _main_menu_scene_t : public main_menu_scene_t {
public:
    ~_main_menu_scene_t() override {
        if (the_menu == this) the_menu = nullptr;
    }
    bool on_evt(const evt_t* e, wnd_t*) override {
        if (e->code != EVT_COMMAND) return false;
        switch (int(e->a)) {
        case CMD_ARENA: goto_arena(); break;
        case CMD_CFG: open_cfg_dlg(); break;
        case CMD_HELP: help_open(nullptr); break;
        case CMD_CREDITS: help_open(L"credits"); break;
        case CMD_EXIT: request_quit(); break;
        default: break;
        }
        return false;
    }
    void update() override {}
    void draw() override {
        const size* scr = get_scrn_size();
        draw_bg(*scr);
        draw_logo(*scr);
        // The scene draws before the windows: its links take the mouse only
        // when no dialog runs and no window lies over them.
        set_interactive_paint(frame_no_modal() && !is_hover_in_ui());
        if (img_exists(L"gl")) {
            if (promo_.get_text().empty()) promo_.set_text(promo_text, nullptr, FONT_DEF, &default_clr, 3);
            promo_.draw(promo_at.x, promo_at.y);
        }
        if (!(about_size_ == *scr)) {
            about_size_ = *scr;
            about_.set_text(about_text(), scr, FONT_DEF, &default_clr, about_align);
        }
        about_.draw(0, 0);
    }
    bool enter() override {
        build_frame();
        return true;
    }
    void resume() override {}
    void leave() override {}
    pt_t get_cell() override { return NO_CELL; }
    const rtext_t& about() const override { return about_; }

private:
    rtext_t about_;
    rtext_t promo_;
    size about_size_{0, 0};
    // Looked up once per scene: the image cache is emptied when the window closes.
    zg::tex_t* bg_ = nullptr;
    zg::tex_t* logo_ = nullptr;

    void draw_bg(const size& scr) {
        if (!bg_) bg_ = get_img(bg_img);
        const size is = bg_->get_size();
        if (is.w <= 0 || is.h <= 0) return;
        const int h = int(int64_t(is.h) * scr.w / is.w);
        const rect dst{0, (scr.h - h) / 2, scr.w, h};
        draw_tex(bg_, &dst, nullptr);
    }
    void draw_logo(const size& scr) {
        if (!logo_) logo_ = get_img(logo_img);
        const rect dst = logo_rect(scr, logo_->get_size());
        if (dst.h > 0 && dst.w > 0) draw_tex(logo_, &dst, nullptr);
    }
    static void build_frame() {
        wnd_t* frame = new_wnd();
        const rect r{0, 0, frame_w, frame_h};
        frame->create(WS_CENTRE_X | WS_CENTRE_Y, WND_ROOT, &r, 0, 0, nullptr);
        frame->bg_clr = frame_bg;
        frame->padding = frame_pad;
        frame->gap = frame_gap;
        reg_owned_wnd(frame);
        const int w = frame_w - 2 * frame_pad;
        const uint32_t row_style = WS_DOCK_TOP | WS_FILL_W;
        btn_t* arena = add_entry(frame, arena_entry, row_style, w);
        arena->set_clrs(&arena_clrs[0], &arena_clrs[1], &arena_clrs[2], &arena_clrs[3]);
        add_entry(frame, adventure_entry, row_style, w)->set_enabled(false);
        wnd_t* row = new_wnd();
        const rect rr{0, 0, w, row_h};
        row->create(row_style, frame, &rr, 0, 0, nullptr);
        row->bg_clr = 0;
        row->gap = frame_gap;
        reg_owned_wnd(row);
        add_entry(row, cfg_entry, WS_DOCK_LEFT, half_row_w);
        add_entry(row, help_entry, WS_FILL_W, w);
        add_entry(frame, credits_entry, row_style, w);
        add_entry(frame, exit_entry, row_style, w);
    }
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

rect logo_rect(const size& scr, const size& img) {
    const int room = (scr.h - menu_band_h) / 2;
    const int h = std::min(room, img.h);
    if (h <= 0 || img.w <= 0 || img.h <= 0) return {scr.w / 2, room, 0, std::min(h, 0)};
    const int w = int(int64_t(img.w) * h / img.h);
    return {(scr.w - w) / 2, room - h, w, h};
}

std::vector<const wchar_t*> main_menu_imgs() {
    std::vector<const wchar_t*> names{bg_img, logo_img};
    for (const entry_t* e : entries) names.push_back(e->icon);
    return names;
}

std::vector<std::pair<int, Str>> main_menu_texts() {
    std::vector<std::pair<int, Str>> texts{{FONT_DEF, about_text()}};
    for (const entry_t* e : entries) texts.emplace_back(e->font, Str(e->caption));
    return texts;
}

main_menu_scene_t* new_main_menu_scene() { return the_menu = new _main_menu_scene_t; }
main_menu_scene_t* get_main_menu_scene() { return the_menu; }

void goto_main_menu() { goto_scene(get_main_menu_scene(), new_main_menu_scene); }
void goto_arena() { goto_scene(get_arena_scene(), new_arena_scene); }
