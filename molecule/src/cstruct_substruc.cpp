// TCTab substructure search and atom selection by template.
#include <algorithm>
#include <numeric>
#include <vector>

#include <qyx/QYX_cstruct.h>

namespace qyx {

namespace {

// The depth-first pairing of sub atoms (y) with molecule atoms (x) along a path.
struct TSubMatch {
    const TCTab& Mol;
    const TCTab& Sub;
    bool CompareBondTypes;
    TMatchFlags& Matched;
    TFixedArray<int, 1, MaxCTAtoms> PairOf{}; // molecule atom paired with a used sub atom, 0 = unused
    std::vector<int> PathMol;                 // molecule atoms on the current path

    static std::vector<int> Further(const TCTab& T, int a, int Prev) {
        std::vector<int> f;
        for (int k = 1; k <= T.GetNBonds(a); ++k) {
            const int p = T.GetConnTo(a, k);
            if (p != Prev && p >= 1 && p <= T.GetNAtoms()) f.push_back(p);
        }
        return f;
    }

    bool Match(int PrevMol, int PrevSub, int x, int y) {
        // Pair test.
        if (Mol.GetAtNum(x) != Sub.GetAtNum(y)) return false;
        const uint8_t attr = Sub.GetAttrib(y);
        if (attr != 0 && (Mol.GetAttrib(x) & attr) != attr) return false;
        if (Sub.GetNBonds(y) > Mol.GetNBonds(x)) return false;
        if (CompareBondTypes && PrevSub != 0 && Sub.CheckConnect(PrevSub, y) != Mol.CheckConnect(PrevMol, x))
            return false;
        if (std::find(PathMol.begin(), PathMol.end(), x) != PathMol.end()) return false; // one atom, one pair
        bool closure = false;
        for (int q : Further(Sub, y, PrevSub)) {
            if (PairOf[q] == 0) continue;
            if (Mol.CheckConnect(x, PairOf[q]) == 0) return false;
            closure = true;
        }
        PairOf[y] = x;
        PathMol.push_back(x);
        Matched[x] = true;
        const std::vector<int> fs = Further(Sub, y, PrevSub);
        const std::vector<int> fm = Further(Mol, x, PrevMol);
        bool ok = fs.empty() || closure;
        if (!ok && fs.size() <= fm.size()) ok = TryAssignments(x, y, fs, fm);
        PairOf[y] = 0;
        PathMol.pop_back();
        if (!ok) Matched[x] = false;
        return ok;
    }

    // Ordered choices of fs.size() distinct further partners of x, in odometer order starting after
    // the first choice and ending with it.
    bool TryAssignments(int x, int y, const std::vector<int>& fs, const std::vector<int>& fm) {
        const size_t k = fs.size();
        std::vector<size_t> pos(fm.size());
        std::iota(pos.begin(), pos.end(), 0);
        auto next = [&] {
            std::reverse(pos.begin() + static_cast<long>(k), pos.end());
            return std::next_permutation(pos.begin(), pos.end());
        };
        bool more = true;
        do {
            more = next();
            const TMatchFlags before = Matched;
            bool all = true;
            for (size_t i = 0; i < k && all; ++i) all = Match(x, y, fm[pos[i]], fs[i]);
            if (all) return true;
            Matched = before; // an abandoned choice leaves no marks
        } while (more);
        return false;
    }
};

} // namespace

bool TCTab::SearchSubStruc(const TCTab* Sub, TMatchFlags& Matched, bool CompareBondTypes) {
    for (bool& m : Matched) m = false;
    if (Sub == nullptr || Sub->FNAtoms == 0) return false;
    if (!SumForContained(Sub) || RingsInMolecule() < Sub->RingsInMolecule()) return false;
    int anchor = 1;
    while (anchor < Sub->FNAtoms && Sub->FAtoms[anchor].AtNum == 6) ++anchor;
    const bool carbonAnchor = Sub->FAtoms[anchor].AtNum == 6;
    if (carbonAnchor) anchor = 1;
    for (int m = 1; m <= FNAtoms; ++m) {
        if (!carbonAnchor && FAtoms[m].AtNum != Sub->FAtoms[anchor].AtNum) continue;
        for (bool& f : Matched) f = false;
        TSubMatch s{*this, *Sub, CompareBondTypes, Matched, {}, {}};
        if (s.Match(0, 0, m, anchor)) return true;
    }
    for (bool& m : Matched) m = false;
    return false;
}

void TCTab::MatchAtomTemplate(int8_t Element, int8_t Partners, const uint8_t* Template,
                              AtListType& List) const {
    List.Count = 0;
    for (int& a : List.Atoms) a = 0;
    for (int i = 1; i <= FNAtoms; ++i) {
        const int z = FAtoms[i].AtNum, n = GetNBonds(i);
        if (Element > 0 && z != Element) continue;
        if (Element < 0 && z == -Element) continue;
        if (Partners > 0 && n != Partners) continue;
        if (Partners < 0 && n == -Partners) continue;
        if (Template != nullptr) {
            bool usedSlot[MaxCTConn + 1] = {};
            bool agrees = true;
            for (int t = 0; t < MaxCTConn && agrees; ++t) {
                if (Template[t] == 0) continue;
                agrees = false;
                for (int k = 1; k <= n && !agrees; ++k)
                    if (!usedSlot[k] && FAtoms[i].TypConn[k] == Template[t]) agrees = usedSlot[k] = true;
            }
            if (!agrees) continue;
        }
        List.Atoms[++List.Count] = i;
    }
}

} // namespace qyx
