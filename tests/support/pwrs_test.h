#pragma once
// For tests of the rules that read the power table: the suite builds it once
// and frees it after. pwrs_log_test also starts each test on an empty log and
// lists the conditions a unit holds; take_log reads the log and empties it;
// make_unit makes the units they try the rules on, and give_cond gives them conditions.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/text_log.h"
#include "rules/cond.h"
#include "rules/pwr.h"
#include "rules/unit.h"

class pwrs_test : public ::testing::Test {
protected:
    static void SetUpTestSuite() { init_pwrs(); }
    static void TearDownTestSuite() { free_pwrs(); }
};

class pwrs_log_test : public pwrs_test {
protected:
    void SetUp() override { log_cur_buf()->assign(L""); }
    static std::wstring log_text() { return log_cur_buf()->buf; }
    static std::set<int> held(const unit_t& u) {
        std::set<int> s;
        for (const auto& [id, inst] : u.conds.map) s.insert(id);
        return s;
    }
};

// What the log holds, the log emptied.
inline std::wstring take_log() {
    std::wstring s = log_cur_buf()->buf;
    log_cur_buf()->assign(L"");
    return s;
}

// Makes u a unit of the race and class at the level with every score abi, recalculated.
inline void make_unit(unit_t& u, int race, int cls, int lv, int abi) {
    u.base.race = race, u.base.cls = cls, u.base.lv = lv;
    for (int& a : u.base.abi) a = abi;
    u.recalc();
}

// Gives u condition id from src, of amount amt, with no duration roll; the unit
// is recalculated unless told not to be.
inline void give_cond(unit_t& u, int id, unit_t* src = nullptr, int amt = 0, bool recalc = true) {
    cond_inst_t ci;
    u.conds.add(make_cond_inst(ci, id, src, 0, CI_NO_ROLL, amt), recalc);
}
