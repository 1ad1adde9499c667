// QYX_dstruct: SHA-1 (FIPS 180-1) of strings, streams and files, with a portable block routine and
// the run-time choice of the SHA-extensions routine.
#include <qyx/QYX_dstruct.h>

#include "dstruct_kernels.h"

#include <qyx/platform/FileApi.h>
#include <qyx/platform/Streams.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace qyx {

namespace dstruct_kernels {

namespace {

inline uint32_t Rol(uint32_t x, int n) {
    return std::rotl(x, n);
}

inline uint32_t LoadBE32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap32(v);
    return v;
}

TSha1::TBlocks FastestBlocks() {
    static const TSha1::TBlocks fn = HaveShaNi() ? Sha1BlocksShaNi : Sha1BlocksPortable;
    return fn;
}

} // namespace

// The 80 rounds unrolled, the message schedule kept in a ring of 16 words. Each round macro works on
// the five variables in rotated roles, so no values are moved between rounds.
#define QYX_SHA1_W(i)                                                                                        \
    (w[(i)&15] = Rol(w[((i) + 13) & 15] ^ w[((i) + 8) & 15] ^ w[((i) + 2) & 15] ^ w[(i)&15], 1))
#define QYX_SHA1_R0(a, b, c, d, e, i)                                                                        \
    e += (((c ^ d) & b) ^ d) + w[i] + 0x5A827999u + Rol(a, 5);                                               \
    b = Rol(b, 30);
#define QYX_SHA1_R1(a, b, c, d, e, i)                                                                        \
    e += (((c ^ d) & b) ^ d) + QYX_SHA1_W(i) + 0x5A827999u + Rol(a, 5);                                      \
    b = Rol(b, 30);
#define QYX_SHA1_R2(a, b, c, d, e, i)                                                                        \
    e += (b ^ c ^ d) + QYX_SHA1_W(i) + 0x6ED9EBA1u + Rol(a, 5);                                              \
    b = Rol(b, 30);
#define QYX_SHA1_R3(a, b, c, d, e, i)                                                                        \
    e += (((b | c) & d) | (b & c)) + QYX_SHA1_W(i) + 0x8F1BBCDCu + Rol(a, 5);                                \
    b = Rol(b, 30);
#define QYX_SHA1_R4(a, b, c, d, e, i)                                                                        \
    e += (b ^ c ^ d) + QYX_SHA1_W(i) + 0xCA62C1D6u + Rol(a, 5);                                              \
    b = Rol(b, 30);
#define QYX_SHA1_FIVE(R, i)                                                                                  \
    R(a, b, c, d, e, (i));                                                                                   \
    R(e, a, b, c, d, (i) + 1);                                                                               \
    R(d, e, a, b, c, (i) + 2);                                                                               \
    R(c, d, e, a, b, (i) + 3);                                                                               \
    R(b, c, d, e, a, (i) + 4);

void Sha1BlocksPortable(uint32_t State[5], const uint8_t* Data, size_t Blocks) {
    uint32_t w[16];
    for (; Blocks > 0; --Blocks, Data += 64) {
        for (int i = 0; i < 16; ++i) w[i] = LoadBE32(Data + 4 * i);
        uint32_t a = State[0], b = State[1], c = State[2], d = State[3], e = State[4];
        QYX_SHA1_FIVE(QYX_SHA1_R0, 0)
        QYX_SHA1_FIVE(QYX_SHA1_R0, 5)
        QYX_SHA1_FIVE(QYX_SHA1_R0, 10)
        QYX_SHA1_R0(a, b, c, d, e, 15)
        QYX_SHA1_R1(e, a, b, c, d, 16)
        QYX_SHA1_R1(d, e, a, b, c, 17)
        QYX_SHA1_R1(c, d, e, a, b, 18)
        QYX_SHA1_R1(b, c, d, e, a, 19)
        QYX_SHA1_FIVE(QYX_SHA1_R2, 20)
        QYX_SHA1_FIVE(QYX_SHA1_R2, 25)
        QYX_SHA1_FIVE(QYX_SHA1_R2, 30)
        QYX_SHA1_FIVE(QYX_SHA1_R2, 35)
        QYX_SHA1_FIVE(QYX_SHA1_R3, 40)
        QYX_SHA1_FIVE(QYX_SHA1_R3, 45)
        QYX_SHA1_FIVE(QYX_SHA1_R3, 50)
        QYX_SHA1_FIVE(QYX_SHA1_R3, 55)
        QYX_SHA1_FIVE(QYX_SHA1_R4, 60)
        QYX_SHA1_FIVE(QYX_SHA1_R4, 65)
        QYX_SHA1_FIVE(QYX_SHA1_R4, 70)
        QYX_SHA1_FIVE(QYX_SHA1_R4, 75)
        State[0] += a;
        State[1] += b;
        State[2] += c;
        State[3] += d;
        State[4] += e;
    }
}

#undef QYX_SHA1_W
#undef QYX_SHA1_R0
#undef QYX_SHA1_R1
#undef QYX_SHA1_R2
#undef QYX_SHA1_R3
#undef QYX_SHA1_R4
#undef QYX_SHA1_FIVE

TSha1::TSha1() : TSha1(FastestBlocks()) {}

TSha1::TSha1(TBlocks Blocks)
    : FBlocks(Blocks), FState{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u} {}

void TSha1::Update(const void* Data, size_t Count) {
    const auto* p = static_cast<const uint8_t*>(Data);
    FLength += Count;
    if (FBufFill > 0) {
        const size_t n = std::min(Count, 64 - FBufFill);
        std::memcpy(FBuf + FBufFill, p, n);
        FBufFill += n;
        p += n;
        Count -= n;
        if (FBufFill < 64) return;
        FBlocks(FState, FBuf, 1);
        FBufFill = 0;
    }
    if (Count >= 64) {
        FBlocks(FState, p, Count / 64);
        p += Count & ~static_cast<size_t>(63);
        Count &= 63;
    }
    if (Count > 0) std::memcpy(FBuf, p, Count);
    FBufFill = Count;
}

void TSha1::Final(uint8_t Digest[20]) {
    const uint64_t bits = FLength * 8;
    FBuf[FBufFill++] = 0x80;
    if (FBufFill > 56) {
        std::memset(FBuf + FBufFill, 0, 64 - FBufFill);
        FBlocks(FState, FBuf, 1);
        FBufFill = 0;
    }
    std::memset(FBuf + FBufFill, 0, 56 - FBufFill);
    for (int i = 0; i < 8; ++i) FBuf[56 + i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
    FBlocks(FState, FBuf, 1);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 4; ++j) Digest[4 * i + j] = static_cast<uint8_t>(FState[i] >> (24 - 8 * j));
}

} // namespace dstruct_kernels

// ---- Public routines -------------------------------------------------------------------------------

namespace {

constexpr int kStreamBlock = 64 * 1024;

TSHA1Digest Finish(dstruct_kernels::TSha1& Sha) {
    TSHA1Digest d{};
    Sha.Final(d.data());
    return d;
}

} // namespace

TSHA1Digest SHA1FromString(const std::string& S) {
    dstruct_kernels::TSha1 sha;
    sha.Update(S.data(), S.size());
    return Finish(sha);
}

TSHA1Digest SHA1FromStream(TStream* Stream) {
    dstruct_kernels::TSha1 sha;
    if (Stream) {
        std::vector<uint8_t> buf(kStreamBlock);
        for (;;) {
            const int n = Stream->Read(buf.data(), kStreamBlock);
            if (n <= 0) break;
            sha.Update(buf.data(), static_cast<size_t>(n));
        }
    }
    return Finish(sha);
}

TSHA1Digest SHA1FromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    return SHA1FromStream(&f);
}

std::string SHA1DigestToHex(const TSHA1Digest& Digest) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string s(40, '0');
    for (size_t i = 0; i < Digest.size(); ++i) {
        s[2 * i] = kHex[Digest[i] >> 4];
        s[2 * i + 1] = kHex[Digest[i] & 15];
    }
    return s;
}

} // namespace qyx
