// The tour: the whole game played from the main menu by clicks, as a player
// meets it. Each stop asserts what the player sees and writes its shot to
// build/<kind>/shots/NN-<stop>.png; look at them after a change.
//
// Add a stop where the player's road passes your screen: reach it by clicks
// from the stop before, assert what is shown (windows, captions, counts, files
// written, not pixels), shoot it, and leave the game where the next stop
// expects it. What a later stop compares with goes into `seen_t`.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/codec.h"
#include "app/ani.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/scene.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/turn.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "rules/itm_ids.h"
#include "rules/lv.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "screens/arena/arena.h"
#include "screens/arena/encs_dlg.h"
#include "rules/shop.h"
#include "screens/arena/shop_dlg.h"
#include "screens/dlgs/cfg_dlg.h"
#include "screens/map/main_ui.h"
#include "screens/map/open_viewer.h"
#include "screens/menu/main_menu.h"
#include "screens/unit/bag_pnl.h"
#include "screens/unit/eqpt_bag_pnl.h"
#include "screens/unit/eqpt_pnl.h"
#include "screens/unit/lv_up_dlg.h"
#include "screens/unit/pc_mgr.h"
#include "screens/unit/u_ctrl.h"
#include "screens/unit/unit_dlg.h"
#include "screens/unit/unit_lists.h"
#include "screens/widgets/itm_btn.h"
#include "screens/widgets/itm_list_view.h"
#include "screens/unit/wizard_steps.h"
#include "support/btl_stage.h"
#include "support/screen_driver.h"
#include "ui/lbl.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/menu.h"
#include "ui/edt.h"
#include "ui/tab_ctrl.h"
#include "ui/tip.h"
#include "ui/tv.h"
#include "ui/wnd.h"

namespace {
// What the player saw before quitting, to find again after the restart.
struct seen_t {
    std::vector<int> batch;  // per challenge: difficulty, type, then each monster's id, level and count
    int beaten = -1;
    std::wstring funds;
    double gold = -1;
    std::vector<std::wstring> names;
    std::vector<int> levels;
    std::vector<int> bag;    // each slot's id and count, empty ones included
    std::vector<int> gear;   // the first unit's equipment slots: id and count
    auto fields() const { return std::tuple(batch, beaten, funds, gold, names, levels, bag, gear); }
};

// The bag or a unit's equipment, slot by slot: id and count.
template <class Slots>
std::vector<int> ids_and_counts(const Slots& slots) {
    std::vector<int> v;
    for (const itm_slot_t& it : slots) v.insert(v.end(), {it.id, it.empty() ? 0 : it.get_count()});
    return v;
}

encs_dlg_t* hub() { return get_arena_scene() ? get_arena_scene()->hub() : nullptr; }

std::vector<int> batch_of(const std::vector<enc_t>& encs) {
    std::vector<int> v;
    for (const enc_t& e : encs) {
        v.insert(v.end(), {e.diff, e.type});
        for (const enc_mon_t& m : e.mons) v.insert(v.end(), {m.mon, m.lv, m.count});
    }
    return v;
}

// The help dialog open at the topic: its shot, then the dialog closed.
void help_at(screen_driver_t& d, const wchar_t* topic, const std::string& shot) {
    ASSERT_NE(get_top_modal(), nullptr);
    const tv_t* t = d.find_type<tv_t>(get_top_modal());
    EXPECT_EQ(t && t->sel ? screen_driver_t::plain(t->sel->text.get_text().c_str()) : L"", topic);
    d.shot(shot);
    ASSERT_TRUE(d.dismiss());
}

// ---- stops ----

void main_menu(screen_driver_t& d) {
    ASSERT_EQ(get_top_scene(), get_main_menu_scene());
    for (const wchar_t* entry : {L"竞技场", L"冒险模式（开发中）", L"选项", L"百科", L"制作组", L"退出"})
        EXPECT_NE(d.find(entry), nullptr) << "main menu entry";
    EXPECT_FALSE(d.find(L"冒险模式（开发中）")->is_enabled());
    d.shot("main-menu");
}

// The settings from the main menu: each tab looked at, the tactical grid
// switched on, and the choice found in config.ini after OK.
void settings(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find(L"选项")));
    ASSERT_NE(get_cfg_dlg(), nullptr);
    ASSERT_EQ(get_top_modal(), get_cfg_dlg());
    const char* tabs[CFG_TABS] = {"gfx", "sfx", "btl", "others"};
    const wchar_t* first_box[CFG_TABS] = {L"全屏", L"开启音乐", L"显示视角移动动画", L"启动后自动进入竞技场"};
    for (int t = 0; t < CFG_TABS; ++t) {
        d.click_at(get_cfg_dlg()->tabs()->get_strip()->item_rect(t));
        ASSERT_NE(d.find(first_box[t]), nullptr) << tabs[t];
        if (t == CFG_TAB_BTL) {
            ASSERT_TRUE(d.click(d.find(L"显示战术网格（默认按G键切换）")));
        }
        d.shot(std::string("settings-") + tabs[t]);
    }
    ASSERT_TRUE(d.click(d.find(L"确定")));
    ASSERT_TRUE(d.wait_for([] { return get_top_modal() == nullptr; }, "the settings to close"));
    const std::string raw = d.read("config.ini");
    ASSERT_GT(raw.size(), 2u);
    EXPECT_NE(wide_from_utf16le(raw.data() + 2, raw.size() - 2).find(L"show_grid=1"), std::wstring::npos);
}

void arena_hub(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find(L"竞技场")));
    ASSERT_TRUE(d.wait_for([] { return get_top_scene() == get_arena_scene(); }, "the arena"));
    d.frames(1);
    encs_dlg_t* h = hub();
    ASSERT_TRUE(h && d.shown(h));
    EXPECT_GE(h->list->count(), 3);
    EXPECT_LE(h->list->count(), 6);
    EXPECT_EQ(h->strip->count(), int(g_pty.units.size()));
    EXPECT_STREQ(h->funds->text.c_str(), (Str(L" <b>") + gold_text(g_pty.gold)).c_str());
    d.shot("arena-hub");
}

void help_from_the_hub(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find_tip(L"竞技场说明")));
    help_at(d, L"竞技场", "help-arena");
}

// The hub and the party as the player sees them now.
seen_t seen_now() {
    seen_t s{batch_of(hub()->encs), g_pty.arena.beaten, hub()->funds->text.c_str(), g_pty.gold, {}, {},
             ids_and_counts(g_pty.bag), {}};
    for (const unit_t* u : g_pty.units) {
        s.names.push_back(u->name.c_str());
        s.levels.push_back(u->base.lv);
    }
    if (!g_pty.units.empty()) s.gear = ids_and_counts(g_pty.units.front()->eqpts.slots);
    return s;
}

void back_to_the_menu(screen_driver_t& d, seen_t& seen) {
    d.frames(1);  // the funds as the hub shows them after the last stop
    seen = seen_now();
    ASSERT_TRUE(d.click(d.find(L"返回主界面")));
    ASSERT_EQ(get_top_scene(), get_main_menu_scene());
}

void credits_from_the_menu(screen_driver_t& d) {
    ASSERT_TRUE(d.click_link(get_main_menu_scene()->about(), L"help:credits"));
    help_at(d, L"制作", "help-credits");
}

void quit(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find(L"退出")));
    EXPECT_EQ(d.wait_exit(), 0);
    EXPECT_TRUE(d.exists("saves/arena/main.cfg"));
}

// The restart opens at the size the settings' OK stored. Under the dummy
// display (1024 x 768) that is the display's own size: the dialog replaces a
// size the display cannot hold (the tour's 1280 x 720 is too wide) by the
// default one, as it would after a move to a smaller monitor.
void hub_as_it_was(screen_driver_t& d, const seen_t& seen) {
    ASSERT_TRUE(d.start());
    ASSERT_TRUE(d.click(d.find(L"竞技场")));
    d.frames(1);
    ASSERT_NE(hub(), nullptr);
    EXPECT_EQ(seen_now().fields(), seen.fields());
    EXPECT_EQ(hub()->strip->count(), int(seen.names.size()));
    d.shot("arena-hub-again");
}

// What the shop sells the new party and the unit dialog equips.
constexpr int TOUR_WPN = ITM_SWD_M, TOUR_AMMO = ITM_BOW_A;

int bag_count(int id) {
    int n = 0;
    for (const itm_slot_t& it : g_pty.bag)
        if (!it.empty() && it.id == id) n += it.get_count();
    return n;
}

// The list's row that shows item id; -1 when none does.
int row_of(const itm_list_view_t* l, int id) {
    for (int i = 0; i < l->count(); ++i)
        if (const itm_slot_t* it = itm_list_slot(l->get_item(i)); it && it->id == id) return i;
    return -1;
}

// The first unit equipped by dragging from the bag: the weapon the shop sold
// into the main hand, then the arrows picked up (the quick slots that take
// them lit) and put down in a free quick slot.
void unit_dialog(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find_tip(L"角色装备/队伍背包")));
    unit_dlg_t* dlg = get_unit_dlg();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(d.find(L"角色信息"), dlg);
    unit_t* u = dlg->get_unit();
    EXPECT_EQ(u, g_pty.units.front());
    eqpt_pnl_t* eq = dlg->eqpt_bag()->eqpt_pnl();
    bag_pnl_t* bag = dlg->eqpt_bag()->bag_pnl();
    const auto bag_btn = [&](int id) -> itm_btn_t* {
        for (int i = 0; i < 50; ++i)
            if (itm_btn_t* b = bag->itm_btn(i); b->slot && !b->slot->empty() && b->slot->id == id) return b;
        return nullptr;
    };
    // The sheet's attack line names the weapon in hand (its tooltip reference holds the id).
    const auto attacks_with = [&](int id) {
        return std::wstring(dlg->sheet()->text.c_str()).find(Str(L"&itm:%d.", id).c_str()) != std::wstring::npos;
    };
    EXPECT_FALSE(attacks_with(TOUR_WPN));
    itm_btn_t* wpn = bag_btn(TOUR_WPN);
    ASSERT_NE(wpn, nullptr) << "the bought weapon is on the bag's first page";
    d.drag(centre(wpn), centre(eq->slot_btn(EQ_MAIN)));
    EXPECT_EQ(u->eqpts.slots[EQ_MAIN].id, TOUR_WPN);
    EXPECT_EQ(bag_count(TOUR_WPN), 0);
    EXPECT_TRUE(attacks_with(TOUR_WPN));
    d.shot("unit-dialog");

    itm_btn_t* arrows = bag_btn(TOUR_AMMO);
    ASSERT_NE(arrows, nullptr);
    const int count = arrows->slot->get_count();
    int q = EQ_QUICK;
    while (q < EQ_QUICK_END && !u->eqpts.slots[q].empty()) ++q;
    ASSERT_LT(q, EQ_QUICK_END) << "a free quick slot";
    ASSERT_TRUE(d.click(arrows));  // picked up: it follows the mouse
    const SDL_Point to = centre(eq->slot_btn(q));
    d.move_to(to.x + 30, to.y + 10);
    d.frames(2);
    const std::vector<wnd_t*>& lit = dlg->eqpt_bag()->hilited();
    EXPECT_EQ(lit.size(), size_t(EQ_QUICK_END - EQ_QUICK)) << "the quick slots, and only they, take arrows";
    EXPECT_NE(std::find(lit.begin(), lit.end(), eq->slot_btn(q)), lit.end());
    d.shot("unit-dialog-dragging");
    d.click_at(to.x, to.y);
    EXPECT_EQ(u->eqpts.slots[q].id, TOUR_AMMO);
    // As many as the slot holds; the rest stay in the bag.
    EXPECT_GT(u->eqpts.slots[q].get_count(), 0);
    EXPECT_EQ(u->eqpts.slots[q].get_count() + bag_count(TOUR_AMMO), count);
    ASSERT_TRUE(close_unit_screen(d));
}

void choose_shelf(screen_driver_t& d, shop_dlg_t* s, int shelf) {
    d.click_at(s->selector()->item_rect(shelf));
    ASSERT_EQ(s->shelf(), shelf);
}

// The arena merchant with the new party's own funds: the limited shelf looked
// at, a weapon bought, a hundred arrows bought and ten sold back.
void shop(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find_tip(L"竞技场店铺")));
    shop_dlg_t* s = get_shop_dlg();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(get_top_modal(), s);
    EXPECT_GE(s->shelf_list()->count(), 3) << "three to five limited items";
    EXPECT_EQ(s->shelf_list()->sel, 0);
    // Resting on an item shows its description.
    d.move_to(s->shelf_list()->item_rect(0));
    EXPECT_TRUE(d.wait_for([&] { return get_tip_shown_wnd() == s->shelf_list(); }, "the item's tooltip", 120));
    d.shot("shop");

    const double gold = g_pty.gold;
    choose_shelf(d, s, SHELF_GEAR);
    const int w = row_of(s->shelf_list(), TOUR_WPN);
    ASSERT_GE(w, 0) << "the weapon is on the gear shelf";
    click_item(d, s->shelf_list(), w);
    const double wpn_price = itm_list_slot(s->shelf_list()->get_item(w))->get_price();
    ASSERT_TRUE(d.click(s->buy_btn(0)));
    EXPECT_EQ(bag_count(TOUR_WPN), 1);
    EXPECT_DOUBLE_EQ(g_pty.gold, gold - wpn_price);

    choose_shelf(d, s, SHELF_AMMO);
    const int a = row_of(s->shelf_list(), TOUR_AMMO);
    ASSERT_GE(a, 0);
    click_item(d, s->shelf_list(), a);
    const double price = itm_list_slot(s->shelf_list()->get_item(a))->get_price();
    const int had = bag_count(TOUR_AMMO);
    ASSERT_TRUE(d.click(s->buy_btn(2)));
    EXPECT_EQ(bag_count(TOUR_AMMO), had + 100);
    EXPECT_DOUBLE_EQ(g_pty.gold, gold - wpn_price - 100 * price);
    const int row = row_of(s->bag_list(), TOUR_AMMO);
    ASSERT_GE(row, 0) << "the arrows are in the bag";
    click_item(d, s->bag_list(), row);
    ASSERT_TRUE(d.click(s->sell_btn(1)));
    EXPECT_EQ(bag_count(TOUR_AMMO), had + 90);
    EXPECT_DOUBLE_EQ(g_pty.gold, gold - wpn_price - 100 * price + 10 * price / 10);
    d.shot("shop-sold");
    ASSERT_TRUE(d.click(d.find(L"返回")));
    ASSERT_TRUE(d.wait_for([] { return get_top_modal() == nullptr; }, "the shop to close"));
}

// A new party: the party manager, a character made through every step of a
// custom build (a human wizard), and three characters ticked.
void new_party(screen_driver_t& d) {
    const int slot = cur_slot_id();
    ASSERT_TRUE(d.click(hub()->party_btn));
    ASSERT_TRUE(d.pick_menu(L"新建队伍..."));
    pc_mgr_dlg_t* m = get_pc_mgr();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->pc_list()->count(), PRESET_PCS) << "the premade characters on the first run";
    ASSERT_TRUE(d.click(m->new_btn));
    game::lv_up_dlg_t* w = get_lv_up_dlg();
    ASSERT_NE(w, nullptr);
    const auto shot_and_on = [&](const std::string& shot) { d.shot(shot), d.click(w->fwd_btn()); };
    d.shot("wizard-build");
    click_item(d, w->bld_list(), 0);
    d.click(w->fwd_btn());
    click_item(d, w->race_list(), 0);
    click_item(d, w->bonus_list(), 1);
    shot_and_on("wizard-race");
    click_item(d, w->cls_list(), 2);
    shot_and_on("wizard-class");
    buy_each(d, w, {0, 6, 6, 10, 4});
    EXPECT_EQ(w->points(), 0);
    shot_and_on("wizard-abilities");
    ASSERT_EQ(w->tabs()->cur_tab(), LVP_PWRS);
    EXPECT_EQ(int(tick_learnable(d, w->feat_pick(), w->working(), w->choices().picks).size()), w->choices().picks);
    shot_and_on("wizard-feats");
    ASSERT_EQ(w->tabs()->cur_tab(), LVP_SPELLS);
    // Sleep: an area spell of the first level, which the fight aims.
    ASSERT_EQ(pwr_pick_t::learn_state(w->working(), P_SLEEP), PICK_LEARNABLE);
    EXPECT_TRUE(tick(d, w->spell_pick(), P_SLEEP));
    shot_and_on("wizard-spells");
    ASSERT_EQ(w->tabs()->cur_tab(), LVP_MISC);
    d.on_main([&] { w->misc_pnl()->name_edt()->set_text(L"", true); });
    d.type(L"<b>星");
    shot_and_on("wizard-misc");
    ASSERT_EQ(w->tabs()->cur_tab(), LVP_FINISH);
    shot_and_on("wizard-finish");
    ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
    ASSERT_EQ(m->pc_list()->count(), PRESET_PCS + 1);
    EXPECT_EQ(pc_lv_t::rec_of(m->pc_list()->get_item(PRESET_PCS))->id, 100);
    EXPECT_TRUE(d.exists("saves/pcs/00000100.pc"));
    const auto tick = [&](int i) { d.click_at(m->pc_list()->item_part_rect(i, LIP_CHECK)); };
    tick(0);
    tick(4);
    d.on_main([&] { m->pc_list()->scroll_to_end(); });
    tick(PRESET_PCS);
    d.frames(1);
    EXPECT_TRUE(m->ok_btn->is_enabled());
    d.shot("party-manager");
    d.click(m->ok_btn);
    ASSERT_TRUE(d.wait_for([] { return get_pc_mgr() == nullptr; }, "the manager to close", 5));
    ASSERT_EQ(g_pty.units.size(), 3u);
    EXPECT_EQ(g_pty.gold, 300.0);
    EXPECT_EQ(g_pty.units.back()->name, Str(L"<b>星"));
    // Saved as a new slot, and the hub shows the new party and its batch.
    EXPECT_NE(cur_slot_id(), slot);
    d.frames(1);
    EXPECT_EQ(hub()->strip->count(), 3);
    EXPECT_EQ(batch_of(hub()->encs), batch_of(gen_batch(g_pty.arena)));
}

// The new character reaches its next level: "升级！" in the unit dialog, the
// spell it may learn, and the summary. The won fight paid its share (checked
// with the victory page), some 66 of the 500 level 2 needs; the rest is given
// here rather than fighting seven more challenges.
void level_up(screen_driver_t& d, int fight_xp) {
    unit_t* u = g_pty.units.back();
    EXPECT_GT(fight_xp, 0);
    EXPECT_EQ(u->xp, fight_xp) << "the surrender pays nothing";
    ASSERT_LT(u->xp, xp_for_lv(2));
    d.on_main([&] { u->xp = xp_for_lv(2); });
    d.click_at(hub()->strip->item_rect(int(g_pty.units.size()) - 1));
    unit_dlg_t* dlg = get_unit_dlg();
    ASSERT_NE(dlg, nullptr);
    wnd_t* up = dlg->eqpt_bag()->eqpt_pnl()->lv_up_btn();
    ASSERT_TRUE(screen_driver_t::shown(up));
    ASSERT_TRUE(d.click(up));
    game::lv_up_dlg_t* w = get_lv_up_dlg();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->tabs()->cur_tab(), LVP_SPELLS) << "a wizard's level 2 brings a spell";
    EXPECT_EQ(tick_learnable(d, w->spell_pick(), w->working(), 1).size(), 1u);
    d.shot("level-up-spells");
    d.click(w->fwd_btn());
    ASSERT_EQ(w->tabs()->cur_tab(), LVP_FINISH);
    EXPECT_NE(std::wstring(w->desc()->text.c_str()).find(L"等级"), std::wstring::npos);
    d.shot("level-up-summary");
    d.click(w->fwd_btn());
    ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
    EXPECT_EQ(u->base.lv, 2);
    EXPECT_FALSE(screen_driver_t::shown(up));
    ASSERT_TRUE(close_unit_screen(d));
}

// "更改角色外观" from a face's menu: a new portrait and battle icon from the two image choosers.
void appearance(screen_driver_t& d) {
    unit_t* u = g_pty.units.front();
    d.rclick_at(hub()->strip->item_rect(0));
    ASSERT_TRUE(d.pick_menu(L"更改角色外观"));
    game::mod_unit_dlg_t* md = get_mod_unit_dlg();
    ASSERT_NE(md, nullptr);
    EXPECT_EQ(md->panel()->name_edt()->text, u->name);
    const auto choose = [&](wnd_t* btn, int item) {
        EXPECT_TRUE(d.click(btn));
        wnd_t* chooser = get_top_modal();
        EXPECT_NE(chooser, md);
        auto* l = d.find_type<lv_t>(chooser);
        EXPECT_NE(l, nullptr);
        if (!l) return;
        d.click_at(l->item_rect(item));
        d.frames(1);
    };
    choose(md->panel()->face_btn(), 5);
    choose(md->panel()->icon_btn(), 3);
    Str name, face, icon;
    md->panel()->get_vals(name, face, icon);
    EXPECT_NE(face, u->face);
    EXPECT_NE(icon, u->img);
    d.shot("appearance");
    d.click(md->ok_btn);
    ASSERT_TRUE(d.wait_for([] { return get_mod_unit_dlg() == nullptr; }, "the dialog to close", 5));
    EXPECT_EQ(u->face, face);
    EXPECT_EQ(u->img, icon);
}

// ---- the battle ----

// A player's turn in the tour: each unit first does what the tour has not
// shown yet (a walk, a weapon-set swap, an area spell, an attack, the end of a
// turn), then attacks what it can reach, else walks toward the foes, else
// ends its turn.
struct tour_play_t {
    bool moved = false, swapped = false, spelled = false, attacked = false, ended = false;
    bool shot_effect = false;
};

bool in_view(const pt_t& c) {
    const rect v = cur_btl_scene()->get_view().scrn_rect();
    const SDL_Point p = cell_pt(c);
    return v.contains(p.x, p.y);
}

// The foes the player sees, nearest to u first.
std::vector<unit_t*> seen_foes(const unit_t* u) {
    std::vector<unit_t*> out;
    for (unit_t* f : btl().roster)
        if (f->btl.side != u->btl.side && is_pt_visible(f->pos)) out.push_back(f);
    std::sort(out.begin(), out.end(), [&](const unit_t* a, const unit_t* b) {
        return unit_sq_dist(a->pos, u->pos) < unit_sq_dist(b->pos, u->pos);
    });
    return out;
}

// A click that gives commands; with `look`, a shot of the first effect it
// brings while that is still in flight.
void give_click(screen_driver_t& d, tour_play_t& p, const pt_t& c, bool look = false) {
    const SDL_Point at = cell_pt(c);
    std::vector<fx_rec_t> fx;
    look = look && !p.shot_effect;
    if (look) d.on_main([&] { bv().fx_log = &fx; });
    d.click_at(at.x, at.y);
    const auto shown = [&] {
        return std::any_of(fx.begin(), fx.end(), [](const fx_rec_t& f) { return f.kind == zg::ANI_IMGS; });
    };
    for (int i = 0; look && i < 120 && !shown(); ++i) d.frames(1);
    if (look && shown()) {
        d.frames(2);  // into the effect's middle frames
        d.shot("battle-effect");
        p.shot_effect = true;
    }
    if (look) d.on_main([] { bv().fx_log = nullptr; });
}

// The quick menu's weapon sets: the first other set there is.
bool swap_sets(screen_driver_t& d, unit_t* u) {
    rclick_cell(d, u->pos);
    menu_t* m = get_popup_menu();
    if (get_top_modal() != m) return false;
    if (rect r; menu_item(0, L"切换武器组", &r)) {
        // Resting on the item opens its sets; a click would choose the item itself.
        d.move_to(r);
        d.frames(1);
        auto* sets = m->level_count() > 1 && screen_driver_t::shown(m->get_level(1)) ? m->get_level(1) : nullptr;
        for (int k = 0; sets && k < sets->count(); ++k)
            if (!(sets->get_item(k)->flags & (LIF_SELECTED | LIF_DISABLED))) {
                d.click_at(sets->item_rect(k));
                d.frames(1);
                return true;
            }
    }
    d.key(SDLK_ESCAPE);
    d.frames(1);
    return false;
}

// A usable aimed power with an area on the quick slots; -1 when none.
int area_slot() {
    act_bar_t* bar = main_ui().act_bar;
    for (int i = 0; i < std::min(bar->count(), 10); ++i) {
        const qslot_t* q = bar->slot_rec(i);
        const act_t* a = q ? as_act(q->pwr) : nullptr;
        if (a && a->rng != 0 && a->area > 0 && !(bar->get_item(i)->flags & LIF_DISABLED)) return i;
    }
    return -1;
}

void play_wait(screen_driver_t& d, tour_play_t& p, unit_t* u) {
    btl_scene_t* s = cur_btl_scene();
    const std::vector<unit_t*> foes = seen_foes(u);
    if (!p.moved && !bv().mr.stop_pts.empty()) {
        // A walk of a few cells toward the foes, or anywhere when none is seen.
        pt_t to = bv().mr.stop_pts.front();
        int best = 1 << 30;
        for (const pt_t& c : bv().mr.stop_pts) {
            const int dist = foes.empty() ? -unit_sq_dist(c, u->pos) : unit_sq_dist(c, foes.front()->pos);
            if (dist < best && unit_sq_dist(c, u->pos) >= 4 && !get_unit_at(c) && in_view(c)) best = dist, to = c;
        }
        hover_cell(d, to);
        if (!s->pending_cmds().empty() && s->pending_cmds()[0].pwr == P_MOVE) {
            give_click(d, p, to);
            p.moved = true;
            return;
        }
    }
    if (!p.swapped && swap_sets(d, u)) {
        p.swapped = true;
        return;
    }
    if (const int slot = area_slot(); !p.spelled && slot >= 0 && !foes.empty()) {
        d.key(slot < 9 ? SDLK_1 + slot : SDLK_0);
        // A cell whose area takes in a foe, tried nearest the foe first; the
        // minimap brings it to the middle of the view.
        std::vector<pt_t> cands = bv().tgt_pts;
        std::sort(cands.begin(), cands.end(), [&](const pt_t& a, const pt_t& b) {
            return unit_sq_dist(a, foes.front()->pos) < unit_sq_dist(b, foes.front()->pos);
        });
        for (size_t i = 0; i < cands.size() && i < 6; ++i) {
            const pt_t at = cands[i];
            const rect& mm = s->minimap_rect();
            const int cell = s->minimap_cell();
            if (cell > 0) d.click_at(mm.x + at.x * cell + cell / 2, mm.y + at.y * cell + cell / 2);
            hover_cell(d, at);
            const bool takes_foe = std::any_of(foes.begin(), foes.end(), [](const unit_t* f) {
                return std::find(bv().area_pts.begin(), bv().area_pts.end(), f->pos) != bv().area_pts.end();
            });
            if (s->pending_cmds().empty() || !takes_foe) continue;
            // The spell's cells and, with Alt, the chances on each target.
            d.key_down(SDLK_LALT, KMOD_LALT);
            d.frames(1);
            EXPECT_FALSE(bv().labels.empty());
            d.shot("battle-aiming");
            d.key_up(SDLK_LALT);
            give_click(d, p, at, true);
            p.spelled = true;
            return;
        }
        d.rclick_at(4, 4);  // the aim is dropped
        d.frames(1);
    }
    for (unit_t* f : foes) {
        if (!in_view(f->pos)) continue;
        hover_cell(d, f->pos);
        if (s->pending_cmds().empty() || s->pending_cmds().back().tgt != f->pos) continue;
        // The spell's effect is the better picture; an attack's when there was no spell before.
        give_click(d, p, f->pos, p.spelled);
        p.attacked = true;
        return;
    }
    if (!foes.empty() && !bv().mr.stop_pts.empty()) {
        pt_t to = bv().mr.stop_pts.front();
        for (const pt_t& c : bv().mr.stop_pts)
            if (unit_sq_dist(c, foes.front()->pos) < unit_sq_dist(to, foes.front()->pos) && in_view(c)) to = c;
        hover_cell(d, to);
        if (!s->pending_cmds().empty() && s->pending_cmds()[0].pwr == P_MOVE && in_view(to)) {
            give_click(d, p, to);
            return;
        }
    }
    hover_cell(d, u->pos);
    EXPECT_EQ(s->hover_cursor(), CUR_END_TURN);
    give_click(d, p, u->pos);
    p.ended = true;
}

// Clicks row i of the hub's challenges, then "挑战！".
void fight_challenge(screen_driver_t& d, int i) {
    encs_dlg_t* h = hub();
    ASSERT_NE(h, nullptr);
    ASSERT_GT(h->list->count(), i);
    d.click_at(h->list->item_rect(i));
    ASSERT_EQ(h->list->sel, i);
    ASSERT_TRUE(h->fight_btn->is_enabled());
    ASSERT_TRUE(d.click(h->fight_btn));
    d.move_to(1200, 400);  // off the screen's edges while the battle opens
}

// The hub's easiest challenge fought by clicks to its end, the victory page
// with the experience it paid (the new character's, into *xp), and the stamp
// on the beaten challenge.
void battle(screen_driver_t& d, int* xp) {
    const uint32_t beaten = uint32_t(g_pty.arena.beaten);
    const unit_t* wizard = g_pty.units.back();
    const int xp_before = wizard->xp;
    fight_challenge(d, 0);
    tour_play_t p;
    bool shot_start = false, shot_fog = false, shot_end = false;
    int handled = -1;
    for (int frame = 0; get_top_scene() != get_arena_scene() && frame < 40000; ++frame) {
        btl_scene_t* s = cur_btl_scene();
        if (s && !s->banner().empty() && !shot_fog) {
            // A foe acting in the fog: the banner over the unseen part of the map.
            d.shot("battle-fog");
            shot_fog = true;
        }
        if (s && get_btl_state() != BTL_RUNNING && !shot_end) {
            d.shot("battle-end");
            shot_end = true;
        }
        if (s && get_top_modal() && d.find(L"确定")) {
            ASSERT_TRUE(d.click(d.find(L"确定")));  // a provoking move goes ahead
            continue;
        }
        if (s && s->waiting_unit() && s->orders_asked() != handled && !get_top_modal()) {
            handled = s->orders_asked();
            if (!shot_start) {
                EXPECT_EQ(get_top_scene(), get_btl_scene(nullptr));
                EXPECT_FALSE(bv().mr.all_pts.empty());
                EXPECT_NE(s->strip(), nullptr);
                d.shot("battle-start");
                shot_start = true;
            }
            play_wait(d, p, s->waiting_unit());
            continue;
        }
        d.frames(1);
    }
    ASSERT_EQ(get_top_scene(), get_arena_scene()) << "the battle did not end";
    EXPECT_TRUE(p.moved && p.swapped && p.spelled && p.attacked && p.ended)
        << "walk " << p.moved << ", swap " << p.swapped << ", spell " << p.spelled << ", attack " << p.attacked
        << ", end turn " << p.ended;
    EXPECT_TRUE(shot_start && shot_end && p.shot_effect);
    if (!shot_fog) d.shot("battle-fog");
    // Back in the hub: the victory page over it, the party whole again.
    ASSERT_TRUE(d.wait_for([&] { return d.find(L"战斗胜利") != nullptr; }, "the victory page"));
    for (const unit_t* u : g_pty.units) EXPECT_EQ(u->hp, u->drv.hp_max);
    *xp = wizard->xp;
    const auto* page = d.find_type<memo_ctrl_t>(get_top_modal());
    ASSERT_NE(page, nullptr);
    EXPECT_GT(*xp, xp_before);
    EXPECT_NE(std::wstring(page->text.c_str()).find(Str(L"<f=b7>%d</f> XP/每人", *xp - xp_before).c_str()),
              std::wstring::npos)
        << "the page names the experience each member got";
    d.shot("arena-victory");
    ASSERT_TRUE(d.dismiss());
    EXPECT_EQ(uint32_t(g_pty.arena.beaten), beaten | 1u);
    d.frames(1);
    d.shot("arena-beaten");
}

// The next challenge given up from the battle's system menu: the defeat page.
void challenge_given_up(screen_driver_t& d) {
    const int losses = g_pty.arena.losses, beaten = g_pty.arena.beaten;
    fight_challenge(d, 1);
    ASSERT_TRUE(d.wait_for([] { return cur_btl_scene() && cur_btl_scene()->waiting_unit(); }, "the party's turn", 3000));
    ASSERT_TRUE(d.pick_sys_menu(L"投降"));
    ASSERT_TRUE(d.wait_for([&] { return d.find(L"战斗失败") != nullptr; }, "the defeat page", 600));
    EXPECT_EQ(get_top_scene(), get_arena_scene());
    d.shot("arena-defeat");
    ASSERT_TRUE(d.dismiss());
    EXPECT_EQ(g_pty.arena.losses, losses + 1);  // counted once the page is read
    EXPECT_EQ(g_pty.arena.beaten, beaten) << "a lost challenge gets no stamp";
}

// The map scene without a battle, as the map viewer shows it, and the way back
// to the main menu through the system menu.
void map_scene(screen_driver_t& d) {
    map_viewer_t* v = open_viewer(d, 3, 7);
    ASSERT_EQ(get_top_scene(), v);
    for (const wnd_t* w : {main_ui().right_pnl, main_ui().bottom_bar, main_ui().status_pnl})
        EXPECT_TRUE(screen_driver_t::shown(w));
    d.shot("map");
    // Back to the main menu through the system menu.
    ASSERT_TRUE(d.pick_sys_menu(L"返回主界面"));
    ASSERT_TRUE(d.wait_for([] { return get_top_scene() == get_main_menu_scene(); }, "the main menu"));
    EXPECT_FALSE(screen_driver_t::shown(main_ui().bottom_bar));
}
}  // namespace

TEST(Tour, TheGamePlayedByClicks) {
    // The fastest steps keep the tour's battles short.
    screen_driver_t d({.config = "spd_ani_lv=3\r\n"});
    seen_t seen;
    d.run_started([&] {
        main_menu(d);
        arena_hub(d);
        help_from_the_hub(d);
        new_party(d);
        shop(d);
        unit_dialog(d);
        int fight_xp = 0;
        battle(d, &fight_xp);
        challenge_given_up(d);
        level_up(d, fight_xp);
        appearance(d);
        back_to_the_menu(d, seen);
        settings(d);
        credits_from_the_menu(d);
        map_scene(d);
        quit(d);
        hub_as_it_was(d, seen);
    });
    EXPECT_EQ(d.exit_code(), 0);
}
