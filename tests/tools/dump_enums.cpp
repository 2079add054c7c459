#include "app/text_info.h"
#include "rules/dmg.h"
#include "rules/enums.h"
#include "rules/ex_info.h"
#include "rules/load_type.h"
#include "rules/pwr.h"
#include "rules/urank.h"
#include "tests/tools/dump_rules.h"

namespace {
void dump_fields(dump_row_t& row, const text_info_t* r) {
    if (const auto* t = dynamic_cast<const dmg_type_t*>(r)) {
        const wchar_t letter[2] = {t->letter ? t->letter : L'-', 0};
        row.f("letter", letter).f("clr", t->clr.v);
    } else if (const auto* l = dynamic_cast<const load_type_t*>(r)) {
        row.f("max_dex", l->max_dex).f("amr_pen", l->amr_pen).f("spd_pen", l->spd_pen).f("spl_fail", l->spl_fail);
        row.f("clr", l->clr.v);
    } else if (const auto* u = dynamic_cast<const urank_t*>(r)) {
        row.f("multiplier", u->xp_mul).f("colour", u->clr.v);
    } else if (const auto* e = dynamic_cast<const ex_info_t*>(r)) {
        row.f("clr", e->clr.v);
    }
}
}  // namespace

void dump_enums() {
    for (const txt_tbl_reg_entry& e : txt_tbl_regs()) {
        dump_head(to_utf8_string(e.name).c_str());
        for (size_t i = 0; i < e.recs.size(); ++i) {
            const text_info_t* r = e.recs[i];
            if (!r) continue;
            dump_row_t row(int(i), r->k);
            dump_fields(row, r);
        }
    }
    // The two small tables that are not registered: sizes and power categories.
    dump_head("u_size");
    for (int i = 0; i < U_SIZES; ++i) dump_row_t(i, get_u_size(i)->k);
    dump_head("pwr_cat");
    for (int i = 0; i < 10; ++i) dump_row_t(i, get_pwr_cat(i)->k);
}
