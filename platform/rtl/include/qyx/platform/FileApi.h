// The handle-level file API: open, create, read, write, seek and close files by handle, with failures
// reported as results (-1) rather than exceptions, and file dates of open files.
//
// Names go through the case-insensitive resolution of FileSystem.h. Share modes are accepted and
// ignored: Linux has no mandatory sharing locks, and advisory ones would only restrict this process.
// A file marked read-only (see FileSystem.h) cannot be opened for writing or re-created.
//
// A file date is the packed local date and time of the host's file systems: bits 25-31 year - 1980,
// 21-24 month, 16-20 day, 11-15 hours, 5-10 minutes, 0-4 seconds / 2. It covers 1980 to 2107 with a
// resolution of two seconds; TDateTime variants keep the full time.
#pragma once

#include <cstdint>
#include <string>

#include <qyx/platform/FileSystem.h>
#include <qyx/platform/Types.h>

namespace qyx {

// ---- Open modes ------------------------------------------------------------------------------

constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;
/// Create the file (or empty an existing one) and open it for reading and writing.
constexpr uint16_t fmCreate = 0xFF00;

/// Seek origins (the Origin argument of FileSeek and TStream::Seek).
constexpr int soFromBeginning = 0;
constexpr int soFromCurrent = 1;
constexpr int soFromEnd = 2;

// ---- Handles ---------------------------------------------------------------------------------

/// Opens an existing file: the low two bits of Mode select read, write or both; share bits are
/// ignored. Returns the handle, or -1 (errno set) when the file is missing, is a directory, cannot be
/// accessed, or is read-only and Mode asks for writing.
int FileOpen(const std::string& FileName, uint32_t Mode);
/// Creates a file for reading and writing, emptying an existing one; -1 on failure.
int FileCreate(const std::string& FileName);
/// Reads up to Count bytes; the number read (0 at the end), or -1 on failure.
int FileRead(int Handle, void* Buffer, int Count);
/// Writes Count bytes; the number written, or -1 on failure.
int FileWrite(int Handle, const void* Buffer, int Count);
/// Moves the file position; the new position from the start, or -1 on failure.
int64_t FileSeek(int Handle, int64_t Offset, int Origin);
/// Cuts or extends the file to Size bytes; false on failure.
bool FileTruncate(int Handle, int64_t Size);
/// Closes a handle (a negative handle is ignored).
void FileClose(int Handle);

// ---- File dates ------------------------------------------------------------------------------

/// The modification time of an open file as a file date, -1 on failure.
int FileGetDate(int Handle);
/// The modification time of an open file as a TDateTime; false on failure.
bool FileGetDateTime(int Handle, TDateTime& DateTime);
/// Sets the modification time of an open file from a file date: 0, or the errno code on failure.
int FileSetDate(int Handle, int Age);
/// Sets the modification time of a named file from a file date: 0, or the errno code on failure.
int FileSetDate(const std::string& FileName, int Age);
/// Sets the modification time of an open file: 0, or the errno code on failure.
int FileSetDateTime(int Handle, TDateTime DateTime);

/// A file date as a TDateTime; 0 for a date that does not decode.
TDateTime FileDateToDateTime(int FileDate);
/// A TDateTime as a file date (seconds rounded down to even); 0 outside 1980..2107.
int DateTimeToFileDate(TDateTime DateTime);

} // namespace qyx
