// Real structure files: every record of two public SD files of real compounds is read in turn.
// Records of 1 to 63 atoms must load with the counts, elements and weights of the file; larger ones
// are refused and the next record still reads.
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_CData.h>
#include <qyx/QYX_cform.h>
#include <qyx/QYX_cstruct.h>
#include <qyx/platform/TextFile.h>

using namespace qyx;

namespace {

// What a record holds, read here straight from the text.
struct TRecord {
    std::string Name;
    int Atoms = 0, Bonds = 0;
    bool BondTypesOk = true;
    std::map<std::string, int> Elements;
    double Amw = -1.0; // the file's own molecular weight, when it gives one
};

std::string Trim(const std::string& S) {
    const size_t b = S.find_first_not_of(" \r");
    const size_t e = S.find_last_not_of(" \r");
    return b == std::string::npos ? std::string() : S.substr(b, e - b + 1);
}

std::vector<TRecord> ParseRecords(const std::string& Path) {
    std::ifstream in(Path);
    std::vector<TRecord> out;
    std::vector<std::string> lines;
    std::string line;
    auto finish = [&] {
        TRecord r;
        r.Name = lines.empty() ? "" : Trim(lines[0]);
        if (lines.size() > 3) {
            r.Atoms = std::stoi(lines[3].substr(0, 3));
            r.Bonds = std::stoi(lines[3].substr(3, 3));
            for (int i = 0; i < r.Atoms && 4 + i < static_cast<int>(lines.size()); ++i)
                ++r.Elements[Trim(lines[4 + i].substr(31, 3))];
            for (int j = 0; j < r.Bonds; ++j) {
                const int t = std::stoi(lines[4 + r.Atoms + j].substr(6, 3));
                r.BondTypesOk = r.BondTypesOk && t >= 1 && t <= 4;
            }
        }
        for (size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i].rfind(">  <AMW>", 0) == 0) r.Amw = std::stod(lines[i + 1]);
        out.push_back(r);
        lines.clear();
    };
    while (std::getline(in, line)) {
        if (Trim(line) == "$$$$")
            finish();
        else
            lines.push_back(line);
    }
    return out;
}

void CheckFile(const std::string& Path, int& Loaded, int& Refused) {
    const std::vector<TRecord> records = ParseRecords(Path);
    ASSERT_FALSE(records.empty());
    TextFile f;
    AssignFile(f, Path);
    Reset(f);
    TCTab t(nullptr);
    TPropRec props;
    for (size_t k = 0; k < records.size(); ++k) {
        const TRecord& r = records[k];
        SCOPED_TRACE(Path + " record " + std::to_string(k + 1) + " " + r.Name);
        t.SetStrucName("(none)");
        const bool ok = t.ReadFromMDLSDFile(f, props);
        if (r.Atoms < 1 || r.Atoms > 63) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(t.GetStrucName(), "(none)");
            ++Refused;
            continue;
        }
        ++Loaded;
        EXPECT_EQ(ok, r.BondTypesOk);
        EXPECT_EQ(t.GetStrucName(), r.Name);
        ASSERT_EQ(t.GetNAtoms(), r.Atoms);
        int partnerEntries = 0;
        for (int a = 1; a <= t.GetNAtoms(); ++a) {
            partnerEntries += t.GetNBonds(a);
            for (int s = 1; s <= t.GetNBonds(a); ++s)
                EXPECT_EQ(t.CheckConnect(t.GetConnTo(a, s), a), t.GetTypConn(a, s));
        }
        EXPECT_EQ(partnerEntries, 2 * r.Bonds);

        // Every element of the atom block is in the formula with its count; hydrogens come from the
        // valences, explicit hydrogen atoms through their neighbours.
        TFormulaRec fr;
        ASSERT_TRUE(t.CalcMolecularFormula(fr));
        std::map<std::string, int> formula;
        for (int i = 1; i <= fr.NumAtoms; ++i) formula[CElemSymb(fr.AtNum[i])] += fr.AtCnt[i];
        for (const auto& [sym, n] : r.Elements)
            if (sym != "H") {
                EXPECT_EQ(formula[sym], n) << sym;
            }
        EXPECT_EQ(formula["H"], t.CalcMissingH());
        if (r.Elements.count("H") != 0) {
            EXPECT_GE(formula["H"], r.Elements.at("H"));
        }

        TMolFormula m;
        m.SetFormulaRec(fr);
        EXPECT_NEAR(t.CalcChemMolWeight(), m.ChemMolWgt(), 1e-6);
        // The file's weights come from another element table (bromine differs by 0.006).
        if (r.Amw > 0) {
            EXPECT_NEAR(t.CalcChemMolWeight(), r.Amw, 0.01 + 1e-4 * r.Amw) << "formula " << m.AsString(0);
        }

        // The coordinates were scaled into the whole-number range.
        for (int a = 1; a <= t.GetNAtoms(); ++a)
            for (int ax = 1; ax <= 3; ++ax) {
                const float v = t.GetCoords(a, ax);
                EXPECT_TRUE(v >= 0.0f && v <= 32767.0f && v == std::nearbyint(v));
            }
    }
    EXPECT_TRUE(Eof(f));
    CloseFile(f);
}

} // namespace

TEST(CStructRealFiles, EveryRecordOfTwoPublicSDFiles) {
    const std::string files[] = {"/usr/share/RDKit/Data/NCI/first_200.props.sdf",
                                 "/usr/share/RDKit/Contrib/Fastcluster/testdata/cdk2.sdf"};
    for (const std::string& path : files) {
        ASSERT_TRUE(std::ifstream(path).good()) << path << " is missing (Debian package rdkit-data)";
        int loaded = 0, refused = 0;
        CheckFile(path, loaded, refused);
        EXPECT_GT(loaded, 30) << path;
        std::printf("%s: %d records loaded, %d refused\n", path.c_str(), loaded, refused);
    }
}
