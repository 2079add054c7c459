#include "ui/tool_bar.h"

#include <gtest/gtest.h>

namespace {

TEST(ToolBar, GrowsByOneButtonAndAGapPerButton) {
    tool_bar_t row;
    const rect r{10, 10, 32, 32};
    row.create(0, nullptr, &r, 0, 0, nullptr);
    for (int i = 0; i < 3; ++i) row.add_btn(nullptr, 100 + i, 0, 0, 0, uintptr_t(i));
    EXPECT_EQ(std::pair(row.rc.w, row.rc.h), std::pair(100, 32));
    row.arrange();
    EXPECT_EQ((std::vector{row.children[0]->rc.x, row.children[1]->rc.x, row.children[2]->rc.x}),
              (std::vector{10, 44, 78}));
    EXPECT_EQ(row.children[2]->user_data, 2u);

    tool_bar_t col;
    col.create_ex(TBX_COLUMN | TBX_END_CODES, 0, nullptr, &r);
    col.margin_t = 4, col.border_w = 1;
    tool_btn_t* a = col.add_btn(L"A", 5, 0, 0, 0, 0);
    col.add_btn(L"B", 6, 0, 0, 0, 0);
    EXPECT_EQ(col.rc.h, 4 + 2 * 32 + 2 + 2);
    EXPECT_EQ(std::pair(a->end_code, a->text), std::pair(5, Str(L"A")));
    const size big{48, 40};
    col.set_btn_size(&big);
    EXPECT_EQ(std::pair(col.rc.w, col.rc.h), std::pair(48 + 2, 40 + 4 + 2));
}

TEST(ToolBar, ClearDeletesTheButtonsOnce) {
    tool_bar_t bar;
    bar.create(0, nullptr, nullptr, 0, 0, nullptr);
    bar.add_btn(L"x", 1, 0, 0, 0, 0);
    bar.add_btn(L"y", 2, 0, 0, 0, 0);
    bar.clear();
    EXPECT_TRUE(bar.children.empty());
    bar.clear();
    bar.add_btn(L"z", 3, 0, 0, 0, 0);  // and the destructor takes this one
}

}  // namespace
