#include "app/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <tuple>

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

// The text an in-place edit leaves of `in`.
template <class F>
std::wstring after(const wchar_t* in, F edit) {
    Str s(in);
    edit(s);
    return s.buf;
}

}  // namespace

TEST(Paths, TakingPathsApart) {
    EXPECT_EQ(after(L"", add_trailing_sep) + after(L"a\\", add_trailing_sep), L"/a\\");
    for (auto [in, parent, title] :
         {std::tuple{L"a/b/c.png", L"a/b/", L"c"}, {L"a/b/", L"a/", L""}, {L"C:x", L"C:", L"C:x"}, {L"/", L"", L""},
          {L"gfx\\it\\sword.big.png", L"gfx\\it\\", L"sword.big"}, {L"a.b/.cfg", L"a.b/", L""}}) {
        EXPECT_STREQ(get_parent_dir(in).c_str(), parent) << in;
        EXPECT_STREQ(get_file_title(in).c_str(), title) << in;
    }
    EXPECT_TRUE(get_parent_dir(nullptr).empty() && get_file_title(nullptr).empty());
    EXPECT_EQ(after(L"a.b/c", strip_ext) + after(L"a\\b.c.d", strip_ext), L"a.b/ca\\b.c");
    for (auto [cut, out] : {std::pair{4, L"it/s"}, {99, L""}, {-5, L"gfx/it/s"}})
        EXPECT_EQ(after(L"gfx/it/s.png", [cut](Str& s) { cut_prefix_and_ext(s, cut); }), out) << cut;
    Str dir, pat(L"keep"), wild(L"a\\b/*.x");
    EXPECT_FALSE(split_path_spec(L"*.pc", dir, pat));
    EXPECT_EQ(joined({dir, pat}), L"*.pc|keep|");
    EXPECT_TRUE(split_path_spec(wild, wild, pat));  // the input may be one of the outputs
    EXPECT_EQ(joined({wild, pat}), L"a\\b|*.x|");
}

TEST(Paths, Wildcards) {
    for (auto [name, pats, cs, want] :
         {std::tuple{L"Portrait.PNG", L"*.png;*.jpg", false, true}, {L"Portrait.PNG", L"*.png;*.jpg", true, false},
          {L"ab", L"?b?", false, false}, {L"", L"*", false, true}, {L"", L"", false, false},
          {L"a", L";;a", false, true}, {L"abbbd", L"a*c", false, false}, {L"mississippi", L"m*iss*ppi", true, true},
          {L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", L"*a*a*a*a*a*a*a*a*a*a*b", false, false}})
        EXPECT_EQ(match_wildcards(name, pats, cs), want) << name << " ~ " << pats;
    EXPECT_TRUE(match_wildcard(L"x;y", L"x;y", true));  // one pattern is not split
    EXPECT_FALSE(match_wildcard(L"x", nullptr, true) || match_wildcards(L"x", nullptr, true));
}

TEST(Paths, TextHelpers) {
    EXPECT_EQ(str_find_chr(L"abcabc", L'a', 1), 3);
    EXPECT_EQ(str_find_chr(L"abc", L'a', -1), -1);  // would read before the text
    for (auto [s, n, ok, want] : {std::tuple{L"12ab", 2, true, 12}, {L"1-2", 3, false, 0}, {L"12", -1, false, 0},
                                  {L"2147483647", 10, true, INT_MAX}, {L"2147483648", 10, false, 0}}) {
        int v = -7;
        EXPECT_EQ(parse_int_n(s, n, &v), ok) << s;
        EXPECT_EQ(v, ok ? want : -7) << s;
    }
    unsigned h = 0;
    EXPECT_TRUE(parse_hex_n(L"ffFFFFFF", 8, &h) && h == 0xffffffffu);
    EXPECT_FALSE(parse_hex_n(L"1FFFFFFFF", 9, &h) || parse_hex_n(L"fg", 2, &h));
    for (auto [text, sep, parts] : {std::tuple{L"a,,b,", L",", L"a||b||"}, {L"", L",", L""},
                                    {L"a::b:c", L"::", L"a|b:c|"}, {L"ab", L"", L"ab|"}})
        EXPECT_EQ(joined(str_split(text, sep)), parts) << text;
    EXPECT_EQ(after(L"\u3000 x \t", [](Str& s) { str_trim_left(s.buf), str_trim_right(s.buf); }), L"x");
    str_pool_t pool;
    EXPECT_EQ(pool.add(L""), nullptr);
    Str src(L"link");
    const wchar_t* a = pool.add(src);
    src.set_at(0, L'X');
    for (int i = 0; i < 100; ++i) pool.add(L"more");  // growth must not move earlier texts
    EXPECT_STREQ(a, L"link");
}

TEST(Paths, ShellOpensOnlyPlainTargets) {
    EXPECT_EQ(shell_url(L"mailto:x@y", nullptr), "mailto:x@y");
    EXPECT_EQ(shell_url(L"a b/\u00fc#.txt", L"/tmp/d"), "file:///tmp/d/a%20b/%C3%BC%23.txt");
    EXPECT_EQ(shell_url(L"\\tmp\\..\\tmp\\x", nullptr), "file:///tmp/x");
    EXPECT_EQ(shell_url(L"C:x", nullptr).rfind("file:///", 0), 0u);  // one letter is no scheme

    static std::vector<std::string> opened;
    set_url_opener([](const char* url) { return opened.push_back(url), 0; });
    EXPECT_TRUE(shell_exec(L"https://example.org", L"Open", 1, nullptr, nullptr, nullptr));
    EXPECT_TRUE(shell_exec(L"/tmp/a.txt", nullptr, 1, L"", nullptr, nullptr));
    EXPECT_FALSE(shell_exec(L"/tmp/a.txt", L"edit", 1, nullptr, nullptr, nullptr));
    EXPECT_FALSE(shell_exec(L"/bin/sh", L"open", 1, L"-c reboot", nullptr, nullptr));
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org", "file:///tmp/a.txt"}));
    set_url_opener([](const char*) { return -1; });
    EXPECT_FALSE(shell_exec(L"https://example.org", L"open", 1, nullptr, nullptr, nullptr));
    set_url_opener(nullptr);
}

// A temporary folder with a small tree under "top" for the listings.
class PathsFs : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"b.txt", "a.png", "C.PNG", "sub1/x.txt", "sub1/deep/y.txt", "sub2/z.png"})
            t.file(std::string("top/") + f);
        top = at("top");
    }
    Str at(const std::string& rel = "") const { return W(rel.empty() ? t.root().string() : t.path(rel)); }
    std::wstring full(std::initializer_list<const char*> rels) const {
        std::wstring s;
        for (const char* r : rels) s += std::wstring(top.c_str()) + L"/" + W(r).c_str() + L"|";
        return s;
    }
    temp_dir_t t;
    Str top;
};

TEST_F(PathsFs, ExistenceAndCreation) {
    EXPECT_TRUE(file_exists(at("top/b.txt")) && path_exists(at() + L"\\") && path_exists(L"/"));
    EXPECT_FALSE(path_exists(at("nope/")) || path_exists(L"") || file_exists(nullptr));
    const Str deep = at("x/y\\z");
    EXPECT_TRUE(create_dir_tree(deep) && fs::is_directory(t.root() / "x/y/z"));
    EXPECT_FALSE(create_dir_tree(deep));  // an existing folder is not created
    EXPECT_TRUE(ensure_dir(deep) && ensure_dir(at("e/f/")));
    EXPECT_FALSE(create_dir_tree(at("top/b.txt/sub/leaf")) || ensure_dir(at("top/b.txt/sub")) || create_dir_tree(L""));
    // A drive-style name is its own parent; it must not recurse for ever.
    const fs::path cwd = fs::current_path();
    fs::current_path(t.root());
    const bool made = create_dir_tree(L"C:x");
    fs::current_path(cwd);
    EXPECT_TRUE(made);
}

TEST_F(PathsFs, FindFileWithExt) {
    for (const char* f : {"snd.wav", "snd.mp3", "exact.wav", "music.ogg"}) t.file(f);
    t.folder("music");
    const std::vector<Str> exts{Str(L"ogg"), Str(L"mp3"), Str(L"wav")};
    const Str dir = at() + L"/";
    for (auto [name, found] : {std::pair{L"snd", L"snd.mp3"}, {L"exact.wav", L"exact.wav"}, {L"music", L"music.ogg"}})
        EXPECT_STREQ(find_file_with_ext(name, dir, exts).c_str(), (dir + found).c_str());
    EXPECT_TRUE(find_file_with_ext(L"", dir, exts).empty());  // the folder itself is no file
}

TEST_F(PathsFs, ListingPatternsFoldersAndOrder) {
    EXPECT_EQ(joined(list_files_spec(top + L"\\*.png", LF_FILES | LF_SORT)), L"C.PNG|a.png|");
    EXPECT_TRUE(list_files(at("missing"), L"*", LF_FILES).empty() && list_files(top, L"", LF_FILES).empty());
    // The top folder's own entries come first, then each subfolder depth first.
    auto v = list_files(top, L"*.txt;*.png", LF_FILES | LF_FULL_PATH | LF_RECURSE);
    ASSERT_EQ(v.size(), 6u);
    std::sort(v.begin(), v.begin() + 3);
    EXPECT_EQ(joined({v.begin(), v.begin() + 3}), full({"C.PNG", "a.png", "b.txt"}));
    const std::wstring tail = joined({v.begin() + 3, v.end()});
    EXPECT_TRUE(tail == full({"sub1/x.txt", "sub1/deep/y.txt", "sub2/z.png"}) ||
                tail == full({"sub2/z.png", "sub1/x.txt", "sub1/deep/y.txt"}))
        << tail;
    EXPECT_EQ(joined(list_files(top, L"*", LF_FILES | LF_FULL_PATH | LF_RECURSE | LF_SORT)),
              full({"C.PNG", "a.png", "b.txt", "sub1/deep/y.txt", "sub1/x.txt", "sub2/z.png"}));

    // A linked folder is listed but not entered; appended results keep what was there.
    fs::create_directory_symlink(t.root() / "top", t.root() / "top/sub2/loop");
    std::vector<Str> out{Str(L"zz-kept")};
    EXPECT_EQ(list_files_into(out, top, L"*", LF_FOLDERS | LF_FULL_PATH | LF_RECURSE | LF_SORT), 4);
    EXPECT_EQ(joined(out), full({"sub1", "sub1/deep", "sub2", "sub2/loop"}) + L"zz-kept|");
}

TEST_F(PathsFs, ListingCallbackSeesEveryEntryAndStopsTheWalk) {
    // Counts the calls for the top folder and refuses the first entry met below it.
    struct log_t { std::wstring top; int top_calls = 0, sub_calls = 0; } log{std::wstring(top.c_str()) + L"/"};
    auto cb = [](const wchar_t* folder, const wchar_t*, bool, void* user) {
        auto* l = static_cast<log_t*>(user);
        return l->top == folder ? ++l->top_calls > 0 : ++l->sub_calls < 0;
    };
    EXPECT_EQ(list_files(top, L"*", LF_FILES | LF_FOLDERS | LF_RECURSE, cb, &log).size(), 5u);
    EXPECT_EQ(log.top_calls, 5);
    EXPECT_EQ(log.sub_calls, 1);  // no other subfolder is visited after the stop
}
