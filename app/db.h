#pragma once
// The text database: the one Lua state that answers text paths such as
// "strs:map_envs" or "help/items" from the scripts under the program's text/
// folder. A lookup runs its script again, so it always sees the current file.
#include <functional>
#include <vector>

#include "app/lua_ex.h"
#include "app/str.h"

class text_info_t;

class db_t : public lua_ex_t {
public:
    // Publishes AppPath and Lang, runs text/main.lua and reads the punctuation.
    void init() override;
    static db_t& instance();
};

// The script language's word space, comma and full stop (_wsp, _cma, _dot).
extern Str lang_wsp;
extern Str lang_cma;
extern Str lang_dot;

// Test seams, read by the next db_init: the folder holding main.lua and the
// language folders (empty: the program folder's "text/"), and the language
// (empty: the configuration's "Lang").
void db_set_text_root(const wchar_t* root);
void db_set_lang(const wchar_t* lang);
// The language folder, "<text root><Lang>/", fixed by db_init.
const Str& db_text_dir();
// Rises at each db_init: texts read before it may be of another language.
unsigned db_generation();

struct db_path_t {
    Str file;  // the script's name without folder and ".lua"
    std::vector<Str> keys;
};
// "file:key/key" or "key/key"; with more than one colon only the last part counts.
db_path_t db_split_path(const wchar_t* path, const wchar_t* def_file);

void db_init();
Str db_get_str(const wchar_t* path, const wchar_t* def_file);
void db_read_text_info(const wchar_t* path, text_info_t* rec, const wchar_t* def_file);
// Cached per key from "strs"; a miss stays cached as an empty record.
text_info_t* get_text_info(const wchar_t* key);
// Lua key k fills recs[k]; keys that are not numbers or fall outside recs are skipped.
void db_read_recs(const wchar_t* path, std::vector<text_info_t*>& recs, const wchar_t* def_file);
// Leaves the walked tables on the stack for db_for_each_top and db_read_top,
// until db_pop; false when the path leads to no table.
bool db_push_tbl(const wchar_t* path, const wchar_t* def_file);
void db_for_each_top(const std::function<bool(int)>& fn);
void db_read_top(text_info_t* rec);
void db_pop();
