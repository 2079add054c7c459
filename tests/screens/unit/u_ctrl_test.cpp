// The name-and-pictures panel: the appearance dialog ("修改角色") on a character.
#include "screens/unit/u_ctrl.h"

#include <gtest/gtest.h>

#include <string>

#include "app/input.h"
#include "rules/unit.h"
#include "screens/text/unit_sheet.h"
#include "support/screen_canvas.h"
#include "ui/edt.h"
#include "unit_screen.h"

TEST(ModUnitDlg, CancelLeavesTheUnitAndOkTakesTheNameAsTypedAndThePictures) {
    in_game([&](screen_driver_t& d) {
        unit_t u;
        u.name = L"托克";
        u.face = L"faces_pc/0101";
        u.img = L"units_pc/020201";
        test_btn_t* b = nullptr;
        ASSERT_TRUE(click_test_btn(d, L"外观", [&u] { return open_mod_unit_dlg(&u) ? 1 : 0; }, &b));
        game::mod_unit_dlg_t* md = get_mod_unit_dlg();
        ASSERT_NE(md, nullptr);
        game::u_ctrl_t* p = md->panel();
        EXPECT_EQ(p->name_edt()->text, Str(L"托克"));
        Str name, face, icon;
        p->get_vals(name, face, icon);
        EXPECT_EQ(face, Str(L"faces_pc/0101"));
        EXPECT_EQ(icon, Str(L"units_pc/020201"));
        // Cancelled: nothing of what was typed reaches the unit.
        d.on_main([&] { p->name_edt()->set_text(L"", true); });
        d.type(L"换");
        d.click(md->first_btn);
        ASSERT_TRUE(d.wait_for([] { return get_mod_unit_dlg() == nullptr; }, "the dialog to close", 5));
        EXPECT_EQ(b->result, 0);
        EXPECT_EQ(u.name, Str(L"托克"));

        // A name of mark-up and control characters: kept as typed, shown literally.
        ASSERT_TRUE(d.click(b));
        ASSERT_EQ(get_mod_unit_dlg(), md);
        EXPECT_EQ(p->name_edt()->text, Str(L"托克")) << "each opening starts from the unit";
        d.on_main([&] { p->name_edt()->set_text(L"", true); });
        const wchar_t* typed = L"<i>星\x01</i>\t'";
        d.type(typed);
        EXPECT_EQ(p->name_edt()->text, Str(typed));
        d.shot("appearance-odd-name");
        // A portrait from the chooser is the portrait; the battle icon stays.
        ASSERT_TRUE(d.click(p->face_btn()));
        auto* l = d.find_type<lv_t>(get_top_modal());
        ASSERT_NE(l, nullptr);
        click_item(d, l, 2);
        ASSERT_TRUE(d.wait_for([&] { return get_top_modal() == md; }, "the chooser to close", 5));
        p->get_vals(name, face, icon);
        EXPECT_TRUE(std::wstring(face.c_str()).starts_with(L"faces_pc/") && face != Str(L"faces_pc/0101"));
        EXPECT_EQ(icon, Str(L"units_pc/020201"));
        d.click(md->ok_btn);
        ASSERT_TRUE(d.wait_for([] { return get_mod_unit_dlg() == nullptr; }, "the dialog to close", 5));
        EXPECT_EQ(b->result, 1);
        EXPECT_EQ(u.name, Str(typed));
        EXPECT_EQ(u.face, face);
        u.recalc();
        EXPECT_NE(screen_driver_t::shown_chars(txt::unit_sheet(&u, txt::SHEET_ALL).c_str()).find(L"<i>星 </i> '"), std::wstring::npos)
            << "the control characters show as blanks, the mark-up as typed";
    });
}
