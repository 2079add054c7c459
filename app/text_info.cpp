#include "app/text_info.h"

#include <lua.hpp>

#include "app/lua_ex.h"
#include "app/db.h"
#include "app/str_parts.h"
#include "app/str.h"

namespace {

void trim(wchar_t* s) {
    if (!s) return;
    str_trim_right(s);
    str_trim_left(s);
}

}  // namespace

void read_text_infos(lua_ex_t& lx, std::vector<text_info_t*>& recs, int key_base) {
    lx.for_each_key(
        [&](int key) {
            // Keys come from a script: one outside the table's rows is skipped, not indexed.
            const long long i = (long long)key - (key_base == 0 ? 1 : 0);
            if (i >= 0 && size_t(i) < recs.size() && recs[size_t(i)]) read_text_info(lx, *recs[size_t(i)]);
            return true;
        },
        nullptr, -1);
}

text_info_t::text_info_t(const wchar_t* k_, const wchar_t* n_, const wchar_t* a_, const wchar_t* d_,
                         const wchar_t* b_)
    : k(wcs_dup(k_)), n(wcs_dup(n_)), a(wcs_dup(a_)), d(wcs_dup(d_)), b(wcs_dup(b_)) {}

text_info_t::text_info_t(const text_info_t& o) : text_info_t(o.k, o.n, o.a, o.d, o.b) {}

text_info_t& text_info_t::operator=(const text_info_t& o) {
    if (this != &o) {
        set(&k, o.k);
        set(&n, o.n);
        set(&a, o.a);
        set(&d, o.d);
        set(&b, o.b);
    }
    return *this;
}

text_info_t::~text_info_t() {
    for (wchar_t* p : {k, n, a, d, b}) delete[] p;
}

void text_info_t::set(wchar_t** field, const wchar_t* s) {
    wchar_t* copy = wcs_dup(s);
    delete[] *field;
    *field = copy;
}

void read_text_info(lua_ex_t& lx, text_info_t& rec) {
    if (!lx.L || !lua_istable(lx.L, -1)) return;
    auto replace = [&](const wchar_t* key, wchar_t** field) {
        wchar_t* v = nullptr;
        lx.get_field_str(key, &v, nullptr);
        delete[] *field;
        *field = v;
    };
    if (lx.has_field(L"k", -1)) {
        wchar_t* v = nullptr;
        lx.get_field_str(L"k", &v, nullptr);
        // A "k" that is not text leaves the key set in code.
        if (v) {
            delete[] rec.k;
            rec.k = v;
        }
    }
    replace(L"n", &rec.n);
    replace(L"a", &rec.a);
    replace(L"d", &rec.d);
    replace(L"b", &rec.b);
    for (wchar_t* p : {rec.k, rec.n, rec.a, rec.d, rec.b}) trim(p);
}

std::vector<txt_tbl_reg_entry>& txt_tbl_regs() {
    // Function-local: registrants in other files run during static initialisation.
    static std::vector<txt_tbl_reg_entry> regs;
    return regs;
}

txt_tbl_reg_t::txt_tbl_reg_t(const wchar_t* name, const std::vector<text_info_t*>& recs, int key_base) {
    txt_tbl_regs().push_back({name, recs, key_base});
}

namespace {
std::vector<void (*)()>& txt_loaders() {
    static std::vector<void (*)()> fns;
    return fns;
}
}  // namespace

txt_loader_reg_t::txt_loader_reg_t(void (*fn)()) { txt_loaders().push_back(fn); }

void load_txt_tbls() {
    for (txt_tbl_reg_entry& e : txt_tbl_regs()) load_txt_tbl(Str(e.name) + L"s", e.recs, e.key_base);
    for (void (*fn)() : txt_loaders()) fn();
}

void load_txt_tbl(const Str& field, std::vector<text_info_t*>& recs, int key_base) {
    db_t& db = db_t::instance();
    if (!db.get_table(L"strs", LUA_GLOBALSINDEX)) return;
    if (db.get_table(field.buf, -1)) {
        read_text_infos(db, recs, key_base);
        lua_pop(db.L, 1);
    }
    lua_pop(db.L, 1);
}
