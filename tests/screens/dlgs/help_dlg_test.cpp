#include "screens/dlgs/help_dlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/input.h"
#include "app/links.h"
#include "app/scene.h"
#include "screens/map/map_viewer.h"
#include "screens/menu/main_menu.h"
#include "support/screen_canvas.h"
#include "support/screen_driver.h"
#include "support/screen_sizes.h"
#include "support/text_contrast.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/menu.h"
#include "ui/tv.h"

namespace {
tv_t* tree(screen_driver_t& d) { return d.find_type<tv_t>(get_top_modal()); }

std::wstring sel_name(screen_driver_t& d) {
    tv_t* t = tree(d);
    return t && t->sel ? screen_driver_t::plain(t->sel->text.get_text().c_str()) : L"(none)";
}
}  // namespace

TEST(HelpDlg, OpensFromTheMenuAndAtCreditsFromTheAboutLinkWithoutAddingTopicsTwice) {
    in_game([&](screen_driver_t& d) {
        ASSERT_TRUE(d.click(d.find(L"百科")));
        ASSERT_NE(get_top_modal(), nullptr);
        EXPECT_EQ(get_top_modal(), d.find(L"帮助"));  // titled by the text record "help"
        EXPECT_EQ(sel_name(d), L"游戏简介");           // the first topic
        const auto* memo = d.find_type<memo_ctrl_t>(get_top_modal());
        ASSERT_NE(memo, nullptr);
        EXPECT_NE(std::wstring(memo->text.c_str()).find(L"回合制战术"), std::wstring::npos);
        const size_t nodes = tree(d)->all.size();
        // Rules topics: seven peoples, three classes, six abilities, feats and spells.
        EXPECT_GT(nodes, 16u + 9u + 40u);
        // Every topic reads on the page (a tooltip written into it on the tip);
        // a spell level says from which character level it is learnt.
        const text_contrast::place_t page{memo->text_clr, text_contrast::over(memo->bg_clr, get_top_modal()->bg_clr)};
        std::wstring ring2;
        for (ti_t* n : tree(d)->all) {
            d.on_main([&] { tree(d)->select(n); });
            for (const std::string& dim : text_contrast::dim_glyphs(memo->text.c_str(), page))
                ADD_FAILURE() << to_utf8_string(sel_name(d).c_str()) << ": " << dim;
            // No line of the page starts with a closing mark.
            for (int i = 1; i < memo->rtext.item_count(); ++i) {
                const rt_item_t* b = memo->rtext.item(i);
                if (b->kind == RT_GLYPH && b->line != memo->rtext.item(i - 1)->line &&
                    std::wstring_view(L"。，、；：？！）》」』】").find(wchar_t(b->ch)) != std::wstring_view::npos)
                    ADD_FAILURE() << to_utf8_string(sel_name(d).c_str()) << ": a line starts with a closing mark";
            }
            if (sel_name(d) == L"2环法术") ring2 = memo->text.c_str();
        }
        EXPECT_NE(ring2.find(L"3级以上施法者可学习。"), std::wstring::npos);
        // Moved by the player, it opens again where it was left.
        d.on_main([] { get_top_modal()->move_by(10, 20); });
        const rect moved = get_top_modal()->rc;
        d.dismiss();

        ASSERT_TRUE(d.click(d.find(L"制作组")));
        EXPECT_EQ(sel_name(d), L"制作");
        EXPECT_EQ(get_top_modal()->rc, moved);
        d.on_main([&] { tree(d)->select(tree(d)->all.front()); });
        d.dismiss();

        d.frames(1);
        ASSERT_TRUE(d.click_link(get_main_menu_scene()->about(), L"help:credits"));
        ASSERT_NE(get_top_modal(), nullptr);
        EXPECT_EQ(sel_name(d), L"制作");
        EXPECT_EQ(tree(d)->all.size(), nodes);
        d.dismiss();
    });
}

TEST(HelpDlg, UnknownTopicKeepsTheSelectionAndOnlyHelpTopicLinksAreItsOwn) {
    in_game([&](screen_driver_t& d) {
        bool r = true, taken = false;
        d.on_main([&] {
            taken = help_link(L"help", &r);
            EXPECT_FALSE(help_link(L"helpx:arena", &r) || help_link(L"help:a:b", &r) || help_link(L"http:x", &r));
        });
        EXPECT_FALSE(taken);
        EXPECT_TRUE(r);  // untouched

        int answer = -1;
        d.on_main([&] { answer = open_link(L"help:arena") ? 1 : 0; });  // returns inside the dialog
        EXPECT_EQ(sel_name(d), L"竞技场");
        d.dismiss();
        EXPECT_EQ(answer, 1);

        d.on_main([&] { answer = help_open(L"no-such-topic") ? 1 : 0; });
        EXPECT_EQ(sel_name(d), L"竞技场");
        d.dismiss();
        EXPECT_EQ(answer, 0);
    });
}

TEST(HelpDlg, IndentsGoOneLevelDownAtMostAndUpNotPastTheTop) {
    screen_driver_t d;
    std::ofstream(d.dir() / "text/cn/help.lua", std::ios::binary)
        << "help = {n = \"帮助\", items = {\n"
           "  {k = \"a\", n = \"A\", indent = 1},\n"   // nothing before it: stays at the top
           "  {k = \"b\", n = \"B\", indent = 2},\n"   // one level, not two
           "  {k = \"c\", n = \"C\", indent = 1},\n"
           "  {k = \"d\", n = \"D\", indent = -1},\n"
           "  {k = \"e\", n = \"E\", indent = -3},\n"  // from depth 1 to 0
           "  {k = \"f\", n = \"F\", indent = \"x\"},\n"
           "  {k = \"g\", n = \"G\", indent = 2},\n"
           "  {k = \"h\", n = \"H\", indent = 1},\n"
           "  {k = \"i\", n = \"I\", indent = -2},\n"  // from depth 2 to 0
           "  {k = \"j\", n = \"J\", indent = 2},\n"
           "  {k = \"k\", n = \"K\", indent = -1},\n"  // back to the top: J went one level down
           "}}\n";
    d.run_started([&] {
        d.on_main([] { help_open(nullptr); });
        tv_t* t = tree(d);
        ASSERT_NE(t, nullptr);
        std::vector<std::pair<std::wstring, int>> got;
        for (const ti_t* n : t->all) got.emplace_back(screen_driver_t::plain(n->text.get_text().c_str()), n->lay.depth);
        EXPECT_EQ(got, (std::vector<std::pair<std::wstring, int>>{
                           {L"A", 0}, {L"B", 1}, {L"C", 2}, {L"D", 1}, {L"E", 0}, {L"F", 0}, {L"G", 1}, {L"H", 2},
                           {L"I", 0}, {L"J", 1}, {L"K", 0}}));
        d.dismiss();
    });
}

TEST(HelpDlg, LaysOutInsideTheScreenAtThreeSizes) {
    at_three_sizes([](screen_driver_t& d, const rect& scr) {
        ASSERT_TRUE(d.click(d.find(L"百科")));
        const wnd_t* dlg = get_top_modal();
        ASSERT_NE(dlg, nullptr);
        const int dw = std::min(scr.w - 64, 1024), dh = scr.h * 4 / 5;
        EXPECT_EQ(dlg->rc, (rect{(scr.w - dw) / 2, (scr.h - dh) / 2, dw, dh})) << scr.w;
        const tv_t* t = tree(d);
        const auto* memo = d.find_type<memo_ctrl_t>(dlg);
        ASSERT_TRUE(t && memo);
        EXPECT_EQ(t->rc.w, 256);
        EXPECT_GE(memo->rc.x, t->rc.x + t->rc.w);
        EXPECT_LE(memo->rc.x + memo->rc.w, dlg->rc.x + dlg->rc.w);
        if (scr.w == 1280) d.shot("help-dialog");
        d.dismiss();
    });
}

TEST(HelpDlg, OpensFromTheMapsSystemMenu) {
    in_game([&](screen_driver_t& d) {
        d.move_to(1200, 400);
        d.on_main([] { goto_map_viewer()->show_generated(3, 7, 20, 20); });
        d.frames(2);
        ASSERT_TRUE(d.pick_sys_menu(L"百科"));
        ASSERT_TRUE(d.wait_for([&] { return d.find(L"帮助") != nullptr; }, "the help dialog"));
        EXPECT_EQ(get_top_modal(), d.find(L"帮助"));
        d.dismiss();
    });
}
