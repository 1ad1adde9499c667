// Drawing tools of the canvas: pens, brushes and fonts, each a graphics object that announces every
// change through OnChange, and the enumerations shared by canvases and bitmaps.
#pragma once

#include <cstdint>
#include <string>

#include <qyx/platform/Color.h>
#include <qyx/platform/Object.h>
#include <qyx/platform/Types.h>

namespace qyx {

/// Width and height of a text or an image.
struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

/// Pixel formats of bitmaps and drawing surfaces. pfDevice means pf32bit; pfCustom is not a
/// storage format and is ignored when set.
enum TPixelFormat : uint8_t {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};

/// How a pen combines with the pixels it covers (P = pen, D = destination, bitwise on pixel values).
enum TPenMode : uint8_t {
    pmBlack,       ///< 0
    pmWhite,       ///< all bits set
    pmNop,         ///< D
    pmNot,         ///< not D
    pmCopy,        ///< P
    pmNotCopy,     ///< not P
    pmMergePenNot, ///< P or not D
    pmMaskPenNot,  ///< P and not D
    pmMergeNotPen, ///< not P or D
    pmMaskNotPen,  ///< not P and D
    pmMerge,       ///< P or D
    pmNotMerge,    ///< not (P or D)
    pmMask,        ///< P and D
    pmNotMask,     ///< not (P and D)
    pmXor,         ///< P xor D
    pmNotXor       ///< not (P xor D)
};

/// Brush styles. The hatch styles paint 8-pixel hatch lines aligned to the surface and leave the
/// pixels between them untouched.
enum TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;

/// Base of pens, brushes and fonts: Changed fires OnChange (skipped when empty).
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

/// A pen: outline and line colour, width in pixels, style and raster mode. New pens are black, solid,
/// one pixel wide, mode pmCopy. Styles apply to one-pixel pens; wider pens always draw solid.
class TPen : public TGraphicsObject {
public:
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    /// Width in pixels; values below 1 draw as 1.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);
    /// Copies colour, width, style and mode from another pen.
    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

/// A brush: fill colour and style. New brushes are white and solid. Setting the colour leaves the
/// style as it is.
class TBrush : public TGraphicsObject {
public:
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    void Assign(const TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

/// A font. Sizes are points at a fixed 96 pixels per inch: Height = -MulDiv(Size, 96, 72) (negative
/// Height = em height in pixels, positive = cell height). The default font is "Arial", 8 points
/// (Height -11), colour clWindowText, no style; the name "default" selects the default face.
/// Orientation (also reachable as Escapement) rotates text counterclockwise in tenths of a degree.
/// Pitch and Charset are kept but do not change the rendering.
class TFont : public TGraphicsObject {
public:
    static constexpr int PixelsPerInch = 96;
    static constexpr const char* DefaultName = "Arial";
    static constexpr int DefaultSize = 8;

    const std::string& GetName() const { return FName; }
    void SetName(const std::string& Value);
    int GetSize() const;
    void SetSize(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    int GetOrientation() const { return FOrientation; }
    void SetOrientation(int Value);
    int GetEscapement() const { return FOrientation; }
    void SetEscapement(int Value) { SetOrientation(Value); }
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    TFontCharset GetCharset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    /// Copies every attribute from another font and fires OnChange once.
    void Assign(const TPersistent* Source) override;
    /// The face name the text engine is asked for: the default name for "default" or an empty name.
    std::string FaceName() const;

private:
    std::string FName = DefaultName;
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    int FOrientation = 0;
    TFontPitch FPitch = fpDefault;
    TFontCharset FCharset = DEFAULT_CHARSET;
};

} // namespace qyx
