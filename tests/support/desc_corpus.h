#pragma once
// Every description the game builds, one record after another, each with the
// boxes that show it: the tooltip and description of every power, the
// description of every item with its largest bonus, and the sheets, tooltips
// and level-up summaries of every preset build and every race with every class
// at a few levels, and of every monster. And the tooltip references inside
// mark-up, to check that each one resolves. Used by tests/tools/desc_dump and
// the reference test of screens/text.
#include <algorithm>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/db.h"
#include "app/str.h"
#include "app/text_info.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/enums.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"
#include "rules/lv.h"
#include "rules/mon.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/unit.h"
#include "screens/text/itm_desc.h"
#include "screens/text/lv_up_summary.h"
#include "screens/text/text_hooks.h"
#include "screens/text/tip_resolve.h"
#include "screens/text/unit_sheet.h"
#include "support/text_fit.h"

namespace desc_corpus {

// The boxes that show the descriptions, at their narrowest: at 900 x 700, the
// smallest window, and where a larger one makes them narrower still.
using places_t = std::vector<text_fit::place_t>;
inline constexpr text_fit::place_t ref_tip{240};       // a "&" reference's tooltip: 256 less its border
// The unit panel beside the battle's map takes what the map's whole cells
// leave: 228 at 900 x 700, 224 at 1280 x 720 and 1920 x 1080.
inline constexpr text_fit::place_t unit_panel{224};
inline constexpr text_fit::place_t unit_dlg{288};      // the unit dialog's sheet
inline constexpr text_fit::place_t wizard_memo{488};   // the character wizard's description
inline constexpr text_fit::place_t help_page{548, false, FONT_N5};  // the help dialog's page at 900 x 700

// fn(title, mark-up, where it is shown) of one text.
using text_fn = std::function<void(const std::string&, const Str&, const places_t&)>;

// The game's texts of lang from text_root ("<root>/main.lua", "<root>/<lang>/"),
// the power registry with its texts, and the screens' text hooks.
inline void load_texts(const wchar_t* text_root, const wchar_t* lang) {
    db_set_text_root(text_root);
    db_set_lang(lang);
    db_init();
    reg_rules_tbls();
    load_txt_tbls();
    free_pwrs();
    init_pwrs();
    txt::install_text_hooks();
}

// A unit's texts: its sheet in full where the panel and the dialog show it (a
// character's also in the party manager's tooltip) and a character's compact
// in the panel, and its tooltip.
inline void unit_texts(const std::string& title, unit_t& u, bool pc, const text_fn& fn) {
    places_t full{unit_panel, unit_dlg};
    if (pc) full.push_back(text_fit::auto_tip);
    fn(title + " sheet", txt::unit_sheet(&u, txt::SHEET_ALL), full);
    if (pc) fn(title + " compact sheet", txt::unit_sheet(&u, 0), {unit_panel});
    fn(title + " tooltip", txt::unit_tip_text(&u), {text_fit::auto_tip});
}

// The levels the characters are shown at (a monster and a custom character at
// one of them each), and the level-ups summed up, by the level reached.
inline constexpr int unit_lvs[] = {1, 10, 20};
inline constexpr int summed_lvs[] = {2, 4, 20};

// A character raised to level lv as the wizard raises it; each(old) after
// each level-up, with the character as it was before it.
inline void raise_to(unit_t& u, int lv, const std::function<void(const unit_t& old)>& each = {}) {
    while (u.base.lv < lv) {
        const unit_t old = u;
        lv_choices_t picks;
        lv_up_unit(u, picks);
        finish_lv_up(u, false);
        if (each) each(old);
    }
}

// A character raised to level lv, with the summary of each level-up to a
// level of summed_lvs; then its texts.
inline void pc_texts(const std::string& title, unit_t& u, int lv, const text_fn& fn) {
    raise_to(u, lv, [&](const unit_t& old) {
        if (std::count(std::begin(summed_lvs), std::end(summed_lvs), u.base.lv))
            fn(title + " level-up to " + std::to_string(u.base.lv), txt::lv_up_summary(&old, &u), {wizard_memo});
    });
    unit_texts(title + " level " + std::to_string(lv), u, true, fn);
}

// fn(title, mark-up, places) for every record, in a fixed order.
inline void for_each(const text_fn& fn) {
    for (int id = 1; id <= PWR_LAST; ++id) {
        const Pwr* p = get_pwr(id);
        if (!p) continue;
        const std::string key = to_utf8_string(or_empty(p->k));
        Str t;
        fn("power " + std::to_string(id) + " " + key + " tooltip", p->get_tip_text(t), {help_page, wizard_memo});
        fn("power " + std::to_string(id) + " " + key + " description", p->get_desc_text(t), {ref_tip});
    }
    for (int id = 1; itm_valid_id(id); ++id) {
        itm_slot_t s(id, 1);
        s.set_bonus(5);  // the arena's top shelf; items that take no bonus keep theirs
        fn("item " + std::to_string(id) + " " + to_utf8_string(or_empty(get_itm(id).k)), txt::itm_desc(s), {ref_tip});
    }
    for (size_t i = 0; i < get_preset_pcs().size(); ++i) {
        unit_t u(*get_preset_pcs()[i]);
        for (int lv : unit_lvs) pc_texts("premade " + std::to_string(i + 1), u, lv, fn);
    }
    int n = 0;
    for (int race = PC_RACE_FIRST; race <= PC_RACE_LAST; ++race) {
        for (int cls = PC_CLS_FIRST; cls <= PC_CLS_LAST; ++cls) {
            unit_t u;  // a build's powers and gear under the custom build
            for (int b = PC_BLD_FIRST; b <= PC_BLD_LAST; ++b)
                if (get_bld(b)->cls == cls) u.from_bld(b, L"", L"", L"");
            u.base.bld = BLD_CUSTOM, u.base.race = race;
            u.reset_for_play();
            pc_texts("custom " + to_utf8_string(get_race(race)->k) + " " + to_utf8_string(get_cls(cls)->k), u,
                     unit_lvs[n++ % 3], fn);
        }
    }
    for (int id = 1; id < MON_COUNT; ++id) {
        unit_t u;
        u.from_mon(id, unit_lvs[id % 3]);
        unit_texts("monster " + std::to_string(id) + " level " + std::to_string(u.base.lv), u, false, fn);
    }
}

// The references ("#", "$", "&") of the tip attributes and tags in text, nested
// tips included (they stand inside quoted tooltips as they are).
inline std::vector<Str> tip_refs(const wchar_t* text) {
    std::vector<Str> out;
    for (const wchar_t* p = text; (p = std::wcsstr(p, L"tip=")); ) {
        p += 4;
        if (*p != L'#' && *p != L'$' && *p != L'&') continue;
        const wchar_t* e = p;
        while (*e && *e != L' ' && *e != L'>' && *e != L'\'' && *e != L'"') ++e;
        out.push_back(Str().assign_sub(p, 0, int(e - p)));
        p = e;
    }
    return out;
}

struct ref_count_t {
    int refs = 0;
    std::vector<std::string> unresolved;  // "title: reference"
    std::unordered_set<std::wstring> done;  // each reference is looked into once at each depth
};

// Counts the references of text and of what each one resolves to; seen, when
// given, gets each text a reference resolves to, with the box of its tooltip.
inline void check_refs(const std::string& title, const Str& text, ref_count_t& c, const text_fn& seen = {},
                       int depth = 0) {
    for (const Str& r : tip_refs(text)) {
        ++c.refs;
        if (!c.done.insert(std::to_wstring(depth) + r.c_str()).second) continue;
        Str out;
        int w = 0;
        if (!txt::resolve_tip_ref(r, &out, &w)) {
            c.unresolved.push_back(title + ": " + to_utf8_string(r));
        } else if (depth == 0) {
            const std::string sub = title + " > " + to_utf8_string(r);
            // At the width the resolver gives, less the tooltip's border; else a tooltip sized to the text.
            if (seen) seen(sub, out, {w ? text_fit::place_t{w - 2 * text_fit::pad} : text_fit::auto_tip});
            check_refs(sub, out, c, seen, 1);
        }
    }
}

}  // namespace desc_corpus
