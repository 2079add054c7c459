#include "rules/tbl_texts.h"

#include "app/db.h"

bool tbl_texts_t::due() {
    const unsigned gen = db_generation();
    if (loaded_ && gen_ == gen) return false;
    loaded_ = true;
    gen_ = gen;
    return true;
}
