#include "app/io.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <filesystem>
#include <limits>
#include <system_error>

#include <sys/stat.h>

#include "app/codec.h"
#include "app/safe_file.h"
#include "app/sys.h"

namespace fs = std::filesystem;

namespace {

constexpr int sniff_bytes = 2048;

enum class ccs_t { none, unicode, utf8, utf16le };

// The parts of a mode text that decide how the file is opened and encoded.
struct open_mode_t {
    char kind = 'r';  // r, w or a
    bool plus = false;
    bool binary = false;
    ccs_t ccs = ccs_t::none;
};

// The runtime's reading of the open flags: create with truncate is "w", create
// or write-only without it appends, and "+" adds the direction not asked for.
open_mode_t mode_of(int flags) {
    open_mode_t r;
    const bool create = flags & ZF_CREAT;
    const bool wr = flags & ZF_WRONLY;
    if (create)
        r.kind = flags & ZF_TRUNC ? 'w' : 'a';
    else
        r.kind = wr ? 'a' : 'r';
    r.plus = (create || wr) ? !wr : (flags & ZF_RDWR) != 0;
    r.binary = flags & ZF_BINARY;
    if (flags & ZF_WTEXT)
        r.ccs = ccs_t::unicode;
    else if (flags & ZF_U8TEXT)
        r.ccs = ccs_t::utf8;
    else if (flags & ZF_U16TEXT)
        r.ccs = ccs_t::utf16le;
    return r;
}

// Decimal digits with an optional sign; a value beyond an int is clamped.
bool parse_scanned_int(const std::wstring& word, int* out) {
    const bool sign = !word.empty() && (word[0] == L'-' || word[0] == L'+');
    if (word.size() == (sign ? 1u : 0u)) return false;
    long long v = 0;
    for (size_t i = sign ? 1 : 0; i < word.size(); ++i) v = std::min(v * 10 + (word[i] - L'0'), 1LL << 32);
    if (word[0] == L'-') v = -v;
    *out = int(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    return true;
}

// What the first bytes of an existing file say about its encoding.
struct sniff_t {
    bool utf8 = false;
    int bom_len = 0;
    long size = 0;
};

sniff_t sniff_file(const std::string& os, ccs_t ccs) {
    sniff_t r;
    r.utf8 = ccs == ccs_t::utf8;
    FILE* f = fopen_regular(os, "rb");
    if (!f) return r;
    unsigned char b[sniff_bytes];
    const size_t got = std::fread(b, 1, sizeof b, f);
    std::fclose(f);
    r.size = long(got);
    if (got >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        r.utf8 = true;
        r.bom_len = 3;
    } else if (got >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        r.utf8 = false;
        r.bom_len = 2;
    } else if (ccs == ccs_t::unicode) {
        // No mark: UTF-16 text of any length has zero bytes, UTF-8 has none.
        r.utf8 = std::find(b, b + got, 0) == b + got;
    }
    return r;
}

int lookup_size(const std::string& os) {
    std::error_code ec;
    const fs::file_status st = fs::status(os, ec);
    if (ec || !fs::exists(st)) return -1;
    if (!fs::is_regular_file(st)) return 0;
    const uintmax_t n = fs::file_size(os, ec);
    return ec ? -1 : int(uint32_t(n));
}

}  // namespace

Str zs_mode_text(int flags) {
    const open_mode_t m = mode_of(flags);
    Str r;
    r.append_char(wchar_t(m.kind));
    if (m.plus) r.append_char(L'+');
    r.append_char(m.binary ? L'b' : L't');
    if (m.ccs == ccs_t::unicode)
        r.append(L", ccs=UNICODE");
    else if (m.ccs == ccs_t::utf8)
        r.append(L", ccs=UTF-8");
    else if (m.ccs == ccs_t::utf16le)
        r.append(L", ccs=UTF-16LE");
    return r;
}

// ---- CZsFile ----

CZsFile::CZsFile(const wchar_t* p, int flags, int share) { open(p, flags, share); }

CZsFile::~CZsFile() { close(); }

void CZsFile::reset_text_state() {
    enc_ = enc_t::utf16le;
    crlf_ = false;
    bom_len_ = 0;
    back_.clear();
}

bool CZsFile::open(const wchar_t* p, int flags, int share) {
    (void)share;  // POSIX opens never lock other readers or writers out
    close();
    path.assign(p);
    const open_mode_t m = mode_of(flags);
    const std::string os = os_path(path.buf);

    std::string fmode(1, m.kind);
    if (m.plus) fmode += '+';
    fmode += 'b';  // our own layer does the text translation

    sniff_t sn;
    const bool keeps_content = m.kind != 'w';
    if (!m.binary && m.ccs != ccs_t::none && keeps_content) sn = sniff_file(os, m.ccs);

    // Regular files only: a folder would fail only later, and a FIFO or a
    // device could block the open or never end.
    fp = fopen_regular(os, fmode.c_str());
    struct stat st;
    file_size = fp && ::fstat(::fileno(fp), &st) == 0 ? int(uint32_t(uintmax_t(st.st_size))) : lookup_size(os);
    if (!fp) return false;

    if (m.binary) return true;
    crlf_ = true;
    if (m.ccs == ccs_t::none) {
        enc_ = enc_t::utf8;
        return true;
    }
    enc_ = sn.utf8 ? enc_t::utf8 : enc_t::utf16le;
    bom_len_ = sn.bom_len;
    const bool writable = m.kind != 'r' || m.plus;
    if (writable && sn.size == 0) {
        // A new or emptied file gets the mark of the encoding asked for.
        enc_ = m.ccs == ccs_t::utf8 ? enc_t::utf8 : enc_t::utf16le;
        static const char u16_bom[] = "\xFF\xFE", u8_bom[] = "\xEF\xBB\xBF";
        bom_len_ = enc_ == enc_t::utf8 ? 3 : 2;
        if (std::fwrite(enc_ == enc_t::utf8 ? u8_bom : u16_bom, 1, size_t(bom_len_), fp) != size_t(bom_len_)) {
            close();
            return false;
        }
    } else if (bom_len_ > 0 && (m.kind == 'r' || m.plus)) {
        std::fseek(fp, bom_len_, SEEK_SET);
    }
    return true;
}

bool CZsFile::flush_to_disk() { return ::flush_to_disk(fp); }

bool CZsFile::close() {
    if (!fp) return false;
    const bool ok = std::fclose(fp) == 0;
    fp = nullptr;
    reset_text_state();
    return ok;
}

int CZsFile::write(const void* buf, int size, int count) {
    if (!fp || !buf || size <= 0 || count <= 0) return 0;
    return int(std::fwrite(buf, size_t(size), size_t(count), fp));
}

int CZsFile::read(void* buf, int size, int count) {
    if (!fp || !buf || size <= 0 || count <= 0) return 0;
    return int(std::fread(buf, size_t(size), size_t(count), fp));
}

bool CZsFile::seek(int offset, int origin) {
    if (!fp || origin < 0 || origin > 2) return false;
    back_.clear();
    // The start of a text file is the first character after its mark.
    if (origin == 0 && offset == 0) offset = bom_len_;
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    return std::fseek(fp, offset, whence[origin]) == 0;
}

bool CZsFile::put_str(const wchar_t* s) {
    if (!fp) return false;
    if (!s || !*s) return true;
    std::wstring text;
    if (crlf_) {
        for (const wchar_t* p = s; *p; ++p) {
            if (*p == L'\n') text.push_back(L'\r');
            text.push_back(*p);
        }
    } else {
        text = s;
    }
    const std::string bytes = enc_ == enc_t::utf8 ? utf8_from_wide(text) : utf16le_from_wide(text);
    return std::fwrite(bytes.data(), 1, bytes.size(), fp) == bytes.size();
}

int CZsFile::print_v(const wchar_t* fmt, const fmt_arg_t* args, size_t n) {
    if (!fp) return -1;
    std::wstring out;
    const int r = fmt_format_v(out, fmt, args, n);
    if (r < 0) return -1;
    return put_str(out.c_str()) ? r : -1;
}

bool CZsFile::print_line_v(const wchar_t* fmt, const fmt_arg_t* args, size_t n) {
    if (!fp) return false;
    std::wstring out;
    if (fmt_format_v(out, fmt, args, n) < 0) return false;
    return put_str(out.c_str()) && put_str(L"\n");
}

void CZsFile::unget_char(wchar_t c) { back_.push_back(c); }

// One decoded character from the file, before CR LF is joined; -1 at the end.
int CZsFile::get_raw_char() {
    if (!back_.empty()) {
        const wchar_t c = back_.back();
        back_.pop_back();
        return int(c);
    }
    std::wstring w;
    if (enc_ == enc_t::utf8) {
        const int lead = std::fgetc(fp);
        if (lead == EOF) return -1;
        std::string seq(1, char(lead));
        const int len = utf8_seq_len(static_cast<unsigned char>(lead));
        while (int(seq.size()) < len) {
            const int c = std::fgetc(fp);
            if (c == EOF) break;
            if ((c & 0xC0) != 0x80) {
                std::ungetc(c, fp);
                break;
            }
            seq.push_back(char(c));
        }
        w = wide_from_utf8(seq);
    } else {
        unsigned char b[4];
        const size_t got = std::fread(b, 1, 2, fp);
        if (got == 0) return -1;
        // An odd byte at the end is half a code unit: dropped, so a damaged file
        // does not gain a U+FFFD that saving would then keep for ever.
        if (got == 1) return -1;
        size_t units = 1;
        const unsigned first = b[0] | (b[1] << 8);
        if (first >= 0xD800 && first <= 0xDBFF && std::fread(b + 2, 1, 2, fp) == 2) units = 2;
        w = wide_from_utf16le(b, units * 2);
    }
    if (w.empty()) return 0xFFFD;
    for (size_t i = w.size() - 1; i > 0; --i) back_.push_back(w[i]);
    return int(w[0]);
}

int CZsFile::get_char() {
    const int c = get_raw_char();
    if (c != L'\r' || !crlf_) return c;
    const int next = get_raw_char();
    if (next == L'\n') return L'\n';
    if (next >= 0) unget_char(wchar_t(next));
    return c;
}

bool CZsFile::get_line(Str& out, int buf_chars) {
    out.assign(L"");
    if (!fp || buf_chars < 2) return false;
    std::wstring line;
    while (int(line.size()) < buf_chars - 1) {
        const int c = get_char();
        if (c < 0) break;
        line.push_back(wchar_t(c));
        if (c == L'\n') break;
    }
    if (line.empty()) return false;
    out.assign(line.c_str());
    return true;
}

bool CZsFile::read_error() const { return fp && std::ferror(fp); }

// ---- scanning ----

bool CZsFile::skip_space() {
    int c;
    while ((c = get_char()) >= 0 && std::iswspace(wint_t(c))) {
    }
    if (c < 0) return false;
    unget_char(wchar_t(c));
    return true;
}

CZsFile::scan_step_t CZsFile::scan_literal(wchar_t want) {
    const int c = get_char();
    if (c < 0) return scan_step_t::ended;
    if (c == want) return scan_step_t::ok;
    unget_char(wchar_t(c));
    return scan_step_t::mismatch;
}

std::wstring CZsFile::scan_word(bool number) {
    std::wstring word;
    int c;
    if (number) {
        c = get_char();
        if (c == L'-' || c == L'+')
            word.push_back(wchar_t(c));
        else if (c >= 0)
            unget_char(wchar_t(c));
        while ((c = get_char()) >= L'0' && c <= L'9') word.push_back(wchar_t(c));
    } else {
        while ((c = get_char()) >= 0 && !std::iswspace(wint_t(c))) word.push_back(wchar_t(c));
    }
    if (c >= 0) unget_char(wchar_t(c));
    return word;
}

CZsFile::scan_step_t CZsFile::scan_field(const io::scan_arg_t& a) {
    if (!skip_space()) return scan_step_t::ended;
    const bool number = a.kind == io::scan_arg_t::k_int;
    const std::wstring word = scan_word(number);
    if (!number) {
        static_cast<Str*>(a.p)->assign(word.c_str());
        return scan_step_t::ok;
    }
    return parse_scanned_int(word, static_cast<int*>(a.p)) ? scan_step_t::ok : scan_step_t::mismatch;
}

int CZsFile::scan_v(const wchar_t* fmt, io::scan_arg_t* args, size_t n) {
    if (!fp || !fmt) return -1;
    int filled = 0;
    size_t next_arg = 0;
    for (const wchar_t* p = fmt; *p;) {
        scan_step_t step = scan_step_t::ok;
        if (std::iswspace(wint_t(*p))) {
            while (std::iswspace(wint_t(*p))) ++p;
            skip_space();  // the input may end here; the next step will say so
        } else if (*p != L'%' || p[1] == L'%') {
            step = scan_literal(*p);
            p += *p == L'%' ? 2 : 1;
        } else {
            const wchar_t conv = p[1];
            p += 2;
            const io::scan_arg_t::kind_t want = conv == L'd' ? io::scan_arg_t::k_int : io::scan_arg_t::k_str;
            if ((conv != L'd' && conv != L's') || next_arg >= n || args[next_arg].kind != want) return filled;
            step = scan_field(args[next_arg++]);
            if (step == scan_step_t::ok) ++filled;
        }
        if (step == scan_step_t::ended) return filled == 0 ? -1 : filled;
        if (step == scan_step_t::mismatch) return filled;
    }
    return filled;
}

// ---- string records ----

bool io_write_str(io::io_t* f, const wchar_t* s) {
    if (!f) return false;
    const std::string units = utf16le_from_wide(or_empty(s));
    const int32_t n = int32_t(units.size() / 2);
    const unsigned char hdr[4] = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(uint32_t(n) >> 24)};
    if (f->write(hdr, 4, 1) != 1) return false;
    return n == 0 || f->write(units.data(), 2, n) == n;
}

bool io_read_str(io::io_t* f, Str& out) {
    out.assign(L"");
    if (!f) return false;
    unsigned char hdr[4];
    if (f->read(hdr, 4, 1) != 1) return false;
    const int32_t n = int32_t(uint32_t(hdr[0]) | uint32_t(hdr[1]) << 8 | uint32_t(hdr[2]) << 16 | uint32_t(hdr[3]) << 24);
    if (n < 0) return false;
    // A damaged count must not size an allocation: read in chunks, so memory
    // grows only with what the file really holds.
    constexpr int chunk_units = 32768;
    std::string bytes;
    for (int left = n; left > 0;) {
        const int want = std::min(left, chunk_units);
        const size_t had = bytes.size();
        bytes.resize(had + size_t(want) * 2);
        if (f->read(bytes.data() + had, 2, want) != want) return false;
        left -= want;
    }
    out.assign(wide_from_utf16le(bytes.data(), bytes.size()).c_str());
    return true;
}
