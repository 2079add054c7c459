#pragma once
// What the searches, the cover test and the map generator read of a map: its
// size and the two pass classes of each cell. Nothing here checks x and y;
// callers keep 0 <= x < width and 0 <= y < height.
class get_pass_t {
public:
    virtual ~get_pass_t() = default;
    virtual int get_w() const = 0;
    virtual int get_h() const = 0;
    virtual int get_pass1(int x, int y) const = 0;  // movement
    virtual int get_pass2(int x, int y) const = 0;  // sight and line of effect
};
