#include "rules/eff.h"

#include "battle/rolls.h"
#include "battle/unit_move.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/eff_ids.h"
#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"
#include "rules/unit.h"

namespace {

struct eff_row_t {
    int id = 0;
    const wchar_t* key = nullptr;
    int def = 0;
};

constexpr eff_row_t eff_rows[] = {
    { .id = 0 },
    { .id = 1, .key = L"kb", .def = 5 },    // knock back one cell
    { .id = 2, .key = L"kbo1", .def = 5 },  // knock back one cell and prone
    { .id = 3, .key = L"kbo2", .def = 5 },  // knock back two cells and prone
};
static_assert(ids_in_order(eff_rows), "effect rows must stand in id order");
static_assert(std::size(eff_rows) == EFF_COUNT && eff_rows[EFF_COUNT - 1].id == EFF_COUNT - 1, "one row per id");

struct eff_tbl_t {
    eff_t rows[EFF_COUNT];
    tbl_texts_t texts;

    eff_tbl_t() {
        for (const eff_row_t& r : eff_rows) {
            text_info_t::set(&rows[r.id].k, r.key);
            rows[r.id].def = r.def;
        }
    }
};

}  // namespace

const eff_t* get_eff(int id) {
    static eff_tbl_t tbl;
    if (tbl.texts.due()) read_tbl_texts(L"effs", tbl.rows, EFF_COUNT);
    return &tbl.rows[id >= 0 && id < EFF_COUNT ? id : 0];
}

void try_apply_eff(const int_pair_t& e, unit_t* src, unit_t* tgt) {
    const eff_t* row = get_eff(e.a);
    if (e.b != EFF_NO_ROLL && !roll_unit_check(or_empty(row->n), tgt, e.b, tgt->get_def(row->def))) return;
    if (e.a < EFF_KB || e.a > EFF_KBO2) return;
    knock_back(src, tgt, e.a == EFF_KBO2 ? 2 : 1);
    if (e.a == EFF_KB) return;
    cond_inst_t ci;
    apply_cond(make_cond_inst(ci, C_PRONE, src, 0, CI_NO_ROLL, 0), tgt);
}
