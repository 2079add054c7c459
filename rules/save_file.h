#pragma once
// Writing and reading whole save files. A save goes to a temporary file in the
// same folder that is renamed over the old one, so a crash mid-save loses
// nothing; a read takes the whole file, bounded, and asks the parser to use it up.
#include <functional>

namespace io {
class io_t;
}

// write gets the open temporary file; false from it, or a failed close or
// rename, leaves the old file as it was and removes the temporary one.
bool save_file_atomic(const wchar_t* path, const std::function<bool(io::io_t&)>& write);
// False when the file does not open, is larger than max_bytes, parse fails, or
// bytes are left after it.
bool load_file_whole(const wchar_t* path, int max_bytes, const std::function<bool(io::io_t&)>& parse);
