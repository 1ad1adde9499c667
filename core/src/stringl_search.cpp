// Searching, counting and character classes of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/CodePage.h>

#include <algorithm>

namespace qyx {

int NumberedPos(const std::string& SubStr, const std::string& S, int StartPos, int Count, bool IgnoreCase) {
    if (Count <= 0 || SubStr.empty()) return 0;
    if (StartPos < 1) StartPos = 1;
    if (static_cast<size_t>(StartPos) > S.size()) return 0;
    std::string lowerS, lowerSub;
    std::string_view text = S, sub = SubStr;
    if (IgnoreCase) {
        lowerS = LowerCase(S);
        lowerSub = LowerCase(SubStr);
        text = lowerS;
        sub = lowerSub;
    }
    size_t from = static_cast<size_t>(StartPos - 1);
    for (int k = 1;; ++k) {
        const size_t hit = text.find(sub, from);
        if (hit == std::string::npos) return 0;
        if (k == Count) return static_cast<int>(hit + 1);
        from = hit + sub.size();
    }
}

int StringIx(const std::string& S, std::span<const std::string> List) {
    const auto it = std::find(List.begin(), List.end(), S);
    return it == List.end() ? 0 : static_cast<int>(it - List.begin()) + 1;
}

int PosLast(const std::string& SubStr, const std::string& S) {
    if (SubStr.empty()) return 0;
    size_t last = std::string::npos;
    for (size_t hit = S.find(SubStr); hit != std::string::npos; hit = S.find(SubStr, hit + SubStr.size()))
        last = hit;
    return last == std::string::npos ? 0 : static_cast<int>(last + 1);
}

int CountCharInString(char c, const std::string& S, bool CaseSensitive) {
    auto fold = [CaseSensitive](char x) { return !CaseSensitive && x >= 'a' && x <= 'z' ? char(x - 32) : x; };
    const char target = fold(c);
    return static_cast<int>(std::count_if(S.begin(), S.end(), [&](char x) { return fold(x) == target; }));
}

int CountWords(const std::string& S) {
    int words = 0;
    int run = 0;
    for (char c : S) {
        if (WordSeps.Contains(c)) {
            if (run > 1) ++words;
            run = 0;
        } else {
            ++run;
        }
    }
    return words;
}

bool TestAllChar(const std::string& S, char c) {
    return !S.empty() && S.find_first_not_of(c) == std::string::npos;
}

int FindFirstNonBlank(const std::string& S) {
    const size_t p = S.find_first_not_of(' ');
    return p == std::string::npos ? 0 : static_cast<int>(p + 1);
}

bool IsAbbreviation(const std::string& S) {
    int longestRun = 0;
    int run = 0;
    int others = 0;
    for (char c : S) {
        if (c >= 'A' && c <= 'Z') {
            longestRun = std::max(longestRun, ++run);
        } else {
            run = 0;
            if ((c >= 'a' && c <= 'z') || IsDigit(c)) ++others;
        }
    }
    return longestRun >= 2 && longestRun > others;
}

bool EqualAnsiStrings(const std::string& S1, const std::string& S2) {
    return AnsiSameText(S1, S2);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigitLetter(char c) {
    return IsDigit(c) || IsLetter(c);
}

bool IsHexChar(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace qyx
