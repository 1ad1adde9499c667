// ASCII85: DecodeASCII85 on arbitrary bytes (result 0, -1 or -2, at most four bytes per character),
// and EncodeASCII85 followed by DecodeASCII85 gives the input back.
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Streams.h>

#include <cstddef>
#include <cstdint>
#include <string>

using namespace qyx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string input(reinterpret_cast<const char*>(Data), Size);

    TStringStream text(input), out;
    const int result = DecodeASCII85(&text, &out);
    if (result != 0 && result != -1 && result != -2) __builtin_trap();
    if (out.GetDataString().size() > 4 * Size) __builtin_trap();
    if (text.GetPosition() > static_cast<int64_t>(Size)) __builtin_trap();

    TStringStream src(input), coded, back;
    EncodeASCII85(&src, &coded);
    coded.SetPosition(0);
    if (DecodeASCII85(&coded, &back) != 0 || back.GetDataString() != input) __builtin_trap();
    return 0;
}
