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
    // Image columns i0 ... i1-1 and rows j0 ... j1-1 lie inside the clip.
    const int64_t left = int64_t{X} + Img.Left, top = int64_t{Y} + Img.Top;
    const int i0 = static_cast<int>(std::clamp<int64_t>(R.X0 - left, 0, Img.Width));
    const int i1 = static_cast<int>(std::clamp<int64_t>(R.X1 - left, 0, Img.Width));
    const int j0 = static_cast<int>(std::clamp<int64_t>(R.Y0 - top, 0, Img.Height));
    const int j1 = static_cast<int>(std::clamp<int64_t>(R.Y1 - top, 0, Img.Height));
    Dispatch(R.Format, [&](auto px) {
        using Pix = decltype(px);
        const uint32_t ink = Ink.Value & Pix::Mask, back = Back.Value & Pix::Mask;
        for (int j = j0; j < j1; ++j) {
            uint8_t* row = R.Row(static_cast<int>(top + j));
            const uint8_t* k = Img.Kind.data() + static_cast<size_t>(j) * Img.Width;
            const int64_t sx = left + R.OX; // surface column of image column 0
            for (int i = i0; i < i1; ++i) {
                if (k[i] == 2)
                    Pix::Put(row, static_cast<int>(sx + i), ink);
                else if (k[i] == 1 && Opaque)
                    Pix::Put(row, static_cast<int>(sx + i), back);
            }
        }
    });
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
    MoveTo(ClampInt(int64_t{X} + TextWidth(Text)), Y);
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
