#pragma once
// Streams: the interface that record code reads and writes through, and its
// file implementation with the game's wide text modes.
//
// Wide text modes are ours, not the C library's: the on-disk forms are
//   - binary ("b"): bytes as they are; wide text is raw UTF-16LE units;
//   - ", ccs=UNICODE": written as FF FE + UTF-16LE with "\n" as CR LF; read as
//     UTF-8 after an EF BB BF mark, UTF-16LE after FF FE, and without a mark as
//     UTF-16LE unless the first 2 KiB hold no zero byte (then UTF-8, so a config
//     edited by hand stays readable);
//   - ", ccs=UTF-8" / ", ccs=UTF-16LE": as above with that encoding and mark;
//   - plain text ("t" with no ccs): UTF-8 without a mark, CR LF.
#include <cstddef>
#include <cstdio>
#include <string>

#include "app/fmt.h"
#include "app/str.h"

namespace io {

// One output slot of `scan`: %d fills an int, %s a Str.
struct scan_arg_t {
    enum kind_t { k_int, k_str } kind;
    void* p;
};
inline scan_arg_t to_scan_arg(int* p) { return {scan_arg_t::k_int, p}; }
inline scan_arg_t to_scan_arg(Str* p) { return {scan_arg_t::k_str, p}; }

class io_t {
public:
    virtual ~io_t() = default;
    // Item counts as fread/fwrite give them. Records are bytes in every mode:
    // only the wide text operations below are encoded.
    virtual int write(const void* buf, int size, int count) = 0;
    virtual int read(void* buf, int size, int count) = 0;
    // origin 0 start, 1 current, 2 end
    virtual bool seek(int offset, int origin) = 0;
    virtual bool put_str(const wchar_t* s) = 0;

    // Characters written, negative on failure.
    template <class... A>
    int print(const wchar_t* fmt, const A&... a) {
        const fmt_arg_t args[] = {fmt_arg_t{}, to_fmt_arg(a)...};
        return print_v(fmt, args + 1, sizeof...(A));
    }
    virtual int print_v(const wchar_t* fmt, const fmt_arg_t* args, size_t n) = 0;

    // A small wide scanner: %d, %s (a run of non-space), %%, white space in the
    // format skips any white space, other characters must match. Returns the
    // number of fields filled, or -1 when the input ends before the first one.
    template <class... A>
    int scan(const wchar_t* fmt, A*... a) {
        scan_arg_t args[] = {scan_arg_t{}, to_scan_arg(a)...};
        return scan_v(fmt, args + 1, sizeof...(A));
    }
    virtual int scan_v(const wchar_t* fmt, scan_arg_t* args, size_t n) = 0;
};

}  // namespace io

// Open flags, the values of the runtime's open flags the game was written for.
enum : int {
    ZF_WRONLY = 0x0001,
    ZF_RDWR = 0x0002,
    ZF_APPEND = 0x0008,  // not consulted
    ZF_CREAT = 0x0100,
    ZF_TRUNC = 0x0200,
    ZF_TEXT = 0x4000,  // not consulted: text is the default
    ZF_BINARY = 0x8000,
    ZF_WTEXT = 0x10000,
    ZF_U16TEXT = 0x20000,
    ZF_U8TEXT = 0x40000,
};
constexpr int ZF_SHARE_DENY_NONE = 0x40;

// The mode text for `flags`, e.g. 0x8301 gives "wb", 0x14000 "rt, ccs=UNICODE".
Str zs_mode_text(int flags);

// A file on disk as an io::io_t stream, opened with the ZF_ flags above that
// choose its wide text mode; mem_io_t (app/mem_io.h) is the stream in memory.
class CZsFile : public io::io_t {
public:
    FILE* fp = nullptr;  // null when closed or when the open failed
    int file_size = -1;  // bytes (low 32 bits) found right after opening; -1 when the path was not found
    Str path;            // the path last given to open

    CZsFile() = default;
    CZsFile(const wchar_t* path, int flags, int share);
    ~CZsFile() override;
    CZsFile(const CZsFile&) = delete;
    CZsFile& operator=(const CZsFile&) = delete;

    // Regular files only: a folder, FIFO or device is refused without blocking.
    bool open(const wchar_t* path, int flags, int share);
    // False when the stream could not be flushed or was not open.
    bool close();
    // What was written, on the disk: call before a rename makes the file current.
    bool flush_to_disk();
    bool is_open() const { return fp != nullptr; }

    int write(const void* buf, int size, int count) override;
    int read(void* buf, int size, int count) override;
    bool seek(int offset, int origin) override;
    bool put_str(const wchar_t* s) override;
    int print_v(const wchar_t* fmt, const fmt_arg_t* args, size_t n) override;
    int scan_v(const wchar_t* fmt, io::scan_arg_t* args, size_t n) override;

    template <class... A>
    bool print_line(const wchar_t* fmt, const A&... a) {
        const fmt_arg_t args[] = {fmt_arg_t{}, to_fmt_arg(a)...};
        return print_line_v(fmt, args + 1, sizeof...(A));
    }
    bool print_line_v(const wchar_t* fmt, const fmt_arg_t* args, size_t n);

    // Reads as a wide line reader with a buffer of `buf_chars` characters does:
    // at most buf_chars - 1 characters, up to and including a "\n", so a longer
    // line arrives in several reads. False at the end of the file with nothing read.
    bool get_line(Str& out, int buf_chars = 1024);

    // True once a read failed for a reason other than the end of the file.
    bool read_error() const;

private:
    enum class enc_t { utf16le, utf8 };
    enc_t enc_ = enc_t::utf16le;
    bool crlf_ = false;     // "\n" is CR LF on disk
    int bom_len_ = 0;       // bytes of the mark at the start of the file
    bool at_start_ = false; // the next read starts at byte 0 and skips the mark
    std::wstring back_;     // characters read ahead (a CR that was not CR LF, scanner look-ahead)

    void reset_text_state();
    bool setup_text(int flags, bool writable, bool truncated);
    int get_raw_char();
    int get_char();
    void unget_char(wchar_t c);

    // The steps of scan_v.
    enum class scan_step_t { ok, mismatch, ended };
    bool skip_space();  // false when the input ended
    scan_step_t scan_literal(wchar_t want);
    std::wstring scan_word(bool number);
    scan_step_t scan_field(const io::scan_arg_t& a);
};

// The string record of every save file: int32 count of UTF-16 code units, then
// the units in UTF-16LE without a terminator.
bool io_write_str(io::io_t* f, const wchar_t* s);
// False (and `out` empty) when the record is damaged: a short read, a negative
// count or a count beyond the end of the file.
bool io_read_str(io::io_t* f, Str& out);
