// Reading formulas from text: the part reader, groups, separators, isotopes, and text that is not a
// formula at all.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include <qyx/QYX_cform.h>

using namespace qyx;

namespace {

// The entries as "Z/mass/count" separated by blanks.
std::string Entries(const TMolFormula& f) {
    std::string s;
    for (int i = 1; i <= f.GetNumAtoms(); ++i) {
        if (!s.empty()) s += ' ';
        s += std::to_string(f.GetAtNum(i)) + "/" + std::to_string(f.GetAtWgt(i)) + "/" +
             std::to_string(f.GetAtCnt(i));
    }
    return s;
}

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

} // namespace

TEST(CFormParse, Formulas) {
    const struct {
        std::string Text;
        const char* Entries;
    } cases[] = {
        {"H2O", "1/1/2 8/16/1"},
        {"C6 H12 O6", "6/12/6 1/1/12 8/16/6"},
        {"Na Cl", "11/23/1 17/35/1"},
        {"na cl", "11/23/1 17/35/1"},
        {"D2O", "1/2/2 8/16/1"},
        {"3D", "1/3/1"},
        {"13C O2", "6/13/1 8/16/2"},
        {"12C 13C", "6/12/13 6/12/1"}, // after a separator, digits are the count
        {"13 C", "6/13/1"},
        {"C2,H6.O", "6/12/2 1/1/6 8/16/1"},
        {"CO2", "27/59/2"}, // one symbol: cobalt
        {"CH4", ""},        // the symbol CH names no element
        {"Xx2", ""},
        {"C2 Xx2 O", "6/12/2"},
        {"", ""},
        {"   ", ""},
        {"123", ""},
        {"12 13C", ""}, // a second number after a mass number ends the part without a symbol
        {"C\xE9"
         "2",
         "6/12/2"}, // characters that are no letter, digit or separator are skipped
        {std::string("C2\0O", 4), "6/12/2"},
        {"Fm", "100/1/1"}, // a nominal mass above 255 keeps its low 8 bits
        {"300C", "6/44/1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.Text + "\"");
        TMolFormula f;
        f.SetMolFormula(c.Text);
        EXPECT_EQ(Entries(f), c.Entries);
        EXPECT_EQ(f.GetFormulaText(), c.Text);
    }
}

TEST(CFormParse, Groups) {
    const struct {
        const char* Text;
        const char* Entries;
    } cases[] = {
        {"C6H5(C H3)3", "6/12/6 1/1/5 6/12/3 1/1/9"},
        {"C6 (C H3)2", "6/12/6"},              // a blank in front of "(" ends the formula
        {"C(O H)", "6/12/1 8/16/1 1/1/1"},     // no number after ")": the group counts once
        {"C(O H) 2", "6/12/1 8/16/2 1/1/2"},   // the number reader skips blanks
        {"C2H5)3O", "6/12/2 1/1/5 8/16/1"},    // ")" without "(" resets and skips its number
        {"C2(O H", "6/12/2 8/16/1 1/1/1"},     // "(" without ")": no multiplier
        {"C((O H)2)3", "6/12/1 8/16/2 1/1/2"}, // no nesting: each "(" takes the first ")"
        {"((((", ""},
        {"))))", ""},
        {")(", ""},
        {"(C H2)100", "6/12/100 1/1/200"},
        {"(C H3)100", "6/12/100"}, // 300 hydrogens do not fit an entry: reading stops
        {"C(O H)0", "6/12/1"},     // a zero or negative multiplier stops too
        {"C(O H)-2", "6/12/1"},
        {"C(O H)99999999999", "6/12/1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        TMolFormula f;
        f.SetMolFormula(c.Text);
        EXPECT_EQ(Entries(f), c.Entries);
    }
}

TEST(CFormParse, CountsThatDoNotFitStopTheReading) {
    const struct {
        const char* Text;
        const char* Entries;
    } cases[] = {
        {"C255", "6/12/255"},          {"C256", ""},     {"O2 C300 H2", "8/16/2"},
        {"C99999999999999999999", ""}, {"C0", "6/12/1"}, // a count of 0 reads as no count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        TMolFormula f;
        f.SetMolFormula(c.Text);
        EXPECT_EQ(Entries(f), c.Entries);
        f.ReadFromString(c.Text);
        EXPECT_EQ(Entries(f), c.Entries);
    }
}

TEST(CFormParse, TwentyEntriesAtMost) {
    TMolFormula f;
    f.SetMolFormula(Repeat("C H ", 15));
    EXPECT_EQ(f.GetNumAtoms(), 20);
    EXPECT_EQ(f.AsString(0), Repeat("C H ", 10));
    f.ReadFromString(Repeat("N1", 30));
    EXPECT_EQ(f.GetNumAtoms(), 20);
}

TEST(CFormParse, ReadFromStringHasNoGroupsAndKeepsTheText) {
    TMolFormula f;
    f.SetMolFormula("H2O");
    f.ReadFromString("C2(O H)2");
    EXPECT_EQ(Entries(f), "6/12/2");
    EXPECT_EQ(f.GetFormulaText(), "H2O");
    f.ReadFromString("13C O2 D");
    EXPECT_EQ(Entries(f), "6/13/1 8/16/2 1/2/1");
}

TEST(CFormParse, NextPart) {
    const struct {
        std::string Text;
        int Pos;
        bool Result;
        int AtNum, Mass, Count, PosAfter;
    } cases[] = {
        {"C6 H12", 1, true, 6, 12, 6, 3},
        {"C6 H12", 3, true, 1, 1, 12, 7},
        {"C6 H12", 7, false, 0, 0, 0, 7},
        {"13C O2", 1, true, 6, 13, 1, 5},
        {"Cl2(", 1, true, 17, 35, 2, 4},
        {"(C", 1, false, 0, 0, 0, 1},
        {"ab", 1, false, 0, 0, 0, 3},
        {"C", 0, false, 0, 0, 0, 0},
        {"C", -5, false, 0, 0, 0, -5},
        {"C", INT_MIN, false, 0, 0, 0, INT_MIN},
        {"C", INT_MAX, false, 0, 0, 0, INT_MAX},
        {"D", 1, true, 1, 2, 1, 2},
        {"2D5", 1, true, 1, 2, 5, 4},
        {"C 2 O", 1, true, 6, 12, 2, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.Text + "\" at " + std::to_string(c.Pos));
        int pos = c.Pos, atnum = -1, mass = -1, count = -1;
        EXPECT_EQ(TMolFormula::ScanNextFormPart(c.Text, pos, atnum, mass, count), c.Result);
        EXPECT_EQ(atnum, c.AtNum);
        EXPECT_EQ(mass, c.Mass);
        EXPECT_EQ(count, c.Count);
        EXPECT_EQ(pos, c.PosAfter);
    }
}

TEST(CFormParse, HugeNumbersSaturate) {
    int pos = 1, atnum = 0, mass = 0, count = 0;
    ASSERT_TRUE(TMolFormula::ScanNextFormPart("99999999999999C99999999999999", pos, atnum, mass, count));
    EXPECT_EQ(atnum, 6);
    EXPECT_EQ(mass, INT_MAX);
    EXPECT_EQ(count, INT_MAX);
}

TEST(CFormParse, LongTextsAreReadInOnePass) {
    TMolFormula f;
    f.SetMolFormula(Repeat("(", 200000) + "C2)3" + Repeat(" ", 200000));
    EXPECT_EQ(Entries(f), "6/12/6");
    f.SetMolFormula(Repeat("(C", 200000));
    EXPECT_EQ(f.GetNumAtoms(), 20);
    f.SetMolFormula(Repeat(")", 200000) + "C");
    EXPECT_EQ(Entries(f), "6/12/1");
}
