#pragma once
// What the command line asks of the game, read without starting anything.
#include <cstdint>
#include <string>

struct start_args_t {
    enum kind_t { k_run, k_help, k_bad } kind = k_run;
    // "--battle" fights a battle of the default party at once, the way to
    // watch one without the hub; seed 0 leaves the generator's own seed.
    bool battle = false;
    uint32_t seed = 0;
    // "--first-frame": quit once the first main-menu frame is presented, after
    // printing how long each start-up step took (the start-up benchmark).
    bool first_frame = false;
    std::string error;  // k_bad: the one line for standard error
};

// "--help" or "-h" anywhere wins over every other argument, bad ones included;
// otherwise the first bad argument is the one named.
start_args_t parse_args(int argc, const char* const* argv);

// One line an option, for standard output.
extern const char start_usage[];
