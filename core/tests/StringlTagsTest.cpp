// Tag scanning in strings (ReadNextTagInString, DetectNextTagInString).
#include <qyx/QYX_stringl.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace qyx;

namespace {

const std::vector<std::string> Tags{"geomap", "posxy", "br", "caption", "/geomap", "dummy"};
constexpr int Last = 5;

struct TScan {
    int Index;
    std::string Attributes;
    std::string Content;
};

std::vector<TScan> ScanAll(const std::string& S, int Pos = 1) {
    std::vector<TScan> r;
    for (int guard = 0; guard < 100; ++guard) {
        TScan t;
        t.Index = ReadNextTagInString(S, Pos, Tags, t.Attributes, t.Content);
        r.push_back(t);
        if (t.Index == Last && t.Attributes.empty() && t.Content.empty()) break;
    }
    return r;
}

} // namespace

TEST(StringlTags, ReadsTheElementsOfARoot) {
    const std::string doc = "  <posxy x=1 y=2 />\r\n"
                            "  <br/>\r\n"
                            "  <caption>Hello <b>World</b>\r\nline 2</CAPTION>\r\n"
                            "  <Caption  font=\"Arial\" >x</caption>\r\n"
                            "</geomap>\r\n";
    const std::vector<TScan> scans = ScanAll(doc);
    ASSERT_EQ(scans.size(), 6u);
    EXPECT_EQ(scans[0].Index, 1);
    EXPECT_EQ(scans[0].Attributes, "x=1 y=2");
    EXPECT_EQ(scans[0].Content, "");
    EXPECT_EQ(scans[1].Index, 2);
    EXPECT_EQ(scans[1].Attributes, "");
    EXPECT_EQ(scans[2].Index, 3); // the end tag in capitals still ends the text, which keeps its case
    EXPECT_EQ(scans[2].Content, "Hello <b>World</b>\r\nline 2");
    EXPECT_EQ(scans[3].Index, 3);
    EXPECT_EQ(scans[3].Attributes, "font=\"Arial\"");
    EXPECT_EQ(scans[3].Content, "x");
    EXPECT_EQ(scans[4].Index, 4); // an end tag reads no text
    EXPECT_EQ(scans[4].Content, "");
    EXPECT_EQ(scans[5].Index, Last);
}

TEST(StringlTags, PositionsAndOddTags) {
    std::string attrs = "stale";
    std::string content = "stale";
    int pos = 1;
    const std::string s = "<geomap sig=\"QYXCSuite\">in</geomap>tail";
    EXPECT_EQ(ReadNextTagInString(s, pos, Tags, attrs, content), 0);
    EXPECT_EQ(attrs, "sig=\"QYXCSuite\"");
    EXPECT_EQ(content, "in");
    EXPECT_EQ(pos, 36); // after the end tag, at "tail"
    EXPECT_EQ(ReadNextTagInString(s, pos, Tags, attrs, content), Last);
    EXPECT_EQ(attrs, "");
    EXPECT_EQ(content, "");
    EXPECT_EQ(pos, static_cast<int>(s.size()) + 1);

    struct TCase {
        std::string S;
        int Index;
        const char* Attributes;
        const char* Content;
        int PosAfter;
    };
    const std::vector<TCase> cases = {
        // A comment is a start tag whose end tag never comes: it takes the rest as its content.
        {"<!-- note --><br/>", Last, "note --", "<br/>", 19},
        {"<foo a=\"1\">text</foo><br/>", Last, "a=\"1\"", "text", 22},
        {"<caption>open", 3, "", "open", 14}, // no end tag: the rest of the text
        {"<posxy x=1", 1, "x=1", "", 11},     // cut off by the end of the text
        {"<posxy", 1, "", "", 7},
        {"<>", Last, "", "", 3},
        {"< posxy>", Last, "posxy", "", 9},
        {"<BR />", 2, "", "", 7},
        {"no tags", Last, "", "", 8},
        {"", Last, "", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.S);
        pos = 1;
        EXPECT_EQ(ReadNextTagInString(c.S, pos, Tags, attrs, content), c.Index);
        EXPECT_EQ(attrs, c.Attributes);
        EXPECT_EQ(content, c.Content);
        EXPECT_EQ(pos, c.PosAfter);
    }
}

TEST(StringlTags, PositionsOutOfRangeAndEmptyList) {
    std::string attrs;
    std::string content;
    int pos = INT_MIN;
    EXPECT_EQ(ReadNextTagInString("<br/>", pos, Tags, attrs, content), 2);
    EXPECT_EQ(pos, 6);
    pos = INT_MAX;
    EXPECT_EQ(ReadNextTagInString("<br/>", pos, Tags, attrs, content), Last);
    EXPECT_EQ(pos, INT_MAX);
    pos = 1;
    EXPECT_EQ(ReadNextTagInString("<br/>", pos, {}, attrs, content), -1);
}

TEST(StringlTags, DetectNextTagInString) {
    const std::string s = "ab <posxy x=1 /> cd <caption a='b'>t</caption> <open";
    struct TFound {
        int Index;
        int Start;
        int End;
        const char* Attributes;
        bool Empty;
    };
    const std::vector<std::string> tags{"posxy", "caption", "/caption", "open", "dummy"};
    const TFound expected[] = {
        {0, 4, 16, "x=1", true}, {1, 21, 35, "a='b'", false},
        {2, 37, 46, "", false},  {3, 48, 52, "", false}, // unterminated at the end of the text
        {4, 0, 52, "", false},                           // no further tag
    };
    int start = 1;
    for (const auto& e : expected) {
        SCOPED_TRACE(e.Start);
        int end = -1;
        std::string attrs = "stale";
        bool empty = !e.Empty;
        EXPECT_EQ(DetectNextTagInString(s, start, end, tags, attrs, empty), e.Index);
        EXPECT_EQ(start, e.Start);
        EXPECT_EQ(end, e.End);
        EXPECT_EQ(attrs, e.Attributes);
        EXPECT_EQ(empty, e.Empty);
        start = end + 1;
    }
    int end = 0;
    std::string attrs;
    bool empty = true;
    start = INT_MIN;
    EXPECT_EQ(DetectNextTagInString(s, start, end, tags, attrs, empty), 0);
    EXPECT_EQ(start, 4);
    start = INT_MAX;
    EXPECT_EQ(DetectNextTagInString(s, start, end, tags, attrs, empty), 4);
    EXPECT_EQ(start, 0);
}
