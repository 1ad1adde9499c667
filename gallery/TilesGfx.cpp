// qyxgfx tiles: the drawing primitives of the canvas, with a pen to draw on them.
#include "Gallery.h"
#include "Sheet.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace qyxgallery {

namespace {

using namespace qyx;

/// Shapes, a pie, styled and wide lines, text in three faces, and what the user draws with the mouse
/// (left button: draw, right button: clear).
class TPrimitivesSheet : public TSheet {
public:
    TPrimitivesSheet() : TSheet(640, 300) { SetCursor(crCross); }
    std::vector<std::vector<TPoint>> Strokes;

protected:
    void Draw(TCanvas* C) override {
        Text(C, 12, 8, "TCanvas primitives (drag with the left button to draw, right button clears)", 10,
             clNavy, true);
        // Shapes.
        C->GetPen()->SetColor(clBlack);
        C->GetBrush()->SetColor(RGB(255, 220, 150));
        C->Rectangle(20, 40, 120, 100);
        C->GetBrush()->SetColor(RGB(170, 210, 255));
        C->Ellipse(140, 40, 240, 100);
        C->GetBrush()->SetColor(RGB(190, 240, 190));
        const TPoint star[] = {{310, 36}, {324, 80}, {276, 52}, {344, 52}, {296, 80}};
        C->Polygon(star); // even-odd: the centre stays open
        // A pie chart.
        const double parts[] = {0.42, 0.28, 0.18, 0.12};
        const TColor fills[] = {clNavy, clTeal, clOlive, clMaroon};
        double a0 = 0;
        for (int i = 0; i < 4; ++i) {
            const double a1 = a0 + parts[i] * 2 * std::numbers::pi;
            C->GetBrush()->SetColor(fills[i]);
            C->Pie(380, 36, 460, 116, 420 + static_cast<int>(100 * std::cos(a0)),
                   76 - static_cast<int>(100 * std::sin(a0)), 420 + static_cast<int>(100 * std::cos(a1)),
                   76 - static_cast<int>(100 * std::sin(a1)));
            a0 = a1;
        }
        // Pen styles and widths.
        const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
        for (int i = 0; i < 5; ++i) {
            C->GetPen()->SetStyle(styles[i]);
            C->GetPen()->SetWidth(1);
            C->MoveTo(20, 130 + 10 * i), C->LineTo(240, 130 + 10 * i);
        }
        C->GetPen()->SetStyle(psSolid);
        for (int w = 1; w <= 4; ++w) {
            C->GetPen()->SetWidth(w * 2);
            C->GetPen()->SetColor(Interpolate(w));
            C->MoveTo(260, 120 + 16 * w), C->LineTo(460, 110 + 16 * w);
        }
        C->GetPen()->SetWidth(1);
        // Text in three faces.
        const char* faces[] = {"Arial", "Times New Roman", "Courier New"};
        for (int i = 0; i < 3; ++i) {
            C->GetFont()->SetName(faces[i]);
            C->GetFont()->SetSize(14);
            C->GetFont()->SetColor(clBlack);
            C->GetFont()->SetStyle(i == 1 ? TFontStyles{fsItalic} : TFontStyles{});
            C->GetBrush()->SetStyle(bsClear);
            C->TextOut(20, 200 + 26 * i, std::string(faces[i]) + ": Sample 0123 \xe9\xe8\xfc \xb5m");
            C->GetBrush()->SetStyle(bsSolid);
        }
        // What the user drew.
        C->GetPen()->SetColor(clRed);
        C->GetPen()->SetWidth(3);
        for (const auto& s : Strokes)
            if (!s.empty()) {
                C->MoveTo(s[0].x, s[0].y);
                for (const TPoint& p : s) C->LineTo(p.x, p.y);
            }
        C->GetPen()->SetWidth(1);
        C->GetPen()->SetColor(clBlack);
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TSheet::MouseDown(Button, Shift, X, Y);
        if (Button == mbLeft) Strokes.push_back({{X, Y}});
        if (Button == mbRight) Strokes.clear();
        Invalidate();
    }
    void MouseMove(TShiftState Shift, int X, int Y) override {
        TSheet::MouseMove(Shift, X, Y);
        if (!Shift.Contains(ssLeft) || Strokes.empty()) return;
        Strokes.back().push_back({X, Y});
        Invalidate();
    }

private:
    static TColor Interpolate(int W) {
        return RGB(static_cast<uint8_t>(60 * W), 40, static_cast<uint8_t>(255 - 50 * W));
    }
};

const TRegistration primitives{
    {"qyxgfx", "gfx_primitives",
     "Rectangle, ellipse, an even-odd star, a pie chart, the five pen styles, wide lines and "
     "text in Arial, Times New Roman and Courier New; a red stroke drawn with the mouse",
     [] { return new TPrimitivesSheet; },
     [](TControl* C, TTestDriver& D) {
         D.MouseDown(C, 500, 150);
         for (int i = 1; i <= 6; ++i)
             D.MouseMove(C, 500 + 20 * (i % 2 == 0 ? 0 : 1) + 4 * i, 150 + 20 * i, {ssLeft});
         D.MouseUp(C, 524, 270);
     },
     "drag with the left button to draw; right button clears"}};

} // namespace

} // namespace qyxgallery
