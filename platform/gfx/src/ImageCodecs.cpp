// Helpers the image codecs share: file kind detection, size limits and pixel access.
#include "ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <cstring>
#include <string>

namespace qyx::gfx {

TImageKind DetectImageKind(const uint8_t* Data, size_t Size) {
    static const uint8_t Png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (!Data) return TImageKind::Unknown;
    if (Size >= 8 && std::memcmp(Data, Png, 8) == 0) return TImageKind::PNG;
    if (Size >= 3 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[2] == 0xFF) return TImageKind::JPEG;
    if (Size >= 14 && Data[0] == 'B' && Data[1] == 'M') return TImageKind::BMP;
    return TImageKind::Unknown;
}

int64_t PaddedRowBytes(int64_t Width, int BitsPerPixel) {
    const int Bits = BitsPerPixel == 15 ? 16 : BitsPerPixel;
    return (Width * Bits + 31) / 32 * 4;
}

void CheckImageSize(int64_t Width, int64_t Height, const char* Format) {
    if (Width < 0 || Height < 0)
        throw EInvalidGraphic(std::string(Format) + " image is not valid: negative size");
    if (Width > MaxImageSide || Height > MaxImageSide || Width * Height > MaxImagePixels)
        throw EInvalidGraphic(std::string(Format) + " image is too large");
}

void CheckRawImage(const TRawImage& Image) {
    switch (Image.BitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
    case 32: break;
    default: throw EInvalidGraphic("Image has an unsupported pixel format");
    }
    CheckImageSize(Image.Width, Image.Height, "Bitmap");
    const int64_t Bits = Image.BitsPerPixel == 15 ? 16 : Image.BitsPerPixel;
    if (Image.Stride < 0 || Image.Stride < (Image.Width * Bits + 7) / 8 ||
        int64_t(Image.Pixels.size()) < int64_t(Image.Stride) * Image.Height)
        throw EInvalidGraphic("Image pixel memory does not match its size");
}

uint32_t PixelColor(const TRawImage& Image, int X, int Y) {
    const uint8_t* Row = Image.Pixels.data() + size_t(Y) * Image.Stride;
    auto Pal = [&](unsigned Index) { return Index < Image.Palette.size() ? Image.Palette[Index] : 0u; };
    switch (Image.BitsPerPixel) {
    case 1: return Pal((Row[X >> 3] >> (7 - (X & 7))) & 1);
    case 4: return Pal((X & 1) ? Row[X >> 1] & 15 : Row[X >> 1] >> 4);
    case 8: return Pal(Row[X]);
    case 15:
    case 16: {
        const unsigned V = Row[2 * X] | Row[2 * X + 1] << 8;
        unsigned R, G, B;
        if (Image.BitsPerPixel == 15) {
            R = (V >> 10) & 31, G = (V >> 5) & 31, B = V & 31;
            R = R << 3 | R >> 2, G = G << 3 | G >> 2, B = B << 3 | B >> 2;
        } else {
            R = (V >> 11) & 31, G = (V >> 5) & 63, B = V & 31;
            R = R << 3 | R >> 2, G = G << 2 | G >> 4, B = B << 3 | B >> 2;
        }
        return R | G << 8 | B << 16;
    }
    case 24: return Row[3 * X + 2] | Row[3 * X + 1] << 8 | unsigned(Row[3 * X]) << 16;
    default: return Row[4 * X + 2] | Row[4 * X + 1] << 8 | unsigned(Row[4 * X]) << 16;
    }
}

} // namespace qyx::gfx
