// QYX_dstruct: general data structures, codecs and checksums.
//
// Sections of this unit:
//   1. Error class
//   2. Bit and byte containers: TBitFld, TByteMatrix, TFifo and the logic operations
//   3. Codecs and checksums: run-length coder, CRC-16, CRC-32, SHA-1, ASCII85, combinations and
//      permutations, nearest array value
//
// Every class here is used from one thread at a time. Index arguments out of range are never errors:
// reads give empty results and writes are ignored, as each routine says.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/Object.h>
#include <qyx/platform/TextFile.h>

namespace qyx {

class TStream;

// ================================================================================================
// 1. Error class
// ================================================================================================

/// Errors raised by this unit.
class EQYXDStructError : public EQYXError {
public:
    using EQYXError::EQYXError;
};

// ================================================================================================
// 2. Bit and byte containers
// ================================================================================================

/// How CombineWith merges a byte x of this object with the byte y of the other one: x and y, x or y,
/// x xor y, x and not y, x or not y, x xor not y.
enum TLogicOp : uint8_t { loAND, loOR, loXOR, loANDNot, loORNot, loXORNot };

/// A set of bits numbered 0..Size (Size + 1 bits), bit b in byte b div 8 with weight 2^(b mod 8).
class TBitFld : public TComponent {
public:
    /// Size 1000, all bits clear. Raises EQYXDStructError (component form) "not enough memory on heap"
    /// when the store cannot be had.
    explicit TBitFld(TComponent* AOwner);

    /// The highest valid bit number.
    int GetSize() const { return FSize; }
    /// A new highest bit number; values <= 0 and the current one are ignored. Bits kept keep their
    /// state and bits added are clear. Raises as the constructor when the store cannot be had.
    void SetSize(int Value);

    /// Clears every bit.
    void Clear();
    /// Sets or clears bit Bit; ignored out of 0..Size.
    void SetBit(int Bit, bool State);
    /// Inverts bit Bit; ignored out of 0..Size.
    void ToggleBit(int Bit);
    /// The state of bit Bit; false out of 0..Size.
    bool GetBit(int Bit) const;
    /// Number of set bits among 0..Size.
    int CountTrueBits() const;
    /// The smallest set bit number, or -1 when none is set.
    int FirstTrueBit() const;
    /// Inverts every bit.
    void Invert();
    /// Merges Other into this field byte by byte; nothing happens when Other is null or of another Size.
    void CombineWith(const TBitFld* Other, TLogicOp Op);
    /// Sets round(Percentage / 100 x Size) randomly chosen bits (one more when that is above half the
    /// field, so 100 sets all Size + 1 bits), using the platform's random generator. Percentages are
    /// limited to 0..100 (NaN counts as 0).
    void RandomFill(double Percentage);

private:
    int StoreBytes() const { return FSize / 8 + 2; }

    int FSize = 1000;
    std::vector<uint8_t> FBits;
};

/// A matrix of bytes, columns 1..NrOfColumns and rows 1..NrOfRows, with bit access (bit 0 the least
/// significant). OnChange follows Resize, Fill, SetByte, SetBit and ToggleBit.
class TByteMatrix : public TComponent {
public:
    /// A 1 x 1 matrix holding 0. Raises EQYXDStructError (component form) "not enough memory on heap"
    /// when the cells cannot be had.
    explicit TByteMatrix(TComponent* AOwner);

    int GetNrOfColumns() const { return FCols; }
    int GetNrOfRows() const { return FRows; }
    /// Values below 1 count as 1; then Resize with the other dimension unchanged.
    void SetNrCols(int Value);
    void SetNrRows(int Value);
    void SetNrOfColumns(int Value) { SetNrCols(Value); }
    void SetNrOfRows(int Value) { SetNrRows(Value); }

    /// False, nothing changed, when both sizes equal the current ones or either is <= 0. Otherwise
    /// cells inside both sizes keep their values, new cells are 0, OnChange fires and the result is
    /// true. Raises as the constructor when the cells cannot be had (the matrix is then unchanged).
    bool Resize(int NewCols, int NewRows);
    /// Every cell := Value.
    void Fill(uint8_t Value);
    /// Ignored out of range.
    void SetByte(int Col, int Row, uint8_t Value);
    /// 0 out of range.
    uint8_t GetByte(int Col, int Row) const;
    /// Sets or clears bit Bit (0..7) of a cell; ignored when anything is out of range.
    void SetBit(int Col, int Row, int Bit, bool State);
    void ToggleBit(int Col, int Row, int Bit);
    /// False when the cell or the bit number is out of range.
    bool GetBit(int Col, int Row, int Bit) const;
    /// Merges Other into this matrix cell by cell; nothing happens when Other is null or of other
    /// dimensions. Fires no OnChange.
    void CombineWith(const TByteMatrix* Other, TLogicOp Op);

    TNotifyEvent OnChange;

private:
    bool InRange(int Col, int Row) const { return Col >= 1 && Col <= FCols && Row >= 1 && Row <= FRows; }
    uint8_t& Cell(int Col, int Row) {
        return FCells[static_cast<size_t>(Col - 1) * static_cast<size_t>(FRows) +
                      static_cast<size_t>(Row - 1)];
    }
    void Changed();

    int FCols = 1;
    int FRows = 1;
    std::vector<uint8_t> FCells; // by column, then row
};

/// A first-in first-out ring of Size bytes; it holds at most Size - 1 bytes.
class TFifo : public TComponent {
public:
    /// Size 256, empty. Raises EQYXDStructError (component form) "FIFO structure too large" when the
    /// ring cannot be had.
    explicit TFifo(TComponent* AOwner);

    int GetSize() const { return static_cast<int>(FRing.size()); }
    /// A new ring length; values <= 0 and the current one are ignored. The newest bytes that fit stay
    /// stored, in order. Raises as the constructor when the ring cannot be had.
    void SetSize(int Value);

    /// Stores B; false, nothing stored, when the FIFO is full.
    bool PutByte(uint8_t B);
    /// Stores B, first dropping the oldest byte when full; true when a byte was dropped.
    bool ForceByte(uint8_t B);
    /// Puts B back in front of the oldest byte; true, or false (nothing changed) when full.
    bool LoadBack(uint8_t B);
    /// Takes the oldest byte; false when empty.
    bool GetByte(uint8_t& B);
    /// The byte Index places after the oldest one (0 = oldest) without taking it; false when there is
    /// no such byte.
    bool SenseByte(int Index, uint8_t& B) const;
    /// Empties the FIFO.
    void Clear();
    /// Number of stored bytes.
    int CountBytes() const;

private:
    std::vector<uint8_t> FRing;
    int FWrite = 0;
    int FRead = 0;
};

// ================================================================================================
// 3. Codecs and checksums
// ================================================================================================

/// Run-length coder. A run record is three bytes: the marker $A5, a count 0..255 and the byte value,
/// standing for count copies of the value; any other byte stands for itself. Runs of 3 or more equal
/// bytes, and every run of the marker byte, become records; the end of the data is one final record
/// holding the pending run (count 0, 1 or 2 allowed). Results are handed out in blocks of BufLeng
/// bytes; the output buffer starts at 4 x BufLeng bytes and grows when a call needs more, so no data
/// is ever dropped. Do not mix encoding and decoding without Reset.
class TRLEncoder : public TComponent {
public:
    /// The byte that introduces a run record.
    static constexpr uint8_t Marker = 0xA5;

    explicit TRLEncoder(TComponent* AOwner);

    int GetBufLeng() const { return FBufLeng; }
    /// A new block size (values below 1 are ignored); bytes not yet fetched are kept.
    void SetBufLeng(int Value);

    /// Encodes the first NumBytes bytes of Data (at most Data.size()); true when at least BufLeng
    /// bytes are ready for GetResult.
    bool Encode(std::span<const uint8_t> Data, int NumBytes);
    /// Decodes one byte of coded data; true when at least BufLeng bytes are ready.
    bool Decode(uint8_t B);
    /// Decodes a block of coded data; true when at least BufLeng bytes are ready.
    bool Decode(std::span<const uint8_t> Data);
    /// When at least BufLeng bytes are ready, moves the first BufLeng of them (at most Dest.size())
    /// to Dest; otherwise does nothing.
    void GetResult(std::span<uint8_t> Dest);
    /// Ends encoding: appends the final record (marker, run count, run byte), then hands out up to
    /// BufLeng bytes (at most Dest.size()) and returns their number.
    int Finish(std::span<uint8_t> Dest);
    /// Hands out up to BufLeng of the bytes not yet fetched (at most Dest.size()) without ending a run
    /// and returns their number: fetches the rest of decoded data, or of encoded data after Finish.
    int FetchRest(std::span<uint8_t> Dest);
    /// Number of bytes not yet fetched.
    int GetFillCount() const { return static_cast<int>(FFill); }
    /// Forgets pending bytes, the pending run and the decoder state.
    void Reset();

private:
    void Put(uint8_t B);
    void PutRecord(uint8_t Count, uint8_t Value);
    void Reserve(size_t Extra);
    int HandOut(std::span<uint8_t> Dest, size_t Count);

    int FBufLeng = 256;
    std::vector<uint8_t> FBuf;
    size_t FFill = 0;
    uint8_t FRunCount = 0;
    uint8_t FRunByte = 0;
    uint8_t FDecState = 0;
};

/// CRC-16 start values: crcZModem starts from 0 (CRC-16/XMODEM), crcCCITT from $FFFF
/// (CRC-16/CCITT-FALSE).
enum TCRC16Mode : uint8_t { crcZModem, crcCCITT };

/// One step of the CRC-16 with polynomial $1021, most significant bit first.
uint16_t CalcNextCRC16(uint8_t B, uint16_t CRC);
/// The CRC-16 of the first Count bytes of Buffer (Count limited to 0..size), without final inversion.
uint16_t CRC16ofBuffer(const TBytes& Buffer, int Count, TCRC16Mode Mode);
/// One step of the reflected CRC-32 (polynomial $EDB88320), without start value or final inversion.
uint32_t CalcNextCRC32(uint8_t B, uint32_t CRC);
/// The standard CRC-32 (start $FFFFFFFF, final inversion) of the first Count bytes of Buffer.
uint32_t CRC32ofBuffer(const TBytes& Buffer, int Count);
/// The standard CRC-32 of a whole file, opened for reading only; 0 when it cannot be opened or read.
uint32_t CalcCRC32ofFile(const std::string& FileName);

/// A SHA-1 digest: the five state words, each most significant byte first.
using TSHA1Digest = std::array<uint8_t, 20>;

/// SHA-1 (FIPS 180-1) of the bytes of S.
TSHA1Digest SHA1FromString(const std::string& S);
/// SHA-1 of the bytes of Stream from its current position to the end.
TSHA1Digest SHA1FromStream(TStream* Stream);
/// SHA-1 of a file; the file error of the run-time layer passes when it cannot be opened.
TSHA1Digest SHA1FromFile(const std::string& FileName);
/// The 40 upper-case hexadecimal digits of the digest, high digit of each byte first.
std::string SHA1DigestToHex(const TSHA1Digest& Digest);

/// Writes the bytes of Source (from its position to the end) to Dest in ASCII85: groups of four bytes
/// as five characters "!".."u", four zero bytes as "z", a last group of n < 4 bytes as the n + 1
/// digits of its unpadded value; then "~>". No line breaks.
void EncodeASCII85(TStream* Source, TStream* Dest);
/// Decodes ASCII85 text from Source into Dest; CR and LF are skipped, "~" ends the data (Source is
/// left behind the "~" and a ">" after it). Returns 0 when every character was valid, otherwise -1
/// (a character outside "!".."u") or -2 (a "z" inside a group), the last one found; decoding goes on
/// regardless, so Dest receives a byte group for every group of the text.
int DecodeASCII85(TStream* Source, TStream* Dest);

/// Steps Comb to the next combination in lexicographic order: Comb[0] holds k, Comb[1..k] a strictly
/// increasing choice of k numbers out of 1..N (N above 255 counts as 255). False, Comb unchanged,
/// after the last one, or when k is 0 or Comb has fewer than k + 1 places.
bool NextCombination(std::span<uint8_t> Comb, int N);
/// Steps Perm to the next permutation: Perm[0] holds n, Perm[1..n] a permutation of 1..n; from
/// 1 2 3 the order is 2 1 3, 2 3 1, 1 3 2, 3 1 2, 3 2 1 (every one of the n! once). False after the
/// last one, or when Perm has fewer than n + 1 places or does not hold a permutation of 1..n.
bool NextPermutation(std::span<uint8_t> Perm);

/// The 0-based index of the element nearest to X (the first on ties), or -1 for an empty array.
int IndexOfNearestArrayValue(double X, std::span<const double> Values);
int IndexOfNearestArrayValue(int X, std::span<const int> Values);

} // namespace qyx
