// Raster core: view preparation, colour conversion per pixel format, raster operations and spans.
#include "RasterCore.h"

#include <qyx/platform/Color.h>

namespace qyx::gfx {

bool MakeRaster(const TCanvasView& View, const TRect* OwnClip, TRaster& R) {
    const TPixelSurface& s = View.Surface;
    if (s.Bits == nullptr || s.Width <= 0 || s.Height <= 0) return false;
    R.Bits = s.Bits;
    R.Stride = s.Stride;
    R.Format = s.Format == pfDevice || s.Format == pfCustom ? pf32bit : s.Format;
    R.Palette = s.Palette;
    R.PaletteSize = s.PaletteSize;
    R.OX = View.Origin.x;
    R.OY = View.Origin.y;
    // Device clip within the surface, then into canvas coordinates.
    int64_t x0 = std::max(0, View.Clip.Left), y0 = std::max(0, View.Clip.Top);
    int64_t x1 = std::min(s.Width, View.Clip.Right), y1 = std::min(s.Height, View.Clip.Bottom);
    x0 -= R.OX, x1 -= R.OX, y0 -= R.OY, y1 -= R.OY;
    if (OwnClip != nullptr) {
        x0 = std::max<int64_t>(x0, OwnClip->Left);
        y0 = std::max<int64_t>(y0, OwnClip->Top);
        x1 = std::min<int64_t>(x1, OwnClip->Right);
        y1 = std::min<int64_t>(y1, OwnClip->Bottom);
    }
    R.X0 = ClampInt(x0), R.Y0 = ClampInt(y0), R.X1 = ClampInt(x1), R.Y1 = ClampInt(y1);
    return !R.Empty();
}

int BitsPerPixel(TPixelFormat F) {
    switch (F) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
    }
}

uint32_t FormatMask(TPixelFormat F) {
    return Dispatch(F, [](auto px) { return decltype(px)::Mask; });
}

bool IsPaletteFormat(TPixelFormat F) {
    return F == pf1bit || F == pf4bit || F == pf8bit;
}

int NearestPaletteIndex(const TColor* Palette, int Count, TColor C) {
    const int r = GetRValue(C), g = GetGValue(C), b = GetBValue(C);
    int best = 0;
    int bestDist = INT32_MAX;
    for (int i = 0; i < Count; ++i) {
        const int dr = GetRValue(Palette[i]) - r, dg = GetGValue(Palette[i]) - g,
                  db = GetBValue(Palette[i]) - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
            if (d == 0) break;
        }
    }
    return best;
}

uint32_t PackXRGB(TPixelFormat F, uint32_t V) {
    const uint32_t r = (V >> 16) & 0xFF, g = (V >> 8) & 0xFF, b = V & 0xFF;
    switch (F) {
    case pf15bit: return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case pf16bit: return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    default: return V & 0xFFFFFF;
    }
}

uint32_t UnpackXRGB(TPixelFormat F, uint32_t V) {
    switch (F) {
    case pf15bit: {
        const uint32_t r = (V >> 10) & 31, g = (V >> 5) & 31, b = V & 31;
        return (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
    }
    case pf16bit: {
        const uint32_t r = (V >> 11) & 31, g = (V >> 5) & 63, b = V & 31;
        return (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
    }
    default: return V & 0xFFFFFF;
    }
}

uint32_t NativeColor(const TRaster& R, TColor Color) {
    const TColor rgb = ColorToRGB(Color);
    if (IsPaletteFormat(R.Format)) {
        if (R.Palette == nullptr || R.PaletteSize <= 0) return 0;
        return static_cast<uint32_t>(NearestPaletteIndex(R.Palette, R.PaletteSize, rgb));
    }
    return PackXRGB(R.Format, ColorToXRGB(rgb));
}

TColor PixelColor(TPixelFormat F, const TColor* Palette, int PaletteSize, uint32_t V) {
    if (IsPaletteFormat(F)) {
        if (Palette == nullptr || static_cast<int>(V) >= PaletteSize) return clBlack;
        return ColorToRGB(Palette[V]);
    }
    return XRGBToColor(UnpackXRGB(F, V));
}

TRop2 PenModeRop(TPenMode Mode) {
    static constexpr uint8_t Tables[] = {0x0, 0xF, 0xA, 0x5, 0xC, 0x3, 0xD, 0x4,
                                         0xB, 0x2, 0xE, 0x1, 0x8, 0x7, 0x6, 0x9};
    TRop2 r;
    r.T = Mode < sizeof(Tables) ? Tables[Mode] : 0xC;
    return r;
}

uint32_t Rop3(uint8_t T, uint32_t P, uint32_t S, uint32_t D) {
    switch (T) {
    case 0xCC: return S;
    case 0x88: return S & D;
    case 0xEE: return S | D;
    case 0x66: return S ^ D;
    case 0x33: return ~S;
    case 0x55: return ~D;
    case 0xAA: return D;
    case 0xF0: return P;
    case 0x00: return 0;
    case 0xFF: return ~0u;
    default: break;
    }
    uint32_t r = 0;
    for (int k = 0; k < 8; ++k)
        if ((T >> k) & 1) r |= ((k & 4) ? P : ~P) & ((k & 2) ? S : ~S) & ((k & 1) ? D : ~D);
    return r;
}

void FillSpan(const TRaster& R, int Y, int X0, int X1, const TPaint& P) {
    if (Y < R.Y0 || Y >= R.Y1) return;
    X0 = std::max(X0, R.X0);
    X1 = std::min(X1, R.X1);
    if (X0 >= X1) return;
    uint8_t* row = R.Row(Y);
    const int sx0 = X0 + R.OX, sx1 = X1 + R.OX, sy = Y + R.OY;
    Dispatch(R.Format, [&](auto px) {
        using Pix = decltype(px);
        const uint32_t v = P.Value & Pix::Mask;
        if (P.Hatch == bsSolid) {
            if (P.Rop.IsCopy()) {
                Pix::Fill(row, sx0, sx1, v);
            } else {
                for (int x = sx0; x < sx1; ++x) Pix::Put(row, x, P.Rop(v, Pix::Get(row, x)) & Pix::Mask);
            }
        } else {
            for (int x = sx0; x < sx1; ++x)
                if (HatchBit(P.Hatch, x, sy)) Pix::Put(row, x, P.Rop(v, Pix::Get(row, x)) & Pix::Mask);
        }
    });
}

void PlotPixel(const TRaster& R, int X, int Y, const TPaint& P) {
    if (!R.Inside(X, Y)) return;
    uint8_t* row = R.Row(Y);
    const int sx = X + R.OX;
    if (P.Hatch != bsSolid && !HatchBit(P.Hatch, sx, Y + R.OY)) return;
    Dispatch(R.Format, [&](auto px) {
        using Pix = decltype(px);
        const uint32_t v = P.Value & Pix::Mask;
        Pix::Put(row, sx, P.Rop.IsCopy() ? v : P.Rop(v, Pix::Get(row, sx)) & Pix::Mask);
    });
}

void FillBox(const TRaster& R, int X0, int Y0, int X1, int Y1, const TPaint& P) {
    const int y0 = std::max(Y0, R.Y0), y1 = std::min(Y1, R.Y1);
    for (int y = y0; y < y1; ++y) FillSpan(R, y, X0, X1, P);
}

void InvertBox(const TRaster& R, int X0, int Y0, int X1, int Y1) {
    TPaint p;
    p.Rop.T = 0x5; // not D
    FillBox(R, X0, Y0, X1, Y1, p);
}

} // namespace qyx::gfx
