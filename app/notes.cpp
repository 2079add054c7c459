#include "app/notes.h"

#include <cstdio>
#include <set>
#include <utility>

#include "app/db.h"
#include "app/preload.h"

namespace {
struct note_t {
    Str key;
    std::vector<Str> values;
};

// Far past what one start meets; a folder emptied by mistake must not flood the log.
constexpr size_t max_notes = 200;

bool g_ready = false;
std::vector<note_t> g_waiting;
std::set<Str> g_seen;
std::vector<Str> g_said;

void say(const note_t& n) {
    Str line = strs_fill((Str(L"notes/") + n.key).buf, n.values);
    // Texts without the line still name what went wrong.
    if (line.empty()) {
        line = n.key;
        for (const Str& v : n.values) line.append(L" ").append(v);
    }
    g_said.push_back(line);
    std::fprintf(stderr, "%s\n", to_utf8_string(line.buf).c_str());
}
}  // namespace

Str strs_fill(const wchar_t* path, const std::vector<Str>& values) {
    const Str fmt = db_get_str(path, L"strs");
    Str out;
    size_t next = 0;
    for (const wchar_t* p = fmt.buf; *p; ++p) {
        if (p[0] == L'%' && p[1] == L's') {
            if (next < values.size()) out.append(values[next].buf);
            ++next, ++p;
        } else if (p[0] == L'%' && p[1] == L'%') {
            out.append(L"%"), ++p;
        } else {
            out.append_char(*p);
        }
    }
    return out;
}

void note_trouble(const wchar_t* key, const std::vector<Str>& values) {
    // The start-up's loader thread leaves its notes to the main thread, in order.
    if (on_preload_thread()) {
        leave_to_main([k = Str(key), values] { note_trouble(k, values); });
        return;
    }
    Str id(key);
    for (const Str& v : values) id.append(L"\n").append(v);
    if (g_seen.size() >= max_notes || !g_seen.insert(id).second) return;
    note_t n{Str(key), values};
    if (g_ready)
        say(n);
    else
        g_waiting.push_back(std::move(n));
}

void notes_ready() {
    g_ready = true;
    for (const note_t& n : g_waiting) say(n);
    g_waiting.clear();
}

void reset_notes() {
    g_ready = false;
    g_waiting.clear();
    g_seen.clear();
    g_said.clear();
}

const std::vector<Str>& said_notes() { return g_said; }
