#include "app/opts.h"

#include <gtest/gtest.h>

#include "app/codec.h"
#include "app/ini.h"
#include "support/temp_dir.h"

namespace {
// An INI model over a file of the test's own (never the real config.ini).
CZsIni ini_with(const temp_dir_t& dir, const std::string& body) {
    dir.file("config.ini", body);
    return CZsIni(wide_from_utf8(dir.path("config.ini")).c_str());
}
}  // namespace

TEST(Opts, MissingKeysTakeTheirDefaults) {
    temp_dir_t dir;
    opts() = opts_t{false, true, false, false, false, true, true, false, true, false, false, true, true, true, true, 3};
    load_opts_from(ini_with(dir, ""));
    const opts_t& o = opts();
    const bool got[] = {o.full_screen,         o.show_fps,  o.music,         o.sound,          o.ao_prompt,
                        o.show_all_hits_in_rng, o.show_tip_at_rb, o.show_simple_act_tip, o.show_grid, o.ani_vp,
                        o.ani_cur_u_mark,      o.auto_arena, o.auto_load_ammos, o.disp_dice,     o.show_dnd_ch};
    const bool want[] = {true, false, true, true, true, false, false, true, false, true, true, false, false, false, false};
    for (size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(got[i], want[i]) << "switch " << i;
    EXPECT_EQ(o.spd_ani_lv, 1);
}

TEST(Opts, SwitchesAreOnForAnyNumberButZero) {
    temp_dir_t dir;
    load_opts_from(ini_with(dir, "[Main]\nfull_screen=0\nshow_fps=5\nmusic=0x0\nsound=-1\nshow_grid=abc\n"
                                 "auto_arena=1\n[Other]\ndisp_dice=1\n"));
    EXPECT_FALSE(opts().full_screen);
    EXPECT_TRUE(opts().show_fps);
    EXPECT_FALSE(opts().music);
    EXPECT_TRUE(opts().sound);
    EXPECT_FALSE(opts().show_grid);  // not a number: the default
    EXPECT_TRUE(opts().auto_arena);
    EXPECT_FALSE(opts().disp_dice);  // only section Main counts
}

TEST(Opts, AnimationSpeedIsClampedToOneToThree) {
    const std::pair<const char*, int> rows[] = {{"0", 1}, {"-5", 1}, {"1", 1}, {"2", 2}, {"3", 3}, {"7", 3}, {"x", 1}};
    for (const auto& [text, want] : rows) {
        temp_dir_t dir;
        load_opts_from(ini_with(dir, std::string("[Main]\nspd_ani_lv=") + text + "\n"));
        EXPECT_EQ(opts().spd_ani_lv, want) << text;
    }
}
