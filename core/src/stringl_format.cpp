// Number, time and Boolean formatting of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/Arith.h>
#include <qyx/platform/Convert.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qyx {

namespace {

bool IsExponentDigit(char c) {
    return c >= '0' && c <= '9';
}

// The exponential form of strff: the run-time's notation in a field of w + 2 characters, its
// four-digit exponent cut to two digits, or w stars when the exponent needs three or more.
std::string ExpForm(long double x, int w) {
    std::string s = Str(x, w + 2);
    const size_t n = s.size();
    const bool hasExponent = n >= 6 && s[n - 6] == 'E' && (s[n - 5] == '+' || s[n - 5] == '-') &&
                             std::all_of(s.end() - 4, s.end(), IsExponentDigit);
    // Not-a-number and infinities have no exponent: their text in a field of w.
    if (!hasExponent) return Str(x, w, 0);
    if (s[n - 4] != '0' || s[n - 3] != '0') return std::string(static_cast<size_t>(w), '*');
    s.erase(n - 4, 2);
    return s;
}

// Leading blanks become zeros; a minus sign after them moves to the front.
void PadWithZeros(std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        std::fill(s.begin(), s.end(), '0');
        return;
    }
    std::fill(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(first), '0');
    if (s[first] == '-') {
        s[first] = '0';
        s[0] = '-';
    }
}

// Two-digit: right-justified in two characters with a leading blank replaced by "0".
std::string TwoDigit(int64_t v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

// Width-two: right-justified in two characters with a leading blank kept.
std::string WidthTwo(int64_t v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? " " + s : s;
}

} // namespace

std::string strff(long double x, int Width, int Decimals) {
    // The exponential form asks the run-time for two characters more than the field.
    const int w =
        static_cast<int>(std::min<int64_t>(std::llabs(static_cast<int64_t>(Width)), StrMaxDigits - 2));
    // Other negative Decimals give the run-time's full exponential form (four exponent digits), as
    // the numeric table editor's 22-character cells rely on.
    std::string s = Decimals == -2 ? ExpForm(x, w) : Decimals < 0 ? Str(x, w) : Str(x, w, Decimals);
    if (Width < 0 && std::isfinite(x)) PadWithZeros(s);
    return s;
}

std::string strffForcePlus(long double x, int Width, int Decimals) {
    std::string s = strff(x, Width, Decimals);
    if (!(x >= 0)) return s;
    const size_t first = s.find_first_not_of(' ');
    if (first != std::string::npos && s[first] == '+') return s; // +Inf carries its sign already
    if (first != std::string::npos && first > 0) {
        s[first - 1] = '+';
    } else if (s.size() >= 2 && s[0] == '0' && s[1] != '.') {
        // A padding zero gives way to the sign; a lone "0" is the value and stays.
        s[0] = '+';
    } else {
        s.insert(s.begin(), '+');
    }
    return s;
}

std::string FormatData(double x, int Width, int Decimals) {
    static constexpr double Largest[9] = {999999999, 9999999.9, 999999.99, 99999.999, 9999.9999,
                                          999.99999, 99.999999, 9.9999999, 0.99999999};
    static constexpr double Smallest[9] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};
    if (Decimals >= 0 && Decimals <= 8) {
        const double ax = std::fabs(x);
        if (ax <= Largest[Decimals] && (ax >= Smallest[Decimals] || x == 0)) return strff(x, Width, Decimals);
    }
    const int64_t wide = std::clamp<int64_t>(int64_t{Width} + 6, INT32_MIN, INT32_MAX);
    return strff(x, static_cast<int>(wide), -2);
}

std::string TimeString(double Secs, uint8_t Format) {
    // Negative and NaN durations count as 0; the upper limit keeps every part exact.
    long double t = Secs >= 0 ? static_cast<long double>(Secs) : 0.0L;
    t = std::min(t, 1e18L);
    const int64_t h = Trunc(t / 3600);
    const int64_t m = std::clamp<int64_t>(Trunc((t - 3600.0L * h) / 60), 0, 59);
    const int64_t s = std::clamp<int64_t>(Trunc(t - 3600.0L * h - 60.0L * m), 0, 59);
    const int64_t c = std::clamp<int64_t>(Trunc(Frac(t) * 100), 0, 99);
    switch (Format) {
    case 0: return TwoDigit(h) + ":" + TwoDigit(m) + ":" + TwoDigit(s) + "." + TwoDigit(c);
    case 1: return TwoDigit(h) + ":" + TwoDigit(m) + ":" + TwoDigit(s);
    case 2: return WidthTwo(h) + "h" + TwoDigit(m);
    case 3: return WidthTwo(h) + "h" + TwoDigit(m) + "'" + TwoDigit(s) + "\"";
    case 4: return TwoDigit(h) + ":" + TwoDigit(m);
    case 5: {
        const int64_t h12 = h == 0 ? 12 : (h > 12 ? h - 12 : h);
        return WidthTwo(h12) + ":" + TwoDigit(m) + (h < 12 ? "a" : "p");
    }
    default: return "";
    }
}

std::string BoolToStr(bool B, int Mode) {
    switch (Mode) {
    case 1: return B ? "T" : "F";
    case 2: return B ? ".T." : ".F.";
    case 3: return B ? "1" : "0";
    case 4: return B ? "-1" : "0";
    case 5: return B ? "FF" : "00";
    default: return B ? "TRUE" : "FALSE";
    }
}

} // namespace qyx
