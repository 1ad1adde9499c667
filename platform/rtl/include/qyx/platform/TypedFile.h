// Typed and untyped files: files of fixed-size records addressed by record number.
//
// A TypedFile has a record size: FileOf<T> holds records of sizeof(T) bytes (T trivially copyable,
// stored as its bytes in memory order, which is little-endian on the supported targets), an
// UntypedFile has records of 128 bytes unless Reset or Rewrite name another size (1 for byte files).
// Sizes and positions count records. Reset opens an existing file as FileMode says; Rewrite creates
// or empties one and opens it for reading and writing.
//
// Errors raise EInOutError as text files do (see TextFile.h, also for the result-code mode
// TIOChecksOff/IOResult): a record read at the end of the file and a short BlockRead without a result
// count are 100 "Disk read error", a failed or short write 101 "Disk write error", a read from a file
// opened write-only 104, a write to one opened read-only 105, a negative record number 25
// "Seek error". A file marked read-only cannot be opened for writing (code 5).
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include <qyx/platform/TextFile.h>

namespace qyx {

/// How Reset opens typed and untyped files: 0 read-only, 1 write-only, 2 read and write (default).
/// Process-wide.
extern int FileMode;

/// A file of records of RecSize bytes. Closed on destruction; not copyable.
class TypedFile {
public:
    explicit TypedFile(int ARecSize) : FRecSize(ARecSize > 0 ? ARecSize : 1) {}
    ~TypedFile();
    TypedFile(const TypedFile&) = delete;
    TypedFile& operator=(const TypedFile&) = delete;

    int GetRecSize() const { return FRecSize; }
    const std::string& GetFileName() const { return FName; }
    bool IsOpen() const { return FHandle >= 0; }

private:
    friend class TypedFileIO;
    std::string FName;
    bool FAssigned = false;
    int FHandle = -1;
    int FRecSize;
    bool FCanRead = false;
    bool FCanWrite = false;
};

/// A file of records of type T ("file of T").
template <class T> class FileOf : public TypedFile {
    static_assert(std::is_trivially_copyable_v<T>, "records are stored as their bytes");

public:
    FileOf() : TypedFile(static_cast<int>(sizeof(T))) {}
};

/// An untyped file: records of 128 bytes unless Reset or Rewrite say otherwise.
class UntypedFile : public TypedFile {
public:
    UntypedFile() : TypedFile(128) {}
};

/// Gives F a file name (closing F first when it is open). An empty name leaves F unassigned.
void AssignFile(TypedFile& F, const std::string& FileName);
/// Opens the existing file as FileMode says, at record 0 (an open F is closed first).
void Reset(TypedFile& F);
/// Reset with a record size of RecSize bytes.
void Reset(UntypedFile& F, int RecSize);
/// Creates the file (emptying an existing one), open for reading and writing.
void Rewrite(TypedFile& F);
/// Rewrite with a record size of RecSize bytes.
void Rewrite(UntypedFile& F, int RecSize);
/// Reset that reports failure as false (and the code in *ErrorCode) instead of raising.
bool TryReset(TypedFile& F, int* ErrorCode = nullptr);
/// Closes the file; code 103 when it is not open.
void CloseFile(TypedFile& F);

/// The number of whole records in the file.
int64_t FileSize(TypedFile& F);
/// The current record number.
int64_t FilePos(TypedFile& F);
/// Moves to record N (the end and beyond are allowed; a write there extends the file).
void Seek(TypedFile& F, int64_t N);
/// True when the position is at or after the last whole record.
bool Eof(TypedFile& F);
/// Cuts the file at the current position.
void Truncate(TypedFile& F);

/// Reads one record into Rec (RecSize bytes) and moves to the next one.
void ReadRecord(TypedFile& F, void* Rec);
/// Writes one record from Rec (RecSize bytes) and moves to the next one.
void WriteRecord(TypedFile& F, const void* Rec);
template <class T> void Read(FileOf<T>& F, T& Rec) {
    ReadRecord(F, &Rec);
}
template <class T> void Write(FileOf<T>& F, const T& Rec) {
    WriteRecord(F, &Rec);
}

/// Reads Count records into Buf; a file that holds fewer raises 100. The position moves past what was
/// read.
void BlockRead(TypedFile& F, void* Buf, int Count);
/// Reads up to Count records into Buf; Result is the number of whole records read.
void BlockRead(TypedFile& F, void* Buf, int Count, int& Result);
/// Writes Count records from Buf; a short write raises 101.
void BlockWrite(TypedFile& F, const void* Buf, int Count);
/// Writes up to Count records; Result is the number written.
void BlockWrite(TypedFile& F, const void* Buf, int Count, int& Result);

} // namespace qyx
