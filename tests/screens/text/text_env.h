#pragma once
// The game's own Chinese texts and the power registry, loaded once per test
// suite, with the screens' text hooks installed; the display options at their
// defaults. Expected strings take table names from the tables themselves.
#include <gtest/gtest.h>

#include <cwchar>

#include "app/db.h"
#include "app/opts.h"
#include "app/str.h"
#include "battle/btl.h"
#include "rules/pwr.h"
#include "support/desc_corpus.h"
#include "support/str_list.h"

class text_env_t : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        desc_corpus::load_texts(utf8_to_str(TW_SOURCE_DIR "/data/text/"), L"cn");
        opts() = opts_t();
    }
    static void TearDownTestSuite() {
        free_pwrs();
        db_t::instance().close();
    }
    // No battle set up, as before the first one.
    void SetUp() override { no_btl(); }
    void TearDown() override {
        opts() = opts_t();
        no_btl();
    }
    static void no_btl() {
        reset_btl();
        btl().state = BTL_NONE;
    }
    static const wchar_t* name_of(const text_info_t* t) { return t ? or_empty(t->n) : L""; }
    static bool has(const Str& text, const wchar_t* part) { return std::wcsstr(text.buf, part) != nullptr; }
};
