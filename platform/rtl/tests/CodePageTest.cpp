#include <qyx/platform/CodePage.h>

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

using namespace qyx;

namespace {

std::string Byte(int B) {
    return std::string(1, static_cast<char>(B));
}

// Converts one byte with the C library's iconv, the reference for the published code page tables;
// nullopt when iconv has no mapping (or no such converter).
std::optional<std::string> Iconv(const char* From, const char* To, int B) {
    iconv_t cd = iconv_open(To, From);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    char in = static_cast<char>(B);
    char out[8];
    char* pin = &in;
    char* pout = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t rc = iconv(cd, &pin, &inLeft, &pout, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return std::nullopt;
    return std::string(out, pout);
}

bool HaveIconv(const char* From, const char* To) {
    iconv_t cd = iconv_open(To, From);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}

// Every letter pair of code page 1252: capitals and their small letters, position by position.
const std::string Capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                             "\x8A\x8C\x8E\x9F"
                             "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                             "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE";
const std::string Smalls = "abcdefghijklmnopqrstuvwxyz"
                           "\x9A\x9C\x9E\xFF"
                           "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                           "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE";

} // namespace

TEST(CodePage, AnsiCaseMapsEveryLetterPairAndNothingElse) {
    ASSERT_EQ(Capitals.size(), Smalls.size());
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const char c = static_cast<char>(b);
        const auto up = Capitals.find(c);
        const auto low = Smalls.find(c);
        EXPECT_EQ(AnsiUpperChar(c), low != std::string::npos ? Capitals[low] : c);
        EXPECT_EQ(AnsiLowerChar(c), up != std::string::npos ? Smalls[up] : c);
    }
    EXPECT_EQ(AnsiUpperCase(Smalls), Capitals);
    EXPECT_EQ(AnsiLowerCase(Capitals), Smalls);
    // ß and µ have no capital in the code page; × and ÷ are no letters.
    EXPECT_EQ(AnsiUpperCase("\xDF\xB5\xD7\xF7"), "\xDF\xB5\xD7\xF7");
    EXPECT_EQ(AnsiLowerCase("\xDF\xB5\xD7\xF7"), "\xDF\xB5\xD7\xF7");
}

TEST(CodePage, AsciiCaseLeavesTheUpperHalfAlone) {
    EXPECT_EQ(UpperCase("abc\xE4\xFFz"), "ABC\xE4\xFFZ");
    EXPECT_EQ(LowerCase("ABC\xC4\x9FZ"), "abc\xC4\x9Fz");
    EXPECT_TRUE(SameText("Hello_World", "hELLO_wORLD"));
    EXPECT_FALSE(SameText("\xE4", "\xC4"));
    EXPECT_TRUE(AnsiSameText("\xE4\x9C", "\xC4\x8C"));
    EXPECT_FALSE(AnsiSameText("Stra\xDF"
                              "e",
                              "STRASSE"));
    EXPECT_FALSE(AnsiSameText("abc", "abcd"));
}

TEST(CodePage, ComparisonSigns) {
    struct Case {
        const char* A;
        const char* B;
        int Str, Text, AnsiStr, AnsiText;
    };
    const Case cases[] = {
        {"abc", "abc", 0, 0, 0, 0},
        {"abc", "ABC", 1, 0, -1, 0}, // ANSI: lower case before upper case
        {"abc", "abd", -1, -1, -1, -1},
        {"ab", "abc", -1, -1, -1, -1},     // a prefix sorts first
        {"_", "a", -1, 1, 1, 1},           // text comparisons fold to upper case: "_" > "A"
        {"\xC4rger", "Zug", 1, 1, -1, -1}, // Ärger sorts with the A's
        {"Apfel", "\xC4rger", -1, -1, -1, -1},
        {"\xE9t\xE9", "\xC9T\xC9", 1, 1, -1, 0},
        {"\x80", "a", 1, 1, 1, 1}, // the euro sign sorts by its code point, after the letters
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.A) + " / " + c.B);
        EXPECT_EQ(sign(CompareStr(c.A, c.B)), c.Str);
        EXPECT_EQ(sign(CompareText(c.A, c.B)), c.Text);
        EXPECT_EQ(sign(AnsiCompareStr(c.A, c.B)), c.AnsiStr);
        EXPECT_EQ(sign(AnsiCompareText(c.A, c.B)), c.AnsiText);
        EXPECT_EQ(sign(AnsiCompareStr(c.B, c.A)), -c.AnsiStr);
    }
}

TEST(CodePage, TrimRemovesBlanksAndControlsOnly) {
    const std::string s = std::string("\0 \t\x1F", 4) + "a b" + "\r\n ";
    EXPECT_EQ(Trim(s), "a b");
    EXPECT_EQ(TrimLeft(s), "a b\r\n ");
    EXPECT_EQ(TrimRight(s), std::string("\0 \t\x1F", 4) + "a b");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0"); // the no-break space is no blank
    EXPECT_EQ(Trim("  \t"), "");
    EXPECT_EQ(Trim(""), "");
}

TEST(CodePage, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(b))), b);
}

TEST(CodePage, UnicodeMappingMatchesThePublishedTable) {
    if (!HaveIconv("CP1252", "UTF-8")) GTEST_SKIP() << "no CP1252 converter in the C library";
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const auto ref = Iconv("CP1252", "UTF-8", b);
        if (ref)
            EXPECT_EQ(Cp1252ToUtf8(Byte(b)), *ref);
        else // undefined in the code page: kept as the C1 control of the same number
            EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
    }
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(UnicodeToCp1252(U'\u2122'), 0x99);
    EXPECT_EQ(UnicodeToCp1252(U'\u0080'), -1);
    EXPECT_EQ(UnicodeToCp1252(U'\u65E5'), -1);
}

TEST(CodePage, Utf8ToCp1252ReplacesWhatItCannotMap) {
    struct Case {
        std::string In;
        std::string Out;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"\xE2\x82\xAC 5", "\x80 5"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", "??"}, // characters the code page lacks
        {"\xF0\x9F\x98\x80!", "?!"},        // a four-byte character
        {"a\x80"
         "b",
         "a?b"},                   // stray continuation byte
        {"a\xE2\x82", "a?"},       // truncated at the end
        {"\xE2\x82x", "?x"},       // truncated before a plain character
        {"\xC0\xAF", "??"},        // overlong form
        {"\xED\xA0\x80", "?"},     // surrogate
        {"\xF4\x90\x80\x80", "?"}, // above U+10FFFF
        {"\xFF\xFE", "??"},        // bytes that never occur in UTF-8
        {std::string("\0x", 2), std::string("\0x", 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.In);
        EXPECT_EQ(Utf8ToCp1252(c.In), c.Out);
    }
}

TEST(CodePage, OemConversionFollowsCodePage850) {
    const bool ref = HaveIconv("IBM850", "CP1252");
    if (!ref) GTEST_SKIP() << "no IBM850 converter in the C library";
    // Where both code pages hold the character, the tables agree with the published mappings;
    // elsewhere the result is "?" or a best fit from ASCII.
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const char c = static_cast<char>(b);
        if (const auto a = Iconv("IBM850", "CP1252", b))
            EXPECT_EQ(std::string(1, OemToAnsi(c)), *a);
        else
            EXPECT_LT(static_cast<unsigned char>(OemToAnsi(c)), 0x80);
        if (const auto o = Iconv("CP1252", "IBM850", b))
            EXPECT_EQ(std::string(1, AnsiToOem(c)), *o);
        else
            EXPECT_LT(static_cast<unsigned char>(AnsiToOem(c)), 0x80);
    }
}

TEST(CodePage, OemBestFitAndQuestionMarks) {
    struct Case {
        int Oem;
        char Ansi;
    };
    const Case toAnsi[] = {{0x81, '\xFC'}, {0xE1, '\xDF'}, {0xD5, 'i'}, {0xC4, '-'}, {0xCD, '='},
                           {0xB3, '|'},    {0xC5, '+'},    {0xF2, '_'}, {0xB0, '?'}, {0xDB, '?'}};
    for (const Case& c : toAnsi) {
        SCOPED_TRACE(c.Oem);
        EXPECT_EQ(OemToAnsi(static_cast<char>(c.Oem)), c.Ansi);
    }
    EXPECT_EQ(AnsiToOem("\x80 \x8A\x9A\x8E\x9E\x9F \x93x\x94 \x91y\x92 \x96\x97 \x85\x8C\x99"),
              "? SsZzY \"x\" 'y' -- ???");
    EXPECT_EQ(OemToChar("\x8E\x99\x9A"), "\xC4\xD6\xDC");
    EXPECT_EQ(CharToOem("\xC4\xD6\xDC"), "\x8E\x99\x9A");
    // Latin-1 letters survive the trip to the OEM code page and back.
    for (int b = 0xA0; b < 256; ++b)
        EXPECT_EQ(OemToAnsi(AnsiToOem(static_cast<char>(b))), static_cast<char>(b));
    EXPECT_FALSE(IsLeadByte('\x81'));
}
