// Resources: bitmaps and cursors that a library carries in its binary and loads by name.
//
// A library embeds a resource as a byte array (a BMP, PNG or JPEG file for a bitmap; the cursor
// format below for a cursor) or as a picture written in text, and registers it at load time with a
// static TResourceRegistrar:
//
//     static const uint8_t CrossBmp[] = {0x42, 0x4D, ...};          // e.g. from `xxd -i cross.bmp`
//     static const qyx::TResourceRegistrar RegCross("CROSS", qyx::rkBitmap, CrossBmp, sizeof CrossBmp);
//     static const qyx::TResourceRegistrar RegHand(
//         "CURHAND", qyx::rkCursor, qyx::PictureToCursor({"##......", "#o#.....", ...}, 0, 0));
//
// Names compare without regard to case; registering a name again replaces the earlier resource. The
// registry keeps its own copy of the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace qyx {

enum TResourceKind : uint8_t { rkBitmap, rkCursor };

/// Registers (or replaces) the resource Name of the given kind with a copy of Data.
void RegisterResource(const std::string& Name, TResourceKind Kind, const uint8_t* Data, size_t Size);
/// Removes a resource; false when there was none.
bool UnregisterResource(const std::string& Name, TResourceKind Kind);
/// Finds a resource; Data and Size stay valid until the name is registered again or removed.
bool FindResource(const std::string& Name, TResourceKind Kind, const uint8_t*& Data, size_t& Size);

/// Registers a resource when the library that holds it is loaded.
class TResourceRegistrar {
public:
    TResourceRegistrar(const char* Name, TResourceKind Kind, const uint8_t* Data, size_t Size);
    TResourceRegistrar(const char* Name, TResourceKind Kind, const std::vector<uint8_t>& Data);
};

/// A cursor resource: the bytes "QCUR", the hot spot as two little-endian 16-bit values (x, y), the
/// length of the image as a 32-bit value, the image as a BMP file and, optionally, a 1-bit BMP mask of
/// the same size in which index 1 marks transparent pixels.
struct TCursorResource {
    int HotX = 0, HotY = 0;
    const uint8_t* Image = nullptr;
    size_t ImageSize = 0;
    const uint8_t* Mask = nullptr; ///< nullptr when the cursor has no mask (fully opaque)
    size_t MaskSize = 0;
};

/// Finds and splits a cursor resource; false when there is none, EInvalidGraphic when it is malformed.
bool FindCursorResource(const std::string& Name, TCursorResource& Cursor);

/// Bytes of a cursor resource from its parts.
std::vector<uint8_t> MakeCursorResource(int HotX, int HotY, const std::vector<uint8_t>& ImageBmp,
                                        const std::vector<uint8_t>& MaskBmp = {});

/// A BMP file from a picture in text: one string per row, one character per pixel; Legend gives the
/// colour (0x00BBGGRR) of each character, and its order is the palette order. BitsPerPixel is 1, 4,
/// 8 or 24. Raises EInvalidGraphic on ragged rows, unknown characters or too many colours.
std::vector<uint8_t> PictureToBitmap(std::initializer_list<const char*> Rows,
                                     std::initializer_list<std::pair<char, uint32_t>> Legend,
                                     int BitsPerPixel);

/// A monochrome cursor resource from a picture in text: '#' black, 'o' white, '.' transparent.
std::vector<uint8_t> PictureToCursor(std::initializer_list<const char*> Rows, int HotX, int HotY);

} // namespace qyx
