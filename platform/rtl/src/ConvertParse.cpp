// Text to number: Val, StrToFloat and StrToInt with their Try and Def forms.
//
// The syntax is checked here; the digits of a real are then converted by the C library in the "C"
// locale, which rounds correctly and turns overflow into infinity and underflow into 0 without failing.
#include <qyx/platform/Convert.h>
#include <qyx/platform/Exceptions.h>

#include <climits>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <type_traits>

namespace qyx {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int CodeAt(size_t Pos) {
    return Pos >= static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(Pos) + 1;
}

locale_t CLocale() {
    static const locale_t Loc = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return Loc;
}

// Checks the real-number syntax with Sep as the point and copies the number, with "." as the point, to
// Clean. Returns the 0-based position of the first character that does not fit, or npos.
size_t ScanReal(const std::string& S, char Sep, bool TrailingBlanks, std::string& Clean) {
    const size_t n = S.size();
    size_t i = 0;
    while (i < n && S[i] == ' ') ++i;
    if (i < n && (S[i] == '+' || S[i] == '-')) Clean += S[i++];
    size_t digits = 0;
    while (i < n && IsDigit(S[i])) Clean += S[i++], ++digits;
    if (i < n && S[i] == Sep) {
        Clean += '.';
        ++i;
        while (i < n && IsDigit(S[i])) Clean += S[i++], ++digits;
    }
    if (digits == 0) return i;
    if (i < n && (S[i] == 'E' || S[i] == 'e')) {
        Clean += 'e';
        ++i;
        if (i < n && (S[i] == '+' || S[i] == '-')) Clean += S[i++];
        if (i >= n || !IsDigit(S[i])) return i;
        while (i < n && IsDigit(S[i])) Clean += S[i++];
    }
    if (TrailingBlanks)
        while (i < n && S[i] == ' ') ++i;
    return i < n ? i : std::string::npos;
}

template <typename Real>
bool ParseReal(const std::string& S, char Sep, bool TrailingBlanks, Real& V, size_t& ErrPos) {
    std::string clean;
    ErrPos = ScanReal(S, Sep, TrailingBlanks, clean);
    if (ErrPos != std::string::npos) return false;
    if constexpr (std::is_same_v<Real, double>)
        V = CLocale() ? strtod_l(clean.c_str(), nullptr, CLocale()) : std::strtod(clean.c_str(), nullptr);
    else
        V = CLocale() ? strtold_l(clean.c_str(), nullptr, CLocale()) : std::strtold(clean.c_str(), nullptr);
    return true;
}

template <typename Int> void ValInt(const std::string& S, Int& V, int& Code) {
    using UInt = std::make_unsigned_t<Int>;
    const size_t n = S.size();
    size_t i = 0;
    V = 0;
    while (i < n && S[i] == ' ') ++i;
    bool neg = false;
    if (i < n && (S[i] == '+' || S[i] == '-')) neg = S[i++] == '-';
    UInt value = 0;
    const bool hex =
        i < n && (S[i] == '$' || (S[i] == '0' && i + 1 < n && (S[i + 1] == 'x' || S[i + 1] == 'X')));
    if (hex) {
        i += S[i] == '$' ? 1 : 2;
        if (i >= n || HexValue(S[i]) < 0) {
            Code = CodeAt(i);
            return;
        }
        for (; i < n && HexValue(S[i]) >= 0; ++i) {
            if (value > std::numeric_limits<UInt>::max() >> 4) {
                Code = CodeAt(i);
                return;
            }
            value = static_cast<UInt>(value * 16 + static_cast<UInt>(HexValue(S[i])));
        }
    } else {
        const UInt limit = static_cast<UInt>(std::numeric_limits<Int>::max()) + (neg ? 1 : 0);
        if (i >= n || !IsDigit(S[i])) {
            Code = CodeAt(i);
            return;
        }
        for (; i < n && IsDigit(S[i]); ++i) {
            const UInt d = static_cast<UInt>(S[i] - '0');
            if (value > (limit - d) / 10) {
                Code = CodeAt(i);
                return;
            }
            value = static_cast<UInt>(value * 10 + d);
        }
    }
    if (i < n) {
        Code = CodeAt(i);
        return;
    }
    if (neg) value = static_cast<UInt>(UInt{0} - value);
    V = static_cast<Int>(value);
    Code = 0;
}

[[noreturn]] void FloatError(const std::string& S) {
    throw EConvertError("'" + S + "' is not a valid floating point value");
}

[[noreturn]] void IntError(const std::string& S) {
    throw EConvertError("'" + S + "' is not a valid integer value");
}

} // namespace

void Val(const std::string& S, long double& V, int& Code) {
    size_t err = 0;
    long double v = 0;
    const bool ok = ParseReal(S, '.', false, v, err);
    V = ok ? v : 0;
    Code = ok ? 0 : CodeAt(err);
}

void Val(const std::string& S, double& V, int& Code) {
    size_t err = 0;
    double v = 0;
    const bool ok = ParseReal(S, '.', false, v, err);
    V = ok ? v : 0;
    Code = ok ? 0 : CodeAt(err);
}

void Val(const std::string& S, int& V, int& Code) {
    ValInt(S, V, Code);
}
void Val(const std::string& S, int64_t& V, int& Code) {
    ValInt(S, V, Code);
}

bool TryStrToFloat(const std::string& S, long double& V) {
    size_t err = 0;
    return ParseReal(S, DecimalSeparator, true, V, err);
}

bool TryStrToFloat(const std::string& S, double& V) {
    size_t err = 0;
    return ParseReal(S, DecimalSeparator, true, V, err);
}

long double StrToFloat(const std::string& S) {
    long double v = 0;
    if (!TryStrToFloat(S, v)) FloatError(S);
    return v;
}

long double StrToFloatDef(const std::string& S, long double Default) {
    long double v = 0;
    return TryStrToFloat(S, v) ? v : Default;
}

bool TryStrToInt(const std::string& S, int& V) {
    int v = 0, code = 0;
    ValInt(S, v, code);
    if (code == 0) V = v;
    return code == 0;
}

int StrToInt(const std::string& S) {
    int v = 0;
    if (!TryStrToInt(S, v)) IntError(S);
    return v;
}

int StrToIntDef(const std::string& S, int Default) {
    int v = 0;
    return TryStrToInt(S, v) ? v : Default;
}

bool TryStrToInt64(const std::string& S, int64_t& V) {
    int64_t v = 0;
    int code = 0;
    ValInt(S, v, code);
    if (code == 0) V = v;
    return code == 0;
}

int64_t StrToInt64(const std::string& S) {
    int64_t v = 0;
    if (!TryStrToInt64(S, v)) IntError(S);
    return v;
}

int64_t StrToInt64Def(const std::string& S, int64_t Default) {
    int64_t v = 0;
    return TryStrToInt64(S, v) ? v : Default;
}

} // namespace qyx
