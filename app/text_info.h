#pragma once
// The key and player-facing texts every named rules record carries, filled from
// a Lua table of fields "k", "n", "a", "d", "b"; and the registry through which
// small enum tables get their texts from the global table strs at start-up.
#include <vector>

class lua_ex_t;
class Str;

class text_info_t {
public:
    // Owned heap copies (delete[]); null means no text.
    wchar_t* k = nullptr;  // the record's key, usually set in code
    wchar_t* n = nullptr;  // display name
    wchar_t* a = nullptr;
    wchar_t* d = nullptr;
    wchar_t* b = nullptr;

    text_info_t() = default;
    text_info_t(const wchar_t* k, const wchar_t* n = nullptr, const wchar_t* a = nullptr, const wchar_t* d = nullptr,
                const wchar_t* b = nullptr);
    text_info_t(const text_info_t& o);
    text_info_t& operator=(const text_info_t& o);
    virtual ~text_info_t();

    // Frees the old text of *field and keeps a copy of s.
    static void set(wchar_t** field, const wchar_t* s);
};

// Fills rec from the table on top of lx's stack; "k" only when present. Texts are trimmed.
void read_text_info(lua_ex_t& lx, text_info_t& rec);
// Fills recs from the table on top: key_base 1 puts Lua key k in recs[k], 0 in
// recs[k - 1]. Keys that are not numbers or fall outside recs are skipped.
void read_text_infos(lua_ex_t& lx, std::vector<text_info_t*>& recs, int key_base);

struct txt_tbl_reg_entry {
    const wchar_t* name;
    std::vector<text_info_t*> recs;
    int key_base;  // 1: Lua key k fills recs[k]; 0: recs[k - 1]
};

// A static object of this type registers one enum table before the program starts.
class txt_tbl_reg_t {
public:
    txt_tbl_reg_t(const wchar_t* name, const std::vector<text_info_t*>& recs, int key_base);
};

std::vector<txt_tbl_reg_entry>& txt_tbl_regs();

// A static object of this type adds a loader that load_txt_tbls runs after the
// enum tables: tables whose texts come from a text path of their own attach
// them once per language load instead of on use.
class txt_loader_reg_t {
public:
    explicit txt_loader_reg_t(void (*fn)());
};

// Fills every registered table from strs.<name>s, in registration order, then
// runs the registered loaders.
void load_txt_tbls();
void load_txt_tbl(const Str& field, std::vector<text_info_t*>& recs, int key_base);
