#include "app/clipboard.h"

#include <SDL.h>
#include <gtest/gtest.h>

TEST(Clipboard, WideTextRoundTripsThroughUtf8) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    EXPECT_TRUE(set_clipboard_text(L"竞技场 arena \U0001F600"));
    EXPECT_TRUE(has_clipboard_text());
    EXPECT_STREQ(get_clipboard_text().c_str(), L"竞技场 arena \U0001F600");
    EXPECT_TRUE(set_clipboard_text(L""));
    EXPECT_FALSE(has_clipboard_text());
    EXPECT_TRUE(get_clipboard_text().empty());
    SDL_Quit();
}
