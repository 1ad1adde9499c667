// Number scanners: ScanStreamFPNum over arbitrary bytes with the exponent switch and separator mode
// taken from the first byte, compared with ScanStringFPNum on the same text, and ScanStreamDecimal.
// Checks that results are finite and within uc_MaxDouble, that the stream never moves backwards, and
// that stream and text scanners agree wherever their rules coincide (no tab, line feed or carriage
// return in the text).
#include <qyx/QYX_streams.h>
#include <qyx/QYX_univconst.h>
#include <qyx/platform/Streams.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace qyx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    const bool allowExp = Data[0] & 1;
    const int decSep = (Data[0] >> 1) % 6; // the four modes and two values outside them
    const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const bool sameRules = text.find_first_of("\t\n\r") == std::string::npos;
    const double limit = static_cast<double>(uc_MaxDouble);

    TStringStream s(text);
    int pos = 1;
    while (s.GetPosition() < static_cast<int64_t>(text.size())) {
        const int64_t before = s.GetPosition();
        const double v = ScanStreamFPNum(&s, allowExp, decSep);
        const int64_t after = s.GetPosition();
        if (!std::isfinite(v) || std::fabs(v) > limit || after < before ||
            after > static_cast<int64_t>(text.size()))
            __builtin_trap();
        if (sameRules) {
            pos = static_cast<int>(before) + 1;
            const double w = ScanStringFPNum(text, pos, allowExp, decSep);
            if (w != v || pos != static_cast<int>(after) + 1) __builtin_trap();
        }
        if (after == before) s.SetPosition(before + 1); // an error on the first byte consumes nothing
    }

    TStringStream d(text);
    while (d.GetPosition() < static_cast<int64_t>(text.size())) {
        const int64_t before = d.GetPosition();
        ScanStreamDecimal(&d);
        if (d.GetPosition() <= before) __builtin_trap();
    }
    return 0;
}
