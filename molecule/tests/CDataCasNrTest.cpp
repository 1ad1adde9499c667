// Registry numbers: check digits of real compounds, formatting, and parsing of well-formed and
// malformed texts.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include <qyx/QYX_CData.h>

using namespace qyx;

TEST(CDataCasNr, CheckDigits) {
    const struct {
        int Number;
        bool Valid;
    } cases[] = {
        {7732185, true},  // water
        {64175, true},    // ethanol
        {58082, true},    // caffeine
        {71432, true},    // benzene
        {50782, true},    // aspirin
        {7647145, true},  // sodium chloride
        {7732186, false}, // water with a wrong check digit
        {7732175, false}, // water with a changed digit
        {64176, false},    {0, true},        {5, false},
        {10, false},       {-10, false}, // negative numbers are never valid
        {-7732185, false}, {INT_MIN, false}, {INT_MAX, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Number);
        EXPECT_EQ(CheckCASNr(c.Number), c.Valid);
    }
}

TEST(CDataCasNr, Format) {
    const struct {
        int Number;
        const char* Text;
    } cases[] = {
        {7732185, "7732-18-5"},
        {64175, "64-17-5"},
        {50, "0-05-0"},
        {7, "0-00-7"},
        {0, "0-00-0"},
        {1234, "1-23-4"},
        {INT_MAX, "2147483-64-7"},
        {-5, "-0-00-5"},
        {INT_MIN, "-2147483-64-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Number);
        EXPECT_EQ(FormatCASNr(c.Number), c.Text);
    }
}

TEST(CDataCasNr, Parse) {
    constexpr int Untouched = -99;
    const struct {
        std::string Text;
        bool Result;
        int Stored;
    } cases[] = {
        {"7732-18-5", true, 7732185},
        {"  7732-18-5   ", true, 7732185},
        {"64-17-5", true, 64175},
        {"58-08-2", true, 58082},
        {"71-43-2", true, 71432},
        {"-00-0", true, 0},            // empty first part
        {"7732-18-6", false, 7732186}, // wrong check digit: stored all the same
        {"-17-5", false, 175},
        {"7732-185", false, Untouched},  // one hyphen
        {"773-21-85", false, Untouched}, // two characters after the second hyphen
        {"7732-1-85", false, Untouched},
        {"77-321-8-5", false, Untouched}, // three hyphens
        {"7732--18-5", false, Untouched},
        {"7732-18-", false, Untouched},
        {"7732-18-5-", false, Untouched},
        {"7732185", false, Untouched},
        {"", false, Untouched},
        {"   ", false, Untouched},
        {"77a2-18-5", false, Untouched}, // well formed but no number
        {"7732-1a-5", false, Untouched},
        {"7732- 8-5", false, Untouched},
        {"+7732-18-5", false, Untouched},
        {"$FF-18-5", false, Untouched},
        {"\t7732-18-5", false, Untouched},      // only blanks are removed
        {"99999999999-18-5", false, Untouched}, // too large for an int
        {std::string("7732-18-5\0", 10), false, Untouched},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.Text + "\"");
        int n = Untouched;
        EXPECT_EQ(ConvertStrToCASNr(c.Text, n), c.Result);
        EXPECT_EQ(n, c.Stored);
    }
}

TEST(CDataCasNr, FormatAndParseRoundTrip) {
    for (int n = 0; n < 200000; n += 7) {
        int back = -1;
        const bool valid = ConvertStrToCASNr(FormatCASNr(n), back);
        ASSERT_EQ(back, n);
        ASSERT_EQ(valid, CheckCASNr(n)) << n;
    }
}
