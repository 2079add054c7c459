#include "app/geom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_set>

#include "app/sentinels.h"

namespace {

// Squared distances of far-apart cells overflow 32 bits, and even signed 64;
// a sum past the top saturates.
uint64_t dist_sq(const pt_t& a, const pt_t& b) {
    const uint64_t dx = uint64_t(std::llabs(int64_t(a.x) - b.x));
    const uint64_t dy = uint64_t(std::llabs(int64_t(a.y) - b.y));
    const uint64_t sum = dx * dx + dy * dy;
    return sum < dx * dx ? UINT64_MAX : sum;
}

size_t square_count(int r) {
    if (r < 0) return 0;
    const size_t side = 2 * size_t(r) + 1;
    return side * side;
}

// The shared walk: `keep` decides on the offset, the flags and clip on the cell.
template <class Keep>
void walk_square(const pt_t& c, int r, const pt_fn_t& visit, int flags, const rect* clip, Keep keep) {
    if (r < 0) return;  // also keeps -r from overflowing
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            if ((flags & cell_walk::skip_centre) && dx == 0 && dy == 0) continue;
            if (!keep(dx, dy)) continue;
            const pt_t p{c.x + dx, c.y + dy};
            if (clip && !clip->contains(p)) continue;
            if (!visit(p)) return;
        }
    }
}

// One axis of align_rect: the far edge wins over the centre, the centre over the near edge.
void align_axis(int& pos, int len, int box_pos, int box_len, int flags, int near_edge, int far_edge, int centre) {
    if (flags & far_edge)
        pos = box_pos + box_len - len;
    else if (flags & centre)
        pos = box_pos + box_len / 2 - len / 2;
    else if (flags & near_edge)
        pos = box_pos;
}

}  // namespace

void for_each_cell_in_square(const pt_t& c, int r, const pt_fn_t& visit, int flags, const rect* clip) {
    walk_square(c, r, visit, flags, clip, [](int, int) { return true; });
}

void for_each_cell_in_radius(const pt_t& c, int r, const pt_fn_t& visit, int flags, const rect* clip) {
    const bool whole_square = (flags & cell_walk::full_ring_1) && r == 1;
    const int64_t r2 = int64_t(r) * r;
    walk_square(c, r, visit, flags, clip,
                [&](int dx, int dy) { return whole_square || int64_t(dx) * dx + int64_t(dy) * dy <= r2; });
}

void get_pts_in_radius(const pt_t& c, int r, std::vector<pt_t>* out, int flags, const rect* clip) {
    if (!out) return;
    out->reserve(out->size() + square_count(r));
    for_each_cell_in_square(
        c, r,
        [out](const pt_t& p) {
            out->push_back(p);
            return true;
        },
        flags, clip);
}

std::vector<pt_t> square_pts(const pt_t& c, int r) {
    std::vector<pt_t> pts;
    get_pts_in_radius(c, r, &pts, cell_walk::skip_centre, nullptr);
    return pts;
}

std::vector<pt_t> line_pts(const pt_t& a, const pt_t& b) {
    const int64_t dx = int64_t(b.x) - a.x;
    const int64_t dy = int64_t(b.y) - a.y;
    // The longer axis steps every cell; the steep case (|dx| <= |dy|) also takes a = b.
    const bool steep = std::llabs(dx) <= std::llabs(dy);
    int pt_t::*major = steep ? &pt_t::y : &pt_t::x;
    int pt_t::*minor = steep ? &pt_t::x : &pt_t::y;
    const int64_t d_major = steep ? dy : dx;
    const int64_t d_minor = steep ? dx : dy;
    const int s_major = d_major < 1 ? -1 : 1;
    const int s_minor = d_minor < 1 ? -1 : 1;
    const int64_t len_major = std::llabs(d_major);
    const int64_t len_minor = std::llabs(d_minor);

    std::vector<pt_t> pts;
    pts.reserve(size_t(len_major) + 1);
    int64_t err = 0;
    pt_t p = a;
    while (p.*major != b.*major) {
        pts.push_back(p);
        err += len_minor;
        if (2 * err >= len_major) {
            p.*minor += s_minor;
            err -= len_major;
        }
        p.*major += s_major;
    }
    pts.push_back(b);
    return pts;
}

pt_t nearest_pt(const std::vector<pt_t>& pts, const pt_t& to) {
    pt_t best{0, 0};
    nearest_pt_if(pts, to, &best, [](const pt_t&) { return true; });
    return best;
}

bool nearest_pt_if(const std::vector<pt_t>& pts, const pt_t& to, pt_t* out, const pt_fn_t& accept) {
    uint64_t best = UNLIMITED;
    const pt_t* found = nullptr;
    for (const pt_t& p : pts) {
        const uint64_t d = dist_sq(p, to);
        if (d < best && accept(p)) {
            best = d;
            found = &p;
        }
    }
    if (!found) return false;
    if (out) *out = *found;
    return true;
}

bool farthest_pt_if(const std::vector<pt_t>& pts, const pt_t& from, pt_t* out, const pt_fn_t& accept) {
    uint64_t best = 0;
    const pt_t* found = nullptr;
    for (const pt_t& p : pts) {
        const uint64_t d = dist_sq(p, from);
        if (d > best && accept(p)) {
            best = d;
            found = &p;
        }
    }
    if (!found) return false;
    if (out) *out = *found;
    return true;
}

void pts_within_dist(const pt_t& from, int dist, const std::vector<pt_t>& src, std::vector<pt_t>* out, int max) {
    if (!out) return;
    if (dist == UNLIMITED && max == UNLIMITED) {
        *out = src;
        return;
    }
    for (const pt_t& p : src) {
        // Checked before each append so that an out already full never grows past max.
        if (int64_t(out->size()) >= max) break;
        const auto d = int64_t(std::sqrt(double(dist_sq(p, from))));
        if (d <= dist) out->push_back(p);
    }
}

void dedup_pts(std::vector<pt_t>& pts) {
    std::unordered_set<uint64_t> seen;
    seen.reserve(pts.size());
    size_t n = 0;
    for (const pt_t& p : pts) {
        const uint64_t key = (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y);
        if (seen.insert(key).second) pts[n++] = p;
    }
    pts.resize(n);
}

void align_rect(rect* r, const rect* box, int flags) {
    if (!r || !box) return;
    using namespace rect_align;
    align_axis(r->x, r->w, box->x, box->w, flags, left, right, centre);
    align_axis(r->y, r->h, box->y, box->h, flags, top, bottom, middle);
}

void fit_size(size* s, const size* box) {
    if (!s || !box) return;
    // A zero side can only exceed a negative box; skipping it avoids dividing by zero.
    if (s->w > box->w && s->w != 0) {
        s->h = int(int64_t(s->h) * box->w / s->w);
        s->w = box->w;
    }
    if (s->h > box->h && s->h != 0) {
        s->w = int(int64_t(s->w) * box->h / s->h);
        s->h = box->h;
    }
}

double pow_int(double x, int n) {
    double v = 1.0;
    for (int i = 0; i < n; ++i) v *= x;
    return v;
}
