// Variants and currency amounts: construction, conversion, text and equality.
#include <qyx/platform/Arith.h>
#include <qyx/platform/Convert.h>
#include <qyx/platform/DateTime.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Variant.h>

#include <climits>
#include <cmath>

namespace qyx {

namespace {

constexpr long double Two63 = 9223372036854775808.0L;

bool EqualNoCase(const std::string& A, const char* B) {
    size_t i = 0;
    for (; i < A.size() && B[i]; ++i) {
        char a = A[i], b = B[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
        if (a != b) return false;
    }
    return i == A.size() && B[i] == 0;
}

bool IsSigned(TVarType T) {
    return T == varShortInt || T == varSmallint || T == varInteger || T == varInt64;
}
bool IsUnsigned(TVarType T) {
    return T == varByte || T == varWord || T == varLongWord || T == varUInt64;
}
bool IsNumber(TVarType T) {
    return IsSigned(T) || IsUnsigned(T) || T == varSingle || T == varDouble || T == varCurrency ||
           T == varDate;
}

} // namespace

bool TCurrency::TryFromReal(long double x, TCurrency& C) {
    const long double scaled = x * 10000;
    if (std::isnan(scaled) || scaled >= Two63 + 0.5L || scaled < -Two63 - 0.5L) return false;
    const int64_t r = Round(scaled);
    // Round saturates: a value that rounded to 2^63 does not fit.
    if (r == INT64_MAX && scaled >= Two63 - 0.5L) return false;
    C.Scaled = r;
    return true;
}

TCurrency TCurrency::FromReal(long double x) {
    TCurrency c;
    if (!TryFromReal(x, c)) throw EConvertError("'" + FloatToStr(x) + "' is not a valid currency value");
    return c;
}

std::string CurrToStr(TCurrency C) {
    const bool neg = C.Scaled < 0;
    const uint64_t mag =
        neg ? uint64_t{0} - static_cast<uint64_t>(C.Scaled) : static_cast<uint64_t>(C.Scaled);
    std::string r = (neg ? "-" : "") + std::to_string(mag / 10000);
    std::string frac = std::to_string(mag % 10000);
    frac.insert(0, 4 - frac.size(), '0');
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    if (!frac.empty()) r += DecimalSeparator + frac;
    return r;
}

std::string VarTypeName(TVarType T) {
    switch (T) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varString: return "String";
    case varBoolean: return "Boolean";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varUInt64: return "UInt64";
    }
    return "Unknown";
}

TVariant TVariant::Null() {
    TVariant v;
    v.FType = varNull;
    return v;
}

TVariant TVariant::FromDate(TDateTime V) {
    TVariant v(V);
    v.FType = varDate;
    return v;
}

void TVariant::ConvertError(TVarType To) const {
    throw EVariantError("Could not convert variant of type (" + VarTypeName(FType) + ") into type (" +
                        VarTypeName(To) + ")");
}

// The value as an extended real for the numeric targets (exact for every integer type).
long double TVariant::NumberOrRaise(TVarType To) const {
    if (IsSigned(FType)) return static_cast<long double>(FInt);
    if (IsUnsigned(FType)) return static_cast<long double>(FUInt);
    switch (FType) {
    case varEmpty: return 0;
    case varSingle: return FSingle;
    case varDouble:
    case varDate: return FDouble;
    case varCurrency: return TCurrency::FromScaled(FInt).ToReal();
    case varBoolean: return FBool ? 1 : 0;
    case varString: {
        int64_t i = 0;
        long double r = 0;
        if (TryStrToInt64(FString, i)) return static_cast<long double>(i);
        if (TryStrToFloat(FString, r)) return r;
        break;
    }
    default: break;
    }
    ConvertError(To);
}

int64_t TVariant::AsInt64() const {
    if (IsSigned(FType) || FType == varEmpty) return FType == varEmpty ? 0 : FInt;
    if (FType == varString) {
        int64_t i = 0;
        if (TryStrToInt64(FString, i)) return i;
    }
    if (FType == varUInt64 && FUInt > static_cast<uint64_t>(INT64_MAX)) ConvertError(varInt64);
    if (IsUnsigned(FType)) return static_cast<int64_t>(FUInt);
    if (FType == varCurrency) return Round(static_cast<long double>(FInt) / 10000);
    const long double r = NumberOrRaise(varInt64);
    if (std::isnan(r) || r >= Two63 - 0.5L || r < -Two63 - 0.5L) ConvertError(varInt64);
    return Round(r);
}

int TVariant::AsInteger() const {
    int64_t v = 0;
    try {
        v = AsInt64();
    } catch (const EVariantError&) {
        ConvertError(varInteger);
    }
    if (v < INT_MIN || v > INT_MAX) ConvertError(varInteger);
    return static_cast<int>(v);
}

double TVariant::AsDouble() const {
    return static_cast<double>(NumberOrRaise(varDouble));
}

TCurrency TVariant::AsCurrency() const {
    if (FType == varCurrency) return TCurrency::FromScaled(FInt);
    TCurrency c;
    if (IsSigned(FType) && FInt >= INT64_MIN / 10000 && FInt <= INT64_MAX / 10000)
        return TCurrency::FromScaled(FInt * 10000);
    if (!TCurrency::TryFromReal(NumberOrRaise(varCurrency), c)) ConvertError(varCurrency);
    return c;
}

bool TVariant::AsBoolean() const {
    if (FType == varBoolean) return FBool;
    if (FType == varString) {
        if (EqualNoCase(FString, "true")) return true;
        if (EqualNoCase(FString, "false")) return false;
    }
    return NumberOrRaise(varBoolean) != 0;
}

TDateTime TVariant::AsDate() const {
    if (FType == varString) {
        TDateTime dt = 0;
        if (TryStrToDateTime(FString, dt)) return dt;
        ConvertError(varDate);
    }
    if (FType == varBoolean) ConvertError(varDate);
    return static_cast<TDateTime>(NumberOrRaise(varDate));
}

std::string TVariant::AsString() const {
    if (FType == varNull) ConvertError(varString);
    return VarToStr(*this);
}

bool operator==(const TVariant& A, const TVariant& B) {
    const TVarType a = A.FType, b = B.FType;
    if (a == varEmpty || a == varNull || b == varEmpty || b == varNull) return a == b;
    if (a == varBoolean || b == varBoolean) return a == b && A.FBool == B.FBool;
    if (a == varString || b == varString) return a == b && A.FString == B.FString;
    if (!IsNumber(a) || !IsNumber(b)) return false;
    if (a == varCurrency && b == varCurrency) return A.FInt == B.FInt;
    // Integers are exact as extended reals; comparing there covers every mix of number types.
    return A.NumberOrRaise(varDouble) == B.NumberOrRaise(varDouble);
}

TVarType VarType(const TVariant& V) {
    return V.VarType();
}
bool VarIsNull(const TVariant& V) {
    return V.IsNull();
}
bool VarIsEmpty(const TVariant& V) {
    return V.IsEmpty();
}

std::string VarToStr(const TVariant& V) {
    switch (V.VarType()) {
    case varEmpty:
    case varNull: return "";
    case varSingle: return FloatToStrF(V.AsDouble(), ffGeneral, 7, 0);
    case varDouble: return FloatToStr(V.AsDouble());
    case varCurrency: return CurrToStr(V.AsCurrency());
    case varDate: return DateTimeToStr(V.AsDate());
    case varBoolean: return V.AsBoolean() ? "True" : "False";
    case varString: return V.FString;
    case varUInt64:
    case varByte:
    case varWord:
    case varLongWord: return std::to_string(V.FUInt);
    default: return std::to_string(V.FInt);
    }
}

} // namespace qyx
