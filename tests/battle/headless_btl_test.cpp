// Whole seeded battles without a window: invariants, repeatability and the
// stored transcript of one battle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/codec.h"
#include "support/btl_harness.h"
#include "support/temp_dir.h"

namespace {
constexpr int MAX_ROUNDS = 40;
constexpr uint32_t GOLDEN_SEED = 20261207;
const char* const GOLDEN_PATH = TW_SOURCE_DIR "/tests/battle/golden/btl_seed_20261207.txt";

class HeadlessBtl : public ::testing::Test {
protected:
    void SetUp() override { build_pwrs(); }
    void TearDown() override { free_pwrs(); }
};

std::wstring run_seed(uint32_t seed, std::vector<std::string>* faults = nullptr, int* state = nullptr) {
    headless_btl_t b;
    b.run(seed, MAX_ROUNDS);
    if (faults) *faults = b.lis.faults;
    if (state) *state = get_btl_state();
    return b.lis.transcript;
}

std::string utf8(const std::wstring& w) { return utf8_from_wide(w); }
}  // namespace

TEST_F(HeadlessBtl, FiftySeedsRunToTheirEndWithEveryInvariantHeld) {
    int won = 0, lost = 0;
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        std::vector<std::string> faults;
        int state = BTL_NONE;
        const std::wstring t = run_seed(seed, &faults, &state);
        ASSERT_TRUE(faults.empty()) << "seed " << seed << ": " << faults.front();
        ASSERT_TRUE(state == BTL_WON || state == BTL_LOST) << "seed " << seed << " ended in state " << state;
        ASSERT_NE(t.find(L"round 1\n"), std::wstring::npos) << "seed " << seed;
        (state == BTL_WON ? won : lost)++;
    }
    // The auras burn both sides: some battles are decided by deaths either way.
    EXPECT_GT(won, 0);
    EXPECT_GT(lost, 0);
}

TEST_F(HeadlessBtl, TheSameSeedGivesTheSameBattleTwice) {
    const std::wstring a = run_seed(7), b = run_seed(7);
    EXPECT_EQ(utf8(a), utf8(b));
    EXPECT_NE(utf8(a), utf8(run_seed(8)));
}

// A second process started from this test program runs the same seed and
// writes its transcript to a file: no state of this process leaks in.
TEST_F(HeadlessBtl, TheSameSeedGivesTheSameBattleInAnotherProcess) {
    if (const char* out = std::getenv("TW_BTL_CHILD_OUT")) {
        std::ofstream(out, std::ios::binary) << utf8(run_seed(11));
        return;
    }
    const std::string here = utf8(run_seed(11));
    const temp_dir_t dir;  // a folder of this run's own: two runs at once must not write one file
    std::error_code ec;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    ASSERT_FALSE(ec);
    const std::string cmd = "TW_BTL_CHILD_OUT='" + dir.path("child.txt") + "' '" + self +
                            "' --gtest_filter=HeadlessBtl.TheSameSeedGivesTheSameBattleInAnotherProcess"
                            " >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string there = dir.read("child.txt");
    EXPECT_FALSE(there.empty());
    EXPECT_EQ(there, here);
}

// The transcript of a stored battle, made by another process: the same seed
// gives the same battle in every run. TW_UPDATE_GOLDEN=1 rewrites the file.
TEST_F(HeadlessBtl, SeededBattleMatchesItsStoredTranscript) {
    const std::string now = utf8(run_seed(GOLDEN_SEED));
    if (std::getenv("TW_UPDATE_GOLDEN")) {
        std::ofstream(GOLDEN_PATH, std::ios::binary) << now;
        GTEST_SKIP() << "golden transcript written";
    }
    std::ifstream in(GOLDEN_PATH, std::ios::binary);
    ASSERT_TRUE(in.good()) << GOLDEN_PATH;
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), now);
}
