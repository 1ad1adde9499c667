// TMolFormula: defaults, entry access, text output, weights, comparison and the repaint hook.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_cform.h>

using namespace qyx;

namespace {

TMolFormula Formula(const std::string& Text) {
    TMolFormula f;
    f.SetMolFormula(Text);
    return f;
}

// Counts the repaints a control would make.
class TCountingFormula : public TMolFormula {
public:
    int Repaints = 0;
    void ShowIt() override { ++Repaints; }
};

} // namespace

TEST(CFormFormula, DefaultsToWater) {
    TMolFormula f;
    EXPECT_EQ(f.GetFormulaText(), "H2O");
    EXPECT_EQ(f.GetMolFormula(), "1H2 16O ");
    EXPECT_EQ(f.NominalMolWgt(), 18);
}

TEST(CFormFormula, EntrySettersIgnoreInvalidValues) {
    TMolFormula f; // H2 O
    f.SetNumAtoms(21);
    f.SetNumAtoms(0);
    f.SetNumAtoms(-1);
    EXPECT_EQ(f.GetNumAtoms(), 2);
    f.SetAtNum(1, 104);
    f.SetAtNum(1, 0);
    f.SetAtNum(3, 6); // beyond the entry count
    f.SetAtWgt(0, 5);
    f.SetAtCnt(3, 5);
    EXPECT_EQ(f.GetMolFormula(), "1H2 16O ");
    for (int i : {0, -1, 3, 21}) {
        EXPECT_EQ(f.GetAtNum(i), 0);
        EXPECT_EQ(f.GetAtWgt(i), 0);
        EXPECT_EQ(f.GetAtCnt(i), 0);
    }

    f.SetAtNum(2, 16);
    f.SetAtWgt(2, 300); // low 8 bits
    f.SetAtCnt(1, 257);
    EXPECT_EQ(f.GetAtNum(2), 16);
    EXPECT_EQ(f.GetAtWgt(2), 44);
    EXPECT_EQ(f.GetAtCnt(1), 1);

    f.SetNumAtoms(3); // a new entry keeps its (empty) fields
    EXPECT_EQ(f.GetAtNum(3), 0);
    EXPECT_EQ(f.AsString(1), "1H 44S  ");
}

TEST(CFormFormula, ClearEmptiesEverything) {
    TMolFormula f = Formula("C6 H12 O6");
    f.Clear();
    EXPECT_EQ(f.GetNumAtoms(), 0);
    EXPECT_EQ(f.GetFormulaText(), "");
    EXPECT_EQ(f.AsString(1), "");
    f.SetNumAtoms(3);
    EXPECT_EQ(f.GetAtNum(1), 0);
    EXPECT_EQ(f.GetAtCnt(3), 0);
}

TEST(CFormFormula, ChemElem) {
    const struct {
        int AtNum, Mass, Count, Mode;
        const char* Text;
    } cases[] = {
        {6, 13, 2, 1, "13C2"}, {6, 13, 2, 0, "C2"}, {6, 12, 1, 1, "12C"}, {1, 2, 1, 0, "D"},
        {1, 2, 3, 1, "2D3"},   {1, 1, 1, 0, "H"},   {6, 12, 1, 7, "C"},   {103, 0, 300, 1, "0Lr300"},
        {0, 12, 1, 1, ""},     {104, 12, 1, 1, ""}, {6, 12, 0, 1, ""},    {6, 12, -1, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(TMolFormula::ChemElem(c.AtNum, c.Mass, c.Count, static_cast<uint8_t>(c.Mode)), c.Text);
    }
}

TEST(CFormFormula, TextAndWeightsOfGlucose) {
    TMolFormula f = Formula("C6 H12 O6");
    EXPECT_EQ(f.GetMolFormula(), "12C6 1H12 16O6 ");
    EXPECT_EQ(f.AsString(0), "C6 H12 O6 ");
    EXPECT_EQ(f.AsString(5), "C6 H12 O6 ");
    EXPECT_EQ(f.NominalMolWgt(), 180);
    EXPECT_NEAR(f.ChemMolWgt(), 180.15894, 1e-9);
    EXPECT_NEAR(f.ExactMolWgt(), 180.06339, 1e-9);
}

TEST(CFormFormula, WeightsIgnoreMassNumbersExceptNominal) {
    const struct {
        const char* Text;
        int Nominal;
        double Chem, Exact;
    } cases[] = {
        {"H2O", 18, 18.01534, 18.010565},
        {"D2O", 20, 18.01534, 18.010565}, // deuterium weighs as hydrogen
        {"13C", 13, 12.01115, 12.0},
        {"Tc", 97, 0.0, 96.905}, // no tabulated chemical weight
        {"", 0, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const TMolFormula f = Formula(c.Text);
        EXPECT_EQ(f.NominalMolWgt(), c.Nominal);
        EXPECT_NEAR(f.ChemMolWgt(), c.Chem, 1e-9);
        EXPECT_NEAR(f.ExactMolWgt(), c.Exact, 1e-9);
    }
}

TEST(CFormFormula, CompareTo) {
    const struct {
        const char* A;
        const char* B;
        int Result;
    } cases[] = {
        {"H2O", "H2O", 0},        {"H2", "H2O", 2},     {"H2O", "H2", 1},
        {"C2", "O", -1},          {"", "H2O", -2},      {"H2O", "", -2},
        {"12C", "13C", -1},       {"H O H", "H2O", 0},  {"C2 H6 O", "C2H5(O H)", 0},
        {"C2 H6", "C2 H4 O", -1}, {"H D O", "H2O", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.A) + " vs " + c.B);
        const TMolFormula a = Formula(c.A), b = Formula(c.B);
        EXPECT_EQ(a.CompareTo(&b), c.Result);
    }
    EXPECT_EQ(Formula("H2O").CompareTo(nullptr), -2);
}

TEST(CFormFormula, CompareToWithFortyDifferentIsotopes) {
    // Two full formulas without a common isotope need 40 comparison rows.
    TFormulaRec a, b, twice;
    a.NumAtoms = b.NumAtoms = twice.NumAtoms = 20;
    for (int i = 1; i <= 20; ++i) {
        a.AtNum[i] = b.AtNum[i] = twice.AtNum[i] = 6;
        a.AtWgt[i] = twice.AtWgt[i] = static_cast<uint8_t>(i);
        b.AtWgt[i] = static_cast<uint8_t>(100 + i);
        a.AtCnt[i] = b.AtCnt[i] = 1;
        twice.AtCnt[i] = 2;
    }
    TMolFormula fa, fb, ftwice;
    fa.SetFormulaRec(a);
    fb.SetFormulaRec(b);
    ftwice.SetFormulaRec(twice);
    EXPECT_EQ(fa.CompareTo(&fb), -1);
    EXPECT_EQ(fa.CompareTo(&ftwice), 2);
    EXPECT_EQ(ftwice.CompareTo(&fa), 1);
}

TEST(CFormFormula, FormulaRecordInAndOut) {
    TMolFormula f = Formula("C6 H12 O6");
    const TFormulaRec r = f.GetFormulaRec();
    EXPECT_EQ(r.NumAtoms, 3);
    EXPECT_EQ(r.AtNum[3], 8);
    EXPECT_EQ(r.AtCnt[2], 12);

    TMolFormula g;
    g.SetFormulaRec(r);
    EXPECT_EQ(g.GetMolFormula(), "12C6 1H12 16O6 ");
    EXPECT_EQ(g.GetFormulaText(), "H2O"); // the text is not touched
    TFormulaRec bad = r;
    bad.NumAtoms = 99;
    g.SetFormulaRec(bad);
    EXPECT_EQ(g.GetNumAtoms(), 20);
    bad.NumAtoms = -3;
    g.SetFormulaRec(bad);
    EXPECT_EQ(g.GetNumAtoms(), 0);
}

TEST(CFormFormula, OperationsThatChangeTheFormulaRepaint) {
    TCountingFormula f;
    const std::vector<std::pair<const char*, void (*)(TCountingFormula&)>> ops = {
        {"SetMolFormula", [](TCountingFormula& x) { x.SetMolFormula("C2"); }},
        {"ScanMolFormula", [](TCountingFormula& x) { x.ScanMolFormula("C2"); }},
        {"ReadFromString", [](TCountingFormula& x) { x.ReadFromString("C2"); }},
        {"Clear", [](TCountingFormula& x) { x.Clear(); }},
        {"SetFormulaRec", [](TCountingFormula& x) { x.SetFormulaRec(TFormulaRec{}); }},
        {"FindFormulaNominalMass", [](TCountingFormula& x) { x.FindFormulaNominalMass(false); }},
    };
    for (const auto& [name, op] : ops) {
        SCOPED_TRACE(name);
        f.Repaints = 0;
        op(f);
        EXPECT_GE(f.Repaints, 1);
    }
    f.Repaints = 0;
    f.SetAtCnt(1, 3);
    f.SetNumAtoms(2);
    EXPECT_EQ(f.Repaints, 0);
}
