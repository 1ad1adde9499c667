// Bitmap transfers: Draw, CopyRect with copy modes, stretching (nearest and halftone), sources that
// pass the image edge, mirroring, self-overlapping copies and transparency.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace qyx {
namespace {

using test::NewBitmap;

/// A one-row bitmap with the given colours.
std::unique_ptr<TBitmap> Row(const std::vector<TColor>& Colors, TPixelFormat F = pf32bit) {
    auto b = NewBitmap(static_cast<int>(Colors.size()), 1, F);
    for (size_t i = 0; i < Colors.size(); ++i) b->GetCanvas()->SetPixels(static_cast<int>(i), 0, Colors[i]);
    return b;
}

std::vector<TColor> RowOf(TBitmap& B, int Y = 0) {
    std::vector<TColor> v;
    for (int x = 0; x < B.GetWidth(); ++x) v.push_back(B.GetCanvas()->GetPixels(x, Y));
    return v;
}

constexpr TColor A = 0x102030, Bc = 0x405060, Cc = 0x708090, Dc = 0xA0B0C0;
constexpr TColor W = clWhite;

TEST(CanvasCopy, DrawIsAnExactCopyAndClipsAtTheEdges) {
    auto src = Row({A, Bc, Cc});
    auto dst = NewBitmap(4, 1);
    dst->GetCanvas()->Draw(2, 0, src.get());
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{W, W, A, Bc}));
    dst->GetCanvas()->Draw(-2, 0, src.get());
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{Cc, W, A, Bc}));
    dst->GetCanvas()->Draw(0, 0, nullptr); // nothing
}

TEST(CanvasCopy, CopyModesCombineSourceDestinationAndBrush) {
    const TColor S = 0x0FF00F, D = 0x3C3C5A, P = 0x00FF33;
    struct Case {
        TCopyMode Mode;
        TColor Expected;
    };
    const Case cases[] = {
        {cmSrcCopy, S},
        {cmSrcAnd, S & D},
        {cmSrcPaint, S | D},
        {cmSrcInvert, S ^ D},
        {cmSrcErase, S & ~D & 0xFFFFFF},
        {cmNotSrcCopy, ~S & 0xFFFFFF},
        {cmNotSrcErase, ~(S | D) & 0xFFFFFF},
        {cmMergeCopy, S & P},
        {cmMergePaint, (~S | D) & 0xFFFFFF},
        {cmPatCopy, P},
        {cmPatInvert, P ^ D},
        {cmDstInvert, ~D & 0xFFFFFF},
        {cmBlackness, clBlack},
        {cmWhiteness, clWhite},
    };
    auto src = Row({S});
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.Mode);
        auto dst = Row({D});
        TCanvas* c = dst->GetCanvas();
        c->GetBrush()->SetColor(P);
        c->SetCopyMode(k.Mode);
        c->CopyRect(Rect(0, 0, 1, 1), src->GetCanvas(), Rect(0, 0, 1, 1));
        EXPECT_EQ(c->GetPixels(0, 0), k.Expected);
        auto drawn = Row({D});
        drawn->GetCanvas()->GetBrush()->SetColor(P);
        drawn->GetCanvas()->SetCopyMode(k.Mode);
        drawn->GetCanvas()->Draw(0, 0, src.get());
        EXPECT_EQ(drawn->GetCanvas()->GetPixels(0, 0), k.Expected);
    }
}

TEST(CanvasCopy, PaletteMaskConvertsThroughItsPaletteBeforeAnd) {
    // An 8-bit mask whose bytes 0 and 255 are black and white in the default palette.
    auto mask = NewBitmap(4, 1, pf8bit);
    uint8_t* bytes = mask->GetScanLine(0);
    bytes[0] = 0, bytes[1] = 255, bytes[2] = 0, bytes[3] = 255;
    auto dst = Row({clRed, clRed, clBlue, clBlue});
    dst->GetCanvas()->SetCopyMode(cmSrcAnd);
    dst->GetCanvas()->Draw(0, 0, mask.get());
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{clBlack, clRed, clBlack, clBlue}));
    // And the image ORed over the masked pixels.
    auto image = Row({clLime, clBlack, clYellow, clBlack});
    dst->GetCanvas()->SetCopyMode(cmSrcPaint);
    dst->GetCanvas()->Draw(0, 0, image.get());
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{clLime, clRed, clYellow, clBlue}));
}

TEST(CanvasCopy, NearestStretchTakesThePixelUnderEachCentre) {
    auto src = Row({A, Bc, Cc, Dc});
    struct Case {
        int Width;
        std::vector<TColor> Expected;
    };
    const Case cases[] = {
        {2, {Bc, Dc}},
        {3, {A, Cc, Dc}},
        {8, {A, A, Bc, Bc, Cc, Cc, Dc, Dc}},
        {6, {A, Bc, Bc, Cc, Dc, Dc}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Width);
        auto dst = NewBitmap(k.Width, 2);
        dst->GetCanvas()->StretchDraw(Rect(0, 0, k.Width, 2), src.get());
        EXPECT_EQ(RowOf(*dst, 0), k.Expected);
        EXPECT_EQ(RowOf(*dst, 1), k.Expected);
    }
}

TEST(CanvasCopy, HalftoneAveragesTheCoveredArea) {
    auto src = Row({RGB(0, 0, 0), RGB(90, 90, 90), RGB(180, 180, 180)});
    auto dst = NewBitmap(2, 1);
    dst->GetCanvas()->SetStretchMode(smHalftone);
    dst->GetCanvas()->StretchDraw(Rect(0, 0, 2, 1), src.get());
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{RGB(30, 30, 30), RGB(150, 150, 150)}));

    auto bw = Row({clBlack, clWhite});
    auto one = NewBitmap(1, 1);
    one->GetCanvas()->SetStretchMode(smHalftone);
    one->GetCanvas()->StretchDraw(Rect(0, 0, 1, 1), bw.get());
    EXPECT_EQ(one->GetCanvas()->GetPixels(0, 0), RGB(128, 128, 128));

    // A 2 x 2 checkerboard to 1 x 1 and up to 4 x 4 (blends only at the block borders).
    auto board = NewBitmap(2, 2);
    board->GetCanvas()->SetPixels(0, 0, clBlack);
    board->GetCanvas()->SetPixels(1, 1, clBlack);
    one->GetCanvas()->StretchDraw(Rect(0, 0, 1, 1), board.get());
    EXPECT_EQ(one->GetCanvas()->GetPixels(0, 0), RGB(128, 128, 128));
    auto big = NewBitmap(4, 4);
    big->GetCanvas()->SetStretchMode(smHalftone);
    big->GetCanvas()->StretchDraw(Rect(0, 0, 4, 4), board.get());
    EXPECT_EQ(big->GetCanvas()->GetPixels(0, 0), clBlack);
    EXPECT_EQ(big->GetCanvas()->GetPixels(3, 0), clWhite);
    EXPECT_EQ(big->GetCanvas()->GetPixels(3, 3), clBlack);
}

TEST(CanvasCopy, SourceBeyondTheImageLeavesTheDestinationAlone) {
    auto src = Row({A, Bc});
    auto dst = Row({Dc, Dc, Dc, Dc, Dc, Dc, Dc, Dc});
    TCanvas* c = dst->GetCanvas();
    c->CopyRect(Rect(0, 0, 4, 1), src->GetCanvas(), Rect(0, 0, 4, 1)); // same size
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{A, Bc, Dc, Dc, Dc, Dc, Dc, Dc}));
    c->CopyRect(Rect(0, 0, 8, 1), src->GetCanvas(), Rect(-1, 0, 3, 1)); // stretched, both sides out
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{A, Bc, A, A, Bc, Bc, Dc, Dc}));

    // Halftone averages only the part inside the image.
    auto black = Row({clBlack, clBlack});
    auto one = Row({clRed});
    one->GetCanvas()->SetStretchMode(smHalftone);
    one->GetCanvas()->CopyRect(Rect(0, 0, 1, 1), black->GetCanvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(one->GetCanvas()->GetPixels(0, 0), clBlack);
    one->GetCanvas()->CopyRect(Rect(0, 0, 1, 1), black->GetCanvas(), Rect(5, 0, 9, 1));
    EXPECT_EQ(one->GetCanvas()->GetPixels(0, 0), clBlack); // nothing inside: untouched
}

TEST(CanvasCopy, NegativeExtentsMirror) {
    auto src = Row({A, Bc, Cc});
    auto dst = NewBitmap(3, 1);
    dst->GetCanvas()->CopyRect(Rect(3, 0, 0, 1), src->GetCanvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{Cc, Bc, A}));
    dst->GetCanvas()->SetStretchMode(smHalftone);
    dst->GetCanvas()->CopyRect(Rect(0, 0, 3, 1), src->GetCanvas(), Rect(3, 0, 0, 1));
    EXPECT_EQ(RowOf(*dst), (std::vector<TColor>{Cc, Bc, A}));
}

TEST(CanvasCopy, OverlappingCopyWithinOneCanvas) {
    auto b = Row({A, Bc, Cc, Dc, W});
    b->GetCanvas()->CopyRect(Rect(1, 0, 5, 1), b->GetCanvas(), Rect(0, 0, 4, 1));
    EXPECT_EQ(RowOf(*b), (std::vector<TColor>{A, A, Bc, Cc, Dc}));
}

TEST(CanvasCopy, TransparentBitmapSkipsItsTransparentColour) {
    auto glyph = NewBitmap(3, 2);
    TCanvas* g = glyph->GetCanvas();
    g->GetBrush()->SetColor(clRed);
    g->FillRect(Rect(0, 0, 3, 2));
    g->SetPixels(1, 0, clBlue);
    glyph->SetTransparent(true);
    EXPECT_EQ(glyph->GetTransparentColor(), clRed); // the bottom-left pixel
    auto dst = NewBitmap(3, 2);
    dst->GetCanvas()->Draw(0, 0, glyph.get());
    EXPECT_EQ(test::Picture(*dst), ".b.\n...\n");
    glyph->SetTransparentColor(clBlue);
    dst->GetCanvas()->StretchDraw(Rect(0, 0, 3, 2), glyph.get());
    EXPECT_EQ(test::Picture(*dst), "rbr\nrrr\n");
}

TEST(CanvasCopy, ConversionBetweenFormats) {
    auto src = Row({clSilver, RGB(250, 10, 10), clWhite});
    auto dst4 = NewBitmap(3, 1, pf4bit);
    dst4->GetCanvas()->Draw(0, 0, src.get());
    const uint8_t* p = dst4->GetScanLine(0);
    EXPECT_EQ(p[0], 0x79); // silver 7, nearest red 9
    EXPECT_EQ(p[1] >> 4, 15);
    auto back = NewBitmap(3, 1);
    back->GetCanvas()->Draw(0, 0, dst4.get());
    EXPECT_EQ(RowOf(*back), (std::vector<TColor>{clSilver, clRed, clWhite}));
    // Palette to palette with the same palette keeps the indices, even duplicated colours.
    auto p8 = NewBitmap(2, 1, pf8bit);
    p8->GetScanLine(0)[0] = 16; // the colour cube's black, equal to entry 0
    auto q8 = NewBitmap(2, 1, pf8bit);
    q8->GetCanvas()->Draw(0, 0, p8.get());
    EXPECT_EQ(q8->GetScanLine(0)[0], 16);
}

} // namespace
} // namespace qyx
