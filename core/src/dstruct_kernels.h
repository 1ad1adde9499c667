// Checksum and digest kernels behind the public routines of QYX_dstruct, one per processor path.
// The public routines dispatch to the fastest path the processor offers; tests and benchmarks call
// every path directly to compare it with the references.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qyx::dstruct_kernels {

// ---- CRC-32 (reflected, polynomial $EDB88320) ----------------------------------------------------
// Crc is the running register: start with $FFFFFFFF and invert the final value for the standard CRC.

/// Byte-wise table steps over Count bytes.
uint32_t Crc32Bytewise(uint32_t Crc, const uint8_t* Data, size_t Count);
/// The portable path: slicing by 16 bytes, in four lanes side by side on long data.
uint32_t Crc32Portable(uint32_t Crc, const uint8_t* Data, size_t Count);
/// Carry-less multiplication folding; only when HavePclmul() is true.
uint32_t Crc32Pclmul(uint32_t Crc, const uint8_t* Data, size_t Count);
/// True when the processor has PCLMULQDQ and SSE4.1.
bool HavePclmul();
/// The fastest path available.
uint32_t Crc32Update(uint32_t Crc, const uint8_t* Data, size_t Count);

// ---- CRC-16 (polynomial $1021, most significant bit first) ---------------------------------------

/// Four lanes sliced by 8 bytes on long data, slicing by 8 bytes on the rest.
uint16_t Crc16Update(uint16_t Crc, const uint8_t* Data, size_t Count);

// ---- SHA-1 -----------------------------------------------------------------------------------------

/// Processes Blocks blocks of 64 bytes into State (five words A..E).
void Sha1BlocksPortable(uint32_t State[5], const uint8_t* Data, size_t Blocks);
/// The same with the SHA extensions; only when HaveShaNi() is true.
void Sha1BlocksShaNi(uint32_t State[5], const uint8_t* Data, size_t Blocks);
/// True when the processor has the SHA extensions, SSSE3 and SSE4.1.
bool HaveShaNi();

/// Incremental SHA-1 on a chosen block routine (the fastest one by default).
class TSha1 {
public:
    using TBlocks = void (*)(uint32_t State[5], const uint8_t* Data, size_t Blocks);
    TSha1();
    explicit TSha1(TBlocks Blocks);
    void Update(const void* Data, size_t Count);
    /// Pads, processes the last blocks and writes the 20-byte digest.
    void Final(uint8_t Digest[20]);

private:
    TBlocks FBlocks;
    uint32_t FState[5];
    uint64_t FLength = 0;
    uint8_t FBuf[64];
    size_t FBufFill = 0;
};

} // namespace qyx::dstruct_kernels
