// Case and code page routines of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/CodePage.h>

namespace qyx {

std::string CapitalizeString(const std::string& S) {
    std::string r = S;
    bool wordStart = true;
    for (char& c : r) {
        // Characters from 128 up count as letters (so they continue a word) but are not changed.
        const bool inWord = IsDigitLetter(c) || static_cast<unsigned char>(c) >= 128;
        if (wordStart && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        wordStart = !inWord;
    }
    return r;
}

std::string ChangeCase(const std::string& S) {
    std::string r = S;
    for (char& c : r) c = AnsiUpperChar(c) == c ? AnsiLowerChar(c) : AnsiUpperChar(c);
    return r;
}

std::string ExpandDiphthongs(const std::string& S) {
    std::string r;
    r.reserve(S.size() + S.size() / 4);
    for (size_t i = 0; i < S.size(); ++i) {
        const auto c = static_cast<unsigned char>(S[i]);
        switch (c) {
        case 0xE4: r += "ae"; break; // ä
        case 0xF6: r += "oe"; break; // ö
        case 0xFC: r += "ue"; break; // ü
        case 0xDF: r += "ss"; break; // ß
        case 0xB5: r += "u"; break;  // µ
        case 0xC4:                   // Ä
        case 0xD6:                   // Ö
        case 0xDC: {                 // Ü
            r += c == 0xC4 ? 'A' : (c == 0xD6 ? 'O' : 'U');
            const bool lowerNext = i + 1 < S.size() && S[i + 1] >= 'a' && S[i + 1] <= 'z';
            r += lowerNext ? 'e' : 'E';
            break;
        }
        default: r += S[i];
        }
    }
    return r;
}

TShortString255 WinAnsiString(const TShortString255& S) {
    return TShortString255(OemToChar(S.View()));
}

TShortString255 OEMString(const TShortString255& S) {
    return TShortString255(CharToOem(S.View()));
}

} // namespace qyx
