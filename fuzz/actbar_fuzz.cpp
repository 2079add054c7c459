// Arbitrary bytes as the action bar of a unit file, followed by base words and
// power ids as a damaged file would hand them over: loading and using them must
// neither crash nor read outside a table.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/io.h"
#include "rules/pwr.h"
#include "rules/unit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool built = (build_pwrs(), true);
    (void)built;
    static const std::string path = "/tmp/tw_actbar_fuzz_" + std::to_string(getpid()) + ".bin";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    unit_t u;
    {
        CZsFile in(utf8_to_str(path.c_str()).buf, ZF_BINARY, ZF_SHARE_DENY_NONE);
        u.actbar.load(in);
    }
    // What follows the bar: base words, then power ids.
    size_t off = std::min(size, size_t(164));
    const size_t words = std::min((size - off) / 4, sizeof(u_base_t) / 4);
    std::memcpy(&u.base, data + off, words * 4);
    off += words * 4;
    std::vector<int> ids((size - off) / 4);
    if (!ids.empty()) std::memcpy(ids.data(), data + off, ids.size() * 4);
    u.pwrs.set_list(ids);
    u.pwrs.apply_changes(ids);

    (void)u.race_grp();
    (void)u.is_living();
    (void)u.cast_abi();
    for (const actbar_item_t& it : u.actbar.items) {
        u.actbar.select_pwr(it.pwr);
        (void)u.is_proficient(itm_slot_t(it.param, 1));
    }
    u.actbar.rebuild();
    unit_t copy(u);
    return 0;
}
