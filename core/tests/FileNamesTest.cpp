// File-name and password routines of QYX_filesys.
#include <qyx/QYX_filesys.h>

#include <qyx/platform/Random.h>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

using namespace qyx;

TEST(FileNames, StripExtension) {
    struct TCase {
        const char* Name;
        const char* Stripped;
    };
    const TCase cases[] = {
        {"c:\\a.b\\x.tar.gz", "c:\\a.b\\x"},
        {"x", "x"},
        {"dir.d\\name", "dir.d\\name"},
        {"map.bmp", "map"},
        {"c:map.bmp", "c:map"},
        {"c:.cfg", "c:"},
        {"/home/u/maps.v2/europe.jpg", "/home/u/maps.v2/europe"}, // "/" separates directories too
        {"/home/u/maps.v2/europe", "/home/u/maps.v2/europe"},
        {"a.b/c", "a.b/c"},
        {"name.", "name"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(StripExtension(c.Name), c.Stripped);
    }
}

namespace {

bool IsVowel(char c) {
    return std::string("aeiouy").find(c) != std::string::npos;
}
bool IsConsonant(char c) {
    return std::string("bcdfghjklmnpqrstvwxz").find(c) != std::string::npos;
}

// Checks the shape: Letters letters alternating (a leading vowel when odd, then consonant-vowel
// pairs), two digits before the seventh letter or at the end.
void ExpectPasswordShape(const std::string& P, int Letters) {
    ASSERT_EQ(P.size(), static_cast<size_t>(Letters + 2)) << P;
    const size_t digitsAt = Letters >= 7 ? 6 : static_cast<size_t>(Letters);
    std::string word = P;
    ASSERT_TRUE(isdigit(static_cast<unsigned char>(P[digitsAt])) &&
                isdigit(static_cast<unsigned char>(P[digitsAt + 1])))
        << P;
    word.erase(digitsAt, 2);
    for (int i = 0; i < Letters; ++i) {
        const bool vowelHere = (Letters % 2 == 1) ? (i % 2 == 0) : (i % 2 == 1);
        EXPECT_TRUE(vowelHere ? IsVowel(word[i]) : IsConsonant(word[i])) << P << " at " << i;
    }
}

} // namespace

TEST(FileNames, InventPasswordShape) {
    struct TCase {
        int Len;
        int Letters;
    };
    const TCase cases[] = {{5, 5},   {4, 4}, {6, 6},  {7, 7},       {14, 14},
                           {20, 14}, {1, 4}, {-3, 4}, {INT_MIN, 4}, {INT_MAX, 14}};
    RandSeed = 12345;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Len);
        for (int round = 0; round < 20; ++round) ExpectPasswordShape(InventPassword(c.Len), c.Letters);
    }
}

TEST(FileNames, InventPasswordUsesTheSharedGenerator) {
    RandSeed = 777;
    const std::string a = InventPassword(9);
    RandSeed = 777;
    EXPECT_EQ(InventPassword(9), a);
    // Every choice is drawn: all letters and all 100 numbers turn up.
    std::set<char> letters;
    std::set<std::string> numbers;
    for (int i = 0; i < 3000; ++i) {
        const std::string p = InventPassword(6);
        letters.insert(p.begin(), p.begin() + 6);
        numbers.insert(p.substr(6));
    }
    EXPECT_EQ(letters.size(), 26u);
    EXPECT_EQ(numbers.size(), 100u);
}
