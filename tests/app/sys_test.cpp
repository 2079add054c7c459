#include "app/sys.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

TEST(Sys, ToIntReadsDecimalHexAndReportsNoNumber) {
    for (auto [in, hex, ok, want] :
         {std::tuple{L"0X1f", true, true, 31}, {L"0x1F", false, true, 0}, {L"\u3000\t+7", false, true, 7},
          {L"-", true, false, 0}, {L"0x", true, true, 0}, {L"4294967297", false, true, 1},
          {L"-0x10", true, true, -16}}) {
        int v = 1234;
        EXPECT_EQ(sys_str_to_int_ex(in, hex, &v), ok) << in;
        EXPECT_EQ(v, ok ? want : 1234) << in;
    }
    EXPECT_FALSE(sys_str_to_int_ex(nullptr, true, nullptr));
    EXPECT_EQ(sys_str_to_int(L"-8x") + sys_str_to_int(nullptr), -8);
}

TEST(Sys, CompareAndSearch) {
    EXPECT_EQ(sys_str_cmp(L"abc", L"abc") | sys_str_cmp(nullptr, L""), 0);
    // Case-sensitive code-unit order.
    EXPECT_TRUE(sys_str_cmp(L"Z", L"a") < 0 && sys_str_cmp(L"ab", L"abc") < 0 && sys_str_cmp(L"\u00e9", L"z") > 0);
    EXPECT_FALSE(sys_str_chr(L"a", 0) || sys_str_rchr(nullptr, L'/') || sys_str_str(nullptr, L"a"));
}

TEST(Sys, PathsForTheOs) {
    EXPECT_EQ(os_path(L"saves\\pcs/f\u00fcr.pc"), "saves/pcs/f\xc3\xbcr.pc");
    EXPECT_EQ(os_path(nullptr), "");
    for (auto [in, out, cut] : {std::tuple{L"/a/b\\c", L"/a/b", true}, {L"/a", L"/", true}, {L"/", L"/", false},
                                {L"x", L"", true}, {L"", L"", false}}) {
        Str s(in);
        EXPECT_EQ(sys_path_remove_file_name(s), cut) << in;
        EXPECT_STREQ(s.c_str(), out) << in;
    }
    EXPECT_EQ(fs::path(os_path(get_exe_path())).filename(), "app_sys_test");
}

TEST(Sys, DirectoryEnumeratorGivesNamesKindsAndLinks) {
    temp_dir_t t;
    t.file("f\xc3\xbcr.txt");
    t.folder("sub");
    fs::create_directory_symlink(t.root(), t.root() / "up");
    std::map<std::wstring, std::pair<bool, bool>> seen;  // name -> {folder, link}
    sys_dir_t d(utf8_to_str(t.path().c_str()));
    sys_dir_entry_t e;
    while (d.next(e)) seen[e.name.c_str()] = {e.is_folder, e.is_link};
    EXPECT_FALSE(d.next(e));  // the end stays the end
    const decltype(seen) want = {{L"f\u00fcr.txt", {false, false}}, {L"sub", {true, false}}, {L"up", {true, true}}};
    EXPECT_EQ(seen, want);
    sys_dir_t missing(utf8_to_str(t.path("nope").c_str()));
    EXPECT_FALSE(missing.is_open() || missing.next(e));
}
