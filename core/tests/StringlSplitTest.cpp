// Extracting, splitting and line handling of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace qyx;

TEST(StringlSplit, ExtractWordFromString) {
    struct TCase {
        const char* S;
        int Pos;
        const char* Word;
        int First;
        int Last;
    };
    const TCase cases[] = {
        {"hello world", 3, "hello", 1, 5},
        {"hello world", 1, "hello", 1, 5},
        {"hello world", 5, "hello", 1, 5},
        {"hello world", 6, " ", 6, 6}, // a separator gives itself
        {"hello world", 7, "world", 7, 11},
        {"hello world", 11, "world", 7, 11},
        {"a.b", 1, "a", 1, 1},
        {"x=(ab+cd)", 5, "ab", 4, 5},
        {"tab\tsep", 2, "tab\tsep", 1, 7},
        {"hello", 0, "", 0, 0},
        {"hello", 6, "", 0, 0},
        {"hello", INT_MIN, "", 0, 0},
        {"", 1, "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.S) + " @" + std::to_string(c.Pos));
        int first = -7;
        int last = -7;
        EXPECT_EQ(ExtractWordFromString(c.S, c.Pos, first, last), c.Word);
        EXPECT_EQ(first, c.First);
        EXPECT_EQ(last, c.Last);
        EXPECT_EQ(ExtractWordFromString(c.S, c.Pos), c.Word);
    }
}

TEST(StringlSplit, ExtractSubString) {
    struct TCase {
        const char* S;
        int Index;
        const char* Delim;
        const char* Field;
    };
    const TCase cases[] = {
        {"a,b,,d", 0, ",", "a"},      {"a,b,,d", 1, ",", "b"}, {"a,b,,d", 2, ",", ""},
        {"a,b,,d", 3, ",", "d"},      {"a,b,,d", 4, ",", ""},  {"a,b,,d", -1, ",", ""},
        {"a,b,,d", INT_MAX, ",", ""}, {"", 0, ",", ""},        {",a", 0, ",", ""},
        {",a", 1, ",", "a"},          {"a,", 1, ",", ""},      {"a::b::c", 2, "::", "c"},
        {"a::b::c", 1, "::", "b"},    {"abc", 0, "", "abc"},  // no delimiter: the whole text is field 0
        {"abc", 1, "", ""},           {"aXb", 0, "x", "aXb"}, // field ends are found case-sensitively
        {"aXb", 1, "x", ""},          {"Xab", 0, "x", ""},    // a field that starts with the delimiter in any
                                                              // case is empty
        {"Xab", 1, "x", "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.S) + " #" + std::to_string(c.Index) + " by " + c.Delim);
        EXPECT_EQ(ExtractSubString(c.S, c.Index, c.Delim), c.Field);
    }
}

TEST(StringlSplit, Tokenize) {
    TOpenStringArray t{"stale"};
    EXPECT_EQ(Tokenize("a;b;;c", ";", t), 4);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0], "a");
    EXPECT_EQ(t[1], "b");
    EXPECT_EQ(t[2], "");
    EXPECT_EQ(t[3], "c");

    EXPECT_EQ(Tokenize("a<>b<>", "<>", t), 3);
    EXPECT_EQ(t[2], "");
    EXPECT_EQ(Tokenize("", ";", t), 1);
    EXPECT_EQ(t[0], "");
    EXPECT_EQ(Tokenize("a;b", "", t), 1); // an empty delimiter never occurs
    EXPECT_EQ(t[0], "a;b");

    // At most 100 tokens: the 100th keeps the rest with its delimiters.
    std::string many;
    for (int i = 0; i < 150; ++i) many += std::to_string(i) + ",";
    EXPECT_EQ(Tokenize(many, ",", t), 100);
    ASSERT_EQ(t.size(), 100u);
    EXPECT_EQ(t[98], "98");
    EXPECT_EQ(t[99].Str().substr(0, 7), "99,100,");
    EXPECT_EQ(t[99].Str().back(), ',');

    // Tokens are short strings.
    EXPECT_EQ(Tokenize(std::string(300, 'x') + ";y", ";", t), 2);
    EXPECT_EQ(t[0].Length(), 255);
    EXPECT_EQ(t[1], "y");
}

TEST(StringlSplit, ReadLnString) {
    struct TLine {
        std::string Text;
        int Pos;
        bool Eof;
    };
    struct TCase {
        std::string S;
        int LineEnd;
        std::vector<TLine> Lines;
    };
    const TCase cases[] = {
        {"ab\r\ncd", 4, {{"ab", 5, false}, {"cd", 7, true}}},
        {"ab\r\ncd", 0, {{"ab", 5, false}, {"cd", 7, true}}},
        {"ab\r\ncd", 1, {{"ab", 4, false}, {"cd", 7, true}}},
        {"a\rb\nc", 2, {{"a", 3, false}, {"b", 5, false}, {"c", 6, true}}},
        {"ab\n\rcd", 3, {{"ab", 5, false}, {"cd", 7, true}}},
        {"a\rb\r\nc", 4, {{"ab", 6, false}, {"c", 7, true}}},
        {"a\nb", 9, {{"ab", 4, true}}}, // no line end at all
        {"a\tb\x01", 0, {{"ab", 5, true}}},
        {"ab\n", 0, {{"ab", 4, false}, {"", 4, true}}},
        {"", 0, {{"", 1, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.LineEnd) + ": " + c.S);
        int pos = 1;
        bool eof = true;
        for (const auto& line : c.Lines) {
            EXPECT_EQ(ReadLnString(c.S, pos, eof, c.LineEnd), line.Text);
            EXPECT_EQ(pos, line.Pos);
            EXPECT_EQ(eof, line.Eof);
        }
    }
    int pos = 0; // below 1 counts as 1
    bool eof = false;
    EXPECT_EQ(ReadLnString("xy\nz", pos, eof, 0), "xy");
    EXPECT_EQ(pos, 4);
    pos = INT_MAX;
    EXPECT_EQ(ReadLnString("xy", pos, eof, 0), "");
    EXPECT_TRUE(eof);
    EXPECT_EQ(pos, INT_MAX);
}

TEST(StringlSplit, TextLineCoords) {
    const std::string text = "ab\r\ncd\ne";
    struct TCase {
        int Pos;
        int Line;
        int Col;
    };
    const TCase cases[] = {
        {1, 1, 1}, {3, 1, 3}, {4, 1, 4},  {5, 2, 1}, {7, 2, 3},
        {8, 3, 1}, {9, 3, 2}, {10, 0, 0}, {0, 0, 0}, {INT_MIN, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Pos);
        int line = -1;
        int col = -1;
        TextLineCoords(text, c.Pos, line, col);
        EXPECT_EQ(line, c.Line);
        EXPECT_EQ(col, c.Col);
    }
    int line = -1;
    int col = -1;
    TextLineCoords("", 1, line, col);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(col, 1);
    TextLineCoords("\r\r\n\n", 5, line, col); // CR, CR LF, LF: three line ends
    EXPECT_EQ(line, 4);
    EXPECT_EQ(col, 1);
}
