#include "ui/cbo.h"

#include "ui/menu.h"

namespace {
constexpr const wchar_t* sep_str = L"_SEP_";
}

cbo_t* new_cbo() { return new cbo_t; }

void cbo_t::add_str(const wchar_t* s) { strs.emplace_back(or_empty(s)); }

void cbo_t::set_sel(int index) {
    if (index >= 0 && index < count()) {
        set_text(strs[size_t(index)].c_str(), true);
        sel = index;
    } else {
        set_text(L"", true);
        sel = -1;
    }
}

bool cbo_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (msg.code == EVT_COMMAND && sender == this) {
        menu_t* m = get_popup_menu();
        m->clear();
        // One entry per string, so an entry's index is its string's index.
        for (const Str& s : strs) {
            if (s == sep_str)
                m->add_sep(nullptr);
            else
                m->add_text_item(s.c_str(), nullptr);
        }
        const int chosen = int(m->track_popup(rc.x, rc.y + rc.h - 1, 0));
        if (chosen >= 0 && chosen < count()) {
            const int old = sel;
            if (!notify({EVT_SEL_MADE, old, chosen})) set_sel(chosen);
        }
    }
    return btn_t::on_msg(msg, sender);
}
