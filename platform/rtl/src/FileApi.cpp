#include <qyx/platform/FileApi.h>

#include "FileApiInternal.h"

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qyx {

namespace detail {

int OpenSys(const std::string& SysPath, int Flags, mode_t Perm) {
    const bool writing = (Flags & (O_WRONLY | O_RDWR | O_TRUNC)) != 0;
    struct stat st;
    if (::stat(SysPath.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return -1;
        }
        if (writing && IsMarkedReadOnly(st)) {
            errno = EACCES;
            return -1;
        }
    }
    int fd;
    do {
        fd = ::open(SysPath.c_str(), Flags | O_CLOEXEC, Perm);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return -1;
    }
    return fd;
}

int64_t ReadAll(int Fd, void* Buffer, int64_t Count) {
    auto* p = static_cast<char*>(Buffer);
    int64_t done = 0;
    while (done < Count) {
        const ssize_t n = ::read(Fd, p + done, static_cast<size_t>(Count - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += n;
    }
    return done;
}

int64_t WriteAll(int Fd, const void* Buffer, int64_t Count) {
    const auto* p = static_cast<const char*>(Buffer);
    int64_t done = 0;
    while (done < Count) {
        const ssize_t n = ::write(Fd, p + done, static_cast<size_t>(Count - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) {
            errno = ENOSPC;
            return -1;
        }
        done += n;
    }
    return done;
}

int AttributesOf(const std::string& Name1252, const struct stat& St) {
    int attr = 0;
    if (S_ISDIR(St.st_mode))
        attr |= faDirectory;
    else
        attr |= faArchive;
    if (IsMarkedReadOnly(St)) attr |= faReadOnly;
    if (!Name1252.empty() && Name1252[0] == '.' && Name1252 != "." && Name1252 != "..") attr |= faHidden;
    return attr;
}

} // namespace detail

using namespace detail;

int FileOpen(const std::string& FileName, uint32_t Mode) {
    int flags;
    switch (Mode & 3) {
    case fmOpenRead: flags = O_RDONLY; break;
    case fmOpenWrite: flags = O_WRONLY; break;
    case fmOpenReadWrite: flags = O_RDWR; break;
    default: errno = EINVAL; return -1;
    }
    return OpenSys(ToSysPath(FileName), flags);
}

int FileCreate(const std::string& FileName) {
    return OpenSys(ToSysPath(FileName), O_RDWR | O_CREAT | O_TRUNC);
}

int FileRead(int Handle, void* Buffer, int Count) {
    if (Count <= 0) return 0;
    return static_cast<int>(ReadAll(Handle, Buffer, Count));
}

int FileWrite(int Handle, const void* Buffer, int Count) {
    if (Count <= 0) return 0;
    return static_cast<int>(WriteAll(Handle, Buffer, Count));
}

int64_t FileSeek(int Handle, int64_t Offset, int Origin) {
    int whence;
    switch (Origin) {
    case soFromBeginning: whence = SEEK_SET; break;
    case soFromCurrent: whence = SEEK_CUR; break;
    case soFromEnd: whence = SEEK_END; break;
    default: errno = EINVAL; return -1;
    }
    const off_t r = ::lseek(Handle, static_cast<off_t>(Offset), whence);
    return r < 0 ? -1 : static_cast<int64_t>(r);
}

bool FileTruncate(int Handle, int64_t Size) {
    if (Size < 0) {
        errno = EINVAL;
        return false;
    }
    int r;
    do {
        r = ::ftruncate(Handle, static_cast<off_t>(Size));
    } while (r < 0 && errno == EINTR);
    return r == 0;
}

void FileClose(int Handle) {
    if (Handle >= 0) ::close(Handle);
}

int FileGetDate(int Handle) {
    struct stat st;
    if (::fstat(Handle, &st) != 0) return -1;
    struct tm tm;
    const time_t t = st.st_mtim.tv_sec;
    if (!::localtime_r(&t, &tm)) return -1;
    return PackFileDate(tm);
}

bool FileGetDateTime(int Handle, TDateTime& DateTime) {
    struct stat st;
    if (::fstat(Handle, &st) != 0) return false;
    DateTime = UnixToLocalDateTime(st.st_mtim);
    return true;
}

static int SetTimes(int Handle, const char* SysPath, TDateTime DateTime) {
    timespec times[2];
    if (!LocalDateTimeToUnix(DateTime, times[1])) return EINVAL;
    times[0] = times[1];
    const int r = SysPath ? ::utimensat(AT_FDCWD, SysPath, times, 0) : ::futimens(Handle, times);
    return r == 0 ? 0 : errno;
}

int FileSetDateTime(int Handle, TDateTime DateTime) {
    return SetTimes(Handle, nullptr, DateTime);
}

int FileSetDate(int Handle, int Age) {
    const TDateTime dt = FileDateToDateTime(Age);
    if (dt == 0) return EINVAL;
    return SetTimes(Handle, nullptr, dt);
}

int FileSetDate(const std::string& FileName, int Age) {
    const TDateTime dt = FileDateToDateTime(Age);
    if (dt == 0) return EINVAL;
    return SetTimes(-1, ToSysPath(FileName).c_str(), dt);
}

int FileSetDateTime(const std::string& FileName, TDateTime DateTime) {
    return SetTimes(-1, ToSysPath(FileName).c_str(), DateTime);
}

} // namespace qyx
