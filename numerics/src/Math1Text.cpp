// Angles, hexadecimal and decimal numbers as text.
#include <qyx/QYX_math1.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace qyx {

namespace {

const char DegreeSign = '\xB0';

// x in fixed notation with dec decimals and "."; a negative value that rounds to zero loses its sign.
std::string FixedStr(double x, int dec) {
    const int len = std::snprintf(nullptr, 0, "%.*f", dec, x);
    std::string s(static_cast<size_t>(len), '\0');
    std::snprintf(s.data(), s.size() + 1, "%.*f", dec, x);
    if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string ZeroPadded(int64_t v, int width) {
    std::string s = std::to_string(v);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), '0');
    return s;
}

// Whole degrees followed by minutes (parts 1) or minutes and seconds (parts 2), the last part with
// dec decimals. The angle is rounded once, in units of the last decimal, so carries are exact.
std::string SexagesimalStr(double Angle, int parts, int dec) {
    int64_t pow10 = 1;
    for (int i = 0; i < dec; ++i) pow10 *= 10;
    const int64_t perMinute = parts == 2 ? 60 * pow10 : pow10;
    const int64_t perDegree = 60 * perMinute;
    const long double scaled = std::nearbyint(static_cast<long double>(std::fabs(Angle)) * perDegree);
    if (scaled >= 9.0e18L) return FixedStr(Angle, dec) + DegreeSign; // too large to split exactly
    const auto total = static_cast<int64_t>(scaled);
    const int64_t degrees = total / perDegree;
    const int64_t rest = total % perDegree;

    std::string s = total != 0 && Angle < 0 ? "-" : "";
    s += std::to_string(degrees) + DegreeSign + ZeroPadded(rest / perMinute, 2);
    int64_t last = rest % perMinute; // the part that carries the decimals, in 1/pow10 units
    if (parts == 2) {
        s += "'";
        s += ZeroPadded(last / pow10, 2);
        last %= pow10;
    }
    if (dec > 0) s += "." + ZeroPadded(last, dec);
    s += parts == 2 ? "\"" : "'";
    return s;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The 0-based index of the first non-blank at or after Pos, or npos when Pos is not in S.
size_t SkipBlanks(const std::string& S, int Pos) {
    if (Pos < 1 || static_cast<size_t>(Pos) > S.size()) return std::string::npos;
    size_t i = static_cast<size_t>(Pos) - 1;
    while (i < S.size() && S[i] == ' ') ++i;
    return i;
}

} // namespace

std::string DegreeToStr(double Angle, TDegreeFormat Format, int NDecPlaces) {
    if (std::isnan(Angle)) return "NAN";
    if (std::isinf(Angle)) return Angle < 0 ? "-INF" : "INF";
    const int dec = std::clamp(NDecPlaces, 0, 9);
    switch (Format) {
    case dfDeg: return FixedStr(Angle, dec) + DegreeSign;
    case dfDegMin: return SexagesimalStr(Angle, 1, dec);
    case dfDegMinSec: return SexagesimalStr(Angle, 2, dec);
    default: return FixedStr(Angle, dec);
    }
}

std::string Hex(int Value, int NDigits) {
    static const char Digits[] = "0123456789ABCDEF";
    auto v = static_cast<uint32_t>(Value);
    std::string s;
    do {
        s.insert(s.begin(), Digits[v & 15u]);
        v >>= 4;
    } while (v != 0);
    const auto width = static_cast<size_t>(std::clamp(NDigits, 0, 8));
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

int ScanHex(const std::string& S, int& Pos) {
    size_t i = SkipBlanks(S, Pos);
    if (i == std::string::npos) return 0;
    if (i < S.size() && S[i] == '$') ++i;
    const size_t start = i;
    uint32_t v = 0;
    for (int d; i < S.size() && (d = HexDigitValue(S[i])) >= 0; ++i) v = (v << 4) | static_cast<uint32_t>(d);
    if (i == start) return 0;
    Pos = static_cast<int>(i) + 1;
    return static_cast<int>(v);
}

int ScanDecimal(const std::string& S, int& Pos) {
    size_t i = SkipBlanks(S, Pos);
    if (i == std::string::npos) return 0;
    bool negative = false;
    if (i < S.size() && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
    const size_t start = i;
    const int64_t limit = int64_t{std::numeric_limits<int>::max()} + 1;
    int64_t v = 0;
    for (; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i) v = std::min(v * 10 + (S[i] - '0'), limit);
    if (i == start) return 0;
    Pos = static_cast<int>(i) + 1;
    if (negative) return static_cast<int>(-v);
    return static_cast<int>(std::min<int64_t>(v, std::numeric_limits<int>::max()));
}

} // namespace qyx
