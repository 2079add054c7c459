#pragma once
// The eight grid directions; y grows downward. A direction's number is its row.
struct dir8_t {
    const wchar_t* name;
    int dx;
    int dy;
    int opp;  // the row pointing the other way
    // A straight direction's two diagonals, or a diagonal's two straight parts.
    int nb1;
    int nb2;
};

inline constexpr dir8_t dir8s[8] = {
    {L"Up", 0, -1, 1, 4, 6},
    {L"Down", 0, 1, 0, 5, 7},
    {L"Left", -1, 0, 3, 4, 5},
    {L"Right", 1, 0, 2, 6, 7},
    {L"Up Left", -1, -1, 7, 0, 2},
    {L"Down Left", -1, 1, 6, 1, 2},
    {L"Up Right", 1, -1, 5, 0, 3},
    {L"Down Right", 1, 1, 4, 1, 3},
};

// The row with that step, -1 when none (0, 0 or a step longer than one cell).
constexpr int dir8_index(int dx, int dy) {
    for (int i = 0; i < 8; ++i)
        if (dir8s[i].dx == dx && dir8s[i].dy == dy) return i;
    return -1;
}
