// Searches and bulk operations on masks: FileDetect, ScanFilesToStrList, DeleteFiles and
// SetAllFilenameCase, on trees with hidden entries, read-only files and links that point back up.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <qyx/platform/CodePage.h>
#include <qyx/platform/StringList.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace qyx;
using namespace qyx::test;

namespace {

std::vector<std::string> Lines(const TStrings& L) {
    std::vector<std::string> v;
    for (int i = 0; i < L.GetCount(); ++i) v.push_back(L.GetStrings(i));
    return v;
}

// The names in a directory on disk, sorted.
std::set<std::string> NamesIn(const std::string& Dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Dir)) names.insert(e.path().filename().string());
    return names;
}

} // namespace

TEST(FileSysSearch, FileDetectSearchesDepthFirst) {
    TTempDir tmp;
    tmp.File("A/b/c/Target.txt", "deep");
    tmp.File("A/.hidden/target.txt"); // hidden directories are not searched
    tmp.File("A/z/TARGET.TXT", "later");
    tmp.File("A/top.txt");
    tmp.Link(tmp("A"), "A/b/loop"); // a link back up must not make the search run forever
    const std::string up = AnsiUpperCase(tmp.Path());
    EXPECT_EQ(FileDetect(tmp("a/target.txt")), up + "A/B/C/Target.txt");
    EXPECT_EQ(FileDetect(tmp("a/top.TXT")), up + "A/top.txt"); // its own directory first
    EXPECT_EQ(FileDetect(tmp("a\\z\\target.txt")), up + "A\\Z\\TARGET.TXT");
    EXPECT_EQ(FileDetect(tmp("a/b/c/target.txt")), up + "A/B/C/Target.txt");
    EXPECT_EQ(FileDetect(tmp("a/missing.txt")), "");
    EXPECT_EQ(FileDetect(tmp("a/b")), ""); // a directory is no file
    EXPECT_EQ(FileDetect(tmp("a/")), "");
    EXPECT_EQ(FileDetect(""), "");
    EXPECT_TRUE(FileExists(FileDetect(tmp("a/target.txt")))) << "the upper-cased path is found";
}

TEST(FileSysSearch, ScanFilesToStrList) {
    TTempDir tmp;
    tmp.File("r/one.dat");
    tmp.File("r/Two.DAT");
    tmp.File("r/.hidden.dat");
    tmp.File("r/skip.txt");
    tmp.Dir("r/dir.dat");
    tmp.File("r/sub/three.dat");
    tmp.File("r/sub/deeper/four.dat");
    tmp.File("outside/five.dat");
    tmp.Link(tmp("outside"), "r/linked");   // not entered
    tmp.Link(tmp("r"), "r/sub/up");         // not entered either
    tmp.Link(tmp("r/one.dat"), "r/ln.dat"); // a link to a file is listed like a file
    const std::string up = AnsiUpperCase(tmp.Path());

    TStringList flat;
    ScanFilesToStrList(tmp("r/*.dat"), false, &flat);
    EXPECT_EQ(Lines(flat), (std::vector<std::string>{up + "R/.hidden.dat", up + "R/ln.dat", up + "R/one.dat",
                                                     up + "R/Two.DAT"}));

    TStringList all;
    std::vector<std::pair<std::string, int>> feedback;
    ScanFilesToStrList(tmp("r/*.dat"), true, &all,
                       [&](const std::string& Dir, int Count) { feedback.emplace_back(Dir, Count); });
    const std::vector<std::string> expected = {up + "R/.hidden.dat",   up + "R/ln.dat",
                                               up + "R/one.dat",       up + "R/Two.DAT",
                                               up + "R/SUB/three.dat", up + "R/SUB/DEEPER/four.dat"};
    EXPECT_EQ(Lines(all), expected);
    const std::vector<std::pair<std::string, int>> expectedFeedback = {
        {up + "R/", 0}, {up + "R/DIR.DAT/", 4}, {up + "R/SUB/", 4}, {up + "R/SUB/DEEPER/", 5}};
    EXPECT_EQ(feedback, expectedFeedback);

    ScanFilesToStrList(tmp("r/*.dat"), true, nullptr); // nothing happens
    TStringList none;
    ScanFilesToStrList(tmp("missing/*.dat"), true, &none);
    EXPECT_EQ(none.GetCount(), 0);
}

TEST(FileSysSearch, DeleteFiles) {
    TTempDir tmp;
    tmp.File("d/a.tmp");
    tmp.File("d/B.TMP");
    tmp.File("d/.c.tmp");
    tmp.File("d/keep.txt");
    tmp.File("d/ro.tmp");
    MakeReadOnly(tmp("d/ro.tmp"));
    tmp.Dir("d/dir.tmp");
    tmp.File("outside/target.tmp", "kept");
    tmp.Link(tmp("outside/target.tmp"), "d/link.tmp");
    EXPECT_EQ(DeleteFiles(tmp("d/*.tmp")), 3); // a.tmp, B.TMP and the link itself
    EXPECT_EQ(NamesIn(tmp("d")), (std::set<std::string>{".c.tmp", "dir.tmp", "keep.txt", "ro.tmp"}));
    EXPECT_EQ(ReadAll(tmp("outside/target.tmp")), "kept");
    EXPECT_EQ(DeleteFiles(tmp("d/*.tmp")), 0);
    EXPECT_EQ(DeleteFiles(tmp("missing/*")), 0);
}

TEST(FileSysSearch, SetAllFilenameCase) {
    TTempDir tmp;
    tmp.File("c/Ab.TXT", "1");
    tmp.File("c/Sub/MiXed.txt", "2");
    tmp.File("c/Sub/Deeper/X.Txt", "3");
    tmp.File("c/.Hidden", "4");
    tmp.Link(tmp("c"), "c/Sub/Loop");
    SetAllFilenameCase(tmp("c/*"), false);
    EXPECT_EQ(NamesIn(tmp("c")), (std::set<std::string>{".hidden", "ab.txt", "sub"}));
    EXPECT_EQ(NamesIn(tmp("c/sub")), (std::set<std::string>{"deeper", "loop", "mixed.txt"}));
    EXPECT_EQ(NamesIn(tmp("c/sub/deeper")), std::set<std::string>{"x.txt"});
    EXPECT_EQ(ReadAll(tmp("c/sub/deeper/x.txt")), "3");

    // Only matching entries, and only matching subdirectories are entered.
    SetAllFilenameCase(tmp("c/*.txt"), true);
    EXPECT_EQ(NamesIn(tmp("c")), (std::set<std::string>{".hidden", "AB.TXT", "sub"}));
    EXPECT_EQ(NamesIn(tmp("c/sub")), (std::set<std::string>{"deeper", "loop", "mixed.txt"}));
}

TEST(FileSysSearch, SetAllFilenameCaseRaisesWhenARenameFails) {
    TTempDir tmp;
    tmp.File("c/A.TXT", "upper");
    tmp.File("c/a.txt", "lower");
    EXPECT_THROW(SetAllFilenameCase(tmp("c/*.txt"), true), EInOutError);
    EXPECT_EQ(ReadAll(tmp("c/A.TXT")), "upper");
    EXPECT_EQ(ReadAll(tmp("c/a.txt")), "lower");
}
