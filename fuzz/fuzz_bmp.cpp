// Fuzz target for the BMP reader. Besides not crashing, an image it accepts must survive the writer:
// writing and reading it again gives the same depth, palette and pixels.
#include "../platform/gfx/src/ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace qyx;
using namespace qyx::gfx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TRawImage Img;
    try {
        Img = DecodeBMP(Data, Size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (Img.Stride < 0 || Img.Pixels.size() != size_t(Img.Stride) * Img.Height) __builtin_trap();
    if (Img.BitsPerPixel <= 8 && Img.Palette.size() != (size_t(1) << Img.BitsPerPixel)) __builtin_trap();
    if (int64_t(Img.Width) * Img.Height > (1 << 20)) return 0; // keep the round trip quick

    const std::vector<uint8_t> File = EncodeBMP(Img);
    const TRawImage Back = DecodeBMP(File.data(), File.size());
    if (Back.Width != Img.Width || Back.Height != Img.Height || Back.BitsPerPixel != Img.BitsPerPixel ||
        Back.Palette != Img.Palette)
        __builtin_trap();
    const size_t RowBytes = (size_t(Img.Width) * (Img.BitsPerPixel == 15 ? 16 : Img.BitsPerPixel) + 7) / 8;
    for (int y = 0; y < Img.Height; ++y)
        for (size_t i = 0; i < RowBytes; ++i) {
            uint8_t A = Img.Pixels[size_t(y) * Img.Stride + i], B = Back.Pixels[size_t(y) * Back.Stride + i];
            const int Bits = int((size_t(Img.Width) * (Img.BitsPerPixel == 15 ? 16 : Img.BitsPerPixel)) % 8);
            if (i + 1 == RowBytes && Bits) A &= uint8_t(0xFF << (8 - Bits)), B &= uint8_t(0xFF << (8 - Bits));
            if (A != B) __builtin_trap();
        }
    return 0;
}
