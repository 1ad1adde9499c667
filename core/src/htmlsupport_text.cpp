// HTML text routines: words outside markup, URL directories, character entities.
#include <qyx/QYX_htmlsupport.h>

#include <qyx/QYX_qyxbase.h>
#include <qyx/QYX_stringl.h>

namespace qyx {

int CountWordsHTML(const std::string& S, bool SkipNumbers, bool& InTag) {
    int words = 0;
    int run = 0;
    bool digitFirst = false;
    for (char c : S) {
        if (c == '<') InTag = true;
        if (InTag) {
            if (c != '>') continue;
            InTag = false;
        }
        if (WordSeps.Contains(c)) {
            if (run > 1 && !(SkipNumbers && digitFirst)) ++words;
            run = 0;
        } else {
            if (run == 0) digitFirst = c >= '0' && c <= '9';
            ++run;
        }
    }
    return words;
}

std::string ExtractHTTPPath(const std::string& URL) {
    std::string s = URL;
    std::string lower = URL;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    const size_t h = lower.find("http://");
    if (h != std::string::npos) s.erase(0, h + 7);
    const size_t slash = s.rfind('/');
    if (slash != std::string::npos) s.erase(slash + 1);
    return s;
}

std::string AnsiToHTMLEntity(char c) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: break;
    }
    if (u >= 160) return HTMLLat1Entities[u];
    return std::string(1, c);
}

std::string HTMLEntityToAnsi(const std::string& Entity) {
    std::string e = Entity;
    if (!e.empty() && e.front() == '&') e.erase(0, 1);
    if (!e.empty() && e.back() == ';') e.pop_back();
    if (e.empty()) return Entity;
    if (e[0] == '#') {
        const bool hex = e.size() > 1 && (e[1] == 'x' || e[1] == 'X');
        const size_t first = hex ? 2 : 1;
        if (first >= e.size() || e.size() - first > 6) return Entity;
        int code = 0;
        for (size_t i = first; i < e.size(); ++i) {
            const char c = e[i];
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return Entity;
            code = code * (hex ? 16 : 10) + d;
        }
        return code <= 255 ? std::string(1, static_cast<char>(code)) : Entity;
    }
    if (e == "amp") return "&";
    if (e == "lt") return "<";
    if (e == "gt") return ">";
    if (e == "quot") return "\"";
    if (e == "apos") return "'";
    const std::string full = "&" + e + ";";
    for (int c = 160; c <= 255; ++c)
        if (full == HTMLLat1Entities[c]) return std::string(1, static_cast<char>(c));
    return Entity;
}

std::string MakeStringHTMLCompatible(const std::string& S) {
    std::string r;
    r.reserve(S.size());
    for (char c : S) r += AnsiToHTMLEntity(c);
    return r;
}

std::string ResolveHTMLEntities(const std::string& S) {
    std::string r;
    r.reserve(S.size());
    size_t i = 0;
    while (i < S.size()) {
        if (S[i] == '&') {
            // A reference is "&" up to the next ";" with at most ten characters between.
            const size_t semi = S.find(';', i + 1);
            if (semi != std::string::npos && semi - i <= 11) {
                const std::string ref = S.substr(i, semi - i + 1);
                const std::string ch = HTMLEntityToAnsi(ref);
                if (ch != ref) {
                    r += ch;
                    i = semi + 1;
                    continue;
                }
            }
        }
        r += S[i++];
    }
    return r;
}

} // namespace qyx
