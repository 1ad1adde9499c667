// Trimming, padding, editing, case and code page routines of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

using namespace qyx;

namespace {

std::string AllBytes() {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
}

struct TUnaryCase {
    const char* Name;
    std::function<std::string(const std::string&)> F;
    std::string In;
    std::string Out;
};

void RunUnary(const std::vector<TUnaryCase>& Cases) {
    for (const auto& c : Cases) {
        SCOPED_TRACE(std::string(c.Name) + "(\"" + c.In + "\")");
        EXPECT_EQ(c.F(c.In), c.Out);
    }
}

} // namespace

TEST(StringlEdit, Trimming) {
    const auto x = [](auto f) { return [f](const std::string& s) { return f('x', s); }; };
    RunUnary({
        {"StripLTBlanks", StripLTBlanks, "   ", ""},
        {"StripLTBlanks", StripLTBlanks, " a b ", "a b"},
        {"StripLTBlanks", StripLTBlanks, "\ta \n", "\ta \n"}, // only blanks are blanks
        {"StripLTBlanks", StripLTBlanks, "", ""},
        {"StripLeadingBlanks", StripLeadingBlanks, "   ", " "},
        {"StripLeadingBlanks", StripLeadingBlanks, "  a ", "a "},
        {"StripLeadingBlanks", StripLeadingBlanks, "", ""},
        {"StripTrailingBlanks", StripTrailingBlanks, "   ", " "},
        {"StripTrailingBlanks", StripTrailingBlanks, " a  ", " a"},
        {"StripTrailingBlanks", StripTrailingBlanks, "", ""},
        {"StripLeadingChars", x(StripLeadingChars), "xxx", ""},
        {"StripLeadingChars", x(StripLeadingChars), "xxaxx", "axx"},
        {"StripTrailingChars", x(StripTrailingChars), "xxx", "x"},
        {"StripTrailingChars", x(StripTrailingChars), "xxaxx", "xxa"},
        {"StripTrailingChars", x(StripTrailingChars), "", ""},
    });
}

TEST(StringlEdit, Padding) {
    struct TCase {
        const char* S;
        int Width;
        const char* Left;
        const char* Right;
        const char* Center;
    };
    const TCase cases[] = {
        {"abc", 5, "abc  ", "  abc", " abc "},
        {"ab", 5, "ab   ", "   ab", " ab  "},
        {"abcdef", 3, "abc", "abc", "abc"},
        {"abc", 0, "", "", ""},
        {"", 2, "  ", "  ", "  "},
        {"abc", 3, "abc", "abc", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.S) + " in " + std::to_string(c.Width));
        const auto w = static_cast<uint8_t>(c.Width);
        EXPECT_EQ(LeftString(c.S, w), c.Left);
        EXPECT_EQ(RightString(c.S, w), c.Right);
        EXPECT_EQ(CenterString(c.S, w), c.Center);
    }
    EXPECT_EQ(LeftString("", 255).size(), 255u);

    EXPECT_EQ(MultiChar('x', 0), "x");
    EXPECT_EQ(MultiChar('x', -5), "x");
    EXPECT_EQ(MultiChar('x', INT_MIN), "x");
    EXPECT_EQ(MultiChar('x', 3), "xxx");
    EXPECT_EQ(MultiChar('x', 300), std::string(255, 'x'));

    EXPECT_EQ(AbbrevString("abcdef", 4), "ab..");
    EXPECT_EQ(AbbrevString("abcdef", 6), "abcdef");
    EXPECT_EQ(AbbrevString("abc", 2), "..");
    // Limits too small for the dots still bound the result.
    EXPECT_EQ(AbbrevString("abc", 1), ".");
    EXPECT_EQ(AbbrevString("abc", 0), "");
    EXPECT_EQ(AbbrevString("abc", INT_MIN), "");
    EXPECT_EQ(AbbrevString("", -1), "");
}

TEST(StringlEdit, Editing) {
    const auto slash = [](const std::string& s) { return EnsureTrailingChar('/', s); };
    RunUnary({
        {"EnsureTrailingChar", slash, "", ""},
        {"EnsureTrailingChar", slash, "a", "a/"},
        {"EnsureTrailingChar", slash, "a/", "a/"},
        {"EnsureTrailingBkSlash", EnsureTrailingBkSlash, "c:\\x", "c:\\x\\"},
        {"EnsureTrailingBkSlash", EnsureTrailingBkSlash, "c:\\", "c:\\"},
        {"ReplaceCharInString", [](const std::string& s) { return ReplaceCharInString(s, '.', ','); },
         "1.2.3", "1,2,3"},
        {"RemoveCharInString", [](const std::string& s) { return RemoveCharInString(s, 'a'); }, "banana",
         "bnn"},
        {"RemoveControlChars", RemoveControlChars, std::string("a\tb\x1f\0c\x7f", 7), "abc\x7f"},
        {"ReverseString", ReverseString, "abc", "cba"},
        {"ReverseString", ReverseString, "", ""},
        {"ReduceStringToAZ09", ReduceStringToAZ09, "a-b c_1\xE9Z", "a_b_c_1_Z"},
    });
}

TEST(StringlEdit, ReplaceStringInString) {
    struct TCase {
        const char* S;
        const char* Old;
        const char* New;
        bool IgnoreCase;
        const char* Result;
    };
    const TCase cases[] = {
        {"aa", "a", "ba", false, "baba"}, // the inserted text is not searched again
        {"aaa", "aa", "a", false, "aa"},
        {"Hello HELLO hello", "hello", "x", true, "x x x"},
        {"Hello HELLO hello", "hello", "x", false, "Hello HELLO x"},
        {"abc", "", "x", false, "abc"},
        {"abc", "B", "x", false, "abc"},
        {"abc", "abc", "", false, ""},
        {"", "a", "b", false, ""},
        {"a.b.c", ".", "::", false, "a::b::c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.S) + ": " + c.Old + " -> " + c.New);
        EXPECT_EQ(ReplaceStringInString(c.S, c.Old, c.New, c.IgnoreCase), c.Result);
    }
}

TEST(StringlEdit, ReduceStringToFN83CompliantChars) {
    const std::string notAllowed = " \"*+,/:;<=>?[\\]|\x7f";
    std::string expected;
    for (int c = 0; c < 256; ++c) {
        const bool bad = c < 32 || c >= 128 || notAllowed.find(static_cast<char>(c)) != std::string::npos;
        expected += bad ? '_' : static_cast<char>(c);
    }
    EXPECT_EQ(ReduceStringToFN83CompliantChars(AllBytes()), expected);
    EXPECT_EQ(ReduceStringToFN83CompliantChars("my map (1).bmp"), "my_map_(1).bmp");
}

TEST(StringlEdit, ProcessHexChars) {
    RunUnary({
        {"ProcessHexChars", ProcessHexChars, "a\\#41b", "aAb"},
        {"ProcessHexChars", ProcessHexChars, "\\#4a\\#4A", "JJ"},
        {"ProcessHexChars", ProcessHexChars, "\\#FF", "\xFF"},
        {"ProcessHexChars", ProcessHexChars, "\\#4Gx", std::string("\x04x")}, // the value stops at G
        {"ProcessHexChars", ProcessHexChars, "\\#G4x", std::string("\0x", 2)},
        {"ProcessHexChars", ProcessHexChars, "\\\\#41", "\\#41"}, // the escaped backslash starts nothing
        {"ProcessHexChars", ProcessHexChars, "\\\\\\#41", "\\A"},
        {"ProcessHexChars", ProcessHexChars, "a\\x", "a\\x"},
        {"ProcessHexChars", ProcessHexChars, "a\\", "a\\"},
        {"ProcessHexChars", ProcessHexChars, "\\#4", "\x04"},
        {"ProcessHexChars", ProcessHexChars, "\\#", std::string(1, '\0')},
        {"ProcessHexChars", ProcessHexChars, "", ""},
    });
}

TEST(StringlEdit, CaseRoutines) {
    RunUnary({
        {"CapitalizeString", CapitalizeString, "hello world-wide 2nd x", "Hello World-Wide 2nd X"},
        {"CapitalizeString", CapitalizeString, "\xE9mile x",
         "\xE9mile X"}, // émile: not changed, but a letter
        {"CapitalizeString", CapitalizeString, "a1b c_d", "A1b C_D"},
        {"CapitalizeString", CapitalizeString, "", ""},
        {"ChangeCase", ChangeCase, "aB1\xE9\xC9\xDF", "Ab1\xC9\xE9\xDF"}, // é É ß
        {"ChangeCase", ChangeCase, "\x8A\x9A", "\x9A\x8A"},               // Š š
        {"ExpandDiphthongs", ExpandDiphthongs, "\xC4rger", "Aerger"},
        {"ExpandDiphthongs", ExpandDiphthongs, "\xC4RGER", "AERGER"},
        {"ExpandDiphthongs", ExpandDiphthongs, "\xC4", "AE"},
        {"ExpandDiphthongs", ExpandDiphthongs,
         "\xD6l \xDC"
         "1",
         "Oel UE1"},
        {"ExpandDiphthongs", ExpandDiphthongs, "\xE4\xF6\xFC\xDF\xB5", "aeoeuessu"},
        {"ExpandDiphthongs", ExpandDiphthongs,
         "Stra\xDF"
         "e",
         "Strasse"},
    });
}

TEST(StringlEdit, CodePages) {
    // OEM 850 0x81 is ü, 0x9A is Ü, 0xE1 is ß.
    EXPECT_EQ(WinAnsiString(TShortString255("\x81\x9A\xE1")), "\xFC\xDC\xDF");
    EXPECT_EQ(OEMString(TShortString255("\xFC\xDC\xDF")), "\x81\x9A\xE1");
    const TShortString255 plain("Plain ASCII 123");
    EXPECT_EQ(WinAnsiString(plain), plain);
    EXPECT_EQ(OEMString(plain), plain);
    EXPECT_EQ(WinAnsiString(TShortString255(std::string(300, 'a'))).Length(), 255);
}
