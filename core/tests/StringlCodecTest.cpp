// Quoted names, delimited parameters and UU coding of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace qyx;

namespace {

// Feeds Text to ParseQuotedName from the start state; returns the name and the final state.
std::string ParseAll(const std::string& Text, char Quote, TQuotedStrState& State) {
    std::string name = "stale";
    State = vsStart;
    for (char c : Text) ParseQuotedName(c, Quote, name, State);
    return name;
}

} // namespace

TEST(StringlCodec, ParseQuotedName) {
    struct TCase {
        const char* Text;
        const char* Name;
        TQuotedStrState State;
    };
    const TCase cases[] = {
        {"  plain rest", "plain", vsEnd},
        {"plain", "plain", vsNormal},
        {"'quoted name' rest", "quoted name", vsEnd},
        {"'it''s'", "it's", vsQuote},
        {"'it''s' x", "it's", vsEnd},
        {"''", "", vsQuote},
        {"'open", "open", vs1stQuote},
        {"   ", "", vsStart},
        {"a\tb", "a", vsEnd},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        TQuotedStrState state;
        EXPECT_EQ(ParseAll(c.Text, '\'', state), c.Name);
        EXPECT_EQ(state, c.State);
    }
    // After the end every character is ignored.
    TQuotedStrState state = vsEnd;
    std::string name = "kept";
    ParseQuotedName('x', '\'', name, state);
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(state, vsEnd);
    state = static_cast<TQuotedStrState>(200);
    ParseQuotedName('x', '\'', name, state);
    EXPECT_EQ(state, vsEnd);
}

TEST(StringlCodec, ExtractParam) {
    struct TCase {
        const char* S;
        int Index;
        const char* Param;
    };
    const std::string line = R"(alpha, "b, c" , 'x' ,,  "say ""hi"" " ,last)";
    const TCase cases[] = {
        {line.c_str(), 1, "alpha"},
        {line.c_str(), 2, "b, c"},
        {line.c_str(), 3, "'x'"},
        {line.c_str(), 4, "?"},
        {line.c_str(), 5, "say \"hi\" "},
        {line.c_str(), 6, "last"},
        {line.c_str(), 7, "?"},
        {line.c_str(), 0, "?"},
        {line.c_str(), INT_MIN, "?"},
        {"", 1, "?"},
        {"  x  ", 1, "x"},
        {"\"a,b", 1, "a,b"}, // unterminated
        {"a \"b\" c,d", 1, "a b c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.S) + " #" + std::to_string(c.Index));
        EXPECT_EQ(ExtractParam(c.S, c.Index, ',', '"', "?"), c.Param);
    }
    EXPECT_EQ(ExtractParam("a;b", 2, ';', '\'', ""), "b");
}

TEST(StringlCodec, UUEncodeMatchesPublishedForm) {
    EXPECT_EQ(UUEncodeStr("Cat"), "#0V%T");
    EXPECT_EQ(UUEncodeStr(""), "");
    // 50 bytes 0..49: a full line of 45 bytes and one of 5 (reference: the standard uuencode line
    // format with "`" for zero).
    std::string bytes;
    for (int i = 0; i < 50; ++i) bytes += static_cast<char>(i);
    EXPECT_EQ(UUEncodeStr(bytes),
              "M``$\"`P0%!@<(\"0H+#`T.#Q`1$A,4%187&!D:&QP='A\\@(2(C)\"4F)R@I*BLL\r\n%+2XO,#$`");
    EXPECT_EQ(UUDecodeStr("#0V%T"), "Cat");
}

TEST(StringlCodec, UURoundTripAndMalformedInput) {
    std::string all;
    for (int round = 0; round < 3; ++round)
        for (int c = 0; c < 256; ++c) all += static_cast<char>((c * 7 + round) & 0xFF);
    for (size_t len :
         {size_t{0}, size_t{1}, size_t{2}, size_t{3}, size_t{44}, size_t{45}, size_t{46}, all.size()}) {
        SCOPED_TRACE(len);
        const std::string s = all.substr(0, len);
        EXPECT_EQ(UUDecodeStr(UUEncodeStr(s)), s);
    }
    // A file-style text with begin and end lines, LF line ends.
    EXPECT_EQ(UUDecodeStr("begin 644 cat.txt\n#0V%T\n`\nend\n"), "Cat");
    EXPECT_EQ(UUDecodeStr("#0V%T\nend\n#0V%T"), "Cat");
    // Truncated lines give the bytes they hold; nothing is invented.
    EXPECT_EQ(UUDecodeStr("#0V"), "C");
    EXPECT_EQ(UUDecodeStr("M"), "");
    // Characters outside the code's range are read modulo 64 ("\xFF" counts 31 bytes, two data
    // characters hold one).
    EXPECT_EQ(UUDecodeStr("\xFF\xFF\xFF").size(), 1u);
}
