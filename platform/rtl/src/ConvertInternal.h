// Shared digit generation of the number formatting routines (not part of the public interface).
#pragma once

#include <cstdint>
#include <string>

namespace qyx::Detail {

enum TFloatClass : uint8_t { fcFinite, fcNaN, fcPosInf, fcNegInf };

/// Classifies x. Encodings the processor rejects (unnormals, pseudo-NaNs, pseudo-infinities) are NaN;
/// a pseudo-denormal is replaced by the value it stands for.
TFloatClass Classify(long double& x);

/// A finite value as significant digits: (-1 if Neg) * D1.D2D3... * 10^Exp. Zero has Exp 0.
struct TDecimal {
    bool Neg = false;
    std::string Digits;
    int Exp = 0;
};

/// N (>= 1) significant digits of the finite x, exact, ties to even.
TDecimal SigDigits(long double x, int N);

/// |x| (finite) in fixed notation with D decimals and "." ("0.12"), exact, ties to even. Neg is set when
/// x is negative and a printed digit is not zero.
std::string FixedAbs(long double x, int D, bool& Neg);

/// Clamps a width, precision or decimal count to 0 .. StrMaxDigits.
int ClampDigits(int v);

/// General format with Precision (1..18) significant digits, at least MinExpDigits exponent digits and
/// DecimalSeparator (FloatToStr, %g, ffGeneral).
std::string GeneralText(long double x, int Precision, int MinExpDigits);
/// Exponent format "-d.ddd" + "E" + sign + exponent (%e, ffExponent).
std::string ExponentText(long double x, int Precision, int MinExpDigits);
/// Fixed format with Decimals digits and DecimalSeparator; Thousands (when not 0) separates groups of
/// three integer digits (%f, %n, ffFixed, ffNumber).
std::string FixedText(long double x, int Decimals, char Thousands);

} // namespace qyx::Detail
