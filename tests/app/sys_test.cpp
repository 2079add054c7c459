#include "app/sys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {
Str W(const std::string& utf8) { return utf8_to_str(utf8.c_str()); }
}  // namespace

TEST(SysStr, ToIntExReadsDecimalHexAndReportsNoNumber) {
    struct row_t {
        const wchar_t* in;
        bool hex;
        bool ok;
        int v;
    } rows[] = {
        {L"0x1F", true, true, 31},       {L"0X1f", true, true, 31},   {L"0x1F", false, true, 0},
        {L"12abc", true, true, 12},      {L"-5", true, true, -5},     {L"+3", false, true, 3},
        {L"  \t7", false, true, 7},      {L"abc", true, false, 0},    {L"", true, false, 0},
        {L"-", true, false, 0},          {L"0x", true, true, 0},      {L"0xFFFFFFFF", true, true, -1},
        {L"4294967297", false, true, 1}, {L"-0x10", true, true, -16},
    };
    for (const auto& r : rows) {
        int v = 1234;
        EXPECT_EQ(sys_str_to_int_ex(r.in, r.hex, &v), r.ok) << r.in;
        EXPECT_EQ(v, r.ok ? r.v : 1234) << r.in;
    }
    EXPECT_FALSE(sys_str_to_int_ex(nullptr, true, nullptr));
    EXPECT_EQ(sys_str_to_int(L"12abc"), 12);
    EXPECT_EQ(sys_str_to_int(L"-8x"), -8);
    EXPECT_EQ(sys_str_to_int(L"x8"), 0);
    EXPECT_EQ(sys_str_to_int(nullptr), 0);
}

TEST(SysStr, CompareAndSearch) {
    EXPECT_EQ(sys_str_cmp(L"abc", L"abc"), 0);
    EXPECT_LT(sys_str_cmp(L"Z", L"a"), 0);  // case-sensitive code-unit order
    EXPECT_LT(sys_str_cmp(L"ab", L"abc"), 0);
    EXPECT_GT(sys_str_cmp(L"\u00e9", L"z"), 0);
    EXPECT_EQ(sys_str_cmp(nullptr, L""), 0);
    EXPECT_LT(sys_str_cmp(nullptr, L"a"), 0);

    const wchar_t* s = L"a/b/c";
    EXPECT_EQ(sys_str_chr(s, L'/'), s + 1);
    EXPECT_EQ(sys_str_rchr(s, L'/'), s + 3);
    EXPECT_EQ(sys_str_chr(s, L'x'), nullptr);
    EXPECT_EQ(sys_str_chr(s, 0), nullptr);
    EXPECT_EQ(sys_str_str(s, L"b/"), s + 2);
    EXPECT_EQ(sys_str_str(s, L""), s);
    EXPECT_EQ(sys_str_str(s, L"c/"), nullptr);
    EXPECT_EQ(sys_str_str(nullptr, L"a"), nullptr);
}

TEST(SysPath, OsPathTurnsBackslashesAndEncodesUtf8) {
    EXPECT_EQ(os_path(L"saves\\pcs/00000001.pc"), "saves/pcs/00000001.pc");
    EXPECT_EQ(os_path(L"f\u00fcr/\u4e2d"), "f\xc3\xbcr/\xe4\xb8\xad");
    EXPECT_EQ(os_path(nullptr), "");
}

TEST(SysPath, RemoveFileName) {
    struct row_t {
        const wchar_t* in;
        const wchar_t* out;
        bool cut;
    } rows[] = {
        {L"/a/b/c", L"/a/b", true}, {L"/a/b/", L"/a/b", true}, {L"/a", L"/", true}, {L"/", L"/", false},
        {L"x", L"", true},          {L"", L"", false},         {L"a\\b", L"a", true},
    };
    for (const auto& r : rows) {
        Str s(r.in);
        EXPECT_EQ(sys_path_remove_file_name(s), r.cut) << r.in;
        EXPECT_STREQ(s.c_str(), r.out) << r.in;
    }
}

TEST(SysFs, DirectoryEnumeratorGivesNamesKindsAndLinks) {
    temp_dir_t t;
    t.file("f\xc3\xbcr.txt");
    t.folder("sub");
    fs::create_directory_symlink(t.root(), t.root() / "up");

    std::map<std::wstring, std::pair<bool, bool>> seen;  // name -> {folder, link}
    sys_dir_t d(W(t.path()));
    ASSERT_TRUE(d.is_open());
    sys_dir_entry_t e;
    while (d.next(e)) seen[e.name.c_str()] = {e.is_folder, e.is_link};
    EXPECT_FALSE(d.next(e)) << "the end stays the end";

    const std::map<std::wstring, std::pair<bool, bool>> want = {
        {L"f\u00fcr.txt", {false, false}}, {L"sub", {true, false}}, {L"up", {true, true}}};
    EXPECT_EQ(seen, want);

    sys_dir_t missing(W(t.path("nope")));
    EXPECT_FALSE(missing.is_open());
    EXPECT_FALSE(missing.next(e));
}

TEST(SysFs, ExePathIsThisTestProgram) {
    const Str exe = get_exe_path();
    const std::string p = os_path(exe);
    EXPECT_EQ(fs::path(p).filename(), "app_sys_test");
    EXPECT_TRUE(fs::is_regular_file(p));
}
