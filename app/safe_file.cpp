#include "app/safe_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/sys.h"

namespace {

struct open_flags_t {
    int flags = 0;
    bool truncate = false;
};

open_flags_t open_flags_of(const char* mode) {
    open_flags_t r;
    const bool plus = std::strchr(mode, '+') != nullptr;
    switch (mode[0]) {
    case 'w':
        r.flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT;
        r.truncate = true;
        break;
    case 'a':
        r.flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        break;
    default:
        r.flags = plus ? O_RDWR : O_RDONLY;
        break;
    }
    return r;
}

}  // namespace

FILE* fopen_regular(const std::string& os_path, const char* mode) {
    if (!mode || !*mode) return nullptr;
    const open_flags_t of = open_flags_of(mode);
    // Without O_NONBLOCK the open of a FIFO waits for a writer for ever.
    const int fd = ::open(os_path.c_str(), of.flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || (of.truncate && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    const int fl = ::fcntl(fd, F_GETFL);
    if (fl >= 0) ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
    FILE* f = ::fdopen(fd, mode);
    if (!f) ::close(fd);
    return f;
}

bool read_whole_regular(const wchar_t* path, size_t max_bytes, std::string& out) {
    out.clear();
    FILE* f = fopen_regular(os_path(path), "rb");
    if (!f) return false;
    char chunk[16384];
    size_t n;
    bool ok = true;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (out.size() + n > max_bytes) {
            ok = false;
            break;
        }
        out.append(chunk, n);
    }
    ok = ok && !std::ferror(f);
    std::fclose(f);
    if (!ok) out.clear();
    return ok;
}

void remove_stale_file(const wchar_t* path) {
    struct stat st;
    const std::string os = os_path(path);
    if (::lstat(os.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(os.c_str());
}

bool flush_to_disk(FILE* f) { return f && std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0; }

bool flush_dir_to_disk(const wchar_t* dir) {
    const int fd = ::open(os_path(dir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
