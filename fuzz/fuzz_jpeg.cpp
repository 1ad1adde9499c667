// Fuzz target for the JPEG reader: any input either decodes to a consistent image or raises the
// graphics error; progress never goes backwards.
#include "../platform/gfx/src/ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <cstddef>
#include <cstdint>

using namespace qyx;
using namespace qyx::gfx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    int Last = -1;
    try {
        const TRawImage Img = DecodeJPEG(Data, Size, [&](int Percent) {
            if (Percent <= Last || Percent > 100) __builtin_trap();
            Last = Percent;
        });
        if (Img.Pixels.size() != size_t(Img.Stride) * Img.Height || Last != 100) __builtin_trap();
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
