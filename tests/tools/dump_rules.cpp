#include "tests/tools/dump_rules.h"

#include <cstdio>

#include "rules/enums.h"
#include "rules/pwr.h"

dump_row_t::dump_row_t(int id, const wchar_t* key) : line_(std::to_string(id) + "\t" + to_utf8_string(or_empty(key))) {}

dump_row_t::~dump_row_t() { std::printf("%s\n", line_.c_str()); }

dump_row_t& dump_row_t::f(const char* name, long long v) {
    line_ += std::string("\t") + name + "=" + std::to_string(v);
    return *this;
}

dump_row_t& dump_row_t::f(const char* name, const wchar_t* text) {
    line_ += std::string("\t") + name + "=" + to_utf8_string(or_empty(text));
    return *this;
}

void dump_head(const char* table) { std::printf("## %s\n", table); }

Str join(const int* v, int n, const wchar_t* sep, bool sign) {
    Str s;
    for (int i = 0; i < n; ++i) s.append_format(sign && v[i] > 0 ? L"%s+%d" : L"%s%d", i ? sep : L"", v[i]);
    return s;
}

Str join(const std::vector<int>& v, const wchar_t* sep) { return join(v.data(), int(v.size()), sep, false); }

Str or_dash(const Str& s) { return s.empty() ? Str(L"-") : s; }

int main() {
    // Texts are not needed: the dump shows what the code builds.
    reg_rules_tbls();
    build_pwrs();
    dump_powers();
    dump_enums();
    dump_units();
    dump_items();
    dump_monsters();
    free_pwrs();
    return 0;
}
