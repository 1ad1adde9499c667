// TGrep: compilation, errors, matching order, anchors, case folding, start positions and listing.
#include <qyx/QYX_stringl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>

#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Random.h>

using namespace qyx;

namespace {

struct GrepCase {
    const char* Pattern;
    std::string Subject;
    int Error; // expected compile error; the match fields count only when it is 0
    bool Match;
    int Pos; // expected MatchPos / match start
    int End; // expected match end
    bool IgnoreCase = false;
    int StartPos = 1;
};

const GrepCase Cases[] = {
    // literals and any character
    {"abc", "xxabc", 0, true, 3, 5},
    {"a.c", "abc", 0, true, 1, 3},
    {"a.c", "ac", 0, false, 0, 0},
    {"a.", "a", 0, false, 0, 0},
    // repetitions of a character: last one greedy, inner ones fewest first
    {"ab*", "a", 0, true, 1, 1},
    {"ab*", "abbb", 0, true, 1, 4},
    {"ab+", "a", 0, false, 0, 0},
    {"ab+", "abbx", 0, true, 1, 3},
    {"ab?", "a", 0, true, 1, 1},
    {"ab?", "abb", 0, true, 1, 2},
    {"a*b", "aaab", 0, true, 1, 4},
    {"a+b", "b", 0, false, 0, 0},
    {"a+b", "xaab", 0, true, 2, 4},
    {"a?b", "ab", 0, true, 1, 2},
    {"a?b", "cb", 0, true, 2, 2},
    {"xa*a", "xaaa", 0, true, 1, 2},
    {"xa*", "xaaa", 0, true, 1, 4},
    // any character and sets repeated
    {".*c", "abcc", 0, true, 1, 3},
    {".+", "abc", 0, true, 1, 3},
    {".?x", "yx", 0, true, 1, 2},
    {"[ab]+c", "xbac", 0, true, 2, 4},
    {"x[0-9]*$", "x12", 0, true, 1, 3},
    {"x[0-9]*$", "x", 0, true, 1, 1},
    {"x[0-9]*$", "x1y", 0, false, 0, 0},
    {"[0-9]?x", "5x", 0, true, 1, 2},
    // the scan for starts: leading optional tokens widen the first characters, a failed leading
    // run is skipped but the start right after it is still tried
    {"[0-9]*x", "12a3x", 0, true, 4, 5},
    {"[0-9]+\\.[0-9]", "1.a 22.5", 0, true, 5, 8},
    {"[0-9]+\\.[0-9]", "12.x", 0, false, 0, 0},
    {"a*b*c", "xbbc", 0, true, 2, 4},
    {"x?y", "zzy", 0, true, 3, 3},
    {".*x", "abxcx", 0, true, 1, 3},
    {"a+b", "aacaab", 0, true, 4, 6},
    {"(ab)*ac", "abaabac", 0, true, 4, 7},
    // sets: ranges, reversed ranges, negation, quoting inside
    {"[^a-c]", "d", 0, true, 1, 1},
    {"[^a-c]", "b", 0, false, 0, 0},
    {"[z-a]", "m", 0, true, 1, 1},
    {"[a\\^]", "x^", 0, true, 2, 2},
    {"[a\\]]", "]", 0, true, 1, 1},
    {"[ac-", "b", 0, false, 0, 0}, // unterminated set keeps its members
    {"[^a", "b", 0, false, 0, 0},  // pending negation is not applied
    // groups
    {"(ab)*c", "ababc", 0, true, 1, 5},
    {"(ab)(cd)", "xabcd", 0, true, 2, 5},
    {"(ab)+", "xabab", 0, true, 2, 5},
    {"(ab)?c", "abc", 0, true, 1, 3},
    {"(ab)?c", "c", 0, true, 1, 1},
    {"a($*)", "a$*", 0, true, 1, 3},
    {"(ab", "ab", 0, true, 1, 2}, // unterminated group keeps its characters
    // anchors
    {"^abc", "abcx", 0, true, 1, 3},
    {"^abc", "xabc", 0, false, 0, 0},
    {"a$", "aba", 0, true, 3, 3},
    {"^$", "", 0, true, 1, 0},
    {"^$", "a", 0, false, 0, 0},
    {"x*$", "ab", 0, true, 3, 2}, // an empty match at the end of the subject
    // quoting and hexadecimal escapes
    {"a\\.c", "abc", 0, false, 0, 0},
    {"a\\.c", "a.c", 0, true, 1, 3},
    {"\\*a", "x*a", 0, true, 2, 3},
    {"\\#41", "xA", 0, true, 2, 2},
    {"\\\\#41", "\\#41", 0, true, 1, 4},
    {"a\\#2a", "ba", 0, true, 1, 2}, // the escape gives "a*", a lone zero-or-more
    // case folding
    {"ABC", "xabcx", 0, true, 2, 4, true},
    {"abc", "XABCX", 0, true, 2, 4, true},
    {"ABC", "xabcx", 0, false, 0, 0, false},
    {"[A-C]+", "xBCa", 0, true, 2, 4, true},
    // start positions
    {"b", "abab", 0, true, 4, 4, false, 3},
    {"^a", "aa", 0, false, 0, 0, false, 2},
    {"", "xyz", 0, true, 2, 1, false, 2},
    {"a", "a", 0, false, 0, 0, false, 5},
    {"ab", "abab", 0, true, 1, 2, false, 0}, // below 1 counts as 1
    // a lone zero-or-more matches every subject from position 1
    {"a*", "", 0, true, 1, 0},
    {"a*", "bbb", 0, true, 1, 3},
    {"a*", "bbb", 0, false, 0, 0, false, 4},
    // compile errors
    {"*a", "", 1, false, 0, 0},
    {"$", "", 1, false, 0, 0},
    {"+a", "", 1, false, 0, 0},
    {"?a", "", 1, false, 0, 0},
    {"a^", "", 2, false, 0, 0},
    {"[a]^", "", 2, false, 0, 0},
    {"(a)^", "", 2, false, 0, 0},
    {"(a^)", "", 2, false, 0, 0},
    {"a$b", "", 3, false, 0, 0},
    {"a$$", "", 3, false, 0, 0},
    {"[]", "", 4, false, 0, 0},
    {"[a^]", "", 5, false, 0, 0},
    {"a]", "", 6, false, 0, 0},
    {"]", "", 6, false, 0, 0},
    {"[a]]", "", 6, false, 0, 0},
    {"(a)]", "", 6, false, 0, 0},
    {"[-a]", "", 7, false, 0, 0},
    {"[a]-", "", 7, false, 0, 0},
    {"a)", "", 8, false, 0, 0},
    {")", "", 8, false, 0, 0},
    {"[a])", "", 8, false, 0, 0},
    {"(a))", "", 8, false, 0, 0},
    {"a**", "", 9, false, 0, 0},
    {"^*", "", 9, false, 0, 0},
    {".*?", "", 9, false, 0, 0},
    {"[a]*+", "", 9, false, 0, 0},
    {"(a)*?", "", 9, false, 0, 0},
};

TEST(GrepTest, TableOfPatterns) {
    for (const GrepCase& c : Cases) {
        SCOPED_TRACE(std::string("pattern '") + c.Pattern + "' subject '" + c.Subject + "'");
        TGrep g(nullptr);
        g.SetIgnoreCase(c.IgnoreCase);
        g.SetSearchStartPos(c.StartPos);
        EXPECT_EQ(g.CompileRegExp(c.Pattern), c.Error);
        if (c.Error != 0) continue;
        int pos = -1;
        ASSERT_EQ(g.MatchString(c.Subject, pos), c.Match);
        if (!c.Match) continue;
        EXPECT_EQ(pos, c.Pos);
        EXPECT_EQ(g.GetMatchStart(), c.Pos);
        EXPECT_EQ(g.GetMatchEnd(), c.End);
    }
}

TEST(GrepTest, TokensOfCompiledPatterns) {
    TGrep g(nullptr);
    ASSERT_EQ(g.CompileRegExp("abc*"), 0);
    ASSERT_EQ(g.GetTokenCount(), 2);
    EXPECT_EQ(g.GetRegExpToken(1).Act, taNormal);
    EXPECT_EQ(g.GetRegExpToken(1).Count, 2);
    EXPECT_EQ(std::string(g.GetRegExpToken(1).Data.data() + 1, 2), "ab");
    EXPECT_EQ(g.GetRegExpToken(2).Act, taMult0);
    EXPECT_EQ(g.GetRegExpToken(2).Count, 1);
    EXPECT_EQ(g.GetRegExpToken(2).Data[1], 'c');
    EXPECT_EQ(g.GetRegExpToken(99).Act, taMult0); // index limited to the token count

    ASSERT_EQ(g.CompileRegExp("(ab)(cd)"), 0);
    ASSERT_EQ(g.GetTokenCount(), 2);
    EXPECT_EQ(g.GetRegExpToken(2).Act, taNormal);
    EXPECT_EQ(std::string(g.GetRegExpToken(2).Data.data() + 1, 2), "cd");

    ASSERT_EQ(g.CompileRegExp("[z-a]"), 0);
    const TGrepToken reversed = g.GetRegExpToken(1);
    ASSERT_EQ(g.CompileRegExp("[a-z]"), 0);
    EXPECT_EQ(reversed.Data, g.GetRegExpToken(1).Data);
    EXPECT_EQ(g.GetRegExpToken(1).Count, -1);
    EXPECT_EQ(g.GetRegExpToken(1).Data['m'], '*');
    EXPECT_EQ(g.GetRegExpToken(1).Data['A'], ' ');

    ASSERT_EQ(g.CompileRegExp(""), 0);
    EXPECT_EQ(g.GetTokenCount(), 0);
    EXPECT_EQ(g.GetRegExpToken(5).Act, taNormal); // token 1, all zero
    EXPECT_EQ(g.GetRegExpToken(5).Count, 0);
}

TEST(GrepTest, LongPatternsStayWithinTheTokenArray) {
    TGrep g(nullptr);
    EXPECT_EQ(g.CompileRegExp(std::string(64, '.')), 0);
    EXPECT_EQ(g.CompileRegExp(std::string(65, '.')), GrepErrTooLong);
    EXPECT_EQ(g.CompileRegExp("(" + std::string(255, 'a') + ")"), 0);
    EXPECT_EQ(g.CompileRegExp("(" + std::string(256, 'a') + ")"), GrepErrTooLong);
    // A long literal continues in further tokens and still matches as a whole.
    const std::string lit(600, 'q');
    ASSERT_EQ(g.CompileRegExp(lit + "r"), 0);
    EXPECT_EQ(g.GetTokenCount(), 3);
    int pos = 0;
    EXPECT_TRUE(g.MatchString("x" + lit + "r", pos));
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(g.GetMatchEnd(), 602);
    EXPECT_FALSE(g.MatchString(lit, pos));
    EXPECT_EQ(GrepErrorText(GrepErrTooLong), "reg.exp. too long");
}

TEST(GrepTest, SetRegExpRaisesOnlyWithStopOnError) {
    TGrep g(nullptr);
    g.SetName("Grep1");
    try {
        g.SetRegExp("[]");
        FAIL() << "no exception";
    } catch (const EQYXStringlError& e) {
        EXPECT_EQ(e.Message(), ComponentMsg(&g, "error in regular expression - empty set"));
    }
    EXPECT_EQ(g.GetRegExp(), "[]");
    EXPECT_EQ(g.GetErrorCode(), 4);
    EXPECT_EQ(g.GetTokenCount(), 1); // the partial set token stays

    g.SetStopOnError(false);
    EXPECT_NO_THROW(g.SetRegExp("a**"));
    EXPECT_EQ(g.GetErrorCode(), 9);
    g.SetStopOnError(true);
    EXPECT_NO_THROW(g.SetIgnoreCase(true)); // recompiles the failing pattern without raising
    EXPECT_EQ(g.GetErrorCode(), 9);
}

TEST(GrepTest, ChangingIgnoreCaseRecompiles) {
    TGrep g(nullptr);
    g.SetRegExp("ABC");
    int pos = 0;
    EXPECT_FALSE(g.MatchString("xabcx", pos));
    g.SetIgnoreCase(true);
    EXPECT_TRUE(g.MatchString("xABcx", pos));
    EXPECT_EQ(pos, 2);
    g.SetIgnoreCase(false);
    EXPECT_FALSE(g.MatchString("xabcx", pos));
}

// Patterns of many repetitions against long subjects: every (token, position) state is searched at
// most once, so these finish although a plain backtracking search would need exponential time.
TEST(GrepTest, ManyRepetitionsOnLongSubjects) {
    TGrep g(nullptr);
    const std::string as(20000, 'a');
    g.SetRegExp("a*a*a*a*a*a*a*a*a*a*b");
    int pos = 0;
    EXPECT_FALSE(g.MatchString(as, pos));
    EXPECT_TRUE(g.MatchString(as + "b", pos));
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(g.GetMatchEnd(), 20001);

    g.SetRegExp(".*.*.*.*.*.*.*.*x$");
    EXPECT_FALSE(g.MatchString(as, pos));
    g.SetRegExp("(aa)*(aa)*(aa)*(aa)*(aa)*c");
    EXPECT_FALSE(g.MatchString(as, pos));
    EXPECT_TRUE(g.MatchString(as + "c", pos));
    EXPECT_EQ(pos, 1);
}

// Our syntax written for the standard library (groups become non-capturing).
std::string ToEcma(const std::string& P) {
    std::string r;
    for (char c : P) r += c == '(' ? std::string("(?:") : std::string(1, c);
    return r;
}

// Random patterns over a small alphabet: whether and where a match starts agrees with std::regex,
// and the reported span really matches the pattern there.
TEST(GrepTest, AgreesWithStdRegexOnRandomPatterns) {
    const char* atoms[] = {"a", "b", "c", ".", "[ab]", "[^a]", "(ab)", "(ca)"};
    const char* ops[] = {"", "", "*", "+", "?"};
    RandSeed = 4711;
    TGrep g(nullptr);
    for (int round = 0; round < 3000; ++round) {
        std::string p = Random(4) == 0 ? "^" : "";
        const int n = 1 + Random(5);
        for (int i = 0; i < n; ++i) p += std::string(atoms[Random(8)]) + ops[Random(5)];
        if (Random(4) == 0) p += "$";
        std::string s;
        const int len = Random(12);
        for (int i = 0; i < len; ++i) s += static_cast<char>('a' + Random(3));
        if (g.CompileRegExp(p) != 0) continue;
        if (g.GetTokenCount() == 1 && g.GetRegExpToken(1).Act == taMult0) continue; // matches at 1 by rule
        SCOPED_TRACE("pattern '" + p + "' subject '" + s + "'");
        std::smatch m;
        const bool expected = std::regex_search(s, m, std::regex(ToEcma(p)));
        int pos = 0;
        ASSERT_EQ(g.MatchString(s, pos), expected);
        if (!expected) continue;
        EXPECT_EQ(pos, m.position(0) + 1);
        const std::string span = s.substr(pos - 1, static_cast<size_t>(g.GetMatchEnd() - pos + 1));
        if (p.front() != '^' && p.back() != '$') {
            EXPECT_TRUE(std::regex_match(span, std::regex(ToEcma(p))));
        }
    }
}

TEST(GrepTest, PrintRegExpListsTokensAndErrorState) {
    const std::string name = ::testing::TempDir() + "grep_listing.txt";
    auto lines = [&] {
        std::ifstream f(name, std::ios::binary);
        std::vector<std::string> r;
        for (std::string l; std::getline(f, l);) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            r.push_back(l);
        }
        return r;
    };
    TGrep g(nullptr);
    ASSERT_EQ(g.CompileRegExp("^a.[xy]b*(cd)+[0-2]?.*$"), 0);
    g.PrintRegExp(name);
    EXPECT_EQ(lines(), (std::vector<std::string>{"    taBol: ", " taNormal: a",
                                                 "taAnyByte: ", "    taSet: xy", "  taMult0: (string) b",
                                                 "  taMult1: (string) cd", "   taOpti: (set) 012",
                                                 "  taMult0: (anychar) ", "    taEol: ", "no errors"}));
    EXPECT_EQ(g.CompileRegExp("[]"), 4);
    g.PrintRegExp(name);
    EXPECT_EQ(lines(), (std::vector<std::string>{"    taSet: ", "empty set"}));
    std::remove(name.c_str());
    EXPECT_THROW(g.PrintRegExp("/nonexistent-dir/x/listing.txt"), EInOutError);
}

} // namespace
