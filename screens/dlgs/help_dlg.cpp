#include "screens/dlgs/help_dlg.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <vector>

#include "app/db.h"
#include "app/font.h"
#include "app/loop.h"
#include "app/platform.h"
#include "app/text_info.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/enums.h"
#include "rules/lv.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "screens/text/pwr_desc.h"
#include "ui/dlg.h"
#include "ui/memo_ctrl.h"
#include "ui/tv.h"

namespace {
constexpr int max_w = 1024;
constexpr int screen_margin_w = 64;
constexpr int dlg_padding = 8;
constexpr int tree_w = 256;
constexpr int memo_font = FONT_N5;
constexpr int keep_place = 1;  // do_modal: leave the dialog where it was
// Rules topics: races, classes and abilities a player meets, feats and spells.
constexpr int first_pc_race = RACE_HUM, last_pc_race = RACE_HFLING;
constexpr int first_pc_cls = CLS_FIGHTER, last_pc_cls = CLS_WIZARD;
constexpr int first_feat = P_FEAT_FIRST, last_feat = P_FEAT_LAST;
constexpr int first_spell = P_SPELL_FIRST, last_spell = P_SPELL_LAST;
constexpr int pwr_cat_count = PWR_CATS;
constexpr uint32_t feat_cats = CAT_ANY;  // the categories that hold feats
constexpr uint32_t cat_node = 1u << 0;  // node flag: a feat category; data2 holds its number

// One topic: its texts and the tree node that shows it.
struct text_item_t : text_info_t {
    ti_t* node = nullptr;
};

class msg_dlg_t;
msg_dlg_t* the_dlg = nullptr;
bool opened_before = false;

class msg_dlg_t : public dlg_t {
public:
    tv_t* tree = nullptr;
    memo_ctrl_t* memo = nullptr;
    std::vector<std::unique_ptr<text_item_t>> items;

    ~msg_dlg_t() override {
        if (the_dlg == this) the_dlg = nullptr, opened_before = false;
    }

    void on_create() override {
        dlg_t::on_create();
        padding = dlg_padding;
        tree = new tv_t;
        const rect tr{0, 0, tree_w, tree_w};
        tree->create(WS_DOCK_LEFT | WS_FILL_H, this, &tr, 0, 0, nullptr);
        reg_owned_wnd(tree);
        help_fill();
        memo = new memo_ctrl_t;
        const rect mr{0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
        memo->create(uint32_t(MEMO_WRAP) | WS_FILL_W | WS_FILL_H, this, &mr, 0, 0, nullptr);
        memo->font = memo_font;
        reg_owned_wnd(memo);
        tree->select(tree->resolve(ti_ref_t::FIRST));
    }

    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        if (msg.code == EVT_SEL_MADE && sender == tree) {
            const text_item_t* it = item_of(tree->sel);
            if (memo) memo->reset_text(it ? or_empty(it->d) : L"");
            return true;
        }
        return dlg_t::on_msg(msg, sender);
    }

    text_item_t* help_find(const wchar_t* key) const {
        for (const auto& it : items)
            if (it->k && wcscmp(it->k, key) == 0) return it.get();
        return nullptr;
    }

private:
    // Where the next entry of the text table goes; only used while filling.
    struct fill_state_t {
        std::vector<ti_t*> parents{nullptr};  // by depth; null is the root
        int depth = 0;
        ti_t* last = nullptr;
    };

    text_item_t* item_of(const ti_t* n) const {
        if (!n || n->data3 == 0 || n->data3 > items.size()) return nullptr;
        return items[n->data3 - 1].get();
    }

    text_item_t* new_item() {
        items.push_back(std::make_unique<text_item_t>());
        return items.back().get();
    }

    ti_t* add_node(text_item_t* it, ti_t* parent, uint32_t flags = 0, uint32_t data2 = 0, int indent = 0) {
        const ti_ref_t under = parent ? ti_ref_t(parent) : ti_ref_t(ti_ref_t::ROOT);
        it->node = tree->add_node(or_empty(it->n), flags, data2, uint32_t(items.size()), nullptr, indent, under,
                                  ti_ref_t::LAST_CHILD);
        return it->node;
    }

    void help_fill() {
        tree->set_laid_out(false);
        fill_state_t fs;
        if (db_push_tbl(L"help/items", L"help")) {
            db_for_each_top([this, &fs](int) {
                help_add_entry(fs);
                return true;
            });
            db_pop();
        }
        tree->relayout();
    }

    void help_add_entry(fill_state_t& fs) {
        text_item_t* it = new_item();
        db_read_top(it);
        Str indent_text;
        db_t::instance().read_str(L"indent", indent_text);
        const int indent = int(wcstol(indent_text.c_str(), nullptr, 10));
        if (indent >= 1) {
            // However large, one level deeper, under the entry before.
            fs.depth = fs.last ? fs.depth + 1 : 0;
            fs.parents.resize(size_t(fs.depth) + 1);
            if (fs.last) fs.parents[size_t(fs.depth)] = fs.last;
        } else if (indent < 0) {
            fs.depth = std::max(0, fs.depth + indent);
        }
        fs.last = add_node(it, fs.parents[size_t(fs.depth)]);
        help_add_rules(or_empty(it->k), fs.last);
    }

    void help_add_rules(const wchar_t* key, ti_t* parent) {
        if (wcscmp(key, L"race") == 0) {
            for (int id = first_pc_race; id <= last_pc_race; ++id) add_rec(*get_race(id), parent);
        } else if (wcscmp(key, L"cls") == 0) {
            for (int id = first_pc_cls; id <= last_pc_cls; ++id) add_rec(*get_cls(id), parent);
        } else if (wcscmp(key, L"abi") == 0) {
            for (int i = 0; i < ABIS; ++i) add_rec(*get_abi(i), parent);
        } else if (wcscmp(key, L"feat") == 0) {
            help_add_feats(parent);
        } else if (wcscmp(key, L"spl") == 0) {
            help_add_spells(parent);
        }
    }

    void add_rec(const text_info_t& rec, ti_t* parent) { help_add_item(rec.n, rec.d, parent, true); }

    ti_t* help_add_item(const wchar_t* name, const wchar_t* text, ti_t* parent, bool heading, uint32_t flags = 0,
                        uint32_t data2 = 0, int indent = 0) {
        text_item_t* it = new_item();
        text_info_t::set(&it->n, name);
        const wchar_t* body = or_empty(text);
        if (heading)
            text_info_t::set(&it->d, Str(L"<h1 c=lbl>%s</h1>\n\n%s", or_empty(name), body).c_str());
        else
            text_info_t::set(&it->d, body);
        return add_node(it, parent, flags, data2, indent);
    }

    void help_add_feats(ti_t* parent) {
        for (int c = 0; c < pwr_cat_count; ++c) {
            if (!(feat_cats & (1u << c))) continue;
            const text_info_t* cat = get_pwr_cat(c);
            help_add_item(cat->n, cat->d, parent, false, cat_node, uint32_t(c));
        }
        for (int id = first_feat; id <= last_feat; ++id) {
            const Pwr* p = get_pwr(id);
            if (!p || p->cat < 0 || p->cat >= pwr_cat_count || !(feat_cats & (1u << p->cat))) continue;
            ti_t* under = nullptr;
            for (ti_t* c : parent->children)
                if (c->has(cat_node) && c->data2 == uint32_t(p->cat)) under = c;
            if (!under) continue;
            Str tip;
            p->get_tip_text(tip);
            help_add_item(txt::pwr_line(*p), tip, under, false, 0, 0, p->get_tier());
        }
    }

    void help_add_spells(ti_t* parent) {
        for (int level = 1; level <= SPELL_LVS; ++level)
            help_add_item(Str(L"<c=lbl>%d环法术</c>", level), Str(L"%d级以上施法者可学习。", 2 * level - 1), parent,
                          true, TIF_EXPANDED);
        for (int id = first_spell; id <= last_spell; ++id) {
            const Pwr* p = get_pwr(id);
            if (!p) continue;
            ti_t* level_node = tree->child_at(p->lv - 1, parent);
            if (!level_node) continue;
            Str tip;
            p->get_tip_text(tip);
            help_add_item(txt::pwr_line(*p), tip, level_node, false);
        }
    }
};

msg_dlg_t* new_help_dlg(const wchar_t* title) {
    const size* scr = get_scrn_size();
    return make_dlg<msg_dlg_t>(title, 0, std::min(scr->w - screen_margin_w, max_w), scr->h * 4 / 5,
                               WS_CENTRE_X | WS_CENTRE_Y);
}
}  // namespace

bool help_open(const wchar_t* topic) {
    text_info_t rec;
    db_read_text_info(L"help", &rec, L"help");
    if (!the_dlg) the_dlg = new_help_dlg(or_empty(rec.n));
    bool found = true;
    if (topic) {
        if (text_item_t* it = the_dlg->help_find(topic)) {
            the_dlg->tree->select(it->node);
            the_dlg->tree->ensure_visible(it->node);
        } else {
            found = false;
        }
    }
    const int flags = opened_before ? keep_place : 0;
    opened_before = true;
    do_modal(the_dlg, 0, flags);
    return found;
}

bool help_link(const wchar_t* link, bool* result) {
    const wchar_t* colon = link ? wcschr(link, L':') : nullptr;
    if (!colon || colon - link != 4 || wcsncmp(link, L"help", 4) != 0 || wcschr(colon + 1, L':')) return false;
    const bool found = help_open(colon + 1);
    if (result) *result = found;
    return true;
}
