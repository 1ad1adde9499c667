// QYX_dstruct: the SHA-1 block routine on the processor's SHA extensions (four rounds per
// instruction, message schedule in hardware). Compiled for that instruction set with a target
// attribute and called only when the processor reports it.
#include "dstruct_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define QYX_DSTRUCT_X86 1
#endif

namespace qyx::dstruct_kernels {

#ifdef QYX_DSTRUCT_X86

bool HaveShaNi() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    if ((c & bit_SSSE3) == 0 || (c & bit_SSE4_1) == 0) return false;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    return (b & bit_SHA) != 0;
}

namespace {

#define QYX_SHA_TARGET __attribute__((target("sha,ssse3,sse4.1")))

// Four rounds with round function F (0..3 for rounds 0-19, 20-39, 40-59, 60-79).
template <int F> QYX_SHA_TARGET inline __m128i Rounds4(__m128i Abcd, __m128i E) {
    return _mm_sha1rnds4_epu32(Abcd, E, F);
}

// The next four schedule words from the previous sixteen (M0 oldest).
QYX_SHA_TARGET inline __m128i NextMsg(__m128i M0, __m128i M1, __m128i M2, __m128i M3) {
    return _mm_sha1msg2_epu32(_mm_xor_si128(_mm_sha1msg1_epu32(M0, M1), M2), M3);
}

// Four big-endian message words.
QYX_SHA_TARGET inline __m128i LoadWords(const uint8_t* p, __m128i ByteSwap) {
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), ByteSwap);
}

} // namespace

QYX_SHA_TARGET void Sha1BlocksShaNi(uint32_t State[5], const uint8_t* Data, size_t Blocks) {
    const __m128i byteSwap = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(State)), 0x1B);
    __m128i e0 = _mm_set_epi32(static_cast<int>(State[4]), 0, 0, 0);

    for (; Blocks > 0; --Blocks, Data += 64) {
        const __m128i abcdSave = abcd, eSave = e0;
        __m128i m0 = LoadWords(Data, byteSwap), m1 = LoadWords(Data + 16, byteSwap),
                m2 = LoadWords(Data + 32, byteSwap), m3 = LoadWords(Data + 48, byteSwap);

        // Each step: E for this group from the state before the previous group, then four rounds.
        __m128i prev = abcd;
        abcd = Rounds4<0>(abcd, _mm_add_epi32(e0, m0));
        __m128i e;
#define QYX_SHA_STEP(F, M)                                                                                   \
    e = _mm_sha1nexte_epu32(prev, M);                                                                        \
    prev = abcd;                                                                                             \
    abcd = Rounds4<F>(abcd, e);
        QYX_SHA_STEP(0, m1)
        QYX_SHA_STEP(0, m2)
        QYX_SHA_STEP(0, m3)
        // Groups 4..19; the ring of four message registers is advanced as each group needs it.
        m0 = NextMsg(m0, m1, m2, m3);
        QYX_SHA_STEP(0, m0)
        m1 = NextMsg(m1, m2, m3, m0);
        QYX_SHA_STEP(1, m1)
        m2 = NextMsg(m2, m3, m0, m1);
        QYX_SHA_STEP(1, m2)
        m3 = NextMsg(m3, m0, m1, m2);
        QYX_SHA_STEP(1, m3)
        m0 = NextMsg(m0, m1, m2, m3);
        QYX_SHA_STEP(1, m0)
        m1 = NextMsg(m1, m2, m3, m0);
        QYX_SHA_STEP(1, m1)
        m2 = NextMsg(m2, m3, m0, m1);
        QYX_SHA_STEP(2, m2)
        m3 = NextMsg(m3, m0, m1, m2);
        QYX_SHA_STEP(2, m3)
        m0 = NextMsg(m0, m1, m2, m3);
        QYX_SHA_STEP(2, m0)
        m1 = NextMsg(m1, m2, m3, m0);
        QYX_SHA_STEP(2, m1)
        m2 = NextMsg(m2, m3, m0, m1);
        QYX_SHA_STEP(2, m2)
        m3 = NextMsg(m3, m0, m1, m2);
        QYX_SHA_STEP(3, m3)
        m0 = NextMsg(m0, m1, m2, m3);
        QYX_SHA_STEP(3, m0)
        m1 = NextMsg(m1, m2, m3, m0);
        QYX_SHA_STEP(3, m1)
        m2 = NextMsg(m2, m3, m0, m1);
        QYX_SHA_STEP(3, m2)
        m3 = NextMsg(m3, m0, m1, m2);
        QYX_SHA_STEP(3, m3)
#undef QYX_SHA_STEP
        e0 = _mm_sha1nexte_epu32(prev, eSave);
        abcd = _mm_add_epi32(abcd, abcdSave);
    }

    _mm_storeu_si128(reinterpret_cast<__m128i*>(State), _mm_shuffle_epi32(abcd, 0x1B));
    State[4] = static_cast<uint32_t>(_mm_extract_epi32(e0, 3));
}

#undef QYX_SHA_TARGET

#else

bool HaveShaNi() {
    return false;
}

void Sha1BlocksShaNi(uint32_t State[5], const uint8_t* Data, size_t Blocks) {
    Sha1BlocksPortable(State, Data, Blocks);
}

#endif

} // namespace qyx::dstruct_kernels
