#include "rules/u_cat.h"

#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"

const text_info_t& get_u_cat(int index) {
    static text_info_t rows[U_CAT_COUNT];
    static tbl_texts_t texts;
    if (texts.due()) read_tbl_texts(L"u_cats:u_cats", rows, U_CAT_COUNT);
    return rows[index >= 0 && index < U_CAT_COUNT ? index : 0];
}
