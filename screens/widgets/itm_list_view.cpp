#include "screens/widgets/itm_list_view.h"

#include "rules/itm_slot.h"
#include "screens/text/itm_desc.h"
#include "ui/li.h"

itm_slot_t* itm_list_slot(const li_t* it) { return it ? reinterpret_cast<itm_slot_t*>(it->data) : nullptr; }

Str* itm_list_view_t::item_tip(Str* out, const li_t* it) {
    const itm_slot_t* s = itm_list_slot(it);
    *out = s && !s->empty() ? txt::itm_desc(*s) : Str();
    return out;
}
