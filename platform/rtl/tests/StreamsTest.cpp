#include <qyx/platform/FileSystem.h>
#include <qyx/platform/Streams.h>

#include "FileSystemTestDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

using namespace qyx;
using qyx::test::GetFile;
using qyx::test::PutFile;
using qyx::test::TTempDir;

namespace {

// A source that hands out at most one byte per Read, as pipes and sockets may.
class TTrickleStream : public TStream {
public:
    explicit TTrickleStream(std::string Data) : FData(std::move(Data)) {}
    int Read(void* Buffer, int Count) override {
        if (Count <= 0 || FPos >= FData.size()) return 0;
        static_cast<char*>(Buffer)[0] = FData[FPos++];
        return 1;
    }
    int Write(const void*, int) override { return 0; } // a sink that is always full
    int64_t Seek(int64_t Offset, int Origin) override {
        if (Origin == soFromBeginning)
            FPos = static_cast<size_t>(Offset);
        else if (Origin == soFromCurrent)
            FPos += static_cast<size_t>(Offset);
        else
            FPos = FData.size() + static_cast<size_t>(Offset);
        return static_cast<int64_t>(FPos);
    }

private:
    std::string FData;
    size_t FPos = 0;
};

std::string Contents(TMemoryStream& M) {
    return std::string(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.GetSize()));
}

} // namespace

TEST(Streams, MemoryStreamReadsShortAtTheEndAndRaisesOnShortReadBuffer) {
    TMemoryStream m;
    m.WriteBuffer("abcdef", 6);
    EXPECT_EQ(m.GetSize(), 6);
    EXPECT_EQ(m.GetPosition(), 6);
    m.SetPosition(4);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 2);
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_EQ(m.Read(buf, 8), 0); // a read that delivers nothing is the end

    m.SetPosition(3);
    try {
        m.ReadBuffer(buf, 4);
        FAIL() << "short ReadBuffer must raise";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    m.SetPosition(0);
    m.ReadBuffer(buf, 6);
    EXPECT_EQ(std::string(buf, 6), "abcdef");
    m.ReadBuffer(buf, 0); // zero count at the end is fine
}

TEST(Streams, WriteBufferOfZeroBytesIsLegalEvenOnAFullSink) {
    TTrickleStream full("");
    EXPECT_NO_THROW(full.WriteBuffer("x", 0));
    try {
        full.WriteBuffer("x", 1);
        FAIL() << "a sink that takes nothing must raise";
    } catch (const EWriteError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    TMemoryStream m;
    m.WriteBuffer(nullptr, 0);
    EXPECT_EQ(m.GetSize(), 0);
}

TEST(Streams, ReadBufferCollectsPartialReadsAndCopyFromUsesThem) {
    TTrickleStream src("hello world");
    char buf[5];
    src.ReadBuffer(buf, 5);
    EXPECT_EQ(std::string(buf, 5), "hello");

    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(&src, 6), 6);
    EXPECT_EQ(Contents(dst), " world");
    // Count 0 copies the whole source from its start.
    TMemoryStream all;
    EXPECT_EQ(all.CopyFrom(&src, 0), 11);
    EXPECT_EQ(Contents(all), "hello world");
    // More than the source holds raises the read error.
    src.SetPosition(8);
    TMemoryStream more;
    EXPECT_THROW(more.CopyFrom(&src, 4), EReadError);
}

TEST(Streams, MemoryStreamSeekSizeAndGaps) {
    TMemoryStream m;
    EXPECT_EQ(m.Seek(10, soFromBeginning), 10); // beyond the end is allowed
    EXPECT_EQ(m.GetSize(), 0);
    m.WriteBuffer("z", 1);
    ASSERT_EQ(m.GetSize(), 11);
    EXPECT_EQ(Contents(m), std::string(10, '\0') + "z");
    EXPECT_EQ(m.Seek(-1, soFromEnd), 10);
    EXPECT_EQ(m.Seek(-3, soFromCurrent), 7);
    EXPECT_EQ(m.Seek(-8, soFromCurrent), -1); // before the start: refused, position kept
    EXPECT_EQ(m.GetPosition(), 7);
    m.SetSize(4); // cutting pulls the position back
    EXPECT_EQ(m.GetPosition(), 4);
    m.SetSize(6);
    EXPECT_EQ(Contents(m), std::string(6, '\0'));
    m.Clear();
    EXPECT_EQ(m.GetSize(), 0);
    EXPECT_EQ(m.GetPosition(), 0);
    // A write whose end lies beyond any possible size fails cleanly.
    m.Seek(INT64_MAX, soFromBeginning);
    EXPECT_THROW(m.WriteBuffer("x", 1), EOutOfMemory);
    TStringStream s;
    s.Seek(INT64_MAX, soFromBeginning);
    EXPECT_THROW(s.WriteBuffer("x", 1), EOutOfMemory);
}

TEST(Streams, MemoryStreamLoadAndSave) {
    TTempDir dir;
    TMemoryStream src;
    const std::string data = std::string("bin\0ary\r\n\x1A", 11);
    src.WriteBuffer(data.data(), static_cast<int>(data.size()));
    src.SetPosition(3);
    src.SaveToFile(dir / "m.bin");
    EXPECT_EQ(src.GetPosition(), 3); // saving leaves the own position alone
    EXPECT_EQ(GetFile(dir / "m.bin"), data);

    TMemoryStream loaded;
    loaded.WriteBuffer("old content that is longer", 26);
    loaded.LoadFromFile(dir / "m.bin");
    EXPECT_EQ(loaded.GetPosition(), 0);
    EXPECT_EQ(Contents(loaded), data);

    TMemoryStream copy;
    loaded.SetPosition(5);
    copy.LoadFromStream(&loaded); // the whole source, from its start
    EXPECT_EQ(Contents(copy), data);
    TMemoryStream out;
    out.WriteBuffer(">", 1);
    copy.SaveToStream(&out);
    EXPECT_EQ(Contents(out), ">" + data);
}

TEST(Streams, FileStreamRoundTripAndSize) {
    TTempDir dir;
    const std::string name = dir / "f.dat";
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer("0123456789", 10);
        EXPECT_EQ(f.GetSize(), 10);
        f.SetSize(4);
        EXPECT_EQ(f.GetPosition(), 4);
        f.WriteBuffer("AB", 2);
    }
    EXPECT_EQ(GetFile(name), "0123AB");
    {
        TFileStream f(name, fmOpenReadWrite | fmShareDenyWrite);
        f.Seek(-2, soFromEnd);
        char buf[4];
        EXPECT_EQ(f.Read(buf, 4), 2);
        EXPECT_EQ(std::string(buf, 2), "AB");
        f.SetPosition(0);
        f.WriteBuffer("x", 1);
    }
    EXPECT_EQ(GetFile(name), "x123AB");
    TFileStream r(name, fmOpenRead);
    EXPECT_EQ(r.GetFileName(), name);
    EXPECT_THROW(r.WriteBuffer("y", 1), EWriteError); // opened for reading only
}

TEST(Streams, FileStreamOpenAndCreateErrors) {
    TTempDir dir;
    const std::string missing = dir / "missing.txt";
    try {
        TFileStream f(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    const std::string noDir = dir / "nodir/new.txt";
    try {
        TFileStream f(noDir, fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + noDir + "\". No such file or directory");
    }
    // A file marked read-only refuses writing even to a privileged process.
    PutFile(dir / "ro.txt", "keep");
    ASSERT_EQ(FileSetAttr(dir / "ro.txt", faReadOnly), 0);
    EXPECT_THROW(TFileStream(dir / "ro.txt", fmOpenWrite), EFOpenError);
    EXPECT_THROW(TFileStream(dir / "ro.txt", fmCreate), EFCreateError);
    EXPECT_NO_THROW(TFileStream(dir / "ro.txt", fmOpenRead));
    EXPECT_EQ(GetFile(dir / "ro.txt"), "keep");
    // A directory is not a file.
    EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError);
}

TEST(Streams, FileStreamFindsNamesWithoutRegardToCaseAndBackslashes) {
    TTempDir dir;
    ::mkdir((dir / "Maps").c_str(), 0777);
    PutFile(dir / "Maps/World.DAT", "w");
    TFileStream f(dir.Path() + "\\maps\\world.dat", fmOpenRead);
    char c = 0;
    f.ReadBuffer(&c, 1);
    EXPECT_EQ(c, 'w');
}

TEST(Streams, StringStreamReadsWritesAndOverwrites) {
    TStringStream s("hello");
    EXPECT_EQ(s.GetPosition(), 0);
    EXPECT_EQ(s.ReadString(3), "hel");
    s.WriteString("LOWORLD");
    EXPECT_EQ(s.GetDataString(), "helLOWORLD");
    s.SetPosition(1);
    s.WriteString("E");
    EXPECT_EQ(s.GetDataString(), "hElLOWORLD"); // overwrites in place, keeps the rest
    EXPECT_EQ(s.ReadString(100), "lLOWORLD");
    EXPECT_EQ(s.ReadString(1), "");
    s.SetSize(2);
    EXPECT_EQ(s.GetDataString(), "hE");
    EXPECT_EQ(s.GetPosition(), 2);
}
