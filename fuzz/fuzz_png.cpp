// Fuzz target for the PNG reader: any input either decodes to a consistent image, which the PNG
// writer then writes and reads back unchanged in colour, or raises the graphics error.
#include "../platform/gfx/src/ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <cstddef>
#include <cstdint>

using namespace qyx;
using namespace qyx::gfx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TRawImage Img;
    try {
        Img = DecodePNG(Data, Size);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (Img.Pixels.size() != size_t(Img.Stride) * Img.Height) __builtin_trap();
    if (Img.Width == 0 || Img.Height == 0 || int64_t(Img.Width) * Img.Height > (1 << 16)) return 0;
    const std::vector<uint8_t> File = EncodePNG(Img);
    const TRawImage Back = DecodePNG(File.data(), File.size());
    for (int y = 0; y < Img.Height; ++y)
        for (int x = 0; x < Img.Width; ++x)
            if (PixelColor(Back, x, y) != PixelColor(Img, x, y)) __builtin_trap();
    return 0;
}
