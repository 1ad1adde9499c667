// Lines: end points, tie rule, direction independence, XOR, styled and wide pens, clipping.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace qyx {
namespace {

using test::NewBitmap;
using test::Picture;

TEST(CanvasLines, EndPointLeftOutAndPenPosUpdated) {
    auto b = NewBitmap(7, 3);
    TCanvas* c = b->GetCanvas();
    c->MoveTo(1, 1);
    c->LineTo(5, 1);
    EXPECT_EQ(c->GetPenPos(), Point(5, 1));
    EXPECT_EQ(Picture(*b), ".......\n"
                           ".####..\n"
                           ".......\n");
    // A zero-length line paints nothing.
    c->MoveTo(0, 0);
    c->LineTo(0, 0);
    EXPECT_EQ(c->GetPixels(0, 0), clWhite);
}

TEST(CanvasLines, SlopedLinesRoundHalvesTowardsSmallerCoordinate) {
    struct Case {
        TPoint A, B;
        const char* Picture;
    };
    const Case cases[] = {
        {{0, 0}, {4, 2}, "##...\n..##.\n.....\n"}, // ties at x = 1 and 3 go up
        {{4, 2}, {0, 0}, ".#...\n..##.\n....#\n"}, // same pixels reversed, ends swapped
        {{0, 0}, {1, 3}, "#....\n#....\n.#...\n"}, // steep: ties go left
        {{0, 2}, {4, 0}, "...#.\n.##..\n#....\n"}, // rising: ties go up
        {{0, 0}, {3, 3}, "#....\n.#...\n..#..\n"}, // 45 degrees
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.A.x << "," << k.A.y << " -> " << k.B.x << "," << k.B.y);
        auto b = NewBitmap(5, 3);
        b->GetCanvas()->MoveTo(k.A.x, k.A.y);
        b->GetCanvas()->LineTo(k.B.x, k.B.y);
        EXPECT_EQ(Picture(*b), k.Picture);
    }
}

TEST(CanvasLines, LineCoversTheSamePixelsInBothDirections) {
    // XOR-drawing A->B and then B->A cancels every pixel except the two ends.
    for (int x = -7; x <= 7; ++x)
        for (int y = -7; y <= 7; ++y) {
            if (x == 0 && y == 0) continue;
            SCOPED_TRACE(testing::Message() << "to " << x << "," << y);
            auto b = NewBitmap(17, 17);
            TCanvas* c = b->GetCanvas();
            c->GetPen()->SetMode(pmXor);
            c->GetPen()->SetColor(clWhite);
            c->MoveTo(8, 8);
            c->LineTo(8 + x, 8 + y);
            c->LineTo(8, 8);
            EXPECT_EQ(test::CountPixels(*b, clBlack), 2);
            EXPECT_EQ(c->GetPixels(8, 8), clBlack);
            EXPECT_EQ(c->GetPixels(8 + x, 8 + y), clBlack);
        }
}

TEST(CanvasLines, XorLineTwiceRestores) {
    auto b = NewBitmap(20, 20);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 10, 20));
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(clWhite);
    const std::string before = Picture(*b);
    for (int pass = 0; pass < 2; ++pass) {
        c->MoveTo(1, 2);
        c->LineTo(18, 13);
    }
    EXPECT_EQ(Picture(*b), before);
}

TEST(CanvasLines, RaisedFrameEdgesOfTheTwoRings) {
    // The frame drawing sequence of the library's DrawFrame for fsRaised on 0, 0, 9, 9.
    auto b = NewBitmap(10, 10);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 10, 10));
    const int L = 0, T = 0, R = 9, B = 9;
    c->GetPen()->SetColor(clWhite);
    c->MoveTo(L, B), c->LineTo(L, T), c->LineTo(R + 1, T);
    c->MoveTo(R, T + 1);
    c->GetPen()->SetColor(clBlack);
    c->LineTo(R, B), c->LineTo(L - 1, B);
    c->GetPen()->SetColor(clSilver);
    c->MoveTo(L + 1, B - 1), c->LineTo(L + 1, T + 1), c->LineTo(R, T + 1);
    c->MoveTo(R - 1, T + 2);
    c->GetPen()->SetColor(clGray);
    c->LineTo(R - 1, B - 1), c->LineTo(L, B - 1);
    const test::TLegend legend = {
        {clWhite, 'W'}, {clBlack, 'K'}, {clSilver, 'S'}, {clGray, 'G'}, {clRed, '.'}};
    EXPECT_EQ(Picture(*b, 0, 0, 10, 10, legend), "WWWWWWWWWW\n"
                                                 "WSSSSSSSSK\n"
                                                 "WS......GK\n"
                                                 "WS......GK\n"
                                                 "WS......GK\n"
                                                 "WS......GK\n"
                                                 "WS......GK\n"
                                                 "WS......GK\n"
                                                 "WGGGGGGGGK\n"
                                                 "KKKKKKKKKK\n");
}

TEST(CanvasLines, CrossArmsFromLineToPastTheEnd) {
    // A cross of size 7 drawn with LineTo(X, Y + S + 1) covers Y - 7 ... Y + 7.
    auto b = NewBitmap(21, 21);
    TCanvas* c = b->GetCanvas();
    const int X = 10, Y = 10, S = 7;
    c->MoveTo(X, Y - S), c->LineTo(X, Y + S + 1);
    c->MoveTo(X - S, Y), c->LineTo(X + S + 1, Y);
    EXPECT_EQ(test::CountPixels(*b, clBlack), 29);
    EXPECT_EQ(c->GetPixels(X, Y - 7), clBlack);
    EXPECT_EQ(c->GetPixels(X, Y + 7), clBlack);
    EXPECT_EQ(c->GetPixels(X, Y + 8), clWhite);
    EXPECT_EQ(c->GetPixels(X + 7, Y), clBlack);
}

TEST(CanvasLines, PolylinePaintsInteriorVerticesOnceAndLeavesOutTheLastPoint) {
    auto b = NewBitmap(6, 6);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(clWhite);
    c->MoveTo(3, 3);
    const std::vector<TPoint> pts = {{0, 0}, {4, 0}, {4, 4}, {1, 4}};
    c->Polyline(pts);
    EXPECT_EQ(Picture(*b), "#####.\n"
                           "....#.\n"
                           "....#.\n"
                           "....#.\n"
                           "..###.\n"
                           "......\n");
    EXPECT_EQ(c->GetPenPos(), Point(3, 3)); // not used or changed
}

TEST(CanvasLines, StyledPensWithOpaqueAndTransparentGaps) {
    struct Case {
        TPenStyle Style;
        TBrushStyle Brush;
        const char* Row;
    };
    const Case cases[] = {
        {psDash, bsSolid, "######bb######bb####\n"},    {psDash, bsClear, "######..######..####\n"},
        {psDot, bsSolid, "#b#b#b#b#b#b#b#b#b#b\n"},     {psDot, bsClear, "#.#.#.#.#.#.#.#.#.#.\n"},
        {psDashDot, bsSolid, "######bb#bb######bb#\n"}, {psDashDotDot, bsClear, "######..#..#..######\n"},
        {psClear, bsSolid, "....................\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(k.Style) << " brush " << int(k.Brush));
        auto b = NewBitmap(21, 1);
        TCanvas* c = b->GetCanvas();
        c->GetPen()->SetStyle(k.Style);
        c->GetBrush()->SetColor(clBlue);
        c->GetBrush()->SetStyle(k.Brush);
        c->MoveTo(0, 0);
        c->LineTo(20, 0);
        EXPECT_EQ(Picture(*b, 0, 0, 20, 1), k.Row);
        EXPECT_EQ(c->GetPixels(20, 0), clWhite);
    }
}

TEST(CanvasLines, StylePatternContinuesAcrossLineToAndRestartsAtMoveTo) {
    auto b = NewBitmap(12, 2);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetStyle(psDash);
    c->GetBrush()->SetStyle(bsClear);
    c->MoveTo(0, 0);
    c->LineTo(4, 0);
    c->LineTo(12, 0);
    c->MoveTo(0, 1);
    c->LineTo(3, 1);
    c->MoveTo(3, 1);
    c->LineTo(12, 1);
    EXPECT_EQ(Picture(*b), "######..####\n"
                           "#########..#\n");
}

TEST(CanvasLines, WidePensPaintCentredRunsWithButtCaps) {
    struct Case {
        int Width;
        TPoint A, B;
        const char* Picture;
    };
    const Case cases[] = {
        {3, {1, 2}, {5, 2}, "......\n.####.\n.####.\n.####.\n......\n"},
        {2, {1, 2}, {5, 2}, "......\n......\n.####.\n.####.\n......\n"},
        {3, {2, 0}, {2, 4}, ".###..\n.###..\n.###..\n.###..\n......\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Width);
        auto b = NewBitmap(6, 5);
        TCanvas* c = b->GetCanvas();
        c->GetPen()->SetWidth(k.Width);
        c->GetPen()->SetStyle(psDash); // wide pens draw solid
        c->MoveTo(k.A.x, k.A.y);
        c->LineTo(k.B.x, k.B.y);
        EXPECT_EQ(Picture(*b), k.Picture);
    }
}

TEST(CanvasLines, WideDiagonalKeepsItsThickness) {
    auto b = NewBitmap(12, 12);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetWidth(3);
    c->MoveTo(2, 2);
    c->LineTo(10, 10);
    // Each column carries round(3 * sqrt 2) = 4 pixels.
    for (int x = 2; x < 10; ++x) {
        int n = 0;
        for (int y = 0; y < 12; ++y) n += c->GetPixels(x, y) == clBlack;
        EXPECT_EQ(n, 4) << "column " << x;
    }
}

TEST(CanvasLines, ClippingAndHugeCoordinates) {
    auto b = NewBitmap(10, 10);
    TCanvas* c = b->GetCanvas();
    c->MoveTo(-2000000000, -1000000000);
    c->LineTo(2000000000, 1000000000); // slope 1/2 through the origin; must not take long
    EXPECT_EQ(c->GetPixels(0, 0), clBlack);
    EXPECT_EQ(c->GetPixels(2, 1), clBlack);
    EXPECT_EQ(c->GetPixels(1, 0), clBlack); // tie at y = 0.5 goes up
    EXPECT_EQ(test::CountPixels(*b, clBlack), 10);

    auto d = NewBitmap(10, 10);
    c = d->GetCanvas();
    c->SetClipRect(Rect(2, 2, 5, 5));
    EXPECT_EQ(c->GetClipRect(), Rect(2, 2, 5, 5));
    c->MoveTo(0, 3);
    c->LineTo(10, 3);
    EXPECT_EQ(c->GetPixels(1, 3), clNone); // reading is clipped too
    c->ResetClipRect();
    EXPECT_EQ(c->GetClipRect(), Rect(0, 0, 10, 10));
    EXPECT_EQ(Picture(*d, 0, 3, 10, 4), "..###.....\n");
}

} // namespace
} // namespace qyx
