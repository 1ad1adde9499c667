// Compiles an arbitrary pattern and matches it against an arbitrary subject with every option.
// Input: flags byte, start position byte, then pattern and subject separated by the first NUL.
#include <cstddef>
#include <cstdint>
#include <string>

#include <qyx/QYX_stringl.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2) return 0;
    const uint8_t flags = Data[0];
    const int start = static_cast<int8_t>(Data[1]);
    const std::string rest(reinterpret_cast<const char*>(Data + 2), Size - 2);
    const size_t nul = rest.find('\0');
    const std::string pattern = rest.substr(0, nul);
    const std::string subject = nul == std::string::npos ? std::string() : rest.substr(nul + 1);

    qyx::TGrep g(nullptr);
    g.SetStopOnError(false);
    g.SetIgnoreCase(flags & 1);
    g.SetSearchStartPos(start);
    g.SetRegExp(pattern);
    int pos = 0;
    if (g.MatchString(subject, pos)) {
        const int L = static_cast<int>(subject.size());
        if (pos < 1 || pos > L + 1 || g.GetMatchEnd() < pos - 1 || g.GetMatchEnd() > L) __builtin_trap();
    }
    for (int k = 0; k <= g.GetTokenCount() + 1; ++k) (void)g.GetRegExpToken(k);
    return 0;
}
