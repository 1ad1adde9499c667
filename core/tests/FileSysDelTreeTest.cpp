// DelDirTree: whole trees with odd names and deep nesting, links that must not be followed, and
// read-only files that stop the deletion where they stand.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace qyx;
using namespace qyx::test;
namespace fs = std::filesystem;

namespace {

std::set<std::string> NamesIn(const std::string& Dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(Dir)) names.insert(e.path().filename().string());
    return names;
}

// A chain of Depth directories below Dir made with mkdirat, so that its total path may be longer
// than any path the system accepts; a file at the bottom.
void MakeDeepChain(const std::string& Dir, int Depth) {
    int fd = ::open(Dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    const std::string name(200, 'n');
    for (int i = 0; i < Depth; ++i) {
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0700), 0);
        const int sub = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        ASSERT_GE(sub, 0);
        fd = sub;
    }
    const int file = ::openat(fd, "bottom.txt", O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(file, 0);
    ::close(file);
    ::close(fd);
}

} // namespace

TEST(FileSysDelTree, DeletesEverything) {
    TTempDir tmp;
    tmp.File("t/a.txt", "a");
    tmp.File("t/.hidden", "h");
    tmp.File("t/sub/b.txt", "b");
    tmp.File("t/sp ace/back\\slash", "odd");
    tmp.File("t/bad\xFF\xFEname/*?", "odd");
    tmp.Dir("t/empty");
    ASSERT_EQ(::mkfifo(tmp("t/fifo").c_str(), 0600), 0);
    MakeDeepChain(tmp("t/sub"), 30); // 30 * 201 characters: beyond the longest path
    EXPECT_EQ(DelDirTree(tmp("t")), "");
    EXPECT_FALSE(Exists(tmp("t")));
}

TEST(FileSysDelTree, LinksAreRemovedNotFollowed) {
    TTempDir tmp;
    tmp.File("outside/keep.txt", "keep");
    tmp.File("outside/sub/keep2.txt", "keep");
    tmp.File("t/x.txt");
    tmp.Link(tmp("outside"), "t/dirlink");
    tmp.Link(tmp("outside/keep.txt"), "t/filelink");
    tmp.Link("..", "t/up");
    tmp.Link("nowhere", "t/dangling");
    tmp.Dir("t/sub");
    tmp.Link(tmp("outside/sub"), "t/sub/deeplink");
    EXPECT_EQ(DelDirTree(tmp("t")), "");
    EXPECT_FALSE(Exists(tmp("t")));
    EXPECT_EQ(NamesIn(tmp("outside")), (std::set<std::string>{"keep.txt", "sub"}));
    EXPECT_EQ(ReadAll(tmp("outside/sub/keep2.txt")), "keep");
}

TEST(FileSysDelTree, ALinkAsTheDirectoryRemovesOnlyTheLink) {
    TTempDir tmp;
    tmp.File("real/keep.txt", "keep");
    tmp.Link(tmp("real"), "link");
    EXPECT_EQ(DelDirTree(tmp("link")), "");
    EXPECT_FALSE(Exists(tmp("link")));
    EXPECT_EQ(ReadAll(tmp("real/keep.txt")), "keep");
}

TEST(FileSysDelTree, ReadOnlyFileStopsWhereItStands) {
    TTempDir tmp;
    struct TCase {
        std::string Dir;      // given to DelDirTree
        std::string ReadOnly; // relative to tmp
        std::string Result;   // the path returned
        std::set<std::string> TopLeft, SubLeft;
    };
    const TCase cases[] = {
        // Entries in name order: a.txt, m_ro.txt (stops), sub, z.txt.
        {tmp("t"), "t/m_ro.txt", tmp("t/m_ro.txt"), {"m_ro.txt", "sub", "z.txt"}, {"c.txt", "d.txt"}},
        // In the subdirectory: c.txt goes, d.txt stays and so does everything after sub.
        {tmp("t"), "t/sub/d.txt", tmp("t/sub/d.txt"), {"sub", "z.txt"}, {"d.txt"}},
        // Backslashes in the given path are kept in the path returned.
        {tmp("t\\sub"),
         "t/sub/d.txt",
         tmp("t\\sub\\d.txt"),
         {"a.txt", "m_ro.txt", "sub", "z.txt"},
         {"d.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Result);
        fs::remove_all(tmp("t"));
        for (const char* f : {"t/a.txt", "t/m_ro.txt", "t/sub/c.txt", "t/sub/d.txt", "t/z.txt"})
            tmp.File(f, "x");
        MakeReadOnly(tmp(c.ReadOnly));
        EXPECT_EQ(DelDirTree(c.Dir), c.Result);
        EXPECT_EQ(NamesIn(tmp("t")), c.TopLeft);
        EXPECT_EQ(NamesIn(tmp("t/sub")), c.SubLeft);
    }
}

TEST(FileSysDelTree, NothingToDeleteOrNoDirectory) {
    TTempDir tmp;
    tmp.File("file.txt", "keep");
    EXPECT_EQ(DelDirTree(""), "");
    EXPECT_EQ(DelDirTree(tmp("missing")), tmp("missing/"));
    EXPECT_EQ(DelDirTree(tmp("file.txt")), tmp("file.txt/"));
    EXPECT_EQ(ReadAll(tmp("file.txt")), "keep");
    tmp.Dir("Empty");
    EXPECT_EQ(DelDirTree(tmp("empty\\")), ""); // found without regard to case
    EXPECT_FALSE(Exists(tmp("Empty")));
}
