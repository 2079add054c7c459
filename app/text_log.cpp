#include "app/text_log.h"

#include <utility>

#include "app/str.h"

namespace {

void sink_nothing(const wchar_t*, void*) {}

struct log_state_t {
    bool enabled = true;
    log_sink_t sink = sink_nothing;
    void* user = nullptr;
    int indent = 0;
    Str main_buf;
    Str discard_buf;
};

// Function-local so that writers running during static initialisation find it built.
log_state_t& state() {
    static log_state_t s;
    return s;
}

}  // namespace

Str* log_cur_buf() {
    log_state_t& s = state();
    return s.enabled ? &s.main_buf : &s.discard_buf;
}

void log_set_enabled(bool on) { state().enabled = on; }
bool log_enabled() { return state().enabled; }

void log_set_sink(log_sink_t fn, void* user) {
    log_state_t& s = state();
    s.sink = fn ? fn : sink_nothing;
    s.user = user;
}

void log_flush() {
    log_state_t& s = state();
    Str* buf = log_cur_buf();
    if (buf->empty()) return;
    // The sink may run nested frames that write and flush again; taking the text
    // out first keeps those lines from being erased when this call returns.
    Str text(std::move(*buf));
    *buf = Str();
    if (s.enabled) s.sink(text.buf, s.user);
}

void log_newline() {
    Str* buf = log_cur_buf();
    buf->append_char(L'\n');
    const int level = state().indent;
    if (level > 0) buf->append_n(L' ', level * 4);
}

void log_indent() { ++state().indent; }
void log_unindent() { --state().indent; }
int log_indent_level() { return state().indent; }
