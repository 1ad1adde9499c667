// Drives and directory probes of QYX_filesys: the drive table, existence, emptiness, the read-only
// probe, drive types, free space and file sizes.
#include <qyx/QYX_filesys.h>

#include "filesys_internal.h"

#include <qyx/platform/FileSystem.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>

#include <fcntl.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace qyx {

using namespace filesys;

namespace {

std::array<std::string, 26>& DriveTable() {
    static std::array<std::string, 26> table{"", "", "/"}; // A:, B: unmapped, C: the root
    return table;
}

// File system magic numbers (statfs f_type) that decide the drive type.
constexpr long RemoteFs[] = {
    0x6969,     // NFS
    0x517B,     // SMB
    0xFE534D42, // SMB2
    0xFF534D42, // CIFS
    0x73757245, // Coda
    0x5346414F, // AFS
    0x01021997, // 9P
    0x00C36400, // Ceph
};
constexpr long OpticalFs[] = {0x9660 /* ISO 9660 */, 0x15013346 /* UDF */};
constexpr long MemoryFs[] = {0x01021994 /* tmpfs */, 0x858458F6 /* ramfs */};

template <size_t N> bool IsOneOf(long Type, const long (&List)[N]) {
    for (const long t : List)
        if (static_cast<uint32_t>(t) == static_cast<uint32_t>(Type)) return true;
    return false;
}

// A block device is removable when its disk says so in sysfs (a partition asks its parent disk).
bool OnRemovableMedia(dev_t Dev) {
    char base[64];
    std::snprintf(base, sizeof base, "/sys/dev/block/%u:%u/", major(Dev), minor(Dev));
    for (const char* rel : {"removable", "../removable"}) {
        std::ifstream f(std::string(base) + rel);
        int flag = 0;
        if (f >> flag) return flag == 1;
    }
    return false;
}

// Creates and deletes a probe file in the directory SysDir; false when it cannot be created. An
// existing file of the probe's name is left alone and another name is tried.
bool ProbeWritable(const std::string& SysDir) {
    const std::string dir = SysDir.empty() || SysDir.back() != '/' ? SysDir + "/" : SysDir;
    for (int k = 0; k < 100; ++k) {
        std::string name = "$%$LO%$.$$$";
        if (k > 0) name += std::to_string(k);
        const std::string path = dir + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(path.c_str());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

} // namespace

void SetDriveRoot(int Drive, const std::string& Root) {
    if (Drive >= 0 && Drive <= 25) DriveTable()[Drive] = Root;
}

std::string GetDriveRoot(int Drive) {
    return Drive >= 0 && Drive <= 25 ? DriveTable()[Drive] : std::string();
}

bool DirExists(const std::string& Dir) {
    return DirectoryExists(Dir);
}

bool DirEmpty(const std::string& Dir) {
    if (Dir.empty()) return true;
    TSearchRec sr;
    for (int r = FindFirst(IncludeSep(Dir) + "*.*", faAnyFile, sr); r == 0; r = FindNext(sr))
        if (sr.Name != "." && sr.Name != "..") return false;
    return true;
}

bool DirIsReadOnly(const std::string& Dir) {
    if (Dir.empty()) return true;
    const std::string sys = ToSysPath(IncludeSep(Dir));
    struct stat st;
    if (::stat(sys.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return true;
    struct statvfs vfs;
    if (::statvfs(sys.c_str(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY)) return true;
    // Without any write permission the directory counts as read-only even for a process that could
    // write there regardless (root).
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return !ProbeWritable(sys);
}

bool DiskIsReadOnly(int Drive) {
    const std::string root = GetDriveRoot(Drive);
    return root.empty() || DirIsReadOnly(root);
}

int GetDiskDriveType(int Drive) {
    if (Drive < 0 || Drive > 25) return DRIVE_UNKNOWN;
    const std::string root = GetDriveRoot(Drive);
    if (root.empty()) return DRIVE_NO_ROOT_DIR;
    const std::string sys = ToSysPath(root);
    struct stat st;
    struct statfs fs;
    if (::stat(sys.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || ::statfs(sys.c_str(), &fs) != 0)
        return DRIVE_NO_ROOT_DIR;
    const long type = static_cast<long>(fs.f_type);
    if (IsOneOf(type, RemoteFs)) return DRIVE_REMOTE;
    if (IsOneOf(type, OpticalFs)) return DRIVE_CDROM;
    if (IsOneOf(type, MemoryFs)) return DRIVE_RAMDISK;
    if (OnRemovableMedia(st.st_dev)) return DRIVE_REMOVABLE;
    return DRIVE_FIXED;
}

double DiskFreeExtended(int Drive) {
    const std::string root = GetDriveRoot(Drive);
    if (root.empty()) return -1;
    struct statvfs vfs;
    if (::statvfs(ToSysPath(root).c_str(), &vfs) != 0) return -1;
    const uint64_t bytes = static_cast<uint64_t>(vfs.f_bavail) * static_cast<uint64_t>(vfs.f_frsize);
    return static_cast<double>(bytes);
}

int64_t GetFileSize(const std::string& FileName) {
    if (FileName.empty()) return -1;
    TSearchRec sr;
    for (int r = FindFirst(ExpandFileName(FileName), faAnyFile, sr); r == 0; r = FindNext(sr))
        if (!(sr.Attr & faDirectory)) return sr.Size;
    return -1;
}

} // namespace qyx
