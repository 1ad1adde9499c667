// The chemistry library on real compounds: formulas read from text, written back in normal form with
// their three weights, registry numbers checked; then the element compositions that fit the
// monoisotopic mass of caffeine, and a look at a few elements.
#include <cstdio>
#include <string>

#include <qyx/QYX_CData.h>
#include <qyx/QYX_cform.h>

using namespace qyx;

namespace {

struct TCompound {
    const char* Name;
    const char* Formula; // element parts separated by counts or blanks
    const char* CASNr;
};

const TCompound Compounds[] = {
    {"water", "H2O", "7732-18-5"},
    {"ethanol", "C2H5(O H)", "64-17-5"},
    {"benzene", "C6 H6", "71-43-2"},
    {"caffeine", "C8 H10 N4 O2", "58-08-2"},
    {"aspirin", "C9 H8 O4", "50-78-2"},
    {"glucose", "C6 H12 O6", "50-99-7"},
    {"heavy water", "D2O", "7789-20-0"},
    {"toluene", "C6H5(C H3)", "108-88-3"},
    {"misprinted caffeine", "C8 H10 N4 O2", "58-08-3"},
};

void Formulas() {
    std::printf("%-20s %-16s %-22s %8s %10s %10s  %s\n", "compound", "formula", "with mass numbers",
                "nominal", "chemical", "exact", "registry number");
    for (const TCompound& c : Compounds) {
        TMolFormula f;
        f.SetMolFormula(c.Formula);
        int number = 0;
        const bool valid = ConvertStrToCASNr(c.CASNr, number);
        std::printf("%-20s %-16s %-22s %8d %10.4f %10.5f  %s %s\n", c.Name, f.AsString(0).c_str(),
                    f.GetMolFormula().c_str(), f.NominalMolWgt(), f.ChemMolWgt(), f.ExactMolWgt(),
                    FormatCASNr(number).c_str(), valid ? "ok" : "WRONG CHECK DIGIT");
    }
}

// Compositions of C, H, N and O within 5 mmu of caffeine's monoisotopic mass that can be drawn as a
// structure (rings plus double bonds not negative).
void CompositionSearch() {
    TMolFormula caffeine;
    caffeine.SetMolFormula("C8 H10 N4 O2");
    const double mass = caffeine.ExactMolWgt();

    TFormulaRec lower, upper;
    const int z[] = {6, 1, 7, 8}, most[] = {15, 30, 6, 6};
    upper.NumAtoms = lower.NumAtoms = 4;
    for (int k = 1; k <= 4; ++k) {
        upper.AtNum[k] = static_cast<uint8_t>(z[k - 1]);
        upper.AtWgt[k] = static_cast<uint8_t>(IntAtWeight(z[k - 1]));
        upper.AtCnt[k] = static_cast<uint8_t>(most[k - 1]);
    }
    TMolFormula f;
    f.InitFindFormula(mass, 0.005, lower, upper);
    std::printf("\nCompositions of C, H, N, O within 0.005 of %.5f:\n", mass);
    // The found formula lists every searched element; one with count 0 leaves an empty place.
    while (f.FindFormulaExactMass(true)) {
        std::printf("  %-18s %.5f%s\n", f.AsString(0).c_str(), f.ExactMolWgt(),
                    f.CompareTo(&caffeine) == 0 ? "  <- caffeine" : "");
    }
}

void Elements() {
    std::printf("\n%-4s %-12s %3s %8s %8s  %-8s %s\n", "", "name", "Z", "weight", "radius", "cell",
                "configuration");
    for (const char* symbol : {"C", "Cl", "Fe", "Br", "Au", "U"}) {
        const int z = AtomicNumber(symbol);
        int col = 0, row = 0;
        PerSysCoord(z, col, row);
        std::printf("%-4s %-12s %3d %8.4f %8.2f  (%2d,%d)   %s\n", symbol, CElemName(z).c_str(), z,
                    ChemAtWeight(z), VDWRadius(z), col, row, FullElectronConfig(z).c_str());
    }
    const std::string packed = CompressChemName("Acetylsalicylsaeure");
    std::printf("\n\"Acetylsalicylsaeure\" packs into %zu bytes and unpacks to \"%s\"\n", packed.size(),
                DeCompressChemName(packed).c_str());
}

} // namespace

int main() {
    Formulas();
    CompositionSearch();
    Elements();
    return 0;
}
