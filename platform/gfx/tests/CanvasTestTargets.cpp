// Drawing targets: 15-bit and palette bitmaps, and a canvas placed on part of a larger surface.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

namespace qyx {
namespace {

using test::NewBitmap;

TEST(CanvasTargets, FifteenBitQuantisesAndReadsBackWithRepeatedHighBits) {
    auto b = NewBitmap(4, 1, pf15bit);
    TCanvas* c = b->GetCanvas();
    c->SetPixels(0, 0, RGB(0xC0, 0x80, 0x08));
    EXPECT_EQ(c->GetPixels(0, 0), RGB(0xC6, 0x84, 0x08));
    const uint8_t* p = b->GetScanLine(0);
    EXPECT_EQ(p[0] | (p[1] << 8), (24 << 10) | (16 << 5) | 1);
    EXPECT_EQ(c->GetPixels(1, 0), clWhite); // new pixels
    c->SetPixels(1, 0, clBlack);
    EXPECT_EQ(c->GetPixels(1, 0), clBlack);
    c->SetPixels(2, 0, clBtnFace);
    EXPECT_EQ(c->GetPixels(2, 0), RGB(0xC6, 0xC6, 0xC6));
}

TEST(CanvasTargets, XorOnFifteenBitRestores) {
    auto b = NewBitmap(12, 12, pf15bit);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(RGB(40, 200, 90));
    c->FillRect(Rect(0, 0, 6, 12));
    const std::string before = test::Picture(*b, 0, 0, 12, 12, {{clWhite, '.'}});
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(clWhite);
    c->GetBrush()->SetStyle(bsClear);
    c->Rectangle(2, 2, 10, 9);
    EXPECT_NE(test::Picture(*b, 0, 0, 12, 12, {{clWhite, '.'}}), before);
    c->Rectangle(2, 2, 10, 9);
    EXPECT_EQ(test::Picture(*b, 0, 0, 12, 12, {{clWhite, '.'}}), before);
}

TEST(CanvasTargets, FourBitMapsColoursToItsPalette) {
    // The situation of a generated map: black outline, dotted and dashed silver lines with white gaps.
    auto b = NewBitmap(20, 4, pf4bit);
    ASSERT_EQ(b->GetPalette().size(), 16u);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetStyle(psDash);
    c->GetPen()->SetColor(clSilver);
    c->MoveTo(0, 1);
    c->LineTo(20, 1);
    c->GetPen()->SetColor(RGB(250, 5, 5)); // nearest: red
    c->GetPen()->SetStyle(psSolid);
    c->MoveTo(0, 2);
    c->LineTo(3, 2);
    const uint8_t* row0 = b->GetScanLine(0);
    EXPECT_EQ(row0[0], 0xFF); // white, white
    const uint8_t* row1 = b->GetScanLine(1);
    EXPECT_EQ(row1[0], 0x77);
    EXPECT_EQ(row1[3], 0xFF); // pixels 6 and 7: the gap in the brush colour
    EXPECT_EQ(row1[4], 0x77);
    EXPECT_EQ(c->GetPixels(0, 2), clRed);
    EXPECT_EQ(b->GetScanLine(2)[1], 0x9F); // pixel 2 red, pixel 3 still white
}

TEST(CanvasTargets, EightBitKeepsIndicesAndDrawsNearestEntries) {
    auto b = NewBitmap(3, 1, pf8bit);
    ASSERT_EQ(b->GetPalette().size(), 256u);
    EXPECT_EQ(b->GetScanLine(0)[0], 15); // white is entry 15
    b->GetCanvas()->SetPixels(0, 0, RGB(0, 51, 102));
    EXPECT_EQ(b->GetScanLine(0)[0], 16 + 0 * 36 + 1 * 6 + 2);
    b->GetScanLine(0)[1] = 200;
    EXPECT_EQ(b->GetCanvas()->GetPixels(1, 0), ColorToRGB(b->GetPalette()[200]));
    b->SetPalette({clRed, clLime});
    EXPECT_EQ(b->GetCanvas()->GetPixels(2, 0), clWhite); // entry 15 unchanged
    b->GetScanLine(0)[2] = 1;
    EXPECT_EQ(b->GetCanvas()->GetPixels(2, 0), clLime);
}

/// A canvas on part of a larger surface, as a control's canvas on its parent's surface.
class TWindowPart : public TCanvasTarget {
public:
    TWindowPart(TBitmap& Surface, TRect Part) : FSurface(Surface), FPart(Part) {}
    bool GetCanvasView(TCanvasView& View) override {
        View.Surface = FSurface.GetSurface();
        View.Origin = FPart.TopLeft();
        View.Clip = FPart;
        return true;
    }
    void CanvasChanged() override { ++Changes; }
    int Changes = 0;

private:
    TBitmap& FSurface;
    TRect FPart;
};

TEST(CanvasTargets, CanvasOnPartOfASurfaceHasItsOwnOriginAndClip) {
    auto window = NewBitmap(12, 10);
    TWindowPart part(*window, Rect(4, 3, 9, 7));
    TCanvas c(&part);
    EXPECT_EQ(c.GetClipRect(), Rect(0, 0, 5, 4));
    c.GetBrush()->SetColor(clRed);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(test::Picture(*window, 3, 2, 10, 8), ".......\n"
                                                   ".#####.\n"
                                                   ".#rrrr.\n"
                                                   ".#rrrr.\n"
                                                   ".#rrrr.\n"
                                                   ".......\n");
    EXPECT_EQ(part.Changes, 1);
    EXPECT_EQ(c.GetPixels(0, 0), clBlack);
    EXPECT_EQ(c.GetPixels(-1, 0), clNone);
    // Copying from the window part reads the parent surface through the canvas's origin.
    auto copy = NewBitmap(2, 1);
    copy->GetCanvas()->CopyRect(Rect(0, 0, 2, 1), &c, Rect(-1, 1, 1, 2));
    EXPECT_EQ(copy->GetCanvas()->GetPixels(0, 0), clWhite);
    EXPECT_EQ(copy->GetCanvas()->GetPixels(1, 0), clBlack);
}

TEST(CanvasTargets, CanvasWithoutTargetDrawsNothing) {
    TCanvas c;
    c.Rectangle(0, 0, 5, 5);
    c.LineTo(3, 3);
    EXPECT_EQ(c.GetPenPos(), Point(3, 3));
    EXPECT_EQ(c.GetPixels(0, 0), clNone);
    EXPECT_TRUE(c.GetClipRect().IsEmpty());
}

} // namespace
} // namespace qyx
