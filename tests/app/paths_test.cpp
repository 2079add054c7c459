#include "app/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "app/sys.h"
#include "support/str_list.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

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

TEST(Paths, ImageFolderFollowsTheProgramFolder) {
    const Str before = get_exe_dir();
    set_exe_dir(L"/one");
    EXPECT_STREQ(get_gfx_dir().c_str(), L"/one/gfx/");
    set_exe_dir(L"/two/");
    EXPECT_STREQ(get_gfx_dir().c_str(), L"/two/gfx/");
    set_exe_dir(before);
}

// A temporary folder for the file tests.
class PathsFs : public ::testing::Test {
protected:
    Str at(const std::string& rel = "") const { return W(rel.empty() ? t.root().string() : t.path(rel)); }
    temp_dir_t t;
};

TEST_F(PathsFs, ExistenceAndCreation) {
    t.file("top/b.txt");
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
