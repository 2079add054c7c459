#include "app/ptr_containers.h"

#include <gtest/gtest.h>

namespace {

// Counts the live objects, so a leak or a double delete shows.
struct counted_t {
    static inline int live = 0;
    int v;
    explicit counted_t(int x) : v(x) { ++live; }
    ~counted_t() { --live; }
};

TEST(PtrContainers, OwnTheirElements) {
    counted_t::live = 0;
    {
        ptr_vec_t<counted_t> v, other;
        for (int i = 0; i < 5; ++i) v.push_back(new counted_t(i));
        v.erase(1);
        v.erase(99);  // out of range: nothing
        delete v.release(0);
        EXPECT_EQ(v[0]->v, 2);
        other.push_back(new counted_t(9));
        other = std::move(v);  // the old element of other goes
        EXPECT_EQ(counted_t::live, 3);

        ptr_map_t<int, counted_t> m;
        m.set(1, new counted_t(10));
        m.set(1, new counted_t(11));  // replaces and deletes the 10
        m.set(2, new counted_t(20));
        m.set(2, m.find(2));  // the same pointer again stays alive
        EXPECT_EQ(m.find(1)->v + m.find(2)->v, 31);
        m.erase(2);
        m.erase(2);
        EXPECT_EQ(counted_t::live, 4);
    }
    EXPECT_EQ(counted_t::live, 0);
}

}  // namespace
