// Raster primitives on a prepared raster: lines, rectangles, ellipses, arcs, pies, polygons and
// bitmap transfers. The canvas translates its pen, brush and modes into the paints used here.
#pragma once

#include "RasterCore.h"

#include <functional>
#include <span>
#include <vector>

namespace qyx::gfx {

/// On/off pattern of a one-pixel styled pen, counted in major-axis steps.
struct TLineStyle {
    uint8_t Period = 0;  ///< 0: solid
    uint16_t OnBits = 0; ///< bit k set: step k of the period is painted
    bool On(int64_t Pos) const {
        if (Period == 0) return true;
        int64_t k = Pos % Period;
        if (k < 0) k += Period;
        return (OnBits >> k) & 1;
    }
};
TLineStyle PenStylePattern(TPenStyle Style);

/// How lines are painted.
struct TLinePaint {
    TPaint Pen;
    TLineStyle Style; ///< used for Width 1 only
    bool OpaqueGaps = false;
    TPaint Gap; ///< paint of the pattern's gaps when OpaqueGaps
    int Width = 1;
};

/// Draws the line from (X0, Y0) towards (X1, Y1) without its end point. StylePos is the pattern
/// position of the first pixel and advances by the number of steps.
void DrawLine(const TRaster& R, int X0, int Y0, int X1, int Y1, const TLinePaint& P, int& StylePos);

/// Calls Fn(x, y) for each pixel of the one-pixel line from (X0, Y0) to (X1, Y1), both ends included,
/// that lies within the rectangle [CX0, CX1) x [CY0, CY1).
void ForEachLinePixel(int X0, int Y0, int X1, int Y1, int CX0, int CY0, int CX1, int CY1,
                      const std::function<void(int, int)>& Fn);

/// Pen and brush of a closed shape.
struct TShapePaint {
    bool HasPen = true;
    TLinePaint Line;
    bool InsideFrame = false;
    bool HasBrush = true;
    TPaint Brush;
};

void DrawRectangle(const TRaster& R, int L, int T, int Rt, int B, const TShapePaint& P);
void DrawEllipse(const TRaster& R, int L, int T, int Rt, int B, const TShapePaint& P);
/// Arc (Pie false: pen only) or pie (Pie true) in the box, counterclockwise from ray 3 to ray 4.
void DrawArc(const TRaster& R, int L, int T, int Rt, int B, int X3, int Y3, int X4, int Y4,
             const TShapePaint& P, bool Pie);
void DrawPolyline(const TRaster& R, std::span<const TPoint> Pts, const TLinePaint& P, bool Closed);
void DrawPolygon(const TRaster& R, std::span<const TPoint> Pts, const TShapePaint& P);

/// Source of a bitmap transfer: a surface, the surface position of source coordinate (0, 0), and
/// the readable area in source coordinates.
struct TBlitSource {
    const uint8_t* Bits = nullptr;
    int Stride = 0;
    TPixelFormat Format = pf32bit;
    const TColor* Palette = nullptr;
    int PaletteSize = 0;
    int OX = 0, OY = 0;
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
};

struct TBlitOptions {
    uint8_t Rop = 0xCC;   ///< ternary raster operation table
    uint32_t Pattern = 0; ///< brush pixel value on the destination
    bool Halftone = false;
    bool Transparent = false; ///< skip source pixels of colour TransparentXRGB (nearest only)
    uint32_t TransparentXRGB = 0;
};

/// Transfers source rectangle (SX, SY, SW, SH) to destination rectangle (DX, DY, DW, DH), stretching
/// when the sizes differ; negative extents mirror.
void StretchBlit(const TRaster& Dst, int64_t DX, int64_t DY, int64_t DW, int64_t DH, const TBlitSource& Src,
                 int64_t SX, int64_t SY, int64_t SW, int64_t SH, const TBlitOptions& O);

} // namespace qyx::gfx
