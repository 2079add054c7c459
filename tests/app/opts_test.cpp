#include "app/opts.h"

#include <gtest/gtest.h>

#include "app/codec.h"
#include "app/ini.h"
#include "support/temp_dir.h"

namespace {
// An INI model over a file of the test's own (never the real config.ini).
void load(const std::string& body) {
    const temp_dir_t dir;
    dir.file("config.ini", body);
    load_opts_from(CZsIni(wide_from_utf8(dir.path("config.ini")).c_str()));
}
}  // namespace

TEST(Opts, SwitchesAreOnForAnyNumberButZeroAndMissingOnesTakeTheirDefaults) {
    opts().full_screen = false, opts().show_tip_at_rb = true;
    load("[Main]\nshow_fps=5\nmusic=0x0\nsound=-1\nshow_grid=abc\n[Other]\nfull_screen=0\ndisp_dice=1\n");
    const opts_t& o = opts();
    // Only section Main counts; a value that is not a number takes the default.
    const std::vector<bool> got{o.full_screen, o.show_tip_at_rb, o.show_fps, o.music, o.sound, o.show_grid, o.disp_dice};
    EXPECT_EQ(got, std::vector<bool>({true, false, true, false, true, false, false}));
    // The animation speed is clamped to 1..3.
    for (const auto& [text, want] : {std::pair("0", 1), {"2", 2}, {"7", 3}, {"x", 1}}) {
        load(std::string("[Main]\nspd_ani_lv=") + text + "\n");
        EXPECT_EQ(opts().spd_ani_lv, want) << text;
    }
}

TEST(Opts, OneTableOfKeysAndTheAnimationStep) {
    ASSERT_EQ(opt_rows().size(), 15u);
    const opt_row_t* r = find_opt_row(L"ao_prompt");
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->def);
    EXPECT_EQ(r->field, &opts_t::ao_prompt);
    EXPECT_EQ(find_opt_row(L"spd_ani_lv"), nullptr) << "the speed is a level, not a switch";
    EXPECT_EQ(find_opt_row(nullptr), nullptr);
    // Pixels per step by speed level; levels outside 1..3 are clamped.
    const std::vector<int> px{ani_step_px(0), ani_step_px(1), ani_step_px(2), ani_step_px(3), ani_step_px(9)};
    EXPECT_EQ(px, (std::vector<int>{4, 4, 8, 32, 32}));
}
