#include "app/db.h"

#include <lua.hpp>
#include <map>
#include <memory>

#include "app/ini.h"
#include "app/notes.h"
#include "app/paths.h"
#include "app/str_parts.h"
#include "app/text_info.h"

Str lang_wsp;
Str lang_cma;
Str lang_dot;

namespace {

Str g_root_override;
Str g_lang_override;
Str g_text_dir;
unsigned g_generation = 0;

constexpr const wchar_t* default_lang = L"cn";

Str config_lang() { return config_get_string(L"Lang", default_lang, L"Main"); }

// A folder of letters, digits, "_" and "-" under the text root.
bool is_lang(const Str& root, const Str& lang) {
    if (lang.empty()) return false;
    for (const wchar_t* p = lang.buf; *p; ++p)
        if (!((*p >= L'a' && *p <= L'z') || (*p >= L'A' && *p <= L'Z') || (*p >= L'0' && *p <= L'9') || *p == L'_' ||
              *p == L'-'))
            return false;
    return file_exists((root + lang).buf);
}

Str text_root() {
    if (!g_root_override.empty()) return g_root_override;
    return get_exe_dir() + L"text/";
}

// Runs the script of path; returns its keys, none when the path names nothing.
std::vector<Str> run_path(db_t& db, const wchar_t* path, const wchar_t* def_file) {
    if (!db.L) return {};
    db_path_t p = db_split_path(path, def_file);
    if (p.keys.empty()) return {};
    db.do_file(g_text_dir + p.file + L".lua");
    return std::move(p.keys);
}

// Pops only what this lookup's walk pushed, so a lookup made while a pushed
// table is being iterated leaves that table in place.
void pop_to(db_t& db, int depth_before) {
    const int n = db.depth - depth_before;
    if (n > 0) lua_pop(db.L, n);
    db.depth = depth_before;
}

}  // namespace

db_t& db_t::instance() {
    static db_t db;
    return db;
}

void db_t::init() {
    ++g_generation;
    lua_ex_t::init();
    if (!L) return;
    push_str(get_exe_dir().buf);
    lua_setglobal(L, "AppPath");
    const Str root = text_root();
    Str lang = g_lang_override.empty() ? config_lang() : g_lang_override;
    if (!is_lang(root, lang)) {
        // A language with no texts would leave every text of the game empty.
        note_trouble(L"lang", {lang, Str(default_lang)});
        lang = default_lang;
    }
    push_str(lang.buf);
    lua_setglobal(L, "Lang");
    g_text_dir = root + lang + L"/";
    do_file(root + L"main.lua");
    read_global_str(L"_wsp", lang_wsp);
    read_global_str(L"_cma", lang_cma);
    read_global_str(L"_dot", lang_dot);
}

void db_set_text_root(const wchar_t* root) {
    g_root_override.assign(root);
    if (!g_root_override.empty()) add_trailing_sep(g_root_override);
}

void db_set_lang(const wchar_t* lang) { g_lang_override.assign(lang); }

const Str& db_text_dir() { return g_text_dir; }

unsigned db_generation() { return g_generation; }

db_path_t db_split_path(const wchar_t* path, const wchar_t* def_file) {
    db_path_t p;
    const std::vector<Str> parts = str_split(path, L":");
    if (parts.empty()) return p;
    p.keys = str_split(parts.back().buf, L"/");
    if (parts.size() == 2)
        p.file = parts[0];
    else if (def_file)
        p.file = def_file;
    else if (!p.keys.empty())
        p.file = p.keys[0];
    return p;
}

void db_init() { db_t::instance().init(); }

Str db_get_str(const wchar_t* path, const wchar_t* def_file) {
    db_t& db = db_t::instance();
    Str out;
    std::vector<Str> keys = run_path(db, path, def_file);
    if (keys.empty()) return out;
    if (keys.size() == 1) {
        db.read_global_str(keys[0].buf, out);
        return out;
    }
    const Str field = keys.back();
    keys.pop_back();
    const int before = db.depth;
    if (db.walk_keys(keys, LUA_GLOBALSINDEX)) db.read_str(field.buf, out);
    pop_to(db, before);
    return out;
}

void db_read_text_info(const wchar_t* path, text_info_t* rec, const wchar_t* def_file) {
    db_t& db = db_t::instance();
    const std::vector<Str> keys = run_path(db, path, def_file);
    if (keys.empty() || !rec) return;
    const int before = db.depth;
    if (db.walk_keys(keys, LUA_GLOBALSINDEX)) read_text_info(db, *rec);
    pop_to(db, before);
}

text_info_t* get_text_info(const wchar_t* key) {
    struct entry_t {
        std::unique_ptr<text_info_t> rec = std::make_unique<text_info_t>();
        unsigned gen = 0;
    };
    static std::map<Str, entry_t> cache;
    // A miss is remembered as well as a hit, so a missing key never runs its
    // file again; after a new db_init (another language, perhaps) the record is
    // read again in place, so pointers handed out stay valid.
    entry_t& e = cache[Str(key)];
    if (e.gen != g_generation) {
        *e.rec = text_info_t();
        e.gen = g_generation;
        db_read_text_info(key, e.rec.get(), L"strs");
    }
    return e.rec.get();
}

void db_read_recs(const wchar_t* path, std::vector<text_info_t*>& recs, const wchar_t* def_file) {
    db_t& db = db_t::instance();
    const std::vector<Str> keys = run_path(db, path, def_file);
    if (keys.empty()) return;
    const int before = db.depth;
    if (db.walk_keys(keys, LUA_GLOBALSINDEX)) read_text_infos(db, recs, 1);
    pop_to(db, before);
}

bool db_push_tbl(const wchar_t* path, const wchar_t* def_file) {
    db_t& db = db_t::instance();
    const std::vector<Str> keys = run_path(db, path, def_file);
    return !keys.empty() && db.walk_keys(keys, LUA_GLOBALSINDEX);
}

void db_for_each_top(const std::function<bool(int)>& fn) { db_t::instance().for_each_key(fn, nullptr, -1); }

void db_read_top(text_info_t* rec) {
    if (rec) read_text_info(db_t::instance(), *rec);
}

void db_pop() { db_t::instance().pop_walk(); }
