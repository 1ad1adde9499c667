// Streams: a sequence of bytes with a current position. TStream is the abstract base; memory, file,
// handle and string streams implement it.
//
// Read may deliver fewer bytes than asked (at the end, or whatever the source has at hand); a read
// that delivers 0 bytes means the end. ReadBuffer and WriteBuffer move exactly the count or raise
// EReadError "Stream read error" / EWriteError "Stream write error"; a count of 0 is legal and does
// nothing. Positions and sizes are 64-bit byte counts from the start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <qyx/platform/FileApi.h>
#include <qyx/platform/Object.h>

namespace qyx {

/// Abstract stream of bytes.
class TStream : public TObject {
public:
    /// Reads up to Count bytes into Buffer; returns how many were read (0 at the end).
    virtual int Read(void* Buffer, int Count) = 0;
    /// Writes up to Count bytes; returns how many were written.
    virtual int Write(const void* Buffer, int Count) = 0;
    /// Moves the position by Offset from soFromBeginning, soFromCurrent or soFromEnd; returns the new
    /// position.
    virtual int64_t Seek(int64_t Offset, int Origin) = 0;

    int64_t GetPosition() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soFromBeginning); }
    /// The size in bytes; the default seeks to the end and back.
    virtual int64_t GetSize();
    /// Sets the size (cuts or extends); the default does nothing.
    virtual void SetSize(int64_t NewSize);

    /// Reads exactly Count bytes or raises EReadError.
    void ReadBuffer(void* Buffer, int Count);
    /// Writes exactly Count bytes or raises EWriteError; Count 0 does nothing.
    void WriteBuffer(const void* Buffer, int Count);
    /// Copies Count bytes from Source's current position (Count 0: all of Source, from its start);
    /// returns the number copied. A short source raises EReadError.
    int64_t CopyFrom(TStream* Source, int64_t Count);
};

/// A stream over memory that grows as it is written; positions beyond the end are allowed and a
/// write there fills the gap with zeros.
class TMemoryStream : public TStream {
public:
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, int Origin) override;
    int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
    /// Sets the size; the position is cut back when it lies beyond the new end. Raises EOutOfMemory
    /// "Out of memory while expanding memory stream" when the memory cannot be had.
    void SetSize(int64_t NewSize) override;

    /// The stream's bytes (Size of them); valid until the size changes.
    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    /// Empties the stream.
    void Clear();
    /// Replaces the content by all of Stream (read from its start); the position becomes 0.
    void LoadFromStream(TStream* Stream);
    /// Replaces the content by the file's bytes; the position becomes 0.
    void LoadFromFile(const std::string& FileName);
    /// Writes the whole content to Stream at its position; the own position is unchanged.
    void SaveToStream(TStream* Stream);
    /// Creates (or overwrites) the file with the whole content.
    void SaveToFile(const std::string& FileName);

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

/// A stream over an open file handle, which stays the caller's.
class THandleStream : public TStream {
public:
    explicit THandleStream(int AHandle) : FHandle(AHandle) {}
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, int Origin) override;
    /// Cuts or extends the file; raises EWriteError when that fails.
    void SetSize(int64_t NewSize) override;
    int GetHandle() const { return FHandle; }

protected:
    int FHandle;
};

/// A stream over a named file, opened with fmOpenRead, fmOpenWrite, fmOpenReadWrite or fmCreate
/// (share flags may be or-ed in and are ignored). Raises EFOpenError "Cannot open file "<name>".
/// <reason>" or EFCreateError "Cannot create file "<name>". <reason>". The file closes on destruction.
class TFileStream : public THandleStream {
public:
    TFileStream(const std::string& AFileName, uint16_t Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    const std::string& GetFileName() const { return FFileName; }

private:
    std::string FFileName;
};

/// A stream over a string of bytes; DataString is the whole content.
class TStringStream : public TStream {
public:
    explicit TStringStream(std::string AString = {}) : FDataString(std::move(AString)) {}
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, int Origin) override;
    int64_t GetSize() override { return static_cast<int64_t>(FDataString.size()); }
    void SetSize(int64_t NewSize) override;

    const std::string& GetDataString() const { return FDataString; }
    /// Up to Count bytes from the position on, as a string.
    std::string ReadString(int Count);
    /// Writes the bytes of S at the position.
    void WriteString(const std::string& S);

private:
    std::string FDataString;
    int64_t FPosition = 0;
};

} // namespace qyx
