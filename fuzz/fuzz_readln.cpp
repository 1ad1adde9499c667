// Line reader: ReadLnStream over arbitrary bytes with the line-end mode taken from the first byte, on
// a memory stream and on a stream that delivers one byte per read. Checks that lines hold no control
// bytes but tabs, that the lines put together are the input without its control bytes (nothing is
// lost), that both streams give the same lines, and, for line feeds, CountLinesInStream agrees.
// ReadStreamUntil and FindInStream run on the same input.
#include <qyx/QYX_streams.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Streams.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace qyx;

namespace {

class TTrickleStream : public TStringStream {
public:
    using TStringStream::TStringStream;
    int Read(void* Buffer, int Count) override { return TStringStream::Read(Buffer, Count > 0 ? 1 : 0); }
};

std::vector<std::string> AllLines(TStream* S, int LineEnd, size_t MaxLines) {
    std::vector<std::string> lines;
    bool eof = false;
    while (!eof) {
        if (lines.size() > MaxLines) __builtin_trap(); // every call consumes a byte or ends
        lines.push_back(ReadLnStream(S, eof, LineEnd));
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    const int lineEnd = static_cast<int>(Data[0] % 8) - 1; // -1 .. 6
    const std::string text(reinterpret_cast<const char*>(Data) + 1, Size - 1);

    TStringStream s(text);
    const std::vector<std::string> lines = AllLines(&s, lineEnd, text.size() + 1);
    std::string joined, kept;
    for (const auto& l : lines) {
        for (const char c : l)
            if (static_cast<unsigned char>(c) < 32 && c != '\t') __builtin_trap();
        joined += l;
    }
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 32 || c == '\t') kept += c;
    if (joined != kept) __builtin_trap();

    TTrickleStream slow(text);
    if (AllLines(&slow, lineEnd, text.size() + 1) != lines) __builtin_trap();

    if (lineEnd == 0) {
        TStringStream c(text);
        if (static_cast<size_t>(CountLinesInStream(&c)) + 1 != lines.size()) __builtin_trap();
    }

    // ReadStreamUntil with a delimiter taken from the text's first bytes.
    const std::string delim = text.substr(0, text.size() % 4);
    TStringStream u(text);
    u.SetPosition(static_cast<int64_t>(delim.size()));
    int status = 1;
    const std::string got = ReadStreamUntil(&u, delim, status);
    const std::string rest = text.substr(delim.size());
    if (got != rest.substr(0, got.size()) ||
        u.GetPosition() != static_cast<int64_t>(delim.size() + got.size()))
        __builtin_trap();
    if (status == 0) {
        const size_t at = LowerCase(rest).find(LowerCase(delim));
        if (delim.empty() || at == std::string::npos || at + delim.size() != got.size()) __builtin_trap();
    } else if (status != -1 || got != rest) {
        __builtin_trap();
    }

    TStringStream f(text);
    const bool found = FindInStream(&f, Data[0]);
    const size_t at = text.find(static_cast<char>(Data[0]));
    if (found != (at != std::string::npos) ||
        f.GetPosition() != static_cast<int64_t>(found ? at + 1 : text.size()))
        __builtin_trap();
    return 0;
}
