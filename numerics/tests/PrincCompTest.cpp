// Principal components: known axes, the transformed data, the sign convention and refused input.
#include <cmath>
#include <limits>
#include <numbers>

#include <gtest/gtest.h>

#include <qyx/QYX_math2.h>

using namespace qyx;

namespace {

constexpr double Pi = std::numbers::pi;

// N points on an ellipse with semi-axes a and b, turned by angle phi, centred at (cx, cy); the third
// column is 0, as the structure orientation fills it.
TMatrix Ellipse(int n, double a, double b, double phi, double cx, double cy) {
    TMatrix m(3, n);
    for (int i = 1; i <= n; ++i) {
        const double t = 2 * Pi * i / n, u = a * std::cos(t), v = b * std::sin(t);
        m.SetVal(1, i, cx + u * std::cos(phi) - v * std::sin(phi));
        m.SetVal(2, i, cy + u * std::sin(phi) + v * std::cos(phi));
    }
    return m;
}

double Det3(const TPrincComp& p) {
    auto e = [&](int i, int k) { return p.GetEigenResult(i, k); };
    return e(1, 1) * (e(2, 2) * e(3, 3) - e(2, 3) * e(3, 2)) -
           e(1, 2) * (e(2, 1) * e(3, 3) - e(2, 3) * e(3, 1)) +
           e(1, 3) * (e(2, 1) * e(3, 2) - e(2, 2) * e(3, 1));
}

} // namespace

TEST(PrincComp, AxesOfATurnedEllipse) {
    const int n = 36;
    const double phi = Pi / 6;
    TMatrix m = Ellipse(n, 5, 1, phi, 10, -4);
    ASSERT_TRUE(CalcPrincComp(&m, 1, 3, 1, n, 1));
    const double expected[3][3] = {
        {std::cos(phi), std::sin(phi), 0}, {-std::sin(phi), std::cos(phi), 0}, {0, 0, 1}};
    for (int i = 1; i <= 3; ++i)
        for (int k = 1; k <= 3; ++k)
            EXPECT_NEAR(GetEigenResult(i, k), expected[i - 1][k - 1], 1e-12) << i << k;
    EXPECT_EQ(GetEigenResult(0, 1), 0.0);
    EXPECT_EQ(GetEigenResult(1, 4), 0.0);

    // The matrix now holds the centred points; projected on the axes they give the ellipse upright.
    for (int i = 1; i <= n; ++i) {
        double along[3] = {0, 0, 0};
        for (int k = 1; k <= 3; ++k)
            for (int l = 1; l <= 3; ++l) along[k - 1] += m.GetVal(l, i) * GetEigenResult(k, l);
        const double t = 2 * Pi * i / n;
        EXPECT_NEAR(along[0], 5 * std::cos(t), 1e-9);
        EXPECT_NEAR(along[1], std::sin(t), 1e-9);
        EXPECT_NEAR(along[2], 0, 1e-12);
    }
}

TEST(PrincComp, EigenvaluesAreTheVariancesLargestFirst) {
    const int n = 40;
    TMatrix m = Ellipse(n, 3, 2, 1.0, 0, 0);
    TPrincComp p;
    ASSERT_TRUE(p.Calc(&m, 1, 2, 1, n, 1));
    EXPECT_EQ(p.GetNrOfVars(), 2);
    EXPECT_NEAR(p.GetEigenValue(1), 9.0 / 2 * n / (n - 1), 1e-9);
    EXPECT_NEAR(p.GetEigenValue(2), 4.0 / 2 * n / (n - 1), 1e-9);
    EXPECT_EQ(p.GetEigenValue(3), 0.0);
}

TEST(PrincComp, AxesAreAProperRotation) {
    // Long along y: the first axis is the y axis. The drawing must turn, not mirror.
    const int n = 24;
    TMatrix m = Ellipse(n, 4, 1, Pi / 2, 0, 0);
    TPrincComp p;
    ASSERT_TRUE(p.Calc(&m, 1, 3, 1, n, 1));
    EXPECT_NEAR(std::fabs(p.GetEigenResult(1, 2)), 1.0, 1e-12);
    EXPECT_NEAR(Det3(p), 1.0, 1e-12);
    const double det2 =
        p.GetEigenResult(1, 1) * p.GetEigenResult(2, 2) - p.GetEigenResult(1, 2) * p.GetEigenResult(2, 1);
    EXPECT_NEAR(det2, 1.0, 1e-12);

    // Three genuinely spread variables.
    TMatrix s(3, 8);
    const double pts[8][3] = {{1, 2, 0}, {4, 1, 1}, {2, 7, 3}, {8, 3, 2},
                              {5, 5, 9}, {0, 1, 4}, {3, 9, 1}, {6, 2, 6}};
    for (int i = 1; i <= 8; ++i)
        for (int k = 1; k <= 3; ++k) s.SetVal(k, i, pts[i - 1][k - 1]);
    ASSERT_TRUE(p.Calc(&s, 1, 3, 1, 8, 1));
    EXPECT_NEAR(Det3(p), 1.0, 1e-12);
    for (int i = 1; i <= 3; ++i) {
        double len = 0;
        for (int k = 1; k <= 3; ++k) len += p.GetEigenResult(i, k) * p.GetEigenResult(i, k);
        EXPECT_NEAR(len, 1.0, 1e-12);
    }
    EXPECT_GE(p.GetEigenValue(1), p.GetEigenValue(2));
    EXPECT_GE(p.GetEigenValue(2), p.GetEigenValue(3));
}

TEST(PrincComp, CorrelationModeStandardisesTheBlock) {
    // Two variables on scales a thousand apart, perfectly related, beside a column left alone.
    TMatrix m(3, 5);
    for (int i = 1; i <= 5; ++i) {
        m.SetVal(1, i, 77);
        m.SetVal(2, i, i);
        m.SetVal(3, i, 1000.0 * i + 5);
    }
    TPrincComp p;
    ASSERT_TRUE(p.Calc(&m, 2, 3, 1, 5, 2));
    EXPECT_NEAR(p.GetEigenValue(1), 2.0, 1e-12);
    EXPECT_NEAR(p.GetEigenValue(2), 0.0, 1e-12);
    EXPECT_NEAR(p.GetEigenResult(1, 1), std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(p.GetEigenResult(1, 2), std::sqrt(0.5), 1e-12);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(m.GetVal(1, i), 77); // outside the block
        EXPECT_NEAR(m.GetVal(2, i), (i - 3) / std::sqrt(2.5), 1e-12);
        EXPECT_NEAR(m.GetVal(3, i), (i - 3) / std::sqrt(2.5), 1e-12);
    }
}

TEST(PrincComp, RefusedInputLeavesNoResult) {
    TMatrix good = Ellipse(10, 2, 1, 0.3, 0, 0);
    ASSERT_TRUE(CalcPrincComp(&good, 1, 2, 1, 10, 1));
    ASSERT_NE(GetEigenResult(1, 1), 0.0);

    TMatrix withNaN = Ellipse(10, 2, 1, 0.3, 0, 0);
    withNaN.SetVal(1, 5, std::numeric_limits<double>::quiet_NaN());
    struct Case {
        const char* what;
        TMatrix* m;
        int c1, c2, r1, r2, mode;
    } cases[] = {
        {"null matrix", nullptr, 1, 2, 1, 10, 1}, {"column beyond", &good, 1, 4, 1, 10, 1},
        {"column 0", &good, 0, 2, 1, 10, 1},      {"reversed columns", &good, 2, 1, 1, 10, 1},
        {"row beyond", &good, 1, 2, 1, 11, 1},    {"one row", &good, 1, 2, 3, 3, 1},
        {"unknown mode", &good, 1, 2, 1, 10, 3},  {"NaN", &withNaN, 1, 2, 1, 10, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMatrix before;
        if (c.m) before.Clone(c.m);
        EXPECT_FALSE(CalcPrincComp(c.m, c.c1, c.c2, c.r1, c.r2, c.mode));
        EXPECT_EQ(GetEigenResult(1, 1), 0.0);
        if (c.m == nullptr) continue;
        for (int k = 1; k <= 3; ++k) {
            for (int i = 1; i <= 10; ++i) {
                if (!std::isnan(before.GetVal(k, i))) {
                    EXPECT_EQ(c.m->GetVal(k, i), before.GetVal(k, i));
                }
            }
        }
    }
}
