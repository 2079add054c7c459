#pragma once
// A loop test with the fonts up and a full-screen window of type O under the
// root that the control under test reports to.
#include "support/font_env.h"
#include "support/loop_harness.h"

template <class O>
class owner_test_t : public fonts_test_t<loop_test_t> {
protected:
    O own;

    void SetUp() override {
        loop_test_t::SetUp();
        const rect o{0, 0, 800, 600};
        own.create(0, get_root_wnd(), &o, 0, 0, nullptr);
    }
    void TearDown() override {
        set_focus_wnd(nullptr);
        loop_test_t::TearDown();
    }
};
