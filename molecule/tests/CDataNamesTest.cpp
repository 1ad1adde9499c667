// The chemical-name coder: the dictionary, the order in which fragments win, round trips.
#include <string>

#include <gtest/gtest.h>

#include <qyx/QYX_CData.h>

using namespace qyx;

namespace {

std::string Bytes(std::initializer_list<int> b) {
    std::string s;
    for (int c : b) s += static_cast<char>(c);
    return s;
}

} // namespace

TEST(CDataNames, DictionaryCodes) {
    EXPECT_EQ(CompressChemName("Methylamin"), Bytes({139, 221}));
    EXPECT_EQ(DeCompressChemName(Bytes({128})), "benzoyl");
    EXPECT_EQ(DeCompressChemName(Bytes({255})), "in");
    EXPECT_EQ(DeCompressChemName(Bytes({139, 221})), "methylamin");
    // Longer and earlier fragments win over the shorter ones they contain.
    EXPECT_EQ(CompressChemName("methyl"), Bytes({139}));
    EXPECT_EQ(CompressChemName("meth"), Bytes({231}));
    EXPECT_EQ(CompressChemName("ETHANOL"), Bytes({'e', 't', 'h', 252, 253}));

    // Each code stands for 2 to 7 lower-case letters that compress back to that one code.
    for (int code = 128; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const std::string frag = DeCompressChemName(Bytes({code}));
        ASSERT_GE(frag.size(), 2u);
        ASSERT_LE(frag.size(), 7u);
        for (char c : frag) EXPECT_TRUE(c >= 'a' && c <= 'z');
        EXPECT_EQ(CompressChemName(frag), Bytes({code}));
    }
}

TEST(CDataNames, RoundTripGivesLowerCase) {
    const char* names[] = {
        "Acetylsalicylsaeure",
        "2-Methylpropan-1-ol",
        "N,N-Dimethylformamid",
        "Trichlorethylen",
        "1,3,7-Trimethylxanthin",
        "Benzoylperoxid",
        "Tetrahydrofuran",
        "p-Toluolsulfonsaeure",
        "Cyclohexanon",
        "Ethylenglycol",
        "H2O",
        "",
        "xyz 123 ()[]",
    };
    for (const char* n : names) {
        SCOPED_TRACE(n);
        std::string lower = n;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        const std::string packed = CompressChemName(n);
        EXPECT_LE(packed.size(), lower.size());
        EXPECT_EQ(DeCompressChemName(packed), lower);
    }
    EXPECT_LT(CompressChemName("Acetylsalicylsaeure").size(), 5u);
}

TEST(CDataNames, BytesAbove127AreCodes) {
    // Only A-Z are lower-cased; a byte of 128 or more in a name is read back as a fragment.
    EXPECT_EQ(CompressChemName("\xC9THER"), "\xC9" + Bytes({'t', 'h', 'e', 'r'}));
    EXPECT_EQ(DeCompressChemName("caf\xE9"), "caffruc");
}

TEST(CDataNames, LongNames) {
    std::string name;
    for (int i = 0; i < 100000; ++i) name += "Methylin";
    const std::string packed = CompressChemName(name);
    EXPECT_EQ(packed.size(), 200000u);
    std::string lower;
    for (int i = 0; i < 100000; ++i) lower += "methylin";
    EXPECT_EQ(DeCompressChemName(packed), lower);
}
