#include "ui/drag.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "support/loop_harness.h"

using namespace harness;

namespace {

const std::map<uint32_t, std::string> drag_msgs = {{EVT_DRAG_QUERY, "query"}, {EVT_DRAG_BEGIN, "begin"},
    {EVT_DRAG_OVER, "over-src"}, {EVT_DRAG_OVER2, "over-tgt"}, {EVT_DROP, "drop-src"}, {EVT_DROP2, "drop-tgt"}};

// Answers every drag message, so each stops at the window it was sent to,
// and logs it in harness::calls as "<window> <message>".
struct drag_wnd_t : rec_wnd_t {
    bool refuse = false;
    uintptr_t put_data = 0;  // stored on begin
    uintptr_t got_data = 0;  // read on the target-side drop

    drag_wnd_t(const char* n, rect r, uint32_t flags) : rec_wnd_t(n, get_root_wnd(), r) { drag_flags = flags; }
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        const auto what = drag_msgs.find(m.code);
        if (what == drag_msgs.end()) return rec_wnd_t::on_msg(m, sender);
        calls.push_back(name + " " + what->second);
        if (m.code == EVT_DRAG_QUERY && refuse) set_drag_ok(false);
        if (m.code == EVT_DRAG_BEGIN && put_data) *get_drag_data() = put_data;
        if (m.code == EVT_DROP2) got_data = *get_drag_data();
        return true;
    }
};

using calls_t = std::vector<std::string>;

bool at_rest() {
    return !is_dragging() && !get_drag_src() && !get_drag_target() && !*get_drag_data() &&
           *get_drag_start() == pt_t{-1, -1};
}

// `mover` drags when moved, `target` takes drops, `picker` is picked up by a
// click. Events go through the real routing.
class Drag : public loop_test_t {
protected:
    drag_wnd_t mover{"mover", {100, 100, 50, 50}, DRAG_ON_MOVE};
    drag_wnd_t target{"target", {300, 100, 50, 50}, 0};
    drag_wnd_t picker{"picker", {100, 300, 50, 50}, DRAG_ON_CLICK};

    void TearDown() override {
        drag_cancel();
        loop_test_t::TearDown();
    }
    // Starts a drag of `mover` and forgets what that took.
    void start_mover() {
        route_at(EVT_LBTN_DOWN, 110, 110);
        route_at(EVT_MOUSE_MOVE, 130, 110);
        ASSERT_TRUE(is_drag_src(&mover));
        calls.clear();
        forget_inputs();
    }
    void forget_inputs() { mover.inputs.clear(), target.inputs.clear(), picker.inputs.clear(); }
    int all_got(uint32_t code) const { return mover.got(code) + target.got(code) + picker.got(code); }
};

TEST_F(Drag, StartsEightPixelsFromThePress) {
    const std::tuple<int, int, bool> moves[] = {{7, 7, false}, {8, 7, true}, {7, 8, true}, {-8, 0, true}};
    for (const auto& [dx, dy, starts] : moves) {
        route_at(EVT_LBTN_DOWN, 110, 110);
        route(EVT_MOUSE_MOVE, 110 + dx, 110 + dy);
        EXPECT_EQ(is_drag_src(&mover), starts) << dx << ", " << dy;
        EXPECT_EQ(at_rest(), !starts) << dx << ", " << dy;
        drag_cancel();
        route(EVT_LBTN_UP, 110, 110);
    }
}

TEST_F(Drag, MessagesComeInOrderAndTheDropClicksNothing) {
    mover.put_data = 42;
    route_at(EVT_LBTN_DOWN, 110, 110);
    route_at(EVT_MOUSE_MOVE, 120, 110);
    route_at(EVT_MOUSE_MOVE, 310, 110);
    EXPECT_EQ(get_drag_target(), &target);
    EXPECT_EQ(*get_drag_start(), (pt_t{110, 110}));
    route(EVT_LBTN_UP, 310, 110);
    EXPECT_EQ(calls, (calls_t{"mover query", "mover begin", "mover over-tgt", "mover over-src", "target over-tgt",
                              "mover over-src", "mover drop-src", "target drop-tgt"}));
    EXPECT_EQ(target.got_data, 42u);
    EXPECT_EQ(mover.clicks + target.clicks + target.got(EVT_LBTN_UP), 0);  // the dropping release goes no further
    EXPECT_TRUE(at_rest());
}

TEST_F(Drag, QueryRefusalKeepsItAtRestAndAsksAgain) {
    mover.refuse = true;
    route_at(EVT_LBTN_DOWN, 110, 110);
    route(EVT_MOUSE_MOVE, 120, 110);
    EXPECT_TRUE(at_rest());
    route(EVT_MOUSE_MOVE, 125, 110);
    EXPECT_EQ(calls, (calls_t{"mover query", "mover query"}));
    mover.refuse = false;
    route(EVT_MOUSE_MOVE, 130, 110);
    EXPECT_TRUE(is_drag_src(&mover));
}

TEST_F(Drag, RightReleaseAndEscapeUpCancelSilently) {
    start_mover();
    route(EVT_RBTN_DOWN, 130, 110);
    EXPECT_TRUE(is_dragging());
    route(EVT_RBTN_UP, 130, 110);
    EXPECT_TRUE(at_rest());
    EXPECT_EQ(all_got(EVT_RBTN_DOWN) + all_got(EVT_RBTN_UP), 0);

    start_mover();
    route(EVT_KEY_DOWN, SDLK_ESCAPE, 0);
    route(EVT_KEY_UP, SDLK_a, 0);
    EXPECT_TRUE(is_dragging());
    EXPECT_EQ(mover.inputs, (std::vector<uint32_t>{EVT_KEY_DOWN, EVT_KEY_UP}));  // neither swallowed
    mover.inputs.clear();
    // The pump hands the dialog loop's predicate the event it routes: the
    // Escape the drag took must not reach it and end the dialog too.
    input_state().cur_evt = {EVT_KEY_UP, SDLK_ESCAPE, 0};
    route(EVT_KEY_UP, SDLK_ESCAPE, 0);
    EXPECT_TRUE(at_rest());
    EXPECT_EQ(mover.got(EVT_KEY_UP), 0);
    EXPECT_EQ(input_state().cur_evt.code, 0u);
    EXPECT_TRUE(calls.empty());
}

TEST_F(Drag, ClickPicksUpAndTheNextClickDrops) {
    click_at(110, 310);
    EXPECT_EQ(picker.clicks, 1);
    ASSERT_TRUE(is_drag_src(&picker));

    route_at(EVT_MOUSE_MOVE, 310, 110);  // no button held
    forget_inputs();
    route(EVT_LBTN_DOWN, 310, 110);
    route(EVT_LBTN_DBL, 310, 110);  // a quick second press is swallowed too
    EXPECT_TRUE(is_dragging());
    EXPECT_EQ(all_got(EVT_LBTN_DOWN) + all_got(EVT_LBTN_DBL), 0);
    route(EVT_LBTN_UP, 310, 110);
    EXPECT_EQ(std::pair(is_dragging(), target.clicks), std::pair(false, 0));
    EXPECT_EQ(calls.back(), "target drop-tgt");
}

TEST_F(Drag, ClosedWindowsLeaveTheDrag) {
    auto extra = std::make_unique<drag_wnd_t>("extra", rect{500, 100, 50, 50}, 0);
    start_mover();
    route_at(EVT_MOUSE_MOVE, 510, 110);
    EXPECT_EQ(get_drag_target(), extra.get());
    extra.reset();
    EXPECT_EQ(get_drag_target(), nullptr);
    calls.clear();
    route(EVT_LBTN_UP, 510, 110);
    EXPECT_EQ(calls, (calls_t{"mover drop-src"}));

    auto src = std::make_unique<drag_wnd_t>("src", rect{100, 500, 50, 50}, DRAG_ON_MOVE);
    route_at(EVT_LBTN_DOWN, 110, 510);
    route_at(EVT_MOUSE_MOVE, 130, 510);
    ASSERT_TRUE(is_drag_src(src.get()));
    src.reset();  // without its source the drag is over
    EXPECT_FALSE(is_dragging());
}

}  // namespace
