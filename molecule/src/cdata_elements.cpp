// Element table, lookups, periodic-table positions and electron configurations.
#include <qyx/QYX_CData.h>

#include <qyx/platform/FixedArray.h>

namespace qyx {

namespace {

constexpr int MaxElem = 103;

struct TElemData {
    const char* Symb;     // chemical symbol
    const char* Name;     // English name, lower case, in the table's own spelling
    int NominalMass;      // mass number of the most abundant or longest-lived isotope
    double ExactMass;     // monoisotopic mass of that isotope (u)
    double ChemWeight;    // average atomic weight (u); 0 = not tabulated
    int OuterElectrons;   // electrons in the outermost shell
    const char* ShortCfg; // ground-state configuration from the noble-gas core
};

// The element data as the system has always carried it: old weights and spellings included.
constexpr TFixedArray<TElemData, 1, MaxElem> Elements{{
    {"H", "hydrogen", 1, 1.007825, 1.00797, 1, "1s1"},                        // 1
    {"He", "helium", 4, 4.002603, 4.0026, 2, "1s2"},                          // 2
    {"Li", "litium", 7, 7.016005, 6.939, 1, "[He] 2s1"},                      // 3
    {"Be", "beryllium", 9, 9.012183, 9.0122, 2, "[He] 2s2"},                  // 4
    {"B", "boron", 11, 11.009305, 10.811, 3, "[He] 2s2 2p1"},                 // 5
    {"C", "carbon", 12, 12, 12.01115, 4, "[He] 2s2 2p2"},                     // 6
    {"N", "nitrogen", 14, 14.003074, 14.0067, 5, "[He] 2s2 2p3"},             // 7
    {"O", "oxygen", 16, 15.994915, 15.9994, 6, "[He] 2s2 2p4"},               // 8
    {"F", "flourine", 19, 18.998405, 18.9984, 7, "[He] 2s2 2p5"},             // 9
    {"Ne", "neon", 20, 19.99244, 20.183, 8, "[He] 2s2 2p6"},                  // 10
    {"Na", "sodium", 23, 22.98977, 22.9898, 1, "[Ne] 3s1"},                   // 11
    {"Mg", "magnesium", 24, 23.985044, 24.312, 2, "[Ne] 3s2"},                // 12
    {"Al", "aluminum", 27, 26.981541, 26.9815, 3, "[Ne] 3s2 3p1"},            // 13
    {"Si", "silicon", 28, 27.976929, 28.086, 4, "[Ne] 3s2 3p2"},              // 14
    {"P", "phosphorus", 31, 30.973763, 30.9738, 5, "[Ne] 3s2 3p3"},           // 15
    {"S", "sulfur", 32, 31.972073, 32.064, 6, "[Ne] 3s2 3p4"},                // 16
    {"Cl", "chlorine", 35, 34.968854, 35.453, 7, "[Ne] 3s2 3p5"},             // 17
    {"Ar", "argon", 40, 39.962384, 39.948, 8, "[Ne] 3s2 3p6"},                // 18
    {"K", "potassium", 39, 38.963709, 39.102, 1, "[Ar] 4s1"},                 // 19
    {"Ca", "calcium", 40, 39.962592, 40.08, 2, "[Ar] 4s2"},                   // 20
    {"Sc", "scandium", 45, 44.955917, 44.956, 2, "[Ar] 3d1 4s2"},             // 21
    {"Ti", "titanium", 48, 47.947949, 47.9, 2, "[Ar] 3d2 4s2"},               // 22
    {"V", "vanadin", 51, 50.943964, 50.942, 2, "[Ar] 3d3 4s2"},               // 23
    {"Cr", "chromium", 52, 51.94051, 51.996, 1, "[Ar] 3d5 4s1"},              // 24
    {"Mn", "manganese", 55, 54.938046, 54.938, 2, "[Ar] 3d5 4s2"},            // 25
    {"Fe", "iron", 56, 55.934934, 55.847, 2, "[Ar] 3d6 4s2"},                 // 26
    {"Co", "cobalt", 59, 58.933188, 58.9332, 2, "[Ar] 3d7 4s2"},              // 27
    {"Ni", "nickel", 58, 57.935336, 58.71, 2, "[Ar] 3d8 4s2"},                // 28
    {"Cu", "copper", 63, 62.92959, 63.54, 1, "[Ar] 3d10 4s1"},                // 29
    {"Zn", "zinc", 64, 63.92914, 65.37, 2, "[Ar] 3d10 4s2"},                  // 30
    {"Ga", "gallium", 69, 68.92558, 69.72, 3, "[Ar] 3d10 4s2 4p1"},           // 31
    {"Ge", "germanium", 74, 73.921179, 72.59, 4, "[Ar] 3d10 4s2 4p2"},        // 32
    {"As", "arsenic", 75, 74.9216, 74.9216, 5, "[Ar] 3d10 4s2 4p3"},          // 33
    {"Se", "selenium", 80, 79.916525, 78.96, 6, "[Ar] 3d10 4s2 4p4"},         // 34
    {"Br", "bromine", 79, 78.918332, 79.909, 7, "[Ar] 3d10 4s2 4p5"},         // 35
    {"Kr", "krypton", 84, 83.911505, 83.8, 8, "[Ar] 3d10 4s2 4p6"},           // 36
    {"Rb", "rubidium", 85, 84.911799, 85.47, 1, "[Kr] 5s1"},                  // 37
    {"Sr", "strontium", 88, 87.905628, 87.62, 2, "[Kr] 5s2"},                 // 38
    {"Y", "yttrium", 89, 88.905867, 88.905, 2, "[Kr] 4d1 5s2"},               // 39
    {"Zr", "zirconium", 90, 89.904711, 91.22, 2, "[Kr] 4d2 5s2"},             // 40
    {"Nb", "niobium", 93, 92.90638, 92.906, 1, "[Kr] 4d4 5s1"},               // 41
    {"Mo", "molybdenum", 98, 97.90541, 95.94, 1, "[Kr] 4d5 5s1"},             // 42
    {"Tc", "technetium", 97, 96.905, 0, 2, "[Kr] 4d6 5s1"},                   // 43
    {"Ru", "ruthenium", 102, 101.904348, 101.07, 1, "[Kr] 4d7 5s1"},          // 44
    {"Rh", "rhodium", 103, 102.905512, 102.905, 1, "[Kr] 4d8 5s1"},           // 45
    {"Pd", "palladium", 106, 105.903487, 106.4, 0, "[Kr] 4d10"},              // 46
    {"Ag", "silver", 107, 106.905091, 107.87, 1, "[Kr] 4d10 5s1"},            // 47
    {"Cd", "cadmium", 114, 113.903367, 112.4, 2, "[Kr] 4d10 5s2"},            // 48
    {"In", "indium", 115, 114.903875, 114.82, 3, "[Kr] 4d10 5s2 5p1"},        // 49
    {"Sn", "tin", 120, 119.902207, 118.69, 4, "[Kr] 4d10 5s2 5p2"},           // 50
    {"Sb", "antimony", 121, 120.903822, 121.75, 5, "[Kr] 4d10 5s2 5p3"},      // 51
    {"Te", "tellurium", 130, 129.906232, 127.6, 6, "[Kr] 4d10 5s2 5p4"},      // 52
    {"I", "iodine", 127, 126.904476, 126.9044, 7, "[Kr] 4d10 5s2 5p5"},       // 53
    {"Xe", "xenon", 132, 131.904157, 131.3, 8, "[Kr] 4d10 5s2 5p6"},          // 54
    {"Cs", "cesium", 133, 132.905436, 132.905, 1, "[Xe] 6s1"},                // 55
    {"Ba", "barium", 138, 137.905235, 137.34, 2, "[Xe] 6s2"},                 // 56
    {"La", "lanthanum", 139, 138.906403, 138.91, 2, "[Xe] 5d1 6s2"},          // 57
    {"Ce", "cerium", 140, 139.905484, 140.12, 2, "[Xe] 4f2 6s2"},             // 58
    {"Pr", "praseodymium", 141, 140.907698, 140.907, 2, "[Xe] 4f3 6s2"},      // 59
    {"Nd", "neodymium", 142, 141.907766, 144.24, 2, "[Xe] 4f4 6s2"},          // 60
    {"Pm", "prometium", 145, 144.907, 0, 2, "[Xe] 4f5 6s2"},                  // 61
    {"Sm", "samarium", 152, 151.919755, 150.35, 2, "[Xe] 4f6 6s2"},           // 62
    {"Eu", "europium", 153, 152.92126, 151.96, 2, "[Xe] 4f7 6s2"},            // 63
    {"Gd", "gadolinium", 158, 157.924123, 157.25, 2, "[Xe] 4f7 5d1 6s2"},     // 64
    {"Tb", "terbium", 159, 158.925386, 158.924, 2, "[Xe] 4f9 6s2"},           // 65
    {"Dy", "dysprosium", 164, 163.929218, 162.5, 2, "[Xe] 4f10 6s2"},         // 66
    {"Ho", "holmium", 165, 164.930357, 164.93, 2, "[Xe] 4f11 6s2"},           // 67
    {"Er", "erbium", 166, 165.930324, 167.26, 2, "[Xe] 4f12 6s2"},            // 68
    {"Tm", "thulium", 169, 168.934245, 168.934, 2, "[Xe] 4f13 6s2"},          // 69
    {"Yb", "ytterbium", 174, 173.938881, 173.04, 2, "[Xe] 4f14 6s2"},         // 70
    {"Lu", "lutetium", 175, 174.940796, 174.97, 2, "[Xe] 4f14 5d1 6s2"},      // 71
    {"Hf", "hafnium", 180, 179.946575, 178.49, 2, "[Xe] 4f14 5d2 6s2"},       // 72
    {"Ta", "tantalum", 181, 180.948028, 180.948, 2, "[Xe] 4f14 5d3 6s2"},     // 73
    {"W", "tungsten", 184, 183.950975, 183.85, 2, "[Xe] 4f14 5d4 6s2"},       // 74
    {"Re", "rhenium", 187, 186.955791, 186.2, 2, "[Xe] 4f14 5d5 6s2"},        // 75
    {"Os", "osmium", 192, 191.961514, 190.2, 2, "[Xe] 4f14 5d6 6s2"},         // 76
    {"Ir", "iridium", 193, 192.962964, 192.2, 2, "[Xe] 4f14 5d7 6s2"},        // 77
    {"Pt", "platinum", 195, 194.964804, 195.09, 1, "[Xe] 4f14 5d9 6s1"},      // 78
    {"Au", "gold", 197, 196.966548, 196.967, 1, "[Xe] 4f14 5d10 6s1"},        // 79
    {"Hg", "mercury", 202, 201.970643, 200.59, 2, "[Xe] 4f14 5d10 6s2"},      // 80
    {"Tl", "thallium", 205, 204.974438, 204.37, 3, "[Xe] 4f14 5d10 6s2 6p1"}, // 81
    {"Pb", "lead", 208, 207.976658, 207.19, 4, "[Xe] 4f14 5d10 6s2 6p2"},     // 82
    {"Bi", "bismuth", 209, 208.980401, 208.98, 5, "[Xe] 4f14 5d10 6s2 6p3"},  // 83
    {"Po", "polonium", 209, 208.9825, 0, 6, "[Xe] 4f14 5d10 6s2 6p4"},        // 84
    {"At", "astatine", 211, 210.9875, 0, 7, "[Xe] 4f14 5d10 6s2 6p5"},        // 85
    {"Rn", "radon", 222, 222.0175, 0, 8, "[Xe] 4f14 5d10 6s2 6p6"},           // 86
    {"Fr", "francium", 223, 223.0198, 0, 1, "[Rn] 7s1"},                      // 87
    {"Ra", "radium", 226, 226.0254, 0, 2, "[Rn] 7s2"},                        // 88
    {"Ac", "actinum", 227, 227.0278, 0, 2, "[Rn] 6d1 7s2"},                   // 89
    {"Th", "thorium", 232, 232.038074, 232.038, 2, "[Rn] 6d2 7s2"},           // 90
    {"Pa", "protactinium", 230, 230, 0, 2, "[Rn] 5f2 6d1 7s2"},               // 91
    {"U", "uranium", 238, 238.050816, 238.03, 2, "[Rn] 5f3 6d1 7s2"},         // 92
    {"Np", "neptunium", 237, 237.048, 0, 2, "[Rn] 5f4 6d1 7s2"},              // 93
    {"Pu", "plutonium", 244, 244.06, 0, 2, "[Rn] 5f6 7s2"},                   // 94
    {"Am", "americium", 243, 243.0614, 0, 2, "[Rn] 5f7 7s2"},                 // 95
    {"Cm", "curium", 247, 247.07, 0, 2, "[Rn] 5f7 6d1 7s2"},                  // 96
    {"Bk", "berkelium", 247, 247.0702, 0, 2, "[Rn] 5f9 7s2"},                 // 97
    {"Cf", "californium", 251, 251.079, 0, 2, "[Rn] 5f10 7s2"},               // 98
    {"Es", "einsteinium", 254, 254.0881, 0, 2, "[Rn] 5f11 7s2"},              // 99
    {"Fm", "fermium", 257, 257.093, 0, 2, "[Rn] 5f12 7s2"},                   // 100
    {"Md", "mendelevium", 257, 257.094, 0, 2, "[Rn] 5f13 7s2"},               // 101
    {"No", "nobelium", 255, 255.02, 0, 2, "[Rn] 5f14 7s2"},                   // 102
    {"Lr", "lawrencium", 256, 256.02, 0, 2, "[Rn] 5f14 6d1 7s2"},             // 103
}};

// Van der Waals radii in hundredths of an angstrom; 0 = no value. Elements above 53 have no entry.
// clang-format off
constexpr TFixedArray<int, 1, 53> VdwRadius100{{
    120,   0,   0,   0,  98, 180, 150, 140, 135,   0, //  1 - 10
      0,   0,   0, 138, 190, 185, 180,   0,   0,   0, // 11 - 20
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0, // 21 - 30
      0,   0, 200, 200, 195,   0,   0,   0,   0,   0, // 31 - 40
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0, // 41 - 50
    220, 220, 215,                                    // 51 - 53
}};
// clang-format on

bool Valid(int Z) {
    return Z >= 1 && Z <= MaxElem;
}

// The occupied cells of the 9 x 18 periodic grid as runs of consecutive atomic numbers.
struct TGridRun {
    int Row, FirstCol, FirstZ, Count;
};
constexpr TGridRun GridRuns[] = {
    {0, 0, 1, 1},   {0, 17, 2, 1},  {1, 0, 3, 2},   {1, 12, 5, 6}, {2, 0, 11, 2},
    {2, 12, 13, 6}, {3, 0, 19, 18}, {4, 0, 37, 18}, {5, 0, 55, 3}, {5, 3, 72, 15},
    {6, 0, 87, 3},  {7, 4, 58, 14}, {8, 4, 90, 14},
};

// The noble-gas cores and their full expansions.
struct TCore {
    const char* Core;
    const char* Full;
};
constexpr TCore Cores[] = {
    {"[He]", "1s2"},
    {"[Ne]", "1s2 2s2 2p6"},
    {"[Ar]", "1s2 2s2 2p6 3s2 3p6"},
    {"[Kr]", "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p6"},
    {"[Xe]", "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p6 4d10 5s2 5p6"},
    {"[Rn]", "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p6 4d10 5s2 5p6 4f14 5d10 6s2 6p6"},
};

} // namespace

std::string CElemSymb(int Z) {
    return Valid(Z) ? Elements[Z].Symb : "";
}

std::string CElemName(int Z) {
    return Valid(Z) ? Elements[Z].Name : "";
}

int AtomicNumber(const std::string& Symbol) {
    for (int z = 1; z <= MaxElem; ++z)
        if (Symbol == Elements[z].Symb) return z;
    return 0;
}

int IntAtWeight(int Z) {
    return Valid(Z) ? Elements[Z].NominalMass : 0;
}

double ExactAtWeight(int Z) {
    return Valid(Z) ? Elements[Z].ExactMass : 0.0;
}

double ChemAtWeight(int Z) {
    return Valid(Z) ? Elements[Z].ChemWeight : 0.0;
}

double VDWRadius(int Z) {
    return VdwRadius100.InRange(Z) ? VdwRadius100[Z] * 0.01 : 0.0;
}

int NumOuterElectrons(int Z) {
    return Valid(Z) ? Elements[Z].OuterElectrons : 0;
}

std::string ShortElectronConfig(int Z) {
    return Valid(Z) ? Elements[Z].ShortCfg : "";
}

std::string FullElectronConfig(int Z) {
    std::string cfg = ShortElectronConfig(Z);
    for (const TCore& c : Cores) {
        if (cfg.compare(0, 4, c.Core) == 0) return c.Full + cfg.substr(4);
    }
    return cfg;
}

void PerSysCoord(int Z, int& Column, int& Row) {
    Column = 0;
    Row = 0;
    for (const TGridRun& r : GridRuns) {
        if (Z >= r.FirstZ && Z < r.FirstZ + r.Count) {
            const int cell = r.Row * 18 + r.FirstCol + (Z - r.FirstZ);
            Column = cell % 18;
            Row = cell / 18;
            return;
        }
    }
}

} // namespace qyx
