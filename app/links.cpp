#include "app/links.h"

#include <cwctype>
#include <vector>

#include "app/paths.h"
#include "app/shell.h"
#include "app/str.h"

namespace {

std::vector<link_handler_t>& handlers() {
    static std::vector<link_handler_t> v;
    return v;
}

// By index and by copy: a handler may register another one while it runs.
bool ask_handlers(const wchar_t* target, bool* result) {
    for (size_t i = handlers().size(); i-- > 0;) {
        const link_handler_t h = handlers()[i];
        if (h(target, result)) return true;
    }
    return false;
}

bool starts_with_nocase(const wchar_t* s, const wchar_t* prefix) {
    for (; *prefix; ++s, ++prefix)
        if (std::towlower(wint_t(*s)) != wint_t(*prefix)) return false;
    return true;
}

// A "./" target must stay inside the program folder.
bool climbs_out(const wchar_t* path) {
    for (const wchar_t* p = path; *p; ++p) {
        const bool seg_start = p == path || p[-1] == L'/' || p[-1] == L'\\';
        if (seg_start && p[0] == L'.' && p[1] == L'.' && (!p[2] || p[2] == L'/' || p[2] == L'\\')) return true;
    }
    return false;
}

Str& hover_link() {
    static Str s;
    return s;
}

}  // namespace

void add_link_handler(link_handler_t handler) {
    if (handler) handlers().push_back(std::move(handler));
}

bool shell_open(const wchar_t* target) {
    if (!target || !*target) return false;
    Str t(target);
    if (t.length() >= 3 && t.at(0) == L'.' && (t.at(1) == L'/' || t.at(1) == L'\\')) {
        t.drop_front(2);
        t.prepend(get_exe_dir());
    }
    bool result = false;
    if (ask_handlers(t.buf, &result)) return result;
    // Reports the opener's own answer: a target that could not be opened is not a success.
    return shell_exec(t.buf, L"Open", 1, nullptr, nullptr, nullptr);
}

bool open_link(const wchar_t* target) {
    if (!target || !*target) return false;
    if (starts_with_nocase(target, L"http://") || starts_with_nocase(target, L"https://")) return shell_open(target);
    if (target[0] == L'.' && (target[1] == L'/' || target[1] == L'\\'))
        return !climbs_out(target + 2) && target[2] && shell_open(target);
    bool result = false;
    return ask_handlers(target, &result) && result;
}

void set_hover_link(const wchar_t* target) { hover_link() = or_empty(target); }
const Str& get_hover_link() { return hover_link(); }
void clear_hover_link() { hover_link() = L""; }
