#pragma once
// Names of the effect ids: knock back (EFF_KB), and knock back and over by one
// or two cells (EFF_KBO1, EFF_KBO2). tests/rules/ids_test.cpp holds every name
// against its row's key.
enum eff_id_e : int {
    EFF_KB = 1,
    EFF_KBO1 = 2,
    EFF_KBO2 = 3,
};
