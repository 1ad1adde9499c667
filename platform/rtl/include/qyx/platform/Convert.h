// Number/text conversion and formatting of the run-time layer.
//
// Decisions that hold for every routine here:
// - Decimal separator. `DecimalSeparator` is one process-wide setting, "." by default and never taken
//   from the environment. FloatToStr, FloatToStrF, Format (%e %f %g %n) and StrToFloat use it;
//   Str, Val and FixedDotStr always use ".".
// - Exact digits. Reals are converted from their exact binary value (an extended real is an x87
//   80-bit value); every digit printed is a true digit of that value, rounded once.
// - Ties. A value exactly halfway between two outputs rounds to the even last digit: Str(2.5, 0, 0)
//   is "2", Str(3.5, 0, 0) is "4", Str(0.125, 0, 2) is "0.12", Format("%.2e", {2.25}) is "2.2E+000".
//   Values that are not exact halves in binary (0.15 is 0.1499999...) round by their true value.
// - Zero sign. A minus sign is written only when at least one printed digit is not zero: negative
//   zero and negative values that round to zero print without "-" ("0.00", " 0.0E+0000").
// - Not-a-number and infinities. Str writes "Nan", "+Inf" and "-Inf" (right-justified in the field);
//   FloatToStr, FloatToStrF and Format write "NAN", "INF" and "-INF". Unsupported 80-bit encodings
//   (unnormals, pseudo-NaNs, pseudo-infinities) count as not-a-number; pseudo-denormals print as the
//   value the processor gives them.
// - Limits. Widths, decimals and precisions above StrMaxDigits count as StrMaxDigits (enough for every
//   digit of any extended value), so no argument can make a text of unbounded size.
// - Parsing. Val and StrToFloat never raise on overflow or underflow: a text beyond the range gives
//   +/-infinity, one below the smallest subnormal gives 0 (the correctly rounded result in either
//   case), and the conversion counts as successful, so callers clamp to their own limits.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace qyx {

/// The process-wide decimal separator of the locale-dependent routines; "." by default.
extern char DecimalSeparator;
/// The process-wide thousands separator of %n and ffNumber; "," by default.
extern char ThousandSeparator;

/// Upper bound of widths, decimals and precisions; larger values count as this.
constexpr int StrMaxDigits = 20000;
/// Field width of Str(x) without a width: " d.dddddddddddddddE+dddd" (14 digits after the point).
constexpr int StrDefaultWidth = 23;

// ---------------------------------------------------------------------------------------------------
// Str-style real to text (decimal point always ".")

/// Fixed notation: optional "-", the integer digits, "." and Decimals digits (no point when Decimals
/// is 0), right-justified in a field of Width characters (longer when the number needs more room).
/// A negative Decimals gives the exponential form Str(x, Width); a negative Width counts as 0.
std::string Str(long double x, int Width, int Decimals);

/// Exponential notation right-justified in a field of Width characters: a blank or "-", one digit,
/// ".", Width - 9 mantissa digits, "E", the exponent's sign and four exponent digits
/// (" 1.2346E+0002" for 123.456 and Width 12). Widths below 10 still give one mantissa digit, so
/// the text is then 10 characters long (" 1.2E+0002").
std::string Str(long double x, int Width);

/// Str(x, StrDefaultWidth): " 1.23456000000000E+0002".
std::string Str(long double x);

/// Fixed notation with n decimals and ".", no leading blanks: "-12.500" for (-12.5, 3); "13" for
/// (12.5, 0) (no point when n <= 0). Independent of DecimalSeparator.
std::string FixedDotStr(long double x, int n);

// ---------------------------------------------------------------------------------------------------
// Text to number

/// Reads a real: optional leading blanks, optional "+" or "-", digits with an optional "." and
/// fraction (at least one digit in all), optional exponent "E" or "e" with optional sign and at least
/// one digit, and nothing after. Code is 0 on success, otherwise the 1-based position of the first
/// character that does not fit (length + 1 when the text ends too early) and V is 0. Overflow gives
/// +/-infinity and underflow 0, both with Code 0.
void Val(const std::string& S, long double& V, int& Code);
/// As above, rounded once directly to a double.
void Val(const std::string& S, double& V, int& Code);
/// Reads an integer: optional leading blanks, optional sign, then decimal digits or hexadecimal
/// digits after "$", "0x" or "0X", and nothing after. A decimal value outside the type's range fails
/// at the digit that overflows; a hexadecimal value is taken as the type's bit pattern
/// ("$FFFFFFFF" is -1 for int) and fails only when it has more bits than the type.
void Val(const std::string& S, int& V, int& Code);
void Val(const std::string& S, int64_t& V, int& Code);

/// Reads a real as Val does, but with DecimalSeparator as the point and blanks allowed before and after.
/// Raises EConvertError "'<S>' is not a valid floating point value" when the text is no number.
long double StrToFloat(const std::string& S);
/// StrToFloat without raising: false (V unchanged) when the text is no number.
bool TryStrToFloat(const std::string& S, long double& V);
bool TryStrToFloat(const std::string& S, double& V);
/// StrToFloat, or Default when the text is no number.
long double StrToFloatDef(const std::string& S, long double Default);

/// Integer that converts completely (Val syntax). Raises EConvertError
/// "'<S>' is not a valid integer value" otherwise.
int StrToInt(const std::string& S);
bool TryStrToInt(const std::string& S, int& V);
int StrToIntDef(const std::string& S, int Default);
int64_t StrToInt64(const std::string& S);
bool TryStrToInt64(const std::string& S, int64_t& V);
int64_t StrToInt64Def(const std::string& S, int64_t Default);

// ---------------------------------------------------------------------------------------------------
// Number to text

/// Decimal text of an integer of any type: "-42".
template <std::integral T> std::string IntToStr(T Value) {
    return std::to_string(Value);
}

namespace Detail {
std::string HexText(uint64_t Value, int Digits);
}
/// Upper-case hexadecimal text with at least Digits digits (zeros in front). Negative values are
/// written as the bit pattern of their own type: IntToHex(-1, 4) is "FFFFFFFF" for an int.
template <std::integral T> std::string IntToHex(T Value, int Digits) {
    return Detail::HexText(static_cast<std::make_unsigned_t<T>>(Value), Digits);
}

/// General number format: up to 15 significant digits, DecimalSeparator, no trailing zeros; fixed
/// notation when the rounded value's decimal exponent X satisfies -5 <= X < 15 ("0.00001",
/// "123456789012345"), otherwise "E", the exponent's sign and its digits without leading zeros
/// ("1E+15", "1.5E-6").
std::string FloatToStr(long double Value);

/// Formats of FloatToStrF.
enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber };

/// Formats with Precision significant digits (clamped to 1..18) and Digits (see the formats):
/// ffGeneral as FloatToStr with Precision digits and at least Digits (0..4) exponent digits;
/// ffExponent "-d.ddd" with Precision digits, "E", sign and at least Digits (0..4) exponent digits;
/// ffFixed Digits (0..18) decimals, or ffExponent when the integer part has more than Precision digits;
/// ffNumber as ffFixed with ThousandSeparator between groups of three integer digits.
std::string FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits);

// ---------------------------------------------------------------------------------------------------
// Format

/// One argument of Format: an integer (32 or 64 bits, signed or unsigned), a real, a character, a
/// text or a pointer. A temporary std::string is moved in and kept; other texts (a named std::string,
/// a const char*, a string_view) are referred to and must outlive the TVarRec.
class TVarRec {
public:
    enum TKind : uint8_t { vkInteger, vkUnsigned, vkReal, vkChar, vkText, vkPointer };

    TVarRec(int V) : FKind(vkInteger), FBits(32), FInt(V) {}
    TVarRec(long V) : FKind(vkInteger), FBits(sizeof(long) * 8), FInt(V) {}
    TVarRec(long long V) : FKind(vkInteger), FBits(64), FInt(V) {}
    TVarRec(unsigned V) : FKind(vkUnsigned), FBits(32), FUInt(V) {}
    TVarRec(unsigned long V) : FKind(vkUnsigned), FBits(sizeof(long) * 8), FUInt(V) {}
    TVarRec(unsigned long long V) : FKind(vkUnsigned), FBits(64), FUInt(V) {}
    TVarRec(float V) : FKind(vkReal), FReal(V) {}
    TVarRec(double V) : FKind(vkReal), FReal(V) {}
    TVarRec(long double V) : FKind(vkReal), FReal(V) {}
    TVarRec(char V) : FKind(vkChar), FChar(V) {}
    TVarRec(const char* V) : FKind(vkText), FText(V ? std::string_view(V) : std::string_view()) {}
    TVarRec(std::string_view V) : FKind(vkText), FText(V) {}
    TVarRec(const std::string& V) : FKind(vkText), FText(V) {}
    TVarRec(std::string&& V) : FKind(vkText), FOwned(std::move(V)), FOwns(true) {}
    TVarRec(const void* V) : FKind(vkPointer), FPtr(V) {}

    TKind Kind() const { return FKind; }
    int Bits() const { return FBits; }
    int64_t AsInt64() const { return FInt; }
    uint64_t AsUInt64() const { return FUInt; }
    long double AsReal() const { return FReal; }
    /// The text of a text argument, or the one character of a character argument.
    std::string_view AsText() const {
        return FKind == vkChar ? std::string_view(&FChar, 1) : FOwns ? std::string_view(FOwned) : FText;
    }
    const void* AsPointer() const { return FPtr; }

private:
    TKind FKind = vkInteger;
    uint8_t FBits = 64;
    union {
        int64_t FInt = 0;
        uint64_t FUInt;
        long double FReal;
        const void* FPtr;
    };
    std::string_view FText;
    std::string FOwned;
    bool FOwns = false;
    char FChar = 0;
};

/// Formats Args by the format string: literal text, "%%" for "%", and specifiers
///   "%" [index ":"] ["-"] [width] ["." precision] type
/// where index, width and precision are digits or "*" (taken from the next argument, an integer; a
/// negative width left-justifies, a negative precision counts as absent). An index selects the
/// argument of this and the following specifiers (0-based). "-" left-justifies in the width. Types
/// (letter case ignored):
///   d  integer; precision = minimum number of digits (zeros in front, after the sign)
///   u  integer as unsigned (a negative value as the bit pattern of its own width)
///   x  integer in upper-case hexadecimal; precision = minimum number of digits
///   e  real: "-d.ddd...E+ddd"; precision = number of significant digits (default 15, 0 counts as 1,
///      at most 18); the exponent has a sign and at least three digits; no point for one digit
///   f  real: "-ddd.ddd"; precision = digits after the point (default 2, at most 18); always fixed
///   g  real, general: precision significant digits (default 15, 0 counts as 1, at most 18), trailing
///      zeros and a bare point removed; fixed notation when the rounded value's decimal exponent X
///      satisfies -5 <= X < precision (the value is >= 0.00001 and has at most precision integer
///      digits), otherwise the %e exponent form ("1E+020", "1.5E-006")
///   n  as f, with ThousandSeparator between groups of three integer digits
///   s  text or character; precision = maximum number of characters
///   p  pointer as 16 upper-case hexadecimal digits
/// Reals use DecimalSeparator. Raises EConvertError "Format '<Fmt>' invalid or incompatible with
/// argument" for a malformed specifier, a missing argument or an argument of the wrong kind (an
/// integer for %f is wrong, as is a real for %d). Arguments left over are ignored.
std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args);
std::string Format(const std::string& Fmt, std::span<const TVarRec> Args);

} // namespace qyx
