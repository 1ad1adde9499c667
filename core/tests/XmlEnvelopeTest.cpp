// The XML envelope: its lines, finding an object's root by tag and identifier, and the file patterns.
#include <qyx/QYX_streams.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace qyx;

namespace {

// Two text labels in one file, identifiers "a" and "b", the second written without header, indent 0.
const std::string kTwoLabels = std::string(QYX_TEST_DATA) + "/envelope_two_labels.xml";

const std::vector<std::string> kLabelTags = {"caption", "/custtextlbl", "dummy"};

std::string FileBytes(const std::string& Path) {
    TMemoryStream m;
    m.LoadFromFile(Path);
    return std::string(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.GetSize()));
}

std::string TempPath(const std::string& Name) {
    return (std::filesystem::temp_directory_path() / Name).string();
}

// Writes one label-like object as a writer with an indentation count does.
void WriteLabel(TextFile& F, bool CreateHeader, const std::string& DataID, int Indent,
                const std::string& Caption) {
    const std::string prefix = XMLIndentation(Indent);
    WriteXMLEnvelopeHead(F, CreateHeader, "custtextlbl", "TCustomTextLabel", DataID, {}, prefix);
    Writeln(F, prefix + "  " + XMLTextElement("caption", Caption));
    WriteXMLEnvelopeTail(F, "custtextlbl", prefix);
}

// Reads the caption of the label DataID from the open file; false when its root is not found.
bool ReadLabel(TextFile& F, const std::string& DataID, std::string& Caption) {
    if (!FindXMLRoot(F, "custtextlbl", DataID)) return false;
    std::string attrs, content;
    for (;;) {
        const int i = ReadNextTagInTextFile(F, kLabelTags, attrs, content);
        if (i == 0) Caption = content;
        if (i == 1) return true;
        if (i == 2) return false;
    }
}

} // namespace

// ---- writing ---------------------------------------------------------------------------------------

TEST(XmlEnvelope, LineTexts) {
    EXPECT_EQ(XMLCommentLine("TCustomTextLabel"), "<!-- TCustomTextLabel / QYX Component Suite -->");
    EXPECT_EQ(XMLRootStartTag("custtextlbl", "x"), "<custtextlbl sig=\"QYXCSuite\" vers=\"1.0\" id=\"x\">");
    EXPECT_EQ(XMLRootStartTag("replist", ""), "<replist sig=\"QYXCSuite\" vers=\"1.0\" id=\"\">");
    EXPECT_EQ(XMLRootStartTag("geomap", "m", "model=\"cmConicConformal\" map=\"a.jpg\" caption=\"C\""),
              "<geomap sig=\"QYXCSuite\" vers=\"1.0\" id=\"m\" model=\"cmConicConformal\" map=\"a.jpg\" "
              "caption=\"C\">");
    EXPECT_EQ(XMLRootEndTag("lmsymbols"), "</lmsymbols>");
    EXPECT_EQ(XMLEmptyElement("posxy", "x=1 y=2"), "<posxy x=1 y=2 />");
    EXPECT_EQ(XMLEmptyElement("br", ""), "<br />");
    EXPECT_EQ(XMLTextElement("caption", "Hi"), "<caption>Hi</caption>");
}

TEST(XmlEnvelope, IndentationIsLimitedTo1To255) {
    const std::pair<int, size_t> cases[] = {{-5, 1}, {0, 1}, {1, 1}, {3, 3}, {255, 255}, {1000, 255}};
    for (const auto& [indent, blanks] : cases) {
        SCOPED_TRACE(indent);
        EXPECT_EQ(XMLIndentation(indent), std::string(blanks, ' '));
    }
}

TEST(XmlEnvelope, WritersProduceTheSharedLayout) {
    // Text file: two objects in one file, the second without header.
    const std::string path = TempPath("qyx_envelope_write.xml");
    SaveXMLFile(path, [](TextFile& F) {
        WriteLabel(F, true, "a", 0, "First");
        WriteLabel(F, false, "b", 0, "Second");
    });
    EXPECT_EQ(FileBytes(path), FileBytes(kTwoLabels));
    std::filesystem::remove(path);

    // Stream, without indentation and with a class attribute after the id.
    TStringStream s;
    WriteXMLEnvelopeHead(&s, true, "geomap", "TGeoMap Calibration", "Map 1", "model=\"x\"");
    WriteLnStream(&s, "<resolution>1.000</resolution>");
    WriteXMLEnvelopeTail(&s, "geomap");
    WriteXMLEnvelopeHead(&s, false, "lmsymbols", "TGeoMap Landmark Repository", "");
    EXPECT_EQ(s.GetDataString(), "<?xml version=\"1.0\"?>\r\n"
                                 "\r\n"
                                 "<!-- TGeoMap Calibration / QYX Component Suite -->\r\n"
                                 "<geomap sig=\"QYXCSuite\" vers=\"1.0\" id=\"Map 1\" model=\"x\">\r\n"
                                 "<resolution>1.000</resolution>\r\n"
                                 "</geomap>\r\n"
                                 "\r\n"
                                 "<!-- TGeoMap Landmark Repository / QYX Component Suite -->\r\n"
                                 "<lmsymbols sig=\"QYXCSuite\" vers=\"1.0\" id=\"\">\r\n");
}

// ---- the root line -----------------------------------------------------------------------------------

TEST(XmlEnvelope, RootLineMatching) {
    struct TCase {
        const char* Name;
        std::string Line;
        std::string Tag;
        std::string DataID;
        bool Match;
    };
    const std::string a = "<custtextlbl sig=\"QYXCSuite\" vers=\"1.0\" id=\"a\">";
    const TCase cases[] = {
        {"same id", a, "custtextlbl", "a", true},
        {"id compared without regard to case", a, "custtextlbl", "A", true},
        {"other id", a, "custtextlbl", "b", false},
        {"empty DataID matches any id", a, "custtextlbl", "", true},
        {"other root tag", a, "geomap", "", false},
        {"no signature", "<custtextlbl vers=\"1.0\" id=\"a\">", "custtextlbl", "a", false},
        {"line without id matches only an empty DataID", "<custtextlbl sig=\"QYXCSuite\">", "custtextlbl", "",
         true},
        {"line without id, DataID given", "<custtextlbl sig=\"QYXCSuite\">", "custtextlbl", "a", false},
        {"empty id written", "<replist sig=\"QYXCSuite\" id=\"\">", "replist", "x", false},
        {"attribute order does not matter", "  <replist id=\"Q\" vers=\"1.0\" sig=\"qyxcsuite\">", "replist",
         "q", true},
        {"capitals everywhere", "<CUSTTEXTLBL SIG=\"QYXCSUITE\" ID=\"A\">", "custtextlbl", "a", true},
        {"blanks around the id are ignored", "<geomap sig=\"QYXCSuite\" id=\"  My Map \">", "geomap",
         "my map", true},
        {"...on both sides", "<geomap sig=\"QYXCSuite\" id=\"  My Map \">", "geomap", " MY MAP ", true},
        {"inner blanks count", "<geomap sig=\"QYXCSuite\" id=\"My  Map\">", "geomap", "my map", false},
        {"unterminated id reads as empty", "<geomap sig=\"QYXCSuite\" id=\"abc", "geomap", "abc", false},
        {"unterminated id, empty DataID", "<geomap sig=\"QYXCSuite\" id=\"abc", "geomap", "", true},
        {"start tag must follow <", "custtextlbl sig=\"QYXCSuite\"", "custtextlbl", "", false},
        {"empty line", "", "custtextlbl", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(IsXMLRootLine(c.Line, c.Tag, c.DataID), c.Match);
    }
    EXPECT_EQ(XMLRootLineID("<x sig=\"QYXCSuite\" id=\" Ab \" model=\"m\">"), "ab");
    EXPECT_EQ(XMLRootLineID("<x sig=\"QYXCSuite\">"), "");
}

TEST(XmlEnvelope, FindingObjectsInOneFileGoesForwardOnly) {
    struct TCase {
        const char* Name;
        std::vector<std::string> Reads;    // identifiers read one after another from one open file
        std::vector<std::string> Captions; // "" where the reader returns false
    };
    const TCase cases[] = {
        {"second object, identifier in capitals", {"B"}, {"Second"}},
        {"a then b", {"a", "b"}, {"First", "Second"}},
        {"b then a: the search only goes forward", {"b", "a"}, {"Second", ""}},
        {"empty identifier takes the next object", {"", ""}, {"First", "Second"}},
        {"unknown identifier", {"c"}, {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TextFile f;
        AssignFile(f, kTwoLabels);
        Reset(f);
        for (size_t i = 0; i < c.Reads.size(); ++i) {
            std::string caption;
            EXPECT_EQ(ReadLabel(f, c.Reads[i], caption), !c.Captions[i].empty());
            EXPECT_EQ(caption, c.Captions[i]);
        }
        CloseFile(f);
    }
}

TEST(XmlEnvelope, FindXMLRootInAStream) {
    TStringStream s(FileBytes(kTwoLabels));
    std::string root;
    ASSERT_TRUE(FindXMLRoot(&s, "custtextlbl", "B", root));
    EXPECT_EQ(root, " <custtextlbl sig=\"QYXCSuite\" vers=\"1.0\" id=\"b\">");
    std::string attrs, content;
    EXPECT_EQ(ReadNextTagInStream(&s, kLabelTags, attrs, content), 0);
    EXPECT_EQ(content, "Second");
    EXPECT_EQ(ReadNextTagInStream(&s, kLabelTags, attrs, content), 1);
    EXPECT_FALSE(FindXMLRoot(&s, "custtextlbl", ""));
    EXPECT_EQ(s.GetPosition(), s.GetSize());

    // Line feeds alone, and a root line that is the last line of the stream without a line end.
    TStringStream lf("\n<!-- x -->\n<replist sig=\"QYXCSuite\" id=\"t\">");
    EXPECT_TRUE(FindXMLRoot(&lf, "replist", "T"));
    TStringStream none("<replist id=\"t\">\r\n");
    EXPECT_FALSE(FindXMLRoot(&none, "replist", ""));
    TStringStream empty;
    EXPECT_FALSE(FindXMLRoot(&empty, "replist", ""));
}

// ---- the file patterns -------------------------------------------------------------------------------

TEST(XmlEnvelope, LoadReturnsFalseWhenTheFileCannotBeOpened) {
    bool called = false;
    const auto read = [&](TextFile&) {
        called = true;
        return true;
    };
    EXPECT_FALSE(LoadXMLFile(TempPath("qyx_no_such_dir/none.xml"), read));
    EXPECT_FALSE(LoadXMLFile("", read));
    EXPECT_FALSE(called);

    std::string caption;
    EXPECT_TRUE(LoadXMLFile(kTwoLabels, [&](TextFile& F) { return ReadLabel(F, "b", caption); }));
    EXPECT_EQ(caption, "Second");
    EXPECT_FALSE(LoadXMLFile(kTwoLabels, [&](TextFile& F) { return ReadLabel(F, "zz", caption); }));
}

TEST(XmlEnvelope, SaveRaisesTheInputOutputError) {
    EXPECT_THROW(SaveXMLFile(TempPath("qyx_no_such_dir/out.xml"), [](TextFile&) {}), EInOutError);
    // An error inside the writer passes too, and the file is closed behind it.
    const std::string path = TempPath("qyx_envelope_throw.xml");
    EXPECT_THROW(SaveXMLFile(path,
                             [](TextFile& F) {
                                 WriteLabel(F, true, "x", 2, "c");
                                 throw EWriteError("Stream write error");
                             }),
                 EWriteError);
    std::filesystem::remove(path);
}

TEST(XmlEnvelope, RoundTripThroughAStream) {
    // A class with stream variants writes and reads the same envelope on a stream.
    TMemoryStream m;
    for (const char* id : {"first", "Second", ""}) {
        WriteXMLEnvelopeHead(&m, m.GetSize() == 0, "gmlandmarks", "TGeoMap Landmarks", id);
        WriteLnStream(&m, XMLEmptyElement("landmark", std::string("lat=1 name=\"") + id + "\""));
        WriteXMLEnvelopeTail(&m, "gmlandmarks");
    }
    const std::vector<std::string> tags = {"landmark", "/gmlandmarks", "dummy"};
    for (const char* id : {"SECOND", "first"}) {
        SCOPED_TRACE(id);
        m.SetPosition(0);
        ASSERT_TRUE(FindXMLRoot(&m, "gmlandmarks", id));
        std::string attrs, content;
        ASSERT_EQ(ReadNextTagInStream(&m, tags, attrs, content), 0);
        EXPECT_TRUE(SameText(ScanForXMLAttrib(attrs, "name"), id));
        EXPECT_EQ(ReadNextTagInStream(&m, tags, attrs, content), 1);
    }
}
