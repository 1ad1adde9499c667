// Number to text: Str-style fixed and exponential forms, FixedDotStr, FloatToStr, FloatToStrF and
// hexadecimal integers.
#include "ConvertInternal.h"

#include <qyx/platform/Convert.h>

#include <algorithm>
#include <cstdlib>

namespace qyx {

char DecimalSeparator = '.';
char ThousandSeparator = ',';

namespace {

std::string PadLeft(std::string s, int Width) {
    if (static_cast<int>(s.size()) < Width) s.insert(0, static_cast<size_t>(Width) - s.size(), ' ');
    return s;
}

// The Str forms of the values without digits; false for a finite x.
bool StrSpecial(long double& x, std::string& Text) {
    switch (Detail::Classify(x)) {
    case Detail::fcNaN: Text = "Nan"; return true;
    case Detail::fcPosInf: Text = "+Inf"; return true;
    case Detail::fcNegInf: Text = "-Inf"; return true;
    default: return false;
    }
}

} // namespace

std::string Str(long double x, int Width, int Decimals) {
    if (Decimals < 0) return Str(x, Width);
    Width = Detail::ClampDigits(Width);
    std::string t;
    if (StrSpecial(x, t)) return PadLeft(t, Width);
    bool neg = false;
    t = Detail::FixedAbs(x, Decimals, neg);
    if (neg) t.insert(0, 1, '-');
    return PadLeft(std::move(t), Width);
}

std::string Str(long double x, int Width) {
    Width = Detail::ClampDigits(Width);
    std::string t;
    if (StrSpecial(x, t)) return PadLeft(t, Width);
    const int mantissa = std::max(1, Width - 9);
    const Detail::TDecimal d = Detail::SigDigits(x, mantissa + 1);
    t = (d.Neg && x != 0) ? "-" : " ";
    t += d.Digits[0];
    t += '.';
    t += d.Digits.substr(1);
    t += d.Exp < 0 ? "E-" : "E+";
    const std::string e = std::to_string(std::abs(d.Exp));
    t += std::string(e.size() < 4 ? 4 - e.size() : 0, '0') + e;
    return PadLeft(std::move(t), Width);
}

std::string Str(long double x) {
    return Str(x, StrDefaultWidth);
}

std::string FixedDotStr(long double x, int n) {
    return Str(x, 0, std::max(n, 0));
}

std::string FloatToStr(long double Value) {
    return Detail::GeneralText(Value, 15, 0);
}

std::string FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits) {
    Precision = std::clamp(Precision, 1, 18);
    switch (Format) {
    case ffGeneral: return Detail::GeneralText(Value, Precision, std::clamp(Digits, 0, 4));
    case ffExponent: return Detail::ExponentText(Value, Precision, std::clamp(Digits, 0, 4));
    case ffFixed:
    case ffNumber: {
        long double v = Value;
        if (Detail::Classify(v) == Detail::fcFinite && v != 0 &&
            Detail::SigDigits(v, Precision).Exp >= Precision)
            return Detail::ExponentText(v, Precision, 0);
        return Detail::FixedText(Value, std::clamp(Digits, 0, 18),
                                 Format == ffNumber ? ThousandSeparator : 0);
    }
    }
    return Detail::GeneralText(Value, Precision, 0);
}

namespace Detail {

std::string HexText(uint64_t Value, int Digits) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string r;
    do {
        r.insert(r.begin(), Hex[Value & 15]);
        Value >>= 4;
    } while (Value != 0);
    Digits = ClampDigits(Digits);
    if (static_cast<int>(r.size()) < Digits) r.insert(0, static_cast<size_t>(Digits) - r.size(), '0');
    return r;
}

} // namespace Detail

} // namespace qyx
