// FileCopyFeedBk: blocks and feedback, results of every failure, times and attributes, the abort
// switch, and targets that are links, devices or the source itself.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace qyx;
using namespace qyx::test;

namespace {

using TCalls = std::vector<std::pair<int64_t, int64_t>>;

struct stat StatOf(const std::string& Path) {
    struct stat st {};
    ::lstat(Path.c_str(), &st);
    return st;
}

std::string Pattern(size_t Size) {
    std::string s(Size, '\0');
    for (size_t i = 0; i < Size; ++i) s[i] = static_cast<char>(i * 7 + i / 251);
    return s;
}

} // namespace

TEST(FileSysCopy, CopiesInBlocksWithFeedback) {
    TTempDir tmp;
    const std::string data = Pattern(20000);
    tmp.File("src.bin", data);
    struct timespec old[2] = {{0, UTIME_OMIT}, {1000000000, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, tmp("src.bin").c_str(), old, 0), 0);
    TCalls calls;
    EXPECT_EQ(FileCopyFeedBk(tmp("src.bin"), tmp("dst.bin"), false,
                             [&](int64_t Done, int64_t Total) { calls.emplace_back(Done, Total); }),
              0);
    EXPECT_EQ(calls, (TCalls{{0, 20000}, {0, 20000}, {8192, 20000}, {16384, 20000}, {20000, 20000}}));
    EXPECT_EQ(ReadAll(tmp("dst.bin")), data);
    const struct stat st = StatOf(tmp("dst.bin"));
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
}

TEST(FileSysCopy, BlockBoundariesAndEmptyFiles) {
    TTempDir tmp;
    const std::pair<size_t, TCalls> cases[] = {
        {0, {{0, 0}, {0, 0}, {0, 0}}},
        {8192, {{0, 8192}, {0, 8192}, {8192, 8192}, {8192, 8192}}},
        {8193, {{0, 8193}, {0, 8193}, {8192, 8193}, {8193, 8193}}},
    };
    for (const auto& [size, expected] : cases) {
        SCOPED_TRACE(size);
        tmp.File("src", Pattern(size));
        TCalls calls;
        EXPECT_EQ(FileCopyFeedBk(tmp("src"), tmp("dst"), false,
                                 [&](int64_t Done, int64_t Total) { calls.emplace_back(Done, Total); }),
                  0);
        EXPECT_EQ(calls, expected);
        EXPECT_EQ(ReadAll(tmp("dst")), Pattern(size));
    }
    EXPECT_EQ(FileCopyFeedBk(tmp("src"), tmp("nofeedback"), false), 0);
}

TEST(FileSysCopy, IntoAnExistingDirectory) {
    TTempDir tmp;
    tmp.File("a/Name.txt", "content");
    tmp.Dir("target");
    EXPECT_EQ(FileCopyFeedBk(tmp("a/Name.txt"), tmp("target"), false), 0);
    EXPECT_EQ(ReadAll(tmp("target/Name.txt")), "content");
    EXPECT_EQ(FileCopyFeedBk(tmp("a\\Name.txt"), tmp("TARGET\\"), false), 0); // separators and case
    EXPECT_EQ(ReadAll(tmp("target/Name.txt")), "content");
}

TEST(FileSysCopy, FailureResults) {
    TTempDir tmp;
    tmp.File("src.txt", "source");
    tmp.File("ro.txt", "read-only");
    MakeReadOnly(tmp("ro.txt"));
    struct TCase {
        std::string Source, Dest;
        int Result;
    };
    const TCase cases[] = {
        {tmp("src.txt"), tmp("missing/dst.txt"), -2},
        {tmp("src.txt"), tmp("ro.txt"), -2},  // marked read-only, also for root
        {tmp("src.txt"), tmp("SRC.TXT"), -2}, // the source itself: never emptied
        {tmp("src.txt"), "", -2},
        {tmp("src.txt"), "/dev/full", -3},  // the device refuses every write
        {"/proc/self/mem", tmp("mem"), -4}, // reading from address 0 fails
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Source + " -> " + c.Dest);
        EXPECT_EQ(FileCopyFeedBk(c.Source, c.Dest, false), c.Result);
    }
    EXPECT_EQ(ReadAll(tmp("src.txt")), "source");
    EXPECT_EQ(ReadAll(tmp("ro.txt")), "read-only");
    EXPECT_FALSE(Exists(tmp("mem"))) << "an incomplete target is removed";
    EXPECT_TRUE(S_ISCHR(StatOf("/dev/full").st_mode)) << "a device is never removed";
}

TEST(FileSysCopy, SourceThatCannotBeOpenedRaises) {
    TTempDir tmp;
    tmp.Dir("dir");
    const std::pair<std::string, int> cases[] = {
        {tmp("missing.txt"), 2}, {tmp("nodir/x.txt"), 2}, {"", 2}, {tmp("dir"), 5}};
    for (const auto& [source, code] : cases) {
        SCOPED_TRACE(source);
        try {
            FileCopyFeedBk(source, tmp("dst"), false);
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.ErrorCode, code);
        }
    }
    EXPECT_FALSE(Exists(tmp("dst")));
}

TEST(FileSysCopy, Attributes) {
    TTempDir tmp;
    tmp.File("script.sh", "#!/bin/sh\n");
    ASSERT_EQ(::chmod(tmp("script.sh").c_str(), 0555), 0); // read-only and executable
    EXPECT_EQ(FileCopyFeedBk(tmp("script.sh"), tmp("with.sh"), true), 0);
    EXPECT_EQ(StatOf(tmp("with.sh")).st_mode & 07777, 0755u) << "permissions copied, writable for the owner";
    EXPECT_EQ(FileCopyFeedBk(tmp("script.sh"), tmp("without.sh"), false), 0);
    EXPECT_TRUE(StatOf(tmp("without.sh")).st_mode & S_IWUSR);
    EXPECT_FALSE(StatOf(tmp("without.sh")).st_mode & S_IXUSR);
    EXPECT_EQ(FileGetAttr(tmp("with.sh")) & faReadOnly, 0);
}

TEST(FileSysCopy, ALinkAtTheTargetIsReplacedNotWrittenThrough) {
    TTempDir tmp;
    tmp.File("src.txt", "new");
    tmp.File("outside/victim.txt", "untouched");
    tmp.Link(tmp("outside/victim.txt"), "dst.txt");
    EXPECT_EQ(FileCopyFeedBk(tmp("src.txt"), tmp("dst.txt"), false), 0);
    EXPECT_FALSE(IsLinkAt(tmp("dst.txt")));
    EXPECT_EQ(ReadAll(tmp("dst.txt")), "new");
    EXPECT_EQ(ReadAll(tmp("outside/victim.txt")), "untouched");
}

TEST(FileSysCopy, AbortStopsAfterTheCurrentBlock) {
    TTempDir tmp;
    tmp.File("big.bin", Pattern(5 * 8192 + 10));
    TCalls calls;
    const int result =
        FileCopyFeedBk(tmp("big.bin"), tmp("part.bin"), false, [&](int64_t Done, int64_t Total) {
            calls.emplace_back(Done, Total);
            if (Done == 8192) AbortAnyFileCopying();
        });
    EXPECT_EQ(result, -5);
    EXPECT_EQ(calls, (TCalls{{0, 40970}, {0, 40970}, {8192, 40970}, {16384, 40970}}));
    EXPECT_FALSE(Exists(tmp("part.bin"))) << "an aborted copy leaves no partial file";

    // The switch is cleared by the next copy.
    AbortAnyFileCopying();
    EXPECT_EQ(FileCopyFeedBk(tmp("big.bin"), tmp("whole.bin"), false), 0);
    EXPECT_EQ(ReadAll(tmp("whole.bin")), Pattern(5 * 8192 + 10));
}

TEST(FileSysCopy, AbortDuringTheLastBlockStillCompletes) {
    TTempDir tmp;
    tmp.File("small.bin", Pattern(100));
    EXPECT_EQ(FileCopyFeedBk(tmp("small.bin"), tmp("copy.bin"), false,
                             [](int64_t, int64_t) { AbortAnyFileCopying(); }),
              0);
    EXPECT_EQ(ReadAll(tmp("copy.bin")), Pattern(100));
}
