// The unit lists: the column of framed faces and the strip of faces with its
// badges, hover and click.
#include "screens/unit/unit_lists.h"

#include <gtest/gtest.h>

#include "app/img_cache.h"
#include "app/render.h"
#include "battle/btl.h"
#include "screens/text/desc_parts.h"
#include "support/screen_canvas.h"
#include "unit_screen.h"

namespace {
unit_t* hovered = nullptr;
void on_hover(unit_t* u) { hovered = u; }

// The strip of the default party at (400, 100) under the root.
u_lv2_t* party_strip(screen_driver_t& d) {
    u_lv2_t* s = nullptr;
    d.on_main([&] {
        reset_pty();
        s = add_owned(new u_lv2_t, {400, 100, 10, 10});
        for (unit_t* u : g_pty.units) s->add_unit(u);
        s->relayout();
    });
    d.frames(1);
    return s;
}
}  // namespace

TEST(UnitLists, AFaceClickOpensTheDialogOnThePartyAndHoverShowsTheUnit) {
    in_game([&](screen_driver_t& d) {
        u_lv2_t* s = party_strip(d);
        ASSERT_EQ(s->count(), 5);
        EXPECT_EQ(s->item_rect(1).w, 52);
        d.click_at(s->item_rect(1));
        unit_dlg_t* dlg = get_unit_dlg();
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->get_unit(), g_pty.units[1]);
        EXPECT_EQ(unit_dlg_list(), g_pty.units);
        ASSERT_TRUE(close_unit_screen(d));

        set_unit_hover_fn(on_hover);
        s->hover_shows = true;
        d.move_to(s->item_rect(3));
        d.frames(2);
        EXPECT_EQ(hovered, g_pty.units[3]);
        set_unit_hover_fn(nullptr);
    });
}

TEST(UnitLists, TheStripShowsBadgesOnlyHoveredOrWithAltAndHidesTheUnseen) {
    in_game([&](screen_driver_t& d) {
        u_lv2_t* s = party_strip(d);
        li_t* it = s->get_item(0);
        const rect r{10, 10, 52, 52}, in{12, 12, 48, 48};
        auto item = [&] { return drawn(d, [&] { s->draw_item(it, 0, r, in); }); };
        const auto calm = item();
        d.key_down(SDLK_LALT, KMOD_LALT);
        const auto alt = item();
        d.key_up(SDLK_LALT);
        EXPECT_NE(calm, alt);
        EXPECT_EQ(item(), calm);

        // Under a running battle a unit the player has not seen is a blank face.
        unit_t* u = g_pty.units[0];
        d.on_main([] { reset_btl(); });
        u->btl.known = 0;
        const auto unseen = item();
        const auto null_face = drawn(d, [&] { draw_tex(get_img(L"faces_npc/null"), &in, nullptr); });
        for (int y = in.y; y < in.y + in.h; ++y)
            for (int x = in.x; x < in.x + in.w; ++x)
                ASSERT_EQ(px_at(unseen, x, y), px_at(null_face, x, y)) << x << "," << y;
        // The acting unit gets a bar under its face, only where the strip marks it.
        btl().cur = u;
        EXPECT_EQ(px_at(item(), r.x + 4, r.y + r.h + 1) >> 24, 0u);
        s->mark_cur = true;
        const auto acting = item();
        EXPECT_NE(px_at(acting, r.x + 4, r.y + r.h + 1) >> 24, 0u);
        btl().cur = nullptr;
        btl().state = BTL_WON;
    });
}

TEST(UnitLists, TheColumnFindsItsUnitsAndTheBattleStripIsBuiltForTheBattle) {
    in_game([&](screen_driver_t& d) {
        d.on_main([] { reset_pty(); });
        u_lv_t* l = nullptr;
        u_lv2_t* b = nullptr;
        d.on_main([&] {
            l = add_owned(new u_lv_t, {400, 100, 256, 300});
            l->add_unit(g_pty.units[0]);
            u_lv_add_cmd_unit(l, g_pty.units[2]);
            l->relayout();
            b = new_btl_unit_strip();
        });
        EXPECT_EQ(u_lv_find_unit(l, g_pty.units[2]), 1);
        EXPECT_EQ(u_lv_find_unit(l, g_pty.units[1]), -1);
        EXPECT_EQ(l->get_item(1)->kind, LIK_COMMAND);
        EXPECT_EQ(l->unit_of(l->get_item(0)), g_pty.units[0]);
        EXPECT_EQ(l->item_rect(0).h, 56);
        EXPECT_EQ(l->item_rect(1).y - l->item_rect(0).y, 60);
        // Each line of a row is one cell: cut short, it shows whole in the row's tooltip; whole, there is none.
        Str tip, type;
        EXPECT_TRUE(l->item_tip(&tip, l->get_item(0))->empty());
        d.on_main([&] { l->resize(140, 300), l->relayout(); });
        d.frames(1);
        EXPECT_LE(l->get_item(0)->text.get_rect().h, l->item_part_rect(0, LIP_INNER).h);
        l->item_tip(&tip, l->get_item(0));
        EXPECT_NE(std::wstring(tip.c_str()).find(txt::unit_type_line(type, g_pty.units[0]).c_str()), std::wstring::npos);
        EXPECT_TRUE(b->hover_shows && b->mark_cur && !b->click_opens);
        EXPECT_EQ(b->rc.h, 62);
        EXPECT_EQ(b->margin_l, 5);
        d.shot("unit-lists");
    });
}
