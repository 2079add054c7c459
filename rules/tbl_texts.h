#pragma once
// When a rules table reads its Lua texts: once per language. A file that lacks
// the texts is not run again at every lookup (each run of a missing file would
// show the player another error box); switching the language reads them anew.
#include "app/str.h"

class tbl_texts_t {
public:
    // True once for each language folder: the caller reads its texts now.
    bool due();

private:
    bool loaded_ = false;
    Str dir_;  // the language folder the texts came from
};
