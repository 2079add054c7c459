#include "app/file_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/str_list.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

// A temporary folder with a small tree under "top" for the listings.
class FileList : public ::testing::Test {
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

TEST_F(FileList, ListingPatternsFoldersAndOrder) {
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

TEST_F(FileList, ListingCallbackSeesEveryEntryAndStopsTheWalk) {
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
