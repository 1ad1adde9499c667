// TStringArray in the XML envelope: the stored form, round trips through files and streams, finding
// one array among several, and damaged documents that must leave the array as it was.
#include <qyx/QYX_dstruct.h>
#include <qyx/QYX_streams.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace qyx;

namespace {

std::string TempPath(const std::string& Name) {
    return (std::filesystem::temp_directory_path() / Name).string();
}

/// A small array that uses every feature of the format.
void FillSample(TStringArray& A) {
    A.SetAllocRowsBy(4);
    A.Resize(3, 5);
    A.SetString(0, 1, "row one");
    A.SetString(1, 1, "quote \" lt < gt > pct % amp &");
    A.SetString(1, 2, "line\r\nbreak\ttab \x01\x7F");
    A.SetString(2, 3, "\xE4\xF6\xFC \xDF caf\xE9");
    A.SetString(3, 5, "</stringarray>");
    A.SetString(2, 4, "  blanks  ");
    A.SetString(3, 4, "a=b c=\"d\" />");
    A.SetRowAttrib(2, 0x81);
    A.SetColAttrib(3, 200);
    A.Sort(1, false);
}

void ExpectSame(const TStringArray& A, const TStringArray& B) {
    ASSERT_EQ(A.GetNrOfColumns(), B.GetNrOfColumns());
    ASSERT_EQ(A.GetNrOfRows(), B.GetNrOfRows());
    EXPECT_EQ(A.GetAllocRowsBy(), B.GetAllocRowsBy());
    for (int c = 0; c <= A.GetNrOfColumns(); ++c) {
        EXPECT_EQ(A.GetColAttrib(c), B.GetColAttrib(c));
        for (int r = 1; r <= A.GetNrOfRows(); ++r) {
            SCOPED_TRACE(testing::Message() << "cell " << c << "," << r);
            EXPECT_EQ(A.GetString(c, r), B.GetString(c, r));
            EXPECT_EQ(A.GetRowAttrib(r), B.GetRowAttrib(r));
            EXPECT_EQ(A.GetSortOrder(r), B.GetSortOrder(r));
        }
    }
}

bool ReadFromText(TStringArray& A, const std::string& Text, const std::string& DataID = "") {
    TStringStream s(Text);
    return A.ReadFromXMLStream(&s, DataID);
}

std::string Envelope(const std::string& Elements) {
    return "<stringarray sig=\"QYXCSuite\" vers=\"1.0\" id=\"\">\r\n" + Elements + "</stringarray>\r\n";
}

} // namespace

TEST(DStructStringArrayXml, ReadsTheStoredForm) {
    TStringArray a(nullptr);
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    EXPECT_TRUE(a.LoadFromXMLFile(std::string(QYX_TEST_DATA) + "/dstruct/stringarray.xml", "towns"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a.GetNrOfColumns(), 2);
    EXPECT_EQ(a.GetNrOfRows(), 3);
    EXPECT_EQ(a.GetAllocRowsBy(), 5);
    // Shown in the stored order 3 1 2.
    EXPECT_EQ(a.GetString(1, 1), "Wien");
    EXPECT_EQ(a.GetString(1, 2), "Graz");
    EXPECT_EQ(a.GetString(2, 2), "\"Steiermark\"");
    EXPECT_EQ(a.GetString(0, 2), "#1");
    EXPECT_EQ(a.GetString(2, 1), "a<b>c% %ZZ");
    EXPECT_EQ(a.GetRowAttrib(1), 1);
    EXPECT_EQ(a.GetColAttrib(2), 128);
    EXPECT_FALSE(a.LoadFromXMLFile(std::string(QYX_TEST_DATA) + "/dstruct/stringarray.xml", "other"));
    EXPECT_FALSE(a.LoadFromXMLFile(TempPath("qyx_no_such_dir/none.xml"), ""));
}

TEST(DStructStringArrayXml, WritesTheEnvelope) {
    TStringArray a(nullptr);
    a.Resize(1, 2);
    a.SetString(1, 2, "x\"y");
    TMemoryStream m;
    a.WriteToXMLStream(&m, true, "T1");
    const std::string text(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.GetSize()));
    EXPECT_EQ(text, "<?xml version=\"1.0\"?>\r\n\r\n<!-- TStringArray / QYX Component Suite -->\r\n"
                    "<stringarray sig=\"QYXCSuite\" vers=\"1.0\" id=\"T1\">\r\n"
                    "  <dimensions cols=\"1\" rows=\"2\" allocrowsby=\"10\" />\r\n"
                    "  <cell col=\"1\" row=\"2\" text=\"x%22y\" />\r\n"
                    "</stringarray>\r\n");
}

TEST(DStructStringArrayXml, RoundTripsThroughFilesAndStreams) {
    TStringArray a(nullptr);
    FillSample(a);
    const std::string path = TempPath("qyx_dstruct_strarray.xml");
    a.SaveAsXMLFile(path, "sample");
    TStringArray b(nullptr);
    ASSERT_TRUE(b.LoadFromXMLFile(path, "SAMPLE"));
    ExpectSame(a, b);

    TMemoryStream m;
    a.WriteToXMLStream(&m, false, "");
    m.SetPosition(0);
    TStringArray c(nullptr);
    ASSERT_TRUE(c.ReadFromXMLStream(&m, ""));
    ExpectSame(a, c);

    // A large array with every byte value in its texts.
    TStringArray big(nullptr);
    big.Resize(4, 3000);
    for (int c2 = 0; c2 <= 4; ++c2)
        for (int r = 1; r <= 3000; ++r) {
            std::string s;
            for (int k = 0; k < (r * 7 + c2) % 60; ++k) s += static_cast<char>((r * 31 + k * 17 + c2) % 256);
            big.SetString(c2, r, s);
        }
    big.Sort(2, true);
    big.SaveAsXMLFile(path, "big");
    TStringArray d(nullptr);
    ASSERT_TRUE(d.LoadFromXMLFile(path, "big"));
    ExpectSame(big, d);
}

TEST(DStructStringArrayXml, SeveralArraysInOneFileAreReadForward) {
    TStringArray a(nullptr), b(nullptr);
    a.SetString(1, 1, "first");
    b.SetString(1, 1, "second");
    const std::string path = TempPath("qyx_dstruct_two_arrays.xml");
    SaveXMLFile(path, [&](TextFile& F) {
        a.WriteToOpenXMLFile(F, true, "a");
        b.WriteToOpenXMLFile(F, false, "b");
    });
    TStringArray r(nullptr);
    TextFile f;
    AssignFile(f, path);
    Reset(f);
    EXPECT_TRUE(r.ReadFromOpenXMLFile(f, "a"));
    EXPECT_EQ(r.GetString(1, 1), "first");
    EXPECT_TRUE(r.ReadFromOpenXMLFile(f, "B"));
    EXPECT_EQ(r.GetString(1, 1), "second");
    EXPECT_FALSE(r.ReadFromOpenXMLFile(f, "a")); // the search only goes forward
    EXPECT_EQ(r.GetString(1, 1), "second");
    CloseFile(f);
}

TEST(DStructStringArrayXml, DamagedDocumentsLeaveTheArrayUnchanged) {
    const std::string dims = "  <dimensions cols=\"2\" rows=\"3\" />\r\n";
    const std::string cases[] = {
        "",                                                               // no root
        "<stringarray sig=\"QYXCSuite\" id=\"\">\r\n" + dims,             // no end tag
        Envelope(""),                                                     // no sizes
        Envelope("  <dimensions cols=\"0\" rows=\"3\" />\r\n"),           // sizes out of range
        Envelope("  <dimensions cols=\"2\" rows=\"x\" />\r\n"),           // not a number
        Envelope("  <dimensions cols=\"2\" rows=\"99999999999\" />\r\n"), // beyond an integer
        Envelope("  <dimensions cols=\"2\" rows=\"100000000\" />\r\n"),   // beyond MaxCells
        Envelope(dims + "  <cell col=\"3\" row=\"1\" text=\"a\" />\r\n"), // cell outside
        Envelope(dims + "  <cell col=\"1\" row=\"0\" text=\"a\" />\r\n"), // row 0
        Envelope(dims + "  <cell row=\"1\" text=\"a\" />\r\n"),           // no column
        Envelope(dims + "  <rowattrib row=\"4\" value=\"1\" />\r\n"),     // attribute outside
        Envelope(dims + "  <colattrib col=\"1\" value=\"256\" />\r\n"),   // not a byte
        Envelope(dims + "  <sortorder>1 2</sortorder>\r\n"),              // too short
        Envelope(dims + "  <sortorder>1 1 2</sortorder>\r\n"),            // no permutation
        Envelope(dims + "  <sortorder>1 2 x</sortorder>\r\n"),            // not numbers
        Envelope(dims + "  <unknown />\r\n"),                             // unknown element
        Envelope(dims + "  <!-- comment -->\r\n"),                        // no comments
    };
    for (const auto& text : cases) {
        SCOPED_TRACE(text);
        TStringArray a(nullptr);
        FillSample(a);
        TStringArray before(nullptr);
        FillSample(before);
        int changes = 0;
        a.OnChange = [&](TObject*) { ++changes; };
        EXPECT_FALSE(ReadFromText(a, text));
        EXPECT_EQ(changes, 0);
        ExpectSame(a, before);
    }
}

TEST(DStructStringArrayXml, TolerableVariations) {
    TStringArray a(nullptr);
    // Elements in any order, unquoted values, a repeated cell (the last counts), long texts cut.
    EXPECT_TRUE(ReadFromText(a, Envelope("  <cell col=1 row=2 text=\"x\" />\r\n"
                                         "  <cell col=\"1\" row=\"2\" text=\"y\" />\r\n"
                                         "  <cell col=\"0\" row=\"1\" text=\"" +
                                         std::string(300, 'L') +
                                         "\" />\r\n"
                                         "  <dimensions cols=\" 1 \" rows=2 />\r\n")));
    EXPECT_EQ(a.GetNrOfRows(), 2);
    EXPECT_EQ(a.GetAllocRowsBy(), 10);
    EXPECT_EQ(a.GetString(1, 2), "y");
    EXPECT_EQ(a.GetString(0, 1), std::string(255, 'L'));
}
