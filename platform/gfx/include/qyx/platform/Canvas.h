// The canvas: exact integer drawing with a pen, a brush and a font on a pixel surface (a bitmap, a
// printer page, or a control's area of its window surface).
//
// Pixel rules, fixed for every surface:
// - Coordinates are device pixels; right and bottom edges of rectangles and ellipse boxes are
//   exclusive; corners are normalised, so boxes may be given from any corner to the opposite one.
// - Lines leave out their end point. Pixel i along the major axis (i = 0 ... n-1, n = the larger
//   of |dx|, |dy|) takes the minor coordinate of the exact line rounded to nearest, exact halves
//   towards the smaller coordinate, so a line covers the same pixels in both directions.
// - One-pixel styled pens repeat fixed patterns counted in major-axis steps: psDash 6 on, 2 off;
//   psDot 1 on, 1 off; psDashDot 6-2-1-2; psDashDotDot 6-2-1-2-1-2. The pattern restarts at MoveTo
//   and at the start of each shape and continues across LineTo calls and vertices. Gaps take the
//   brush colour when the brush is solid and are left untouched otherwise.
// - Pens wider than one pixel draw solid. A wide line paints, at each step of the one-pixel line,
//   a run across the major axis of round(Width * length / n) pixels (Width for axis-parallel lines)
//   centred on it, the extra pixel of even runs on the right or below: butt caps, end point excluded.
//   Rectangle and ellipse outlines become bands of Width pixels centred on the one-pixel outline
//   ((Width - 1) div 2 outward), or inside the box for psInsideFrame.
// - Ellipse(l, t, r, b): a pixel belongs to the ellipse when its centre lies inside or on the
//   ellipse inscribed in the box's outer edges; rows left empty by that rule get their middle
//   pixel(s) and the middle row(s) span the box, so every ellipse touches all four sides of its box.
//   The outline is every pixel of the ellipse with a 4-neighbour outside it. So (-2,-2,3,3) is the 5 x 5 ring
//   .###. / #...# x3 / .###., (-2,-2,2,2) the 4 x 4 ring
//   .##. / #..# / #..# / .##., and (-3,-3,4,4) a 7 x 7 ring with corner steps of two pixels.
// - Arc and Pie run counterclockwise (as seen on screen) from the ray through the centre of the
//   pixel (X3, Y3) to the ray through (X4, Y4); equal rays give the full ellipse. A pixel is on the
//   arc when its centre lies in that angular sector, both rays included. Pie adds both radii, from
//   the centre pixel to the outline pixel on each ray, and fills the sector with the brush.
// - Polygon: vertices are pixel centres; a pixel is filled when its centre is inside by the even-odd
//   rule, centres exactly on an edge belong to left and top edges only; then the outline is drawn
//   as closed LineTo path, the closing edge included.
// - Fills of Rectangle, Ellipse, Pie and Polygon use the brush and the pen mode; FillRect,
//   FrameRect and text use plain copy. With a clear pen the brush covers the whole shape.
// - Colours are resolved through ColorToRGB. On 15/16-bit surfaces a colour is quantised to 5 (6)
//   bits per channel and reads back with its high bits repeated in the low bits ($1F -> $FF); on
//   palette surfaces it becomes the nearest palette entry (squared RGB distance, lowest index on
//   ties). Pen modes, copy modes and inversion act on the stored pixel values (palette indices on
//   palette surfaces).
// - Stretching: colour-on-colour (nearest) takes for each destination pixel the source pixel under
//   its centre: source column sx + floor((2i + 1) * sw / (2 * dw)). Halftone averages the source
//   area that each destination pixel covers (box filter, exact fractional coverage). Destination
//   pixels whose source lies outside the source image are left untouched; halftone pixels that are
//   only partly outside average their inside part. Negative extents mirror.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include <qyx/platform/Graphics.h>

namespace qyx {

class TBitmap;

/// Raster operations of CopyRect, Draw and StretchDraw: the host's ternary raster operation codes;
/// bits 16 ... 23 are the truth table over (brush, source, destination).
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

/// Stretch modes; black-on-white and white-on-black stretch like colour-on-colour.
enum TStretchMode : uint8_t { smBlackOnWhite = 1, smWhiteOnBlack = 2, smColorOnColor = 3, smHalftone = 4 };

/// Pixel memory: top-down rows of Stride bytes, 4-byte aligned. Layout per format: pf32bit B,G,R,X
/// (a uint32_t $00RRGGBB); pf24bit B,G,R; pf16bit/pf15bit little-endian RRRRRGGGGGGBBBBB /
/// 0RRRRRGGGGGBBBBB; pf8bit one palette index per byte; pf4bit two per byte, high nibble first;
/// pf1bit eight per byte, high bit first. Palette entries are TColor values.
struct TPixelSurface {
    uint8_t* Bits = nullptr;
    int Stride = 0;
    int Width = 0;
    int Height = 0;
    TPixelFormat Format = pf32bit;
    const TColor* Palette = nullptr;
    int PaletteSize = 0;
};

/// Where a canvas draws: the surface, the surface position of the canvas's (0, 0), and the part of
/// the surface it may touch (surface coordinates).
struct TCanvasView {
    TPixelSurface Surface;
    TPoint Origin;
    TRect Clip;
};

/// What a canvas is bound to. The canvas asks for the view once at the start of every drawing
/// operation and reports the end of the operation through Changed.
class TCanvasTarget {
public:
    virtual ~TCanvasTarget() = default;
    /// Fills View and returns true, or returns false when there is nothing to draw on now.
    virtual bool GetCanvasView(TCanvasView& View) = 0;
    /// Called after each drawing operation that may have changed pixels.
    virtual void CanvasChanged() {}
};

/// A drawing surface with pen, brush, font, current position, copy mode, stretch mode and a
/// rectangular clip. New canvases: black solid pen of width 1, white solid brush, the default font,
/// cmSrcCopy, smColorOnColor, pen position (0, 0), no clip of its own. Without a target (or while the
/// target has no view) drawing does nothing and reading pixels gives clNone.
class TCanvas : public TPersistent {
public:
    TCanvas();
    explicit TCanvas(TCanvasTarget* Target);
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TCanvasTarget* GetTarget() const { return FTarget; }
    void SetTarget(TCanvasTarget* Target) { FTarget = Target; }

    TPen* GetPen() const { return FPen.get(); }
    TBrush* GetBrush() const { return FBrush.get(); }
    TFont* GetFont() const { return FFont.get(); }
    /// Copy the given tool's attributes into the canvas's own (Canvas.Font := Font).
    void SetPen(const TPen* Value);
    void SetBrush(const TBrush* Value);
    void SetFont(const TFont* Value);

    TPoint GetPenPos() const { return FPenPos; }
    void SetPenPos(TPoint Value) { MoveTo(Value.x, Value.y); }
    TCopyMode GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    TStretchMode GetStretchMode() const { return FStretchMode; }
    void SetStretchMode(TStretchMode Value) { FStretchMode = Value; }

    /// The rectangle drawing is clipped to, in canvas coordinates: the canvas's own clip (if set)
    /// within the target's area; empty without a view.
    TRect GetClipRect() const;
    /// Restricts drawing to R (canvas coordinates) within the target's area.
    void SetClipRect(const TRect& R);
    /// Removes the canvas's own clip.
    void ResetClipRect();

    void MoveTo(int X, int Y);
    /// A line from the pen position to (X, Y) without its end point; the pen position becomes (X, Y).
    void LineTo(int X, int Y);
    /// Consecutive lines through the points: interior vertices once, the last point left out. The
    /// pen position is not used or changed.
    void Polyline(std::span<const TPoint> Points);
    /// Filled polygon (even-odd) with its outline, the closing edge included.
    void Polygon(std::span<const TPoint> Points);
    /// Outline l ... r-1 x t ... b-1 with the pen, interior with the brush.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    /// Fills R with the brush (no pen); a clear brush paints nothing. FillRect, FrameRect and
    /// InvertRect take R as given: an inverted rectangle is empty.
    void FillRect(const TRect& R);
    /// One-pixel frame just inside R in the brush colour.
    void FrameRect(const TRect& R);
    /// Inverts every bit of the pixels of R.
    void InvertRect(const TRect& R);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    /// Elliptic arc in the box (X1, Y1)-(X2, Y2), counterclockwise from ray (X3, Y3) to ray (X4, Y4).
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    /// Pie slice: the arc, both radii, filled with the brush.
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);

    /// The colour at (X, Y) as RGB; clNone outside the clip rectangle or without a view.
    TColor GetPixels(int X, int Y) const;
    /// Sets one pixel (system colours resolved); no pen mode applies.
    void SetPixels(int X, int Y, TColor Color);

    /// Draws text with its cell's top-left corner at (X, Y) in the font colour; the cell background
    /// takes the brush colour when the brush is solid. The pen position moves to (X + width, Y).
    void TextOut(int X, int Y, const std::string& Text);
    /// Draws text at (X, Y) clipped to R; with a solid brush R is first filled with the brush colour.
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);
    /// Sum of the integer advances of the characters (unrotated).
    int TextWidth(const std::string& Text) const;
    /// The full cell height of the font (ascent + descent), whatever the text.
    int TextHeight(const std::string& Text) const;
    TSize TextExtent(const std::string& Text) const;

    /// Copies the bitmap with its top-left corner at (X, Y) using CopyMode (or transparently when the
    /// bitmap is Transparent).
    void Draw(int X, int Y, const TBitmap* Bitmap);
    /// Stretches the whole bitmap into R using CopyMode and StretchMode.
    void StretchDraw(const TRect& R, const TBitmap* Bitmap);
    /// Copies rectangle Source of canvas Canvas to Dest of this canvas, stretching when the sizes
    /// differ, with CopyMode and StretchMode. Canvas may be this canvas.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

    /// Fired before and after every drawing operation.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

private:
    friend class TCanvasOp;
    TCanvasTarget* FTarget = nullptr;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TFont> FFont;
    TPoint FPenPos;
    int FStylePos = 0;
    TCopyMode FCopyMode = cmSrcCopy;
    TStretchMode FStretchMode = smColorOnColor;
    bool FClipping = false;
    TRect FClipRect;
};

} // namespace qyx
