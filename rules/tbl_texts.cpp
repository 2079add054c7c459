#include "rules/tbl_texts.h"

#include "app/db.h"

bool tbl_texts_t::due() {
    const Str& dir = db_text_dir();
    if (loaded_ && dir_ == dir) return false;
    loaded_ = true;
    dir_ = dir;
    return true;
}
