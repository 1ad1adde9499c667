// QYX_dstruct: CRC-32 by folding with carry-less multiplication (PCLMULQDQ), four 128-bit lanes at a
// time, then a Barrett reduction to 32 bits. Compiled for that instruction set with a target
// attribute and called only when the processor reports it.
#include "dstruct_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define QYX_DSTRUCT_X86 1
#endif

namespace qyx::dstruct_kernels {

#ifdef QYX_DSTRUCT_X86

bool HavePclmul() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    return (c & bit_PCLMUL) != 0 && (c & bit_SSE4_1) != 0;
}

namespace {

// Folding constants of the reflected polynomial $EDB88320: x^(4*128+32), x^(4*128-32) (four lanes),
// x^(128+32), x^(128-32) (one lane), x^64 (to 64 bits), and the polynomial with its Barrett quotient.
alignas(16) const uint64_t kK1K2[2] = {0x0154442bd4, 0x01c6e41596};
alignas(16) const uint64_t kK3K4[2] = {0x01751997d0, 0x00ccaa009e};
alignas(16) const uint64_t kK5K0[2] = {0x0163cd6124, 0x0000000000};
alignas(16) const uint64_t kPoly[2] = {0x01db710641, 0x01f7011641};

__attribute__((target("pclmul,sse4.1"))) inline __m128i Fold(__m128i X, __m128i K, __m128i Next) {
    const __m128i lo = _mm_clmulepi64_si128(X, K, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(X, K, 0x11);
    return _mm_xor_si128(_mm_xor_si128(hi, lo), Next);
}

// Count is a multiple of 16 and at least 64.
__attribute__((target("pclmul,sse4.1"))) uint32_t FoldBlocks(uint32_t Crc, const uint8_t* p, size_t Count) {
    const auto load = [](const uint8_t* q) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)); };
    __m128i x1 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(Crc)));
    __m128i x2 = load(p + 16), x3 = load(p + 32), x4 = load(p + 48);
    p += 64;
    Count -= 64;

    __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(kK1K2));
    while (Count >= 64) {
        x1 = Fold(x1, k, load(p));
        x2 = Fold(x2, k, load(p + 16));
        x3 = Fold(x3, k, load(p + 32));
        x4 = Fold(x4, k, load(p + 48));
        p += 64;
        Count -= 64;
    }

    // Four lanes into one, then the remaining 16-byte blocks.
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(kK3K4));
    x1 = Fold(x1, k, x2);
    x1 = Fold(x1, k, x3);
    x1 = Fold(x1, k, x4);
    while (Count >= 16) {
        x1 = Fold(x1, k, load(p));
        p += 16;
        Count -= 16;
    }

    // 128 bits to 64.
    const __m128i mask32 = _mm_setr_epi32(~0, 0, ~0, 0);
    __m128i x2b = _mm_clmulepi64_si128(x1, k, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2b);
    k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kK5K0));
    x2b = _mm_srli_si128(x1, 4);
    x1 = _mm_and_si128(x1, mask32);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, k, 0x00), x2b);

    // Barrett reduction to 32 bits.
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(kPoly));
    x2b = _mm_and_si128(x1, mask32);
    x2b = _mm_clmulepi64_si128(x2b, k, 0x10);
    x2b = _mm_and_si128(x2b, mask32);
    x2b = _mm_clmulepi64_si128(x2b, k, 0x00);
    x1 = _mm_xor_si128(x1, x2b);
    return static_cast<uint32_t>(_mm_extract_epi32(x1, 1));
}

} // namespace

uint32_t Crc32Pclmul(uint32_t Crc, const uint8_t* Data, size_t Count) {
    if (Count < 64) return Crc32Portable(Crc, Data, Count);
    const size_t blocks = Count & ~static_cast<size_t>(15);
    Crc = FoldBlocks(Crc, Data, blocks);
    return Crc32Portable(Crc, Data + blocks, Count - blocks);
}

#else

bool HavePclmul() {
    return false;
}

uint32_t Crc32Pclmul(uint32_t Crc, const uint8_t* Data, size_t Count) {
    return Crc32Portable(Crc, Data, Count);
}

#endif

} // namespace qyx::dstruct_kernels
