// TCurveFit: exact and published fits, degenerate data, and the statistics S1 .. S7.
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_math2.h>

using namespace qyx;

namespace {

// Anscombe's quartet, data sets I and II (they share the X values).
const std::vector<double> AnscombeX{10, 8, 13, 9, 11, 14, 6, 4, 12, 7, 5};
const std::vector<double> AnscombeY1{8.04, 6.95, 7.58, 8.81, 8.33, 9.96, 7.24, 4.26, 10.84, 4.82, 5.68};
const std::vector<double> AnscombeY2{9.14, 8.14, 8.74, 8.77, 9.26, 8.10, 6.13, 3.10, 9.13, 7.26, 4.74};

void Enter(TCurveFit& f, const std::vector<double>& x, const std::vector<double>& y) {
    f.Init();
    for (size_t i = 0; i < x.size(); ++i) f.EnterStatValue(x[i], y[i]);
}

struct TStats {
    int n = -1;
    double s[8] = {};
};

TStats Stats(const TCurveFit& f) {
    TStats r;
    f.CalcStatistics(r.n, r.s[1], r.s[2], r.s[3], r.s[4], r.s[5], r.s[6], r.s[7]);
    return r;
}

} // namespace

TEST(CurveFit, NoiselessLinesAreExact) {
    struct Case {
        double k, d;
        std::vector<double> x;
    } cases[] = {
        {2.5, -7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {-0.001, 6378000, {0, 1000, 2000, 3000}},
        {1e-3, 0.5, {-1e4, 3, 1e4 + 1}},
        {0, 4, {1, 2}},
    };
    TCurveFit f;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "k " << c.k << " d " << c.d);
        f.Init();
        for (double x : c.x) f.EnterStatValue(x, c.k * x + c.d);
        double k = 0, d = 0, q = 0;
        ASSERT_TRUE(f.CalcLinFit(k, d, q));
        EXPECT_NEAR(k, c.k, 1e-12 * (1 + std::fabs(c.k)));
        EXPECT_NEAR(d, c.d, 1e-9 * (1 + std::fabs(c.d)));
        EXPECT_DOUBLE_EQ(q, 1.0);
    }
}

TEST(CurveFit, NoiselessParabolasAreExact) {
    struct Case {
        double a0, a1, a2;
        std::vector<double> x;
    } cases[] = {
        {3, -0.5, 0.25, {-2, -1, 0, 1, 2}},
        {120, 0.05, -2e-5, {35, 410, 800, 1210, 1600}}, // a graticule line in map pixels
        {0, 0, 1, {1, 2, 3}},
    };
    TCurveFit f;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a0 << " " << c.a1 << " " << c.a2);
        f.Init();
        for (double x : c.x) f.EnterStatValue(x, c.a0 + c.a1 * x + c.a2 * x * x);
        double a0 = 0, a1 = 0, a2 = 0, q = 0;
        ASSERT_TRUE(f.CalcParabolFit(a0, a1, a2, q));
        EXPECT_NEAR(a0, c.a0, 1e-8 * (1 + std::fabs(c.a0)));
        EXPECT_NEAR(a1, c.a1, 1e-10);
        EXPECT_NEAR(a2, c.a2, 1e-12);
        EXPECT_NEAR(q, 1.0, 1e-12);
    }
}

TEST(CurveFit, AnscombeQuartetKnownAnswers) {
    TCurveFit f;
    Enter(f, AnscombeX, AnscombeY1);
    double k = 0, d = 0, q = 0;
    ASSERT_TRUE(f.CalcLinFit(k, d, q));
    EXPECT_NEAR(k, 0.500091, 1e-6);
    EXPECT_NEAR(d, 3.000091, 1e-6);
    EXPECT_NEAR(q, 0.666542, 1e-6);

    Enter(f, AnscombeX, AnscombeY2); // data set II lies on a parabola
    double a0 = 0, a1 = 0, a2 = 0;
    ASSERT_TRUE(f.CalcParabolFit(a0, a1, a2, q));
    EXPECT_NEAR(a0, -5.995734, 1e-6);
    EXPECT_NEAR(a1, 2.780839, 1e-6);
    EXPECT_NEAR(a2, -0.126713, 1e-6);
    EXPECT_GT(q, 0.999);
}

TEST(CurveFit, TooFewDistinctAbscissasFail) {
    TCurveFit f;
    double k = 9, d = 9, q = 9, a0 = 9, a1 = 9, a2 = 9;
    EXPECT_FALSE(f.CalcLinFit(k, d, q)); // empty
    EXPECT_EQ(k, 0);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(q, 0);
    EXPECT_FALSE(f.CalcParabolFit(a0, a1, a2, q));
    EXPECT_EQ(a0, 0);

    // A vertical line: every X the same.
    for (double y : {1.0, 2.0, 6.0}) f.EnterStatValue(0.1, y);
    EXPECT_FALSE(f.CalcLinFit(k, d, q));
    EXPECT_EQ(k, 0);
    EXPECT_DOUBLE_EQ(d, 3.0);
    f.EnterStatValue(0.2, 5);
    EXPECT_TRUE(f.CalcLinFit(k, d, q));
    EXPECT_FALSE(f.CalcParabolFit(a0, a1, a2, q)); // two distinct X only
    EXPECT_EQ(a1, 0);
    EXPECT_EQ(a2, 0);
    EXPECT_DOUBLE_EQ(a0, 3.5);
}

TEST(CurveFit, NonFinitePairsAreIgnored) {
    TCurveFit f;
    f.EnterStatValue(1, 1);
    f.EnterStatValue(std::numeric_limits<double>::quiet_NaN(), 2);
    f.EnterStatValue(2, std::numeric_limits<double>::infinity());
    f.EnterStatValue(3, 3);
    EXPECT_EQ(f.GetNumData(), 2);
    double k = 0, d = 0, q = 0;
    EXPECT_TRUE(f.CalcLinFit(k, d, q));
    EXPECT_DOUBLE_EQ(k, 1);
    f.Init();
    EXPECT_EQ(f.GetNumData(), 0);
}

TEST(CurveFit, StatisticsOfKnownData) {
    TCurveFit f;
    Enter(f, {1, 2, 3, 4, 5}, {2, 4, 6, 8, 10});
    TStats s = Stats(f);
    EXPECT_EQ(s.n, 5);
    EXPECT_DOUBLE_EQ(s.s[1], 3);
    EXPECT_DOUBLE_EQ(s.s[2], 6);
    EXPECT_DOUBLE_EQ(s.s[3], std::sqrt(2.5));
    EXPECT_DOUBLE_EQ(s.s[4], std::sqrt(10.0));
    EXPECT_DOUBLE_EQ(s.s[5], 5);
    EXPECT_DOUBLE_EQ(s.s[6], std::sqrt(11.0));
    EXPECT_DOUBLE_EQ(s.s[7], 1);

    Enter(f, AnscombeX, AnscombeY1);
    s = Stats(f);
    EXPECT_EQ(s.n, 11);
    EXPECT_DOUBLE_EQ(s.s[1], 9);
    EXPECT_NEAR(s.s[2], 7.500909, 1e-6);
    EXPECT_NEAR(s.s[3], 3.316625, 1e-6);
    EXPECT_NEAR(s.s[4], 2.031568, 1e-6);
    EXPECT_NEAR(s.s[5], 5.501, 1e-9);
    EXPECT_NEAR(s.s[7], 0.816421, 1e-6);
}

TEST(CurveFit, CorrelationS7AtItsLimits) {
    // How calibration quality is read: measured pixels against the pixels the model gives back.
    TCurveFit f;
    Enter(f, {10, 250, 480, 700}, {10, 250, 480, 700});
    EXPECT_DOUBLE_EQ(Stats(f).s[7], 1.0);
    EXPECT_EQ(Stats(f).s[6], 0.0);
    Enter(f, {10, 250, 480, 700}, {12, 247, 483, 698});
    EXPECT_GT(Stats(f).s[7], 0.9999);
    EXPECT_LT(Stats(f).s[7], 1.0);
    Enter(f, {1, 2, 3}, {3, 2, 1});
    EXPECT_DOUBLE_EQ(Stats(f).s[7], -1.0);

    // Nothing to correlate: no pairs, one pair, or a constant side.
    for (const auto& [x, y] : {std::pair<std::vector<double>, std::vector<double>>{{}, {}},
                               {{5}, {7}},
                               {{1, 2, 3}, {4, 4, 4}},
                               {{2, 2}, {1, 3}}}) {
        SCOPED_TRACE(x.size());
        Enter(f, x, y);
        const TStats s = Stats(f);
        EXPECT_EQ(s.n, static_cast<int>(x.size()));
        EXPECT_EQ(s.s[7], 0.0);
        EXPECT_TRUE(std::isfinite(s.s[3]) && std::isfinite(s.s[5]) && std::isfinite(s.s[6]));
    }
}
