#include "rules/save_file.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/io.h"
#include "app/mem_io.h"
#include "app/paths.h"
#include "app/safe_file.h"
#include "app/sys.h"

namespace fs = std::filesystem;

namespace {

constexpr int WRITE_RAW = ZF_WRONLY | ZF_CREAT | ZF_TRUNC | ZF_BINARY;

}  // namespace

bool write_file_synced(const wchar_t* path, const std::function<bool(io::io_t&)>& write) {
    CZsFile f;
    const bool opened = f.open(path, WRITE_RAW, ZF_SHARE_DENY_NONE);
    bool ok = opened && write(f) && f.flush_to_disk();
    ok = f.close() && ok;
    std::error_code ec;
    if (!ok && opened) fs::remove(os_path(path), ec);
    return ok;
}

bool save_file_atomic(const wchar_t* path, const std::function<bool(io::io_t&)>& write) {
    const Str tmp = Str(path) + L".tmp";
    // A leftover, or a link someone put there, must not receive the new bytes.
    remove_stale_file(tmp.buf);
    if (!write_file_synced(tmp.buf, write)) return false;
    std::error_code ec;
    fs::rename(os_path(tmp.buf), os_path(path), ec);
    if (ec) {
        fs::remove(os_path(tmp.buf), ec);
        return false;
    }
    flush_dir_to_disk(get_parent_dir(path).buf);
    return true;
}

bool load_file_whole(const wchar_t* path, int max_bytes, const std::function<bool(io::io_t&)>& parse) {
    std::string bytes;
    if (max_bytes < 0 || !read_whole_regular(path, size_t(max_bytes), bytes)) return false;
    mem_io_t m(std::move(bytes));
    return parse(m) && m.at_end();  // trailing bytes: not a file we wrote
}
