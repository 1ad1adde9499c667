// CopyFileTree: files, odd names, deep nesting, links copied as links, special files skipped,
// feedback, the abort switch, a destination inside the source, and links in the destination.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace qyx;
using namespace qyx::test;
namespace fs = std::filesystem;

namespace {

// Every entry below Root with its kind and content ("link:" plus the target text for links).
std::map<std::string, std::string> Snapshot(const std::string& Root) {
    std::map<std::string, std::string> m;
    for (auto it = fs::recursive_directory_iterator(Root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string rel = fs::relative(it->path(), Root).string();
        if (it->is_symlink())
            m[rel] = "link:" + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            m[rel] = "dir";
        else if (it->is_regular_file())
            m[rel] = "file:" + ReadAll(it->path().string());
        else
            m[rel] = "special";
    }
    return m;
}

std::string DeepPath(int Depth) {
    std::string p;
    for (int i = 0; i < Depth; ++i) p += "d" + std::to_string(i) + "/";
    return p;
}

} // namespace

TEST(FileSysTreeCopy, CopiesFilesLinksAndOddNames) {
    TTempDir tmp;
    tmp.File("src/a.txt", "a");
    tmp.File("src/sub/b.txt", "b");
    tmp.File("src/sp ace & 'quote'.txt", "space");
    tmp.File("src/back\\slash", "backslash in the name");
    tmp.File("src/*star?", "mask characters");
    tmp.File("src/-dash", "dash");
    tmp.File("src/caf\xC3\xA9.txt", "utf-8 name");
    tmp.File("src/bad\xFF\xFEname", "bytes that are no UTF-8");
    tmp.File("src/.hidden", "hidden");
    tmp.File("src/ro.txt", "read-only");
    MakeReadOnly(tmp("src/ro.txt"));
    tmp.File("src/" + DeepPath(40) + "deep.txt", "deep");
    tmp.File("outside/secret.txt", "outside");
    tmp.Link(tmp("outside"), "src/dirlink");
    tmp.Link(tmp("outside/secret.txt"), "src/filelink");
    tmp.Link("sub/b.txt", "src/relative");
    tmp.Link("nowhere", "src/dangling");
    ASSERT_EQ(::mkfifo(tmp("src/fifo").c_str(), 0600), 0);

    CopyFileTree(tmp("src"), tmp("dst"), false);

    auto expected = Snapshot(tmp("src"));
    expected.erase("fifo"); // special files are skipped (reading a pipe would wait forever)
    EXPECT_EQ(Snapshot(tmp("dst")), expected);
    EXPECT_EQ(Snapshot(tmp("outside")), (std::map<std::string, std::string>{{"secret.txt", "file:outside"}}));
    EXPECT_TRUE(fs::status(tmp("dst/ro.txt")).permissions() == (fs::status(tmp("dst/a.txt")).permissions()))
        << "without CopyAttribs the copies get default permissions";
}

TEST(FileSysTreeCopy, FeedbackCountsFiles) {
    TTempDir tmp;
    tmp.File("src/1.bin", std::string(10000, 'x'));
    tmp.File("src/2/3.bin", "three");
    tmp.Link("1.bin", "src/4.lnk");
    struct TCall {
        int64_t Done, Total;
        std::string Name;
        int Count;
        bool operator==(const TCall&) const = default;
    };
    std::vector<TCall> calls;
    CopyFileTree(tmp("src"), tmp("dst"), false,
                 [&](int64_t Done, int64_t Total, const std::string& Name, int Count) {
                     calls.push_back({Done, Total, Name, Count});
                 });
    const std::string one = tmp("dst/1.bin"), three = tmp("dst/2/3.bin");
    const std::vector<TCall> expected = {
        {0, 10000, one, 1},     {0, 10000, one, 1}, {8192, 10000, one, 1}, {10000, 10000, one, 1},
        {10000, 10000, one, 1}, // once more after the file
        {0, 5, three, 2},       {0, 5, three, 2},   {5, 5, three, 2},      {5, 5, three, 2},
    };
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].Done, expected[i].Done);
        EXPECT_EQ(calls[i].Total, expected[i].Total);
        EXPECT_EQ(calls[i].Name, expected[i].Name);
        EXPECT_EQ(calls[i].Count, expected[i].Count);
    }
}

TEST(FileSysTreeCopy, AbortStopsTheTreeCleanly) {
    TTempDir tmp;
    for (int i = 1; i <= 5; ++i) tmp.File("src/f" + std::to_string(i), std::string(20000, 'a' + i));
    // Abort while the third file is being copied.
    CopyFileTree(tmp("src"), tmp("dst"), false, [](int64_t Done, int64_t, const std::string&, int Count) {
        if (Count == 3 && Done == 8192) AbortAnyFileCopying();
    });
    EXPECT_EQ(Snapshot(tmp("dst")),
              (std::map<std::string, std::string>{{"f1", "file:" + std::string(20000, 'b')},
                                                  {"f2", "file:" + std::string(20000, 'c')}}));
}

TEST(FileSysTreeCopy, AbortBetweenFiles) {
    TTempDir tmp;
    for (int i = 1; i <= 3; ++i) tmp.File("src/sub" + std::to_string(i) + "/f", "x");
    CopyFileTree(tmp("src"), tmp("dst"), false, [](int64_t Done, int64_t Total, const std::string&, int) {
        if (Done == Total) AbortAnyFileCopying();
    });
    EXPECT_EQ(Snapshot(tmp("dst")),
              (std::map<std::string, std::string>{{"sub1", "dir"}, {"sub1/f", "file:x"}}));
}

TEST(FileSysTreeCopy, DestinationInsideTheSource) {
    TTempDir tmp;
    tmp.File("src/a.txt", "a");
    tmp.File("src/sub/b.txt", "b");
    CopyFileTree(tmp("src"), tmp("src/sub/copy"), false);
    EXPECT_EQ(
        Snapshot(tmp("src/sub/copy")),
        (std::map<std::string, std::string>{{"a.txt", "file:a"}, {"sub", "dir"}, {"sub/b.txt", "file:b"}}));
}

TEST(FileSysTreeCopy, SameDirectoryOrEmptyNamesDoNothing) {
    TTempDir tmp;
    tmp.File("src/a.txt", "a");
    const auto before = Snapshot(tmp.Path());
    CopyFileTree(tmp("src"), tmp("SRC\\"), false);
    CopyFileTree(tmp("src"), tmp("src/../src"), false);
    CopyFileTree("", tmp("dst"), false);
    CopyFileTree(tmp("src"), "", false);
    EXPECT_EQ(Snapshot(tmp.Path()), before);
}

TEST(FileSysTreeCopy, LinksInTheDestinationAreNotFollowed) {
    TTempDir tmp;
    tmp.File("src/sub/new.txt", "new");
    tmp.File("src/file.txt", "copied");
    tmp.Dir("outside");
    tmp.File("victim.txt", "untouched");
    tmp.Dir("dst");
    tmp.Link(tmp("outside"), "dst/sub");
    tmp.Link(tmp("victim.txt"), "dst/file.txt");
    CopyFileTree(tmp("src"), tmp("dst"), false);
    EXPECT_EQ(Snapshot(tmp("dst")), Snapshot(tmp("src")));
    EXPECT_TRUE(fs::is_empty(tmp("outside")));
    EXPECT_EQ(ReadAll(tmp("victim.txt")), "untouched");
}

TEST(FileSysTreeCopy, CopyAttribsAndSingleFailuresDoNotStopTheTree) {
    TTempDir tmp;
    tmp.File("src/a.txt", "a");
    tmp.File("src/b.txt", "b");
    tmp.File("src/c.txt", "c");
    ASSERT_EQ(::chmod(tmp("src/a.txt").c_str(), 0500), 0);
    tmp.File("dst/b.txt", "protected");
    MakeReadOnly(tmp("dst/b.txt"));
    CopyFileTree(tmp("src"), tmp("dst"), true);
    EXPECT_EQ(ReadAll(tmp("dst/a.txt")), "a");
    EXPECT_EQ(fs::status(tmp("dst/a.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec);
    EXPECT_EQ(ReadAll(tmp("dst/b.txt")), "protected");
    EXPECT_EQ(ReadAll(tmp("dst/c.txt")), "c");
}
