// Raster machinery shared by the canvas primitives: the prepared drawing view, pixel access per
// format, colour <-> pixel value conversion, raster operations and span filling.
#pragma once

#include <qyx/platform/Canvas.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qyx::gfx {

/// A canvas view ready for drawing: surface, canvas origin on it, clip in canvas coordinates.
struct TRaster {
    uint8_t* Bits = nullptr;
    int Stride = 0;
    TPixelFormat Format = pf32bit;
    const TColor* Palette = nullptr;
    int PaletteSize = 0;
    int OX = 0, OY = 0;                 ///< surface position of canvas (0, 0)
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0; ///< clip, canvas coordinates, X1/Y1 exclusive

    bool Empty() const { return X0 >= X1 || Y0 >= Y1; }
    bool Inside(int64_t X, int64_t Y) const { return X >= X0 && X < X1 && Y >= Y0 && Y < Y1; }
    uint8_t* Row(int Y) const { return Bits + static_cast<ptrdiff_t>(Y + OY) * Stride; }
};

/// Prepares a raster from a view and an optional clip of the canvas's own (canvas coordinates).
/// False when nothing can be drawn.
bool MakeRaster(const TCanvasView& View, const TRect* OwnClip, TRaster& R);

// ---- Pixel access per format; X is a surface column ---------------------------------------------

template <TPixelFormat F> struct Px;

template <> struct Px<pf32bit> {
    static constexpr uint32_t Mask = 0xFFFFFF;
    static uint32_t Get(const uint8_t* Row, int X) {
        return reinterpret_cast<const uint32_t*>(Row)[X] & Mask;
    }
    static void Put(uint8_t* Row, int X, uint32_t V) { reinterpret_cast<uint32_t*>(Row)[X] = V; }
    static void Fill(uint8_t* Row, int X0, int X1, uint32_t V) {
        std::fill(reinterpret_cast<uint32_t*>(Row) + X0, reinterpret_cast<uint32_t*>(Row) + X1, V);
    }
};
template <> struct Px<pf24bit> {
    static constexpr uint32_t Mask = 0xFFFFFF;
    static uint32_t Get(const uint8_t* Row, int X) {
        const uint8_t* p = Row + 3 * static_cast<ptrdiff_t>(X);
        return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
    }
    static void Put(uint8_t* Row, int X, uint32_t V) {
        uint8_t* p = Row + 3 * static_cast<ptrdiff_t>(X);
        p[0] = static_cast<uint8_t>(V);
        p[1] = static_cast<uint8_t>(V >> 8);
        p[2] = static_cast<uint8_t>(V >> 16);
    }
    static void Fill(uint8_t* Row, int X0, int X1, uint32_t V) {
        for (int x = X0; x < X1; ++x) Put(Row, x, V);
    }
};
template <uint32_t M> struct Px16 {
    static constexpr uint32_t Mask = M;
    static uint32_t Get(const uint8_t* Row, int X) {
        uint16_t v;
        std::memcpy(&v, Row + 2 * static_cast<ptrdiff_t>(X), 2);
        return v & Mask;
    }
    static void Put(uint8_t* Row, int X, uint32_t V) {
        const uint16_t v = static_cast<uint16_t>(V);
        std::memcpy(Row + 2 * static_cast<ptrdiff_t>(X), &v, 2);
    }
    static void Fill(uint8_t* Row, int X0, int X1, uint32_t V) {
        for (int x = X0; x < X1; ++x) Put(Row, x, V);
    }
};
template <> struct Px<pf16bit> : Px16<0xFFFF> {};
template <> struct Px<pf15bit> : Px16<0x7FFF> {};
template <> struct Px<pf8bit> {
    static constexpr uint32_t Mask = 0xFF;
    static uint32_t Get(const uint8_t* Row, int X) { return Row[X]; }
    static void Put(uint8_t* Row, int X, uint32_t V) { Row[X] = static_cast<uint8_t>(V); }
    static void Fill(uint8_t* Row, int X0, int X1, uint32_t V) {
        if (X1 > X0) std::memset(Row + X0, static_cast<int>(V & 0xFF), static_cast<size_t>(X1 - X0));
    }
};
template <> struct Px<pf4bit> {
    static constexpr uint32_t Mask = 0xF;
    static uint32_t Get(const uint8_t* Row, int X) { return (Row[X >> 1] >> ((X & 1) ? 0 : 4)) & 0xF; }
    static void Put(uint8_t* Row, int X, uint32_t V) {
        const int s = (X & 1) ? 0 : 4;
        uint8_t& b = Row[X >> 1];
        b = static_cast<uint8_t>((b & ~(0xF << s)) | ((V & 0xF) << s));
    }
    static void Fill(uint8_t* Row, int X0, int X1, uint32_t V) {
        for (int x = X0; x < X1; ++x) Put(Row, x, V);
    }
};
template <> struct Px<pf1bit> {
    static constexpr uint32_t Mask = 0x1;
    static uint32_t Get(const uint8_t* Row, int X) { return (Row[X >> 3] >> (7 - (X & 7))) & 1; }
    static void Put(uint8_t* Row, int X, uint32_t V) {
        const int s = 7 - (X & 7);
        uint8_t& b = Row[X >> 3];
        b = static_cast<uint8_t>((b & ~(1 << s)) | ((V & 1) << s));
    }
    static void Fill(uint8_t* Row, int X0, int X1, uint32_t V) {
        for (int x = X0; x < X1; ++x) Put(Row, x, V);
    }
};

/// Calls Fn with an instance of Px<F> for the surface format (one switch per call, so inner loops
/// are specialised per format).
template <class Fn> decltype(auto) Dispatch(TPixelFormat F, Fn&& fn) {
    switch (F) {
    case pf1bit: return fn(Px<pf1bit>{});
    case pf4bit: return fn(Px<pf4bit>{});
    case pf8bit: return fn(Px<pf8bit>{});
    case pf15bit: return fn(Px<pf15bit>{});
    case pf16bit: return fn(Px<pf16bit>{});
    case pf24bit: return fn(Px<pf24bit>{});
    default: return fn(Px<pf32bit>{});
    }
}

int BitsPerPixel(TPixelFormat F);
uint32_t FormatMask(TPixelFormat F);
bool IsPaletteFormat(TPixelFormat F);

// ---- Colours and pixel values -------------------------------------------------------------------
// "XRGB" is the pf32bit pixel value $00RRGGBB; TColor is $00BBGGRR.

inline uint32_t ColorToXRGB(TColor C) {
    const uint32_t c = static_cast<uint32_t>(C);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline TColor XRGBToColor(uint32_t V) {
    return static_cast<TColor>(((V & 0xFF) << 16) | (V & 0xFF00) | ((V >> 16) & 0xFF));
}

/// Index of the palette entry nearest to RGB colour C (squared distance, lowest index on ties).
int NearestPaletteIndex(const TColor* Palette, int Count, TColor C);

/// Pixel value of an XRGB colour on a format without palette.
uint32_t PackXRGB(TPixelFormat F, uint32_t XRGB);
/// XRGB colour of a pixel value on a format without palette (5/6-bit channels widened by repeating
/// their high bits).
uint32_t UnpackXRGB(TPixelFormat F, uint32_t V);

/// Pixel value of a colour (system colours resolved) on the raster's surface.
uint32_t NativeColor(const TRaster& R, TColor Color);
/// RGB colour (TColor) of a pixel value of the raster's surface.
TColor PixelColor(TPixelFormat F, const TColor* Palette, int PaletteSize, uint32_t V);

// ---- Raster operations ---------------------------------------------------------------------------

/// A binary raster operation as a truth table: bit (P << 1 | D) gives the result for pen bit P and
/// destination bit D.
struct TRop2 {
    uint8_t T = 0xC;
    bool IsCopy() const { return T == 0xC; }
    uint32_t operator()(uint32_t P, uint32_t D) const {
        uint32_t r = 0;
        if (T & 1) r |= ~P & ~D;
        if (T & 2) r |= ~P & D;
        if (T & 4) r |= P & ~D;
        if (T & 8) r |= P & D;
        return r;
    }
};
TRop2 PenModeRop(TPenMode Mode);

/// A ternary raster operation's result: table bit (P << 2 | S << 1 | D).
uint32_t Rop3(uint8_t T, uint32_t P, uint32_t S, uint32_t D);

/// How a span is painted: pixel value, raster operation and (for brushes) a hatch pattern.
struct TPaint {
    uint32_t Value = 0;
    TRop2 Rop;
    TBrushStyle Hatch = bsSolid; ///< bsSolid: every pixel; a hatch style: its pattern only
};

/// Whether surface pixel (X, Y) is on the hatch pattern of a brush style.
inline bool HatchBit(TBrushStyle S, int X, int Y) {
    switch (S) {
    case bsHorizontal: return (Y & 7) == 0;
    case bsVertical: return (X & 7) == 0;
    case bsFDiagonal: return ((X - Y) & 7) == 0;
    case bsBDiagonal: return ((X + Y) & 7) == 0;
    case bsCross: return (X & 7) == 0 || (Y & 7) == 0;
    case bsDiagCross: return ((X - Y) & 7) == 0 || ((X + Y) & 7) == 0;
    default: return true;
    }
}

/// Paints pixels X0 ... X1-1 of row Y (canvas coordinates), clipped.
void FillSpan(const TRaster& R, int Y, int X0, int X1, const TPaint& P);
/// Paints one pixel (canvas coordinates), clipped.
void PlotPixel(const TRaster& R, int X, int Y, const TPaint& P);
/// Paints the rectangle [X0, X1) x [Y0, Y1), clipped.
void FillBox(const TRaster& R, int X0, int Y0, int X1, int Y1, const TPaint& P);
/// Inverts all bits of the pixels of the rectangle, clipped.
void InvertBox(const TRaster& R, int X0, int Y0, int X1, int Y1);

// ---- Integer helpers ------------------------------------------------------------------------------

inline int64_t FloorDiv(int64_t A, int64_t B) {
    int64_t q = A / B;
    if ((A % B != 0) && ((A < 0) != (B < 0))) --q;
    return q;
}
inline __int128 FloorDiv128(__int128 A, __int128 B) {
    __int128 q = A / B;
    if ((A % B != 0) && ((A < 0) != (B < 0))) --q;
    return q;
}
inline int ClampInt(int64_t V) {
    return static_cast<int>(std::clamp<int64_t>(V, INT32_MIN, INT32_MAX));
}

} // namespace qyx::gfx
