// Quoted names, delimited parameters and UU coding of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <algorithm>

namespace qyx {

namespace {

constexpr size_t UULineBytes = 45;

char UUChar(unsigned v) {
    return v == 0 ? '`' : static_cast<char>(32 + v);
}

unsigned UUValue(char c) {
    return static_cast<unsigned>(static_cast<unsigned char>(c) - 32) & 63;
}

// Decodes one line (its length character first) into r; false at a line that ends the data.
bool DecodeUULine(std::string_view Line, std::string& r) {
    if (Line.empty()) return true;
    if (Line.substr(0, 6) == "begin ") return true;
    if (Line == "end") return false;
    const size_t count = UUValue(Line[0]);
    if (count == 0) return false;
    const std::string_view data = Line.substr(1);
    for (size_t k = 0; k < count; ++k) {
        // Byte k of a group of three takes its bits from characters k and k + 1 of the group.
        const size_t group = k / 3 * 4;
        const size_t part = k % 3;
        if (group + part + 1 >= data.size()) break;
        const unsigned a = UUValue(data[group + part]);
        const unsigned b = UUValue(data[group + part + 1]);
        const unsigned byte = (a << (2 + 2 * part)) | (b >> (4 - 2 * part));
        r += static_cast<char>(byte & 0xFF);
    }
    return true;
}

} // namespace

void ParseQuotedName(char c, char Quote, std::string& Name, TQuotedStrState& State) {
    switch (State) {
    case vsStart:
        Name.clear();
        if (c == Quote) {
            State = vs1stQuote;
        } else if (c != ' ' && static_cast<unsigned char>(c) >= 32) {
            Name += c;
            State = vsNormal;
        }
        break;
    case vs1stQuote:
        if (c == Quote) {
            State = vsQuote;
        } else {
            Name += c;
        }
        break;
    case vsQuote:
        // A second quote stands for one quote character; anything else ends the name.
        if (c == Quote) {
            Name += c;
            State = vs1stQuote;
        } else {
            State = vsEnd;
        }
        break;
    case vsNormal:
        if (c == ' ' || static_cast<unsigned char>(c) < 32) {
            State = vsEnd;
        } else {
            Name += c;
        }
        break;
    case vsEnd:
    default: State = vsEnd; break;
    }
}

std::string ExtractParam(const std::string& S, int Index, char Delim, char Quote,
                         const std::string& Default) {
    if (Index < 1) return Default;
    int field = 1;
    std::string param;
    size_t keep = 0; // length of param that trailing blanks may not be cut into (quoted text)
    bool inQuote = false;
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        if (c == Quote) {
            if (inQuote && i + 1 < S.size() && S[i + 1] == Quote) {
                if (field == Index) param += c;
                ++i;
            } else {
                inQuote = !inQuote;
            }
            if (field == Index) keep = param.size();
        } else if (c == Delim && !inQuote) {
            if (field == Index) break;
            ++field;
        } else if (field == Index && (inQuote || c != ' ' || !param.empty() || keep > 0)) {
            param += c;
            if (inQuote) keep = param.size();
        }
    }
    if (field < Index) return Default;
    const size_t last = param.find_last_not_of(' ');
    param.resize(std::max(keep, last == std::string::npos ? 0 : last + 1));
    return param.empty() ? Default : param;
}

std::string UUEncodeStr(const std::string& S) {
    std::string r;
    for (size_t start = 0; start < S.size(); start += UULineBytes) {
        const size_t count = std::min(UULineBytes, S.size() - start);
        if (start > 0) r += "\r\n";
        r += static_cast<char>(32 + count);
        for (size_t g = 0; g < count; g += 3) {
            unsigned b[3] = {0, 0, 0};
            for (size_t k = 0; k < 3 && g + k < count; ++k)
                b[k] = static_cast<unsigned char>(S[start + g + k]);
            r += UUChar(b[0] >> 2);
            r += UUChar(((b[0] & 3) << 4) | (b[1] >> 4));
            r += UUChar(((b[1] & 15) << 2) | (b[2] >> 6));
            r += UUChar(b[2] & 63);
        }
    }
    return r;
}

std::string UUDecodeStr(const std::string& S) {
    std::string r;
    size_t start = 0;
    while (start < S.size()) {
        size_t end = S.find_first_of("\r\n", start);
        if (end == std::string::npos) end = S.size();
        if (!DecodeUULine(std::string_view(S).substr(start, end - start), r)) break;
        start = end + 1;
    }
    return r;
}

} // namespace qyx
