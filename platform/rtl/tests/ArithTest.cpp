#include <qyx/platform/Arith.h>
#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cfenv>
#include <climits>
#include <cmath>
#include <limits>

using namespace qyx;

TEST(Arith, RoundTakesHalvesToEven) {
    const struct {
        long double x;
        int64_t Expected;
    } cases[] = {
        {2.5L, 2},
        {3.5L, 4},
        {-2.5L, -2},
        {-3.5L, -4},
        {0.5L, 0},
        {-0.5L, 0},
        {1.5L, 2},
        {0.49999999999999994, 0},
        {2.4999999999999996, 2},
        {9007199254740993.5L, 9007199254740994}, // beyond double precision, exact in extended
        {4611686018427387904.5L, 4611686018427387904},
        {-0.4999999999999999999L, 0},
        {1e30L, INT64_MAX},
        {-1e30L, INT64_MIN},
        {std::numeric_limits<long double>::infinity(), INT64_MAX},
        {std::nanl(""), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.x));
        EXPECT_EQ(Round(c.x), c.Expected);
    }
}

TEST(Arith, RoundIgnoresTheRoundingMode) {
    const int old = std::fegetround();
    std::fesetround(FE_UPWARD);
    const int64_t a = Round(2.5L), b = Round(-3.5L);
    std::fesetround(FE_TOWARDZERO);
    const int64_t c = Round(2.7L);
    std::fesetround(old);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, -4);
    EXPECT_EQ(c, 3);
}

TEST(Arith, TruncIntFracCeilFloor) {
    EXPECT_EQ(Trunc(2.7L), 2);
    EXPECT_EQ(Trunc(-2.7L), -2);
    EXPECT_EQ(Trunc(1e19L), INT64_MAX);
    EXPECT_EQ(Trunc(std::nanl("")), 0);
    EXPECT_EQ(Ceil(-2.5L), -2);
    EXPECT_EQ(Floor(-2.5L), -3);
    EXPECT_EQ(Int(-2.7L), -2.0L);
    EXPECT_EQ(Frac(-2.75L), -0.75L);
    EXPECT_EQ(Frac(std::numeric_limits<long double>::infinity()), 0);
    EXPECT_TRUE(std::isnan(Frac(std::nanl(""))));
}

TEST(Arith, MulDivRoundsHalvesAwayFromZero) {
    const struct {
        int a, b, c, Expected;
    } cases[] = {
        {1, 3, 2, 2},
        {-1, 3, 2, -2},
        {5, 5, 2, 13},
        {-5, 5, 2, -13},
        {10, 1, 4, 3},
        {-10, 1, 4, -3},
        {10, 1, -4, -3},
        {10, 1, 3, 3},
        {100000, 100000, 7, 1428571429},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, 1, 1, INT_MIN},
        {7, 1, 0, -1},
        {INT_MAX, 2, 1, -1},
        {INT_MIN, 1, -1, -1},
        {100000, 100000, 3, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " * " << c.b << " / " << c.c);
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.Expected);
    }
}

TEST(Arith, DivModTruncates) {
    int q = 0, r = 0;
    DivMod(7, 2, q, r);
    EXPECT_EQ(q, 3);
    EXPECT_EQ(r, 1);
    DivMod(-7, 2, q, r);
    EXPECT_EQ(q, -3);
    EXPECT_EQ(r, -1);
    DivMod(7, -2, q, r);
    EXPECT_EQ(q, -3);
    EXPECT_EQ(r, 1);
    DivMod(INT_MIN, -1, q, r);
    EXPECT_EQ(q, INT_MIN);
    EXPECT_EQ(r, 0);
    try {
        DivMod(1, 0, q, r);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidArgument& e) {
        EXPECT_EQ(e.Message(), "Division by zero");
    }
}

TEST(Arith, SignAndPowers) {
    EXPECT_EQ(Sign(-3), -1);
    EXPECT_EQ(Sign(int64_t{0}), 0);
    EXPECT_EQ(Sign(2.5L), 1);
    EXPECT_EQ(Sign(-0.0L), 0);
    EXPECT_EQ(Sign(std::nanl("")), 0);
    EXPECT_EQ(IntPower(2, 10), 1024);
    EXPECT_EQ(IntPower(2, -2), 0.25L);
    EXPECT_EQ(IntPower(0, 0), 1);
    EXPECT_EQ(IntPower(-1, INT_MIN), 1);
    EXPECT_EQ(IntPower(2, INT_MIN), 0);
    EXPECT_EQ(IntPower(2, 16000), std::ldexp(1.0L, 16000));
    EXPECT_NEAR(static_cast<double>(IntPower(10, 300) / 1e300L), 1.0, 1e-15);
    EXPECT_EQ(Power(0, 0), 1);
    EXPECT_EQ(Power(-2, 3), -8);
    EXPECT_NEAR(static_cast<double>(Power(2, 0.5L)), std::sqrt(2.0), 1e-15);
    EXPECT_TRUE(std::isnan(Power(-8, 1.0L / 3)));
}
