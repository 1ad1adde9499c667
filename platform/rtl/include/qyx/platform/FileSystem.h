// File-system services: existence, deletion, directories, renaming, file times and sizes, path
// expansion, the current and temporary directories, directory enumeration with masks and attributes,
// and the environment.
//
// File names are code page 1252 strings. At the operating-system boundary they become UTF-8, "\" is
// accepted as a directory separator besides "/" (and becomes "/"), and names are found without regard
// to case: when the exact spelling of a path does not exist, each component is matched against the
// entries of its directory without regard to ANSI case, the first match in enumeration order winning
// (see FindFirst); components that match nothing are kept as given, so a new file is created under
// the spelling the caller chose. Every routine that opens or names a file (streams, text files, typed
// files, the handle-level API and the routines here) goes through this resolution (ToSysPath).
//
// Attributes on Linux: read-only = a regular file without the owner's write permission (never set on
// directories); hidden = the name begins with "." (but is not "." or ".."); archive = every regular
// file; directory = a directory; system and volume label are never set. Because a process running as
// root may write anything, the refusals that go with the read-only attribute (deleting, truncating,
// opening for writing) are enforced here from the permission bits rather than left to the kernel.
//
// File times are TDateTime values in local time, like the host's: the modification time's calendar
// date and clock time in the local time zone, with the fraction of a second kept.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <qyx/platform/Types.h>

namespace qyx {

// ---- Attributes ------------------------------------------------------------------------------

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

// ---- Names and paths -------------------------------------------------------------------------

/// The operating-system path for a file name: UTF-8, "\" turned into "/", and each component that
/// does not exist under its exact spelling replaced by the first entry of its directory that matches
/// it without regard to case.
std::string ToSysPath(const std::string& FileName);
/// The absolute form of FileName against the current directory, with "/" separators and the "." and
/// ".." components folded; a trailing separator is kept. Case and links are left as given. "" for "".
std::string ExpandFileName(const std::string& FileName);
/// ExpandFileName with every existing component replaced by its spelling on disk; components that
/// do not exist are kept as given.
std::string ExpandFileNameCase(const std::string& FileName);
/// The current directory (no trailing separator except for the root).
std::string GetCurrentDir();
/// Makes Dir the current directory; false when that fails.
bool SetCurrentDir(const std::string& Dir);
/// The directory for temporary files with a trailing "/": $TMPDIR when it names a directory,
/// otherwise "/tmp/".
std::string GetTempDirectory();

// ---- Existence, deletion, directories, renaming -------------------------------------------------

/// True when FileName names an existing file that is not a directory.
bool FileExists(const std::string& FileName);
/// True when Dir names an existing directory; false for "".
bool DirectoryExists(const std::string& Dir);
/// Deletes a file; false (errno set) when it is missing, a directory, or marked read-only.
bool DeleteFile(const std::string& FileName);
/// Creates one directory; false when it exists already or its parent is missing.
bool CreateDir(const std::string& Dir);
/// Creates Dir with all missing parents; true when the directory exists afterwards.
bool ForceDirectories(const std::string& Dir);
/// Removes an empty directory; false otherwise.
bool RemoveDir(const std::string& Dir);
/// Renames or moves a file or directory. Fails when NewName exists already (unless it is the same
/// entry under another letter case, which is how a name's case is changed).
bool RenameFile(const std::string& OldName, const std::string& NewName);

// ---- Sizes and times -------------------------------------------------------------------------

/// The size in bytes of a file, or -1 when there is no such file.
int64_t GetFileSizeOf(const std::string& FileName);
/// The modification time of a file or directory as a TDateTime; false when it does not exist.
bool FileAge(const std::string& FileName, TDateTime& FileDateTime);
/// The modification time as a file date (see FileApi.h), or -1 when the file does not exist.
int FileAge(const std::string& FileName);
/// Sets the modification (and access) time of a file; 0 on success, otherwise the errno code.
int FileSetDateTime(const std::string& FileName, TDateTime DateTime);
/// The attributes of a file or directory (fa... flags), or -1 when it does not exist.
int FileGetAttr(const std::string& FileName);
/// Sets the attributes of a file: faReadOnly removes every write permission, its absence restores the
/// owner's; the other flags cannot be changed and are ignored. 0 on success, else the errno code.
int FileSetAttr(const std::string& FileName, int Attr);

// ---- Directory enumeration -------------------------------------------------------------------

struct TSearchState;

/// One entry found by FindFirst/FindNext.
struct TSearchRec {
    int Time = 0;                             ///< modification time as a file date
    int64_t Size = 0;                         ///< size in bytes (0 for directories)
    int Attr = 0;                             ///< fa... flags
    std::string Name;                         ///< the entry's name, code page 1252, without directory
    int ExcludeAttr = 0;                      ///< the special attributes not asked for
    TDateTime TimeStamp = 0;                  ///< modification time as a TDateTime
    std::shared_ptr<TSearchState> FindHandle; ///< the running search
};

/// Starts listing the entries of a directory that match a mask: Path is the directory part plus a mask
/// in which "*" stands for any run of characters and "?" for one character, both matched without
/// regard to case ("*.*" matches every name). Entries come sorted by their upper-case code page 1252
/// spelling byte by byte, ties by the exact spelling ("." and ".." included, first). An entry is
/// delivered unless it has a hidden, system, volume or directory attribute that Attr does not ask for
/// (faAnyFile asks for all). Result 0 with the first entry in F; 3 when the directory cannot be read,
/// 2 when nothing matches.
int FindFirst(const std::string& Path, int Attr, TSearchRec& F);
/// The next matching entry in F: 0, or 18 when there is none left.
int FindNext(TSearchRec& F);
/// Ends a search and releases its state (also done when F is destroyed).
void FindClose(TSearchRec& F);
/// True when Name matches Mask ("*", "?", without regard to ANSI case; "*.*" matches everything).
bool MatchesMask(const std::string& Name, const std::string& Mask);

// ---- Environment -----------------------------------------------------------------------------

/// The value of an environment variable in code page 1252, "" when absent. The name is compared
/// without regard to case and the last matching entry of the environment wins.
std::string GetEnvironmentVariable(const std::string& Name);

} // namespace qyx
