// Searching, counting and character classes of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace qyx;

TEST(StringlSearch, NumberedPos) {
    struct TCase {
        const char* Sub;
        const char* S;
        int Start;
        int Count;
        bool IgnoreCase;
        int Expected;
    };
    const TCase cases[] = {
        {"bc", "abcabc", 1, 2, false, 5},
        {"bc", "abcabc", 1, 1, false, 2},
        {"bc", "abcabc", 3, 1, false, 5},
        {"bc", "abcabc", 1, 3, false, 0},
        {"bc", "abcabc", 1, 0, false, 0},
        {"bc", "abcabc", 1, -1, false, 0},
        {"B", "abc", 1, 1, true, 2},
        {"B", "abc", 1, 1, false, 0},
        {"b", "ABC", 1, 1, true, 2},
        {"aa", "aaaa", 1, 2, false, 3}, // occurrences do not overlap
        {"aa", "aaaa", 2, 1, false, 2},
        {"aa", "aaaa", 2, 2, false, 0},
        {"a", "abc", -5, 1, false, 1}, // a start below 1 counts as 1
        {"a", "abc", INT_MIN, 1, false, 1},
        {"c", "abc", 4, 1, false, 0},
        {"c", "abc", INT_MAX, 1, false, 0},
        {"", "abc", 1, 1, false, 0},
        {"a", "", 1, 1, false, 0},
        {"\xC4", "\xE4\xC4", 1, 1, true, 2}, // case folding is ASCII only
        {"\"", "id=\"x\" z", 1, 2, false, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Sub) + " in " + c.S + " from " + std::to_string(c.Start));
        EXPECT_EQ(NumberedPos(c.Sub, c.S, c.Start, c.Count, c.IgnoreCase), c.Expected);
    }
    EXPECT_EQ(NumberedPos("a", std::string(1000, 'a'), 1, INT_MAX, false), 0);
}

TEST(StringlSearch, PosLastAndStringIx) {
    EXPECT_EQ(PosLast("bc", "abcabc"), 5);
    EXPECT_EQ(PosLast("/", "a/b/c"), 4);
    EXPECT_EQ(PosLast("aa", "aaa"), 1);
    EXPECT_EQ(PosLast("aa", "aaaa"), 3);
    EXPECT_EQ(PosLast("x", "abc"), 0);
    EXPECT_EQ(PosLast("", "abc"), 0);
    EXPECT_EQ(PosLast("abcd", "abc"), 0);

    const std::vector<std::string> list{"red", "Green", "blue", "red"};
    EXPECT_EQ(StringIx("red", list), 1);
    EXPECT_EQ(StringIx("blue", list), 3);
    EXPECT_EQ(StringIx("green", list), 0);
    EXPECT_EQ(StringIx("", list), 0);
    EXPECT_EQ(StringIx("red", {}), 0);
}

TEST(StringlSearch, Counting) {
    EXPECT_EQ(CountCharInString('a', "Banana", true), 3);
    EXPECT_EQ(CountCharInString('A', "Banana", true), 0);
    EXPECT_EQ(CountCharInString('A', "Banana", false), 3);
    EXPECT_EQ(CountCharInString('b', "Banana", false), 1);
    EXPECT_EQ(CountCharInString('\xE4', "\xC4\xE4", false), 1); // ASCII folding only
    EXPECT_EQ(CountCharInString('.', "", false), 0);

    struct TCase {
        const char* S;
        int Words;
    };
    const TCase words[] = {
        {"one two three", 2}, // the last word has no separator after it
        {"one two three.", 3},
        {"a b c.", 0}, // one-character words never count
        {"ab,cd.", 2},
        {"x=(ab+cd)", 2},
        {"tab\tsep ", 1}, // a tab is no separator
        {"", 0},
        {"   ", 0},
    };
    for (const auto& c : words) {
        SCOPED_TRACE(c.S);
        EXPECT_EQ(CountWords(c.S), c.Words);
    }
    EXPECT_EQ(CountWords(std::string("ab\0cd\n", 6)), 2);
}

TEST(StringlSearch, SmallTests) {
    EXPECT_TRUE(TestAllChar("xxx", 'x'));
    EXPECT_FALSE(TestAllChar("xxy", 'x'));
    EXPECT_FALSE(TestAllChar("", 'x'));

    EXPECT_EQ(FindFirstNonBlank("  ab"), 3);
    EXPECT_EQ(FindFirstNonBlank("ab"), 1);
    EXPECT_EQ(FindFirstNonBlank("   "), 0);
    EXPECT_EQ(FindFirstNonBlank(""), 0);
    EXPECT_EQ(FindFirstNonBlank("\t a"), 1);

    struct TCase {
        const char* S;
        bool Abbrev;
    };
    const TCase abbrevs[] = {{"NASA", true},   {"IBMs", true},    {"Hello", false}, {"Ab", false},
                             {"A1B", false},   {"ABC123", false}, {"ABC12", true},  {"", false},
                             {"ab CD", false}, {"xx ABC", true}};
    for (const auto& c : abbrevs) {
        SCOPED_TRACE(c.S);
        EXPECT_EQ(IsAbbreviation(c.S), c.Abbrev);
    }

    EXPECT_TRUE(EqualAnsiStrings("\xC4rger", "\xE4RGER")); // Ärger, äRGER
    EXPECT_TRUE(EqualAnsiStrings("", ""));
    EXPECT_FALSE(EqualAnsiStrings("Arger", "\xC4rger"));
}

TEST(StringlSearch, CharacterClasses) {
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        SCOPED_TRACE(code);
        const bool digit = code >= '0' && code <= '9';
        const bool letter = (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
        const bool hex = digit || (code >= 'A' && code <= 'F') || (code >= 'a' && code <= 'f');
        EXPECT_EQ(IsDigit(c), digit);
        EXPECT_EQ(IsLetter(c), letter);
        EXPECT_EQ(IsDigitLetter(c), digit || letter);
        EXPECT_EQ(IsHexChar(c), hex);
    }
}

TEST(StringlSearch, WordSeparators) {
    EXPECT_EQ(WordSeps.Count(), 26);
    for (char c : std::string("\0\n\r \"#%'()*+,-./:;<=>[\\]{}", 26))
        EXPECT_TRUE(WordSeps.Contains(c)) << int(c);
    for (char c : std::string("\t!$&?@^_`|~aZ09\x7f\xA0\xFF")) EXPECT_FALSE(WordSeps.Contains(c)) << int(c);
}
