// The graphics layer's drawing primitives on one sheet: shapes, a pie chart, styled and wide lines,
// text in three faces (one rotated), and a small picture stretched with both stretch modes.
// Writes gfx_primitives.png into the current directory and prints its path.
#include <qyx/platform/Bitmap.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

using namespace qyx;

namespace {

void Caption(TCanvas* C, int X, int Y, const std::string& Text) {
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetSize(9);
    C->GetFont()->SetStyle({fsBold});
    C->GetFont()->SetColor(clNavy);
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(X, Y, Text);
    C->GetFont()->SetStyle({});
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsSolid);
}

void Shapes(TCanvas* C) {
    Caption(C, 20, 50, "Rectangles, ellipses, polygons");
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetColor(RGB(255, 220, 120));
    C->Rectangle(20, 75, 120, 145);
    C->GetPen()->SetWidth(3);
    C->GetPen()->SetColor(clTeal);
    C->GetBrush()->SetColor(RGB(180, 230, 230));
    C->Rectangle(140, 75, 240, 145);
    C->GetPen()->SetWidth(1);
    C->GetPen()->SetColor(clMaroon);
    C->GetBrush()->SetColor(RGB(250, 180, 180));
    C->Ellipse(260, 75, 360, 145);
    C->GetBrush()->SetStyle(bsDiagCross);
    C->GetBrush()->SetColor(clPurple);
    C->Ellipse(380, 75, 450, 145);
    C->GetBrush()->SetStyle(bsSolid);

    std::vector<TPoint> star;
    for (int i = 0; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5, r = i % 2 ? 15 : 36;
        star.push_back({505 + static_cast<int>(std::lround(r * std::cos(a))),
                        110 + static_cast<int>(std::lround(r * std::sin(a)))});
    }
    C->GetPen()->SetColor(clOlive);
    C->GetBrush()->SetColor(clYellow);
    C->Polygon(star);
    const std::vector<TPoint> pentagram = {{600, 75}, {622, 145}, {565, 100}, {635, 100}, {578, 145}};
    C->GetPen()->SetColor(clNavy);
    C->GetBrush()->SetColor(RGB(150, 170, 255));
    C->Polygon(pentagram); // even-odd: the centre stays open

    // Small marks as the symbol routines draw them.
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetColor(clBlack);
    for (int i = 0; i < 6; ++i) {
        const int x = 665 + (i % 3) * 22, y = 90 + (i / 3) * 30;
        if (i == 0) C->Rectangle(x - 1, y - 1, x + 2, y + 2);
        if (i == 1) C->Ellipse(x - 2, y - 2, x + 3, y + 3);
        if (i == 2) C->Ellipse(x - 3, y - 3, x + 4, y + 4);
        if (i == 3) C->Ellipse(x - 2, y - 2, x + 2, y + 2);
        if (i == 4) {
            const std::vector<TPoint> tri = {{x - 3, y - 2}, {x, y + 3}, {x + 3, y - 2}};
            C->Polygon(tri);
        }
        if (i == 5) {
            C->MoveTo(x - 3, y), C->LineTo(x + 4, y);
            C->MoveTo(x, y - 3), C->LineTo(x, y + 4);
        }
    }
}

void PieChart(TCanvas* C) {
    Caption(C, 20, 165, "Pie and arcs");
    const double shares[] = {0.35, 0.25, 0.2, 0.12, 0.08};
    const TColor colors[] = {RGB(66, 133, 244), RGB(219, 68, 55), RGB(244, 180, 0), RGB(15, 157, 88),
                             clPurple};
    const int cx = 95, cy = 265, r = 75;
    double a = 0;
    C->GetPen()->SetColor(clWhite);
    for (int i = 0; i < 5; ++i) {
        const double b = a + shares[i] * 2 * std::numbers::pi;
        C->GetBrush()->SetColor(colors[i]);
        C->Pie(cx - r, cy - r, cx + r + 1, cy + r + 1, cx + static_cast<int>(100 * std::cos(a)),
               cy - static_cast<int>(100 * std::sin(a)), cx + static_cast<int>(100 * std::cos(b)),
               cy - static_cast<int>(100 * std::sin(b)));
        a = b;
    }
    C->GetPen()->SetColor(clGray);
    for (int k = 0; k < 4; ++k) {
        const int rr = 20 + 14 * k;
        C->GetPen()->SetWidth(k + 1);
        C->Arc(250 - rr, 265 - rr, 250 + rr + 1, 265 + rr + 1, 250 + rr, 265 - 10 * k, 250 - rr, 265 + 5);
    }
    C->GetPen()->SetWidth(1);
}

void Lines(TCanvas* C) {
    Caption(C, 340, 165, "Styled and wide pens");
    const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    const char* names[] = {"solid", "dash", "dot", "dash-dot", "dash-dot-dot"};
    C->GetFont()->SetSize(8);
    for (int i = 0; i < 5; ++i) {
        const int y = 195 + i * 16;
        C->GetBrush()->SetStyle(bsClear);
        C->TextOut(340, y - 6, names[i]);
        C->GetPen()->SetStyle(styles[i]);
        C->GetPen()->SetColor(clNavy);
        C->GetBrush()->SetStyle(bsClear);
        C->MoveTo(420, y), C->LineTo(560, y);
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(RGB(255, 200, 0)); // opaque gaps take the brush colour
        C->MoveTo(580, y), C->LineTo(760, y);
    }
    C->GetPen()->SetStyle(psSolid);
    for (int w = 1; w <= 6; ++w) {
        C->GetPen()->SetWidth(w);
        C->GetPen()->SetColor(RGB(40 * w, 80, 200 - 25 * w));
        C->MoveTo(340 + 22 * w, 345);
        C->LineTo(420 + 22 * w, 285);
    }
    C->GetPen()->SetWidth(1);
    // A fan of thin lines shows the rasterisation of every slope.
    C->GetPen()->SetColor(clMaroon);
    for (int k = 0; k <= 12; ++k) {
        const double a = k * std::numbers::pi / 24;
        C->MoveTo(560, 350);
        C->LineTo(560 + static_cast<int>(std::lround(200 * std::cos(a))),
                  350 - static_cast<int>(std::lround(60 * std::sin(a))));
    }
}

void Texts(TCanvas* C) {
    Caption(C, 20, 370, "Text");
    C->GetBrush()->SetStyle(bsClear);
    struct Sample {
        const char* Face;
        int Size;
        TFontStyles Style;
    } samples[] = {{"Arial", 12, {}}, {"Times New Roman", 14, {fsItalic}}, {"Courier New", 12, {fsBold}}};
    int y = 395;
    for (const Sample& s : samples) {
        C->GetFont()->SetName(s.Face);
        C->GetFont()->SetSize(s.Size);
        C->GetFont()->SetStyle(s.Style);
        C->TextOut(20, y,
                   std::string(s.Face) + ": Sph\xE4re \xB1 0.5 \xB5m, 25 \xB0"
                                         "C");
        y += C->TextHeight("M") + 4;
    }
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetSize(10);
    C->GetFont()->SetStyle({});
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clNavy);
    C->GetFont()->SetColor(clWhite);
    C->TextOut(20, y + 6, " opaque text cell ");
    C->GetBrush()->SetColor(RGB(230, 230, 230));
    C->GetFont()->SetColor(clMaroon);
    C->TextRect(Rect(180, y + 6, 260, y + 22), 184, y + 6, "clipped to its rectangle");
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetColor(clTeal);
    C->GetFont()->SetSize(11);
    C->GetFont()->SetOrientation(300);
    C->TextOut(290, 520, "rotated by 30\xB0");
    C->GetFont()->SetOrientation(900);
    C->TextOut(310, 585, "upwards");
    C->GetFont()->SetOrientation(0);
    C->GetFont()->SetColor(clBlack);
}

void Pictures(TCanvas* C) {
    Caption(C, 420, 370, "Stretching: nearest (left) and halftone (right)");
    // A zone plate shrunk three times: nearest neighbour aliases, halftone averages.
    TBitmap zone(480, 315);
    for (int y = 0; y < 315; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(zone.GetScanLine(y));
        for (int x = 0; x < 480; ++x) {
            const double r2 = (x - 240.0) * (x - 240.0) + (y - 157.0) * (y - 157.0);
            const int v = static_cast<int>(127.5 + 127.5 * std::cos(r2 * std::numbers::pi / 1500));
            row[x] = static_cast<uint32_t>((v << 16) | (v << 8) | 255); // pf32bit: $00RRGGBB
        }
    }
    C->SetStretchMode(smColorOnColor);
    C->StretchDraw(Rect(420, 395, 580, 500), &zone);
    C->SetStretchMode(smHalftone);
    C->StretchDraw(Rect(600, 395, 760, 500), &zone);

    // A small picture enlarged six times, and the same through a 16-colour palette bitmap.
    TBitmap pic(12, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool check = ((x / 2) + (y / 2)) % 2 == 0;
            pic.GetCanvas()->SetPixels(
                x, y, check ? RGB(20 * x, 60 + 20 * y, 220) : RGB(255, 240 - 16 * y, 20 * x));
        }
    pic.GetCanvas()->GetPen()->SetColor(clBlack);
    pic.GetCanvas()->MoveTo(0, 7);
    pic.GetCanvas()->LineTo(12, 0);
    C->SetStretchMode(smColorOnColor);
    C->StretchDraw(Rect(420, 510, 492, 558), &pic);
    C->SetStretchMode(smHalftone);
    C->StretchDraw(Rect(508, 510, 580, 558), &pic);
    C->SetStretchMode(smColorOnColor);
    TBitmap vga(12, 8, pf4bit);
    vga.GetCanvas()->Draw(0, 0, &pic);
    C->StretchDraw(Rect(600, 510, 672, 558), &vga);
    C->GetFont()->SetSize(8);
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(680, 527, "16 colours");
}

} // namespace

int main() {
    TBitmap sheet(780, 600);
    TCanvas* c = sheet.GetCanvas();
    c->GetBrush()->SetColor(RGB(250, 250, 245));
    c->FillRect(Rect(0, 0, 780, 600));
    c->GetFont()->SetName("Arial");
    c->GetFont()->SetSize(16);
    c->GetFont()->SetStyle({fsBold});
    c->GetBrush()->SetStyle(bsClear);
    c->TextOut(20, 12, "qyxgfx drawing primitives");
    c->GetBrush()->SetStyle(bsSolid);
    c->GetPen()->SetColor(clSilver);
    c->MoveTo(20, 40);
    c->LineTo(760, 40);

    Shapes(c);
    PieChart(c);
    Lines(c);
    Texts(c);
    Pictures(c);

    c->GetBrush()->SetColor(clGray);
    c->FrameRect(Rect(0, 0, 780, 600));
    const std::filesystem::path out = std::filesystem::current_path() / "gfx_primitives.png";
    sheet.SaveToFile(out.string());
    std::printf("%s\n", out.string().c_str());
    return 0;
}
