#pragma once
// A wrapper of one Lua 5.1 state. Every lookup leaves lua_gettop as it found it,
// failed walks and iterations stopped early included; names and strings cross
// the boundary as UTF-8 both ways.
#include <functional>
#include <vector>

struct lua_State;
class Str;

// Shows a failed script to the player; tests replace it to count the calls.
using lua_msg_box_t = void (*)(const char* title, const char* text);
extern lua_msg_box_t lua_msg_box;

// A heap copy freed with delete[]; null gives null.
wchar_t* wcs_dup(const wchar_t* s);

class lua_ex_t {
public:
    lua_State* L = nullptr;
    bool owns_state = true;  // destroying the wrapper closes the state
    int depth = 0;           // tables the last key walk left on the stack

    lua_ex_t() = default;
    lua_ex_t(const lua_ex_t&) = delete;
    lua_ex_t& operator=(const lua_ex_t&) = delete;
    virtual ~lua_ex_t();

    // A new state with the standard libraries; an open one is closed first.
    virtual void init();
    void close();

    // Runs one UTF-8 script (a byte-order mark is skipped). On failure shows
    // "ERR:luaL_dofile" with the path and returns false; the stack is unchanged.
    // A script still running after a few seconds is stopped and fails the same way.
    bool do_file(const Str& path);
    // Null pushes nil.
    void push_str(const wchar_t* s);
    // Pushes the field when it is a table; otherwise pushes nothing and returns false.
    bool get_table(const wchar_t* name, int idx);
    // get_table, then the first key for lua_next.
    bool begin_table(const wchar_t* name, int idx);
    bool has_field(const wchar_t* name, int idx);
    // A string or number field of the table on top; anything else reads as empty.
    void read_str(const wchar_t* key, Str& out);
    void read_global_str(const wchar_t* key, Str& out);
    // *out gets a new copy of the field's text, or of def (null when def is null).
    void get_field_str(const wchar_t* key, wchar_t** out, const wchar_t* def);

    // Walks keys from the table at start (the first key) and then from each table
    // reached, leaving them on the stack. A key of digits with an optional sign
    // indexes by number. On a key that gives no table, pops what it pushed.
    bool walk_keys(const std::vector<Str>& keys, int start);
    void pop_walk();
    // Calls fn with each numeric key of the table named name at idx, or of the
    // table on top when name is null, its value on top while fn runs; fn
    // returning false stops. Keys that are not numbers or do not fit an int are
    // skipped.
    void for_each_key(const std::function<bool(int)>& fn, const wchar_t* name, int idx);
};
