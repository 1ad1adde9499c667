// Code page 1252 <-> Unicode code points and UTF-8.
#include <qyx/platform/CodePage.h>

#include <cstdint>

namespace qyx {

namespace {

// Bytes 0x80..0x9F; all other bytes equal their code point. The five undefined bytes keep their own
// number (a C1 control) so that every byte round-trips.
constexpr char16_t High1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& Out, char32_t U) {
    if (U < 0x80) {
        Out += static_cast<char>(U);
    } else if (U < 0x800) {
        Out += static_cast<char>(0xC0 | (U >> 6));
        Out += static_cast<char>(0x80 | (U & 0x3F));
    } else {
        // Code page 1252 needs no code points above U+FFFF.
        Out += static_cast<char>(0xE0 | (U >> 12));
        Out += static_cast<char>(0x80 | ((U >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (U & 0x3F));
    }
}

bool IsContinuation(unsigned char C) {
    return (C & 0xC0) == 0x80;
}

// Decodes one UTF-8 sequence at S[i]; advances i past it (or past the malformed part) and returns
// the code point, or -1 when the sequence is malformed.
int32_t DecodeUtf8(std::string_view S, size_t& i) {
    const auto lead = static_cast<unsigned char>(S[i++]);
    if (lead < 0x80) return lead;
    int extra;
    char32_t u;
    char32_t min;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, u = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, u = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, u = lead & 0x07, min = 0x10000;
    } else {
        return -1; // continuation byte without a lead, or a lead that is never valid
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= S.size() || !IsContinuation(static_cast<unsigned char>(S[i]))) return -1;
        u = (u << 6) | (static_cast<unsigned char>(S[i++]) & 0x3F);
    }
    if (u < min || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return -1;
    return static_cast<int32_t>(u);
}

} // namespace

char32_t Cp1252ToUnicode(unsigned char C) {
    if (C >= 0x80 && C < 0xA0) return High1252[C - 0x80];
    return C;
}

int UnicodeToCp1252(char32_t U) {
    if (U < 0x80 || (U >= 0xA0 && U <= 0xFF)) return static_cast<int>(U);
    for (int k = 0; k < 32; ++k)
        if (High1252[k] == U) return 0x80 + k;
    return -1;
}

std::string Cp1252ToUtf8(std::string_view S) {
    std::string out;
    out.reserve(S.size() + S.size() / 4);
    for (char c : S) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view S) {
    std::string out;
    out.reserve(S.size());
    size_t i = 0;
    while (i < S.size()) {
        const int32_t u = DecodeUtf8(S, i);
        const int c = u < 0 ? -1 : UnicodeToCp1252(static_cast<char32_t>(u));
        out += c < 0 ? '?' : static_cast<char>(c);
    }
    return out;
}

} // namespace qyx
