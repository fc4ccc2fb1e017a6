#include "core/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace ardentix {
namespace {

std::vector<int> draws(uint32_t seed, int n, int count) {
    Random r;
    r.Seed(seed);
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(r(n));
    return out;
}

TEST(Random, KnownSequences) {
    EXPECT_EQ(draws(0, 100, 6), (std::vector<int>{0, 3, 86, 20, 27, 67}));
    EXPECT_EQ(draws(1, 6, 8), (std::vector<int>{0, 5, 1, 1, 4, 1, 0, 2}));
    // 9:00:00.000 in milliseconds since midnight, the seed of a script's default clock.
    EXPECT_EQ(draws(32400000, 8, 5), (std::vector<int>{0, 2, 6, 7, 3}));
    // The state wraps modulo 2^32.
    EXPECT_EQ(draws(0xFFFFFFFFu, 1000, 4), (std::vector<int>{968, 201, 519, 132}));
}

TEST(Random, StateMovesByTheCongruence) {
    Random r;
    r.Seed(0);
    for (int i = 0; i < 6; ++i)
        r(100);
    EXPECT_EQ(r.State(), 2884733762u);
}

TEST(Random, StaysInRange) {
    Random r;
    r.Seed(12345);
    for (int n : {1, 2, 3, 5, 8, 21, 1000}) {
        for (int i = 0; i < 2000; ++i) {
            const int v = r(n);
            ASSERT_GE(v, 0);
            ASSERT_LT(v, n);
        }
    }
}

}  // namespace
}  // namespace ardentix
