#include "ui/full_scrn_dlg.h"

#include "ui/lbl.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/splitter.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {
class desc_dlg_t : public big_list_dlg_t {
public:
    int fills = 0;
    desc_dlg_t() { heading_text = L"标题"; }
    void fill() override { ++fills; }
    Str* item_desc(Str* out, uintptr_t data) override {
        *out = Str(L"desc %d", int(data));
        return out;
    }
};
}  // namespace

using FullScrn = fonts_test_t<loop_test_t>;

TEST_F(FullScrn, FillsTheScreenWithSpacerHeadingAndClientOverTheButtonRow) {
    auto* d = make_dlg<desc_dlg_t>(nullptr, 0, 100, 100, 0);
    EXPECT_EQ(d->fills, 1);
    EXPECT_EQ(d->btn_mode, DLG_CLOSE);
    script = {[d] {
        EXPECT_EQ(d->rc, (rect{0, 0, 800, 600}));
        // 64 at the top (spacer), 64 at the bottom (button row), gaps of 8.
        EXPECT_EQ(d->heading->rc, (rect{0, 64 + 8, 800, 96}));
        EXPECT_EQ(d->heading->text, L"标题");
        EXPECT_EQ(d->btn_row->rc, (rect{0, 600 - 64, 800, 64}));
        EXPECT_EQ(d->client->rc, (rect{0, 64 + 8 + 96 + 8, 800, 600 - 64 - 8 - (64 + 8 + 96 + 8)}));
        // List pane and memo side by side, centred as a row group.
        EXPECT_EQ(d->list_pane->rc.w, 256);
        EXPECT_EQ(d->memo->rc.w, 512);
        EXPECT_EQ(d->list_pane->rc.x, (800 - 256 - 512) / 2);  // the gap is not part of the group width
        EXPECT_EQ(d->memo->rc.x, d->list_pane->rc.x + 256 + 8);
        EXPECT_EQ(d->list->rc, d->list_pane->rc);
        set_modal_result(MODAL_CANCEL);
    }};
    EXPECT_EQ(do_modal(d, 0, 0), MODAL_CANCEL);
}

TEST_F(FullScrn, OpeningSelectsTheFirstItemAndTheMemoDescribesCurrentElseSelected) {
    auto* d = make_dlg<desc_dlg_t>(nullptr, 0, 100, 100, 0);
    for (int i = 1; i <= 3; ++i) d->list->add_item(Str(L"%d", i), nullptr, nullptr, 0, 0, uintptr_t(i * 10), 0, nullptr);
    std::vector<Str> seen;
    script = {[&] {
                  seen.push_back(d->memo->text);
                  EXPECT_EQ(get_focus_wnd(), d->list);
                  d->list->select(2);
              },
              [&] {
                  seen.push_back(d->memo->text);
                  // The item under the mouse wins over the selection.
                  const rect r = d->list->item_rect(1);
                  move_to(r.x + 5, r.y + 5);
              },
              nullptr,
              [&] {
                  seen.push_back(d->memo->text);
                  move_to(-100, -100);
              },
              nullptr,
              [&] {
                  seen.push_back(d->memo->text);
                  d->list->clear();
              },
              [&] {
                  seen.push_back(d->memo->text);
                  set_modal_result(MODAL_OK);
              }};
    EXPECT_EQ(do_modal(d, 0, 0), MODAL_OK);
    EXPECT_EQ(seen, (std::vector<Str>{L"desc 10", L"desc 30", L"desc 20", L"desc 30", L""}));
}
