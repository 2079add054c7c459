#pragma once
// dump_rules prints every rules table: "## <table>", then one line per row: the
// id, a TAB, the key, then TAB-separated name=value fields. A table joins the
// dump in the function of a tests/tools/dump_*.cpp file that main calls.
#include <string>
#include <vector>

#include "app/str.h"

class dump_row_t {
public:
    dump_row_t(int id, const wchar_t* key);
    ~dump_row_t();  // prints the line
    dump_row_t& f(const char* name, long long v);
    dump_row_t& f(const char* name, const wchar_t* text);

private:
    std::string line_;
};

void dump_head(const char* table);

// The numbers joined by sep ("0, 2, 0"; "+4, 0, -2" with sign); "-" for an empty text, as the design writes it.
Str join(const int* v, int n, const wchar_t* sep, bool sign);
Str join(const std::vector<int>& v, const wchar_t* sep);
Str or_dash(const Str& s);

void dump_powers();
void dump_enums();  // and the small tables that are not registered
void dump_units();
void dump_items();  // and the enchantments and rarity levels
void dump_monsters();  // and the builds
