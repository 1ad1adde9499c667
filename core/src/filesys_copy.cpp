// Copying files and directory trees with progress feedback and the global abort switch.
//
// A tree copy never follows a symbolic link: links are recreated as links, a link in the way of a
// target is replaced rather than written through, and special files (pipes, sockets, devices) are
// skipped, so nothing outside the destination tree is ever written.
#include <qyx/QYX_filesys.h>

#include "filesys_internal.h"

#include <qyx/platform/CodePage.h>
#include <qyx/platform/FileSystem.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qyx {

using namespace filesys;

namespace {

constexpr int BlockSize = 8192;

// The global copy state shared by FileCopyFeedBk, CopyFileTree and AbortAnyFileCopying.
struct TCopyState {
    std::atomic<bool> Abort{false};
    TTreeCopyFeedBackProc Feedback;
    std::string TargetName;
    int FileCount = 0;
    int64_t Done = 0;
    int64_t Total = 0;
};

TCopyState& CopyState() {
    static TCopyState state;
    return state;
}

// A descriptor closed when it goes out of scope, also when a feedback routine raises.
struct TFd {
    int Fd = -1;
    TFd() = default;
    explicit TFd(int AFd) : Fd(AFd) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd() {
        if (Fd >= 0) ::close(Fd);
    }
};

bool SameEntry(const struct stat& A, const struct stat& B) {
    return A.st_dev == B.st_dev && A.st_ino == B.st_ino;
}

// Reads until Count bytes, the end of the file or an error (-1).
int ReadBlock(int Fd, char* Buffer, int Count) {
    int got = 0;
    while (got < Count) {
        const ssize_t n = ::read(Fd, Buffer + got, static_cast<size_t>(Count - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<int>(n);
    }
    return got;
}

bool WriteBlock(int Fd, const char* Buffer, int Count) {
    while (Count > 0) {
        const ssize_t n = ::write(Fd, Buffer, static_cast<size_t>(Count));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        Buffer += n;
        Count -= static_cast<int>(n);
    }
    return true;
}

// Opens the copy's target for writing, emptied. A link there is replaced, never written through;
// the source itself and a file marked read-only are refused.
int CreateTarget(const std::string& DstSys, const struct stat& SrcSt) {
    struct stat ds;
    if (::lstat(DstSys.c_str(), &ds) == 0) {
        if (S_ISLNK(ds.st_mode)) {
            if (::unlink(DstSys.c_str()) != 0) return -1;
        } else if (SameEntry(ds, SrcSt) || IsMarkedReadOnly(ds)) {
            return -1;
        }
    }
    return ::open(DstSys.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
}

// Removes an incomplete target, provided the name still leads to the regular file that was written.
void RemoveTarget(int Fd, const std::string& DstSys) {
    struct stat fs, ps;
    if (::fstat(Fd, &fs) == 0 && S_ISREG(fs.st_mode) && ::lstat(DstSys.c_str(), &ps) == 0 &&
        SameEntry(fs, ps))
        ::unlink(DstSys.c_str());
}

// Copies between system paths: the open, block loop, time and attribute steps of FileCopyFeedBk.
int CopyFileSys(const std::string& SrcSys, const std::string& DstSys, int64_t Size, bool CopyAttribs,
                const TFileCopyFeedBackProc& Feedback) {
    TCopyState& state = CopyState();
    const auto report = [&](int64_t Done) {
        if (Feedback) Feedback(Done, Size);
    };
    report(0);
    int result = 0;
    struct stat ss;
    const TFd srcFd(::open(SrcSys.c_str(), O_RDONLY | O_CLOEXEC));
    TFd dstFd;
    const int src = srcFd.Fd;
    if (src < 0 || ::fstat(src, &ss) != 0 || S_ISDIR(ss.st_mode))
        result = -1;
    else if ((dstFd.Fd = CreateTarget(DstSys, ss)) < 0)
        result = -2;
    const int dst = dstFd.Fd;

    int64_t copied = 0;
    int got = 0;
    std::vector<char> buffer(BlockSize);
    while (result == 0) {
        got = ReadBlock(src, buffer.data(), BlockSize);
        if (got < 0) {
            result = -4;
            break;
        }
        report(copied);
        if (!WriteBlock(dst, buffer.data(), got)) {
            result = -3;
            break;
        }
        copied += got;
        if (got < BlockSize || state.Abort) break;
    }
    // Stopped by the abort switch before the end of the source: not a copy.
    if (result == 0 && got == BlockSize && copied < Size) result = -5;

    if (dst >= 0) {
        struct stat ds;
        const bool regular = ::fstat(dst, &ds) == 0 && S_ISREG(ds.st_mode);
        if (result == 0 && regular) {
            const timespec times[2] = {{0, UTIME_OMIT}, ss.st_mtim};
            ::futimens(dst, times);
            if (CopyAttribs) ::fchmod(dst, (ss.st_mode & 0777) | S_IWUSR);
        }
        if (result <= -3) RemoveTarget(dst, DstSys);
    }
    report(copied);
    return result;
}

// Makes DstSys a real directory: an existing one is kept, a link in the way is replaced. False
// when something else is in the way or the directory cannot be made.
bool MakeRealDir(const std::string& DstSys) {
    struct stat st;
    if (::lstat(DstSys.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        if (!S_ISLNK(st.st_mode) || ::unlink(DstSys.c_str()) != 0) return false;
    }
    return ::mkdir(DstSys.c_str(), 0777) == 0;
}

// Recreates the link SrcSys at DstSys with the same target text.
void CopyLink(const std::string& SrcSys, const std::string& DstSys) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(SrcSys.c_str(), target.data(), target.size());
        if (n < 0) return;
        if (static_cast<size_t>(n) < target.size()) {
            target.resize(static_cast<size_t>(n));
            break;
        }
        target.resize(target.size() * 2);
    }
    struct stat st;
    if (::lstat(DstSys.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || IsMarkedReadOnly(st) || ::unlink(DstSys.c_str()) != 0) return;
    }
    ::symlink(target.c_str(), DstSys.c_str());
}

std::string Child(const std::string& SysDir, const std::string& Name) {
    return SysDir.back() == '/' ? SysDir + Name : SysDir + "/" + Name;
}

void CopyDir(const std::string& SrcSys, const std::string& DstSys, const std::string& DstName, char Sep,
             const struct stat& DestRoot, bool CopyAttribs) {
    TCopyState& state = CopyState();
    std::vector<TRawEntry> entries;
    const int fd = ::open(SrcSys.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ListDirFd(fd, entries);
    ::close(fd);
    for (const TRawEntry& e : entries) {
        if (state.Abort) return;
        const std::string src = Child(SrcSys, e.SysName), dst = Child(DstSys, e.SysName);
        struct stat st;
        if (::lstat(src.c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
            // The destination inside the source is not copied into itself.
            if (SameEntry(st, DestRoot) || !MakeRealDir(dst)) continue;
            CopyDir(src, dst, DstName + e.Name + Sep, Sep, DestRoot, CopyAttribs);
        } else if (S_ISLNK(st.st_mode)) {
            CopyLink(src, dst);
        } else if (S_ISREG(st.st_mode)) {
            ++state.FileCount;
            state.TargetName = DstName + e.Name;
            CopyFileSys(src, dst, st.st_size, CopyAttribs, [&state](int64_t Done, int64_t Total) {
                state.Done = Done;
                state.Total = Total;
                if (state.Feedback) state.Feedback(Done, Total, state.TargetName, state.FileCount);
            });
            if (state.Feedback) state.Feedback(state.Done, state.Total, state.TargetName, state.FileCount);
        }
    }
}

} // namespace

int FileCopyFeedBk(const std::string& Source, const std::string& Dest, bool CopyAttribs,
                   const TFileCopyFeedBackProc& Feedback) {
    CopyState().Abort = false;
    const std::string dest = DirectoryExists(Dest) ? IncludeSep(Dest) + StripPath(Source) : Dest;
    // The size of the source; the input/output error passes when it cannot be opened at all.
    if (Source.empty()) RaiseInOut(ENOENT);
    const std::string srcSys = ToSysPath(Source);
    const int probe = ::open(srcSys.c_str(), O_RDONLY | O_CLOEXEC);
    if (probe < 0) RaiseInOut(errno);
    struct stat st;
    const int statResult = ::fstat(probe, &st);
    const int err = errno;
    ::close(probe);
    if (statResult != 0) RaiseInOut(err);
    if (S_ISDIR(st.st_mode)) RaiseInOut(EISDIR);
    return CopyFileSys(srcSys, dest.empty() ? std::string() : ToSysPath(dest), st.st_size, CopyAttribs,
                       Feedback);
}

void CopyFileTree(const std::string& SourceDir, const std::string& DestDir, bool CopyAttribs,
                  const TTreeCopyFeedBackProc& Feedback) {
    TCopyState& state = CopyState();
    state.Abort = false;
    state.Feedback = Feedback;
    state.TargetName.clear();
    state.FileCount = 0;
    state.Done = state.Total = 0;
    if (SourceDir.empty() || DestDir.empty()) return;
    const std::string src = IncludeSep(SourceDir), dst = IncludeSep(DestDir);
    if (AnsiSameText(src, dst)) return;
    if (!ForceDirectories(dst)) return;
    const std::string srcSys = StripSysSep(ToSysPath(src)), dstSys = StripSysSep(ToSysPath(dst));
    struct stat ss, ds;
    if (::stat(dstSys.c_str(), &ds) != 0 || (::stat(srcSys.c_str(), &ss) == 0 && SameEntry(ss, ds))) return;
    CopyDir(srcSys, dstSys, dst, SepFor(dst), ds, CopyAttribs);
    state.Feedback = nullptr;
}

void AbortAnyFileCopying() {
    CopyState().Abort = true;
}

} // namespace qyx
