// DelDirTree: deletes a directory tree without ever following a symbolic link.
//
// The walk works on directory descriptors (openat/unlinkat with O_NOFOLLOW), so a link in the tree
// is removed as a link and a directory replaced by a link while the walk runs is not entered. Only
// one descriptor is open at a time: the walk goes back up through ".." and checks that it arrives
// at the directory it came from, so trees of any depth (also beyond the longest path the system
// accepts) are deleted.
#include <qyx/QYX_filesys.h>

#include "filesys_internal.h"

#include <qyx/platform/FileSystem.h>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace qyx {

using namespace filesys;

namespace {

struct TFrame {
    std::vector<TRawEntry> Entries;
    size_t Next = 0;
    std::string Prefix;  ///< the directory's path for messages, with a trailing separator
    std::string SysName; ///< its name in the parent directory
    dev_t Dev = 0;
    ino_t Ino = 0;
};

constexpr int DirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool SameEntry(const struct stat& A, const struct stat& B) {
    return A.st_dev == B.st_dev && A.st_ino == B.st_ino;
}

// Deletes everything below the open directory Fd (whose path is Prefix); takes Fd over. Returns ""
// or the path of the first entry that could not be deleted.
std::string DeleteContents(int Fd, const std::string& Prefix, const struct stat& St, char Sep) {
    std::vector<TFrame> stack(1);
    stack[0].Prefix = Prefix;
    stack[0].Dev = St.st_dev;
    stack[0].Ino = St.st_ino;
    ListDirFd(Fd, stack[0].Entries); // an unreadable directory has nothing to delete; rmdir decides
    std::string failed;
    while (failed.empty()) {
        TFrame& f = stack.back();
        if (f.Next == f.Entries.size()) {
            if (stack.size() == 1) break;
            // Back to the parent, which must still be the directory the walk came from.
            const int parent = ::openat(Fd, "..", DirFlags);
            struct stat ps;
            const TFrame& up = stack[stack.size() - 2];
            if (parent < 0 || ::fstat(parent, &ps) != 0 || ps.st_dev != up.Dev || ps.st_ino != up.Ino) {
                if (parent >= 0) ::close(parent);
                failed = f.Prefix;
                break;
            }
            ::close(Fd);
            Fd = parent;
            const std::string prefix = f.Prefix, sysName = f.SysName;
            stack.pop_back();
            if (::unlinkat(Fd, sysName.c_str(), AT_REMOVEDIR) != 0) failed = prefix;
            continue;
        }
        const TRawEntry& e = f.Entries[f.Next++];
        struct stat es;
        if (::fstatat(Fd, e.SysName.c_str(), &es, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) failed = f.Prefix + e.Name; // gone meanwhile: nothing to delete
            continue;
        }
        if (S_ISDIR(es.st_mode)) {
            TFrame child;
            child.Prefix = f.Prefix + e.Name + Sep;
            child.SysName = e.SysName;
            child.Dev = es.st_dev;
            child.Ino = es.st_ino;
            const int sub = ::openat(Fd, e.SysName.c_str(), DirFlags);
            struct stat ss;
            if (sub < 0 || ::fstat(sub, &ss) != 0 || !SameEntry(ss, es)) {
                if (sub >= 0) ::close(sub);
                failed = child.Prefix;
                continue;
            }
            ListDirFd(sub, child.Entries);
            ::close(Fd);
            Fd = sub;
            stack.push_back(std::move(child));
            continue;
        }
        if (IsMarkedReadOnly(es) || (::unlinkat(Fd, e.SysName.c_str(), 0) != 0 && errno != ENOENT))
            failed = f.Prefix + e.Name;
    }
    ::close(Fd);
    return failed;
}

} // namespace

std::string DelDirTree(const std::string& Dir) {
    if (Dir.empty()) return "";
    std::string dir = IncludeSep(Dir);
    const std::string sys = StripSysSep(ToSysPath(dir));
    struct stat st;
    if (::lstat(sys.c_str(), &st) != 0) return dir;
    // The root of the file system is never deleted (as "rm" preserves it).
    struct stat root;
    if (::stat("/", &root) == 0 && SameEntry(st, root)) return dir;
    if (S_ISLNK(st.st_mode)) return ::unlink(sys.c_str()) == 0 ? "" : dir;
    const int fd = ::open(sys.c_str(), DirFlags);
    if (fd < 0) return dir;
    struct stat fs;
    if (::fstat(fd, &fs) != 0 || !SameEntry(fs, st)) {
        ::close(fd);
        return dir;
    }
    std::string failed = DeleteContents(fd, dir, fs, SepFor(dir));
    if (!failed.empty()) return failed;
    return ::rmdir(sys.c_str()) == 0 ? "" : dir;
}

} // namespace qyx
