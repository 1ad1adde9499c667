// Shared inside the run-time layer's file code: system-call wrappers, the read-only emulation, time
// conversion, sorted directory listings and the input/output error codes of text and typed files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <time.h>

#include <qyx/platform/Types.h>

namespace qyx::detail {

// ---- System calls ----------------------------------------------------------------------------

/// open(2) on a resolved path, retried on EINTR, close-on-exec. Refuses directories (EISDIR) and,
/// when Flags ask for writing or truncation, existing files marked read-only (EACCES).
int OpenSys(const std::string& SysPath, int Flags, mode_t Perm = 0666);
/// read(2)/write(2) until Count bytes moved, the end of the file, or an error (-1).
int64_t ReadAll(int Fd, void* Buffer, int64_t Count);
int64_t WriteAll(int Fd, const void* Buffer, int64_t Count);
/// True for a regular file without the owner's write permission: the read-only attribute.
inline bool IsMarkedReadOnly(const struct stat& St) {
    return S_ISREG(St.st_mode) && (St.st_mode & S_IWUSR) == 0;
}
/// The fa... attributes of an entry with this name and status.
int AttributesOf(const std::string& Name1252, const struct stat& St);

// ---- Time ------------------------------------------------------------------------------------

/// A Unix time (seconds and nanoseconds) as a local-time TDateTime.
TDateTime UnixToLocalDateTime(const timespec& T);
/// A local-time TDateTime as a Unix time; false when it is out of range.
bool LocalDateTimeToUnix(TDateTime DateTime, timespec& T);
/// Days since 1899-12-30 of a calendar date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t Y, unsigned M, unsigned D);
/// The file date of a local time (0 outside 1980..2107).
int PackFileDate(const struct tm& Tm);

// ---- Directory listings ----------------------------------------------------------------------

/// One directory entry: its name on disk (UTF-8) and its code page 1252 form.
struct TDirEntry {
    std::string SysName;
    std::string Name;
    std::string Key; ///< the upper-case 1252 form, the sort key
};
/// The entries of a directory (resolved path), "." and ".." included, sorted as FindFirst delivers
/// them. False when the directory cannot be read.
bool ListDirectory(const std::string& SysDir, std::vector<TDirEntry>& Entries);
/// The sort order of listings: the upper-case 1252 form byte by byte, ties by the name on disk.
bool EntryBefore(const TDirEntry& A, const TDirEntry& B);

// ---- Input/output errors of text and typed files ---------------------------------------------

/// The code for an errno value when a file is opened: 2 file not found, 3 path not found, 4 too many
/// open files, 5 access denied, otherwise the errno value plus 1000.
int OpenErrorCode(int Err, const std::string& SysPath);
/// Raises EInOutError with Code and its message, or, while I/O checks are off on this thread, records
/// Code for IOResult (the first pending code is kept) and returns.
void InOutError(int Code);
/// True while I/O checks are off on this thread.
bool IOChecksOff();
/// Runs Action with I/O checks off and IOResult saved and restored; true when Action reported no
/// error, whose code (or 0) goes to *ErrorCode when given.
bool CaptureInOut(const std::function<void()>& Action, int* ErrorCode);

} // namespace qyx::detail
