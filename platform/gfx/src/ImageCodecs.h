// Image file codecs of the graphics layer: BMP (own code), JPEG (libjpeg, read), PNG (libpng).
// Decoders raise EInvalidGraphic on bad data and never allocate more than the capped image size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace qyx::gfx {

/// An uncompressed image in memory.
struct TRawImage {
    int Width = 0, Height = 0;
    int BitsPerPixel = 32;          ///< 1,4,8 (palette), 15, 16, 24, 32
    std::vector<uint32_t> Palette;  ///< entries as 0x00BBGGRR (TColor order)
    int Stride = 0;
    std::vector<uint8_t> Pixels;    ///< top-down rows of Stride bytes; 24/32-bit pixels stored B,G,R(,X) in memory; 15-bit little-endian 0RRRRRGGGGGBBBBB
};

TRawImage DecodeBMP(const uint8_t*, size_t);
std::vector<uint8_t> EncodeBMP(const TRawImage&);
TRawImage DecodeJPEG(const uint8_t*, size_t, const std::function<void(int Percent)>& Progress = {});
TRawImage DecodePNG(const uint8_t*, size_t);
std::vector<uint8_t> EncodePNG(const TRawImage&);

enum class TImageKind { Unknown, BMP, JPEG, PNG };
TImageKind DetectImageKind(const uint8_t*, size_t);

} // namespace qyx::gfx
