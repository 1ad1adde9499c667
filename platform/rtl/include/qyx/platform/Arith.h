// Arithmetic helpers of the run-time layer: rounding to integers, integer and fraction parts, MulDiv,
// DivMod, Sign and powers.
//
// Rounding to an integer takes halves to the even neighbour (Round(2.5) = 2, Round(3.5) = 4,
// Round(-2.5) = -2) in every rounding mode the process may have set. Results that do not fit an int64_t
// saturate at its limits, and not-a-number gives 0, so no real can make these routines misbehave.
#pragma once

#include <cstdint>

namespace qyx {

/// Nearest integer, halves to even; saturates outside the int64_t range; NaN gives 0.
int64_t Round(long double x);
/// Integer part toward zero; saturates outside the int64_t range; NaN gives 0.
int64_t Trunc(long double x);
/// Smallest integer >= x (saturating, NaN gives 0).
int64_t Ceil(long double x);
/// Largest integer <= x (saturating, NaN gives 0).
int64_t Floor(long double x);
/// Integer part toward zero as a real (Int(-2.7) = -2); infinities and NaN are returned unchanged.
long double Int(long double x);
/// Fraction part x - Int(x), with the sign of x (Frac(-2.75) = -0.75); 0 for infinities, NaN stays NaN.
long double Frac(long double x);

/// a * b / c with a 64-bit product, rounded to the nearest integer with halves away from zero
/// (MulDiv(1, 3, 2) = 2, MulDiv(-1, 3, 2) = -2). -1 when c is 0 or the result does not fit an int.
int MulDiv(int a, int b, int c);

/// Quotient (toward zero) and remainder (sign of the dividend) of Dividend / Divisor. A Divisor of 0
/// raises EInvalidArgument "Division by zero"; INT_MIN / -1 gives Result INT_MIN and Remainder 0.
void DivMod(int Dividend, int Divisor, int& Result, int& Remainder);

/// -1, 0 or 1 by the sign of x (0 for zero of either sign and for NaN).
int Sign(long double x);
int Sign(int64_t x);
inline int Sign(int x) {
    return Sign(static_cast<int64_t>(x));
}

/// Base raised to an integer power by repeated squaring; IntPower(x, 0) = 1 (also for 0 and NaN).
long double IntPower(long double Base, int Exponent);
/// Base raised to a real power (0^0 = 1); NaN for a negative base with a non-integer exponent.
long double Power(long double Base, long double Exponent);

} // namespace qyx
