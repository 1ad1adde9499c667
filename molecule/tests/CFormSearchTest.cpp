// The composition search: order of the fits, the end and restart of the walk, nominal and exact
// masses, the bond check, and limits that make no sense.
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_CData.h>
#include <qyx/QYX_cform.h>

using namespace qyx;

namespace {

struct TLimit {
    int Z, Mass, Lower, Upper;
};

void MakeLimits(const std::vector<TLimit>& Limits, TFormulaRec& Lower, TFormulaRec& Upper) {
    Lower = Upper = TFormulaRec{};
    Lower.NumAtoms = Upper.NumAtoms = static_cast<int>(Limits.size());
    for (size_t i = 0; i < Limits.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        Upper.AtNum[k] = static_cast<uint8_t>(Limits[i].Z);
        Upper.AtWgt[k] = static_cast<uint8_t>(Limits[i].Mass);
        Upper.AtCnt[k] = static_cast<uint8_t>(Limits[i].Upper);
        Lower.AtCnt[k] = static_cast<uint8_t>(Limits[i].Lower);
    }
}

std::string Counts(const TMolFormula& f) {
    std::string s;
    for (int i = 1; i <= f.GetNumAtoms(); ++i) s += (i > 1 ? " " : "") + std::to_string(f.GetAtCnt(i));
    return s;
}

// Every count vector from the upper limits down, the first entry slowest, that the predicate
// accepts.
std::vector<std::string> Oracle(const std::vector<TLimit>& Limits,
                                const std::function<bool(const std::vector<int>&)>& Fits) {
    std::vector<std::string> out;
    std::vector<int> c(Limits.size());
    std::function<void(size_t)> walk = [&](size_t i) {
        if (i == Limits.size()) {
            if (Fits(c)) {
                std::string s;
                for (size_t k = 0; k < c.size(); ++k) s += (k ? " " : "") + std::to_string(c[k]);
                out.push_back(s);
            }
            return;
        }
        for (c[i] = Limits[i].Upper; c[i] >= Limits[i].Lower; --c[i]) walk(i + 1);
    };
    walk(0);
    return out;
}

std::vector<std::string> AllFits(TMolFormula& f, bool Nominal, bool CheckBonds) {
    std::vector<std::string> out;
    while (f.FindFormulaIntern(Nominal, CheckBonds) && out.size() < 100000) out.push_back(Counts(f));
    return out;
}

const TLimit C{6, 12, 0, 0}, H{1, 1, 0, 0}, N{7, 14, 0, 0}, O{8, 16, 0, 0}, Cl{17, 35, 0, 0};

TLimit Range(TLimit L, int Lower, int Upper) {
    L.Lower = Lower;
    L.Upper = Upper;
    return L;
}

} // namespace

TEST(CFormSearch, NominalFitsComeInOdometerOrder) {
    const struct {
        std::vector<TLimit> Limits;
        double Mass;
        bool CheckBonds;
    } cases[] = {
        {{Range(C, 0, 2), Range(H, 0, 8), Range(O, 0, 2)}, 28, false},
        {{Range(C, 0, 10), Range(H, 0, 22), Range(N, 0, 4), Range(O, 0, 6)}, 180, false},
        {{Range(C, 0, 10), Range(H, 0, 22), Range(N, 0, 4), Range(O, 0, 6)}, 180, true},
        {{Range(C, 2, 12), Range(H, 4, 30), Range(O, 1, 5), Range(Cl, 0, 3)}, 150, true},
        {{Range(C, 0, 8), Range(H, 0, 8)}, 28.5, false}, // halves go to the even neighbour: 28
        {{Range(C, 0, 8), Range(H, 0, 8)}, 29.5, false}, // 30
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mass " << c.Mass << (c.CheckBonds ? " with bond check" : ""));
        const int target = static_cast<int>(std::nearbyint(c.Mass));
        const std::vector<std::string> expected = Oracle(c.Limits, [&](const std::vector<int>& n) {
            int m = 0, h = 0, carbon = 0, nitrogen = 0;
            for (size_t k = 0; k < n.size(); ++k) {
                m += c.Limits[k].Mass * n[k];
                if (c.Limits[k].Z == 6) carbon = n[k];
                if (c.Limits[k].Z == 7) nitrogen = n[k];
                if (c.Limits[k].Z == 1 || c.Limits[k].Z == 17) h += n[k];
            }
            return m == target && (!c.CheckBonds || h <= 2 * carbon + nitrogen + 2);
        });
        ASSERT_FALSE(expected.empty());
        TFormulaRec lower, upper;
        MakeLimits(c.Limits, lower, upper);
        TMolFormula f;
        EXPECT_TRUE(f.InitFindFormula(c.Mass, 0.05, lower, upper));
        EXPECT_EQ(AllFits(f, true, c.CheckBonds), expected);
        // The walk starts again after the call that reported its end.
        ASSERT_TRUE(f.FindFormulaNominalMass(c.CheckBonds));
        EXPECT_EQ(Counts(f), expected.front());
    }
}

TEST(CFormSearch, ExactMassWithinTolerance) {
    const std::vector<TLimit> limits = {Range(C, 0, 12), Range(H, 0, 24), Range(N, 0, 4), Range(O, 0, 8)};
    TFormulaRec lower, upper;
    MakeLimits(limits, lower, upper);
    const double target = 180.0634, tolerance = 0.003;
    const std::vector<std::string> expected = Oracle(limits, [&](const std::vector<int>& n) {
        double m = 0;
        for (size_t k = 0; k < n.size(); ++k) m += ExactAtWeight(limits[k].Z) * n[k];
        return std::fabs(m - target) < tolerance;
    });
    TMolFormula f;
    f.InitFindFormula(target, tolerance, lower, upper);
    const std::vector<std::string> found = AllFits(f, false, false);
    EXPECT_EQ(found, expected);
    EXPECT_NE(std::find(found.begin(), found.end(), "6 12 0 6"), found.end()); // glucose
}

TEST(CFormSearch, FoundFormulaKeepsZeroCountsAndFailureKeepsTheFormula) {
    TFormulaRec lower, upper;
    MakeLimits({Range(C, 0, 2), Range(H, 0, 8), Range(O, 0, 2)}, lower, upper);
    TMolFormula f;
    f.InitFindFormula(28, 0.05, lower, upper);
    ASSERT_TRUE(f.FindFormulaNominalMass(false));
    EXPECT_EQ(f.AsString(1), "12C2 1H4  "); // the oxygen entry with count 0 gives an empty text
    EXPECT_EQ(f.NominalMolWgt(), 28);

    f.SetMolFormula("N2");
    f.InitFindFormula(1000, 0.05, lower, upper);
    EXPECT_FALSE(f.FindFormulaNominalMass(false));
    EXPECT_FALSE(f.FindFormulaExactMass(false));
    EXPECT_EQ(f.AsString(1), "14N2 ");
}

TEST(CFormSearch, AFitAtTheLowerLimitsStillEndsTheWalk) {
    // Methane is the only composition and also the last one of the walk.
    TFormulaRec lower, upper;
    MakeLimits({Range(C, 1, 1), Range(H, 4, 4)}, lower, upper);
    TMolFormula f;
    f.InitFindFormula(16, 0.05, lower, upper);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        EXPECT_TRUE(f.FindFormulaNominalMass(false));
        EXPECT_EQ(Counts(f), "1 4");
        EXPECT_FALSE(f.FindFormulaNominalMass(false));
    }
}

TEST(CFormSearch, BondCheckRejectsImpossibleHydrogenCounts) {
    TFormulaRec lower, upper;
    MakeLimits({Range(C, 1, 1), Range(H, 0, 8)}, lower, upper);
    TMolFormula f;
    f.InitFindFormula(17, 0.05, lower, upper); // C H5
    EXPECT_FALSE(f.FindFormulaNominalMass(true));
    EXPECT_TRUE(f.FindFormulaNominalMass(false));
    EXPECT_EQ(Counts(f), "1 5");
}

TEST(CFormSearch, LimitsThatMakeNoSense) {
    TMolFormula f;
    TFormulaRec lower, upper;
    f.InitFindFormula(18, 0.05, lower, upper); // no elements at all
    EXPECT_FALSE(f.FindFormulaNominalMass(false));
    EXPECT_FALSE(f.FindFormulaExactMass(true));
    EXPECT_EQ(f.GetMolFormula(), "1H2 16O ");

    upper.NumAtoms = 50; // limited to 20 entries of nothing: only the empty composition, mass 0
    f.InitFindFormula(0, 0.05, lower, upper);
    EXPECT_TRUE(f.FindFormulaNominalMass(false));
    EXPECT_EQ(f.GetNumAtoms(), 20);
    EXPECT_FALSE(f.FindFormulaNominalMass(false));

    // Lower limits above the upper ones: each such entry stays at its upper limit.
    MakeLimits({Range(C, 5, 2), Range(H, 0, 6)}, lower, upper);
    f.InitFindFormula(28, 0.05, lower, upper);
    EXPECT_TRUE(f.FindFormulaNominalMass(false));
    EXPECT_EQ(Counts(f), "2 4");
    EXPECT_FALSE(f.FindFormulaNominalMass(false));

    // No mass fits a target that is not a number, nor with a tolerance of 0 (strictly less).
    MakeLimits({Range(C, 0, 2), Range(H, 0, 8)}, lower, upper);
    for (double target : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300}) {
        f.InitFindFormula(target, 0.05, lower, upper);
        EXPECT_FALSE(f.FindFormulaNominalMass(false));
        EXPECT_FALSE(f.FindFormulaExactMass(false));
    }
    f.InitFindFormula(12.0, 0.0, lower, upper);
    EXPECT_FALSE(f.FindFormulaExactMass(false));
}

TEST(CFormSearch, ACopyContinuesTheWalk) {
    TFormulaRec lower, upper;
    MakeLimits({Range(C, 0, 10), Range(H, 0, 22), Range(O, 0, 6)}, lower, upper);
    TMolFormula f;
    f.InitFindFormula(100, 0.05, lower, upper);
    ASSERT_TRUE(f.FindFormulaNominalMass(false));
    TMolFormula g = f;
    const std::vector<std::string> rest = AllFits(f, true, false);
    EXPECT_EQ(AllFits(g, true, false), rest);
    EXPECT_FALSE(rest.empty());
}
