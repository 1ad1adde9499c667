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
    const auto& t = kCrc32;
    while (Count >= 16) {
        const uint32_t a = LoadLE32(Data) ^ Crc, b = LoadLE32(Data + 4), c = LoadLE32(Data + 8),
                       d = LoadLE32(Data + 12);
        Crc = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
              t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
              t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
              t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
        Data += 16;
        Count -= 16;
    }
    return Crc32Bytewise(Crc, Data, Count);
}

uint32_t Crc32Update(uint32_t Crc, const uint8_t* Data, size_t Count) {
    return Crc32Fn()(Crc, Data, Count);
}

uint16_t Crc16Update(uint16_t Crc, const uint8_t* Data, size_t Count) {
    const auto& t = kCrc16;
    while (Count >= 8) {
        // The register meets the first two bytes; each byte then contributes through the slice of the
        // number of bytes that follow it in the group.
        const uint64_t x = LoadBE64(Data) ^ (static_cast<uint64_t>(Crc) << 48);
        Crc = static_cast<uint16_t>(t[7][x >> 56] ^ t[6][(x >> 48) & 0xFF] ^ t[5][(x >> 40) & 0xFF] ^
                                    t[4][(x >> 32) & 0xFF] ^ t[3][(x >> 24) & 0xFF] ^ t[2][(x >> 16) & 0xFF] ^
                                    t[1][(x >> 8) & 0xFF] ^ t[0][x & 0xFF]);
        Data += 8;
        Count -= 8;
    }
    for (size_t i = 0; i < Count; ++i) Crc = static_cast<uint16_t>(t[0][(Crc >> 8) ^ Data[i]] ^ (Crc << 8));
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
