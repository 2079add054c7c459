#include "rules/u_name.h"

#include <utility>
#include <vector>

#include "app/db.h"
#include "app/rnd.h"
#include "app/str_parts.h"
#include "app/sys.h"

bool is_name_given(const wchar_t* name) {
    for (const wchar_t* p = name; p && *p; ++p)
        if (!sys_is_space(*p)) return true;
    return false;
}

const wchar_t* rnd_u_name() {
    // Read once; the names live until exit.
    static const std::vector<Str> names = [] {
        std::vector<Str> v;
        for (Str& s : str_split(db_get_str(L"u_names", nullptr).c_str(), L";"))
            if (!s.empty()) v.push_back(std::move(s));
        return v;
    }();
    if (names.empty()) return L"未命名";
    if (names.size() == 1) return names[0].c_str();
    return names[size_t(rnd_rand()) % names.size()].c_str();
}
