// Fuzz target for the number and date readers and the format routines: Val, StrToFloat, StrToInt,
// StrToDateTime, Format and FormatDateTime on arbitrary text. Besides not crashing, a real that Val
// accepts must read back unchanged from its 21-digit Str form.
#include <qyx/platform/Convert.h>
#include <qyx/platform/DateTime.h>
#include <qyx/platform/Exceptions.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace qyx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string s(reinterpret_cast<const char*>(Data), Size);

    long double ld = 0;
    int code = 0;
    Val(s, ld, code);
    if (code == 0 && std::isfinite(ld)) {
        long double back = 0;
        int backCode = 0;
        Val(Str(ld, 29), back, backCode);
        if (backCode != 0 || back != ld) __builtin_trap();
    }
    double d = 0;
    Val(s, d, code);
    int i = 0;
    Val(s, i, code);
    int64_t i64 = 0;
    Val(s, i64, code);
    TryStrToFloat(s, ld);
    TryStrToInt64(s, i64);

    TDateTime dt = 0;
    TryStrToDateTime(s, dt);
    FormatDateTime(s, dt);
    FormatDateTime(s, 45000.5);

    try {
        const std::string name = "name";
        Format(s, {3, -7, int64_t{-123456789012}, 2.5, 1e300, -0.0, 1e-320L, name, 'c', "text",
                   static_cast<const void*>(Data), 0u});
    } catch (const EConvertError&) {
    }
    return 0;
}
