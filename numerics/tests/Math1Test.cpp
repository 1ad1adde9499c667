// Angles as text, great-circle distances, hexadecimal and decimal texts, BRandom and the array helpers.
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_math1.h>
#include <qyx/platform/Random.h>

using namespace qyx;

TEST(DegreeToStr, EachFormat) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double angle;
        TDegreeFormat format;
        int dec;
        const char* text;
    } cases[] = {
        {48.2082, dfDeg, 2, "48.21\xB0"},
        {48.2082, dfDegMin, 1,
         "48\xB0"
         "12.5'"},
        {48.2082, dfDegMinSec, 0,
         "48\xB0"
         "12'30\""},
        {48.2082, dfDegMinSec, 2,
         "48\xB0"
         "12'29.52\""},
        {48.2082, dfNumeric, 3, "48.208"},
        {16.5, dfDegMin, 0,
         "16\xB0"
         "30'"}, // graticule label
        {5.05, dfDegMin, 0,
         "5\xB0"
         "03'"}, // minutes keep two digits
        {0.0, dfDegMinSec, 0,
         "0\xB0"
         "00'00\""},
        {180.0, dfDeg, 0, "180\xB0"},
        {47.99999, dfDegMin, 0,
         "48\xB0"
         "00'"}, // rounding carries into the degrees
        {10.999999, dfDegMinSec, 1,
         "11\xB0"
         "00'00.0\""}, // ... through minutes and seconds
        {12.0 + 59.0 / 60 + 59.96 / 3600, dfDegMinSec, 1,
         "13\xB0"
         "00'00.0\""},
        {-12.5, dfDegMin, 0,
         "-12\xB0"
         "30'"},
        {-0.0001, dfDeg, 2, "0.00\xB0"}, // no "-0.00"
        {-0.0001, dfDegMin, 0,
         "0\xB0"
         "00'"},
        {1.25, dfDeg, -1, "1\xB0"},          // negative decimals count as 0
        {1.0, dfNumeric, 20, "1.000000000"}, // at most 9
        {nan, dfDegMin, 0, "NAN"},
        {inf, dfDeg, 0, "INF"},
        {-inf, dfDegMinSec, 0, "-INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " format " << int(c.format) << " dec " << c.dec);
        EXPECT_EQ(DegreeToStr(c.angle, c.format, c.dec), c.text);
    }
}

TEST(DegreeToStr, HugeAnglesStillGiveText) {
    EXPECT_EQ(DegreeToStr(1e300, dfDegMinSec, 0).back(), '\xB0');
    EXPECT_EQ(DegreeToStr(1e12, dfDegMin, 0), "1000000000000\xB0"
                                              "00'");
}

TEST(SphereGreatCircleDist, PublishedExamples) {
    // LAX (33°57'N 118°24'W) to JFK (40°38'N 73°47'W): 0.623585 rad = 2144 nautical miles.
    const double lax =
        SphereGreatCircleDist(1.0, 33 + 57.0 / 60, -(118 + 24.0 / 60), 40 + 38.0 / 60, -(73 + 47.0 / 60));
    EXPECT_NEAR(lax, 0.623585, 0.623585 * 1e-3);
    EXPECT_NEAR(lax * 180 * 60 / std::numbers::pi, 2144, 2144 * 1e-3);
    // Nashville (36.12, -86.67) to Los Angeles (33.94, -118.40) on a sphere of 6372.8 km: 2887.26 km.
    EXPECT_NEAR(SphereGreatCircleDist(6372.8, 36.12, -86.67, 33.94, -118.40), 2887.26, 2887.26 * 1e-3);
}

TEST(SphereGreatCircleDist, ExactGeometry) {
    const double pi = std::numbers::pi;
    EXPECT_DOUBLE_EQ(SphereGreatCircleDist(2.0, 0, 0, 0, 90), pi);                 // quarter of the equator
    EXPECT_DOUBLE_EQ(SphereGreatCircleDist(1.0, 90, 0, 0, 123), pi / 2);           // pole to equator
    EXPECT_DOUBLE_EQ(SphereGreatCircleDist(1.0, 30, 40, -30, -140), pi);           // antipodes
    EXPECT_NEAR(SphereGreatCircleDist(1.0, 0, 179.5, 0, -179.5), pi / 180, 1e-14); // across the date line
    EXPECT_EQ(SphereGreatCircleDist(6378000, 47.1, 15.4, 47.1, 15.4), 0.0);
    // A metre on the ground still comes out as a metre.
    EXPECT_NEAR(SphereGreatCircleDist(6378000, 47.0, 15.0, 47.0 + 1.0 / 6378000 * 180 / pi, 15.0), 1.0, 1e-6);
}

TEST(Hex, DigitsPaddingAndSign) {
    EXPECT_EQ(Hex(255, 2), "FF");
    EXPECT_EQ(Hex(255, 8), "000000FF");
    EXPECT_EQ(Hex(0x12345, 2), "12345"); // never cut
    EXPECT_EQ(Hex(-1, 8), "FFFFFFFF");
    EXPECT_EQ(Hex(static_cast<int>(0x80000005u), 8), "80000005");
    EXPECT_EQ(Hex(0, 0), "0");
    EXPECT_EQ(Hex(10, 20), "0000000A"); // padding stops at 8 digits
}

TEST(ScanHex, ReadsAndAdvances) {
    struct Case {
        const char* text;
        int pos, value, posAfter;
    } cases[] = {
        {"  $1aF,", 1, 0x1AF, 7},
        {"FF00FF", 1, 0xFF00FF, 7},
        {"colour=80000005", 8, static_cast<int>(0x80000005u), 16},
        {"FFFFFFFF", 1, -1, 9},
        {"123456789", 1, 0x23456789, 10}, // higher digits wrap
        {"xyz", 1, 0, 1},
        {"$", 1, 0, 1},
        {"FF", 3, 0, 3},
        {"FF", 0, 0, 0},
        {"", 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int pos = c.pos;
        EXPECT_EQ(ScanHex(c.text, pos), c.value);
        EXPECT_EQ(pos, c.posAfter);
    }
    for (int v : {0, 1, 0x00FF00, -2, INT_MIN, INT_MAX}) {
        int pos = 1;
        EXPECT_EQ(ScanHex(Hex(v, 8), pos), v);
    }
}

TEST(ScanDecimal, ReadsAndAdvances) {
    struct Case {
        const char* text;
        int pos, value, posAfter;
    } cases[] = {
        {"(CH3)2", 6, 2, 7}, // the count after a group
        {"(CH3)12O", 6, 12, 8},
        {"(CH3)", 6, 0, 6}, // nothing to read
        {" -42x", 1, -42, 5},
        {"+7", 1, 7, 3},
        {"-", 1, 0, 1},
        {"99999999999", 1, INT_MAX, 12},
        {"-99999999999", 1, INT_MIN, 13},
        {"-2147483648", 1, INT_MIN, 12},
        {"12", 5, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int pos = c.pos;
        EXPECT_EQ(ScanDecimal(c.text, pos), c.value);
        EXPECT_EQ(pos, c.posAfter);
    }
    int pos = 1;
    const std::string s = "12 34";
    EXPECT_EQ(ScanDecimal(s, pos), 12);
    EXPECT_EQ(ScanDecimal(s, pos), 34);
    EXPECT_EQ(pos, 6);
}

TEST(ExChange, SwapsIntegersAndReals) {
    int a = 1, b = 2;
    ExChange(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
    double x = 1.5, y = -3;
    ExChange(x, y);
    EXPECT_EQ(x, -3);
    EXPECT_EQ(y, 1.5);
}

TEST(BRandom, CertainOutcomesDrawNothing) {
    RandSeed = 12345;
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(BRandom(1.0));
        EXPECT_TRUE(BRandom(2.0));
        EXPECT_FALSE(BRandom(0.0));
        EXPECT_FALSE(BRandom(-1.0));
        EXPECT_FALSE(BRandom(std::numeric_limits<double>::quiet_NaN()));
    }
    EXPECT_EQ(RandSeed, 12345u);
}

TEST(BRandom, FollowsTheSharedGenerator) {
    RandSeed = 777;
    std::vector<bool> expected;
    expected.reserve(50);
    for (int i = 0; i < 50; ++i) expected.push_back(Random() < 0.3);
    RandSeed = 777;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(BRandom(0.3), expected[static_cast<size_t>(i)]) << i;

    RandSeed = 1;
    int hits = 0;
    for (int i = 0; i < 20000; ++i) hits += BRandom(0.25);
    EXPECT_NEAR(hits / 20000.0, 0.25, 0.015);
}

TEST(SortArray, BothDirectionsAndEdges) {
    std::vector<int> empty;
    SortArray(empty, true);
    std::vector<int> one{5};
    SortArray(one, false);
    EXPECT_EQ(one, std::vector<int>{5});

    std::vector<int> v{3, -1, 7, 3, 0};
    SortArray(v, true);
    EXPECT_EQ(v, (std::vector<int>{-1, 0, 3, 3, 7}));
    SortArray(v, false);
    EXPECT_EQ(v, (std::vector<int>{7, 3, 3, 0, -1}));

    std::vector<double> d{0.5, -2, 1e9};
    SortArray(d, true);
    EXPECT_EQ(d, (std::vector<double>{-2, 0.5, 1e9}));
}

TEST(SortArray, UpToALastIndex) {
    // The fragment coder sorts eight places, largest first.
    std::vector<int> items{5, 0, 9, 0, 6, 0, 0, 0, 99};
    SortArray(items, 7, false);
    EXPECT_EQ(items, (std::vector<int>{9, 6, 5, 0, 0, 0, 0, 0, 99}));
    SortArray(items, -1, true); // nothing
    EXPECT_EQ(items[0], 9);
    SortArray(items, 1000, true); // limited to the array
    EXPECT_EQ(items, (std::vector<int>{0, 0, 0, 0, 0, 5, 6, 9, 99}));
}

TEST(SortIntoArray, EntersOrStaysOut) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::vector<double> data;
        double value;
        bool ascending, allowEqual;
        int index;
        std::vector<double> after;
    } cases[] = {
        {{1, 3, 5}, 2, true, true, 1, {1, 2, 3}},
        {{1, 3, 5}, 0, true, true, 0, {0, 1, 3}},
        {{1, 3, 5}, 4, true, true, 2, {1, 3, 4}},  // enters at the last index
        {{1, 3, 5}, 5, true, true, -1, {1, 3, 5}}, // equal to the last: does not enter
        {{1, 3, 5}, 6, true, true, -1, {1, 3, 5}},
        {{1, 3, 5}, 3, true, true, 2, {1, 3, 3}}, // after the equal entry
        {{1, 3, 5}, 3, true, false, -1, {1, 3, 5}},
        {{1, 3, 5}, nan, true, true, -1, {1, 3, 5}},
        {{}, 1, true, true, -1, {}},
        {{5, 3, 1}, 4, false, true, 1, {5, 4, 3}},
        {{5, 3, 1}, 0, false, true, -1, {5, 3, 1}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value << " into " << c.data.size() << " entries");
        EXPECT_EQ(SortIntoArray(c.data, c.value, c.ascending, c.allowEqual), c.index);
        EXPECT_EQ(c.data, c.after);
    }
}

TEST(SortIntoArray, KeepsAParallelArrayInStep) {
    // The six nearest atoms: distances and atom numbers travel together.
    std::vector<double> dist(6, 2000000000.0);
    std::vector<int> atoms(6, 0);
    const double d2[] = {50, 10, 70, 10, 5, 90, 60, 1, 80};
    for (int atom = 1; atom <= 9; ++atom) {
        const int at = SortIntoArray(dist, d2[atom - 1], true, true);
        if (at >= 0) InsertIntoArray(atoms, atom, at);
    }
    EXPECT_EQ(dist, (std::vector<double>{1, 5, 10, 10, 50, 60}));
    EXPECT_EQ(atoms, (std::vector<int>{8, 5, 2, 4, 1, 7}));
}

TEST(InsertIntoArray, ShiftsAndDropsTheLast) {
    struct Case {
        std::vector<int> data;
        int index;
        std::vector<int> after;
    } cases[] = {
        {{1, 2, 3}, 0, {9, 1, 2}},
        {{1, 2, 3}, 1, {1, 9, 2}},
        {{1, 2, 3}, 2, {1, 2, 9}}, // at the last index: replaces it
        {{1, 2, 3}, 3, {1, 2, 3}},
        {{1, 2, 3}, -1, {1, 2, 3}},
        {{}, 0, {}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.index);
        InsertIntoArray(c.data, 9, c.index);
        EXPECT_EQ(c.data, c.after);
    }
    std::vector<double> d{1.5, 2.5};
    InsertIntoArray(d, 0.5, 0);
    EXPECT_EQ(d, (std::vector<double>{0.5, 1.5}));
}
