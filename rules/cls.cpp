#include "rules/cls.h"

#include <span>

#include "app/str.h"

#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"

namespace {

struct cls_row_t {
    int id = 0;
    const wchar_t* key = nullptr;
    int def[6] = {};  // 0 unused, ac, ft, rf, wl, cm
    int sr = 0;
    int hp_lv = 0;
    uint32_t lv1_pick = 0;
    int lv1_spl = 0;
    int cast_abi = 0;
    std::span<const int> pwrs = {};
};

// wp_simple, wp_sword, wp_bow, shd_use1, shd_use2, amr_use1, amr_use2, amr_use3
constexpr int fighter_pwrs[] = {34, 25, 30, 48, 49, 52, 53, 54};
// wp_simple, wp_hammer, shd_use1, amr_use1, amr_use2, amr_use3, turn
constexpr int cleric_pwrs[] = {34, 27, 48, 52, 53, 54, 282};
// wp_simple, wp_xbow
constexpr int wizard_pwrs[] = {34, 31};

constexpr cls_row_t cls_rows[] = {
    { .id = 0 },
    { .id = 1, .key = L"fighter", .def = {0, 0, 2, 0, 0, 0}, .hp_lv = 5, .lv1_pick = 254, .cast_abi = 2, .pwrs = fighter_pwrs },
    { .id = 2, .key = L"cleric", .def = {0, 0, 0, 0, 2, 0}, .sr = 5, .hp_lv = 4, .lv1_spl = -1, .cast_abi = 4, .pwrs = cleric_pwrs },
    { .id = 3, .key = L"wizard", .def = {0, 0, 0, 0, 2, 0}, .sr = 5, .hp_lv = 2, .lv1_pick = 512, .lv1_spl = 1, .cast_abi = 3,
      .pwrs = wizard_pwrs },
    { .id = 4, .key = L"warrior", .def = {0, 0, 2, 0, 0, 0}, .hp_lv = 4, .lv1_pick = 254, .cast_abi = 2, .pwrs = fighter_pwrs },
    { .id = 5, .key = L"priest", .def = {0, 0, 0, 0, 2, 0}, .sr = 2, .hp_lv = 3, .lv1_spl = -1, .cast_abi = 4, .pwrs = cleric_pwrs },
    { .id = 6, .key = L"shaman", .def = {0, 0, 0, 0, 2, 0}, .sr = 2, .hp_lv = 2, .lv1_pick = 512, .lv1_spl = 1, .cast_abi = 3,
      .pwrs = wizard_pwrs },
    { .id = 7, .key = L"commoner", .def = {0, 0, 2, 0, 0, 0}, .hp_lv = 2, .cast_abi = 2 },
    { .id = 8, .key = L"no", .hp_lv = 3, .cast_abi = 2 },
};
static_assert(ids_in_order(cls_rows), "class rows must stand in id order");
static_assert(std::size(cls_rows) == CLS_COUNT && cls_rows[CLS_COUNT - 1].id == CLS_COUNT - 1, "one row per id");

struct cls_tbl_t {
    cls_t rows[CLS_COUNT];
    tbl_texts_t texts;

    cls_tbl_t() {
        for (const cls_row_t& r : cls_rows) {
            cls_t& c = rows[r.id];
            text_info_t::set(&c.k, r.key);
            std::copy(std::begin(r.def), std::end(r.def), c.def);
            c.sr = r.sr;
            c.hp_lv = r.hp_lv;
            c.lv1_pick = r.lv1_pick;
            c.lv1_spl = r.lv1_spl;
            c.cast_abi = r.cast_abi;
            c.pwrs.assign(r.pwrs.begin(), r.pwrs.end());
        }
    }
};

}  // namespace

const cls_t* get_cls(int id) {
    static cls_tbl_t tbl;
    if (tbl.texts.due()) read_tbl_texts(L"clss", tbl.rows, CLS_COUNT);
    // A class id read from a save file may lie outside the table.
    return &tbl.rows[id >= 0 && id < CLS_COUNT ? id : 0];
}

void set_rec_key(text_info_t& rec, const char* key) {
    if (!key) {
        text_info_t::set(&rec.k, nullptr);
        return;
    }
    text_info_t::set(&rec.k, utf8_to_str(key).buf);
}
