#pragma once
// The text log: rules and battle code append roll and check texts to the current
// buffer and flush finished blocks to whatever output the screens installed.
class Str;

// Receives each flushed block; copies what it keeps, the text dies after the call.
using log_sink_t = void (*)(const wchar_t* text, void* user);

Str* log_cur_buf();
void log_set_enabled(bool on);
bool log_enabled();
// A null function installs the output that does nothing.
void log_set_sink(log_sink_t fn, void* user);
void log_flush();
void log_newline();
void log_indent();
void log_unindent();
int log_indent_level();
