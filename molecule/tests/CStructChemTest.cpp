// TCTab chemistry and geometry: hydrogen counts, formula, weight, centre, extents, nearest atom,
// neighbourhood codes and fragment counts.
#include <cmath>
#include <initializer_list>
#include <memory>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_CData.h>
#include <qyx/QYX_cform.h>
#include <qyx/QYX_cstruct.h>

using namespace qyx;

namespace {

// Builds a table from element numbers and bonds (a, b, type), both directions entered.
std::unique_ptr<TCTab> Mol(std::initializer_list<int> Elements,
                           std::initializer_list<std::tuple<int, int, int>> Bonds) {
    auto t = std::make_unique<TCTab>(nullptr);
    for (int z : Elements) {
        CTElem e;
        e.AtNum = static_cast<uint8_t>(z);
        e.AtWeight = static_cast<uint8_t>(IntAtWeight(z));
        t->AddAtom(e);
    }
    for (auto [a, b, ty] : Bonds) t->MakeConnection(a, b, static_cast<uint8_t>(ty));
    return t;
}

std::string FormulaText(const TCTab& T) {
    TFormulaRec f;
    EXPECT_TRUE(T.CalcMolecularFormula(f));
    TMolFormula m;
    m.SetFormulaRec(f);
    return m.AsString(0);
}

} // namespace

TEST(CStructChem, EthanolHydrogensFormulaAndWeight) {
    auto t = Mol({6, 6, 8}, {{1, 2, 1}, {2, 3, 1}});
    EXPECT_EQ(t->NrHAtoms(1), 3);
    EXPECT_EQ(t->NrHAtoms(2), 2);
    EXPECT_EQ(t->NrHAtoms(3), 1);
    EXPECT_EQ(t->CalcMissingH(), 6);
    TFormulaRec f;
    ASSERT_TRUE(t->CalcMolecularFormula(f));
    ASSERT_EQ(f.NumAtoms, 3);
    EXPECT_EQ(f.AtNum[1], 6);
    EXPECT_EQ(f.AtWgt[1], 12);
    EXPECT_EQ(f.AtCnt[1], 2);
    EXPECT_EQ(f.AtNum[2], 1);
    EXPECT_EQ(f.AtWgt[2], 1);
    EXPECT_EQ(f.AtCnt[2], 6);
    EXPECT_EQ(f.AtNum[3], 8);
    EXPECT_EQ(f.AtCnt[3], 1);
    EXPECT_NEAR(t->CalcChemMolWeight(), 2 * ChemAtWeight(6) + 6 * ChemAtWeight(1) + ChemAtWeight(8), 1e-9);
}

TEST(CStructChem, HydrogenCountRules) {
    struct Case {
        const char* What;
        std::unique_ptr<TCTab> T;
        int Atom, Expected;
    };
    std::vector<Case> cases;
    cases.push_back({"aromatic carbon", Mol({6, 6, 6}, {{1, 2, 4}, {1, 3, 4}}), 1, 1});
    cases.push_back({"carbonyl oxygen", Mol({6, 8}, {{1, 2, 2}}), 2, 0});
    cases.push_back({"isolated ammonium", Mol({7}, {}), 1, 3});
    cases.push_back({"explicit hydrogen partner counts", Mol({6, 1}, {{1, 2, 1}}), 1, 4});
    cases.push_back({"hydrogen atom has none", Mol({6, 1}, {{1, 2, 1}}), 2, 0});
    cases.push_back({"saturated carbon keeps explicit H",
                     Mol({6, 1, 6, 6, 6}, {{1, 2, 1}, {1, 3, 1}, {1, 4, 1}, {1, 5, 1}}), 1, 1});
    cases.push_back({"isonitrile nitrogen", Mol({6, 7, 6}, {{1, 2, 1}, {2, 3, 3}}), 2, -1});
    cases.push_back(
        {"phosphorus with four bonds", Mol({15, 8, 8, 8}, {{1, 2, 2}, {1, 3, 1}, {1, 4, 1}}), 1, 1});
    cases.push_back({"element without valence", Mol({26}, {}), 1, 0});
    cases.push_back({"anion", Mol({8, 6}, {{1, 2, 1}}), 1, 0});
    cases.push_back({"invalid atom", Mol({6}, {}), 2, 0});
    cases[2].T->SetCharge(1, 1);
    cases[2].Expected = 4;
    cases[9].T->SetCharge(1, -1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(c.T->NrHAtoms(c.Atom), c.Expected);
    }
}

TEST(CStructChem, FormulaOrderIsotopesAndOverflow) {
    // Br, Cl, Si, N, C, S, 13C: C first, then H, N, S, Cl, Br, then Si; 13C is its own entry after C.
    auto t = Mol({35, 17, 14, 7, 6, 16, 6}, {{5, 4, 1}, {5, 3, 1}});
    t->SetAtWeight(7, 13);
    TFormulaRec f;
    ASSERT_TRUE(t->CalcMolecularFormula(f));
    std::vector<int> z, w;
    for (int i = 1; i <= f.NumAtoms; ++i) {
        z.push_back(f.AtNum[i]);
        w.push_back(f.AtWgt[i]);
    }
    EXPECT_EQ(z, (std::vector<int>{6, 6, 1, 7, 16, 17, 35, 14}));
    EXPECT_EQ(w, (std::vector<int>{12, 13, 1, 14, 32, 35, 79, 28}));

    TCTab many(nullptr);
    for (int m = 100; m < 121; ++m) {
        CTElem e;
        e.AtNum = 26;
        e.AtWeight = static_cast<uint8_t>(m);
        many.AddAtom(e);
    }
    TFormulaRec keep;
    keep.NumAtoms = 1;
    keep.AtNum[1] = 99;
    EXPECT_FALSE(many.CalcMolecularFormula(keep));
    EXPECT_EQ(keep.AtNum[1], 99);

    TCTab empty(nullptr);
    EXPECT_TRUE(empty.CalcMolecularFormula(keep));
    EXPECT_EQ(keep.NumAtoms, 0);
    EXPECT_EQ(FormulaText(*Mol({6, 8, 8}, {{1, 2, 2}, {1, 3, 2}})), "C O2 ");
}

TEST(CStructChem, WeightIgnoresMassNumbersAndPresentHydrogens) {
    auto a = Mol({6, 1, 1, 1, 1}, {{1, 2, 1}, {1, 3, 1}, {1, 4, 1}, {1, 5, 1}});
    auto b = Mol({6}, {});
    EXPECT_NEAR(a->CalcChemMolWeight(), b->CalcChemMolWeight(), 1e-9);
    b->SetAtWeight(1, 13);
    EXPECT_NEAR(a->CalcChemMolWeight(), b->CalcChemMolWeight(), 1e-9);
    EXPECT_EQ(FormulaText(*a), FormulaText(*Mol({6}, {})));
}

TEST(CStructChem, CentreExtentsAndNearestAtom) {
    auto t = Mol({6, 6}, {{1, 2, 1}});
    t->SetCoords(2, 1, 2);
    t->SetCoords(2, 2, 4);
    t->SetCoords(2, 3, 6);
    double x, y, z;
    t->CalcMolCenter(x, y, z);
    EXPECT_EQ(std::make_tuple(x, y, z), std::make_tuple(1.0, 2.0, 3.0));
    double minX, minY, maxX, maxY, meanX, meanY;
    EXPECT_NEAR(t->CalcMolExtents(minX, minY, maxX, maxY, meanX, meanY), std::sqrt(20.0), 1e-6);
    EXPECT_EQ(std::make_tuple(minX, minY, maxX, maxY, meanX, meanY),
              std::make_tuple(0.0, 0.0, 2.0, 4.0, 1.0, 2.0));

    // Start values: coordinates beyond them do not narrow the box.
    auto far = Mol({6, 6}, {});
    far->SetCoords(1, 1, 20000);
    far->SetCoords(1, 2, -5);
    far->SetCoords(2, 1, 15000);
    far->SetCoords(2, 2, -3);
    EXPECT_EQ(far->CalcMolExtents(minX, minY, maxX, maxY, meanX, meanY), 0.0);
    EXPECT_EQ(std::make_tuple(minX, minY, maxX, maxY), std::make_tuple(10000.0, -5.0, 20000.0, 0.0));

    auto one = Mol({6}, {});
    EXPECT_EQ(one->CalcMolExtents(minX, minY, maxX, maxY, meanX, meanY), 0.0);
    EXPECT_EQ(std::make_tuple(minX, minY, maxX, maxY, meanX, meanY),
              std::make_tuple(1.0, 1.0, 10000.0, 7000.0, 5000.0, 3500.0));
    TCTab empty(nullptr);
    empty.CalcMolCenter(x, y, z);
    EXPECT_EQ(std::make_tuple(x, y, z), std::make_tuple(0.0, 0.0, 0.0));

    int a = -5;
    double d = 0;
    t->FindClosestAtom(1, 2, 3, a, d); // equidistant: the lower number wins
    EXPECT_EQ(a, 1);
    EXPECT_NEAR(d, std::sqrt(14.0), 1e-9);
    t->FindClosestAtom(2, 4, 5, a, d);
    EXPECT_EQ(a, 2);
    EXPECT_NEAR(d, 1.0, 1e-9);
    empty.FindClosestAtom(0, 0, 0, a, d);
    EXPECT_EQ(a, 0);
    EXPECT_GT(d, 1e300);

    auto box = Mol({6, 6, 6}, {});
    box->SetCoords(3, 1, 0.5f);
    EXPECT_EQ(box->FindAtomInBox(0, 0, 0, 1, 1, 1), 3);
    EXPECT_EQ(box->FindAtomInBox(0, 0, 0, 0.4, 1, 1), 2);
    EXPECT_EQ(box->FindAtomInBox(5, 0, 0, 1, 1, 1), -1);
}

TEST(CStructChem, FragmentCodesAndTexts) {
    // Acetone-like carbon: C(=O)(C)C.
    auto t = Mol({6, 8, 6, 6, 6}, {{1, 2, 2}, {1, 3, 1}, {1, 4, 1}, {4, 5, 1}});
    int second = -1;
    const int code = t->FragmentCode(1, second);
    EXPECT_EQ(FragmentStr(code), "C2O1C1C");
    EXPECT_EQ(second, 1);
    EXPECT_EQ(t->FragmentCode(2, second), 5 + ((2 + 4 * 3) << 4)); // O2C
    EXPECT_EQ(second, 2);

    auto iron = Mol({26, 6}, {{1, 2, 1}});
    EXPECT_EQ(iron->FragmentCode(1, second), -1);
    EXPECT_EQ(iron->FragmentCode(2, second), -1); // uncoded partner
    EXPECT_EQ(iron->FragmentCode(3, second), -1);
    auto penta = Mol({16, 9, 9, 9, 9, 9}, {{1, 2, 1}, {1, 3, 1}, {1, 4, 1}, {1, 5, 1}, {1, 6, 1}});
    EXPECT_EQ(penta->FragmentCode(1, second), -2);
    auto isolated = Mol({53}, {});
    EXPECT_EQ(isolated->FragmentCode(1, second), 14);

    const std::pair<int, const char*> texts[] = {
        {-1, "ERROR"},         {-2, "ERROR"},           {3, "C"}, {0, ""}, {15, "RR"},
        {1 + (4 << 4), "H4H"}, {14 + (63 << 4), "I3RR"}};
    for (auto [c, s] : texts) {
        SCOPED_TRACE(c);
        EXPECT_EQ(FragmentStr(c), s);
    }
}

TEST(CStructChem, FragmentCounts) {
    struct Case {
        const char* What;
        std::unique_ptr<TCTab> T;
        FrgType Kind;
        int Expected;
    };
    std::vector<Case> c;
    // Acetic acid C1 C2(=O3) O4
    c.push_back({"COOH", Mol({6, 6, 8, 8}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}}), COOH, 1});
    c.push_back({"AnyOH of acid", Mol({6, 6, 8, 8}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}}), AnyOH, 1});
    c.push_back({"AnyCO of acid", Mol({6, 6, 8, 8}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}}), AnyCO, 1});
    // Methyl acetate: ester and methoxy
    c.push_back({"COO", Mol({6, 6, 8, 8, 6}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}, {4, 5, 1}}), COO, 1});
    c.push_back({"OCH3", Mol({6, 6, 8, 8, 6}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}, {4, 5, 1}}), OCH3, 1});
    c.push_back({"dimethyl ether counted once", Mol({6, 8, 6}, {{1, 2, 1}, {2, 3, 1}}), OCH3, 1});
    // Nitromethane, neutral and charged notation
    c.push_back({"NO2 two =O", Mol({6, 7, 8, 8}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 2}}), NO2, 1});
    c.push_back({"NO2 uncharged single O", Mol({6, 7, 8, 8}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}}), NO2, 0});
    // Amines and amides
    c.push_back({"NH2", Mol({6, 7}, {{1, 2, 1}}), NH2, 1});
    c.push_back({"amide N is no NH2", Mol({6, 8, 7}, {{1, 2, 2}, {1, 3, 1}}), NH2, 0});
    c.push_back({"NHR", Mol({6, 7, 6}, {{1, 2, 1}, {2, 3, 1}}), NHR, 1});
    c.push_back({"NR2", Mol({6, 7, 6, 6}, {{1, 2, 1}, {2, 3, 1}, {2, 4, 1}}), NR2, 1});
    c.push_back({"urea NCON", Mol({6, 8, 7, 7}, {{1, 2, 2}, {1, 3, 1}, {1, 4, 1}}), NCON, 1});
    c.push_back({"CONR2", Mol({6, 8, 7, 6}, {{1, 2, 2}, {1, 3, 1}, {1, 4, 1}}), CONR2, 1});
    c.push_back({"nitrile", Mol({6, 6, 7}, {{1, 2, 1}, {2, 3, 3}}), CN, 1});
    c.push_back({"aldehyde", Mol({6, 6, 8}, {{1, 2, 1}, {2, 3, 2}}), CHO, 1});
    c.push_back({"ketene is no aldehyde", Mol({6, 6, 8}, {{1, 2, 2}, {2, 3, 2}}), CHO, 0});
    c.push_back({"acid chloride", Mol({6, 6, 8, 17}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}}), COX, 1});
    c.push_back({"sulfoxide", Mol({6, 16, 8, 6}, {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}}), AnySO, 1});
    c.push_back({"nitroso", Mol({6, 7, 8}, {{1, 2, 1}, {2, 3, 2}}), NO, 1});
    c.push_back({"hydrazine NNH2", Mol({6, 7, 7}, {{1, 2, 1}, {2, 3, 1}}), NNH2, 1});
    c.push_back({"halogens", Mol({17, 35, 53, 9}, {}), XCnt, 2});
    c.push_back({"branch", Mol({6, 6, 6, 6}, {{1, 2, 1}, {1, 3, 1}, {1, 4, 1}}), NBranch, 1});
    // Aromatic ring fragment: C1:C2:C3 with Cl on C1 and OH on C2
    auto aro = [] {
        return Mol({6, 6, 6, 17, 8, 35}, {{1, 2, 4}, {2, 3, 4}, {1, 4, 1}, {2, 5, 1}, {3, 6, 1}});
    };
    c.push_back({"AroCl", aro(), AroCl, 1});
    c.push_back({"AroBr", aro(), AroBr, 1});
    c.push_back({"PhOH", aro(), PhOH, 1});
    c.push_back({"NAroBnd", aro(), NAroBnd, 2});
    c.push_back({"NSglBnd", aro(), NSglBnd, 3});
    c.push_back({"NCCSgl", Mol({6, 6, 8}, {{1, 2, 1}, {2, 3, 1}}), NCCSgl, 1});
    c.push_back({"NCCDbl", Mol({6, 6, 8}, {{1, 2, 2}, {2, 3, 2}}), NCCDbl, 1});
    c.push_back({"NDblBnd", Mol({6, 6, 8}, {{1, 2, 2}, {2, 3, 2}}), NDblBnd, 2});
    c.push_back({"NTrplBnd", Mol({6, 6, 7}, {{1, 2, 3}, {2, 3, 3}}), NTrplBnd, 2});
    c.push_back({"NCCTrpl", Mol({6, 6, 7}, {{1, 2, 3}, {2, 3, 3}}), NCCTrpl, 1});
    c.push_back({"kind out of range", Mol({6, 6}, {{1, 2, 1}}), static_cast<FrgType>(29), 0});
    auto oneWay = Mol({6, 6}, {});
    oneWay->EnterConn(1, 2, 1);
    c.push_back({"one direction only", std::move(oneWay), NSglBnd, 0});
    for (const Case& k : c) {
        SCOPED_TRACE(k.What);
        EXPECT_EQ(k.T->FragmentCount(k.Kind), k.Expected);
    }
}
