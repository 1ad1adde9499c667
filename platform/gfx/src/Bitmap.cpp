// TBitmap: pixel memory, formats and palettes, resizing, assignment and transparency.
#include <qyx/platform/Bitmap.h>

#include "RasterDraw.h"

namespace qyx {

using namespace gfx;

namespace {

constexpr TColor Standard16[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                   0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                   0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

constexpr int64_t MaxImageBytes = int64_t{1} << 30;

std::vector<TColor> DefaultPalette(TPixelFormat F) {
    switch (F) {
    case pf1bit: return {clBlack, clWhite};
    case pf4bit: return {std::begin(Standard16), std::end(Standard16)};
    case pf8bit: {
        std::vector<TColor> p(std::begin(Standard16), std::end(Standard16));
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(RGB(static_cast<uint8_t>(51 * r), static_cast<uint8_t>(51 * g),
                                    static_cast<uint8_t>(51 * b)));
        for (int k = 0; k < 24; ++k) {
            const uint8_t v = static_cast<uint8_t>((k * 255 + 11) / 23);
            p.push_back(RGB(v, v, v));
        }
        return p;
    }
    default: return {};
    }
}

TPixelFormat StorageFormat(TPixelFormat F) {
    return F == pfDevice || F == pfCustom ? pf32bit : F;
}

} // namespace

TBitmap::TBitmap() : FCanvas(this) {}

TBitmap::TBitmap(int Width, int Height, TPixelFormat Format) : FCanvas(this) {
    FFormat = StorageFormat(Format);
    FPalette = DefaultPalette(FFormat);
    Reallocate(Width, Height, FFormat, false);
}

TBitmap::~TBitmap() = default;

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

bool TBitmap::GetCanvasView(TCanvasView& View) {
    if (GetEmpty()) return false;
    View.Surface = GetSurface();
    View.Origin = {0, 0};
    View.Clip = {0, 0, FWidth, FHeight};
    return true;
}

void TBitmap::CanvasChanged() {
    Changed();
}

TPixelSurface TBitmap::GetSurface() const {
    TPixelSurface s;
    s.Bits = reinterpret_cast<uint8_t*>(const_cast<uint32_t*>(FBits.data()));
    s.Stride = FStride;
    s.Width = FWidth;
    s.Height = FHeight;
    s.Format = FFormat;
    s.Palette = FPalette.data();
    s.PaletteSize = static_cast<int>(FPalette.size());
    return s;
}

void TBitmap::Reallocate(int Width, int Height, TPixelFormat Format, bool KeepPixels) {
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    const int64_t stride = ((int64_t{Width} * BitsPerPixel(Format) + 31) / 32) * 4;
    if (stride * Height > MaxImageBytes) throw EOutOfMemory("Out of memory");
    std::vector<TColor> palette = Format == FFormat ? FPalette : DefaultPalette(Format);
    std::vector<uint32_t> bits(static_cast<size_t>(stride * Height / 4));

    // New pixels are white (or the palette entry nearest to white).
    TCanvasView view;
    view.Surface = {reinterpret_cast<uint8_t*>(bits.data()),
                    static_cast<int>(stride),
                    Width,
                    Height,
                    Format,
                    palette.data(),
                    static_cast<int>(palette.size())};
    view.Clip = {0, 0, Width, Height};
    TRaster r;
    if (MakeRaster(view, nullptr, r)) {
        TPaint white;
        white.Value = NativeColor(r, clWhite);
        FillBox(r, 0, 0, Width, Height, white);
        if (KeepPixels && !GetEmpty()) {
            const TPixelSurface old = GetSurface();
            TBlitSource src;
            src.Bits = old.Bits, src.Stride = old.Stride, src.Format = old.Format;
            src.Palette = old.Palette, src.PaletteSize = old.PaletteSize;
            src.X1 = old.Width, src.Y1 = old.Height;
            const int w = std::min(Width, FWidth), h = std::min(Height, FHeight);
            StretchBlit(r, 0, 0, w, h, src, 0, 0, w, h, TBlitOptions{});
        }
    }
    FWidth = Width;
    FHeight = Height;
    FStride = static_cast<int>(stride);
    FFormat = Format;
    FPalette = std::move(palette);
    FBits = std::move(bits);
}

void TBitmap::SetSize(int Width, int Height) {
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    if (Width == FWidth && Height == FHeight) return;
    if (FPalette.empty()) FPalette = DefaultPalette(FFormat);
    Reallocate(Width, Height, FFormat, true);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == pfCustom) return;
    Value = StorageFormat(Value);
    if (Value == FFormat) return;
    Reallocate(FWidth, FHeight, Value, true);
    Changed();
}

void TBitmap::SetPalette(const std::vector<TColor>& Palette) {
    if (FPalette.empty()) return;
    const size_t n = std::min(Palette.size(), FPalette.size());
    for (size_t i = 0; i < n; ++i) FPalette[i] = ColorToRGB(Palette[i]);
    Changed();
}

uint8_t* TBitmap::GetScanLine(int Row) {
    if (Row < 0 || Row >= FHeight) throw EInvalidGraphic("Scan line index out of range");
    return reinterpret_cast<uint8_t*>(FBits.data()) + static_cast<size_t>(Row) * FStride;
}

const uint8_t* TBitmap::GetScanLine(int Row) const {
    return const_cast<TBitmap*>(this)->GetScanLine(Row);
}

void TBitmap::Assign(const TPersistent* Source) {
    if (Source == nullptr) {
        FWidth = FHeight = FStride = 0;
        FBits.clear();
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<const TBitmap*>(Source)) {
        if (b == this) return;
        FWidth = b->FWidth, FHeight = b->FHeight, FStride = b->FStride, FFormat = b->FFormat;
        FPalette = b->FPalette;
        FBits = b->FBits;
        FTransparent = b->FTransparent, FTransparentMode = b->FTransparentMode;
        FTransparentColor = b->FTransparentColor;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Changed();
}

TColor TBitmap::GetTransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (GetEmpty()) return clNone;
    const TPixelSurface s = GetSurface();
    const uint8_t* row = s.Bits + static_cast<size_t>(FHeight - 1) * FStride;
    const uint32_t v = Dispatch(FFormat, [&](auto px) { return decltype(px)::Get(row, 0); });
    return PixelColor(FFormat, s.Palette, s.PaletteSize, v);
}

void TBitmap::SetTransparentColor(TColor Value) {
    FTransparentColor = Value;
    FTransparentMode = tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (FTransparentMode == Value) return;
    FTransparentMode = Value;
    Changed();
}

} // namespace qyx
