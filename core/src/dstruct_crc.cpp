// QYX_dstruct: CRC-16 and CRC-32 with table-driven portable paths and the run-time choice of the
// carry-less multiplication path for CRC-32.
#include <qyx/QYX_dstruct.h>

#include "dstruct_kernels.h"

#include <qyx/platform/FileApi.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace qyx {

namespace {

// Slice k of a table answers "the register contribution of byte v followed by k zero bytes".
constexpr std::array<std::array<uint32_t, 256>, 16> MakeCrc32Tables() {
    std::array<std::array<uint32_t, 256>, 16> t{};
    for (uint32_t v = 0; v < 256; ++v) {
        uint32_t c = v;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        t[0][v] = c;
    }
    for (int k = 1; k < 16; ++k)
        for (uint32_t v = 0; v < 256; ++v) t[k][v] = (t[k - 1][v] >> 8) ^ t[0][t[k - 1][v] & 0xFF];
    return t;
}

constexpr std::array<std::array<uint16_t, 256>, 8> MakeCrc16Tables() {
    std::array<std::array<uint16_t, 256>, 8> t{};
    for (uint32_t v = 0; v < 256; ++v) {
        uint32_t c = v << 8;
        for (int bit = 0; bit < 8; ++bit) c = (c & 0x8000) ? (c << 1) ^ 0x1021 : c << 1;
        t[0][v] = static_cast<uint16_t>(c);
    }
    for (int k = 1; k < 8; ++k)
        for (uint32_t v = 0; v < 256; ++v)
            t[k][v] = static_cast<uint16_t>((t[k - 1][v] << 8) ^ t[0][t[k - 1][v] >> 8]);
    return t;
}

constexpr auto kCrc32 = MakeCrc32Tables();
constexpr auto kCrc16 = MakeCrc16Tables();

inline uint32_t LoadLE32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
    return v;
}

inline uint64_t LoadBE64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

// The portable CRC-32 runs four lanes of kLane bytes side by side, so the table look-ups of one lane
// overlap those of the others instead of waiting for them; the lanes are then joined by shifting the
// register over kLane zero bytes, which is linear in the register and done by four tables.
constexpr size_t kLane = 2048;

struct TCrc32Shift {
    std::array<std::array<uint32_t, 256>, 4> t;
    uint32_t operator()(uint32_t C) const {
        return t[0][C & 0xFF] ^ t[1][(C >> 8) & 0xFF] ^ t[2][(C >> 16) & 0xFF] ^ t[3][C >> 24];
    }
};

const TCrc32Shift& LaneShift() {
    static const TCrc32Shift shift = [] {
        std::array<uint32_t, 32> basis{};
        for (int b = 0; b < 32; ++b) {
            uint32_t c = 1u << b;
            for (size_t i = 0; i < kLane; ++i) c = kCrc32[0][c & 0xFF] ^ (c >> 8);
            basis[static_cast<size_t>(b)] = c;
        }
        TCrc32Shift s{};
        for (size_t k = 0; k < 4; ++k)
            for (uint32_t v = 0; v < 256; ++v) {
                uint32_t x = 0;
                for (size_t j = 0; j < 8; ++j)
                    if (v & (1u << j)) x ^= basis[8 * k + j];
                s.t[k][v] = x;
            }
        return s;
    }();
    return shift;
}

// Sixteen bytes into the register (slicing by 16).
inline uint32_t Crc32Step16(uint32_t Crc, const uint8_t* p) {
    const auto& t = kCrc32;
    const uint32_t a = LoadLE32(p) ^ Crc, b = LoadLE32(p + 4), c = LoadLE32(p + 8), d = LoadLE32(p + 12);
    return t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
           t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
           t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^ t[3][d & 0xFF] ^
           t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
}

// The same for CRC-16: its register shifted over kLane zero bytes, by its high and its low byte.
struct TCrc16Shift {
    std::array<std::array<uint16_t, 256>, 2> t;
    uint16_t operator()(uint16_t C) const { return static_cast<uint16_t>(t[0][C >> 8] ^ t[1][C & 0xFF]); }
};

const TCrc16Shift& Crc16LaneShift() {
    static const TCrc16Shift shift = [] {
        std::array<uint16_t, 16> basis{};
        for (int b = 0; b < 16; ++b) {
            auto c = static_cast<uint16_t>(1u << b);
            for (size_t i = 0; i < kLane; ++i) c = static_cast<uint16_t>(kCrc16[0][c >> 8] ^ (c << 8));
            basis[static_cast<size_t>(b)] = c;
        }
        TCrc16Shift s{};
        for (uint32_t v = 0; v < 256; ++v) {
            uint16_t hi = 0, lo = 0;
            for (size_t j = 0; j < 8; ++j)
                if (v & (1u << j)) {
                    hi = static_cast<uint16_t>(hi ^ basis[8 + j]);
                    lo = static_cast<uint16_t>(lo ^ basis[j]);
                }
            s.t[0][v] = hi;
            s.t[1][v] = lo;
        }
        return s;
    }();
    return shift;
}

// Eight bytes into the CRC-16 register: the register meets the first two bytes; each byte then
// contributes through the slice of the number of bytes that follow it in the group.
inline uint16_t Crc16Step8(uint16_t Crc, const uint8_t* p) {
    const auto& t = kCrc16;
    const uint64_t x = LoadBE64(p) ^ (static_cast<uint64_t>(Crc) << 48);
    return static_cast<uint16_t>(t[7][x >> 56] ^ t[6][(x >> 48) & 0xFF] ^ t[5][(x >> 40) & 0xFF] ^
                                 t[4][(x >> 32) & 0xFF] ^ t[3][(x >> 24) & 0xFF] ^ t[2][(x >> 16) & 0xFF] ^
                                 t[1][(x >> 8) & 0xFF] ^ t[0][x & 0xFF]);
}

using TCrc32Fn = uint32_t (*)(uint32_t, const uint8_t*, size_t);

// The path is chosen once, on first use, from the processor's features.
TCrc32Fn Crc32Fn() {
    static const TCrc32Fn fn =
        dstruct_kernels::HavePclmul() ? dstruct_kernels::Crc32Pclmul : dstruct_kernels::Crc32Portable;
    return fn;
}

size_t ClampCount(const TBytes& Buffer, int Count) {
    return Count <= 0 ? 0 : std::min(static_cast<size_t>(Count), Buffer.size());
}

} // namespace

// ---- Kernels ---------------------------------------------------------------------------------------

namespace dstruct_kernels {

uint32_t Crc32Bytewise(uint32_t Crc, const uint8_t* Data, size_t Count) {
    for (size_t i = 0; i < Count; ++i) Crc = kCrc32[0][(Crc ^ Data[i]) & 0xFF] ^ (Crc >> 8);
    return Crc;
}

uint32_t Crc32Portable(uint32_t Crc, const uint8_t* Data, size_t Count) {
    if (Count >= 4 * kLane) {
        const TCrc32Shift& shift = LaneShift();
        do {
            // The incoming register enters lane 0; the other lanes start from 0.
            uint32_t c0 = Crc, c1 = 0, c2 = 0, c3 = 0;
            for (size_t i = 0; i < kLane; i += 16) {
                c0 = Crc32Step16(c0, Data + i);
                c1 = Crc32Step16(c1, Data + kLane + i);
                c2 = Crc32Step16(c2, Data + 2 * kLane + i);
                c3 = Crc32Step16(c3, Data + 3 * kLane + i);
            }
            Crc = shift(shift(shift(c0) ^ c1) ^ c2) ^ c3;
            Data += 4 * kLane;
            Count -= 4 * kLane;
        } while (Count >= 4 * kLane);
    }
    for (; Count >= 16; Data += 16, Count -= 16) Crc = Crc32Step16(Crc, Data);
    return Crc32Bytewise(Crc, Data, Count);
}

uint32_t Crc32Update(uint32_t Crc, const uint8_t* Data, size_t Count) {
    return Crc32Fn()(Crc, Data, Count);
}

uint16_t Crc16Update(uint16_t Crc, const uint8_t* Data, size_t Count) {
    if (Count >= 4 * kLane) {
        const TCrc16Shift& shift = Crc16LaneShift();
        do {
            uint16_t c0 = Crc, c1 = 0, c2 = 0, c3 = 0;
            for (size_t i = 0; i < kLane; i += 8) {
                c0 = Crc16Step8(c0, Data + i);
                c1 = Crc16Step8(c1, Data + kLane + i);
                c2 = Crc16Step8(c2, Data + 2 * kLane + i);
                c3 = Crc16Step8(c3, Data + 3 * kLane + i);
            }
            Crc = static_cast<uint16_t>(
                shift(static_cast<uint16_t>(shift(static_cast<uint16_t>(shift(c0) ^ c1)) ^ c2)) ^ c3);
            Data += 4 * kLane;
            Count -= 4 * kLane;
        } while (Count >= 4 * kLane);
    }
    for (; Count >= 8; Data += 8, Count -= 8) Crc = Crc16Step8(Crc, Data);
    for (size_t i = 0; i < Count; ++i)
        Crc = static_cast<uint16_t>(kCrc16[0][(Crc >> 8) ^ Data[i]] ^ (Crc << 8));
    return Crc;
}

} // namespace dstruct_kernels

// ---- Public routines -------------------------------------------------------------------------------

uint16_t CalcNextCRC16(uint8_t B, uint16_t CRC) {
    return static_cast<uint16_t>(kCrc16[0][(CRC >> 8) ^ B] ^ (CRC << 8));
}

uint16_t CRC16ofBuffer(const TBytes& Buffer, int Count, TCRC16Mode Mode) {
    const uint16_t start = Mode == crcCCITT ? 0xFFFF : 0;
    return dstruct_kernels::Crc16Update(start, Buffer.data(), ClampCount(Buffer, Count));
}

uint32_t CalcNextCRC32(uint8_t B, uint32_t CRC) {
    return kCrc32[0][(CRC ^ B) & 0xFF] ^ (CRC >> 8);
}

uint32_t CRC32ofBuffer(const TBytes& Buffer, int Count) {
    return ~Crc32Fn()(0xFFFFFFFFu, Buffer.data(), ClampCount(Buffer, Count));
}

uint32_t CalcCRC32ofFile(const std::string& FileName) {
    const int h = FileOpen(FileName, fmOpenRead | fmShareDenyWrite);
    if (h < 0) return 0;
    std::vector<uint8_t> buf(64 * 1024);
    uint32_t crc = 0xFFFFFFFFu;
    for (;;) {
        const int n = FileRead(h, buf.data(), static_cast<int>(buf.size()));
        if (n < 0) {
            FileClose(h);
            return 0;
        }
        if (n == 0) break;
        crc = Crc32Fn()(crc, buf.data(), static_cast<size_t>(n));
    }
    FileClose(h);
    return ~crc;
}

} // namespace qyx
