#include "screens/unit/unit_lists.h"

#include <algorithm>

#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/render.h"
#include "battle/turn.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "screens/text/desc_parts.h"
#include "screens/text/unit_sheet.h"
#include "screens/unit/unit_dlg.h"
#include "screens/widgets/theme.h"
#include "screens/widgets/unit_badges.h"

namespace {
// u_lv_t: a 52 px picture with 2 px around it, 256 px wide, 5 rows.
constexpr int list_pic = 52;
constexpr int list_margin = 2;
constexpr int list_gap = 4;
constexpr int list_w = 256;
constexpr int list_rows = 5;
constexpr int list_text_dx = 6;
constexpr const wchar_t* row_fmt = L"<f=b5><el>%s</el></f>\n<c=a><el>%s</el></c>";
constexpr const wchar_t* tip_fmt = L"<b>%s</b>\n<c=a>%s</c>";
// u_lv2_t: 48 px faces with 2 px around them and 2 px between.
constexpr int strip_face = 48;
constexpr int strip_margin = 2;
constexpr int strip_gap = 2;
constexpr int btl_strip_margin = 5;
constexpr int btl_strip_h = 62;
constexpr int mark_h = 2;
// Kept under the faces of a scrolling strip, so that its bar leaves the mark clear.
constexpr int mark_room = mark_h + 2;
constexpr const wchar_t* unknown_face = L"faces_npc/null";

unit_hover_fn hover_fn = nullptr;

// Scaled once to the box it fills: the lists are drawn every frame.
zg::tex_t* face_of(const unit_t* u, const rect& box) {
    return get_img_sized((u->face.empty() ? u->img : u->face).c_str(), box.w, box.h);
}

unit_t* unit_in(const li_t* it) { return it ? reinterpret_cast<unit_t*>(it->data) : nullptr; }
}  // namespace

// ---- u_lv_t ----

u_lv_t::u_lv_t() {
    cls_ex_style |= LVX_COL;
    item_ml = item_mr = item_mt = item_mb = list_margin;
    const size s{list_w, list_pic + 2 * list_margin};
    set_item_size(&s);
    item_gap = list_gap;
    view_rows = list_rows;
}

unit_t* u_lv_t::unit_of(const li_t* it) const { return unit_in(it); }

li_t* u_lv_t::add_unit(unit_t* u) { return add_item(L"", nullptr, nullptr, 0, 0, uintptr_t(u), 0, nullptr); }

void u_lv_t::draw_item(li_t* it, int index, const rect& r, const rect& inner) {
    lv_t::draw_item(it, index, r, inner);
    const unit_t* u = unit_of(it);
    if (!u) return;
    const rect pic{inner.x, inner.y, list_pic, std::min(list_pic, inner.h)};
    draw_rect(&pic, &theme::frame);
    const rect mid{pic.x + 1, pic.y + 1, pic.w - 2, pic.h - 2};
    draw_rect(&mid, &theme::strip_bg);
    const rect in{mid.x + 1, mid.y + 1, mid.w - 2, mid.h - 2};
    fill_rect(&in, &theme::strip_bg);
    draw_tex(face_of(u, in), &in, nullptr);
    // Each line one cell: what passes the row's right edge ends in an
    // ellipsis, and the row's tooltip shows it whole.
    const int tx = pic.x + pic.w + list_text_dx;
    const size box{inner.x + inner.w - tx, inner.h};
    Str name, type;
    const Str s(row_fmt, u->get_disp_name(name), txt::unit_type_line(type, u));
    it->text.set_text(s.c_str(), &box, FONT_DEF, &theme::text, rect_align::left | rect_align::top);
    it->text.draw(tx, inner.y);
}

Str* u_lv_t::item_tip(Str* out, const li_t* it) {
    const unit_t* u = unit_of(it);
    Str name, type;
    *out = u && it->text.was_cut() ? Str(tip_fmt, u->get_disp_name(name), txt::unit_type_line(type, u)) : it->tip;
    return out;
}

li_t* u_lv_add_cmd_unit(u_lv_t* l, unit_t* u) {
    li_t* it = l->add_unit(u);
    it->kind = LIK_COMMAND;
    return it;
}

int u_lv_find_unit(const u_lv_t* l, const unit_t* u) {
    for (int i = 0; i < l->count(); ++i)
        if (l->unit_of(l->get_item(i)) == u) return i;
    return -1;
}

// ---- u_lv2_t ----

u_lv2_t::u_lv2_t() {
    cls_ex_style |= LVX_ROW;
    item_ml = item_mr = item_mt = item_mb = strip_margin;
    const size s{strip_face + 2 * strip_margin, strip_face + 2 * strip_margin};
    set_item_size(&s);
    item_gap = strip_gap;
}

unit_t* u_lv2_t::unit_of(const li_t* it) const { return unit_in(it); }

li_t* u_lv2_t::add_unit(unit_t* u) { return add_item(L"", nullptr, nullptr, 0, 0, uintptr_t(u), 0, nullptr); }

int u_lv2_t::find_unit(const unit_t* u) const {
    for (int i = 0; u && i < count(); ++i)
        if (unit_of(get_item(i)) == u) return i;
    return -1;
}

void u_lv2_t::scroll_to_face(int i) {
    if (i >= 0) scroll_h_to(i * (item_sz.w + item_gap));
}

void u_lv2_t::relayout() {
    const int step = item_sz.w + item_gap;
    const bool scrolls = max_w > 0 && cols_w(count()) + margin_l + margin_r > max_w;
    item_mb = strip_margin + (scrolls ? mark_room : 0);
    item_sz.h = strip_face + strip_margin + item_mb;
    h_step = step;
    if (scrolls) {
        // The list's own sizing would size it to all its faces.
        cls_style &= ~(WS_AUTO_W | WS_AUTO_H);
        const int shown = std::max(1, (max_w - margin_l - margin_r + item_gap) / step);
        resize(cols_w(shown) + margin_l + margin_r, margin_t + item_sz.h + SCROLL_BAR_W + margin_b);
    } else {
        cls_style |= WS_AUTO_W | WS_AUTO_H;
    }
    tool_bar_t2::relayout();
}

bool u_lv2_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sender == this && has_h && (msg.code == EVT_WHEEL_DOWN || msg.code == EVT_WHEEL_UP)) {
        scroll_h_by(msg.code == EVT_WHEEL_DOWN ? h_step : -h_step);
        return true;
    }
    if (sender == this && msg.code == EVT_CUR_CHANGED && hover_shows) {
        if (unit_t* u = unit_of(get_item(int(msg.b))); u && hover_fn) hover_fn(u);
        return true;
    }
    if (sender == this && msg.code == EVT_SEL_MADE && click_opens) {
        if (unit_t* u = unit_of(get_item(int(msg.b)))) open_unit_dlg(u, nullptr);
        return true;
    }
    // Unless the player looks along it, the strip shows the acting unit's face.
    if (sender == this && msg.code == EVT_FRAME && mark_cur && has_h && !is_hot() && h_drag < 0)
        scroll_to_face(find_unit(get_cur_unit()));
    const bool done = tool_bar_t2::on_msg(msg, sender);
    // A dragged thumb or a page key may stop anywhere: the strip stops at a whole face.
    if (has_h) scroll_h_to((pos_x() + h_step / 2) / h_step * h_step);
    return done;
}

void u_lv2_t::draw_item(li_t* it, int index, const rect& r, const rect& inner) {
    unit_t* u = unit_of(it);
    if (!u) return;
    // The face's frame: the item less the room a scrolling strip keeps under it.
    const rect f{r.x, r.y, r.w, inner.y + inner.h + strip_margin - r.y};
    const clr_t* side = u->side_slot();
    if (side) draw_rect(&f, side);
    if (u->is_known()) {
        draw_tex(face_of(u, inner), &inner, nullptr);
        draw_face_badges(u, inner, is_hot() || is_alt_down());
    } else {
        draw_tex(get_img_sized(unknown_face, inner.w, inner.h), &inner, nullptr);
    }
    if (mark_cur && u == get_cur_unit()) {
        const rect bar{f.x, f.y + f.h + 1, f.w, mark_h};
        fill_rect(&bar, &theme::mark);
    }
    (void)index;
}

Str* u_lv2_t::item_tip(Str* out, const li_t* it) {
    const unit_t* u = unit_of(it);
    *out = u ? txt::unit_tip_text(u) : Str();
    return out;
}

u_lv2_t* new_btl_unit_strip() {
    auto* s = new u_lv2_t;
    const rect r{0, 0, btl_strip_h, btl_strip_h};
    s->create(0, WND_ROOT, &r, 0, 0, nullptr);
    s->bg_clr = theme::strip_bg;
    s->text_clr = theme::strip_text;
    const int m[4] = {btl_strip_margin, btl_strip_margin, btl_strip_margin, btl_strip_margin};
    s->set_margins(m);
    s->resize(s->rc.w, btl_strip_h);
    s->hover_shows = true;
    s->mark_cur = true;
    s->click_opens = false;
    reg_owned_wnd(s);
    return s;
}

void set_unit_hover_fn(unit_hover_fn fn) { hover_fn = fn; }
