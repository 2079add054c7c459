#include "rules/tbl_texts.h"

#include <gtest/gtest.h>

#include "app/db.h"
#include "app/lua_files.h"
#include "rules/enums.h"

using TblTexts = lua_db_test;

TEST_F(TblTexts, OnceForEachStartOfTheTextDatabase) {
    dir.write("main.lua", "strs = {}");
    db_set_text_root(dir.wide().buf);
    for (const wchar_t* lang : {L"cn", L"en"}) {
        db_set_lang(lang);
        db_init();
        tbl_texts_t t;
        EXPECT_TRUE(t.due());
        EXPECT_FALSE(t.due());
        // Neither language has strs.lua: the size table tries once per language, not per lookup.
        for (int i = 0; i < 5; ++i) EXPECT_EQ(get_u_size(3)->n, nullptr);
    }
    EXPECT_EQ(boxes.count, 2);
}
