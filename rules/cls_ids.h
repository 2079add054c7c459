#pragma once
// Names of the class ids: CLS_ and the row's key in capitals. Classes 4 to 6
// are the monster tiers of 1 to 3. tests/rules/ids_test.cpp holds every name
// against its row's key.
enum cls_id_e : int {
    CLS_FIGHTER = 1,
    CLS_CLERIC = 2,
    CLS_WIZARD = 3,
    CLS_WARRIOR = 4,
    CLS_PRIEST = 5,
    CLS_SHAMAN = 6,
    CLS_COMMONER = 7,
    CLS_NO = 8,
};
