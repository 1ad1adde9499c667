// MoveToRecycleBin: files go to the freedesktop.org trash of the test's own temporary directory,
// with their trash info; nothing is ever deleted outright.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <gtest/gtest.h>

#include <regex>

#include <sys/statfs.h>
#include <unistd.h>

using namespace qyx;
using namespace qyx::test;
namespace fs = std::filesystem;

namespace {

// The info text the trash holds for a file, with the date replaced by a placeholder once its form
// has been checked.
std::string InfoOf(const std::string& Trash, const std::string& Name) {
    std::string text = ReadAll(Trash + "/info/" + Name + ".trashinfo");
    const std::regex date("DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
    return std::regex_replace(text, date, "DeletionDate=<date>\n");
}

std::string Info(const std::string& Path) {
    return "[Trash Info]\nPath=" + Path + "\nDeletionDate=<date>\n";
}

} // namespace

TEST(FileSysTrash, MovesFilesIntoTheHomeTrash) {
    TTempDir tmp;
    TEnvVar xdg("XDG_DATA_HOME", tmp("xdg").c_str());
    const std::string trash = tmp("xdg/Trash");
    tmp.File("w/a.txt", "a");
    tmp.File("w/B.TXT", "b");
    tmp.File("w/ro.txt", "read-only");
    MakeReadOnly(tmp("w/ro.txt"));
    tmp.File("w/sp ace%.txt", "odd");
    tmp.File("w/.hidden.txt", "skipped");
    tmp.Dir("w/dir.txt");
    tmp.File("w/other.dat", "not matched");
    tmp.File("target.txt", "link target");
    tmp.Link(tmp("target.txt"), "w/link.txt");

    EXPECT_EQ(MoveToRecycleBin(tmp("w/*.txt")), 5);
    EXPECT_EQ(ReadAll(trash + "/files/a.txt"), "a");
    EXPECT_EQ(ReadAll(trash + "/files/B.TXT"), "b");
    EXPECT_EQ(ReadAll(trash + "/files/ro.txt"), "read-only");
    EXPECT_EQ(ReadAll(trash + "/files/sp ace%.txt"), "odd");
    EXPECT_TRUE(IsLinkAt(trash + "/files/link.txt")) << "a link is trashed as a link";
    EXPECT_EQ(ReadAll(tmp("target.txt")), "link target");
    EXPECT_EQ(InfoOf(trash, "a.txt"), Info(tmp("w/a.txt")));
    EXPECT_EQ(InfoOf(trash, "sp ace%.txt"), Info(tmp("w/sp%20ace%25.txt")));
    for (const char* gone : {"a.txt", "B.TXT", "ro.txt", "sp ace%.txt", "link.txt"}) {
        SCOPED_TRACE(gone);
        EXPECT_FALSE(Exists(tmp("w/") + gone));
    }
    EXPECT_TRUE(Exists(tmp("w/.hidden.txt")));
    EXPECT_TRUE(Exists(tmp("w/dir.txt")));
    EXPECT_TRUE(Exists(tmp("w/other.dat")));
    EXPECT_EQ(fs::status(trash).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(FileSysTrash, NamesAlreadyInTheTrashAreNotReplaced) {
    TTempDir tmp;
    TEnvVar xdg("XDG_DATA_HOME", tmp("xdg").c_str());
    const std::string trash = tmp("xdg/Trash");
    for (const char* content : {"first", "second", "third"}) {
        tmp.File("w/a.txt", content);
        EXPECT_EQ(MoveToRecycleBin(tmp("w/a.txt")), 1);
    }
    tmp.File("xdg/Trash/files/n.txt", "without info"); // taken although no info file names it
    tmp.File("w/n.txt", "new");
    EXPECT_EQ(MoveToRecycleBin(tmp("w/N.TXT")), 1);
    EXPECT_EQ(ReadAll(trash + "/files/a.txt"), "first");
    EXPECT_EQ(ReadAll(trash + "/files/a.2.txt"), "second");
    EXPECT_EQ(ReadAll(trash + "/files/a.3.txt"), "third");
    EXPECT_EQ(InfoOf(trash, "a.3.txt"), Info(tmp("w/a.txt")));
    EXPECT_EQ(ReadAll(trash + "/files/n.txt"), "without info");
    EXPECT_EQ(ReadAll(trash + "/files/n.2.txt"), "new");
    EXPECT_FALSE(Exists(trash + "/info/n.txt.trashinfo"));
}

TEST(FileSysTrash, HomeTrashWithoutXdgDataHome) {
    TTempDir tmp;
    TEnvVar xdg("XDG_DATA_HOME", nullptr);
    TEnvVar home("HOME", tmp("home").c_str());
    tmp.File("w/a.txt", "a");
    EXPECT_EQ(MoveToRecycleBin(tmp("w/a.txt")), 1);
    EXPECT_EQ(ReadAll(tmp("home/.local/share/Trash/files/a.txt")), "a");
}

TEST(FileSysTrash, WithoutAUsableTrashNothingIsDeleted) {
    TTempDir tmp;
    tmp.File("blocker", "a file where the trash would go");
    TEnvVar xdg("XDG_DATA_HOME", tmp("blocker/data").c_str());
    tmp.File("w/a.txt", "a");
    EXPECT_EQ(MoveToRecycleBin(tmp("w/*.txt")), 0);
    EXPECT_EQ(ReadAll(tmp("w/a.txt")), "a");
    EXPECT_EQ(MoveToRecycleBin(tmp("missing/*.txt")), 0);
}

TEST(FileSysTrash, AFileOnAnotherFileSystemGoesToItsTopDirectory) {
    struct statfs shm;
    if (::statfs("/dev/shm", &shm) != 0 || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no writable /dev/shm";
    TTempDir tmp;
    TEnvVar xdg("XDG_DATA_HOME", tmp("xdg").c_str());
    struct stat a, b;
    ASSERT_EQ(::stat("/dev/shm", &a), 0);
    ASSERT_EQ(::stat(tmp.Path().c_str(), &b), 0);
    if (a.st_dev == b.st_dev) GTEST_SKIP() << "/dev/shm is on the same file system";

    std::string dir = "/dev/shm/qyxfs-XXXXXX";
    ASSERT_TRUE(::mkdtemp(dir.data()));
    const std::string name = dir.substr(dir.rfind('/') + 1) + ".txt";
    const std::string trash = "/dev/shm/.Trash-" + std::to_string(::getuid());
    const bool trashExisted = Exists(trash);
    std::ofstream(dir + "/" + name) << "shm";
    EXPECT_EQ(MoveToRecycleBin(dir + "/*.txt"), 1);
    EXPECT_EQ(ReadAll(trash + "/files/" + name), "shm");
    EXPECT_EQ(InfoOf(trash, name), Info(dir.substr(std::string("/dev/shm/").size()) + "/" + name));
    // Clean up what this test made outside its temporary directory.
    fs::remove(trash + "/files/" + name);
    fs::remove(trash + "/info/" + name + ".trashinfo");
    fs::remove(dir);
    if (!trashExisted) fs::remove_all(trash);
}
