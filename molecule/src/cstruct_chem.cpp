// TCTab queries: hydrogen counts, formula and weight, geometry and comparison.
#include <array>
#include <cmath>
#include <vector>

#include <qyx/QYX_CData.h>
#include <qyx/QYX_cstruct.h>
#include <qyx/QYX_univconst.h>
#include <qyx/platform/CodePage.h>

namespace qyx {

namespace {

// Valence toward hydrogen; 0 for elements not listed.
int HValence(int Z) {
    switch (Z) {
    case 1: return 1;
    case 5: return 3;
    case 6: return 4;
    case 7: return 3;
    case 8: return 2;
    case 9: return 1;
    case 14: return 4;
    case 15: return 3;
    case 16: return 2;
    case 17: return 1;
    case 32: return 4;
    case 35: return 1;
    case 53: return 1;
    default: return 0;
    }
}

struct TWorkEntry {
    int AtNum, Mass, Count;
};

} // namespace

int TCTab::NrHAtoms(int a) const {
    if (!Valid(a) || FAtoms[a].AtNum == 1) return 0;
    const CTElem& e = FAtoms[a];
    // Called for every atom of a formula or weight: one pass over the partner slots (empty slots
    // add nothing), elements read in place.
    int h = 0, s = 0, r = 0;
    bool tripleToTerminalC = false;
    for (int k = 1; k <= MaxCTConn; ++k) {
        const int p = e.ConnTo[k];
        if (p == 0) continue;
        const int t = e.TypConn[k];
        const int pz = Valid(p) ? FAtoms[p].AtNum : 0;
        if (pz == 1) ++h;
        s += t == 4 ? 1 : t;
        if (t == 4) r = 1;
        if (t == 3 && pz == 6 && GetNBonds(p) == 1) tripleToTerminalC = true;
    }
    const int v = HValence(e.AtNum);
    if (v > s + r) return v - s - r + h + e.Charge;
    if (e.AtNum == 7 && tripleToTerminalC) return -1;
    if (e.AtNum == 15 && s == 4) return h + 1;
    return h;
}

int TCTab::CalcMissingH() const {
    int sum = 0;
    for (int i = 1; i <= FNAtoms; ++i) sum += NrHAtoms(i);
    return sum;
}

bool TCTab::CalcMolecularFormula(TFormulaRec& F) const {
    // Entries gathered by (element, mass number) in fixed storage: at most MaxFormulaEntries fit.
    std::array<TWorkEntry, MaxFormulaEntries> work;
    size_t n = 0;
    const int h = CalcMissingH();
    if (h > 0) work[n++] = {1, 1, h};
    for (int i = 1; i <= FNAtoms; ++i) {
        const CTElem& e = FAtoms[i];
        if (e.AtNum == 1) continue;
        bool found = false;
        for (size_t w = 0; w < n; ++w)
            if (work[w].AtNum == e.AtNum && work[w].Mass == e.AtWeight) {
                ++work[w].Count;
                found = true;
                break;
            }
        if (found) continue;
        if (n == work.size()) return false;
        work[n++] = {e.AtNum, e.AtWeight, 1};
    }
    static constexpr int Order[] = {6, 1, 7, 8, 16, 15, 9, 17, 35, 53};
    std::array<bool, MaxFormulaEntries> taken{};
    TFormulaRec out = F;
    out.NumAtoms = 0;
    auto emit = [&](size_t w) {
        ++out.NumAtoms;
        out.AtNum[out.NumAtoms] = static_cast<uint8_t>(work[w].AtNum);
        out.AtWgt[out.NumAtoms] = static_cast<uint8_t>(work[w].Mass);
        out.AtCnt[out.NumAtoms] = static_cast<uint8_t>(work[w].Count);
        taken[w] = true;
    };
    for (int z : Order)
        for (size_t w = 0; w < n; ++w)
            if (work[w].AtNum == z) emit(w);
    for (size_t w = 0; w < n; ++w)
        if (!taken[w]) emit(w);
    F = out;
    return true;
}

double TCTab::CalcChemMolWeight() const {
    double sum = CalcMissingH() * ChemAtWeight(1);
    for (int i = 1; i <= FNAtoms; ++i)
        if (FAtoms[i].AtNum != 1) sum += ChemAtWeight(FAtoms[i].AtNum);
    return sum;
}

// ---- Geometry --------------------------------------------------------------------------------------

bool TCTab::GetCoordsPresent() const {
    for (int i = 1; i <= FNAtoms; ++i)
        for (int ax = 1; ax <= 3; ++ax)
            if (FAtoms[i].Coords[ax] != 0.0f) return true;
    return false;
}

void TCTab::SetCoordsPresent(bool Value) {
    if (Value) return;
    for (int i = 1; i <= FNAtoms; ++i) FAtoms[i].Coords = {};
    Changed();
}

void TCTab::CalcMolCenter(double& X, double& Y, double& Z) const {
    X = Y = Z = 0.0;
    if (FNAtoms == 0) return;
    for (int i = 1; i <= FNAtoms; ++i) {
        X += FAtoms[i].Coords[1];
        Y += FAtoms[i].Coords[2];
        Z += FAtoms[i].Coords[3];
    }
    X /= FNAtoms;
    Y /= FNAtoms;
    Z /= FNAtoms;
}

double TCTab::CalcMolExtents(double& MinX, double& MinY, double& MaxX, double& MaxY, double& MeanX,
                             double& MeanY) const {
    if (FNAtoms <= 1) {
        MinX = 1.0;
        MaxX = 10000.0;
        MinY = 1.0;
        MaxY = 7000.0;
        MeanX = 5000.0;
        MeanY = 3500.0;
        return 0.0;
    }
    MinX = 10000.0;
    MinY = 7000.0;
    MaxX = 0.0;
    MaxY = 0.0;
    MeanX = MeanY = 0.0;
    double length = 0.0;
    int bonds = 0;
    for (int i = 1; i <= FNAtoms; ++i) {
        const double x = FAtoms[i].Coords[1], y = FAtoms[i].Coords[2];
        MinX = std::min(MinX, x);
        MinY = std::min(MinY, y);
        MaxX = std::max(MaxX, x);
        MaxY = std::max(MaxY, y);
        MeanX += x;
        MeanY += y;
        const int n = GetNBonds(i);
        for (int k = 1; k <= n; ++k) {
            const int p = FAtoms[i].ConnTo[k];
            const double dx = x - GetCoords(p, 1), dy = y - GetCoords(p, 2);
            length += std::sqrt(dx * dx + dy * dy);
            ++bonds;
        }
    }
    MeanX /= FNAtoms;
    MeanY /= FNAtoms;
    return bonds > 0 ? length / bonds : 0.0;
}

void TCTab::FindClosestAtom(double X, double Y, double Z, int& a, double& Distance) const {
    Distance = static_cast<double>(uc_MaxDouble);
    a = 0;
    for (int i = 1; i <= FNAtoms; ++i) {
        const double dx = X - FAtoms[i].Coords[1], dy = Y - FAtoms[i].Coords[2], dz = Z - FAtoms[i].Coords[3];
        const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (d < Distance) {
            Distance = d;
            a = i;
        }
    }
}

int TCTab::FindAtomInBox(double X, double Y, double Z, double DX, double DY, double DZ) const {
    for (int i = FNAtoms; i >= 1; --i)
        if (std::fabs(FAtoms[i].Coords[1] - X) <= DX && std::fabs(FAtoms[i].Coords[2] - Y) <= DY &&
            std::fabs(FAtoms[i].Coords[3] - Z) <= DZ)
            return i;
    return -1;
}

// ---- Comparison ------------------------------------------------------------------------------------

uint16_t TCTab::CompareWith(const TCTab* Other) const {
    if (Other == nullptr) return 0xFFFF;
    uint16_t r = 0;
    if (FNAtoms != Other->FNAtoms) r |= 0x1;
    if (!AnsiSameText(FStrucName, Other->FStrucName)) r |= 0x2;
    if (FCoordUnit != Other->FCoordUnit) r |= 0x4;
    if (FCASNr != Other->FCASNr) r |= 0x8;
    for (int i = 1; i <= MaxCTAtoms; ++i) {
        const CTElem a = GetAtomEntries(i), b = Other->GetAtomEntries(i);
        if (a.AtNum != b.AtNum) r |= 0x10;
        if (a.AtWeight != b.AtWeight) r |= 0x20;
        if (a.AtFlag != b.AtFlag) r |= 0x40;
        if (a.Attrib != b.Attrib) r |= 0x80;
        if (a.Charge != b.Charge) r |= 0x100;
        if (a.Coords[1] != b.Coords[1]) r |= 0x200;
        if (a.Coords[2] != b.Coords[2]) r |= 0x400;
        if (a.Coords[3] != b.Coords[3]) r |= 0x800;
        for (int k = 1; k <= MaxCTConn; ++k) {
            if (a.ConnTo[k] != b.ConnTo[k]) r |= 0x1000;
            if (a.TypConn[k] != b.TypConn[k]) r |= 0x2000;
        }
    }
    return r;
}

} // namespace qyx
