// Inside the text engine: a font instance (one face at one pixel size) with its metrics and its
// cache of rendered glyphs for the 256 code page 1252 bytes.
#pragma once

#include "TextEngine.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace qyx::gfx::text {

/// A glyph rendered in monochrome: Bits holds one byte (0 or 1) per pixel, row-major, W x H; Left and
/// Top place its top-left pixel relative to the pen position on the baseline (Top up is positive).
struct TGlyph {
    bool Loaded = false;
    int Advance = 0;
    int Left = 0, Top = 0, W = 0, H = 0;
    std::vector<uint8_t> Bits;
};

/// One face at one size. Lines are given as their top row in the cell and their thickness.
struct TFontInstance {
    void* Face = nullptr; ///< FT_Face, kept opaque here
    std::shared_ptr<const std::vector<uint8_t>> FileData;
    int Em = 0;
    TTextMetrics Metrics{};
    int UnderlineTop = 0, UnderlineThickness = 1;
    int StrikeTop = 0, StrikeThickness = 1;
    int BoldShift = 0; ///< pixels of overstrike for a synthesised bold, 0 when the face is bold
    bool SynthItalic = false;
    bool Upright = false; ///< proportional and not slanted: glyph ink is kept within the advance
    std::array<TGlyph, 256> Glyphs;
    ~TFontInstance();
};

/// The lock that every entry point of the text engine holds while it works.
std::mutex& EngineLock();

/// The font instance for a request; valid until the next call (the caller holds the engine lock).
TFontInstance& FontFor(const TFontRequest& Request);

/// The cached glyph of a code page 1252 byte, rendered on first use.
const TGlyph& GlyphFor(TFontInstance& Font, uint8_t C);

} // namespace qyx::gfx::text
