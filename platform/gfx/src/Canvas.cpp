// TCanvas: state, clipping and the geometric primitives.
#include "CanvasOp.h"

#include <qyx/platform/Bitmap.h>

namespace qyx {

using namespace gfx;

TCanvasOp::TCanvasOp(const TCanvas& Canvas, bool Notify)
    : FCanvas(const_cast<TCanvas&>(Canvas)), FNotify(Notify) {
    TCanvasView view;
    if (FCanvas.FTarget == nullptr || !FCanvas.FTarget->GetCanvasView(view)) return;
    if (!MakeRaster(view, FCanvas.FClipping ? &FCanvas.FClipRect : nullptr, R)) {
        // Nothing visible: still a valid operation for reading the clip, but nothing to draw.
        Ok = false;
        FNotify = false;
        return;
    }
    Ok = true;
    if (FNotify && FCanvas.OnChanging) FCanvas.OnChanging(&FCanvas);
}

TCanvasOp::~TCanvasOp() {
    if (!Ok || !FNotify) return;
    FCanvas.FTarget->CanvasChanged();
    if (FCanvas.OnChange) FCanvas.OnChange(&FCanvas);
}

TPaint TCanvasOp::PenPaint() const {
    TPaint p;
    p.Value = NativeColor(R, FCanvas.FPen->GetColor());
    p.Rop = PenModeRop(FCanvas.FPen->GetMode());
    return p;
}

TPaint TCanvasOp::BrushPaint(bool WithPenMode) const {
    TPaint p;
    p.Value = NativeColor(R, FCanvas.FBrush->GetColor());
    if (WithPenMode) p.Rop = PenModeRop(FCanvas.FPen->GetMode());
    const TBrushStyle s = FCanvas.FBrush->GetStyle();
    p.Hatch = s == bsClear ? bsSolid : s;
    return p;
}

TLinePaint TCanvasOp::LinePaint() const {
    TLinePaint l;
    l.Pen = PenPaint();
    l.Width = std::max(1, FCanvas.FPen->GetWidth());
    if (l.Width == 1) l.Style = PenStylePattern(FCanvas.FPen->GetStyle());
    l.OpaqueGaps = FCanvas.FBrush->GetStyle() == bsSolid;
    if (l.OpaqueGaps) {
        l.Gap = BrushPaint(true);
        l.Gap.Hatch = bsSolid;
    }
    return l;
}

TShapePaint TCanvasOp::ShapePaint() const {
    TShapePaint s;
    s.HasPen = PenVisible();
    s.Line = LinePaint();
    s.InsideFrame = FCanvas.FPen->GetStyle() == psInsideFrame;
    s.HasBrush = BrushVisible();
    s.Brush = BrushPaint(true);
    return s;
}

// ---- TCanvas ---------------------------------------------------------------------------------------

TCanvas::TCanvas() : TCanvas(nullptr) {}

TCanvas::TCanvas(TCanvasTarget* Target)
    : FTarget(Target), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::SetPen(const TPen* Value) {
    FPen->Assign(Value);
}
void TCanvas::SetBrush(const TBrush* Value) {
    FBrush->Assign(Value);
}
void TCanvas::SetFont(const TFont* Value) {
    FFont->Assign(Value);
}

TRect TCanvas::GetClipRect() const {
    TCanvasOp op(*this, false);
    if (!op.Ok) return {};
    return {op.R.X0, op.R.Y0, op.R.X1, op.R.Y1};
}

void TCanvas::SetClipRect(const TRect& R) {
    FClipping = true;
    FClipRect = R;
}

void TCanvas::ResetClipRect() {
    FClipping = false;
    FClipRect = {};
}

void TCanvas::MoveTo(int X, int Y) {
    FPenPos = {X, Y};
    FStylePos = 0;
}

void TCanvas::LineTo(int X, int Y) {
    {
        TCanvasOp op(*this, true);
        if (op.Ok && op.PenVisible()) DrawLine(op.R, FPenPos.x, FPenPos.y, X, Y, op.LinePaint(), FStylePos);
    }
    FPenPos = {X, Y};
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
    TCanvasOp op(*this, true);
    if (op.Ok && op.PenVisible()) DrawPolyline(op.R, Points, op.LinePaint(), false);
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
    TCanvasOp op(*this, true);
    if (op.Ok) DrawPolygon(op.R, Points, op.ShapePaint());
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    TCanvasOp op(*this, true);
    if (op.Ok) DrawRectangle(op.R, X1, Y1, X2, Y2, op.ShapePaint());
}

void TCanvas::FillRect(const TRect& R) {
    TCanvasOp op(*this, true);
    if (op.Ok && op.BrushVisible()) FillBox(op.R, R.Left, R.Top, R.Right, R.Bottom, op.BrushPaint(false));
}

void TCanvas::FrameRect(const TRect& R) {
    TCanvasOp op(*this, true);
    if (!op.Ok || !op.BrushVisible() || R.IsEmpty()) return;
    TPaint p = op.BrushPaint(false);
    p.Hatch = bsSolid;
    FillSpan(op.R, R.Top, R.Left, R.Right, p);
    if (R.Bottom - 1 > R.Top) FillSpan(op.R, R.Bottom - 1, R.Left, R.Right, p);
    for (int y = std::max(R.Top + 1, op.R.Y0); y < std::min(R.Bottom - 1, op.R.Y1); ++y) {
        PlotPixel(op.R, R.Left, y, p);
        if (R.Right - 1 > R.Left) PlotPixel(op.R, R.Right - 1, y, p);
    }
}

void TCanvas::InvertRect(const TRect& R) {
    TCanvasOp op(*this, true);
    if (op.Ok) InvertBox(op.R, R.Left, R.Top, R.Right, R.Bottom);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    TCanvasOp op(*this, true);
    if (op.Ok) DrawEllipse(op.R, X1, Y1, X2, Y2, op.ShapePaint());
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    TCanvasOp op(*this, true);
    if (op.Ok) DrawArc(op.R, X1, Y1, X2, Y2, X3, Y3, X4, Y4, op.ShapePaint(), false);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    TCanvasOp op(*this, true);
    if (op.Ok) DrawArc(op.R, X1, Y1, X2, Y2, X3, Y3, X4, Y4, op.ShapePaint(), true);
}

TColor TCanvas::GetPixels(int X, int Y) const {
    TCanvasOp op(*this, false);
    if (!op.Ok || !op.R.Inside(X, Y)) return clNone;
    const uint32_t v =
        Dispatch(op.R.Format, [&](auto px) { return decltype(px)::Get(op.R.Row(Y), X + op.R.OX); });
    return PixelColor(op.R.Format, op.R.Palette, op.R.PaletteSize, v);
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
    TCanvasOp op(*this, true);
    if (!op.Ok) return;
    TPaint p;
    p.Value = NativeColor(op.R, Color);
    PlotPixel(op.R, X, Y, p);
}

// ---- Bitmap transfers -----------------------------------------------------------------------------

namespace {

TBlitSource SourceOf(const TPixelSurface& S, TPoint Origin) {
    TBlitSource b;
    b.Bits = S.Bits;
    b.Stride = S.Stride;
    b.Format = S.Format == pfDevice || S.Format == pfCustom ? pf32bit : S.Format;
    b.Palette = S.Palette;
    b.PaletteSize = S.PaletteSize;
    b.OX = Origin.x, b.OY = Origin.y;
    b.X0 = -Origin.x, b.Y0 = -Origin.y;
    b.X1 = S.Width - Origin.x, b.Y1 = S.Height - Origin.y;
    return b;
}

} // namespace

void TCanvas::Draw(int X, int Y, const TBitmap* Bitmap) {
    if (Bitmap == nullptr || Bitmap->GetEmpty()) return;
    TCanvasOp op(*this, true);
    if (!op.Ok) return;
    TBlitOptions o;
    o.Rop = static_cast<uint8_t>(FCopyMode >> 16);
    o.Pattern = NativeColor(op.R, FBrush->GetColor());
    if (Bitmap->GetTransparent()) {
        o.Rop = 0xCC;
        o.Transparent = true;
        o.TransparentXRGB = ColorToXRGB(ColorToRGB(Bitmap->GetTransparentColor()));
    }
    const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
    StretchBlit(op.R, X, Y, w, h, SourceOf(Bitmap->GetSurface(), {0, 0}), 0, 0, w, h, o);
}

void TCanvas::StretchDraw(const TRect& R, const TBitmap* Bitmap) {
    if (Bitmap == nullptr || Bitmap->GetEmpty()) return;
    TCanvasOp op(*this, true);
    if (!op.Ok) return;
    TBlitOptions o;
    o.Rop = static_cast<uint8_t>(FCopyMode >> 16);
    o.Pattern = NativeColor(op.R, FBrush->GetColor());
    o.Halftone = FStretchMode == smHalftone;
    if (Bitmap->GetTransparent()) {
        o.Rop = 0xCC;
        o.Transparent = true;
        o.TransparentXRGB = ColorToXRGB(ColorToRGB(Bitmap->GetTransparentColor()));
    }
    StretchBlit(op.R, R.Left, R.Top, int64_t{R.Right} - R.Left, int64_t{R.Bottom} - R.Top,
                SourceOf(Bitmap->GetSurface(), {0, 0}), 0, 0, Bitmap->GetWidth(), Bitmap->GetHeight(), o);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (Canvas == nullptr || Canvas->FTarget == nullptr) return;
    TCanvasView sv;
    if (!Canvas->FTarget->GetCanvasView(sv) || sv.Surface.Bits == nullptr) return;
    TCanvasOp op(*this, true);
    if (!op.Ok) return;
    TBlitOptions o;
    o.Rop = static_cast<uint8_t>(FCopyMode >> 16);
    o.Pattern = NativeColor(op.R, FBrush->GetColor());
    o.Halftone = FStretchMode == smHalftone;
    StretchBlit(op.R, Dest.Left, Dest.Top, int64_t{Dest.Right} - Dest.Left, int64_t{Dest.Bottom} - Dest.Top,
                SourceOf(sv.Surface, sv.Origin), Source.Left, Source.Top, int64_t{Source.Right} - Source.Left,
                int64_t{Source.Bottom} - Source.Top, o);
}

} // namespace qyx
