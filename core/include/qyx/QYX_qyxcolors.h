// QYX_qyxcolors: converting and mixing colours, random colours and the list of predefined colours.
//
// Colours are TColor values ($00BBGGRR). The routines take the three low bytes as the red, green and
// blue channels and ignore the high byte unless said otherwise; results are RGB values with a high
// byte of 0. Rounding is to the nearest integer with halves to even; a real parameter that is not a
// number counts as 0.
#pragma once

#include <cstdint>

#include <qyx/platform/Color.h>
#include <qyx/platform/FixedArray.h>

namespace qyx {

/// Mixes two colours: each channel c1 + (c2 - c1) * Frac, truncated toward zero; Frac is limited to
/// 0 ... 1. InterpolateColor($000000, $0000FF, 0.5) = $00007F.
TColor InterpolateColor(TColor Color1, TColor Color2, double Frac);
/// Mixes three colours: Frac (limited to 0 ... 1) up to 0.5 runs from Color1 to Color2, above 0.5
/// from Color2 to Color3.
TColor Interpolate3Colors(TColor Color1, TColor Color2, TColor Color3, double Frac);
/// Exchanges the red and blue bytes ($00BBGGRR <-> $00RRGGBB).
TColor ReverseRGBColor(TColor Color);
/// The complement with red and blue exchanged: red := 255 - blue, green := 255 - green,
/// blue := 255 - red (red $0000FF gives yellow $00FFFF).
TColor InvertColor(TColor Color);
/// The grey value 0.3 R + 0.59 G + 0.11 B, rounded.
int RGBtoGray(int R, int G, int B);

/// Hexcone conversion with I as the value: H in degrees (0 ... <360; other values count as 0),
/// S and I limited to 0 ... 1; R, G, B in 0 ... 255.
void HSItoRGB(double H, double S, double I, int& R, int& G, int& B);
/// The inverse of HSItoRGB: I = max/255, S = (max - min)/max, H in degrees 0 ... <360, or -1 for a
/// grey (no hue). Black gives 0, 0, 0.
void RGBtoHSI(int R, int G, int B, double& H, double& S, double& I);
/// R = round(255 (1 - C)), G from M, B from Y; C, M, Y limited to 0 ... 1.
void CMYtoRGB(double C, double M, double Y, uint8_t& R, uint8_t& G, uint8_t& B);
/// C = 1 - R/255, M = 1 - G/255, Y = 1 - B/255.
void RGBtoCMY(uint8_t R, uint8_t G, uint8_t B, double& C, double& M, double& Y);
/// Adds K to each of C, M, Y and limits each to 0 ... 1.
void CMYKtoCMY(double& C, double& M, double& Y, double K);
/// Limits C, M, Y to 0 ... 1, sets K to their minimum and subtracts it from each.
void CMYtoCMYK(double& C, double& M, double& Y, double& K);

/// A colour with each channel uniformly random in 0 ... 255, drawn red, green, blue from the
/// process-wide generator (<qyx/platform/Random.h>).
TColor RandomColor();
/// A colour with each channel uniformly random in its range (both ends included); a range given
/// high end first is taken between the same two ends.
TColor RandomColor(uint8_t RLow, uint8_t RHigh, uint8_t GLow, uint8_t GHigh, uint8_t BLow, uint8_t BHigh);

/// The 47 colours a colour picker offers, positions 1 ... 47: the 20 fixed RGB colours (black,
/// maroon, green, olive, navy, purple, teal, grey, silver, red, lime, yellow, blue, fuchsia, aqua,
/// white, money green, sky blue, cream, medium grey), then system colours with clDefault at 30 and
/// clNone at 41.
extern const TFixedArray<TColor, 1, 47> PredefinedColors;

} // namespace qyx
