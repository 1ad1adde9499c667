// Helpers for pixel tests: pictures of bitmap regions as text, pixel counts, fresh bitmaps.
#pragma once

#include <qyx/platform/Bitmap.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace qyx::test {

using TLegend = std::initializer_list<std::pair<TColor, char>>;

/// The pixels of [X0, X1) x [Y0, Y1) as text, one character per pixel from the legend ('?' for other
/// colours), rows ended by '\n'. The default legend: white '.', black '#', red 'r', blue 'b'.
inline std::string Picture(TBitmap& B, int X0, int Y0, int X1, int Y1,
                           TLegend Legend = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}}) {
    std::string s;
    for (int y = Y0; y < Y1; ++y) {
        for (int x = X0; x < X1; ++x) {
            const TColor c = B.GetCanvas()->GetPixels(x, y);
            char ch = '?';
            for (const auto& [color, mark] : Legend)
                if (color == c) {
                    ch = mark;
                    break;
                }
            s += ch;
        }
        s += '\n';
    }
    return s;
}

inline std::string Picture(TBitmap& B) {
    return Picture(B, 0, 0, B.GetWidth(), B.GetHeight());
}

/// Number of pixels of colour C.
inline int CountPixels(TBitmap& B, TColor C) {
    int n = 0;
    for (int y = 0; y < B.GetHeight(); ++y)
        for (int x = 0; x < B.GetWidth(); ++x) n += B.GetCanvas()->GetPixels(x, y) == C;
    return n;
}

/// A white bitmap with the new canvas's tools (black pen, white solid brush).
inline std::unique_ptr<TBitmap> NewBitmap(int W, int H, TPixelFormat F = pf32bit) {
    return std::make_unique<TBitmap>(W, H, F);
}

} // namespace qyx::test
