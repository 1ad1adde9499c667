// The file layer of the geo database: whole-file reads and positioned reads and writes (pread and
// pwrite on the platform's handles, which are file descriptors). Failures raise EInOutError with the run-time
// codes (2 file not found, 5 access denied, 100 read error, 101 write error, 1000 + errno otherwise).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qyx::geodb {

/// Called before every change of a file: a write (Data and Count > 0 bytes at Offset), the creation or
/// emptying of a file (Data null, Count 0) and a truncation to Offset (Data null, Count -1). Tests use
/// it to copy the files between writes or to make a change fail by throwing.
using TWriteHook =
    std::function<void(const std::string& FileName, int64_t Offset, const void* Data, int Count)>;
void SetWriteHook(TWriteHook Hook);

/// An open file; closed when the object goes.
class TGdbFile {
public:
    /// Opens an existing file (ReadOnly or for reading and writing); false when it cannot be opened.
    bool Open(const std::string& FileName, bool ReadOnly);
    /// Opens an existing file or raises EInOutError.
    void OpenOrRaise(const std::string& FileName, bool ReadOnly);
    /// Creates (or empties) a file; raises EInOutError on failure.
    void Create(const std::string& FileName);
    ~TGdbFile();
    TGdbFile() = default;
    TGdbFile(const TGdbFile&) = delete;
    TGdbFile& operator=(const TGdbFile&) = delete;

    bool IsOpen() const { return FHandle >= 0; }
    int64_t Size() const;
    /// Reads exactly Count bytes at Offset or raises EInOutError 100.
    void ReadAt(int64_t Offset, void* Buffer, int64_t Count) const;
    /// Writes Count bytes at Offset or raises EInOutError 101.
    void WriteAt(int64_t Offset, const void* Buffer, int64_t Count);
    /// Writes Count bytes at Offset through a shared memory mapping of the file's first Count + Offset
    /// bytes (made on first use, which must lie within the file): no system call, and the bytes are in
    /// the file as far as other readers and a crash of this process are concerned. Falls back to WriteAt.
    void WriteMapped(int64_t Offset, const void* Buffer, int64_t Count);
    /// Cuts the file to Size bytes.
    void Truncate(int64_t Size);
    void Close();

private:
    int FHandle = -1;
    std::string FName;
    void* FMap = nullptr;
    int64_t FMapSize = 0;
};

/// Raises EInOutError with Code and its run-time message.
[[noreturn]] void RaiseInOut(int Code);
/// The run-time code of a failed open for errno Err.
int OpenErrorCode(int Err);

/// Reads the whole file; false when it cannot be opened.
bool ReadWholeFile(const std::string& FileName, std::vector<uint8_t>& Bytes);
/// Creates (or empties) the file and writes Count bytes to it.
void WriteWholeFile(const std::string& FileName, const void* Data, int64_t Count);

} // namespace qyx::geodb
