#include "app/shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Shell, OpensOnlyPlainTargets) {
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
