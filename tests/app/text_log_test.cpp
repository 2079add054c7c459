#include "app/text_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/str.h"

static std::vector<std::wstring> g_blocks;

static void collect(const wchar_t* text, void*) { g_blocks.push_back(text); }

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

TEST_F(TextLog, IndentedBlockIsDeliveredOnceAndDisabledTextNever) {
    log_cur_buf()->append(L"lost");
    log_flush();  // the default output: emptied, nothing else
    EXPECT_TRUE(log_cur_buf()->empty());
    log_cur_buf()->append_format(L"%s hits", L"Orc");
    for (const wchar_t* d : {L"D1", L"D2"}) {
        log_indent();
        log_newline();
        log_cur_buf()->append(d);
    }
    for (int i = 0; i < 3; ++i) log_unindent();
    EXPECT_EQ(log_indent_level(), -1);
    log_newline();  // no blanks below level 0
    log_cur_buf()->append(L"E");
    log_set_sink(collect, nullptr);
    log_set_enabled(false);
    log_cur_buf()->append_char(L'x');
    log_flush();
    log_set_enabled(true);
    log_flush();
    log_flush();
    EXPECT_EQ(g_blocks, std::vector<std::wstring>{L"Orc hits\n    D1\n        D2\nE"});
}

// The battle-log window runs a frame while it takes a block; lines written
// during that frame must survive the outer flush.
TEST_F(TextLog, LinesWrittenDuringDeliveryAreKept) {
    log_set_sink([](const wchar_t* text, void*) {
        collect(text, nullptr);
        if (g_blocks.size() == 1) log_cur_buf()->append(L"nested");
    }, nullptr);
    log_cur_buf()->append(L"outer");
    log_flush();
    log_flush();
    EXPECT_EQ(g_blocks, (std::vector<std::wstring>{L"outer", L"nested"}));
}
