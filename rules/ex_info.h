#pragma once
// A named row with a colour: abilities, encounter difficulties, rarity levels.
#include "app/text_info.h"
#include "app/types.h"

class ex_info_t : public text_info_t {
public:
    clr_t clr;  // written into rich text as "#%08x"
    ex_info_t() = default;
    ex_info_t(const wchar_t* key, uint32_t clr) : text_info_t(key), clr(clr) {}
};
