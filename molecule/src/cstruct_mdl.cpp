// MDL connection tables, molfiles and SD files: readers and writers.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include <qyx/QYX_CData.h>
#include <qyx/platform/TextFile.h>

#include "cstruct_io.h"

namespace qyx {

namespace {

// Enters bond A-B of type T read from a file into A's list. Atom numbers outside 1 .. Count and
// bonds of an atom to itself are dropped; types outside 1 .. 4 are entered as single. False when the
// bond was damaged in either way.
bool EnterFileBond(TCTab& T, int Count, int A, int B, int Type) {
    if (A < 1 || A > Count || B < 1 || B > Count || A == B) return false;
    const bool ok = Type >= 1 && Type <= 4;
    T.EnterConn(A, B, ok ? Type : 1);
    return ok;
}

// The next run of characters other than blanks and tabs from Pos on; Pos is left after it.
std::string NextToken(const std::string& S, size_t& Pos) {
    Pos = std::min(Pos, S.size());
    while (Pos < S.size() && (S[Pos] == ' ' || S[Pos] == '\t')) ++Pos;
    const size_t b = Pos;
    while (Pos < S.size() && S[Pos] != ' ' && S[Pos] != '\t') ++Pos;
    return S.substr(b, Pos - b);
}

// A line fit for a single-line field: control characters become blanks.
std::string OneLine(const std::string& S) {
    std::string r = S;
    for (char& c : r)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return r;
}

// A coordinate in ten columns, with as many of four decimals as fit.
std::string Coord10(double V) {
    if (!std::isfinite(V)) V = 0.0;
    V = std::clamp(V, -999999999.0, 9999999999.0);
    char buf[64];
    for (int d = 4; d >= 0; --d) {
        std::snprintf(buf, sizeof buf, "%10.*f", d, V);
        if (std::string(buf).size() <= 10) break;
    }
    return buf;
}

// Applies an "M  CHG" (charges) or "M  ISO" (mass numbers) line of the property block: a count in
// columns 7-9, then pairs of atom number and value, four columns each. The first charge line
// replaces all charges of the atom block, as the format prescribes.
void ApplyChargeOrIsotopeLine(TCTab& T, const std::string& Line, bool& ChargesReset) {
    const bool charge = Line.compare(3, 3, "CHG") == 0;
    if (charge && !ChargesReset) {
        for (int a = 1; a <= T.GetNAtoms(); ++a) TCTabIO::Atom(T, a).Charge = 0;
        ChargesReset = true;
    }
    const int n = std::clamp(FieldInt(Columns(Line, 7, 3)), 0, 8);
    for (int k = 0; k < n; ++k) {
        const int a = FieldInt(Columns(Line, 10 + 8 * k, 4));
        const int v = FieldInt(Columns(Line, 14 + 8 * k, 4));
        if (a < 1 || a > T.GetNAtoms()) continue;
        CTElem& e = TCTabIO::Atom(T, a);
        if (charge)
            e.Charge = static_cast<int8_t>(std::clamp(v, -128, 127));
        else if (v >= 1 && v <= 255)
            e.AtWeight = static_cast<uint8_t>(v);
    }
}

const char* const PropCodes[20] = {"MELTP", "BOILP", "DENSI", "REFRX", "LGKOC", "ACCOF", "WAALA",
                                   "WAALB", "WSOLU", "DHF0",  "DFF0",  "LOGKF", "ENTR0", "LOGHY",
                                   "DIPOL", "HEATV", "MOLVL", "RETIX", "CRITT", "POLAR"};

} // namespace

// ---- Connection table and molfile ------------------------------------------------------------------

bool TCTabIO::ReadMDLCTab(TCTab& T, TLineSource& Src) {
    std::string line;
    if (!Src.NextLine(line)) return false;
    const int a = FieldInt(Columns(line, 1, 3));
    int b = FieldInt(Columns(line, 4, 3));
    if (a <= 0 || a >= 64) return false;
    Start(T, a);
    bool result = true;
    if (b < 0) {
        result = false;
        b = 0;
    }
    std::vector<double> x(a, 0.0), y(a, 0.0), z(a, 0.0);
    for (int i = 1; i <= a && Src.NextLine(line); ++i) {
        x[i - 1] = FieldReal(Columns(line, 1, 10));
        y[i - 1] = FieldReal(Columns(line, 11, 10));
        z[i - 1] = FieldReal(Columns(line, 21, 10));
        CTElem& e = Atom(T, i);
        e.AtNum = static_cast<uint8_t>(AtomicNumber(TrimBlanks(Columns(line, 32, 3))));
        SetMDLIsotopeCharge(e, FieldInt(Columns(line, 35, 2)), FieldInt(Columns(line, 37, 3)));
    }
    int read = 0;
    while (read < b && Src.NextLine(line)) {
        ++read;
        if (!EnterFileBond(T, a, FieldInt(Columns(line, 1, 3)), FieldInt(Columns(line, 4, 3)),
                           FieldInt(Columns(line, 7, 3))))
            result = false;
    }
    if (read == b) {
        T.MakeSymmetricConnections();
        ConvertCoords(T, x, y, z);
    }
    return result;
}

bool TCTabIO::ReadMDLMol(TCTab& T, TLineSource& Src) {
    std::string name, skip;
    Src.NextLine(name) && Src.NextLine(skip) && Src.NextLine(skip);
    const bool result = ReadMDLCTab(T, Src);
    T.SetStrucName(name);
    return result;
}

bool TCTab::ReadFromMDLCTabFile(TextFile& F) {
    TFileLineSource src(F);
    const bool r = TCTabIO::ReadMDLCTab(*this, src);
    if (r || FNAtoms > 0) Changed();
    return r;
}

bool TCTab::ReadFromMDLCTabStream(TStream* Stream) {
    TStreamLineSource src(Stream);
    const bool r = TCTabIO::ReadMDLCTab(*this, src);
    if (r || FNAtoms > 0) Changed();
    return r;
}

bool TCTab::ReadFromMDLMolFile(TextFile& F) {
    TFileLineSource src(F);
    const bool r = TCTabIO::ReadMDLMol(*this, src);
    Changed();
    return r;
}

bool TCTab::ReadFromMDLMolStream(TStream* Stream) {
    TStreamLineSource src(Stream);
    const bool r = TCTabIO::ReadMDLMol(*this, src);
    Changed();
    return r;
}

void TCTabIO::WriteMDLCTab(const TCTab& T, TLineSink& Dst) {
    const int n = T.GetNAtoms();
    // Each bond once: from its lower-numbered atom, or from the atom that alone lists it.
    std::vector<std::string> bonds;
    char buf[128];
    for (int i = 1; i <= n; ++i)
        for (int k = 1; k <= T.GetNBonds(i); ++k) {
            const int p = T.GetConnTo(i, k);
            if (p < 1 || p > n || p == i || (p < i && T.CheckConnect(p, i) != 0)) continue;
            const int t = T.GetTypConn(i, k);
            std::snprintf(buf, sizeof buf, "%3d%3d%3d  0  0  0  0", i, p, t >= 1 && t <= 4 ? t : 1);
            bonds.emplace_back(buf);
        }
    std::snprintf(buf, sizeof buf, "%3d%3d  0  0  0  0  0  0  0  0999 V2000", n,
                  static_cast<int>(bonds.size()));
    Dst.PutLine(buf);
    for (int i = 1; i <= n; ++i) {
        const int z = T.GetAtNum(i);
        std::string sym = CElemSymb(z);
        if (sym.empty()) sym = "*";
        int diff = z >= 1 && z <= 103 ? T.GetAtWeight(i) - IntAtWeight(z) : 0;
        if (diff < -9 || diff > 99) diff = 0;
        const int q = T.GetCharge(i);
        const int code = q >= -3 && q <= 3 && q != 0 ? 4 - q : 0;
        std::snprintf(buf, sizeof buf, " %-3s%2d%3d  0  0  0  0  0  0  0  0  0  0", sym.c_str(), diff, code);
        Dst.PutLine(Coord10(T.GetCoords(i, 1)) + Coord10(T.GetCoords(i, 2)) + Coord10(T.GetCoords(i, 3)) +
                    buf);
    }
    for (const std::string& b : bonds) Dst.PutLine(b);
    Dst.PutLine("M  END");
}

void TCTabIO::WriteMDLMol(const TCTab& T, TLineSink& Dst, TShortString<2>& Initials,
                          const std::string& ProgName, int RegNo, const std::string& Comment) {
    std::string ini = OneLine(std::string(Initials));
    for (char& c : ini) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Initials = ini;
    bool threeD = false;
    for (int i = 1; i <= T.GetNAtoms(); ++i) threeD = threeD || T.GetCoords(i, 3) != 0.0f;
    char line2[128];
    std::snprintf(line2, sizeof line2, "%-2.2s%-8.8s%10s%s", ini.c_str(), OneLine(ProgName).c_str(), "",
                  threeD ? "3D" : "2D");
    std::string l2 = line2;
    if (RegNo > 0 && RegNo <= 999999) {
        char reg[16];
        std::snprintf(reg, sizeof reg, "%6d", RegNo);
        l2 += std::string(46 - l2.size(), ' ') + reg;
    }
    Dst.PutLine(OneLine(T.GetStrucName()));
    Dst.PutLine(l2);
    Dst.PutLine(OneLine(Comment));
    WriteMDLCTab(T, Dst);
}

void TCTab::WriteToMDLCTabFile(TextFile& F) const {
    TFileLineSink dst(F);
    TCTabIO::WriteMDLCTab(*this, dst);
}

void TCTab::WriteToMDLCTabStream(TStream* Stream) const {
    TStreamLineSink dst(Stream);
    TCTabIO::WriteMDLCTab(*this, dst);
}

void TCTab::WriteToMDLMolFile(TextFile& F, TShortString<2>& Initials, const std::string& ProgName, int RegNo,
                              const std::string& Comment) const {
    TFileLineSink dst(F);
    TCTabIO::WriteMDLMol(*this, dst, Initials, ProgName, RegNo, Comment);
}

void TCTab::WriteToMDLMolStream(TStream* Stream, TShortString<2>& Initials, const std::string& ProgName,
                                int RegNo, const std::string& Comment) const {
    TStreamLineSink dst(Stream);
    TCTabIO::WriteMDLMol(*this, dst, Initials, ProgName, RegNo, Comment);
}

// ---- SD file ---------------------------------------------------------------------------------------

bool TCTab::ReadFromMDLSDFile(TextFile& F, TPropRec& Props) {
    TFileLineSource src(F);
    bool ended = false; // the record's "$$$$" line has been read
    auto next = [&](std::string& s) {
        if (ended || !src.NextLine(s)) return false;
        ended = TrimBlanks(s) == "$$$$";
        return !ended;
    };
    bool result = false, accepted = false;
    std::string name, line;
    if (next(name) && next(line) && next(line) && next(line)) {
        const int a = FieldInt(Columns(line, 1, 3));
        const int b = FieldInt(Columns(line, 4, 3));
        if (a > 0 && a < 64) {
            accepted = true;
            result = b >= 0;
            TCTabIO::Start(*this, a);
            FStrucName = name;
            std::vector<double> x(a, 0.0), y(a, 0.0), z(a, 0.0);
            for (int i = 1; i <= a && next(line); ++i) {
                size_t pos = 0;
                x[i - 1] = FieldReal(NextToken(line, pos));
                y[i - 1] = FieldReal(NextToken(line, pos));
                z[i - 1] = FieldReal(NextToken(line, pos));
                const std::string sym = pos < line.size() ? line.substr(pos, 3) : std::string();
                pos += 3;
                const int md = FieldInt(NextToken(line, pos));
                const int cc = FieldInt(NextToken(line, pos));
                CTElem& e = FAtoms[i];
                e.AtNum = static_cast<uint8_t>(AtomicNumber(TrimBlanks(sym)));
                TCTabIO::SetMDLIsotopeCharge(e, md, cc);
            }
            for (int j = 1; j <= b && next(line); ++j) {
                size_t pos = 0;
                const int p = FieldInt(NextToken(line, pos));
                const int q = FieldInt(NextToken(line, pos));
                const int t = FieldInt(NextToken(line, pos));
                if (!EnterFileBond(*this, a, p, q, t)) result = false;
            }
            if (!ended && !src.AtEnd()) {
                MakeSymmetricConnections();
                TCTabIO::ConvertCoords(*this, x, y, z);
            }
        }
    }
    for (TPropEntry& p : Props) p.Name = "";
    bool chargesReset = false;
    while (next(line)) {
        if (accepted && (line.rfind("M  CHG", 0) == 0 || line.rfind("M  ISO", 0) == 0)) {
            ApplyChargeOrIsotopeLine(*this, line, chargesReset);
            continue;
        }
        const std::string head = TrimBlanks(line);
        if (head == "> <CAS_RN>" || head == "> <CASREGNR>") {
            if (next(line)) SetCASNr(line);
            continue;
        }
        for (const char* code : PropCodes) {
            if (head != std::string("> <") + code + ">") continue;
            if (next(line)) {
                size_t pos = 0;
                const double v = FieldReal(NextToken(line, pos));
                for (TPropEntry& p : Props)
                    if (p.Name.Length() == 0) {
                        p.Name = code;
                        p.Value = v;
                        break;
                    }
            }
            break;
        }
    }
    Changed();
    return result;
}

} // namespace qyx
