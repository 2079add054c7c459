#pragma once
// Names of the condition ids: C_ and the row's key in capitals ("prone" is
// C_PRONE). tests/rules/ids_test.cpp holds every name against its row's key.
enum cond_id_e : int {
    // Hindering conditions, resisted by a defence.
    C_SLOW = 1,
    C_NO_MOV = 2,
    C_PRONE = 3,
    C_SURPRISE = 4,
    C_STUN = 5,
    C_SLEEP = 6,
    C_STONE = 7,
    C_POLYM = 8,
    C_TURN = 9,
    C_FEAR = 10,
    C_MAD = 11,
    C_CHARM = 12,
    // Defending, grappling (C_GRAPPER holds, C_GRAP is held), weakness and blood rage.
    C_DEF = 13,
    C_DEF_FULL = 14,
    C_GRAPPER = 15,
    C_GRAP = 16,
    C_WEAK = 17,
    C_BLOOD_RAGE = 18,
    C_BLOOD_RAGE2 = 19,
    // Conditions that tick every turn: bleeding, burning, poison, acid, regeneration (C_HR).
    C_BLEED = 20,
    C_BURN = 21,
    C_TOX = 22,
    C_CORRODE = 23,
    C_HR = 24,
};
