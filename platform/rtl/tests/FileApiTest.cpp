#include <qyx/platform/FileApi.h>

#include "FileSystemTestDir.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace qyx;
using qyx::test::GetFile;
using qyx::test::PutFile;
using qyx::test::TTempDir;

TEST(FileApi, HandlesReadWriteSeekAndReportFailuresAsMinusOne) {
    TTempDir dir;
    const std::string name = dir / "h.bin";
    EXPECT_EQ(FileOpen(name, fmOpenRead), -1);
    EXPECT_EQ(errno, ENOENT);

    const int h = FileCreate(name);
    ASSERT_GE(h, 0);
    EXPECT_EQ(FileWrite(h, "hello world", 11), 11);
    EXPECT_EQ(FileWrite(h, "", 0), 0);
    EXPECT_EQ(FileSeek(h, 6, soFromBeginning), 6);
    char buf[16] = {};
    EXPECT_EQ(FileRead(h, buf, 16), 5);
    EXPECT_EQ(std::string(buf, 5), "world");
    EXPECT_EQ(FileRead(h, buf, 16), 0);
    EXPECT_EQ(FileSeek(h, -5, soFromEnd), 6);
    EXPECT_EQ(FileSeek(h, 1, soFromCurrent), 7);
    EXPECT_EQ(FileSeek(h, -100, soFromCurrent), -1);
    EXPECT_TRUE(FileTruncate(h, 5));
    FileClose(h);
    EXPECT_EQ(GetFile(name), "hello");

    const int r = FileOpen(name, fmOpenRead | fmShareDenyWrite);
    ASSERT_GE(r, 0);
    EXPECT_EQ(FileWrite(r, "x", 1), -1); // opened for reading only
    FileClose(r);
    const int w = FileOpen(name, fmOpenWrite | fmShareDenyNone);
    ASSERT_GE(w, 0);
    EXPECT_EQ(FileRead(w, buf, 1), -1); // opened for writing only
    FileClose(w);
    EXPECT_EQ(FileOpen(dir.Path(), fmOpenRead), -1); // directories are not files
    EXPECT_EQ(FileOpen(name, 3), -1);
    EXPECT_EQ(FileRead(-1, buf, 1), -1);
    FileClose(-1);
}

TEST(FileApi, FileDatesOfOpenFiles) {
    TTempDir dir;
    const std::string name = dir / "d.bin";
    PutFile(name, "d");
    const int h = FileOpen(name, fmOpenReadWrite);
    ASSERT_GE(h, 0);
    const int date = DateTimeToFileDate(40000.25); // 2009-07-06 06:00:00
    ASSERT_EQ(FileSetDate(h, date), 0);
    EXPECT_EQ(FileGetDate(h), date);
    TDateTime dt = 0;
    ASSERT_TRUE(FileGetDateTime(h, dt));
    EXPECT_NEAR(dt, 40000.25, 1e-9);
    ASSERT_EQ(FileSetDateTime(h, 41000.75), 0);
    ASSERT_TRUE(FileGetDateTime(h, dt));
    EXPECT_NEAR(dt, 41000.75, 1e-9);
    FileClose(h);
    EXPECT_EQ(FileSetDate(name, date), 0);
    EXPECT_EQ(FileGetDate(-1), -1);
    EXPECT_NE(FileSetDate(name, 0), 0); // not a valid date
}
