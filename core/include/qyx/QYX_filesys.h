// QYX_filesys: file-name, password and file-system routines.
//
// Sections of this unit:
//   1. File names and passwords
// Further sections of the unit (file-system utilities, the universal save dialogue) follow at the
// end of this header.
#pragma once

#include <string>

namespace qyx {

// ================================================================================================
// 1. File names and passwords
// ================================================================================================

/// FileName without its extension: the directory part (up to the last "\", "/" or ":") unchanged,
/// then the name up to its first "." ("c:\a.b\x.tar.gz" gives "c:\a.b\x").
std::string StripExtension(const std::string& FileName);
/// A pronounceable password of Len letters (limited to 4..14), alternating consonants and vowels,
/// with two random digits before the seventh letter (or after the last); drawn from the shared
/// pseudo-random generator.
std::string InventPassword(int Len);

} // namespace qyx

// ================================================================================================
// 2. File-system utilities
// ================================================================================================
// Paths: the pure string routines (StripPath, EnsureDefaultFileExt, IsRootDir, ExtractDrive,
// IsDOS83Path) follow the rules of backslash paths with drive letters; StripPath and
// EnsureDefaultFileExt also take "/" as a directory separator, as StripExtension does. Routines that
// touch the file system accept "\" and "/" alike and find names without regard to case (see
// <qyx/platform/FileSystem.h>). Where a routine adds a missing trailing separator to a directory it
// adds "\" when the path already contains one and "/" otherwise.
//
// Attributes are the platform's (FileSystem.h): read-only = a regular file without the owner's write
// permission, hidden = a name beginning with ".", archive = every regular file. A file marked
// read-only is never deleted, even when the process runs as root.
//
// Drives: drive numbers 0..25 stand for the letters A..Z. A drive is a directory this table maps
// its letter to; drive 2 (C:) is "/" unless changed, the other letters are unmapped until
// SetDriveRoot maps them.
//
// Directory trees: DelDirTree and CopyFileTree never follow a symbolic link. A link found in the
// tree is removed, or copied, as a link; nothing outside the given directory is deleted or written.
//
// The global copy state (abort switch, progress of a tree copy) is shared by FileCopyFeedBk,
// CopyFileTree and AbortAnyFileCopying: one copy at a time per process.
#include <cstdint>
#include <functional>

#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/Object.h>

namespace qyx {

class TStream;
class TStrings;
class TextFile;

/// Errors of this unit.
class EQYXFileSysError : public EQYXError {
public:
    using EQYXError::EQYXError;
};

/// Progress of a single file copy: bytes copied so far, bytes in all.
using TFileCopyFeedBackProc = std::function<void(int64_t Done, int64_t Total)>;
/// Progress of a tree copy: bytes of the current file copied and in all, the target name of that
/// file, and the number of files started so far.
using TTreeCopyFeedBackProc =
    std::function<void(int64_t Done, int64_t Total, const std::string& TargetName, int FileCount)>;
/// Progress of a file scan: the directory about to be searched and the number of files found so far.
using TScanFeedBackProc = std::function<void(const std::string& Dir, int Count)>;

// ---- Names and paths -----------------------------------------------------------------------------

/// The name part of FileName: everything after the last "\", ":" or "/".
std::string StripPath(const std::string& FileName);
/// FileName + "." + Ext when Ext is not empty and the name part of FileName has no "." (no second
/// dot when Ext starts with one); otherwise FileName unchanged.
std::string EnsureDefaultFileExt(const std::string& FileName, const std::string& Ext);
/// True for a drive root such as "c:\" (after trimming blanks: three characters with ":\" at
/// position 2; "c:" is no root) and for "/".
bool IsRootDir(const std::string& Path);
/// The drive number of a path whose second character is ":" (A or a 0 ... Z or z 25, any other first
/// character 0); -1 for every other path.
int ExtractDrive(const std::string& Path);
/// True when every character has a code from 33 to 126 and is none of " * + , / ; < = > ? [ ] |, and
/// every piece of the path cut at each "\" (then, in the last component, at each ".") holds at most
/// 9 characters including its delimiter.
bool IsDOS83Path(const std::string& Path);
/// The absolute form of Path with every existing component in its spelling on disk; components that
/// do not exist are kept as given.
std::string DOSToWinPath(const std::string& Path);
/// The value of the environment variable Name (name compared without regard to case, the last
/// matching entry winning); empty when absent.
std::string GetEnviroVar(const std::string& Name);
/// The system directory: "/usr/lib", where the shared libraries of the system live.
std::string GetSystemDir();
/// The installation directory of the operating system: "/usr".
std::string GetWindowsDir();
/// The directory for temporary files, with a trailing "/": $TMPDIR when it names a directory, else
/// "/tmp/".
std::string GetTempDir();

// ---- Drives ------------------------------------------------------------------------------------

/// Drive type codes of GetDiskDriveType.
constexpr int DRIVE_UNKNOWN = 0;
constexpr int DRIVE_NO_ROOT_DIR = 1;
constexpr int DRIVE_REMOVABLE = 2;
constexpr int DRIVE_FIXED = 3;
constexpr int DRIVE_REMOTE = 4;
constexpr int DRIVE_CDROM = 5;
constexpr int DRIVE_RAMDISK = 6;

/// Maps drive number Drive (0..25) to the directory Root; an empty Root unmaps it. Other numbers are
/// ignored. Process-wide; drive 2 starts mapped to "/".
void SetDriveRoot(int Drive, const std::string& Root);
/// The directory drive number Drive is mapped to; empty when unmapped or out of range.
std::string GetDriveRoot(int Drive);

// ---- Probes ------------------------------------------------------------------------------------

/// True when Dir exists and is a directory; false for an empty string.
bool DirExists(const std::string& Dir);
/// True when Dir holds no entry other than "." and ".."; a directory that cannot be listed (also a
/// missing one, or an empty name) counts as empty.
bool DirEmpty(const std::string& Dir);
/// True when no file can be created in Dir: Dir is no directory, lies on a read-only file system,
/// has no write permission for anyone, or the probe file "$%$LO%$.$$$" cannot be created there. The
/// probe never replaces an existing file; it is deleted again at once.
bool DirIsReadOnly(const std::string& Dir);
/// DirIsReadOnly for the root of drive number Drive; true for an unmapped drive.
bool DiskIsReadOnly(int Drive);
/// The type of drive number Drive: DRIVE_NO_ROOT_DIR when unmapped or missing, DRIVE_REMOTE on a
/// network file system, DRIVE_CDROM on an optical one, DRIVE_RAMDISK in memory, DRIVE_REMOVABLE on
/// removable media, DRIVE_FIXED otherwise; DRIVE_UNKNOWN (0) outside 0..25.
int GetDiskDriveType(int Drive);
/// Free bytes available to the process on drive number Drive (statvfs: available blocks times the
/// fragment size, in 64 bits); -1 when unmapped or when the file system cannot tell.
double DiskFreeExtended(int Drive);
/// The size of the first file (not directory) that the expanded FileName or mask matches; -1 when
/// none.
int64_t GetFileSize(const std::string& FileName);

// ---- Searches and bulk operations ----------------------------------------------------------------

/// Looks for the file FileName (name and path upper-cased) in its directory, then depth-first in
/// the subdirectories whose attributes are exactly faDirectory (links are not entered). Returns the
/// upper-cased directory path plus the name as found, or "".
std::string FileDetect(const std::string& FileName);
/// Adds to List the directory part of the upper-cased Mask plus the name of every matching entry
/// that is not a directory; with Recursive the same in every subdirectory (links not entered).
/// Feedback(directory, files so far) is called before each directory. Nothing happens when List is
/// nil.
void ScanFilesToStrList(const std::string& Mask, bool Recursive, TStrings* List,
                        const TScanFeedBackProc& Feedback = nullptr);
/// Deletes every file matching Mask except names beginning with "." and directories (files marked
/// read-only stay); returns the number deleted.
int DeleteFiles(const std::string& Mask);
/// Like DeleteFiles, but each file goes to the freedesktop.org trash (undoable, no confirmation):
/// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash when XDG_DATA_HOME is unset or empty (these two
/// variables are read because they define where that trash is), or, for a file on another file
/// system, <mount point>/.Trash-<uid>. A file that cannot be trashed stays; it is never deleted.
/// Returns the number moved.
int MoveToRecycleBin(const std::string& Mask);
/// Deletes the directory Dir with everything in it. Returns "" on success, otherwise the path of the
/// first file or directory that could not be deleted (a file marked read-only, for one), stopping
/// there. Entries are taken in the order FindFirst delivers them; links are removed as links, never
/// followed; when Dir itself is a link, only the link is removed. An empty Dir does nothing, and the
/// root directory "/" is never deleted (its path is returned).
std::string DelDirTree(const std::string& Dir);
/// Renames every entry matching Mask (except "." and "..") to its upper-case (Upper) or lower-case
/// name, then does the same with the name part of Mask in every matching subdirectory whose
/// attributes are exactly faDirectory. A failed rename raises EInOutError.
void SetAllFilenameCase(const std::string& Mask, bool Upper);
/// Copies the file Source to Dest (into Dest + the name of Source when Dest is a directory) in blocks
/// of 8192 bytes, calling Feedback(done, total) before each block and at the end; clears the abort
/// switch first. Dest gets the modification time of Source and, with CopyAttribs, its permissions
/// made writable for the owner. Results: 0 done, -1 Source cannot be opened, -2 Dest cannot be
/// created (also when it is Source itself or marked read-only), -3 write error, -4 read error,
/// -5 stopped by AbortAnyFileCopying. An incomplete Dest is removed. A link at Dest is replaced, not
/// written through. When Source cannot be opened at all, EInOutError passes.
int FileCopyFeedBk(const std::string& Source, const std::string& Dest, bool CopyAttribs,
                   const TFileCopyFeedBackProc& Feedback = nullptr);
/// Copies the directory tree SourceDir into DestDir (created with its missing parents): files as
/// FileCopyFeedBk does, links as links, subdirectories recursively; other special files are skipped.
/// Feedback reports each block and once more after each file. Failed single copies do not stop the
/// tree copy; AbortAnyFileCopying does. Nothing happens when either name is empty or both name the
/// same directory; a DestDir inside SourceDir is not copied into itself.
void CopyFileTree(const std::string& SourceDir, const std::string& DestDir, bool CopyAttribs,
                  const TTreeCopyFeedBackProc& Feedback = nullptr);
/// Sets the abort switch: a running FileCopyFeedBk or CopyFileTree stops after its current block or
/// entry. May be called from a feedback routine or from another thread.
void AbortAnyFileCopying();

// ---- Text files ----------------------------------------------------------------------------------

/// Appends Line and a line end to the text file FileName, creating it when it cannot be opened for
/// appending. Input/output errors pass.
void AppendToTextFile(const std::string& FileName, const std::string& Line);
/// The same with every line of List, in order (nothing happens when List is nil).
void AppendToTextFile(const std::string& FileName, const TStrings* List);
/// Rewinds the open text file F, counts its lines and rewinds it again.
int CountLinesInTextFile(TextFile& F);
/// Opens the text file FileName, counts its lines and closes it; input/output errors pass.
int CountLinesInTextFile(const std::string& FileName);
/// The number of characters (line ends not counted) up to and including the first character of the
/// first occurrence of SearchStr when that is at most MaxChars, else 0. With IgnoreCase lines and
/// SearchStr are compared in lower case. An empty SearchStr is never found.
int DetectStringInFile(const std::string& FileName, const std::string& SearchStr, bool IgnoreCase,
                       int MaxChars);
/// Reads the header of an ASC data file: line 1 Comment, lines 2 and 3 the integers Count1 and
/// Count2, line 4 three words TRUE or FALSE (any case, blanks optional) into the flags. Result 0 on
/// success, 252 a line feed in the comment, 255 line 2 or 254 line 3 not an integer, 253 a word that
/// is neither TRUE nor FALSE; values are set as far as read. Input/output errors of opening pass.
uint8_t ReadHeaderOfASC(const std::string& FileName, std::string& Comment, int& Count1, int& Count2,
                        bool& Flag1, bool& Flag2, bool& Flag3);
/// The same from a stream (a line feed ends a line); an integer line that does not start with a
/// number reads as 0 instead of giving 254 or 255. A nil Stream gives 255.
uint8_t ReadHeaderOfASC(TStream* Stream, std::string& Comment, int& Count1, int& Count2, bool& Flag1,
                        bool& Flag2, bool& Flag3);

// ---- Save dialogue ------------------------------------------------------------------------------

/// Replaces the standard dialogue: called with Parameters, UserAction preset to 2 (cancel) and the
/// proposed name; sets UserAction (1 OK) and SelectedFileName.
using TOnFileSelectEvent = std::function<void(TObject* Sender, const std::string& Parameters, int& UserAction,
                                              std::string& SelectedFileName)>;
/// Replaces the existence test of the chosen name.
using TOnFileCheckEvent =
    std::function<void(TObject* Sender, const std::string& FileName, bool& FileDoesExist)>;
/// Asks whether an existing file may be overwritten: reply 6 yes, 7 no (ask again), 2 cancel.
using TOnOverwriteEvent =
    std::function<void(TObject* Sender, const std::string& FileName, int& OverwriteReply)>;

/// A "save as" dialogue with overwrite confirmation, run through the platform's standard save
/// dialogue or through event handlers. Parameters is an attribute list (`filter="Text|*.txt"
/// ext=txt caption="Save" initialdir=/tmp`, plus any names the handlers read). FileName is proposed
/// to the dialogue and holds the chosen name afterwards; it is kept from one Execute to the next.
class TUnivSaveDialog : public TComponent {
public:
    explicit TUnivSaveDialog(TComponent* AOwner);

    const std::string& GetParameters() const { return FParameters; }
    void SetParameters(const std::string& Value) { FParameters = Value; }
    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    bool GetUseStandardDialog() const { return FUseStandardDialog; }
    void SetUseStandardDialog(bool Value) { FUseStandardDialog = Value; }

    TOnFileSelectEvent OnFileSelect;
    TOnFileCheckEvent OnFileCheck;
    TOnOverwriteEvent OnOverwrite;

    /// True when a name was chosen that may be written (absent, or overwriting confirmed); false
    /// when the user cancelled. A failing standard dialogue, a missing OnFileSelect (without the
    /// standard dialogue), a missing OnOverwrite for an existing file and a reply other than 2, 6
    /// or 7 raise EQYXFileSysError.
    bool Execute();
    /// The value of attribute Name in Parameters; empty when absent.
    std::string ExtractParamAsString(const std::string& Name) const;
    /// The leading integer of attribute Name (blanks, sign, digits, limited to 32 bits);
    /// EQYXFileSysError when empty.
    int ExtractParamAsInt(const std::string& Name) const;
    /// The real number of attribute Name ("." or "," as separator, exponent allowed);
    /// EQYXFileSysError when empty.
    double ExtractParamAsDouble(const std::string& Name) const;

private:
    bool SelectName(int& UserAction);
    std::string RequiredParam(const std::string& Name) const;

    std::string FParameters;
    std::string FFileName;
    bool FUseStandardDialog = true;
};

} // namespace qyx
