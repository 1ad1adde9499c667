// Composition search: every composition of C, H, N, O, S, P and Cl within the limits below whose mass
// is 300 (nominal) or within 5 mmu of 300.0 (exact), with and without the bond check, walked to the
// end by repeated FindFormula calls. Beside each, the baseline: seven plain nested loops over the same
// count vectors doing the same sums. The counter "candidates" is the number of fits of one walk,
// "compositions" the number of count vectors it visits; items_per_second counts compositions.
#include <qyx/QYX_CData.h>
#include <qyx/QYX_cform.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

using namespace qyx;

namespace {

constexpr double TargetMass = 300.0;
constexpr double Tolerance = 0.005;

// Element, mass number, lower and upper count: limits a small organic molecule of mass 300 can use.
struct TLimit {
    int Z, Lower, Upper;
};
constexpr TLimit Limits[7] = {{6, 0, 30}, {1, 0, 60}, {7, 0, 6}, {8, 0, 10},
                              {16, 0, 3}, {15, 0, 2}, {17, 0, 4}};

int64_t Compositions() {
    int64_t n = 1;
    for (const TLimit& l : Limits) n *= l.Upper - l.Lower + 1;
    return n;
}

void MakeLimits(TFormulaRec& Lower, TFormulaRec& Upper) {
    Lower.NumAtoms = Upper.NumAtoms = 7;
    for (int k = 1; k <= 7; ++k) {
        const TLimit& l = Limits[k - 1];
        Upper.AtNum[k] = static_cast<uint8_t>(l.Z);
        Upper.AtWgt[k] = static_cast<uint8_t>(IntAtWeight(l.Z));
        Upper.AtCnt[k] = static_cast<uint8_t>(l.Upper);
        Lower.AtCnt[k] = static_cast<uint8_t>(l.Lower);
    }
}

void Report(benchmark::State& State, int64_t Candidates) {
    State.counters["candidates"] = static_cast<double>(Candidates);
    State.counters["compositions"] = static_cast<double>(Compositions());
    State.SetItemsProcessed(State.iterations() * Compositions());
}

// One complete walk of the library's search.
void BM_FindFormula(benchmark::State& State) {
    const bool nominal = State.range(0) != 0, checkBonds = State.range(1) != 0;
    TFormulaRec lower, upper;
    MakeLimits(lower, upper);
    TMolFormula f;
    int64_t candidates = 0;
    for (auto _ : State) {
        f.InitFindFormula(TargetMass, Tolerance, lower, upper);
        candidates = 0;
        while (f.FindFormulaIntern(nominal, checkBonds)) ++candidates;
        benchmark::DoNotOptimize(candidates);
    }
    Report(State, candidates);
}

// Baseline: the same walk as seven nested loops with the same mass sum and bond check.
void BM_NestedLoops(benchmark::State& State) {
    const bool nominal = State.range(0) != 0, checkBonds = State.range(1) != 0;
    double w[7];
    for (int k = 0; k < 7; ++k) w[k] = nominal ? IntAtWeight(Limits[k].Z) : ExactAtWeight(Limits[k].Z);
    int64_t candidates = 0;
    for (auto _ : State) {
        candidates = 0;
        int n[7];
        for (n[0] = Limits[0].Upper; n[0] >= Limits[0].Lower; --n[0])
            for (n[1] = Limits[1].Upper; n[1] >= Limits[1].Lower; --n[1])
                for (n[2] = Limits[2].Upper; n[2] >= Limits[2].Lower; --n[2])
                    for (n[3] = Limits[3].Upper; n[3] >= Limits[3].Lower; --n[3])
                        for (n[4] = Limits[4].Upper; n[4] >= Limits[4].Lower; --n[4])
                            for (n[5] = Limits[5].Upper; n[5] >= Limits[5].Lower; --n[5])
                                for (n[6] = Limits[6].Upper; n[6] >= Limits[6].Lower; --n[6]) {
                                    double m = 0.0;
                                    for (int k = 0; k < 7; ++k) m += w[k] * n[k];
                                    const bool fits =
                                        nominal ? m == TargetMass : std::fabs(m - TargetMass) < Tolerance;
                                    // H + Cl <= 2 C + N + 2
                                    if (fits && (!checkBonds || n[1] + n[6] <= 2 * n[0] + n[2] + 2))
                                        ++candidates;
                                }
        benchmark::DoNotOptimize(candidates);
    }
    Report(State, candidates);
}

} // namespace

// Arguments: nominal (1) or exact (0) mass; bond check on (1) or off (0).
BENCHMARK(BM_FindFormula)->ArgsProduct({{1, 0}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedLoops)->ArgsProduct({{1, 0}, {0, 1}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
