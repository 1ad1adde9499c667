#include "ConvertTestUtil.h"

#include <qyx/platform/Convert.h>
#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

using namespace qyx;

namespace {

struct TValCase {
    const char* S;
    long double Value;
    int Code;
};

template <typename F> void ExpectConvertError(F Call, const std::string& Message) {
    try {
        Call();
        ADD_FAILURE() << "no EConvertError, expected: " << Message;
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), Message);
    }
}

} // namespace

TEST(ConvertVal, RealSyntaxAndErrorPositions) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const TValCase cases[] = {
        {"1.5", 1.5L, 0},
        {"  -2.5e3", -2500, 0},
        {"+.5", 0.5L, 0},
        {"5.", 5, 0},
        {"1E+2", 100, 0},
        {"1e-2", 0.01L, 0},
        {"007", 7, 0},
        // failures: Code is the 1-based position of the first character that does not fit
        {"", 0, 1},
        {" ", 0, 2},
        {"abc", 0, 1},
        {"1.5x", 0, 4},
        {"1 ", 0, 2},
        {"1e", 0, 3},
        {"1e+", 0, 4},
        {".", 0, 2},
        {"-", 0, 2},
        {"1,5", 0, 2},
        {"1.2.3", 0, 4},
        {"--1", 0, 2},
        {"\t1", 0, 1},
        {"inf", 0, 1},
        {"0x10", 0, 2},
        // overflow and underflow are not failures
        {"1e99999", inf, 0},
        {"-1e5000", -inf, 0},
        {"1e-99999", 0, 0},
        {"1e4201", 1e4201L, 0},
        {"1e-4940", 1e-4940L, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.S);
        long double v = 123;
        int code = -1;
        Val(c.S, v, code);
        EXPECT_EQ(code, c.Code);
        EXPECT_EQ(v, c.Value);
    }
}

TEST(ConvertVal, TextWithAnEmbeddedNulFails) {
    long double v = 0;
    int code = 0;
    Val(std::string("1\0"
                    "2",
                    3),
        v, code);
    EXPECT_EQ(code, 2);
}

TEST(ConvertVal, DoubleIsRoundedOnceFromTheText) {
    // Just above the midpoint of 1 and the next double: an extended intermediate would land on the
    // midpoint and then round down to 1.
    double v = 0;
    int code = -1;
    Val("1.000000000000000111022302462515654042363166809082031251", v, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(v, 1.0000000000000002);
    Val("1e400", v, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(v, std::numeric_limits<double>::infinity());
    Val("-1e-400", v, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(v, 0.0);
}

TEST(ConvertVal, Integers) {
    struct TIntCase {
        const char* S;
        int Value;
        int Code;
    };
    const TIntCase cases[] = {
        {"123", 123, 0},
        {" -42", -42, 0},
        {"+7", 7, 0},
        {"$FF", 255, 0},
        {"0x1f", 31, 0},
        {"-$10", -16, 0},
        {"$FFFFFFFF", -1, 0},
        {"$100000000", 0, 10},
        {"2147483647", INT_MAX, 0},
        {"2147483648", 0, 10},
        {"-2147483648", INT_MIN, 0},
        {"-2147483649", 0, 11},
        {"12a", 0, 3},
        {"", 0, 1},
        {"0x", 0, 3},
        {"1.0", 0, 2},
        {"+", 0, 2},
        {"12 ", 0, 3},
        {"$", 0, 2},
        {"1e3", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.S);
        int v = 99, code = -1;
        Val(c.S, v, code);
        EXPECT_EQ(code, c.Code);
        EXPECT_EQ(v, c.Value);
    }
    int64_t v = 0;
    int code = -1;
    Val("-9223372036854775808", v, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(v, INT64_MIN);
    Val("9223372036854775808", v, code);
    EXPECT_EQ(code, 19);
    Val("$FFFFFFFFFFFFFFFF", v, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(v, -1);
}

TEST(ConvertStrToFloat, UsesTheDecimalSeparatorAndAllowsSurroundingBlanks) {
    EXPECT_EQ(StrToFloat(" 1.5 "), 1.5L);
    EXPECT_EQ(StrToFloat("-2e-3"), -2e-3L);
    EXPECT_EQ(StrToFloat("1e99999"), std::numeric_limits<long double>::infinity());
    {
        test::TSeparatorScope comma(',');
        EXPECT_EQ(StrToFloat("1,5"), 1.5L);
        ExpectConvertError([] { StrToFloat("1.5"); }, "'1.5' is not a valid floating point value");
    }
    ExpectConvertError([] { StrToFloat("1,234.5"); }, "'1,234.5' is not a valid floating point value");
    ExpectConvertError([] { StrToFloat(""); }, "'' is not a valid floating point value");

    long double v = 7;
    EXPECT_FALSE(TryStrToFloat("abc", v));
    EXPECT_EQ(v, 7); // unchanged on failure
    double d = 0;
    EXPECT_TRUE(TryStrToFloat("0.1", d));
    EXPECT_EQ(d, 0.1);
    EXPECT_EQ(StrToFloatDef("x", -1), -1);
    EXPECT_EQ(StrToFloatDef("2.5", -1), 2.5L);
}

TEST(ConvertStrToInt, ConvertsCompletelyOrFails) {
    EXPECT_EQ(StrToInt("12"), 12);
    EXPECT_EQ(StrToInt(" -12"), -12);
    EXPECT_EQ(StrToInt("$7F"), 127);
    ExpectConvertError([] { StrToInt("12 "); }, "'12 ' is not a valid integer value");
    ExpectConvertError([] { StrToInt("50-00-0"); }, "'50-00-0' is not a valid integer value");
    ExpectConvertError([] { StrToInt("4294967296"); }, "'4294967296' is not a valid integer value");
    EXPECT_EQ(StrToIntDef("x", 255), 255);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64Def("9223372036854775808", 5), 5);
    int v = 3;
    EXPECT_FALSE(TryStrToInt("", v));
    EXPECT_EQ(v, 3);
}

TEST(ConvertVal, RandomDoublesSurviveSeventeenDigits) {
    // Property: 17 significant digits identify a double; the text goes back to the same value.
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 2000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        if (((state >> 52) & 0x7FF) == 0x7FF) continue; // finite values only, of either sign
        double x;
        std::memcpy(&x, &state, sizeof x);
        const std::string s = FloatToStrF(x, ffExponent, 17, 0);
        double back = 0;
        int code = -1;
        Val(s, back, code);
        ASSERT_EQ(code, 0) << s;
        ASSERT_EQ(back, x) << s;
    }
}
