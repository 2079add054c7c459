// Arbitrary bytes as a unit record, a unit file and a party file: the readers
// must neither crash nor read outside a table, a refused record must leave the
// unit as it was, and an accepted one must save and load again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/io.h"
#include "fuzz/fuzz_input.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/save_slots.h"
#include "rules/unit.h"
#include "tests/support/mem_io.h"

namespace {

std::string bytes_of(const unit_t& u) {
    mem_io_t m;
    u.save(m);
    return m.data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool built = (build_pwrs(), true);
    (void)built;
    static const std::string fresh = bytes_of(unit_t());

    unit_t u;
    mem_io_t in(data, size);
    if (u.load(in)) {
        mem_io_t again(bytes_of(u));
        unit_t v;
        if (!v.load(again)) std::abort();  // what we write we must read
        (void)v.cast_abi();
        (void)v.dflt_atk_pwr();
    } else if (bytes_of(u) != fresh) {
        std::abort();  // a refused record changed the unit
    }

    const std::wstring path = write_fuzz_input("unit_file", data, size);
    unit_t w;
    if (!path.empty()) load_unit_file(path.c_str(), w);

    pty_t p;
    mem_io_t pin(data, size);
    if (!p.load(pin) && (p.gold != 0.0 || !p.name.empty())) std::abort();
    return 0;
}
