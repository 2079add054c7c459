#include "app/drag.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/img_cache.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/seams.h"
#include "ui/wnd.h"

namespace fs = std::filesystem;

namespace {

pt_t mouse_at{0, 0};

uint32_t fake_mouse(int* x, int* y) {
    *x = mouse_at.x;
    *y = mouse_at.y;
    return 0;
}

struct msg_t {
    uint32_t code;
    const wnd_t* to;
    friend bool operator==(const msg_t&, const msg_t&) = default;
};

std::ostream& operator<<(std::ostream& os, const msg_t& m) { return os << std::hex << m.code << "@" << m.to; }

bool is_drag_msg(uint32_t code) { return code >= EVT_DRAG_QUERY && code <= EVT_DROP2; }

// Answers every drag message, so each one stops at the window it was sent to.
class rec_wnd_t : public wnd_t {
public:
    std::vector<msg_t>* log = nullptr;
    std::vector<uint32_t> inputs;
    int clicks = 0;
    bool refuse = false;
    uintptr_t put_data = 0;  // stored on begin
    uintptr_t got_data = 0;  // read on the target-side drop

    bool on_input(const evt_t* e) override {
        inputs.push_back(e->code);
        return wnd_t::on_input(e);
    }
    bool click(const evt_t* e) override {
        ++clicks;
        return wnd_t::click(e);
    }
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        if (!is_drag_msg(m.code)) return wnd_t::on_msg(m, sender);
        log->push_back({m.code, this});
        if (m.code == EVT_DRAG_QUERY && refuse) set_drag_ok(false);
        if (m.code == EVT_DRAG_BEGIN && put_data) *get_drag_data() = put_data;
        if (m.code == EVT_DROP2) got_data = *get_drag_data();
        return true;
    }
    bool saw(uint32_t code) const { return std::find(inputs.begin(), inputs.end(), code) != inputs.end(); }
};

// Three windows on the root: `mover` drags when moved, `target` takes drops,
// `picker` is picked up by a click. Events go through the real routing.
class Drag : public ::testing::Test {
protected:
    std::vector<msg_t> log;
    rec_wnd_t mover, target, picker;

    void SetUp() override {
        seams().mouse_state = fake_mouse;
        reset_input_state();
        add(mover, {100, 100, 50, 50}, DRAG_ON_MOVE);
        add(target, {300, 100, 50, 50}, 0);
        add(picker, {100, 300, 50, 50}, DRAG_ON_CLICK);
    }
    void TearDown() override {
        drag_cancel();
        reset_input_state();
        seams_reset();
    }
    void add(rec_wnd_t& w, const rect& r, uint32_t flags) {
        w.log = &log;
        w.create(0, WND_ROOT, &r, 0, 0, nullptr);
        w.drag_flags = flags;
    }

    static void send(uint32_t code, int a = 0, int b = 0) {
        const evt_t e{code, a, b};
        dispatch_evt(&e);
    }
    // One pass of the loop: the move event is pumped, then the frame updates.
    static void frame_at(int x, int y) {
        mouse_at = {x, y};
        send(EVT_MOUSE_MOVE, x, y);
        frame_update();
    }
    static void press(int x, int y) {
        frame_at(x, y);
        send(EVT_LBTN_DOWN, x, y);
    }
    // Starts a drag of `mover` and forgets the messages that took.
    void start_mover() {
        press(110, 110);
        frame_at(130, 110);
        ASSERT_TRUE(is_drag_src(&mover));
        log.clear();
        mover.inputs.clear();
        target.inputs.clear();
    }
    bool any_saw(uint32_t code) const { return mover.saw(code) || target.saw(code) || picker.saw(code); }
};

TEST_F(Drag, StartsEightPixelsFromThePress) {
    struct move_t {
        int dx, dy;
        bool starts;
    };
    const move_t moves[] = {{7, 7, false}, {8, 7, true}, {7, 8, true}, {-8, 0, true}, {-7, -7, false}};
    for (const move_t& m : moves) {
        press(110, 110);
        send(EVT_MOUSE_MOVE, 110 + m.dx, 110 + m.dy);
        EXPECT_EQ(is_drag_src(&mover), m.starts) << m.dx << ", " << m.dy;
        EXPECT_EQ(*get_drag_start(), (m.starts ? pt_t{110, 110} : pt_t{-1, -1}));
        drag_cancel();
        send(EVT_LBTN_UP, 110, 110);
    }
    // Neither a window without the move bit nor one picked up by clicks.
    for (const pt_t at : {pt_t{310, 110}, pt_t{110, 310}}) {
        press(at.x, at.y);
        frame_at(at.x + 60, at.y + 60);
        EXPECT_FALSE(is_dragging());
        send(EVT_LBTN_UP, at.x + 60, at.y + 60);
    }
    for (const msg_t& m : log) EXPECT_EQ(m.to, &mover);
}

TEST_F(Drag, MessagesComeInOrderAndTheDropClicksNothing) {
    mover.put_data = 42;
    press(110, 110);
    frame_at(120, 110);  // over the source still
    frame_at(310, 110);  // over the target
    EXPECT_EQ(get_drag_target(), &target);
    send(EVT_LBTN_UP, 310, 110);

    const std::vector<msg_t> want = {
        {EVT_DRAG_QUERY, &mover},  {EVT_DRAG_BEGIN, &mover}, {EVT_DRAG_OVER2, &mover}, {EVT_DRAG_OVER, &mover},
        {EVT_DRAG_OVER2, &mover},  {EVT_DRAG_OVER, &mover},  // the frame after the start
        {EVT_DRAG_OVER2, &target}, {EVT_DRAG_OVER, &mover},  {EVT_DROP, &mover},       {EVT_DROP2, &target},
    };
    EXPECT_EQ(log, want);
    EXPECT_EQ(target.got_data, 42u);
    EXPECT_EQ(mover.clicks + target.clicks, 0);
    EXPECT_FALSE(target.saw(EVT_LBTN_UP));  // the dropping release goes no further

    // Back at rest.
    EXPECT_FALSE(is_dragging());
    EXPECT_EQ(get_drag_src(), nullptr);
    EXPECT_EQ(get_drag_target(), nullptr);
    EXPECT_EQ(*get_drag_data(), 0u);
    EXPECT_EQ(*get_drag_start(), (pt_t{-1, -1}));
}

TEST_F(Drag, FramesRetargetOnlyWhenTheMouseMoved) {
    start_mover();
    EXPECT_TRUE(is_modal_or_drag());
    set_frame_cursor(CUR_DEFAULT);
    frame_update();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(get_frame_cursor(), CUR_DRAG);
    frame_at(500, 500);  // over the root alone, which does not answer
    EXPECT_EQ(get_drag_target(), get_root_wnd());
    EXPECT_EQ(log, (std::vector<msg_t>{{EVT_DRAG_OVER, &mover}}));
}

TEST_F(Drag, QueryRefusalKeepsItAtRestAndAsksAgain) {
    mover.refuse = true;
    press(110, 110);
    send(EVT_MOUSE_MOVE, 120, 110);
    EXPECT_FALSE(is_dragging());
    EXPECT_EQ(*get_drag_start(), (pt_t{-1, -1}));
    send(EVT_MOUSE_MOVE, 125, 110);
    EXPECT_EQ(log, (std::vector<msg_t>{{EVT_DRAG_QUERY, &mover}, {EVT_DRAG_QUERY, &mover}}));
    mover.refuse = false;
    send(EVT_MOUSE_MOVE, 130, 110);
    EXPECT_TRUE(is_drag_src(&mover));
}

TEST_F(Drag, RightReleaseAndEscapeUpCancelSilently) {
    start_mover();
    send(EVT_RBTN_DOWN, 130, 110);
    EXPECT_TRUE(is_dragging());
    send(EVT_RBTN_UP, 130, 110);
    EXPECT_FALSE(is_dragging());
    EXPECT_FALSE(any_saw(EVT_RBTN_DOWN) || any_saw(EVT_RBTN_UP));
    EXPECT_EQ(*get_drag_start(), (pt_t{-1, -1}));

    start_mover();
    send(EVT_KEY_DOWN, SDLK_ESCAPE, 0);
    send(EVT_KEY_UP, SDLK_a, 0);
    EXPECT_TRUE(is_dragging());
    EXPECT_TRUE(mover.saw(EVT_KEY_DOWN) && mover.saw(EVT_KEY_UP));  // neither swallowed
    mover.inputs.clear();
    send(EVT_KEY_UP, SDLK_ESCAPE, 0);
    EXPECT_FALSE(is_dragging());
    EXPECT_FALSE(mover.saw(EVT_KEY_UP));
    EXPECT_TRUE(log.empty());
}

TEST_F(Drag, ClickPicksUpAndTheNextClickDrops) {
    press(110, 310);
    send(EVT_LBTN_UP, 110, 310);
    EXPECT_EQ(picker.clicks, 1);
    ASSERT_TRUE(is_drag_src(&picker));
    EXPECT_EQ(*get_drag_start(), (pt_t{110, 310}));

    frame_at(310, 110);  // no button held
    picker.inputs.clear();
    target.inputs.clear();
    send(EVT_LBTN_DOWN, 310, 110);
    send(EVT_LBTN_DBL, 310, 110);  // a quick second press is swallowed too
    EXPECT_TRUE(is_dragging());
    EXPECT_FALSE(any_saw(EVT_LBTN_DOWN));
    EXPECT_FALSE(any_saw(EVT_LBTN_DBL));
    send(EVT_LBTN_UP, 310, 110);

    EXPECT_FALSE(is_dragging());
    EXPECT_EQ(target.clicks, 0);
    const std::vector<msg_t> want = {
        {EVT_DRAG_QUERY, &picker}, {EVT_DRAG_BEGIN, &picker}, {EVT_DRAG_OVER2, &picker}, {EVT_DRAG_OVER, &picker},
        {EVT_DRAG_OVER2, &target}, {EVT_DRAG_OVER, &picker},  {EVT_DROP, &picker},       {EVT_DROP2, &target},
    };
    EXPECT_EQ(log, want);
}

TEST_F(Drag, ClosedWindowsLeaveTheDrag) {
    auto extra = std::make_unique<rec_wnd_t>();
    add(*extra, {500, 100, 50, 50}, 0);
    start_mover();
    frame_at(510, 110);
    EXPECT_EQ(get_drag_target(), extra.get());
    extra.reset();
    EXPECT_EQ(get_drag_target(), nullptr);
    log.clear();
    send(EVT_LBTN_UP, 510, 110);
    EXPECT_EQ(log, (std::vector<msg_t>{{EVT_DROP, &mover}}));

    // Without its source the drag is over.
    auto src = std::make_unique<rec_wnd_t>();
    add(*src, {100, 500, 50, 50}, DRAG_ON_MOVE);
    press(110, 510);
    frame_at(130, 510);
    ASSERT_TRUE(is_drag_src(src.get()));
    src.reset();
    EXPECT_FALSE(is_dragging());
}

// Drawing, read back from a target texture.

fs::path gfx_path() { return fs::path(to_utf8_string(get_gfx_dir())); }

constexpr int side = 512;
constexpr uint32_t img_clr = 0xFF2040A0u;

// Drags the mover over the target; the mouse rectangle {330, 130, 32, 32}
// overlaps the target's right part.
class DragDraw : public Drag {
protected:
    std::wstring sub = L"tw_drag_" + std::to_wstring(getpid()) + L"/";
    fs::path dir = gfx_path() / ("tw_drag_" + std::to_string(getpid()));
    zg::tex_t canvas;
    const rect mouse_rc{330, 130, 32, 32};

    void SetUp() override {
        Drag::SetUp();
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        ASSERT_TRUE(canvas.create({side, side}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET));
        clear_to(&canvas);
        write_img();
        start_mover();
        frame_at(330, 130);
        ASSERT_EQ(get_drag_target(), &target);
    }
    void TearDown() override {
        Drag::TearDown();
        set_render_target(nullptr, nullptr);
        SDL_DestroyTexture(canvas.tex);
        canvas.tex = nullptr;
        close_window();
        quit_sdl_libs();
        std::error_code ec;
        fs::remove_all(dir, ec);
        fs::remove(gfx_path(), ec);  // only when no other run still uses it
    }
    void write_img() {
        fs::create_directories(dir);
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(s, nullptr);
        SDL_FillRect(s, nullptr, img_clr);
        ASSERT_EQ(IMG_SavePNG(s, (dir / "img.png").string().c_str()), 0) << IMG_GetError();
        SDL_FreeSurface(s);
    }
    Str img_name() const { return Str((sub + L"img").c_str()); }
    static void clear_to(zg::tex_t* t) {
        const clr_t clear{0};
        set_render_target(t, &clear);
    }
    static std::vector<uint32_t> read(const rect& r) {
        std::vector<uint32_t> v(size_t(r.w) * size_t(r.h));
        const SDL_Rect sr{r.x, r.y, r.w, r.h};
        EXPECT_EQ(SDL_RenderReadPixels(get_renderer(), &sr, SDL_PIXELFORMAT_ARGB8888, v.data(), r.w * 4), 0)
            << SDL_GetError();
        return v;
    }
    static uint32_t px(int x, int y) { return read({x, y, 1, 1})[0]; }
    static int alpha(uint32_t v) { return int(v >> 24); }
};

TEST_F(DragDraw, LightsSourceAndTargetUnderTheImage) {
    drag_draw();
    EXPECT_NEAR(alpha(px(120, 120)), 68, 1);
    EXPECT_NEAR(alpha(px(340, 140)), 17, 1);  // no image yet: the target shows
    EXPECT_EQ(px(200, 300), 0u);

    clear_to(&canvas);
    set_drag_img(img_name());
    drag_draw();
    EXPECT_NEAR(alpha(px(305, 105)), 17, 1);
    EXPECT_EQ(px(mouse_rc.x, mouse_rc.y), img_clr);
    EXPECT_EQ(px(mouse_rc.x + 31, mouse_rc.y + 31), img_clr);
    EXPECT_EQ(px(mouse_rc.x + 32, mouse_rc.y + 20), 0u);

    clear_to(&canvas);
    mover.drag_flags |= DRAG_NO_HILITE;
    drag_draw();
    EXPECT_EQ(px(120, 120), 0u);
    EXPECT_EQ(px(305, 105), 0u);
}

TEST_F(DragDraw, RefusedDropDropsTheTargetLightAndCoversTheImage) {
    set_drag_img(img_name());
    set_drop_ok(false);
    drag_draw();
    EXPECT_NEAR(alpha(px(120, 120)), 68, 1);
    EXPECT_EQ(px(305, 105), 0u);
    const std::vector<uint32_t> got = read(mouse_rc);

    // What the no-drop image over the drag image looks like, whatever file it is.
    zg::tex_t ref;
    ASSERT_TRUE(ref.create({side, side}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET));
    clear_to(&ref);
    draw_tex(get_img(img_name()), &mouse_rc, nullptr);
    draw_tex(get_img(L"misc/no_drop"), &mouse_rc, nullptr);
    EXPECT_EQ(got, read(mouse_rc));
    clear_to(&canvas);
    SDL_DestroyTexture(ref.tex);
    ref.tex = nullptr;

    // The next drag allows drops again.
    drag_cancel();
    start_mover();
    frame_at(330, 130);
    drag_draw();
    EXPECT_NEAR(alpha(px(305, 105)), 17, 1);
}

}  // namespace
