#pragma once
// Names of the monster template ids code refers to: MON_ and the row's key in
// capitals. tests/rules/ids_test.cpp holds every name against its row's key.
enum mon_id_e : int {
    MON_SPIDER_HUNT = 5,
    MON_SPIDER_WEB = 6,
    MON_RAT_D = 8,
    MON_GOB_H_SHD_E = 37,
    MON_GOB_H_TH_S = 38,
    MON_SKELETON_SHD = 96,
    MON_ZOMBIE = 100,
    MON_ELM_A = 116,
    MON_ELM_F = 117,
    MON_ELM_W = 118,
    MON_ELM_E = 119,
};
