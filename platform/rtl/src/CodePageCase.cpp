// Case mapping, comparison and trimming of code page 1252 text: the "ANSI" routines with the full
// letter tables of the code page, and the ASCII-only routines.
#include <qyx/platform/CodePage.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace qyx {

namespace {

struct TCaseTables {
    std::array<uint8_t, 256> Upper{};
    std::array<uint8_t, 256> Lower{};
    // Collation: the letter without accent and case (an ASCII capital), 0 for characters that are
    // no letters (they sort by their code point).
    std::array<char, 256> Base{};
};

constexpr TCaseTables MakeCaseTables() {
    TCaseTables t;
    for (int c = 0; c < 256; ++c) t.Upper[c] = t.Lower[c] = static_cast<uint8_t>(c);
    auto pair = [&t](int up, int low) {
        t.Upper[low] = static_cast<uint8_t>(up);
        t.Lower[up] = static_cast<uint8_t>(low);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) pair(c, c + 32); // × (0xD7) and ÷ (0xF7) are no letters
    pair(0x8A, 0x9A);                   // Š š
    pair(0x8C, 0x9C);                   // Œ œ
    pair(0x8E, 0x9E);                   // Ž ž
    pair(0x9F, 0xFF);                   // Ÿ ÿ

    for (int c = 'A'; c <= 'Z'; ++c) t.Base[c] = t.Base[c + 32] = static_cast<char>(c);
    // Letters of the upper half by base letter, capitals 0xC0..0xDF and small letters 0xE0..0xFF.
    constexpr char base[] = "AAAAAAACEEEEIIIIDNOOOOO.OUUUUY.S";
    for (int k = 0; k < 32; ++k) {
        if (base[k] == '.') continue; // ×, Þ and their small counterparts ÷, þ keep their code point
        t.Base[0xC0 + k] = base[k];
        if (k != 31) t.Base[0xE0 + k] = base[k]; // ß (0xDF) has no capital form
    }
    t.Base[0xFF] = 'Y';
    t.Base[0x8A] = t.Base[0x9A] = 'S';
    t.Base[0x8C] = t.Base[0x9C] = 'O';
    t.Base[0x8E] = t.Base[0x9E] = 'Z';
    t.Base[0x9F] = 'Y';
    return t;
}

constexpr TCaseTables Tables = MakeCaseTables();

uint8_t Byte(char C) {
    return static_cast<uint8_t>(C);
}

// Compares two strings by the key a function gives each byte; shorter prefix first.
template <class Key> int CompareBy(std::string_view A, std::string_view B, Key K) {
    const size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ka = K(Byte(A[i]));
        const auto kb = K(Byte(B[i]));
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (A.size() == B.size()) return 0;
    return A.size() < B.size() ? -1 : 1;
}

int CompareAccents(std::string_view A, std::string_view B) {
    return CompareBy(A, B, [](uint8_t c) { return Cp1252ToUnicode(Tables.Upper[c]); });
}

bool IsBlankOrControl(char C) {
    return Byte(C) <= 32;
}

char32_t BaseKey(uint8_t C) {
    return Tables.Base[C] ? static_cast<char32_t>(Tables.Base[C]) : Cp1252ToUnicode(C);
}

} // namespace

char AnsiUpperChar(char C) {
    return static_cast<char>(Tables.Upper[Byte(C)]);
}
char AnsiLowerChar(char C) {
    return static_cast<char>(Tables.Lower[Byte(C)]);
}

std::string AnsiUpperCase(std::string_view S) {
    std::string r(S);
    for (char& c : r) c = AnsiUpperChar(c);
    return r;
}

std::string AnsiLowerCase(std::string_view S) {
    std::string r(S);
    for (char& c : r) c = AnsiLowerChar(c);
    return r;
}

int AnsiCompareText(std::string_view S1, std::string_view S2) {
    if (int r = CompareBy(S1, S2, BaseKey)) return r;
    return CompareAccents(S1, S2);
}

int AnsiCompareStr(std::string_view S1, std::string_view S2) {
    if (int r = AnsiCompareText(S1, S2)) return r;
    // Same letters and accents: lower case sorts before upper case.
    return CompareBy(S1, S2, [](uint8_t c) { return Tables.Lower[c] == c ? 0 : 1; });
}

bool AnsiSameText(std::string_view S1, std::string_view S2) {
    if (S1.size() != S2.size()) return false;
    for (size_t i = 0; i < S1.size(); ++i)
        if (Tables.Upper[Byte(S1[i])] != Tables.Upper[Byte(S2[i])]) return false;
    return true;
}

std::string UpperCase(std::string_view S) {
    std::string r(S);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

std::string LowerCase(std::string_view S) {
    std::string r(S);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return r;
}

int CompareStr(std::string_view S1, std::string_view S2) {
    const size_t n = std::min(S1.size(), S2.size());
    for (size_t i = 0; i < n; ++i)
        if (S1[i] != S2[i]) return Byte(S1[i]) - Byte(S2[i]);
    return static_cast<int>(S1.size()) - static_cast<int>(S2.size());
}

int CompareText(std::string_view S1, std::string_view S2) {
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? Byte(c) - 32 : Byte(c); };
    const size_t n = std::min(S1.size(), S2.size());
    for (size_t i = 0; i < n; ++i)
        if (int d = up(S1[i]) - up(S2[i])) return d;
    return static_cast<int>(S1.size()) - static_cast<int>(S2.size());
}

bool SameText(std::string_view S1, std::string_view S2) {
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

std::string TrimLeft(std::string_view S) {
    size_t b = 0;
    while (b < S.size() && IsBlankOrControl(S[b])) ++b;
    return std::string(S.substr(b));
}

std::string TrimRight(std::string_view S) {
    size_t e = S.size();
    while (e > 0 && IsBlankOrControl(S[e - 1])) --e;
    return std::string(S.substr(0, e));
}

std::string Trim(std::string_view S) {
    return TrimRight(TrimLeft(S));
}

} // namespace qyx
