#pragma once
// Battle maps drawn as text ('.' ground, '#' wall, 'h' hard ground, 'o'
// obstacle, 't' tree, '0' tile 0; every row of one length), and map files as bytes.
#include <string>
#include <vector>

#include "battle/tmap.h"

inline int art_tile(char c) {
    switch (c) {
    case '#': return 2;
    case 'h': return 3;
    case 'o': return 4;
    case 't': return 5;
    case '0': return 0;
    default: return 1;
    }
}

// The rows of an open map of plain ground, w cells wide and h high.
inline std::vector<std::string> open_rows(int w, int h) {
    return std::vector<std::string>(size_t(h), std::string(size_t(w), '.'));
}

// A map file's bytes: tag, version, sides and environment, the rest of the
// 256-byte header reserved (0 but its last byte, 0x7E), then the tiles by rows.
inline std::string zmap_bytes(int w, int h, int env, const std::vector<int>& tiles, const char* tag = "ZMAP",
                              int ver = 1) {
    std::string b(tag, 4);
    const auto word = [&b](int v) {
        for (int i = 0; i < 4; ++i) b.push_back(char(uint32_t(v) >> (8 * i)));
    };
    word(ver), word(w), word(h), word(env);
    b.append(235, '\0').push_back('\x7E');
    for (int t : tiles) word(t);
    return b;
}

inline void draw_map(tmap_t& m, const std::vector<std::string>& rows) {
    m.set_size(rows.empty() ? 0 : int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < m.get_h(); ++y)
        for (int x = 0; x < m.get_w(); ++x) m.tiles.at(x, y) = art_tile(rows[size_t(y)][size_t(x)]);
}

// The map's search grid with movement classes and fresh edges, as a unit's preparation leaves it.
inline pf::node_grid_t& prep_search(tmap_t& m) {
    pf::load_pass(m, m.search_grid, 1);
    pf::build_edges(m.search_grid);
    return m.search_grid;
}
// The same for the map drawn anew from rows.
inline pf::node_grid_t& prep_search(tmap_t& m, const std::vector<std::string>& rows) {
    draw_map(m, rows);
    return prep_search(m);
}

inline pf::pass_grid_t& prep_sight(tmap_t& m) {
    pf::load_pass(m, m.pass_grid, 2);
    return m.pass_grid;
}
