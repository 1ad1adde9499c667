// TCTab ring perception, structural attributes, chain stripping and element containment.
#include <algorithm>
#include <iterator>
#include <vector>

#include <qyx/QYX_cstruct.h>

namespace qyx {

bool RingInRingList(const RingType& Ring, const RingListType& List) {
    for (int r = 1; r <= std::min(List.Count, 100); ++r) {
        bool marked[256] = {};
        const RingType& l = List.Rings[r];
        for (int i = 1; i <= std::min<int>(l.Count, 64); ++i) marked[l.Atoms[i]] = true;
        bool all = true;
        for (int i = 1; i <= std::min<int>(Ring.Count, 64) && all; ++i) all = marked[Ring.Atoms[i]];
        if (all) return true;
    }
    return false;
}

int TCTab::RingsInMolecule() const {
    int sum = 0;
    for (int i = 1; i <= FNAtoms; ++i) sum += GetNBonds(i);
    return sum / 2 - FNAtoms + 1;
}

namespace {

// The depth-first search of FindShortestRings: the current path, the best ring length so far and
// the atoms' AtFlag as the "on the path" mark.
struct TRingSearch {
    TFixedArray<CTElem, 1, MaxCTAtoms>& Atoms;
    int NAtoms, Start;
    RingListType& List;
    const bool* Core = nullptr; // when set, partners outside it (other than Start) are not entered
    std::vector<int> Path;
    int Best = 64;

    void Visit(int Prev, int Cur) {
        Path.push_back(Cur);
        bool closed = false;
        for (int k = 1; k <= MaxCTConn; ++k) {
            const int p = Atoms[Cur].ConnTo[k];
            if (p == 0) break;
            if (p > NAtoms) continue; // a dangling entry is no partner
            if (Core != nullptr && !Core[p] && p != Start) continue;
            if (p == Start && p != Prev) {
                closed = true;
                break;
            }
            if (p != Prev && Atoms[p].AtFlag == 0 && static_cast<int>(Path.size()) <= Best) {
                Atoms[Cur].AtFlag = 1;
                Visit(Cur, p);
            }
        }
        if (closed) Record();
        Path.pop_back();
        Atoms[Cur].AtFlag = 0;
    }

    void Record() {
        const int len = static_cast<int>(Path.size());
        RingType r;
        r.Count = static_cast<uint8_t>(len);
        for (int i = 0; i < len; ++i) r.Atoms[i + 1] = static_cast<uint8_t>(Path[i]);
        if (len < Best) {
            List.Count = 1;
            List.Rings[1] = r;
            Best = len;
        } else if (len == Best && !RingInRingList(r, List) && List.Count < 100) {
            List.Rings[++List.Count] = r;
        }
    }
};

} // namespace

int TCTab::FindShortestRings(uint16_t Start, RingListType& List) {
    List.Count = 0;
    if (Start == 0 || Start > FNAtoms) return 0;
    for (CTElem& e : FAtoms) e.AtFlag = 0;
    TRingSearch search{FAtoms, FNAtoms, Start, List, nullptr, {}};
    search.Visit(0, Start);
    return List.Count;
}

namespace {

// Marks the atoms of the 2-core of the bond graph (partners taken in both directions, self-bonds
// and dangling entries ignored): only they can lie on a ring of three or more atoms.
void MarkRingCandidates(const TFixedArray<CTElem, 1, MaxCTAtoms>& Atoms, int NAtoms, bool* Core) {
    bool adj[MaxCTAtoms + 1][MaxCTAtoms + 1] = {};
    for (int a = 1; a <= NAtoms; ++a)
        for (int k = 1; k <= MaxCTConn; ++k) {
            const int p = Atoms[a].ConnTo[k];
            if (p == 0) break;
            if (p <= NAtoms && p != a) adj[a][p] = adj[p][a] = true;
        }
    int deg[MaxCTAtoms + 1] = {};
    for (int a = 1; a <= NAtoms; ++a) {
        Core[a] = true;
        for (int b = 1; b <= NAtoms; ++b) deg[a] += adj[a][b];
    }
    for (bool peeled = true; peeled;) {
        peeled = false;
        for (int a = 1; a <= NAtoms; ++a)
            if (Core[a] && deg[a] <= 1) {
                Core[a] = false;
                peeled = true;
                for (int b = 1; b <= NAtoms; ++b)
                    if (adj[a][b]) --deg[b];
            }
    }
}

bool HasSelfBond(const CTElem& E, int a) {
    for (int k = 1; k <= MaxCTConn && E.ConnTo[k] != 0; ++k)
        if (E.ConnTo[k] == a) return true;
    return false;
}

} // namespace

int TCTab::FindSSSR(RingListType& List) {
    List.Count = 0;
    if (FNAtoms <= 0) return 0;
    // Atoms off the 2-core are on no ring: they are neither started from nor walked through. A
    // self-bond (only in damaged tables) lets the walk step in place, so then every atom is searched.
    bool core[MaxCTAtoms + 1] = {};
    bool selfBond = false;
    for (int a = 1; a <= FNAtoms; ++a) selfBond = selfBond || HasSelfBond(FAtoms[a], a);
    if (selfBond)
        std::fill(std::begin(core), std::end(core), true);
    else
        MarkRingCandidates(FAtoms, FNAtoms, core);
    for (CTElem& e : FAtoms) e.AtFlag = 0;
    bool done[MaxCTAtoms + 1] = {};
    RingListType through;
    for (int a = 1; a <= FNAtoms; ++a) {
        if (done[a] || !core[a]) continue;
        through.Count = 0;
        TRingSearch search{FAtoms, FNAtoms, a, through, core, {}};
        search.Visit(0, a);
        if (through.Count == 0) continue;
        for (int r = 1; r <= through.Count; ++r) {
            const RingType& ring = through.Rings[r];
            if (RingInRingList(ring, List) || List.Count >= 100) continue;
            List.Rings[++List.Count] = ring;
            for (int i = 1; i <= ring.Count; ++i)
                if (GetNBonds(ring.Atoms[i]) <= 2) done[ring.Atoms[i]] = true;
        }
    }
    return List.Count;
}

int TCTab::CalcAttributes() {
    for (CTElem& e : FAtoms) e.Attrib = 0;
    RingListType list;
    const int n = FindSSSR(list);
    for (int r = 1; r <= list.Count; ++r) {
        const RingType& ring = list.Rings[r];
        const int m = ring.Count;
        const uint8_t code = m == 5 ? 0x24 : m == 6 ? 0x28 : 0x22;
        for (int i = 1; i <= m; ++i) {
            uint8_t& at = FAtoms[ring.Atoms[i]].Attrib;
            at |= (at & (atOddRing | atRing5 | atRing6 | atRing)) != 0 ? code | atMultiRing : code;
        }
    }
    for (int i = 1; i <= FNAtoms; ++i) {
        uint8_t& at = FAtoms[i].Attrib;
        if (at == 0) at = GetNBonds(i) == 1 ? atChain | atEnd : atChain;
        if (GetNBonds(i) > 2) at |= atBranch;
    }
    return n;
}

int TCTab::FindNextEndAtom(int First) const {
    for (int i = std::max(First, 1); i <= FNAtoms; ++i)
        if (GetNBonds(i) == 1) return i;
    return 0;
}

int TCTab::StripfromChains() {
    bool deleted = true;
    while (deleted) {
        deleted = false;
        for (int i = 1; i <= FNAtoms; ++i)
            if (GetNBonds(i) == 1) {
                DeleteAtom(i);
                deleted = true;
            }
    }
    if (FNAtoms == 1) {
        const uint32_t d = FAtoms[1].DrawAttr;
        ClearCTElem(FAtoms[1]);
        FAtoms[1].DrawAttr = d;
        FNAtoms = 0;
    }
    return FNAtoms;
}

bool TCTab::SumForContained(const TCTab* Other) const {
    if (Other == nullptr || FNAtoms < Other->FNAtoms) return false;
    std::vector<std::pair<int, int>> rows; // (element, balance), at most 30
    auto add = [&rows](int Z, int Delta) {
        for (auto& r : rows)
            if (r.first == Z) {
                r.second += Delta;
                return;
            }
        if (rows.size() < 30) rows.emplace_back(Z, Delta);
    };
    for (int i = 1; i <= FNAtoms; ++i) add(FAtoms[i].AtNum, 1);
    for (int i = 1; i <= Other->FNAtoms; ++i) add(Other->FAtoms[i].AtNum, -1);
    for (const auto& r : rows)
        if (r.second < 0) return false;
    return true;
}

} // namespace qyx
