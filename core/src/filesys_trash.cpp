// MoveToRecycleBin: files go to the freedesktop.org trash, never to plain deletion.
//
// A trash directory holds files/<name> (the file itself) and info/<name>.trashinfo ("[Trash Info]",
// Path= the original location percent-encoded, DeletionDate= local time). The info file is created
// first and exclusively, which reserves <name>; then the file is renamed into files/. The home trash
// ($XDG_DATA_HOME/Trash, or ~/.local/share/Trash) takes files of its own file system with absolute
// paths; a file on another file system goes to <mount point>/.Trash-<uid> with a path relative to
// the mount point. When neither can be used the file stays where it is.
#include <qyx/QYX_filesys.h>

#include "filesys_internal.h"

#include <qyx/platform/FileSystem.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace qyx {

using namespace filesys;

namespace {

// The home trash: the location is defined by XDG_DATA_HOME (used when it is an absolute path) or
// else HOME, which is why these two variables are read. "" when neither is usable.
std::string HomeTrash() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return StripSysSep(xdg) + "/Trash";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return StripSysSep(home) + "/.local/share/Trash";
    return "";
}

// Creates Dir and its missing parents (mode 0700 for what is created); true when it is a real
// directory afterwards.
bool MakeDirs(const std::string& Dir) {
    struct stat st;
    if (::lstat(Dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const size_t slash = Dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirs(Dir.substr(0, slash))) return false;
    return (::mkdir(Dir.c_str(), 0700) == 0 || errno == EEXIST) && ::lstat(Dir.c_str(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

// The file system of Path, or of its nearest existing ancestor.
dev_t DeviceOf(std::string Path) {
    struct stat st;
    while (::stat(Path.c_str(), &st) != 0) {
        const size_t slash = Path.find_last_of('/');
        if (slash == std::string::npos || Path == "/") return static_cast<dev_t>(-1);
        Path = slash == 0 ? "/" : Path.substr(0, slash);
    }
    return st.st_dev;
}

// A usable trash directory: files/ and info/ exist (created when missing) as real directories.
bool PrepareTrash(const std::string& Trash) {
    return MakeDirs(Trash + "/files") && MakeDirs(Trash + "/info");
}

// The mount point of the file system that holds the directory Dir (an absolute, resolved path).
std::string MountPointOf(std::string Dir, dev_t Dev) {
    while (Dir != "/") {
        const size_t slash = Dir.find_last_of('/');
        const std::string parent = slash == 0 ? "/" : Dir.substr(0, slash);
        struct stat st;
        if (::stat(parent.c_str(), &st) != 0 || st.st_dev != Dev) break;
        Dir = parent;
    }
    return Dir;
}

std::string PercentEncode(const std::string& Path) {
    static constexpr char Keep[] = "-_.!~*'()/";
    std::string out;
    for (const char ch : Path) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            (c != 0 && std::string_view(Keep).find(ch) != std::string_view::npos)) {
            out += ch;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string DeletionDate() {
    const time_t now = ::time(nullptr);
    struct tm tm;
    ::localtime_r(&now, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &tm);
    return text;
}

// The k-th candidate name in the trash: the file's own name, then "stem.k.ext".
std::string Candidate(const std::string& Name, int K) {
    if (K == 1) return Name;
    const size_t dot = Name.find_last_of('.');
    const std::string n = "." + std::to_string(K);
    return dot == std::string::npos || dot == 0 ? Name + n : Name.substr(0, dot) + n + Name.substr(dot);
}

bool WriteAll(int Fd, const std::string& S) {
    size_t done = 0;
    while (done < S.size()) {
        const ssize_t n = ::write(Fd, S.data() + done, S.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Moves the file DirSys/Name into Trash, recording OriginalPath; false when it stays.
bool MoveIntoTrash(const std::string& Trash, const std::string& FileSys, const std::string& Name,
                   const std::string& OriginalPath) {
    const std::string info =
        "[Trash Info]\nPath=" + PercentEncode(OriginalPath) + "\nDeletionDate=" + DeletionDate() + "\n";
    for (int k = 1; k < 10000; ++k) {
        const std::string name = Candidate(Name, k);
        std::string infoPath = Trash + "/info/";
        infoPath += name;
        infoPath += ".trashinfo";
        std::string target = Trash + "/files/";
        target += name;
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        struct stat st;
        if (::lstat(target.c_str(), &st) == 0) { // taken by a file without info: try the next name
            ::close(fd);
            ::unlink(infoPath.c_str());
            continue;
        }
        const bool written = WriteAll(fd, info);
        const bool closed = ::close(fd) == 0;
        if (written && closed && ::rename(FileSys.c_str(), target.c_str()) == 0) return true;
        ::unlink(infoPath.c_str());
        return false;
    }
    return false;
}

bool TrashFile(const std::string& FileName) {
    const std::string sys = ToSysPath(FileName);
    struct stat st;
    if (::lstat(sys.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    const size_t slash = sys.find_last_of('/');
    const std::string name = slash == std::string::npos ? sys : sys.substr(slash + 1);
    char resolved[PATH_MAX];
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : sys.substr(0, slash);
    if (!::realpath(dir.c_str(), resolved)) return false;
    const std::string absDir = resolved;
    const std::string absPath = (absDir == "/" ? "/" : absDir + "/") + name;

    // A file on the home trash's file system goes there or nowhere.
    const std::string home = HomeTrash();
    if (!home.empty() && DeviceOf(home) == st.st_dev)
        return PrepareTrash(home) && MoveIntoTrash(home, sys, name, absPath);

    const std::string top = MountPointOf(absDir, st.st_dev);
    const std::string trash = (top == "/" ? "" : top) + "/.Trash-" + std::to_string(::getuid());
    if (!PrepareTrash(trash)) return false;
    const std::string relative = absPath.substr(top == "/" ? 1 : top.size() + 1);
    return MoveIntoTrash(trash, sys, name, relative);
}

} // namespace

int MoveToRecycleBin(const std::string& Mask) {
    const std::string dir = DirPart(Mask);
    std::vector<std::string> names;
    TSearchRec sr;
    for (int r = FindFirst(Mask, faAnyFile, sr); r == 0; r = FindNext(sr))
        if (!sr.Name.empty() && sr.Name[0] != '.' && !(sr.Attr & (faVolumeID | faDirectory)))
            names.push_back(sr.Name);
    FindClose(sr);
    int moved = 0;
    for (const std::string& name : names)
        if (TrashFile(dir + name)) ++moved;
    return moved;
}

} // namespace qyx
