// Closed shapes: rectangles, fills and frames, ellipses, polygons, arcs and pies.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace qyx {
namespace {

using test::NewBitmap;
using test::Picture;

TEST(CanvasShapes, RectangleExcludesRightAndBottomAndNormalisesCorners) {
    for (const TRect r : {Rect(1, 1, 5, 4), Rect(5, 4, 1, 1), Rect(1, 4, 5, 1)}) {
        SCOPED_TRACE(testing::Message() << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom);
        auto b = NewBitmap(6, 5);
        b->GetCanvas()->GetBrush()->SetColor(clRed);
        b->GetCanvas()->Rectangle(r);
        EXPECT_EQ(Picture(*b), "......\n"
                               ".####.\n"
                               ".#rr#.\n"
                               ".####.\n"
                               "......\n");
    }
}

TEST(CanvasShapes, RectangleEdgeCases) {
    auto b = NewBitmap(8, 6);
    TCanvas* c = b->GetCanvas();
    c->Rectangle(2, 1, 3, 4);     // one pixel wide: a column
    c->Rectangle(4, 1, 4, 4);     // zero width: nothing
    c->GetPen()->SetColor(clRed); // pen = brush: exactly the exclusive box
    c->GetBrush()->SetColor(clRed);
    c->Rectangle(5 - 1, 4 - 1, 5 + 2, 4 + 2);
    EXPECT_EQ(Picture(*b), "........\n"
                           "..#.....\n"
                           "..#.....\n"
                           "..#.rrr.\n"
                           "....rrr.\n"
                           "....rrr.\n");
}

TEST(CanvasShapes, RectangleWithClearPenOrClearBrush) {
    auto b = NewBitmap(6, 6);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetStyle(psClear);
    c->GetBrush()->SetColor(clRed);
    c->Rectangle(0, 0, 3, 3); // the brush covers the whole box
    c->GetPen()->SetStyle(psSolid);
    c->GetBrush()->SetStyle(bsClear);
    c->Rectangle(2, 2, 6, 6); // outline only, the red corner stays under the frame
    EXPECT_EQ(Picture(*b), "rrr...\n"
                           "rrr...\n"
                           "rr####\n"
                           "..#..#\n"
                           "..#..#\n"
                           "..####\n");
}

TEST(CanvasShapes, XorRectangleTouchesEachOutlinePixelOnceAndRestores) {
    auto b = NewBitmap(8, 7);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(clWhite);
    c->GetBrush()->SetStyle(bsClear);
    c->Rectangle(6, 5, 1, 1); // from the second corner to the first
    EXPECT_EQ(test::CountPixels(*b, clBlack), 14);
    c->Rectangle(6, 5, 1, 1);
    EXPECT_EQ(test::CountPixels(*b, clBlack), 0);
}

TEST(CanvasShapes, WidePenRectangleIsABandAroundTheOutline) {
    auto b = NewBitmap(10, 10);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetWidth(3);
    c->GetBrush()->SetColor(clRed);
    c->Rectangle(2, 2, 8, 8);
    EXPECT_EQ(Picture(*b), "..........\n"
                           ".########.\n"
                           ".########.\n"
                           ".########.\n"
                           ".###rr###.\n"
                           ".###rr###.\n"
                           ".########.\n"
                           ".########.\n"
                           ".########.\n"
                           "..........\n");
}

TEST(CanvasShapes, StyledRectangleOutlineRunsAroundTheCorners) {
    auto b = NewBitmap(6, 5);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetStyle(psDot);
    c->GetBrush()->SetColor(clBlue);
    c->Rectangle(0, 0, 6, 5);
    EXPECT_EQ(Picture(*b), "#b#b#b\n"
                           "bbbbb#\n"
                           "#bbbbb\n"
                           "bbbbb#\n"
                           "#b#b#b\n");
}

TEST(CanvasShapes, FillFrameAndInvertRect) {
    auto b = NewBitmap(8, 6);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetColor(clBlue); // not used by these
    c->GetBrush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 3, 2));
    c->FillRect(Rect(3, 3, 1, 1)); // inverted: nothing
    c->GetBrush()->SetColor(clBlack);
    c->FrameRect(Rect(3, 1, 8, 5));
    c->InvertRect(Rect(5, 2, 7, 4));
    EXPECT_EQ(Picture(*b), "rrr.....\n"
                           "rrr#####\n"
                           "...#.###\n"
                           "...#.###\n"
                           "...#####\n"
                           "........\n");
    c->GetBrush()->SetStyle(bsClear);
    c->FillRect(Rect(0, 5, 8, 6));
    EXPECT_EQ(c->GetPixels(0, 5), clWhite);
}

TEST(CanvasShapes, SmallEllipsePatterns) {
    struct Case {
        TRect Box;
        int Size;
        const char* Picture;
    };
    const Case cases[] = {
        {Rect(0, 0, 5, 5), 5, ".###.\n#...#\n#...#\n#...#\n.###.\n"},
        {Rect(0, 0, 7, 7), 7, "..###..\n.#...#.\n#.....#\n#.....#\n#.....#\n.#...#.\n..###..\n"},
        {Rect(0, 0, 4, 4), 4, ".##.\n#..#\n#..#\n.##.\n"},
        {Rect(0, 0, 3, 3), 3, "###\n#.#\n###\n"},
        {Rect(0, 0, 2, 2), 2, "##\n##\n"},
        {Rect(0, 0, 7, 6), 7, "..###..\n##...##\n#.....#\n#.....#\n##...##\n..###..\n.......\n"},
        {Rect(0, 0, 8, 2), 8,
         "########\n########\n........\n........\n........\n........\n........\n........\n"},
        {Rect(0, 0, 2, 6), 6, "##....\n##....\n##....\n##....\n##....\n##....\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.Box.Right << "x" << k.Box.Bottom);
        auto b = NewBitmap(k.Size, k.Size);
        b->GetCanvas()->GetBrush()->SetStyle(bsClear);
        b->GetCanvas()->Ellipse(k.Box);
        EXPECT_EQ(Picture(*b), k.Picture);
    }
}

TEST(CanvasShapes, FilledEllipseAroundNegativeCoordinates) {
    // Ellipse(-2, -2, 3, 3) around a centre, as marks draw it: the 5 x 5 disc with its ring.
    auto b = NewBitmap(7, 7);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(clRed);
    const int X = 3, Y = 3;
    c->Ellipse(X - 2, Y - 2, X + 3, Y + 3);
    EXPECT_EQ(Picture(*b), ".......\n"
                           "..###..\n"
                           ".#rrr#.\n"
                           ".#rrr#.\n"
                           ".#rrr#.\n"
                           "..###..\n"
                           ".......\n");
}

TEST(CanvasShapes, EllipsesAreSymmetricAndTouchTheirBox) {
    for (int w = 1; w <= 14; ++w)
        for (int h = 1; h <= 14; ++h) {
            SCOPED_TRACE(testing::Message() << w << "x" << h);
            auto b = NewBitmap(w + 2, h + 2);
            TCanvas* c = b->GetCanvas();
            c->GetBrush()->SetColor(clRed);
            c->Ellipse(1, 1, 1 + w, 1 + h);
            for (int y = 0; y < h + 2; ++y)
                for (int x = 0; x < w + 2; ++x) {
                    const TColor p = c->GetPixels(x, y);
                    ASSERT_EQ(p, c->GetPixels(w + 1 - x, y)) << x << "," << y;
                    ASSERT_EQ(p, c->GetPixels(x, h + 1 - y)) << x << "," << y;
                    if (x == 0 || y == 0 || x == w + 1 || y == h + 1) {
                        ASSERT_EQ(p, clWhite);
                    }
                }
            EXPECT_EQ(c->GetPixels(1 + w / 2, 1), clBlack);
            EXPECT_EQ(c->GetPixels(1, 1 + h / 2), clBlack);
        }
}

TEST(CanvasShapes, XorEllipseAndPieDrawnTwiceRestore) {
    auto b = NewBitmap(30, 30);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(clWhite);
    c->GetPen()->SetWidth(2);
    c->GetBrush()->SetColor(clBlue);
    for (int pass = 0; pass < 2; ++pass) {
        c->Ellipse(2, 3, 27, 20);
        c->Pie(5, 5, 25, 28, 25, 10, 3, 3);
    }
    EXPECT_EQ(test::CountPixels(*b, clWhite), 900);
}

TEST(CanvasShapes, PolygonFillAndOutline) {
    auto b = NewBitmap(7, 7);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(clRed);
    const std::vector<TPoint> triangle = {{1, 3}, {3, 5}, {5, 3}};
    c->Polygon(triangle);
    const std::vector<TPoint> diamond = {{0, 1}, {1, 2}, {2, 1}, {1, 0}};
    c->Polygon(diamond);
    EXPECT_EQ(Picture(*b), ".#.....\n"
                           "#r#....\n"
                           ".#.....\n"
                           ".#####.\n"
                           "..#r#..\n"
                           "...#...\n"
                           ".......\n");
}

TEST(CanvasShapes, PolygonFillsByTheEvenOddRule) {
    auto b = NewBitmap(21, 20);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetStyle(psClear);
    c->GetBrush()->SetColor(clRed);
    const std::vector<TPoint> star = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    c->Polygon(star);
    EXPECT_EQ(c->GetPixels(10, 10), clWhite); // the centre pentagon is crossed twice
    EXPECT_EQ(c->GetPixels(5, 10), clRed);
    EXPECT_EQ(c->GetPixels(15, 10), clRed);
    EXPECT_EQ(c->GetPixels(10, 3), clRed);
    EXPECT_EQ(c->GetPixels(2, 12), clWhite);
}

TEST(CanvasShapes, PolygonWithClearPenCoversItsOutlineWithTheBrush) {
    auto b = NewBitmap(6, 6);
    TCanvas* c = b->GetCanvas();
    c->GetPen()->SetStyle(psClear);
    c->GetBrush()->SetColor(clRed);
    const std::vector<TPoint> square = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
    c->Polygon(square);
    EXPECT_EQ(Picture(*b), "......\n"
                           ".rrrr.\n"
                           ".rrrr.\n"
                           ".rrrr.\n"
                           ".rrrr.\n"
                           "......\n");
}

TEST(CanvasShapes, PieAndArcFollowTheRaysCounterclockwise) {
    auto b = NewBitmap(11, 11);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(clRed);
    c->Pie(0, 0, 11, 11, 10, 5, 5, 0); // right to up: the upper right quarter
    EXPECT_EQ(c->GetPixels(7, 3), clRed);
    EXPECT_EQ(c->GetPixels(3, 7), clWhite);
    EXPECT_EQ(c->GetPixels(5, 5), clBlack); // radii meet at the centre
    EXPECT_EQ(c->GetPixels(8, 5), clBlack); // horizontal radius
    EXPECT_EQ(c->GetPixels(5, 2), clBlack); // vertical radius
    EXPECT_EQ(c->GetPixels(10, 5), clBlack);
    EXPECT_EQ(c->GetPixels(0, 5), clWhite);

    auto d = NewBitmap(11, 11);
    c = d->GetCanvas();
    c->GetBrush()->SetColor(clRed);
    c->Pie(0, 0, 11, 11, 5, 0, 10, 5); // up to right: three quarters
    EXPECT_EQ(c->GetPixels(7, 3), clWhite);
    EXPECT_EQ(c->GetPixels(3, 7), clRed);
    EXPECT_EQ(c->GetPixels(0, 5), clBlack);

    auto e = NewBitmap(9, 9);
    c = e->GetCanvas();
    c->Arc(0, 0, 9, 9, 8, 4, 0, 4); // upper half
    EXPECT_EQ(Picture(*e), "..#####..\n"
                           ".#.....#.\n"
                           "#.......#\n"
                           "#.......#\n"
                           "#.......#\n"
                           ".........\n"
                           ".........\n"
                           ".........\n"
                           ".........\n");
}

TEST(CanvasShapes, ArcWithEqualRaysIsTheFullOutline) {
    auto a = NewBitmap(12, 9);
    auto e = NewBitmap(12, 9);
    a->GetCanvas()->Arc(0, 0, 12, 9, 3, 3, 3, 3);
    e->GetCanvas()->GetBrush()->SetStyle(bsClear);
    e->GetCanvas()->Ellipse(0, 0, 12, 9);
    EXPECT_EQ(Picture(*a), Picture(*e));
}

TEST(CanvasShapes, HatchedBrushPaintsOnlyItsLines) {
    auto b = NewBitmap(9, 3);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetStyle(bsVertical);
    c->GetBrush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 9, 3));
    EXPECT_EQ(Picture(*b), "r.......r\n"
                           "r.......r\n"
                           "r.......r\n");
}

} // namespace
} // namespace qyx

namespace qyx {
namespace {

TEST(CanvasShapes, ExtremeCoordinatesAndWidthsStayBounded) {
    // Every primitive on boxes far beyond the surface: clipped work only, no overflow.
    auto b = test::NewBitmap(16, 16);
    TCanvas* c = b->GetCanvas();
    const int lo = INT32_MIN, hi = INT32_MAX;
    for (int width : {1, 3, 1000000}) {
        SCOPED_TRACE(width);
        c->GetPen()->SetWidth(width);
        c->Rectangle(lo, lo, hi, hi);
        c->Ellipse(lo, lo, hi, hi);
        c->Ellipse(-1000000000, 5, 1000000000, 9);
        c->Arc(lo, lo, hi, hi, 0, 0, 5, 9);
        c->Pie(lo, lo, hi, hi, hi, 0, 0, lo);
        c->Pie(-5, -5, 20, 20, 20, 0, 0, 20);
        const std::vector<TPoint> poly = {{lo, lo}, {hi, 0}, {0, hi}, {lo, hi}};
        c->Polygon(poly);
        c->MoveTo(lo, hi);
        c->LineTo(hi, lo);
        c->Polyline(poly);
    }
    c->GetPen()->SetWidth(1);
    c->FillRect(Rect(lo, lo, hi, hi));
    c->FrameRect(Rect(lo, lo, hi, hi));
    c->InvertRect(Rect(lo, lo, hi, hi));
    c->TextOut(hi - 2, lo + 2, "Wide text far away");
    c->TextRect(Rect(lo, lo, hi, hi), lo, lo, "x");
    TBitmap small(3, 3);
    c->StretchDraw(Rect(lo, lo, hi, hi), &small);
    c->SetStretchMode(smHalftone);
    c->StretchDraw(Rect(lo, lo, hi, hi), &small);
    c->CopyRect(Rect(0, 0, 16, 16), small.GetCanvas(), Rect(lo, lo, hi, hi));
    c->Draw(hi, hi, &small);
    SUCCEED();
}

} // namespace
} // namespace qyx
