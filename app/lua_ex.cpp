#include "app/lua_ex.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <lua.hpp>
#include <string>

#include "app/paths.h"
#include "app/preload.h"
#include "app/safe_file.h"
#include "app/seams.h"
#include "app/str.h"
#include "app/sys.h"

namespace {

void show_box(const char* title, const char* text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, text, nullptr);
}

std::string u8(const wchar_t* s) { return to_utf8_string(or_empty(s)); }

// Relative indices move as values are pushed; absolute ones do not.
int abs_index(lua_State* L, int idx) { return idx < 0 && idx > LUA_REGISTRYINDEX ? lua_gettop(L) + idx + 1 : idx; }

// Numbers that do not fit an int would make the cast undefined, so they are refused.
bool key_to_int(lua_State* L, int idx, int* out) {
    if (!lua_isnumber(L, idx)) return false;
    const double d = lua_tonumber(L, idx);
    if (!(d > double(INT_MIN) - 1.0 && d < double(INT_MAX) + 1.0)) return false;
    *out = int(d);
    return true;
}

bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// "3", "-2" and "+5" are numbers; "3a" and a lone sign are names.
bool is_number_key(const Str& k) {
    const int n = k.length();
    if (n == 0) return false;
    const wchar_t c0 = k.at(0);
    if (!is_digit(c0) && ((c0 != L'+' && c0 != L'-') || n == 1)) return false;
    for (int i = 1; i < n; ++i)
        if (!is_digit(k.at(i))) return false;
    return true;
}

// The text of the field key of the table at idx; null when it is neither a string
// nor a number. The field stays pushed: the caller pops it after copying.
const char* push_field_text(lua_State* L, int idx, const wchar_t* key) {
    idx = abs_index(L, idx);
    if (!lua_istable(L, idx)) {
        lua_pushnil(L);
        return nullptr;
    }
    lua_getfield(L, idx, u8(key).c_str());
    return lua_isstring(L, -1) ? lua_tostring(L, -1) : nullptr;
}

// Far past any text file of the game; a file that reads on past it is not one.
constexpr size_t max_script_bytes = 16u << 20;

// Text files are Lua source. Lua 5.1 trusts byte code blindly (a crafted
// chunk reads and writes memory at will), so a chunk that starts with its
// signature is refused, wherever it comes from.
int load_source(lua_State* L, const char* data, size_t n, const char* chunk) {
    if (n > 0 && data[0] == LUA_SIGNATURE[0]) {
        const char* file = chunk && *chunk == '@' ? chunk + 1 : "chunk";
        lua_pushfstring(L, "%s: precompiled Lua is refused: text files must be Lua source", file);
        return LUA_ERRSYNTAX;
    }
    return luaL_loadbuffer(L, data, n, chunk);
}

// A script file as source: a UTF-8 mark (editors like to add one, Lua 5.1
// refuses it) and, as Lua's own loader does, a first line starting "#" are
// skipped; that line's break stays, so line numbers hold.
int load_source_file(lua_State* L, const char* path) {
    std::string src;
    if (!read_whole_regular(from_os_path(path).buf, max_script_bytes, src)) {
        lua_pushfstring(L, "cannot open %s (missing, not a regular file, or too large)", path);
        return LUA_ERRFILE;
    }
    size_t skip = src.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    if (src.compare(skip, 1, "#") == 0) skip = std::min(src.find('\n', skip), src.size());
    const std::string chunk = std::string("@") + path;
    return load_source(L, src.data() + skip, src.size() - skip, chunk.c_str());
}

// ---- the base library's loaders, source only ----

int src_loadstring(lua_State* L) {
    size_t n = 0;
    const char* s = luaL_checklstring(L, 1, &n);
    const char* chunk = luaL_optstring(L, 2, s);
    if (load_source(L, s, n, chunk) == 0) return 1;
    lua_pushnil(L);
    lua_insert(L, -2);
    return 2;
}

int src_load(lua_State* L) {
    luaL_checktype(L, 1, LUA_TFUNCTION);
    const char* chunk = luaL_optstring(L, 2, "=(load)");
    std::string src;
    for (;;) {
        lua_pushvalue(L, 1);
        lua_call(L, 0, 1);
        if (lua_isnil(L, -1)) break;
        if (!lua_isstring(L, -1)) luaL_error(L, "reader function must return a string");
        size_t n = 0;
        const char* piece = lua_tolstring(L, -1, &n);
        if (n == 0) break;
        src.append(piece, n);
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    if (load_source(L, src.data(), src.size(), chunk) == 0) return 1;
    lua_pushnil(L);
    lua_insert(L, -2);
    return 2;
}

int src_loadfile(lua_State* L) {
    const char* path = luaL_checkstring(L, 1);
    if (load_source_file(L, path) == 0) return 1;
    lua_pushnil(L);
    lua_insert(L, -2);
    return 2;
}

int src_dofile(lua_State* L) {
    const char* path = luaL_checkstring(L, 1);
    const int n = lua_gettop(L);
    if (load_source_file(L, path) != 0) lua_error(L);
    lua_call(L, 0, LUA_MULTRET);
    return lua_gettop(L) - n;
}

// require's searcher for Lua files along package.path, source only.
int src_search_path(lua_State* L) {
    const std::string name = luaL_gsub(L, luaL_checkstring(L, 1), ".", "/");  // pushed
    lua_getfield(L, LUA_GLOBALSINDEX, "package");
    lua_getfield(L, -1, "path");
    const char* path = lua_tostring(L, -1);
    const std::string templates = path ? path : "";
    lua_pop(L, 3);  // the path, the package table and the name
    std::string tried;
    size_t at = 0;
    while (at <= templates.size()) {
        const size_t end = std::min(templates.find(';', at), templates.size());
        std::string file = templates.substr(at, end - at);
        at = end + 1;
        if (file.empty()) continue;
        for (size_t q; (q = file.find('?')) != std::string::npos;) file.replace(q, 1, name);
        const int rc = load_source_file(L, file.c_str());
        if (rc == 0) return 1;
        if (rc != LUA_ERRFILE)
            luaL_error(L, "error loading module '%s' from file '%s':\n\t%s", name.c_str(), file.c_str(),
                       lua_tostring(L, -1));
        lua_pop(L, 1);
        tried += "\n\tno file '" + file + "'";
    }
    lua_pushstring(L, tried.c_str());
    return 1;
}

// Swaps the loaders a script reaches by name for the source-only ones; native
// libraries (package.loadlib and require's C searchers) are not loaded at all.
void load_source_only(lua_State* L) {
    static const luaL_Reg base[] = {{"loadstring", src_loadstring}, {"load", src_load},
                                    {"loadfile", src_loadfile},     {"dofile", src_dofile},
                                    {nullptr, nullptr}};
    for (const luaL_Reg* r = base; r->name; ++r) {
        lua_pushcfunction(L, r->func);
        lua_setfield(L, LUA_GLOBALSINDEX, r->name);
    }
    lua_getfield(L, LUA_GLOBALSINDEX, "package");
    if (lua_istable(L, -1)) {
        lua_pushnil(L);
        lua_setfield(L, -2, "loadlib");
        lua_getfield(L, -1, "loaders");
        if (lua_istable(L, -1)) {
            lua_pushcfunction(L, src_search_path);
            lua_rawseti(L, -2, 2);
            for (int i = int(lua_objlen(L, -1)); i > 2; --i) {
                lua_pushnil(L);
                lua_rawseti(L, -2, i);
            }
        }
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
}

// A text file that runs longer than this is stopped: an endless loop in one
// must not hang the start with a black window.
constexpr uint32_t script_time_limit_ms = 3000;
// How often the clock is looked at; cheap against the work between looks.
constexpr int instructions_per_check = 100000;

uint32_t script_start_ms = 0;

void stop_when_late(lua_State* L, lua_Debug* ar) {
    if (sys_ticks() - script_start_ms <= script_time_limit_ms) return;
    // A hook's own level has no place in the file: name the line the script was on.
    lua_getinfo(L, "Sl", ar);
    luaL_error(L, "%s:%d: ran longer than %d seconds and was stopped (an endless loop?)", ar->short_src,
               ar->currentline, int(script_time_limit_ms / 1000));
}

// Runs the chunk on top under the time limit; a nested run gets a limit of its
// own and gives the outer one back when it ends.
int pcall_with_time_limit(lua_State* L) {
    const lua_Hook old_hook = lua_gethook(L);
    const int old_mask = lua_gethookmask(L);
    const int old_count = lua_gethookcount(L);
    const uint32_t old_start = script_start_ms;
    script_start_ms = sys_ticks();
    lua_sethook(L, stop_when_late, LUA_MASKCOUNT, instructions_per_check);
    const int rc = lua_pcall(L, 0, LUA_MULTRET, 0);
    lua_sethook(L, old_hook, old_mask, old_count);
    script_start_ms = old_start;
    return rc;
}

// Restores the stack height when an iteration ends, early or by an exception.
struct top_guard_t {
    lua_State* L;
    int top;
    ~top_guard_t() { lua_settop(L, top); }
};

}  // namespace

lua_msg_box_t lua_msg_box = show_box;

wchar_t* wcs_dup(const wchar_t* s) {
    if (!s) return nullptr;
    const size_t n = std::wcslen(s) + 1;
    wchar_t* d = new wchar_t[n];
    std::wmemcpy(d, s, n);
    return d;
}

lua_ex_t::~lua_ex_t() {
    if (owns_state) close();
}

void lua_ex_t::init() {
    close();
    L = luaL_newstate();
    if (!L) return;
    luaL_openlibs(L);
    load_source_only(L);
    depth = 0;
}

void lua_ex_t::close() {
    if (L) lua_close(L);
    L = nullptr;
    depth = 0;
}

bool lua_ex_t::do_file(const Str& path) {
    const std::string shown = to_utf8_string(path.buf);
    int rc = -1;
    if (L) {
        const int top = lua_gettop(L);
        rc = load_source_file(L, os_path(path.buf).c_str());
        if (rc == 0) rc = pcall_with_time_limit(L);
        // A missing file says so in its box alone, as it always did.
        if (rc != 0 && (rc != LUA_ERRFILE || file_exists(path.buf))) {
            const char* err = lua_tostring(L, -1);
            std::fprintf(stderr, "%s\n", err ? err : shown.c_str());
        }
        lua_settop(L, top);
    }
    if (rc != 0) {
        // A box is the main thread's to show; the start-up's loader thread leaves it there.
        auto box = [shown] { lua_msg_box("ERR:luaL_dofile", shown.c_str()); };
        if (on_preload_thread())
            leave_to_main(box);
        else
            box();
    }
    return rc == 0;
}

void lua_ex_t::push_str(const wchar_t* s) {
    if (!L) return;
    if (!s) {
        lua_pushnil(L);
        return;
    }
    const std::string t = u8(s);
    lua_pushlstring(L, t.data(), t.size());
}

bool lua_ex_t::get_table(const wchar_t* name, int idx) {
    if (!L || !name) return false;
    idx = abs_index(L, idx);
    // Indexing a non-table raises an error outside any protected call, which ends the program.
    if (!lua_istable(L, idx)) return false;
    lua_getfield(L, idx, u8(name).c_str());
    if (lua_istable(L, -1)) return true;
    lua_pop(L, 1);
    return false;
}

bool lua_ex_t::begin_table(const wchar_t* name, int idx) {
    if (!get_table(name, idx)) return false;
    lua_pushnil(L);
    return true;
}

bool lua_ex_t::has_field(const wchar_t* name, int idx) {
    if (!L || !name) return false;
    idx = abs_index(L, idx);
    if (!lua_istable(L, idx)) return false;
    lua_getfield(L, idx, u8(name).c_str());
    const bool found = lua_type(L, -1) > LUA_TNIL;
    lua_pop(L, 1);
    return found;
}

void lua_ex_t::read_str(const wchar_t* key, Str& out) {
    out.assign(L"");
    if (!L || !key) return;
    const char* s = push_field_text(L, -1, key);
    if (s) out = utf8_to_str(s);
    lua_pop(L, 1);
}

void lua_ex_t::read_global_str(const wchar_t* key, Str& out) {
    out.assign(L"");
    if (!L || !key) return;
    const char* s = push_field_text(L, LUA_GLOBALSINDEX, key);
    if (s) out = utf8_to_str(s);
    lua_pop(L, 1);
}

void lua_ex_t::get_field_str(const wchar_t* key, wchar_t** out, const wchar_t* def) {
    const char* s = nullptr;
    if (L && key) s = push_field_text(L, -1, key);
    *out = s ? wcs_dup(utf8_to_str(s).buf) : wcs_dup(def);
    if (L && key) lua_pop(L, 1);
}

bool lua_ex_t::walk_keys(const std::vector<Str>& keys, int start) {
    if (keys.empty()) return true;
    if (!L) return false;
    start = abs_index(L, start);
    int pushed = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        const int from = i == 0 ? start : lua_gettop(L);
        bool ok;
        if (is_number_key(keys[i])) {
            ok = lua_istable(L, from);
            if (ok) {
                lua_pushnumber(L, std::wcstod(keys[i].buf, nullptr));
                lua_gettable(L, from);
                ok = lua_istable(L, -1);
                if (!ok) lua_pop(L, 1);
            }
        } else {
            ok = get_table(keys[i].buf, from);
        }
        if (!ok) {
            lua_pop(L, pushed);
            depth -= pushed;
            return false;
        }
        ++pushed;
        ++depth;
    }
    return true;
}

void lua_ex_t::pop_walk() {
    if (L && depth > 0) lua_pop(L, depth < lua_gettop(L) ? depth : lua_gettop(L));
    depth = 0;
}

void lua_ex_t::for_each_key(const std::function<bool(int)>& fn, const wchar_t* name, int idx) {
    if (!L) return;
    const int base = lua_gettop(L);
    if (name) {
        if (!begin_table(name, idx)) return;
    } else {
        if (!lua_istable(L, -1)) return;
        lua_pushnil(L);
    }
    // Leaves the named table popped, or the caller's table alone: an iteration
    // stopped early must not leave its key behind for the caller to trip over.
    top_guard_t guard{L, base};
    const int key_at = lua_gettop(L);
    while (lua_next(L, key_at - 1)) {
        int k = 0;
        const bool go = key_to_int(L, key_at, &k) ? fn(k) : true;
        lua_settop(L, key_at);
        if (!go) break;
    }
}
