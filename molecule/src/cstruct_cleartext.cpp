// The clear-text structure formats "/CONTAB" and "/CTABG": reader, body reader and writer; and the
// MolConnX input deck.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <qyx/QYX_CData.h>
#include <qyx/platform/TextFile.h>

#include "cstruct_io.h"

namespace qyx {

namespace {

// Blank-separated words that may span lines.
class TWordReader {
public:
    explicit TWordReader(TLineSource& Src) : FSrc(Src) {}
    /// The next word; false at the end of the input.
    bool Next(std::string& W) {
        for (;;) {
            if (FHave) {
                while (FPos < FLine.size() && (FLine[FPos] == ' ' || FLine[FPos] == '\t')) ++FPos;
                const size_t b = FPos;
                while (FPos < FLine.size() && FLine[FPos] != ' ' && FLine[FPos] != '\t') ++FPos;
                if (FPos > b) {
                    W = FLine.substr(b, FPos - b);
                    return true;
                }
            }
            if (!FSrc.NextLine(FLine)) {
                FHave = false;
                return false;
            }
            FPos = 0;
            FHave = true;
        }
    }
    /// The next word as a number; Ok becomes false at the end of the input.
    double Real(bool& Ok) {
        std::string w;
        if (!Next(w)) {
            Ok = false;
            return 0.0;
        }
        return FieldReal(w);
    }
    int Int(bool& Ok) {
        std::string w;
        if (!Next(w)) {
            Ok = false;
            return 0;
        }
        return FieldInt(w);
    }

private:
    TLineSource& FSrc;
    std::string FLine;
    size_t FPos = 0;
    bool FHave = false;
};

// Reads lines until one holds "/" followed by a word (up to and including a blank, at most eight
// characters kept) that contains Marker; true when found. The rest of that line is skipped.
bool FindMarker(TLineSource& Src, const std::string& Marker) {
    std::string line;
    while (Src.NextLine(line)) {
        size_t pos = 0;
        while ((pos = line.find('/', pos)) != std::string::npos) {
            ++pos;
            const size_t b = pos;
            while (pos < line.size() && line[pos] != ' ') ++pos;
            const size_t len = std::min<size_t>(pos - b + (pos < line.size() ? 1 : 0), 8);
            if (line.substr(b, len).find(Marker) != std::string::npos) return true;
        }
    }
    return false;
}

// Reads "L N" from the next line; false when there is none or L is not positive.
bool ReadCounts(TLineSource& Src, int& L, int& N) {
    std::string line;
    if (!Src.NextLine(line)) return false;
    size_t pos = 0;
    auto word = [&]() {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        const size_t b = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
        return line.substr(b, pos - b);
    };
    L = FieldInt(word());
    N = FieldInt(word());
    return L > 0;
}

// Appends NameLines lines to Name, each without its first character.
void ReadNameLines(TLineSource& Src, int64_t NameLines, std::string& Name) {
    std::string line;
    for (int64_t i = 0; i < NameLines && Src.NextLine(line); ++i)
        if (!line.empty()) Name += line.substr(1);
}

// Stores partner P with bond type T in slot K of E when P is an atom number 1 .. Count.
bool PutPartner(CTElem& E, int K, int P, int T, int Count) {
    if (P == 0) return true;
    if (P < 1 || P > Count || K > MaxCTConn) return false;
    E.ConnTo[K] = static_cast<uint8_t>(P);
    E.TypConn[K] = static_cast<uint8_t>(T);
    return true;
}

} // namespace

bool TCTab::ReadFromClearTextFile(TextFile& F) {
    TFileLineSource src(F);
    if (!FindMarker(src, "CONTAB")) return false;
    return ReadConnTabBody(F);
}

bool TCTab::ReadConnTabBody(TextFile& F) {
    TFileLineSource src(F);
    int l = 0, n = 0;
    if (!ReadCounts(src, l, n)) return false;
    Clear();
    bool result = n >= 0;
    n = std::max(n, 0);
    ReadNameLines(src, static_cast<int64_t>(l) - 2 * static_cast<int64_t>(n), FStrucName);
    const int count = std::min(n, MaxCTAtoms);
    TWordReader rd(src);
    bool ok = true;
    for (int r = 1; r <= n && ok; ++r) {
        CTElem e;
        rd.Int(ok); // sequence number
        e.AtNum = static_cast<uint8_t>(rd.Int(ok));
        e.AtWeight = static_cast<uint8_t>(rd.Int(ok));
        e.Attrib = static_cast<uint8_t>(rd.Int(ok));
        e.Charge = static_cast<int8_t>(rd.Int(ok));
        for (int ax = 1; ax <= 3; ++ax) e.Coords[ax] = static_cast<float>(rd.Real(ok));
        int np = rd.Int(ok);
        if (np < 0 || np > MaxCTConn) result = false;
        np = std::max(np, 0);
        std::vector<int> partners;
        for (int k = 0; k < np && ok; ++k) partners.push_back(rd.Int(ok));
        for (int k = 0; k < np && ok; ++k) {
            const int t = rd.Int(ok);
            if (!PutPartner(e, k + 1, partners[k], t, count)) result = false;
        }
        if (!ok) break;
        if (!AddAtom(e)) result = false;
    }
    if (!ok) result = false;
    Changed();
    return result;
}

bool TCTab::ReadFromClearTextFileCTABG(TextFile& F) {
    TFileLineSource src(F);
    int l = 0, n = 0;
    if (!FindMarker(src, "CTABG") || !ReadCounts(src, l, n)) return false;
    Clear();
    bool result = n >= 0;
    n = std::max(n, 0);
    ReadNameLines(src, static_cast<int64_t>(l) - n, FStrucName);
    const int count = std::min(n, MaxCTAtoms);
    TWordReader rd(src);
    bool ok = true;
    for (int r = 1; r <= n && ok; ++r) {
        CTElem e;
        e.AtNum = static_cast<uint8_t>(rd.Int(ok));
        e.AtWeight = static_cast<uint8_t>(rd.Int(ok));
        e.Attrib = static_cast<uint8_t>(rd.Int(ok));
        e.Charge = static_cast<int8_t>(rd.Int(ok));
        e.Coords[1] = static_cast<float>(rd.Real(ok));
        e.Coords[2] = static_cast<float>(rd.Real(ok));
        int partners[8];
        for (int& p : partners) p = rd.Int(ok);
        for (int k = 0; k < 8; ++k)
            if (!PutPartner(e, k + 1, partners[k], rd.Int(ok), count)) result = false;
        if (!ok) break;
        if (!AddAtom(e)) result = false;
    }
    if (!ok) result = false;
    Changed();
    return result;
}

void TCTab::WriteToClearTextFile(TextFile& F) const {
    // The name in lines of at most 70 characters, each after one blank; at least one line.
    std::vector<std::string> names;
    std::string name = FStrucName;
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    for (size_t i = 0; i < name.size(); i += 70) names.push_back(" " + name.substr(i, 70));
    if (names.empty()) names.emplace_back(" ");
    Writeln(F, "/CONTAB");
    Writeln(F,
            std::to_string(names.size() + 2 * static_cast<size_t>(FNAtoms)) + " " + std::to_string(FNAtoms));
    for (const std::string& s : names) Writeln(F, s);
    char buf[64];
    for (int i = 1; i <= FNAtoms; ++i) {
        const CTElem& e = FAtoms[i];
        std::string l1 = std::to_string(i) + " " + std::to_string(e.AtNum) + " " +
                         std::to_string(e.AtWeight) + " " + std::to_string(e.Attrib) + " " +
                         std::to_string(e.Charge);
        for (int ax = 1; ax <= 3; ++ax) {
            const float v = std::isfinite(e.Coords[ax]) ? e.Coords[ax] : 0.0f;
            std::snprintf(buf, sizeof buf, " %.9g", static_cast<double>(v));
            l1 += buf;
        }
        Writeln(F, l1);
        std::string ps, ts;
        int n = 0;
        for (int k = 1; k <= MaxCTConn; ++k)
            if (e.ConnTo[k] != 0) {
                ++n;
                ps += " " + std::to_string(e.ConnTo[k]);
                ts += " " + std::to_string(e.TypConn[k]);
            }
        const std::string l2 = std::to_string(n) + ps + ts;
        Writeln(F, l2);
    }
}

void TCTab::WriteToMolConnXFile(int Option, TextFile& F) const {
    std::string title = FStrucName;
    for (char& c : title)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    Writeln(F, title.empty() ? std::string("untitled") : title);
    Writeln(F, std::to_string(Option));
    Writeln(F, std::to_string(FNAtoms));
    char buf[32];
    for (int i = 1; i <= FNAtoms; ++i) {
        const CTElem& e = FAtoms[i];
        std::string sym = CElemSymb(e.AtNum);
        if (sym.empty()) sym = "?";
        std::string ps, ts;
        int n = 0;
        for (int k = 1; k <= MaxCTConn; ++k)
            if (e.ConnTo[k] != 0) {
                ++n;
                std::snprintf(buf, sizeof buf, "%4d", e.ConnTo[k]);
                ps += buf;
                std::snprintf(buf, sizeof buf, "%2d", e.TypConn[k]);
                ts += buf;
            }
        std::snprintf(buf, sizeof buf, "%3d %-2s %2d", i, sym.c_str(), n);
        Writeln(F, buf + ps + ts);
    }
    Writeln(F, "");
}

} // namespace qyx
