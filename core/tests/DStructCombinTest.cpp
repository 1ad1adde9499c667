// Combinations, permutations and the nearest array value.
#include <qyx/QYX_dstruct.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

using namespace qyx;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Tail(const Bytes& A) {
    return Bytes(A.begin() + 1, A.end());
}

} // namespace

TEST(DStructCombin, CombinationsInLexicographicOrder) {
    Bytes c = {2, 1, 2};
    std::vector<Bytes> seen = {Tail(c)};
    while (NextCombination(c, 4)) seen.push_back(Tail(c));
    EXPECT_EQ(seen, (std::vector<Bytes>{{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}));
    EXPECT_EQ(c, (Bytes{2, 3, 4})); // unchanged after the last one

    // Counting: C(10, 4) = 210, and C(255, 1) = 255 at the largest N.
    Bytes d = {4, 1, 2, 3, 4};
    int n = 1;
    while (NextCombination(d, 10)) ++n;
    EXPECT_EQ(n, 210);
    Bytes e = {1, 1};
    n = 1;
    while (NextCombination(e, 1000)) ++n;
    EXPECT_EQ(n, 255);
}

TEST(DStructCombin, CombinationsOnBadArraysReturnFalse) {
    Bytes tooShort = {3, 1, 2};
    EXPECT_FALSE(NextCombination(tooShort, 5));
    EXPECT_EQ(tooShort, (Bytes{3, 1, 2}));
    Bytes empty;
    EXPECT_FALSE(NextCombination(empty, 5));
    Bytes zero = {0, 9};
    EXPECT_FALSE(NextCombination(zero, 5));
    Bytes kAboveN = {3, 1, 2, 3};
    EXPECT_FALSE(NextCombination(kAboveN, 2));
}

TEST(DStructCombin, PermutationsInTheSystemsOrder) {
    Bytes p = {3, 1, 2, 3};
    std::vector<Bytes> seen = {Tail(p)};
    while (NextPermutation(p)) seen.push_back(Tail(p));
    EXPECT_EQ(seen, (std::vector<Bytes>{{1, 2, 3}, {2, 1, 3}, {2, 3, 1}, {1, 3, 2}, {3, 1, 2}, {3, 2, 1}}));

    // All n! permutations, each once.
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        Bytes q(static_cast<size_t>(n) + 1);
        q[0] = static_cast<uint8_t>(n);
        for (int i = 1; i <= n; ++i) q[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
        std::set<Bytes> all = {Tail(q)};
        int count = 1;
        while (NextPermutation(q)) {
            all.insert(Tail(q));
            ++count;
        }
        int fact = 1;
        for (int i = 2; i <= n; ++i) fact *= i;
        EXPECT_EQ(count, fact);
        EXPECT_EQ(static_cast<int>(all.size()), fact);
    }
}

TEST(DStructCombin, PermutationsOnBadArraysReturnFalse) {
    const Bytes bad[] = {{}, {3, 1, 2}, {3, 1, 1, 2}, {3, 0, 1, 2}, {2, 1, 5}};
    for (const auto& b : bad) {
        SCOPED_TRACE(testing::PrintToString(b));
        Bytes copy = b;
        EXPECT_FALSE(NextPermutation(copy));
        EXPECT_EQ(copy, b);
    }
}

TEST(DStructCombin, NearestArrayValue) {
    const std::vector<double> v = {1, 2, 3};
    EXPECT_EQ(IndexOfNearestArrayValue(2.5, v), 1);
    EXPECT_EQ(IndexOfNearestArrayValue(2.6, v), 2);
    EXPECT_EQ(IndexOfNearestArrayValue(-100.0, v), 0);
    EXPECT_EQ(IndexOfNearestArrayValue(1.0, std::vector<double>{}), -1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(IndexOfNearestArrayValue(1.0, std::vector<double>{nan, 5.0}), 1);
    EXPECT_EQ(IndexOfNearestArrayValue(nan, v), -1);

    const std::vector<int> w = {10, -4, 6, 6};
    EXPECT_EQ(IndexOfNearestArrayValue(8, w), 0);
    EXPECT_EQ(IndexOfNearestArrayValue(6, w), 2);
    EXPECT_EQ(IndexOfNearestArrayValue(0, std::vector<int>{}), -1);
    // Distances of the extreme integers do not overflow.
    const std::vector<int> extremes = {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
    EXPECT_EQ(IndexOfNearestArrayValue(std::numeric_limits<int>::min() + 1, extremes), 1);
    EXPECT_EQ(IndexOfNearestArrayValue(std::numeric_limits<int>::max(), extremes), 0);
}
