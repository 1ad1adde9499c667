// The character scrambler of QYX_stringl.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/Random.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace qyx;

namespace {

std::string AllBytes() {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
}

// Every test leaves the tables as the library's start-up made them.
class StringlScramble : public ::testing::Test {
protected:
    void TearDown() override { InitScramble(7093); }
};

} // namespace

TEST_F(StringlScramble, StartupTablesComeFromSeed7093) {
    const std::string atStartup = Scramble(AllBytes());
    InitScramble(7093);
    EXPECT_EQ(Scramble(AllBytes()), atStartup);
    EXPECT_NE(atStartup, AllBytes());
}

TEST_F(StringlScramble, TablesArePermutationsKeepingZero) {
    for (int seed : {0, 1, 7093, -1, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(seed);
        InitScramble(seed);
        const std::string forward = Scramble(AllBytes());
        EXPECT_EQ(forward[0], '\0');
        bool seen[256] = {};
        for (char c : forward) seen[static_cast<unsigned char>(c)] = true;
        for (int c = 0; c < 256; ++c) EXPECT_TRUE(seen[c]) << c;
        // The inverse table undoes the forward table and the other way round.
        EXPECT_EQ(DeScramble(forward), AllBytes());
        EXPECT_EQ(Scramble(DeScramble(AllBytes())), AllBytes());
    }
}

TEST_F(StringlScramble, RoundTripAndDeterminism) {
    const std::string texts[] = {"", "Secret password", std::string("\0a\0", 3), AllBytes() + AllBytes()};
    for (int seed : {3, 7093, 123456}) {
        InitScramble(seed);
        for (const auto& s : texts) {
            SCOPED_TRACE(seed);
            const std::string scrambled = Scramble(s);
            EXPECT_EQ(scrambled.size(), s.size());
            EXPECT_EQ(DeScramble(scrambled), s);
        }
    }
    // The same seed gives the same tables and leaves the shared generator in the same state.
    InitScramble(42);
    const std::string first = Scramble(AllBytes());
    const uint32_t stateAfterFirst = RandSeed;
    InitScramble(99);
    EXPECT_NE(Scramble(AllBytes()), first);
    InitScramble(42);
    EXPECT_EQ(Scramble(AllBytes()), first);
    EXPECT_EQ(RandSeed, stateAfterFirst);
}
