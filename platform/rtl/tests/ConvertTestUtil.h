// Helpers shared by the conversion tests: scoped changes of process-wide settings and 80-bit values
// built from their bytes.
#pragma once

#include <qyx/platform/Convert.h>

#include <cstdint>
#include <cstring>

namespace qyx::test {

/// Sets DecimalSeparator (and ThousandSeparator) for the life of the object.
class TSeparatorScope {
public:
    explicit TSeparatorScope(char Dec, char Thousands = ',')
        : FOldDec(DecimalSeparator), FOldThousands(ThousandSeparator) {
        DecimalSeparator = Dec;
        ThousandSeparator = Thousands;
    }
    ~TSeparatorScope() {
        DecimalSeparator = FOldDec;
        ThousandSeparator = FOldThousands;
    }

private:
    char FOldDec, FOldThousands;
};

/// An x87 extended value from its sign/exponent word and 64-bit significand.
inline long double Extended(uint16_t SignExp, uint64_t Mantissa) {
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &Mantissa, 8);
    std::memcpy(bytes + 8, &SignExp, 2);
    long double x;
    std::memcpy(&x, bytes, sizeof x);
    return x;
}

} // namespace qyx::test
