// Arbitrary bytes as a dice or damage text: the parsers must refuse what is not
// well formed, and what they accept must print back to the same dice.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/str.h"
#include "rules/dice.h"
#include "rules/dmg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    dice_t d;
    if (d.parse(text.c_str())) {
        if (d.count < 0 || d.count > 9999 || d.sides < 0 || d.sides > 9999) std::abort();
        dice_t again;
        const std::string back = to_utf8_string(dice_text(d).buf);
        if (!again.parse(back.c_str()) || !(again == d)) std::abort();
        for (int size = -1; size <= 7; ++size) {
            dice_t r = d;
            r.resize(size);
        }
    }
    dmg_list_t list;
    if (dmg_list_parse(&list, text.c_str())) {
        (void)dmg_list_text(list, 0);
        (void)dmg_list_lines(list);
    } else if (!list.empty()) {
        std::abort();  // a refused text adds nothing
    }
    dmg_part_t p;
    (void)dmg_part_parse_dice(&p, text.c_str());
    return 0;
}
