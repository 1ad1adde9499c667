// MultiLinReg: exact planes and surfaces, residuals, and designs it must refuse.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include <qyx/QYX_math2.h>

using namespace qyx;

namespace {

// The six columns of a biquadratic surface in two variables: 1, u, v, u², u·v, v².
void BiquadraticRow(TMatrix& m, int row, double u, double v) {
    const double cols[] = {1, u, v, u * u, u * v, v * v};
    for (int c = 1; c <= 6; ++c) m.SetVal(c, row, cols[c - 1]);
}

} // namespace

TEST(MultiLinReg, NoiselessPlaneIsExact) {
    // z = 1.5 a - 2 b + 0.75 c over an irregular set of points.
    const double pts[][3] = {{1, 0, 2}, {0, 1, 1}, {3, 2, 0}, {-1, 4, 2}, {2, -3, 5}, {0.5, 0.5, -1}};
    TMatrix a(3, 6);
    TVector z(6);
    for (int i = 1; i <= 6; ++i) {
        for (int c = 1; c <= 3; ++c) a.SetVal(c, i, pts[i - 1][c - 1]);
        z.SetVal(i, 1.5 * pts[i - 1][0] - 2 * pts[i - 1][1] + 0.75 * pts[i - 1][2]);
    }
    TMatrix copy;
    copy.Clone(&a);
    TVector coef, resid;
    ASSERT_TRUE(MultiLinReg(&a, &z, &coef, &resid));
    ASSERT_EQ(coef.GetNrOfElem(), 3);
    EXPECT_NEAR(coef.GetVal(1), 1.5, 1e-12);
    EXPECT_NEAR(coef.GetVal(2), -2.0, 1e-12);
    EXPECT_NEAR(coef.GetVal(3), 0.75, 1e-12);
    ASSERT_EQ(resid.GetNrOfElem(), 6);
    for (int i = 1; i <= 6; ++i) EXPECT_NEAR(resid.GetVal(i), 0.0, 1e-12);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 6; ++r) EXPECT_EQ(a.GetVal(c, r), copy.GetVal(c, r)); // input untouched
}

TEST(MultiLinReg, MapCalibrationSurfaces) {
    // Latitude as a biquadratic function of pixels, and pixels as one of degrees over a small area:
    // columns of very different size and strongly correlated.
    const double lat[] = {46.2, 0.0003, -0.0011, 1e-8, 2e-9, -3e-8};
    const double px[] = {-912345.0, 1520.5, 20410.25, -3.5, 12.0, 40.0};
    const int pixels[][2] = {{12, 30},   {1490, 45}, {1510, 1180}, {40, 1160},
                             {760, 610}, {300, 900}, {1200, 300}};
    TMatrix byPixel(6, 7), byDegree(6, 7);
    TVector latitude(7), column(7);
    for (int i = 1; i <= 7; ++i) {
        const double x = pixels[i - 1][0], y = pixels[i - 1][1];
        BiquadraticRow(byPixel, i, x, y);
        double v = 0;
        for (int c = 1; c <= 6; ++c) v += lat[c - 1] * byPixel.GetVal(c, i);
        latitude.SetVal(i, v);
        const double la = 46.9 + y * 1e-4, lo = 15.3 + x * 1e-4; // about 0.15 x 0.12 degrees
        BiquadraticRow(byDegree, i, la, lo);
        v = 0;
        for (int c = 1; c <= 6; ++c) v += px[c - 1] * byDegree.GetVal(c, i);
        column.SetVal(i, v);
    }
    TVector c1, c2;
    ASSERT_TRUE(MultiLinReg(&byPixel, &latitude, &c1, nullptr));
    for (int c = 1; c <= 6; ++c)
        EXPECT_NEAR(c1.GetVal(c), lat[c - 1], 1e-9 * std::fabs(lat[c - 1]) + 1e-12) << c;
    ASSERT_TRUE(MultiLinReg(&byDegree, &column, &c2, nullptr));
    for (int i = 1; i <= 7; ++i) { // the fitted surface reproduces the pixels
        double v = 0;
        for (int c = 1; c <= 6; ++c) v += c2.GetVal(c) * byDegree.GetVal(c, i);
        EXPECT_NEAR(v, column.GetVal(i), 1e-4) << i;
    }
}

TEST(MultiLinReg, ResidualsAreOrthogonalToTheColumns) {
    TMatrix a(2, 5);
    TVector y(5);
    const double x[] = {1, 2, 3, 4, 5}, obs[] = {1.1, 1.9, 3.2, 3.8, 5.3};
    for (int i = 1; i <= 5; ++i) {
        a.SetVal(1, i, 1);
        a.SetVal(2, i, x[i - 1]);
        y.SetVal(i, obs[i - 1]);
    }
    TVector coef, resid;
    ASSERT_TRUE(MultiLinReg(&a, &y, &coef, &resid));
    EXPECT_NEAR(coef.GetVal(1), -0.03, 1e-12); // the ordinary line fit of these points
    EXPECT_NEAR(coef.GetVal(2), 1.03, 1e-12);
    for (int c = 1; c <= 2; ++c) {
        double dot = 0;
        for (int i = 1; i <= 5; ++i) dot += a.GetVal(c, i) * resid.GetVal(i);
        EXPECT_NEAR(dot, 0.0, 1e-12);
    }
}

TEST(MultiLinReg, RefusesSingularAndBadInput) {
    auto design = [](int cols, int rows) {
        TMatrix m(cols, rows);
        for (int c = 1; c <= cols; ++c)
            for (int r = 1; r <= rows; ++r) m.SetVal(c, r, std::sin(c * 1.3 + r * r * 0.7) + c);
        return m;
    };
    TVector y(6);
    for (int i = 1; i <= 6; ++i) y.SetVal(i, i * 0.5);

    TMatrix collinear = design(3, 6);
    for (int r = 1; r <= 6; ++r)
        collinear.SetVal(3, r, 2 * collinear.GetVal(1, r) - 0.3 * collinear.GetVal(2, r));
    TMatrix zeroColumn = design(3, 6);
    for (int r = 1; r <= 6; ++r) zeroColumn.SetVal(2, r, 0);
    TMatrix withNaN = design(3, 6);
    withNaN.SetVal(2, 4, std::numeric_limits<double>::quiet_NaN());
    TMatrix tooFewRows = design(3, 2);
    TMatrix sameRows(6, 6); // calibration points all at one pixel
    for (int r = 1; r <= 6; ++r) BiquadraticRow(sameRows, r, 100, 200);
    TMatrix empty;
    TMatrix good = design(3, 6);

    struct Case {
        const char* what;
        TMatrix* m;
        TVector* v;
    } cases[] = {
        {"collinear columns", &collinear, &y},
        {"zero column", &zeroColumn, &y},
        {"NaN", &withNaN, &y},
        {"fewer rows than columns", &tooFewRows, &y},
        {"repeated points", &sameRows, &y},
        {"empty design", &empty, &y},
        {"null vector", &good, nullptr},
        {"null matrix", nullptr, &y},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TVector out(2), resid(1);
        out.SetVal(1, 42);
        EXPECT_FALSE(MultiLinReg(c.m, c.v, &out, &resid));
        EXPECT_EQ(out.GetNrOfElem(), 2); // outputs untouched
        EXPECT_EQ(out.GetVal(1), 42);
        EXPECT_EQ(resid.GetNrOfElem(), 1);
    }
    TVector shortVec(5);
    TVector out;
    EXPECT_FALSE(MultiLinReg(&good, &shortVec, &out, nullptr));
    EXPECT_FALSE(MultiLinReg(&good, &y, nullptr, nullptr));
    EXPECT_TRUE(MultiLinReg(&good, &y, &out, nullptr));
}
