#pragma once
// Names of the build ids: BLD_ and the row's key in capitals (BLD_TH two-handed,
// BLD_SHD shield, BLD_TW two weapons, BLD_RNG ranged, BLD_HLR healer, ...).
// tests/rules/ids_test.cpp holds every name against its row's key.
enum bld_id_e : int {
    BLD_TH = 1,
    BLD_SHD = 2,
    BLD_TW = 3,
    BLD_RNG = 4,
    BLD_HLR = 5,
    BLD_WRP = 6,
    BLD_UDH = 7,
    BLD_CTL = 8,
    BLD_ELM = 9,
    BLD_SUM = 10,
    BLD_1H = 11,
    BLD_1N = 12,
    BLD_3N = 13,
    BLD_SOR = 14,
};
