// Image file codecs of the graphics layer: BMP (own code), JPEG (libjpeg, read), PNG (libpng).
// Decoders raise EInvalidGraphic on bad data and never allocate more than the capped image size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qyx::gfx {

/// An uncompressed image in memory.
struct TRawImage {
    int Width = 0, Height = 0;
    int BitsPerPixel = 32;         ///< 1,4,8 (palette), 15, 16, 24, 32
    std::vector<uint32_t> Palette; ///< entries as 0x00BBGGRR (TColor order)
    int Stride = 0;
    std::vector<uint8_t> Pixels; ///< top-down rows of Stride bytes; 24/32-bit pixels stored B,G,R(,X) in
                                 ///< memory; 15-bit little-endian 0RRRRRGGGGGBBBBB
};

TRawImage DecodeBMP(const uint8_t*, size_t);
std::vector<uint8_t> EncodeBMP(const TRawImage&);
TRawImage DecodeJPEG(const uint8_t*, size_t, const std::function<void(int Percent)>& Progress = {});
TRawImage DecodePNG(const uint8_t*, size_t);
std::vector<uint8_t> EncodePNG(const TRawImage&);

enum class TImageKind { Unknown, BMP, JPEG, PNG };
TImageKind DetectImageKind(const uint8_t*, size_t);

// ---- Shared by the codecs ---------------------------------------------------------------------------
// 16-bit pixels are little-endian RRRRRGGGGGGBBBBB (565). Palette images decoded from files carry
// exactly 2^BitsPerPixel palette entries (entries missing in the file are black). Decoders produce
// rows padded to 4 bytes.

/// Largest image the codecs read or write: pixels in all and pixels per side.
constexpr int64_t MaxImagePixels = int64_t(1) << 27;
constexpr int64_t MaxImageSide = int64_t(1) << 16;

/// Bytes of one row of Width pixels padded to a multiple of 4 (15-bit pixels take 2 bytes).
int64_t PaddedRowBytes(int64_t Width, int BitsPerPixel);

/// Raises EInvalidGraphic "<Format> image is too large" when the size passes the limits.
void CheckImageSize(int64_t Width, int64_t Height, const char* Format);

/// Raises EInvalidGraphic unless Image's depth, stride and pixel memory agree (before encoding).
void CheckRawImage(const TRawImage& Image);

/// Decodes a BMP, PNG or JPEG file by its signature; EInvalidGraphic for anything else.
TRawImage DecodeImage(const uint8_t*, size_t);

/// The bitmap resource Name decoded (see <qyx/platform/Resources.h>); raises EInvalidGraphic
/// "Resource <Name> not found" when there is none.
TRawImage LoadBitmapResource(const std::string& Name);

/// A cursor resource decoded: Mask is empty (Width 0) for a cursor without mask; mask index 1 marks
/// transparent pixels.
struct TCursorImage {
    TRawImage Image, Mask;
    int HotX = 0, HotY = 0;
};
TCursorImage LoadCursorResource(const std::string& Name);

/// The colour of pixel (X, Y) as 0x00BBGGRR, through the palette for palette images.
uint32_t PixelColor(const TRawImage& Image, int X, int Y);

} // namespace qyx::gfx
