// Structure files and structure algorithms on real compounds: every record of 1 to 63 atoms of two SD
// files (NCI first 200 and CDK2 ligands) is read, its formula and weight computed and its smallest
// rings perceived, each beside the same work done by Open Babel 3 on the same records. Substructure
// search times a benzene ring and a six-carbon chain over the set. The counter "per_mol" is the time
// per molecule; "hits" is the number of molecules matched or rings found in one pass.
#include <qyx/QYX_cform.h>
#include <qyx/QYX_cstruct.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

#include <openbabel/mol.h>
#include <openbabel/obconversion.h>
#include <openbabel/ring.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace qyx;

namespace {

const char* const Sources[] = {"/usr/share/RDKit/Data/NCI/first_200.props.sdf",
                               "/usr/share/RDKit/Contrib/Fastcluster/testdata/cdk2.sdf"};

// The records of both files that fit the connection table, written to one scratch SD file.
struct TDataSet {
    std::string Path;
    int Records = 0;
    std::vector<std::unique_ptr<TCTab>> Tables;
    std::vector<OpenBabel::OBMol> Mols;

    TDataSet() {
        std::string all;
        for (const char* src : Sources) {
            std::ifstream in(src, std::ios::binary);
            std::string line, rec;
            int n = 0;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                rec += line + "\n";
                if (++n == 4) {
                    const int atoms = std::atoi(line.substr(0, 3).c_str());
                    if (atoms < 1 || atoms > MaxCTAtoms) rec += "#skip\n";
                }
                if (line == "$$$$") {
                    if (rec.find("#skip\n") == std::string::npos) {
                        all += rec;
                        ++Records;
                    }
                    rec.clear();
                    n = 0;
                }
            }
        }
        Path = "/tmp/qyx-bench-cstruct.sdf";
        std::ofstream(Path, std::ios::binary) << all;

        TextFile f;
        AssignFile(f, Path);
        Reset(f);
        for (int i = 0; i < Records; ++i) {
            auto t = std::make_unique<TCTab>(nullptr);
            TPropRec props{};
            t->ReadFromMDLSDFile(f, props);
            t->CalcAttributes();
            Tables.push_back(std::move(t));
        }
        CloseFile(f);

        std::ifstream in(Path, std::ios::binary);
        OpenBabel::OBConversion conv;
        conv.SetInFormat("sdf");
        Mols.resize(Records);
        for (auto& m : Mols) conv.Read(&m, &in);
    }
    ~TDataSet() { std::remove(Path.c_str()); }
};

const TDataSet& Data() {
    static TDataSet d;
    return d;
}

void PerMolecule(benchmark::State& State, int64_t Hits) {
    const auto n = static_cast<double>(Data().Records);
    State.counters["per_mol"] =
        benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    State.counters["hits"] = static_cast<double>(Hits);
    State.counters["molecules"] = n;
}

void BM_Read_Qyx(benchmark::State& State) {
    const TDataSet& d = Data();
    int64_t ok = 0;
    for (auto _ : State) {
        TextFile f;
        AssignFile(f, d.Path);
        Reset(f);
        TCTab t(nullptr);
        ok = 0;
        for (int i = 0; i < d.Records; ++i) {
            TPropRec props{};
            ok += t.ReadFromMDLSDFile(f, props);
        }
        CloseFile(f);
        benchmark::DoNotOptimize(ok);
    }
    PerMolecule(State, ok);
}

void BM_Read_OpenBabel(benchmark::State& State) {
    const TDataSet& d = Data();
    int64_t ok = 0;
    for (auto _ : State) {
        std::ifstream in(d.Path, std::ios::binary);
        OpenBabel::OBConversion conv;
        conv.SetInFormat("sdf");
        OpenBabel::OBMol m;
        ok = 0;
        for (int i = 0; i < d.Records; ++i) ok += conv.Read(&m, &in);
        benchmark::DoNotOptimize(ok);
    }
    PerMolecule(State, ok);
}

void BM_FormulaWeight_Qyx(benchmark::State& State) {
    const TDataSet& d = Data();
    double sum = 0;
    for (auto _ : State) {
        for (const auto& t : d.Tables) {
            TFormulaRec f;
            t->CalcMolecularFormula(f);
            TMolFormula m;
            m.SetFormulaRec(f);
            benchmark::DoNotOptimize(m.AsString(0));
            sum += t->CalcChemMolWeight();
        }
    }
    benchmark::DoNotOptimize(sum);
    PerMolecule(State, 0);
}

void BM_FormulaWeight_OpenBabel(benchmark::State& State) {
    auto& mols = const_cast<TDataSet&>(Data()).Mols;
    double sum = 0;
    for (auto _ : State) {
        for (auto& m : mols) {
            benchmark::DoNotOptimize(m.GetSpacedFormula(1, ""));
            sum += m.GetMolWt();
        }
    }
    benchmark::DoNotOptimize(sum);
    PerMolecule(State, 0);
}

void BM_SSSR_Qyx(benchmark::State& State) {
    const TDataSet& d = Data();
    int64_t rings = 0;
    for (auto _ : State) {
        rings = 0;
        for (const auto& t : d.Tables) {
            RingListType list;
            rings += t->FindSSSR(list);
        }
        benchmark::DoNotOptimize(rings);
    }
    PerMolecule(State, rings);
}

void BM_SSSR_OpenBabel(benchmark::State& State) {
    auto& mols = const_cast<TDataSet&>(Data()).Mols;
    int64_t rings = 0;
    for (auto _ : State) {
        rings = 0;
        for (auto& m : mols) {
            // Forget what was perceived before so every pass finds the rings from the bonds.
            m.SetSSSRPerceived(false);
            m.SetRingAtomsAndBondsPerceived(false);
            m.SetClosureBondsPerceived(false);
            rings += static_cast<int64_t>(m.GetSSSR().size());
        }
        benchmark::DoNotOptimize(rings);
    }
    PerMolecule(State, rings);
}

// Six carbons, bonded in a ring (Ring) or a chain, bond types not compared.
std::unique_ptr<TCTab> Query(bool Ring) {
    std::string s = "  6  " + std::string(Ring ? "6" : "5") + "  0  0  0  0  0  0  0  0999 V2000\n";
    for (int a = 0; a < 6; ++a) s += "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0\n";
    for (int a = 1; a <= (Ring ? 6 : 5); ++a) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%3d%3d  1\n", a, a % 6 + 1);
        s += buf;
    }
    s += "M  END\n";
    auto t = std::make_unique<TCTab>(nullptr);
    TStringStream st(s);
    t->ReadFromMDLCTabStream(&st);
    return t;
}

void SubStruc(benchmark::State& State, bool Ring) {
    const TDataSet& d = Data();
    const auto q = Query(Ring);
    int64_t hits = 0;
    for (auto _ : State) {
        hits = 0;
        for (const auto& t : d.Tables) {
            TMatchFlags matched;
            hits += t->SearchSubStruc(q.get(), matched, false);
        }
        benchmark::DoNotOptimize(hits);
    }
    PerMolecule(State, hits);
}
void BM_SubStruc_Benzene_Qyx(benchmark::State& State) {
    SubStruc(State, true);
}
void BM_SubStruc_Chain6_Qyx(benchmark::State& State) {
    SubStruc(State, false);
}

} // namespace

BENCHMARK(BM_Read_Qyx);
BENCHMARK(BM_Read_OpenBabel);
BENCHMARK(BM_FormulaWeight_Qyx);
BENCHMARK(BM_FormulaWeight_OpenBabel);
BENCHMARK(BM_SSSR_Qyx);
BENCHMARK(BM_SSSR_OpenBabel);
BENCHMARK(BM_SubStruc_Benzene_Qyx);
BENCHMARK(BM_SubStruc_Chain6_Qyx);

BENCHMARK_MAIN();
