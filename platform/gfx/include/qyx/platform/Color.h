// Colours: the 32-bit TColor value, the named colour constants, the fixed system colour table and the
// conversions between colours, RGB channels and their textual names.
//
// A TColor is $00BBGGRR (red in the lowest byte). $80000000 + n names system colour n, resolved
// through one fixed table (the classic desktop scheme) so that pixels are the same on every machine;
// an application may override entries. clNone ($1FFFFFFF) and clDefault ($20000000) are markers;
// like every value whose high byte is neither 0 nor $80, they resolve to their low three bytes.
#pragma once

#include <cstdint>
#include <string>

namespace qyx {

using TColor = int32_t;

// The standard colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The system colours: $80000000 + index into the system colour table.
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

/// Number of entries of the system colour table (indices 0 ... 24).
constexpr int SysColorCount = 25;

/// The colour from its three channels.
constexpr TColor RGB(uint8_t R, uint8_t G, uint8_t B) {
    return static_cast<TColor>(R | (G << 8) | (B << 16));
}
constexpr uint8_t GetRValue(TColor C) {
    return static_cast<uint8_t>(C & 0xFF);
}
constexpr uint8_t GetGValue(TColor C) {
    return static_cast<uint8_t>((C >> 8) & 0xFF);
}
constexpr uint8_t GetBValue(TColor C) {
    return static_cast<uint8_t>((C >> 16) & 0xFF);
}

/// The RGB value of system colour Index (0 ... 24); other indices give black.
TColor GetSysColor(int Index);
/// Overrides one entry of the system colour table (indices outside 0 ... 24 are ignored).
void SetSysColor(int Index, TColor Color);
/// Restores the classic scheme in every entry of the system colour table.
void ResetSysColors();

/// The RGB value ($00BBGGRR) of a colour: system colours through the table, any other value its low
/// three bytes.
TColor ColorToRGB(TColor Color);

/// The identifier of a named colour ("clBtnFace"); false for other values.
bool ColorToIdent(TColor Color, std::string& Ident);
/// The colour of an identifier, compared without regard to ASCII case; false when unknown.
bool IdentToColor(const std::string& Ident, TColor& Color);
/// The identifier of a named colour, otherwise "$" and eight upper-case hex digits ("$0088FFF0").
std::string ColorToString(TColor Color);
/// Inverse of ColorToString: an identifier, "$" hex, "0x" hex or a decimal integer. Raises
/// EConvertError "'<S>' is not a valid integer value" otherwise.
TColor StringToColor(const std::string& S);

} // namespace qyx
