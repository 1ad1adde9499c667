// Text labels: defaults, change notification, and saving and loading in the XML envelope.
#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Graphics.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace qyx;

namespace {

std::string TempPath(const std::string& Name) {
    return (std::filesystem::temp_directory_path() /
            ("qyx_textlabel_" + std::to_string(getpid()) + "_" + Name))
        .string();
}

void WriteBytes(const std::string& Path, const std::string& Bytes) {
    std::ofstream(Path, std::ios::binary) << Bytes;
}

std::string ReadBytes(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A label that counts its notifications.
struct TCountedLabel : TCustomTextLabel {
    int Calls = 0;
    TCountedLabel() {
        OnChange = [this](TObject* Sender) {
            EXPECT_EQ(Sender, this);
            ++Calls;
        };
    }
};

// The text WriteToOpenXMLFile gives.
std::string WrittenText(const TCustomTextLabel& L, bool CreateHeader, const std::string& DataID, int Indent) {
    const std::string path = TempPath("written.xml");
    TextFile f;
    AssignFile(f, path);
    Rewrite(f);
    L.WriteToOpenXMLFile(f, CreateHeader, DataID, Indent);
    CloseFile(f);
    const std::string text = ReadBytes(path);
    std::filesystem::remove(path);
    return text;
}

// Reads a label from Text through a text file.
bool ReadFromText(TCustomTextLabel& L, const std::string& Text, const std::string& DataID) {
    const std::string path = TempPath("read.xml");
    WriteBytes(path, Text);
    TextFile f;
    AssignFile(f, path);
    Reset(f);
    const bool ok = L.ReadFromOpenXMLFile(f, DataID);
    CloseFile(f);
    std::filesystem::remove(path);
    return ok;
}

// The same through a stream.
bool ReadFromStreamText(TCustomTextLabel& L, const std::string& Text, const std::string& DataID) {
    TStringStream s(Text);
    return L.ReadFromXMLStream(&s, DataID);
}

// Every setting of a label that differs from the defaults.
void SetEverything(TCustomTextLabel& L) {
    L.SetPosX(-123.456789012345678);
    L.SetPosY(1.0 / 3.0);
    L.SetLayer(16);
    L.SetShadowDx(-3);
    L.SetShadowDy(7);
    L.SetColorShadow(0x102030);
    L.SetAlignment(taRightJustify);
    L.SetVertAlignment(vaTop);
    L.SetAttachMode(tlamBoth);
    L.SetColorBkg(0xABCDEF);
    L.SetColorBrd(0x0000FF);
    L.SetTransparent(true);
    TFont f;
    f.SetName("Courier New");
    f.SetSize(14);
    f.SetColor(0x336699);
    f.SetStyle({fsBold, fsUnderline});
    L.SetFont(&f);
    L.SetCaption("Peak > 5 \xB5m, \"quoted\" & <tagged>");
    L.SetMode(tlBox);
    L.SetVisible(false);
}

void ExpectSameSettings(const TCustomTextLabel& A, const TCustomTextLabel& B) {
    EXPECT_EQ(A.GetPosX(), B.GetPosX());
    EXPECT_EQ(A.GetPosY(), B.GetPosY());
    EXPECT_EQ(A.GetLayer(), B.GetLayer());
    EXPECT_EQ(A.GetShadowDx(), B.GetShadowDx());
    EXPECT_EQ(A.GetShadowDy(), B.GetShadowDy());
    EXPECT_EQ(A.GetColorShadow(), B.GetColorShadow());
    EXPECT_EQ(A.GetAlignment(), B.GetAlignment());
    EXPECT_EQ(A.GetVertAlignment(), B.GetVertAlignment());
    EXPECT_EQ(A.GetAttachMode(), B.GetAttachMode());
    EXPECT_EQ(A.GetColorBkg(), B.GetColorBkg());
    EXPECT_EQ(A.GetColorBrd(), B.GetColorBrd());
    EXPECT_EQ(A.GetTransparent(), B.GetTransparent());
    EXPECT_EQ(A.GetFont()->GetName(), B.GetFont()->GetName());
    EXPECT_EQ(A.GetFont()->GetSize(), B.GetFont()->GetSize());
    EXPECT_EQ(A.GetFont()->GetColor(), B.GetFont()->GetColor());
    EXPECT_EQ(A.GetFont()->GetStyle(), B.GetFont()->GetStyle());
    EXPECT_EQ(A.GetCaption(), B.GetCaption());
    EXPECT_EQ(A.GetMode(), B.GetMode());
    EXPECT_EQ(A.GetVisible(), B.GetVisible());
}

const std::string kNewLabelText = "\r\n"
                                  " <!-- TCustomTextLabel / QYX Component Suite -->\r\n"
                                  " <custtextlbl sig=\"QYXCSuite\" vers=\"1.0\" id=\"x\">\r\n"
                                  "   <posxy x= 1.0000000000000000E+0002 y= 1.0000000000000000E+0001 />\r\n"
                                  "   <caption></caption>\r\n"
                                  "   <colors brd=$000000 bg=$C0C0C0 shdw=$808080 />\r\n"
                                  "   <shadowofs dx=0 dy=0 />\r\n"
                                  "   <layer val=1 />\r\n"
                                  "   <transparent val=0 />\r\n"
                                  "   <visible val=1 />\r\n"
                                  "   <alignment horiz=taCenter vert=vaBottom />\r\n"
                                  "   <attachmode val=tlamNone />\r\n"
                                  "   <font name=\"Arial\" size=8 color=$000000 style=\"\" />\r\n"
                                  "   <style val=tlsimple />\r\n"
                                  " </custtextlbl>\r\n";

// A label document with its element lines replaced by Elements (each line ended by CR LF).
std::string Document(const std::vector<std::string>& Elements, const std::string& DataID = "x") {
    std::string s = "\r\n<!-- TCustomTextLabel / QYX Component Suite -->\r\n<custtextlbl sig=\"QYXCSuite\" "
                    "vers=\"1.0\" id=\"" +
                    DataID + "\">\r\n";
    for (const std::string& e : Elements) s += "  " + e + "\r\n";
    return s;
}

} // namespace

// ---- Settings and notification ---------------------------------------------------------------------

TEST(TextLabel, Defaults) {
    TCustomTextLabel l;
    EXPECT_EQ(l.GetPosX(), 100.0);
    EXPECT_EQ(l.GetPosY(), 10.0);
    EXPECT_EQ(l.GetLayer(), 1);
    EXPECT_EQ(l.GetShadowDx(), 0);
    EXPECT_EQ(l.GetShadowDy(), 0);
    EXPECT_EQ(l.GetColorShadow(), 0x808080);
    EXPECT_EQ(l.GetAlignment(), taCenter);
    EXPECT_EQ(l.GetVertAlignment(), vaBottom);
    EXPECT_EQ(l.GetAttachMode(), tlamNone);
    EXPECT_EQ(l.GetColorBkg(), 0xC0C0C0);
    EXPECT_EQ(l.GetColorBrd(), 0x000000);
    EXPECT_FALSE(l.GetTransparent());
    EXPECT_EQ(l.GetFont()->GetName(), "Arial");
    EXPECT_EQ(l.GetFont()->GetSize(), 8);
    EXPECT_EQ(l.GetCaption(), "");
    EXPECT_EQ(l.GetMode(), tlsimple);
    EXPECT_TRUE(l.GetVisible());
}

TEST(TextLabel, EverySetterNotifiesOnceEvenWithoutAChange) {
    TCountedLabel l;
    TFont font;
    const std::function<void()> setters[] = {
        [&] { l.SetTxtLblPosX(100.0); },
        [&] { l.SetTxtLblPosY(10.0); },
        [&] { l.SetTxtLblLayer(1); },
        [&] { l.SetTxtLblShadowDx(0); },
        [&] { l.SetTxtLblShadowDy(0); },
        [&] { l.SetTxtLblColorShadow(0x808080); },
        [&] { l.SetTxtLblAlignment(taCenter); },
        [&] { l.SetTxtLblVertAlignment(vaBottom); },
        [&] { l.SetTxtLblScreenPos(tlamNone); },
        [&] { l.SetTxtLblColorBkg(0xC0C0C0); },
        [&] { l.SetTxtLblColorBrd(0); },
        [&] { l.SetTxtLblTranspar(false); },
        [&] { l.SetTxtLblFont(&font); },
        [&] { l.SetTxtLblCaption(""); },
        [&] { l.SetTxtLblMode(tlsimple); },
        [&] { l.SetTxtLblVisible(true); },
    };
    for (size_t i = 0; i < std::size(setters); ++i) {
        setters[i]();
        EXPECT_EQ(l.Calls, static_cast<int>(i) + 1) << "setter " << i;
    }
}

TEST(TextLabel, LayerAcceptsOnlyOneToSixteen) {
    TCountedLabel l;
    for (int bad : {0, 17, -1, 1000}) {
        l.SetTxtLblLayer(bad);
        EXPECT_EQ(l.GetLayer(), 1);
    }
    EXPECT_EQ(l.Calls, 0);
    l.SetTxtLblLayer(16);
    EXPECT_EQ(l.GetLayer(), 16);
    EXPECT_EQ(l.Calls, 1);
    l.OnChange = nullptr;
    l.SetLayer(2); // an empty handler is skipped
    EXPECT_EQ(l.GetLayer(), 2);
}

TEST(TextLabel, FontIsCopiedIntoTheLabelsOwn) {
    TCountedLabel l;
    TFont f;
    f.SetName("Times New Roman");
    f.SetStyle({fsItalic});
    l.SetTxtLblFont(&f);
    EXPECT_NE(l.GetFont(), &f);
    EXPECT_EQ(l.GetFont()->GetName(), "Times New Roman");
    f.SetName("Courier New"); // the caller's font stays the caller's
    EXPECT_EQ(l.GetFont()->GetName(), "Times New Roman");
    l.SetTxtLblFont(nullptr);
    EXPECT_EQ(l.GetFont()->GetName(), "Times New Roman");
    EXPECT_EQ(l.Calls, 2);
}

TEST(TextLabel, AssignCopiesEverySettingAndNotifiesOnce) {
    TCustomTextLabel src;
    SetEverything(src);
    TCountedLabel dst;
    dst.Assign(&src);
    ExpectSameSettings(dst, src);
    EXPECT_EQ(dst.Calls, 1);
    TFont notALabel;
    EXPECT_THROW(dst.Assign(&notALabel), EConvertError);
}

// ---- Writing ---------------------------------------------------------------------------------------

TEST(TextLabel, NewLabelIsWrittenAsFourteenIndentedLines) {
    TCustomTextLabel l;
    const std::string text = WrittenText(l, false, "x", 0);
    EXPECT_EQ(text, kNewLabelText);
    // With a header and a deeper indentation every line but the empty one moves.
    const std::string withHeader = WrittenText(l, true, "x", 3);
    EXPECT_EQ(withHeader.substr(0, 26), "   <?xml version=\"1.0\"?>\r\n");
    EXPECT_EQ(withHeader.substr(26, 2), "\r\n");
    EXPECT_EQ(withHeader.substr(28, 5), "   <!");
    // Indentation is limited to 255 blanks.
    const std::string wide = WrittenText(l, false, "x", 1000);
    EXPECT_EQ(wide.substr(2, 256), std::string(255, ' ') + "<");
}

TEST(TextLabel, WrittenValues) {
    TCustomTextLabel l;
    TFont f;
    f.SetStyle({fsBold, fsUnderline});
    f.SetColor(0x80000000 | 15); // a system colour is written as its RGB value
    l.SetFont(&f);
    l.SetColorBkg(clBtnFace);
    l.SetPosX(-0.5);
    l.SetPosY(1.7e308);
    const std::string text = WrittenText(l, false, "x", 0);
    EXPECT_NE(text.find("<posxy x=-5.0000000000000000E-0001 y= 1.6999999999999999E+0308 />"),
              std::string::npos);
    EXPECT_NE(text.find("style=\"fsBold fsUnderline\""), std::string::npos);
    EXPECT_NE(text.find("color=$C0C0C0 "), std::string::npos);
    EXPECT_NE(text.find("bg=$C0C0C0 "), std::string::npos);
}

TEST(TextLabel, WritingNeedsAnOpenFileAndAStream) {
    TCustomTextLabel l;
    TextFile closed;
    EXPECT_THROW(l.WriteToOpenXMLFile(closed, true, "x", 0), EInOutError);
    EXPECT_THROW(l.WriteToXMLStream(nullptr, true, "x", 0), EInvalidArgument);
    EXPECT_THROW(l.SaveAsXMLFile(TempPath("no/such/dir/label.xml"), "x"), EInOutError);
}

// ---- Round trips -----------------------------------------------------------------------------------

TEST(TextLabel, RoundTripThroughAFile) {
    TCustomTextLabel src;
    SetEverything(src);
    const std::string text = WrittenText(src, true, "Label 1", 4);
    TCountedLabel dst;
    EXPECT_TRUE(ReadFromText(dst, text, "LABEL 1"));
    EXPECT_EQ(dst.Calls, 1);
    ExpectSameSettings(dst, src);

    // The file patterns.
    const std::string path = TempPath("saved.xml");
    src.SaveAsXMLFile(path, "k");
    TCountedLabel loaded;
    EXPECT_TRUE(loaded.LoadFromXMLFile(path, "k"));
    ExpectSameSettings(loaded, src);
    EXPECT_EQ(ReadBytes(path).substr(0, 23), " <?xml version=\"1.0\"?>\r");
    std::filesystem::remove(path);
    EXPECT_FALSE(loaded.LoadFromXMLFile(path, "k")); // gone: false, no error
}

TEST(TextLabel, RoundTripThroughAStream) {
    TCustomTextLabel src;
    SetEverything(src);
    TMemoryStream m;
    src.WriteToXMLStream(&m, true, "s", 2);
    // The stream holds exactly what a file would.
    EXPECT_EQ(std::string(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.GetSize())),
              WrittenText(src, true, "s", 2));
    m.SetPosition(0);
    TCountedLabel dst;
    EXPECT_TRUE(dst.ReadFromXMLStream(&m, "s"));
    EXPECT_EQ(dst.Calls, 1);
    ExpectSameSettings(dst, src);
    EXPECT_FALSE(dst.ReadFromXMLStream(nullptr, "s"));
}

TEST(TextLabel, DoublesSurviveTheRoundTrip) {
    const double values[] = {0.0,
                             -0.0,
                             0.1,
                             1.0 / 3.0,
                             -2.5e-300,
                             4.9e-324,
                             123456789.123456789,
                             1.7e308,
                             -1.7e308,
                             2.2250738585072014e-308};
    for (double v : values) {
        SCOPED_TRACE(v);
        TCustomTextLabel src, dst;
        src.SetPosX(v);
        src.SetPosY(-v);
        ASSERT_TRUE(ReadFromStreamText(dst, WrittenText(src, false, "", 0), ""));
        EXPECT_EQ(dst.GetPosX(), v);
        EXPECT_EQ(dst.GetPosY(), -v);
    }
    // Beyond the readers' limit a position reads back as +/- uc_MaxDouble.
    TCustomTextLabel src, dst;
    src.SetPosX(DBL_MAX);
    src.SetPosY(-DBL_MAX);
    ASSERT_TRUE(ReadFromText(dst, WrittenText(src, false, "", 0), ""));
    EXPECT_EQ(dst.GetPosX(), 1.7e308);
    EXPECT_EQ(dst.GetPosY(), -1.7e308);
}

TEST(TextLabel, SeveralLabelsInOneFile) {
    TCustomTextLabel a, b;
    a.SetCaption("first");
    b.SetCaption("second");
    b.SetLayer(9);
    const std::string text = WrittenText(a, true, "a", 0) + WrittenText(b, false, "b", 0);

    const std::string path = TempPath("two.xml");
    WriteBytes(path, text);
    TextFile f;
    AssignFile(f, path);
    Reset(f);
    TCustomTextLabel r;
    EXPECT_TRUE(r.ReadFromOpenXMLFile(f, "a"));
    EXPECT_EQ(r.GetCaption(), "first");
    EXPECT_TRUE(r.ReadFromOpenXMLFile(f, "b"));
    EXPECT_EQ(r.GetCaption(), "second");
    EXPECT_EQ(r.GetLayer(), 9);
    Reset(f);
    TCountedLabel s;
    EXPECT_TRUE(s.ReadFromOpenXMLFile(f, "B"));
    EXPECT_EQ(s.GetCaption(), "second");
    EXPECT_FALSE(s.ReadFromOpenXMLFile(f, "a")); // the search only goes forward
    EXPECT_EQ(s.Calls, 1);
    CloseFile(f);
    std::filesystem::remove(path);

    // The same in a stream; an empty identifier takes the first label.
    TStringStream st(text);
    TCustomTextLabel t;
    EXPECT_TRUE(t.ReadFromXMLStream(&st, ""));
    EXPECT_EQ(t.GetCaption(), "first");
    EXPECT_TRUE(t.ReadFromXMLStream(&st, "b"));
    EXPECT_EQ(t.GetCaption(), "second");

    // A second root directly behind the first end tag, without comment line, is still found.
    const std::string packed =
        "<custtextlbl sig=\"QYXCSuite\" id=\"a\">\r\n<caption>1</caption></custtextlbl>\r\n"
        "<custtextlbl sig=\"QYXCSuite\" id=\"b\">\r\n<caption>2</caption></custtextlbl>\r\n";
    TStringStream ps(packed);
    EXPECT_TRUE(t.ReadFromXMLStream(&ps, "a"));
    EXPECT_TRUE(t.ReadFromXMLStream(&ps, "b"));
    EXPECT_EQ(t.GetCaption(), "2");
}

TEST(TextLabel, ReadsTheSharedEnvelopeFixture) {
    TCustomTextLabel l;
    TextFile f;
    AssignFile(f, std::string(QYX_TEST_DATA) + "/envelope_two_labels.xml");
    Reset(f);
    EXPECT_TRUE(l.ReadFromOpenXMLFile(f, "b"));
    EXPECT_EQ(l.GetCaption(), "Second");
    EXPECT_EQ(l.GetPosX(), 100.0); // elements that are absent keep their values
    CloseFile(f);
}

// ---- Damaged and unusual input ---------------------------------------------------------------------

TEST(TextLabel, RootNotFoundChangesNothing) {
    const std::string texts[] = {
        "",
        "\r\n\r\n",
        kNewLabelText.substr(0, 60),                               // cut inside the root line
        "<custtextlbl sig=\"other\" id=\"x\">\r\n<layer val=5 />", // no signature
        "<replist sig=\"QYXCSuite\" id=\"x\">\r\n<layer val=5 />", // another class
        Document({"<layer val=5 />", "</custtextlbl>"}, "y"),      // another identifier
        std::string("\0\1\2<\xFF>>>", 8),
    };
    for (const std::string& t : texts) {
        for (bool viaStream : {false, true}) {
            TCountedLabel l;
            l.SetCaption("kept");
            l.Calls = 0;
            EXPECT_FALSE(viaStream ? ReadFromStreamText(l, t, "x") : ReadFromText(l, t, "x"));
            EXPECT_EQ(l.Calls, 0);
            EXPECT_EQ(l.GetCaption(), "kept");
            EXPECT_EQ(l.GetLayer(), 1);
        }
    }
}

TEST(TextLabel, FileCutAfterTheLayerKeepsWhatWasRead) {
    TCustomTextLabel src;
    SetEverything(src);
    std::string text = WrittenText(src, false, "x", 0);
    text.resize(text.find("<transparent"));
    for (bool viaStream : {false, true}) {
        TCountedLabel l;
        EXPECT_FALSE(viaStream ? ReadFromStreamText(l, text, "x") : ReadFromText(l, text, "x"));
        EXPECT_EQ(l.Calls, 1);
        EXPECT_EQ(l.GetPosX(), src.GetPosX());
        EXPECT_EQ(l.GetPosY(), src.GetPosY());
        EXPECT_EQ(l.GetCaption(), src.GetCaption());
        EXPECT_EQ(l.GetColorBkg(), src.GetColorBkg());
        EXPECT_EQ(l.GetShadowDy(), 7);
        EXPECT_EQ(l.GetLayer(), 16);
        EXPECT_FALSE(l.GetTransparent()); // not reached
        EXPECT_EQ(l.GetMode(), tlsimple);
    }
}

TEST(TextLabel, EveryTruncationReadsSafely) {
    TCustomTextLabel src;
    SetEverything(src);
    const std::string text = WrittenText(src, true, "x", 0);
    // The end tag counts once its name is complete (the input may end before its ">").
    const size_t complete = text.find("</custtextlbl>") + 13;
    for (size_t n = 0; n <= text.size(); ++n) {
        TCountedLabel l;
        const bool ok = ReadFromStreamText(l, text.substr(0, n), "x");
        ASSERT_EQ(ok, n >= complete) << n;
        ASSERT_LE(l.Calls, 1) << n;
    }
}

TEST(TextLabel, MalformedValues) {
    TCountedLabel l;
    l.SetAlignment(taLeftJustify);
    l.SetAttachMode(tlamXOnly);
    l.SetMode(tlShadow);
    l.SetLayer(3);
    l.Calls = 0;
    const std::string text = Document({
        "<posxy x=abc y=1,5E2 />",
        "<colors brd=zz bg=$1a2B3c shdw=  />",
        "<shadowofs dx=--3 />",
        "<layer val=40 />",                        // outside 1 ... 16: the layer is kept
        "<transparent val=01 />",                  // reads as 1
        "<visible val=yes />",                     // reads as 0
        "<alignment horiz=TACENTER vert=vaTop />", // names compare exactly
        "<attachmode val=both />",
        "<style val=tlBOX />",
        "<font name=\"\" size=-4 color=junk style=\"fsItalic fsNothing fsBold\" />",
        "<note>skipped <b>inner</b> text</note>",
        "<extra a=1 />",
        "</custtextlbl>",
    });
    EXPECT_TRUE(ReadFromText(l, text, "x"));
    EXPECT_EQ(l.Calls, 1);
    EXPECT_EQ(l.GetPosX(), 0.0);
    EXPECT_EQ(l.GetPosY(), 150.0);
    EXPECT_EQ(l.GetColorBrd(), 0);
    EXPECT_EQ(l.GetColorBkg(), 0x1A2B3C);
    EXPECT_EQ(l.GetColorShadow(), 0);
    EXPECT_EQ(l.GetShadowDx(), 0);
    EXPECT_EQ(l.GetShadowDy(), 0); // a missing attribute reads as 0
    EXPECT_EQ(l.GetLayer(), 3);
    EXPECT_TRUE(l.GetTransparent());
    EXPECT_FALSE(l.GetVisible());
    EXPECT_EQ(l.GetAlignment(), taLeftJustify);
    EXPECT_EQ(l.GetVertAlignment(), vaTop);
    EXPECT_EQ(l.GetAttachMode(), tlamXOnly);
    EXPECT_EQ(l.GetMode(), tlShadow);
    EXPECT_EQ(l.GetFont()->GetName(), "Arial"); // an empty name and a size below 1 are kept
    EXPECT_EQ(l.GetFont()->GetSize(), 8);
    EXPECT_EQ(l.GetFont()->GetColor(), 0);
    EXPECT_EQ(l.GetFont()->GetStyle(), (TFontStyles{fsBold, fsItalic}));
}

TEST(TextLabel, ValidLayerAndOverlongNumbers) {
    TCustomTextLabel l;
    ASSERT_TRUE(
        ReadFromText(l,
                     Document({"<layer val=16 />", "<shadowofs dx=99999999999999 dy=-99999999999999 />",
                               "<colors brd=$123456789 />", "</custtextlbl>"}),
                     "x"));
    EXPECT_EQ(l.GetLayer(), 16);
    EXPECT_EQ(l.GetShadowDx(), 2147483647);
    EXPECT_EQ(l.GetShadowDy(), -2147483647 - 1);
    EXPECT_EQ(static_cast<uint32_t>(l.GetColorBrd()), 0xFFFFFFFFu);
}

TEST(TextLabel, CaptionsKeepTheirText) {
    for (const std::string& caption :
         {std::string("a>b"), std::string("x < y > z"), std::string("  padded  "), std::string("</caption"),
          std::string("\xE4\xF6\xFC \xB0"
                      "C")}) {
        SCOPED_TRACE(caption);
        TCustomTextLabel src, dst;
        src.SetCaption(caption);
        ASSERT_TRUE(ReadFromText(dst, WrittenText(src, false, "x", 0), "x"));
        EXPECT_EQ(dst.GetCaption(), caption);
        EXPECT_EQ(dst.GetColorShadow(), 0x808080); // the element after it is read as well
    }
    // An end tag in other letter case still ends the caption.
    TCustomTextLabel l;
    ASSERT_TRUE(ReadFromText(l, Document({"<caption>Mixed</CAPTION>", "</custtextlbl>"}), "x"));
    EXPECT_EQ(l.GetCaption(), "Mixed");
}

TEST(TextLabel, CommentInsideTheRootSwallowsTheRest) {
    TCountedLabel l;
    EXPECT_FALSE(ReadFromText(
        l, Document({"<layer val=4 />", "<!-- note -->", "<layer val=5 />", "</custtextlbl>"}), "x"));
    EXPECT_EQ(l.GetLayer(), 4);
    EXPECT_EQ(l.Calls, 1);
}
