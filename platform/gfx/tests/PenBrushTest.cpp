// Pens, brushes and fonts: defaults, change notification, sizes and assignment.
#include <qyx/platform/Canvas.h>

#include <gtest/gtest.h>

namespace qyx {
namespace {

TEST(PenBrushFont, DefaultsOfTheDrawingTools) {
    TPen pen;
    EXPECT_EQ(pen.GetColor(), clBlack);
    EXPECT_EQ(pen.GetWidth(), 1);
    EXPECT_EQ(pen.GetStyle(), psSolid);
    EXPECT_EQ(pen.GetMode(), pmCopy);
    TBrush brush;
    EXPECT_EQ(brush.GetColor(), clWhite);
    EXPECT_EQ(brush.GetStyle(), bsSolid);
    TFont font;
    EXPECT_EQ(font.GetName(), "Arial");
    EXPECT_EQ(font.GetSize(), 8);
    EXPECT_EQ(font.GetHeight(), -11);
    EXPECT_EQ(font.GetColor(), clWindowText);
    EXPECT_TRUE(font.GetStyle().Empty());
    EXPECT_EQ(font.GetOrientation(), 0);
}

TEST(PenBrushFont, EveryChangeNotifiesOnce) {
    int n = 0;
    TObject* sender = nullptr;
    auto count = [&](TObject* S) { ++n, sender = S; };
    TPen pen;
    pen.OnChange = count;
    pen.SetColor(clRed);
    pen.SetColor(clRed); // unchanged: no event
    pen.SetWidth(3);
    pen.SetStyle(psDot);
    pen.SetMode(pmXor);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(sender, &pen);
    TBrush brush;
    brush.OnChange = count;
    brush.SetStyle(bsClear);
    brush.SetColor(clBlue);
    EXPECT_EQ(brush.GetStyle(), bsClear); // the colour leaves the style alone
    EXPECT_EQ(n, 6);
    TFont font;
    font.OnChange = count;
    font.SetName("Courier New");
    font.SetName("");
    font.SetSize(14);
    font.SetColor(clRed);
    font.SetStyle({fsBold, fsItalic});
    font.SetEscapement(900);
    font.SetPitch(fpFixed);
    font.SetCharset(ANSI_CHARSET);
    EXPECT_EQ(n, 13);
    EXPECT_EQ(font.GetName(), "Courier New");
    EXPECT_EQ(font.GetOrientation(), 900);
}

TEST(PenBrushFont, PointSizesAndPixelHeightsAt96Dpi) {
    struct Case {
        int Size, Height;
    };
    for (const Case k :
         {Case{8, -11}, Case{9, -12}, Case{10, -13}, Case{12, -16}, Case{14, -19}, Case{20, -27}}) {
        SCOPED_TRACE(k.Size);
        TFont f;
        f.SetSize(k.Size);
        EXPECT_EQ(f.GetHeight(), k.Height);
        EXPECT_EQ(f.GetSize(), k.Size);
    }
    TFont f;
    f.SetHeight(20); // a cell height
    EXPECT_EQ(f.GetSize(), -15);
}

TEST(PenBrushFont, DefaultNameSelectsTheDefaultFace) {
    TFont f;
    f.SetName("default");
    EXPECT_EQ(f.GetName(), "default");
    EXPECT_EQ(f.FaceName(), "Arial");
    f.SetName("Times New Roman");
    EXPECT_EQ(f.FaceName(), "Times New Roman");
}

TEST(PenBrushFont, AssignCopiesEverythingAndNotifiesOnce) {
    TFont a;
    a.SetName("Times New Roman");
    a.SetSize(14);
    a.SetColor(clRed);
    a.SetStyle({fsUnderline});
    a.SetOrientation(450);
    a.SetPitch(fpVariable);
    TFont b;
    int n = 0;
    b.OnChange = [&](TObject*) { ++n; };
    b.Assign(&a);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(b.GetName(), "Times New Roman");
    EXPECT_EQ(b.GetHeight(), a.GetHeight());
    EXPECT_EQ(b.GetColor(), clRed);
    EXPECT_EQ(b.GetStyle(), TFontStyles({fsUnderline}));
    EXPECT_EQ(b.GetOrientation(), 450);
    EXPECT_EQ(b.GetPitch(), fpVariable);
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
    EXPECT_THROW(pen.Assign(&b), EConvertError);

    TCanvas canvas;
    canvas.SetFont(&a);
    EXPECT_EQ(canvas.GetFont()->GetName(), "Times New Roman");
    EXPECT_NE(canvas.GetFont(), &a);
    TBrush brush;
    brush.SetColor(clLime);
    canvas.SetBrush(&brush);
    EXPECT_EQ(canvas.GetBrush()->GetColor(), clLime);
}

} // namespace
} // namespace qyx
