#include "ui/mgr_dlg.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/paths.h"
#include "support/mapped.h"
#include "ui/btn.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/splitter.h"
#include "ui/std_dlgs.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {
struct rec_t {
    int id;
    Str file;
};

// Items are records of id and file; everything done to them is counted.
class test_mgr_t : public mgr_dlg_t {
public:
    std::vector<int> freed, deleted, loaded;
    bool cancel_new = false, edits_change = true;
    int next_id = 100;

    test_mgr_t() {
        new_text = L"新建", edit_text = L"编辑", del_text = L"删除";
    }
    Str* item_desc(Str* out, uintptr_t data) override {
        *out = Str(L"item %d", reinterpret_cast<rec_t*>(data)->id);
        return out;
    }
    uintptr_t new_item() override { return cancel_new ? 0 : reinterpret_cast<uintptr_t>(new rec_t{next_id++, L""}); }
    void free_item(uintptr_t data) override {
        auto* r = reinterpret_cast<rec_t*>(data);
        freed.push_back(r->id);
        delete r;
    }
    bool edit_item(uintptr_t) override { return edits_change; }
    uintptr_t load_item(const wchar_t* file, int id) override {
        loaded.push_back(id);
        return reinterpret_cast<uintptr_t>(new rec_t{id, file});
    }
    void delete_item(uintptr_t data) override { deleted.push_back(reinterpret_cast<rec_t*>(data)->id); }
    int id_at(int i) const { return reinterpret_cast<rec_t*>(list->get_item(i)->data)->id; }
};

// A folder of this process beside the test program, removed at the end.
class files_t {
public:
    files_t() : rel_("mgr_" + std::to_string(getpid())), dir_(to_utf8_string(get_exe_dir()) + rel_) {
        std::filesystem::create_directories(dir_);
    }
    ~files_t() { std::error_code ec; std::filesystem::remove_all(dir_, ec); }
    void touch(const std::string& name) const { std::ofstream(dir_ + "/" + name) << "x"; }
    Str pattern() const { return Str((rel_ + "/*.pc").c_str()); }

private:
    std::string rel_, dir_;
};

void press_cmd(mgr_dlg_t* d, btn_t* b) { d->on_msg({EVT_COMMAND, 0, 0}, b); }
}  // namespace

class Mgr : public fonts_test_t<loop_test_t> {
protected:
    files_t files;
    Str pattern = files.pattern();

    test_mgr_t* make() {
        auto* d = new test_mgr_t;
        d->file_pattern = pattern.c_str();
        d->list_title = L"角色";
        add_child(d, WND_ROOT, 0, {0, 0, 800, 600});
        get_root_wnd()->arrange();
        return d;
    }
};

TEST_F(Mgr, ListsOnlyStemsThatBeginWithEightDigits) {
    for (const char* f : {"00000012.pc", "1234567x.pc", "00000003_old.pc", "abc.pc", "00000099.txt"}) files.touch(f);
    test_mgr_t* d = make();
    std::vector<int> ids = mapped(d->list->count(), [&](int i) { return d->id_at(i); });
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{3, 12}));
    ASSERT_NE(d->list->title, nullptr);
    EXPECT_EQ(d->list->title->title, L"角色");
    EXPECT_EQ(path_stem(L"saves/pcs/00000012.pc"), L"00000012");
    // A reload reads the folder again, releasing what was there.
    files.touch("00000200.pc");
    d->reload();
    EXPECT_EQ(d->list->count(), 3);
    EXPECT_EQ(d->freed.size(), 2u);
    // Closing releases everything.
    d->on_msg({EVT_CLOSING, 0, 0}, d);
    EXPECT_EQ(d->freed.size(), 5u);
    EXPECT_EQ(d->list->count(), 0);
}

TEST_F(Mgr, EditAndDeleteFollowTheSelectionFromTheNextFrame) {
    files.touch("00000001.pc");
    test_mgr_t* d = make();
    d->refresh_all();
    EXPECT_FALSE(d->edit_btn->is_enabled());
    EXPECT_FALSE(d->del_btn->is_enabled());
    EXPECT_TRUE(d->new_btn->is_enabled());
    d->on_msg({EVT_MODAL_OPEN, 0, 0}, d);  // opening selects the first item
    EXPECT_EQ(d->list->sel, 0);
    EXPECT_FALSE(d->edit_btn->is_enabled());  // not before the frame
    d->refresh_all();
    EXPECT_TRUE(d->edit_btn->is_enabled() && d->del_btn->is_enabled());
    EXPECT_EQ(d->memo->text, L"item 1");
    d->list->unselect_all();
    d->refresh_all();
    EXPECT_FALSE(d->edit_btn->is_enabled() || d->del_btn->is_enabled());
}

TEST_F(Mgr, NewSelectsOnlyTheFirstItemAndEditRefreshesTheDescription) {
    test_mgr_t* d = make();
    ASSERT_EQ(d->list->count(), 0);
    d->cancel_new = true;
    press_cmd(d, d->new_btn);
    EXPECT_EQ(d->list->count(), 0);
    d->cancel_new = false;
    press_cmd(d, d->new_btn);
    EXPECT_EQ(d->list->sel, 0);
    EXPECT_EQ(d->memo->text, L"item 100");
    press_cmd(d, d->new_btn);
    EXPECT_EQ(d->list->count(), 2);
    EXPECT_EQ(d->list->sel, 0);
    d->memo->set_text(L"stale", false);
    press_cmd(d, d->edit_btn);
    EXPECT_EQ(d->memo->text, L"item 100");
    d->edits_change = false;
    d->memo->set_text(L"stale", false);
    press_cmd(d, d->edit_btn);
    EXPECT_EQ(d->memo->text, L"stale");
}

TEST_F(Mgr, DeleteAsksFirstAndCancelDeletesNothing) {
    files.touch("00000001.pc");
    files.touch("00000002.pc");
    test_mgr_t* d = make();
    d->list->select(0);
    const int first = d->id_at(0), second = d->id_at(1);
    auto answer = [](bool ok) {
        script.push_back([ok] {
            auto* c = static_cast<dlg_t*>(get_top_modal());
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(static_cast<ui::memo_dlg_t*>(c)->pane->text, L"删除选中项？");
            const rect r = (ok ? c->ok_btn : c->first_btn)->rc;
            const int x = r.x + r.w / 2, y = r.y + r.h / 2;
            move_to(x, y);
            script.push_back([x, y] { const evt_t e{EVT_LBTN_DOWN, x, y}; post_evt(&e); });
            script.push_back([x, y] { const evt_t e{EVT_LBTN_UP, x, y}; post_evt(&e); });
        });
    };
    answer(false);
    press_cmd(d, d->del_btn);
    EXPECT_TRUE(d->deleted.empty() && d->freed.empty());
    EXPECT_EQ(d->list->count(), 2);
    script.clear(), frame_no = 0;
    answer(true);
    press_cmd(d, d->del_btn);
    EXPECT_EQ(d->deleted, (std::vector<int>{first}));
    EXPECT_EQ(d->freed, (std::vector<int>{first}));
    ASSERT_EQ(d->list->count(), 1);
    EXPECT_EQ(d->id_at(0), second);
}
