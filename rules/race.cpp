#include "rules/race.h"

#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"

namespace {

struct race_row_t {
    int id = 0;
    const wchar_t* key = nullptr;
    int type = 0;
    int size = 0;
    int vision = 0;
    int spd = 0;
    int nac = 0;
    int abi_adj[ABIS] = {};  // Str, Dex, Con, Int, Wis, Cha
    int flags = 0;
    int pwrs[16] = {};    // power ids, zero-padded
};

constexpr race_row_t race_rows[] = {
    { .id = 0 },
    { .id = 1, .key = L"ant", .type = 1, .size = 3, .vision = 3, .spd = 10, .nac = 5, .abi_adj = {4, 0, 2, 0, 2, 0},
      .pwrs = {97} },
    { .id = 2, .key = L"spider", .type = 1, .size = 3, .vision = 3, .spd = 8, .nac = 1, .abi_adj = {0, 6, 2, 0, 0, -8},
      .pwrs = {262, 201} },
    { .id = 3, .key = L"rat", .type = 2, .size = 2, .vision = 2, .spd = 8, .nac = 1, .abi_adj = {0, 6, 2, -8, 2, -6} },
    { .id = 4, .key = L"wolf", .type = 2, .size = 3, .vision = 2, .spd = 10, .nac = 2, .abi_adj = {2, 4, 4, -8, 2, -4} },
    { .id = 5, .key = L"boar", .type = 2, .size = 3, .vision = 2, .spd = 8, .nac = 4, .abi_adj = {6, 0, 6, -8, 2, -6},
      .pwrs = {18} },
    { .id = 6, .key = L"bear", .type = 2, .size = 4, .vision = 2, .spd = 8, .nac = 6, .abi_adj = {10, 2, 8, -8, 2, -4},
      .pwrs = {97} },
    { .id = 7, .key = L"liz", .type = 3, .size = 2, .vision = 3, .spd = 8, .nac = 3, .abi_adj = {0, 4, 2, -8, 2, -4},
      .pwrs = {16} },
    { .id = 8, .key = L"basilisk", .type = 3, .size = 3, .vision = 3, .spd = 4, .nac = 8, .abi_adj = {6, -2, 4, -8, 2, 0},
      .pwrs = {287, 19, 21} },
    { .id = 9, .key = L"gob", .type = 4, .size = 2, .vision = 3, .spd = 6, .abi_adj = {-2, 4, 0, 0, 0, -2} },
    { .id = 10, .key = L"gob_b", .type = 4, .size = 3, .vision = 3, .spd = 6, .nac = 3, .abi_adj = {4, 2, 2, 0, 0, -2},
      .pwrs = {239} },
    { .id = 11, .key = L"gob_h", .type = 4, .size = 3, .vision = 3, .spd = 6, .abi_adj = {0, 2, 2, 0, 0, 0},
      .pwrs = {257} },
    { .id = 12, .key = L"kobold", .type = 4, .size = 2, .vision = 3, .spd = 6, .nac = 1, .abi_adj = {-4, 2, -2, 0, 0, 0},
      .pwrs = {235} },
    { .id = 13, .key = L"liz_man", .type = 4, .size = 3, .vision = 3, .spd = 6, .nac = 5, .abi_adj = {2, 0, 2, -2, 0, 0},
      .pwrs = {263} },
    { .id = 14, .key = L"gnoll", .type = 4, .size = 3, .vision = 3, .spd = 6, .nac = 1, .abi_adj = {4, 0, 2, -2, 0, -2},
      .pwrs = {236} },
    { .id = 15, .key = L"orc", .type = 4, .size = 3, .vision = 3, .spd = 6, .abi_adj = {4, 0, 0, -2, -2, -2},
      .pwrs = {241} },
    { .id = 16, .key = L"orog", .type = 4, .size = 3, .vision = 3, .spd = 6, .nac = 1, .abi_adj = {8, 2, 4, -2, 2, -2},
      .pwrs = {151} },
    { .id = 17, .key = L"ogre", .type = 4, .size = 4, .vision = 3, .spd = 8, .nac = 5, .abi_adj = {10, -2, 4, -4, 0, -4},
      .pwrs = {18, 35} },
    { .id = 18, .key = L"troll", .type = 4, .size = 4, .vision = 3, .spd = 6, .nac = 5, .abi_adj = {12, 4, 12, -4, -2, -4},
      .pwrs = {149, 161, 164, 209, 212, 237} },
    { .id = 19, .key = L"ly_rat", .type = 4, .size = 3, .vision = 2, .spd = 6, .nac = 3, .abi_adj = {0, 6, 2, 0, 2, -4},
      .pwrs = {146, 156, 243} },
    { .id = 20, .key = L"ly_wolf", .type = 4, .size = 3, .vision = 2, .spd = 6, .nac = 4, .abi_adj = {2, 4, 4, 0, 2, -2},
      .pwrs = {146, 156} },
    { .id = 21, .key = L"minotaur", .type = 4, .size = 4, .vision = 3, .spd = 6, .nac = 5, .abi_adj = {8, 0, 4, -4, 0, -2},
      .pwrs = {249, 19, 101, 55} },
    { .id = 22, .key = L"medusa", .type = 4, .size = 3, .vision = 3, .spd = 6, .nac = 3, .abi_adj = {0, 4, 8, 2, 2, 4},
      .pwrs = {287, 264} },
    { .id = 23, .key = L"drow", .type = 4, .size = 3, .vision = 3, .spd = 6, .abi_adj = {0, 2, 0, 0, 0, 2},
      .pwrs = {266, 246, 151} },
    { .id = 24, .key = L"hum", .type = 4, .size = 3, .vision = 1, .spd = 6, .abi_adj = {0, 0, 0, 0, 0, 0}, .flags = 1 },
    { .id = 25, .key = L"dwf", .type = 4, .size = 3, .vision = 3, .spd = 5, .abi_adj = {0, 0, 2, 0, 2, -2},
      .pwrs = {27, 201} },
    { .id = 26, .key = L"elf", .type = 4, .size = 3, .vision = 2, .spd = 6, .abi_adj = {0, 2, -2, 2, 0, 0},
      .pwrs = {266, 30, 260} },
    { .id = 27, .key = L"gnm", .type = 4, .size = 2, .vision = 2, .spd = 5, .abi_adj = {-2, 0, 0, 2, 0, 2},
      .pwrs = {31} },
    { .id = 28, .key = L"hf_elf", .type = 4, .size = 3, .vision = 2, .spd = 6, .abi_adj = {0, 0, 0, 0, 0, 0},
      .pwrs = {266} },
    { .id = 29, .key = L"hf_orc", .type = 4, .size = 3, .vision = 3, .spd = 6, .abi_adj = {2, 0, 2, -2, 0, -2},
      .pwrs = {26} },
    { .id = 30, .key = L"hfling", .type = 4, .size = 2, .vision = 1, .spd = 5, .abi_adj = {-2, 2, 0, 0, 0, 2},
      .pwrs = {32, 259} },
    { .id = 31, .key = L"skeleton", .type = 5, .size = 3, .vision = 3, .spd = 6, .nac = 2, .abi_adj = {0, 0, 0, 0, 0, -9},
      .pwrs = {290, 218, 145, 160, 174, 212, 16} },
    { .id = 32, .key = L"zombie", .type = 5, .size = 3, .vision = 3, .spd = 4, .nac = 2, .abi_adj = {2, -2, 0, 0, 0, -9},
      .pwrs = {290, 218, 145, 158, 18, 265} },
    { .id = 33, .key = L"ghoul", .type = 5, .size = 3, .vision = 3, .spd = 6, .nac = 2, .abi_adj = {2, 4, 0, 2, 4, 2},
      .pwrs = {290} },
    { .id = 34, .key = L"vampire", .type = 5, .size = 3, .vision = 3, .spd = 6, .nac = 6, .abi_adj = {6, 4, 0, 2, 2, 4},
      .pwrs = {154, 146, 289, 156, 148, 254, 286, 262, 23, 16, 20, 18, 198, 199} },
    { .id = 35, .key = L"lich", .type = 5, .size = 3, .vision = 3, .spd = 6, .nac = 5, .abi_adj = {0, 0, 0, 6, 2, 2},
      .pwrs = {154, 146, 289, 234, 119, 132, 133, 129, 122, 160, 174, 175} },
    { .id = 36, .key = L"golem", .type = 6, .size = 4, .vision = 3, .spd = 4, .nac = 8, .abi_adj = {10, -2, 0, 0, 0, -9},
      .pwrs = {218, 145, 157, 290, 256} },
    { .id = 37, .key = L"clockwork", .type = 6, .size = 3, .vision = 3, .spd = 6, .nac = 2, .abi_adj = {8, 4, 0, 0, 0, -9},
      .pwrs = {218, 145, 157, 290, 211, 16, 20} },
    { .id = 38, .key = L"elm_a", .type = 7, .size = 3, .vision = 3, .spd = 10, .nac = 3, .abi_adj = {4, 10, 2, -6, 0, 0},
      .pwrs = {226, 69, 16, 23, 62, 199} },
    { .id = 39, .key = L"elm_f", .type = 7, .size = 3, .vision = 3, .spd = 8, .nac = 3, .abi_adj = {2, 6, 4, -6, 0, 0},
      .pwrs = {226, 69, 16, 23, 185, 210} },
    { .id = 40, .key = L"elm_w", .type = 7, .size = 3, .vision = 3, .spd = 6, .nac = 6, .abi_adj = {6, 2, 6, -6, 0, 0},
      .pwrs = {226, 55, 56, 186, 209} },
    { .id = 41, .key = L"elm_e", .type = 7, .size = 3, .vision = 3, .spd = 4, .nac = 9, .abi_adj = {10, -2, 10, -6, 0, 0},
      .pwrs = {55, 56, 101, 208, 188} },
};
static_assert(ids_in_order(race_rows), "race rows must stand in id order");
static_assert(std::size(race_rows) == RACE_COUNT && race_rows[RACE_COUNT - 1].id == RACE_COUNT - 1, "one row per id");

struct race_tbl_t {
    race_t rows[RACE_COUNT];
    tbl_texts_t texts;

    race_tbl_t() {
        for (const race_row_t& r : race_rows) {
            race_t& x = rows[r.id];
            text_info_t::set(&x.k, r.key);
            x.type = r.type;
            x.size = r.size;
            x.vision = r.vision;
            x.spd = r.spd;
            x.nac = r.nac;
            std::copy(std::begin(r.abi_adj), std::end(r.abi_adj), x.abi_adj);
            x.flags = r.flags;
            x.pwrs.assign(r.pwrs, r.pwrs + list_len(r.pwrs));
        }
    }
};

}  // namespace

const race_t* get_race(int id) {
    static race_tbl_t tbl;
    if (tbl.texts.due()) read_tbl_texts(L"races", tbl.rows, RACE_COUNT);
    // A race id read from a save file may lie outside the table.
    return &tbl.rows[id >= 0 && id < RACE_COUNT ? id : 0];
}
