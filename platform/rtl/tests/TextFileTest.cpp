#include <qyx/platform/Exceptions.h>
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/TextFile.h>

#include "FileSystemTestDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <vector>

using namespace qyx;
using qyx::test::GetFile;
using qyx::test::PutFile;
using qyx::test::TTempDir;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    TTempDir Dir;
    std::string Name = Dir / "t.txt";

    // Opens a file with these bytes for reading.
    void OpenWith(TextFile& F, const std::string& Bytes) {
        PutFile(Name, Bytes);
        AssignFile(F, Name);
        Reset(F);
    }
};

// The code of the EInOutError that Action raises, or -1 when it raises none.
template <class Fn> int ErrorCodeOf(Fn Action, std::string* Message = nullptr) {
    try {
        Action();
    } catch (const EInOutError& e) {
        if (Message) *Message = e.Message();
        return e.ErrorCode;
    }
    return -1;
}

} // namespace

TEST_F(TextFileTest, WritesCrLfLineEndsAndFormattedValues) {
    TextFile f;
    AssignFile(f, Name);
    Rewrite(f);
    Write(f, "ab");
    Writeln(f, std::string("c"));
    Writeln(f, 42, 5);
    Writeln(f, -7);
    Writeln(f, 2.5, 0, 2);
    Writeln(f, 'x');
    Writeln(f, true);
    Writeln(f, "r", 3);
    Writeln(f);
    CloseFile(f);
    EXPECT_EQ(GetFile(Name), "abc\r\n   42\r\n-7\r\n2.50\r\nx\r\nTRUE\r\n  r\r\n\r\n");
}

TEST_F(TextFileTest, ReadlnAcceptsCrLfLfAndLoneCr) {
    struct Case {
        std::string Bytes;
        std::vector<std::string> Lines;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"x\r\r\ny\n", {"x", "", "y"}},
        {"\n\n", {"", ""}},
        {"\r\n", {""}},
        {"last", {"last"}},
        {"", {}},
        {"tab\there \x07 bell\r\n", {"tab\there \x07 bell"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Bytes));
        TextFile f;
        OpenWith(f, c.Bytes);
        std::vector<std::string> lines;
        std::string s;
        while (!Eof(f)) {
            Readln(f, s);
            lines.push_back(s);
        }
        EXPECT_EQ(lines, c.Lines);
        Readln(f, s); // at the end: an empty line, no error
        EXPECT_EQ(s, "");
        CloseFile(f);
    }
}

TEST_F(TextFileTest, ByteTwentySixIsPlainData) {
    TextFile f;
    OpenWith(f, std::string("ab\x1A"
                            "cd\r\n\x1A",
                            8));
    std::string s;
    Readln(f, s);
    EXPECT_EQ(s, "ab\x1A"
                 "cd");
    EXPECT_FALSE(Eof(f));
    char c;
    Read(f, c);
    EXPECT_EQ(c, '\x1A');
    EXPECT_TRUE(Eof(f));
    CloseFile(f);
    Append(f); // Append keeps a trailing Ctrl-Z
    Write(f, "z");
    CloseFile(f);
    EXPECT_EQ(GetFile(Name), std::string("ab\x1A"
                                         "cd\r\n\x1Az",
                                         9));
}

TEST_F(TextFileTest, CharacterLineAndNumberReadsShareOnePosition) {
    TextFile f;
    OpenWith(f, "ab\r\ncd\r\n12 x\r\n");
    char c;
    Read(f, c);
    EXPECT_EQ(c, 'a');
    std::string s;
    Readln(f, s);
    EXPECT_EQ(s, "b");
    Read(f, c);
    EXPECT_EQ(c, 'c');
    Read(f, c);
    EXPECT_EQ(c, 'd');
    EXPECT_TRUE(Eoln(f));
    Read(f, c); // line ends come back as data
    EXPECT_EQ(c, '\r');
    Read(f, c);
    EXPECT_EQ(c, '\n');
    int n = 0;
    Read(f, n);
    EXPECT_EQ(n, 12);
    Read(f, c); // the blank that ended the number is still there
    EXPECT_EQ(c, ' ');
    Readln(f, s);
    EXPECT_EQ(s, "x");
    EXPECT_TRUE(Eof(f));
    std::string msg;
    EXPECT_EQ(ErrorCodeOf([&] { Read(f, c); }, &msg), 100);
    EXPECT_EQ(msg, "Disk read error");
}

TEST_F(TextFileTest, NumberReadsSkipBlanksAcrossLinesAndLeaveTheTerminator) {
    TextFile f;
    OpenWith(f, "  12\t-3.5e2\r\n\r\n  7 abc 1.5\r\n+8");
    int i = 0;
    double d = 0;
    long double e = 0;
    Read(f, i);
    Read(f, d);
    Read(f, e);
    EXPECT_EQ(i, 12);
    EXPECT_EQ(d, -350.0);
    EXPECT_EQ(e, 7.0L);
    EXPECT_FALSE(Eoln(f));
    std::string msg;
    EXPECT_EQ(ErrorCodeOf([&] { Read(f, i); }, &msg), 106);
    EXPECT_EQ(msg, "Invalid numeric format");
    Read(f, d);
    EXPECT_EQ(d, 1.5);
    EXPECT_TRUE(Eoln(f));
    int64_t big = 0;
    Read(f, big);
    EXPECT_EQ(big, 8);
    Read(f, i); // at the end of the file: 0 and no error
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(SeekEof(f));
}

TEST_F(TextFileTest, NumberErrorsGiveZeroInResultCodeMode) {
    TextFile f;
    OpenWith(f, "1 x2 3\r\n4 5\r\nnext");
    int a = -1, b = -1, c = -1;
    {
        TIOChecksOff off;
        Read(f, a);
        Read(f, b);
        EXPECT_EQ(IOResult(), 106);
        EXPECT_EQ(IOResult(), 0); // reading the code clears it
        Read(f, c);
    }
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 3);
    Readln(f, a, b); // numbers, then the rest of the line is skipped
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, 5);
    std::string s;
    Readln(f, s);
    EXPECT_EQ(s, "next");
}

TEST_F(TextFileTest, FixedCountReadsStopAtTheLineEnd) {
    TextFile f;
    OpenWith(f, "C  12\r\nab\r\n");
    std::string sym;
    Read(f, sym, 3);
    EXPECT_EQ(sym, "C  ");
    int n;
    Read(f, n);
    EXPECT_EQ(n, 12);
    Readln(f);
    Read(f, sym, 3);
    EXPECT_EQ(sym, "ab");
    EXPECT_TRUE(Eoln(f));
    Readln(f);
    EXPECT_TRUE(Eof(f));
}

TEST_F(TextFileTest, NonRaisingOpenChecks) {
    TextFile f;
    AssignFile(f, Dir / "missing.txt");
    int code = 0;
    EXPECT_FALSE(TryReset(f, &code));
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_FALSE(TryAppend(f, &code));
    EXPECT_EQ(code, 2);
    AssignFile(f, Dir / "nodir/x.txt");
    EXPECT_FALSE(TryReset(f, &code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(IOResult(), 0); // the Try forms leave IOResult alone

    {
        TIOChecksOff off;
        AssignFile(f, Dir / "missing.txt");
        Reset(f);
        Readln(f); // not open: recorded after the first code, which is kept
        EXPECT_EQ(IOResult(), 2);
        EXPECT_EQ(IOResult(), 0);
    }
    std::string msg;
    EXPECT_EQ(ErrorCodeOf([&] { Reset(f); }, &msg), 2);
    EXPECT_EQ(msg, "File not found");

    // The caller creates the file when Append fails.
    if (!TryAppend(f)) Rewrite(f);
    Writeln(f, "one");
    CloseFile(f);
    ASSERT_TRUE(TryAppend(f));
    Writeln(f, "two");
    CloseFile(f);
    EXPECT_EQ(GetFile(Dir / "missing.txt"), "one\r\ntwo\r\n");
}

TEST_F(TextFileTest, ModeAndStateErrorsCarryTheirCodes) {
    TextFile f;
    std::string line;
    EXPECT_EQ(ErrorCodeOf([&] { Reset(f); }), 102);
    AssignFile(f, Name);
    std::string msg;
    EXPECT_EQ(ErrorCodeOf([&] { Readln(f, line); }, &msg), 103);
    EXPECT_EQ(msg, "File not open");
    EXPECT_EQ(ErrorCodeOf([&] { CloseFile(f); }), 103);
    Rewrite(f);
    EXPECT_EQ(ErrorCodeOf([&] { Readln(f, line); }, &msg), 104);
    EXPECT_EQ(msg, "File not open for input");
    EXPECT_TRUE(Eof(f)); // an output file is always at its end
    CloseFile(f);
    Reset(f);
    EXPECT_EQ(ErrorCodeOf([&] { Write(f, "x"); }, &msg), 105);
    EXPECT_EQ(msg, "File not open for output");
    CloseFile(f);

    PutFile(Dir / "ro.txt", "old");
    ASSERT_EQ(FileSetAttr(Dir / "ro.txt", faReadOnly), 0);
    AssignFile(f, Dir / "ro.txt");
    EXPECT_EQ(ErrorCodeOf([&] { Rewrite(f); }, &msg), 5);
    EXPECT_EQ(msg, "File access denied");
    EXPECT_EQ(ErrorCodeOf([&] { Append(f); }), 5);
    EXPECT_EQ(GetFile(Dir / "ro.txt"), "old");
    AssignFile(f, Dir.Path());
    EXPECT_EQ(ErrorCodeOf([&] { Reset(f); }), 5); // a directory
}

TEST_F(TextFileTest, ResetOfAnOpenFileRewinds) {
    TextFile f;
    OpenWith(f, "first\r\nsecond\r\n");
    std::string s;
    Readln(f, s);
    Readln(f, s);
    EXPECT_EQ(s, "second");
    Reset(f);
    Readln(f, s);
    EXPECT_EQ(s, "first");
    // Rewrite then Reset of the same variable reads what was written.
    Rewrite(f);
    Write(f, "new");
    Reset(f);
    Readln(f, s);
    EXPECT_EQ(s, "new");
}

TEST_F(TextFileTest, LongLinesOfAnyLength) {
    const std::string longLine(3 * 1000 * 1000 + 17, 'q');
    TextFile f;
    AssignFile(f, Name);
    Rewrite(f);
    Writeln(f, longLine);
    Writeln(f, "short");
    CloseFile(f);
    Reset(f);
    std::string s;
    Readln(f, s);
    EXPECT_EQ(s.size(), longLine.size());
    EXPECT_EQ(s, longLine);
    Readln(f, s);
    EXPECT_EQ(s, "short");
    EXPECT_TRUE(Eof(f));
}

TEST_F(TextFileTest, NamesResolveWithoutRegardToCase) {
    ::mkdir((Dir / "Data").c_str(), 0777);
    PutFile(Dir / "Data/Sample.TXT", "found\r\n");
    TextFile f;
    AssignFile(f, Dir.Path() + "\\DATA\\sample.txt");
    Reset(f);
    std::string s;
    Readln(f, s);
    EXPECT_EQ(s, "found");
    CloseFile(f);
    // A new file goes into the directory found, under the name as written.
    AssignFile(f, Dir / "data/New.txt");
    Rewrite(f);
    CloseFile(f);
    EXPECT_TRUE(FileExists(Dir / "Data/New.txt"));
}

TEST_F(TextFileTest, ClosingOnDestructionWritesTheBuffer) {
    {
        TextFile f;
        AssignFile(f, Name);
        Rewrite(f);
        Write(f, "kept");
    }
    EXPECT_EQ(GetFile(Name), "kept");
}
