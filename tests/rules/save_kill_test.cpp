// A saved game survives a kill at any moment: a child process saves one slot
// in a loop, two parties in turn, and is killed at random moments. After each
// kill the next start settles the saves and the slot loads as the whole old or
// the whole new party, with no temporary file left. TW_KILL_TRIALS sets the
// number of kills (100 by default).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "rules/pty.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "support/env_count.h"
#include "support/save_dir.h"

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;

namespace {

// Every member's name and the gold carry the party's name, so a mixed slot shows.
void make_party(pty_t& p, const wchar_t* name, int n, double gold) {
    std::vector<unit_t*> us = mk_default_pty_units();
    while (int(us.size()) > n) {
        delete us.back();
        us.pop_back();
    }
    for (size_t i = 0; i < us.size(); ++i) us[i]->name = Str(L"%s%d", name, int(i));
    p.init(name, us);
    p.gold = gold;
}

void save_as(pty_t& p, const Str& slot) {
    g_pty.assign_data(p);
    g_pty.units.swap(p.units);
    const bool ok = save_slot_dir(slot.buf);
    g_pty.units.swap(p.units);
    if (!ok) _exit(3);
}

// The child: saves b, then a, then b, ... and says so after each save.
[[noreturn]] void save_for_ever(pty_t& a, pty_t& b, const Str& slot, int out) {
    for (;;)
        for (pty_t* p : {&b, &a}) {
            save_as(*p, slot);
            if (write(out, "s", 1) != 1) _exit(4);
        }
}

bool read_byte(int fd) {
    char c;
    return read(fd, &c, 1) == 1;
}

// How the kill left the slot before the start settled it.
struct tally_t {
    int trials = 0, writing_new = 0, mid_switch = 0, removing_old = 0, between = 0, held_a = 0;
};

void classify(const fs::path& root, tally_t& t) {
    const bool slot = fs::exists(root / "10000001"), fresh = fs::exists(root / "10000001.new"),
               old = fs::exists(root / "10000001.old");
    if (old && !slot)
        ++t.mid_switch;
    else if (old)
        ++t.removing_old;
    else if (fresh)
        ++t.writing_new;
    else
        ++t.between;
}

// Only the slot folder, and in it only the party file and its members.
void expect_no_stray_file(const fs::path& root, size_t members) {
    for (const auto& e : fs::directory_iterator(root)) EXPECT_EQ(e.path().filename(), "10000001");
    size_t n = 0;
    for (const auto& e : fs::directory_iterator(root / "10000001")) {
        const std::string name = e.path().filename().string();
        EXPECT_TRUE(name == "my.pty" || e.path().extension() == ".pc") << name;
        ++n;
    }
    EXPECT_EQ(n, members + 1);
}

using SaveKill = save_dir_test_t;

}  // namespace

TEST_F(SaveKill, AKillAtAnyMomentLeavesTheWholeOldOrTheWholeNewSave) {
    const int trials = env_count("TW_KILL_TRIALS", 100, 100);
    pty_t a, b;
    make_party(a, L"A", 5, 111.0);
    make_party(b, L"B", 3, 222.0);
    const Str slot = arena_slot_dir(10000001);
    const fs::path root = dir.path("saves/arena");
    save_as(a, slot);

    std::mt19937 rng(std::random_device{}());
    tally_t t;
    for (int i = 0; i < trials; ++i) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            save_for_ever(a, b, slot, fds[1]);
        }
        close(fds[1]);
        // One whole save gives the length of a save; the kill then falls
        // anywhere in the next two.
        ASSERT_TRUE(read_byte(fds[0]));
        const auto t0 = clock_type::now();
        ASSERT_TRUE(read_byte(fds[0]));
        const auto one_save = std::chrono::duration_cast<std::chrono::microseconds>(clock_type::now() - t0);
        std::uniform_int_distribution<long> pick(0, 2 * one_save.count());
        std::this_thread::sleep_for(std::chrono::microseconds(pick(rng)));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        close(fds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;

        ++t.trials;
        classify(root, t);
        settle_saves();  // the next start
        g_pty.reset();
        ASSERT_TRUE(load_slot_dir(slot.buf)) << "trial " << i;
        const bool is_a = g_pty.name == L"A";
        ASSERT_TRUE(is_a || g_pty.name == L"B") << "trial " << i;
        ASSERT_EQ(g_pty.gold, is_a ? 111.0 : 222.0) << "trial " << i;
        ASSERT_EQ(g_pty.units.size(), is_a ? 5u : 3u) << "trial " << i;
        for (size_t k = 0; k < g_pty.units.size(); ++k)
            ASSERT_EQ(g_pty.units[k]->name, Str(L"%s%d", g_pty.name, int(k))) << "trial " << i;
        expect_no_stray_file(root, g_pty.units.size());
        t.held_a += is_a;
    }
    std::printf("%d kills: %d while the new content was written, %d between the two renames, %d while the old "
                "content was removed, %d between saves; the slot then held party A %d times, B %d times\n",
                t.trials, t.writing_new, t.mid_switch, t.removing_old, t.between, t.held_a, t.trials - t.held_a);
}
