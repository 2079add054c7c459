#pragma once
// Names of the monster template ids code refers to: MON_ and the row's key in
// capitals. tests/rules/ids_test.cpp holds every name against its row's key.
enum mon_id_e : int {
    MON_RAT_D = 8,
};
