// The player's orders: a power picked on the bar or in a menu, the commands
// that hovering the map builds (with their marks, cursor and tip), the click
// that gives them, and the quick and slot set-up menus.
// Sections: picking and committing, input, hovering, cursor,
// default-action marks, menus.
#include "app/input.h"
#include "app/opts.h"
#include "app/platform.h"
#include "battle/act_ctx.h"
#include "battle/btl.h"
#include "battle/cover.h"
#include "battle/dflt_act.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/target_area.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "rules/pwr.h"
#include "rules/enum_ids.h"
#include "rules/eqpts.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "screens/text/desc_parts.h"
#include "screens/unit/unit_lists.h"
#include "ui/menu.h"
#include "ui/wnd.h"

namespace {
// Menu items of the pick list take the id 100 + their index.
constexpr int pick_id_base = 100;
constexpr int clear_slot_id = -2;
constexpr int wpn_sets = 4;

// What the quick and set-up menus offer, by item id.
std::vector<act_pick_t> g_act_pick_list;

act_bar_t* act_bar() { return main_ui_built() ? main_ui().act_bar : nullptr; }

// The unit whose orders the player gives; null outside the wait for orders.
unit_t* ordering() { return bv().waiting; }

// Power picked from the pick list by a menu's answer; null for anything else.
const act_pick_t* picked(intptr_t id) {
    // A menu closed without a choice answers 0: only ids of the list pick.
    if (id < pick_id_base || id >= pick_id_base + intptr_t(g_act_pick_list.size())) return nullptr;
    return &g_act_pick_list[size_t(id - pick_id_base)];
}

// The cleanup after a commit or a cancel: nothing picked, the bar unselected.
void drop_pick(btl_scene_t* s, unit_t* u) {
    bv().sel = {};
    u->actbar.select_pwr(0);
    if (act_bar_t* b = act_bar()) b->unselect_all();
    hit_labels_dflt(u);
    s->refresh_hover();
}

// A heading as the power descriptions write it, with a cursor's picture.
Str cursor_heading(const wchar_t* key, const wchar_t* title) {
    Str out;
    return txt::heading_text(out, L"cursors", key, title, 1, L"");
}
}  // namespace

// ---- picking and committing ----

void orders_pick(btl_scene_t* s, int id, int param) {
    unit_t* u = ordering();
    const Pwr* p = get_pwr(id);
    if (!u || !p) return;
    if (p->get_kind() == PK_TOGGLE) {
        toggle_unit_pwr(u, id);
        return;
    }
    btl_view_t& v = bv();
    if (is_aimed_pwr(id)) {
        v.sel = {id, param};
        u->actbar.select_pwr(id);
        get_act_tgt_pts(u, id, &v.tgt_pts);
        hit_labels_pwr(u, id);
        s->refresh_hover();
        return;
    }
    // Used on the unit itself: no aim, no click on the map.
    v.pending.clear();
    v.pending.push_back({id, param, u->pos, 0});
    orders_commit(s);
}

bool orders_commit(btl_scene_t* s) {
    btl_view_t& v = bv();
    unit_t* u = ordering();
    // The first commit ends the wait: a second click pumped in the same frame
    // (its release rebuilds the hover) gives nothing more.
    if (!u || v.pending.empty() || !u->btl.cmds.empty()) return false;
    u->btl.cmds.insert(u->btl.cmds.end(), v.pending.begin(), v.pending.end());
    if (v.cmd_log) v.cmd_log->insert(v.cmd_log->end(), v.pending.begin(), v.pending.end());
    v.pending.clear();
    drop_pick(s, u);
    return true;
}

void orders_cancel(btl_scene_t* s) {
    if (unit_t* u = ordering()) drop_pick(s, u);
}

// ---- input ----

namespace {
void quick_act_menu(btl_scene_t* s, unit_t* u);
void slot_setup_menu(btl_scene_t* s, unit_t* u, int i);
}  // namespace

bool orders_bar_msg(btl_scene_t* s, const evt_t* e, wnd_t* sender) {
    act_bar_t* bar = act_bar();
    if (!bar || sender != bar) return false;
    unit_t* u = ordering();
    if (e->code == EVT_SEL_MADE) {
        if (!u) return true;
        const int i = int(e->b);
        const qslot_t* q = i == -1 ? nullptr : bar->slot_rec(i);
        if (i == -1)
            orders_cancel(s);
        else if (q && q->pwr != 0)
            orders_pick(s, q->pwr, q->param);
        return true;
    }
    if (e->code == EVT_RBTN_UP) {
        const int i = bar->item_at(int(e->a), int(e->b), nullptr);
        if (i < 0 || !u) return false;
        if (bv().sel.id != 0) orders_cancel(s);
        slot_setup_menu(s, u, i);
        return true;
    }
    return false;
}

bool orders_input(btl_scene_t* s, const evt_t* e, wnd_t* sender) {
    if (orders_bar_msg(s, e, sender)) return true;
    unit_t* u = ordering();
    if (sender != get_root_wnd() || !u) return false;
    if (e->code == EVT_LBTN_UP) {
        s->update();  // the release may come before a frame saw the mouse on its cell
        return orders_commit(s);
    }
    if (e->code == EVT_RBTN_UP) {
        if (bv().sel.id != 0)
            orders_cancel(s);
        else
            quick_act_menu(s, u);
        return true;
    }
    return false;
}

// ---- hovering ----

namespace {
struct hover_t {
    btl_scene_t* s;
    unit_t* u;
    pt_t at;
    int cursor = CUR_NONE;
};

bool hover_pwr(hover_t& h) {
    btl_view_t& v = bv();
    if (!contains(v.tgt_pts, h.at)) return false;
    get_act_area_pts(h.u, v.sel.id, h.at, &v.area_pts);
    if (v.area_pts.empty()) return false;
    v.pending.push_back({v.sel.id, v.sel.param, h.at, 0});
    hit_tip_cmd(h.u, v.sel.id, h.at);
    h.cursor = act_cursor(h.u, v.sel.id, h.at);
    return true;
}

bool hover_dflt_act(hover_t& h) {
    btl_view_t& v = bv();
    int id = 0;
    for (int k = 0; k < DFLT_ACTS && id == 0; ++k)
        if (contains(v.dflt_marks[k], h.at)) id = dflt_act_pwrs[k];
    if (id == 0) return false;
    get_act_area_pts(h.u, id, h.at, &v.area_pts);
    v.pending.push_back({id, 0, h.at, 0});
    hit_tip_cmd(h.u, id, h.at);
    get_act_tgt_pts(h.u, id, &v.tgt_pts);
    h.cursor = act_cursor(h.u, id, h.at);
    return true;
}

bool hover_move(hover_t& h) {
    btl_view_t& v = bv();
    if (!contains(v.mr.stop_pts, h.at)) return false;
    find_unit_path(h.u, h.at, &v.walk);
    v.pending.push_back(make_mov_cmd(h.u, h.at));
    hit_labels_moved(h.u, h.at);
    const bool shift = can_shift_to(h.u, h.at);
    h.cursor = shift ? CUR_SHIFT : CUR_MOV;
    if (!opts().show_simple_act_tip) return true;
    if (shift)
        v.act_tip = cursor_heading(L"shift", L"快步 <r c=a>无消耗动作</r>") +
                    L"<c=a>快速而谨慎的挪动。\n既不花费动作，也不会引发借机攻击。</c>";
    else
        v.act_tip = cursor_heading(L"mov", L"行走 <r c=a>次要动作</r>") +
                    L"<c=a>常规移动，会引发身边敌人的<c=r>借机攻击</c>。</c>";
    return true;
}

// The default attack on the hovered unit, with a move first when it is out of reach.
bool hover_atk(hover_t& h) {
    btl_view_t& v = bv();
    atk_plan_t p;
    if (!plan_dflt_atk(h.u, v.hovered, v.mr, &p)) return false;
    if (p.move.pwr != 0) {
        find_unit_path(h.u, p.from, &v.walk);
        v.pending.push_back(p.move);
    }
    v.pending.push_back(p.atk);
    hit_tip_from(h.u, p.from, p.atk.pwr, p.atk.tgt);
    get_act_tgt_pts_from(h.u, p.atk.pwr, p.from, &v.tgt_pts);
    h.cursor = act_cursor(h.u, p.atk.pwr, h.at);
    return true;
}

// No order for the cell: the picked power, or the default attack on a foe,
// says it has no target there, and why when the engine knows.
void say_refused(hover_t& h) {
    btl_view_t& v = bv();
    const unit_t* t = v.hovered;
    const int pwr = v.sel.id != 0 ? v.sel.id : may_attack(h.u, t) ? h.u->dflt_atk_pwr() : 0;
    if (pwr == 0) return;
    int why = pwr_refusal(h.u, pwr);
    if (why == USE_OK) why = aim_refusal(h.u, pwr, h.at);
    v.act_tip = pwr_heading(pwr);
    if (why == USE_OK)
        v.act_tip += L"<c=a>无效目标</c>";
    else
        v.act_tip.append_format(L"<c=a>无效目标: %s</c>", refusal_text(why));
}

bool hover_self(hover_t& h) {
    btl_view_t& v = bv();
    if (v.hovered != h.u || !v.area_pts.empty()) return false;
    v.pending.push_back({P_END_TURN, 0, h.u->pos, 0});
    h.cursor = CUR_END_TURN;
    if (opts().show_simple_act_tip)
        v.act_tip = pwr_heading(P_END_TURN) + L"<c=a>进行主动防御。\n所有防御值均会提高，具体视剩余动作而定。</c>";
    return true;
}
}  // namespace

int orders_hover(btl_scene_t* s) {
    btl_view_t& v = bv();
    const pt_t at = s->get_cell();
    v.hovered = at != NO_HOVER && is_pt_visible(at) ? get_unit_at(at) : nullptr;
    if (v.hovered) status_show_unit(v.hovered);
    if (u_lv2_t* strip = s->strip()) strip->marked = strip->find_unit(v.hovered);
    // What was built for the cell the pointer left goes with it, busy or not:
    // a key scroll moves the map under a resting pointer while the program is busy.
    v.walk.clear();
    v.area_pts.clear();
    v.pending.clear();
    v.act_tip = L"";
    unit_t* u = ordering();
    if (is_busy() || is_btl_over() || !u || u->hp < 1) return CUR_NONE;
    hit_labels_hover(u);
    hover_t h{s, u, at};
    bool built = false;
    if (v.sel.id != 0) {
        built = hover_pwr(h);
    } else {
        built = hover_dflt_act(h);
        if (!built && !v.mr.stop_pts.empty()) built = v.hovered ? hover_atk(h) : hover_move(h);
    }
    // With a power picked a click gives that power or nothing: the unit's own
    // cell, where the power does not aim, no longer ends the turn instead.
    if (!built && v.hovered && v.sel.id == 0) built = hover_self(h);
    if (!built && at != NO_HOVER) say_refused(h);
    return h.cursor;
}

// ---- cursor ----

int act_cursor(const unit_t* u, int pwr, const pt_t& hover) {
    const act_t* a = as_act(pwr);
    if (!a) return CUR_SPL;
    const int base = a->atk == ATK_MELEE ? CUR_ATK : a->atk == ATK_RANGE ? CUR_SHOT : CUR_SPL;
    if (a->get_area(u) != 0 || a->atk == 0 || a->def == 0) return base;
    const int cover = get_cover(u->pos, hover, a->atk == ATK_MELEE);
    // The cursors of a partial and an improved cover follow the plain one.
    return base + (cover == COVER_PARTIAL ? 1 : cover == COVER_IMPROVED ? 2 : 0);
}

// ---- default-action marks ----

void dflt_marks_fill(unit_t* u) {
    for (int k = 0; k < DFLT_ACTS; ++k) dflt_act_cells(u, dflt_act_pwrs[k], &bv().dflt_marks[k]);
}

void dflt_marks_clear() {
    for (auto& marks : bv().dflt_marks) marks.clear();
}

// ---- menus ----

namespace {
// Flags of the action menus: only the actions u can use now; the weapon-set swap
// names the set it takes.
constexpr int MENU_USABLE = 1;
constexpr int MENU_SET_NAMES = 2;

void act_menu_add(menu_t* m, unit_t* u, int id, int param, int flags, li_t* parent) {
    const Pwr* p = get_pwr(id);
    if (!p || p->get_kind() == PK_PASSIVE) return;
    if ((flags & MENU_USABLE) && !can_use(u, id)) return;
    Str text = or_empty(p->n);
    if (id == P_SWAP_WPN && (flags & MENU_SET_NAMES)) {
        Str names;
        text.append(L": ").append(u->eqpts.wpn_set_name(names, param).c_str());
    }
    li_t* it = m->add_text_item(text, parent);
    it->tip = pwr_tip_ref(id);
    it->set_icon(Str(L"powers/%s", p->k ? p->k : L"def"), nullptr);
    g_act_pick_list.push_back({id, param});
    it->id = pick_id_base - 1 + int(g_act_pick_list.size());
}

void act_menu_fill(menu_t* m, unit_t* u, int flags) {
    for (int id : u->pwrs.get_act_list()) act_menu_add(m, u, id, 0, flags, nullptr);
    if (!m->items.empty()) m->add_sep(nullptr);
    for (int id = P_GRAP_END; id <= P_END_TURN; ++id)
        act_menu_add(m, u, id, id == P_SWAP_WPN ? WSET_OTHER : 0, flags, nullptr);
}

void quick_act_menu(btl_scene_t* s, unit_t* u) {
    menu_t* m = get_popup_menu();
    m->clear();
    g_act_pick_list.clear();
    act_menu_fill(m, u, MENU_USABLE | MENU_SET_NAMES);
    li_t* sep = m->add_sep(nullptr);
    li_t* sets = m->add_text_item(L"切换武器组", nullptr);
    for (int set = 0; set < wpn_sets; ++set) {
        const size_t before = sets->subs.size();
        act_menu_add(m, u, P_SWAP_WPN, set, MENU_USABLE | MENU_SET_NAMES, sets);
        if (sets->subs.size() > before && set == u->eqpts.cur_set) sets->subs.back()->flags |= LIF_SELECTED;
    }
    if (sets->subs.empty()) {
        m->del_item(nullptr, sets);
        m->del_item(nullptr, sep);
    }
    const zs::view_grid& view = s->get_view();
    const intptr_t id =
        m->track_popup(view.cell_to_scrn_x(u->pos.x + 1), view.cell_to_scrn_y(u->pos.y), MENU_RET_ID);
    if (const act_pick_t* p = picked(id)) scene_pick_pwr(p->id, p->param);
}

void slot_setup_menu(btl_scene_t*, unit_t* u, int i) {
    act_bar_t* bar = act_bar();
    if (!bar || i < 0 || i >= ACTBAR_SLOTS) return;
    menu_t* m = get_popup_menu();
    m->clear();
    g_act_pick_list.clear();
    m->add_text_item(L"<f=b5>设置动作项</f>", nullptr)->flags |= LIF_DISABLED;
    m->add_sep(nullptr);
    act_menu_fill(m, u, 0);
    m->add_sep(nullptr);
    li_t* clear = m->add_text_item(L"<b>清除动作</b>", nullptr);
    clear->id = clear_slot_id;
    if (u->actbar.items[i].pwr == 0) clear->flags |= LIF_DISABLED;
    const rect r = bar->item_rect(i);
    const intptr_t id = m->track_popup(r.x, r.y, int(MENU_RET_ID) | MOVE_AT_BOTTOM);
    if (id == 0) return;
    if (id == clear_slot_id)
        u->actbar.clear_slot(i);
    else if (const act_pick_t* p = picked(id))
        u->actbar.set_slot(i, {p->id, p->param});
    else
        return;
    bar->show_unit(u);
}
}  // namespace
