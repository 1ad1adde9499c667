// Extracting, splitting and line handling of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/CodePage.h>

namespace qyx {

namespace {

// Whether the character at the 1-based position i separates words; the trailing byte of a
// double-byte character never does.
bool IsWordSepAt(const std::string& S, int i) {
    const auto u = static_cast<size_t>(i - 1);
    return WordSeps.Contains(S[u]) && !(u > 0 && IsLeadByte(S[u - 1]));
}

bool StartsWithText(const std::string& S, size_t At, const std::string& Sub) {
    return At + Sub.size() <= S.size() && SameText(std::string_view(S).substr(At, Sub.size()), Sub);
}

} // namespace

std::string ExtractWordFromString(const std::string& S, int Pos) {
    int first = 0;
    int last = 0;
    return ExtractWordFromString(S, Pos, first, last);
}

std::string ExtractWordFromString(const std::string& S, int Pos, int& StartPos, int& EndPos) {
    StartPos = 0;
    EndPos = 0;
    const int len = static_cast<int>(S.size());
    if (Pos < 1 || Pos > len) return "";
    if (IsWordSepAt(S, Pos)) {
        StartPos = EndPos = Pos;
        return S.substr(static_cast<size_t>(Pos - 1), 1);
    }
    int first = Pos;
    while (first > 1 && !IsWordSepAt(S, first - 1)) --first;
    int last = Pos;
    while (last < len && !IsWordSepAt(S, last + 1)) ++last;
    StartPos = first;
    EndPos = last;
    return S.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

std::string ExtractSubString(const std::string& S, int Index, const std::string& Delim) {
    if (Index < 0 || S.empty()) return "";
    // Without a delimiter the whole text is field 0.
    if (Delim.empty()) return Index == 0 ? S : "";
    size_t start = 0;
    for (int field = 0;; ++field) {
        if (start >= S.size()) return "";
        // A field that begins with the delimiter (in any letter case) is empty.
        const bool empty = StartsWithText(S, start, Delim);
        const size_t end = empty ? start : S.find(Delim, start + 1);
        if (field == Index) return empty ? "" : S.substr(start, end == std::string::npos ? end : end - start);
        if (end == std::string::npos) return "";
        start = end + Delim.size();
    }
}

int Tokenize(const std::string& S, const std::string& Delim, TOpenStringArray& Tokens) {
    Tokens.clear();
    Tokens.reserve(100);
    size_t from = 0;
    if (!Delim.empty()) {
        while (Tokens.size() < 99) {
            const size_t hit = S.find(Delim, from);
            if (hit == std::string::npos) break;
            Tokens.emplace_back(std::string_view(S).substr(from, hit - from));
            from = hit + Delim.size();
        }
    }
    Tokens.emplace_back(std::string_view(S).substr(from));
    return static_cast<int>(Tokens.size());
}

std::string ReadLnString(const std::string& S, int& Pos, bool& Eof, int LineEnd) {
    Eof = false;
    if (Pos < 1) Pos = 1;
    std::string line;
    char previous = 0;
    while (true) {
        if (static_cast<size_t>(Pos) > S.size()) {
            Eof = true;
            return line;
        }
        const char c = S[static_cast<size_t>(Pos - 1)];
        ++Pos;
        if (static_cast<unsigned char>(c) >= 32) {
            line += c;
        } else {
            bool ends = false;
            switch (LineEnd) {
            case 0: ends = c == '\n'; break;
            case 1: ends = c == '\r'; break;
            case 2: ends = c == '\n' || c == '\r'; break;
            case 3: ends = c == '\r' && previous == '\n'; break;
            case 4: ends = c == '\n' && previous == '\r'; break;
            default: break;
            }
            if (ends) return line;
        }
        previous = c;
    }
}

void TextLineCoords(const std::string& S, int Pos, int& Line, int& Col) {
    Line = 0;
    Col = 0;
    if (Pos < 1 || static_cast<size_t>(Pos) > S.size() + 1) return;
    Line = 1;
    size_t lineStart = 0;
    const auto target = static_cast<size_t>(Pos - 1);
    for (size_t i = 0; i < target; ++i) {
        const char c = S[i];
        if (c != '\n' && c != '\r') continue;
        // CR LF is one line end; the LF of the pair still belongs to the line the pair ends.
        if (c == '\r' && i + 1 < S.size() && S[i + 1] == '\n') {
            if (i + 1 == target) break;
            ++i;
        }
        ++Line;
        lineStart = i + 1;
    }
    Col = static_cast<int>(target - lineStart) + 1;
}

} // namespace qyx
