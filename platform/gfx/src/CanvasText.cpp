// TCanvas text: output through the text engine's cell images, clipped text and metrics.
#include "CanvasOp.h"

namespace qyx {

using namespace gfx;

gfx::TFontRequest FontRequest(const TFont& Font) {
    gfx::TFontRequest r;
    r.Name = Font.FaceName();
    r.Height = Font.GetHeight();
    r.Style = Font.GetStyle();
    r.Escapement = Font.GetOrientation();
    return r;
}

namespace {

/// Paints a rendered text image with its reference point at (X, Y): ink in the font colour, the
/// cell background in the brush colour when Opaque.
void PaintText(const TRaster& R, int X, int Y, const TTextImage& Img, const TPaint& Ink, const TPaint& Back,
               bool Opaque) {
    for (int j = 0; j < Img.Height; ++j) {
        const int y = Y + Img.Top + j;
        if (y < R.Y0 || y >= R.Y1) continue;
        const uint8_t* k = Img.Kind.data() + static_cast<size_t>(j) * Img.Width;
        for (int i = 0; i < Img.Width;) {
            const uint8_t kind = k[i];
            int e = i + 1;
            while (e < Img.Width && k[e] == kind) ++e;
            if (kind == 2)
                FillSpan(R, y, X + Img.Left + i, X + Img.Left + e, Ink);
            else if (kind == 1 && Opaque)
                FillSpan(R, y, X + Img.Left + i, X + Img.Left + e, Back);
            i = e;
        }
    }
}

/// The raster's clip relative to the reference point (X, Y), for rendering only the visible part.
TRect ClipAround(const TRaster& R, int X, int Y) {
    return {ClampInt(int64_t{R.X0} - X), ClampInt(int64_t{R.Y0} - Y), ClampInt(int64_t{R.X1} - X),
            ClampInt(int64_t{R.Y1} - Y)};
}

} // namespace

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    {
        TCanvasOp op(*this, true);
        if (op.Ok && !Text.empty()) {
            const TTextImage img = RenderText(FontRequest(*FFont), Text, ClipAround(op.R, X, Y));
            TPaint ink, back;
            ink.Value = NativeColor(op.R, FFont->GetColor());
            back.Value = NativeColor(op.R, FBrush->GetColor());
            PaintText(op.R, X, Y, img, ink, back, FBrush->GetStyle() == bsSolid);
        }
    }
    MoveTo(X + TextWidth(Text), Y);
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
    TCanvasOp op(*this, true);
    if (!op.Ok) return;
    TRaster r = op.R;
    r.X0 = std::max(r.X0, R.Left), r.Y0 = std::max(r.Y0, R.Top);
    r.X1 = std::min(r.X1, R.Right), r.Y1 = std::min(r.Y1, R.Bottom);
    if (r.Empty()) return;
    TPaint ink, back;
    ink.Value = NativeColor(r, FFont->GetColor());
    back.Value = NativeColor(r, FBrush->GetColor());
    if (FBrush->GetStyle() == bsSolid) FillBox(r, r.X0, r.Y0, r.X1, r.Y1, back);
    if (!Text.empty())
        PaintText(r, X, Y, RenderText(FontRequest(*FFont), Text, ClipAround(r, X, Y)), ink, back, false);
}

int TCanvas::TextWidth(const std::string& Text) const {
    if (Text.empty()) return 0;
    return gfx::TextWidth(FontRequest(*FFont), Text);
}

int TCanvas::TextHeight(const std::string&) const {
    return GetTextMetrics(FontRequest(*FFont)).Height;
}

TSize TCanvas::TextExtent(const std::string& Text) const {
    return {TextWidth(Text), TextHeight(Text)};
}

} // namespace qyx
