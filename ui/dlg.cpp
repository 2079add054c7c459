#include "ui/dlg.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "app/font.h"
#include "app/sentinels.h"
#include "ui/btn.h"
#include "ui/tip.h"

namespace {

constexpr uint32_t row_style = WS_HIDDEN | WS_DOCK_BOTTOM | WS_FILL_W;
constexpr int row_h = 64;
constexpr int row_gap = 4;
constexpr int row_padding = 8;
constexpr int dlg_gap = 8;
constexpr int btn_w = 192, btn_h = 48, icon_btn_side = 48;
constexpr int caption_pad = 8;  // on each side of a narrowed button's caption

// Normal, pressed, disabled and hot colours of the standard buttons.
struct std_btn_t {
    const wchar_t* label;
    const wchar_t* icon;
    uint32_t style;
    int end_code;
    clr_t clrs[4];
};
constexpr std_btn_t close_btn_row = {
    L"关闭", L"ui/circle_del", WS_ROW_GROUP, -2, {0xFF1F5980, 0xFF184766, 0xFF0C2333, 0xFF2B7CB2}};
constexpr std_btn_t cancel_btn_row = {
    L"取消", L"ui/circle_del", WS_DOCK_RIGHT, -2, {0xFF802A21, 0xFF66221A, 0xFF33110D, 0xFFB23B2E}};
constexpr std_btn_t ok_btn_row = {
    L"确定", L"ui/circle_ok", WS_DOCK_RIGHT, -1, {0xFF1D8047, 0xFF176638, 0xFF0B331C, 0xFF28B263}};

// The row of buttons: where its buttons do not fit side by side, the captioned
// ones narrow alike, never below what their captions need, and take their
// own width back when there is room again.
class btn_row_t : public wnd_t {
public:
    std::vector<btn_t*> captioned;

    void arrange() override {
        fit_btns();
        wnd_t::arrange();
    }

private:
    std::map<const wnd_t*, int> full_w;  // of each narrowed button

    static bool shown(const wnd_t* w) { return w->is_created() && !w->is_hidden(); }

    static int least_w(btn_t* b) {
        rtext_t t;
        const size box{UNLIMITED, UNLIMITED};
        t.set_text(b->text.c_str(), &box, b->font, nullptr, 0);
        return t.get_rect().w + 2 * caption_pad + (b->icon ? b->rc.h : 0);
    }

    int own_w(const wnd_t* c) const {
        const auto it = full_w.find(c);
        return it == full_w.end() ? c->rc.w : it->second;
    }

    void fit_btns() {
        int used = 2 * padding, placed = 0;
        for (wnd_t* c : children)
            if (shown(c) && c->has_style(WS_DOCK_LEFT | WS_DOCK_RIGHT | WS_ROW_GROUP))
                used += own_w(c) + (placed++ ? gap : 0);
        const int over = used - (rc.w - margin_l - margin_r);
        std::vector<std::pair<btn_t*, int>> give;  // each shown button and the least it needs
        for (btn_t* b : captioned)
            if (std::find(children.begin(), children.end(), b) != children.end() && shown(b))
                give.emplace_back(b, std::min(own_w(b), least_w(b)));
        // The smallest equal cut that makes room, each button kept at the least it needs.
        int cut = 0;
        const auto room = [&](int c) {
            int n = 0;
            for (const auto& [b, least] : give) n += own_w(b) - std::max(least, own_w(b) - c);
            return n;
        };
        while (over > 0 && room(cut) < over && room(cut + 1) > room(cut)) ++cut;
        for (const auto& [b, least] : give) {
            const int w = own_w(b);
            if (cut > 0) full_w.emplace(b, w);
            b->resize(std::max(least, w - cut), b->rc.h);
        }
        if (cut == 0) full_w.clear();
    }
};

}  // namespace

dlg_t::dlg_t() {
    gap = dlg_gap;
    padding = 0;
}

bool dlg_t::create_dlg(const wchar_t* title_text, int w, int h, int mode, uint32_t s) {
    const rect r{0, 0, w, h};
    if (!frame_wnd_t::create(title_text, s, WND_ROOT, &r)) return false;
    btn_mode = mode;
    add_std_btns();
    return true;
}

void dlg_t::on_create() {
    frame_wnd_t::on_create();
    make_btn_row();
    add_std_btns();
}

void dlg_t::make_btn_row() {
    if (btn_row) return;
    btn_row = new btn_row_t;
    btn_row->set_style(row_style);
    btn_row->set_parent(this);
    const rect r{0, 0, rc.w, row_h};
    btn_row->set_rect(&r);
    btn_row->gap = row_gap;
    btn_row->padding = row_padding;
    btn_row->on_create();
    reg_owned_wnd(btn_row);
}

void dlg_t::add_std_btns() {
    // A dialog made with create_dlg has had no on_create: its row is made here.
    make_btn_row();
    const auto add = [this](const std_btn_t& row) {
        btn_row->set_visible(true);
        btn_t* b = add_btn(row.label, row.style, row.icon, nullptr);
        b->end_code = row.end_code;
        b->set_clrs(&row.clrs[0], &row.clrs[1], &row.clrs[2], &row.clrs[3]);
        return b;
    };
    if (btn_mode & DLG_CLOSE) first_btn = add(close_btn_row);
    if (btn_mode & DLG_OK_CANCEL) {
        first_btn = add(cancel_btn_row);
        ok_btn = add(ok_btn_row);
    }
}

btn_t* dlg_t::add_btn(const wchar_t* label, uint32_t s, const wchar_t* icon_name, const wchar_t* tip_text) {
    make_btn_row();
    auto* b = new btn_t;
    const rect r{0, 0, btn_w, btn_h};
    b->create(s | WS_FILL_H, btn_row, &r, 0, 0, nullptr);
    reg_owned_wnd(b);
    b->font = FONT_B6;
    b->set_text(label, false);
    b->set_icon(icon_name);
    b->tip = or_empty(tip_text);
    b->tip_place.place = TIP_ABOVE;
    if (label && *label) static_cast<btn_row_t*>(btn_row)->captioned.push_back(b);
    return b;
}

btn_t* dlg_t::add_icon_btn(const wchar_t* icon_name, const wchar_t* tip_text, uint32_t s) {
    make_btn_row();
    auto* b = new btn_t;
    const rect r{0, 0, icon_btn_side, icon_btn_side};
    b->create(s | WS_FILL_H, btn_row, &r, 0, 0, nullptr);
    reg_owned_wnd(b);
    b->set_icon(icon_name);
    b->tip = or_empty(tip_text);
    b->tip_place.place = TIP_ABOVE;
    const clr_t none = 0, pressed = 0x11000000, hot = 0x11FFFFFF;
    b->set_clrs(&none, &pressed, &none, &hot);
    return b;
}
