// Arbitrary bytes as a "ZMAP" battle map: the reader must refuse damaged files
// whole, never read past the file, and a map it accepts must be safe to search.
#include <cstdint>

#include "battle/cover.h"
#include "battle/tmap.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring wpath = write_fuzz_input("tmap_fuzz.map", data, size);
    if (wpath.empty()) return 0;
    tmap_t m;
    if (!m.load(wpath.c_str())) {
        if (m.get_w() != 0 || m.get_h() != 0) __builtin_trap();  // a refused map must be empty
        return 0;
    }
    const int w = m.get_w(), h = m.get_h();
    if (w < 1 || h < 1 || m.search_grid.width != w || m.pass_grid.height != h) __builtin_trap();
    (void)m.same_tile_mask(w - 1, h - 1);
    if (w * h > 4096) return 0;  // searches on small maps only, to keep the runs quick
    pf::load_pass(m, m.search_grid, 1);
    pf::build_edges(m.search_grid);
    pf::find_path(m.search_grid, {0, 0}, {w - 1, h - 1}, nullptr, nullptr, nullptr);
    move_range_t r;
    pf::get_range(m.search_grid, {w / 2, h / 2}, 6, &r);
    pf::load_pass(m, m.pass_grid, 2);
    (void)cover_level(m.pass_grid, 0, 0, w - 1, h - 1, false);
    (void)cover_level(m.pass_grid, w - 1, 0, 0, h - 1, true);
    return 0;
}
