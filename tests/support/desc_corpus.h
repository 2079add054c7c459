#pragma once
// Every description the game builds, one record after another: the tooltip and
// description of every power, the description of every item, the sheets of the
// ten premade characters and of ten monster templates at levels 1 and 10. And
// the tooltip references inside mark-up, to check that each one resolves.
// Used by tests/tools/desc_dump and the reference test of screens/text.
#include <functional>
#include <string>
#include <vector>

#include "app/db.h"
#include "app/paths.h"
#include "app/str.h"
#include "app/text_info.h"
#include "rules/enums.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/unit.h"
#include "screens/text/itm_desc.h"
#include "screens/text/text_hooks.h"
#include "screens/text/tip_resolve.h"
#include "screens/text/unit_sheet.h"

namespace desc_corpus {

// fn(title, mark-up) of one text.
using text_fn = std::function<void(const std::string&, const Str&)>;

// Monster templates spread over the table.
inline constexpr int mon_ids[10] = {1, 13, 25, 37, 49, 61, 73, 85, 97, 109};

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

// fn(title, mark-up) for every record, in a fixed order.
inline void for_each(const text_fn& fn) {
    for (int id = 1; id <= PWR_LAST; ++id) {
        const Pwr* p = get_pwr(id);
        if (!p) continue;
        const std::string key = to_utf8_string(or_empty(p->k));
        Str t;
        fn("power " + std::to_string(id) + " " + key + " tooltip", p->get_tip_text(t));
        fn("power " + std::to_string(id) + " " + key + " description", p->get_desc_text(t));
    }
    for (int id = 1; itm_valid_id(id); ++id)
        fn("item " + std::to_string(id) + " " + to_utf8_string(or_empty(get_itm(id).k)),
           txt::itm_desc(itm_slot_t(id, 1)));
    const std::vector<unit_t*>& pcs = get_preset_pcs();
    for (size_t i = 0; i < pcs.size(); ++i)
        fn("premade " + std::to_string(i + 1), txt::unit_sheet(pcs[i], txt::SHEET_ALL));
    for (int id : mon_ids) {
        for (int lv : {1, 10}) {
            unit_t u;
            u.from_mon(id, lv);
            fn("monster " + std::to_string(id) + " level " + std::to_string(lv), txt::unit_sheet(&u, txt::SHEET_ALL));
        }
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
};

// Counts the references of text and of what each one resolves to; seen, when
// given, gets each text a reference resolves to.
inline void check_refs(const std::string& title, const Str& text, ref_count_t& c, const text_fn& seen = {},
                       int depth = 0) {
    for (const Str& r : tip_refs(text)) {
        ++c.refs;
        Str out;
        int w = 0;
        if (!txt::resolve_tip_ref(r, &out, &w)) {
            c.unresolved.push_back(title + ": " + to_utf8_string(r));
        } else if (depth == 0) {
            const std::string sub = title + " > " + to_utf8_string(r);
            if (seen) seen(sub, out);
            check_refs(sub, out, c, seen, 1);
        }
    }
}

}  // namespace desc_corpus
