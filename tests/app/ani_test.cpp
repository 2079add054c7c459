#include "app/ani.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_timer.h"
#include "support/canvas.h"
#include "support/font_env.h"

namespace {

constexpr double dt60 = FRAME_DT_MAX;  // the step the frame loop gives
constexpr uint32_t red = 0xFFFF0000u;

class Ani : public fonts_test_t<> {
protected:
    const test_gfx_t gfx{"tw_ani"};
    ani_mgr_t mgr;  // each case's animations

    // Cells of w x h pixels, cols to a row, cell i filled with colours[i].
    Str sheet(const char* leaf, int w, int h, int cols, const std::vector<uint32_t>& colours) const {
        const int rows = int(colours.size()) / cols;
        gfx.img(std::string(leaf) + ".png", w * cols, h * rows,
                [&](int x, int y) { return colours[size_t(y / h * cols + x / w)]; });
        return gfx.name(leaf);
    }
};

// An effect that finishes after `frames` steps and counts the steps it ran.
zg::custom_ani_t* counting(int frames, int* calls, int group = 0, int flags = 0, int delay = 0) {
    return new zg::custom_ani_t([frames, calls](zg::custom_ani_t& a) { a.done = ++*calls >= frames; }, 4, flags,
                                group, delay);
}

zg::text_ani_t* text_at(const pt_t& p, int delay = 0) {
    return new zg::text_ani_t(L"7", clr_t{0xFFFFFFFFu}, FONT_DEF, p, 0, 0, delay);
}

int steps_until_empty(ani_mgr_t& mgr, double dt) {
    int n = 0;
    for (; mgr.count() > 0 && n < 1000; ++n) {
        font_env_t::clear_black();
        mgr.run(dt);
    }
    return n;
}

TEST_F(Ani, TextsAtOnePointStartThreeHundredMillisecondsApart) {
    zg::text_ani_t* t[] = {text_at({10, 20}, 50), text_at({10, 20}), text_at({10, 20}), text_at({11, 20})};
    for (auto* a : t) mgr.play(a);
    // A maker's own delay gives way to the spacing; another point starts at once.
    EXPECT_EQ((std::array{t[0]->delay, t[1]->delay, t[2]->delay, t[3]->delay}), (std::array{0, 300, 600, 0}));
    // Waiting texts neither rise nor age; the running one rises a pixel a frame.
    mgr.run(0.05);
    mgr.run(0.05);
    EXPECT_EQ((std::array{t[0]->centre.y, t[1]->centre.y, t[1]->delay}), (std::array{18, 20, 200}));
    EXPECT_EQ(t[1]->elapsed, 0);
    auto* d = text_at({11, 20});  // 100 ms after a running one: waits the remaining 200
    mgr.play(d);
    EXPECT_EQ(d->delay, 200);
    // Deleted texts leave no entry behind: the next text at the point starts at once.
    steps_until_empty(mgr, 0.05);
    auto* later = text_at({10, 20});
    mgr.play(later);
    EXPECT_EQ(later->delay, 0);
    EXPECT_GT(steps_until_empty(mgr, 0.05), 20);  // lives just over one second
}

TEST_F(Ani, AnAnchoredTextFollowsItsAnchorAndEndsWithIt) {
    pt_t origin{100, 50};
    bool gone = false;
    zg::text_ani_t* t = text_at({10, 20});
    t->anchor = [&](pt_t* o) {
        *o = origin;
        return !gone;
    };
    const uint32_t id = mgr.play(t);
    mgr.run(0.05);
    pt_t c;
    ASSERT_TRUE(t->scrn_centre(&c));
    EXPECT_EQ(c, (pt_t{110, 69}));  // risen one pixel
    origin = {36, 50};  // the view moved a cell right
    ASSERT_TRUE(t->scrn_centre(&c));
    EXPECT_EQ(c, (pt_t{46, 69}));
    EXPECT_EQ(mgr.get(id), t);
    gone = true;
    mgr.run(0.05);
    EXPECT_EQ(mgr.get(id), nullptr) << "a text whose plane is gone is not drawn at a stale place";
    EXPECT_EQ(mgr.count(), 0);
}

TEST_F(Ani, OnlyGroupZeroAndTheTopGroupRun) {
    int g0 = 0, g1 = 0, g2 = 0, neg = 0, high = 0;
    auto* low = counting(2, &g1, 1, 0, 100);
    mgr.play(counting(1000, &g0, 0));
    mgr.play(low);
    mgr.play(counting(3, &g2, 2));
    for (int i = 0; i < 3; ++i) mgr.run(dt60);
    EXPECT_EQ((std::array{g0, g1, g2}), (std::array{3, 0, 3}));
    EXPECT_EQ(std::pair(low->delay, low->elapsed), std::pair(100, 0.0));  // frozen: neither delay nor age moves
    mgr.run(dt60);  // group 2 is gone: group 1 counts its delay down in whole milliseconds
    EXPECT_EQ(low->delay, 100 - int(dt60 * 1000));
    mgr.play(counting(1, &neg, -3));  // would never run: joins group 0
    mgr.play(counting(5, &high, 7));
    mgr.run(dt60);
    EXPECT_EQ(neg, 1);
}

TEST_F(Ani, FinishedAnimationsAreDeletedAndTheRestStillRun) {
    auto token = std::make_shared<int>(0);
    int a = 0, spawned = 0;
    mgr.play(new zg::custom_ani_t(
        [token, this, &spawned](zg::custom_ani_t& self) {
            mgr.play(counting(1, &spawned));  // runs in the same step
            self.done = true;
        },
        4, 0, 0, 0));
    mgr.play(counting(2, &a));
    mgr.play(new zg::custom_ani_t(nullptr, 4, 0, 0, 0));  // nothing to draw: ends at once
    mgr.run(dt60);
    EXPECT_EQ((std::array{token.use_count(), long(spawned), long(mgr.count())}), (std::array{1L, 1L, 1L}));
    mgr.run(dt60);
    EXPECT_EQ((std::array{a, mgr.count()}), (std::array{2, 0}));
    // One ended by its id is not drawn again, and a text at its point need not wait for it.
    mgr.end(mgr.play(counting(100, &a)));
    mgr.end(mgr.play(text_at({5, 5})));
    auto* next = text_at({5, 5});
    mgr.play(next), mgr.run(dt60);
    EXPECT_EQ((std::array{a, next->delay, mgr.count()}), (std::array{2, 0, 1}));
}

TEST_F(Ani, FourFramesPlayInOrderAndFinishAfterTheLast) {
    // A strip (frames squared on its height) and a 2 x 2 sheet, read row by row.
    const std::vector<uint32_t> colours{red, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
    const size cell{8, 8};
    const std::pair<Str, const size*> rows[] = {{sheet("strip", 8, 8, 4, colours), nullptr},
                                                {sheet("sheet", 8, 8, 2, colours), &cell}};
    // Each frame shows until its age passes 0.05 s; the first also on the step that starts it.
    std::vector<uint32_t> want(5, colours[0]);
    for (int f = 1; f < 4; ++f) want.insert(want.end(), 4, colours[f]);
    for (const auto& [img, frame] : rows) {
        ani_mgr_t each;
        each.play(new zg::imgs_ani_t(img, rect{4, 4, 16, 16}, frame, 0, 0, 0));
        std::vector<uint32_t> seen;
        while (each.count() > 0 && seen.size() < 100) {
            font_env_t::clear_black();
            each.run(dt60);
            seen.push_back(canvas_t::px(12, 12));
        }
        EXPECT_EQ(seen, want) << to_utf8_string(img);
    }
    // The placeholder of a missing image is smaller than the frame: one frame, no division by zero.
    const size big{64, 64};
    mgr.play(new zg::imgs_ani_t(gfx.name("no_such_image"), rect{0, 0, 64, 64}, &big, 0, 0, 0));
    EXPECT_EQ(steps_until_empty(mgr, dt60), 5);
}

TEST_F(Ani, MissileFlightTimeAndAngle) {
    const std::tuple<pt_t, double, double> rows[] = {
        {{200, 0}, 0.1, 90}, {{0, -100}, 0.05, 0}, {{0, 100}, 0.05, 180}, {{-200, 0}, 0.1, 270},
        {{30, -40}, 0.025, 36.86989764584402}, {{0, 0}, 0, 180}};
    for (const auto& [to, secs, degrees] : rows) {
        const zg::missile_ani_t m(L"x", {0, 0}, to, 0, 0, 0);
        EXPECT_NEAR(m.flight_time(), secs, 1e-12) << to.x << "," << to.y;
        EXPECT_NEAR(m.angle(), degrees, 1e-4) << to.x << "," << to.y;
    }
}

// An upright 8 x 32 bar turns about its top-centre, which sits on the flight point.
TEST_F(Ani, MissileFliesAlongItsLineAndStopsOnTheEnd) {
    const Str bar = sheet("bar", 8, 32, 1, {red});
    mgr.play(new zg::missile_ani_t(bar, {0, 64}, {100, 64}, 0, 0, 0));
    font_env_t::clear_black();
    mgr.run(dt60);
    EXPECT_NE(canvas_t::px(8, 64), red);  // turned to 90 degrees it trails left of the point
    // 100 pixels take 0.05 s; the last step draws on the end point, not beyond.
    EXPECT_EQ(steps_until_empty(mgr, dt60), 4);
    EXPECT_EQ((std::array{canvas_t::px(70, 64), canvas_t::px(96, 64)}), (std::array{red, red}));
    EXPECT_NE(canvas_t::px(104, 64), red);

    // Length zero: no flight to divide by; shown once on the end point, turned to 180 degrees.
    mgr.play(new zg::missile_ani_t(bar, {64, 64}, {64, 64}, 0, 0, 0));
    EXPECT_EQ(steps_until_empty(mgr, dt60), 1);
    EXPECT_EQ(canvas_t::px(64, 50), red);
    EXPECT_NE(canvas_t::px(64, 70), red);
}

}  // namespace
