#include <qyx/platform/FileApi.h>
#include <qyx/platform/FileSystem.h>

#include "FileSystemTestDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

using namespace qyx;
using qyx::test::GetFile;
using qyx::test::PutFile;
using qyx::test::TTempDir;

namespace {

struct TFound {
    std::string Name;
    int Attr;
    friend bool operator==(const TFound&, const TFound&) = default;
    friend void PrintTo(const TFound& F, std::ostream* Os) { *Os << F.Name << ":" << F.Attr; }
};

std::vector<TFound> FindAll(const std::string& Path, int Attr) {
    std::vector<TFound> found;
    TSearchRec sr;
    if (FindFirst(Path, Attr, sr) == 0) {
        do found.push_back({sr.Name, sr.Attr});
        while (FindNext(sr) == 0);
    }
    FindClose(sr);
    return found;
}

mode_t ModeOf(const std::string& Path) {
    struct stat st;
    return ::stat(Path.c_str(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

TEST(FileSystem, CaseInsensitiveResolutionOfEachComponent) {
    TTempDir dir;
    ::mkdir((dir / "Maps").c_str(), 0777);
    PutFile(dir / "Maps/World.JPG", "w");
    EXPECT_EQ(ToSysPath(dir.Path() + "\\maps\\world.jpg"), dir / "Maps/World.JPG");
    EXPECT_EQ(ToSysPath(dir / "MAPS/new.txt"), dir / "Maps/new.txt"); // missing names stay as written
    EXPECT_EQ(ToSysPath(dir / "none/WORLD.JPG"), dir / "none/WORLD.JPG");
    EXPECT_TRUE(FileExists(dir / "mAPS/wORLD.jpg"));
    EXPECT_TRUE(DirectoryExists(dir / "MAPS/"));
    EXPECT_EQ(ExpandFileNameCase(dir / "maps/./WORLD.jpg"), dir / "Maps/World.JPG");

    // Several spellings on disk: the first in enumeration order wins; an exact spelling always wins.
    PutFile(dir / "ab", "lower");
    PutFile(dir / "AB", "upper");
    EXPECT_EQ(ToSysPath(dir / "Ab"), dir / "AB");
    EXPECT_EQ(ToSysPath(dir / "ab"), dir / "ab");

    // Code page 1252 names become UTF-8 on disk and match across ANSI case.
    PutFile(dir / "\xC3\xA4rger.txt", "umlaut"); // "ärger.txt" in UTF-8
    EXPECT_EQ(ToSysPath(dir / "\xC4RGER.TXT"), dir / "\xC3\xA4rger.txt");
}

TEST(FileSystem, MasksMatchWithoutRegardToCase) {
    struct Case {
        const char* Name;
        const char* Mask;
        bool Match;
    };
    const Case cases[] = {
        {"World.JPG", "*.jpg", true},
        {"world.jpeg", "*.jpg", false},
        {"a.b.c", "*.c", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"abc", "*", true},
        {"noext", "*.*", true},
        {"x.TXT", "?.t*", true},
        {"\xE9t\xE9", "\xC9T?", true},
        {"abab", "*ab", true},
        {"abac", "*ab", false},
        {"", "*", true},
        {"a", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " ~ " + c.Mask);
        EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Match);
    }
}

TEST(FileSystem, FindFirstListsSortedEntriesFilteredByMaskAndAttributes) {
    TTempDir dir;
    PutFile(dir / "b.txt", "bb");
    PutFile(dir / "A.txt", "a");
    PutFile(dir / "c.DAT", "");
    PutFile(dir / ".hidden", "");
    PutFile(dir / "ro.txt", "r");
    ::mkdir((dir / "Sub").c_str(), 0777);
    ASSERT_EQ(FileSetAttr(dir / "ro.txt", faReadOnly), 0);
    const int fa = faArchive;

    EXPECT_EQ(FindAll(dir / "*.TXT", faAnyFile),
              (std::vector<TFound>{{"A.txt", fa}, {"b.txt", fa}, {"ro.txt", fa | faReadOnly}}));
    EXPECT_EQ(
        FindAll(dir.Path() + "\\*", 0),
        (std::vector<TFound>{{"A.txt", fa}, {"b.txt", fa}, {"c.DAT", fa}, {"ro.txt", fa | faReadOnly}}));
    EXPECT_EQ(FindAll(dir / "*", faDirectory), (std::vector<TFound>{{".", faDirectory},
                                                                    {"..", faDirectory},
                                                                    {"A.txt", fa},
                                                                    {"b.txt", fa},
                                                                    {"c.DAT", fa},
                                                                    {"ro.txt", fa | faReadOnly},
                                                                    {"Sub", faDirectory}}));
    EXPECT_EQ(FindAll(dir / ".h*", faAnyFile), (std::vector<TFound>{{".hidden", fa | faHidden}}));

    TSearchRec sr;
    ASSERT_EQ(FindFirst(dir / "b.*", faAnyFile, sr), 0);
    EXPECT_EQ(sr.Size, 2);
    TDateTime age = 0;
    ASSERT_TRUE(FileAge(dir / "b.txt", age));
    EXPECT_EQ(sr.TimeStamp, age);
    EXPECT_EQ(sr.Time, FileAge(dir / "b.txt"));
    EXPECT_EQ(FindNext(sr), 18);
    FindClose(sr);
    EXPECT_EQ(FindFirst(dir / "*.none", faAnyFile, sr), 2);
    EXPECT_EQ(FindFirst(dir / "missing/*", faAnyFile, sr), 3);
    EXPECT_EQ(FindNext(sr), 18);
}

TEST(FileSystem, AttributesAndTheReadOnlyRefusal) {
    TTempDir dir;
    const std::string file = dir / "data.bin";
    PutFile(file, "x");
    EXPECT_EQ(FileGetAttr(file), faArchive);
    EXPECT_EQ(FileGetAttr(dir.Path()), faDirectory);
    EXPECT_EQ(FileGetAttr(dir / "missing"), -1);
    PutFile(dir / ".cfg", "");
    EXPECT_EQ(FileGetAttr(dir / ".cfg"), faArchive | faHidden);

    ASSERT_EQ(FileSetAttr(file, faReadOnly | faArchive), 0);
    EXPECT_EQ(ModeOf(file) & 0222, 0u);
    EXPECT_EQ(FileGetAttr(file), faReadOnly | faArchive);
    errno = 0;
    EXPECT_FALSE(DeleteFile(file)); // refused even when the process could delete it
    EXPECT_EQ(errno, EACCES);
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(FileOpen(file, fmOpenReadWrite), -1);
    EXPECT_EQ(FileCreate(file), -1);

    ASSERT_EQ(FileSetAttr(file, faArchive), 0);
    EXPECT_NE(ModeOf(file) & S_IWUSR, 0u);
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteFile(file));

    // Directories never carry the read-only attribute.
    ::chmod(dir.Path().c_str(), 0555);
    EXPECT_EQ(FileGetAttr(dir.Path()), faDirectory);
    EXPECT_EQ(FileSetAttr(dir.Path(), faReadOnly), 0);
    EXPECT_EQ(ModeOf(dir.Path()) & 0777, 0555u);
    ::chmod(dir.Path().c_str(), 0755);
}

TEST(FileSystem, DirectoriesAndRenaming) {
    TTempDir dir;
    EXPECT_TRUE(CreateDir(dir / "one"));
    EXPECT_FALSE(CreateDir(dir / "ONE")); // exists already, in another case
    EXPECT_FALSE(CreateDir(dir / "x/y"));
    EXPECT_TRUE(ForceDirectories(dir.Path() + "\\a\\b\\c\\"));
    EXPECT_TRUE(DirectoryExists(dir / "a/b/c"));
    EXPECT_TRUE(ForceDirectories(dir / "A/B")); // already there
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_FALSE(FileExists(dir / "a"));
    EXPECT_FALSE(DeleteFile(dir / "a"));
    EXPECT_FALSE(RemoveDir(dir / "a")); // not empty
    EXPECT_TRUE(RemoveDir(dir / "a/b/c"));
    PutFile(dir / "blocker", "");
    EXPECT_FALSE(ForceDirectories(dir / "blocker/sub"));

    PutFile(dir / "abc", "1");
    PutFile(dir / "other", "2");
    EXPECT_FALSE(RenameFile(dir / "abc", dir / "other")); // the target exists
    EXPECT_EQ(GetFile(dir / "other"), "2");
    EXPECT_TRUE(RenameFile(dir / "abc", dir / "ABC")); // a change of case
    EXPECT_EQ(FindAll(dir / "abc", faAnyFile), (std::vector<TFound>{{"ABC", faArchive}}));
    EXPECT_TRUE(RenameFile(dir / "abc", dir / "ONE/moved")); // into a directory found by case
    EXPECT_EQ(GetFile(dir / "one/moved"), "1");
    EXPECT_FALSE(RenameFile(dir / "missing", dir / "new"));
}

TEST(FileSystem, SizesAndTimes) {
    TTempDir dir;
    const std::string file = dir / "t.bin";
    PutFile(file, std::string(1234, 'z'));
    EXPECT_EQ(GetFileSizeOf(file), 1234);
    EXPECT_EQ(GetFileSizeOf(dir / "missing"), -1);
    EXPECT_EQ(GetFileSizeOf(dir.Path()), -1);

    const TDateTime when = 45000.5 + 1.0 / 86400 * 7.25; // 2023-03-15 12:00:07.25 local time
    ASSERT_EQ(FileSetDateTime(file, when), 0);
    TDateTime back = 0;
    ASSERT_TRUE(FileAge(file, back));
    EXPECT_NEAR(back, when, 1e-3 / 86400);
    EXPECT_EQ(FileAge(file), DateTimeToFileDate(when));
    EXPECT_EQ(FileAge(dir / "missing"), -1);
    EXPECT_FALSE(FileAge(dir / "missing", back));
    // The file date keeps even seconds: 12:00:06.
    EXPECT_NEAR(FileDateToDateTime(FileAge(file)), 45000.5 + 6.0 / 86400, 1e-9);
}

TEST(FileSystem, FileDatesAndUnixTimeConversion) {
    // 2023-03-15 12:00:06 packed: year 43, month 3, day 15, 12 h, 0 min, 3 two-second units.
    const int packed = (43 << 25) | (3 << 21) | (15 << 16) | (12 << 11) | 3;
    EXPECT_EQ(DateTimeToFileDate(45000.5 + 6.0 / 86400), packed);
    EXPECT_NEAR(FileDateToDateTime(packed), 45000.5 + 6.0 / 86400, 1e-9);
    EXPECT_EQ(FileDateToDateTime((43 << 25) | (2 << 21) | (29 << 16)), 0); // 29 February 2023
    EXPECT_EQ(FileDateToDateTime((43 << 25) | (13 << 21) | (1 << 16)), 0);
    EXPECT_EQ(DateTimeToFileDate(100.0), 0); // 1900 is before file dates begin

    // In UTC the conversion is days since 1899-12-30 = unix / 86400 + 25569.
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz ? oldTz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    TTempDir dir;
    const std::string file = dir / "u";
    PutFile(file, "");
    const timespec times[2] = {{86400 * 3 / 2, 0}, {86400 * 3 / 2, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    TDateTime age = 0;
    ASSERT_TRUE(FileAge(file, age));
    EXPECT_EQ(age, 25570.5);
    ASSERT_EQ(FileSetDateTime(file, 25569.25), 0);
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 21600);
    if (oldTz)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST(FileSystem, ExpandFileNameAndCurrentDirectory) {
    TTempDir dir;
    const std::string cwd = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir.Path()));
    EXPECT_EQ(GetCurrentDir(), dir.Path());
    struct Case {
        std::string In, Out;
    };
    const Case cases[] = {
        {"x.txt", dir / "x.txt"}, {"sub\\..\\y\\.\\z", dir / "y/z"},
        {"/a/./b/../c", "/a/c"},  {"\\x\\y\\", "/x/y/"},
        {"/../..", "/"},          {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.In);
        EXPECT_EQ(ExpandFileName(c.In), c.Out);
    }
    ::mkdir((dir / "Deep").c_str(), 0777);
    EXPECT_TRUE(SetCurrentDir("deep"));
    EXPECT_EQ(GetCurrentDir(), dir / "Deep");
    EXPECT_FALSE(SetCurrentDir(dir / "missing"));
    EXPECT_FALSE(SetCurrentDir(""));
    ASSERT_TRUE(SetCurrentDir(cwd));
}

TEST(FileSystem, EnvironmentAndTemporaryDirectory) {
    ::setenv("QYX_TEST_Var", "first", 1);
    ::setenv("QYX_TEST_VAR", "second", 1); // a later entry of the same name in another case
    ::setenv("QYX_TEST_UTF8", "\xC3\x84pfel", 1);
    EXPECT_EQ(GetEnvironmentVariable("qyx_test_var"), "second");
    EXPECT_EQ(GetEnvironmentVariable("QYX_TEST_UTF8"), "\xC4pfel");
    EXPECT_EQ(GetEnvironmentVariable("QYX_TEST_MISSING"), "");
    EXPECT_EQ(GetEnvironmentVariable(""), "");
    ::unsetenv("QYX_TEST_Var");
    ::unsetenv("QYX_TEST_VAR");
    ::unsetenv("QYX_TEST_UTF8");

    const std::string temp = GetTempDirectory();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '/');
    EXPECT_TRUE(DirectoryExists(temp));
}
