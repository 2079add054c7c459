#pragma once
// Writing and reading whole save files. A file is flushed to the disk before
// a rename makes it current, so a kill or a power cut mid-save loses nothing;
// a read takes the whole file, bounded, and asks the parser to use it up.
#include <functional>

namespace io {
class io_t;
}

// Writes a new file through write and flushes it to the disk; false from
// write, or a failed open, flush or close, removes what was written.
bool write_file_synced(const wchar_t* path, const std::function<bool(io::io_t&)>& write);
// Writes "<path>.tmp" as write_file_synced does and renames it over path. On
// any failure the old file stays as it was and the temporary one is removed.
bool save_file_atomic(const wchar_t* path, const std::function<bool(io::io_t&)>& write);
// False when the file is not a regular file, holds more than max_bytes, parse
// fails, or bytes are left after it.
bool load_file_whole(const wchar_t* path, int max_bytes, const std::function<bool(io::io_t&)>& parse);
