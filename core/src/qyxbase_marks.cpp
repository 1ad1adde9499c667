// QYX_qyxbase: the 48 marker symbols, character marks, and marks as bitmaps of their own.
#include <qyx/QYX_qyxbase.h>

#include <algorithm>
#include <initializer_list>

#include <qyx/platform/Bitmap.h>
#include <qyx/platform/Canvas.h>
#include <qyx/platform/Printer.h>

namespace qyx {

namespace {

// 7 x 7 pixel patterns, top row first; bit 6 of a row is the pixel 3 left of the centre, bit 0 the
// pixel 3 right of it.
using TMarkPattern = uint8_t[7];
constexpr TMarkPattern kSmallPlus = {0x00, 0x00, 0x08, 0x1C, 0x08, 0x00, 0x00};
constexpr TMarkPattern kMediumPlus = {0x00, 0x08, 0x08, 0x3E, 0x08, 0x08, 0x00};
constexpr TMarkPattern kLargePlus = {0x08, 0x08, 0x08, 0x7F, 0x08, 0x08, 0x08};
constexpr TMarkPattern kSmallCross = {0x00, 0x00, 0x14, 0x08, 0x14, 0x00, 0x00};
constexpr TMarkPattern kMediumCross = {0x00, 0x22, 0x14, 0x08, 0x14, 0x22, 0x00};
constexpr TMarkPattern kLargeCross = {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41};
constexpr TMarkPattern kCheckerboard = {0x55, 0x2A, 0x55, 0x2A, 0x55, 0x2A, 0x55};
constexpr TMarkPattern kBoldCross = {0x63, 0x77, 0x3E, 0x1C, 0x3E, 0x77, 0x63};

// Draws one symbol with coordinates relative to the mark's centre.
class TMarkPainter {
public:
    TMarkPainter(TCanvas* Canvas, int X, int Y) : C(Canvas), FX(X), FY(Y) {}

    void Pixel(int Dx, int Dy) { C->SetPixels(FX + Dx, FY + Dy, C->GetPen()->GetColor()); }
    void Pattern(const TMarkPattern& Rows) {
        for (int i = 0; i < 7; ++i) {
            if (Rows[i] == 0) continue;
            for (int bit = 6; bit >= 0; --bit)
                if (Rows[i] & (1 << bit)) Pixel(3 - bit, i - 3);
        }
    }
    /// MoveTo the first point, LineTo each further one.
    void Path(std::initializer_list<TPoint> Points) {
        const TPoint* p = Points.begin();
        C->MoveTo(FX + p->x, FY + p->y);
        for (++p; p != Points.end(); ++p) C->LineTo(FX + p->x, FY + p->y);
    }
    void Plus(int A) {
        Path({{-A, 0}, {A, 0}});
        Path({{0, -A}, {0, A}});
    }
    void Cross(int A) {
        Path({{-A, -A}, {A, A}});
        Path({{-A, A}, {A, -A}});
    }
    /// Open square: MoveTo(-A, -A) and lines round its corners.
    void Square(int A) { Path({{-A, -A}, {-A, A}, {A, A}, {A, -A}, {-A, -A}}); }

    // Filled symbols: brush colour := pen colour, brush style as the canvas has it.
    void FilledRect(int A) {
        Fill();
        C->Rectangle(FX - A, FY - A, FX + A + 1, FY + A + 1);
    }
    void FilledEllipse(int L, int T, int R, int B) {
        Fill();
        Ellipse(L, T, R, B);
    }
    void FilledPolygon(std::initializer_list<TPoint> Points) {
        Fill();
        Polygon(Points);
    }
    // Outline symbols: clear brush while drawing, solid afterwards.
    void OutlineEllipse(int L, int T, int R, int B) {
        C->GetBrush()->SetStyle(bsClear);
        Ellipse(L, T, R, B);
        C->GetBrush()->SetStyle(bsSolid);
    }
    void OutlinePolygon(std::initializer_list<TPoint> Points) {
        C->GetBrush()->SetStyle(bsClear);
        Polygon(Points);
        C->GetBrush()->SetStyle(bsSolid);
    }

private:
    void Fill() { C->GetBrush()->SetColor(C->GetPen()->GetColor()); }
    void Ellipse(int L, int T, int R, int B) { C->Ellipse(FX + L, FY + T, FX + R, FY + B); }
    void Polygon(std::initializer_list<TPoint> Points) {
        TPoint pts[4];
        int n = 0;
        for (const TPoint& p : Points) pts[n++] = {FX + p.x, FY + p.y};
        C->Polygon(std::span<const TPoint>(pts, static_cast<size_t>(n)));
    }

    TCanvas* C;
    int FX, FY;
};

// The eight marks that are pixel patterns on screen and bitmap canvases, drawn with lines on paper.
void DrawPatternMark(TMarkPainter& P, uint8_t Mark, bool OnPrinter) {
    switch (Mark) {
    case 1: OnPrinter ? P.Plus(2) : P.Pattern(kSmallPlus); break;
    case 2: OnPrinter ? P.Plus(3) : P.Pattern(kMediumPlus); break;
    case 3: OnPrinter ? P.Plus(4) : P.Pattern(kLargePlus); break;
    case 4: OnPrinter ? P.Cross(2) : P.Pattern(kSmallCross); break;
    case 5: OnPrinter ? P.Cross(3) : P.Pattern(kMediumCross); break;
    case 6: OnPrinter ? P.Cross(4) : P.Pattern(kLargeCross); break;
    case 18:
        if (!OnPrinter) {
            P.Pattern(kCheckerboard);
            break;
        }
        // A zero-length line paints nothing, so each dot is a line one pixel long.
        for (int dx = -3; dx <= 3; ++dx)
            for (int dy = -3; dy <= 3; ++dy)
                if ((dx + dy) % 2 == 0) P.Path({{dx, dy}, {dx + 1, dy}});
        break;
    default: // 25
        if (!OnPrinter) {
            P.Pattern(kBoldCross);
            break;
        }
        P.Path({{-3, -3}, {3, 3}});
        P.Path({{-3, -2}, {2, 3}});
        P.Path({{-2, -3}, {3, 2}});
        P.Path({{-3, 3}, {3, -3}});
        P.Path({{-3, 2}, {2, -3}});
        P.Path({{-2, 3}, {3, -2}});
        break;
    }
}

void DrawSymbol(TMarkPainter& P, uint8_t Mark, bool OnPrinter) {
    switch (Mark) {
    case 0: P.Pixel(0, 0); break;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 18:
    case 25: DrawPatternMark(P, Mark, OnPrinter); break;
    case 7: P.FilledRect(1); break;
    case 8: P.FilledRect(2); break;
    case 9: P.FilledRect(3); break;
    case 10: P.Square(1); break;
    case 11: P.Square(2); break;
    case 12: P.Square(3); break;
    case 13: P.FilledPolygon({{-1, 0}, {0, 1}, {1, 0}, {0, -1}}); break;
    case 14: P.FilledPolygon({{-2, 0}, {0, 2}, {2, 0}, {0, -2}}); break;
    case 15: P.FilledPolygon({{-3, 0}, {0, 3}, {3, 0}, {0, -3}}); break;
    case 16: P.OutlineEllipse(-2, -2, 3, 3); break;
    case 17: P.OutlineEllipse(-3, -3, 4, 4); break;
    case 19: P.Path({{-3, 0}, {0, 3}, {3, 0}, {0, -3}, {-3, 0}}); break;
    case 20: P.Path({{0, 0}, {-3, 3}}), P.Path({{0, 0}, {3, 3}}); break;
    case 21: P.Path({{0, 0}, {-4, 4}}), P.Path({{0, 0}, {4, 4}}); break;
    case 22: P.Path({{0, 0}, {-3, -3}}), P.Path({{0, 0}, {3, -3}}); break;
    case 23: P.Path({{0, 0}, {-4, -4}}), P.Path({{0, 0}, {4, -4}}); break;
    case 24: P.FilledEllipse(-3, -3, 4, 4); break;
    case 26: P.FilledEllipse(-2, -2, 3, 3); break;
    case 27: P.OutlineEllipse(-2, -2, 2, 2); break;
    case 28: P.FilledEllipse(-2, -2, 2, 2); break;
    case 29: P.FilledPolygon({{-2, 0}, {0, 2}, {2, 0}}); break;
    case 30: P.FilledPolygon({{-3, 0}, {0, 3}, {3, 0}}); break;
    case 31: P.OutlinePolygon({{-2, 0}, {0, 2}, {2, 0}}); break;
    case 32: P.OutlinePolygon({{-3, 0}, {0, 3}, {3, 0}}); break;
    case 33: P.OutlinePolygon({{-4, -3}, {0, 4}, {4, -3}}); break;
    case 34: P.FilledPolygon({{-4, -3}, {0, 4}, {4, -3}}); break;
    case 35: P.OutlinePolygon({{-4, 3}, {0, -4}, {4, 3}}); break;
    case 36: P.FilledPolygon({{-4, 3}, {0, -4}, {4, 3}}); break;
    case 37: P.Path({{-3, 0}, {4, 0}}), P.Path({{0, 0}, {0, -8}}); break;
    case 38:
        P.Path({{-3, -2}, {4, -2}});
        P.Path({{-3, 2}, {4, 2}});
        P.Path({{0, -2}, {0, 2}});
        break;
    case 39:
        P.OutlineEllipse(-3, -3, 4, 4);
        P.Path({{-3, 0}, {4, 0}});
        P.Path({{0, -3}, {0, 4}});
        break;
    case 40: P.OutlinePolygon({{3, -2}, {-2, 0}, {3, 2}}); break;
    case 41: P.FilledPolygon({{3, -2}, {-2, 0}, {3, 2}}); break;
    case 42: P.OutlinePolygon({{4, -3}, {-3, 0}, {4, 3}}); break;
    case 43: P.FilledPolygon({{4, -3}, {-3, 0}, {4, 3}}); break;
    case 44: P.OutlinePolygon({{-3, -2}, {2, 0}, {-3, 2}}); break;
    case 45: P.FilledPolygon({{-3, -2}, {2, 0}, {-3, 2}}); break;
    case 46: P.OutlinePolygon({{-4, -3}, {3, 0}, {-4, 3}}); break;
    default: P.FilledPolygon({{-4, -3}, {3, 0}, {-4, 3}}); break; // 47
    }
}

} // namespace

void DrawMarkOnCanvas(TCanvas* Canvas, uint8_t Mark, int X, int Y) {
    if (Canvas == nullptr) return;
    if (Mark >= 48) {
        // A character mark, centred with the canvas's current font.
        const std::string text(1, static_cast<char>(Mark));
        const int w = Canvas->TextWidth(text), h = Canvas->TextHeight(text);
        Canvas->TextOut(X - w / 2, Y - h / 2, text);
        return;
    }
    // The printer is recognised by its canvas alone, on every call.
    const bool onPrinter = Canvas == Printer()->GetCanvas();
    TBrush* brush = Canvas->GetBrush();
    const TColor savedBrushColor = brush->GetColor();
    TMarkPainter painter(Canvas, X, Y);
    try {
        DrawSymbol(painter, Mark, onPrinter);
    } catch (...) {
        brush->SetColor(savedBrushColor);
        throw;
    }
    brush->SetColor(savedBrushColor);
}

std::unique_ptr<TBitmap> CreateMarkAsBitmap(uint8_t Mark, TColor MarkColor, TColor BkgColor, int Size) {
    Size = std::clamp(Size, 0, 255);
    const int side = 2 * Size + 7;
    auto bmp = std::make_unique<TBitmap>(side, side);
    TCanvas* c = bmp->GetCanvas();
    c->GetPen()->SetColor(BkgColor);
    c->GetBrush()->SetColor(BkgColor);
    c->GetBrush()->SetStyle(bsSolid);
    c->Rectangle(0, 0, side, side);
    c->GetPen()->SetColor(MarkColor);
    // Character marks are drawn in the font colour, which takes the mark colour as well.
    c->GetFont()->SetColor(MarkColor);
    DrawMarkOnCanvas(c, Mark, Size + 3, Size + 3);
    return bmp;
}

} // namespace qyx
