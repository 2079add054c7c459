#include "app/links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/paths.h"
#include "app/str.h"

namespace {

std::vector<std::string> g_urls;
int g_opener_result = 0;
std::vector<std::wstring> g_asked;
std::vector<char> g_ab;  // which of the two handlers of one test answered

int record_url(const char* url) {
    g_urls.push_back(url);
    return g_opener_result;
}

class ShellOpen : public ::testing::Test {
protected:
    void SetUp() override {
        g_urls.clear();
        g_asked.clear();
        g_opener_result = 0;
        set_url_opener(record_url);
        static bool once = [] {
            // Sees every target and takes none, so it can stay registered for all tests.
            add_link_handler([](const wchar_t* t, bool*) {
                g_asked.push_back(L"watch:" + std::wstring(t));
                return false;
            });
            return true;
        }();
        (void)once;
    }
    void TearDown() override { set_url_opener(nullptr); }
};

TEST_F(ShellOpen, EmptyTargetOpensNothing) {
    EXPECT_FALSE(shell_open(nullptr));
    EXPECT_FALSE(shell_open(L""));
    EXPECT_TRUE(g_asked.empty());
    EXPECT_TRUE(g_urls.empty());
}

TEST_F(ShellOpen, DotSlashNamesAFileInTheProgramFolder) {
    for (const wchar_t* t : {L"./manual.txt", L".\\manual.txt"}) {
        g_urls.clear();
        EXPECT_TRUE(shell_open(t));
        ASSERT_EQ(g_urls.size(), 1u);
        EXPECT_EQ(g_urls[0], shell_url((get_exe_dir() + L"manual.txt").buf, nullptr));
    }
    EXPECT_EQ(g_asked.back(), L"watch:" + std::wstring((get_exe_dir() + L"manual.txt").buf));
}

TEST_F(ShellOpen, FailedOpenIsReportedAsFailure) {
    g_opener_result = -1;
    EXPECT_FALSE(shell_open(L"https://example.org/"));
    ASSERT_EQ(g_urls.size(), 1u);
    EXPECT_EQ(g_urls[0], "https://example.org/");
}

TEST_F(ShellOpen, LastRegisteredHandlerDecides) {
    g_ab.clear();
    add_link_handler([](const wchar_t* t, bool* result) {
        if (std::wstring(t).rfind(L"both:", 0) != 0) return false;
        g_ab.push_back('A');
        *result = true;
        return true;
    });
    add_link_handler([](const wchar_t* t, bool* result) {
        if (std::wstring(t).rfind(L"both:", 0) != 0) return false;
        g_ab.push_back('B');
        *result = false;
        return true;
    });
    EXPECT_FALSE(shell_open(L"both:topic"));  // B's answer
    EXPECT_EQ(g_ab, std::vector<char>{'B'});
    EXPECT_TRUE(g_urls.empty());
    EXPECT_TRUE(g_asked.empty());  // registered first, so never reached
    g_ab.clear();
    EXPECT_TRUE(shell_open(L"other:x"));
    EXPECT_TRUE(g_ab.empty());
    EXPECT_EQ(g_urls.size(), 1u);
}

}  // namespace
