// BMP writer: a 40-byte info header, bottom-up rows; 1, 4 and 8 bits with their palette, 15-bit as
// plain 16-bit data (555), 16-bit (565) with bit-field masks, 24 and 32 bits uncompressed.
#include "ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <algorithm>
#include <cstring>

namespace qyx::gfx {

namespace {

void Put16(std::vector<uint8_t>& Out, uint32_t V) {
    Out.push_back(uint8_t(V));
    Out.push_back(uint8_t(V >> 8));
}

void Put32(std::vector<uint8_t>& Out, uint32_t V) {
    Put16(Out, V & 0xFFFF);
    Put16(Out, V >> 16);
}

constexpr uint32_t PixelsPerMetre = 3780; // 96 dpi

} // namespace

std::vector<uint8_t> EncodeBMP(const TRawImage& Img) {
    CheckRawImage(Img);
    const int Bpp = Img.BitsPerPixel;
    const int FileBpp = Bpp == 15 ? 16 : Bpp;
    std::vector<uint32_t> Palette;
    if (Bpp <= 8) {
        const size_t Max = size_t(1) << Bpp;
        Palette.assign(Img.Palette.begin(), Img.Palette.begin() + std::min(Img.Palette.size(), Max));
        if (Palette.empty()) // no palette given: a grey ramp
            for (size_t i = 0; i < Max; ++i) {
                const uint32_t G = uint32_t(i * 255 / (Max - 1));
                Palette.push_back(G | G << 8 | G << 16);
            }
    }
    const bool Masks = Bpp == 16;
    const int64_t Stride = PaddedRowBytes(Img.Width, Bpp);
    const uint32_t OffBits = uint32_t(14 + 40 + (Masks ? 12 : 0) + 4 * Palette.size());
    const int64_t ImageSize = Stride * Img.Height;
    const int64_t FileSize = OffBits + ImageSize;
    if (FileSize > 0xFFFFFFFFLL) throw EInvalidGraphic("Bitmap image is too large");

    std::vector<uint8_t> Out;
    Out.reserve(size_t(FileSize));
    Out.push_back('B');
    Out.push_back('M');
    Put32(Out, uint32_t(FileSize));
    Put32(Out, 0);
    Put32(Out, OffBits);
    Put32(Out, 40);
    Put32(Out, uint32_t(Img.Width));
    Put32(Out, uint32_t(Img.Height));
    Put16(Out, 1);
    Put16(Out, uint32_t(FileBpp));
    Put32(Out, Masks ? 3 : 0); // BI_BITFIELDS for 565, else BI_RGB
    Put32(Out, uint32_t(ImageSize));
    Put32(Out, PixelsPerMetre);
    Put32(Out, PixelsPerMetre);
    Put32(Out, uint32_t(Palette.size()));
    Put32(Out, 0);
    if (Masks) {
        Put32(Out, 0xF800);
        Put32(Out, 0x07E0);
        Put32(Out, 0x001F);
    }
    for (uint32_t C : Palette) Put32(Out, (C & 0xFF) << 16 | (C & 0xFF00) | ((C >> 16) & 0xFF));

    const size_t RowBytes = size_t(Img.Width * int64_t(FileBpp) + 7) / 8;
    for (int y = Img.Height - 1; y >= 0; --y) {
        const uint8_t* Src = Img.Pixels.data() + size_t(y) * Img.Stride;
        const size_t At = Out.size();
        Out.insert(Out.end(), Src, Src + RowBytes);
        Out.resize(At + size_t(Stride), 0);
        if (Bpp == 15)
            for (int x = 0; x < Img.Width; ++x) Out[At + 2 * size_t(x) + 1] &= 0x7F;
        if (Bpp < 8 && (Img.Width * Bpp) % 8) // clear the unused bits of the last byte
            Out[At + RowBytes - 1] &= uint8_t(0xFF << (8 - (Img.Width * Bpp) % 8));
    }
    return Out;
}

} // namespace qyx::gfx
