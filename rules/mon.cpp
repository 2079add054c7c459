#include "rules/mon.h"

#include <algorithm>
#include <iterator>

#include "app/sentinels.h"
#include "app/str.h"
#include "rules/bld_ids.h"
#include "rules/mon_rows.h"
#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"
#include "rules/urank.h"

namespace {

struct mon_tbl_t {
    mon_t rows[MON_COUNT];
    tbl_texts_t texts;

    mon_tbl_t() {
        for (const mon_row_t& r : mon_rows()) {
            if (r.id == 0) continue;  // the empty record stays all zeros
            mon_t& m = rows[r.id];
            text_info_t::set(&m.k, r.key);
            m.rank = r.rank;
            m.race = r.race;
            m.role = r.role;
            m.cls_tier = r.cls_tier;
            m.bld = r.bld;
            m.gear = r.gear;
            std::copy(std::begin(r.abis), std::end(r.abis), m.abis);
            m.pwrs.assign(r.pwrs, r.pwrs + list_len(r.pwrs));
            m.itms.assign(r.itms, r.itms + list_len(r.itms));
            m.family = r.family;
            m.joins = r.joins;
            m.min_lv = r.min_lv;
            m.max_lv = UNLIMITED;
        }
    }
};

}  // namespace

bool mon_t::is_sup_or_elite() const {
    return bld == BLD_HLR || bld == BLD_WRP || bld == BLD_CTL || bld == BLD_SUM || rank == RANK_ELITE;
}

const mon_t& get_mon(int id) {
    static mon_tbl_t tbl;
    if (tbl.texts.due()) read_tbl_texts(L"monsters", tbl.rows, MON_COUNT);
    return tbl.rows[id >= 0 && id < MON_COUNT ? id : 0];
}
