// TGrep against std::regex (ECMAScript) on the same patterns and subjects: short report-list cells
// and long text lines. Each pattern/subject pair runs for both in the same program.
#include <benchmark/benchmark.h>

#include <regex>
#include <string>
#include <vector>

#include <qyx/QYX_stringl.h>

using namespace qyx;

namespace {

const std::vector<std::string> Cells = {"12.5",      "Sample 42", "abc-123",   "x17",     "Total",  "0.0034",
                                        "Ethanol",   "n/a",       "ref-2001b", "CH3COOH", "1e-5",   "x",
                                        "Benzene 3", "Probe 7",   "",          "zz top",  "x12345", "Water"};

std::vector<std::string> MakeLines() {
    const std::string words[] = {"the",    "sample", "was",   "measured", "at",  "room",     "temperature",
                                 "and",    "then",   "again", "after",    "two", "hours",    "with",
                                 "values", "of",     "12.5",  "and",      "13",  "abababcx", "Kelvin"};
    std::vector<std::string> lines;
    unsigned seed = 1;
    for (int l = 0; l < 16; ++l) {
        std::string s;
        while (s.size() < 400) {
            seed = seed * 1103515245u + 12345u;
            s += words[(seed >> 16) % 21];
            s += ' ';
        }
        lines.push_back(s + "end z");
    }
    return lines;
}

const std::vector<std::string> Lines = MakeLines();

// Patterns of the language and the same patterns for the standard library.
struct Pattern {
    const char* Name;
    const char* Ours;
    const char* Ecma;
};
const Pattern Patterns[] = {
    {"literal", "ample", "ample"},
    {"digits_at_end", "x[0-9]*$", "x[0-9]*$"},
    {"anchored_word", "^[A-Z][a-z]+", "^[A-Z][a-z]+"},
    {"group_repeat", "(ab)+c", "(?:ab)+c"},
    {"any_between", "a.*z", "a.*z"},
    {"number", "[0-9]+\\.[0-9]", "[0-9]+\\.[0-9]"},
};

void RunGrep(benchmark::State& State, const Pattern& P, const std::vector<std::string>* Subjects) {
    TGrep g(nullptr);
    g.SetRegExp(P.Ours);
    int hits = 0;
    for (auto _ : State) {
        for (const std::string& s : *Subjects) {
            int pos = 0;
            hits += g.MatchString(s, pos) ? 1 : 0;
        }
    }
    benchmark::DoNotOptimize(hits);
    State.SetItemsProcessed(State.iterations() * static_cast<int64_t>(Subjects->size()));
}

void RunStdRegex(benchmark::State& State, const Pattern& P, const std::vector<std::string>* Subjects) {
    const std::regex re(P.Ecma, std::regex::ECMAScript);
    int hits = 0;
    for (auto _ : State) {
        for (const std::string& s : *Subjects) hits += std::regex_search(s, re) ? 1 : 0;
    }
    benchmark::DoNotOptimize(hits);
    State.SetItemsProcessed(State.iterations() * static_cast<int64_t>(Subjects->size()));
}

const int Registered = [] {
    for (const Pattern& p : Patterns) {
        for (const auto& [kind, subjects] : {std::pair{"cells", &Cells}, std::pair{"lines", &Lines}}) {
            const std::string name = std::string(p.Name) + "/" + kind;
            benchmark::RegisterBenchmark(("TGrep/" + name).c_str(), RunGrep, p, subjects);
            benchmark::RegisterBenchmark(("StdRegex/" + name).c_str(), RunStdRegex, p, subjects);
        }
    }
    return 0;
}();

} // namespace

BENCHMARK_MAIN();
