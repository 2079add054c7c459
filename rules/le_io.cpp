#include "rules/le_io.h"

#include <bit>
#include <vector>

#include "app/io.h"
#include "rules/itm_slot.h"

namespace {

constexpr int SLOT_WORDS = 8;

void put(uint8_t* p, uint32_t u) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(u >> (8 * i));
}

uint32_t get(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(p[i]) << (8 * i);
    return u;
}

void slot_words(const itm_slot_t& s, int32_t* w) {
    w[0] = s.id;
    w[1] = s.bonus;
    for (int i = 0; i < 4; ++i) w[2 + i] = s.ies[i];
    w[6] = s.ex;
    w[7] = s.cnt;
}

void words_slot(const int32_t* w, itm_slot_t& s) {
    s.id = w[0];
    s.bonus = w[1];
    for (int i = 0; i < 4; ++i) s.ies[i] = w[2 + i];
    s.ex = w[6];
    s.cnt = w[7];
}

}  // namespace

bool le_put_i32s(io::io_t& f, const int32_t* v, int n) {
    if (n <= 0) return true;
    std::vector<uint8_t> buf(size_t(n) * 4);
    for (int i = 0; i < n; ++i) put(&buf[size_t(i) * 4], uint32_t(v[i]));
    return f.write(buf.data(), int(buf.size()), 1) == 1;
}

bool le_put_i32(io::io_t& f, int32_t v) { return le_put_i32s(f, &v, 1); }

bool le_put_f64(io::io_t& f, double v) {
    const uint64_t u = std::bit_cast<uint64_t>(v);
    uint8_t b[8];
    put(b, uint32_t(u));
    put(b + 4, uint32_t(u >> 32));
    return f.write(b, 8, 1) == 1;
}

bool le_put_slots(io::io_t& f, const itm_slot_t* s, int n) {
    std::vector<int32_t> w(size_t(n) * SLOT_WORDS);
    for (int i = 0; i < n; ++i) slot_words(s[i], &w[size_t(i) * SLOT_WORDS]);
    return le_put_i32s(f, w.data(), int(w.size()));
}

bool le_get_i32s(io::io_t& f, int32_t* v, int n) {
    if (n <= 0) return true;
    std::vector<uint8_t> buf(size_t(n) * 4);
    if (f.read(buf.data(), int(buf.size()), 1) != 1) return false;
    for (int i = 0; i < n; ++i) v[i] = int32_t(get(&buf[size_t(i) * 4]));
    return true;
}

bool le_get_i32(io::io_t& f, int32_t& v) { return le_get_i32s(f, &v, 1); }

bool le_get_f64(io::io_t& f, double& v) {
    uint8_t b[8];
    if (f.read(b, 8, 1) != 1) return false;
    v = std::bit_cast<double>(uint64_t(get(b)) | uint64_t(get(b + 4)) << 32);
    return true;
}

bool le_get_slots(io::io_t& f, itm_slot_t* s, int n) {
    std::vector<int32_t> w(size_t(n) * SLOT_WORDS);
    if (!le_get_i32s(f, w.data(), int(w.size()))) return false;
    for (int i = 0; i < n; ++i) words_slot(&w[size_t(i) * SLOT_WORDS], s[i]);
    return true;
}
