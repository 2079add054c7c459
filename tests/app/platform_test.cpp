#include "app/platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <tuple>

#include "app/seams.h"
#include "support/canvas.h"

namespace {

uint32_t fake_now = 0;
uint32_t fake_ticks() { return fake_now; }
uint32_t fake_mouse(int* x, int* y) { return *x = 123, *y = 45, 0; }

class Platform : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        seams().ticks_ms = fake_ticks;
        seams().mouse_state = fake_mouse;
        fake_now = 100000;
        reset_dbl_click();
    }
    void TearDown() override {
        seams_reset();
        quit_sdl_libs();
    }
};

// An SDL event of `type`, with a, b and c in the fields that type carries.
SDL_Event ev(uint32_t type, int a = 0, int b = 0, int c = 0) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_WINDOWEVENT) e.window.event = uint8_t(a);
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) e.key.keysym.sym = a, e.key.keysym.mod = uint16_t(b);
    if (type == SDL_MOUSEMOTION) e.motion.x = a, e.motion.y = b;
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
        e.button.button = uint8_t(a), e.button.x = b, e.button.y = c;
    if (type == SDL_MOUSEWHEEL) e.wheel.y = a, e.wheel.direction = uint32_t(b);
    return e;
}

evt_t translate(const SDL_Event& e) {
    evt_t out{0x1234, 5, 6};
    const bool made = translate_sdl_evt(&e, &out);
    EXPECT_EQ(made, out.code != 0);
    return out;
}
uint32_t press(uint8_t button, int x, int y) { return translate(ev(SDL_MOUSEBUTTONDOWN, button, x, y)).code; }

TEST_F(Platform, TranslationTable) {
    SDL_Event user = ev(SDL_USEREVENT + 3);
    int payload = 0;
    user.user.data1 = &payload;
    user.user.data2 = reinterpret_cast<void*>(intptr_t(-9));
    const int ctrl_alt = KMOD_LCTRL | KMOD_LALT, normal = SDL_MOUSEWHEEL_NORMAL, up = SDL_MOUSEBUTTONUP;
    const uint32_t win = SDL_WINDOWEVENT, wheel = SDL_MOUSEWHEEL;
    const std::tuple<const char*, SDL_Event, evt_t> rows[] = {
        {"quit", ev(SDL_QUIT), {EVT_QUIT}}, {"background", ev(SDL_APP_DIDENTERBACKGROUND), {EVT_FOCUS_LOST}},
        {"foreground", ev(SDL_APP_DIDENTERFOREGROUND), {EVT_FOCUS_GAINED}},
        {"shown", ev(win, SDL_WINDOWEVENT_SHOWN), {EVT_FOCUS_GAINED}},
        {"hidden", ev(win, SDL_WINDOWEVENT_HIDDEN), {EVT_FOCUS_LOST}},
        {"minimised", ev(win, SDL_WINDOWEVENT_MINIMIZED), {EVT_MINIMISED}},
        {"restored", ev(win, SDL_WINDOWEVENT_RESTORED), {EVT_RESTORED}},
        {"close", ev(win, SDL_WINDOWEVENT_CLOSE), {EVT_CLOSE}},
        {"moved", ev(win, SDL_WINDOWEVENT_MOVED), {}}, {"terminating", ev(SDL_APP_TERMINATING), {}},
        {"key down", ev(SDL_KEYDOWN, SDLK_a, ctrl_alt), {EVT_KEY_DOWN, SDLK_a, ctrl_alt}},
        {"key up", ev(SDL_KEYUP, SDLK_F1, KMOD_RSHIFT), {EVT_KEY_UP, SDLK_F1, KMOD_RSHIFT}},
        {"motion", ev(SDL_MOUSEMOTION, 31, 17), {EVT_MOUSE_MOVE, 31, 17}},
        {"right up", ev(up, SDL_BUTTON_RIGHT, 3, 4), {EVT_RBTN_UP, 3, 4}},
        {"middle up", ev(up, SDL_BUTTON_MIDDLE, 3, 4), {EVT_MBTN_UP, 3, 4}},
        {"x1 down", ev(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 3, 4), {}},
        {"wheel away", ev(wheel, 1, normal), {EVT_WHEEL_UP, 123, 45}},
        {"wheel toward", ev(wheel, -2, normal), {EVT_WHEEL_DOWN, 123, 45}}, {"sideways", ev(wheel, 0, normal), {}},
        {"flipped toward", ev(wheel, 3, SDL_MOUSEWHEEL_FLIPPED), {EVT_WHEEL_DOWN, 123, 45}},
        {"user", user, {SDL_USEREVENT + 3, reinterpret_cast<intptr_t>(&payload), -9}},
        {"last user type", ev(0xFFFF), {0xFFFF}}, {"text input without a handler", ev(SDL_TEXTINPUT), {}},
    };
    for (const auto& [what, in, want] : rows) {
        const evt_t got = translate(in);
        EXPECT_EQ(std::tie(got.code, got.a, got.b), std::tie(want.code, want.a, want.b)) << what;
    }
}

TEST_F(Platform, DoubleClickNeedsNearnessAndTime) {
    const struct {
        int dx, dy;
        uint32_t dt;
        bool dbl;
    } rows[] = {{4, 0, 100, true}, {-4, -4, 100, true}, {5, 0, 100, false}, {0, -5, 100, false},
                {0, 0, 499, true}, {0, 0, 500, false}};
    for (const auto& r : rows) {
        fake_now += 10000;
        EXPECT_EQ(press(SDL_BUTTON_LEFT, 200, 300), EVT_LBTN_DOWN);
        fake_now += r.dt;
        EXPECT_EQ(press(SDL_BUTTON_LEFT, 200 + r.dx, 300 + r.dy), r.dbl ? EVT_LBTN_DBL : EVT_LBTN_DOWN)
            << r.dx << "," << r.dy << " after " << r.dt << " ms";
    }
}

TEST_F(Platform, DoubleClickMemoryIsSharedAndWrapSafe) {
    fake_now = 100;  // the very first press, at the corner, is never a double click
    EXPECT_EQ(press(SDL_BUTTON_LEFT, 0, 0), EVT_LBTN_DOWN);
    fake_now = 10000;
    EXPECT_EQ(press(SDL_BUTTON_RIGHT, 10, 10), EVT_RBTN_DOWN);
    fake_now += 100;  // pairs across buttons
    EXPECT_EQ(press(SDL_BUTTON_LEFT, 10, 10), EVT_LBTN_DBL);
    fake_now = 0xFFFFFF00u;
    press(SDL_BUTTON_LEFT, 1, 1);
    fake_now += 0x180;  // 384 ms later, past the clock's wrap
    EXPECT_EQ(press(SDL_BUTTON_LEFT, 1, 1), EVT_LBTN_DBL);
}

TEST(WndSize, ParsesTwoNumbersAsScanfWould) {
    const std::tuple<const wchar_t*, bool, size> rows[] = {
        {L" 800x 600", true, {800, 600}}, {L"800x600junk", true, {800, 600}}, {L"-5x100", true, {-5, 100}},
        {L"1280x", false, {}}, {L"x720", false, {}}, {L"800 x600", false, {}}, {L"99999999999x5", false, {}}};
    for (const auto& [text, ok, want] : rows) {
        size got{-7, -7};
        EXPECT_EQ(parse_wnd_size(text, &got), ok) << to_utf8_string(text);
        EXPECT_EQ(got, (ok ? want : size{-7, -7})) << to_utf8_string(text);  // untouched on failure
    }
    EXPECT_FALSE(parse_wnd_size(nullptr, nullptr));
}

TEST(WndSize, ChoiceFromConfigTextAndDisplayModes) {
    const size desk{1920, 1080}, fit{1600, 900};
    // 1920x1080 leaves no room for the frame; 1280x1024 and 1680x1050 are too high.
    const std::vector<size> modes{{1920, 1080}, {1280, 1024}, {1600, 900}, {1680, 1050}, {800, 600}}, full_only{desk};
    const std::tuple<bool, const wchar_t*, size, const std::vector<size>*, size> rows[] = {
        {true, L"800x600", desk, &modes, desk}, {false, L"1280x720", desk, &modes, {1280, 720}},
        {false, L"", desk, &modes, fit}, {false, L"0x0", desk, &modes, fit}, {false, L"-5x100", desk, &modes, fit},
        {false, L"", desk, &full_only, desk}, {false, L"x", {0, 0}, &modes, {1024, 768}},
        {false, L"16384x16384", desk, &modes, {16384, 16384}}, {false, L"16385x600", desk, &modes, fit}};
    for (const auto& [full, text, desktop, ms, want] : rows)
        EXPECT_EQ(choose_wnd_size(full, text, desktop, {}, *ms), want) << full << " " << to_utf8_string(text);
    // Larger than the usable desktop (the task bar left out) it falls back as the default does.
    const size room{1920, 1040};
    EXPECT_EQ(choose_wnd_size(false, L"1600x1040", desk, room, modes), (size{1600, 1040}));
    EXPECT_EQ(choose_wnd_size(false, L"1600x1041", desk, room, modes), fit);
    EXPECT_EQ(choose_wnd_size(false, L"1922x700", desk, room, modes), fit);
    // Of equal areas the first stays; exactly 16 and 78 pixels to spare still fit.
    EXPECT_EQ(pick_default_wnd_size({3000, 3000}, {fit, {1200, 1200}}), fit);
    EXPECT_EQ(pick_default_wnd_size({1016, 678}, {{1000, 600}, {1001, 600}}), (size{1000, 600}));
}

TEST_F(Platform, CursorsKeepTheirIdsWhenImagesAreMissing) {
    load_cursors();  // no images: every slot is still taken
    EXPECT_EQ(cursor_count(), CUR_COUNT);
    const test_gfx_t gfx("tw_cur");
    gfx.png("c", 8, 8, 0xFF000000u);
    EXPECT_TRUE(add_cursor(get_gfx_dir() + gfx.name("c") + L".png"));
    set_cursor(CUR_COUNT);
    SDL_Cursor* real = SDL_GetCursor();
    set_cursor(CUR_WAIT);  // a missing image: SDL keeps the current cursor
    EXPECT_EQ(std::pair(SDL_GetCursor(), get_cursor_id()), std::pair(real, int(CUR_WAIT)));
    set_cursor(CUR_HIDDEN);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    set_cursor(999);  // out of range acts like a missing image
    EXPECT_EQ(std::pair(SDL_GetCursor(), SDL_ShowCursor(SDL_QUERY)), std::pair(real, int(SDL_ENABLE)));
    free_cursors();
}

}  // namespace
