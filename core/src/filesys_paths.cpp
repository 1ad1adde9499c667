// Names and paths of QYX_filesys, and the helpers the other file-system routines share.
#include <qyx/QYX_filesys.h>

#include "filesys_internal.h"

#include <qyx/platform/CodePage.h>
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/TextFile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace qyx {

namespace filesys {

char SepFor(const std::string& Dir) {
    return Dir.find('\\') != std::string::npos ? '\\' : '/';
}

std::string IncludeSep(const std::string& Dir) {
    if (Dir.empty() || IsSep(Dir.back())) return Dir;
    return Dir + SepFor(Dir);
}

std::string DirPart(const std::string& Path) {
    const size_t p = Path.find_last_of("\\/:");
    return p == std::string::npos ? std::string() : Path.substr(0, p + 1);
}

std::string StripSysSep(std::string SysPath) {
    while (SysPath.size() > 1 && SysPath.back() == '/') SysPath.pop_back();
    return SysPath;
}

void SortEntries(std::vector<TRawEntry>& Entries) {
    std::sort(Entries.begin(), Entries.end(), [](const TRawEntry& A, const TRawEntry& B) {
        return A.Key != B.Key ? A.Key < B.Key : A.SysName < B.SysName;
    });
}

bool ListDirFd(int DirFd, std::vector<TRawEntry>& Entries) {
    Entries.clear();
    // fdopendir takes the descriptor over, so it works on a duplicate.
    const int dup = ::fcntl(DirFd, F_DUPFD_CLOEXEC, 0);
    if (dup < 0) return false;
    DIR* dir = ::fdopendir(dup);
    if (!dir) {
        ::close(dup);
        return false;
    }
    ::rewinddir(dir);
    errno = 0;
    while (const dirent* d = ::readdir(dir)) {
        if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) continue;
        TRawEntry e;
        e.SysName = d->d_name;
        e.Name = Utf8ToCp1252(e.SysName);
        e.Key = AnsiUpperCase(e.Name);
        Entries.push_back(std::move(e));
    }
    const bool ok = errno == 0;
    ::closedir(dir);
    SortEntries(Entries);
    return ok;
}

bool IsSysLink(const std::string& SysPath) {
    struct stat st;
    return ::lstat(StripSysSep(SysPath).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool IsLink(const std::string& Path) {
    return !Path.empty() && IsSysLink(ToSysPath(Path));
}

int InOutCode(int Err) {
    switch (Err) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EEXIST:
    case EISDIR: return 5;
    default: return 1000 + Err;
    }
}

void RaiseInOut(int Err) {
    const int code = InOutCode(Err);
    throw EInOutError(InOutErrorMessage(code), code);
}

} // namespace filesys

using namespace filesys;

std::string StripPath(const std::string& FileName) {
    const size_t p = FileName.find_last_of("\\/:");
    return p == std::string::npos ? FileName : FileName.substr(p + 1);
}

std::string EnsureDefaultFileExt(const std::string& FileName, const std::string& Ext) {
    if (Ext.empty() || StripPath(FileName).find('.') != std::string::npos) return FileName;
    return Ext[0] == '.' ? FileName + Ext : FileName + "." + Ext;
}

bool IsRootDir(const std::string& Path) {
    const size_t first = Path.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const std::string s = Path.substr(first, Path.find_last_not_of(' ') - first + 1);
    if (s == "/") return true;
    // At most three characters with ":\" at position 2 leaves exactly "<letter>:\".
    return s.size() == 3 && s[1] == ':' && s[2] == '\\';
}

int ExtractDrive(const std::string& Path) {
    if (Path.size() < 2 || Path[1] != ':') return -1;
    const char c = Path[0];
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a';
    return 0;
}

bool IsDOS83Path(const std::string& Path) {
    static constexpr char Forbidden[] = "\"*+,/;<=>?[]|";
    for (const char ch : Path) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 33 || c > 126 || std::strchr(Forbidden, ch)) return false;
    }
    // Pieces up to each backslash, then, in what is left, up to each dot: at most 9 characters with
    // their delimiter; the last piece at most 9 characters.
    size_t start = 0;
    for (const char delim : {'\\', '.'}) {
        for (size_t p = Path.find(delim, start); p != std::string::npos; p = Path.find(delim, start)) {
            if (p + 1 - start > 9) return false;
            start = p + 1;
        }
    }
    return Path.size() - start <= 9;
}

std::string DOSToWinPath(const std::string& Path) {
    return ExpandFileNameCase(Path);
}

std::string GetEnviroVar(const std::string& Name) {
    return GetEnvironmentVariable(Name);
}

std::string GetSystemDir() {
    return "/usr/lib";
}

std::string GetWindowsDir() {
    return "/usr";
}

std::string GetTempDir() {
    return GetTempDirectory();
}

} // namespace qyx
