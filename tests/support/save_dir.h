#pragma once
// A game folder of the test's own for the save code: the program folder points
// at it, the slot counters are read afresh, and the party starts empty.
#include <gtest/gtest.h>

#include "app/paths.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "support/pwrs_test.h"
#include "support/temp_dir.h"

class save_dir_test_t : public pwrs_test {
protected:
    temp_dir_t dir;
    Str old_exe;

    void SetUp() override {
        old_exe = get_exe_dir();
        set_exe_dir(utf8_to_str(dir.path().c_str()).buf);
        forget_slot_cfgs();
        g_pty.reset();
    }
    void TearDown() override {
        g_pty.reset();
        forget_slot_cfgs();
        set_exe_dir(old_exe.buf);
    }
};
