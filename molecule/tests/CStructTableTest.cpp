// TCTab storage and editing: atom access, bonds, deletion with bridging, fragments, copying,
// comparison, registry numbers and change notification.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_cstruct.h>

using namespace qyx;

namespace {

CTElem Atom(uint8_t Z, float X = 0, float Y = 0, float Z3 = 0) {
    CTElem e;
    e.AtNum = Z;
    e.AtWeight = Z == 6 ? 12 : Z == 8 ? 16 : Z == 7 ? 14 : Z == 1 ? 1 : Z;
    e.Coords[1] = X;
    e.Coords[2] = Y;
    e.Coords[3] = Z3;
    return e;
}

// A chain of atoms of the given elements, bonded single in order.
std::unique_ptr<TCTab> Chain(const std::vector<uint8_t>& Elements) {
    auto t = std::make_unique<TCTab>(nullptr);
    for (size_t i = 0; i < Elements.size(); ++i) t->AddAtom(Atom(Elements[i], static_cast<float>(i)));
    for (int i = 1; i < t->GetNAtoms(); ++i) t->MakeConnection(i, i + 1, 1);
    return t;
}

std::vector<int> Partners(const TCTab& T, int a) {
    std::vector<int> p;
    for (int k = 1; k <= MaxCTConn; ++k) p.push_back(T.GetConnTo(a, k));
    return p;
}

} // namespace

TEST(CStructTable, NewTableIsEmptyAndRecordsAreCleared) {
    TCTab t(nullptr);
    EXPECT_EQ(t.GetNAtoms(), 0);
    EXPECT_EQ(t.GetCASNr(), "0-00-0");
    EXPECT_EQ(t.GetCoordUnit(), cuUnknown);
    const CTElem e = t.GetAtomEntries(1);
    EXPECT_EQ(e.AtNum, 0);
    EXPECT_EQ(e.DrawAttr, 0x80000000u);
    CTElem d;
    d.AtNum = 9;
    d.ConnTo[10] = 3;
    d.DrawAttr = 5;
    ClearCTElem(d);
    EXPECT_EQ(d.AtNum, 0);
    EXPECT_EQ(d.ConnTo[10], 0);
    EXPECT_EQ(d.DrawAttr, 0x80000000u);
}

TEST(CStructTable, InvalidAtomNumbersAnswerZeroAndSettersIgnoreThem) {
    auto t = Chain({6, 8});
    for (int a : {-1, 0, 3, 64, 1000}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(t->GetAtNum(a), 0);
        EXPECT_EQ(t->GetCharge(a), 0);
        EXPECT_EQ(t->GetConnTo(a, 1), 0);
        EXPECT_EQ(t->GetCoords(a, 1), 0.0f);
        EXPECT_EQ(t->GetNBonds(a), 0);
        t->SetAtNum(a, 7);
        t->SetConnTo(a, 1, 2);
        t->SetCoords(a, 2, 5.0f);
    }
    // Slots and axes out of range are ignored as well.
    t->SetConnTo(1, 11, 2);
    t->SetCoords(1, 4, 1.0f);
    EXPECT_EQ(t->GetConnTo(1, 0), 0);
    EXPECT_EQ(t->GetNAtoms(), 2);
    t->SetAtNum(1, 0);
    t->SetAtNum(1, 104);
    EXPECT_EQ(t->GetAtNum(1), 6);
    t->SetAtNum(1, 103);
    EXPECT_EQ(t->GetAtNum(1), 103);
}

TEST(CStructTable, SettersFireOnChangeButEditsDoNot) {
    auto t = Chain({6, 6, 8});
    int fired = 0;
    t->OnChange = [&](TObject* s) {
        EXPECT_EQ(s, t.get());
        ++fired;
    };
    t->SetAtWeight(1, 13);
    t->SetCharge(2, -1);
    t->SetAtFlag(3, 1);
    t->SetAttrib(3, 2);
    t->SetCoords(1, 1, 2.0f);
    t->SetAtomEntries(1, t->GetAtomEntries(1));
    EXPECT_EQ(fired, 6);
    t->AddAtom(Atom(7));
    t->MakeConnection(3, 4, 1);
    t->DeleteAtom(4);
    t->MakeSymmetricConnections();
    t->ClearAttributes();
    EXPECT_EQ(fired, 6);
    t->SetCoordsPresent(true);
    EXPECT_EQ(fired, 6);
    t->SetCoordsPresent(false);
    EXPECT_FALSE(t->GetCoordsPresent());
    t->Clear();
    EXPECT_EQ(fired, 8);
}

TEST(CStructTable, SixtyFourthAtomIsRefused) {
    TCTab t(nullptr);
    for (int i = 1; i <= 63; ++i) ASSERT_TRUE(t.AddAtom(Atom(6)));
    TCTab before(nullptr);
    before.CopyFrom(&t);
    EXPECT_FALSE(t.AddAtom(Atom(8)));
    EXPECT_EQ(t.GetNAtoms(), 63);
    EXPECT_EQ(t.CompareWith(&before), 0);
}

TEST(CStructTable, AddAtomEntersPartnersInItsOwnListOnly) {
    auto t = Chain({6, 6});
    CTElem e = Atom(8);
    e.ConnTo[1] = 1;
    e.TypConn[1] = 2;
    e.ConnTo[3] = 2; // a gap in the record is closed
    e.TypConn[3] = 1;
    ASSERT_TRUE(t->AddAtom(e));
    EXPECT_EQ(t->CheckConnect(3, 1), 2);
    EXPECT_EQ(t->CheckConnect(3, 2), 1);
    EXPECT_EQ(t->GetConnTo(3, 2), 2);
    EXPECT_EQ(t->CheckConnect(1, 3), 0);
    t->MakeSymmetricConnections();
    EXPECT_EQ(t->CheckConnect(1, 3), 2);
}

TEST(CStructTable, MakeConnectionSetsChangesAndRemovesBothDirections) {
    auto t = Chain({6, 6, 6});
    EXPECT_TRUE(t->MakeConnection(1, 2, 2));
    EXPECT_EQ(t->CheckConnect(1, 2), 2);
    EXPECT_EQ(t->CheckConnect(2, 1), 2);
    EXPECT_EQ(t->GetNBonds(2), 2);
    EXPECT_TRUE(t->MakeConnection(1, 2, 0));
    EXPECT_EQ(t->CheckConnect(1, 2), 0);
    EXPECT_EQ(t->CheckConnect(2, 1), 0);
    EXPECT_EQ(Partners(*t, 2), (std::vector<int>{3, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(t->MakeConnection(1, 2, 0)); // nothing left to remove
    EXPECT_FALSE(t->MakeConnection(0, 2, 1));
    EXPECT_FALSE(t->MakeConnection(1, 4, 1));
}

TEST(CStructTable, FullPartnerListsTakeNoMoreAndCloseGapsOnRemoval) {
    TCTab t(nullptr);
    for (int i = 0; i < 12; ++i) t.AddAtom(Atom(6));
    for (int b = 2; b <= 12; ++b) t.MakeConnection(1, b, 1);
    EXPECT_EQ(t.GetNBonds(1), 10);
    EXPECT_FALSE(t.ContainsUnconnectedAtom());
    EXPECT_EQ(t.CheckConnect(1, 12), 0); // the 11th partner found no slot
    EXPECT_EQ(t.CheckConnect(12, 1), 1); // but atom 12 has its direction
    EXPECT_TRUE(t.MakeConnection(1, 5, 0));
    EXPECT_EQ(Partners(t, 1), (std::vector<int>{2, 3, 4, 6, 7, 8, 9, 10, 11, 0}));
    EXPECT_EQ(t.GetTypConn(1, 10), 0);
    int a = 0;
    EXPECT_EQ(t.MaxNBonds(a), 9);
    EXPECT_EQ(a, 1);
    EXPECT_TRUE(t.ContainsUnconnectedAtom()); // atom 5 lost its only bond
}

TEST(CStructTable, EnterConnUpdatesExistingPartnerAndIgnoresBadNumbers) {
    auto t = Chain({6, 6});
    t->EnterConn(1, 2, 3);
    EXPECT_EQ(t->GetNBonds(1), 1);
    EXPECT_EQ(t->CheckConnect(1, 2), 3);
    t->EnterConn(0, 2, 1);
    t->EnterConn(1, 0, 1);
    t->EnterConn(1, 64, 1);
    t->EnterConn(64, 1, 1);
    EXPECT_EQ(t->GetNBonds(1), 1);
}

TEST(CStructTable, DeletingAtomsBridgesAndMovesTheLastAtom) {
    {
        SCOPED_TRACE("middle of a chain of three");
        auto t = Chain({6, 7, 8});
        t->DeleteAtom(2);
        ASSERT_EQ(t->GetNAtoms(), 2);
        EXPECT_EQ(t->GetAtNum(2), 8);
        EXPECT_EQ(t->CheckConnect(1, 2), 1);
        EXPECT_EQ(t->CheckConnect(2, 1), 1);
        EXPECT_EQ(t->GetNBonds(1), 1);
        EXPECT_EQ(t->GetAtNum(3), 0); // the old last slot is cleared
    }
    {
        SCOPED_TRACE("end atom");
        auto t = Chain({6, 7, 8});
        t->DeleteAtom(3);
        ASSERT_EQ(t->GetNAtoms(), 2);
        EXPECT_EQ(t->CheckConnect(1, 2), 1);
        EXPECT_EQ(t->GetNBonds(2), 1);
    }
    {
        SCOPED_TRACE("first atom: the last atom moves with all its fields");
        auto t = Chain({6, 7, 6, 8});
        t->SetCharge(4, -1);
        t->SetAtFlag(4, 3);
        t->SetAttrib(4, 5);
        t->SetAtWeight(4, 18);
        t->SetCoords(4, 1, 1.5f);
        t->SetCoords(4, 2, 2.5f);
        t->SetCoords(4, 3, 3.5f);
        t->DeleteAtom(1);
        ASSERT_EQ(t->GetNAtoms(), 3);
        EXPECT_EQ(t->GetAtNum(1), 8);
        EXPECT_EQ(t->GetCharge(1), -1);
        EXPECT_EQ(t->GetAtFlag(1), 3);
        EXPECT_EQ(t->GetAttrib(1), 5);
        EXPECT_EQ(t->GetAtWeight(1), 18);
        EXPECT_EQ(t->GetCoords(1, 1), 1.5f);
        EXPECT_EQ(t->GetCoords(1, 2), 2.5f);
        EXPECT_EQ(t->GetCoords(1, 3), 3.5f);
        EXPECT_EQ(t->CheckConnect(1, 3), 1); // O-C bond renumbered
        EXPECT_EQ(t->CheckConnect(3, 1), 1);
        EXPECT_EQ(t->CheckConnect(2, 3), 1);
        EXPECT_EQ(t->GetNBonds(2), 1); // N lost its bond to the deleted C
    }
    {
        SCOPED_TRACE("centre of a ring closes no duplicate");
        auto t = Chain({6, 6, 6});
        t->MakeConnection(1, 3, 1);
        t->DeleteAtom(2);
        EXPECT_EQ(t->GetNBonds(1), 1);
        EXPECT_EQ(t->GetNBonds(2), 1);
    }
    auto t = Chain({6, 6});
    t->DeleteAtom(0);
    t->DeleteAtom(3);
    EXPECT_EQ(t->GetNAtoms(), 2);
}

TEST(CStructTable, DeletingAtomKeepsDrawAttrWithTheSlot) {
    auto t = Chain({6, 7, 8});
    CTElem e = t->GetAtomEntries(3);
    e.DrawAttr = 0x10000FF;
    t->SetAtomEntries(3, e);
    t->DeleteAtom(1);
    EXPECT_EQ(t->GetAtomEntries(1).DrawAttr, 0x80000000u);
    t->AddAtom(Atom(9));
    EXPECT_EQ(t->GetAtomEntries(3).DrawAttr, 0x10000FFu);
}

TEST(CStructTable, RemoveHydrogenRemovesTrailingAndInnerHydrogens) {
    auto t = Chain({6, 1, 8, 1, 1});
    t->RemoveHydrogen();
    ASSERT_EQ(t->GetNAtoms(), 2);
    EXPECT_EQ(t->AtomCount(1), 0);
    EXPECT_EQ(t->AtomCount(6), 1);
    EXPECT_EQ(t->AtomCount(8), 1);
}

TEST(CStructTable, CopyAndCompare) {
    auto t = Chain({6, 6, 8});
    t->SetStrucName("Ethanol");
    t->SetCASNr("64-17-5");
    TCTab c(nullptr);
    c.CopyFrom(t.get());
    EXPECT_EQ(c.CompareWith(t.get()), 0);
    c.SetStrucName("ETHANOL");
    EXPECT_EQ(c.CompareWith(t.get()), 0);
    c.MakeConnection(1, 2, 2);
    EXPECT_EQ(c.CompareWith(t.get()), 0x2000);

    struct Case {
        const char* What;
        void (*Change)(TCTab&);
        uint16_t Bits;
    };
    const Case cases[] = {
        {"count", [](TCTab& x) { x.AddAtom(CTElem{}); }, 0x1},
        {"name", [](TCTab& x) { x.SetStrucName("Methanol"); }, 0x2},
        {"unit", [](TCTab& x) { x.SetCoordUnit(cuAngstrom); }, 0x4},
        {"registry", [](TCTab& x) { x.SetCASNr("7732-18-5"); }, 0x8},
        {"element", [](TCTab& x) { x.SetAtNum(1, 7); }, 0x10},
        {"mass", [](TCTab& x) { x.SetAtWeight(1, 13); }, 0x20},
        {"flag", [](TCTab& x) { x.SetAtFlag(1, 1); }, 0x40},
        {"attrib", [](TCTab& x) { x.SetAttrib(1, 1); }, 0x80},
        {"charge", [](TCTab& x) { x.SetCharge(1, 1); }, 0x100},
        {"x", [](TCTab& x) { x.SetCoords(1, 1, 9); }, 0x200},
        {"y", [](TCTab& x) { x.SetCoords(1, 2, 9); }, 0x400},
        {"z", [](TCTab& x) { x.SetCoords(1, 3, 9); }, 0x800},
        {"partner", [](TCTab& x) { x.SetConnTo(1, 1, 3); }, 0x1000},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.What);
        TCTab d(nullptr);
        d.CopyFrom(t.get());
        k.Change(d);
        EXPECT_EQ(d.CompareWith(t.get()), k.Bits);
    }
}

TEST(CStructTable, CopyFromLeavesDrawAttrAndRegistryNumbersCheckDigits) {
    auto t = Chain({6});
    CTElem e = t->GetAtomEntries(1);
    e.DrawAttr = 0x123;
    t->SetAtomEntries(1, e);
    TCTab c(nullptr);
    c.CopyFrom(t.get());
    EXPECT_EQ(c.GetAtomEntries(1).DrawAttr, 0x80000000u);
    EXPECT_EQ(c.CompareWith(t.get()), 0); // DrawAttr is not compared

    int fired = 0;
    c.OnChange = [&](TObject*) { ++fired; };
    c.SetCASNr(" 7732-18-5 ");
    EXPECT_EQ(c.GetCASNr(), "7732-18-5");
    for (const char* bad : {"7732-18-6", "7732185", "77-3218-5", "abc-de-f", ""}) {
        SCOPED_TRACE(bad);
        c.SetCASNr(bad);
        EXPECT_EQ(c.GetCASNr(), "7732-18-5");
    }
    EXPECT_EQ(fired, 6);
    EXPECT_TRUE(c.CheckCASNr(7732185));
    EXPECT_FALSE(c.CheckCASNr(7732186));
}

TEST(CStructTable, JoinFragmentFusesMarkedAtomsAndAppendsTheRest) {
    // Table: C1-C2 with C2 marked 1. Fragment: N(marked 1)-O. The N fuses with C2, the O is new.
    auto t = Chain({6, 6});
    t->SetAtFlag(2, 1);
    auto f = Chain({7, 8});
    f->MakeConnection(1, 2, 2);
    f->SetAtFlag(1, 1);
    TCTab orig(nullptr);
    orig.CopyFrom(f.get());
    t->JoinFragment(f.get());
    ASSERT_EQ(t->GetNAtoms(), 3);
    EXPECT_EQ(t->GetAtNum(2), 7);
    EXPECT_EQ(t->GetAtNum(3), 8);
    EXPECT_EQ(t->CheckConnect(2, 3), 2);
    EXPECT_EQ(t->CheckConnect(3, 2), 2);
    EXPECT_EQ(t->CheckConnect(2, 1), 1);
    EXPECT_EQ(f->CompareWith(&orig), 0);

    // A flag without counterpart makes a new atom; atoms beyond 63 are dropped without damage.
    TCTab big(nullptr);
    for (int i = 0; i < 62; ++i) big.AddAtom(Atom(6));
    auto g = Chain({7, 8, 9});
    g->SetAtFlag(1, 5);
    big.JoinFragment(g.get());
    EXPECT_EQ(big.GetNAtoms(), 63);
    EXPECT_EQ(big.GetAtNum(63), 7);
    EXPECT_EQ(big.GetNBonds(63), 0); // its partners did not fit
}

TEST(CStructTable, LinkFragmentBondsEqualMarks) {
    auto t = Chain({6, 6});
    t->SetAtFlag(1, 2);
    auto f = Chain({8, 7});
    f->SetAtFlag(2, 2);
    t->LinkFragment(f.get());
    ASSERT_EQ(t->GetNAtoms(), 4);
    EXPECT_EQ(t->CheckConnect(3, 4), 1); // fragment bond renumbered
    EXPECT_EQ(t->CheckConnect(1, 4), 1);
    EXPECT_EQ(t->CheckConnect(4, 1), 1);
    EXPECT_EQ(t->GetNBonds(2), 1);

    TCTab full(nullptr);
    for (int i = 0; i < 62; ++i) full.AddAtom(Atom(6));
    full.LinkFragment(f.get());
    EXPECT_EQ(full.GetNAtoms(), 62);
    t->LinkFragment(t.get()); // linking a table to itself doubles it
    EXPECT_EQ(t->GetNAtoms(), 8);
}
