// The mathematical constants, the numeric ranges and the table of logarithms of factorials.
#include <qyx/QYX_univconst.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numbers>

using namespace qyx;

TEST(UnivConst, MathematicalConstantsAreTheNearestExtendedValues) {
    // The nearest 64-bit-significand value of each constant, as significand and binary exponent,
    // computed with 80-digit arithmetic.
    struct Case {
        const char* Name;
        long double Value;
        long double Nearest;
    };
    const Case cases[] = {
        {"uc_e", uc_e, 0xADF85458A2BB4A9Bp-62L},
        {"uc_etom1", uc_etom1, 0xBC5AB1B16779BE35p-65L},
        {"uc_lg2", uc_lg2, 0x9A209A84FBCFF799p-65L},
        {"uc_lg5", uc_lg5, 0xB2EFB2BD82180434p-64L},
        {"uc_lge", uc_lge, 0xDE5BD8A937287195p-65L},
        {"uc_lgPi", uc_lgPi, 0xFE8A6D98DD1DD806p-65L},
        {"uc_ln10", uc_ln10, 0x935D8DDDAAA8AC17p-62L},
        {"uc_ln2", uc_ln2, 0xB17217F7D1CF79ACp-64L},
        {"uc_lnPi", uc_lnPi, 0x928682473D0DE85Fp-63L},
        {"uc_PiH", uc_PiH, 0xC90FDAA22168C235p-63L},
        {"uc_PiSqr", uc_PiSqr, 0x9DE9E64DF22EF2D2p-60L},
        {"uc_Pitom1", uc_Pitom1, 0xA2F9836E4E44152Ap-65L},
        {"uc_sqrt2", uc_sqrt2, 0xB504F333F9DE6484p-63L},
        {"uc_sqrt2pi", uc_sqrt2pi, 0xA06C98FFB1382CB3p-62L},
        {"uc_sqrt2pitom1", uc_sqrt2pitom1, 0xCC42299EA1B28468p-65L},
        {"uc_GoldenR", uc_GoldenR, 0xCF1BBCDCBFA53E0Bp-63L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Value, c.Nearest);
    }
    // The standard library's constants are the nearest values too.
    EXPECT_EQ(uc_e, std::numbers::e_v<long double>);
    EXPECT_EQ(uc_ln2, std::numbers::ln2_v<long double>);
    EXPECT_EQ(uc_ln10, std::numbers::ln10_v<long double>);
    EXPECT_EQ(uc_lge, std::numbers::log10e_v<long double>);
    EXPECT_EQ(uc_Pitom1, std::numbers::inv_pi_v<long double>);
    EXPECT_EQ(uc_sqrt2, std::numbers::sqrt2_v<long double>);
    EXPECT_EQ(uc_GoldenR, std::numbers::phi_v<long double>);
    // And they agree with the library functions to the last bit or one step off.
    const long double pi = std::numbers::pi_v<long double>;
    const struct {
        long double Value, Computed;
    } computed[] = {{uc_etom1, 1 / std::exp(1.0L)},
                    {uc_lg2, std::log10(2.0L)},
                    {uc_lg5, std::log10(5.0L)},
                    {uc_lgPi, std::log10(pi)},
                    {uc_lnPi, std::log(pi)},
                    {uc_PiH, pi / 2},
                    {uc_PiSqr, pi * pi},
                    {uc_sqrt2pi, std::sqrt(2 * pi)},
                    {uc_sqrt2pitom1, 1 / std::sqrt(2 * pi)}};
    for (const auto& c : computed)
        EXPECT_LE(std::fabs(c.Value - c.Computed), std::fabs(std::nextafter(c.Value, 0.0L) - c.Value));
}

TEST(UnivConst, NumericRanges) {
    EXPECT_EQ(uc_MinDouble, static_cast<long double>(std::numeric_limits<double>::denorm_min()));
    EXPECT_EQ(static_cast<double>(uc_MinDouble), 4.9406564584124654e-324);
    EXPECT_EQ(uc_MinExtended, std::numeric_limits<long double>::denorm_min());
    EXPECT_GT(uc_MinExtended, 0.0L);
    EXPECT_NEAR(static_cast<double>(uc_MinExtended * 1e4900L * 1e50L), 0.3645, 1e-4);
    EXPECT_EQ(uc_MaxExtended, 1.1E+4932L);
    EXPECT_LT(uc_MaxExtended, std::numeric_limits<long double>::max());
    EXPECT_EQ(uc_MinReal, 2.9E-39L);
    EXPECT_EQ(uc_MaxReal, 1.7E+38L);
    EXPECT_EQ(uc_MinSingle, 1.5E-45L);
    EXPECT_EQ(uc_MaxSingle, 3.4E+38L);
    EXPECT_LT(uc_MaxSingle, static_cast<long double>(FLT_MAX));
    EXPECT_GT(uc_MinSingle, static_cast<long double>(std::numeric_limits<float>::denorm_min()));
    static_assert(sizeof(uc_e) == sizeof(long double) && std::numeric_limits<long double>::digits == 64);
}

TEST(UnivConst, LnFactorialTable) {
    EXPECT_EQ(uc_LnFactorial[0], 0.0);
    EXPECT_EQ(uc_LnFactorial[1], 0.0);
    EXPECT_EQ(uc_LnFactorial[2], 0.693147180559945);
    EXPECT_EQ(uc_LnFactorial[3], 1.79175946922806);
    EXPECT_EQ(uc_LnFactorial[10], 15.1044125730755);
    EXPECT_EQ(uc_LnFactorial[1000], 5912.12817848816);
    EXPECT_EQ(uc_LnFactorial.size(), 1001u);
    // Every entry is ln(n!) rounded to 15 significant digits: the extended-precision log-gamma
    // value printed with 15 digits reads back as the same double.
    char text[64];
    for (int n = 2; n <= 1000; ++n) {
        std::snprintf(text, sizeof text, "%.14Le", std::lgamma(static_cast<long double>(n) + 1));
        ASSERT_EQ(uc_LnFactorial[n], std::strtod(text, nullptr)) << "n = " << n;
        // Consecutive entries differ by ln n, up to the rounding of both.
        ASSERT_NEAR(uc_LnFactorial[n] - uc_LnFactorial[n - 1], std::log(n), 1e-11) << "n = " << n;
    }
}
