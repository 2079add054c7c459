#include "app/links.h"

#include <vector>

#include "app/paths.h"
#include "app/shell.h"
#include "app/str.h"

namespace {

std::vector<link_handler_t>& handlers() {
    static std::vector<link_handler_t> v;
    return v;
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
    // By index and by copy: a handler may register another one while it runs.
    for (size_t i = handlers().size(); i-- > 0;) {
        const link_handler_t h = handlers()[i];
        bool result = false;
        if (h(t.buf, &result)) return result;
    }
    // Reports the opener's own answer: a target that could not be opened is not a success.
    return shell_exec(t.buf, L"Open", 1, nullptr, nullptr, nullptr);
}
