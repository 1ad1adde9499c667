// Names and paths of QYX_filesys: the string rules of backslash paths and drives, long names on
// disk, the environment and the system directories.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <gtest/gtest.h>

using namespace qyx;
using qyx::test::TEnvVar;
using qyx::test::TTempDir;

TEST(FileSysPaths, StripPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"c:\\dir\\name.txt", "name.txt"}, {"c:name.txt", "name.txt"}, {"name", "name"}, {"dir\\", ""},
        {"/home/u/a.txt", "a.txt"},        {"a\\b/c:d", "d"},          {"", ""},
    };
    for (const auto& [path, name] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(StripPath(path), name);
    }
}

TEST(FileSysPaths, EnsureDefaultFileExt) {
    struct TCase {
        const char *Name, *Ext, *Result;
    };
    const TCase cases[] = {
        {"a", ".txt", "a.txt"},
        {"a", "txt", "a.txt"},
        {"a.dat", "txt", "a.dat"},
        {"a", "", "a"},
        {"a.", "txt", "a."},                       // a name with a dot has an extension, an empty one
        {"dir.d\\name", "txt", "dir.d\\name.txt"}, // a dot in the directory does not count
        {"dir.d/name", "txt", "dir.d/name.txt"},
        {"c:name", "txt", "c:name.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " + " + c.Ext);
        EXPECT_EQ(EnsureDefaultFileExt(c.Name, c.Ext), c.Result);
    }
}

TEST(FileSysPaths, IsRootDirAndExtractDrive) {
    const std::pair<const char*, bool> roots[] = {
        {"c:\\", true}, {"C:\\", true}, {"  c:\\  ", true}, {"1:\\", true}, {"/", true},
        {" / ", true},  {"c:", false},  {"c:\\x", false},   {"\\", false},  {"c:/", false},
        {"", false},    {"   ", false}, {"cc:\\", false},
    };
    for (const auto& [path, root] : roots) {
        SCOPED_TRACE(path);
        EXPECT_EQ(IsRootDir(path), root);
    }
    const std::pair<const char*, int> drives[] = {
        {"d:\\x", 3}, {"\\x", -1}, {"1:", 0}, {"A:", 0},   {"a:", 0},    {"Z:\\", 25},
        {"z:", 25},   {"c", -1},   {"", -1},  {"ab:", -1}, {"/tmp", -1},
    };
    for (const auto& [path, drive] : drives) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ExtractDrive(path), drive);
    }
}

TEST(FileSysPaths, IsDOS83Path) {
    const std::pair<const char*, bool> cases[] = {
        {"c:\\dos\\command.com", true},
        {"c:\\abcdefgh\\x", true},   // 8 characters and the backslash: 9
        {"c:\\abcdefghi\\x", false}, // a directory name of 9 characters
        {"abcdefgh.txt", true},
        {"abcdefghi.txt", false},
        {"a.b.c", true},
        {"c:\\dos\\abcdefghij", false}, // the last piece has 10 characters
        {"c:\\my dir\\x", false},       // blank
        {"c:\\a+b\\x", false},
        {"a/b", false},
        {"a\"b", false},
        {"a;b", false},
        {"a[1]", false},
        {"a|b", false},
        {"a\tb", false},
        {"caf\xE9", false}, // above 126
        {"~1$#@!.%&'", true},
        {"", true},
    };
    for (const auto& [path, ok] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(IsDOS83Path(path), ok);
    }
}

TEST(FileSysPaths, DOSToWinPathGivesTheSpellingOnDisk) {
    TTempDir tmp;
    tmp.File("Data/Sub/File.TXT", "x");
    EXPECT_EQ(DOSToWinPath(tmp("data\\sub\\file.txt")), tmp("Data/Sub/File.TXT"));
    // Components that do not exist are kept as given.
    EXPECT_EQ(DOSToWinPath(tmp("DATA\\new\\x.txt")), tmp("Data/new/x.txt"));
    EXPECT_EQ(DOSToWinPath(tmp("data/sub/../sub/FILE.txt")), tmp("Data/Sub/File.TXT"));
}

TEST(FileSysPaths, EnvironmentAndSystemDirectories) {
    {
        TEnvVar var("QYX_FS_TEST_VAR", "value 1");
        EXPECT_EQ(GetEnviroVar("qyx_fs_test_var"), "value 1");
        EXPECT_EQ(GetEnviroVar("QYX_FS_TEST_VAR"), "value 1");
    }
    EXPECT_EQ(GetEnviroVar("QYX_FS_TEST_VAR"), "");
    EXPECT_EQ(GetEnviroVar(""), "");

    EXPECT_EQ(GetSystemDir(), "/usr/lib");
    EXPECT_EQ(GetWindowsDir(), "/usr");
    EXPECT_TRUE(DirExists(GetSystemDir()));
    EXPECT_TRUE(DirExists(GetWindowsDir()));

    TTempDir tmp;
    {
        TEnvVar var("TMPDIR", tmp.Path().c_str());
        EXPECT_EQ(GetTempDir(), tmp.Path());
    }
    {
        TEnvVar var("TMPDIR", tmp("missing").c_str());
        EXPECT_EQ(GetTempDir(), "/tmp/");
    }
}
