// The presentation of the fight: the effect, missile and sound names chosen
// for an action with and without images and sounds of its own, the step
// ticks, where area effects and missiles are drawn, and when the hit-chance
// labels show.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "app/ani.h"
#include "app/font.h"
#include "app/input.h"
#include "app/opts.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/listener.h"
#include "battle/stat_act.h"
#include "battle/target_area.h"
#include "rules/cond.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race_ids.h"
#include "rules/unit.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "support/btl_stage.h"
#include "support/screen_driver.h"

namespace {
std::wstring w(const Str& s) { return s.c_str(); }
}  // namespace

using BtlFx = btl_stage_test_t;

TEST_F(BtlFx, StepTicksFollowTheAnimationSpeed) {
    // A tick at each offset below the distance, then the step ends on the cell.
    const struct {
        int spd, cells;
        size_t ticks;
    } cases[] = {{1, 1, 16}, {2, 1, 8}, {3, 1, 2}, {3, 2, 4}, {1, 0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(step_ticks(ani_step_px(c.spd), c.cells).size() + 1, c.ticks) << "speed " << c.spd << ", " << c.cells;
    EXPECT_EQ(step_ticks(32, 1), std::vector<int>{32});
}

TEST_F(BtlFx, NamesFallBackWhenAnActionHasNoPictureOrSoundOfItsOwn) {
    // Fire ball gets pictures of its own; the other actions have none.
    namespace fs = std::filesystem;
    const fs::path gfx = d.dir() / "gfx";
    fs::copy_file(gfx / "effects/_dt_fire.png", gfx / "effects/fire_ball.png");
    fs::copy_file(gfx / "missiles/_dt_fire.png", gfx / "missiles/fire_ball.png");
    d.run_started([&] {
        d.on_main([&] {
            const act_t* fire = as_act(P_FIRE_BALL);
            const act_t* nova = as_act(P_ICE_NOVA);
            for (const auto& [pwr, name] :
                 {std::pair{P_FIRE_BALL, L"effects/fire_ball"}, {P_ICE_NOVA, L"effects/_dt_cold"},
                  {P_ATK_M, L"effects/_wpn_m"}, {P_ATK_R, L"effects/_wpn_r"}, {P_TRIP, L"effects/_cm"}})
                EXPECT_EQ(w(act_effect_name(as_act(pwr))), name) << pwr;
            const act_t* fear = as_act(P_FEAR);
            ASSERT_TRUE(fear->dmg.empty());
            EXPECT_EQ(w(act_effect_name(fear)), w(Str(L"effects/_cond_%s", get_cond(fear->cond)->k)));
            EXPECT_EQ(w(act_effect_name(nullptr)), L"");

            const itm_slot_t bow(ITM_BOW_S, 1), xbow(ITM_BOW_X_S, 1), sword(ITM_SWD_S, 1);
            EXPECT_EQ(w(act_missile_name(fire, nullptr)), L"missiles/fire_ball");
            EXPECT_EQ(w(act_missile_name(as_act(P_ATK_R), &bow)), L"missiles/_wpn_arrow");
            EXPECT_EQ(w(act_missile_name(as_act(P_ATK_R), &xbow)), L"missiles/_wpn_bolt");
            EXPECT_EQ(w(act_missile_name(nova, nullptr)), L"missiles/_dt_cold");

            const itm_slot_t whip(ITM_WHIP_TOX, 1);
            const itm_slot_t* none = nullptr;  // no weapon, no sound
            unit_t u;
            atk_rec_t rec;
            for (const auto& [race, wpn, pwr, sfx] :
                 {std::tuple{RACE_HUM, &sword, P_ATK_M, L"atk_m"}, {RACE_WOLF, &sword, P_ATK_M, L"atk_m_bite"},
                  {RACE_RAT, &sword, P_ATK_M, L"atk_m_bite_s"}, {RACE_RAT, &whip, P_ATK_M, L"atk_m_whip"},
                  {RACE_RAT, &xbow, P_ATK_R, L"atk_r_bow_x"}, {RACE_RAT, none, P_ATK_M, L""}}) {
                u.base.race = race;
                rec.wpn = const_cast<itm_slot_t*>(wpn);
                EXPECT_EQ(w(act_sfx_name(&u, as_act(pwr), &rec)), sfx) << race << " " << pwr;
            }
            // A spell's own sound when there is one; its damage type's otherwise.
            for (const auto& [pwr, sfx] : {std::pair{P_HEAL, L"pwr_heal"}, {P_LITN, L"dt_litn"},
                                           {P_DEAD_FINGER, L"dt_ne100"}, {P_DOWN_A1, L"cm_ram"}})
                EXPECT_EQ(w(act_sfx_name(&u, as_act(pwr), nullptr)), sfx) << pwr;
        });
    });
}

TEST_F(BtlFx, BurstsLightningAndMissilesAreDrawnWhereTheyBelong) {
    std::vector<fx_rec_t> fx;
    duel(12, 8, 9, {4, 4}, {7, 4}, [&](unit_t* me, unit_t* rat) {
        btl_scene_t* s = cur_btl_scene();
        // The visual waits for its animations: the body reads on once it returned.
        const auto show = [&](int pwr, const pt_t& at, const std::vector<pt_t>& pts) {
            bool done = false;
            fx_of(d, fx, [&] {
                const u_cmd_t cmd{pwr, 0, at, 0};
                stat_act_t ctx(me, &cmd);
                atk_rec_t rec;
                atk_visual(s, &ctx, &rec, pts);
                done = true;
            });
            ASSERT_TRUE(d.wait_for([&] { return done; }, "the visual's end"));
        };
        // A burst along paths (area -1) spreads from the caster, its range the radius.
        show(P_ICE_NOVA, rat->pos, {rat->pos});
        const int r = act_range(as_act(P_ICE_NOVA), me);
        ASSERT_EQ(fx.size(), 1u);
        const rect c = s->get_view().cell_scrn_rect({me->pos.x - r, me->pos.y - r});
        EXPECT_EQ(fx[0].r, (rect{c.x, c.y, (2 * r + 1) * MAP_CELL, (2 * r + 1) * MAP_CELL}));
        // Lightning strikes two cells high, rising above its target.
        show(P_LITN_X, rat->pos, {rat->pos});
        ASSERT_EQ(fx.size(), 1u);
        const rect t = s->get_view().cell_scrn_rect(rat->pos);
        EXPECT_EQ(fx[0].r, (rect{t.x, t.y - MAP_CELL, MAP_CELL, 2 * MAP_CELL}));
        EXPECT_EQ(w(fx[0].name), L"effects/_dt_litn");
        // A shot flies from the archer's centre to each target, then strikes there.
        show(P_ATK_R, rat->pos, {rat->pos});
        ASSERT_EQ(fx.size(), 2u);
        EXPECT_EQ(fx[0].kind, zg::ANI_MISSILE);
        const rect m = s->get_view().cell_scrn_rect(me->pos);
        EXPECT_EQ(fx[0].r, (rect{m.x + 32, m.y + 32, t.x + 32, t.y + 32}));
        EXPECT_EQ(fx[1].r, t);
        // Nothing is shown of what happens out of the player's sight.
        d.on_main([&] { bv().feedback = false; });
        show(P_ATK_R, rat->pos, {rat->pos});
        EXPECT_TRUE(fx.empty());
        d.on_main([&] { bv().feedback = true; });
    });
}

TEST_F(BtlFx, FloatingTextsStayOverTheirCellWhileTheViewScrolls) {
    duel(30, 20, 9, {10, 8}, {14, 8}, [&](unit_t* me, unit_t*) {
        d.on_main([&] {
            btl_scene_t* s = cur_btl_scene();
            const uint32_t id = float_over(s, L"-7", me, FLOAT_DMG);
            const auto* t = dynamic_cast<const zg::text_ani_t*>(get_ani_mgr()->get(id));
            ASSERT_NE(t, nullptr);
            const auto top_of_cell = [&] {
                const rect r = s->get_view().cell_scrn_rect(me->pos);
                return pt_t{r.x + MAP_CELL / 2, r.y};
            };
            pt_t c;
            ASSERT_TRUE(t->scrn_centre(&c));
            EXPECT_EQ(c, top_of_cell());
            zs::view_grid& v = s->get_view();
            const pt_t org = v.org();
            v.set_org_x(org.x + 2 * MAP_CELL);
            v.set_org_y(org.y + MAP_CELL);
            ASSERT_NE(v.org(), org);
            ASSERT_TRUE(t->scrn_centre(&c));
            EXPECT_EQ(c, top_of_cell()) << "the text stays over its cell, not over the screen's point";
            v.set_org_x(org.x);
            v.set_org_y(org.y);
            // The engine names the kind of a text; the screen gives it the look it always had.
            const std::tuple<float_kind_t, uint32_t, int> looks[] = {
                {FLOAT_NOTE, 0xffffffff, FONT_DMG},         {FLOAT_REFUSED, 0xffff0000, FONT_DMG},
                {FLOAT_RESISTED, 0xff808080, FONT_DMG},     {FLOAT_DMG_CRIT, 0xffffa500, FONT_CH_DMG},
                {FLOAT_HEAL_CRIT, 0xff00ff00, FONT_CH_DMG}, {FLOAT_COND_GOOD, 0xff00ff00, FONT_DMG},
                {FLOAT_COND_BAD, 0xffff0000, FONT_DMG},     {FLOAT_COND_LOST, 0xffffff00, FONT_DMG},
                {FLOAT_SPECIAL, 0xffff0000, FONT_DMG},      {FLOAT_IMMUNE, 0xffbdc3c7, FONT_DMG}};
            std::vector<fx_rec_t> fx;
            bv().fx_log = &fx;
            for (const auto& l : looks) unit_float_text(L"t", me, std::get<0>(l));
            bv().fx_log = nullptr;
            ASSERT_EQ(fx.size(), std::size(looks));
            for (size_t i = 0; i < fx.size(); ++i)
                EXPECT_EQ(std::tuple(std::get<0>(looks[i]), fx[i].clr.v, fx[i].font), looks[i]);
        });
    });
}

TEST_F(BtlFx, LabelsOfEveryTargetShowOnlyWithTheOptionOrAlt) {
    d.run_started([&] {
        d.on_main([&] {
            for (const auto& [mode, every, shown] : {std::tuple{LABELS_ALL, false, false}, {LABELS_CMD, false, true},
                                                     {LABELS_NONE, false, false}, {LABELS_ALL, true, true}}) {
                bv().label_mode = mode;
                opts().show_all_hits_in_rng = every;
                EXPECT_EQ(hit_labels_shown(), shown) << mode << " " << every;
            }
            opts().show_all_hits_in_rng = false;
        });
        d.key_down(SDLK_LALT, KMOD_LALT);
        d.on_main([&] { EXPECT_TRUE(hit_labels_shown()); });
        d.key_up(SDLK_LALT);
        d.on_main([&] {
            EXPECT_FALSE(hit_labels_shown());
            bv().label_mode = LABELS_NONE;
        });
    });
}
