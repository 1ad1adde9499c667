// Shared inside the file-system routines of QYX_filesys: separators, directory parts, raw sorted
// directory listings and the input/output error codes of failed operating-system calls.
#pragma once

#include <string>
#include <vector>

#include <sys/stat.h>

namespace qyx::filesys {

/// True for "\" and "/".
inline bool IsSep(char C) {
    return C == '\\' || C == '/';
}
/// Dir with a trailing separator: unchanged when it ends in one (or is empty), otherwise with "\"
/// added when it contains a backslash and "/" when not.
std::string IncludeSep(const std::string& Dir);
/// The separator IncludeSep adds to Dir.
char SepFor(const std::string& Dir);
/// Everything up to and including the last "\", "/" or ":" ("" when there is none).
std::string DirPart(const std::string& Path);
/// A system path without trailing "/" (except for the root itself).
std::string StripSysSep(std::string SysPath);

/// One entry of a directory as it is on disk, with its code page 1252 name and sort key.
struct TRawEntry {
    std::string SysName; ///< the name on disk (UTF-8 or any bytes)
    std::string Name;    ///< code page 1252
    std::string Key;     ///< upper-case code page 1252: the sort key
};
/// Sorts entries as FindFirst delivers them: by the upper-case name byte by byte, ties by the name
/// on disk.
void SortEntries(std::vector<TRawEntry>& Entries);
/// The entries of the open directory DirFd ("." and ".." left out), sorted; DirFd stays open and its
/// position is rewound. False when it cannot be read.
bool ListDirFd(int DirFd, std::vector<TRawEntry>& Entries);

/// True when the (system) path names a symbolic link.
bool IsSysLink(const std::string& SysPath);
/// True when the path (code page 1252, resolved as the platform does) names a symbolic link.
bool IsLink(const std::string& Path);
/// True for a regular file without the owner's write permission (the read-only attribute).
inline bool IsMarkedReadOnly(const struct stat& St) {
    return S_ISREG(St.st_mode) && (St.st_mode & S_IWUSR) == 0;
}

/// The input/output error code of a failed call with errno Err: 2 file not found, 3 path not found,
/// 4 too many open files, 5 access denied, otherwise 1000 + Err.
int InOutCode(int Err);
/// Raises EInOutError for errno Err.
[[noreturn]] void RaiseInOut(int Err);

} // namespace qyx::filesys
