#include "game/start_args.h"

#include <charconv>
#include <string_view>

const char start_usage[] =
    "Usage: tarnwick [OPTION]...\n"
    "  --battle        fight a battle at once: the default party against a generated encounter\n"
    "  --battle=SEED   the same from SEED (1 to 4294967295), so it can be fought again\n"
    "  --first-frame   quit after the first main-menu frame, printing how long each start-up step took\n"
    "  -h, --help      print this help and quit\n";

namespace {
// The whole text must be the number: "12x" or "abc" used to fight a battle the
// player never asked for. 0 is refused since it means "no seed" to the battle.
bool read_seed(std::string_view text, uint32_t& seed) {
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, seed);
    return ec == std::errc() && stop == end && seed != 0;
}

start_args_t bad(std::string line) {
    start_args_t a;
    a.kind = start_args_t::k_bad;
    a.error = "tarnwick: " + line + " (see --help)";
    return a;
}
}  // namespace

start_args_t parse_args(int argc, const char* const* argv) {
    start_args_t a;
    for (int i = 1; i < argc && argv && argv[i]; ++i)
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            a.kind = start_args_t::k_help;
            return a;
        }
    for (int i = 1; i < argc && argv && argv[i]; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--battle") {
            a.battle = true;
        } else if (arg == "--first-frame") {
            a.first_frame = true;
        } else if (arg.starts_with("--battle=")) {
            if (!read_seed(arg.substr(9), a.seed))
                return bad("'" + std::string(arg) + "' wants a seed from 1 to 4294967295");
            a.battle = true;
        } else {
            return bad("unknown option '" + std::string(arg) + "'");
        }
    }
    return a;
}
