// QYX_streams: binary values, lines, searching and counting on byte streams.
#include <qyx/QYX_streams.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include <qyx/platform/CodePage.h>
#include <qyx/platform/Streams.h>

#include "streams_bytes.h"

namespace qyx {

namespace {

// Extended reals travel as the 10 bytes of the x87 format, which is long double on x86-64.
static_assert(std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10,
              "the 10-byte stream format needs long double in the x87 extended format");

constexpr int kExtendedSize = 10;
constexpr int kWriteBlock = 4096;
constexpr int kReadBlock = 256;

// Reads up to Count bytes (Read may deliver fewer than asked); returns how many came.
int ReadUpTo(TStream* Stream, uint8_t* Buffer, int Count) {
    int got = 0;
    while (got < Count) {
        const int n = Stream->Read(Buffer + got, Count - got);
        if (n <= 0) break;
        got += n;
    }
    return got;
}

} // namespace

// ---- Writers -------------------------------------------------------------------------------------

void WriteStringStream(TStream* Stream, const std::string& S) {
    // One WriteBuffer per full block, then one with the remainder (a remainder of 0 writes nothing).
    const size_t full = S.size() / kWriteBlock;
    for (size_t i = 0; i < full; ++i) Stream->WriteBuffer(S.data() + i * kWriteBlock, kWriteBlock);
    Stream->WriteBuffer(S.data() + full * kWriteBlock, static_cast<int>(S.size() % kWriteBlock));
}

void WriteLnStream(TStream* Stream, const std::string& S) {
    WriteStringStream(Stream, S);
    static const uint8_t crlf[2] = {13, 10};
    Stream->WriteBuffer(crlf, 2);
}

void WriteLongintToStream(TStream* Stream, int Value) {
    const uint32_t u = static_cast<uint32_t>(Value);
    const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                          static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
    Stream->WriteBuffer(b, 4);
}

void WriteExtendedToStream(TStream* Stream, long double Value) {
    uint8_t b[sizeof(long double)];
    std::memcpy(b, &Value, sizeof(long double));
    Stream->WriteBuffer(b, kExtendedSize);
}

// ---- Readers -------------------------------------------------------------------------------------

int ReadLongintFromStream(TStream* Stream, bool& Eof) {
    uint8_t b[4] = {0, 0, 0, 0};
    Eof = ReadUpTo(Stream, b, 4) < 4;
    return static_cast<int>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                            static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
}

long double ReadExtendedFromStream(TStream* Stream, bool& Eof) {
    uint8_t b[sizeof(long double)] = {};
    Eof = ReadUpTo(Stream, b, kExtendedSize) < kExtendedSize;
    long double v;
    std::memcpy(&v, b, sizeof(long double));
    return v;
}

std::string ReadLnStream(TStream* Stream, bool& Eof, int LineEnd) {
    Eof = false;
    std::string line;
    detail::TStreamBytes in(Stream);
    uint8_t prev = 0;
    uint8_t cur = 0;
    for (;;) {
        prev = cur;
        if (!in.Next(cur)) {
            Eof = true;
            break;
        }
        if (cur >= 32 || cur == 9) {
            line += static_cast<char>(cur);
            continue;
        }
        // A control byte is dropped; it may end the line.
        bool ends = false;
        switch (LineEnd) {
        case 0: ends = cur == 10; break;
        case 1: ends = cur == 13; break;
        case 2: ends = cur == 10 || cur == 13; break;
        case 3: ends = cur == 13 && prev == 10; break;
        case 4: ends = cur == 10 && prev == 13; break;
        default: break;
        }
        if (ends) break;
    }
    in.Release();
    return line;
}

// ---- Searching and counting ----------------------------------------------------------------------

bool FindInStream(TStream* Stream, uint8_t Ch) {
    detail::TStreamBytes in(Stream);
    uint8_t b;
    while (in.Next(b))
        if (b == Ch) {
            in.Release();
            return true;
        }
    return false;
}

std::string StreamAsString(TStream* Stream) {
    std::string result;
    char block[kReadBlock];
    for (;;) {
        const int n = Stream->Read(block, kReadBlock);
        if (n > 0) result.append(block, static_cast<size_t>(n));
        if (n < kReadBlock) break;
    }
    return result;
}

std::string ReadStreamUntil(TStream* Stream, const std::string& Delim, int& Status) {
    Status = -1;
    const std::string delim = LowerCase(Delim);
    const int64_t start = Stream->GetPosition();
    std::string buffer;
    std::string lower;
    char block[kReadBlock];
    size_t found = std::string::npos;
    for (;;) {
        const int n = Stream->Read(block, kReadBlock);
        if (n > 0) {
            // Only the new bytes and the overlap with the old ones can hold a new occurrence.
            const size_t from = lower.size() >= delim.size() ? lower.size() - delim.size() + 1 : 0;
            buffer.append(block, static_cast<size_t>(n));
            lower += LowerCase(std::string_view(block, static_cast<size_t>(n)));
            if (!delim.empty()) found = lower.find(delim, from);
        }
        if (found != std::string::npos || n < kReadBlock) break;
    }
    if (found == std::string::npos) return buffer;
    Status = 0;
    const size_t end = found + delim.size();
    Stream->SetPosition(start + static_cast<int64_t>(end));
    buffer.resize(end);
    return buffer;
}

int CountLinesInStream(TStream* Stream) {
    int count = 0;
    char block[4096];
    for (;;) {
        const int n = Stream->Read(block, sizeof block);
        if (n <= 0) break;
        count += static_cast<int>(std::count(block, block + n, '\n'));
    }
    return count;
}

} // namespace qyx
