// Element data: every row of the printed element table, lookups outside the table, symbols,
// electron configurations and periodic-table positions.
#include <climits>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_CData.h>

using namespace qyx;

namespace {

// One row of tests/data/elements.txt, fields as printed.
struct TRow {
    std::vector<std::string> Fields; // Z, symbol, name, nominal, exact, chemical, outer, radius, config
};

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::vector<TRow> ReadPrintedTable() {
    std::ifstream in(QYX_TEST_DATA "/elements.txt");
    std::vector<TRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != '|') continue;
        TRow row;
        std::stringstream ss(line.substr(1));
        std::string cell;
        while (std::getline(ss, cell, '|')) row.Fields.push_back(Trim(cell));
        rows.push_back(row);
    }
    return rows;
}

// Electrons counted from a configuration: core sizes plus the occupation of every orbital.
int ElectronCount(const std::string& Cfg) {
    std::stringstream ss(Cfg);
    std::string t;
    int n = 0;
    while (ss >> t) {
        if (t[0] == '[') {
            static const std::pair<const char*, int> cores[] = {{"[He]", 2},  {"[Ne]", 10}, {"[Ar]", 18},
                                                                {"[Kr]", 36}, {"[Xe]", 54}, {"[Rn]", 86}};
            for (const auto& c : cores)
                if (t == c.first) n += c.second;
        } else {
            n += std::atoi(t.c_str() + 2);
        }
    }
    return n;
}

} // namespace

TEST(CDataElements, EveryRowOfThePrintedTable) {
    const std::vector<TRow> rows = ReadPrintedTable();
    ASSERT_EQ(rows.size(), 103u);
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string>& f = rows[i].Fields;
        ASSERT_EQ(f.size(), 9u);
        SCOPED_TRACE("Z " + f[0] + " " + f[2]);
        const int z = std::atoi(f[0].c_str());
        EXPECT_EQ(z, static_cast<int>(i) + 1);
        EXPECT_EQ(CElemSymb(z), f[1]);
        EXPECT_EQ(CElemName(z), f[2]);
        EXPECT_EQ(AtomicNumber(f[1]), z);
        EXPECT_EQ(IntAtWeight(z), std::atoi(f[3].c_str()));
        EXPECT_EQ(ExactAtWeight(z), std::strtod(f[4].c_str(), nullptr));
        EXPECT_EQ(ChemAtWeight(z), std::strtod(f[5].c_str(), nullptr));
        EXPECT_EQ(NumOuterElectrons(z), std::atoi(f[6].c_str()));
        if (f[7] == "-") {
            EXPECT_GT(z, 53);
            EXPECT_EQ(VDWRadius(z), 0.0);
        } else {
            EXPECT_LE(z, 53);
            EXPECT_DOUBLE_EQ(VDWRadius(z), std::atoi(f[7].c_str()) * 0.01);
        }
        EXPECT_EQ(ShortElectronConfig(z), f[8]);
        // The full configuration has no core left and accounts for all Z electrons.
        const std::string full = FullElectronConfig(z);
        EXPECT_EQ(full.find('['), std::string::npos) << full;
        EXPECT_EQ(full.rfind("1s", 0), 0u) << full;
        EXPECT_EQ(ElectronCount(full), z) << full;
    }
}

TEST(CDataElements, NoElementOutsideOneTo103) {
    for (int z : {0, -1, 104, 200, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(z);
        EXPECT_EQ(CElemSymb(z), "");
        EXPECT_EQ(CElemName(z), "");
        EXPECT_EQ(IntAtWeight(z), 0);
        EXPECT_EQ(ExactAtWeight(z), 0.0);
        EXPECT_EQ(ChemAtWeight(z), 0.0);
        EXPECT_EQ(VDWRadius(z), 0.0);
        EXPECT_EQ(NumOuterElectrons(z), 0);
        EXPECT_EQ(ShortElectronConfig(z), "");
        EXPECT_EQ(FullElectronConfig(z), "");
        int col = -7, row = -7;
        PerSysCoord(z, col, row);
        EXPECT_EQ(col, 0);
        EXPECT_EQ(row, 0);
    }
}

TEST(CDataElements, SelectedValues) {
    EXPECT_EQ(ChemAtWeight(43), 0.0);
    EXPECT_EQ(ExactAtWeight(43), 96.905);
    EXPECT_DOUBLE_EQ(VDWRadius(6), 1.8);
    EXPECT_DOUBLE_EQ(VDWRadius(1), 1.2);
    EXPECT_EQ(VDWRadius(2), 0.0);  // entry without a value
    EXPECT_EQ(VDWRadius(54), 0.0); // beyond the radius table
    EXPECT_EQ(NumOuterElectrons(46), 0);
}

TEST(CDataElements, AtomicNumberIsExactAndCaseSensitive) {
    const struct {
        const char* Symbol;
        int Z;
    } cases[] = {{"Cl", 17}, {"cl", 0}, {"CL", 0}, {"C", 6},    {"c", 0},  {"D", 0},
                 {"", 0},    {" C", 0}, {"C ", 0}, {"Lr", 103}, {"Xx", 0}, {"Co2", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Symbol);
        EXPECT_EQ(AtomicNumber(c.Symbol), c.Z);
    }
}

TEST(CDataElements, FullElectronConfig) {
    EXPECT_EQ(FullElectronConfig(1), "1s1");
    EXPECT_EQ(FullElectronConfig(2), "1s2");
    EXPECT_EQ(FullElectronConfig(3), "1s2 2s1");
    EXPECT_EQ(FullElectronConfig(16), "1s2 2s2 2p6 3s2 3p4");
    EXPECT_EQ(FullElectronConfig(35), "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p5");
    EXPECT_EQ(FullElectronConfig(79), "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p6 4d10 5s2 5p6 4f14 5d10 6s1");
    EXPECT_EQ(FullElectronConfig(103),
              "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p6 4d10 5s2 5p6 4f14 5d10 6s2 6p6 5f14 6d1 7s2");
    EXPECT_EQ(ShortElectronConfig(35), "[Ar] 3d10 4s2 4p5");
}

TEST(CDataElements, PeriodicTablePositions) {
    const struct {
        int Z, Col, Row;
    } cases[] = {{1, 0, 0},   {2, 17, 0},  {3, 0, 1},  {5, 12, 1},   {10, 17, 1}, {19, 0, 3},
                 {36, 17, 3}, {54, 17, 4}, {57, 2, 5}, {58, 4, 7},   {71, 17, 7}, {72, 3, 5},
                 {86, 17, 5}, {89, 2, 6},  {90, 4, 8}, {102, 16, 8}, {103, 17, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Z);
        int col = -1, row = -1;
        PerSysCoord(c.Z, col, row);
        EXPECT_EQ(col, c.Col);
        EXPECT_EQ(row, c.Row);
    }

    // Every element has a cell of its own; in the periods, the main-group columns agree with the
    // outer-electron counts (1, 2 in columns 0, 1; 3 to 8 in columns 12 to 17; helium 2).
    std::set<int> cells;
    for (int z = 1; z <= 103; ++z) {
        SCOPED_TRACE(z);
        int col = -1, row = -1;
        PerSysCoord(z, col, row);
        ASSERT_TRUE(col >= 0 && col <= 17 && row >= 0 && row <= 8);
        EXPECT_TRUE(cells.insert(row * 18 + col).second);
        if (row <= 6 && z != 2) {
            if (col <= 1) {
                EXPECT_EQ(NumOuterElectrons(z), col + 1);
            }
            if (col >= 12) {
                EXPECT_EQ(NumOuterElectrons(z), col - 9);
            }
        }
    }
}
