// QYX_dstruct: general data structures, codecs and checksums.
//
// Sections of this unit:
//   1. Error class
//   2. String array: TStringArray
//   3. Associative array: TAssocArray
//   4. Bit and byte containers: TBitFld, TByteMatrix, TFifo and the logic operations
//   5. Codecs and checksums: run-length coder, CRC-16, CRC-32, SHA-1, ASCII85, combinations and
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
#include <qyx/platform/Variant.h>

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
// 2. String array
// ================================================================================================

/// Lets a handler replace a text by the key it is sorted by: OutString comes preset with InString.
using TBeforeSortExchgEvent =
    std::function<void(TObject* Sender, const std::string& InString, std::string& OutString)>;

/// A table of short strings (at most 255 characters; longer texts are cut), columns 0..NrOfColumns
/// and rows 1..NrOfRows, with one attribute byte per row and per column 1..NrOfColumns that the array
/// never interprets. Texts live in pages of 32768 bytes (a length byte, then the characters), so a
/// table of many small cells costs few allocations; overwritten texts leave holes until
/// GarbageCollection or Clear. Sorting only permutes the row order (the sort order): every operation
/// that takes a row means the displayed row, and a row's attribute moves with its row. A table holds
/// at most MaxCells cells (NrOfColumns + 1 times the row capacity).
class TStringArray : public TComponent {
public:
    /// Size of a text page in bytes.
    static constexpr int PageSize = 32768;
    /// Largest number of cells (columns 0..NrOfColumns times the row capacity).
    static constexpr int64_t MaxCells = int64_t(1) << 26;

    /// One column besides column 0, one row, row capacity 10, one empty page. Raises EQYXDStructError
    /// "Class TStringArray: failed to initialize (out of memory)" when the storage cannot be had.
    explicit TStringArray(TComponent* AOwner);

    int GetNrOfColumns() const { return FCols; }
    int GetNrOfRows() const { return FRows; }
    int GetAllocRowsBy() const { return FAllocRowsBy; }
    /// Resize with the other dimension unchanged.
    void SetNrCols(int Value) { Resize(Value, FRows); }
    void SetNrRows(int Value) { Resize(FCols, Value); }
    void SetNrOfColumns(int Value) { SetNrCols(Value); }
    void SetNrOfRows(int Value) { SetNrRows(Value); }
    /// The step in which the row capacity grows; values below 1 count as 1 when it grows.
    void SetAllocRowsBy(int Value) { FAllocRowsBy = Value; }

    /// The cell's text; empty for an empty cell or an index out of range.
    std::string GetString(int ACol, int ARow) const;
    /// Stores S (cut to 255 characters), over the old text when that is at least as long, and fires
    /// OnChange; ignored out of range. Raises EQYXDStructError "Class TStringArray: out of string
    /// storage" when all 65535 pages are full.
    void SetString(int ACol, int ARow, const std::string& S);
    /// The text as a number: blanks around it removed, "," read as ".", empty gives 0. Raises
    /// EQYXDStructError "Class TStringArray: invalid numeric string: [<col>,<row>]: <text>" otherwise.
    double GetAsNumber(int ACol, int ARow) const;
    /// Row attributes: 0 out of range; a write fires OnChange, out of range it is ignored.
    uint8_t GetRowAttrib(int ARow) const;
    void SetRowAttrib(int ARow, uint8_t Value);
    /// Column attributes of columns 1..NrOfColumns (column 0 has none and reads 0).
    uint8_t GetColAttrib(int ACol) const;
    void SetColAttrib(int ACol, uint8_t Value);
    /// The physical row shown at ARow; -1 out of range.
    int GetSortOrder(int ARow) const;
    /// Shows physical row PhysRow at ARow when both lie in 1..NrOfRows. No OnChange and no check that
    /// the order stays a permutation.
    void SetSortOrder(int ARow, int PhysRow);

    /// New sizes. True without further effect when they equal the current ones; false, nothing
    /// changed, when either is <= 0 or the storage cannot be had. Otherwise cells and attributes of
    /// physical rows and columns that remain are kept, new ones are empty and 0, the sort order
    /// becomes the identity, OnChange fires and the result is true.
    bool Resize(int NewCols, int NewRows);
    /// SetNrRows(NrOfRows + 1); the resulting NrOfRows.
    int AddRow();
    /// Inserts an empty row with attribute 0 at displayed row ARow (1..NrOfRows, otherwise nothing);
    /// the rows shown from there move down. Raises EQYXDStructError "Class TStringArray: out of
    /// memory" when the storage cannot be had.
    void InsertRow(int ARow);
    /// Removes displayed row ARow (1..NrOfRows, otherwise nothing); the last remaining row is emptied
    /// instead.
    void RemoveRow(int ARow);
    /// Empties every cell, zeroes every attribute, drops the sort order and frees the pages but one.
    /// Sizes stay; no OnChange.
    void Clear();
    /// Empty S: Clear. Otherwise SetString(S) into every cell.
    void Fill(const std::string& S);
    /// True when every cell of the column is empty or blanks only.
    bool ColumnEmpty(int ACol) const;
    /// True when the cells of columns 1..NrOfColumns of the row are empty or blanks only.
    bool RowEmpty(int ARow) const;

    /// The first cell, column by column from ColLow and row by row from RowLow, that contains
    /// SearchStr (FindCell) or equals it (FindCellExact), letter case ignored unless MatchCase. -1 for
    /// ColLow or ColHigh means all columns, -1 for both RowLow and RowHigh all rows; ranges are
    /// clamped and put in order. True with Col and Row set, or false with both unchanged.
    bool FindCell(const std::string& SearchStr, bool MatchCase, int ColLow, int ColHigh, int RowLow,
                  int RowHigh, int& Col, int& Row) const;
    bool FindCellExact(const std::string& SearchStr, bool MatchCase, int ColLow, int ColHigh, int RowLow,
                       int RowHigh, int& Col, int& Row) const;
    bool FindCellIntern(const std::string& SearchStr, bool MatchCase, int ColLow, int ColHigh, int RowLow,
                        int RowHigh, int& Col, int& Row, bool Exact) const;
    /// Binary search for SearchStr in column ACol between RowLow and RowHigh (both -1: all rows), the
    /// column being sorted ascending or descending by byte order (lower-cased unless MatchCase). On a
    /// hit Row is the first of a run of equal cells and the result true; otherwise Row is the last row
    /// examined.
    bool FindCellInSortedColumn(const std::string& SearchStr, bool MatchCase, int ACol, int RowLow,
                                int RowHigh, bool Ascending, int& Row) const;

    /// Comb sort (shrink factor 1.3) of the row order by the texts of column ACol, compared byte by
    /// byte with A..Z folded to a..z, after OnBeforeSortExchange has seen each text. OnPercentDone
    /// gets 0 first, the work done after each pass (possibly above 100) and 100 last; OnChange fires
    /// after sorting. Not stable. A handler that changes the array ends the sort: OnPercentDone after
    /// the pass it reports, OnBeforeSortExchange at the comparison it serves, without an exchange.
    void Sort(int ACol, bool Ascending);
    /// The sort order back to the identity, then OnChange.
    void UnSort();
    /// Makes the displayed order the physical order (moves cell references and row attributes, no
    /// texts); no OnChange.
    void CommitSorting();
    /// Compacts every page, removing the holes left by overwritten and removed texts; no OnChange.
    void GarbageCollection();

    /// OutString := InString, then OnBeforeSortExchange when assigned.
    void BeforeSortExchange(const std::string& InString, std::string& OutString);
    /// Calls OnChange when assigned.
    void Changed();

    /// Writes the array as an XML envelope with root element "stringarray" at the current position of
    /// F (header line only when CreateHeader).
    void WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const std::string& DataID);
    /// Reads the array DataID from F forward. True when it was read completely (the array then holds
    /// it and OnChange fires); false, the array unchanged, when it was not found or is damaged.
    bool ReadFromOpenXMLFile(TextFile& F, const std::string& DataID);
    /// Creates FileName and writes the array with header; file errors raise EInOutError.
    void SaveAsXMLFile(const std::string& FileName, const std::string& DataID);
    /// False when FileName cannot be opened; otherwise ReadFromOpenXMLFile.
    bool LoadFromXMLFile(const std::string& FileName, const std::string& DataID);
    /// The same envelope on a stream, from and at its current position.
    void WriteToXMLStream(TStream* Stream, bool CreateHeader, const std::string& DataID);
    bool ReadFromXMLStream(TStream* Stream, const std::string& DataID);

    /// The storage as it stands: pages in use (1..65535), the 1-based first free offset of page
    /// Page (1-based; 0 out of range), the row capacity, and the reference of a cell (0 for an
    /// empty cell or out of range, else page << 16 | offset).
    int GetPageCount() const { return static_cast<int>(FUsage.size()); }
    int GetPageUsage(int Page) const;
    int GetRowCapacity() const { return FCapacity; }
    uint32_t GetCellReference(int ACol, int ARow) const;

    TNotifyEvent OnChange;
    TOnPercentDoneEvent OnPercentDone;
    TBeforeSortExchgEvent OnBeforeSortExchange;

private:
    struct TXmlContent;
    uint32_t& Ref(int ACol, int PhysRow) {
        return FRefs[static_cast<size_t>(ACol) * static_cast<size_t>(FCapacity) +
                     static_cast<size_t>(PhysRow - 1)];
    }
    uint32_t Ref(int ACol, int PhysRow) const {
        return FRefs[static_cast<size_t>(ACol) * static_cast<size_t>(FCapacity) +
                     static_cast<size_t>(PhysRow - 1)];
    }
    const uint8_t* TextAt(uint32_t Reference) const;
    std::string_view CellText(int ACol, int PhysRow) const;
    int Phys(int ARow) const { return FSortOrder[static_cast<size_t>(ARow - 1)]; }
    int CapacityFor(int Rows) const;
    bool Reallocate(int NewCols, int NewCapacity);
    uint32_t Store(std::string_view S);
    int FindPage(int Length) const;
    void SetUsage(int PageIndex, int Usage);
    void RebuildFreeTree();
    void ResetPages();
    void SortFolded(int ACol, bool Ascending, int64_t Estimate);
    void SortWithHandler(int ACol, bool Ascending, int64_t Estimate);
    bool PassDone(int64_t Count, int64_t Estimate, uint64_t Generation);
    bool ApplyXml(const TXmlContent& X);
    void SwapContent(TStringArray& Other);

    int FCols = 1;
    int FRows = 1;
    int FAllocRowsBy = 10;
    int FCapacity = 10;
    std::vector<uint32_t> FRefs;   ///< column-major, FCapacity per column 0..FCols
    std::vector<int> FSortOrder;   ///< physical row of each displayed row, FCapacity entries
    std::vector<uint8_t> FRowAttr; ///< per physical row
    std::vector<uint8_t> FColAttr; ///< per column 1..FCols
    std::vector<std::vector<uint8_t>> FPages;
    std::vector<int> FUsage;    ///< 1-based first free offset per page
    std::vector<int> FFreeTree; ///< maximum free bytes over page ranges, for first-fit placement
    uint64_t FGeneration = 0;   ///< counts changes, so a sort notices handlers that change the array
};

// ================================================================================================
// 3. Associative array
// ================================================================================================

/// A small dictionary from string keys to variants, kept in insertion order in two parallel arrays
/// and searched linearly; meant for modest numbers of entries. Keys compare without regard to ASCII
/// letter case while IgnoreCase is true (they are then stored lower-cased). Indices count from 1.
class TAssocArray : public TComponent {
public:
    /// Empty, with room for Granularity (1024) entries, IgnoreCase true, DataID empty.
    explicit TAssocArray(TComponent* AOwner);

    /// Places added when the arrays grow (at least 1 is added), and their length after Clear.
    int GetGranularity() const { return FGranularity; }
    void SetGranularity(int Value) { FGranularity = Value; }
    bool GetIgnoreCase() const { return FIgnoreCase; }
    void SetIgnoreCase(bool Value) { FIgnoreCase = Value; }
    const std::string& GetDataID() const { return FDataID; }
    void SetDataID(const std::string& Value) { FDataID = Value; }

    /// Replaces the value of Key, or appends Key (lower-cased under IgnoreCase) with a copy of Value.
    void Add(const std::string& Key, const TVariant& Value);
    /// Removes Key; the former last entry takes its place. False when Key is not present.
    bool Remove(const std::string& Key);
    /// A copy of the value of Key, or null when Key is not present.
    TVariant Resolve(const std::string& Key) const;
    /// The value as text (VarToStr); empty when Key is not present or its value is null.
    std::string ResolveAsString(const std::string& Key) const;
    /// Integers, reals and currency as their value; a string read as a real number from its first
    /// character ("." or "," as decimal separator; 0 when it does not begin with a number); 0 for
    /// anything else and for a missing key.
    double ResolveAsNumber(const std::string& Key) const;
    /// Removes every entry; the arrays get Granularity places.
    void Clear();

    /// The key of entry Index (1..NumEntries); empty outside.
    std::string GetKeys(int Index) const;
    /// Replaces the key of entry Index as given (no folding, no test for duplicates); ignored outside.
    void SetKeys(int Index, const std::string& Key);
    /// The value of entry Index; outside 1..NumEntries a string variant holding "".
    TVariant GetValues(int Index) const;
    /// Replaces the value of entry Index; ignored outside.
    void SetValues(int Index, const TVariant& Value);
    int GetNumEntries() const { return FCount; }
    int NumEntries() const { return FCount; }
    /// The length of the two arrays (at least NumEntries).
    int GetCapacity() const { return static_cast<int>(FKeys.size()); }

    /// Writes the entries as an XML envelope with root element "assocarray" at the stream's position
    /// (header line only when CreateHeader).
    void WriteToXMLStream(TStream* Stream, bool CreateHeader, const std::string& DataID);
    /// Reads the entries DataID from the stream forward and puts them in place of the present ones
    /// (added as Add does). False, the array unchanged, when they are not found or damaged.
    bool ReadFromXMLStream(TStream* Stream, const std::string& DataID);
    /// Adds every attribute of an attribute text such as `a="1 2" b=3` as a string entry (the walk
    /// of ScanForXMLAttrib; it stops at a syntax error).
    void AddXMLAttributes(const std::string& Attributes);

private:
    int IndexOf(const std::string& Key) const;

    int FCount = 0;
    std::vector<TVariant> FValues;
    std::vector<std::string> FKeys;
    int FGranularity = 1024;
    bool FIgnoreCase = true;
    std::string FDataID;
};

// ================================================================================================
// 4. Bit and byte containers
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
// 5. Codecs and checksums
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
    size_t FHead = 0; ///< the bytes not yet fetched are FBuf[FHead, FHead + FFill)
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
