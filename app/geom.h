#pragma once
// Cells, lines and rectangles shared by the battle map, the window layout and
// the screens. Distances between cells are compared squared unless a function
// says otherwise; UNLIMITED (app/sentinels.h) stands for "no limit".
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/types.h"

// Returns false to stop a walk at once (visitor) or to reject a point (predicate).
using pt_fn_t = std::function<bool(const pt_t&)>;

// Flags of the walks.
namespace cell_walk {
constexpr int skip_centre = 1;
constexpr int full_ring_1 = 2;  // a radius of 1 takes the whole 3 x 3 square, not the plus sign
}  // namespace cell_walk

// Flags of align_rect; each axis takes right/bottom over centre/middle over left/top.
namespace rect_align {
constexpr int left = 1;
constexpr int top = 2;
constexpr int right = 4;
constexpr int bottom = 8;
constexpr int centre = 16;
constexpr int middle = 32;
}  // namespace rect_align

// Both walks visit rows dy = -r..r and, in each, columns dx = -r..r; a non-null
// clip skips the cells outside it.
void for_each_cell_in_square(const pt_t& c, int r, const pt_fn_t& visit, int flags = 0, const rect* clip = nullptr);
// The cells with dx² + dy² <= r².
void for_each_cell_in_radius(const pt_t& c, int r, const pt_fn_t& visit, int flags = 0, const rect* clip = nullptr);
// Appends the cells of the square walk (not the disc) with the same flags and clip.
void get_pts_in_radius(const pt_t& c, int r, std::vector<pt_t>* out, int flags = 0, const rect* clip = nullptr);
// The square around c without c itself, in walk order.
std::vector<pt_t> square_pts(const pt_t& c, int r);

// The Chebyshev distance: the steps from a to b where a diagonal step counts as one.
inline int cheb_dist(const pt_t& a, const pt_t& b) { return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)); }

// The cells from a to b, a first and b last.
std::vector<pt_t> line_pts(const pt_t& a, const pt_t& b);

// The first of the nearest points; only squared distances below UNLIMITED
// count; (0, 0) when none does.
pt_t nearest_pt(const std::vector<pt_t>& pts, const pt_t& to);
bool nearest_pt_if(const std::vector<pt_t>& pts, const pt_t& to, pt_t* out, const pt_fn_t& accept);
// Never chooses a point at distance 0.
bool farthest_pt_if(const std::vector<pt_t>& pts, const pt_t& from, pt_t* out, const pt_fn_t& accept);
// Appends to out (not emptied) the points whose truncated distance is at most
// dist, until out holds max points; both limits at UNLIMITED copy src whole.
void pts_within_dist(const pt_t& from, int dist, const std::vector<pt_t>& src, std::vector<pt_t>* out, int max);
// Keeps the first of each point and the order.
void dedup_pts(std::vector<pt_t>& pts);

void align_rect(rect* r, const rect* box, int flags);
// Shrinks s into box keeping its proportions; never grows it.
void fit_size(size* s, const size* box);
double pow_int(double x, int n);
