// The badges and bars over a unit's picture, read back pixel by pixel from a
// canvas the running game draws into.
#include "screens/widgets/unit_badges.h"

#include <gtest/gtest.h>

#include "app/img_cache.h"
#include "app/render.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/lv.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "screens/widgets/theme.h"
#include "support/screen_canvas.h"

namespace {
constexpr rect pic{0, 0, 64, 64};
constexpr int bar_y = 60;  // the bar's filled line: 4 px above the picture's bottom
constexpr uint32_t player_green = 0xFF009900;
constexpr uint32_t loss = 0xFFE67E22;

int count_in_bar(const std::vector<uint32_t>& px, uint32_t clr) {
    int n = 0;
    for (int x = 6; x < 6 + HP_BAR_W; ++x) n += px_at(px, x, bar_y) == clr;
    return n;
}
bool blank(const std::vector<uint32_t>& px, const rect& r) { return inked(px, r) == 0; }
std::vector<uint32_t> region(const std::vector<uint32_t>& px, const rect& r) {
    std::vector<uint32_t> v;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) v.push_back(px_at(px, x, y));
    return v;
}

unit_t hp_unit(int hp, int m, int pend = 0) {
    unit_t u;
    u.drv.hp_max = m;
    u.hp = hp;
    u.hp_pend = pend;
    u.btl.side = SIDE_PLAYER;
    return u;
}
}  // namespace

TEST(UnitBadges, BarWidthsAreClampedAndNeedAMaximum) {
    struct row_t {
        int hp, m, d, fill, change;
    };
    const row_t rows[] = {
        {40, 40, 0, 52, 0},   {20, 40, 0, 26, 0},    {0, 40, 0, 0, 0},   {90, 40, 0, 52, 0},
        {10, 0, -5, 0, 0},    {5, -3, 0, 0, 0},      {20, 40, -10, 26, 13},
        {20, 40, -400, 26, 26},  // a huge loss ends at the track's end
        {20, 40, 400, 26, 26},   // a huge gain starts at the track's start
        {2000000000, 3, 0, 52, 0}, {1, 2000000000, 2000000000, 0, 0},
    };
    for (const row_t& r : rows) {
        const hp_bar_w_t w = hp_bar_widths(r.hp, r.m, r.d);
        EXPECT_EQ(w.fill, r.fill) << r.hp << "/" << r.m << " " << r.d;
        EXPECT_EQ(w.change, r.change) << r.hp << "/" << r.m << " " << r.d;
    }
}

TEST(UnitBadges, TheBarShowsHitPointsAndTheRecentChangeFadesOut) {
    in_game([&](screen_driver_t& d) {
        struct case_t {
            int hp, m, green;
        };
        for (const case_t c : {case_t{40, 40, 52}, {20, 40, 26}, {0, 40, 0}, {90, 40, 52}}) {
            unit_t u = hp_unit(c.hp, c.m);
            const auto px = drawn(d, [&] { draw_unit_hp_bar(&u, pic); });
            EXPECT_EQ(count_in_bar(px, player_green), c.green) << c.hp << "/" << c.m;
            EXPECT_EQ(count_in_bar(px, theme::hp_track), HP_BAR_W - c.green) << c.hp << "/" << c.m;
            EXPECT_EQ((px_at(px, 6 + HP_BAR_W, bar_y) >> 24), 0xFFu) << "the dark back reaches 2 px past the track";
            EXPECT_TRUE(blank(px, {4 + HP_BAR_W + 4, 56, 8, 8}));
        }
        unit_t none = hp_unit(10, 0, -5);
        EXPECT_TRUE(blank(drawn(d, [&] { draw_unit_hp_bar(&none, pic); }), pic)) << "no maximum: no bar";

        // A loss stands right after the filled part, a gain at its end.
        unit_t hit = hp_unit(20, 40, -10);
        auto px = drawn(d, [&] { draw_unit_hp_bar(&hit, pic); });
        EXPECT_EQ(count_in_bar(px, loss), 13);
        EXPECT_EQ(px_at(px, 6 + 26, bar_y), loss);
        EXPECT_EQ(px_at(px, 6 + 25, bar_y), player_green);
        unit_t healed = hp_unit(20, 40, 10);
        px = drawn(d, [&] { draw_unit_hp_bar(&healed, pic); });
        EXPECT_EQ(count_in_bar(px, theme::heal), 13);
        EXPECT_EQ(px_at(px, 6 + 25, bar_y), uint32_t(theme::heal));
        EXPECT_EQ(px_at(px, 6 + 12, bar_y), player_green);

        // Half a second after the last change it shrinks a point a drawing.
        hit.hp_pend_t = 0.0;
        drawn(d, [&] { draw_unit_hp_bar(&hit, pic); });
        EXPECT_EQ(hit.hp_pend, -10);
        hit.hp_pend_t = 0.51;
        drawn(d, [&] { draw_unit_hp_bar(&hit, pic); });
        EXPECT_EQ(hit.hp_pend, -9);
        healed.hp_pend_t = 0.51;
        drawn(d, [&] { draw_unit_hp_bar(&healed, pic); });
        EXPECT_EQ(healed.hp_pend, 9);
    });
}

TEST(UnitBadges, FourIconsAtMostConditionsBeforeAuras) {
    in_game([&](screen_driver_t& d) {
        auto give = [](unit_t& u, int id) {
            cond_inst_t ci;
            u.conds.map[id] = make_cond_inst(ci, id, nullptr, 0, CI_NO_ROLL, 0);
        };
        unit_t five;
        for (int id : {C_FEAR, C_SLOW, C_SLEEP, C_PRONE, C_STUN}) give(five, id);
        five.btl.auras.push_back({P_AURA5_ATK2, nullptr});
        auto px = drawn(d, [&] { draw_unit_cond_icons(&five, 10, 10); });
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(blank(px, {10, 10 + 16 * i, 16, 16})) << i;
        EXPECT_TRUE(blank(px, {10, 10 + 16 * 4, 16, 32})) << "no fifth icon, no aura";
        // In id order: the first is "slow", the fourth "sleep".
        auto img = [&](const wchar_t* name) {
            return region(drawn(d, [&] {
                const rect r{10, 10, 16, 16};
                draw_tex(get_img(name), &r, nullptr);
            }), {10, 10, 16, 16});
        };
        ASSERT_NE(img(L"conds/slow"), img(L"conds/sleep")) << "the icons must tell the conditions apart";
        EXPECT_EQ(region(px, {10, 10, 16, 16}), img(L"conds/slow"));
        EXPECT_EQ(region(px, {10, 58, 16, 16}), img(L"conds/sleep"));

        unit_t two;
        give(two, C_STUN);
        give(two, C_PRONE);
        two.btl.auras.push_back({P_AURA5_FEAR, nullptr});
        px = drawn(d, [&] { draw_unit_cond_icons(&two, 10, 10); });
        EXPECT_EQ(region(px, {10, 10, 16, 16}), img(L"conds/prone"));
        EXPECT_EQ(region(px, {10, 42, 16, 16}), img(L"auras/aura5_fear"));
        EXPECT_TRUE(blank(px, {10, 58, 16, 16}));
    });
}

TEST(UnitBadges, TheLevelUpMarkAppearsExactlyAtTheThresholdAndNeverUnderTheCount) {
    in_game([&](screen_driver_t& d) {
        unit_t u;
        u.base.lv = 3;
        const int need = xp_for_lv(4);
        ASSERT_EQ(need, 3000);  // 250 x 4 x 3
        const rect corner{64 - 16, 0, 16, 16};
        u.xp = need - 1;
        EXPECT_TRUE(blank(drawn(d, [&] { draw_lvup_mark(&u, pic); }), pic));
        u.xp = need;
        const auto px = drawn(d, [&] { draw_lvup_mark(&u, pic); });
        EXPECT_FALSE(blank(px, corner));
        EXPECT_TRUE(blank(px, {0, 16, 64, 48}));
        // A hovered face shows a count only where it says something, and never over the mark.
        constexpr rect face{0, 0, 48, 48}, low{32, 32, 16, 16}, high{32, 0, 16, 16};
        const auto in = [&](const rect& r, const std::function<void()>& draw) { return region(drawn(d, draw), r); };
        const auto hovered = [&] { draw_face_badges(&u, face, true); };
        EXPECT_EQ(in(high, hovered), in(high, [&] { draw_lvup_mark(&u, face); })) << "nothing to shoot: no 0";
        mk_itm_slot(u.eqpts.slots[EQ_MAIN], ITM_BOW_S, 1);
        EXPECT_EQ(in(high, hovered), in(high, [&] { draw_ammo_badge(&u, face); })) << "a bow, no arrows: 0";
        EXPECT_EQ(in(low, hovered), in(low, [&] { draw_lvup_mark(&u, face, rect_align::right | rect_align::bottom); }))
            << "the mark beside the level";
    });
}

TEST(UnitBadges, APolymorphedUnitShowsItsNewForm) {
    in_game([&](screen_driver_t& d) {
        unit_t ant, form;
        ant.img = L"units_mon/ant";
        form.img = L"misc/polym";
        const rect box{8, 8, 100, 80};
        const auto as_ant = drawn(d, [&] { draw_unit_img(&ant, box, false, 0xFFFFFFFF); });
        cond_inst_t ci;
        ant.conds.map[C_POLYM] = make_cond_inst(ci, C_POLYM, nullptr, 0, CI_NO_ROLL, 0);
        const auto changed = drawn(d, [&] { draw_unit_img(&ant, box, false, 0xFFFFFFFF); });
        EXPECT_NE(changed, as_ant);
        EXPECT_EQ(changed, drawn(d, [&] { draw_unit_img(&form, box, false, 0xFFFFFFFF); }));
        // Never grown: the 64 px form stands at the bottom centre of the box.
        EXPECT_FALSE(blank(changed, {8 + 18, 24, 64, 64}));
        EXPECT_TRUE(blank(changed, {0, 0, 128, 24}));
        EXPECT_TRUE(blank(changed, {0, 88, 128, 40}));
        EXPECT_TRUE(blank(changed, {0, 0, 8 + 18, 128}));
        EXPECT_TRUE(blank(changed, {8 + 18 + 64, 0, 128 - 90, 128}));
    });
}
