// The unit dialog: stepping through lists, the sheet's section toggles, and
// the player's equipment panel shown only for player characters.
#include "screens/unit/unit_dlg.h"

#include <gtest/gtest.h>

#include "app/input.h"
#include "app/loop.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "screens/unit/eqpt_bag_pnl.h"
#include "support/screen_driver.h"
#include "support/test_btn.h"

TEST(UnitDlg, Look) {
    screen_driver_t d;
    d.run([&] {
        ASSERT_TRUE(d.start());
        test_btn_t* b = nullptr;
        d.on_main([&] {
            reset_pty();
            b = add_test_btn(L"角色", 8, [] { return open_unit_dlg(nullptr); });
        });
        d.frames(1);
        ASSERT_TRUE(d.click(b));
        ASSERT_NE(get_unit_dlg(), nullptr);
        d.shot("unit-dlg-look");
        d.key(SDLK_ESCAPE);
        d.quit();
    });
}
