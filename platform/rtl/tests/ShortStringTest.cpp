#include <qyx/platform/ShortString.h>

#include <gtest/gtest.h>

#include <string>

using namespace qyx;

TEST(ShortString, AssignmentCutsToTheMaximumLength) {
    struct Case {
        std::string In;
        std::string Out;
    };
    const Case cases[] = {
        {"", ""}, {"abc", "abc"}, {"abcde", "abcde"}, {"abcdef", "abcde"}, {std::string(300, 'x'), "xxxxx"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.In);
        TShortString<5> s = c.In;
        EXPECT_EQ(s.Str(), c.Out);
        EXPECT_EQ(s.Length(), static_cast<int>(c.Out.size()));
    }
    TShortString<5> s;
    EXPECT_TRUE(s.Empty());
    s = "12";
    s += "3456";
    EXPECT_EQ(s, "12345");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s, "");

    TShortString<3> shorter = TShortString<5>("abcde");
    EXPECT_EQ(shorter, "abc");
    std::string joined = "<" + shorter + ">";
    EXPECT_EQ(joined, "<abc>");
    EXPECT_EQ(shorter[1], 'a');
    EXPECT_EQ(TShortString<255>(std::string(400, 'y')).Length(), 255);
}

TEST(ShortString, BinaryFormIsALengthByteAndNCharacters) {
    TShortString<4> s = "ab";
    const auto b = s.ToBytes();
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(b[1], 'a');
    EXPECT_EQ(b[2], 'b');
    EXPECT_EQ(b[3], 0);
    EXPECT_EQ(b[4], 0);

    // ToBytes(void*) writes exactly ByteSize bytes and no more.
    uint8_t buf[8];
    std::fill(std::begin(buf), std::end(buf), 0xEE);
    TShortString<4>("wxyz!").ToBytes(buf);
    EXPECT_EQ(buf[0], 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf + 1), 4), "wxyz");
    EXPECT_EQ(buf[5], 0xEE);

    EXPECT_EQ(TShortString<4>::FromBytes(b.data()), "ab");
    // A corrupt length byte is capped at the maximum.
    const uint8_t corrupt[5] = {200, 'p', 'q', 'r', 's'};
    EXPECT_EQ(TShortString<4>::FromBytes(corrupt), "pqrs");
}
