// Text engine of the graphics layer: font metrics, advances and monochrome rendering of code page 1252
// text through FreeType faces found with fontconfig. Faces and glyph masks are cached per font.
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
    int Height; ///< pixels; negative = em height (size in points at 96 dpi -> -MulDiv(Size,96,72)), positive = cell height
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

} // namespace qyx::gfx
