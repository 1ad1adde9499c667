// Trimming, padding and editing of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/CodePage.h>

#include <algorithm>

namespace qyx {

namespace {

// The characters besides letters and digits that may appear in an 8.3 file name.
constexpr TCharSet FN83Punctuation{std::string_view("!#$%&'()-.@^_`{}~")};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return c - 'a' + 10;
}

} // namespace

std::string StripLTBlanks(const std::string& S) {
    const size_t first = S.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return S.substr(first, S.find_last_not_of(' ') - first + 1);
}

std::string StripLeadingBlanks(const std::string& S) {
    const size_t first = S.find_first_not_of(' ');
    if (first == std::string::npos) return S.empty() ? "" : " ";
    return S.substr(first);
}

std::string StripTrailingBlanks(const std::string& S) {
    return StripTrailingChars(' ', S);
}

std::string StripLeadingChars(char c, const std::string& S) {
    const size_t first = S.find_first_not_of(c);
    return first == std::string::npos ? "" : S.substr(first);
}

std::string StripTrailingChars(char c, const std::string& S) {
    const size_t last = S.find_last_not_of(c);
    if (last == std::string::npos) return S.empty() ? "" : std::string(1, c);
    return S.substr(0, last + 1);
}

std::string LeftString(const std::string& S, uint8_t Width) {
    std::string r = S.substr(0, Width);
    r.resize(Width, ' ');
    return r;
}

std::string RightString(const std::string& S, uint8_t Width) {
    if (S.size() >= Width) return S.substr(0, Width);
    return std::string(Width - S.size(), ' ') + S;
}

std::string CenterString(const std::string& S, uint8_t Width) {
    if (S.size() >= Width) return S.substr(0, Width);
    const size_t n = Width - S.size();
    return std::string(n / 2, ' ') + S + std::string(n - n / 2, ' ');
}

std::string MultiChar(char c, int Count) {
    return std::string(static_cast<size_t>(std::clamp(Count, 1, 255)), c);
}

std::string AbbrevString(const std::string& S, int MaxLen) {
    if (static_cast<int64_t>(S.size()) <= MaxLen) return S;
    // Limits below 2 leave no room for the two dots; the result still keeps to the limit.
    if (MaxLen < 2) return std::string(static_cast<size_t>(std::max(MaxLen, 0)), '.');
    return S.substr(0, static_cast<size_t>(MaxLen - 2)) + "..";
}

std::string EnsureTrailingChar(char c, const std::string& S) {
    if (S.empty() || S.back() == c) return S;
    return S + c;
}

std::string EnsureTrailingBkSlash(const std::string& S) {
    return EnsureTrailingChar('\\', S);
}

std::string ReplaceCharInString(const std::string& S, char OldChar, char NewChar) {
    std::string r = S;
    std::replace(r.begin(), r.end(), OldChar, NewChar);
    return r;
}

std::string RemoveCharInString(const std::string& S, char c) {
    std::string r = S;
    r.erase(std::remove(r.begin(), r.end(), c), r.end());
    return r;
}

std::string RemoveControlChars(const std::string& S) {
    std::string r = S;
    r.erase(std::remove_if(r.begin(), r.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }),
            r.end());
    return r;
}

std::string ReplaceStringInString(const std::string& S, const std::string& Old, const std::string& New,
                                  bool IgnoreCase) {
    if (Old.empty()) return S;
    // Searching on in the original after each occurrence is the same as searching the result after
    // each inserted text, so replacements are never searched again.
    std::string lowerS, lowerOld;
    std::string_view text = S, old = Old;
    if (IgnoreCase) {
        lowerS = LowerCase(S);
        lowerOld = LowerCase(Old);
        text = lowerS;
        old = lowerOld;
    }
    std::string r;
    size_t from = 0;
    for (size_t hit = text.find(old); hit != std::string::npos; hit = text.find(old, from)) {
        r.append(S, from, hit - from);
        r += New;
        from = hit + old.size();
    }
    r.append(S, from);
    return r;
}

std::string ReverseString(const std::string& S) {
    return std::string(S.rbegin(), S.rend());
}

std::string ReduceStringToAZ09(const std::string& S) {
    std::string r = S;
    for (char& c : r)
        if (!IsDigitLetter(c)) c = '_';
    return r;
}

std::string ReduceStringToFN83CompliantChars(const std::string& S) {
    std::string r = S;
    for (char& c : r)
        if (!IsDigitLetter(c) && !FN83Punctuation.Contains(c)) c = '_';
    return r;
}

std::string ProcessHexChars(const std::string& S) {
    std::string r;
    r.reserve(S.size());
    const size_t n = S.size();
    size_t i = 0;
    while (i < n) {
        if (S[i] == '\\' && i + 1 < n && S[i + 1] == '#') {
            // Up to two characters after "\#" are taken; their hexadecimal value stops at the first
            // character that is no hex digit.
            int code = 0;
            bool digits = true;
            const size_t end = std::min(n, i + 4);
            for (size_t k = i + 2; k < end; ++k) {
                digits = digits && IsHexChar(S[k]);
                if (digits) code = code * 16 + HexValue(S[k]);
            }
            r += static_cast<char>(code);
            i = end;
        } else if (S[i] == '\\' && i + 1 < n && S[i + 1] == '\\') {
            r += '\\';
            i += 2;
        } else {
            r += S[i++];
        }
    }
    return r;
}

} // namespace qyx
