// ASCII85 between streams: the published encoding of whole groups, the short last group, round trips,
// and decoding of damaged text.
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Streams.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace qyx;

namespace {

std::string Encode(const std::string& Data) {
    TStringStream src(Data), dst;
    EncodeASCII85(&src, &dst);
    return dst.GetDataString();
}

std::string Decode(const std::string& Text, int& Result) {
    TStringStream src(Text), dst;
    Result = DecodeASCII85(&src, &dst);
    return dst.GetDataString();
}

std::string Decode(const std::string& Text) {
    int result = 0;
    std::string out = Decode(Text, result);
    EXPECT_EQ(result, 0) << Text;
    return out;
}

std::string RandomData(size_t N, uint32_t Seed, bool WithZeroGroups) {
    std::mt19937 g(Seed);
    std::string s(N, '\0');
    for (auto& c : s) c = static_cast<char>(g());
    if (WithZeroGroups)
        for (size_t i = 0; i + 8 < N; i += 40) s.replace(i, 8, 8, '\0');
    return s;
}

} // namespace

TEST(DStructAscii85, EncodesWholeGroupsAsPublished) {
    EXPECT_EQ(Encode("Man "), "9jqo^~>");
    EXPECT_EQ(Encode("Man is distinguished"), "9jqo^BlbD-BleB1DJ+*+F(f,q~>");
    EXPECT_EQ(Encode(std::string(4, '\0')), "z~>");
    EXPECT_EQ(Encode(std::string(8, '\0') + "Man "), "zz9jqo^~>");
    EXPECT_EQ(Encode("\xFF\xFF\xFF\xFF"), "s8W-!~>");
    EXPECT_EQ(Encode(""), "~>");
}

TEST(DStructAscii85, ShortLastGroupIsItsUnpaddedValue) {
    // n bytes give n + 1 digits of their value; no "z" for a short zero group.
    EXPECT_EQ(Encode(std::string(1, '\0')), "!!~>");
    EXPECT_EQ(Encode(std::string(3, '\0')), "!!!!~>");
    EXPECT_EQ(Encode("\xFF"), "$!~>");
    EXPECT_EQ(Encode("Man"), ")6m>~>");
    EXPECT_EQ(Encode("Man Man"), "9jqo^)6m>~>");
    EXPECT_EQ(Decode(")6m>~>"), "Man");
    EXPECT_EQ(Decode("$!~>"), "\xFF");
}

TEST(DStructAscii85, RoundTripsEveryLength) {
    for (size_t n = 0; n < 70; ++n)
        for (bool zeros : {false, true}) {
            SCOPED_TRACE(n);
            const std::string data = RandomData(n, static_cast<uint32_t>(n), zeros);
            ASSERT_EQ(Decode(Encode(data)), data);
        }
    // Large enough to cross the internal blocks of reading and writing at odd places.
    const std::string big = RandomData(300001, 5, true);
    EXPECT_EQ(Decode(Encode(big)), big);
}

TEST(DStructAscii85, DecodingSkipsLineBreaksAndStopsAtTheEndMark) {
    EXPECT_EQ(Decode("9jq\r\no^\nz\r~>"), "Man " + std::string(4, '\0'));
    EXPECT_EQ(Decode("9jqo^"), "Man "); // no end mark: the input's end ends the data
    EXPECT_EQ(Decode("9jqo^)6m>"), "Man Man");
    EXPECT_EQ(Decode("~>9jqo^"), "");
    // The source is left behind "~>" so that data after it can be read by the caller.
    TStringStream src("9jqo^~>tail"), dst;
    EXPECT_EQ(DecodeASCII85(&src, &dst), 0);
    EXPECT_EQ(src.ReadString(100), "tail");
    TStringStream src2("9jqo^~tail"), dst2;
    DecodeASCII85(&src2, &dst2);
    EXPECT_EQ(src2.ReadString(100), "tail");
}

TEST(DStructAscii85, InvalidCharactersAreReportedAndDecodingGoesOn) {
    struct Case {
        std::string text;
        int result;
        size_t bytes;
    };
    const Case cases[] = {
        {"9jqo^", 0, 4},
        {"9j qo^", -1, 4},      // a blank counts as a character outside "!".."u"
        {"9jzo^", -2, 4},       // "z" inside a group
        {"9jqo^9j\x01", -1, 6}, // the short last group still yields its bytes
        {"z", 0, 4},
        {"9j{o^~>", -1, 4},
        {"9jzo^9j qo^", -1, 8}, // the last invalid character decides
        {"9j qo^9jzo^", -2, 8},
        {"a", 0, 0}, // one digit yields no byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int result = 99;
        EXPECT_EQ(Decode(c.text, result).size(), c.bytes);
        EXPECT_EQ(result, c.result);
    }
}

TEST(DStructAscii85, ArbitraryBytesNeverFail) {
    std::mt19937 g(85);
    for (int round = 0; round < 300; ++round) {
        std::string text(g() % 200, '\0');
        for (auto& c : text) c = static_cast<char>(g() % 3 == 0 ? 33 + g() % 90 : g());
        int result = 1;
        const std::string out = Decode(text, result);
        EXPECT_TRUE(result == 0 || result == -1 || result == -2);
        EXPECT_LE(out.size(), 4 * text.size());
    }
}
