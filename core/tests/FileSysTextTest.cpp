// Text-file helpers of QYX_filesys (appending, counting lines, finding a string within a character
// budget) and the ASC header reader in its file and stream forms.
#include <qyx/QYX_filesys.h>

#include "FileSysTempDir.h"

#include <qyx/platform/Streams.h>
#include <qyx/platform/StringList.h>
#include <qyx/platform/TextFile.h>

#include <gtest/gtest.h>

using namespace qyx;
using namespace qyx::test;

TEST(FileSysText, AppendToTextFile) {
    TTempDir tmp;
    const std::string name = tmp("log.txt");
    AppendToTextFile(name, "first");
    AppendToTextFile(name, "");
    TStringList list;
    list.Add("a");
    list.Add("b c");
    AppendToTextFile(name, &list);
    EXPECT_EQ(ReadAll(name), "first\r\n\r\na\r\nb c\r\n");
    AppendToTextFile(tmp("none.txt"), static_cast<const TStrings*>(nullptr));
    EXPECT_FALSE(Exists(tmp("none.txt")));
    TStringList empty;
    AppendToTextFile(tmp("empty.txt"), &empty);
    EXPECT_EQ(ReadAll(tmp("empty.txt")), "");
    EXPECT_THROW(AppendToTextFile(tmp("missing/x.txt"), "line"), EInOutError);
}

TEST(FileSysText, CountLinesInTextFile) {
    TTempDir tmp;
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"a", 1}, {"a\r\n", 1}, {"a\r\nb", 2}, {"a\nb\n\n", 3}, {"a\rb", 2}, {"\r\n\r\n", 2},
    };
    for (const auto& [text, lines] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_EQ(CountLinesInTextFile(tmp.File("t.txt", text)), lines);
    }
    EXPECT_THROW(CountLinesInTextFile(tmp("missing.txt")), EInOutError);
}

TEST(FileSysText, CountLinesInAnOpenFileRewindsIt) {
    TTempDir tmp;
    TextFile f;
    AssignFile(f, tmp.File("t.txt", "one\r\ntwo\r\nthree\r\n"));
    Reset(f);
    std::string line;
    Readln(f, line);
    EXPECT_EQ(CountLinesInTextFile(f), 3);
    Readln(f, line);
    EXPECT_EQ(line, "one");
    CloseFile(f);
}

TEST(FileSysText, DetectStringInFile) {
    TTempDir tmp;
    const std::string name = tmp.File("t.txt", "abcdefgh\r\nxyz gh\r\nAbC\r\n");
    struct TCase {
        const char* Sought;
        bool IgnoreCase;
        int MaxChars, Result;
    };
    const TCase cases[] = {
        {"gh", false, 5, 0}, // found at 7, beyond the budget
        {"gh", false, 7, 7},     {"gh", false, 6, 0},    {"gh", false, 100, 7},
        {"a", false, 100, 1},    {"xyz", false, 100, 9}, // 8 characters of line 1, then position 1
        {"XYZ", false, 100, 0},  {"XYZ", true, 100, 9},  {"abc", false, 100, 1},
        {"ABC", false, 100, 0},                        // "AbC" on line 3 is no match either
        {"ABC", true, 100, 1},   {"xyz", false, 8, 0}, // the budget is used up by line 1
        {"AbC", false, 100, 15},                       // 8 + 6 + 1
        {"", false, 100, 0},                           // an empty text is never found
        {"gh", false, 0, 0},     {"zzz", false, 100, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Sought) + (c.IgnoreCase ? " ignoring case, " : ", ") +
                     std::to_string(c.MaxChars));
        EXPECT_EQ(DetectStringInFile(name, c.Sought, c.IgnoreCase, c.MaxChars), c.Result);
    }
    EXPECT_THROW(DetectStringInFile(tmp("missing.txt"), "x", false, 10), EInOutError);
}

namespace {

struct TAsc {
    uint8_t Result = 99;
    std::string Comment = "preset";
    int Count1 = -1, Count2 = -1;
    bool Flag1 = true, Flag2 = true, Flag3 = true;
    bool operator==(const TAsc&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TAsc& a) {
    return os << int(a.Result) << " [" << a.Comment << "] " << a.Count1 << " " << a.Count2 << " " << a.Flag1
              << a.Flag2 << a.Flag3;
}

TAsc FromFile(const std::string& Name) {
    TAsc a;
    a.Result = ReadHeaderOfASC(Name, a.Comment, a.Count1, a.Count2, a.Flag1, a.Flag2, a.Flag3);
    return a;
}

TAsc FromStream(const std::string& Name) {
    TAsc a;
    TStringStream s(ReadAll(Name));
    a.Result = ReadHeaderOfASC(&s, a.Comment, a.Count1, a.Count2, a.Flag1, a.Flag2, a.Flag3);
    return a;
}

} // namespace

TEST(FileSysText, ReadHeaderOfASC) {
    struct TCase {
        const char* File;
        TAsc FileForm, StreamForm;
    };
    const TCase cases[] = {
        {"good.asc",
         {0, "Spectrum of sample 7", 120, 3, true, false, true},
         {0, "Spectrum of sample 7", 120, 3, true, false, true}},
        {"lf_only.asc", {0, "lf only", 5, 6, false, true, false}, {0, "lf only", 5, 6, false, true, false}},
        {"no_blanks.asc",
         {0, "no blanks", 1, 2, true, false, true},
         {0, "no blanks", 1, 2, true, false, true}},
        {"bad_flag.asc",
         {253, "bad flag", 1, 2, false, false, false},
         {253, "bad flag", 1, 2, false, false, false}},
        {"two_flags.asc",
         {253, "two flags", 1, 2, true, false, false},
         {253, "two flags", 1, 2, true, false, false}},
        // Not an integer: 255 or 254 from a file; the stream form reads what digits there are.
        {"bad_count1.asc",
         {255, "bad first count", -1, -1, true, true, true},
         {0, "bad first count", 0, 2, true, true, true}},
        {"bad_count2.asc",
         {254, "bad second count", -17, -1, true, true, true},
         {0, "bad second count", -17, 2, true, true, true}},
        {"short.asc", {255, "short", -1, -1, true, true, true}, {253, "short", 0, 0, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        const std::string name = std::string(QYX_TEST_DATA) + "/asc/" + c.File;
        EXPECT_EQ(FromFile(name), c.FileForm);
        EXPECT_EQ(FromStream(name), c.StreamForm);
    }
    EXPECT_THROW(FromFile(std::string(QYX_TEST_DATA) + "/asc/missing.asc"), EInOutError);
    TAsc a;
    EXPECT_EQ(ReadHeaderOfASC(static_cast<TStream*>(nullptr), a.Comment, a.Count1, a.Count2, a.Flag1, a.Flag2,
                              a.Flag3),
              255);
}
