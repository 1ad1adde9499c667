#include <qyx/platform/Random.h>

#include <gtest/gtest.h>

using namespace qyx;

TEST(Random, SequenceIsFixedByTheSeed) {
    RandSeed = 0;
    // First states of the generator from seed 0: 1, 134775814, ...
    EXPECT_EQ(Random(1000), 0);
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(Random(1000), static_cast<int>((134775814ull * 1000) >> 32));
    RandSeed = 7093;
    const int a = Random(255);
    const double r = Random();
    RandSeed = 7093;
    EXPECT_EQ(Random(255), a);
    EXPECT_EQ(Random(), r);
}

TEST(Random, RangesHold) {
    RandSeed = 12345;
    for (int i = 0; i < 10000; ++i) {
        const int v = Random(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
        const double d = Random();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
    }
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
}
