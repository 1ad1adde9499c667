// Exact decimal digits of extended reals, and the general, exponent and fixed text forms built on them.
//
// The digits come from the C library's conversion of the exact binary value (glibc converts exactly and
// rounds ties to even in the default rounding mode). The conversion runs in the "C" locale and the
// default rounding mode whatever the process has set, so the output never depends on either.
#include "ConvertInternal.h"

#include <qyx/platform/Convert.h>

#include <algorithm>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <vector>

namespace qyx::Detail {

namespace {

// Runs a conversion in the "C" locale and round-to-nearest; restores both afterwards.
class TExactScope {
public:
    TExactScope() {
        static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
        if (CLocale) FOldLocale = uselocale(CLocale);
        FOldRound = std::fegetround();
        if (FOldRound != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    }
    ~TExactScope() {
        if (FOldRound != FE_TONEAREST) std::fesetround(FOldRound);
        if (FOldLocale) uselocale(FOldLocale);
    }
    TExactScope(const TExactScope&) = delete;
    TExactScope& operator=(const TExactScope&) = delete;

private:
    locale_t FOldLocale = locale_t(0);
    int FOldRound = FE_TONEAREST;
};

std::string Print(const char* Fmt, int Prec, long double v, size_t Bound) {
    std::vector<char> buf(Bound);
    TExactScope scope;
    int n = std::snprintf(buf.data(), buf.size(), Fmt, Prec, v);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) >= buf.size()) {
        buf.resize(static_cast<size_t>(n) + 1);
        n = std::snprintf(buf.data(), buf.size(), Fmt, Prec, v);
    }
    return std::string(buf.data(), static_cast<size_t>(std::max(n, 0)));
}

std::string ExpText(int Exp, int MinDigits) {
    std::string digits = std::to_string(Exp < 0 ? -static_cast<long>(Exp) : Exp);
    if (static_cast<int>(digits.size()) < MinDigits) digits.insert(0, MinDigits - digits.size(), '0');
    return (Exp < 0 ? "E-" : "E+") + digits;
}

std::string SpecialText(TFloatClass c) {
    switch (c) {
    case fcNaN: return "NAN";
    case fcPosInf: return "INF";
    default: return "-INF";
    }
}

} // namespace

TFloatClass Classify(long double& x) {
#if LDBL_MANT_DIG == 64
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &x, sizeof(long double));
    uint64_t mant;
    uint16_t signExp;
    std::memcpy(&mant, bytes, 8);
    std::memcpy(&signExp, bytes + 8, 2);
    const int exp = signExp & 0x7FFF;
    const bool neg = (signExp & 0x8000) != 0;
    const bool intBit = (mant >> 63) != 0;
    if (exp == 0x7FFF) {
        if (mant == (uint64_t{1} << 63)) return neg ? fcNegInf : fcPosInf;
        return fcNaN; // real NaNs, pseudo-NaNs and pseudo-infinities
    }
    if (exp != 0 && !intBit) return fcNaN; // unnormal
    if (exp == 0 && intBit) {              // pseudo-denormal: same value as with exponent 1
        x = std::ldexp(static_cast<long double>(mant), -16445);
        if (neg) x = -x;
    }
    return fcFinite;
#else
    if (std::isnan(x)) return fcNaN;
    if (std::isinf(x)) return x > 0 ? fcPosInf : fcNegInf;
    return fcFinite;
#endif
}

int ClampDigits(int v) {
    return std::clamp(v, 0, StrMaxDigits);
}

TDecimal SigDigits(long double x, int N) {
    N = std::clamp(N, 1, StrMaxDigits);
    TDecimal d;
    d.Neg = std::signbit(x);
    if (x == 0) {
        d.Digits.assign(static_cast<size_t>(N), '0');
        return d;
    }
    const std::string t = Print("%.*Le", N - 1, std::fabs(x), static_cast<size_t>(N) + 16);
    const size_t e = t.find('e');
    for (size_t i = 0; i < e && i < t.size(); ++i)
        if (t[i] >= '0' && t[i] <= '9') d.Digits += t[i];
    if (e != std::string::npos) d.Exp = std::atoi(t.c_str() + e + 1);
    return d;
}

std::string FixedAbs(long double x, int D, bool& Neg) {
    D = ClampDigits(D);
    std::string t = Print("%.*Lf", D, std::fabs(x), static_cast<size_t>(D) + 4950);
    Neg = std::signbit(x) && t.find_first_of("123456789") != std::string::npos;
    return t;
}

std::string GeneralText(long double x, int Precision, int MinExpDigits) {
    const TFloatClass c = Classify(x);
    if (c != fcFinite) return SpecialText(c);
    if (x == 0) return "0";
    Precision = std::clamp(Precision, 1, 18);
    TDecimal d = SigDigits(x, Precision);
    while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
    std::string r = d.Neg ? "-" : "";
    const int len = static_cast<int>(d.Digits.size());
    if (d.Exp >= -5 && d.Exp < Precision) {
        if (d.Exp >= 0) {
            const int intLen = d.Exp + 1;
            if (len <= intLen) {
                r += d.Digits + std::string(static_cast<size_t>(intLen - len), '0');
            } else {
                r += d.Digits.substr(0, static_cast<size_t>(intLen));
                r += DecimalSeparator;
                r += d.Digits.substr(static_cast<size_t>(intLen));
            }
        } else {
            r += '0';
            r += DecimalSeparator;
            r += std::string(static_cast<size_t>(-d.Exp - 1), '0') + d.Digits;
        }
        return r;
    }
    r += d.Digits[0];
    if (len > 1) {
        r += DecimalSeparator;
        r += d.Digits.substr(1);
    }
    return r + ExpText(d.Exp, MinExpDigits);
}

std::string ExponentText(long double x, int Precision, int MinExpDigits) {
    const TFloatClass c = Classify(x);
    if (c != fcFinite) return SpecialText(c);
    Precision = std::clamp(Precision, 1, 18);
    const TDecimal d = SigDigits(x, Precision);
    std::string r = (d.Neg && x != 0) ? "-" : "";
    r += d.Digits[0];
    if (Precision > 1) {
        r += DecimalSeparator;
        r += d.Digits.substr(1);
    }
    return r + ExpText(d.Exp, MinExpDigits);
}

std::string FixedText(long double x, int Decimals, char Thousands) {
    const TFloatClass c = Classify(x);
    if (c != fcFinite) return SpecialText(c);
    bool neg = false;
    std::string t = FixedAbs(x, Decimals, neg);
    size_t point = t.find('.');
    if (point != std::string::npos)
        t[point] = DecimalSeparator;
    else
        point = t.size();
    if (Thousands != 0)
        for (size_t i = point; i > 3; i -= 3) t.insert(i - 3, 1, Thousands);
    return neg ? "-" + t : t;
}

} // namespace qyx::Detail
