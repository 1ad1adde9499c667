// TCTab storage: per-atom access, the partner lists and the editing operations.
#include <qyx/QYX_CData.h>
#include <qyx/QYX_cstruct.h>

namespace qyx {

namespace {

// Clears a record but keeps its DrawAttr, which belongs to the slot.
void ClearKeepDrawAttr(CTElem& E) {
    const uint32_t d = E.DrawAttr;
    ClearCTElem(E);
    E.DrawAttr = d;
}

// Drops later duplicates and zero entries of a partner list, keeping the order of the rest.
void CompactPartners(CTElem& E) {
    CTElem out = E;
    int n = 0;
    for (int k = 1; k <= MaxCTConn; ++k) {
        const uint8_t p = E.ConnTo[k];
        if (p == 0) continue;
        bool seen = false;
        for (int j = 1; j <= n; ++j) seen = seen || out.ConnTo[j] == p;
        if (seen) continue;
        ++n;
        out.ConnTo[n] = p;
        out.TypConn[n] = E.TypConn[k];
    }
    for (int k = n + 1; k <= MaxCTConn; ++k) out.ConnTo[k] = out.TypConn[k] = 0;
    E = out;
}

// Removes every slot holding B from E's list and closes the gap; true when one was removed.
bool DropPartner(CTElem& E, int B) {
    bool dropped = false;
    int n = 0;
    for (int k = 1; k <= MaxCTConn; ++k) {
        if (E.ConnTo[k] == B && B != 0) {
            dropped = true;
            continue;
        }
        ++n;
        E.ConnTo[n] = E.ConnTo[k];
        E.TypConn[n] = E.TypConn[k];
    }
    for (int k = n + 1; k <= MaxCTConn; ++k) E.ConnTo[k] = E.TypConn[k] = 0;
    return dropped;
}

} // namespace

void ClearCTElem(CTElem& E) {
    E = CTElem{};
}

TCTab::TCTab(TComponent* AOwner) : TComponent(AOwner) {
    for (CTElem& e : FAtoms) ClearCTElem(e);
}

void TCTab::Changed() {
    if (OnChange) OnChange(this);
}

std::string TCTab::GetCASNr() const {
    return FormatCASNr(FCASNr);
}

void TCTab::SetCASNr(const std::string& Text) {
    int n = 0;
    if (ConvertStrToCASNr(Text, n)) FCASNr = n;
    Changed();
}

bool TCTab::CheckCASNr(int Number) const {
    return ::qyx::CheckCASNr(Number);
}

// ---- Per-atom access -------------------------------------------------------------------------------

uint8_t TCTab::GetAtNum(int a) const {
    return Valid(a) ? FAtoms[a].AtNum : 0;
}
uint8_t TCTab::GetAtWeight(int a) const {
    return Valid(a) ? FAtoms[a].AtWeight : 0;
}
uint8_t TCTab::GetAtFlag(int a) const {
    return Valid(a) ? FAtoms[a].AtFlag : 0;
}
uint8_t TCTab::GetAttrib(int a) const {
    return Valid(a) ? FAtoms[a].Attrib : 0;
}
int8_t TCTab::GetCharge(int a) const {
    return Valid(a) ? FAtoms[a].Charge : 0;
}

void TCTab::SetAtNum(int a, uint8_t Z) {
    if (Valid(a) && Z >= 1 && Z <= 103) FAtoms[a].AtNum = Z;
    Changed();
}
void TCTab::SetAtWeight(int a, uint8_t Value) {
    if (Valid(a)) FAtoms[a].AtWeight = Value;
    Changed();
}
void TCTab::SetAtFlag(int a, uint8_t Value) {
    if (Valid(a)) FAtoms[a].AtFlag = Value;
    Changed();
}
void TCTab::SetAttrib(int a, uint8_t Value) {
    if (Valid(a)) FAtoms[a].Attrib = Value;
    Changed();
}
void TCTab::SetCharge(int a, int8_t Value) {
    if (Valid(a)) FAtoms[a].Charge = Value;
    Changed();
}

uint8_t TCTab::GetConnTo(int a, int Slot) const {
    return Valid(a) && Slot >= 1 && Slot <= MaxCTConn ? FAtoms[a].ConnTo[Slot] : 0;
}
uint8_t TCTab::GetTypConn(int a, int Slot) const {
    return Valid(a) && Slot >= 1 && Slot <= MaxCTConn ? FAtoms[a].TypConn[Slot] : 0;
}
void TCTab::SetConnTo(int a, int Slot, uint8_t Value) {
    if (Valid(a) && Slot >= 1 && Slot <= MaxCTConn) FAtoms[a].ConnTo[Slot] = Value;
    Changed();
}
void TCTab::SetTypConn(int a, int Slot, uint8_t Value) {
    if (Valid(a) && Slot >= 1 && Slot <= MaxCTConn) FAtoms[a].TypConn[Slot] = Value;
    Changed();
}

float TCTab::GetCoords(int a, int Axis) const {
    return Valid(a) && Axis >= 1 && Axis <= 3 ? FAtoms[a].Coords[Axis] : 0.0f;
}
void TCTab::SetCoords(int a, int Axis, float Value) {
    if (Valid(a) && Axis >= 1 && Axis <= 3) FAtoms[a].Coords[Axis] = Value;
    Changed();
}

CTElem TCTab::GetAtomEntries(int a) const {
    if (Valid(a)) return FAtoms[a];
    CTElem e;
    ClearCTElem(e);
    return e;
}

void TCTab::SetAtomEntries(int a, const CTElem& E) {
    if (Valid(a)) FAtoms[a] = E;
    Changed();
}

int TCTab::GetNBonds(int a) const {
    if (!Valid(a)) return 0;
    int n = 0;
    for (int k = 1; k <= MaxCTConn; ++k) n += FAtoms[a].ConnTo[k] != 0 ? 1 : 0;
    return n;
}

uint8_t TCTab::CheckConnect(int a, int b) const {
    uint8_t t = 0;
    const int n = GetNBonds(a);
    for (int k = 1; k <= n; ++k)
        if (FAtoms[a].ConnTo[k] == b && b != 0) t = FAtoms[a].TypConn[k];
    return t;
}

int TCTab::AtomCount(uint8_t Z) const {
    int n = 0;
    for (int i = 1; i <= FNAtoms; ++i) n += FAtoms[i].AtNum == Z ? 1 : 0;
    return n;
}

int TCTab::MaxNBonds(int& a) const {
    int best = -1;
    for (int i = 1; i <= FNAtoms; ++i) {
        const int n = GetNBonds(i);
        if (n > best) {
            best = n;
            a = i;
        }
    }
    return best < 0 ? 0 : best;
}

bool TCTab::ContainsUnconnectedAtom() const {
    for (int i = 1; i <= FNAtoms; ++i)
        if (GetNBonds(i) == 0) return true;
    return false;
}

// ---- Editing ---------------------------------------------------------------------------------------

void TCTab::Clear() {
    FNAtoms = 0;
    FStrucName.clear();
    FCASNr = 0;
    FCoordUnit = cuUnknown;
    for (CTElem& e : FAtoms) ClearCTElem(e);
    Changed();
}

void TCTab::ClearAttributes() {
    for (int i = 1; i <= FNAtoms; ++i) FAtoms[i].Attrib = 0;
}

bool TCTab::AddAtom(const CTElem& E) {
    if (FNAtoms >= MaxCTAtoms) return false;
    const CTElem src = E; // E may be a record of this very table
    ++FNAtoms;
    CTElem& n = FAtoms[FNAtoms];
    n.AtNum = src.AtNum;
    n.Coords = src.Coords;
    n.Charge = src.Charge;
    n.AtWeight = src.AtWeight;
    n.AtFlag = src.AtFlag;
    n.Attrib = src.Attrib;
    for (int k = 1; k <= MaxCTConn; ++k) n.ConnTo[k] = n.TypConn[k] = 0;
    for (int k = 1; k <= MaxCTConn; ++k)
        if (src.ConnTo[k] != 0) EnterConn(FNAtoms, src.ConnTo[k], src.TypConn[k]);
    return true;
}

void TCTab::EnterConn(int a, int b, int Type) {
    if (a < 1 || b < 1 || a > MaxCTAtoms || b > MaxCTAtoms) return;
    CTElem& e = FAtoms[a];
    for (int k = 1; k <= MaxCTConn; ++k) {
        if (e.ConnTo[k] == b) {
            e.TypConn[k] = static_cast<uint8_t>(Type);
            return;
        }
        if (e.ConnTo[k] == 0) {
            e.ConnTo[k] = static_cast<uint8_t>(b);
            e.TypConn[k] = static_cast<uint8_t>(Type);
            return;
        }
    }
}

bool TCTab::MakeConnection(int a, int b, uint8_t Type) {
    if (!Valid(a) || !Valid(b)) return false;
    if (Type != 0) {
        EnterConn(a, b, Type);
        EnterConn(b, a, Type);
        return true;
    }
    const bool da = DropPartner(FAtoms[a], b);
    const bool db = DropPartner(FAtoms[b], a);
    return da || db;
}

void TCTab::MakeSymmetricConnections() {
    for (int i = 1; i <= FNAtoms; ++i)
        for (int k = 1; k <= MaxCTConn; ++k) {
            const int p = FAtoms[i].ConnTo[k];
            if (p != 0) EnterConn(p, i, FAtoms[i].TypConn[k]);
        }
}

void TCTab::DeleteAtom(int a) {
    if (!Valid(a)) return;
    const CTElem gone = FAtoms[a];
    // 1. Bridging: every atom bonded to a is bonded to a's other partners instead (a full list
    //    takes no more partners).
    for (int i = 1; i <= FNAtoms; ++i) {
        if (i == a) continue;
        CTElem& e = FAtoms[i];
        for (int k = 1; k <= MaxCTConn; ++k) {
            if (e.ConnTo[k] != a) continue;
            e.ConnTo[k] = e.TypConn[k] = 0;
            for (int j = 1; j <= MaxCTConn; ++j) {
                const int b = gone.ConnTo[j];
                if (b == 0 || b == i) continue;
                for (int f = 1; f <= MaxCTConn; ++f)
                    if (e.ConnTo[f] == 0) {
                        e.ConnTo[f] = static_cast<uint8_t>(b);
                        e.TypConn[f] = gone.TypConn[j];
                        break;
                    }
            }
        }
    }
    // 2. The last atom moves into a's place.
    const int last = FNAtoms;
    if (a != last) {
        const CTElem& l = FAtoms[last];
        CTElem& t = FAtoms[a];
        t.ConnTo = l.ConnTo;
        t.TypConn = l.TypConn;
        t.AtNum = l.AtNum;
        t.AtWeight = l.AtWeight;
        t.Charge = l.Charge;
        t.AtFlag = l.AtFlag;
        t.Attrib = l.Attrib;
        t.Coords = l.Coords;
    }
    // 3. Renumber the moved atom and clear the old last slot.
    FNAtoms = last - 1;
    ClearKeepDrawAttr(FAtoms[last]);
    for (int i = 1; i <= FNAtoms; ++i)
        for (int k = 1; k <= MaxCTConn; ++k)
            if (FAtoms[i].ConnTo[k] == last) FAtoms[i].ConnTo[k] = static_cast<uint8_t>(a);
    // 4. Remove duplicates and gaps.
    for (int i = 1; i <= FNAtoms; ++i) CompactPartners(FAtoms[i]);
}

void TCTab::RemoveHydrogen() {
    int i = 1;
    while (i <= FNAtoms) {
        if (FAtoms[i].AtNum == 1)
            DeleteAtom(i);
        else
            ++i;
    }
}

void TCTab::CopyFrom(const TCTab* Other) {
    if (Other == nullptr || Other == this) {
        Changed();
        return;
    }
    FNAtoms = Other->FNAtoms;
    FStrucName = Other->FStrucName;
    FCoordUnit = Other->FCoordUnit;
    FCASNr = Other->FCASNr;
    for (int i = 1; i <= MaxCTAtoms; ++i) {
        const uint32_t d = FAtoms[i].DrawAttr;
        FAtoms[i] = Other->FAtoms[i];
        FAtoms[i].DrawAttr = d;
    }
    Changed();
}

void TCTab::JoinFragment(const TCTab* Fragment) {
    if (Fragment == nullptr) return;
    TCTab f(nullptr);
    f.CopyFrom(Fragment);
    // 1. Map every fragment atom to its target; a flag without counterpart makes a new atom.
    TFixedArray<int, 1, MaxCTAtoms> map{};
    int next = FNAtoms;
    for (int i = 1; i <= f.FNAtoms; ++i) {
        int target = 0;
        if (f.FAtoms[i].AtFlag != 0)
            for (int j = 1; j <= FNAtoms; ++j)
                if (FAtoms[j].AtFlag == f.FAtoms[i].AtFlag) target = j;
        map[i] = target != 0 ? target : ++next;
    }
    // 2. Renumber the copy's partners; partners that are no fragment atom or lie beyond the table's
    //    room are dropped.
    for (int i = 1; i <= f.FNAtoms; ++i)
        for (int k = 1; k <= MaxCTConn; ++k) {
            const int p = f.FAtoms[i].ConnTo[k];
            const int t = p >= 1 && p <= f.FNAtoms ? map[p] : 0;
            f.FAtoms[i].ConnTo[k] = static_cast<uint8_t>(t <= MaxCTAtoms ? t : 0);
        }
    // 3. Append new atoms, fuse the others.
    for (int i = 1; i <= f.FNAtoms; ++i) {
        const CTElem& e = f.FAtoms[i];
        if (map[i] > FNAtoms) {
            AddAtom(e);
            continue;
        }
        CTElem& t = FAtoms[map[i]];
        t.AtNum = e.AtNum;
        t.AtWeight = e.AtWeight;
        t.Charge = e.Charge;
        for (int k = 1; k <= MaxCTConn; ++k)
            if (e.ConnTo[k] != 0) EnterConn(map[i], e.ConnTo[k], e.TypConn[k]);
    }
}

void TCTab::LinkFragment(const TCTab* Fragment) {
    if (Fragment == nullptr) return;
    const int m = FNAtoms;
    const int fn = Fragment->FNAtoms;
    if (m + fn > MaxCTAtoms) return;
    TFixedArray<CTElem, 1, MaxCTAtoms> add = Fragment->FAtoms; // Fragment may be this table
    for (int j = 1; j <= fn; ++j) {
        CTElem& t = FAtoms[m + j];
        const uint32_t d = t.DrawAttr;
        t = add[j];
        t.DrawAttr = d;
        for (int k = 1; k <= MaxCTConn; ++k) {
            const int p = t.ConnTo[k];
            t.ConnTo[k] = static_cast<uint8_t>(p >= 1 && p <= fn ? p + m : 0);
            if (t.ConnTo[k] == 0) t.TypConn[k] = 0;
        }
        CompactPartners(t);
    }
    FNAtoms = m + fn;
    for (int i = 1; i <= m; ++i) {
        if (FAtoms[i].AtFlag == 0) continue;
        for (int j = m + 1; j <= FNAtoms; ++j)
            if (FAtoms[j].AtFlag == FAtoms[i].AtFlag) {
                EnterConn(i, j, 1);
                EnterConn(j, i, 1);
            }
    }
}

} // namespace qyx
