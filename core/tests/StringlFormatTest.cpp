// Number, time and Boolean formatting of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/Convert.h>

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

using namespace qyx;

namespace {

struct TNumCase {
    long double x;
    int Width;
    int Decimals;
    const char* Expected;
};

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double Inf = std::numeric_limits<long double>::infinity();

} // namespace

TEST(StringlFormat, Strff) {
    const TNumCase cases[] = {
        // Fixed notation, rounded halves to even, field grows when needed.
        {3.14159L, 8, 2, "    3.14"},
        {2.5L, 3, 0, "  2"},
        {3.5L, 3, 0, "  4"},
        {-1.5L, 0, 1, "-1.5"},
        {12345.678L, 3, 1, "12345.7"},
        {-0.001L, 6, 2, "  0.00"},
        // Zero padding with the sign moved to the front.
        {-5, -6, 0, "-00005"},
        {5, -6, 0, "000005"},
        {-5, -2, 0, "-5"},
        {-12.5L, -8, 2, "-0012.50"},
        // Exponential form: w - 7 mantissa digits, four exponent digits cut to two.
        {123.456L, 10, -2, " 1.235E+02"},
        {-123.456L, 10, -2, "-1.235E+02"},
        {123.456L, 12, -2, " 1.23456E+02"},
        {0, 10, -2, " 0.000E+00"},
        {1e99L, 10, -2, " 1.000E+99"},
        {9.9996e98L, 10, -2, " 1.000E+99"},
        {1e-5L, 9, -2, " 1.00E-05"},
        {123.456L, -12, -2, "01.23456E+02"},
        // Exponents of three or more digits give w stars.
        {1e150L, 10, -2, "**********"},
        {1e100L, 9, -2, "*********"},
        {1e-150L, 10, -2, "**********"},
        {1e4000L, -6, -2, "******"},
        // Widths too small for a mantissa digit still show one.
        {123.456L, 5, -2, " 1.2E+02"},
        {123.456L, 0, -2, " 1.2E+02"},
        // Negative decimals other than -2 count as 0.
        // Other negative decimals: the full exponential form, at least one mantissa digit.
        {123.456L, 22, -1, " 1.2345600000000E+0002"},
        {-2.5e-10L, 22, -1, "-2.5000000000000E-0010"},
        {2.7L, 4, -3, " 2.7E+0000"},
        // Not-a-number and infinities keep their text, never zero-padded.
        {NaN, 6, 2, "   Nan"},
        {NaN, 6, -2, "   Nan"},
        {NaN, -6, 2, "   Nan"},
        {-Inf, 5, 0, " -Inf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.x)) + " w=" + std::to_string(c.Width) +
                     " d=" + std::to_string(c.Decimals));
        EXPECT_EQ(strff(c.x, c.Width, c.Decimals), c.Expected);
    }
}

TEST(StringlFormat, StrffHugeArgumentsStayBounded) {
    constexpr size_t widest = 19998;
    for (int w : {INT_MIN, INT_MAX, -INT_MAX, 100000}) {
        SCOPED_TRACE(w);
        const std::string fixed = strff(1.5L, w, 2);
        EXPECT_EQ(fixed.size(), widest);
        EXPECT_EQ(fixed.substr(fixed.size() - 4), "1.50");
        const std::string expo = strff(1.5L, w, -2);
        EXPECT_EQ(expo.size(), widest);
        EXPECT_EQ(expo.substr(expo.size() - 4), "E+00");
        EXPECT_EQ(strff(1e300L, w, -2), std::string(widest, '*'));
    }
    EXPECT_EQ(strff(1, 1, INT_MAX).size(), static_cast<size_t>(StrMaxDigits) + 2);
    EXPECT_EQ(strff(1, 1, INT_MIN), " 1.0E+0000");
}

TEST(StringlFormat, StrffForcePlus) {
    const TNumCase cases[] = {
        {5, 4, 0, "  +5"},
        {5, -4, 0, "+005"},
        {12, 1, 0, "+12"},
        {0.5L, 1, 1, "+0.5"},
        {0.5L, -3, 1, "+0.5"},
        {-5, 4, 0, "  -5"},
        {-5, -4, 0, "-005"},
        {123.456L, 10, -2, "+1.235E+02"},
        {123.456L, -10, -2, "+1.235E+02"},
        {-123.456L, 10, -2, "-1.235E+02"},
        // A lone zero is the value, not padding: the sign goes in front.
        {0, -1, 0, "+0"},
        {0, -2, 0, "+0"},
        {0, 3, 0, " +0"},
        {Inf, 5, 0, " +Inf"},
        {NaN, 4, 0, " Nan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.x)) + " w=" + std::to_string(c.Width) +
                     " d=" + std::to_string(c.Decimals));
        EXPECT_EQ(strffForcePlus(c.x, c.Width, c.Decimals), c.Expected);
    }
}

TEST(StringlFormat, FormatData) {
    const TNumCase cases[] = {
        {0, 8, 3, "   0.000"},
        {0.0001L, 8, 3, " 1.0000000E-04"},
        {0.001L, 8, 3, "   0.001"},
        {123.456L, 10, 2, "    123.46"},
        {-123.456L, 10, 2, "   -123.46"},
        {999999999, 12, 0, "   999999999"},
        {1e9L, 12, 0, " 1.00000000000E+09"},
        {0.5L, 6, 0, " 5.00000E-01"},
        {9.9999999L, 12, 7, "   9.9999999"},
        {10, 12, 7, " 1.00000000000E+01"},
        {0.5L, 12, 8, "  0.50000000"},
        {1, 12, 8, " 1.00000000000E+00"},
        {1.5L, 8, 9, " 1.5000000E+00"},
        {1.5L, 8, -1, " 1.5000000E+00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.x)) + " w=" + std::to_string(c.Width) +
                     " d=" + std::to_string(c.Decimals));
        EXPECT_EQ(FormatData(static_cast<double>(c.x), c.Width, c.Decimals), c.Expected);
    }
    EXPECT_EQ(FormatData(1e300, INT_MAX, 2), std::string(19998, '*'));
}

TEST(StringlFormat, TimeString) {
    struct TCase {
        double Secs;
        int Format;
        const char* Expected;
    };
    const TCase cases[] = {
        {3725.5, 0, "01:02:05.50"},
        {3725.5, 1, "01:02:05"},
        {3725.5, 2, " 1h02"},
        {3725.5, 3, " 1h02'05\""},
        {3725.5, 4, "01:02"},
        {3725.5, 5, " 1:02a"},
        {3725.5, 6, ""},
        {3725.5, 255, ""},
        {-3, 1, "00:00:00"},
        {std::numeric_limits<double>::quiet_NaN(), 1, "00:00:00"},
        {0.29, 0, "00:00:00.28"},
        {400000, 1, "111:06:40"},
        {400000, 2, "111h06"},
        {0, 5, "12:00a"},
        {12 * 3600.0, 5, "12:00p"},
        {13 * 3600.0 + 60, 5, " 1:01p"},
        {23 * 3600.0 + 59 * 60, 5, "11:59p"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Secs) + " format " + std::to_string(c.Format));
        EXPECT_EQ(TimeString(c.Secs, static_cast<uint8_t>(c.Format)), c.Expected);
    }
    // Durations beyond any clock stay readable and bounded.
    for (double huge : {1e300, std::numeric_limits<double>::infinity()}) {
        const std::string t = TimeString(huge, 0);
        EXPECT_LT(t.size(), 40u);
        EXPECT_EQ(t.find('-'), std::string::npos);
    }
}

TEST(StringlFormat, BoolToStr) {
    const char* const texts[][2] = {{"FALSE", "TRUE"}, {"F", "T"},  {".F.", ".T."},
                                    {"0", "1"},        {"0", "-1"}, {"00", "FF"}};
    for (int mode = 0; mode < 6; ++mode) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(BoolToStr(false, mode), texts[mode][0]);
        EXPECT_EQ(BoolToStr(true, mode), texts[mode][1]);
    }
    for (int mode : {-1, 6, INT_MAX}) {
        EXPECT_EQ(BoolToStr(true, mode), "TRUE");
        EXPECT_EQ(BoolToStr(false, mode), "FALSE");
    }
}
