// QYX_dstruct: the ASCII85 coder between streams. Whole groups follow the published encoding; a short
// last group is written as the digits of its unpadded value, one more digit than it has bytes.
#include <qyx/QYX_dstruct.h>

#include <qyx/platform/FileApi.h>
#include <qyx/platform/Streams.h>

#include <array>
#include <cstring>
#include <vector>

namespace qyx {

namespace {

constexpr int kBlock = 64 * 1024;
constexpr uint32_t k85Sq = 85 * 85;

// The two digit characters of every value below 85 * 85.
constexpr std::array<std::array<char, 2>, k85Sq> MakePairs() {
    std::array<std::array<char, 2>, k85Sq> t{};
    for (uint32_t v = 0; v < k85Sq; ++v) {
        t[v][0] = static_cast<char>(v / 85 + 33);
        t[v][1] = static_cast<char>(v % 85 + 33);
    }
    return t;
}

constexpr auto kPairs = MakePairs();

/// Collects output and writes it to the stream in large blocks.
class TOutBuffer {
public:
    explicit TOutBuffer(TStream* Dest) : FDest(Dest) { FBuf.reserve(kBlock + 16); }
    ~TOutBuffer() = default;
    char* Room(size_t N) {
        if (FBuf.size() + N > kBlock) Flush();
        const size_t at = FBuf.size();
        FBuf.resize(at + N);
        return FBuf.data() + at;
    }
    void Flush() {
        FDest->WriteBuffer(FBuf.data(), static_cast<int>(FBuf.size()));
        FBuf.clear();
    }

private:
    TStream* FDest;
    std::vector<char> FBuf;
};

/// Reads from Stream until Buf is full or the stream ends; the number of bytes read.
size_t ReadBlock(TStream* Stream, uint8_t* Buf, size_t Size) {
    size_t got = 0;
    while (got < Size) {
        const int n = Stream->Read(Buf + got, static_cast<int>(Size - got));
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    return got;
}

void PutGroup(TOutBuffer& Out, uint32_t V) {
    if (V == 0) {
        *Out.Room(1) = 'z';
        return;
    }
    char* p = Out.Room(5);
    const uint32_t lo = V % k85Sq, q = V / k85Sq;
    p[0] = static_cast<char>(q / k85Sq + 33);
    std::memcpy(p + 1, kPairs[q % k85Sq].data(), 2);
    std::memcpy(p + 3, kPairs[lo].data(), 2);
}

// A short last group of N bytes (1..3): N + 1 digits of its value.
void PutShortGroup(TOutBuffer& Out, const uint8_t* Bytes, int N) {
    uint32_t v = 0;
    for (int i = 0; i < N; ++i) v = (v << 8) | Bytes[i];
    char* p = Out.Room(static_cast<size_t>(N + 1));
    for (int i = N; i >= 0; --i) {
        p[i] = static_cast<char>(v % 85 + 33);
        v /= 85;
    }
}

/// Decoding state: the characters of the group being read and the result code.
struct TDecoder {
    explicit TDecoder(TStream* Dest) : Out(Dest) {}
    TOutBuffer Out;
    uint8_t Group[5] = {};
    int Count = 0;
    int Result = 0;

    // Writes the low K - 1 bytes of the group's value, most significant first.
    void EmitGroup() {
        uint32_t v = 0;
        for (int i = 0; i < Count; ++i) {
            const uint8_t c = Group[i];
            if (c < '!' || c > 'u') Result = c == 'z' ? -2 : -1;
            v = v * 85 + static_cast<uint32_t>(c - 33);
        }
        if (Count >= 2) {
            char* p = Out.Room(static_cast<size_t>(Count - 1));
            for (int i = 0; i < Count - 1; ++i) p[i] = static_cast<char>(v >> (8 * (Count - 2 - i)));
        }
        Count = 0;
    }
};

} // namespace

void EncodeASCII85(TStream* Source, TStream* Dest) {
    if (!Source || !Dest) return;
    TOutBuffer out(Dest);
    std::vector<uint8_t> buf(kBlock + 4);
    size_t carry = 0; // bytes of an unfinished group kept at the front of buf
    for (;;) {
        const size_t got = ReadBlock(Source, buf.data() + carry, kBlock);
        const size_t have = carry + got;
        const size_t whole = have & ~static_cast<size_t>(3);
        const uint8_t* p = buf.data();
        for (size_t i = 0; i < whole; i += 4)
            PutGroup(out, (static_cast<uint32_t>(p[i]) << 24) | (static_cast<uint32_t>(p[i + 1]) << 16) |
                              (static_cast<uint32_t>(p[i + 2]) << 8) | p[i + 3]);
        carry = have - whole;
        std::memmove(buf.data(), buf.data() + whole, carry);
        if (got == 0) break;
    }
    if (carry > 0) PutShortGroup(out, buf.data(), static_cast<int>(carry));
    std::memcpy(out.Room(2), "~>", 2);
    out.Flush();
}

int DecodeASCII85(TStream* Source, TStream* Dest) {
    if (!Source || !Dest) return 0;
    TDecoder dec(Dest);
    std::vector<uint8_t> buf(kBlock);
    int64_t endPos = -1; // stream position just behind the "~", once found
    for (;;) {
        const int64_t blockPos = Source->GetPosition();
        const size_t got = ReadBlock(Source, buf.data(), buf.size());
        if (got == 0) break;
        const uint8_t* p = buf.data();
        size_t i = 0;
        while (i < got) {
            // Whole groups of five valid digits, the common case, go straight through.
            if (dec.Count == 0 && got - i >= 5) {
                uint32_t v = 0;
                bool plain = true;
                for (int j = 0; j < 5; ++j) {
                    const uint32_t d = static_cast<uint32_t>(p[i + j]) - 33u;
                    plain &= d < 85;
                    v = v * 85 + d;
                }
                if (plain) {
                    char* o = dec.Out.Room(4);
                    o[0] = static_cast<char>(v >> 24);
                    o[1] = static_cast<char>(v >> 16);
                    o[2] = static_cast<char>(v >> 8);
                    o[3] = static_cast<char>(v);
                    i += 5;
                    continue;
                }
            }
            const uint8_t c = p[i++];
            if (c == 13 || c == 10) continue;
            if (c == '~') {
                endPos = blockPos + static_cast<int64_t>(i);
                break;
            }
            if (dec.Count == 0 && c == 'z') {
                std::memset(dec.Out.Room(4), 0, 4);
                continue;
            }
            dec.Group[dec.Count++] = c;
            if (dec.Count == 5) dec.EmitGroup();
        }
        if (endPos >= 0) break;
    }
    dec.EmitGroup();
    dec.Out.Flush();
    if (endPos >= 0) {
        // Leave the source behind the end mark "~>" (or the lone "~").
        Source->Seek(endPos, soFromBeginning);
        uint8_t next = 0;
        if (Source->Read(&next, 1) == 1 && next != '>') Source->Seek(endPos, soFromBeginning);
    }
    return dec.Result;
}

} // namespace qyx
