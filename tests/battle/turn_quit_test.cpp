// Quitting the program while the battle waits for orders. The quit flag is
// never cleared, so this case has a test program of its own.
#include "app/input.h"
#include "battle/btl_fixture.h"
#include "battle/turn.h"
#include "rules/unit_grp.h"

namespace {
class quit_listener_t : public rec_listener_t {
public:
    void wait_for_orders(unit_t* u) override {
        calls.push_back({28, u});
        request_quit();  // and no orders
    }
};
}  // namespace

TEST_F(btl_test, AQuitDuringTheWaitForOrdersEndsTheLoopWithoutAResult) {
    draw({"......", "......", "......"});
    unit_grp_t a, b;
    for (unit_grp_t* g : {&a, &b}) {
        owned.push_back(std::make_unique<unit_t>());
        unit_t* u = owned.back().get();
        u->from_bld(1, L"u", nullptr, nullptr);
        u->btl.side = g == &a ? SIDE_PLAYER : SIDE_FOES;
        u->btl.ai = 0;
        g->units.push_back(u);
    }
    begin_btl(&a, &b, &map);
    quit_listener_t lis;
    set_cur_scene(&lis);
    run_btl();
    EXPECT_EQ(lis.slots(), (std::vector<int>{23, 24, 25, 29, 28}));
    EXPECT_EQ(get_btl_state(), 0) << "a quit leaves no result";
    EXPECT_TRUE(is_btl_over());
    EXPECT_TRUE(lis.calls.back().u->btl.cmds.empty());
    set_cur_scene(nullptr);
    a.units.clear();
    b.units.clear();
}
