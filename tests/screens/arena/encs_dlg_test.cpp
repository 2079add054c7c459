#include "screens/arena/encs_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/codec.h"
#include "app/input.h"
#include "app/opts.h"
#include "battle/btl_reward.h"
#include "battle/listener.h"
#include "battle/turn.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/eqpts.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "screens/arena/arena.h"
#include "screens/arena/shop_dlg.h"
#include "screens/battle/btl_scene.h"
#include "screens/menu/main_menu.h"
#include "screens/unit/pc_mgr.h"
#include "screens/unit/unit_dlg.h"
#include "screens/unit/unit_lists.h"
#include "support/btl_stage.h"
#include "support/canvas.h"
#include "support/mem_io.h"
#include "support/screen_driver.h"
#include "support/test_btn.h"
#include "ui/btn.h"
#include "ui/lbl.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/menu.h"
#include "ui/splitter.h"
#include "ui/tip.h"

namespace {
encs_dlg_t* hub() { return get_arena_scene() ? get_arena_scene()->hub() : nullptr; }

// Every battle ends at once in `state` (BTL_WON, BTL_LOST), as the battle screen
// would answer. Installed once the game has started, since the start-up sets
// the battle screen as the runner.
class stub_btl_t {
public:
    explicit stub_btl_t(int s) : state(s) { live = this; }
    ~stub_btl_t() {
        live = nullptr;
        set_btl_runner(nullptr);
    }
    void install() {
        set_btl_runner([this](unit_grp_t* foes, int flags) {
            EXPECT_TRUE(foes && !foes->units.empty());
            EXPECT_EQ(flags, 0);  // a generated map
            ++fought;
            if (during) during();
            return state;
        });
    }
    static inline stub_btl_t* live = nullptr;
    int state;
    int fought = 0;
    std::function<void()> during;  // what the battle does to the party
};

bool to_arena(screen_driver_t& d) {
    if (!d.running() && !d.start()) return false;
    if (stub_btl_t::live) d.on_main([] { stub_btl_t::live->install(); });
    return d.click(d.find(L"竞技场")) &&
           d.wait_for([] { return hub() && screen_driver_t::shown(hub()); }, "the arena hub");
}

// Runs body under a new driver once the hub shows.
void in_arena(const std::function<void(screen_driver_t& d)>& body, screen_opts_t o = {}) {
    screen_driver_t d(o);
    d.run([&] {
        ASSERT_TRUE(to_arena(d));
        body(d);
    });
}

// Presses key (when one is given), waits until no dialog runs, and for the hub's next update after it.
void close_page(screen_driver_t& d, SDL_Keycode key = 0) {
    ASSERT_TRUE(d.dismiss(key));
    d.frames(1);
}

// Selects challenge i and fights it, or with i < 0 the arena master's extra
// fight; the page titled `page` shows and is closed.
void fight(screen_driver_t& d, int i, const wchar_t* page, const char* shot = nullptr) {
    if (i < 0) {
        ASSERT_TRUE(d.click(hub()->batch_btn));
        ASSERT_TRUE(d.click(d.find(L"确定")));
    } else {
        d.click_at(hub()->list->item_rect(i));
        ASSERT_EQ(hub()->list->sel, i);
        ASSERT_TRUE(d.click(hub()->fight_btn));
    }
    ASSERT_TRUE(d.wait_for([&] { return d.find(page) != nullptr; }, "the page after the fight"));
    if (shot) d.shot(shot);
    ASSERT_TRUE(d.click(d.find(L"关闭")));
    close_page(d);
}

constexpr int won = BTL_WON, lost = BTL_LOST;

// A slot's party file as saved (the current slot's by default), and its first member's experience.
int read_slot(screen_driver_t& d, pty_t& p, int slot = cur_slot_id()) {
    mem_io_t f(d.read("saves/arena/" + std::to_string(slot) + "/my.pty"));
    EXPECT_TRUE(p.load(f));
    unit_t u;
    EXPECT_TRUE(load_unit_file(slot_member_path(arena_slot_dir(slot).c_str(), 0).c_str(), u));
    return u.xp;
}

// Row i of the challenge list as the list paints it (its rendering kept for
// the screen): the pixels inside the margins, row by row.
std::vector<uint32_t> row_px(screen_driver_t& d, int i, int* w) {
    std::vector<uint32_t> px;
    d.on_main([&] {
        const rect in = hub()->list->item_part_rect(i, LIP_INNER);
        canvas_t c(in.w);
        const rect at{0, 0, in.w, in.h};
        draw_tex(hub()->list->get_item(i)->cache, &at, nullptr);
        px = canvas_t::read(at);
        *w = in.w;
    });
    return px;
}

}  // namespace

TEST(Hub, ShowsTheBatchFundsAndPartyAndFillsTheScreenAtThreeSizes) {
    for (const SDL_Point size : three_sizes) {
        in_arena([w = size.x, h = size.y](screen_driver_t& d) {
            encs_dlg_t* hb = hub();
            EXPECT_EQ(std::tuple(hb->rc, hb->encs), std::tuple(rect{0, 0, w, h}, gen_batch(g_pty.arena)));
            EXPECT_EQ(std::tuple(hb->list->count(), hb->list->sel, hb->list->rc.w),
                      std::tuple(int(hb->encs.size()), 0, 384));
            EXPECT_EQ(hb->list->item_part_rect(0, LIP_INNER).h, 64) << "64-pixel monster squares inside the margins";
            EXPECT_STREQ(hb->funds->text.c_str(), (Str(L" <b>") + gold_text(g_pty.gold)).c_str());
            EXPECT_EQ(hb->strip->count(), int(g_pty.units.size()));
            EXPECT_EQ(hb->strip->parent == hb->btn_row, w > 1024) << "the strip sits in the button row when wide";
            for (btn_t* b : {hb->help_btn, hb->party_btn, hb->fight_btn, hb->batch_btn, hb->first_btn}) {
                EXPECT_TRUE(d.shown(b));
                EXPECT_TRUE(b->rc.x >= 0 && b->rc.x + b->rc.w <= w && b->rc.y + b->rc.h <= h) << w;
            }
            EXPECT_FALSE(hb->batch_btn->is_enabled());  // nothing beaten yet
            EXPECT_TRUE(hb->fight_btn->is_enabled());  // a party and a challenge chosen
            // The faces and the funds cover neither each other, the panes nor the buttons.
            const auto overlap = [](const rect& a, const rect& b) {
                return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
            };
            const rect faces = hb->strip->rc;
            EXPECT_TRUE(faces.y + faces.h <= h && faces.w > 0 && faces.h > 0) << w;
            EXPECT_TRUE(d.shown(hb->funds));
            for (const wnd_t* o : std::initializer_list<const wnd_t*>{hb->funds, hb->list_pane, hb->memo,
                                                                       hb->first_btn, hb->fight_btn})
                EXPECT_FALSE(overlap(faces, o->rc)) << w << " " << typeid(*o).name();
            for (const wnd_t* o : std::initializer_list<const wnd_t*>{hb->list_pane, hb->memo, hb->btn_row})
                EXPECT_FALSE(overlap(hb->funds->rc, o->rc)) << w << " " << typeid(*o).name();
            d.shot("hub-" + std::to_string(w));
        }, screen_opts_t::sized(size.x, size.y));
    }
}

// In English at 900 x 700, "Commander and Troops" leaves three squares as "Wolf Pack" does, and is tipped whole.
TEST(Hub, AChallengesNamesKeepRightOfItsSquaresAndACutOneShowsWholeInItsTip) {
    in_arena([](screen_driver_t& d) {
        enc_t& e = hub()->encs[0];
        int w = 0;
        const auto row_as = [&](int type) {
            d.on_main([&] { e.mons.resize(3, e.mons.front()), e.type = type, hub()->list->cache_item_tex(0); });
            return row_px(d, 0, &w);
        };
        const auto shorter = row_as(ENCT_PACK), longer = row_as(ENCT_COMMANDER);
        const int h = hub()->list->item_part_rect(0, LIP_INNER).h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 3 * h; ++x) ASSERT_EQ(longer[size_t(y * w + x)], shorter[size_t(y * w + x)]) << x;
        Str tip;
        hub()->list->item_tip(&tip, hub()->list->get_item(0));
        EXPECT_NE(std::wstring(tip.c_str()).find(get_enc_type(ENCT_COMMANDER)->n), std::wstring::npos);
    }, {.w = 900, .h = 700, .config = "Lang=en\r\n"});
}

TEST(Hub, NewBatchOnlyOnceEveryChallengeIsBeatenAndALostExtraFightKeepsTheBatch) {
    stub_btl_t btl(won);
    in_arena([&](screen_driver_t& d) {
        const int n = hub()->list->count();
        for (int i = 0; i < n; ++i) {
            EXPECT_FALSE(hub()->batch_btn->is_enabled()) << i;
            fight(d, i, L"战斗胜利");
        }
        d.frames(1);
        EXPECT_TRUE(hub()->batch_btn->is_enabled());
        // The arena master's extra fight: lost, then the batch stays.
        const arena_rec_t before = g_pty.arena;
        const auto batch = hub()->encs;
        const auto extra_fight = [&](int state, const wchar_t* page) { btl.state = state; fight(d, -1, page); };
        extra_fight(lost, L"战斗失败");
        EXPECT_EQ(std::tuple(g_pty.arena.seed, g_pty.arena.losses), std::tuple(before.seed, before.losses + 1));
        EXPECT_EQ(hub()->encs, batch);
        // Cancelled: no fight at all.
        ASSERT_TRUE(d.click(hub()->batch_btn));
        ASSERT_TRUE(d.click(d.find(L"取消")));
        close_page(d);
        EXPECT_EQ(btl.fought, n + 1);
        // Won: a new batch for the party as it is now, nothing beaten, one floor up.
        extra_fight(won, L"战斗胜利");
        const arena_rec_t& a = g_pty.arena;
        EXPECT_NE(a.seed, before.seed);
        EXPECT_EQ(std::tuple(a.beaten, a.floor, a.n_beaten, a.wins), std::tuple(0, 1, n + 1, n + 1));
        EXPECT_EQ(hub()->encs, gen_batch(a));
        EXPECT_FALSE(hub()->batch_btn->is_enabled());
        // The list's title: the floor, and the counters in the tooltip that resting on it shows.
        EXPECT_NE(std::wstring(hub()->list->title->second.c_str()).find(L"当前层数: </c><b>2</b>"), std::wstring::npos);
        const rect r = hub()->list->rc;
        d.move_to(r.x + r.w - 24, r.y + hub()->list->bar_h() / 2);
        const std::wstring stats = screen_driver_t::plain(tip_for(d, hub()->list).c_str());
        for (const auto& [label, n] : {std::pair{L"已击败挑战次数", n + 1}, {L"获胜次数", n + 1}, {L"失败次数", 1}})
            EXPECT_NE(stats.find(Str(L"%s\t%d", label, n).c_str()), std::wstring::npos) << utf8_from_wide(stats);
    });
}

// A won fight: the fee named on the button comes back with the winnings,
// experience is paid, the row is stamped over none of its monsters, the slot
// is saved, and the arrows shot are loaded again into every quick slot. Won
// again, it pays again and counts once.
TEST(Hub, AWonFightPaysStampsSavesAndReloadsAmmunitionAndAWinAgainCountsOnce) {
    stub_btl_t btl(won);
    in_arena([&](screen_driver_t& d) {
        int i = -1, w = 0;  // a challenge of three monster groups or more
        unit_t* archer = g_pty.units[0];
        const int ammo = get_itm(ITM_BOW_S).get_ammo_id(), stack = get_itm(ammo).max_stack();
        d.on_main([&] {
            for (int seed = 1; i < 0; ++seed) {
                g_pty.arena.seed = seed;
                const std::vector<enc_t> b = gen_batch(g_pty.arena);
                for (size_t k = 0; k < b.size() && i < 0; ++k) i = b[k].mons.size() >= 3 ? int(k) : -1;
            }
            hub()->refresh_list();
            opts().auto_load_ammos = true;
            for (unit_t* u : g_pty.units) u->eqpts.slots[EQ_MAIN].clear();  // one archer only
            mk_itm_slot(archer->eqpts.slots[EQ_MAIN], ITM_BOW_S, 1);
            for (itm_slot_t& b : g_pty.bag) b.clear();
            mk_itm_slot(g_pty.bag[4], ammo, 2 * stack);
            mk_itm_slot(g_pty.bag[9], ammo, 2 * stack + 3);
        });
        const std::vector<uint32_t> unstamped = row_px(d, i, &w);
        const double gold = g_pty.gold;
        const int fee = calc_btl_gold(), xp = archer->xp;
        EXPECT_NE(std::wstring(hub()->fight_btn->tip.c_str()).find(gold_text(fee).c_str()), std::wstring::npos);
        btl.during = [&] {
            pty_t saved;
            read_slot(d, saved);
            EXPECT_DOUBLE_EQ(saved.gold, gold - fee) << "the fee is paid and saved before the fight";
            for (int q = EQ_QUICK; q < EQ_QUICK_END; ++q) archer->eqpts.slots[q].clear();  // every arrow shot
            bool made = false;  // the battle's own scene, which the hub comes back from
            push_scene(get_btl_scene(&made), made);
        };
        fight(d, i, L"战斗胜利", "hub-victory-page");
        EXPECT_GE(g_pty.gold, gold) << "the fee back, and the winnings";
        EXPECT_EQ(archer->xp, xp + int(enc_xp(hub()->encs[size_t(i)])) / int(g_pty.units.size()));
        for (int q = EQ_QUICK; q < EQ_QUICK_END; ++q) EXPECT_EQ(archer->eqpts.slots[q].get_count(), stack) << q;
        EXPECT_EQ(g_pty.bag[9].get_count(), 3);
        EXPECT_EQ(std::tuple(g_pty.arena.n_beaten, g_pty.arena.wins, g_pty.arena.beaten), std::tuple(1, 1, 1 << i));
        pty_t saved;
        EXPECT_EQ(read_slot(d, saved), archer->xp);
        const arena_rec_t& a = saved.arena;
        EXPECT_EQ(std::tuple(saved.gold, a.wins, a.n_beaten, a.beaten), std::tuple(g_pty.gold, 1, 1, 1 << i));
        d.shot("hub-stamp");
        const std::vector<uint32_t> stamped = row_px(d, i, &w);
        int changed = 0;  // the stamp shows, and leaves every monster's square as it was
        for (size_t k = 0; k < stamped.size(); ++k) {
            changed += stamped[k] != unstamped[k];
            const bool on_square = int(k % size_t(w)) < int(hub()->encs[size_t(i)].mons.size()) * 68 - 4;
            ASSERT_TRUE(!on_square || stamped[k] == unstamped[k]) << "the stamp covers a monster at " << k % size_t(w);
        }
        EXPECT_GT(changed, 200) << "no stamp";
        btl.during = nullptr;
        fight(d, i, L"战斗胜利");
        EXPECT_GT(archer->xp, xp);
        EXPECT_EQ(std::tuple(g_pty.arena.n_beaten, g_pty.arena.wins, g_pty.arena.beaten), std::tuple(1, 2, 1 << i));
    });
}

TEST(Hub, TheFeeIsTakenWithoutEnoughGoldAndTheNegativeFundsAreShown) {
    stub_btl_t btl(lost);
    in_arena([&](screen_driver_t& d) {
        d.on_main([] { g_pty.gold = 0; });
        const int fee = calc_btl_gold();
        ASSERT_GT(fee, 0);
        fight(d, 0, L"战斗失败", "hub-negative-funds");
        d.frames(1);
        EXPECT_EQ(std::tuple(g_pty.arena.losses, g_pty.arena.beaten, g_pty.arena.n_beaten), std::tuple(1, 0, 0));
        EXPECT_STREQ(hub()->funds->text.c_str(), (Str(L" <b>") + gold_text(-double(fee))).c_str());
        EXPECT_NE(std::wstring(hub()->funds->text.c_str()).find(L"<c=fc_rr>-"), std::wstring::npos)
            << "negative funds in the negative colour";
        pty_t saved;  // saved with the loss
        read_slot(d, saved);
        EXPECT_EQ(std::tuple(saved.gold, saved.arena.losses), std::tuple(-double(fee), 1));
    });
}

// Leaving a running fight for the main menu asks first, naming the fee the
// fight forfeits; only the fee is lost, and it is lost in the save too.
TEST(Hub, LeavingAFightAsksNamingTheFeeAndLosesOnlyTheFee) {
    in_arena([](screen_driver_t& d) {
        const double gold = g_pty.gold;
        const int fee = calc_btl_gold(), xp = g_pty.units[0]->xp;
        const arena_rec_t rec = g_pty.arena;
        ASSERT_TRUE(d.click(hub()->fight_btn));
        d.move_to(1200, 400);
        ASSERT_TRUE(d.wait_for([] { return cur_btl_scene() && cur_btl_scene()->waiting_unit(); }, "the party's turn"));
        // Quitting the game forfeits the fee too: it asks alike, and is refused here.
        for (const auto& [entry, answer] : {std::pair{L"退出游戏", L"取消"}, {L"返回主界面", L"取消"}, {L"返回主界面", L"确定"}}) {
            ASSERT_TRUE(d.pick_sys_menu(entry));
            const auto* ask = d.find_type<memo_ctrl_t>(get_top_modal());
            ASSERT_NE(ask, nullptr) << "no question";
            d.shot("hub-fight-leave-question");
            const std::wstring text = ask->text.c_str();
            EXPECT_NE(text.find(gold_text(fee).c_str()), std::wstring::npos);
            EXPECT_NE(text.find(entry), std::wstring::npos);
            ASSERT_TRUE(d.click(d.find(answer)));
            d.frames(2);
            EXPECT_EQ(is_btl_running(), answer == std::wstring(L"取消"));
        }
        ASSERT_TRUE(d.wait_for([] { return get_top_scene() == get_main_menu_scene(); }, "the main menu"));
        EXPECT_EQ(get_btl_state(), BTL_ABORTED);
        pty_t saved;
        EXPECT_EQ(read_slot(d, saved), xp);
        EXPECT_EQ(std::tuple(g_pty.gold, saved.gold), std::tuple(gold - fee, gold - fee));
        for (const arena_rec_t& a : {g_pty.arena, saved.arena})
            EXPECT_EQ(std::tuple(a.wins, a.losses, a.beaten), std::tuple(rec.wins, rec.losses, rec.beaten));
        ASSERT_TRUE(to_arena(d));
        EXPECT_STREQ(hub()->funds->text.c_str(), (Str(L" <b>") + gold_text(gold - fee)).c_str());
    }, fast_btl_opts());
}

TEST(Hub, ThePartyMenuChangesNothingDismissedOrOnTheCurrentPartyAndSwitchesToAnother) {
    in_arena([](screen_driver_t& d) {
        // A second saved party, which becomes the current one; typed names show as typed.
        d.on_main([] {
            g_pty.name = L"<b>队'";
            g_pty.units[0]->name = L"<b>星";
            g_pty.arena.seed += 1;
            save_arena_slot(SLOT_NEW);
            hub()->refresh_list();
            hub()->fill_party_strip();
        });
        Str tip;
        hub()->strip->item_tip(&tip, hub()->strip->get_item(0));
        EXPECT_NE(screen_driver_t::shown_chars(tip.c_str()).find(L"<b>星"), std::wstring::npos);
        const int second = cur_slot_id();
        const std::vector<unit_t*> units = g_pty.units;
        const auto batch = hub()->encs;

        ASSERT_TRUE(d.click(hub()->party_btn));
        ASSERT_EQ(get_top_modal(), get_popup_menu());
        d.shot("hub-party-menu");
        close_page(d, SDLK_ESCAPE);
        EXPECT_TRUE(g_pty.units == units && cur_slot_id() == second);

        auto choose = [&](const wchar_t* name) {
            ASSERT_TRUE(d.click(hub()->party_btn));
            ASSERT_TRUE(d.pick_menu(name));
            ASSERT_TRUE(d.wait_for([] { return get_top_modal() != get_popup_menu(); }, "the menu to close"));
        };
        choose(L"<b>队'");
        EXPECT_TRUE(g_pty.units == units && cur_slot_id() == second) << "the current party is not reloaded";
        EXPECT_EQ(hub()->encs, batch);

        // A new party that the manager does not make changes nothing either.
        choose(L"新建队伍...");
        ASSERT_NE(get_pc_mgr(), nullptr);
        close_page(d, SDLK_ESCAPE);
        EXPECT_TRUE(g_pty.units == units && cur_slot_id() == second);
        EXPECT_EQ(list_arena_slots().size(), 2u);

        d.on_main([] { g_pty.gold = 777; });
        choose(L"异乡人");
        EXPECT_NE(cur_slot_id(), second);
        EXPECT_STREQ(g_pty.name.c_str(), L"异乡人");
        EXPECT_EQ(g_pty.gold, 500.0);
        // The party left was saved as it was, and the game resumes the one chosen, even after a kill.
        pty_t left;
        read_slot(d, left, second);
        EXPECT_EQ(left.gold, 777.0);
        const std::string cfg = d.read("saves/arena/main.cfg");
        ASSERT_EQ(cfg.size(), 8u);
        EXPECT_EQ(cfg.substr(4), le_bytes_t().i32(cur_slot_id()).b) << "main.cfg names the party chosen";
        EXPECT_EQ(hub()->encs, gen_batch(g_pty.arena));
        EXPECT_NE(hub()->encs, batch);
        EXPECT_EQ(hub()->strip->count(), int(g_pty.units.size()));
    });
}

// None of them leaves a press or release to the hub once it has closed.
TEST(Hub, EveryButtonOfTheRowAndTheStripOpensItsDialog) {
    in_arena([](screen_driver_t& d) {
        btn_tap_t* tap = nullptr;
        d.on_main([&] { tap = add_btn_tap(get_root_wnd()); });
        ASSERT_TRUE(d.click(hub()->log_btn));
        ASSERT_NE(d.find(L"浏览记录"), nullptr);
        close_page(d, SDLK_z);
        ASSERT_TRUE(d.click(hub()->help_btn));
        ASSERT_NE(d.find(L"帮助"), nullptr);
        close_page(d, SDLK_ESCAPE);
        // The bag on the first member; a face of the strip on its member.
        ASSERT_TRUE(d.click(hub()->bag_btn));
        ASSERT_NE(get_unit_dlg(), nullptr);
        EXPECT_EQ(std::tuple(get_unit_dlg()->get_unit(), unit_dlg_list()), std::tuple(g_pty.units[0], g_pty.units));
        close_page(d, SDLK_ESCAPE);
        // Resting on a face tips its member, also after one jump there from the face beside it.
        for (const int i : {1, 2}) {
            const rect r = hub()->strip->item_rect(i);
            d.flick_to(r.x + r.w / 2, r.y + r.h / 2);
            EXPECT_NE(tip_for(d, hub()->strip).find(g_pty.units[size_t(i)]->name.c_str()), std::wstring::npos) << i;
        }
        const rect face = hub()->strip->item_rect(2);
        d.rclick_at(face);  // its menu
        EXPECT_EQ(get_top_modal(), get_popup_menu());
        close_page(d, SDLK_ESCAPE);
        d.click_at(face);
        ASSERT_NE(get_unit_dlg(), nullptr);
        EXPECT_EQ(get_unit_dlg()->get_unit(), g_pty.units[2]);
        close_page(d, SDLK_ESCAPE);
        ASSERT_TRUE(d.click(hub()->shop_btn));
        EXPECT_EQ(get_top_modal(), get_shop_dlg());
        close_page(d, SDLK_ESCAPE);
        ASSERT_TRUE(d.click(hub()->cfg_btn));
        EXPECT_NE(get_top_modal(), nullptr);
        EXPECT_EQ(get_top_modal(), d.find(L"选项"));
        ASSERT_TRUE(d.click(d.find(L"取消")));
        close_page(d);
        EXPECT_EQ(tap->heard, 0);
    });
}

TEST(Hub, AnEmptyPartyCannotFightChangeTheBatchNorOpenTheBag) {
    stub_btl_t btl(won);
    in_arena([&](screen_driver_t& d) {
        d.frames(1);
        EXPECT_TRUE(hub()->fight_btn->is_enabled());
        d.on_main([] {
            for (unit_t* u : g_pty.units) delete u;
            g_pty.units.clear();
            g_pty.arena.beaten = 0x3F;
            hub()->fill_party_strip();
        });
        d.frames(1);
        for (const btn_t* b : {hub()->fight_btn, hub()->batch_btn, hub()->bag_btn}) EXPECT_FALSE(b->is_enabled());
        EXPECT_FALSE(d.shown(hub()->strip));
        d.on_main([] { hub()->fight_selected(); });
        EXPECT_EQ(btl.fought, 0);
    });
}
