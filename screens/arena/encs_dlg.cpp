// Sections: challenge list, hub construction, per frame, commands.
#include "screens/arena/encs_dlg.h"

#include <algorithm>
#include <cmath>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/markup_lit.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/scene.h"
#include "battle/btl_reward.h"
#include "battle/listener.h"
#include "rules/enums.h"
#include "rules/mon.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "rules/urank.h"
#include "screens/arena/arena.h"
#include "screens/arena/shop_dlg.h"
#include "screens/dlgs/cfg_dlg.h"
#include "screens/dlgs/help_dlg.h"
#include "screens/map/main_ui.h"
#include "screens/unit/pc_mgr.h"
#include "screens/unit/u_ctrl.h"
#include "screens/unit/unit_dlg.h"
#include "screens/unit/unit_lists.h"
#include "screens/widgets/theme.h"
#include "screens/widgets/unit_badges.h"
#include "ui/btn.h"
#include "ui/lbl.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/menu.h"
#include "ui/splitter.h"
#include "ui/std_dlgs.h"

namespace {
// ---- layout ----
constexpr int pane_w = 384;
constexpr int row_margin = 4;
constexpr size row_sz{pane_w, 64 + 2 * row_margin};  // 64-pixel monster squares inside the margins
constexpr int row_gap = 4;
constexpr int rows_shown = 4;
constexpr int cell_gap = 4;
constexpr size funds_sz{128, 24};
constexpr int wide_screen = 1024;  // wider: the middle buttons and the strip sit in the button row
constexpr int strip_row_gap = 8;  // narrower: between the funds and the faces in their own row
constexpr clr_t pane_bg = 0xff1c2833;   // fc_k2
constexpr clr_t memo_bg = 0xff0e141a;   // fc_k1
constexpr clr_t fight_clrs[4] = {0xff802a21, 0xff66221a, 0xff33110d, 0xffb23b2e};
constexpr clr_t stamp_clr = 0xffc0392b;
constexpr int stamp_pad_x = 4, stamp_pad_y = 2;
constexpr double minion_light = 0.20, rank_light = 0.33;

// ---- texts ----
constexpr const wchar_t* intro =
    L"<h1>竞技场</h1><f=b4 c=a>鲜血与荣耀的战场！会一点格斗的人都想当竞技场之神，因为那是至高无上的权利与荣耀。\n"
    L"为了这个称号，很多人都付出了自己的生命。你也想成为竞技场之神吧，那就来战斗吧！";
constexpr const wchar_t* challenges_title = L"<c=lbl>挑战列表</c>";
constexpr const wchar_t* fight_tip =
    L"挑战当前选中怪物群体\n<c=lbl>入场费：</c>%s\n<c=a>获胜后退还；失败或中途放弃则不退还。</c>";
constexpr const wchar_t* batch_tip = L"<c=lbl b>更换挑战：</c>\n<dy=4>击败所有挑战后，允许更换一批新的挑战。";
constexpr const wchar_t* master_offer =
    L"<img=faces_npc/arena_master><dx=16><min_x=cur_x>干的漂亮！你已经击败了所有对手。是时候给你换一批新的了。\n\n"
    L"不过在此之前，我要再安排一队更像样的对手和你比试一下，这样我才能彻底确认你的实力。\n\n怎么样，准备好了吗？";
constexpr const wchar_t* stats_fmt =
    L"<tip='<c=lbl>已击败挑战次数\t</c><r>%d</r>\n<c=lbl>获胜次数\t</c><r>%d</r>\n<c=lbl>失败次数\t</c><r>%d</r>\n"
    L"<c=lbl>击杀怪物数量\t</c><r>%d</r>\n<c=lbl>队员死亡次数\t</c><r>%d</r>'><c=a>当前层数: </c><b>%d</b></tip> ";

constexpr int new_party_id = -1;  // the party menu's "新建队伍..."

bool party_empty() { return g_pty.units.empty(); }

clr_t scaled(clr_t c, double f) {
    const uint32_t v = c.v;
    auto ch = [&](int shift) { return uint32_t(double((v >> shift) & 0xFF) * f) << shift; };
    return clr_t{(v & 0xFF000000u) | ch(16) | ch(8) | ch(0)};
}

int text_w(const wchar_t* text, int font) {
    size sz;
    measure_text(&sz, text, font, rect_align::left | rect_align::top, UNLIMITED, UNLIMITED);
    return sz.w;
}

// The stamp never covers a monster square (squares_end is where they end):
// it is centred between the squares and the names at the right when it fits
// there, else it lies at the row's right end over the names, which the
// description repeats.
void draw_stamp(const rect& r, int squares_end, int names_w) {
    const wchar_t* stamp = L"已击败";
    size sz;
    measure_text(&sz, stamp, FONT_B7, rect_align::left | rect_align::top, UNLIMITED, UNLIMITED);
    rect box{0, 0, sz.w + 2 * stamp_pad_x, sz.h + 2 * stamp_pad_y};
    const rect room{squares_end, r.y, r.x + r.w - names_w - squares_end, r.h};
    align_rect(&box, &r, rect_align::right | rect_align::middle);
    if (room.w >= box.w) align_rect(&box, &room, rect_align::centre | rect_align::middle);
    draw_text(stamp, &box, FONT_B7, &stamp_clr, rect_align::centre | rect_align::middle);
    draw_rect(&box, &stamp_clr);
    const rect inner{box.x + 1, box.y + 1, box.w - 2, box.h - 2};
    draw_rect(&inner, &stamp_clr);
}

// ---- challenge list ----

// One row per challenge: its monsters with level and count, its difficulty
// and kind, and the stamp once beaten. Rows are rendered once into their
// texture and again when their challenge is beaten.
class enc_list_t : public lv_t {
public:
    void owner_draw(li_t* it, int index, const rect& r) override {
        const auto* e = reinterpret_cast<const enc_t*>(it->data);
        if (!e) return;
        int x = r.x;
        for (const enc_mon_t& m : e->mons) {
            const rect cell{x, r.y, r.h, r.h};
            const mon_t& mt = get_mon(m.mon);
            const clr_t bg = scaled(get_urank(mt.rank).clr, mt.rank == RANK_MINION ? minion_light : rank_light);
            fill_rect(&cell, &bg);
            draw_tex(get_img(Str(L"units_mon/") + or_empty(mt.k)), &cell, nullptr);
            draw_level_badge(m.lv, cell, rect_align::left | rect_align::bottom);
            draw_count_badge(m.count, cell);
            x += cell.w + cell_gap;
        }
        // The names keep right of the squares: one longer than the room left
        // there ends in an ellipsis, and the row's tooltip shows both whole.
        const int room = std::max(0, r.x + r.w - x);
        const auto cell = [room](const wchar_t* name) {
            return text_w(name, FONT_B5) <= room ? Str(name) : Str(L"<el=%d>%s</el>", room, name);
        };
        const size box{room, r.h};
        it->text.set_text(names(*e, cell(diff_name(*e)), cell(type_name(*e))), &box, FONT_DEF, &default_clr,
                          rect_align::left | rect_align::top);
        it->text.draw(x, r.y);
        const int names_w = std::max(text_w(diff_name(*e), FONT_B5), text_w(type_name(*e), FONT_B5));
        if (arena_is_beaten(g_pty.arena, index)) draw_stamp(r, x, std::min(names_w, room));
    }

    Str* item_tip(Str* out, const li_t* it) override {
        const auto* e = reinterpret_cast<const enc_t*>(it->data);
        if (e && it->text.was_cut())
            out->format(L"<c=#%08x>%s</c>\n%s", diff_clr(*e), diff_name(*e), type_name(*e));
        else
            *out = it->tip;
        return out;
    }

private:
    static const wchar_t* diff_name(const enc_t& e) { return or_empty(get_enc_diff(e.diff)->n); }
    static const wchar_t* type_name(const enc_t& e) { return or_empty(get_enc_type(e.type)->n); }
    static uint32_t diff_clr(const enc_t& e) { return get_enc_diff(e.diff)->clr.v; }
    static Str names(const enc_t& e, const wchar_t* diff, const wchar_t* type) {
        return Str(L"<f=b5><r><c=#%08x>%s</c>\n<c=a>%s</c></r>", diff_clr(e), diff, type);
    }
};

wnd_t* add_spacer(wnd_t* bar, uint32_t dock) { return add_child_wnd(bar, new wnd_t, dock | WS_FILL_H, {0, 0, 1, 1}); }
}  // namespace

// ---- hub construction ----

encs_dlg_t::encs_dlg_t() {
    list_pane_w = pane_w;
    memo_w = pane_w;
    heading_text = intro;
}

void encs_dlg_t::on_create() {
    big_list_dlg_t::on_create();
    if (get_scrn_size()->w > wide_screen) {
        funds = add_child_wnd(client, new lbl_t, WS_DOCK_LEFT | WS_DOCK_BOTTOM, {0, 0, funds_sz.w, funds_sz.h});
    } else {
        // The panes take the client's whole width: the funds and the faces get
        // a row above the buttons, docked ahead of the client, which fills
        // what is left, so nothing covers the panes.
        strip_row = add_child_wnd(this, new wnd_t, WS_DOCK_BOTTOM | WS_FILL_W, {0, 0, 1, funds_sz.h});
        strip_row->bg_clr = 0;
        strip_row->gap = strip_row_gap;
        children.pop_back();
        children.insert(std::find(children.begin(), children.end(), client), strip_row);
        funds = add_child_wnd(strip_row, new lbl_t, WS_DOCK_LEFT | WS_CENTRE_Y, {0, 0, funds_sz.w, funds_sz.h});
    }
    funds->tip = L"队伍资金";
    first_btn->set_text(L"返回主界面", false);
    first_btn->set_style((first_btn->style & ~(WS_PLACED | WS_ROW_GROUP | WS_COL_GROUP)) | WS_DOCK_RIGHT | WS_FILL_H);
    first_btn->end_code = 0;  // the hub is no modal dialog: the command leaves the arena
    add_bar_btns();
    list->set_title_bar(TITLE_LARGE, challenges_title);
    list_pane->bg_clr = pane_bg;
    memo->bg_clr = memo_bg;
    refresh_list();
    update_state();  // right from the first frame shown
}

void encs_dlg_t::add_bar_btns() {
    add_spacer(btn_row, WS_DOCK_RIGHT);
    help_btn = add_icon_btn(L"ui/help_32", L"竞技场说明", WS_DOCK_RIGHT);
    cfg_btn = add_icon_btn(L"ui/cfg_32", L"选项", WS_DOCK_RIGHT);
    log_btn = add_icon_btn(L"ui/log_32", L"查看上一场战斗记录", WS_DOCK_RIGHT);
    shop_btn = add_icon_btn(L"misc/trade", L"竞技场店铺", WS_DOCK_LEFT);
    add_spacer(btn_row, WS_DOCK_LEFT);
    party_btn = add_icon_btn(L"ui/grp_32", L"更换队伍", WS_DOCK_LEFT);
    const bool wide = get_scrn_size()->w > wide_screen;
    const uint32_t mid = wide ? WS_ROW_GROUP : WS_DOCK_LEFT;
    bag_btn = add_icon_btn(L"misc/bag", L"角色装备/队伍背包", mid);
    batch_btn = add_icon_btn(L"ui/upd_32", batch_tip, mid);
    fight_btn = add_btn(L"挑战！", mid, L"misc/atk_32", nullptr);  // its tooltip names the fee
    fight_btn->set_clrs(&fight_clrs[0], &fight_clrs[1], &fight_clrs[2], &fight_clrs[3]);
    strip = add_child_wnd(strip_row ? strip_row : btn_row, new u_lv2_t, WS_DOCK_LEFT | WS_CENTRE_Y, {0, 0, 1, 1});
    strip->bg_clr = 0;
    fill_party_strip();
}

lv_t* encs_dlg_t::make_list() {
    lv_t* l = add_child_wnd(list_pane, new enc_list_t, uint32_t(LVS_KEEP_SEL) | WS_FILL_W | WS_FILL_H,
                            {0, 0, pane_w, WND_DEFAULT_SIZE});
    l->ex_style = LVX_COL | LVX_CACHE;
    // Outlined, so the difficulty's colour and the stamp stay readable on the chosen row.
    l->sel_look = 1;
    l->sel_clr = theme::hilite;
    l->set_item_size(&row_sz);
    l->item_ml = l->item_mr = l->item_mt = l->item_mb = row_margin;
    l->set_item_gap(row_gap);
    l->set_visible_rows(rows_shown);
    return l;
}

Str* encs_dlg_t::item_desc(Str* out, uintptr_t data) {
    const auto* e = reinterpret_cast<const enc_t*>(data);
    *out = e ? enc_desc_text(*e) : Str();
    return out;
}

void encs_dlg_t::gen_challenges() { encs = gen_batch(g_pty.arena); }

void encs_dlg_t::refresh_list() {
    gen_challenges();
    list->clear();
    for (const enc_t& e : encs)
        list->add_item(L"", nullptr, nullptr, 0, 0, reinterpret_cast<uintptr_t>(&e), 0, nullptr);
    list->relayout_items();
    list->select(0);
}

void encs_dlg_t::fill_party_strip() {
    strip->clear();
    for (unit_t* u : g_pty.units) strip->add_unit(u)->kind = LIK_COMMAND;
    strip->set_visible(!party_empty());
    if (strip_row) {
        strip->relayout_items();  // sized to its faces now, so its row can take that height
        strip_row->resize(strip_row->rc.w, std::max(funds_sz.h, party_empty() ? 0 : strip->rc.h));
    }
    arrange();
}

// ---- per frame ----

void encs_dlg_t::on_frame() {
    big_list_dlg_t::on_frame();
    update_state();
}

void encs_dlg_t::update_state() {
    if (!funds) return;
    const arena_rec_t& a = g_pty.arena;
    if (std::abs(g_pty.gold - shown_funds_) > 2.220446049250313e-16) {
        funds->set_text(Str(L" <b>%s", gold_text(g_pty.gold).c_str()), true);
        shown_funds_ = g_pty.gold;
    }
    // The fee follows the party's level and size.
    if (const int fee = calc_btl_gold(); fee != shown_fee_) {
        fight_btn->tip = Str(fight_tip, gold_text(fee).c_str());
        shown_fee_ = fee;
    }
    // Nothing fights, changes the batch or opens a member without a party.
    batch_btn->set_enabled(arena_batch_beaten(a, list->count()) && !party_empty());
    bag_btn->set_enabled(!party_empty());
    fight_btn->set_enabled(has_btl_runner() && !party_empty() && list->get_item(list->sel));
    if (list->title)
        list->title->second = Str(stats_fmt, a.n_beaten, a.wins, a.losses, a.kills, a.deaths, a.floor + 1);
}

// ---- commands ----

bool encs_dlg_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (msg.code == EVT_COMMAND) on_cmd(sender);
    // A right click on a member of the strip opens its menu.
    if (msg.code == EVT_RCLICK && sender == strip) {
        const int i = strip->item_at(int(msg.a), int(msg.b), nullptr);
        if (i >= 0) {
            unit_menu(i);
            return true;
        }
    }
    return big_list_dlg_t::on_msg(msg, sender);
}

bool encs_dlg_t::on_cmd(wnd_t* sender) {
    if (sender == fight_btn) {
        fight_selected();
    } else if (sender == first_btn) {
        pop_scene();
    } else if (sender == bag_btn) {
        if (!party_empty()) open_unit_dlg(g_pty.units[0]);
    } else if (sender == help_btn) {
        help_open(L"arena");
    } else if (sender == cfg_btn) {
        open_cfg_dlg();
    } else if (sender == shop_btn) {
        open_shop();
    } else if (sender == log_btn) {
        show_full_log();
    } else if (sender == batch_btn) {
        next_batch();
    } else if (sender == party_btn) {
        change_party();
    } else {
        return false;
    }
    return true;
}

void encs_dlg_t::fight_selected() {
    const int i = list->sel;
    if (i < 0 || i >= int(encs.size()) || party_empty()) return;
    const enc_t e = encs[size_t(i)];
    if (!arena_fight(e)) return;
    arena_beat_challenge(g_pty.arena, i);
    save_arena_slot(SLOT_CUR);
    list->cache_item_tex(i);
}

void encs_dlg_t::next_batch() {
    if (party_empty() || !zg_confirm_dlg(master_offer)) return;
    const int level = g_pty.lv(), size = int(g_pty.units.size());
    if (!arena_fight(arena_master_enc(level, size))) return;  // a loss keeps the batch
    arena_next_floor(g_pty.arena, level, size);
    save_arena_slot(SLOT_CUR);
    refresh_list();
}

void encs_dlg_t::change_party() {
    menu_t* m = get_popup_menu();
    m->clear();
    const int cur = cur_slot_id();
    for (const slot_info_t& s : list_arena_slots()) {
        // The party's name is the player's plain text.
        li_t* it = m->add_text_item(markup_lit(s.name.c_str()).c_str(), nullptr);
        it->id = s.id;
        if (s.id == cur) it->flags = (it->flags & ~LIF_NO_CHECK) | LIF_CHECKED;
    }
    m->add_sep(nullptr);
    m->add_text_item(L"新建队伍...", nullptr)->id = new_party_id;
    const int id = int(m->track_popup(party_btn->rc.x, party_btn->rc.y, int(MENU_RET_ID) | int(MOVE_AT_BOTTOM)));
    Str load_msg;
    if (id == new_party_id) {
        save_arena_slot(SLOT_CUR);
        if (!open_pc_mgr()) return;
        save_arena_slot(SLOT_NEW);
    } else if (id > 0 && id != cur) {
        save_arena_slot(SLOT_CUR);
        slot_load_t w;
        load_arena_slot(id, &w);
        load_msg = slot_load_msg(w);
    } else {
        return;  // dismissed, or the party already playing
    }
    refresh_list();
    fill_party_strip();
    // Once the hub shows the party that was loaded.
    if (!load_msg.empty()) tell_slot_load(load_msg);
}

void encs_dlg_t::unit_menu(int member) {
    if (member < 0 || member >= int(g_pty.units.size())) return;
    menu_t* m = get_popup_menu();
    m->clear();
    m->add_text_item(L"更改角色外观", nullptr);
    const rect r = strip->item_rect(member);
    if (m->track_popup(r.x, r.y, MOVE_AT_BOTTOM) == 0) open_mod_unit_dlg(g_pty.units[size_t(member)]);
}
