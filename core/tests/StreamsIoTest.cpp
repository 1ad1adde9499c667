// Binary values, lines, searching and counting on streams.
#include <qyx/QYX_streams.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Streams.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace qyx;

namespace {

std::string Bytes(TStringStream& S) {
    return S.GetDataString();
}

// A stream that delivers at most one byte per Read, as a slow source may: a short read is not the end.
class TTrickleStream : public TStringStream {
public:
    using TStringStream::TStringStream;
    int Read(void* Buffer, int Count) override { return TStringStream::Read(Buffer, Count > 0 ? 1 : 0); }
};

// Records the size of every Write call.
class TRecordingStream : public TMemoryStream {
public:
    std::vector<int> Writes;
    int Write(const void* Buffer, int Count) override {
        Writes.push_back(Count);
        return TMemoryStream::Write(Buffer, Count);
    }
};

// A stream that accepts nothing.
class TFullStream : public TMemoryStream {
public:
    int Write(const void*, int) override { return 0; }
};

} // namespace

// ---- writers ---------------------------------------------------------------------------------------

TEST(StreamsIo, StringAndLineWriters) {
    TStringStream s;
    WriteStringStream(&s, "ab");
    WriteLnStream(&s, "c\xE9");
    WriteLnStream(&s, "");
    WriteStringStream(&s, "");
    EXPECT_EQ(Bytes(s), "abc\xE9\r\n\r\n");
}

TEST(StreamsIo, StringWriterHandsOverBlocksOf4096) {
    TRecordingStream s;
    WriteStringStream(&s, std::string(10000, 'x'));
    EXPECT_EQ(s.Writes, (std::vector<int>{4096, 4096, 1808}));
    EXPECT_EQ(s.GetSize(), 10000);
}

TEST(StreamsIo, WriteErrorsPass) {
    TFullStream s;
    EXPECT_THROW(WriteLnStream(&s, "x"), EWriteError);
    EXPECT_THROW(WriteLongintToStream(&s, 1), EWriteError);
    EXPECT_THROW(WriteExtendedToStream(&s, 1.0L), EWriteError);
}

TEST(StreamsIo, LongintIsFourBytesLittleEndian) {
    const std::pair<int, std::string> cases[] = {
        {0, std::string(4, '\0')},
        {0x12345678, "\x78\x56\x34\x12"},
        {-2, "\xFE\xFF\xFF\xFF"},
        {std::numeric_limits<int>::min(), std::string("\0\0\0\x80", 4)},
    };
    for (const auto& [value, bytes] : cases) {
        SCOPED_TRACE(value);
        TStringStream s;
        WriteLongintToStream(&s, value);
        EXPECT_EQ(Bytes(s), bytes);
        s.SetPosition(0);
        bool eof = true;
        EXPECT_EQ(ReadLongintFromStream(&s, eof), value);
        EXPECT_FALSE(eof);
    }
}

TEST(StreamsIo, ExtendedIsTenBytesOfTheX87Format) {
    TStringStream s;
    WriteExtendedToStream(&s, 1.0L);
    WriteExtendedToStream(&s, -2.5L);
    EXPECT_EQ(Bytes(s), std::string("\0\0\0\0\0\0\0\x80\xFF\x3F"
                                    "\0\0\0\0\0\0\0\xA0\x00\xC0",
                                    20));

    const long double values[] = {0.0L,
                                  -0.0L,
                                  3.14159265358979323846L,
                                  1e-4950L,
                                  std::numeric_limits<long double>::max(),
                                  -std::numeric_limits<long double>::infinity(),
                                  static_cast<long double>(1.7e308)};
    for (const long double v : values) {
        SCOPED_TRACE(static_cast<double>(v));
        TStringStream t;
        WriteExtendedToStream(&t, v);
        ASSERT_EQ(t.GetSize(), 10);
        t.SetPosition(0);
        bool eof = true;
        const long double back = ReadExtendedFromStream(&t, eof);
        EXPECT_FALSE(eof);
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
    TStringStream n;
    WriteExtendedToStream(&n, std::numeric_limits<long double>::quiet_NaN());
    n.SetPosition(0);
    bool eof = false;
    EXPECT_TRUE(std::isnan(ReadExtendedFromStream(&n, eof)));
}

TEST(StreamsIo, ShortReadsGiveEofAndZeroFilledValues) {
    bool eof = false;
    TStringStream two("\x34\x12");
    EXPECT_EQ(ReadLongintFromStream(&two, eof), 0x1234);
    EXPECT_TRUE(eof);
    TStringStream none;
    eof = false;
    EXPECT_EQ(ReadLongintFromStream(&none, eof), 0);
    EXPECT_TRUE(eof);
    // 1.0 without its last byte: the exponent's high byte reads as zero.
    TStringStream nine(std::string("\0\0\0\0\0\0\0\x80\xFF", 9));
    eof = false;
    const long double v = ReadExtendedFromStream(&nine, eof);
    EXPECT_TRUE(eof);
    TStringStream expect(std::string("\0\0\0\0\0\0\0\x80\xFF\0", 10));
    bool e2 = false;
    const long double w = ReadExtendedFromStream(&expect, e2);
    EXPECT_EQ(std::memcmp(&v, &w, 10), 0);
    TStringStream empty;
    eof = false;
    EXPECT_EQ(ReadExtendedFromStream(&empty, eof), 0.0L);
    EXPECT_TRUE(eof);
    // A source that delivers one byte per read still gives the full value.
    TTrickleStream slow(std::string("\x78\x56\x34\x12", 4));
    EXPECT_EQ(ReadLongintFromStream(&slow, eof), 0x12345678);
    EXPECT_FALSE(eof);
}

// ---- ReadLnStream ----------------------------------------------------------------------------------

namespace {

struct TLineCase {
    const char* Name;
    std::string Input;
    int LineEnd;
    std::vector<std::pair<std::string, bool>> Lines; // line and Eof, call by call
};

std::vector<std::pair<std::string, bool>> ReadAllLines(TStream* S, int LineEnd, size_t MaxCalls) {
    std::vector<std::pair<std::string, bool>> got;
    bool eof = false;
    while (!eof && got.size() < MaxCalls) {
        std::string line = ReadLnStream(S, eof, LineEnd);
        got.emplace_back(std::move(line), eof);
    }
    return got;
}

} // namespace

TEST(StreamsIo, ReadLnStreamLineEndModes) {
    const TLineCase cases[] = {
        {"CRLF, mode 4", "ab\r\ncd", 4, {{"ab", false}, {"cd", true}}},
        {"CRLF, mode 1: the LF is dropped at the next line's start",
         "ab\r\ncd",
         1,
         {{"ab", false}, {"cd", true}}},
        {"CRLF, mode 0", "ab\r\ncd", 0, {{"ab", false}, {"cd", true}}},
        {"CRLF, mode 2: CR and LF each end a line",
         "ab\r\ncd",
         2,
         {{"ab", false}, {"", false}, {"cd", true}}},
        {"CRLF, mode 3: needs LF then CR", "ab\r\ncd", 3, {{"abcd", true}}},
        {"LFCR, mode 3", "ab\n\rcd", 3, {{"ab", false}, {"cd", true}}},
        {"LF only, mode 4: never ends", "ab\ncd", 4, {{"abcd", true}}},
        {"CR only, mode 1", "ab\rcd\r", 1, {{"ab", false}, {"cd", false}, {"", true}}},
        {"other modes never end a line", "a\r\nb\rc\n", 5, {{"abc", true}}},
        {"negative mode", "a\nb", -1, {{"ab", true}}},
        {"tab kept, bell dropped, high bytes kept",
         "a\tb\x07"
         "c\xE9\n",
         0,
         {{"a\tbc\xE9", false}, {"", true}}},
        {"NUL bytes are dropped", std::string("a\0b\n", 4), 0, {{"ab", false}, {"", true}}},
        {"last line with line end", "x\r\n", 0, {{"x", false}, {"", true}}},
        {"empty stream", "", 0, {{"", true}}},
        {"empty lines", "\n\n", 0, {{"", false}, {"", false}, {"", true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TStringStream s(c.Input);
        EXPECT_EQ(ReadAllLines(&s, c.LineEnd, 10), c.Lines);
        TTrickleStream slow(c.Input);
        EXPECT_EQ(ReadAllLines(&slow, c.LineEnd, 10), c.Lines);
    }
}

TEST(StreamsIo, ReadLnStreamLeavesTheStreamJustAfterTheLineEnd) {
    const auto path = std::filesystem::temp_directory_path() / "qyx_streams_readln.txt";
    std::string text;
    for (int i = 0; i < 300; ++i) text += std::string(static_cast<size_t>(i % 17), 'a' + i % 26) + "\r\n";
    {
        TFileStream f(path.string(), fmCreate);
        WriteStringStream(&f, text);
    }
    TFileStream f(path.string(), fmOpenRead);
    TStringStream m(text);
    int64_t expected = 0;
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        bool eof1 = true, eof2 = true;
        const std::string want(static_cast<size_t>(i % 17), 'a' + i % 26);
        EXPECT_EQ(ReadLnStream(&f, eof1, 4), want);
        EXPECT_EQ(ReadLnStream(&m, eof2, 4), want);
        expected += static_cast<int64_t>(want.size()) + 2;
        ASSERT_EQ(f.GetPosition(), expected);
        ASSERT_EQ(m.GetPosition(), expected);
        EXPECT_FALSE(eof1);
    }
    bool eof = false;
    EXPECT_EQ(ReadLnStream(&f, eof, 4), "");
    EXPECT_TRUE(eof);
    std::filesystem::remove(path);
}

// ---- searching and counting ------------------------------------------------------------------------

TEST(StreamsIo, FindInStream) {
    TStringStream s("abcb");
    EXPECT_TRUE(FindInStream(&s, 'b'));
    EXPECT_EQ(s.GetPosition(), 2);
    EXPECT_TRUE(FindInStream(&s, 'b'));
    EXPECT_EQ(s.GetPosition(), 4);
    s.SetPosition(0);
    EXPECT_FALSE(FindInStream(&s, 'z'));
    EXPECT_EQ(s.GetPosition(), 4);
    TStringStream high("x\xFFy");
    EXPECT_TRUE(FindInStream(&high, 0xFF));
    EXPECT_EQ(high.GetPosition(), 2);
}

TEST(StreamsIo, StreamAsStringReadsFromThePositionToTheEnd) {
    for (const size_t n : {size_t(0), size_t(5), size_t(256), size_t(512), size_t(1000)}) {
        SCOPED_TRACE(n);
        std::string text(n, 'q');
        for (size_t i = 0; i < n; ++i) text[i] = static_cast<char>('a' + i % 26);
        TStringStream s(text);
        EXPECT_EQ(StreamAsString(&s), text);
        EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(n));
    }
    TStringStream s("hello world");
    s.SetPosition(6);
    EXPECT_EQ(StreamAsString(&s), "world");
}

TEST(StreamsIo, ReadStreamUntil) {
    struct TCase {
        const char* Name;
        std::string Input;
        int64_t Start;
        std::string Delim;
        std::string Result;
        int Status;
        int64_t PosAfter;
    };
    const std::string longText = std::string(254, 'a') + "MaRk" + std::string(100, 'b');
    const TCase cases[] = {
        {"found without regard to case", "abc end xyz", 0, "END", "abc end", 0, 7},
        {"first occurrence", "a;b;c", 0, ";", "a;", 0, 2},
        {"from the current position", "xx abc end xyz", 3, "end", "abc end", 0, 10},
        {"delimiter across two blocks of 256", longText, 0, "mark", longText.substr(0, 258), 0, 258},
        {"missing: rest returned, at the end", "abc", 0, "z", "abc", -1, 3},
        {"empty delimiter never occurs", "abc", 1, "", "bc", -1, 3},
        {"empty stream", "", 0, "x", "", -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TStringStream s(c.Input);
        s.SetPosition(c.Start);
        int status = 99;
        EXPECT_EQ(ReadStreamUntil(&s, c.Delim, status), c.Result);
        EXPECT_EQ(status, c.Status);
        EXPECT_EQ(s.GetPosition(), c.PosAfter);
    }
}

TEST(StreamsIo, CountLinesInStream) {
    const std::pair<std::string, int> cases[] = {
        {"a\nb", 1}, {"", 0}, {"\r\n\r\n", 2}, {"\r\r", 0}, {std::string(5000, '\n'), 5000}};
    for (const auto& [text, lines] : cases) {
        TStringStream s(text);
        EXPECT_EQ(CountLinesInStream(&s), lines);
        EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(text.size()));
    }
    TStringStream s("a\nb\nc");
    s.SetPosition(2);
    EXPECT_EQ(CountLinesInStream(&s), 1);
}
