#include "screens/dlgs/cfg_dlg.h"

#include <algorithm>
#include <cassert>
#include <iterator>

#include "app/audio.h"
#include "app/db.h"
#include "app/font.h"
#include "app/ini.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/text_info.h"
#include "ui/cbo.h"
#include "ui/chk.h"
#include "ui/lbl.h"
#include "ui/splitter.h"
#include "ui/std_dlgs.h"
#include "ui/tab_ctrl.h"

namespace {
constexpr int dlg_w = 768, dlg_h = 512;
constexpr int tabs_padding = 8;
constexpr int page_gap = 8, page_padding = 16;
constexpr int row_h = 24;
constexpr int row_font = FONT_B5;
constexpr int indent = 40;
constexpr size cbo_sz{96, 24};
constexpr int spacer_h = 8;
constexpr int min_wnd_w = 900, min_wnd_h = 700;
constexpr int wnd_widths[] = {4096, 2560, 2048, 1920, 1680, 1600, 1440, 1400, 1366, 1280, 1024, 800};
// Height = width * num / den for 4:3, 16:10 and 16:9, in that order.
constexpr struct { int num, den; } wnd_ratios[] = {{3, 4}, {10, 16}, {9, 16}};
constexpr const wchar_t* sep_item = L"_SEP_";
constexpr const wchar_t* custom_item = L"自定义...";
constexpr const wchar_t* custom_title = L"自定义分辨率";
constexpr const wchar_t* bad_size_msg = L"无效的分辨率！";
constexpr const wchar_t* size_key = L"windowed_size";
constexpr const wchar_t* spd_key = L"spd_ani_lv";
constexpr const wchar_t* main_sect = L"Main";

constexpr struct {
    const wchar_t* icon;  // under ui/
    const wchar_t* name;
} tab_rows[CFG_TABS] = {{L"gfx", L"图像"}, {L"sfx", L"声音"}, {L"btl", L"战场"}, {L"others", L"其他"}};

struct box_row_t {
    const wchar_t* key;
    int tab;
    const wchar_t* text;
};
// One box per option, in the order of their tabs; keys and defaults are the options block's.
constexpr box_row_t box_rows[] = {
    {L"full_screen", CFG_TAB_GFX, L"全屏"},
    {L"show_fps", CFG_TAB_GFX, L"显示帧率"},
    {L"music", CFG_TAB_SFX, L"开启音乐"},
    {L"sound", CFG_TAB_SFX, L"开启音效"},
    {L"ao_prompt", CFG_TAB_BTL, L"执行会引发<c=r>借机攻击</c>的动作时，需确认"},
    {L"show_all_hits_in_rng", CFG_TAB_BTL, L"显示攻击范围内的所有命中率<c=a>（默认按ALT键显示）</c>"},
    {L"show_tip_at_rb", CFG_TAB_BTL, L"动作提示信息显示在视角右下<c=a>（默认为光标位置）</c>"},
    {L"show_simple_act_tip", CFG_TAB_BTL, L"显示移动和防御等非对抗性动作的提示信息"},
    {L"show_grid", CFG_TAB_BTL, L"显示战术网格<c=a>（默认按G键切换）</c>"},
    {L"ani_vp", CFG_TAB_BTL, L"显示视角移动动画"},
    {L"ani_cur_u_mark", CFG_TAB_BTL, L"显示当前行动角色标志切换动画"},
    {L"auto_arena", CFG_TAB_OTHERS, L"启动后自动进入竞技场"},
    {L"auto_load_ammos", CFG_TAB_OTHERS, L"自动补充射手弹药（背包中需有足够弹药，无则提示）"},
    {L"disp_dice", CFG_TAB_OTHERS, L"伤害值显示使用骰值，如2d6<c=a>（默认为范围，如2-12）</c>"},
    {L"show_dnd_ch", CFG_TAB_OTHERS, L"武器重击值使用传统显示方式，如19-20/x2<c=a>（默认为百分比，如10%/x2）</c>"},
};
constexpr int box_count = int(std::size(box_rows));

cfg_dlg_t* the_dlg = nullptr;

bool read_size(const Str& text, size* out) {
    return !text.empty() && parse_wnd_size(text.c_str(), out) && is_valid_wnd_size(*out);
}

class _cfg_dlg_t : public cfg_dlg_t {
public:
    // Shutdown deletes every owned window; the next opening makes the dialog anew.
    ~_cfg_dlg_t() override {
        if (the_dlg == this) the_dlg = nullptr;
    }

    void on_create() override {
        cfg_dlg_t::on_create();
        tabs_ = new_tab_ctrl2();
        tabs_->ex_style = TCX_ROW;
        tabs_->padding = tabs_padding;
        add_child_wnd<wnd_t>(this, tabs_, WS_FILL_W | WS_FILL_H, {0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE});
        wnd_t* pages[CFG_TABS];
        for (int t = 0; t < CFG_TABS; ++t) {
            pages[t] = tabs_->add_tab(Str(L"<m><c=lbl><ico_m=ui/%s> %s", tab_rows[t].icon, tab_rows[t].name), nullptr,
                                      uintptr_t(t));
            pages[t]->gap = page_gap;
            pages[t]->padding = page_padding;
        }
        build_gfx(pages[CFG_TAB_GFX]);
        build_boxes(pages[CFG_TAB_SFX], CFG_TAB_SFX);
        build_boxes(pages[CFG_TAB_BTL], CFG_TAB_BTL);
        spd_lbl_ = add_label(pages[CFG_TAB_BTL], L"移动动画速度：");
        spd_cbo_ = add_cbo(pages[CFG_TAB_BTL]);
        for (const Str& name : spd_ani_lv_names()) spd_cbo_->add_str(name.c_str());
        build_boxes(pages[CFG_TAB_OTHERS], CFG_TAB_OTHERS);
        tabs_->select_tab(CFG_TAB_GFX);
    }

    void load() override {
        const CZsConfig& cfg = CZsConfig::instance();
        for (int i = 0; i < box_count; ++i) {
            const opt_row_t* row = find_opt_row(box_rows[i].key);
            boxes_[i]->set_checked(cfg.get_int(row->key, row->def ? 1 : 0, main_sect) != 0);
        }
        size s;
        if (!read_size(cfg.get_string(size_key, L"", main_sect), &s)) s = get_default_wnd_size();
        size_cbo_->set_text(size_text(s).c_str(), true);
        opts().spd_ani_lv = read_spd_ani_lv(cfg);
        spd_cbo_->set_sel(opts().spd_ani_lv - 1);
    }

    void save() override {
        CZsConfig& cfg = CZsConfig::instance();
        for (int i = 0; i < box_count; ++i) cfg.set_int(box_rows[i].key, boxes_[i]->checked ? 1 : 0, main_sect);
        cfg.set_string(size_key, size_cbo_->text.c_str(), main_sect);
        opts().spd_ani_lv = std::clamp(spd_cbo_->get_sel() + 1, 1, 3);
        cfg.set_int(spd_key, opts().spd_ani_lv, main_sect);
    }

    tab_ctrl_t* tabs() const override { return tabs_; }
    chk_t* box(const wchar_t* key) const override {
        for (int i = 0; i < box_count; ++i)
            if (Str(key) == box_rows[i].key) return boxes_[i];
        return nullptr;
    }
    cbo_t* size_cbo() const override { return size_cbo_; }
    cbo_t* spd_cbo() const override { return spd_cbo_; }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_FRAME && sender == this) {
            const bool windowed = !box(L"full_screen")->checked;
            size_lbl_->set_enabled(windowed);
            size_cbo_->set_enabled(windowed);
        } else if (msg.code == EVT_SEL_MADE && sender == size_cbo_ && msg.b == size_cbo_->count() - 1) {
            ask_custom_size();
            return true;
        }
        return cfg_dlg_t::on_msg(msg, sender);
    }

private:
    tab_ctrl_t* tabs_ = nullptr;
    chk_t* boxes_[box_count] = {};
    lbl_t* size_lbl_ = nullptr;
    cbo_t* size_cbo_ = nullptr;
    lbl_t* spd_lbl_ = nullptr;
    cbo_t* spd_cbo_ = nullptr;

    void build_gfx(wnd_t* page) {
        add_box(page, 0);
        size_lbl_ = add_label(page, L"窗口模式分辨率：");
        size_cbo_ = add_cbo(page);
        for (const size& s : list_wnd_sizes()) size_cbo_->add_str(size_text(s).c_str());
        size_cbo_->add_str(sep_item);
        size_cbo_->add_str(custom_item);
        add_child_wnd(page, new splitter_t, WS_DOCK_TOP | WS_FILL_W, {0, 0, WND_DEFAULT_SIZE, spacer_h})->bg_clr = 0;
        add_box(page, 1);
        auto* note = add_child_wnd(page, new lbl_t, WS_DOCK_BOTTOM | WS_FILL_W, {0, 0, WND_DEFAULT_SIZE, row_h});
        note->bg_clr = 0;
        note->font = row_font;
        note->set_text(L"<c=r>* 切换全屏或改变分辨率后，需重启游戏才能生效。</c>", false);
    }

    void build_boxes(wnd_t* page, int tab) {
        for (int i = 0; i < box_count; ++i)
            if (box_rows[i].tab == tab) add_box(page, i);
    }

    void add_box(wnd_t* page, int i) {
        assert(find_opt_row(box_rows[i].key) && "every box stands for an option of the options block");
        chk_t* c = add_child_wnd(page, new chk_t, WS_DOCK_TOP | WS_FILL_W, {0, 0, WND_DEFAULT_SIZE, row_h});
        c->font = row_font;
        c->set_text(box_rows[i].text, false);
        boxes_[i] = c;
    }

    lbl_t* add_label(wnd_t* page, const wchar_t* text) {
        auto* l = add_child_wnd(page, new lbl_t, WS_DOCK_TOP | WS_FILL_W, {0, 0, WND_DEFAULT_SIZE, row_h});
        l->bg_clr = 0;
        l->font = row_font;
        l->margin_l = indent - page_padding;  // in line with the combo box under it
        l->set_text(text, false);
        return l;
    }

    cbo_t* add_cbo(wnd_t* page) { return add_child_wnd(page, new_cbo(), WS_DOCK_TOP, {indent, 0, cbo_sz.w, cbo_sz.h}); }

    // A refused size leaves the input open with what was typed, to be mended.
    void ask_custom_size() {
        Str answer = size_cbo_->text;
        size s;
        const auto accept = [&s](const Str& text) {
            if (read_size(text, &s)) return true;
            zg_msg_dlg(bad_size_msg, custom_title);
            return false;
        };
        if (zg_input_dlg(answer, custom_title, nullptr, accept)) size_cbo_->set_text(size_text(s).c_str(), true);
    }
};
}  // namespace

int open_cfg_dlg() {
    if (!the_dlg) {
        the_dlg = make_dlg<_cfg_dlg_t>(L"选项", DLG_OK_CANCEL, dlg_w, dlg_h, WS_CENTRE_X | WS_CENTRE_Y);
    }
    cfg_dlg_t* d = the_dlg;
    d->load();
    const int r = do_modal(d, 0, 0);
    if (r != MODAL_OK) return r;
    d->save();
    load_opts();
    if (opts().music)
        resume_music();
    else
        pause_music();
    CZsConfig::instance().save();
    return r;
}

cfg_dlg_t* get_cfg_dlg() { return the_dlg; }

std::vector<size> list_wnd_sizes_on(const size& display) {
    std::vector<size> v;
    for (int w : wnd_widths)
        for (const auto& r : wnd_ratios) {
            const size s{w, w * r.num / r.den};
            if (is_valid_wnd_size_on(s, display)) v.push_back(s);
        }
    return v;
}

bool is_valid_wnd_size_on(const size& s, const size& display) {
    return s.w % 2 == 0 && s.w >= min_wnd_w && s.w <= display.w - 1 && s.h % 2 == 0 && s.h >= min_wnd_h &&
           s.h <= display.h - 1;
}

std::vector<size> list_wnd_sizes() { return list_wnd_sizes_on(get_display_size(0)); }
bool is_valid_wnd_size(const size& s) { return is_valid_wnd_size_on(s, get_display_size(0)); }

Str size_text(const size& s) { return Str(L"%dx%d", s.w, s.h); }

std::vector<Str> spd_ani_lv_names() {
    text_info_t recs[4];
    std::vector<text_info_t*> ptrs{&recs[0], &recs[1], &recs[2], &recs[3]};
    db_read_recs(L"strs:spd_ani_lvs", ptrs, L"strs");
    std::vector<Str> names;
    // Without the text table the levels still have names.
    for (int i = 1; i <= 3; ++i) names.push_back(recs[i].n ? Str(recs[i].n) : Str(L"%d", i));
    return names;
}
