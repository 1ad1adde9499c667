// Directory and drive probes of QYX_filesys: existence, emptiness, the read-only probe, the drive
// table with drive types and free space, and file sizes.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <gtest/gtest.h>

#include <sys/statfs.h>
#include <sys/statvfs.h>

using namespace qyx;
using namespace qyx::test;

namespace {

// Maps a drive for one test and restores the table afterwards.
class TDriveMapping {
public:
    TDriveMapping(int Drive, const std::string& Root) : FDrive(Drive), FOld(GetDriveRoot(Drive)) {
        SetDriveRoot(Drive, Root);
    }
    ~TDriveMapping() { SetDriveRoot(FDrive, FOld); }

private:
    int FDrive;
    std::string FOld;
};

constexpr int DriveQ = 16, DriveT = 19;

} // namespace

TEST(FileSysProbes, DirExistsAndDirEmpty) {
    TTempDir tmp;
    tmp.Dir("empty");
    tmp.File("hidden/.x");
    tmp.Dir("withsub/sub");
    tmp.File("file.txt", "x");
    tmp.Link(tmp("withsub"), "link");
    struct TCase {
        std::string Path;
        bool Exists, Empty;
    };
    const TCase cases[] = {
        {tmp("empty"), true, true},
        {tmp("EMPTY\\"), true, true}, // found without regard to case, with either separator
        {tmp("hidden"), true, false}, // a hidden file is an entry
        {tmp("withsub"), true, false},
        {tmp("link"), true, false}, // a link to a directory is one
        {tmp("file.txt"), false, true},
        {tmp("missing"), false, true}, // cannot be listed: counts as empty
        {"", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(DirExists(c.Path), c.Exists);
        EXPECT_EQ(DirEmpty(c.Path), c.Empty);
    }
}

TEST(FileSysProbes, DirIsReadOnly) {
    TTempDir tmp;
    tmp.Dir("rw");
    tmp.Dir("ro");
    tmp.File("file.txt");
    MakeReadOnly(tmp("ro"));
    EXPECT_FALSE(DirIsReadOnly(tmp("rw")));
    EXPECT_TRUE(DirEmpty(tmp("rw"))) << "the probe file is deleted again";
    EXPECT_FALSE(DirIsReadOnly(tmp.Path()));
    // Without write permission the directory is read-only, also for a process running as root.
    EXPECT_TRUE(DirIsReadOnly(tmp("ro")));
    EXPECT_TRUE(DirIsReadOnly(tmp("file.txt")));
    EXPECT_TRUE(DirIsReadOnly(tmp("missing")));
    EXPECT_TRUE(DirIsReadOnly(""));
}

TEST(FileSysProbes, DirIsReadOnlyLeavesAnExistingProbeFileAlone) {
    TTempDir tmp;
    tmp.File("dir/$%$LO%$.$$$", "keep me");
    EXPECT_FALSE(DirIsReadOnly(tmp("dir")));
    EXPECT_EQ(ReadAll(tmp("dir/$%$LO%$.$$$")), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp("dir")), {}), 1);
}

TEST(FileSysProbes, DriveTable) {
    EXPECT_EQ(GetDriveRoot(2), "/");
    EXPECT_EQ(GetDriveRoot(0), "");
    EXPECT_EQ(GetDriveRoot(-1), "");
    EXPECT_EQ(GetDriveRoot(26), "");
    TTempDir tmp;
    {
        TDriveMapping t(DriveT, tmp.Path());
        EXPECT_EQ(GetDriveRoot(DriveT), tmp.Path());
        SetDriveRoot(26, "/"); // out of range: ignored
        EXPECT_EQ(GetDriveRoot(26), "");
    }
    EXPECT_EQ(GetDriveRoot(DriveT), "");
}

TEST(FileSysProbes, DiskIsReadOnly) {
    TTempDir tmp;
    tmp.Dir("ro");
    MakeReadOnly(tmp("ro"));
    EXPECT_TRUE(DiskIsReadOnly(DriveQ)); // unmapped
    EXPECT_TRUE(DiskIsReadOnly(-1));
    EXPECT_TRUE(DiskIsReadOnly(26));
    {
        TDriveMapping t(DriveT, tmp.Path());
        EXPECT_FALSE(DiskIsReadOnly(DriveT));
        EXPECT_FALSE(Exists(tmp("$%$LO%$.$$$")));
    }
    {
        TDriveMapping t(DriveT, tmp("ro"));
        EXPECT_TRUE(DiskIsReadOnly(DriveT));
    }
}

TEST(FileSysProbes, GetDiskDriveType) {
    EXPECT_EQ(GetDiskDriveType(-1), DRIVE_UNKNOWN);
    EXPECT_EQ(GetDiskDriveType(26), DRIVE_UNKNOWN);
    EXPECT_EQ(GetDiskDriveType(DriveQ), DRIVE_NO_ROOT_DIR);
    const int c = GetDiskDriveType(2);
    EXPECT_TRUE(c == DRIVE_FIXED || c == DRIVE_REMOVABLE || c == DRIVE_REMOTE || c == DRIVE_RAMDISK) << c;
    TTempDir tmp;
    {
        TDriveMapping t(DriveT, tmp("missing"));
        EXPECT_EQ(GetDiskDriveType(DriveT), DRIVE_NO_ROOT_DIR);
    }
    {
        TDriveMapping t(DriveT, tmp.File("file.txt"));
        EXPECT_EQ(GetDiskDriveType(DriveT), DRIVE_NO_ROOT_DIR);
    }
    if (std::filesystem::is_directory("/dev/shm")) {
        struct statfs fs;
        if (::statfs("/dev/shm", &fs) == 0 && fs.f_type == 0x01021994) { // tmpfs
            TDriveMapping t(DriveT, "/dev/shm");
            EXPECT_EQ(GetDiskDriveType(DriveT), DRIVE_RAMDISK);
        }
    }
}

TEST(FileSysProbes, DiskFreeExtended) {
    EXPECT_EQ(DiskFreeExtended(DriveQ), -1);
    EXPECT_EQ(DiskFreeExtended(-1), -1);
    struct statvfs vfs;
    ASSERT_EQ(::statvfs("/", &vfs), 0);
    const double expected = static_cast<double>(vfs.f_bavail) * static_cast<double>(vfs.f_frsize);
    const double free = DiskFreeExtended(2);
    EXPECT_GT(free, 0);
    EXPECT_NEAR(free, expected, 256.0 * 1024 * 1024); // others write to the disk meanwhile
    TTempDir tmp;
    TDriveMapping t(DriveT, tmp("missing"));
    EXPECT_EQ(DiskFreeExtended(DriveT), -1);
}

TEST(FileSysProbes, GetFileSize) {
    TTempDir tmp;
    tmp.File("b.dat", std::string(1234, 'b'));
    tmp.File("a.dat", std::string(7, 'a'));
    tmp.File("Empty.txt");
    tmp.Dir("0.dat");
    tmp.Dir("onlydir/x.dat");
    const std::pair<std::string, int64_t> cases[] = {
        {tmp("b.dat"), 1234},
        {tmp("B.DAT"), 1234},
        {tmp("*.dat"), 7}, // the first file in name order: the directory 0.dat is passed over
        {tmp("empty.txt"), 0},
        {tmp("onlydir/*.dat"), -1},
        {tmp("missing.dat"), -1},
        {tmp("0.dat"), -1},
        {"", -1},
    };
    for (const auto& [name, size] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(GetFileSize(name), size);
    }
}
