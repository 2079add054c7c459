#include "rules/save_file.h"

#include <filesystem>
#include <system_error>

#include "app/io.h"
#include "app/sys.h"

namespace fs = std::filesystem;

namespace {

constexpr int WRITE_RAW = ZF_WRONLY | ZF_CREAT | ZF_TRUNC | ZF_BINARY;

}  // namespace

bool save_file_atomic(const wchar_t* path, const std::function<bool(io::io_t&)>& write) {
    const Str tmp = Str(path) + L".tmp";
    CZsFile f;
    const bool opened = f.open(tmp.buf, WRITE_RAW, ZF_SHARE_DENY_NONE);
    bool ok = opened && write(f);
    ok = f.close() && ok;
    std::error_code ec;
    if (ok) fs::rename(os_path(tmp.buf), os_path(path), ec);
    if (!ok || ec) {
        if (opened) fs::remove(os_path(tmp.buf), ec);
        return false;
    }
    return true;
}

bool load_file_whole(const wchar_t* path, int max_bytes, const std::function<bool(io::io_t&)>& parse) {
    CZsFile f;
    if (!f.open(path, ZF_BINARY, ZF_SHARE_DENY_NONE)) return false;
    if (f.file_size < 0 || f.file_size > max_bytes) return false;
    if (!parse(f)) return false;
    uint8_t extra;
    return f.read(&extra, 1, 1) == 0;  // trailing bytes: not a file we wrote
}
