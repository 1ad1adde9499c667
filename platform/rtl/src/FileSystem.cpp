// Existence, deletion, directories, renaming, sizes, times, attributes and the environment.
#include <qyx/platform/FileApi.h>
#include <qyx/platform/FileSystem.h>

#include "FileApiInternal.h"

#include <qyx/platform/CodePage.h>

#include <cerrno>
#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace qyx {

using namespace detail;

namespace {

bool StatFollow(const std::string& FileName, struct stat& St) {
    if (FileName.empty()) {
        errno = ENOENT;
        return false;
    }
    return ::stat(ToSysPath(FileName).c_str(), &St) == 0;
}

std::string StripTrailingSeparators(std::string S) {
    while (S.size() > 1 && (S.back() == '/' || S.back() == '\\')) S.pop_back();
    return S;
}

std::string LastComponent(const std::string& Path) {
    const std::string s = StripTrailingSeparators(Path);
    const size_t sep = s.find_last_of("/\\");
    return sep == std::string::npos ? s : s.substr(sep + 1);
}

} // namespace

bool FileExists(const std::string& FileName) {
    struct stat st;
    return StatFollow(FileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& Dir) {
    struct stat st;
    return StatFollow(Dir, st) && S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string& FileName) {
    if (FileName.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::string sys = ToSysPath(FileName);
    struct stat st;
    if (::lstat(sys.c_str(), &st) != 0) return false;
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (IsMarkedReadOnly(st)) {
        errno = EACCES;
        return false;
    }
    return ::unlink(sys.c_str()) == 0;
}

bool CreateDir(const std::string& Dir) {
    if (Dir.empty()) {
        errno = ENOENT;
        return false;
    }
    return ::mkdir(ToSysPath(Dir).c_str(), 0777) == 0;
}

bool ForceDirectories(const std::string& Dir) {
    const std::string dir = StripTrailingSeparators(Dir);
    if (dir.empty()) {
        errno = ENOENT;
        return false;
    }
    if (DirectoryExists(dir)) return true;
    const size_t sep = dir.find_last_of("/\\");
    if (sep != std::string::npos && sep > 0 && !ForceDirectories(dir.substr(0, sep))) return false;
    return CreateDir(dir) || (errno == EEXIST && DirectoryExists(dir));
}

bool RemoveDir(const std::string& Dir) {
    if (Dir.empty()) {
        errno = ENOENT;
        return false;
    }
    return ::rmdir(ToSysPath(Dir).c_str()) == 0;
}

bool RenameFile(const std::string& OldName, const std::string& NewName) {
    if (OldName.empty() || NewName.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::string oldSys = ToSysPath(OldName);
    struct stat src, dst;
    if (::lstat(oldSys.c_str(), &src) != 0) return false;
    if (::lstat(ToSysPath(NewName).c_str(), &dst) == 0 &&
        (dst.st_dev != src.st_dev || dst.st_ino != src.st_ino)) {
        errno = EEXIST;
        return false;
    }
    // The directory part is found as any path is; the new name itself keeps the caller's spelling.
    const std::string name = StripTrailingSeparators(NewName);
    const size_t sep = name.find_last_of("/\\");
    std::string target;
    if (sep == std::string::npos) {
        target = Cp1252ToUtf8(name);
    } else {
        target = ToSysPath(name.substr(0, sep + 1));
        if (target.empty() || target.back() != '/') target += '/';
        target += Cp1252ToUtf8(name.substr(sep + 1));
    }
    return ::rename(oldSys.c_str(), target.c_str()) == 0;
}

int64_t GetFileSizeOf(const std::string& FileName) {
    struct stat st;
    if (!StatFollow(FileName, st) || S_ISDIR(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool FileAge(const std::string& FileName, TDateTime& FileDateTime) {
    struct stat st;
    if (!StatFollow(FileName, st)) return false;
    FileDateTime = UnixToLocalDateTime(st.st_mtim);
    return true;
}

int FileAge(const std::string& FileName) {
    struct stat st;
    if (!StatFollow(FileName, st)) return -1;
    struct tm tm;
    const time_t t = st.st_mtim.tv_sec;
    if (!::localtime_r(&t, &tm)) return -1;
    return PackFileDate(tm);
}

int FileGetAttr(const std::string& FileName) {
    struct stat st;
    if (!StatFollow(FileName, st)) {
        if (FileName.empty() || ::lstat(ToSysPath(FileName).c_str(), &st) != 0) return -1;
    }
    return AttributesOf(LastComponent(FileName), st);
}

int FileSetAttr(const std::string& FileName, int Attr) {
    struct stat st;
    if (!StatFollow(FileName, st)) return errno;
    if (!S_ISREG(st.st_mode)) return 0;
    mode_t mode = st.st_mode & 07777;
    if (Attr & faReadOnly)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (mode == (st.st_mode & 07777)) return 0;
    return ::chmod(ToSysPath(FileName).c_str(), mode) == 0 ? 0 : errno;
}

std::string GetEnvironmentVariable(const std::string& Name) {
    if (Name.empty()) return "";
    const std::string key = AnsiUpperCase(Name);
    const char* found = nullptr;
    for (char** e = environ; e && *e; ++e) {
        const std::string_view entry(*e);
        const size_t eq = entry.find('=', 1); // a leading "=" belongs to the name
        if (eq == std::string_view::npos) continue;
        if (AnsiUpperCase(Utf8ToCp1252(entry.substr(0, eq))) == key) found = *e + eq + 1;
    }
    return found ? Utf8ToCp1252(found) : std::string();
}

} // namespace qyx
