#include "base/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> draws(Random_Source& random, uint32_t n, int count) {
    std::vector<uint32_t> values;
    for (int i = 0; i < count; ++i) values.push_back(random.below(n));
    return values;
}

TEST(RandomSource, DrawsStayBelowTheirBoundAndRepeatFromTheSeed) {
    Random_Source random(42);
    for (uint32_t n : {1u, 2u, 251u, 5000u, 8192u}) {
        for (uint32_t value : draws(random, n, 2000)) ASSERT_LT(value, n);
    }
    Random_Source first(7);
    Random_Source second(7);
    EXPECT_EQ(draws(first, 1000, 50), draws(second, 1000, 50));
    first.seed(9);
    second.seed(9);
    EXPECT_EQ(draws(first, 1000, 50), draws(second, 1000, 50));
    EXPECT_EQ(draws(first, 1, 10), std::vector<uint32_t>(10, 0));
}

TEST(RandomSource, NothingToChooseFromDrawsNothing) {
    Random_Source random(3);
    Random_Source reference(3);
    EXPECT_EQ(random.below(0), 0u);
    EXPECT_EQ(random.below(0), 0u);
    EXPECT_EQ(draws(random, 1000, 10), draws(reference, 1000, 10));
}

}  // namespace
