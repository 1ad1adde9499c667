// TCTab rings and chains: ring counts, shortest rings, smallest set of rings, attributes, chain
// stripping and element containment.
#include <cmath>
#include <initializer_list>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_cstruct.h>
#include <qyx/platform/TextFile.h>

using namespace qyx;

namespace {

std::unique_ptr<TCTab> Mol(std::initializer_list<int> Elements,
                           std::initializer_list<std::tuple<int, int, int>> Bonds) {
    auto t = std::make_unique<TCTab>(nullptr);
    for (int z : Elements) {
        CTElem e;
        e.AtNum = static_cast<uint8_t>(z);
        t->AddAtom(e);
    }
    for (auto [a, b, ty] : Bonds) t->MakeConnection(a, b, static_cast<uint8_t>(ty));
    return t;
}

// Benzene: carbons 1-6 in a ring of aromatic bonds.
std::unique_ptr<TCTab> Benzene() {
    return Mol({6, 6, 6, 6, 6, 6}, {{1, 2, 4}, {2, 3, 4}, {3, 4, 4}, {4, 5, 4}, {5, 6, 4}, {6, 1, 4}});
}

// Naphthalene: rings 1-2-3-4-5-6 and 5-6-7-8-9-10 fused at 5 and 6.
std::unique_ptr<TCTab> Naphthalene() {
    return Mol({6, 6, 6, 6, 6, 6, 6, 6, 6, 6}, {{1, 2, 4},
                                                {2, 3, 4},
                                                {3, 4, 4},
                                                {4, 5, 4},
                                                {5, 6, 4},
                                                {6, 1, 4},
                                                {5, 7, 4},
                                                {7, 8, 4},
                                                {8, 9, 4},
                                                {9, 10, 4},
                                                {10, 6, 4}});
}

std::set<int> Atoms(const RingType& R) {
    std::set<int> s;
    for (int i = 1; i <= R.Count; ++i) s.insert(R.Atoms[i]);
    return s;
}

} // namespace

TEST(CStructRings, RingCounts) {
    EXPECT_EQ(Benzene()->RingsInMolecule(), 1);
    EXPECT_EQ(Naphthalene()->RingsInMolecule(), 2);
    EXPECT_EQ(Mol({6, 6, 6}, {{1, 2, 1}, {2, 3, 1}})->RingsInMolecule(), 0);
}

TEST(CStructRings, ShortestRingsThroughAnAtom) {
    auto b = Benzene();
    b->SetAtFlag(4, 7);
    RingListType list;
    ASSERT_EQ(b->FindShortestRings(3, list), 1);
    EXPECT_EQ(list.Rings[1].Count, 6);
    EXPECT_EQ(list.Rings[1].Atoms[1], 3);
    EXPECT_EQ(Atoms(list.Rings[1]), (std::set<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(b->GetAtFlag(4), 0); // the path marks are cleared
    // Ring atoms in path order: each follows its predecessor as a partner.
    for (int i = 2; i <= 6; ++i)
        EXPECT_NE(b->CheckConnect(list.Rings[1].Atoms[i - 1], list.Rings[1].Atoms[i]), 0);

    auto n = Naphthalene();
    ASSERT_EQ(n->FindShortestRings(5, list), 2);
    EXPECT_EQ(Atoms(list.Rings[1]).size(), 6u);
    EXPECT_NE(Atoms(list.Rings[1]), Atoms(list.Rings[2]));
    EXPECT_EQ(n->FindShortestRings(1, list), 1);

    auto toluene = Mol({6, 6, 6, 6, 6, 6, 6},
                       {{1, 2, 4}, {2, 3, 4}, {3, 4, 4}, {4, 5, 4}, {5, 6, 4}, {6, 1, 4}, {1, 7, 1}});
    EXPECT_EQ(toluene->FindShortestRings(7, list), 0);
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(toluene->FindShortestRings(0, list), 0);
    EXPECT_EQ(toluene->FindShortestRings(8, list), 0);
}

TEST(CStructRings, SmallestSetAndAttributes) {
    auto n = Naphthalene();
    RingListType list;
    EXPECT_EQ(n->FindSSSR(list), 2);
    EXPECT_EQ(n->CalcAttributes(), 2);
    for (int a = 1; a <= 10; ++a) {
        SCOPED_TRACE(a);
        EXPECT_EQ(n->GetAttrib(a), a == 5 || a == 6 ? 0xB8 : 0x28);
    }
    auto ethanol = Mol({6, 6, 8}, {{1, 2, 1}, {2, 3, 1}});
    EXPECT_EQ(ethanol->CalcAttributes(), 0);
    EXPECT_EQ(ethanol->GetAttrib(1), 0x41);
    EXPECT_EQ(ethanol->GetAttrib(2), 0x01);
    EXPECT_EQ(ethanol->GetAttrib(3), 0x41);

    // Methylcyclopropane and cyclopentane: small and five-membered rings, a branch on the ring.
    auto mcp = Mol({6, 6, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {3, 1, 1}, {1, 4, 1}});
    EXPECT_EQ(mcp->CalcAttributes(), 1);
    EXPECT_EQ(mcp->GetAttrib(1), 0x22 | 0x10);
    EXPECT_EQ(mcp->GetAttrib(4), 0x41);
    auto cp = Mol({6, 6, 6, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 5, 1}, {5, 1, 1}});
    EXPECT_EQ(cp->CalcAttributes(), 1);
    EXPECT_EQ(cp->GetAttrib(3), 0x24);
    // A 63-atom ring is found and marked as a large ring.
    TCTab big(nullptr);
    for (int i = 0; i < 63; ++i) big.AddAtom(CTElem{});
    for (int i = 1; i <= 63; ++i) big.MakeConnection(i, i % 63 + 1, 1);
    EXPECT_EQ(big.CalcAttributes(), 1);
    EXPECT_EQ(big.GetAttrib(40), 0x22);
}

TEST(CStructRings, RingInRingList) {
    RingListType list;
    list.Count = 1;
    list.Rings[1].Count = 3;
    list.Rings[1].Atoms[1] = 1;
    list.Rings[1].Atoms[2] = 2;
    list.Rings[1].Atoms[3] = 3;
    RingType r;
    r.Count = 2;
    r.Atoms[1] = 3;
    r.Atoms[2] = 1;
    EXPECT_TRUE(RingInRingList(r, list));
    r.Atoms[2] = 4;
    EXPECT_FALSE(RingInRingList(r, list));
    list.Count = 0;
    r.Count = 0;
    EXPECT_FALSE(RingInRingList(r, list));
}

TEST(CStructRings, EndAtomsAndChainStripping) {
    auto toluene =
        Mol({6, 6, 6, 6, 6, 6, 6, 8},
            {{1, 2, 4}, {2, 3, 4}, {3, 4, 4}, {4, 5, 4}, {5, 6, 4}, {6, 1, 4}, {1, 7, 1}, {7, 8, 1}});
    EXPECT_EQ(toluene->FindNextEndAtom(1), 8);
    EXPECT_EQ(toluene->FindNextEndAtom(-3), 8);
    EXPECT_EQ(toluene->FindNextEndAtom(9), 0);
    EXPECT_EQ(toluene->StripfromChains(), 6);
    EXPECT_EQ(toluene->AtomCount(8), 0);
    EXPECT_EQ(toluene->RingsInMolecule(), 1);

    auto hexane = Mol({6, 6, 6, 6, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 5, 1}, {5, 6, 1}});
    EXPECT_EQ(hexane->StripfromChains(), 0);
    EXPECT_EQ(hexane->GetAtNum(1), 0);
    // Two rings joined by a chain keep the link atoms.
    auto linked =
        Mol({6, 6, 6, 6, 6, 6, 6},
            {{1, 2, 1}, {2, 3, 1}, {3, 1, 1}, {3, 4, 1}, {4, 5, 1}, {5, 6, 1}, {6, 7, 1}, {7, 5, 1}});
    EXPECT_EQ(linked->StripfromChains(), 7);
}

TEST(CStructRings, ElementContainment) {
    auto ethanol = Mol({6, 6, 8}, {{1, 2, 1}, {2, 3, 1}});
    EXPECT_TRUE(ethanol->SumForContained(Mol({8}, {}).get()));
    EXPECT_TRUE(ethanol->SumForContained(Mol({6, 8}, {}).get()));
    EXPECT_FALSE(ethanol->SumForContained(Mol({7}, {}).get()));
    EXPECT_FALSE(ethanol->SumForContained(Mol({8, 8}, {}).get()));
    EXPECT_FALSE(ethanol->SumForContained(Mol({6, 6, 6, 6}, {}).get()));
    EXPECT_FALSE(ethanol->SumForContained(nullptr));
}

TEST(CStructRings, SubstructureSearch) {
    auto ethanol = Mol({6, 6, 8}, {{1, 2, 1}, {2, 3, 1}});
    TMatchFlags matched;
    ASSERT_TRUE(ethanol->SearchSubStruc(Mol({8}, {}).get(), matched, true));
    EXPECT_TRUE(matched[3]);
    EXPECT_FALSE(matched[1]);
    EXPECT_FALSE(matched[2]);
    auto carbonyl = Mol({6, 8}, {{1, 2, 2}});
    EXPECT_FALSE(ethanol->SearchSubStruc(carbonyl.get(), matched, true));
    for (int a = 1; a <= 3; ++a) EXPECT_FALSE(matched[a]);
    ASSERT_TRUE(ethanol->SearchSubStruc(carbonyl.get(), matched, false));
    EXPECT_TRUE(matched[2] && matched[3] && !matched[1]);

    auto toluene = Mol({6, 6, 6, 6, 6, 6, 6},
                       {{1, 2, 4}, {2, 3, 4}, {3, 4, 4}, {4, 5, 4}, {5, 6, 4}, {6, 1, 4}, {7, 1, 1}});
    ASSERT_TRUE(toluene->SearchSubStruc(Benzene().get(), matched, true));
    for (int a = 1; a <= 7; ++a) EXPECT_EQ(matched[a], a <= 6) << a;
    auto hexane = Mol({6, 6, 6, 6, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 5, 1}, {5, 6, 1}});
    EXPECT_FALSE(hexane->SearchSubStruc(Benzene().get(), matched, false)); // no ring
    auto chain6 = Mol({6, 6, 6, 6, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 5, 1}, {5, 6, 1}});
    EXPECT_TRUE(Naphthalene()->SearchSubStruc(chain6.get(), matched, false));
    EXPECT_FALSE(Naphthalene()->SearchSubStruc(chain6.get(), matched, true)); // aromatic, not single
    // A chain may not walk around a ring back onto its own atoms.
    auto ringPlusAtom = Mol({6, 6, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {3, 1, 1}});
    auto chain4 = Mol({6, 6, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}});
    EXPECT_FALSE(ringPlusAtom->SearchSubStruc(chain4.get(), matched, true));
    // Attribute bits of the query must be present in the molecule.
    auto ringC = Mol({6}, {});
    ringC->SetAttrib(1, 0x20);
    toluene->CalcAttributes();
    ASSERT_TRUE(toluene->SearchSubStruc(ringC.get(), matched, true));
    EXPECT_FALSE(matched[7]);
    ringC->SetAttrib(1, 0x40);
    ASSERT_TRUE(toluene->SearchSubStruc(ringC.get(), matched, true));
    EXPECT_TRUE(matched[7]);
    TCTab empty(nullptr);
    EXPECT_FALSE(toluene->SearchSubStruc(&empty, matched, true));
    EXPECT_FALSE(toluene->SearchSubStruc(nullptr, matched, true));
}

TEST(CStructRings, AtomTemplates) {
    // Acetic acid C1 C2(=O3) O4 with an extra carbon C5 on C1.
    auto t = Mol({6, 6, 8, 8, 6}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}, {1, 5, 1}});
    const uint8_t zeros[10] = {};
    const uint8_t dbl[10] = {2};
    const uint8_t dblSgl[10] = {0, 1, 0, 2};
    const uint8_t twoDbl[10] = {2, 2};
    struct Case {
        int8_t Element, Partners;
        const uint8_t* Template;
        std::vector<int> Expected;
    };
    const Case cases[] = {
        {6, -4, zeros, {1, 2, 5}}, {0, 0, nullptr, {1, 2, 3, 4, 5}},
        {-6, 0, zeros, {3, 4}},    {0, 1, zeros, {3, 4, 5}},
        {0, 0, dbl, {2, 3}},       {6, 0, dblSgl, {2}},
        {0, 0, twoDbl, {}},        {7, 0, nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Element) << " " << int(c.Partners));
        AtListType list;
        list.Atoms[50] = 9;
        t->MatchAtomTemplate(c.Element, c.Partners, c.Template, list);
        std::vector<int> got(list.Atoms.begin(), list.Atoms.begin() + list.Count);
        EXPECT_EQ(got, c.Expected);
        EXPECT_EQ(list.Atoms[50], 0);
    }
}

TEST(CStructRings, PrincipalAxesRotation) {
    auto t = Mol({6, 6, 6, 6}, {});
    for (int a = 1; a <= 4; ++a) {
        t->SetCoords(a, 1, 100.0f * a);
        t->SetCoords(a, 2, 100.0f * a + 7.0f);
        t->SetCoords(a, 3, 55.0f);
    }
    t->RotateWithPCA();
    // The atoms lie on one line: it becomes the first axis, centred on the middle.
    std::set<int> x;
    for (int a = 1; a <= 4; ++a) {
        x.insert(static_cast<int>(std::fabs(t->GetCoords(a, 1))));
        EXPECT_EQ(t->GetCoords(a, 2), 0.0f);
        EXPECT_EQ(t->GetCoords(a, 3), 0.0f);
    }
    EXPECT_EQ(x, (std::set<int>{71, 212}));
    EXPECT_EQ(t->GetCoords(1, 1), -t->GetCoords(4, 1));

    auto one = Mol({6}, {});
    one->SetCoords(1, 1, 5.0f);
    one->RotateWithPCA();
    EXPECT_EQ(one->GetCoords(1, 1), 5.0f);
    TCTab empty(nullptr);
    empty.RotateWithPCA();
    EXPECT_EQ(empty.GetNAtoms(), 0);
}

// The smallest rings equal those of a plain search from every atom (each atom's shortest rings, new
// ones kept, ring atoms of two partners not searched again) on every record of two public SD files,
// with chains hanging off the rings and a dangling self-bond on a chain atom.
TEST(CStructRings, SmallestRingsEqualAPlainSearchFromEveryAtomOnRealRecords) {
    auto plain = [](TCTab& T, RingListType& List) {
        List.Count = 0;
        bool done[MaxCTAtoms + 1] = {};
        RingListType through;
        for (int a = 1; a <= T.GetNAtoms(); ++a) {
            if (done[a] || T.FindShortestRings(static_cast<uint16_t>(a), through) == 0) continue;
            for (int r = 1; r <= through.Count; ++r) {
                const RingType& ring = through.Rings[r];
                if (RingInRingList(ring, List) || List.Count >= 100) continue;
                List.Rings[++List.Count] = ring;
                for (int i = 1; i <= ring.Count; ++i)
                    if (T.GetNBonds(ring.Atoms[i]) <= 2) done[ring.Atoms[i]] = true;
            }
        }
    };
    int records = 0;
    for (const char* path : {"/usr/share/RDKit/Data/NCI/first_200.props.sdf",
                             "/usr/share/RDKit/Contrib/Fastcluster/testdata/cdk2.sdf"}) {
        TextFile f;
        AssignFile(f, path);
        Reset(f);
        while (!Eof(f)) {
            TCTab t(nullptr);
            TPropRec props{};
            t.ReadFromMDLSDFile(f, props);
            if (t.GetNAtoms() == 0) continue;
            SCOPED_TRACE(t.GetStrucName());
            ++records;
            for (int pass = 0; pass < 2; ++pass) {
                RingListType fast, slow;
                ASSERT_EQ(t.FindSSSR(fast), (plain(t, slow), slow.Count));
                for (int r = 1; r <= slow.Count; ++r) {
                    ASSERT_EQ(fast.Rings[r].Count, slow.Rings[r].Count) << r;
                    for (int i = 1; i <= slow.Rings[r].Count; ++i)
                        ASSERT_EQ(fast.Rings[r].Atoms[i], slow.Rings[r].Atoms[i]) << r;
                }
                // A self-bond entered on the first end atom of a chain (one direction only).
                const int end = t.FindNextEndAtom(1);
                if (end == 0) break;
                t.EnterConn(end, end, 1);
            }
        }
        CloseFile(f);
    }
    EXPECT_GT(records, 200);
}
