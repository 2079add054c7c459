#include "app/links.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/paths.h"
#include "app/shell.h"

static std::vector<std::string> g_urls;
static int g_opener_result = 0;
static std::string g_asked;  // which handlers answered

static int record_url(const char* url) {
    g_urls.push_back(url);
    return g_opener_result;
}

TEST(ShellOpen, TargetsReachTheOpenerRewrittenOrNotAtAllAndTheLastHandlerDecides) {
    set_url_opener(record_url);
    EXPECT_FALSE(shell_open(nullptr));
    EXPECT_FALSE(shell_open(L""));
    EXPECT_TRUE(g_urls.empty());
    const std::string in_folder = shell_url((get_exe_dir() + L"manual.txt").buf, nullptr);
    for (const wchar_t* t : {L"./manual.txt", L".\\manual.txt"}) EXPECT_TRUE(shell_open(t));
    EXPECT_EQ(g_urls, (std::vector<std::string>{in_folder, in_folder}));
    g_opener_result = -1;
    EXPECT_FALSE(shell_open(L"https://example.org/"));  // a failed open is no success

    for (char name : {'A', 'B'}) {
        add_link_handler([name](const wchar_t* t, bool* result) {
            if (!std::wstring_view(t).starts_with(L"both:")) return false;
            g_asked += name;
            *result = name == 'A';
            return true;
        });
    }
    g_urls.clear();
    g_opener_result = 0;
    EXPECT_FALSE(shell_open(L"both:topic"));  // B's answer
    EXPECT_EQ(g_asked, "B");
    EXPECT_TRUE(g_urls.empty());
    EXPECT_TRUE(shell_open(L"other:x"));
    EXPECT_EQ(g_urls.size(), 1u);
    set_url_opener(nullptr);
}

TEST(OpenLink, OnlyWebAddressesFilesOfTheGameFolderAndHandledTargetsOpen) {
    g_urls.clear();
    g_opener_result = 0;
    set_url_opener(record_url);
    add_link_handler([](const wchar_t* t, bool* result) {
        if (!std::wstring_view(t).starts_with(L"topic:")) return false;
        *result = true;
        return true;
    });
    for (const wchar_t* t : {L"http://a.org/", L"HTTPS://a.org/x", L"./manual.txt", L".\\docs\\a.txt", L"topic:x"})
        EXPECT_TRUE(open_link(t)) << to_utf8_string(t);
    for (const wchar_t* t : {L"", L"file:///etc/passwd", L"javascript:x", L"/bin/sh", L"./../secret", L"./a/../../b",
                             L".\\..\\x", L"./", L"httpx://a", L"mailto:a@b"})
        EXPECT_FALSE(open_link(t)) << to_utf8_string(t);
    EXPECT_FALSE(open_link(nullptr));
    EXPECT_EQ(g_urls.size(), 4u);  // the handled one never reached the system's opener
    set_url_opener(nullptr);
}
