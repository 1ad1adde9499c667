// Unit QYX_math1: small numeric helpers: angles as text, great-circle distance, hexadecimal and
// decimal texts, swapping, a Bernoulli draw, and sorting and insertion in short arrays.
// Open arrays are 0-based.
#pragma once

#include <span>
#include <string>

#include <qyx/QYX_qyxbase.h>

namespace qyx {

/// An angle in degrees as text, with NDecPlaces decimals (negative counts as 0, at most 9) on its
/// last part, "." as decimal separator; the degree sign is the code page 1252 byte 0xB0:
/// - dfDeg:       "48.21°"        decimal degrees
/// - dfDegMin:    "48°12.6'"      whole degrees, minutes with two integer digits
/// - dfDegMinSec: "48°12'36.0\""  whole degrees, minutes and seconds with two integer digits each
/// - dfNumeric:   "48.21"         the plain number
/// Rounding carries into the higher parts (59.99' with no decimals gives the next degree, "00'").
/// A negative angle gets a leading "-" unless it rounds to zero; NaN gives "NAN", infinities
/// "INF" and "-INF".
std::string DegreeToStr(double Angle, TDegreeFormat Format, int NDecPlaces);

/// The great-circle distance between (Lat1, Long1) and (Lat2, Long2), in degrees, on a sphere of
/// radius R: R times the central angle (computed with the atan2 form, exact for near and antipodal
/// points alike). The result has the unit of R.
double SphereGreatCircleDist(double R, double Lat1, double Long1, double Lat2, double Long2);

/// Value as an unsigned 32-bit number in upper-case hexadecimal digits, zero-padded to at least
/// NDigits digits; a value that needs more digits keeps all of them.
std::string Hex(int Value, int NDigits);

/// Reads a hexadecimal number from S at position Pos (1-based): blanks are skipped, one "$" is
/// allowed, then hexadecimal digits of either case; the digits build a 32-bit number (higher digits
/// wrap, so "FFFFFFFF" gives -1). Pos is left on the first character after the digits. Without
/// digits the result is 0 and Pos is unchanged.
int ScanHex(const std::string& S, int& Pos);

/// Reads a decimal integer from S at position Pos (1-based): blanks are skipped, an optional "+"
/// or "-", then decimal digits; values beyond the integer range are limited to it. Pos is left on the
/// first character after the digits. Without digits the result is 0 and Pos is unchanged.
int ScanDecimal(const std::string& S, int& Pos);

/// Swaps A and B.
void ExChange(int& A, int& B);
void ExChange(double& A, double& B);

/// True with probability P, drawn from the process-wide generator (Random()). P >= 1 is always true
/// and P <= 0 (or NaN) always false; neither of these draws a number.
bool BRandom(double P);

/// Sorts Data ascending, or with Ascending false the largest first.
void SortArray(std::span<int> Data, bool Ascending);
void SortArray(std::span<double> Data, bool Ascending);
/// Sorts the entries 0 .. LastIndex of Data (LastIndex limited to the array) and leaves the rest.
void SortArray(std::span<int> Data, int LastIndex, bool Ascending);

/// Data is kept sorted (ascending, or descending with Ascending false). Value enters at the first
/// place whose entry it precedes strictly (so after equal entries), the later entries move down one
/// place and the last one drops out. Returns the index where it entered, or -1 when it does not
/// enter: it would come after the last entry, the array is empty, Value is NaN, or AllowEqual is
/// false and an equal value is already in the array.
int SortIntoArray(std::span<double> Data, double Value, bool Ascending, bool AllowEqual);

/// Inserts Value at Index (0-based): the entries from Index on move down one place and the last one
/// drops out. An Index outside the array changes nothing.
void InsertIntoArray(std::span<int> Data, int Value, int Index);
void InsertIntoArray(std::span<double> Data, double Value, int Index);

} // namespace qyx
