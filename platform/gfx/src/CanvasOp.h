// One drawing operation of a canvas: acquires the target's view as a raster, translates pen, brush
// and modes into raster paints, and fires the change notifications around the operation.
#pragma once

#include "RasterDraw.h"
#include "TextEngine.h"

namespace qyx {

class TCanvasOp {
public:
    /// Notify: fire OnChanging now and CanvasChanged/OnChange at the end (drawing operations).
    TCanvasOp(const TCanvas& Canvas, bool Notify);
    ~TCanvasOp();
    TCanvasOp(const TCanvasOp&) = delete;
    TCanvasOp& operator=(const TCanvasOp&) = delete;

    bool Ok = false;
    gfx::TRaster R;

    gfx::TPaint PenPaint() const;
    /// Brush paint for shape interiors (with the pen mode) or plain fills (copy).
    gfx::TPaint BrushPaint(bool WithPenMode) const;
    gfx::TLinePaint LinePaint() const;
    gfx::TShapePaint ShapePaint() const;
    bool PenVisible() const { return FCanvas.FPen->GetStyle() != psClear; }
    bool BrushVisible() const { return FCanvas.FBrush->GetStyle() != bsClear; }
    int& StylePos() { return FCanvas.FStylePos; }

private:
    TCanvas& FCanvas;
    bool FNotify;
};

/// The text engine's request for a font.
gfx::TFontRequest FontRequest(const TFont& Font);

} // namespace qyx
