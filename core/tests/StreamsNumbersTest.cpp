// The decimal and real-number scanners on streams and on text.
#include <qyx/QYX_qyxbase.h>
#include <qyx/QYX_streams.h>
#include <qyx/QYX_univconst.h>
#include <qyx/platform/Convert.h>
#include <qyx/platform/Streams.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

using namespace qyx;

namespace {

constexpr double kMax = static_cast<double>(uc_MaxDouble);

// Sets the process-wide decimal separator for one test and puts the old one back.
class TDecimalSeparatorGuard {
public:
    explicit TDecimalSeparatorGuard(char C) : FOld(DecimalSeparator) { DecimalSeparator = C; }
    ~TDecimalSeparatorGuard() { DecimalSeparator = FOld; }

private:
    char FOld;
};

class TTrickleStream : public TStringStream {
public:
    using TStringStream::TStringStream;
    int Read(void* Buffer, int Count) override { return TStringStream::Read(Buffer, Count > 0 ? 1 : 0); }
};

} // namespace

TEST(StreamsNumbers, ScanStreamDecimal) {
    struct TCase {
        std::string Input;
        int Value;
        int64_t PosAfter; // the byte that ended the digits is consumed
    };
    const TCase cases[] = {
        {"  -42;", -42, 6},
        {"+7", 7, 2},
        {"123 456", 123, 4},
        {"abc", 0, 1},
        {"", 0, 0},
        {"   ", 0, 3},
        {"- 5", 0, 2},
        {"\t5", 0, 1}, // only the blank is skipped
        {"2147483647", INT_MAX, 10},
        {"-2147483648", INT_MIN, 11},
        {"2147483648", INT_MAX, 10},
        {"99999999999999999999999x", INT_MAX, 24},
        {"-99999999999999999999999x", INT_MIN, 25},
        {"007", 7, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Input);
        TStringStream s(c.Input);
        EXPECT_EQ(ScanStreamDecimal(&s), c.Value);
        EXPECT_EQ(s.GetPosition(), c.PosAfter);
    }
}

namespace {

struct TFPCase {
    std::string Input;
    bool AllowExp;
    int DecSep;
    double Value;
    int64_t PosAfter; // on the byte that stopped the scan; the size when the stream ran out
};

const TFPCase kFPCases[] = {
    // The examples of the number rules.
    {"  -12.5e3x", true, dsDot, -12500.0, 9},
    {"  -12.5e3x", false, dsDot, -12.5, 7},
    {"3,25 ", true, dsBoth, 3.25, 4},
    {"3,25 ", true, dsDot, 3.0, 1},
    {"3,25 ", true, dsComma, 3.25, 4},
    {"3.25 ", true, dsComma, 3.0, 1},
    {"5. ", true, dsDot, 5.0, 2},
    {"1e ", true, dsDot, 0.0, 2},
    {"7", true, dsDot, 7.0, 1},
    {"1e999", true, dsDot, kMax, 5},
    {"-1e999", true, dsDot, -kMax, 6},
    {"1.75e308", true, dsDot, kMax, 8},
    {"1e-99999", true, dsDot, 0.0, 8},
    // White space, signs and separators.
    {"\t\n\r 42 ", true, dsDot, 42.0, 6},
    {"+.5;", true, dsDot, 0.5, 3},
    {". ", true, dsDot, 0.0, 1},
    {"-.", true, dsDot, 0.0, 2},
    {"- 5", true, dsDot, 0.0, 1},
    {"+-5", true, dsDot, 0.0, 1},
    {"12.5.3", true, dsDot, 0.0, 4},
    {"1,5,3", true, dsBoth, 0.0, 3},
    {"1.5", true, 9, 1.0, 1},
    // Exponents.
    {"1e5.3", true, dsDot, 1e5, 3},
    {"2E+3x", true, dsDot, 2000.0, 4},
    {"2e-3", true, dsDot, 0.002, 4},
    {"2.e2", true, dsDot, 200.0, 4},
    {"1e+", true, dsDot, 0.0, 3},
    {"1e+-2", true, dsDot, 0.0, 3},
    {"1e0000000000000000002", true, dsDot, 100.0, 21},
    {"2E3", false, dsDot, 2.0, 1},
    {"E5", true, dsDot, 0.0, 0},
    // Other bytes.
    {"x", true, dsDot, 0.0, 0},
    {"", true, dsDot, 0.0, 0},
    {"0x10", true, dsDot, 0.0, 1},
    {"12z", true, dsDot, 12.0, 2},
    {"4.9406564584124654e-324", true, dsDot, 4.9406564584124654e-324, 23},
    {std::string(400, '9'), true, dsDot, kMax, 400},
};

} // namespace

TEST(StreamsNumbers, ScanStreamFPNum) {
    for (const auto& c : kFPCases) {
        SCOPED_TRACE(c.Input + " exp=" + std::to_string(c.AllowExp) + " sep=" + std::to_string(c.DecSep));
        TStringStream s(c.Input);
        EXPECT_EQ(ScanStreamFPNum(&s, c.AllowExp, c.DecSep), c.Value);
        EXPECT_EQ(s.GetPosition(), c.PosAfter);
        TTrickleStream slow(c.Input);
        EXPECT_EQ(ScanStreamFPNum(&slow, c.AllowExp, c.DecSep), c.Value);
        EXPECT_EQ(slow.GetPosition(), c.PosAfter);
    }
}

TEST(StreamsNumbers, ScanStreamFPNumReadsNumberAfterNumber) {
    TStringStream s("1.5 -2e2\t3,5\r\n7");
    EXPECT_EQ(ScanStreamFPNum(&s, true, dsBoth), 1.5);
    EXPECT_EQ(ScanStreamFPNum(&s, true, dsBoth), -200.0);
    EXPECT_EQ(ScanStreamFPNum(&s, true, dsBoth), 3.5);
    EXPECT_EQ(ScanStreamFPNum(&s, true, dsBoth), 7.0);
    EXPECT_EQ(s.GetPosition(), s.GetSize());
}

TEST(StreamsNumbers, SystemModeUsesTheRunTimeSeparator) {
    {
        TDecimalSeparatorGuard g(',');
        TStringStream s("1,5 1.5");
        EXPECT_EQ(ScanStreamFPNum(&s, true, dsSystem), 1.5);
        s.SetPosition(4);
        EXPECT_EQ(ScanStreamFPNum(&s, true, dsSystem), 1.0);
    }
    {
        TDecimalSeparatorGuard g('.');
        TStringStream s("1.5");
        EXPECT_EQ(ScanStreamFPNum(&s, true, dsSystem), 1.5);
    }
    {
        // A separator that would clash with the number syntax is not taken.
        TDecimalSeparatorGuard g('e');
        TStringStream s("1e2");
        EXPECT_EQ(ScanStreamFPNum(&s, true, dsSystem), 100.0);
    }
}

TEST(StreamsNumbers, ScanStringFPNum) {
    struct TCase {
        std::string Input;
        int Start;
        int DecSep;
        double Value;
        int PosAfter;
    };
    const TCase cases[] = {
        {"  -12.5e3x", 1, dsBoth, -12500.0, 10},
        {"x=3,25;", 3, dsBoth, 3.25, 7},
        {"  7", 1, dsBoth, 7.0, 4},
        {"\t5", 1, dsBoth, 0.0, 1}, // a tab is no white space in text
        {"5\t", 1, dsBoth, 5.0, 2}, // ...and ends a number like any other character
        {"1e999", 1, dsBoth, kMax, 6},
        {"1e", 1, dsBoth, 0.0, 3},
        {"abc", 0, dsBoth, 0.0, 1}, // below 1 counts as 1
        {"12", 9, dsBoth, 0.0, 3},  // beyond the end: nothing to read
        {"", 1, dsBoth, 0.0, 1},
        {"1.5", 1, dsComma, 1.0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Input + " from " + std::to_string(c.Start));
        int pos = c.Start;
        EXPECT_EQ(ScanStringFPNum(c.Input, pos, true, c.DecSep), c.Value);
        EXPECT_EQ(pos, c.PosAfter);
    }
}
