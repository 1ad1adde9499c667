// Structure files: MDL connection tables, molfiles and SD records from files and streams, the
// clear-text formats, the writers read back, and damaged input of every kind.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_cform.h>
#include <qyx/QYX_cstruct.h>
#include <qyx/QYX_streams.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

using namespace qyx;

namespace {

const std::string DataDir = QYX_TEST_DATA;

// A text file holding Text, opened for reading.
class TTempText {
public:
    explicit TTempText(const std::string& Text) {
        static int counter = 0;
        FPath = ::testing::TempDir() + "cstruct_" + std::to_string(++counter) + ".txt";
        std::ofstream(FPath, std::ios::binary) << Text;
        AssignFile(F, FPath);
        Reset(F);
    }
    ~TTempText() {
        if (F.IsOpen()) CloseFile(F);
        std::remove(FPath.c_str());
    }
    TextFile F;
    std::string FPath;
};

// Opens a fixture of tests/data.
void OpenData(TextFile& F, const std::string& Name) {
    AssignFile(F, DataDir + "/" + Name);
    Reset(F);
}

// Same bonds between every pair of atoms, whatever their order in the partner lists.
bool SameBonds(const TCTab& A, const TCTab& B) {
    for (int i = 1; i <= MaxCTAtoms; ++i)
        for (int j = 1; j <= MaxCTAtoms; ++j)
            if (A.CheckConnect(i, j) != B.CheckConnect(i, j)) return false;
    return true;
}

std::string Formula(const TCTab& T) {
    TFormulaRec f;
    EXPECT_TRUE(T.CalcMolecularFormula(f));
    TMolFormula m;
    m.SetFormulaRec(f);
    return m.AsString(0);
}

// Counts line, atom lines and bond lines of an MDL connection table.
std::string CTab(int A, int B, const std::vector<std::string>& Lines) {
    char head[64];
    std::snprintf(head, sizeof head, "%3d%3d  0  0  0  0  0  0  0  0999 V2000\n", A, B);
    std::string s = head;
    for (const std::string& l : Lines) s += l + "\n";
    return s;
}
std::string AtomLine(double X, double Y, double Z, const char* Sym, int MassDiff = 0, int ChargeCode = 0) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%10.4f%10.4f%10.4f %-3s%2d%3d  0  0  0  0", X, Y, Z, Sym, MassDiff,
                  ChargeCode);
    return buf;
}
std::string BondLine(int A, int B, int T) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%3d%3d%3d  0", A, B, T);
    return buf;
}

} // namespace

TEST(CStructFiles, MolfileFixtureReadsNameChargesIsotopesAndScaledCoordinates) {
    TextFile f;
    OpenData(f, "cstruct_ethanol.mol");
    TCTab t(nullptr);
    int fired = 0;
    t.OnChange = [&](TObject*) { ++fired; };
    ASSERT_TRUE(t.ReadFromMDLMolFile(f));
    CloseFile(f);
    EXPECT_GE(fired, 1);
    EXPECT_EQ(t.GetStrucName(), "Ethanol test");
    ASSERT_EQ(t.GetNAtoms(), 3);
    EXPECT_EQ(t.GetAtWeight(1), 12);
    EXPECT_EQ(t.GetAtWeight(2), 11);
    EXPECT_EQ(t.GetCharge(2), 1);
    EXPECT_EQ(t.GetCharge(3), -1);
    EXPECT_EQ(t.CheckConnect(2, 1), 1);
    EXPECT_EQ(t.CheckConnect(3, 2), 1);
    // x spans 10 and y 2: the scale is 600 / 2 = 300.
    const float expected[3][2] = {{0, 0}, {1500, 600}, {3000, 300}};
    for (int a = 1; a <= 3; ++a) {
        SCOPED_TRACE(a);
        EXPECT_EQ(t.GetCoords(a, 1), expected[a - 1][0]);
        EXPECT_EQ(t.GetCoords(a, 2), expected[a - 1][1]);
        EXPECT_EQ(t.GetCoords(a, 3), 0.0f);
    }
}

TEST(CStructFiles, ChargeCodesAndMassDifferences) {
    const std::pair<int, int> charges[] = {{0, 0},  {1, 3},  {2, 2},  {3, 1}, {4, 0},
                                           {5, -1}, {6, -2}, {7, -3}, {8, 8}};
    for (auto [code, charge] : charges) {
        SCOPED_TRACE(code);
        TStringStream s(CTab(1, 0, {AtomLine(0, 0, 0, "N", -1, code)}));
        TCTab t(nullptr);
        ASSERT_TRUE(t.ReadFromMDLCTabStream(&s));
        EXPECT_EQ(t.GetCharge(1), charge);
        EXPECT_EQ(t.GetAtWeight(1), 13);
    }
    TStringStream s(CTab(2, 0, {AtomLine(0, 0, 0, "Xx", 2), AtomLine(0, 0, 0, "Cl")}));
    TCTab t(nullptr);
    ASSERT_TRUE(t.ReadFromMDLCTabStream(&s));
    EXPECT_EQ(t.GetAtNum(1), 0); // unknown symbol
    EXPECT_EQ(t.GetAtWeight(1), 2);
    EXPECT_EQ(t.GetAtNum(2), 17);
}

TEST(CStructFiles, CountsOutsideOneToSixtyThreeLeaveTheTableButTakeTheName) {
    for (int a : {64, 0, -1, 999}) {
        SCOPED_TRACE(a);
        TCTab t(nullptr);
        t.SetStrucName("old");
        t.AddAtom(CTElem{});
        std::vector<std::string> atoms(a > 0 && a < 100 ? a : 0, AtomLine(0, 0, 0, "C"));
        TStringStream s("Too big\n\n\n" + CTab(a, 0, atoms));
        EXPECT_FALSE(t.ReadFromMDLMolStream(&s));
        EXPECT_EQ(t.GetNAtoms(), 1);
        EXPECT_EQ(t.GetStrucName(), "Too big");
    }
    TCTab t(nullptr);
    TStringStream empty("");
    EXPECT_FALSE(t.ReadFromMDLCTabStream(&empty));
    EXPECT_FALSE(t.ReadFromMDLCTabStream(nullptr));
}

TEST(CStructFiles, BadBondLinesMakeTheResultFalse) {
    struct Case {
        const char* What;
        std::string Bond;
        int ExpectType; // type between atoms 1 and 2 afterwards
    };
    const Case cases[] = {
        {"query type 8 is entered single", BondLine(1, 2, 8), 1},
        {"type 0", BondLine(1, 2, 0), 1},
        {"second atom out of range", BondLine(1, 9, 1), 0},
        {"first atom out of range", BondLine(200, 2, 1), 0},
        {"negative atom", BondLine(-1, 2, 1), 0},
        {"bond to itself", BondLine(1, 1, 1), 0},
        {"garbage", "abcdefghijkl", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TStringStream s(CTab(2, 1, {AtomLine(0, 0, 0, "C"), AtomLine(1, 0, 0, "C"), c.Bond}));
        TCTab t(nullptr);
        EXPECT_FALSE(t.ReadFromMDLCTabStream(&s));
        EXPECT_EQ(t.GetNAtoms(), 2);
        EXPECT_EQ(t.CheckConnect(1, 2), c.ExpectType);
        EXPECT_EQ(t.CheckConnect(2, 1), c.ExpectType);
        EXPECT_LE(t.GetNBonds(1), 1);
    }
}

TEST(CStructFiles, TruncatedBlocksKeepTheDeclaredCountAndUnscaledCoordinates) {
    {
        SCOPED_TRACE("bond block cut short");
        TStringStream s(CTab(2, 3, {AtomLine(0, 0, 0, "C"), AtomLine(2, 1, 0, "O"), BondLine(1, 2, 2)}));
        TCTab t(nullptr);
        EXPECT_TRUE(t.ReadFromMDLCTabStream(&s));
        EXPECT_EQ(t.GetNAtoms(), 2);
        EXPECT_EQ(t.CheckConnect(1, 2), 2);
        EXPECT_EQ(t.CheckConnect(2, 1), 0); // not made symmetric
        EXPECT_FALSE(t.GetCoordsPresent());
    }
    {
        SCOPED_TRACE("atom block cut short");
        TStringStream s(CTab(5, 0, {AtomLine(0, 0, 0, "C"), AtomLine(4, 0, 0, "O")}));
        TCTab t(nullptr);
        EXPECT_TRUE(t.ReadFromMDLCTabStream(&s));
        EXPECT_EQ(t.GetNAtoms(), 5);
        EXPECT_EQ(t.GetAtNum(2), 8);
        EXPECT_EQ(t.GetAtNum(5), 0);
    }
    {
        SCOPED_TRACE("all atoms at one point");
        TStringStream s(CTab(2, 0, {AtomLine(3, 3, 3, "C"), AtomLine(3, 3, 3, "C")}));
        TCTab t(nullptr);
        EXPECT_TRUE(t.ReadFromMDLCTabStream(&s));
        EXPECT_FALSE(t.GetCoordsPresent());
    }
}

TEST(CStructFiles, ScalingNeverExceedsTheIntegerRange) {
    // A deep z axis limits the scale; garbage and huge fields read as numbers that stay finite.
    TStringStream s(
        CTab(3, 0,
             {AtomLine(0, 0, 0, "C"), AtomLine(1, 1, 1000, "C"), "1e300     -1e300    nan        C   0  0"}));
    TCTab t(nullptr);
    ASSERT_TRUE(t.ReadFromMDLCTabStream(&s));
    for (int a = 1; a <= 3; ++a)
        for (int ax = 1; ax <= 3; ++ax) {
            const float v = t.GetCoords(a, ax);
            EXPECT_TRUE(v >= 0.0f && v <= 32767.0f) << a << " " << ax << " " << v;
        }
    TStringStream s2(CTab(2, 0, {AtomLine(0, 0, 0, "C"), AtomLine(1, 1, 1000, "C")}));
    ASSERT_TRUE(t.ReadFromMDLCTabStream(&s2));
    EXPECT_EQ(t.GetCoords(2, 3), 32767.0f);
    EXPECT_EQ(t.GetCoords(2, 1), 33.0f); // 32.767 rounded
}

TEST(CStructFiles, FileAndStreamReadersAgreeAndStopAfterTheTable) {
    const std::string text = "Name\n\n\n" +
                             CTab(2, 1, {AtomLine(0, 0, 0, "C"), AtomLine(1, 2, 0, "N"), BondLine(1, 2, 3)}) +
                             "M  END\nNext line\n";
    TTempText file(text);
    TStringStream stream(text);
    TCTab a(nullptr), b(nullptr);
    ASSERT_TRUE(a.ReadFromMDLMolFile(file.F));
    ASSERT_TRUE(b.ReadFromMDLMolStream(&stream));
    EXPECT_EQ(a.CompareWith(&b), 0);
    std::string rest;
    Readln(file.F, rest);
    EXPECT_EQ(rest, "M  END");
    bool eof = false;
    EXPECT_EQ(ReadLnStream(&stream, eof, 0), "M  END");
}

TEST(CStructFiles, LongLinesAndControlBytesDoNoHarm) {
    std::string longName(100000, 'x');
    std::string atom = AtomLine(0, 0, 0, "C") + std::string(50000, '9');
    TStringStream s(longName + "\n\x01\x02\n\n" + CTab(1, 0, {atom}));
    TCTab t(nullptr);
    ASSERT_TRUE(t.ReadFromMDLMolStream(&s));
    EXPECT_EQ(t.GetStrucName().size(), 100000u);
    EXPECT_EQ(t.GetAtNum(1), 6);
}

TEST(CStructFiles, SDRecordsReadOneByOneWithProperties) {
    TextFile f;
    OpenData(f, "cstruct_two.sdf");
    TCTab t(nullptr);
    TPropRec props;
    props[5].Name = "junk";
    ASSERT_TRUE(t.ReadFromMDLSDFile(f, props));
    EXPECT_EQ(t.GetStrucName(), "Chloromethane");
    EXPECT_EQ(Formula(t), "C H3 Cl ");
    EXPECT_EQ(t.GetCASNr(), "74-87-3");
    EXPECT_EQ(props[1].Name, "MELTP");
    EXPECT_DOUBLE_EQ(props[1].Value, -97.4);
    EXPECT_EQ(props[2].Name, "BOILP");
    EXPECT_DOUBLE_EQ(props[2].Value, -24.2);
    // "> <DENSI>" right after "> <NOTES>" takes the empty line after it as its value (0).
    EXPECT_EQ(props[3].Name, "DENSI");
    EXPECT_EQ(props[3].Value, 0.0);
    EXPECT_EQ(props[4].Name, "");
    EXPECT_EQ(props[5].Name, ""); // cleared by the reader
    EXPECT_EQ(t.GetCoords(2, 1), 800.0f);

    ASSERT_TRUE(t.ReadFromMDLSDFile(f, props));
    EXPECT_EQ(t.GetStrucName(), "Water");
    EXPECT_EQ(Formula(t), "H2 O ");
    EXPECT_EQ(t.GetCASNr(), "0-00-0");
    EXPECT_EQ(props[1].Name, "DENSI");
    EXPECT_DOUBLE_EQ(props[1].Value, 1.0);
    EXPECT_TRUE(Eof(f));
    CloseFile(f);
}

TEST(CStructFiles, SDPropertiesBeyondTwentyAreDroppedAndDamagedRecordsDoNotSwallowTheNext) {
    std::string rec = "Many\n\n\n" + CTab(1, 0, {AtomLine(0, 0, 0, "C")}) + "M  END\n";
    for (int i = 0; i < 25; ++i) rec += "> <MOLVL>\n" + std::to_string(i) + "\n\n";
    rec += "$$$$\n";
    // A record that declares more bonds than it has, one that is too large, and one without a
    // header, each followed by a sound record.
    std::string cut = "Cut\n\n\n" +
                      CTab(2, 5, {AtomLine(0, 0, 0, "C"), AtomLine(1, 0, 0, "C"), BondLine(1, 2, 1)}) +
                      "$$$$\n";
    std::string big =
        "Big\n\n\n" + CTab(70, 0, std::vector<std::string>(70, AtomLine(0, 0, 0, "C"))) + "M  END\n$$$$\n";
    std::string stub = "Stub\n$$$$\n";
    std::string v3000 =
        "V3000\n\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\nM  END\n$$$$\n";
    std::string good = "Good\n\n\n" + CTab(1, 0, {AtomLine(0, 0, 0, "N")}) + "M  END\n$$$$\n";
    TTempText file(rec + cut + good + big + good + stub + good + v3000 + good);
    TCTab t(nullptr);
    TPropRec props;
    ASSERT_TRUE(t.ReadFromMDLSDFile(file.F, props));
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(props[i].Value, i - 1.0);
    EXPECT_TRUE(t.ReadFromMDLSDFile(file.F, props)); // cut: bonds missing, not symmetric
    EXPECT_EQ(t.GetStrucName(), "Cut");
    EXPECT_EQ(t.CheckConnect(2, 1), 0);
    const char* names[] = {"Good", "", "Good", "", "Good", "", "Good"};
    const bool results[] = {true, false, true, false, true, false, true};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        t.SetStrucName("");
        EXPECT_EQ(t.ReadFromMDLSDFile(file.F, props), results[i]);
        EXPECT_EQ(t.GetStrucName(), names[i]);
        if (results[i]) {
            EXPECT_EQ(t.GetAtNum(1), 7);
        }
    }
    EXPECT_TRUE(Eof(file.F));
    EXPECT_FALSE(t.ReadFromMDLSDFile(file.F, props)); // at the end of the file
}

TEST(CStructFiles, SDChargeAndIsotopeLinesReplaceTheAtomBlock) {
    // Nitromethane drawn with separated charges, as most programs write it, and a 13C label.
    const std::string rec = "Nitromethane\n\n\n" +
                            CTab(4, 3,
                                 {AtomLine(0, 0, 0, "C", 0, 3), AtomLine(1, 0, 0, "N"),
                                  AtomLine(2, 1, 0, "O"), AtomLine(2, -1, 0, "O")}) +
                            BondLine(1, 2, 1) + "\n" + BondLine(2, 3, 2) + "\n" + BondLine(2, 4, 1) + "\n" +
                            "M  CHG  2   2   1   4  -1\nM  ISO  2   1  13   9 200\nM  END\n$$$$\n";
    TTempText file(rec);
    TCTab t(nullptr);
    TPropRec props;
    ASSERT_TRUE(t.ReadFromMDLSDFile(file.F, props));
    EXPECT_EQ(t.GetCharge(1), 0); // the atom block's charge is replaced
    EXPECT_EQ(t.GetCharge(2), 1);
    EXPECT_EQ(t.GetCharge(4), -1);
    EXPECT_EQ(t.GetAtWeight(1), 13);
    EXPECT_EQ(Formula(t), "C H3 N O2 ");
    EXPECT_EQ(t.FragmentCount(NO2), 1);
}

TEST(CStructFiles, SDAtomLinesEndingEarlyReadAsFarAsTheyGo) {
    TTempText file("Short\n\n\n  3  1\n0\n    1.0000    2.0000    3.0000 C\n 1 1 1 N\n 1 2\nM  END\n$$$$\n");
    TCTab t(nullptr);
    TPropRec props;
    EXPECT_FALSE(t.ReadFromMDLSDFile(file.F, props)); // the bond line lacks its type
    ASSERT_EQ(t.GetNAtoms(), 3);
    EXPECT_EQ(t.GetAtNum(1), 0);
    EXPECT_EQ(t.GetAtNum(2), 6);
    EXPECT_EQ(t.GetAtNum(3), 7);
    EXPECT_EQ(t.CheckConnect(2, 1), 1);
    EXPECT_TRUE(Eof(file.F));
}

TEST(CStructFiles, ClearTextFixtures) {
    TextFile f;
    OpenData(f, "cstruct_benzene.contab");
    TCTab t(nullptr);
    ASSERT_TRUE(t.ReadFromClearTextFile(f));
    CloseFile(f);
    EXPECT_EQ(t.GetStrucName(), "Benzene");
    ASSERT_EQ(t.GetNAtoms(), 6);
    EXPECT_EQ(Formula(t), "C6 H6 ");
    EXPECT_EQ(t.FragmentCount(NAroBnd), 6);
    EXPECT_EQ(t.GetCoords(4, 1), 3.0f);

    OpenData(f, "cstruct_formaldehyde.ctabg");
    TCTab g(nullptr);
    EXPECT_FALSE(g.ReadFromClearTextFile(f)); // no "/CONTAB" marker
    Reset(f);
    ASSERT_TRUE(g.ReadFromClearTextFileCTABG(f));
    CloseFile(f);
    EXPECT_EQ(g.GetStrucName(), "Formaldehyde");
    EXPECT_EQ(Formula(g), "C H2 O ");
    EXPECT_EQ(g.CheckConnect(1, 2), 2);
    EXPECT_EQ(g.GetCoords(1, 1), 1.5f);
    EXPECT_EQ(g.GetCoords(1, 2), 2.5f);
    EXPECT_EQ(g.GetCoords(2, 3), 0.0f);
}

TEST(CStructFiles, ClearTextDamage) {
    struct Case {
        const char* What;
        std::string Text;
        bool Result;
        int Atoms;
    };
    const Case cases[] = {
        {"no marker", "CONTAB\n3 1\n", false, 1},
        {"L not positive", "/CONTAB\n0 1\n", false, 1},
        {"no counts", "/CONTAB\n", false, 1},
        {"truncated record", "/CONTAB\n3 1\n n\n1 6 12 0 0 0 0\n", false, 0},
        {"eleven partners",
         "/CONTAB\n3 1\n n\n1 6 12 0 0 0 0 0 11 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n", false, 1},
        {"partner out of range", "/CONTAB\n3 1\n n\n1 6 12 0 0 0 0 0 2 1 200 1 1\n", false, 1},
        {"garbage numbers", "/CONTAB\n3 1\n n\nx y z w v u t s 0\n", true, 1},
        {"huge counts", "/CONTAB\n2000000000 1000000000\n", false, 0},
        {"64 atoms",
         [] {
             std::string s = "/CONTAB\n129 64\n n\n";
             for (int i = 1; i <= 64; ++i) s += std::to_string(i) + " 6 12 0 0 0 0 0 0\n";
             return s;
         }(),
         false, 63},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TTempText file(c.Text);
        TCTab t(nullptr);
        t.AddAtom(CTElem{});
        EXPECT_EQ(t.ReadFromClearTextFile(file.F), c.Result);
        EXPECT_EQ(t.GetNAtoms(), c.Atoms);
        for (int a = 1; a <= t.GetNAtoms(); ++a)
            for (int k = 1; k <= t.GetNBonds(a); ++k) EXPECT_LE(t.GetConnTo(a, k), 63);
    }
    TTempText g("/CTABG\n2 1\n n\n6 12 0 0 1 1 70 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0\n");
    TCTab t(nullptr);
    EXPECT_FALSE(t.ReadFromClearTextFileCTABG(g.F));
    EXPECT_EQ(t.GetNAtoms(), 1);
    EXPECT_EQ(t.GetNBonds(1), 0);
}

TEST(CStructFiles, WritersProduceWhatTheReadersRead) {
    // Acetate ion with a 13C and a radical-free charge, on integer coordinates the reader keeps.
    TCTab t(nullptr);
    const int z[] = {6, 6, 8, 8, 17};
    const float xy[][2] = {{0, 0}, {800, 300}, {800, 600}, {400, 0}, {0, 600}};
    for (int i = 0; i < 5; ++i) {
        CTElem e;
        e.AtNum = static_cast<uint8_t>(z[i]);
        e.AtWeight = static_cast<uint8_t>(z[i] == 6 ? 12 : z[i] == 8 ? 16 : 35);
        e.Coords[1] = xy[i][0];
        e.Coords[2] = xy[i][1];
        t.AddAtom(e);
    }
    t.SetAtWeight(1, 13);
    t.SetCharge(4, -1);
    t.MakeConnection(1, 2, 1);
    t.MakeConnection(2, 3, 2);
    t.MakeConnection(2, 4, 1);
    t.EnterConn(1, 5, 1); // one direction only: written once, read back symmetric
    t.SetStrucName("Acetate");

    TStringStream ms;
    TShortString<2> ini("qy");
    t.WriteToMDLMolStream(&ms, ini, "QyxTest", 42, "a comment");
    EXPECT_EQ(ini, "QY");
    ms.SetPosition(0);
    TCTab back(nullptr);
    ASSERT_TRUE(back.ReadFromMDLMolStream(&ms));
    t.MakeSymmetricConnections();
    EXPECT_EQ(back.CompareWith(&t) & ~0x3000, 0); // partner order follows the bond block
    EXPECT_TRUE(SameBonds(back, t));
    EXPECT_NE(ms.GetDataString().find("QYQyxTest"), std::string::npos);

    TStringStream cs;
    t.WriteToMDLCTabStream(&cs);
    cs.SetPosition(0);
    ASSERT_TRUE(back.ReadFromMDLCTabStream(&cs));
    EXPECT_EQ(back.CompareWith(&t) & ~0x3000, 0x2); // the bare table carries no name
    EXPECT_TRUE(SameBonds(back, t));

    // Clear text keeps everything, non-integer coordinates and attributes included.
    t.SetCoords(3, 3, 0.125f);
    t.SetAttrib(2, 9);
    t.SetStrucName(std::string(150, 'n') + "end");
    const std::string path = ::testing::TempDir() + "cstruct_write.txt";
    TextFile w;
    AssignFile(w, path);
    Rewrite(w);
    t.WriteToClearTextFile(w);
    t.WriteToMDLCTabFile(w);
    CloseFile(w);
    Reset(w);
    ASSERT_TRUE(back.ReadFromClearTextFile(w));
    EXPECT_EQ(back.CompareWith(&t), 0);
    ASSERT_TRUE(back.ReadFromMDLCTabFile(w));
    EXPECT_EQ(back.GetNAtoms(), 5);
    CloseFile(w);
    std::remove(path.c_str());

    TCTab empty(nullptr);
    AssignFile(w, path);
    Rewrite(w);
    empty.WriteToClearTextFile(w);
    CloseFile(w);
    Reset(w);
    EXPECT_TRUE(back.ReadFromClearTextFile(w));
    EXPECT_EQ(back.GetNAtoms(), 0);
    CloseFile(w);
    std::remove(path.c_str());
}

TEST(CStructFiles, MolConnXDeckListsTitleOptionAtomsPartnersAndBondOrders) {
    // Acetaldehyde with an unknown atom on the methyl carbon, and a tab in the name.
    TStringStream s("Acet\taldehyde\n\n\n" +
                    CTab(4, 3,
                         {AtomLine(0, 0, 0, "C"), AtomLine(1, 0, 0, "C"), AtomLine(2, 0, 0, "O"),
                          AtomLine(0, 1, 0, "Xx"), BondLine(1, 2, 1), BondLine(1, 4, 1), BondLine(2, 3, 2)}) +
                    "M  END\n");
    TCTab t(nullptr);
    ASSERT_TRUE(t.ReadFromMDLMolStream(&s));
    TCTab empty(nullptr);

    const std::string path = ::testing::TempDir() + "cstruct_molconnx.txt";
    TextFile w;
    AssignFile(w, path);
    Rewrite(w);
    t.WriteToMolConnXFile(7, w);
    empty.WriteToMolConnXFile(-1, w);
    CloseFile(w);
    Reset(w);
    std::vector<std::string> lines;
    while (!Eof(w)) {
        std::string l;
        Readln(w, l);
        lines.push_back(l);
    }
    CloseFile(w);
    std::remove(path.c_str());

    // Partners appear in slot order: a bond line enters the second atom at the end of its list.
    const std::vector<std::string> expected = {"Acet aldehyde",
                                               "7",
                                               "4",
                                               "  1 C   2   2   4 1 1",
                                               "  2 C   2   3   1 2 1",
                                               "  3 O   1   2 2",
                                               "  4 ?   1   1 1",
                                               "",
                                               "untitled",
                                               "-1",
                                               "0",
                                               ""};
    EXPECT_EQ(lines, expected);
}
