// Text on the canvas: cells and ink, opaque and transparent backgrounds, clipping, metrics, rotation.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

namespace qyx {
namespace {

using test::NewBitmap;

/// Bounding box of the pixels of colour C (empty when there are none).
TRect Extent(TBitmap& B, TColor C) {
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = 0; y < B.GetHeight(); ++y)
        for (int x = 0; x < B.GetWidth(); ++x)
            if (B.GetCanvas()->GetPixels(x, y) == C) {
                r.Left = std::min(r.Left, x), r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1), r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.Left == INT32_MAX ? TRect{} : r;
}

TEST(CanvasText, OpaqueTextFillsItsCellAndInkStaysInside) {
    auto b = NewBitmap(120, 40);
    TCanvas* c = b->GetCanvas();
    c->GetFont()->SetColor(clBlack);
    c->GetBrush()->SetColor(clRed);
    const std::string s = "Hg(8]}\xDC\xC4\xA7";
    const int w = c->TextWidth(s), h = c->TextHeight(s);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    c->TextOut(10, 5, s);
    EXPECT_EQ(c->GetPenPos(), Point(10 + w, 5));
    const TRect cell = Rect(10, 5, 10 + w, 5 + h);
    // Every pixel of the cell is ink or background; nothing outside it changed.
    for (int y = 0; y < b->GetHeight(); ++y)
        for (int x = 0; x < b->GetWidth(); ++x) {
            const TColor p = c->GetPixels(x, y);
            if (cell.Contains({x, y})) {
                ASSERT_TRUE(p == clBlack || p == clRed) << x << "," << y;
            } else {
                ASSERT_EQ(p, clWhite) << x << "," << y;
            }
        }
    EXPECT_GT(test::CountPixels(*b, clBlack), 20);
    EXPECT_EQ(c->TextExtent(s), (TSize{w, h}));
}

TEST(CanvasText, ClearBrushLeavesTheBackground) {
    auto b = NewBitmap(60, 30);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetStyle(bsClear);
    c->GetFont()->SetColor(clBlue);
    c->TextOut(2, 2, "Mark");
    EXPECT_GT(test::CountPixels(*b, clBlue), 10);
    EXPECT_EQ(test::CountPixels(*b, clBlue) + test::CountPixels(*b, clWhite), 60 * 30);
    // Text rendering is monochrome: the same text again covers exactly the same pixels.
    auto d = NewBitmap(60, 30);
    d->GetCanvas()->GetBrush()->SetStyle(bsClear);
    d->GetCanvas()->GetFont()->SetColor(clBlue);
    d->GetCanvas()->TextOut(2, 2, "Mark");
    EXPECT_EQ(test::Picture(*b), test::Picture(*d));
}

TEST(CanvasText, TextRectFillsAndClips) {
    auto b = NewBitmap(80, 30);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(clRed);
    c->MoveTo(1, 1);
    c->TextRect(Rect(5, 5, 25, 20), 8, 4, "WWWWWWWW");
    EXPECT_EQ(c->GetPenPos(), Point(1, 1));
    EXPECT_EQ(Extent(*b, clRed).Left, 5);
    const TRect ink = Extent(*b, clBlack);
    EXPECT_GE(ink.Left, 8);
    EXPECT_LE(ink.Right, 25); // clipped at the right edge
    EXPECT_GE(ink.Top, 5);
    EXPECT_EQ(test::CountPixels(*b, clBlack) + test::CountPixels(*b, clRed), 20 * 15);
}

TEST(CanvasText, MetricsOfTheStandardFacesAreStable) {
    TCanvas c;
    struct Case {
        const char* Face;
        int Size;
    };
    for (const Case k : {Case{"Arial", 8}, Case{"Times New Roman", 10}, Case{"Courier New", 14}}) {
        SCOPED_TRACE(k.Face);
        c.GetFont()->SetName(k.Face);
        c.GetFont()->SetSize(k.Size);
        const int h = c.TextHeight("M");
        EXPECT_GE(h, -c.GetFont()->GetHeight()); // the cell includes the internal leading
        EXPECT_EQ(c.TextHeight(""), h);
        EXPECT_EQ(c.TextWidth("MM"), 2 * c.TextWidth("M")); // integer advances, no kerning
        EXPECT_EQ(c.TextWidth("AV"), c.TextWidth("A") + c.TextWidth("V"));
        EXPECT_EQ(c.TextWidth(""), 0);
    }
    c.GetFont()->SetName("Courier New");
    EXPECT_EQ(c.TextWidth("iiii"), c.TextWidth("MMMM")); // monospaced
    c.GetFont()->SetName("Arial");
    EXPECT_LT(c.TextWidth("iiii"), c.TextWidth("MMMM"));
}

TEST(CanvasText, RotatedTextTurnsAboutItsReferencePoint) {
    auto b = NewBitmap(60, 80);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetStyle(bsClear);
    c->GetFont()->SetSize(12);
    const int w = c->TextWidth("Level"), h = c->TextHeight("Level");
    c->GetFont()->SetOrientation(900);   // upwards
    EXPECT_EQ(c->TextWidth("Level"), w); // unrotated extents
    c->TextOut(20, 70, "Level");
    const TRect ink = Extent(*b, clBlack);
    EXPECT_GE(ink.Left, 20 - 1);
    EXPECT_LE(ink.Right, 20 + h + 1);
    EXPECT_GE(ink.Top, 70 - w - 1);
    EXPECT_LE(ink.Bottom, 70 + 1);
    EXPECT_GT(ink.Height(), ink.Width());
}

} // namespace
} // namespace qyx
