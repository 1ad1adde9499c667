// QYX_univconst: numeric-range and mathematical constants, stored as extended reals.
//
// Sections of this unit:
//   1. Numeric ranges
//   2. Mathematical constants
//   3. Logarithms of factorials
//
// Every constant is a long double, which on x86-64 is the 80-bit x87 extended format. The
// mathematical constants hold the extended value nearest to the exact constant.
#pragma once

#include <qyx/platform/FixedArray.h>

namespace qyx {

// ================================================================================================
// 1. Numeric ranges
// ================================================================================================

/// The largest real the number readers accept: the double nearest 1.7E+308
/// (1.6999999999999999388E+308), not the largest double.
inline constexpr long double uc_MaxDouble = static_cast<long double>(1.7e308);
/// The smallest positive double (the subnormal 2^-1074, about 4.94E-324, written 5.0E-324), held
/// exactly so that it compares equal to the double it stands for.
inline constexpr long double uc_MinDouble = 0x1p-1074L;
/// The limits of the 6-byte real and of the single-precision float, as extended values.
inline constexpr long double uc_MinReal = 2.9E-39L;
inline constexpr long double uc_MaxReal = 1.7E+38L;
inline constexpr long double uc_MinSingle = 1.5E-45L;
inline constexpr long double uc_MaxSingle = 3.4E+38L;
/// The smallest positive extended (2^-16445, about 3.645E-4951) and 1.1E+4932.
inline constexpr long double uc_MinExtended = 0x1p-16445L;
inline constexpr long double uc_MaxExtended = 1.1E+4932L;

// ================================================================================================
// 2. Mathematical constants
// ================================================================================================

inline constexpr long double uc_e = 2.718281828459045235360287471352662497757L;            ///< e
inline constexpr long double uc_etom1 = 0.3678794411714423215955237701614608674458L;       ///< 1/e
inline constexpr long double uc_lg2 = 0.3010299956639811952137388947244930267682L;         ///< log10 2
inline constexpr long double uc_lg5 = 0.6989700043360188047862611052755069732318L;         ///< log10 5
inline constexpr long double uc_lge = 0.4342944819032518276511289189166050822944L;         ///< log10 e
inline constexpr long double uc_lgPi = 0.4971498726941338543512682882908988736517L;        ///< log10 pi
inline constexpr long double uc_ln10 = 2.302585092994045684017991454684364207601L;         ///< ln 10
inline constexpr long double uc_ln2 = 0.6931471805599453094172321214581765680755L;         ///< ln 2
inline constexpr long double uc_lnPi = 1.144729885849400174143427351353058711647L;         ///< ln pi
inline constexpr long double uc_PiH = 1.570796326794896619231321691639751442099L;          ///< pi/2
inline constexpr long double uc_PiSqr = 9.869604401089358618834490999876151135314L;        ///< pi^2
inline constexpr long double uc_Pitom1 = 0.3183098861837906715377675267450287240689L;      ///< 1/pi
inline constexpr long double uc_sqrt2 = 1.414213562373095048801688724209698078570L;        ///< sqrt 2
inline constexpr long double uc_sqrt2pi = 2.506628274631000502415765284811045253007L;      ///< sqrt(2 pi)
inline constexpr long double uc_sqrt2pitom1 = 0.3989422804014326779399460599343818684759L; ///< 1/sqrt(2 pi)
inline constexpr long double uc_GoldenR = 1.618033988749894848204586834365638117720L;      ///< (1 + sqrt 5)/2

// ================================================================================================
// 3. Logarithms of factorials
// ================================================================================================

/// uc_LnFactorial[n] = ln(n!) for n = 0 ... 1000, rounded to 15 significant decimal digits
/// (elements 0 and 1 are 0, element 2 is 0.693147180559945, element 1000 is 5912.12817848816).
extern const TFixedArray<double, 0, 1000> uc_LnFactorial;

} // namespace qyx
