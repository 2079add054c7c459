#include "battle/listener.h"

#include <gtest/gtest.h>

#include "app/str.h"
#include "app/text_log.h"
#include "battle/btl.h"
#include "battle/turn.h"
#include "rules/itm_slot.h"
#include "rules/unit.h"
#include "support/rec_listener.h"

namespace {
class Listener : public ::testing::Test {
protected:
    void SetUp() override { reset_btl(); }
    void TearDown() override {
        reset_btl();
        btl_pres() = btl_pres_t();
        log_set_enabled(true);
        log_cur_buf()->assign(L"");
    }
};
}  // namespace

TEST_F(Listener, WithNoSceneTheEngineTalksToOneThatKeepsTheDuties) {
    btl_listener_t* l = cur_scene();
    ASSERT_NE(l, nullptr);
    unit_t u;
    l->wait_for_orders(&u);
    ASSERT_EQ(u.btl.cmds.size(), 1u);
    EXPECT_EQ(u.btl.cmds[0].pwr, 15);  // "end_turn": the player's units only defend
    EXPECT_TRUE(l->confirm_aoo());
    l->wait_for_orders(nullptr);  // nothing to queue on, nothing breaks

    rec_listener_t rec;
    set_cur_scene(&rec);
    EXPECT_EQ(cur_scene(), &rec);
    rec.aoo_answer = false;
    EXPECT_FALSE(cur_scene()->confirm_aoo());
    cur_scene()->wait_for_orders(&u);
    EXPECT_EQ(u.btl.cmds.size(), 2u);  // the recording listener queues as well
    EXPECT_EQ(rec.slots(), (std::vector<int>{38, 28}));
    reset_btl();
    EXPECT_NE(cur_scene(), &rec);  // a new battle forgets the old scene
}

TEST_F(Listener, FeedbackSwitchesTheLogEvenWithoutAScreen) {
    log_set_enabled(true);
    set_btl_feedback(false);
    EXPECT_FALSE(log_enabled());
    set_btl_feedback(true);
    EXPECT_TRUE(log_enabled());
    std::vector<bool> seen;
    btl_pres().feedback = [&](bool on) { seen.push_back(on); };
    set_btl_feedback(false);
    EXPECT_FALSE(log_enabled());  // the screen's hook never replaces the log switch
    set_btl_feedback(true);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

TEST_F(Listener, PresentationHooksAreCalledAndDefaultToNothingOrPlainText) {
    unit_t u;
    u.name = L"Bob";
    u.btl.known = 1;
    // Defaults: nothing happens, texts are plain.
    unit_float_text(L"x", &u, FLOAT_NOTE);
    play_cell_ani(L"effects/ignite", {1, 1});
    ani_unit_step(&u, {1, 1}, 0);
    show_enter_view(&u);
    btl_sfx(L"mov");
    EXPECT_STREQ(gold_text(12.5).buf, L"12.50");
    EXPECT_STREQ(itm_tip_ref(itm_slot_t(27, 1)).buf, L"itm:27");
    EXPECT_EQ(unit_caption(&u), unit_disp_name(&u));
    log_set_enabled(true);
    log_cur_buf()->assign(L"");
    show_immune(&u);
    EXPECT_STREQ(log_cur_buf()->buf, L"<c=fc_ww>免疫。</c>");  // the log line is the engine's

    std::vector<std::wstring> got;
    btl_pres_t& p = btl_pres();
    p.float_text = [&](const wchar_t* t, unit_t*, float_kind_t k) { got.push_back(t + std::to_wstring(k)); };
    p.cell_ani = [&](const wchar_t* img, const pt_t& c) { got.push_back(img + std::to_wstring(c.x)); };
    p.unit_step = [&](unit_t*, const pt_t& c, int f) { got.push_back(L"step" + std::to_wstring(f)); };
    p.enter_view = [&](unit_t*) { got.push_back(L"view"); };
    p.immune = [&](unit_t*) { got.push_back(L"imm"); };
    p.sfx = [&](const wchar_t* n) { got.push_back(n); };
    p.gold_text = [](double) { return Str(L"<gold>"); };
    unit_float_text(L"hi", &u, FLOAT_SPECIAL);
    play_cell_ani(L"fx", {3, 0});
    ani_unit_step(&u, {0, 0}, 1);
    show_enter_view(&u);
    show_immune(&u);
    btl_sfx(L"mov");
    EXPECT_EQ(got, (std::vector<std::wstring>{L"hi" + std::to_wstring(FLOAT_SPECIAL), L"fx3", L"step1", L"view", L"imm", L"mov"}));
    EXPECT_STREQ(gold_text(1).buf, L"<gold>");
}

// ---- what the engine tells the listener about deaths ----

#include "battle/btl_fixture.h"

namespace {
using Deaths = btl_test;
}  // namespace

TEST_F(Deaths, EveryDeathIsHeardThenTheRosterChange) {
    draw({"....", "...."});
    unit_t* a = add(0, 0, 0);
    unit_t* minion = add(1, 0, 1);
    minion->base.rank = 4;
    unit_t* b = add(3, 1, 1);
    fog();
    btl().cur = b;
    for (unit_t* u : {minion, b}) {
        rec.calls.clear();
        u->hp = 0;
        unit_dies(u);
        EXPECT_EQ(rec.slots(), (std::vector<int>{27, 39})) << "even for a unit that leaves no body";
        EXPECT_EQ(rec.calls[0].u, u);
    }
    EXPECT_EQ(btl_roster(), std::vector<unit_t*>{a});
    EXPECT_EQ(btl_fallen(), std::vector<unit_t*>{b});
    EXPECT_FALSE(is_pt_visible_to_side({3, 1}, SIDE_FOES)) << "the dead see nothing";
    EXPECT_EQ(get_cur_unit(), b) << "a death passes no turn: the battle loop passes it after the turn's end";
}
