// Colours: the system colour table, RGB resolution and colour names.
#include <qyx/platform/Color.h>
#include <qyx/platform/Exceptions.h>

#include <array>
#include <cctype>
#include <cstdio>

namespace qyx {

namespace {

// The classic desktop scheme, index = system colour number.
constexpr std::array<TColor, SysColorCount> ClassicScheme = {
    0xC0C0C0, // 0 scroll bar
    0x808000, // 1 desktop background (teal)
    0x800000, // 2 active caption (navy)
    0x808080, // 3 inactive caption
    0xC0C0C0, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x800000, // 13 highlight (navy)
    0xFFFFFF, // 14 highlight text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x000000, // 21 3-D dark shadow
    0xDFDFDF, // 22 3-D light
    0x000000, // 23 tooltip text
    0xE1FFFF, // 24 tooltip background
};

std::array<TColor, SysColorCount>& SysColors() {
    static std::array<TColor, SysColorCount> table = ClassicScheme;
    return table;
}

struct TColorName {
    TColor Color;
    const char* Name;
};

// Named colours; the first name of a value is the one ColorToString gives.
constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
};

bool SameIdent(const std::string& A, const char* B) {
    size_t i = 0;
    for (; i < A.size() && B[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(A[i])) != std::tolower(static_cast<unsigned char>(B[i])))
            return false;
    return i == A.size() && B[i] == '\0';
}

bool ParseInteger(const std::string& S, int64_t& V) {
    size_t i = 0;
    bool neg = false;
    if (i < S.size() && (S[i] == '-' || S[i] == '+')) neg = S[i++] == '-';
    int base = 10;
    if (i < S.size() && S[i] == '$')
        base = 16, ++i;
    else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X'))
        base = 16, i += 2;
    if (i >= S.size()) return false;
    uint64_t v = 0;
    for (; i < S.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(S[i]));
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFull) return false;
    }
    if (base == 10 && v > (neg ? 0x80000000ull : 0x7FFFFFFFull)) return false;
    V = neg ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
    return true;
}

} // namespace

TColor GetSysColor(int Index) {
    if (Index < 0 || Index >= SysColorCount) return clBlack;
    return SysColors()[static_cast<size_t>(Index)];
}

void SetSysColor(int Index, TColor Color) {
    if (Index < 0 || Index >= SysColorCount) return;
    SysColors()[static_cast<size_t>(Index)] = Color & 0xFFFFFF;
}

void ResetSysColors() {
    SysColors() = ClassicScheme;
}

TColor ColorToRGB(TColor Color) {
    const uint32_t c = static_cast<uint32_t>(Color);
    if ((c & 0xFF000000u) == 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<TColor>(c & 0xFFFFFF);
}

bool ColorToIdent(TColor Color, std::string& Ident) {
    for (const TColorName& n : ColorNames)
        if (n.Color == Color) {
            Ident = n.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
    for (const TColorName& n : ColorNames)
        if (SameIdent(Ident, n.Name)) {
            Color = n.Color;
            return true;
        }
    return false;
}

std::string ColorToString(TColor Color) {
    std::string name;
    if (ColorToIdent(Color, name)) return name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(Color));
    return buf;
}

TColor StringToColor(const std::string& S) {
    TColor c;
    if (IdentToColor(S, c)) return c;
    int64_t v;
    if (!ParseInteger(S, v)) throw EConvertError("'" + S + "' is not a valid integer value");
    return static_cast<TColor>(static_cast<uint32_t>(v));
}

} // namespace qyx
