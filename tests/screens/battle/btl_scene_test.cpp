// The battle scene on staged battles through the real frame loop: what the
// listener shows and logs, the dialogs over the map, the end of a battle by
// surrender and by quitting, the hit-point texts, the confirmation of
// provoking actions, the map file.
#include "screens/battle/btl_scene.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "app/ani.h"
#include "app/codec.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/input.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/scene.h"
#include "app/text_log.h"
#include "battle/damage.h"
#include "battle/map_art.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/turn.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/eqpts.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/mon_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/bld.h"
#include "rules/bld_ids.h"
#include "rules/pty.h"
#include "rules/race.h"
#include "screens/battle/btl_view.h"
#include "screens/dlgs/cfg_dlg.h"
#include "screens/map/act_bar.h"
#include "screens/menu/main_menu.h"
#include "screens/map/main_ui.h"
#include "screens/map/view_grid.h"
#include "screens/unit/unit_lists.h"
#include "screens/widgets/log_memo.h"
#include "screens/widgets/theme.h"
#include "support/btl_stage.h"
#include "support/canvas.h"
#include "support/desc_corpus.h"
#include "support/next_d20.h"
#include "support/screen_driver.h"
#include "support/screen_sizes.h"
#include "ui/memo_ctrl.h"
#include "ui/menu.h"
#include "ui/std_dlgs.h"
#include "ui/tool_bar2.h"
#include "ui/rtext.h"
#include "ui/tv.h"
#include "ui/wnd.h"

namespace {
constexpr clr_t white = 0xffffffff;
constexpr clr_t red = 0xffff0000;
constexpr clr_t green = 0xff00ff00;
constexpr clr_t grey = 0xff808080;
constexpr clr_t orange = 0xffffa500;

std::wstring log_text() { return main_ui().log_memo ? std::wstring(main_ui().log_memo->text.c_str()) : L""; }
std::wstring name_of(const unit_t* u) { return unit_disp_name(u).c_str(); }
std::wstring text_of(const fx_rec_t& f) { return f.name.c_str(); }
}  // namespace

struct BtlScene : btl_stage_test_t {
    std::vector<fx_rec_t> fx;  // the animations of the cases that keep them
    // Most cases' battle: the first premade character at (3, 3) and a rat at
    // (rat_x, 3), both given to the body at the first wait for orders.
    using btl_stage_test_t::duel;
    void duel(int rat_x, const std::function<void(unit_t* me, unit_t* rat)>& body) {
        duel(10, 6, 1, {3, 3}, {rat_x, 3}, body);
    }
};

TEST_F(BtlScene, TheFirstTurnsTextsAndLogLinesInOrder) {
    st.fx_log = &fx;
    duel(4, [&](unit_t* me, unit_t* rat) {
        ASSERT_EQ(cur_btl_scene()->waiting_unit(), me);
        ASSERT_EQ(fx.size(), 1u);
        EXPECT_EQ(std::tuple(text_of(fx[0]), fx[0].clr, fx[0].font),
                  std::tuple(name_of(me) + L"回合开始", white, FONT_DMG));
        const std::wstring log = log_text();
        const size_t start = log.find(L"---- 战斗开始 ----"), round = log.find(L"---- 第<c=#FFFFFF00>1</c>回合 ----");
        EXPECT_NE(round, std::wstring::npos);
        EXPECT_LT(start, round);

        // The rat stands in reach: hovering it gives the melee attack.
        hover_cell(d, rat->pos);
        btl_scene_t* s = cur_btl_scene();
        ASSERT_EQ(s->pending_cmds().size(), 1u);
        EXPECT_EQ(s->pending_cmds()[0], (u_cmd_t{P_ATK_M, 0, rat->pos, 0}));
        d.on_main([] { next_d20(1); });  // a natural 1 misses
        click_cell(d, rat->pos);
        // A blow struck with the whole turn in hand is the all-out turn: the
        // rat acts, and the next round the unit ends its turn by clicking itself.
        ASSERT_TRUE(st.wait_next_orders(d, me));
        std::vector<std::wstring> texts = fx_texts(fx);
        ASSERT_GE(texts.size(), 4u);
        EXPECT_EQ(std::tuple(texts[1], texts[2]), std::tuple(L"失误", name_of(rat) + L"回合开始"));
        EXPECT_EQ(texts.back(), name_of(me) + L"回合开始");
        EXPECT_NE(log_text().find(L"---- 第<c=#FFFFFF00>2</c>回合 ----"), std::wstring::npos);
        const size_t before = texts.size();
        hover_cell(d, me->pos);
        ASSERT_EQ(s->pending_cmds().size(), 1u);
        EXPECT_EQ(s->pending_cmds()[0], (u_cmd_t{P_END_TURN, 0, me->pos, 0}));
        EXPECT_EQ(s->hover_cursor(), CUR_END_TURN);
        click_cell(d, me->pos);
        ASSERT_TRUE(d.wait_for([&] { return fx_texts(fx).size() >= before + 2; }, "the rat's turn", 600));
        texts = fx_texts(fx);
        // The end of the turn is an action of its own and says so; then the rat's turn begins.
        const Pwr* end = get_pwr(P_END_TURN);
        EXPECT_EQ(texts[before], std::wstring(end->a && *end->a ? end->a : end->n));
        EXPECT_EQ(texts[before + 1], name_of(rat) + L"回合开始");
        d.on_main([] { bv().fx_log = nullptr; });
    });
}

// The round's last unit walks away from the rat, whose free blow fells it: the
// round ends mid-action, and its header stands on a line of its own after the kill's.
TEST_F(BtlScene, AFreeBlowEndingTheRoundLeavesTheKillsLineWholeAndTheHeaderOnItsOwn) {
    st.duel(10, 6, 1, {3, 3}, {4, 3});
    const int last = st.pc(2, {5, 3});
    play([&] {
        click_cell(d, st.u(me_i)->pos);  // my turn ends, the rat strikes
        ASSERT_TRUE(st.wait_next_orders(d, st.u(last)));
        d.on_main([&] { opts().ao_prompt = false, st.u(last)->hp = 1, next_d20(20); });
        click_cell(d, {8, 3});
        ASSERT_TRUE(st.wait_next_orders(d, st.u(me_i)));
        EXPECT_NE(log_text().find(L"死亡！</c>\n---- 第<c=#FFFFFF00>2</c>回合 ----"), std::wstring::npos);
    });
}

// The party's one member falls to the rat's blow in its turn, then, a fight
// later, to its free blow as the member walks away: the lost battle's log ends
// on the blow's line, struck in sight though the party sees nothing after it.
TEST_F(BtlScene, ALostBattlesLogEndsOnTheBlowThatFelledTheLastMember) {
    duel(4, [&](unit_t* me, unit_t* rat) {
        for (const pt_t to : {me->pos, pt_t{1, 3}}) {  // the turn ends in defence; a walk away
            d.on_main([&] { opts().ao_prompt = false, me->hp = 1, next_d20(20); });
            click_cell(d, to);
            ASSERT_TRUE(st.wait_end(d));
            EXPECT_EQ(st.state, BTL_LOST);
            const std::wstring log = log_text();
            const size_t blow = log.rfind(name_of(rat) + L" 近战攻击 " + name_of(me));
            ASSERT_NE(blow, std::wstring::npos) << utf8_from_wide(log);
            EXPECT_NE(log.find(L"死亡！", blow), std::wstring::npos) << utf8_from_wide(log);
            ASSERT_TRUE(st.again(d, me));
        }
    });
}

TEST_F(BtlScene, AmmunitionProvokingImmunityAndComingIntoViewAreSaid) {
    duel(4, [&](unit_t* me, unit_t* rat) {
        btl_scene_t* s = cur_btl_scene();
        const auto said = [&](const std::function<void()>& fn) { fx_of(d, fx, fn); };
        // A bow and no arrows in the quick slots.
        said([&] {
            me->eqpts.slots[EQ_MAIN] = itm_slot_t(ITM_BOW_S, 1);
            me->eqpts.slots[EQ_OFF] = itm_slot_t();
            for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i) me->eqpts.slots[i] = itm_slot_t();
            s->on_turn_start(me);
        });
        ASSERT_EQ(fx.size(), 2u);
        EXPECT_EQ(std::tuple(text_of(fx[1]), fx[1].clr), std::tuple(L"弹药耗尽", red));
        // A blow of opportunity says so, and leans toward its target.
        said([&] {
            const u_cmd_t aoo{P_ATK_M, 0, rat->pos, UCMD_FREE};
            s->on_act_start(me, &aoo);
        });
        ASSERT_EQ(fx.size(), 1u);
        EXPECT_EQ(std::tuple(text_of(fx[0]), fx[0].clr), std::tuple(L"借机攻击", red));
        EXPECT_EQ(me->px_off, (pt_t{32, 0}));
        d.on_main([&] { me->px_off = {0, 0}, bv().cam = NO_PT; });
        said([&] { show_immune(rat); });
        ASSERT_EQ(fx.size(), 1u);
        EXPECT_EQ(std::tuple(text_of(fx[0]), fx[0].clr), std::tuple(L"免疫", clr_t(0xffbdc3c7)));
        // Coming into view is said only of a unit that was out of sight.
        said([&] { show_enter_view(rat); });
        EXPECT_TRUE(fx.empty());
        // The pause that follows runs frames: the body reads on inside it.
        // The unit panel, which showed the rat unknown, shows it as it is now.
        d.on_main([&] {
            rat->btl.known = 0;
            status_show_unit(rat);
        });
        const std::wstring unknown = main_ui().sheet_pane->text.c_str();
        bool back = false;
        said([&] {
            rat->btl.known = 1;
            bv().out_of_sight = true;
            bv().banner = L"x";
            show_enter_view(rat);
            back = true;
        });
        ASSERT_TRUE(d.wait_for([&] { return back; }, "the pause after the unit came into view"));
        ASSERT_EQ(fx.size(), 1u);
        EXPECT_EQ(text_of(fx[0]), name_of(rat) + L"进入视野");
        EXPECT_TRUE(s->banner().empty());
        EXPECT_NE(std::wstring(main_ui().sheet_pane->text.c_str()), unknown);
        EXPECT_NE(std::wstring(main_ui().sheet_pane->text.c_str()).find(name_of(rat)), std::wstring::npos);
    });
}

// Turn banners come one at a time and uncovered: a sleeper's turn passes on
// within its floating banner's life, and the next one replaces it; the map's
// tip waits until a banner is gone.
TEST_F(BtlScene, TurnBannersComeOneAtATimeUncoveredAndTheViewStartsOnTheParty) {
    st.plain_map(30, 6);
    // The wolf begins, far beyond the party's sight.
    const int wolf_i = st.mon(9, 1, {28, 3});
    const int sleeper_i = st.pc(2, {2, 4});
    const int me_i = st.pc(1, {2, 3});
    st.before_run = [&] {
        cond_inst_t ci;
        st.u(sleeper_i)->conds.add(make_cond_inst(ci, C_SLEEP, nullptr, 0, CI_NO_ROLL, 0), true);
    };
    std::vector<std::wstring> banners;
    std::set<uint32_t> floats;
    int most = 0;
    const auto up = [&] {  // the floating banners not ended, as each frame leaves them
        floats.insert(bv().turn_texts.begin(), bv().turn_texts.end());
        int n = 0;
        for (uint32_t id : floats) n += get_ani_mgr()->get(id) && !get_ani_mgr()->get(id)->done;
        return most = std::max(most, n), n;
    };
    d.run_started([&] {
        st.start(d);
        ASSERT_TRUE(d.wait_for(
            [&] {
                if (cur_btl_scene() && !cur_btl_scene()->banner().empty())
                    banners.push_back(cur_btl_scene()->banner().c_str());
                return !banners.empty() || (cur_btl_scene() && cur_btl_scene()->waiting_unit());
            },
            "the wolf's turn"));
        ASSERT_FALSE(banners.empty());
        EXPECT_EQ(banners[0], name_of(st.u(wolf_i)) + L"正在视野外行动...");
        EXPECT_FALSE(is_pt_visible(st.u(wolf_i)->pos));
        // The current unit could not be seen: the view opened on the party.
        zs::view_grid& v = cur_btl_scene()->get_view();
        EXPECT_TRUE(v.cell_rect().contains(st.u(me_i)->pos));
        ASSERT_TRUE(d.wait_for([&] { return up(), cur_btl_scene()->waiting_unit() == st.u(me_i); }, "my orders"));
        EXPECT_TRUE(cur_btl_scene()->banner().empty());  // the turn's end took it away
        EXPECT_EQ(floats.size(), 2u) << "the sleeper's and mine";
        EXPECT_EQ(most, 1);
        const SDL_Point p = cell_pt({4, 4});
        d.move_to(p.x, p.y);
        int frames_up = 0;
        ASSERT_TRUE(d.wait_for([&] {
            if (!up()) return true;
            EXPECT_NE(get_tip_shown_wnd(), get_root_wnd()) << "a tip over the banner";
            return ++frames_up, false;
        }, "the banner's end"));
        EXPECT_GT(frames_up, 20);
        EXPECT_FALSE(tip_for(d, get_root_wnd()).empty());
        // The roster's faces lie over the view's top row; the keys bring the cell under them clear.
        const rect sr = cur_btl_scene()->strip()->rc;
        pt_t under;
        d.on_main([&] { v.set_org_y(0), under = v.scrn_to_cell({sr.x + sr.w / 2, sr.y + sr.h / 2}); });
        ASSERT_EQ(under.y, 0);
        d.key_down(SDLK_UP), d.frames(3), d.key_up(SDLK_UP), d.frames(1);
        EXPECT_GE(v.cell_scrn_rect(under).y, sr.y + sr.h);
    });
}

TEST_F(BtlScene, TheUnitPanelShowsWhoActsWhoIsHoveredOnTheMapOrInTheStrip) {
    duel(5, [&](unit_t* me, unit_t* rat) {
        EXPECT_EQ(main_ui().shown_unit, me);
        const std::wstring my_sheet = main_ui().sheet_pane->text.c_str();
        EXPECT_NE(my_sheet.find(unit_disp_name(me).c_str()), std::wstring::npos);
        hover_cell(d, rat->pos);
        EXPECT_EQ(main_ui().shown_unit, rat);
        hover_cell(d, me->pos);
        EXPECT_EQ(main_ui().shown_unit, me);
        // The rat's face in the roster's strip, which holds both faces as it always did.
        u_lv2_t* strip = cur_btl_scene()->strip();
        ASSERT_EQ(strip->count(), 2);
        EXPECT_EQ(std::tuple(strip->rc.w, strip->rc.h, strip->has_h), std::tuple(2 * 54 - 2 + 10, 62, false));
        const int face = strip->unit_of(strip->get_item(0)) == rat ? 0 : 1;
        d.move_to(strip->item_rect(face));
        d.frames(2);
        EXPECT_EQ(main_ui().shown_unit, rat);
        hover_cell(d, me->pos);
        // A section toggled off leaves the sheet; toggled on again, it is back.
        tool_bar_t2* toggles = main_ui().sheet_toggles;
        const int mask = main_ui().sheet_mask;
        const rect t = toggles->item_rect(0);
        d.click_at(t);
        EXPECT_EQ(std::tuple(main_ui().sheet_mask, main_ui().shown_unit), std::tuple(mask ^ 1, me));
        EXPECT_NE(std::wstring(main_ui().sheet_pane->text.c_str()), my_sheet);
        d.click_at(t);
        EXPECT_EQ(main_ui().sheet_mask, mask);
        EXPECT_EQ(std::wstring(main_ui().sheet_pane->text.c_str()), my_sheet);
    });
}

// More units than the roster's strip holds, the party first and last in the
// turn order, after a fight given up in the same run (a small one, or this):
// at every frame the strip lies on the window left of the panel, stops at
// whole faces and shows the acting unit's face, round to the first unit
// again. Deaths and returns cross the point where the faces fit, both ways;
// the wheel and the bar reach the other faces, which the pointer hovers. An
// acting unit the faces cover is brought clear of them.
namespace {
void crowded_fight(const rect& scr, bool after_crowd) {
    // Faces 54 pixels apart in the room left of the panel, less a gap of 2
    // at each end and the strip's margins of 5: as many rats, two faces too many.
    const int holds = (map_view_size({scr.w, scr.h}).w - 2 * 2 - 2 * 5 + 2) / 54;
    btl_stage_t small, st;
    small.duel(10, 6, 1, {3, 3}, {5, 3});
    st.plain_map(12, 8);
    const int first = st.pc(1, {1, 1});
    std::vector<int> rats;
    for (int i = 0; i < holds; ++i) rats.push_back(st.mon(MON_RAT_D, 1, {4 + i % 8, 1 + i / 8}));
    const int last = st.pc(2, {1, 3});
    st.before_run = [&] {  // asleep, the rats pass their turns
        cond_inst_t ci;
        for (int r : rats) st.u(r)->conds.add(make_cond_inst(ci, C_SLEEP, nullptr, 0, CI_NO_ROLL, 0), true);
    };
    screen_opts_t o = fast_btl_opts();
    o.w = scr.w, o.h = scr.h;
    screen_driver_t d(o);
    std::string fault;
    const auto fine = [&] {  // the strip as this frame shows it
        u_lv2_t* s = cur_btl_scene()->strip();
        const rect& r = s->rc;
        const rect f = s->item_rect(s->find_unit(get_cur_unit()));
        if (!(r.x >= 0 && r.y >= 0 && r.x + r.w <= main_ui().right_pnl->rc.x && r.y + r.h <= scr.h))
            fault = "the strip off the window";
        else if (f.x < s->view.x || f.x + f.w > s->view.x + s->view.w)
            fault = "the acting unit's face out of view";
        else if (s->pos_x() % (s->item_sz.w + s->item_gap) != 0)
            fault = "a face cut";
        return fault.empty();
    };
    (after_crowd ? st : small).play(d, [&] {
        ASSERT_TRUE(fine()) << fault << " in the fight before, on " << scr.w;
        ASSERT_TRUE(d.pick_sys_menu(L"投降"));
        ASSERT_TRUE((after_crowd ? st : small).wait_end(d));
        ASSERT_TRUE(st.again(d, st.u(first)));
        u_lv2_t* s = cur_btl_scene()->strip();
        const int panel_x = main_ui().right_pnl->rc.x, step = s->item_sz.w + s->item_gap;
        ASSERT_EQ(s->count(), holds + 2);
        ASSERT_TRUE(s->has_h) << "more faces than the strip holds on " << scr.w;
        const auto turns_to = [&](int i) {
            return d.wait_for([&] { return !fine() || cur_btl_scene()->waiting_unit() == st.u(i); },
                              "the unit's orders", 3000) && fine();
        };
        ASSERT_TRUE(fine()) << fault << " on " << scr.w;
        EXPECT_EQ(s->pos_x(), 0);
        // Two rats fall: the strip is a small fight's; back, they crowd it again.
        const auto rats_hp = [&](int hp) {
            d.on_main([&] {
                for (int r : {rats[1], rats[0]}) {
                    st.u(r)->hp = hp;
                    hp > 0 ? unit_rejoins(st.u(r), st.u(first)) : unit_dies(st.u(r));
                }
            });
        };
        const int rat_hp = st.u(rats[0])->hp;
        rats_hp(0);
        EXPECT_EQ(std::tuple(s->has_h, s->rc.h, s->rc.x + s->rc.w), std::tuple(false, 62, panel_x - 2));
        rats_hp(rat_hp);
        EXPECT_EQ(std::tuple(s->count(), s->has_h), std::tuple(holds + 2, true));
        ASSERT_TRUE(fine()) << fault << " once the rats were back, on " << scr.w;
        // On the view's top row, under the faces and their bar, the acting unit is
        // brought clear when it has walked, begins an action or is ready (as it
        // is now, marks and all); a view that shows it clear already stays.
        zs::view_grid& v = cur_btl_scene()->get_view();
        unit_t* me = st.u(first);
        const u_cmd_t walk{.pwr = P_MOVE, .tgt = me->pos};
        const std::function<void()> points[] = {[&] { cur_btl_scene()->on_unit_moved(me); },
                                                [&] { cur_btl_scene()->on_act_start(me, &walk); },
                                                [&] { cur_btl_scene()->on_unit_ready(me, false); }};
        for (const auto& point : points) {
            pt_t org;
            d.on_main([&] { v.set_org_y((me->pos.y - 2) * MAP_CELL), org = v.org(), point(); });
            EXPECT_EQ(v.org(), org);
            d.on_main([&] { v.set_org_y(me->pos.y * MAP_CELL), point(); });
            EXPECT_GE(v.cell_scrn_rect(me->pos).y, s->rc.y + s->rc.h);
        }
        // The wheel over the strip steps a face, up to the last; a face shown so shows its unit.
        d.move_to(s->item_rect(0));
        d.wheel(-1);
        ASSERT_EQ(s->pos_x(), step);
        d.move_to(s->item_rect(1));
        d.frames(2);
        EXPECT_EQ(main_ui().shown_unit, s->unit_of(s->get_item(1)));
        d.wheel(-1), d.wheel(-1);
        EXPECT_EQ(s->pos_x(), 2 * step);
        d.wheel(1);
        EXPECT_EQ(s->pos_x(), step);
        // A thumb dragged anywhere stops at a whole face; at its end it shows the last.
        const SDL_Point grip{s->h_thumb.x + s->h_thumb.w / 2, s->h_thumb.y + s->h_thumb.h / 2};
        d.drag(grip, {grip.x + 7, grip.y});
        EXPECT_EQ(s->pos_x() % step, 0);
        d.drag({s->h_thumb.x + 1, grip.y}, {s->h_track.x + s->h_track.w - 1, grip.y});
        EXPECT_EQ(s->pos_x(), s->max_x());
        EXPECT_EQ(std::tuple(s->pos_x(), (s->view.w + s->item_gap) / step), std::tuple(2 * step, holds));
        // The pointer gone, the strip is back at the acting unit.
        hover_cell(d, st.u(first)->pos);
        EXPECT_EQ(s->pos_x(), 0);
        click_cell(d, st.u(first)->pos);  // its turn ends in defence
        ASSERT_TRUE(turns_to(last)) << fault << " on " << scr.w;
        EXPECT_EQ(s->pos_x(), s->max_x());
        // Its mark lies under its face's frame of 52, above the bar.
        const rect f = s->item_rect(s->find_unit(st.u(last)));
        uint32_t mark = 0;
        d.on_main([&] {
            canvas_t c(scr.w);
            s->paint();
            mark = canvas_t::px(f.x + 4, f.y + 52 + 1);
        });
        EXPECT_EQ(mark, theme::mark.v);
        d.shot(scr.w == min_scr.w ? "crowded-strip-900" : "crowded-strip");
        click_cell(d, st.u(last)->pos);
        ASSERT_TRUE(turns_to(first)) << fault << " on " << scr.w;
        EXPECT_EQ(s->pos_x(), 0);
        // A rat wakes five rows below the first unit and walks up beside it, onto
        // rows the faces cover in the view its turn begins with: from the walk's
        // end on, through its blow, it stays clear of them.
        unit_t* rat = st.u(rats[0]);
        d.on_main([&] {
            rat->conds.remove(C_SLEEP), step_unit(rat, {me->pos.x, me->pos.y + 5}), step_unit(st.u(last), {11, 7});
        });
        click_cell(d, me->pos);
        int covered = 0, top = 0;  // top: that view's origin
        bool its_turn = false;
        const auto turn_over = [&] {
            const rect c = v.cell_scrn_rect(rat->pos), &r = s->rc;
            if (get_cur_unit() == rat && !std::exchange(its_turn, true)) top = v.org().y;
            covered += get_cur_unit() == rat && get_walk_path().empty() && c.y < r.y + r.h && r.y < c.y + c.h;
            return its_turn && get_cur_unit() != rat;
        };
        ASSERT_TRUE(d.wait_for([&] { return !fine() || turn_over(); }, "the rat's turn", 3000) && fine())
            << fault << " on " << scr.w;
        const int y = v.scrn.y - top + rat->pos.y * MAP_CELL;
        EXPECT_EQ(std::tuple(cheb_dist(rat->pos, me->pos), y < s->rc.y + s->rc.h, covered), std::tuple(1, true, 0))
            << "on " << scr.w;
    });
}
}  // namespace

TEST(BtlStrip, ACrowdedFightAfterASmallOneKeepsTheActingUnitsFaceInViewAtTheSmallestWindow) {
    crowded_fight(min_scr, false);
}
TEST(BtlStrip, ACrowdedFightAfterAnotherKeepsTheActingUnitsFaceInViewAt1280) { crowded_fight({0, 0, 1280, 720}, true); }

// Every premade at level 15 in the unit panel, in either language: its race
// and build stay whole in Chinese (one that does not fit where its line has
// got to starts the next line), and its sheet, scrolled a line at a time from its top to its
// end, draws nothing where the section toggles lie: text and bar end above them.
TEST(BtlPanel, ASheetKeepsItsNamesWholeAndNoLinePassesUnderItsToggles) {
    // Whether the glyphs that spell name, where they first do, lie on one line.
    const auto one_line = [](const rtext_t& rt, const std::wstring& name) {
        std::wstring glyphs;
        std::vector<int> lines;
        for (int i = 0; i < rt.item_count(); ++i)
            if (rt.item(i)->kind == RT_GLYPH) glyphs += wchar_t(rt.item(i)->ch), lines.push_back(rt.item(i)->line);
        const size_t at = glyphs.find(name);
        return at != std::wstring::npos && lines[at] == lines[at + name.size() - 1];
    };
    for (const std::string lang : {"cn", "en"}) {
        btl_stage_t st;
        st.duel(10, 6, 1, {3, 3}, {5, 3});
        screen_opts_t o = fast_btl_opts();
        o.config += "Lang=" + lang + "\r\n";
        screen_driver_t d(o);
        st.play(d, [&] {
            memo_ctrl_t* pane = main_ui().sheet_pane;
            tool_bar_t2* toggles = main_ui().sheet_toggles;
            for (const unit_t* pc : get_preset_pcs()) {
                unit_t u(*pc);
                std::string fault;
                int lines = 0;
                d.on_main([&] {
                    desc_corpus::raise_to(u, 15), u.btl.known = 1;
                    status_show_unit(&u), pane->scroll_v_to(0);
                });
                const std::string who = lang + " " + to_utf8_string(unit_disp_name(&u).c_str());
                // Some English builds ("Two-Handed Fighter") are longer than the
                // line beside the face, and part between their words.
                for (const wchar_t* name : {get_race(u.base.race)->n, get_bld(u.base.bld)->n})
                    EXPECT_TRUE(lang == "en" || one_line(pane->rtext, name)) << who << ": " << to_utf8_string(name);
                size box;
                EXPECT_EQ(pane->text_box(&box)->w, desc_corpus::unit_panel.w) << "where sheets are checked";
                if (u.base.bld == BLD_CTL) d.shot("unit-panel-long-build-" + lang);
                d.on_main([&] {
                    canvas_t c(root_size().w);
                    for (int y = 0; fault.empty(); y += pane->v_step, ++lines) {
                        pane->scroll_v_to(y);
                        c.clear();
                        pane->draw();  // the pane without the toggles over it
                        for (int i = 0; i < toggles->count(); ++i)
                            for (const uint32_t px : canvas_t::read(toggles->item_rect(i)))
                                if (px != theme::sheet_bg.v)
                                    fault = "drawn under toggle " + std::to_string(i) + " at " + std::to_string(y);
                        if (y >= pane->max_y()) break;
                    }
                    status_show_unit(st.u(me_i));  // u goes
                });
                EXPECT_EQ(fault, "") << who;
                EXPECT_GT(lines, 1) << "a sheet longer than the panel";
            }
            d.on_main([&] { pane->scroll_v_to(pane->max_y() / 2); });
            d.shot("unit-panel-scrolled-" + lang);
        });
    }
}

TEST_F(BtlScene, SurrenderFromTheSystemMenuLosesAtOnce) {
    duel(7, [&](unit_t*, unit_t*) {
        const int round = btl().round;
        // Given up with a power picked on the bar: no slot stays lit.
        act_bar_t* bar = main_ui().act_bar;
        d.key(SDLK_1);
        ASSERT_TRUE(bar->get_item(0)->flags & LIF_SELECTED);
        ASSERT_TRUE(d.pick_sys_menu(L"投降"));
        ASSERT_TRUE(st.wait_end(d, 120));
        EXPECT_EQ(st.state, BTL_LOST);
        EXPECT_EQ(btl().round, round);  // nothing more was played
        EXPECT_EQ(get_top_scene(), get_btl_scene(nullptr));  // the caller pops it
        for (const li_t* it : bar->items) EXPECT_FALSE(it->flags & LIF_SELECTED);
        // Nor in the next fight, where nothing is picked when the unit's turn comes.
        ASSERT_TRUE(st.again(d, st.u(me_i)));
        EXPECT_EQ(st.u(me_i)->actbar.sel, -1);
        for (const li_t* it : main_ui().act_bar->items) EXPECT_FALSE(it->flags & LIF_SELECTED);
    });
}

// Each dialog the battle opens over the map closes every way it can with the
// pointer over a cell the unit could walk to: nothing the dialog took reaches
// the map, which gives no order.
TEST_F(BtlScene, TheDialogsOverTheMapCloseGivingNoOrderAndTheMenuLeavesForTheMainMenu) {
    // Amid a plain wide enough for the view to lie anywhere around the unit.
    const pt_t mid{15, 10}, east{16, 10};
    duel(30, 20, 1, mid, {mid.x - 1, mid.y}, [&](unit_t* me, unit_t*) {
        // Every item of the system menu is there and none is greyed out.
        ASSERT_TRUE(d.click(d.find_tip(L"系统菜单")));
        auto* level = get_popup_menu()->get_level(0);
        std::vector<std::wstring> items;
        for (int i = 0; i < level->count(); ++i)
            if (!(level->get_item(i)->flags & LIF_SEP)) {
                items.push_back(screen_driver_t::plain(level->get_item(i)->label));
                EXPECT_FALSE(level->get_item(i)->flags & LIF_DISABLED) << utf8_from_wide(items.back());
            }
        EXPECT_EQ(items, (std::vector<std::wstring>{L"投降", L"选项", L"百科", L"返回主界面", L"退出游戏"}));
        d.key(SDLK_ESCAPE);
        d.on_main([] {
            opts().ao_prompt = true;
            set_leave_check([](int) { return zg_confirm_dlg(L"放弃这场战斗？"); });
        });
        const auto sys = [this](const wchar_t* item) {
            return [this, item] { item ? d.pick_sys_menu(item) : d.click(d.find_tip(L"系统菜单")); };
        };
        const auto log_item = [this](int i) { return [this, i] { d.click_at(main_ui().log_bar->item_rect(i)); }; };
        const auto slot_menu = [this] { d.rclick_at(main_ui().act_bar->item_rect(0)); };
        enum how_t { by_btn, by_box, by_esc, outside };
        const char* hows[] = {"its button", "its close box", "Esc", "a click outside"};
        const struct {
            const char* what;
            std::function<void()> open;
            std::vector<how_t> ways;
        } rows[] = {
            {"system menu", sys(nullptr), {by_esc, outside}},
            {"settings", sys(L"选项"), {by_btn, by_box, by_esc, outside}},
            {"help", sys(L"百科"), {by_esc, outside}},  // its close box lies over the panel
            {"leave question", sys(L"返回主界面"), {by_btn, by_box, by_esc, outside}},
            {"quit question", sys(L"退出游戏"), {by_btn}},
            {"quick menu", [&] { rclick_cell(d, me->pos); }, {by_esc, outside}},
            {"slot chooser", slot_menu, {by_esc, outside}},
            {"full log", log_item(LOG_BAR_FULL), {by_box, by_esc, outside}},
            {"log menu", log_item(LOG_BAR_MORE), {outside}},
            {"provoking question", [&] { click_cell(d, {mid.x + 3, mid.y}); }, {by_btn, by_box, by_esc, outside}},
        };
        for (const auto& r : rows)
            for (const how_t how : r.ways) {
                SCOPED_TRACE(std::string(r.what) + " closed by " + hows[how]);
                d.on_main([&] {
                    cur_btl_scene()->cancel_pwr();
                    cur_btl_scene()->get_view().center_on(mid);
                });
                r.open();
                wnd_t* dlg = get_top_modal();
                ASSERT_NE(dlg, nullptr);
                if (std::string(r.what) == "settings") {
                    EXPECT_EQ(dlg, get_cfg_dlg());
                } else if (std::string(r.what) == "help") {
                    EXPECT_NE(d.find_type<tv_t>(dlg), nullptr);  // its topics
                }
                const size_t given = st.given.size();
                // Its cancel button or close box; a point off it for a key or a click outside.
                SDL_Point p{24, 24};
                if (how == by_btn || how == by_box) {
                    wnd_t* w = d.find_if([&](wnd_t* w) {
                        return w->end_code == MODAL_CANCEL && (how == by_btn) == (w->text == L"取消");
                    }, dlg);
                    ASSERT_NE(w, nullptr);
                    p = {w->rc.x + w->rc.w / 2, w->rc.y + w->rc.h / 2};
                }
                // The view moved so that the cell east of the unit lies under the point.
                d.on_main([&] {
                    zs::view_grid& v = cur_btl_scene()->get_view();
                    v.set_org_x(v.scrn.x + east.x * MAP_CELL + MAP_CELL / 2 - p.x);
                    v.set_org_y(v.scrn.y + east.y * MAP_CELL + MAP_CELL / 2 - p.y);
                });
                ASSERT_EQ(cur_btl_scene()->get_view().scrn_to_cell({p.x, p.y}), east);
                d.move_to(p.x, p.y);
                if (how == by_esc)
                    d.key(SDLK_ESCAPE);
                else
                    d.click_at(p.x, p.y);
                ASSERT_TRUE(st.wait_orders(d, me));
                d.frames(2);
                EXPECT_EQ(std::tuple(me->pos, st.given.size()), std::tuple(mid, given));
            }
        d.on_main([] {
            opts().ao_prompt = false;
            set_leave_check(nullptr);
        });
        // Back to the main menu: the battle is given up, neither won nor lost.
        ASSERT_TRUE(d.pick_sys_menu(L"返回主界面"));
        ASSERT_TRUE(st.wait_end(d, 120));
        EXPECT_EQ(std::tuple(st.state, get_top_scene()), std::tuple(BTL_ABORTED, get_main_menu_scene()));
        EXPECT_EQ(main_ui().shown_unit, nullptr);  // whose sheet a section toggle would rebuild
        // The battle scene shown again later lists none of that battle's units.
        int listed = -1;
        d.on_main([&] {
            push_scene(get_btl_scene(nullptr), false);
            listed = get_btl_scene(nullptr)->strip()->count();
            pop_scene();
        });
        EXPECT_EQ(listed, 0);
    });
}

TEST_F(BtlScene, QuittingDuringTheWaitAbortsWithThePartyHealed) {
    st.before_run = [&] { st.u(me_i)->hp = 3; };
    int hp = 0, max = 0;
    duel(7, [&](unit_t*, unit_t*) {
        EXPECT_EQ(st.u(me_i)->hp, 3);
        ASSERT_TRUE(d.pick_sys_menu(L"退出游戏"));
        d.wait_exit();
        hp = st.u(me_i)->hp, max = st.u(me_i)->drv.hp_max;
    });
    EXPECT_TRUE(st.ended);
    EXPECT_EQ(std::tuple(st.state, hp, d.exit_code()), std::tuple(BTL_ABORTED, max, 0));
}

TEST_F(BtlScene, HitPointChangesFloatTheirAmounts) {
    duel(7, [&](unit_t* me, unit_t*) {
        const auto change = [&](dmg_res_t r) { fx_of(d, fx, [&] { cur_btl_scene()->on_hp_change(me, &r); }); };
        change({0, 0, 1, false});
        ASSERT_EQ(fx.size(), 1u);  // no blood for nothing taken
        EXPECT_EQ(std::tuple(text_of(fx[0]), fx[0].clr, me->tint), std::tuple(L"0", red, red));

        change({5, 2, 1, false});
        ASSERT_EQ(fx.size(), 2u);
        EXPECT_EQ(std::tuple(text_of(fx[0]), text_of(fx[1])), std::tuple(L"effects/blood", L"5<c=a> (-2)</c>"));
        EXPECT_EQ(fx[1].font, FONT_DMG);

        change({7, 0, 1, true});
        ASSERT_EQ(fx.size(), 2u);
        EXPECT_EQ(std::tuple(text_of(fx[1]), fx[1].clr, fx[1].font), std::tuple(L"暴击！7", orange, FONT_CH_DMG));

        // Healed within the tint's time: the unit now flickers green. A heal
        // of 10 two short of the maximum floats what it gave back, as the log says.
        fx_of(d, fx, [&] {
            me->hp = me->drv.hp_max - 2;
            heal_unit(me, 10);
        });
        ASSERT_EQ(fx.size(), 1u);
        EXPECT_EQ(std::tuple(text_of(fx[0]), fx[0].clr), std::tuple(L"+2", green));
        EXPECT_NE(std::wstring(log_cur_buf()->c_str()).find(L"恢复<c=r>2</c>点生命。"), std::wstring::npos);
        EXPECT_EQ(std::tuple(me->hp, me->tint), std::tuple(me->drv.hp_max, green));
        EXPECT_GT(me->flash_t, 0.0);
        d.frames(20);  // 0.2 s and more
        EXPECT_EQ(me->tint, white);
    });
}

TEST_F(BtlScene, AMemberFelledInOneFightIsNotRedInTheNext) {
    st.duel(10, 6, 1, {3, 3}, {7, 3});
    const int ally_i = st.pc(2, {2, 3});
    play([&] {
        unit_t* ally = st.u(ally_i);
        d.on_main([&] {
            const dmg_res_t blow{ally->hp, 0, 1, false};
            apply_dmg(ally, &blow);
        });
        d.frames(20);
        EXPECT_EQ(ally->tint, red);  // its last hit's: the fallen are not drawn while it fades
        hover_cell(d, st.u(rat_i)->pos);  // the panel shows the rat
        d.on_main([] { set_btl_lost(); });
        ASSERT_TRUE(st.wait_end(d));
        // The arena frees the foes now: the screen keeps no unit of the fight.
        EXPECT_TRUE(!main_ui().shown_unit && get_btl_scene(nullptr)->strip()->count() == 0);
        // The arena's next fight: the party healed, the scene popped and pushed again.
        ASSERT_TRUE(st.again(d, st.u(me_i)));
        d.frames(5);
        EXPECT_EQ(std::tuple(ally->tint, ally->flash_t, ally->hp_pend), std::tuple(white, 0.0, 0));
    });
}

TEST_F(BtlScene, ProvokingActionsAskFirstOnlyWithTheOption) {
    duel(7, [&](unit_t*, unit_t*) {
        bool answer = false, asked = false;
        d.on_main([&] {
            opts().ao_prompt = false;
            answer = cur_btl_scene()->confirm_aoo();
        });
        EXPECT_TRUE(answer);
        EXPECT_EQ(get_top_modal(), nullptr);
        // The pointer rests on a map cell away from the question, its tip shown.
        hover_cell(d, {0, 0});
        ASSERT_FALSE(tip_for(d, get_root_wnd()).empty());
        d.on_main([&] {
            opts().ao_prompt = true;
            answer = cur_btl_scene()->confirm_aoo();
            asked = true;
        });
        // The question runs its own loop: the body reads on inside it. No
        // tip of the map lies over it, however long the pointer rests.
        ASSERT_NE(get_top_modal(), nullptr);
        EXPECT_NE(d.find(L"此动作将会引发身边敌人对你的借机攻击！\n确定进行？"), nullptr);
        d.frames(30);
        EXPECT_TRUE(get_tip_wnd()->is_hidden());
        d.key(SDLK_ESCAPE);
        ASSERT_TRUE(d.wait_for([&] { return asked; }, "the answer"));
        EXPECT_FALSE(answer);
    });
}

TEST_F(BtlScene, TheMapFileIsFoughtOnOrTheGeneratorsMapWhenItWillNotDo) {
    const struct {
        const char* what;
        std::string file;  // empty: none
        int w, h;          // 0: the generator's
    } cases[] = {
        {"a sound file", zmap_bytes(12, 9, 1, std::vector<int>(12 * 9, 1)), 12, 9},
        {"no file", "", 0, 0},
        {"a damaged file", std::string("ZMAP\x01", 5), 0, 0},
        {"a file too cramped for the sides", zmap_bytes(1, 1, 1, {1}), 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        screen_driver_t game(fast_btl_opts());
        if (!c.file.empty()) game.write("maps/btl.map", c.file);
        int state = BTL_NONE;
        unit_grp_t foes;
        game.run([&] {
            ASSERT_TRUE(game.start());
            game.on_main([&] {
                reset_pty();
                foes.units.push_back(new unit_t);
                foes.units.back()->from_mon(MON_RAT_D, 1);
                state = fight_btl(&foes, FIGHT_MAP_FILE);
            });
            ASSERT_TRUE(game.wait_for([] { return cur_btl_scene() && get_btl_map(); }, "the battle"));
            const tmap_t* m = get_btl_map();
            if (c.w > 0) {
                EXPECT_EQ(std::tuple(m->generated, m->get_w(), m->get_h()), std::tuple(0, c.w, c.h));
            } else {
                EXPECT_EQ(m->generated, 1);
                EXPECT_GT(m->get_w(), 1);
                EXPECT_GT(m->get_h(), 1);
            }
            game.on_main([] { set_btl_lost(); });
            ASSERT_TRUE(game.wait_for([&] { return state != BTL_NONE; }, "the end"));
            EXPECT_EQ(state, BTL_LOST);
        });
    }
}

TEST_F(BtlScene, TheWayToWatchFightsTheDefaultPartyThenShowsTheMainMenu) {
    d.run_started([&] {
        int state = BTL_NONE;
        d.on_main([&] { state = watch_btl(5); });
        ASSERT_TRUE(d.wait_for([] { return cur_btl_scene() && cur_btl_scene()->waiting_unit(); }, "the party's turn"));
        int ours = 0, foes = 0;
        for (const unit_t* u : btl().full) (u->btl.side == SIDE_PLAYER ? ours : foes) += 1;
        EXPECT_EQ(ours, int(g_pty.units.size()));
        EXPECT_GT(ours, 0);
        EXPECT_GT(foes, 0);
        EXPECT_EQ(get_btl_map()->generated, 1);
        ASSERT_TRUE(d.pick_sys_menu(L"投降"));
        ASSERT_TRUE(d.wait_for([&] { return state != BTL_NONE; }, "the battle's end"));
        EXPECT_EQ(std::tuple(state, get_top_scene()), std::tuple(BTL_LOST, get_main_menu_scene()));
    });
}

TEST_F(BtlScene, LeavingWithNoBattleRunningChangesNothing) {
    d.run_started([&] {
        int before = -1, after = -1;
        d.on_main([&] {
            before = get_btl_state();
            bool made = false;
            push_scene(get_btl_scene(&made), made);
            pop_scene();
            after = get_btl_state();
        });
        EXPECT_EQ(before, after);
    });
}
