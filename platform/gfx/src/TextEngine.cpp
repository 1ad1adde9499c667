// Text engine entry points: metrics, advance sums and the text image with its cell, glyphs and lines.
//
// Glyphs sit on the baseline at row Ascent of the cell, one after another at their integer (hinted,
// rounded) advances, without kerning. A rotated text is the unrotated image turned about the reference
// point: each pixel of the result takes the unrotated pixel under its centre (inverse mapping,
// nearest pixel), so that multiples of 90 degrees are exact quarter turns.
#include "TextEngineFonts.h"

#include <qyx/platform/CodePage.h>
#include <qyx/platform/Exceptions.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qyx::gfx {

using text::EngineLock;
using text::FontFor;
using text::GlyphFor;
using text::TFontInstance;
using text::TGlyph;

namespace {

constexpr int64_t MaxImagePixels = int64_t(1) << 28;

TRect Intersect(const TRect& A, const TRect& B) {
    TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
    return R.IsEmpty() ? TRect{} : R;
}

TRect Union(const TRect& A, const TRect& B) {
    if (A.IsEmpty()) return B;
    if (B.IsEmpty()) return A;
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
}

int WidthOf(TFontInstance& F, std::string_view Text) {
    int64_t W = 0;
    for (char C : Text) W += GlyphFor(F, static_cast<uint8_t>(C)).Advance;
    return static_cast<int>(std::min<int64_t>(W, std::numeric_limits<int>::max() / 2));
}

// The unrotated cell together with every glyph's ink.
TRect InkAndCell(TFontInstance& F, std::string_view Text) {
    const int Width = WidthOf(F, Text);
    TRect Box = Width > 0 ? TRect{0, 0, Width, F.Metrics.Height} : TRect{};
    int Pen = 0;
    for (char C : Text) {
        const TGlyph& G = GlyphFor(F, static_cast<uint8_t>(C));
        if (G.W > 0 && G.H > 0) {
            int X = Pen + G.Left, Y = F.Metrics.Ascent - G.Top;
            Box = Union(Box, {X, Y, X + G.W, Y + G.H});
        }
        Pen += G.Advance;
    }
    return Box;
}

void FillRect(TTextImage& Img, const TRect& R, uint8_t Kind) {
    TRect C = Intersect(R, {Img.Left, Img.Top, Img.Left + Img.Width, Img.Top + Img.Height});
    for (int y = C.Top; y < C.Bottom; ++y) {
        uint8_t* Row = Img.Kind.data() + size_t(y - Img.Top) * Img.Width - Img.Left;
        std::fill(Row + C.Left, Row + C.Right, Kind);
    }
}

// Paints the unrotated text into the part Box of the plane (cell, glyphs, lines).
TTextImage Compose(TFontInstance& F, std::string_view Text, TFontStyles Style, const TRect& Box) {
    TTextImage Img;
    if (Box.IsEmpty()) return Img;
    if (int64_t(Box.Width()) * Box.Height() > MaxImagePixels) throw EInvalidGraphic("Text image too large");
    Img.Left = Box.Left;
    Img.Top = Box.Top;
    Img.Width = Box.Width();
    Img.Height = Box.Height();
    Img.Kind.assign(size_t(Img.Width) * Img.Height, 0);

    const int Width = WidthOf(F, Text);
    const TTextMetrics& M = F.Metrics;
    FillRect(Img, {0, 0, Width, M.Height}, 1);
    int Pen = 0;
    for (char C : Text) {
        const TGlyph& G = GlyphFor(F, static_cast<uint8_t>(C));
        const int X0 = Pen + G.Left, Y0 = M.Ascent - G.Top;
        TRect R = Intersect({X0, Y0, X0 + G.W, Y0 + G.H}, Box);
        for (int y = R.Top; y < R.Bottom; ++y) {
            const uint8_t* Src = G.Bits.data() + size_t(y - Y0) * G.W - X0;
            uint8_t* Dst = Img.Kind.data() + size_t(y - Img.Top) * Img.Width - Img.Left;
            for (int x = R.Left; x < R.Right; ++x)
                if (Src[x]) Dst[x] = 2;
        }
        Pen += G.Advance;
    }
    if (Style.Contains(fsUnderline))
        FillRect(Img, {0, F.UnderlineTop, Width, F.UnderlineTop + F.UnderlineThickness}, 2);
    if (Style.Contains(fsStrikeOut))
        FillRect(Img, {0, F.StrikeTop, Width, F.StrikeTop + F.StrikeThickness}, 2);
    return Img;
}

// Cosine and sine of an escapement; exact for multiples of 90 degrees.
void CosSin(int Tenths, double& C, double& S) {
    switch (Tenths) {
    case 0: C = 1, S = 0; return;
    case 900: C = 0, S = 1; return;
    case 1800: C = -1, S = 0; return;
    case 2700: C = 0, S = -1; return;
    }
    const double A = Tenths * (3.14159265358979323846 / 1800.0);
    C = std::cos(A);
    S = std::sin(A);
}

// Bounds of a box turned counterclockwise on screen (y down): (x, y) -> (x c + y s, -x s + y c).
TRect TurnedBounds(const TRect& R, double C, double S, bool Forward) {
    if (!Forward) S = -S;
    double MinX = 1e300, MinY = 1e300, MaxX = -1e300, MaxY = -1e300;
    for (double X : {double(R.Left), double(R.Right)})
        for (double Y : {double(R.Top), double(R.Bottom)}) {
            double U = X * C + Y * S, V = -X * S + Y * C;
            MinX = std::min(MinX, U), MaxX = std::max(MaxX, U);
            MinY = std::min(MinY, V), MaxY = std::max(MaxY, V);
        }
    auto Lo = [](double V) { return static_cast<int>(std::floor(V + 1e-9)); };
    auto Hi = [](double V) { return static_cast<int>(std::ceil(V - 1e-9)); };
    return {Lo(MinX), Lo(MinY), Hi(MaxX), Hi(MaxY)};
}

TTextImage Render(const TFontRequest& Request, std::string_view Text, const TRect* Clip) {
    std::lock_guard<std::mutex> Guard(EngineLock());
    TFontInstance& F = FontFor(Request);
    const TRect Plain = InkAndCell(F, Text);
    int Tenths = Request.Escapement % 3600;
    if (Tenths < 0) Tenths += 3600;
    if (Tenths == 0) return Compose(F, Text, Request.Style, Clip ? Intersect(Plain, *Clip) : Plain);

    double C, S;
    CosSin(Tenths, C, S);
    TRect Dst = TurnedBounds(Plain, C, S, true);
    if (Clip) Dst = Intersect(Dst, *Clip);
    TTextImage Out;
    if (Dst.IsEmpty()) return Out;
    if (int64_t(Dst.Width()) * Dst.Height() > MaxImagePixels) throw EInvalidGraphic("Text image too large");
    TRect SrcBox = TurnedBounds(Dst, C, S, false);
    SrcBox = Intersect({SrcBox.Left - 1, SrcBox.Top - 1, SrcBox.Right + 1, SrcBox.Bottom + 1}, Plain);
    const TTextImage Src = Compose(F, Text, Request.Style, SrcBox);

    Out.Left = Dst.Left;
    Out.Top = Dst.Top;
    Out.Width = Dst.Width();
    Out.Height = Dst.Height();
    Out.Kind.assign(size_t(Out.Width) * Out.Height, 0);
    auto At = [&](int X, int Y) -> uint8_t {
        X -= Src.Left, Y -= Src.Top;
        return X >= 0 && Y >= 0 && X < Src.Width && Y < Src.Height ? Src.Kind[size_t(Y) * Src.Width + X] : 0;
    };
    for (int Y = Dst.Top; Y < Dst.Bottom; ++Y) {
        uint8_t* Row = Out.Kind.data() + size_t(Y - Dst.Top) * Out.Width - Dst.Left;
        for (int X = Dst.Left; X < Dst.Right; ++X) {
            int SX, SY;
            switch (Tenths) {
            case 900: SX = -Y - 1, SY = X; break;
            case 1800: SX = -X - 1, SY = -Y - 1; break;
            case 2700: SX = Y, SY = -X - 1; break;
            default: {
                const double U = X + 0.5, V = Y + 0.5;
                SX = static_cast<int>(std::floor(U * C - V * S));
                SY = static_cast<int>(std::floor(U * S + V * C));
            }
            }
            Row[X] = At(SX, SY);
        }
    }
    return Out;
}

} // namespace

char32_t Cp1252ToCodePoint(uint8_t C) {
    return Cp1252ToUnicode(C);
}

TTextMetrics GetTextMetrics(const TFontRequest& Request) {
    std::lock_guard<std::mutex> Guard(EngineLock());
    return FontFor(Request).Metrics;
}

int TextWidth(const TFontRequest& Request, std::string_view Text1252) {
    std::lock_guard<std::mutex> Guard(EngineLock());
    return WidthOf(FontFor(Request), Text1252);
}

TTextImage RenderText(const TFontRequest& Request, std::string_view Text1252) {
    return Render(Request, Text1252, nullptr);
}

TTextImage RenderText(const TFontRequest& Request, std::string_view Text1252, const TRect& Clip) {
    return Render(Request, Text1252, &Clip);
}

} // namespace qyx::gfx
