#include "rules/rare_lv.h"

#include <array>
#include <vector>

#include "app/db.h"
#include "rules/enums.h"
#include "rules/tbl_texts.h"

const ex_info_t& get_ex_info(int lv) {
    // Level 2, the plain enchanted item, has no key of its own in the rarity texts; "magic" it is.
    static std::array<ex_info_t, RARE_LV_COUNT> table = {ex_info_t(), ex_info_t(L"normal", 0xFFFFFFFF),
        ex_info_t(L"magic", 0xFF6666FF), ex_info_t(L"rare", 0xFF9933FF), ex_info_t(L"epic", 0xFFFFCC00),
        ex_info_t(L"legend", 0xFFFF6600), ex_info_t(L"relic", 0xFFFF3300)};
    static tbl_texts_t texts;
    if (texts.due()) {
        std::vector<text_info_t*> recs =
            row_ptrs(std::span<ex_info_t>(table.data(), table.size()), 0, RARE_LV_COUNT - 1);
        db_read_recs(L"itm_enchs:rare_lvs", recs, nullptr);
    }
    return table[lv >= 0 && lv < RARE_LV_COUNT ? lv : 0];
}
