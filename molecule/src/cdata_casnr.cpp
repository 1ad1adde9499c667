// Registry numbers: check digit, hyphenated text and parsing.
#include <qyx/QYX_CData.h>

#include <climits>
#include <cstdint>

namespace qyx {

bool CheckCASNr(int Number) {
    if (Number < 0) return false;
    const int check = Number % 10;
    int rest = Number / 10;
    int sum = 0;
    for (int weight = 1; rest > 0; ++weight, rest /= 10) sum += (rest % 10) * weight;
    return sum % 10 == check;
}

std::string FormatCASNr(int Number) {
    const int64_t n = Number;
    std::string s = std::to_string(n < 0 ? -n : n);
    if (s.size() < 4) s.insert(0, 4 - s.size(), '0');
    s.insert(s.size() - 3, 1, '-');
    s.insert(s.size() - 1, 1, '-');
    return n < 0 ? "-" + s : s;
}

bool ConvertStrToCASNr(const std::string& Text, int& Number) {
    const size_t first = Text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const std::string s = Text.substr(first, Text.find_last_not_of(' ') - first + 1);

    // Exactly two hyphens, two characters between them, one character after the second.
    const size_t p1 = s.find('-');
    const size_t p2 = p1 == std::string::npos ? p1 : s.find('-', p1 + 1);
    if (p2 == std::string::npos || s.find('-', p2 + 1) != std::string::npos) return false;
    if (p2 - p1 != 3 || p2 + 2 != s.size()) return false;

    // The remaining characters must be decimal digits that fit an int.
    int64_t value = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i == p1 || i == p2) continue;
        const char c = s[i];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return false;
    }
    Number = static_cast<int>(value);
    return CheckCASNr(Number);
}

} // namespace qyx
