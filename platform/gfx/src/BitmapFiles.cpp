// TBitmap: reading and writing image files through the codecs.
#include <qyx/platform/Bitmap.h>
#include <qyx/platform/Streams.h>

#include "ImageCodecs.h"
#include "RasterCore.h"

#include <cctype>
#include <cstring>

namespace qyx {

using namespace gfx;

/// Access to the bitmap's storage for the file routines.
struct TBitmapAccess {
    static void FromRaw(TBitmap& B, const TRawImage& Raw);
    static TRawImage ToRaw(const TBitmap& B, TImageFileFormat Target);
};

namespace {

TPixelFormat FormatOfBits(int Bpp) {
    switch (Bpp) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 15: return pf15bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: throw EInvalidGraphic("Bitmap image is not valid");
    }
}

std::string LowerExtension(const std::string& FileName) {
    const size_t slash = FileName.find_last_of("/\\");
    const size_t dot = FileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string e = FileName.substr(dot);
    for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

} // namespace

void TBitmapAccess::FromRaw(TBitmap& B, const TRawImage& Raw) {
    const TPixelFormat f = FormatOfBits(Raw.BitsPerPixel);
    if (Raw.Width < 0 || Raw.Height < 0) throw EInvalidGraphic("Bitmap image is not valid");
    TBitmap tmp(Raw.Width, Raw.Height, f);
    const size_t rowBytes = (static_cast<size_t>(Raw.Width) * BitsPerPixel(f) + 7) / 8;
    if (Raw.Height > 0 && (Raw.Stride < 0 || static_cast<size_t>(Raw.Stride) < rowBytes ||
                           Raw.Pixels.size() < static_cast<size_t>(Raw.Stride) * (Raw.Height - 1) + rowBytes))
        throw EInvalidGraphic("Bitmap image is not valid");
    for (int y = 0; y < Raw.Height; ++y)
        std::memcpy(tmp.GetScanLine(y), Raw.Pixels.data() + static_cast<size_t>(y) * Raw.Stride, rowBytes);
    if (IsPaletteFormat(f)) {
        std::vector<TColor> pal(static_cast<size_t>(1) << BitsPerPixel(f), clBlack);
        for (size_t i = 0; i < pal.size() && i < Raw.Palette.size(); ++i)
            pal[i] = static_cast<TColor>(Raw.Palette[i] & 0xFFFFFF);
        tmp.FPalette = std::move(pal);
    }
    B.FWidth = tmp.FWidth, B.FHeight = tmp.FHeight, B.FStride = tmp.FStride, B.FFormat = tmp.FFormat;
    B.FPalette = std::move(tmp.FPalette);
    B.FBits = std::move(tmp.FBits);
}

TRawImage TBitmapAccess::ToRaw(const TBitmap& B, TImageFileFormat Target) {
    // 16-bit (and, for PNG, 15-bit) pixels go out as 24-bit colour.
    if (B.FFormat == pf16bit || (B.FFormat == pf15bit && Target == iffPNG)) {
        TBitmap c;
        c.Assign(&B);
        c.SetPixelFormat(pf24bit);
        return ToRaw(c, Target);
    }
    TRawImage r;
    r.Width = B.FWidth;
    r.Height = B.FHeight;
    r.BitsPerPixel = B.FFormat == pf15bit ? 15 : BitsPerPixel(B.FFormat);
    for (TColor c : B.FPalette) r.Palette.push_back(static_cast<uint32_t>(c));
    r.Stride = B.FStride;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(B.FBits.data());
    r.Pixels.assign(bytes, bytes + static_cast<size_t>(B.FStride) * B.FHeight);
    return r;
}

void TBitmap::LoadFromMemory(const void* Data, size_t Size) {
    const uint8_t* p = static_cast<const uint8_t*>(Data);
    if (p == nullptr) Size = 0;
    TRawImage raw;
    switch (DetectImageKind(p, Size)) {
    case TImageKind::BMP: raw = DecodeBMP(p, Size); break;
    case TImageKind::PNG: raw = DecodePNG(p, Size); break;
    case TImageKind::JPEG: {
        const TRect none{};
        if (OnProgress) OnProgress(this, psStarting, 0, false, none, "");
        raw = DecodeJPEG(p, Size, [&](int Percent) {
            if (OnProgress)
                OnProgress(this, psRunning, static_cast<uint8_t>(std::clamp(Percent, 0, 100)), false, none,
                           "");
        });
        if (OnProgress) OnProgress(this, psEnding, 100, false, none, "");
        break;
    }
    default: throw EInvalidGraphic("Bitmap image is not valid");
    }
    TBitmapAccess::FromRaw(*this, raw);
    Changed();
}

void TBitmap::LoadFromStream(TStream* Stream) {
    if (Stream == nullptr) throw EInvalidArgument("Stream is nil");
    std::vector<uint8_t> data;
    uint8_t chunk[65536];
    for (int n; (n = Stream->Read(chunk, sizeof chunk)) > 0;) data.insert(data.end(), chunk, chunk + n);
    LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

void TBitmap::SaveToStream(TStream* Stream, TImageFileFormat Format) const {
    if (Stream == nullptr) throw EInvalidArgument("Stream is nil");
    const std::vector<uint8_t> data = SaveToMemory(Format);
    for (size_t done = 0; done < data.size();) {
        const int n = static_cast<int>(std::min<size_t>(data.size() - done, 1 << 30));
        Stream->WriteBuffer(data.data() + done, n);
        done += static_cast<size_t>(n);
    }
}

std::vector<uint8_t> TBitmap::SaveToMemory(TImageFileFormat Format) const {
    const TRawImage raw = TBitmapAccess::ToRaw(*this, Format);
    return Format == iffPNG ? EncodePNG(raw) : EncodeBMP(raw);
}

void TBitmap::SaveToFile(const std::string& FileName) const {
    const std::string ext = LowerExtension(FileName);
    if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe")
        throw EInvalidGraphic("JPEG images cannot be written");
    const std::vector<uint8_t> data = SaveToMemory(ext == ".png" ? iffPNG : iffBMP);
    TFileStream f(FileName, fmCreate);
    f.WriteBuffer(data.data(), static_cast<int>(data.size()));
}

} // namespace qyx
