// Small text-file helpers of QYX_filesys and the header reader of ASC data files.
#include <qyx/QYX_filesys.h>

#include <qyx/QYX_streams.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Convert.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/StringList.h>
#include <qyx/platform/TextFile.h>

#include <functional>

namespace qyx {

namespace {

// Opens FileName for appending (creating it when that fails), lets Write add lines, closes it.
void AppendLines(const std::string& FileName, const std::function<void(TextFile&)>& Write) {
    TextFile f;
    AssignFile(f, FileName);
    if (!TryAppend(f)) Rewrite(f);
    Write(f);
    CloseFile(f);
}

// Steps 3 and 4 of the ASC header: the flags of line 4. 0, or 253 for a word that is neither.
uint8_t ReadFlags(const std::string& Line, bool& Flag1, bool& Flag2, bool& Flag3) {
    Flag1 = Flag2 = Flag3 = false;
    bool* flags[3] = {&Flag1, &Flag2, &Flag3};
    std::string s = Trim(AnsiUpperCase(Line));
    for (bool* flag : flags) {
        if (s.starts_with("TRUE")) {
            *flag = true;
            s.erase(0, 4);
        } else if (s.starts_with("FALSE")) {
            *flag = false;
            s.erase(0, 5);
        } else {
            return 253;
        }
        s = Trim(s);
    }
    return 0;
}

// The ASC header from a source of lines; ToInt converts a line to an integer or reports failure.
uint8_t ReadASC(const std::function<std::string()>& NextLine,
                const std::function<bool(const std::string&, int&)>& ToInt, std::string& Comment, int& Count1,
                int& Count2, bool& Flag1, bool& Flag2, bool& Flag3) {
    uint8_t result = 0;
    Comment = NextLine();
    if (Comment.find('\n') != std::string::npos) result = 252;
    if (!ToInt(NextLine(), Count1)) result = 255;
    if (result != 0) return result;
    if (!ToInt(NextLine(), Count2)) return 254;
    return ReadFlags(NextLine(), Flag1, Flag2, Flag3);
}

} // namespace

void AppendToTextFile(const std::string& FileName, const std::string& Line) {
    AppendLines(FileName, [&](TextFile& F) { Writeln(F, Line); });
}

void AppendToTextFile(const std::string& FileName, const TStrings* List) {
    if (!List) return;
    AppendLines(FileName, [&](TextFile& F) {
        for (int i = 0; i < List->GetCount(); ++i) Writeln(F, List->GetStrings(i));
    });
}

int CountLinesInTextFile(TextFile& F) {
    Reset(F);
    int lines = 0;
    while (!Eof(F)) {
        Readln(F);
        ++lines;
    }
    Reset(F);
    return lines;
}

int CountLinesInTextFile(const std::string& FileName) {
    TextFile f;
    AssignFile(f, FileName);
    Reset(f);
    const int lines = CountLinesInTextFile(f);
    CloseFile(f);
    return lines;
}

int DetectStringInFile(const std::string& FileName, const std::string& SearchStr, bool IgnoreCase,
                       int MaxChars) {
    TextFile f;
    AssignFile(f, FileName);
    Reset(f);
    const std::string sought = IgnoreCase ? AnsiLowerCase(SearchStr) : SearchStr;
    int count = 0;
    bool found = false;
    std::string line;
    while (!Eof(f) && count < MaxChars) {
        Readln(f, line);
        if (IgnoreCase) line = AnsiLowerCase(line);
        const size_t pos = sought.empty() ? std::string::npos : line.find(sought);
        if (pos == std::string::npos) {
            count += static_cast<int>(line.size());
            continue;
        }
        count += static_cast<int>(pos) + 1;
        found = count <= MaxChars;
        break;
    }
    CloseFile(f);
    return found ? count : 0;
}

uint8_t ReadHeaderOfASC(const std::string& FileName, std::string& Comment, int& Count1, int& Count2,
                        bool& Flag1, bool& Flag2, bool& Flag3) {
    TextFile f;
    AssignFile(f, FileName);
    Reset(f);
    const auto nextLine = [&f] {
        std::string line;
        Readln(f, line);
        return line;
    };
    // A line is an integer when its text, blanks around it aside, converts completely.
    const auto toInt = [](const std::string& Line, int& V) {
        int v = 0;
        if (!TryStrToInt(Trim(Line), v)) return false;
        V = v;
        return true;
    };
    const uint8_t result = ReadASC(nextLine, toInt, Comment, Count1, Count2, Flag1, Flag2, Flag3);
    CloseFile(f);
    return result;
}

uint8_t ReadHeaderOfASC(TStream* Stream, std::string& Comment, int& Count1, int& Count2, bool& Flag1,
                        bool& Flag2, bool& Flag3) {
    if (!Stream) return 255;
    const auto nextLine = [Stream] {
        bool eof = false;
        return ReadLnStream(Stream, eof, 0);
    };
    // Each integer is scanned from its own line, so the line end never ends up in the next value.
    const auto toInt = [](const std::string& Line, int& V) {
        TStringStream s(Line);
        V = ScanStreamDecimal(&s);
        return true;
    };
    return ReadASC(nextLine, toInt, Comment, Count1, Count2, Flag1, Flag2, Flag3);
}

} // namespace qyx
