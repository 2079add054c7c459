#include "ui/li.h"

#include "app/img_cache.h"
#include "app/tex.h"

li_t::li_t(const wchar_t* l, const wchar_t* t, zg::tex_t* ico, uint32_t f, int i, uintptr_t d, int,
           const clr_t* x)
    : label(or_empty(l)), tip(or_empty(t)), icon(ico), flags(f), id(i), data(d), extra(x ? *x : clr_t{0}) {}

li_t::li_t(const wchar_t* l, uint32_t f, int i, uintptr_t d) : label(or_empty(l)), flags(f), id(i), data(d) {}

li_t::~li_t() { delete cache; }

void li_t::set_icon(const wchar_t* name, const size* sz) {
    icon = name ? get_img(name) : nullptr;
    icon_sz = sz ? *sz : size{0, 0};
}

void delete_items(std::vector<li_t*>& v) {
    for (li_t* it : v) {
        delete_items(it->subs);
        delete it;
    }
    v.clear();
}
