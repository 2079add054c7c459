#include "screens/unit/pwr_pick.h"

#include <algorithm>
#include <map>

#include "app/input.h"
#include "app/text_info.h"
#include "rules/lv.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "screens/text/pwr_desc.h"
#include "ui/memo_ctrl.h"
#include "ui/tool_bar.h"
#include "ui/tv.h"

namespace {
constexpr rect tree_rc{0, 0, 256, 256};
constexpr uint32_t show_all_style = WS_AUTO_CHECK | WS_DOCK_RIGHT | WS_CENTRE_Y;
// The categories that hold feats; and the power ids of feats and spells.
constexpr uint32_t feat_cats = CAT_ANY;
constexpr int first_feat = P_FEAT_FIRST, last_feat = P_FEAT_LAST;
constexpr int first_spell = P_SPELL_FIRST, last_spell = P_SPELL_LAST;

bool is_pwr_node(const ti_t* n) { return n && n->data2 != 0; }
clr_t node_clr(const ti_t* n) { return *n->text.color_ptr(); }
bool is_learnable(const ti_t* n) { return node_clr(n) == PICK_LEARNABLE; }
}  // namespace

clr_t pwr_pick_t::learn_state(const unit_t& u, int id) {
    switch (pwr_learn_state(u, id)) {
    case pwr_learn_e::held: return PICK_HELD;
    case pwr_learn_e::learnable: return PICK_LEARNABLE;
    default: return PICK_LOCKED;
    }
}

void pwr_pick_t::create(wnd_t* parent, uint32_t style) {
    tree_ = new tv_t;
    tree_->set_style(style | TVS_CHECKS);
    tree_->set_parent(parent);
    tree_->set_rect(&tree_rc);
    tree_->on_create();
    reg_owned_wnd(tree_);
    tree_->set_title_bar(TITLE_SMALL, kind_ == PICK_FEATS ? L"选择专长" : L"选择法术");
    show_all_ = tree_->add_title_btn(show_all_style, L"ui/show_all", nullptr);
    show_all_->tip = L"显示所有项目，包括目前不可学的。";
    show_all_->set_checked(kind_ == PICK_FEATS);
    show_all_->set_visible(false);
}

void pwr_pick_t::bind(unit_t* u, memo_ctrl_t* memo, wnd_t* fwd, int required) {
    unit_ = u;
    memo_ = memo;
    fwd_ = fwd;
    required_ = required;
    active_ = true;
}

void pwr_pick_t::forget() { chosen_.clear(); }

void pwr_pick_t::rebuild() {
    if (!tree_ || !unit_) return;
    // Shown again: this step's earlier ticks come off the unit, so the step
    // never grants its picks twice.
    for (int id : chosen_) unit_->pwrs.remove(id);
    chosen_.clear();
    if (kind_ == PICK_FEATS)
        fill_feats();
    else
        fill_spells();
    tree_->expand_top();
    filter(show_all_ && show_all_->is_checked());
    update();
    set_focus_wnd(tree_);
}

void pwr_pick_t::fill_feats() {
    tree_->clear();
    std::map<int, ti_t*> groups;
    for (int c = 0; c < PWR_CATS; ++c) {
        if (!(feat_cats & (1u << c))) continue;
        const text_info_t* cat = get_pwr_cat(c);
        groups[c] = tree_->add_node(or_empty(cat->n), TIF_NO_CHECK, 0, uint32_t(c), &PICK_GROUP, 0,
                                    ti_ref_t::ROOT, ti_ref_t::LAST_CHILD);
    }
    for (int id = first_feat; id <= last_feat; ++id) {
        const Pwr* p = get_pwr(id);
        if (!p || p->cat < 0 || p->cat >= PWR_CATS || !(feat_cats & (1u << p->cat))) continue;
        const clr_t c = learn_state(*unit_, id);
        tree_->add_node(txt::pwr_line(*p).c_str(), 0, uint32_t(id), 0, &c, p->get_tier(), groups[p->cat],
                        ti_ref_t::LAST_CHILD);
    }
    tree_->relayout();
}

void pwr_pick_t::fill_spells() {
    tree_->clear();
    ti_t* groups[SPELL_LVS + 1] = {};
    for (int level = 1; level <= SPELL_LVS; ++level)
        groups[level] = tree_->add_node(Str(L"%d环法术", level).c_str(), TIF_NO_CHECK, 0, uint32_t(level), &PICK_GROUP,
                                        0, ti_ref_t::ROOT, ti_ref_t::LAST_CHILD);
    for (int id = first_spell; id <= last_spell; ++id) {
        const Pwr* p = get_pwr(id);
        if (!p || p->lv < 1 || p->lv > SPELL_LVS) continue;
        const clr_t c = learn_state(*unit_, id);
        tree_->add_node(txt::pwr_line(*p).c_str(), 0, uint32_t(id), 0, &c, 0, groups[p->lv], ti_ref_t::LAST_CHILD);
    }
    tree_->relayout();
}

void pwr_pick_t::update() {
    if (!tree_ || !unit_) return;
    tree_->for_each(
        [&](ti_t* n) {
            if (!is_pwr_node(n)) {
                n->flags = (n->flags | TIF_NO_CHECK) & ~TIF_CHECK_OFF;
                return true;
            }
            const int id = int(n->data2);
            const clr_t c = learn_state(*unit_, id);
            n->text.set_color(&c);
            const bool picked = std::find(chosen_.begin(), chosen_.end(), id) != chosen_.end();
            if (c == PICK_LEARNABLE || picked)
                n->flags &= ~TIF_NO_CHECK;
            else
                n->flags |= TIF_NO_CHECK;
            n->flags = picked ? n->flags | TIF_CHECKED : n->flags & ~TIF_CHECKED;
            // A power a chosen one builds on stays until that one is unticked.
            const bool locked = std::any_of(chosen_.begin(), chosen_.end(), [&](int o) { return is_prereq_of(id, o); });
            n->flags = locked ? n->flags | TIF_CHECK_OFF : n->flags & ~TIF_CHECK_OFF;
            return true;
        },
        ti_ref_t::ROOT, true);
    if (required_ != 0 && tree_->title) tree_->title->second = Str(L"<c=g b>%d/%d </c>", int(chosen_.size()), required_);
}

void pwr_pick_t::filter(bool show_all) {
    if (!tree_) return;
    tree_->for_each(
        [&](ti_t* n) {
            const bool hide = !show_all && is_pwr_node(n) && node_clr(n) == PICK_LOCKED;
            n->flags = hide ? n->flags | TIF_HIDDEN : n->flags & ~TIF_HIDDEN;
            return true;
        },
        ti_ref_t::ROOT, true);
    if (!show_all) {
        // A group left with no shown entry goes too; repeated until nothing changes.
        for (bool again = true; again;) {
            again = false;
            tree_->for_each(
                [&](ti_t* n) {
                    if (is_pwr_node(n) || n->has(TIF_HIDDEN)) return true;
                    const bool any = std::any_of(n->children.begin(), n->children.end(),
                                                 [](const ti_t* c) { return !c->has(TIF_HIDDEN); });
                    if (!any) {
                        n->flags |= TIF_HIDDEN;
                        again = true;
                    }
                    return true;
                },
                ti_ref_t::ROOT, true);
        }
    }
    tree_->relayout();
    tree_->select(first_learnable());
}

ti_t* pwr_pick_t::first_learnable() const {
    ti_t* shown = nullptr;
    ti_t* any = nullptr;
    tree_->for_each(
        [&](ti_t* n) {
            if (!is_pwr_node(n) || !is_learnable(n)) return true;
            if (!any) any = n;
            if (n->get_row() >= 0) shown = n;
            return shown == nullptr;
        },
        ti_ref_t::ROOT, true);
    return shown ? shown : any;
}

ti_t* pwr_pick_t::node_of(int id) const {
    ti_t* found = nullptr;
    if (tree_)
        tree_->for_each(
            [&](ti_t* n) {
                if (is_pwr_node(n) && int(n->data2) == id) found = n;
                return found == nullptr;
            },
            ti_ref_t::ROOT, true);
    return found;
}

void pwr_pick_t::describe(const ti_t* n) {
    if (!memo_) return;
    Str s;
    if (is_pwr_node(n))
        if (const Pwr* p = get_pwr(int(n->data2))) p->get_tip_text(s);
    memo_->reset_text(s.c_str());
}

void pwr_pick_t::on_check(ti_t* n) {
    if (!is_pwr_node(n) || !unit_) return;
    const int id = int(n->data2);
    if (n->has(TIF_CHECKED)) {
        chosen_.push_back(id);
        unit_->pwrs.add(id);
    } else {
        chosen_.erase(std::remove(chosen_.begin(), chosen_.end(), id), chosen_.end());
        unit_->pwrs.remove(id);
    }
    update();
}

bool pwr_pick_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (!active_ || !tree_) return false;
    switch (msg.code) {
    case EVT_CUR_CHANGED:
    case EVT_SEL_MADE:
        if (sender != tree_) return false;
        describe(tree_->hot ? tree_->hot : tree_->sel);
        return true;
    case EVT_FRAME:
        if (fwd_) fwd_->set_enabled(int(chosen_.size()) == required_);
        return true;
    case EVT_CHECK: {
        if (sender != tree_) return false;
        ti_t* n = reinterpret_cast<ti_t*>(msg.a);
        on_check(n);
        // Selected, so the details follow the entry the player acted on last
        // (a box is no row, and the memo stayed on the entry selected before).
        tree_->select(n);
        return true;
    }
    case EVT_COMMAND:
        if (sender != show_all_) return false;
        filter(show_all_->is_checked());
        return true;
    default: return false;
    }
}
