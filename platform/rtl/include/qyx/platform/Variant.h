// Variants: small tagged values that are null, empty (unassigned), an integer of 8, 16, 32 or 64 bits
// (signed or unsigned), a single or double real, a currency amount, a Boolean, a date or a string.
//
// Conversions (As...):
// - Empty gives 0, false, "" and date 0; Null converts to nothing and raises.
// - Numbers (integers, reals, currency, dates) convert to each other; a real going to an integer is
//   rounded (halves to even); a Boolean is 1 or 0 as a number, and a number is true when not 0.
// - A string converts to a number as StrToInt64 or StrToFloat read it (DecimalSeparator), to a Boolean
//   when it is "True" or "False" (letter case ignored) or a number, and to a date as StrToDateTime.
// - Anything else, and a value outside the target's range, raises EVariantError
//   "Could not convert variant of type (<from>) into type (<to>)" with the type names of VarTypeName.
// Texts (VarToStr): Null and Empty give ""; integers their decimal digits; doubles FloatToStr; singles
// the general format with 7 significant digits ("0.1" for 0.1f); currency up to four decimals
// (CurrToStr); Booleans "True" and "False"; dates DateTimeToStr; strings themselves.
#pragma once

#include <qyx/platform/Types.h>

#include <compare>
#include <cstdint>
#include <string>

namespace qyx {

/// A currency amount: a 64-bit integer count of ten-thousandths (four fixed decimals).
struct TCurrency {
    int64_t Scaled = 0;

    static constexpr TCurrency FromScaled(int64_t V) { return TCurrency{V}; }
    /// x rounded to four decimals (halves to even). Raises EConvertError
    /// "'<x>' is not a valid currency value" for NaN and for |x| beyond 922337203685477.5807.
    static TCurrency FromReal(long double x);
    /// Converts without raising; false (C unchanged) when x does not fit.
    static bool TryFromReal(long double x, TCurrency& C);
    long double ToReal() const { return static_cast<long double>(Scaled) / 10000; }
    friend auto operator<=>(const TCurrency&, const TCurrency&) = default;
};

/// The amount with up to four decimals, no trailing zeros and DecimalSeparator: "12.5", "-0.0001", "3".
std::string CurrToStr(TCurrency C);

/// Type codes of a variant.
enum TVarType : uint16_t {
    varEmpty = 0,
    varNull = 1,
    varSmallint = 2,
    varInteger = 3,
    varSingle = 4,
    varDouble = 5,
    varCurrency = 6,
    varDate = 7,
    varString = 8,
    varBoolean = 11,
    varShortInt = 16,
    varByte = 17,
    varWord = 18,
    varLongWord = 19,
    varInt64 = 20,
    varUInt64 = 21
};

/// The type's name in conversion messages: "Empty", "Null", "Smallint", "Integer", "Single", "Double",
/// "Currency", "Date", "String", "Boolean", "ShortInt", "Byte", "Word", "LongWord", "Int64", "UInt64".
std::string VarTypeName(TVarType T);

/// A value-typed variant; default-constructed it is empty.
class TVariant {
public:
    TVariant() = default;
    TVariant(int8_t V) : FType(varShortInt), FInt(V) {}
    TVariant(uint8_t V) : FType(varByte), FUInt(V) {}
    TVariant(int16_t V) : FType(varSmallint), FInt(V) {}
    TVariant(uint16_t V) : FType(varWord), FUInt(V) {}
    TVariant(int V) : FType(varInteger), FInt(V) {}
    TVariant(unsigned V) : FType(varLongWord), FUInt(V) {}
    TVariant(long V) : FType(sizeof(long) == 8 ? varInt64 : varInteger), FInt(V) {}
    TVariant(unsigned long V) : FType(sizeof(long) == 8 ? varUInt64 : varLongWord), FUInt(V) {}
    TVariant(long long V) : FType(varInt64), FInt(V) {}
    TVariant(unsigned long long V) : FType(varUInt64), FUInt(V) {}
    TVariant(float V) : FType(varSingle), FSingle(V) {}
    TVariant(double V) : FType(varDouble), FDouble(V) {}
    TVariant(TCurrency V) : FType(varCurrency), FInt(V.Scaled) {}
    TVariant(bool V) : FType(varBoolean), FBool(V) {}
    TVariant(char V) : FType(varString), FString(1, V) {}
    TVariant(const char* V) : FType(varString), FString(V ? V : "") {}
    TVariant(std::string V) : FType(varString), FString(std::move(V)) {}

    /// The null variant.
    static TVariant Null();
    /// A date variant (TDateTime is a double, so it needs a name of its own).
    static TVariant FromDate(TDateTime V);

    TVarType VarType() const { return FType; }
    bool IsNull() const { return FType == varNull; }
    bool IsEmpty() const { return FType == varEmpty; }

    int AsInteger() const;
    int64_t AsInt64() const;
    double AsDouble() const;
    TCurrency AsCurrency() const;
    bool AsBoolean() const;
    TDateTime AsDate() const;
    /// VarToStr, except that Null raises.
    std::string AsString() const;

    /// Equal when both are empty, both null, both Booleans with the same value, both strings with the
    /// same characters, or both numbers (integers, reals, currency, dates) of the same value.
    friend bool operator==(const TVariant& A, const TVariant& B);
    friend std::string VarToStr(const TVariant& V);

private:
    [[noreturn]] void ConvertError(TVarType To) const;
    long double NumberOrRaise(TVarType To) const;

    TVarType FType = varEmpty;
    union {
        int64_t FInt = 0; // signed integers and the scaled currency
        uint64_t FUInt;
        float FSingle;
        double FDouble; // doubles and dates
        bool FBool;
    };
    std::string FString;
};

TVarType VarType(const TVariant& V);
bool VarIsNull(const TVariant& V);
bool VarIsEmpty(const TVariant& V);
/// The variant as text; Null and Empty give "" (see the file comment for each type).
std::string VarToStr(const TVariant& V);

} // namespace qyx
