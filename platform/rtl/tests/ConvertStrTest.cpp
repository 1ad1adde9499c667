#include "ConvertTestUtil.h"

#include <qyx/platform/Convert.h>

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <limits>

using namespace qyx;

namespace {

struct TFixedCase {
    long double x;
    int Width, Decimals;
    const char* Expected;
};

struct TExpCase {
    long double x;
    int Width;
    const char* Expected;
};

} // namespace

TEST(ConvertStr, FixedNotation) {
    const TFixedCase cases[] = {
        // exact halves round to the even digit
        {2.5L, 0, 0, "2"},
        {3.5L, 0, 0, "4"},
        {-2.5L, 0, 0, "-2"},
        {0.125L, 0, 2, "0.12"},
        {0.375L, 0, 2, "0.38"},
        // values that only look like halves round by their true binary value
        {0.15, 0, 1, "0.1"},   // 0.14999999999999999444...
        {0.35, 0, 1, "0.3"},   // 0.34999999999999997779...
        {1.005, 0, 2, "1.00"}, // 1.00499999999999989341...
        {2.35, 0, 1, "2.4"},   // 2.35000000000000008881...
        {-0.005, 0, 2, "-0.01"},
        // field width: right-justified, longer when needed, negative counts as 0
        {123.456, 10, 2, "    123.46"},
        {-5, 6, 0, "    -5"},
        {12345.678, 3, 1, "12345.7"},
        {5, -10, 1, "5.0"},
        // no minus sign without a non-zero digit
        {-0.0L, 0, 2, "0.00"},
        {-0.001, 6, 2, "  0.00"},
        // large values print every integer digit
        {1e20L, 0, 0, "100000000000000000000"},
        {1e20L, 0, 2, "100000000000000000000.00"},
        // extended values that no double can hold, with their exact digits
        {0.1L, 0, 25, "0.1000000000000000000013553"},
        {1.0L + 0x1p-60L, 0, 20, "1.00000000000000000087"},
        {0x1p-16382L, 0, 3, "0.000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(Str(c.x, c.Width, c.Decimals), c.Expected);
    }
}

TEST(ConvertStr, ExponentialNotation) {
    const TExpCase cases[] = {
        {123.456, 12, " 1.235E+0002"},
        {-123.456, 12, "-1.235E+0002"},
        {123.456, 22, " 1.2345600000000E+0002"}, // the 22-character full-precision field
        {123.456, 16, " 1.2345600E+0002"},
        {1e-5, 12, " 1.000E-0005"},
        {0, 12, " 0.000E+0000"},
        {-0.0L, 12, " 0.000E+0000"},
        {9.99, 10, " 1.0E+0001"}, // rounding carries into the exponent
        {2.25, 10, " 2.2E+0000"}, // exact half, even digit
        {2.35, 10, " 2.4E+0000"},
        // widths below 10 still give one mantissa digit
        {1.5, 3, " 1.5E+0000"},
        {-1.5, 0, "-1.5E+0000"},
        // the extremes of the extended range and values no double can hold
        {LDBL_MAX, 12, " 1.190E+4932"},
        {LDBL_TRUE_MIN, 15, " 3.645200E-4951"},
        {0.1L, 40, " 1.0000000000000000000135525271561E-0001"},
        {1e4000L, 12, " 1.000E+4000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(Str(c.x, c.Width), c.Expected);
    }
}

TEST(ConvertStr, DefaultWidthGivesFifteenSignificantDigits) {
    EXPECT_EQ(Str(1.0L), " 1.00000000000000E+0000");
    EXPECT_EQ(Str(-123.456L), "-1.23456000000000E+0002");
    EXPECT_EQ(Str(1.0L).size(), static_cast<size_t>(StrDefaultWidth));
}

TEST(ConvertStr, NegativeDecimalsGiveTheExponentialForm) {
    EXPECT_EQ(Str(123.456, 22, -1), Str(123.456, 22));
    EXPECT_EQ(Str(123.456, 12, -2), " 1.235E+0002");
}

TEST(ConvertStr, NotANumberAndInfinities) {
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(Str(std::nanl(""), 6, 2), "   Nan");
    EXPECT_EQ(Str(inf, 0, 2), "+Inf");
    EXPECT_EQ(Str(-inf, 10), "      -Inf");
    EXPECT_EQ(Str(inf), "                   +Inf");
}

TEST(ConvertStr, UnsupportedExtendedEncodings) {
    // An unnormal (exponent set, integer bit clear) and a pseudo-infinity are not numbers.
    EXPECT_EQ(Str(test::Extended(0x3FFF, 0x4000000000000000ull), 0, 2), "Nan");
    EXPECT_EQ(Str(test::Extended(0x7FFF, 0), 0, 2), "Nan");
    // A pseudo-denormal stands for the same value with exponent 1: 2^-16382.
    EXPECT_EQ(Str(test::Extended(0x0000, 0x8000000000000000ull), 12), " 3.362E-4932");
    EXPECT_EQ(Str(test::Extended(0x8000, 0x8000000000000000ull), 12), "-3.362E-4932");
}

TEST(ConvertStr, LargestExtendedPrintsEveryDigit) {
    const std::string s = Str(LDBL_MAX, 0, 0);
    ASSERT_EQ(s.size(), 4933u);
    EXPECT_EQ(s.substr(0, 20), "11897314953572317650");
    EXPECT_EQ(s.substr(s.size() - 10), "1989770240");
}

TEST(ConvertStr, HugeArgumentsAreBounded) {
    EXPECT_EQ(Str(1, 0, 1000000).size(), 2u + StrMaxDigits);
    EXPECT_EQ(Str(1, 1000000, 0).size(), static_cast<size_t>(StrMaxDigits));
    EXPECT_EQ(Str(1, 1000000).size(), static_cast<size_t>(StrMaxDigits));
}

TEST(ConvertStr, FixedDotStrIgnoresTheDecimalSeparator) {
    test::TSeparatorScope comma(',');
    EXPECT_EQ(FixedDotStr(-12.5, 3), "-12.500");
    EXPECT_EQ(FixedDotStr(12.5, 0), "12");
    EXPECT_EQ(FixedDotStr(13.5, 0), "14");
    EXPECT_EQ(FixedDotStr(47.123456789, 5), "47.12346");
    EXPECT_EQ(FixedDotStr(0.5, -1), "0");
    EXPECT_EQ(Str(1.5, 0, 1), "1.5");
}

TEST(ConvertStr, OutputDoesNotDependOnTheRoundingMode) {
    const int old = std::fegetround();
    std::fesetround(FE_UPWARD);
    const std::string fixed = Str(2.5, 0, 0);
    const std::string exp = Str(2.25, 10);
    std::fesetround(old);
    EXPECT_EQ(fixed, "2");
    EXPECT_EQ(exp, " 2.2E+0000");
}

TEST(ConvertStr, ExponentialDigitsReadBackExactly) {
    // 21 significant digits identify every extended value; Str with width 29 prints 21.
    const long double values[] = {0.1L,     1.0L / 3,      2.0L / 3,  1e-4000L,        1e4000L,
                                  LDBL_MAX, LDBL_TRUE_MIN, -LDBL_MIN, 1.0L + 0x1p-63L, 123456789.123456789L};
    for (long double x : values) {
        const std::string s = Str(x, 29);
        SCOPED_TRACE(s);
        long double back = 0;
        int code = -1;
        Val(s, back, code);
        EXPECT_EQ(code, 0);
        EXPECT_EQ(back, x);
    }
}
