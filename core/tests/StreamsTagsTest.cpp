// The XML tag scanners on streams and text files, and the attribute scanner.
#include <qyx/QYX_streams.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace qyx;

namespace {

const std::vector<std::string> kTags = {"posxy",  "br",  "caption", "/geomap",
                                        "geomap", "!--", "?xml",    "dummy"};
constexpr int kLast = 7;

struct TTagCase {
    const char* Name;
    std::string Input;
    int Index;
    std::string Attributes;
    std::string Content;
    std::string Rest; // what the next read would see
};

using TTagRead = std::tuple<int, std::string, std::string>;

// Reads tags until the last index, as a reader's element loop does.
std::vector<TTagRead> ReadAllTags(const std::function<int(std::string&, std::string&)>& Next) {
    std::vector<TTagRead> got;
    for (int guard = 0; guard < 100; ++guard) {
        std::string a = "stale", c = "stale";
        const int i = Next(a, c);
        got.emplace_back(i, a, c);
        if (i == kLast) break;
    }
    return got;
}

std::string WriteTempFile(const std::string& Name, const std::string& Bytes) {
    const auto path = std::filesystem::temp_directory_path() / Name;
    TStringStream s(Bytes);
    TMemoryStream m;
    m.LoadFromStream(&s);
    m.SaveToFile(path.string());
    return path.string();
}

} // namespace

TEST(StreamsTags, ReadNextTagInStream) {
    const TTagCase cases[] = {
        {"empty element with attributes", "<posxy x=1 y=2 />rest", 0, "x=1 y=2", "", "rest"},
        {"empty element without blank", "<br/>rest", 1, "", "", "rest"},
        {"end tag reads no text", "</geomap>\r\nrest", 3, "", "", "\r\nrest"},
        {"text element", "  <caption>Hello World</caption>rest", 2, "", "Hello World", "rest"},
        {"end tag in capitals; content keeps its case", "<Caption>AbC</CAPTION>x", 2, "", "AbC", "x"},
        {"inner elements and line breaks are content", "<caption lang=en >a<b>c</b>\r\nd</caption>x", 2,
         "lang=en", "a<b>c</b>\r\nd", "x"},
        {"comment: its end tag never comes", "<!-- note -->\r\n<posxy />", 5, "note --", "\r\n<posxy />", ""},
        {"processing instruction", "<?xml version=\"1.0\"?>\n<br/>", 6, "version=\"1.0\"?", "\n<br/>", ""},
        {"names compare in lower case; attributes keep theirs", "<POSXY X=1 />", 0, "X=1", "", ""},
        {"unknown start tag still reads its text", "<other a=1>t</other>x", kLast, "a=1", "t", "x"},
        {"text element cut off", "<caption>never ends", 2, "", "never ends", ""},
        {"tag cut off", "<posxy x=1", 0, "x=1", "", ""},
        {"nothing after <", "ab<", kLast, "", "", ""},
        {"no tag at all", "plain text", kLast, "", "", ""},
        {"empty input", "", kLast, "", "", ""},
        {"empty name", "<>x", kLast, "", "", "x"},
        {"blank before the name", "< posxy />x", kLast, "posxy", "", "x"},
        {"same-named inner element ends the outer one early", "<caption>a<caption>b</caption>c</caption>", 2,
         "", "a<caption>b", "c</caption>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TStringStream s(c.Input);
        std::string attrs = "stale", content = "stale";
        EXPECT_EQ(ReadNextTagInStream(&s, kTags, attrs, content), c.Index);
        EXPECT_EQ(attrs, c.Attributes);
        EXPECT_EQ(content, c.Content);
        EXPECT_EQ(StreamAsString(&s), c.Rest);
    }
}

TEST(StreamsTags, EmptyTagListGivesMinusOne) {
    TStringStream s("<a>b</a>");
    std::string attrs, content;
    EXPECT_EQ(ReadNextTagInStream(&s, {}, attrs, content), -1);
    EXPECT_EQ(content, "b");
}

TEST(StreamsTags, TextFileAndStreamReadTheSameElements) {
    const std::string doc = "<geomap sig=\"QYXCSuite\" id=\"x\">\r\n"
                            "  <posxy x= 1.5E+0000 y=-2 />\r\n"
                            "  <caption>Line one\r\nline two</Caption>\r\n"
                            "  <mystery>?</mystery>\r\n"
                            "  <br/>\r\n"
                            "</geomap>\r\n"
                            "<posxy x=9 />\r\n";
    TStringStream s(doc);
    const auto fromStream =
        ReadAllTags([&](std::string& a, std::string& c) { return ReadNextTagInStream(&s, kTags, a, c); });
    const std::string path = WriteTempFile("qyx_streams_tags.xml", doc);
    TextFile f;
    AssignFile(f, path);
    Reset(f);
    const auto fromFile =
        ReadAllTags([&](std::string& a, std::string& c) { return ReadNextTagInTextFile(f, kTags, a, c); });
    CloseFile(f);
    std::filesystem::remove(path);

    const std::vector<TTagRead> expected = {
        {4, "sig=\"QYXCSuite\" id=\"x\"",
         "\r\n  <posxy x= 1.5E+0000 y=-2 />\r\n  <caption>Line one\r\nline "
         "two</Caption>\r\n  <mystery>?</mystery>\r\n  <br/>\r\n"},
        {0, "x=9", ""},
        {kLast, "", ""},
    };
    EXPECT_EQ(fromStream, expected);
    EXPECT_EQ(fromFile, expected);
}

TEST(StreamsTags, ElementLoopAfterTheRootLine) {
    // Readers find the root line first and then walk its elements up to the root end tag.
    const std::string body =
        "  <posxy x=1 y=2 />\r\n  <caption>A>b</caption>\r\n  <br/>\r\n</geomap>\r\ntrailer";
    TStringStream s(body);
    const auto got = ReadAllTags([&](std::string& a, std::string& c) {
        const int i = ReadNextTagInStream(&s, kTags, a, c);
        return i == 3 ? kLast : i; // stop at </geomap>
    });
    const std::vector<TTagRead> expected = {{0, "x=1 y=2", ""}, {2, "", "A>b"}, {1, "", ""}, {kLast, "", ""}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(StreamAsString(&s), "\r\ntrailer");
}

TEST(StreamsTags, ScanForXMLAttrib) {
    struct TCase {
        std::string Attributes;
        std::string Name;
        std::string Value;
    };
    const TCase cases[] = {
        {"x = \"1 2\" y=3", "Y", "3"},
        {"x = \"1 2\" y=3", "x", "1 2"},
        {"a\"b=1", "b", ""}, // a quote in a name ends the walk
        {"x=1 y=2", "z", ""},
        {"name=\"Ab C\"", "NAME", "Ab C"},
        {" x=1", "x", "1"},
        {"x=\"unterminated", "x", "unterminated"},
        {"x=\"a=b\" y=\"\"", "x", "a=b"},
        {"x=\"a=b\" y=\"\"", "y", ""},
        {"flag", "flag", ""},
        {"x==1 y=2", "y", ""},  // "=" where a value belongs
        {"x=1=2 y=3", "y", ""}, // "=" inside a plain value
        {"x=1 y==2", "x", "1"}, // the error comes after the attribute asked for
        {"x=a\"b=2", "b", "2"}, // a quote ends a plain value
        {"x=1  y=2", "y", "2"},
        {"color=$FF00FF size=12", "size", "12"},
        {"", "x", ""},
        {"x=", "x", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Attributes + " / " + c.Name);
        EXPECT_EQ(ScanForXMLAttrib(c.Attributes, c.Name), c.Value);
    }
}

TEST(StreamsTags, ScanStreamForXMLTagLooksIntoElements) {
    const std::string doc = "<outer a=1><Inner b=\"2\">text</inner><leaf c=3 /></outer>tail";
    struct TCase {
        std::string Tag;
        bool Found;
        std::string Attributes;
        std::string Content;
        std::string Rest;
    };
    const TCase cases[] = {
        {"INNER", true, "b=\"2\"", "text", "<leaf c=3 /></outer>tail"},
        {"leaf", true, "c=3", "", "</outer>tail"},
        {"outer", true, "a=1", "<Inner b=\"2\">text</inner><leaf c=3 />", "tail"},
        {"/outer", true, "", "", "tail"},
        {"missing", false, "", "", ""},
        {"", false, "", "", doc},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Tag);
        TStringStream s(doc);
        std::string attrs = "stale", content = "stale";
        EXPECT_EQ(ScanStreamForXMLTag(&s, c.Tag, attrs, content), c.Found);
        EXPECT_EQ(attrs, c.Attributes);
        EXPECT_EQ(content, c.Content);
        EXPECT_EQ(StreamAsString(&s), c.Rest);
    }
}

TEST(StreamsTags, ReadStreamUntilTagList) {
    const std::vector<std::string> tags = {"stop", "/end", "dummy"};
    struct TCase {
        std::string Input;
        std::string Result;
        int Index;
        std::string Rest;
    };
    const TCase cases[] = {
        {"abc <b>x</b><STOP a=1> tail", "abc <b>x</b><STOP a=1>", 0, " tail"},
        {"text</end>more", "text</end>", 1, "more"},
        {"<stop/>", "<stop/>", 0, ""},
        {"<dummy> is no stop", "<dummy> is no stop", 2, ""},
        {"no tag", "no tag", 2, ""},
        {"cut <sto", "cut <sto", 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Input);
        TStringStream s(c.Input);
        int index = 99;
        EXPECT_EQ(ReadStreamUntilTagList(&s, tags, index), c.Result);
        EXPECT_EQ(index, c.Index);
        EXPECT_EQ(StreamAsString(&s), c.Rest);
    }
    TStringStream s("<stop>");
    int index = 99;
    EXPECT_EQ(ReadStreamUntilTagList(&s, {}, index), "");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(s.GetPosition(), 0);
}
