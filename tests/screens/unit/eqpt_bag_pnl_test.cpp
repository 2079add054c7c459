// The bag and equipment panels in the unit dialog, driven by real drags and
// right clicks: what a drop shows, what it refuses, and that no moves make or
// lose an item (what each pair of places does: tests/rules/itm_drop_test.cpp).
#include "screens/unit/eqpt_bag_pnl.h"

#include <gtest/gtest.h>

#include <random>

#include "app/input.h"
#include "battle/btl.h"
#include "battle/turn.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "ui/drag.h"
#include "ui/memo_ctrl.h"
#include "unit_screen.h"

namespace {
// The dialog's panels and the unit they show.
struct pnls_t {
    explicit pnls_t(unit_dlg_t* dlg) : p(dlg->eqpt_bag()), eq(p->eqpt_pnl()), bag(p->bag_pnl()), u(dlg->get_unit()) {}
    eqpt_bag_pnl_t* p;
    eqpt_pnl_t* eq;
    bag_pnl_t* bag;
    unit_t* u;
};

itm_slot_t& eq_slot(unit_t* u, int n) { return u->eqpts.slots[n]; }

// The sheet's attack lines name a weapon in hand by its tooltip reference.
bool on_sheet(unit_dlg_t* dlg, int id) {
    return std::wstring(dlg->sheet()->text.c_str()).find(Str(L"&itm:%d.", id).c_str()) != std::wstring::npos;
}

// The weight the load label shows.
int load_shown(const pnls_t& x) { return std::stoi(screen_driver_t::plain(x.eq->load_lbl()->text.c_str())); }
}  // namespace

TEST(EqptBag, EachDropMovesWhatItsRuleSays) {
    in_unit_screen([] {
        g_pty.bag[0] = itm_slot_t(ITM_FALCHION, 1);
        g_pty.bag[2] = itm_slot_t(ITM_RING_DFLC, 2);
        g_pty.bag[3] = itm_slot_t(ITM_KIT_HEAL, 3);
        g_pty.bag[4] = itm_slot_t(ITM_KIT_HEAL, 2);
        g_pty.bag[5] = itm_slot_t(ITM_KIT_HEAL, 5);
        unit_t* u = g_pty.units.front();
        u->eqpts.slots[EQ_MAIN] = itm_slot_t(ITM_SWD_T, 1);
        u->eqpts.slots[EQ_OFF] = itm_slot_t(ITM_SHD1, 1);
    }, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        const pnls_t x(dlg);
        const auto before = party_items();
        const itm_slot_t old_main = eq_slot(x.u, EQ_MAIN), old_off = eq_slot(x.u, EQ_OFF);
        ASSERT_FALSE(old_main.empty());
        ASSERT_FALSE(old_off.empty());

        // A two-handed weapon into the main hand sends both hands' items to the
        // bag, and the sheet's attacks name it at once.
        EXPECT_TRUE(on_sheet(dlg, ITM_SWD_T));
        d.drag(centre(x.bag->itm_btn(0)), centre(x.eq->slot_btn(EQ_MAIN)), 3);
        EXPECT_EQ(eq_slot(x.u, EQ_MAIN).id, ITM_FALCHION);
        EXPECT_TRUE(on_sheet(dlg, ITM_FALCHION));
        EXPECT_FALSE(on_sheet(dlg, ITM_SWD_T));
        EXPECT_TRUE(eq_slot(x.u, EQ_OFF).empty());
        // Both went to the first free bag slots, and their buttons show them at once.
        EXPECT_EQ(g_pty.bag[1].id, old_main.id);
        EXPECT_EQ(g_pty.bag[6].id, old_off.id);
        EXPECT_NE(x.bag->itm_btn(1)->img, nullptr);
        EXPECT_EQ(x.bag->itm_btn(0)->img, nullptr);
        EXPECT_EQ(party_items(), before);

        // A stack dropped on a page button goes whole into that page; the shown page stays.
        d.drag(centre(x.bag->itm_btn(2)), centre(x.bag->page_btn(3)), 3);
        EXPECT_TRUE(g_pty.bag[2].empty());
        EXPECT_EQ(g_pty.bag[150].id, ITM_RING_DFLC);
        EXPECT_EQ(g_pty.bag[150].get_count(), 2);
        EXPECT_EQ(x.bag->get_page(), 0);

        // Equipment onto an occupied bag slot is refused (no swap); onto an empty one it moves.
        const itm_slot_t main_now = eq_slot(x.u, EQ_MAIN);
        d.drag(centre(x.eq->slot_btn(EQ_MAIN)), centre(x.bag->itm_btn(5)), 3);
        EXPECT_EQ(eq_slot(x.u, EQ_MAIN).id, main_now.id);
        EXPECT_EQ(g_pty.bag[5].id, ITM_KIT_HEAL);
        d.drag(centre(x.eq->slot_btn(EQ_MAIN)), centre(x.bag->itm_btn(9)), 3);
        EXPECT_TRUE(eq_slot(x.u, EQ_MAIN).empty());
        EXPECT_EQ(g_pty.bag[9].id, ITM_FALCHION);

        // A kit fits no slot of the doll: the drop is refused and nothing moves.
        EXPECT_EQ(x.p->can_drop(x.bag->itm_btn(5), x.eq->slot_btn(EQ_MAIN)), nullptr);
        d.drag(centre(x.bag->itm_btn(5)), centre(x.eq->slot_btn(EQ_MAIN)), 3);
        EXPECT_EQ(g_pty.bag[5].get_count(), 5);
        EXPECT_TRUE(eq_slot(x.u, EQ_MAIN).empty());
        // Nor does dropping on the source, or outside the panels, move anything.
        EXPECT_EQ(x.p->can_drop(x.bag->itm_btn(5), x.bag->itm_btn(5)), nullptr);
        d.drag(centre(x.bag->itm_btn(5)), SDL_Point{300, 300}, 3);
        EXPECT_EQ(g_pty.bag[5].get_count(), 5);
        EXPECT_FALSE(is_dragging());
        EXPECT_EQ(party_items(), before);
    });
}

// On each weapon set the sword goes into the hand and back by one way and the
// shield by the other; after each move the hand slots, the sheet's attacks and
// the load label show the new state.
TEST(EqptBag, RightClicksAndDragsEquipAndUnequipOnEachSetButNeverIntoAFullBag) {
    in_unit_screen([] {
        g_pty.bag[0] = itm_slot_t(ITM_SWD_M, 1);
        g_pty.bag[1] = itm_slot_t(ITM_SHD1, 1);
        g_pty.bag[7] = itm_slot_t(ITM_RING_DFLC, 2);
        eqpts_t& e = g_pty.units.front()->eqpts;
        for (itm_slot_t* s : {&e.slots[EQ_MAIN], &e.slots[EQ_OFF], &e.sets[0][0], &e.sets[1][0], &e.sets[2][0]})
            s->clear();
    }, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        const pnls_t x(dlg);
        const auto before = party_items();
        const auto move = [&](bool by_drag, wnd_t* from, wnd_t* to) {
            if (by_drag) d.drag(centre(from), centre(to), 3);
            else ASSERT_TRUE(d.rclick(from));
        };
        const auto hands_show = [&](int main, int off, const char* after) {
            EXPECT_EQ(eq_slot(x.u, EQ_MAIN).id, main) << after;
            EXPECT_EQ(eq_slot(x.u, EQ_OFF).id, off) << after;
            EXPECT_EQ(x.eq->slot_btn(EQ_MAIN)->img != nullptr, main != 0) << after;
            EXPECT_EQ(x.eq->slot_btn(EQ_OFF)->img != nullptr, off != 0) << after;
            EXPECT_EQ(x.bag->itm_btn(0)->img == nullptr, main != 0) << after;
            EXPECT_EQ(on_sheet(dlg, ITM_SWD_M), main != 0) << after;
            EXPECT_EQ(load_shown(x), int(x.u->eqpts.weight())) << after;
        };
        const int bare = int(x.u->eqpts.weight());
        for (int set = 0; set < 4; ++set) {
            SCOPED_TRACE(set);
            ASSERT_TRUE(d.click(x.eq->set_btn(set)));
            hands_show(0, 0, "the set chosen");
            const bool sword_dragged = set % 2;
            move(sword_dragged, x.bag->itm_btn(0), x.eq->slot_btn(EQ_MAIN));
            hands_show(ITM_SWD_M, 0, "the sword taken");
            EXPECT_GT(load_shown(x), bare);
            move(!sword_dragged, x.bag->itm_btn(1), x.eq->slot_btn(EQ_OFF));
            hands_show(ITM_SWD_M, ITM_SHD1, "the shield taken");
            move(sword_dragged, x.eq->slot_btn(EQ_MAIN), x.bag->itm_btn(0));
            hands_show(0, ITM_SHD1, "the sword put back");
            move(!sword_dragged, x.eq->slot_btn(EQ_OFF), x.bag->itm_btn(1));
            hands_show(0, 0, "the shield put back");
            EXPECT_EQ(load_shown(x), bare);
            EXPECT_TRUE(g_pty.bag[0].id == ITM_SWD_M && g_pty.bag[1].id == ITM_SHD1);
        }
        move(true, x.bag->itm_btn(1), x.eq->slot_btn(EQ_OFF));

        ASSERT_TRUE(d.rclick(x.bag->itm_btn(7)));  // one ring into the first empty ring slot
        EXPECT_EQ(eq_slot(x.u, 13).id, ITM_RING_DFLC);
        EXPECT_EQ(g_pty.bag[7].get_count(), 1);
        ASSERT_TRUE(d.rclick(x.bag->itm_btn(7)));  // the second into the other
        EXPECT_EQ(eq_slot(x.u, 14).id, ITM_RING_DFLC);
        EXPECT_TRUE(g_pty.bag[7].empty());
        ASSERT_TRUE(d.rclick(x.eq->slot_btn(13)));  // back into the bag
        EXPECT_TRUE(eq_slot(x.u, 13).empty());
        EXPECT_EQ(party_items(), before);

        // With every bag slot taken by something else, the shield stays on the arm.
        d.on_main([] {
            for (itm_slot_t& s : g_pty.bag)
                if (s.empty()) s = itm_slot_t(ITM_KIT_HEAL, 1);
        });
        const itm_slot_t off = eq_slot(x.u, EQ_OFF);
        ASSERT_FALSE(off.empty());
        ASSERT_TRUE(d.rclick(x.eq->slot_btn(EQ_OFF)));
        EXPECT_EQ(eq_slot(x.u, EQ_OFF).id, off.id);
        // Nor can a drag push it onto a bag page with no room.
        d.drag(centre(x.eq->slot_btn(EQ_OFF)), centre(x.bag->page_btn(1)), 3);
        EXPECT_EQ(eq_slot(x.u, EQ_OFF).id, off.id);
    });
}

TEST(EqptBag, ADraggedBagItemLightsExactlyTheSlotsThatTakeIt) {
    in_unit_screen([] {
        g_pty.bag[0] = itm_slot_t(ITM_RING_DFLC, 1);
        g_pty.bag[1] = itm_slot_t(ITM_BOW_A, 12);
    }, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        const pnls_t x(dlg);
        // Picked up by a click, the ring follows the mouse until the next click.
        ASSERT_TRUE(d.click(x.bag->itm_btn(0)));
        ASSERT_TRUE(is_dragging());
        EXPECT_EQ(x.p->hilited(), (std::vector<wnd_t*>{x.eq->slot_btn(13), x.eq->slot_btn(14)}));
        d.move_to(centre(x.eq->slot_btn(14)).x, centre(x.eq->slot_btn(14)).y);
        d.frames(1);
        d.click_at(centre(x.eq->slot_btn(14)).x, centre(x.eq->slot_btn(14)).y);
        EXPECT_FALSE(is_dragging());
        EXPECT_EQ(eq_slot(x.u, 14).id, ITM_RING_DFLC);

        ASSERT_TRUE(d.click(x.bag->itm_btn(1)));
        EXPECT_EQ(x.p->hilited(), (std::vector<wnd_t*>{x.eq->slot_btn(2), x.eq->slot_btn(3), x.eq->slot_btn(4),
                                                       x.eq->slot_btn(5)}));
        d.key(SDLK_ESCAPE);  // ends the drag, not the dialog
        EXPECT_FALSE(is_dragging());
        d.frames(2);
        EXPECT_NE(get_unit_dlg(), nullptr);
        // A drag from the doll lights nothing.
        ASSERT_TRUE(d.click(x.eq->slot_btn(14)));
        EXPECT_TRUE(is_dragging());
        EXPECT_TRUE(x.p->hilited().empty());
        d.key(SDLK_ESCAPE);
    });
}

TEST(EqptBag, BothPanelsHideWhileABattleRuns) {
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        const pnls_t x(dlg);
        EXPECT_TRUE(screen_driver_t::shown(x.eq) && screen_driver_t::shown(x.bag));
        d.on_main([&] {
            reset_btl();  // a battle is running
            x.p->set_unit(x.u);
        });
        EXPECT_FALSE(screen_driver_t::shown(x.eq));
        EXPECT_FALSE(screen_driver_t::shown(x.bag));
        d.on_main([&] {
            btl().state = BTL_WON;  // over
            x.p->set_unit(x.u);
        });
        EXPECT_TRUE(screen_driver_t::shown(x.eq) && screen_driver_t::shown(x.bag));
    });
}

TEST(EqptBag, FiveHundredRandomDragsRightClicksAndSetSwapsNeitherMakeNorLoseAnItem) {
    in_unit_screen([] {
        const int kinds[] = {ITM_FALCHION, ITM_SWD_M, ITM_SWD_T, ITM_SHD1, ITM_AMR2, ITM_RING_DFLC, ITM_BOW_A,
                             ITM_SLING_A,  ITM_KIT_HEAL, ITM_JAVELIN, ITM_DART, ITM_ACC_STR, ITM_BOOT1};
        int i = 0;
        for (int k : kinds) g_pty.bag[i++] = itm_slot_t(k, k == ITM_BOW_A ? 45 : (k == ITM_KIT_HEAL ? 4 : 2));
        g_pty.units.front()->eqpts.slots[2] = itm_slot_t(ITM_BOW_A, 25);
    }, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        const pnls_t x(dlg);
        std::vector<wnd_t*> places;
        for (int i = 0; i < EQPT_SLOTS; ++i) places.push_back(x.eq->slot_btn(i));
        for (int i = 0; i < 20; ++i) places.push_back(x.bag->itm_btn(i));
        for (int p = 0; p < BAG_PAGES; ++p) places.push_back(x.bag->page_btn(p));
        const auto before = party_items();
        std::mt19937 rng(20240611);
        int moved = 0;
        for (int step = 0; step < 500; ++step) {
            // Mostly from a button that holds something, so that most steps try a move.
            std::vector<wnd_t*> held;
            for (size_t i = 0; i + BAG_PAGES < places.size(); ++i)
                if (const itm_slot_t* s = static_cast<itm_btn_t*>(places[i])->slot; s && !s->empty())
                    held.push_back(places[i]);
            wnd_t* from = !held.empty() && rng() % 4 != 0 ? held[rng() % held.size()]
                                                          : places[rng() % (places.size() - BAG_PAGES)];
            const unsigned what = rng() % 8;
            if (what == 0) {
                d.click(x.eq->set_btn(int(rng() % 4)));  // the hands go to their store and back
            } else if (what < 3) {
                d.rclick(from);
            } else {
                wnd_t* to = places[rng() % places.size()];
                const auto was = party_slots();
                d.drag(centre(from), centre(to), 1);
                moved += party_slots() != was;
            }
            if (!is_dragging()) continue;  // a drag that never moved far is a click that picked the item up
            d.key(SDLK_ESCAPE);
        }
        EXPECT_EQ(party_items(), before);
        EXPECT_GT(moved, 100);
    });
}
