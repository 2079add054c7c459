// Prints every description the game builds, as mark-up, one record after
// another, and counts the tooltip references in them that do not resolve.
//   build/test/tests/desc_dump cn [text folder] > descs.txt
// The text folder defaults to the source tree's data/text/.
#include <cstdio>
#include <cstring>
#include <string>

#include "support/desc_corpus.h"

int main(int argc, char** argv) {
    if (argc < 2 || (std::strcmp(argv[1], "cn") != 0 && std::strcmp(argv[1], "en") != 0)) {
        std::fprintf(stderr, "usage: desc_dump cn|en [text folder]\n");
        return 2;
    }
    const std::string root = argc > 2 ? std::string(argv[2]) + "/" : std::string(TW_SOURCE_DIR) + "/data/text/";
    desc_corpus::load_texts(utf8_to_str(root.c_str()), utf8_to_str(argv[1]));
    desc_corpus::ref_count_t refs;
    int records = 0;
    desc_corpus::for_each([&](const std::string& title, const Str& text, const desc_corpus::places_t&) {
        std::printf("## %s\n%s\n\n", title.c_str(), to_utf8_string(text).c_str());
        desc_corpus::check_refs(title, text, refs);
        ++records;
    });
    for (const std::string& u : refs.unresolved) std::fprintf(stderr, "unresolved: %s\n", u.c_str());
    std::fprintf(stderr, "%d records, %d references, %d unresolved\n", records, refs.refs, int(refs.unresolved.size()));
    free_pwrs();
    return refs.unresolved.empty() ? 0 : 1;
}
