#include <qyx/platform/Exceptions.h>
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/TypedFile.h>

#include "FileSystemTestDir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace qyx;
using qyx::test::GetFile;
using qyx::test::PutFile;
using qyx::test::TTempDir;

namespace {

struct TRec {
    int32_t Id;
    float Lat;
    double Weight;
};
static_assert(sizeof(TRec) == 16);

template <class Fn> int ErrorCodeOf(Fn Action) {
    try {
        Action();
    } catch (const EInOutError& e) {
        return e.ErrorCode;
    }
    return -1;
}

// Restores the process-wide FileMode after a test changes it.
struct TFileModeGuard {
    int Saved = FileMode;
    ~TFileModeGuard() { FileMode = Saved; }
};

} // namespace

TEST(TypedFile, RecordsBySeekReadWriteAndTruncate) {
    TTempDir dir;
    FileOf<TRec> f;
    AssignFile(f, dir / "recs.dat");
    Rewrite(f);
    for (int i = 0; i < 3; ++i) Write(f, TRec{i + 1, 10.5f * static_cast<float>(i), 1.25 * i});
    EXPECT_EQ(FileSize(f), 3);
    EXPECT_EQ(FilePos(f), 3);
    EXPECT_TRUE(Eof(f));

    Seek(f, 1);
    TRec r{};
    Read(f, r);
    EXPECT_EQ(r.Id, 2);
    EXPECT_EQ(r.Lat, 10.5f);
    EXPECT_EQ(r.Weight, 1.25);
    EXPECT_EQ(FilePos(f), 2);
    EXPECT_FALSE(Eof(f));

    Seek(f, 3);
    EXPECT_EQ(ErrorCodeOf([&] { Read(f, r); }), 100); // read at the end
    EXPECT_EQ(FilePos(f), 3);

    Seek(f, 5); // writing beyond the end extends the file
    Write(f, TRec{9, 0, 0});
    EXPECT_EQ(FileSize(f), 6);
    Seek(f, 1);
    Truncate(f);
    EXPECT_EQ(FileSize(f), 1);
    EXPECT_EQ(ErrorCodeOf([&] { Seek(f, -1); }), 25);
    CloseFile(f);
    EXPECT_EQ(GetFile(dir / "recs.dat").size(), 16u);
    EXPECT_EQ(ErrorCodeOf([&] { CloseFile(f); }), 103);
    EXPECT_EQ(ErrorCodeOf([&] { FileSize(f); }), 103);
}

TEST(TypedFile, ResetFollowsFileMode) {
    TTempDir dir;
    TFileModeGuard guard;
    PutFile(dir / "eight.dat", std::string(16, '\x01'));
    FileOf<int64_t> f;
    AssignFile(f, dir / "eight.dat");

    FileMode = 0;
    Reset(f);
    int64_t v = 0;
    Read(f, v);
    EXPECT_EQ(v, 0x0101010101010101);
    EXPECT_EQ(ErrorCodeOf([&] { Write(f, v); }), 105);
    EXPECT_EQ(ErrorCodeOf([&] { Truncate(f); }), 105);

    FileMode = 1;
    Reset(f); // reopens; an open file is closed first
    EXPECT_EQ(ErrorCodeOf([&] { Read(f, v); }), 104);
    Write(f, int64_t{7});
    CloseFile(f);

    // A file marked read-only opens only with FileMode 0.
    ASSERT_EQ(FileSetAttr(dir / "eight.dat", faReadOnly), 0);
    FileMode = 2;
    EXPECT_EQ(ErrorCodeOf([&] { Reset(f); }), 5);
    EXPECT_FALSE(f.IsOpen());
    FileMode = 0;
    Reset(f);
    Read(f, v);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(FileSize(f), 2);
}

TEST(TypedFile, BlockReadAndWriteOnUntypedFiles) {
    TTempDir dir;
    UntypedFile f;
    AssignFile(f, dir / "bytes.bin");
    Rewrite(f, 1);
    const char data[] = "0123456789";
    int done = -1;
    BlockWrite(f, data, 10, done);
    EXPECT_EQ(done, 10);
    CloseFile(f);

    Reset(f, 4); // 10 bytes hold two whole records of 4
    EXPECT_EQ(f.GetRecSize(), 4);
    EXPECT_EQ(FileSize(f), 2);
    char buf[12] = {};
    BlockRead(f, buf, 3, done);
    EXPECT_EQ(done, 2);
    EXPECT_EQ(std::string(buf, 8), "01234567");
    EXPECT_EQ(FilePos(f), 2); // after the last whole record
    EXPECT_TRUE(Eof(f));

    Seek(f, 1);
    EXPECT_EQ(ErrorCodeOf([&] { BlockRead(f, buf, 2); }), 100); // short without a count raises
    Seek(f, 0);
    BlockRead(f, buf, 2);
    EXPECT_EQ(std::string(buf, 8), "01234567");
    BlockRead(f, buf, 0); // nothing asked, nothing read
    CloseFile(f);

    // A header read from a file that is too short fails with the input/output error.
    UntypedFile header;
    AssignFile(header, dir / "bytes.bin");
    Reset(header, 1);
    std::vector<char> head(260);
    EXPECT_EQ(ErrorCodeOf([&] { BlockRead(header, head.data(), 260); }), 100);
}

TEST(TypedFile, OpenOrCreate) {
    TTempDir dir;
    FileOf<TRec> f;
    AssignFile(f, dir / "Index.qyx");
    int code = 0;
    EXPECT_FALSE(TryReset(f, &code));
    EXPECT_EQ(code, 2);
    Rewrite(f);
    EXPECT_EQ(FileSize(f), 0);
    CloseFile(f);
    AssignFile(f, dir / "INDEX.QYX"); // the same file, found without regard to case
    EXPECT_TRUE(TryReset(f));
    EXPECT_TRUE(Eof(f));

    FileOf<TRec> unassigned;
    EXPECT_EQ(ErrorCodeOf([&] { Reset(unassigned); }), 102);
    {
        TIOChecksOff off;
        Reset(unassigned);
        EXPECT_EQ(IOResult(), 102);
    }
}
