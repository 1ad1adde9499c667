// TCTab fragment codes and the counts of functional groups and bond classes.
#include <span>

#include <qyx/QYX_cstruct.h>
#include <qyx/QYX_math1.h>

namespace qyx {

namespace {

// Fragment element code of an atomic number; 0 for elements without one.
int FragElemCode(int Z) {
    switch (Z) {
    case 1: return 1;
    case 5: return 2;
    case 6: return 3;
    case 7: return 4;
    case 8: return 5;
    case 9: return 6;
    case 14: return 7;
    case 15: return 8;
    case 16: return 9;
    case 17: return 10;
    case 33: return 11;
    case 35: return 12;
    case 50: return 13;
    case 53: return 14;
    default: return 0;
    }
}

const char* FragElemText(int Code) {
    static const char* const Texts[16] = {"",  "H", "B",  "C",  "N",  "O",  "F", "Si",
                                          "P", "S", "Cl", "As", "Br", "Sn", "I", "RR"};
    return Texts[Code & 15];
}

} // namespace

std::string FragmentStr(int Code) {
    if (Code < 0) return "ERROR";
    static const char* const BondChar[4] = {"4", "1", "2", "3"};
    std::string s = FragElemText(Code & 15);
    unsigned rest = static_cast<unsigned>(Code) >> 4;
    for (int k = 0; k < 4 && rest != 0; ++k) {
        s += BondChar[rest & 3];
        s += FragElemText((rest >> 2) & 15);
        rest >>= 6;
    }
    return s;
}

int TCTab::FragmentCode(int a, int& Second) const {
    Second = 0;
    const int own = FragElemCode(GetAtNum(a));
    if (own == 0) return -1;
    const int n = GetNBonds(a);
    int items[MaxCTConn] = {};
    bool uncoded = false;
    for (int j = 1; j <= n; ++j) {
        const int p = FAtoms[a].ConnTo[j];
        Second += GetNBonds(p) - 1;
        const int pc = FragElemCode(GetAtNum(p));
        if (pc == 0) uncoded = true;
        items[j - 1] = (FAtoms[a].TypConn[j] & 3) + 4 * pc;
    }
    if (uncoded) return -1;
    SortArray(std::span<int>(items, 8), 7, false);
    if (n > 4) return -2;
    int code = own;
    for (int k = 1; k <= n; ++k) code += items[k - 1] << (6 * k - 2);
    return code;
}

bool TCTab::HasDoubleO(int a) const {
    const int n = GetNBonds(a);
    for (int k = 1; k <= n; ++k)
        if (FAtoms[a].TypConn[k] == 2 && GetAtNum(FAtoms[a].ConnTo[k]) == 8) return true;
    return false;
}

int TCTab::FragmentCount(FrgType Kind) const {
    auto Z = [this](int p) { return static_cast<int>(GetAtNum(p)); };
    auto HasAro = [this](int p) {
        for (int k = 1; k <= GetNBonds(p); ++k)
            if (FAtoms[p].TypConn[k] == 4) return true;
        return false;
    };
    // An amine partner: not a nitrogen and not a carbon with =O.
    auto AminePartner = [&](int p) { return Z(p) != 7 && !(Z(p) == 6 && HasDoubleO(p)); };
    // A terminal nitrogen as NNH2 wants it: one partner whose first bond type is below 3.
    auto TerminalN = [&](int p) { return Z(p) == 7 && GetNBonds(p) == 1 && FAtoms[p].TypConn[1] < 3; };

    int count = 0;
    if (Kind <= NAroBnd) {
        static constexpr int BondOf[7] = {1, 1, 2, 2, 3, 3, 4};
        const bool ccOnly = Kind == NCCSgl || Kind == NCCDbl || Kind == NCCTrpl;
        for (int i = 1; i <= FNAtoms; ++i)
            for (int k = 1; k <= GetNBonds(i); ++k)
                if (FAtoms[i].TypConn[k] == BondOf[Kind] &&
                    (!ccOnly || (Z(i) == 6 && Z(FAtoms[i].ConnTo[k]) == 6)))
                    ++count;
        return count / 2;
    }
    for (int i = 1; i <= FNAtoms; ++i) {
        const CTElem& e = FAtoms[i];
        const int z = e.AtNum;
        const int n = GetNBonds(i);
        // Partners of slots 1-3 by kind.
        int dblO = 0, sglO1 = 0, sglOn = 0, sglN = 0;
        for (int k = 1; k <= std::min(n, 3); ++k) {
            const int p = e.ConnTo[k], t = e.TypConn[k];
            if (Z(p) == 8 && t == 2) ++dblO;
            if (Z(p) == 8 && t == 1) (GetNBonds(p) == 1 ? sglO1 : sglOn)++;
            if (Z(p) == 7 && t == 1) ++sglN;
        }
        bool allSingle = true, amine = true, halide = false;
        for (int k = 1; k <= n; ++k) {
            allSingle = allSingle && e.TypConn[k] == 1;
            amine = amine && AminePartner(e.ConnTo[k]);
            const int pz = Z(e.ConnTo[k]);
            halide = halide || pz == 17 || pz == 35 || pz == 53;
        }
        switch (Kind) {
        case NBranch: count += n > 2; break;
        case XCnt: count += z == 17 || z == 35; break;
        case COOH: count += z == 6 && n == 3 && dblO > 0 && sglO1 > 0; break;
        case COO: count += z == 6 && n == 3 && dblO > 0 && sglOn > 0; break;
        case NO2:
            count += z == 7 && n == 3 && (dblO >= 2 || (dblO == 1 && sglO1 + sglOn > 0 && e.Charge == 1));
            break;
        case AnyCO: count += z == 6 && n < 4 && HasDoubleO(i); break;
        case AroCl: count += z == 17 && n > 0 && HasAro(e.ConnTo[1]); break;
        case AroBr: count += z == 35 && n > 0 && HasAro(e.ConnTo[1]); break;
        case AnyOH: count += z == 8 && n == 1 && e.TypConn[1] == 1; break;
        case PhOH:
            count += z == 8 && n == 1 && e.TypConn[1] == 1 && Z(e.ConnTo[1]) == 6 && HasAro(e.ConnTo[1]);
            break;
        case NH2: count += z == 7 && n == 1 && allSingle && amine; break;
        case NHR: count += z == 7 && n == 2 && allSingle && amine; break;
        case NR2: count += z == 7 && n == 3 && allSingle && amine; break;
        case NCON: count += z == 6 && n == 3 && dblO == 1 && sglN == 2; break;
        case CN:
            count +=
                z == 6 && n == 2 &&
                ((Z(e.ConnTo[1]) == 7 && e.TypConn[1] == 3) || (Z(e.ConnTo[2]) == 7 && e.TypConn[2] == 3));
            break;
        case CONR2: count += z == 6 && n == 3 && dblO == 1 && sglN == 1; break;
        case CHO:
            count += z == 6 && n < 3 && !(e.TypConn[1] == 2 && e.TypConn[2] == 2) && HasDoubleO(i);
            break;
        case COX: count += z == 6 && n < 4 && HasDoubleO(i) && halide; break;
        case AnySO: count += z == 16 && n < 4 && HasDoubleO(i); break;
        case OCH3:
            count += z == 8 && n == 2 &&
                     ((Z(e.ConnTo[1]) == 6 && GetNBonds(e.ConnTo[1]) == 1) ||
                      (Z(e.ConnTo[2]) == 6 && GetNBonds(e.ConnTo[2]) == 1));
            break;
        case NO: count += z == 7 && n == 2 && HasDoubleO(i); break;
        case NNH2:
            if (z == 7 && n == 2) {
                count += e.TypConn[1] == 1 && TerminalN(e.ConnTo[2]);
                count += e.TypConn[2] == 1 && TerminalN(e.ConnTo[1]);
            }
            break;
        default: return 0;
        }
    }
    return count;
}

} // namespace qyx
