#pragma once
// When a rules table reads its Lua texts: once for each start of the text
// database, which is when the language can change. A file that lacks the texts
// is not run again at every lookup (each run of a missing file would show the
// player another error box).

class tbl_texts_t {
public:
    // True once after each db_init: the caller reads its texts now.
    bool due();

private:
    bool loaded_ = false;
    unsigned gen_ = 0;  // db_generation of the last read
};
