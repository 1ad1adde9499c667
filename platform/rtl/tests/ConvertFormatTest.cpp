#include "ConvertTestUtil.h"

#include <qyx/platform/Convert.h>
#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

using namespace qyx;

TEST(ConvertIntToText, DecimalAndHexadecimal) {
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToStr(uint64_t{18446744073709551615ull}), "18446744073709551615");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
    EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFF");
    EXPECT_EQ(IntToHex(int64_t{-1}, 1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(int16_t{-1}, 1), "FFFF");
    EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST(ConvertFloatToStr, GeneralFormat) {
    const struct {
        long double x;
        const char* Expected;
    } cases[] = {
        {0, "0"},
        {-0.0L, "0"},
        {1.5, "1.5"},
        {-1.5, "-1.5"},
        {0.1, "0.1"},
        {0.3, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {100, "100"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E+15"},
        {999999999999999.9, "1E+15"}, // rounds up to 16 integer digits
        {123456789012345678.0, "1.23456789012346E+17"},
        {1e-5, "0.00001"},
        {0.000012345, "0.000012345"},
        {1e-6, "1E-6"},
        {-1.5e-7, "-1.5E-7"},
        {1e20, "1E+20"},
        {LDBL_MAX, "1.18973149535723E+4932"},
        {std::nanl(""), "NAN"},
        {std::numeric_limits<long double>::infinity(), "INF"},
        {-std::numeric_limits<long double>::infinity(), "-INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(FloatToStr(c.x), c.Expected);
    }
    test::TSeparatorScope comma(',');
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FloatToStr(-2.5e-10), "-2,5E-10");
}

TEST(ConvertFloatToStrF, Formats) {
    EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1.234E+03"); // exact half, even digit
    EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 1, 0), "1E+3");
    EXPECT_EQ(FloatToStrF(1234.5, ffFixed, 15, 1), "1234.5");
    EXPECT_EQ(FloatToStrF(1234.5, ffFixed, 3, 1), "1.23E+3"); // more integer digits than Precision
    EXPECT_EQ(FloatToStrF(-1234567.891, ffNumber, 15, 2), "-1,234,567.89");
    EXPECT_EQ(FloatToStrF(123456, ffNumber, 15, 0), "123,456");
    EXPECT_EQ(FloatToStrF(123, ffNumber, 15, 0), "123");
    EXPECT_EQ(FloatToStrF(1e20, ffGeneral, 15, 3), "1E+020");
    EXPECT_EQ(FloatToStrF(0.1f, ffGeneral, 7, 0), "0.1");
    EXPECT_EQ(FloatToStrF(2.0 / 3, ffGeneral, 99, 0), "0.66666666666666663"); // 18 digits at most
}

namespace {

struct TFormatCase {
    const char* Fmt;
    std::vector<TVarRec> Args;
    const char* Expected;
};

} // namespace

TEST(ConvertFormat, Specifiers) {
    const TFormatCase cases[] = {
        // integers
        {"%d", {42}, "42"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%.5d", {-42}, "-00042"},
        {"%.0d", {0}, "0"},
        {"%*.*d", {1, 0, int64_t{1234567890123}}, "1234567890123"},
        {"%d", {INT64_MIN}, "-9223372036854775808"},
        {"%d", {UINT64_MAX}, "18446744073709551615"},
        {"%u", {-1}, "4294967295"},
        {"%u", {int64_t{-1}}, "18446744073709551615"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%x", {int64_t{-1}}, "FFFFFFFFFFFFFFFF"},
        {"%D", {5}, "5"},
        // reals, fixed
        {"%f", {1.0}, "1.00"},
        {"%.3f", {2.0005}, "2.001"},
        {"%.1f", {0.25}, "0.2"},
        {"%.0f", {2.5}, "2"},
        {"%f", {-0.001}, "0.00"},
        {"%*.*f", {1, 2, 12.5}, "12.50"},
        {"%8.2f|", {-3.14159}, "   -3.14|"},
        {"%.2f", {1e20}, "100000000000000000000.00"},
        // reals, exponent
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {1234.5}, "1.23E+003"},
        {"%.2e", {2.25}, "2.2E+000"},
        {"%.0e", {1234.5}, "1E+003"},
        {"%e", {0.0}, "0.00000000000000E+000"},
        {"%e", {-1e-300}, "-1.00000000000000E-300"},
        {"%.3e", {1e4000L}, "1.00E+4000"},
        // reals, general
        {"%g", {1234.5}, "1234.5"},
        {"%g", {0.1}, "0.1"},
        {"%g", {1e15}, "1E+015"},
        {"%g", {123456789012345.0}, "123456789012345"},
        {"%g", {0.00001}, "0.00001"},
        {"%g", {0.000001}, "1E-006"},
        {"%*.*g", {1, 5, 3.14159}, "3.1416"},
        {"%.3g", {1234.5}, "1.23E+003"},
        {"%.0g", {3.7}, "4"},
        {"%g", {-2.5e-7}, "-2.5E-007"},
        {"%.2g", {0.125}, "0.12"},
        {"%g", {0.0}, "0"},
        {"%g", {std::nan("")}, "NAN"},
        {"%g", {-std::numeric_limits<double>::infinity()}, "-INF"},
        {"%g", {0.1f}, "0.100000001490116"},
        // number with thousands
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n", {999.5}, "1,000"},
        {"%n", {-12.0}, "-12.00"},
        // texts, characters and pointers
        {"%s", {"abc"}, "abc"},
        {"%5s|", {"ab"}, "   ab|"},
        {"%-5s|", {std::string("ab")}, "ab   |"},
        {"%.2s", {"abcdef"}, "ab"},
        {"%s%s", {'x', std::string_view("yz")}, "xyz"},
        {"%p", {reinterpret_cast<const void*>(0x1234)}, "0000000000001234"},
        // literals, indexes, star widths
        {"100%%", {}, "100%"},
        {"%1:s %0:s", {"a", "b"}, "b a"},
        {"%1:s %s", {"a", "b", "c"}, "b c"},
        {"%0:s%0:s", {"ab"}, "abab"},
        {"%*d|", {-4, 7}, "7   |"},
        {"%-*d|", {4, 7}, "7   |"},
        {"%.*f", {-1, 1.0}, "1.00"},
        {"%d", {1, 2, 3}, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fmt);
        EXPECT_EQ(Format(c.Fmt, std::span<const TVarRec>(c.Args)), c.Expected);
    }
}

TEST(ConvertFormat, CallsWithABracedList) {
    EXPECT_EQ(Format("%*.*g", {1, 5, 3.14159}), "3.1416");
    const std::string name = "x";
    EXPECT_EQ(Format("%s=%d (%.1f%%)", {name, 5, 12.25}), "x=5 (12.2%)");
}

TEST(ConvertFormat, RealsUseTheDecimalSeparator) {
    test::TSeparatorScope comma(',', '.');
    EXPECT_EQ(Format("%.1f", {1.5}), "1,5");
    EXPECT_EQ(Format("%e", {1.5}), "1,50000000000000E+000");
    EXPECT_EQ(Format("%g", {1.5}), "1,5");
    EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
}

TEST(ConvertFormat, InvalidOrIncompatible) {
    const TFormatCase cases[] = {
        {"%d", {1.5}, ""},     {"%f", {1}, ""},   {"%s", {1}, ""},      {"%d", {}, ""},
        {"%", {}, ""},         {"%q", {1}, ""},   {"%5", {1}, ""},      {"%d", {"x"}, ""},
        {"%*d", {"x", 1}, ""}, {"%x", {2.0}, ""}, {"%2:d", {1, 2}, ""}, {"%p", {1}, ""},
        {"%m", {1.0}, ""},     {"%.", {1}, ""},   {"%-", {1}, ""},      {"%s", {nullptr == nullptr}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fmt);
        try {
            Format(c.Fmt, std::span<const TVarRec>(c.Args));
            ADD_FAILURE() << "no EConvertError";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      std::string("Format '") + c.Fmt + "' invalid or incompatible with argument");
        }
    }
}

TEST(ConvertFormat, HugeWidthsAreBounded) {
    EXPECT_EQ(Format("%999999999d", {1}).size(), static_cast<size_t>(StrMaxDigits));
    EXPECT_EQ(Format("%.999999999d", {1}).size(), static_cast<size_t>(StrMaxDigits));
    EXPECT_EQ(Format("%*d", {INT_MIN, 1}).size(), static_cast<size_t>(StrMaxDigits));
}
