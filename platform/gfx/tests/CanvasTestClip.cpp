// Clipping holds for every primitive on every pixel format: random figures drawn through a clip
// rectangle never change a pixel outside it.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace qyx {
namespace {

TEST(CanvasClip, NoPrimitivePaintsOutsideTheClipRectangle) {
    const TRect clip = Rect(5, 4, 29, 21);
    std::mt19937 rng(12345);
    auto coord = [&] { return static_cast<int>(rng() % 100) - 35; };
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(int(f));
        auto b = test::NewBitmap(37, 27, f);
        TBitmap src(9, 7, f);
        src.GetCanvas()->GetBrush()->SetColor(clBlack);
        src.GetCanvas()->FillRect(Rect(0, 0, 9, 7));
        TCanvas* c = b->GetCanvas();
        c->SetClipRect(clip);
        for (int i = 0; i < 400; ++i) {
            c->GetPen()->SetWidth(1 + static_cast<int>(rng() % 4));
            c->GetPen()->SetStyle(static_cast<TPenStyle>(rng() % 6));
            c->GetPen()->SetMode(rng() % 3 == 0 ? pmXor : pmCopy);
            c->GetPen()->SetColor(static_cast<TColor>(rng() & 0xFFFFFF));
            c->GetBrush()->SetStyle(rng() % 4 == 0 ? bsClear : rng() % 4 == 0 ? bsCross : bsSolid);
            c->GetBrush()->SetColor(static_cast<TColor>(rng() & 0xFFFFFF));
            c->SetCopyMode(rng() % 2 ? cmSrcCopy : cmSrcInvert);
            c->SetStretchMode(rng() % 2 ? smHalftone : smColorOnColor);
            const int x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord(), x3 = coord(), y3 = coord();
            switch (rng() % 12) {
            case 0: c->MoveTo(x1, y1), c->LineTo(x2, y2); break;
            case 1: c->Rectangle(x1, y1, x2, y2); break;
            case 2: c->Ellipse(x1, y1, x2, y2); break;
            case 3: c->Arc(x1, y1, x2, y2, x3, y3, x1, y3); break;
            case 4: c->Pie(x1, y1, x2, y2, x3, y3, x2, y1); break;
            case 5: {
                const std::vector<TPoint> p = {{x1, y1}, {x2, y2}, {x3, y3}, {x2, y1}};
                c->Polygon(p);
                c->Polyline(p);
                break;
            }
            case 6: c->FillRect(Rect(x1, y1, x2, y2)), c->FrameRect(Rect(x2, y2, x1 + 40, y1 + 40)); break;
            case 7: c->InvertRect(Rect(x1, y1, x2, y2)); break;
            case 8: c->SetPixels(x1 + 20, y1 + 20, clBlack); break;
            case 9: c->TextOut(x1, y1, "Ag"); break;
            case 10: c->Draw(x1, y1, &src); break;
            default: c->StretchDraw(Rect(x1, y1, x2, y2), &src); break;
            }
        }
        c->ResetClipRect();
        int outside = 0;
        for (int y = 0; y < 27; ++y)
            for (int x = 0; x < 37; ++x)
                if (!clip.Contains({x, y})) outside += c->GetPixels(x, y) != clWhite;
        EXPECT_EQ(outside, 0);
        if (f != pf1bit) { // the inside was drawn on
            EXPECT_LT(test::CountPixels(*b, clWhite), 37 * 27 - 100);
        }
    }
}

} // namespace
} // namespace qyx
