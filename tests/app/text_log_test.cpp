#include "app/text_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/str.h"

namespace {

std::vector<std::wstring> g_blocks;

void collect(const wchar_t* text, void* user) {
    g_blocks.push_back(text);
    if (user) ++*static_cast<int*>(user);
}

// The battle-log window runs a frame while it takes a block; lines written
// during that frame must survive the outer flush.
void write_while_delivering(const wchar_t* text, void*) {
    g_blocks.push_back(text);
    if (g_blocks.size() == 1) log_cur_buf()->append(L"nested");
}

class TextLog : public ::testing::Test {
protected:
    void SetUp() override {
        g_blocks.clear();
        log_set_enabled(true);
        log_set_sink(nullptr, nullptr);
        log_flush();
        while (log_indent_level() > 0) log_unindent();
        while (log_indent_level() < 0) log_indent();
    }
    void TearDown() override { SetUp(); }
};

TEST_F(TextLog, BlockWithIndentedDetailsIsDeliveredInOneCall) {
    int calls = 0;
    log_set_sink(collect, &calls);
    log_cur_buf()->append_format(L"%s hits", L"Orc");
    log_indent();
    log_newline();
    log_cur_buf()->append(L"D1");
    log_newline();
    log_cur_buf()->append(L"D2");
    log_unindent();
    log_flush();
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(g_blocks[0], L"Orc hits\n    D1\n    D2");
    EXPECT_TRUE(log_cur_buf()->empty());
    log_flush();  // empty: the output is not called again
    EXPECT_EQ(calls, 1);
}

TEST_F(TextLog, DefaultOutputOnlyEmptiesTheBuffer) {
    log_cur_buf()->append(L"lost");
    log_flush();
    EXPECT_TRUE(log_cur_buf()->empty());
    EXPECT_TRUE(g_blocks.empty());
}

TEST_F(TextLog, IndentationLevels) {
    struct {
        int level;
        const wchar_t* expected;
    } cases[] = {{0, L"\n"}, {2, L"\n        "}, {-1, L"\n"}};
    for (const auto& c : cases) {
        SetUp();
        for (int i = 0; i < c.level; ++i) log_indent();
        for (int i = 0; i > c.level; --i) log_unindent();
        EXPECT_EQ(log_indent_level(), c.level);
        log_newline();
        EXPECT_STREQ(log_cur_buf()->buf, c.expected) << "level " << c.level;
        log_cur_buf()->assign(L"");
    }
    log_indent();
    EXPECT_EQ(log_indent_level(), 0);
}

TEST_F(TextLog, TextWrittenWhileDisabledIsNeverDelivered) {
    log_set_sink(collect, nullptr);
    log_cur_buf()->append(L"kept");
    log_set_enabled(false);
    log_cur_buf()->append_char(L'x');
    log_flush();
    log_set_enabled(true);
    log_flush();
    ASSERT_EQ(g_blocks.size(), 1u);
    EXPECT_EQ(g_blocks[0], L"kept");  // only what was written while enabled
}

TEST_F(TextLog, LinesWrittenDuringDeliveryAreKept) {
    log_set_sink(write_while_delivering, nullptr);
    log_cur_buf()->append(L"outer");
    log_flush();
    EXPECT_STREQ(log_cur_buf()->buf, L"nested");
    log_flush();
    ASSERT_EQ(g_blocks.size(), 2u);
    EXPECT_EQ(g_blocks[1], L"nested");
}

TEST_F(TextLog, BlockGoesToTheOutputInstalledAtFlushTime) {
    int first = 0, second = 0;
    log_set_sink(collect, &first);
    log_cur_buf()->append(L"a");
    log_set_sink(collect, &second);
    log_flush();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

}  // namespace
