#include "screens/text/text_hooks.h"

#include "battle/listener.h"
#include "rules/pwr.h"
#include "screens/text/desc_parts.h"
#include "screens/text/pwr_desc.h"
#include "screens/text/tip_refs.h"
#include "screens/text/tip_resolve.h"
#include "screens/text/unit_sheet.h"
#include "ui/tip.h"

namespace txt {

void install_text_hooks() {
    set_pwr_texts({.pwr_tip = pwr_tip_text, .pwr_desc = pwr_desc_text, .act_tip = act_tip_text,
                   .act_desc = act_desc_text});
    set_tip_hook(tip_resolve);
    btl_pres_t& p = btl_pres();
    p.gold_text = gold_text;
    p.itm_tip_ref = itm_tip_ref;
    p.unit_caption = unit_caption;
    p.pwr_heading = [](int id) {
        Str out;
        const Pwr* pw = get_pwr(id);
        if (pw) get_heading(out, *pw, HEAD_SMALL, L"");
        return out;
    };
}

}  // namespace txt
