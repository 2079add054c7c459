#include "ui/btn.h"

#include <gtest/gtest.h>

#include "app/img_cache.h"
#include "app/input_state.h"
#include "support/canvas.h"
#include "ui/chk.h"

namespace {

class Btn : public canvas_test_t {
protected:
    btn_t b;
    wnd_t other;
    test_gfx_t gfx{"btn"};

    void SetUp() override {
        canvas_test_t::SetUp();
        input_state() = input_state_t{};
        const rect r{10, 10, 40, 20};
        b.create(0, nullptr, &r, 7, 0, nullptr);
    }
    void TearDown() override {
        input_state() = input_state_t{};
        canvas_test_t::TearDown();
    }
    // The colour at the button's middle after painting it with that hover and pressed window.
    uint32_t paint_with(wnd_t* hover, wnd_t* pressed) {
        input_state().hover = hover;
        input_state().pressed = pressed;
        canvas->clear();
        b.paint();
        return px(30, 20);
    }
};

TEST_F(Btn, StateColoursFollowHoverPressAndDisabling) {
    EXPECT_EQ(paint_with(nullptr, nullptr), 0xFF000000u);
    EXPECT_EQ(paint_with(&b, nullptr), 0xFF009AE2u);
    EXPECT_EQ(paint_with(&b, &b), 0xFF0077BBu);
    EXPECT_EQ(paint_with(&other, &b), 0xFF000000u);  // pressed and dragged off
    EXPECT_EQ(paint_with(&b, &b), 0xFF0077BBu);      // and back
    b.set_enabled(false);
    for (wnd_t* h : {static_cast<wnd_t*>(&b), &other}) {
        EXPECT_EQ(b.get_state(), DS_DISABLED);
        EXPECT_EQ(paint_with(h, nullptr), 0x66000000u) << "a disabled button is never hot";
    }
    b.set_enabled(true);
    b.set_checked(true);
    EXPECT_EQ(paint_with(&b, nullptr), 0xFFFF8C00u);
    b.set_checked(false);
    b.hot_overlay = 0xFFFFFFFF;
    EXPECT_EQ(paint_with(&b, nullptr), 0xFFFFFFFFu);
    b.style |= BS_NO_BG;
    b.hot_overlay = 0;
    EXPECT_EQ(paint_with(&b, nullptr), 0u);
}

TEST_F(Btn, FourFrameSkinDrawsTheFrameOfItsState) {
    // 16 x 64: frames of 16 rows at 0, 16, 32 and 48 in four colours.
    const uint32_t frames[4] = {0xFF101010, 0xFF202020, 0xFF303030, 0xFF404040};
    gfx.img("skin.png", 16, 64, [&](int, int y) { return frames[y / 16]; });
    b.skin = get_img(gfx.name("skin"));
    b.style |= BS_SKIN_FRAMES;
    EXPECT_EQ(paint_with(nullptr, nullptr), frames[0]);
    EXPECT_EQ(paint_with(&b, &b), frames[1]);
    EXPECT_EQ(paint_with(&b, nullptr), frames[3]);
    b.set_enabled(false);
    EXPECT_EQ(paint_with(&b, nullptr), frames[2]);
    // One picture: stretched and tinted, half as bright when disabled.
    b.style &= ~BS_SKIN_FRAMES;
    gfx.png("plain", 4, 4, 0xFFFFFFFF);
    b.skin = get_img(gfx.name("plain"));
    b.tint = 0xFF80FF40;
    // The renderer's modulation may round a channel down by one.
    const auto near = [](uint32_t got, uint32_t want) {
        for (int sh = 0; sh < 32; sh += 8)
            if (std::abs(int(got >> sh & 0xFF) - int(want >> sh & 0xFF)) > 1) return false;
        return true;
    };
    EXPECT_TRUE(near(paint_with(nullptr, nullptr), 0xFF408020u));
    b.set_enabled(true);
    EXPECT_TRUE(near(paint_with(nullptr, nullptr), 0xFF80FF40u));
}

TEST_F(Btn, IconsSitBesideTheTextAndGreyWhenDisabled) {
    gfx.png("white", 8, 8, 0xFFFFFFFF);
    b.set_icon(gfx.name("white"));
    b.icon_sz = 16;
    b.set_bg_clr(&other.border_clr);  // no fill in any state
    EXPECT_EQ(paint_with(nullptr, nullptr), 0xFFFFFFFFu);  // alone: centred
    b.set_enabled(false);
    EXPECT_EQ(paint_with(nullptr, nullptr), 0xFF888888u);
    rect cr;
    b.client_rect(&cr);
    EXPECT_EQ(cr.x, 10 + 20);  // the text moves past a square as high as the window
    pt_t o;
    b.text_align = 0;
    EXPECT_EQ(b.client_origin(&o)->x, 10 + 24);
    b.text_align = 16;
    EXPECT_EQ(b.client_origin(&o)->x, 10);
}

// Records the check box's state when its command arrives.
struct owner_t : wnd_t {
    chk_t* box = nullptr;
    std::vector<bool> seen;
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        if (m.code == EVT_COMMAND && sender == box) seen.push_back(box->checked);
        return false;
    }
};

TEST_F(Btn, CheckBoxSendsItsCommandBeforeItFlips) {
    owner_t owner;
    chk_t c;
    const rect r{0, 0, 100, 20};
    owner.create(0, nullptr, &r, 0, 0, nullptr);
    c.create(0, &owner, &r, 3, 0, nullptr);
    owner.box = &c;
    EXPECT_EQ(std::pair(c.bg_clr.v, c.icon_sz), std::pair(0u, 16));
    zg::tex_t* unchecked = c.icon;
    c.click(nullptr);
    c.click(nullptr);
    EXPECT_EQ(owner.seen, (std::vector<bool>{false, true}));
    EXPECT_FALSE(c.checked);
    c.set_checked(true);
    EXPECT_EQ(c.icon, get_img(L"ui/chk_1_16"));
    c.set_checked(false);
    EXPECT_EQ(c.icon, unchecked);
}

}  // namespace
