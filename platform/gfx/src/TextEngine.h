// Text engine of the graphics layer: font metrics, advances and monochrome rendering of code page 1252
// text through FreeType faces found with fontconfig. Faces and glyph masks are cached per font.
//
// Heights: a negative height is the em size in pixels, a positive one the cell height (the largest
// em size whose cell is not taller), 0 the default em size of 11 pixels (8 points at 96 dpi); em
// sizes are limited to 1..2048. Glyphs are auto-hinted and rendered in monochrome; advances are the
// design advances rounded to whole pixels. Metric formulas: TextEngineFonts.cpp. Rotation turns the
// unrotated image about the reference point by inverse nearest-pixel mapping (quarter turns exact).
// The functions may be called from any thread; they serialise on one lock.
#pragma once

#include <qyx/platform/Types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qyx::gfx {

/// A font as the canvas asks for it.
struct TFontRequest {
    std::string Name;
    int Height; ///< pixels; negative = em height (size in points at 96 dpi -> -MulDiv(Size,96,72)), positive
                ///< = cell height
    TFontStyles Style;
    int Escapement = 0; ///< tenths of a degree, counterclockwise
};

/// Cell metrics in pixels; Height = Ascent + Descent, InternalLeading = Height - em size.
struct TTextMetrics {
    int Ascent, Descent, Height, InternalLeading, ExternalLeading, AveCharWidth, MaxCharWidth;
};

TTextMetrics GetTextMetrics(const TFontRequest&);

/// Unrotated sum of integer advances, no kerning.
int TextWidth(const TFontRequest&, std::string_view Text1252);

/// Box relative to the reference point (the unrotated cell's top-left); Kind per pixel, row-major:
/// 0 outside the cell, 1 cell background, 2 ink (glyphs, underline, strike-out); rotated by
/// Escapement about the reference point.
struct TTextImage {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<uint8_t> Kind;
};

TTextImage RenderText(const TFontRequest&, std::string_view Text1252);

/// As RenderText, but only the part of the box inside Clip (relative to the reference point) is
/// produced; use it for large or partly visible texts.
TTextImage RenderText(const TFontRequest&, std::string_view Text1252, const TRect& Clip);

/// Unicode code point of a code page 1252 byte (undefined bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D map to
/// themselves).
char32_t Cp1252ToCodePoint(uint8_t C);

/// Family that a requested name resolves to before fontconfig is asked: Arial, Helvetica, MS Sans
/// Serif and "default" -> Liberation Sans; Times New Roman, Times -> Liberation Serif; Courier New,
/// Courier -> Liberation Mono; other names unchanged (unknown families fall back to DejaVu Sans).
std::string MapFontFamily(const std::string& Name);

/// A face file chosen for a family and style, with the styles the file lacks and that are synthesised.
struct TFaceFile {
    std::string File;
    int Index = 0;
    bool SynthBold = false, SynthItalic = false;
};

/// Face for a requested name and style through fontconfig (cached); raises EInvalidGraphic when no
/// scalable font is installed at all.
TFaceFile FindFaceFile(const std::string& Name, bool Bold, bool Italic);

} // namespace qyx::gfx
