// The battle scene on staged battles through the real frame loop: what the
// listener shows and logs, the end of a battle by surrender and by quitting,
// the hit-point texts and the confirmation of provoking actions.
#include "screens/battle/btl_scene.h"

#include <gtest/gtest.h>

#include <string>

#include "app/ani.h"
#include "app/font.h"
#include "app/input.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/scene.h"
#include "battle/damage.h"
#include "rules/mon_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "screens/battle/btl_view.h"
#include "screens/map/main_ui.h"
#include "screens/menu/main_menu.h"
#include "screens/widgets/log_memo.h"
#include "support/btl_stage.h"
#include "support/next_d20.h"
#include "support/screen_driver.h"
#include "ui/menu.h"
#include "ui/wnd.h"

namespace {
constexpr clr_t white = 0xffffffff;
constexpr clr_t red = 0xffff0000;
constexpr clr_t green = 0xff00ff00;
constexpr clr_t grey = 0xff808080;

screen_opts_t fast() {
    screen_opts_t o;
    o.config = "spd_ani_lv=3\r\nani_vp=0\r\nani_cur_u_mark=0\r\nsound=0\r\nmusic=0\r\n";
    return o;
}

// The middle of the cell on the screen.
SDL_Point cell_pt(const pt_t& c) {
    const rect r = cur_btl_scene()->get_view().cell_scrn_rect(c);
    return {r.x + r.w / 2, r.y + r.h / 2};
}

void hover(screen_driver_t& d, const pt_t& c) {
    const SDL_Point p = cell_pt(c);
    d.move_to(p.x, p.y);
    d.frames(2);
}

void click_cell(screen_driver_t& d, const pt_t& c) {
    hover(d, c);
    const SDL_Point p = cell_pt(c);
    d.click_at(p.x, p.y);
}

std::wstring log_text() { return main_ui().log_memo ? std::wstring(main_ui().log_memo->text.c_str()) : L""; }

std::wstring name_of(const unit_t* u) { return unit_disp_name(u).c_str(); }
}  // namespace

TEST(BtlScene, TheFirstTurnsTextsAndLogLinesInOrder) {
    btl_stage_t st;
    st.plain_map(10, 6);
    const int me_i = st.pc(1, {3, 3});
    const int rat_i = st.mon(MON_RAT_D, 1, {4, 3});
    std::vector<float_rec_t> floats;
    screen_driver_t d(fast());
    d.run([&] {
        ASSERT_TRUE(d.start());
        d.on_main([&] { bv().float_log = &floats; });
        st.start(d);
        ASSERT_TRUE(st.wait_orders(d));
        unit_t *me = st.u(me_i), *rat = st.u(rat_i);
        ASSERT_EQ(cur_btl_scene()->waiting_unit(), me);
        ASSERT_EQ(floats.size(), 1u);
        EXPECT_EQ(std::wstring(floats[0].text.c_str()), name_of(me) + L"回合开始");
        EXPECT_EQ(floats[0].clr, white);
        EXPECT_EQ(floats[0].font, FONT_DMG);
        const std::wstring log = log_text();
        const size_t start = log.find(L"---- 战斗开始 ----"), round = log.find(L"---- 第<c=#FFFFFF00>1</c>回合 ----");
        EXPECT_NE(start, std::wstring::npos) << std::string(log.begin(), log.end());
        EXPECT_NE(round, std::wstring::npos);
        EXPECT_LT(start, round);

        // The rat stands in reach: hovering it gives the melee attack.
        hover(d, rat->pos);
        btl_scene_t* s = cur_btl_scene();
        ASSERT_EQ(s->pending_cmds().size(), 1u);
        EXPECT_EQ(s->pending_cmds()[0], (u_cmd_t{P_ATK_M, 0, rat->pos, 0}));
        d.on_main([] { next_d20(1); });  // a natural 1 misses
        const SDL_Point p = cell_pt(rat->pos);
        d.click_at(p.x, p.y);
        // The move is left: the same unit waits again, and clicking itself ends its turn.
        ASSERT_TRUE(st.wait_next_orders(d, me));
        ASSERT_EQ(floats.size(), 2u);
        hover(d, me->pos);
        ASSERT_EQ(s->pending_cmds().size(), 1u);
        EXPECT_EQ(s->pending_cmds()[0].pwr, P_END_TURN);
        EXPECT_EQ(s->hover_cursor(), CUR_END_TURN);
        const SDL_Point self = cell_pt(me->pos);
        d.click_at(self.x, self.y);
        ASSERT_TRUE(d.wait_for([&] { return floats.size() >= 4; }, "the rat's turn", 600));
        EXPECT_EQ(std::wstring(floats[1].text.c_str()), L"失误");
        EXPECT_EQ(floats[1].clr, grey);
        // The end of the turn is an action of its own and says so; then the rat's turn begins.
        const Pwr* end = get_pwr(P_END_TURN);
        EXPECT_EQ(std::wstring(floats[2].text.c_str()), std::wstring(end->a && *end->a ? end->a : end->n));
        EXPECT_EQ(std::wstring(floats[3].text.c_str()), name_of(rat) + L"回合开始");
        d.on_main([] { bv().float_log = nullptr; });
    });
}
