// QYX_dstruct: escaping of attribute texts and reading of integer attributes.
#include "dstruct_xmltext.h"

#include <qyx/QYX_stringl.h>

#include <charconv>

namespace qyx::dstruct_xml {

namespace {

bool Unsafe(unsigned char C) {
    return C < 32 || C == '"' || C == '%' || C == '<' || C == '>' || C == 127;
}

int HexValue(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
}

} // namespace

std::string EscapeText(std::string_view S) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(S.size());
    for (const char c : S) {
        const auto u = static_cast<unsigned char>(c);
        if (Unsafe(u)) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeText(std::string_view S) {
    std::string out;
    out.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '%' && i + 2 < S.size() && HexValue(S[i + 1]) >= 0 && HexValue(S[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(S[i + 1]) * 16 + HexValue(S[i + 2]));
            i += 2;
        } else {
            out += S[i];
        }
    }
    return out;
}

bool ParseInt(const std::string& Text, int Low, int High, int& Value) {
    const std::string t = StripLTBlanks(Text);
    if (t.empty()) return false;
    const char* first = t.data();
    if (*first == '+') ++first;
    int v = 0;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || v < Low || v > High) return false;
    Value = v;
    return true;
}

} // namespace qyx::dstruct_xml
