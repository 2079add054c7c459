#include "screens/widgets/itm_list_view.h"

#include "rules/itm_price.h"
#include "rules/itm_slot.h"
#include "ui/li.h"

itm_slot_t* itm_list_slot(const li_t* it) { return it ? reinterpret_cast<itm_slot_t*>(it->data) : nullptr; }

Str* itm_list_view_t::item_tip(Str* out, const li_t* it) {
    *out = L"";
    const itm_slot_t* s = itm_list_slot(it);
    if (!s || s->empty()) return out;
    // TODO: the full item description (txt::itm_desc) once the description texts land.
    s->get_name(*out);
    if (const Str& rare = itm_rare_lbl(*s); !rare.empty()) out->append_format(L"\n%s", rare);
    itm_wpn_flags_tip(*s, *out);
    itm_enchs_tip(*s, *out);
    return out;
}
