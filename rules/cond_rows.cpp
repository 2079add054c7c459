#include "rules/cond.h"

#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"

namespace {

struct cond_row_t {
    int id = 0;
    const wchar_t* key = nullptr;
    int dur = 0;
    int def = 0;
    int flags = 0;
    int dmg_types = 0;
    int ai_pct = 0;
    int dis_rank = 0;
};

constexpr int F = COND_FOREVER;

constexpr cond_row_t cond_rows[] = {
    { .id = 0 },
    { .id = 1, .key = L"slow", .dur = 1, .def = 2, .flags = 0x01, .ai_pct = 20, .dis_rank = 1 },
    { .id = 2, .key = L"no_mov", .dur = 1, .def = 2, .flags = 0x02, .ai_pct = 30, .dis_rank = 2 },
    { .id = 3, .key = L"prone", .dur = F, .def = 5, .flags = 0x11, .ai_pct = 30, .dis_rank = 3 },
    { .id = 4, .key = L"surprise", .dur = 1, .def = 2, .flags = 0x1E, .ai_pct = 25 },
    { .id = 5, .key = L"stun", .dur = 1, .def = 2, .flags = 0x3E, .ai_pct = 50, .dis_rank = 9 },
    { .id = 6, .key = L"sleep", .dur = 3, .def = 4, .flags = 0x3E, .ai_pct = 75, .dis_rank = 9 },
    { .id = 7, .key = L"stone", .dur = F, .def = 2, .flags = 0x3E, .ai_pct = 80, .dis_rank = 9 },
    { .id = 8, .key = L"polym", .dur = 2, .def = 4, .flags = 0x18, .ai_pct = 50, .dis_rank = 9 },
    { .id = 9, .key = L"turn", .dur = 3, .def = 4, .flags = 0x18, .ai_pct = 70, .dis_rank = 9 },
    { .id = 10, .key = L"fear", .dur = 2, .def = 4, .flags = 0x18, .ai_pct = 50, .dis_rank = 9 },
    { .id = 11, .key = L"mad", .dur = 2, .def = 4, .flags = 0x18, .ai_pct = 90, .dis_rank = 9 },
    { .id = 12, .key = L"charm", .dur = 2, .def = 4, .flags = 0x18, .ai_pct = 90, .dis_rank = 9 },
    { .id = 13, .key = L"def", .dur = 1 },
    { .id = 14, .key = L"def_full", .dur = 1 },
    { .id = 15, .key = L"grapper", .dur = F, .flags = 0x12 },
    { .id = 16, .key = L"grap", .dur = F, .def = 5, .flags = 0x1E, .ai_pct = 30, .dis_rank = 4 },
    { .id = 17, .key = L"weak", .dur = 3, .def = 2, .ai_pct = 30 },
    { .id = 18, .key = L"blood_rage", .dur = F },
    { .id = 19, .key = L"blood_rage2", .dur = F },
    { .id = 20, .key = L"bleed", .dur = 3, .def = 2, .dmg_types = 0x0E, .ai_pct = 20 },  // slash, pierce, blunt
    { .id = 21, .key = L"burn", .dur = 3, .def = 3, .dmg_types = 0x10, .ai_pct = 20 },   // fire
    { .id = 22, .key = L"tox", .dur = 3, .def = 2, .dmg_types = 0x100, .ai_pct = 20 },   // tox
    { .id = 23, .key = L"corrode", .dur = 3, .def = 3, .dmg_types = 0x80, .ai_pct = 20 },  // acid
    { .id = 24, .key = L"hr", .dur = 3, .dmg_types = 0x1000, .ai_pct = -50 },            // void
};
static_assert(ids_in_order(cond_rows), "condition rows must stand in id order");
static_assert(std::size(cond_rows) == COND_COUNT && cond_rows[COND_COUNT - 1].id == COND_COUNT - 1, "one row per id");

struct cond_tbl_t {
    cond_t rows[COND_COUNT];
    tbl_texts_t texts;

    cond_tbl_t() {
        for (const cond_row_t& r : cond_rows) {
            cond_t& c = rows[r.id];
            text_info_t::set(&c.k, r.key);
            c.dur = r.dur;
            c.def = r.def;
            c.flags = r.flags;
            c.dmg_types = r.dmg_types;
            c.ai_pct = r.ai_pct;
            c.dis_rank = r.dis_rank;
        }
    }
};

}  // namespace

const cond_t* get_cond(int id) {
    static cond_tbl_t tbl;
    if (tbl.texts.due()) read_tbl_texts(L"conds", tbl.rows, COND_COUNT);
    // Condition ids reach here from actions and save files; keep them inside the table.
    return &tbl.rows[id >= 0 && id < COND_COUNT ? id : 0];
}
