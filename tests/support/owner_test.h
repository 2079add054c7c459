#pragma once
// A loop test with the fonts up and a full-screen window of type O under the
// root that the control under test reports to.
#include "support/font_env.h"
#include "support/loop_harness.h"

// An owner that keeps the messages from its controls that keep() picks and
// answers them with `answer`.
struct msg_owner_t : wnd_t {
    std::vector<evt_t> got;
    bool answer = false;
    virtual bool keep(uint32_t code) const = 0;
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        if (sender == this || !keep(m.code)) return wnd_t::on_msg(m, sender);
        got.push_back(m);
        return answer;
    }
    // The two words of each message kept with the code, in order.
    std::vector<std::pair<intptr_t, intptr_t>> args(uint32_t code) const {
        std::vector<std::pair<intptr_t, intptr_t>> v;
        for (const evt_t& e : got)
            if (e.code == code) v.emplace_back(e.a, e.b);
        return v;
    }
    int count(uint32_t code) const { return int(args(code).size()); }
};

template <class O>
class owner_test_t : public fonts_test_t<loop_test_t> {
protected:
    O own;

    void SetUp() override {
        loop_test_t::SetUp();
        create_at(own, get_root_wnd(), {0, 0, 800, 600});
    }
    void TearDown() override {
        set_focus_wnd(nullptr);
        loop_test_t::TearDown();
    }
};
