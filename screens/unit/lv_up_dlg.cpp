// Sections: layout, the dialog, step table, reset and navigation, build, race
// and class steps, ability step, pick steps, misc and finish steps, opening.
#include "screens/unit/lv_up_dlg.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "app/clr.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/input.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/enums.h"
#include "rules/lv.h"
#include "rules/point_buy.h"
#include "rules/race.h"
#include "rules/u_name.h"
#include "rules/unit.h"
#include "screens/text/lv_up_summary.h"
#include "screens/text/unit_sheet.h"
#include "screens/unit/pwr_pick.h"
#include "screens/unit/u_ctrl.h"
#include "screens/widgets/theme.h"
#include "ui/btn.h"
#include "ui/dlg.h"
#include "ui/edt.h"
#include "ui/lbl.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/tab_ctrl.h"

namespace {

// ---- layout ----

constexpr uint32_t dlg_style = WS_FILL_W | WS_FILL_H;
constexpr uint32_t tab_style = WS_FILL_W | WS_FILL_H | TCS_DARK;
constexpr int tab_gap = 8;
constexpr uint32_t page_style = WS_FILL_H | WS_ROW_GROUP;
constexpr size page_sz{256, 256};
constexpr uint32_t memo_style = WS_FILL_H | WS_ROW_GROUP | MEMO_WRAP;
constexpr int memo_w = 512;
constexpr uint32_t fill_both = WS_FILL_W | WS_FILL_H;
constexpr uint32_t top_full = WS_DOCK_TOP | WS_FILL_W;
constexpr int list_item_h = 32;
constexpr int bld_icon_side = 28;
constexpr int race_rows = 7;
constexpr int bonus_rows = ABIS;  // every ability
constexpr int list_gap = 8;
// The ability step: six rows of 32 with 2 between; "-" and "+" at x 114 and 176.
constexpr int abi_item_h = 32;
constexpr int abi_item_gap = 2;
constexpr int abi_pitch = abi_item_h + abi_item_gap;
constexpr int abi_btn_side = 28;
constexpr int abi_btn_y = 2;
constexpr int minus_x = 114;
constexpr int plus_x = 176;
constexpr int name_x = 8;
constexpr int score_x = 112;
constexpr int final_x = 208;
constexpr int pts_lbl_h = 32;
constexpr int abi_btn_id = 1;  // user data: ability * 2 + (1 for "+")

const wchar_t* const step_names[LVP_COUNT] = {L"构筑", L"种族", L"职业", L"属性", L"专长", L"法术", L"杂项", L"完成"};
const wchar_t* const next_text = L"下一步 >>";
const wchar_t* const done_text = L"完成";
const wchar_t* const intro_new =
    L"<h1>创建角色</h1><f=b4 c=a>对新手来讲，直接选择预设构筑组建队伍是最便捷的方法。而且预设角色升级时，会自动选择最佳方案，"
    L"能让你的战斗和冒险更加流畅。\n等渐渐熟悉人物的各项属性和能力后，再回过头来一步步自定义你的专属角色！";
const wchar_t* const intro_lv_up =
    L"<h1>升级！</h1><f=b4 c=a>人物等级的提升会带来生命值，攻防等一系列的提升。在某些关键等级，还会提高你的基础属性，"
    L"或者学到新的专长等。";

const wchar_t* abi_name(int i) {
    const ex_info_t* a = get_abi(i);
    return a->a && *a->a ? a->a : or_empty(a->n);
}

lv_t* add_list(wnd_t* page, uint32_t style, int h, const wchar_t* title) {
    auto* l = new lv_t;
    l->ex_style = LVX_COL;
    add_child_wnd(page, l, style, {0, 0, WND_DEFAULT_SIZE, h});
    l->set_title_bar(TITLE_SMALL, title);
    const size s{WND_DEFAULT_SIZE, list_item_h};
    l->set_item_size(&s);
    // Outlined, so the coloured captions stay readable on the chosen row.
    l->sel_look = 1;
    l->sel_clr = theme::hilite;
    return l;
}

// The text of a row for the memo: its name as a heading, then its description.
Str row_desc(const text_info_t* t) {
    if (!t) return {};
    return Str(L"<h2>%s</h2>%s", or_empty(t->n), or_empty(t->d));
}

// ---- the dialog ----

class _lv_up_dlg_t;
_lv_up_dlg_t* the_dlg = nullptr;
_lv_up_dlg_t* running = nullptr;

struct lv_up_step_t {
    void (_lv_up_dlg_t::*build)(wnd_t* page);
    void (_lv_up_dlg_t::*shown)();
    void (_lv_up_dlg_t::*commit)();
    bool (_lv_up_dlg_t::*on_msg)(const evt_t& msg, wnd_t* sender);
};

class _lv_up_dlg_t : public game::lv_up_dlg_t {
public:
    tab_ctrl_t* tab = nullptr;
    memo_ctrl_t* memo = nullptr;
    btn_t* fwd = nullptr;
    btn_t* reset_b = nullptr;
    lv_t* bld_list_ = nullptr;
    lv_t* race_list_ = nullptr;
    lv_t* bonus_list_ = nullptr;
    int race_adj[ABIS] = {};
    lv_t* cls_list_ = nullptr;
    lv_t* abi_list_ = nullptr;
    btn_t* abi_btns[2 * ABIS] = {};  // "-" and "+" of each
    lbl_t* pts_lbl = nullptr;
    abi_alloc_t alloc;
    std::unique_ptr<pwr_pick_t> feats = std::make_unique<pwr_pick_t>();
    std::unique_ptr<pwr_pick_t> spells = std::make_unique<pwr_pick_t>();
    game::u_ctrl_t* misc = nullptr;
    unit_t* edited = nullptr;
    unit_t work;
    lv_choices_t picks;
    uint32_t offered = 0;  // the steps the tabs offer now, one bit each
    // Set while a selection is not the player's: the first step's after a
    // reset (the intro stays), the bonus list's when a race is chosen.
    bool keep_memo = false;
    bool named = false;  // the misc step has offered its random name since the reset

    // Each step shown on the way forward, with the working unit as it found
    // it; showing one again (the player went back) starts it from there, so no
    // step's gains or picks are ever taken twice.
    struct mark_t {
        int step;
        unit_t u;
        lv_choices_t ch;
        uint32_t offered;
    };
    std::vector<mark_t> trail;

    ~_lv_up_dlg_t() override {
        if (the_dlg == this) the_dlg = nullptr;
        if (running == this) running = nullptr;
    }

    static const lv_up_step_t& step(int i);

    void on_create() override;
    bool on_msg(const evt_t& msg, wnd_t* sender) override;

    // ---- accessors ----
    tab_ctrl_t* tabs() const override { return tab; }
    memo_ctrl_t* desc() const override { return memo; }
    btn_t* fwd_btn() const override { return fwd; }
    btn_t* reset_btn() const override { return reset_b; }
    lv_t* bld_list() const override { return bld_list_; }
    lv_t* race_list() const override { return race_list_; }
    lv_t* bonus_list() const override { return bonus_list_; }
    lv_t* cls_list() const override { return cls_list_; }
    lv_t* abi_list() const override { return abi_list_; }
    btn_t* abi_btn(int abi, bool plus) const override {
        return abi >= 0 && abi < ABIS ? abi_btns[abi * 2 + (plus ? 1 : 0)] : nullptr;
    }
    wnd_t* points_lbl() const override { return pts_lbl; }
    int points() const override { return alloc.points(); }
    pwr_pick_t* feat_pick() const override { return feats.get(); }
    pwr_pick_t* spell_pick() const override { return spells.get(); }
    game::u_ctrl_t* misc_pnl() const override { return misc; }
    const unit_t& working() const override { return work; }
    const lv_choices_t& choices() const override { return picks; }

    bool is_lv_up() const { return edited && edited->base.lv != 0; }
    void describe(const Str& s) {
        if (!keep_memo) memo->reset_text(s.c_str());
    }

    // ---- reset and navigation ----
    void reset();
    void offer(uint32_t steps);
    void forward();
    void on_page_shown(int s);

    // ---- steps ----
    void build_bld(wnd_t* page);
    void shown_bld();
    void commit_bld();
    bool msg_bld(const evt_t& msg, wnd_t* sender);

    void build_race(wnd_t* page);
    void shown_race();
    void commit_race();
    bool msg_race(const evt_t& msg, wnd_t* sender);

    void build_cls(wnd_t* page);
    void shown_cls();
    void commit_cls();
    bool msg_cls(const evt_t& msg, wnd_t* sender);

    void build_abis(wnd_t* page);
    void shown_abis();
    void commit_abis();
    bool msg_abis(const evt_t& msg, wnd_t* sender);
    void abi_step(int abi, bool plus);
    void show_abis();

    void build_feats(wnd_t* page);
    void shown_feats();
    bool msg_feats(const evt_t& msg, wnd_t* sender) { return feats->on_msg(msg, sender); }
    void build_spells(wnd_t* page);
    void shown_spells() { spells->rebuild(); }
    bool msg_spells(const evt_t& msg, wnd_t* sender) { return spells->on_msg(msg, sender); }

    void build_misc(wnd_t* page);
    void shown_misc();
    void commit_misc();
    bool msg_misc(const evt_t& msg, wnd_t* sender);
    void shown_finish();
};

// ---- step table ----

using D = _lv_up_dlg_t;
const lv_up_step_t step_rows[LVP_COUNT] = {
    {&D::build_bld, &D::shown_bld, &D::commit_bld, &D::msg_bld},
    {&D::build_race, &D::shown_race, &D::commit_race, &D::msg_race},
    {&D::build_cls, &D::shown_cls, &D::commit_cls, &D::msg_cls},
    {&D::build_abis, &D::shown_abis, &D::commit_abis, &D::msg_abis},
    {&D::build_feats, &D::shown_feats, nullptr, &D::msg_feats},
    {&D::build_spells, &D::shown_spells, nullptr, &D::msg_spells},
    {&D::build_misc, &D::shown_misc, &D::commit_misc, &D::msg_misc},
    {nullptr, &D::shown_finish, nullptr, nullptr},
};

const lv_up_step_t& _lv_up_dlg_t::step(int i) { return step_rows[std::clamp(i, 0, LVP_COUNT - 1)]; }

void _lv_up_dlg_t::on_create() {
    full_scrn_dlg_t::on_create();
    // The intro and every description stand in the memo beside the pages.
    heading->set_visible(false);
    tab = new_tab_ctrl();
    tab->gap = tab_gap;
    tab->set_page_layout(page_style, page_sz);
    add_child_wnd(client, tab, tab_style, {0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE});
    // Only the forward button goes on: the strip goes back, never ahead.
    tab->can_pick = [this](int i) { return i >= 0 && i < tab->cur_tab(); };
    for (int i = 0; i < LVP_COUNT; ++i) tab->add_tab(Str(L"<r>%s</r>", step_names[i]).c_str(), nullptr, uintptr_t(i));
    tab->strip->sel_clr = theme::btn_checked;
    memo = add_child_wnd(tab, new memo_ctrl_t, memo_style, {0, 0, memo_w, WND_DEFAULT_SIZE});
    reset_b = add_btn(L"重置", WS_DOCK_LEFT, nullptr, nullptr);
    reset_b->set_clrs(&theme::btn[0], &theme::btn[1], &theme::btn[2], &theme::btn[3]);
    fwd = ok_btn;
    // The button's text changes with its end code only; it starts with OK's
    // end code, so it must read the finish step's word from the start too.
    fwd->set_text(done_text, false);
}

bool _lv_up_dlg_t::on_msg(const evt_t& msg, wnd_t* sender) {
    const int cur = tab ? tab->cur_tab() : -1;
    if (cur >= 0) {
        const auto handler = step(cur).on_msg;
        // The frame goes on to the dialog's own handling whatever the step did with it.
        if (handler && (this->*handler)(msg, sender) && msg.code != EVT_FRAME) return true;
    }
    if (msg.code == EVT_COMMAND && sender == fwd && fwd) {
        forward();
        return true;
    }
    if (msg.code == EVT_COMMAND && sender == reset_b && reset_b) {
        reset();
        return true;
    }
    if (sender == tab && tab && (msg.code == EVT_TAB_PAGE_MADE || msg.code == EVT_TAB_SHOWN)) {
        const int s = int(msg.a);
        if (s < 0 || s >= LVP_COUNT) return true;
        if (msg.code == EVT_TAB_PAGE_MADE) {
            if (const auto build = step(s).build) (this->*build)(reinterpret_cast<wnd_t*>(msg.b));
        } else {
            on_page_shown(s);
        }
        return true;
    }
    // Every opening lays the dialog out: it starts from the unit as it is.
    if (msg.code == EVT_LAYOUT_DONE && sender == this) reset();
    return full_scrn_dlg_t::on_msg(msg, sender);
}

// ---- reset and navigation ----

void _lv_up_dlg_t::reset() {
    if (!edited || !tab) return;
    work = *edited;
    lv_up_unit(work, picks);
    alloc = abi_alloc_t{};
    named = false;
    trail.clear();
    feats->forget();
    spells->forget();
    offer(picks.flags);
    for (int i = 0; i < LVP_COUNT; ++i)
        if (li_t* it = tab->tab_item(i)) it->label = step_names[i];
    // The strip spans the screen, whatever its width.
    tab->set_tab_w(std::max(1, tab->rc.w / LVP_COUNT));
    tab->relayout();
    tab->reset();
    keep_memo = true;
    tab->select_nav(TAB_FIRST_ENABLED);
    keep_memo = false;
    fwd->set_enabled(true);
}

void _lv_up_dlg_t::offer(uint32_t steps) {
    offered = steps;
    for (int i = 0; i < LVP_COUNT; ++i) tab->enable_tab(i, (steps >> i) & 1);
}

void _lv_up_dlg_t::forward() {
    const int cur = tab->cur_tab();
    if (cur == tab->tab_count() - 1) {
        alloc.book(work.base.abi_ups);
        *edited = work;
        return;  // the button's end code ends the dialog with OK
    }
    if (cur >= 0)
        if (const auto commit = step(cur).commit) (this->*commit)();
    tab->select_nav(TAB_NEXT_ENABLED);
}

void _lv_up_dlg_t::on_page_shown(int s) {
    const auto at = std::find_if(trail.begin(), trail.end(), [s](const mark_t& m) { return m.step == s; });
    if (at != trail.end()) {
        work = at->u;
        picks = at->ch;
        offer(at->offered);
        trail.erase(std::next(at), trail.end());
    } else {
        trail.push_back({s, work, picks, offered});
    }
    if (const auto shown = step(s).shown) (this->*shown)();
    // Forward follows the step now shown, not the one left: a step without a
    // rule of its own lets the player on, the others apply theirs at once.
    fwd->set_enabled(true);
    if (const auto handler = step(s).on_msg) (this->*handler)(evt_t{EVT_FRAME, 0, 0}, this);
    const int code = s == LVP_FINISH ? MODAL_OK : 0;
    if (fwd->end_code != code) {
        fwd->end_code = code;
        fwd->set_text(code ? done_text : next_text, true);
    }
}

// ---- build, race and class steps ----

void _lv_up_dlg_t::build_bld(wnd_t* page) {
    bld_list_ = add_list(page, fill_both, WND_DEFAULT_SIZE, L"选择预设构筑或自定义");
    const u_bld_t* custom = get_bld(BLD_CUSTOM);
    bld_list_->add_item(Str(L"<m>%s</m>", or_empty(custom->n)).c_str(), nullptr, nullptr, 0, BLD_CUSTOM, 0, 0,
                        nullptr);
    const size icon{bld_icon_side, bld_icon_side};
    for (int c = PC_CLS_FIRST; c <= PC_CLS_LAST; ++c) {
        const cls_t* cls = get_cls(c);
        bld_list_->add_item(Str(L"<m c=#4 hr>%s</m>", or_empty(cls->n)).c_str(), nullptr, nullptr, LIF_DISABLED, 0,
                            0, 0, nullptr);
        for (int b = PC_BLD_FIRST; b <= PC_BLD_LAST; ++b) {
            const u_bld_t* bld = get_bld(b);
            if (bld->cls != c) continue;
            li_t* it = bld_list_->add_item(Str(L"<m c=lbl>%s</m>", or_empty(bld->n)).c_str(), nullptr, nullptr, 0,
                                           b, 0, 0, nullptr);
            it->set_icon(Str(L"clss/builds/%s", or_empty(bld->k)).c_str(), &icon);
        }
    }
}

void _lv_up_dlg_t::shown_bld() {
    set_focus_wnd(bld_list_);
    bld_list_->select_first();
}

void _lv_up_dlg_t::commit_bld() {
    const li_t* it = bld_list_->get_item(bld_list_->sel);
    work.base.bld = it ? it->id : BLD_CUSTOM;
    apply_bld_lv(work, picks);
    // A preset decides race, class and abilities itself: its steps stay as they were.
    if (work.base.bld == BLD_CUSTOM) {
        offer(picks.flags);
        tab->arrange();
    }
}

bool _lv_up_dlg_t::msg_bld(const evt_t& msg, wnd_t* sender) {
    if (sender != bld_list_ || (msg.code != EVT_CUR_CHANGED && msg.code != EVT_SEL_MADE)) return false;
    const li_t* it = bld_list_->cur_item() ? bld_list_->cur_item() : bld_list_->get_item(bld_list_->sel);
    if (it && it->selectable()) describe(row_desc(get_bld(it->id)));
    return true;
}

void _lv_up_dlg_t::build_race(wnd_t* page) {
    race_list_ = add_list(page, top_full, 0, L"选择种族");
    for (int r = PC_RACE_FIRST; r <= PC_RACE_LAST; ++r) {
        const race_t* race = get_race(r);
        race_list_->add_item(Str(L"<m><c=lbl>%s</c></m>", or_empty(race->n)).c_str(), nullptr, nullptr, 0, r, 0,
                             0, nullptr);
    }
    race_list_->set_visible_rows(race_rows);
    bonus_list_ = add_list(page, top_full, 0, L"选择奖励属性");
    for (int i = 0; i < ABIS; ++i)
        bonus_list_->add_item(Str(L"<m><c=lbl>%s</c> <c=g>+2</c></m>", abi_name(i)).c_str(), nullptr, nullptr, 0, i, 0,
                              0, nullptr);
    bonus_list_->set_visible_rows(bonus_rows);
    bonus_list_->set_visible(false);
    bonus_list_->select(0);
    page->gap = list_gap;
}

void _lv_up_dlg_t::shown_race() {
    set_focus_wnd(race_list_);
    race_list_->select(0);
}

void _lv_up_dlg_t::commit_race() {
    const li_t* it = race_list_->get_item(race_list_->sel);
    work.base.race = it ? it->id : PC_RACE_FIRST;
    race_abi_adj(work.base.race, std::clamp(bonus_list_->sel, 0, ABIS - 1), race_adj);
}

bool _lv_up_dlg_t::msg_race(const evt_t& msg, wnd_t* sender) {
    if (msg.code != EVT_CUR_CHANGED && msg.code != EVT_SEL_MADE) return false;
    if (sender == race_list_) {
        const li_t* it = race_list_->cur_item() ? race_list_->cur_item() : race_list_->get_item(race_list_->sel);
        if (it) describe(row_desc(get_race(it->id)));
        if (msg.code == EVT_SEL_MADE) {
            const li_t* sel = race_list_->get_item(race_list_->sel);
            const bool show = sel && race_takes_key_abi(sel->id);
            if (bonus_list_->is_hidden() == show) {
                bonus_list_->set_visible(show);
                bonus_list_->parent->arrange();
            }
            // The race stays described: this selection is not the player's.
            const bool keep = keep_memo;
            keep_memo = true;
            bonus_list_->select(0);
            keep_memo = keep;
        }
        return true;
    }
    if (sender == bonus_list_) {
        const li_t* it = bonus_list_->cur_item() ? bonus_list_->cur_item() : bonus_list_->get_item(bonus_list_->sel);
        if (it) describe(row_desc(get_abi(it->id)));
        return true;
    }
    return false;
}

void _lv_up_dlg_t::build_cls(wnd_t* page) {
    cls_list_ = add_list(page, fill_both, WND_DEFAULT_SIZE, L"选择职业");
    for (int c = PC_CLS_FIRST; c <= PC_CLS_LAST; ++c) {
        const cls_t* cls = get_cls(c);
        cls_list_->add_item(Str(L"<m><c=lbl>%s</c></m>", or_empty(cls->n)).c_str(), nullptr, nullptr, 0, c, 0, 0,
                            nullptr);
    }
}

void _lv_up_dlg_t::shown_cls() {
    set_focus_wnd(cls_list_);
    cls_list_->select(0);
}

void _lv_up_dlg_t::commit_cls() {
    const li_t* it = cls_list_->get_item(cls_list_->sel);
    work.base.cls = it ? it->id : PC_CLS_FIRST;
    apply_bld_lv(work, picks);
    offer(picks.flags);
    tab->arrange();
}

bool _lv_up_dlg_t::msg_cls(const evt_t& msg, wnd_t* sender) {
    if (sender != cls_list_ || (msg.code != EVT_CUR_CHANGED && msg.code != EVT_SEL_MADE)) return false;
    const li_t* it = cls_list_->cur_item() ? cls_list_->cur_item() : cls_list_->get_item(cls_list_->sel);
    if (it) describe(row_desc(get_cls(it->id)));
    return true;
}

// ---- ability step ----

void _lv_up_dlg_t::build_abis(wnd_t* page) {
    abi_list_ = add_list(page, top_full, 0, L"决定属性");
    const size s{WND_DEFAULT_SIZE, abi_item_h};
    abi_list_->set_item_size(&s);
    abi_list_->set_item_gap(abi_item_gap);
    abi_list_->item_ml = 0;
    for (int i = 0; i < ABIS; ++i) abi_list_->add_item(L"", nullptr, nullptr, 0, i, 0, 0, nullptr);
    abi_list_->set_visible_rows(ABIS);
    for (int i = 0; i < ABIS; ++i)
        for (int plus = 0; plus < 2; ++plus) {
            auto* b = new btn_t;
            const rect r{plus ? plus_x : minus_x, abi_btn_y + abi_pitch * i, abi_btn_side, abi_btn_side};
            b->create(0, abi_list_, &r, abi_btn_id, uintptr_t(i * 2 + plus), nullptr);
            b->set_text(plus ? L"+" : L"-", false);
            b->font = FONT_B5;
            b->text_align = rect_align::centre | rect_align::middle;
            style_set_btn(b);
            reg_owned_wnd(b);
            abi_btns[i * 2 + plus] = b;
        }
    pts_lbl = add_child_wnd(page, new lbl_t, WS_DOCK_TOP, {0, 0, page_sz.w, pts_lbl_h});
    pts_lbl->bg_clr = 0;
    pts_lbl->text_align = rect_align::left | rect_align::middle;
    page->gap = list_gap;
}

void _lv_up_dlg_t::shown_abis() {
    alloc.start(work.base.abi, is_lv_up());
    set_focus_wnd(abi_list_);
    abi_list_->select(0);
    show_abis();
}

void _lv_up_dlg_t::commit_abis() {
    if (!is_lv_up()) apply_race_cls(work, race_adj);
}

void _lv_up_dlg_t::abi_step(int i, bool plus) {
    if (plus)
        alloc.raise(work.base.abi, i);
    else
        alloc.lower(work.base.abi, i);
    show_abis();
}

void _lv_up_dlg_t::show_abis() {
    if (!abi_list_) return;
    const bool lv_up = is_lv_up();
    for (int i = 0; i < ABIS; ++i) {
        const int s = work.base.abi[i];
        Str row(L"<x=%d><c=lbl>%s</c><x=%d><m=96>%d</m>", name_x, abi_name(i), score_x, s);
        if (!lv_up)
            row.append_format(L"<x=%d><m=48><c=#%08x>%d</c></m>", final_x, uint32_t(sign_clr(race_adj[i])),
                              s + race_adj[i]);
        if (li_t* it = abi_list_->get_item(i)) it->label = row;
        abi_btns[i * 2]->set_enabled(alloc.can_lower(work.base.abi, i));
        abi_btns[i * 2 + 1]->set_enabled(alloc.can_raise(work.base.abi, i));
    }
    abi_list_->relayout();
    pts_lbl->set_text(Str(L"<c=lbl>剩余点数：</c><r=24>%d</r>", alloc.points()).c_str(), true);
}

bool _lv_up_dlg_t::msg_abis(const evt_t& msg, wnd_t* sender) {
    switch (msg.code) {
    case EVT_COMMAND:
        if (!sender || sender->id != abi_btn_id || sender->parent != abi_list_) return false;
        abi_step(int(sender->user_data) / 2, sender->user_data % 2 == 1);
        return true;
    case EVT_FRAME: fwd->set_enabled(alloc.points() == 0); return true;
    case EVT_CUR_CHANGED:
    case EVT_SEL_MADE:
        if (sender != abi_list_) return false;
        if (const li_t* it = abi_list_->cur_item() ? abi_list_->cur_item() : abi_list_->get_item(abi_list_->sel))
            describe(row_desc(get_abi(it->id)));
        return true;
    default: return false;
    }
}

// ---- pick steps ----

void _lv_up_dlg_t::build_feats(wnd_t* page) {
    feats->set_kind(PICK_FEATS);
    feats->create(page, fill_both);
}

void _lv_up_dlg_t::shown_feats() {
    feats->bind(&work, memo, fwd, picks.picks);
    feats->rebuild();
}

void _lv_up_dlg_t::build_spells(wnd_t* page) {
    spells->set_kind(PICK_SPELLS);
    spells->create(page, fill_both);
    spells->bind(&work, memo, fwd, 1);
}

// ---- misc and finish steps ----

void _lv_up_dlg_t::build_misc(wnd_t* page) {
    misc = add_child_wnd(page, new_u_ctrl(), top_full, {0, 0, WND_DEFAULT_SIZE, U_CTRL_H});
    page->arrange();
}

void _lv_up_dlg_t::shown_misc() {
    // A name the player typed survives a step back from the summary.
    if (!named) misc->name_edt()->set_text(rnd_u_name(), true);
    named = true;
    set_focus_wnd(misc->name_edt());
    memo->reset_text(L"");
}

void _lv_up_dlg_t::commit_misc() { misc->get_vals(work.name, work.face, work.img); }

bool _lv_up_dlg_t::msg_misc(const evt_t& msg, wnd_t*) {
    if (msg.code == EVT_FRAME) fwd->set_enabled(is_name_given(misc->name_edt()->text.c_str()));
    return false;
}

void _lv_up_dlg_t::shown_finish() {
    finish_lv_up(work, !is_lv_up());
    if (is_lv_up())
        memo->reset_text(txt::lv_up_summary(edited, &work).c_str());
    else
        memo->reset_text(txt::unit_sheet(&work, txt::SHEET_ALL).c_str());
}
}  // namespace

// ---- opening ----

game::lv_up_dlg_t* get_lv_up_dlg() { return running; }

bool open_lv_up_dlg(unit_t* u) {
    if (!u) return false;
    if (!the_dlg) {
        the_dlg = make_dlg<_lv_up_dlg_t>(nullptr, DLG_OK_CANCEL, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE, dlg_style);
        the_dlg->set_visible(false);
    }
    _lv_up_dlg_t* d = the_dlg;
    d->edited = u;
    d->memo->set_text(u->base.lv == 0 ? intro_new : intro_lv_up, false);
    running = d;
    const int r = do_modal(d, 0, 0);
    if (running == d) running = nullptr;
    // The unit may go away after this run; a later opening names its own.
    if (the_dlg == d) d->edited = nullptr;
    return r == MODAL_OK;
}
