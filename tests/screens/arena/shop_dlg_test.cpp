// The arena merchant on screen: shelves, counts and groups as a player sees
// them, trades through the buttons, the full bag, and the layout at three
// screen sizes.
#include "screens/arena/shop_dlg.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "app/input.h"
#include "app/loop.h"
#include "rules/enums.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/shop.h"
#include "screens/widgets/itm_list_view.h"
#include "screens/text/desc_parts.h"
#include "screens/text/itm_desc.h"
#include "screens/unit/unit_screen.h"
#include "support/canvas.h"
#include "support/mapped.h"
#include "ui/lbl.h"
#include "ui/li.h"
#include "ui/tip.h"

namespace {
// The game with a party of the given batch level, gold, an empty bag (then
// what fill puts there) and a fixed batch seed; the shop opened for the body
// and closed by its button after it.
void in_shop(int level, double gold, const std::function<void()>& fill,
             const std::function<void(screen_driver_t&, shop_dlg_t*)>& body, screen_opts_t opts = {}) {
    screen_driver_t d(opts);
    d.run_started([&] {
        d.on_main([&] {
            reset_pty();
            for (itm_slot_t& it : g_pty.bag) it.clear();
            g_pty.gold = gold;
            g_pty.arena.seed = 4242;
            g_pty.arena.lv = level;
            if (fill) fill();
        });
        ASSERT_TRUE(click_test_btn(d, L"商店", open_shop));  // stands in for the hub's shop button
        ASSERT_NE(get_shop_dlg(), nullptr);
        ASSERT_EQ(get_top_modal(), get_shop_dlg());
        d.frames(1);  // the buttons follow at the frame's update
        body(d, get_shop_dlg());
        ASSERT_TRUE(d.click(d.find(L"返回")));
        ASSERT_TRUE(d.wait_for([] { return get_top_modal() == nullptr; }, "the shop to close"));
    });
}

std::vector<std::wstring> labels(const lv_t* l) {
    return mapped(l->items, [](const li_t* it) { return std::wstring(it->label.c_str()); });
}

bool has(const std::wstring& s, const wchar_t* part) { return s.find(part) != std::wstring::npos; }

// Each item row as laid out: every glyph inside the row's text part, and the
// name, the count (when the item has one) and the price (price_of's digits
// and the gold icon, the last glyphs) apart by at least a space.
void expect_columns(itm_list_view_t* l, const char* what, double (*price_of)(const itm_slot_t&)) {
    for (int i = 0; i < l->count(); ++i) {
        const itm_slot_t* slot = itm_list_slot(l->get_item(i));
        if (!slot) continue;
        const rtext_t& t = l->get_item(i)->text;
        std::vector<rect> rcs;
        for (int k = 0; k < t.item_count(); ++k)
            if (t.item(k)->kind != RT_BLANK) rcs.push_back(t.item_rect(k));
        std::wstring price = strip_tags(txt::gold_text(price_of(*slot))).c_str();
        std::erase(price, L' ');
        const size_t p = rcs.size() - price.size() - 1;
        const size_t c = slot->get_count() < UNLIMITED ? p - std::to_wstring(slot->get_count()).size() - 1 : p;
        const rect tr = l->item_part_rect(i, LIP_TEXT);
        int right = 0;
        for (size_t k = 0; k < rcs.size(); right = std::max(right, rcs[k].x + rcs[k].w), ++k) {
            const rect& r = rcs[k];
            EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= tr.w && r.y + r.h <= tr.h) << what << " row " << i;
            EXPECT_TRUE((k != c && k != p) || right + 4 <= r.x) << what << " row " << i << " touches a column";
        }
    }
}
}  // namespace

TEST(ShopDlg, ShelvesShowCountsOnlyWhenLimitedAndGroupTheGear) {
    in_shop(1, 500, {}, [&](screen_driver_t& d, shop_dlg_t* s) {
        EXPECT_EQ(s->shelf(), SHELF_LIMITED);
        EXPECT_TRUE(has(s->heading->text.c_str(), L"<h1>竞技场商人</h1>"));
        for (const wchar_t* caption :
             {L"买入   x1", L"买入  x10", L"买入 x100", L"卖出   x1", L"卖出  x10", L"卖出 x100", L"卖出整堆", L"返回"})
            EXPECT_NE(d.find(caption), nullptr) << "button";
        const auto lim = labels(s->shelf_list());
        ASSERT_GE(lim.size(), 3u);
        for (const auto& l : lim) EXPECT_TRUE(has(l, L"<x=160>x1<r>")) << "a limited item shows its one";
        EXPECT_EQ(s->shelf_list()->sel, 0) << "the first item is chosen on opening";
        d.shot("shop-limited");

        // Batch level 1: the minor shelves cannot be chosen.
        for (int shelf : {SHELF_WONDROUS, SHELF_ENCH_GEAR}) {
            click_item(d, s->selector(), shelf);
            EXPECT_EQ(s->shelf(), SHELF_LIMITED);
        }
        // They look locked as a disabled tab does (filled, outlined), and their tips name the level that opens them.
        const rect l = s->selector()->item_rect(SHELF_WONDROUS), o = s->selector()->item_rect(SHELF_GEAR);
        std::array<uint32_t, 3> px{};
        d.on_main([&] {
            frame_render();
            px = {canvas_t::px(l.x + 2, l.y + 2), canvas_t::px(l.x, l.y + 9), canvas_t::px(o.x + 2, o.y + 2)};
        });
        EXPECT_EQ(px, (std::array<uint32_t, 3>{0xff333333u, 0xff444444u, px[2]}));
        EXPECT_NE(px[2], px[0]);
        d.move_to(l);
        EXPECT_TRUE(d.wait_for([&] {
            return get_tip_shown_wnd() == s->selector() && get_tip_wnd()->text == Str(L"初级奇物（队伍等级5以上）");
        }, "the locked shelf's tip", 60));
        click_item(d, s->selector(), SHELF_GEAR);
        ASSERT_EQ(s->shelf(), SHELF_GEAR);
        const auto gear = labels(s->shelf_list());
        ASSERT_FALSE(gear.empty());
        EXPECT_TRUE(has(gear[0], L"<m c=#4 hr>")) << "a group header comes first";
        EXPECT_TRUE(has(gear[0], get_wpn_grp(WG_SWORD)->n));
        EXPECT_FALSE(s->shelf_list()->can_select(0));
        EXPECT_EQ(s->shelf_list()->sel, 1) << "the first item that can be chosen";
        int headers = 0;
        for (const auto& l : gear) {
            headers += has(l, L"hr>");
            EXPECT_FALSE(has(l, L"<x=160>x")) << "no count on an unlimited shelf";
        }
        EXPECT_EQ(size_t(headers), gear.size() - s->stock().size());
        EXPECT_TRUE(has(gear.back(), get_itm(ITM_SHD4).n));
        // Each item's tooltip describes its instance; a header has none.
        Str tip;
        EXPECT_TRUE(s->shelf_list()->item_tip(&tip, s->shelf_list()->get_item(0))->empty());
        s->shelf_list()->item_tip(&tip, s->shelf_list()->get_item(1));
        EXPECT_EQ(tip, txt::itm_desc(s->stock()[0]));
        EXPECT_TRUE(has(tip.c_str(), get_itm(s->stock()[0].id).n));
        d.shot("shop-gear");
        click_item(d, s->selector(), SHELF_AMMO);
        for (const auto& l : labels(s->shelf_list())) EXPECT_FALSE(has(l, L"<x=160>x"));
    });
}

// A purchase rebuilds both lists: the shelf stays where the player scrolled
// to with the same item chosen, so the next click buys the same thing.
TEST(ShopDlg, BuyingAtEachQuantityPaysToTheCopperAndKeepsTheShelfWhereItWas) {
    in_shop(5, 40, {}, [&](screen_driver_t& d, shop_dlg_t* s) {
        itm_list_view_t* shelf = s->shelf_list();
        for (int k = 0; k < SHOP_SELL_BTNS; ++k)
            EXPECT_FALSE(s->sell_btn(k)->is_enabled()) << "an empty bag sells nothing";
        click_item(d, s->selector(), SHELF_GEAR);
        d.move_to(centre(shelf).x, centre(shelf).y);
        d.wheel(-1);
        d.wheel(-1);
        const int top = shelf->pos_y(), at = shelf->item_at(centre(shelf).x, centre(shelf).y, nullptr);
        ASSERT_GT(top, 0) << "the wheel scrolled the shelf";
        click_item(d, shelf, at);
        ASSERT_EQ(shelf->sel, at);
        const itm_slot_t item = *itm_list_slot(shelf->get_item(at));
        const double price = item.get_price();
        // Exactly the gold left: the x1 and nothing more.
        d.on_main([&] { g_pty.gold = price; });
        d.frames(1);
        EXPECT_TRUE(s->buy_btn(0)->is_enabled());
        EXPECT_FALSE(s->buy_btn(1)->is_enabled());
        ASSERT_TRUE(d.click(s->buy_btn(0)));
        EXPECT_EQ(g_pty.gold, 0);
        EXPECT_TRUE(g_pty.bag[0].same_kind(item) && g_pty.bag[0].get_count() == 1);
        ASSERT_EQ(labels(s->bag_list()).size(), 1u);
        EXPECT_TRUE(has(labels(s->bag_list())[0], L"<x=160>x1<r>"));
        EXPECT_EQ(s->bag_list()->title->second, Str(L"<b>%s", txt::gold_text(0)));
        EXPECT_EQ(std::tuple(shelf->pos_y(), shelf->sel), std::tuple(top, at)) << "the shelf keeps its place";
        d.shot("shop-bought-scrolled");
        // A copper short of ten: refused; with the ten, they stack on the first.
        d.on_main([&] { g_pty.gold = 10 * price - 0.01; });
        d.frames(1);
        EXPECT_FALSE(s->buy_btn(1)->is_enabled());
        ASSERT_TRUE(d.click(s->buy_btn(1)));
        EXPECT_EQ(g_pty.bag[0].get_count(), 1);
        d.on_main([&] { g_pty.gold = 10 * price; });
        d.frames(1);
        ASSERT_TRUE(d.click(s->buy_btn(1)));
        EXPECT_EQ(std::tuple(g_pty.gold, g_pty.bag[0].get_count(), shelf->sel), std::tuple(0.0, 11, at));
        EXPECT_TRUE(has(labels(s->bag_list())[0], L"<x=160>x11<r>"));
        d.frames(1);
        EXPECT_FALSE(s->buy_btn(0)->is_enabled()) << "no gold left";

        click_item(d, s->selector(), SHELF_AMMO);
        ASSERT_EQ(s->shelf(), SHELF_AMMO);
        EXPECT_EQ(shelf->pos_y(), 0) << "another shelf starts at its top";
        click_item(d, shelf, 0);
        const double arrow = s->stock()[0].get_price();
        d.on_main([&] { g_pty.gold = 100 * arrow; });
        d.frames(1);
        for (int k = 0; k < SHOP_BUY_BTNS; ++k) EXPECT_TRUE(s->buy_btn(k)->is_enabled()) << k;
        ASSERT_TRUE(d.click(s->buy_btn(2)));
        EXPECT_EQ(g_pty.gold, 0);
        ASSERT_EQ(s->bag_list()->count(), 2);
        EXPECT_EQ(std::tuple(g_pty.bag[1].get_count(), shelf->sel), std::tuple(100, 0)) << "the arrows stay chosen";
        // Shelves 1 and 2 open from batch level 5.
        click_item(d, s->selector(), SHELF_WONDROUS);
        EXPECT_EQ(s->shelf(), SHELF_WONDROUS);
        EXPECT_FALSE(s->stock().empty());
    });
}

// A sale keeps the bag list where it was and the same item chosen while any of
// it is left; once its stack is gone nothing is chosen, so no second click
// sells the item that moved into its place.
TEST(ShopDlg, SellingAtEachQuantityKeepsTheItemChosenUntilItsStackIsGone) {
    in_shop(1, 0, [] {
        for (int i = 0; i < 30; ++i) g_pty.bag[i].set(ITM_SWD_T + i, 111);
    }, [&](screen_driver_t& d, shop_dlg_t* s) {
        itm_list_view_t* bag = s->bag_list();
        ASSERT_EQ(bag->count(), 30);
        d.move_to(centre(bag).x, centre(bag).y);
        d.wheel(-1);
        const int top = bag->pos_y(), at = bag->item_at(centre(bag).x, centre(bag).y, nullptr);
        ASSERT_GT(top, 0);
        click_item(d, bag, at);
        ASSERT_EQ(itm_list_slot(bag->get_item(bag->sel)), &g_pty.bag[at]);
        const double each = g_pty.bag[at].get_price() / 10.0;
        int left = 111;
        for (const auto& [btn, n] : {std::pair{0, 1}, {1, 10}}) {
            d.frames(1);
            EXPECT_TRUE(s->sell_btn(btn)->is_enabled()) << n;
            ASSERT_TRUE(d.click(s->sell_btn(btn)));
            left -= n;
            EXPECT_EQ(g_pty.bag[at].get_count(), left);
            EXPECT_DOUBLE_EQ(g_pty.gold, (111 - left) * each);
            EXPECT_TRUE(has(labels(bag)[size_t(at)], Str(L"<x=160>x%d<r>", left).c_str())) << n;
            EXPECT_EQ(bag->title->second, Str(L"<b>%s", txt::gold_text(g_pty.gold)));
            EXPECT_EQ(std::tuple(bag->sel, bag->pos_y()), std::tuple(at, top)) << "kept selling " << n;
        }
        d.frames(1);
        ASSERT_TRUE(s->sell_btn(2)->is_enabled()) << "a hundred left: the x100 takes them";
        ASSERT_TRUE(d.click(s->sell_btn(2)));
        EXPECT_TRUE(g_pty.bag[at].empty());
        EXPECT_DOUBLE_EQ(g_pty.gold, 111 * each);
        ASSERT_EQ(bag->count(), 29);
        EXPECT_EQ(bag->sel, -1) << "the stack is gone, and nothing else is chosen in its place";
        d.frames(1);
        for (int k = 0; k < SHOP_SELL_BTNS; ++k) EXPECT_FALSE(s->sell_btn(k)->is_enabled()) << k;
        ASSERT_TRUE(d.click(d.find(L"卖出   x1")));
        EXPECT_EQ(bag->count(), 29) << "nothing sold";
        // The next item, whole.
        click_item(d, bag, at);
        const double gold = g_pty.gold, next = itm_list_slot(bag->get_item(at))->get_price() / 10.0;
        ASSERT_TRUE(d.click(d.find(L"卖出整堆")));
        EXPECT_DOUBLE_EQ(g_pty.gold, gold + 111 * next);
        EXPECT_EQ(bag->count(), 28);
    });
}

TEST(ShopDlg, AFullBagIsToldAndCostsNothingThenTheLastOfALimitedItemGoes) {
    in_shop(1, 1e7, [] {
        for (itm_slot_t& it : g_pty.bag) it.set(ITM_KUKRI, 1);
    }, [&](screen_driver_t& d, shop_dlg_t* s) {
        ASSERT_EQ(s->shelf_list()->sel, 0);
        const size_t items = s->shelf_list()->items.size();
        ASSERT_TRUE(d.click(d.find(L"买入   x1")));
        ASSERT_NE(d.find(L"队伍背包已满，放不下买入的物品。"), nullptr) << "the shop says why";
        EXPECT_EQ(std::tuple(g_pty.gold, g_pty.arena.sold), std::tuple(1e7, 0));
        d.shot("shop-bag-full");
        d.key(SDLK_ESCAPE);
        ASSERT_TRUE(d.wait_for([&] { return get_top_modal() == s; }, "the message to close"));
        EXPECT_EQ(std::tuple(s->shelf_list()->items.size(), s->shelf_list()->sel), std::tuple(items, 0))
            << "the limited item is still for sale";
        // With room made, the one item of its kind is bought and leaves the shelf.
        const double price = s->stock()[0].get_price();
        d.on_main([] { g_pty.bag[0].clear(); });
        ASSERT_TRUE(d.click(d.find(L"买入   x1")));
        EXPECT_EQ(std::tuple(g_pty.gold, g_pty.arena.sold, s->shelf_list()->items.size(), s->shelf_list()->sel),
                  std::tuple(1e7 - price, 1, items - 1, -1)) << "nothing else is chosen in its place";
        EXPECT_TRUE(!g_pty.bag[0].empty() && s->bag_list()->count() == BAG_SLOTS);
        d.frames(1);
        for (int k = 0; k < SHOP_BUY_BTNS; ++k) EXPECT_FALSE(s->buy_btn(k)->is_enabled()) << k;
    });
}

// At the smallest window, in English, long names, a count of 200 and a price of 0.005 keep their columns.
TEST(ShopDlg, LaysOutAtThreeScreenSizes) {
    const auto fill = [] {
        g_pty.bag[0].set(ITM_BELT_DEX, 1), g_pty.bag[0].set_bonus(2), g_pty.bag[1].set(ITM_BOW_A, 200);
        g_pty.bag[2].set(ITM_ACC_CON, 1), g_pty.bag[2].set_bonus(5);
    };
    for (const SDL_Point sz : {SDL_Point{900, 700}, {1024, 700}, {1280, 720}, {1920, 1080}}) {
        const screen_opts_t o{.w = sz.x, .h = sz.y, .config = sz.x == 900 ? "Lang=en\r\n" : ""};
        in_shop(sz.x == 900 ? 15 : 10, 98765432.1, fill, [&](screen_driver_t& d, shop_dlg_t* s) {
            expect_columns(s->bag_list(), "bag", shop_sell_price);
            rect title, funds;
            s->bag_list()->title_text_rcs(&title, &funds);
            EXPECT_LT(title.x + title.w, funds.x) << "the funds keep clear of the bag's title on " << o.w;
            for (int shelf = sz.x == 900 ? 0 : SHELVES; shelf < SHELVES; ++shelf) {
                click_item(d, s->selector(), shelf);
                expect_columns(s->shelf_list(), "shelf", [](const itm_slot_t& it) { return it.get_price(); });
            }
            const rect& shelf = s->shelf_list()->rc;
            const rect& bag = s->bag_list()->rc;
            const rect& sel = s->selector()->rc;
            EXPECT_EQ(sel.x + sel.w, shelf.x - 4) << o.w;
            EXPECT_EQ(sel.y, shelf.y) << o.w;
            EXPECT_GE(sel.x, 0) << o.w;
            EXPECT_LE(bag.x + bag.w, o.w) << o.w;
            EXPECT_EQ(shelf.w, bag.w);
            EXPECT_EQ(shelf.w, o.w >= 1072 ? 384 : (o.w - 112 - 192) / 2) << o.w;
            const rect& buy = s->buy_btn(0)->rc;
            EXPECT_GE(buy.x, shelf.x + shelf.w) << o.w;
            EXPECT_LE(buy.x + buy.w, bag.x) << o.w;
            EXPECT_GT(buy.w, 100) << o.w;
            const rect& stack = s->sell_btn(3)->rc;
            EXPECT_GT(stack.y, s->sell_btn(0)->rc.y) << "the stack at the bottom";
            EXPECT_LE(stack.y + stack.h, shelf.y + shelf.h) << o.w;
            d.shot("shop-" + std::to_string(o.w));
        }, o);
    }
}

TEST(ShopDlg, TheBagButtonOpensTheUnitDialogAndTheBagFollows) {
    in_shop(1, 0, [] {
        g_pty.bag[0].set(ITM_AXE_B, 1);
        g_pty.bag[1].set(ITM_BOW_A, 40);
    }, [&](screen_driver_t& d, shop_dlg_t* s) {
        ASSERT_EQ(s->bag_list()->count(), 2);
        click_item(d, s->bag_list(), 0);
        ASSERT_TRUE(d.click(d.find_tip(L"角色装备/队伍背包")));
        unit_dlg_t* u = get_unit_dlg();
        ASSERT_NE(u, nullptr);
        EXPECT_EQ(u->get_unit(), g_pty.units.front()) << "the party's first member";
        eqpt_pnl_t* eq = u->eqpt_bag()->eqpt_pnl();
        bag_pnl_t* bag = u->eqpt_bag()->bag_pnl();
        d.drag(centre(bag->itm_btn(0)), centre(eq->slot_btn(EQ_MAIN)));
        ASSERT_EQ(u->get_unit()->eqpts.slots[EQ_MAIN].id, ITM_AXE_B);
        d.drag(centre(bag->itm_btn(1)), centre(bag->itm_btn(0)));  // the arrows into the axe's slot
        d.key(SDLK_ESCAPE);
        ASSERT_TRUE(d.wait_for([&] { return get_top_modal() == s; }, "back in the shop"));
        const auto shown = labels(s->bag_list());
        EXPECT_EQ(shown.size(), 2u) << "the weapon it held went to the bag";
        for (const auto& l : shown) EXPECT_FALSE(has(l, get_itm(ITM_AXE_B).n)) << "the axe left the bag list";
        EXPECT_EQ(s->bag_list()->sel, -1) << "the arrows now in the axe's slot are not chosen in its place";
    });
}
