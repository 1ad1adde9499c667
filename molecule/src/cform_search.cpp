// TMolFormula: the search for element compositions that fit a mass.
#include <qyx/QYX_cform.h>

#include <algorithm>
#include <cmath>

#include <qyx/QYX_CData.h>
#include <qyx/platform/Arith.h>

namespace qyx {

bool TMolFormula::InitFindFormula(double Mass, double Tolerance, const TFormulaRec& Lower,
                                  const TFormulaRec& Upper) {
    FTargetMass = Mass;
    FTolerance = Tolerance;
    FLowerLimits = Lower;
    FUpperLimits = Upper;
    FUpperLimits.NumAtoms = std::clamp(Upper.NumAtoms, 0, MaxFormulaEntries);
    for (int k = 1; k <= FUpperLimits.NumAtoms; ++k) FSearchCnt[k] = FUpperLimits.AtCnt[k];
    FWalkComplete = false;
    return true;
}

bool TMolFormula::FindFormulaNominalMass(bool CheckBonds) {
    return FindFormulaIntern(true, CheckBonds);
}

bool TMolFormula::FindFormulaExactMass(bool CheckBonds) {
    return FindFormulaIntern(false, CheckBonds);
}

// Rings plus double bonds not negative: H + F + Cl + Br + I <= 2 C + N + 2, each element's count
// taken from its last entry.
bool TMolFormula::BondCheckPasses() const {
    int c = 0, h = 0, n = 0, halogens[4] = {0, 0, 0, 0};
    for (int k = 1; k <= FUpperLimits.NumAtoms; ++k) {
        switch (FUpperLimits.AtNum[k]) {
        case 6: c = FSearchCnt[k]; break;
        case 1: h = FSearchCnt[k]; break;
        case 7: n = FSearchCnt[k]; break;
        case 9: halogens[0] = FSearchCnt[k]; break;
        case 17: halogens[1] = FSearchCnt[k]; break;
        case 35: halogens[2] = FSearchCnt[k]; break;
        case 53: halogens[3] = FSearchCnt[k]; break;
        default: break;
        }
    }
    return h + halogens[0] + halogens[1] + halogens[2] + halogens[3] <= 2 * c + n + 2;
}

bool TMolFormula::FindFormulaIntern(bool Nominal, bool CheckBonds) {
    const int n = FUpperLimits.NumAtoms;
    // The call after a fit that ended the walk reports the end; the counts are back at the upper
    // limits, so the next call starts again.
    if (n == 0 || FWalkComplete) {
        FWalkComplete = false;
        ShowIt();
        return false;
    }

    double weight[MaxFormulaEntries + 1];
    for (int k = 1; k <= n; ++k)
        weight[k] = Nominal ? FUpperLimits.AtWgt[k] : ExactAtWeight(FUpperLimits.AtNum[k]);
    const bool targetValid = !std::isnan(FTargetMass);
    const double target = Nominal ? static_cast<double>(Round(FTargetMass)) : FTargetMass;

    // partial[k] is the mass of entries 1 .. k summed in entry order (k < n), so that a step which
    // only changes the last entries re-adds only those, with the same rounding as a full sum.
    double partial[MaxFormulaEntries + 1];
    partial[0] = 0.0;
    auto refresh = [&](int From) {
        for (int k = From; k < n; ++k) partial[k] = partial[k - 1] + weight[k] * FSearchCnt[k];
    };
    refresh(1);

    bool found = false;
    bool complete = false;
    do {
        const double mass = partial[n - 1] + weight[n] * FSearchCnt[n];
        const bool fits = targetValid && (Nominal ? mass == target : std::fabs(mass - target) < FTolerance);
        if (fits && (!CheckBonds || BondCheckPasses())) {
            found = true;
            FFormula.NumAtoms = n;
            for (int k = 1; k <= n; ++k) {
                FFormula.AtNum[k] = FUpperLimits.AtNum[k];
                FFormula.AtWgt[k] = FUpperLimits.AtWgt[k];
                FFormula.AtCnt[k] = static_cast<uint8_t>(FSearchCnt[k]);
            }
        }
        // Odometer step: the last entry counts down fastest; below its lower limit it returns to its
        // upper limit and the entry before it counts down.
        int k = n;
        --FSearchCnt[k];
        while (FSearchCnt[k] < FLowerLimits.AtCnt[k]) {
            FSearchCnt[k] = FUpperLimits.AtCnt[k];
            if (--k == 0) {
                complete = true;
                break;
            }
            --FSearchCnt[k];
        }
        if (!complete) refresh(k);
    } while (!complete && !found);

    FWalkComplete = found && complete;
    ShowIt();
    return found;
}

} // namespace qyx
