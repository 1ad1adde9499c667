// Bitmaps: pixel images in memory in the formats the controls use, with a canvas of stable identity,
// scan-line access and reading/writing of BMP, JPEG (read) and PNG files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <qyx/platform/Canvas.h>

namespace qyx {

class TStream;

enum TTransparentMode : uint8_t { tmAuto, tmFixed };

/// Image file formats for writing.
enum TImageFileFormat : uint8_t { iffBMP, iffPNG };

/// A bitmap. New bitmaps are empty (0 x 0), pf32bit; every new pixel (at creation and when the
/// bitmap grows) is white, or the palette entry nearest to white; resizing keeps the overlapping
/// pixels. Rows are top-down, Stride bytes each (4-byte aligned, see TPixelSurface for the layout).
/// Palette formats get a fixed default palette: pf1bit black, white; pf4bit the 16 standard colours
/// (black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime, yellow, blue, fuchsia,
/// aqua, white); pf8bit those 16, the 6 x 6 x 6 colour cube (levels 0, 51, ..., 255; index
/// 16 + 36r + 6g + b) and 24 greys ending in white. Changing the pixel format converts the pixels
/// (nearest palette entry for palette formats).
class TBitmap : public TPersistent, private TCanvasTarget {
public:
    TBitmap();
    TBitmap(int Width, int Height, TPixelFormat Format = pf32bit);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    /// Resizes; negative sizes count as 0. Raises EOutOfMemory for images beyond 1 GiB.
    void SetSize(int Width, int Height);
    bool GetEmpty() const { return FWidth == 0 || FHeight == 0; }

    TPixelFormat GetPixelFormat() const { return FFormat; }
    void SetPixelFormat(TPixelFormat Value);
    /// The palette of a palette format (2, 16 or 256 entries), empty otherwise.
    const std::vector<TColor>& GetPalette() const { return FPalette; }
    /// Replaces palette entries (pixel indices stay); extra entries are ignored, missing ones kept.
    void SetPalette(const std::vector<TColor>& Palette);

    /// The bytes of row Row (0 = top). Raises EInvalidGraphic "Scan line index out of range" for
    /// rows outside 0 ... Height - 1.
    uint8_t* GetScanLine(int Row);
    const uint8_t* GetScanLine(int Row) const;
    int GetStride() const { return FStride; }
    /// The pixel memory as a drawing surface (valid until the size or format changes).
    TPixelSurface GetSurface() const;

    /// The bitmap's canvas; the same object for the bitmap's whole life.
    TCanvas* GetCanvas() { return &FCanvas; }

    /// Copies size, format, palette, pixels and transparency of another bitmap; nil empties it.
    void Assign(const TPersistent* Source) override;

    /// Transparent drawing (Draw, StretchDraw) leaves out pixels of the transparent colour, which is
    /// the bottom-left pixel's colour in tmAuto mode. Setting a colour switches to tmFixed.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    /// Reads a BMP, JPEG or PNG image, recognised by its content. Raises EFOpenError when the file
    /// cannot be opened and EInvalidGraphic when its content is not a readable image; the bitmap is
    /// unchanged then.
    void LoadFromFile(const std::string& FileName);
    /// Reads an image from the stream's position to its end (a nil stream raises EInvalidArgument).
    void LoadFromStream(TStream* Stream);
    void LoadFromMemory(const void* Data, size_t Size);
    /// Writes a PNG file when the name ends in ".png", a BMP file otherwise (".jpg"/".jpeg" raise
    /// EInvalidGraphic: JPEG is read only). Raises EFCreateError when the file cannot be created.
    void SaveToFile(const std::string& FileName) const;
    /// Writes the image (BMP unless PNG is asked for) at the stream's position.
    void SaveToStream(TStream* Stream, TImageFileFormat Format = iffBMP) const;
    std::vector<uint8_t> SaveToMemory(TImageFileFormat Format = iffBMP) const;

    /// Fired after the canvas draws and after size, format, palette or content changes.
    TNotifyEvent OnChange;
    /// Progress of JPEG decoding: psStarting 0, psRunning with the percentage, psEnding 100.
    TProgressEvent OnProgress;

private:
    bool GetCanvasView(TCanvasView& View) override;
    void CanvasChanged() override;
    void Changed();
    void Reallocate(int Width, int Height, TPixelFormat Format, bool KeepPixels);
    friend struct TBitmapAccess;

    int FWidth = 0;
    int FHeight = 0;
    int FStride = 0;
    TPixelFormat FFormat = pf32bit;
    std::vector<TColor> FPalette;
    std::vector<uint32_t> FBits; ///< the rows, as 32-bit words so that pf32bit pixels are uint32_t
    bool FTransparent = false;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    TCanvas FCanvas;
};

} // namespace qyx
