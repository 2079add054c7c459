#include "app/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/seams.h"
#include "app/sys.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

Str W(const std::string& utf8) { return utf8_to_str(utf8.c_str()); }

std::wstring joined(const std::vector<Str>& v) {
    std::wstring s;
    for (const Str& p : v) s += std::wstring(p.c_str()) + L"|";
    return s;
}

}  // namespace

// ---- program folders ----

TEST(Paths, ExeAndGfxDirs) {
    const Str& dir = get_exe_dir();
    ASSERT_TRUE(str_ends_with(dir, L"/"));
    EXPECT_TRUE(fs::is_regular_file(os_path(dir + L"app_paths_test")));
    EXPECT_EQ(&get_exe_dir(), &dir);
    EXPECT_STREQ(get_gfx_dir().c_str(), (dir + L"gfx/").c_str());
}

TEST(Paths, AddTrailingSep) {
    for (auto [in, out] : {std::pair{L"", L"/"}, {L"a", L"a/"}, {L"a/", L"a/"}, {L"a\\", L"a\\"}}) {
        Str s(in);
        add_trailing_sep(s);
        EXPECT_STREQ(s.c_str(), out) << in;
    }
}

// ---- taking paths apart ----

TEST(Paths, ParentDirAndFileTitle) {
    struct row_t {
        const wchar_t* in;
        const wchar_t* parent;
        const wchar_t* title;
    } rows[] = {
        {L"a/b/c.png", L"a/b/", L"c"},
        {L"a/b/", L"a/", L""},
        {L"C:x", L"C:", L"C:x"},
        {L"x", L"", L"x"},
        {L"gfx\\items\\sword.big.png", L"gfx\\items\\", L"sword.big"},
        {L"a.b/.cfg", L"a.b/", L""},
        {L"/", L"", L""},
        {L"", L"", L""},
    };
    for (const auto& r : rows) {
        EXPECT_STREQ(get_parent_dir(r.in).c_str(), r.parent) << r.in;
        EXPECT_STREQ(get_file_title(r.in).c_str(), r.title) << r.in;
    }
    EXPECT_TRUE(get_parent_dir(nullptr).empty());
    EXPECT_TRUE(get_file_title(nullptr).empty());
}

TEST(Paths, StripExtAndCutPrefix) {
    struct row_t {
        const wchar_t* in;
        int cut;  // -1: strip_ext alone
        const wchar_t* out;
    } rows[] = {
        {L"a.b/c", -1, L"a.b/c"},  {L"a/b.c", -1, L"a/b"},       {L"a\\b.c.d", -1, L"a\\b.c"},
        {L"gfx/it/s.png", 4, L"it/s"}, {L"gfx/it/s.png", 12, L""}, {L"gfx/it/s.png", 99, L""},
        {L"x.png", 0, L"x"},       {L"x.png", -5, L"x"},
    };
    for (const auto& r : rows) {
        Str s(r.in);
        if (r.cut == -1)
            strip_ext(s);
        else
            cut_prefix_and_ext(s, r.cut);
        EXPECT_STREQ(s.c_str(), r.out) << r.in << " " << r.cut;
    }
}

TEST(Paths, SplitPathSpec) {
    Str dir, pat(L"keep");
    EXPECT_FALSE(split_path_spec(L"*.pc", dir, pat));
    EXPECT_STREQ(dir.c_str(), L"*.pc");
    EXPECT_STREQ(pat.c_str(), L"keep");

    EXPECT_TRUE(split_path_spec(L"saves\\pcs/*.pc", dir, pat));
    EXPECT_STREQ(dir.c_str(), L"saves\\pcs");
    EXPECT_STREQ(pat.c_str(), L"*.pc");

    Str wild(L"a/b/*.x");  // the input may be one of the outputs
    EXPECT_TRUE(split_path_spec(wild, wild, pat));
    EXPECT_STREQ(wild.c_str(), L"a/b");
    EXPECT_STREQ(pat.c_str(), L"*.x");
}

// ---- wildcards ----

TEST(Wildcards, MatchTable) {
    struct row_t {
        const wchar_t* name;
        const wchar_t* pats;
        bool cs;
        bool want;
    } rows[] = {
        {L"Portrait.PNG", L"*.png;*.jpg", false, true},
        {L"Portrait.PNG", L"*.png;*.jpg", true, false},
        {L"a.jpg", L"*.png;*.jpg", true, true},
        {L"a", L"a?", false, false},
        {L"", L"*", false, true},
        {L"", L"", false, false},
        {L"", L";", false, false},
        {L"a", L";;a", false, true},
        {L".png", L"*.png", false, true},
        {L"abbbc", L"a*c", false, true},
        {L"abbbd", L"a*c", false, false},
        {L"a", L"a**", false, true},
        {L"abc", L"?b?", false, true},
        {L"ab", L"?b?", false, false},
        {L"mississippi", L"m*iss*ppi", true, true},
        {L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", L"*a*a*a*a*a*a*a*a*a*a*b", false, false},
    };
    for (const auto& r : rows) EXPECT_EQ(match_wildcards(r.name, r.pats, r.cs), r.want) << r.name << " ~ " << r.pats;
    EXPECT_TRUE(match_wildcard(L"x;y", L"x;y", true)) << "one pattern is not split";
    EXPECT_FALSE(match_wildcard(L"x", nullptr, true));
    EXPECT_FALSE(match_wildcards(L"x", nullptr, true));
}

// ---- text ----

TEST(Text, FindChrAndEndsWith) {
    EXPECT_EQ(str_find_chr(L"abc", L'a', 3), -1);
    EXPECT_EQ(str_find_chr(L"abc", L'c', 0), 2);
    EXPECT_EQ(str_find_chr(L"abcabc", L'a', 1), 3);
    EXPECT_EQ(str_find_chr(L"abc", L'a', -1), -1);
    EXPECT_EQ(str_find_chr(L"", L'a', 0), -1);
    EXPECT_EQ(str_find_chr(nullptr, L'a', 0), -1);

    EXPECT_TRUE(str_ends_with(L"a/b/", L"/"));
    EXPECT_TRUE(str_ends_with(L"abab", L"ab"));
    EXPECT_FALSE(str_ends_with(L"abab", L"ba"));
    EXPECT_FALSE(str_ends_with(L"b", L"ab"));
    EXPECT_TRUE(str_ends_with(L"a", L""));
    EXPECT_FALSE(str_ends_with(nullptr, L"a"));
}

TEST(Text, ParseFixedWidthNumbers) {
    struct row_t {
        const wchar_t* s;
        int n;
        bool ok;
        int v;
    } dec[] = {
        {L"12ab", 2, true, 12},  {L"1-2", 3, false, 0},          {L"12", 0, false, 0},
        {L"12", 3, false, 0},    {L"00000042x", 8, true, 42},    {L"2147483647", 10, true, 2147483647},
        {L"2147483648", 10, false, 0}, {L"12", -1, false, 0},
    };
    for (const auto& r : dec) {
        int v = -7;
        EXPECT_EQ(parse_int_n(r.s, r.n, &v), r.ok) << r.s << " " << r.n;
        EXPECT_EQ(v, r.ok ? r.v : -7) << r.s;
    }
    unsigned h = 0;
    EXPECT_TRUE(parse_hex_n(L"ff00FF", 6, &h));
    EXPECT_EQ(h, 0xff00ffu);
    EXPECT_TRUE(parse_hex_n(L"FFFFFFFF", 8, &h));
    EXPECT_EQ(h, 0xffffffffu);
    EXPECT_FALSE(parse_hex_n(L"1FFFFFFFF", 9, &h));
    EXPECT_FALSE(parse_hex_n(L"fg", 2, &h));
    EXPECT_FALSE(parse_hex_n(L"f", 2, &h));
}

TEST(Text, ParseLeadingInt) {
    int v = 0;
    const wchar_t* s = L"123abc";
    const wchar_t* end = nullptr;
    EXPECT_TRUE(parse_leading_int(&v, s, &end));
    EXPECT_EQ(v, 123);
    EXPECT_EQ(end, s + 3);
    EXPECT_TRUE(parse_leading_int(&v, L"007", nullptr));
    EXPECT_EQ(v, 7);
    v = 5;
    EXPECT_FALSE(parse_leading_int(&v, L"-1", &end));
    EXPECT_FALSE(parse_leading_int(&v, L"", &end));
    EXPECT_FALSE(parse_leading_int(&v, nullptr, &end));
    EXPECT_EQ(v, 5);
}

TEST(Text, Split) {
    struct row_t {
        const wchar_t* text;
        const wchar_t* sep;
        const wchar_t* parts;  // each part followed by "|"
        size_t n;
    } rows[] = {
        {L"a,,b,", L",", L"a||b||", 4}, {L"", L",", L"", 0},      {L"abc", L",", L"abc|", 1},
        {L"a::b:c", L"::", L"a|b:c|", 2}, {L",", L",", L"||", 2},  {L"ab", L"", L"ab|", 1},
    };
    for (const auto& r : rows) {
        const auto v = str_split(r.text, r.sep);
        EXPECT_EQ(v.size(), r.n) << r.text;
        EXPECT_EQ(joined(v), r.parts) << r.text;
    }
    EXPECT_TRUE(str_split(nullptr, L",").empty());

    std::vector<Str> out{Str(L"old")};
    str_split_into(L"", out, L",");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0].empty());
    str_split_into(L"x:y", out, L":");
    EXPECT_EQ(joined(out), L"x|y|");
    str_split_into(nullptr, out, L":");
    EXPECT_TRUE(out.empty());
}

TEST(Text, Trim) {
    for (auto [in, left, right] : {std::tuple{L" \t a b \n", L"a b \n", L" \t a b"}, {L"   ", L"", L""},
                                   {L"", L"", L""}, {L"x", L"x", L"x"}, {L"\u3000x\u3000", L"x\u3000", L"\u3000x"}}) {
        Str l(in), r(in);
        str_trim_left(l.buf);
        str_trim_right(r.buf);
        EXPECT_STREQ(l.c_str(), left);
        EXPECT_STREQ(r.c_str(), right);
    }
    str_trim_left(nullptr);
    str_trim_right(nullptr);
}

TEST(Text, PoolKeepsCopies) {
    str_pool_t pool;
    EXPECT_EQ(pool.add(nullptr), nullptr);
    EXPECT_EQ(pool.add(L""), nullptr);
    Str src(L"link");
    const wchar_t* a = pool.add(src);
    const wchar_t* b = pool.add(L"tip");
    src.set_at(0, L'X');
    ASSERT_NE(a, src.c_str());
    EXPECT_STREQ(a, L"link");
    for (int i = 0; i < 100; ++i) pool.add(L"more");  // growth must not move earlier texts
    EXPECT_STREQ(a, L"link");
    EXPECT_STREQ(b, L"tip");
}

// ---- small services ----

namespace {
uint32_t fake_now = 0;
std::vector<std::string> opened;
int open_ok(const char* url) {
    opened.push_back(url);
    return 0;
}
int open_fail(const char*) { return -1; }
}  // namespace

TEST(Services, TicksSinceMarkWrapsAt32Bits) {
    seams().ticks_ms = [] { return fake_now; };
    fake_now = 0xFFFFFFF0u;
    tick_mark();
    fake_now = 0x10;
    EXPECT_EQ(ticks_since_mark(), 0x20u);
    fake_now = 0xFFFFFFF5u;
    EXPECT_EQ(ticks_since_mark(), 5u);
    seams_reset();
}

TEST(Services, ShellUrl) {
    EXPECT_EQ(shell_url(L"https://example.org/a b", nullptr), "https://example.org/a b");
    EXPECT_EQ(shell_url(L"mailto:x@y", nullptr), "mailto:x@y");
    EXPECT_EQ(shell_url(L"a b/\u00fc#.txt", L"/tmp/d"), "file:///tmp/d/a%20b/%C3%BC%23.txt");
    EXPECT_EQ(shell_url(L"\\tmp\\..\\tmp\\x", nullptr), "file:///tmp/x");
    const std::string rel = shell_url(L"C:x", nullptr);  // one letter is no scheme
    EXPECT_EQ(rel.rfind("file:///", 0), 0u) << rel;
    EXPECT_EQ(shell_url(L"", nullptr), "");
    EXPECT_EQ(shell_url(nullptr, nullptr), "");
}

TEST(Services, ShellExecOpensOnlyPlainTargets) {
    opened.clear();
    set_url_opener(open_ok);
    EXPECT_TRUE(shell_exec(L"https://example.org", L"Open", 1, nullptr, nullptr, nullptr));
    EXPECT_TRUE(shell_exec(L"/tmp/a.txt", nullptr, 1, L"", nullptr, nullptr));
    EXPECT_FALSE(shell_exec(L"/tmp/a.txt", L"edit", 1, nullptr, nullptr, nullptr));
    EXPECT_FALSE(shell_exec(L"/bin/sh", L"open", 1, L"-c reboot", nullptr, nullptr));
    EXPECT_FALSE(shell_exec(L"", L"open", 1, nullptr, nullptr, nullptr));
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org", "file:///tmp/a.txt"}));
    set_url_opener(open_fail);
    EXPECT_FALSE(shell_exec(L"https://example.org", L"open", 1, nullptr, nullptr, nullptr));
    set_url_opener(nullptr);
}

// ---- existence, creation and listings on a temporary tree ----

class PathsFs : public ::testing::Test {
protected:
    temp_dir_t t;
    Str at(const std::string& rel = "") const { return W(t.path(rel)); }
};

TEST_F(PathsFs, ExistenceWithTrailingSeparators) {
    t.file("f.txt");
    t.folder("d");
    EXPECT_TRUE(file_exists(at("f.txt")));
    EXPECT_TRUE(file_exists(at("d")));
    EXPECT_TRUE(path_exists(at("d") + L"/"));
    EXPECT_TRUE(path_exists(at("d") + L"\\"));
    EXPECT_FALSE(path_exists(at("nope/")));
    EXPECT_TRUE(path_exists(L"/"));
    EXPECT_FALSE(path_exists(L""));
    EXPECT_FALSE(file_exists(nullptr));
}

TEST_F(PathsFs, CreateDirTreeAndEnsureDir) {
    t.file("f.txt");
    const Str deep = at("x/y\\z");
    EXPECT_TRUE(create_dir_tree(deep));
    EXPECT_TRUE(fs::is_directory(t.root() / "x/y/z"));
    EXPECT_FALSE(create_dir_tree(deep)) << "an existing folder is not created";
    EXPECT_TRUE(ensure_dir(deep));
    EXPECT_TRUE(ensure_dir(at("e/f/")));
    EXPECT_TRUE(fs::is_directory(t.root() / "e/f"));
    EXPECT_FALSE(create_dir_tree(at("f.txt/sub/leaf")));
    EXPECT_FALSE(ensure_dir(at("f.txt/sub")));
    EXPECT_FALSE(create_dir_tree(L""));
}

TEST_F(PathsFs, CreateDirTreeOfADriveStylePathEnds) {
    const fs::path cwd = fs::current_path();
    fs::current_path(t.root());
    const bool made = create_dir_tree(L"C:x");
    fs::current_path(cwd);
    EXPECT_TRUE(made);
    EXPECT_TRUE(fs::is_directory(t.root() / "C:x"));
}

TEST_F(PathsFs, FindFileWithExt) {
    t.file("snd.wav");
    t.file("snd.mp3");
    t.file("exact.wav");
    t.folder("music");
    t.file("music.ogg");
    const std::vector<Str> exts{Str(L"ogg"), Str(L"mp3"), Str(L"wav")};
    const Str dir = at() + L"/";
    EXPECT_STREQ(find_file_with_ext(L"snd", dir, exts).c_str(), (dir + L"snd.mp3").c_str());
    EXPECT_STREQ(find_file_with_ext(L"exact.wav", dir, exts).c_str(), (dir + L"exact.wav").c_str());
    EXPECT_STREQ(find_file_with_ext(L"music", dir, exts).c_str(), (dir + L"music.ogg").c_str());
    EXPECT_TRUE(find_file_with_ext(L"none", dir, exts).empty());
    EXPECT_TRUE(find_file_with_ext(L"", dir, exts).empty()) << "the folder itself is no file";
}

class Listing : public PathsFs {
protected:
    void SetUp() override {
        for (const char* f : {"top/b.txt", "top/a.png", "top/C.PNG", "top/sub1/x.txt", "top/sub1/deep/y.txt",
                              "top/sub2/z.png"})
            t.file(f);
        top = at("top");
    }
    Str top;
    Str full(const char* rel) const { return top + L"/" + W(rel); }
};

TEST_F(Listing, NamesOfMatchingFilesOnly) {
    auto v = list_files(top, L"*.png", LF_FILES, nullptr, nullptr);
    std::sort(v.begin(), v.end());
    EXPECT_EQ(joined(v), L"C.PNG|a.png|");
    EXPECT_TRUE(list_files(at("missing"), L"*", LF_FILES | LF_FOLDERS).empty());
    EXPECT_TRUE(list_files(top, L"", LF_FILES).empty());
}

TEST_F(Listing, RecursionListsTopFolderFirstThenEachSubfolderDepthFirst) {
    const auto v = list_files(top, L"*.txt;*.png", LF_FILES | LF_FULL_PATH | LF_RECURSE);
    ASSERT_EQ(v.size(), 6u);
    std::vector<Str> head(v.begin(), v.begin() + 3), tail(v.begin() + 3, v.end());
    std::sort(head.begin(), head.end());
    EXPECT_EQ(joined(head), joined({full("C.PNG"), full("a.png"), full("b.txt")}));
    const std::wstring sub1_first = joined({full("sub1/x.txt"), full("sub1/deep/y.txt"), full("sub2/z.png")});
    const std::wstring sub2_first = joined({full("sub2/z.png"), full("sub1/x.txt"), full("sub1/deep/y.txt")});
    EXPECT_TRUE(joined(tail) == sub1_first || joined(tail) == sub2_first) << joined(tail);
}

TEST_F(Listing, SortedFoldersAndAppendedCounts) {
    const auto sorted = list_files(top, L"*", LF_FILES | LF_FULL_PATH | LF_RECURSE | LF_SORT);
    EXPECT_EQ(joined(sorted), joined({full("C.PNG"), full("a.png"), full("b.txt"), full("sub1/deep/y.txt"),
                                      full("sub1/x.txt"), full("sub2/z.png")}));

    std::vector<Str> out{Str(L"zz-kept")};
    EXPECT_EQ(list_files_into(out, top, L"*", LF_FOLDERS | LF_FULL_PATH | LF_RECURSE | LF_SORT), 3);
    EXPECT_EQ(joined(out), joined({full("sub1"), full("sub1/deep"), full("sub2"), Str(L"zz-kept")}));

    auto found = list_files_spec(top + L"\\*.PNG", LF_FILES);
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(Listing, CallbackSeesEveryEntryAndStopsTheWholeWalk) {
    struct log_t {
        std::wstring top;
        std::vector<std::wstring> calls;  // entries seen below the top folder
        int top_calls = 0;
        bool seps_ok = true;
    } log;
    log.top = std::wstring(top.c_str()) + L"/";
    // Refuses the first entry met inside any subfolder.
    auto cb = [](const wchar_t* folder, const wchar_t* name, bool, void* user) {
        auto* l = static_cast<log_t*>(user);
        l->seps_ok = l->seps_ok && str_ends_with(folder, L"/");
        if (l->top == folder) return ++l->top_calls > 0;
        l->calls.push_back(std::wstring(folder) + name);
        return false;
    };
    const auto v = list_files(top, L"*", LF_FILES | LF_FOLDERS | LF_RECURSE, cb, &log);
    EXPECT_TRUE(log.seps_ok);
    EXPECT_EQ(log.top_calls, 5);
    EXPECT_EQ(log.calls.size(), 1u) << "no other subfolder is visited after the stop";
    EXPECT_EQ(v.size(), 5u) << "only the top folder's entries are listed";

    int calls = 0;
    auto count = [](const wchar_t*, const wchar_t*, bool, void* user) { return ++*static_cast<int*>(user) > 0; };
    EXPECT_TRUE(list_files(top, L"", LF_FILES | LF_RECURSE, count, &calls).empty());
    EXPECT_EQ(calls, 9) << "the callback runs for every entry, before the pattern test";
}

TEST_F(Listing, LinkedFoldersAreListedButNotEntered) {
    fs::create_directory_symlink(t.root() / "top", t.root() / "top/sub2/loop");
    const auto v = list_files(top, L"*", LF_FOLDERS | LF_FULL_PATH | LF_RECURSE | LF_SORT);
    EXPECT_EQ(joined(v), joined({full("sub1"), full("sub1/deep"), full("sub2"), full("sub2/loop")}));
}
