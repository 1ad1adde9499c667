// Arithmetic helpers: rounding with saturation, MulDiv, DivMod, Sign and powers.
#include <qyx/platform/Arith.h>
#include <qyx/platform/Exceptions.h>

#include <climits>
#include <cmath>
#include <cstdlib>

namespace qyx {

namespace {

// 2^63 as an extended real: the first value that does not fit an int64_t.
constexpr long double Two63 = 9223372036854775808.0L;

// Converts an integral real to int64_t, saturating.
int64_t Saturate(long double r) {
    if (std::isnan(r)) return 0;
    if (r >= Two63) return INT64_MAX;
    if (r < -Two63) return INT64_MIN;
    return static_cast<int64_t>(r);
}

} // namespace

int64_t Round(long double x) {
    // Halves to even regardless of the current rounding mode: take the floor and look at the rest.
    if (std::isnan(x) || std::isinf(x)) return Saturate(x);
    const long double f = std::floor(x);
    const long double rest = x - f; // exact for an extended real
    long double r = f;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(f, 2.0L) != 0)) r = f + 1;
    return Saturate(r);
}

int64_t Trunc(long double x) {
    return Saturate(std::trunc(x));
}
int64_t Ceil(long double x) {
    return Saturate(std::ceil(x));
}
int64_t Floor(long double x) {
    return Saturate(std::floor(x));
}

long double Int(long double x) {
    return std::trunc(x);
}

long double Frac(long double x) {
    if (std::isinf(x)) return 0;
    return x - std::trunc(x);
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t p = static_cast<int64_t>(a) * b;
    // Quotient and remainder of |p| / |c|, rounded half away from zero, then the sign.
    const uint64_t ap = p < 0 ? uint64_t{0} - static_cast<uint64_t>(p) : static_cast<uint64_t>(p);
    const uint64_t ac =
        c < 0 ? uint64_t{0} - static_cast<uint64_t>(static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
    uint64_t q = ap / ac;
    if ((ap % ac) * 2 >= ac) ++q;
    const bool neg = (p < 0) != (c < 0);
    if (q > (neg ? uint64_t{1} << 31 : static_cast<uint64_t>(INT_MAX))) return -1;
    return neg ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}

void DivMod(int Dividend, int Divisor, int& Result, int& Remainder) {
    if (Divisor == 0) throw EInvalidArgument("Division by zero");
    if (Divisor == -1) {
        Result = Dividend == INT_MIN ? INT_MIN : -Dividend;
        Remainder = 0;
        return;
    }
    Result = Dividend / Divisor;
    Remainder = Dividend % Divisor;
}

int Sign(long double x) {
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}
int Sign(int64_t x) {
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

long double IntPower(long double Base, int Exponent) {
    // The exponent's magnitude as unsigned, so INT_MIN does not overflow.
    unsigned n = Exponent < 0 ? 0u - static_cast<unsigned>(Exponent) : static_cast<unsigned>(Exponent);
    long double result = 1, b = Base;
    while (n != 0) {
        if (n & 1) result *= b;
        b *= b;
        n >>= 1;
    }
    return Exponent < 0 ? 1 / result : result;
}

long double Power(long double Base, long double Exponent) {
    return std::pow(Base, Exponent);
}

} // namespace qyx
