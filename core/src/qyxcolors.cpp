// QYX_qyxcolors: colour mixing, conversions between RGB, HSI and CMY(K), random colours and the
// list of predefined colours.
#include <qyx/QYX_qyxcolors.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include <qyx/platform/Random.h>

namespace qyx {

namespace {

// Limits X to 0 ... 1; not a number gives 0.
double Clamp01(double X) {
    if (std::isnan(X) || X < 0) return 0;
    return X > 1 ? 1 : X;
}

// Rounds halves to even; values beyond the integer range are limited to it.
int RoundToInt(double X) {
    if (std::isnan(X)) return 0;
    const double r = std::nearbyint(X);
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

// One channel of c1 + (c2 - c1) * Frac, truncated toward zero (Frac already in 0 ... 1).
uint8_t MixChannel(uint8_t C1, uint8_t C2, double Frac) {
    return static_cast<uint8_t>(std::trunc(C1 + (C2 - C1) * Frac));
}

} // namespace

// ---- Mixing ----------------------------------------------------------------------------------------

TColor InterpolateColor(TColor Color1, TColor Color2, double Frac) {
    const double f = Clamp01(Frac);
    return RGB(MixChannel(GetRValue(Color1), GetRValue(Color2), f),
               MixChannel(GetGValue(Color1), GetGValue(Color2), f),
               MixChannel(GetBValue(Color1), GetBValue(Color2), f));
}

TColor Interpolate3Colors(TColor Color1, TColor Color2, TColor Color3, double Frac) {
    const double f = Clamp01(Frac);
    if (f <= 0.5) return InterpolateColor(Color1, Color2, 2 * f);
    return InterpolateColor(Color2, Color3, 2 * (f - 0.5));
}

TColor ReverseRGBColor(TColor Color) {
    return RGB(GetBValue(Color), GetGValue(Color), GetRValue(Color));
}

TColor InvertColor(TColor Color) {
    return RGB(static_cast<uint8_t>(255 - GetBValue(Color)), static_cast<uint8_t>(255 - GetGValue(Color)),
               static_cast<uint8_t>(255 - GetRValue(Color)));
}

int RGBtoGray(int R, int G, int B) {
    return RoundToInt(0.3 * R + 0.59 * G + 0.11 * B);
}

// ---- HSI -------------------------------------------------------------------------------------------

void HSItoRGB(double H, double S, double I, int& R, int& G, int& B) {
    S = Clamp01(S);
    I = Clamp01(I);
    if (std::isnan(H) || H < 0 || H >= 360) H = 0;
    const double v = 255 * I;
    if (S == 0) {
        R = G = B = RoundToInt(v);
        return;
    }
    const double h = H / 60;
    // H just below 360 may divide to exactly 6; it belongs to the last sector.
    const int k = std::min(static_cast<int>(h), 5);
    const double f = h - k;
    const double p = 255 * I * (1 - S);
    const double q = 255 * I * (1 - f * S);
    const double t = 255 * I * (1 - (1 - f) * S);
    double r = v, g = t, b = p;
    switch (k) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    R = RoundToInt(r);
    G = RoundToInt(g);
    B = RoundToInt(b);
}

void RGBtoHSI(int R, int G, int B, double& H, double& S, double& I) {
    // The maximum takes red on ties with green or blue, and green on ties with blue.
    enum { chRed, chGreen, chBlue } which;
    int mx;
    if (R >= G && R >= B)
        which = chRed, mx = R;
    else if (G >= B)
        which = chGreen, mx = G;
    else
        which = chBlue, mx = B;
    const int mn = std::min({R, G, B});
    const double delta = static_cast<double>(mx) - mn;
    I = mx / 255.0;
    if (mx == 0) {
        S = 0;
        H = 0;
        return;
    }
    S = delta / mx;
    if (S == 0) {
        H = -1;
        return;
    }
    if (which == chRed)
        H = (static_cast<double>(G) - B) / delta;
    else if (which == chGreen)
        H = (static_cast<double>(B) - R) / delta + 2;
    else
        H = (static_cast<double>(R) - G) / delta + 4;
    H *= 60;
    if (H < 0) H += 360;
}

// ---- CMY(K) ----------------------------------------------------------------------------------------

void CMYtoRGB(double C, double M, double Y, uint8_t& R, uint8_t& G, uint8_t& B) {
    R = static_cast<uint8_t>(RoundToInt(255 * (1 - Clamp01(C))));
    G = static_cast<uint8_t>(RoundToInt(255 * (1 - Clamp01(M))));
    B = static_cast<uint8_t>(RoundToInt(255 * (1 - Clamp01(Y))));
}

void RGBtoCMY(uint8_t R, uint8_t G, uint8_t B, double& C, double& M, double& Y) {
    C = 1 - R / 255.0;
    M = 1 - G / 255.0;
    Y = 1 - B / 255.0;
}

void CMYKtoCMY(double& C, double& M, double& Y, double K) {
    C = Clamp01(C + K);
    M = Clamp01(M + K);
    Y = Clamp01(Y + K);
}

void CMYtoCMYK(double& C, double& M, double& Y, double& K) {
    C = Clamp01(C);
    M = Clamp01(M);
    Y = Clamp01(Y);
    K = std::min({C, M, Y});
    C -= K;
    M -= K;
    Y -= K;
}

// ---- Random colours --------------------------------------------------------------------------------

namespace {

uint8_t RandomChannel(uint8_t A, uint8_t B) {
    const int lo = std::min(A, B), hi = std::max(A, B);
    return static_cast<uint8_t>(lo + Random(hi - lo + 1));
}

} // namespace

TColor RandomColor() {
    return RandomColor(0, 255, 0, 255, 0, 255);
}

TColor RandomColor(uint8_t RLow, uint8_t RHigh, uint8_t GLow, uint8_t GHigh, uint8_t BLow, uint8_t BHigh) {
    // Drawn in the order red, green, blue, so a seeded generator gives the same colour everywhere.
    const uint8_t r = RandomChannel(RLow, RHigh);
    const uint8_t g = RandomChannel(GLow, GHigh);
    const uint8_t b = RandomChannel(BLow, BHigh);
    return RGB(r, g, b);
}

// ---- Predefined colours ----------------------------------------------------------------------------

const TFixedArray<TColor, 1, 47> PredefinedColors = {{
    clBlack,
    clMaroon,
    clGreen,
    clOlive,
    clNavy,
    clPurple,
    clTeal,
    clGray,
    clSilver,
    clRed, // 1-10
    clLime,
    clYellow,
    clBlue,
    clFuchsia,
    clAqua,
    clWhite,
    clMoneyGreen,
    clSkyBlue,
    clCream,   // 11-19
    clMedGray, // 20
    clActiveBorder,
    clActiveCaption,
    clAppWorkSpace,
    clBackground,
    clBtnFace,
    clBtnHighlight, // 21-26
    clBtnShadow,
    clBtnText,
    clCaptionText,
    clDefault,
    clGrayText,
    clHighlight,
    clHighlightText, // 27-33
    clInactiveBorder,
    clInactiveCaption,
    clInactiveCaptionText,
    clInfoBk,
    clInfoText,
    clMenu, // 34-39
    clMenuText,
    clNone,
    clScrollBar,
    cl3DDkShadow,
    cl3DLight,
    clWindow,
    clWindowFrame, // 40-46
    clWindowText,  // 47
}};

} // namespace qyx
