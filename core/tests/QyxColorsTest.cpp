// Colour mixing, conversions, random colours and the predefined colour list.
#include <qyx/QYX_qyxcolors.h>
#include <qyx/platform/Random.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using namespace qyx;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(QyxColors, Interpolation) {
    struct Case {
        TColor C1, C2;
        double Frac;
        TColor Expected;
    };
    const Case cases[] = {
        {0x000000, 0x0000FF, 0.5, 0x00007F},  // 127.5 truncated
        {0x000000, 0x0000FF, 2.0, 0x0000FF},  // Frac limited to 1
        {0x000000, 0x0000FF, -1.0, 0x000000}, // and to 0
        {0x000000, 0x0000FF, kNaN, 0x000000}, // not a number counts as 0
        {0x0000FF, 0x000000, 0.5, 0x00007F},  // falling channel: 255 - 127.5 truncated
        {0x102030, 0x302010, 0.25, 0x182028},
        {0x7F0000FF, 0x1F00FF00, 1.0, 0x00FF00}, // high bytes ignored and cleared
        {clBtnFace, clWhite, 0.0, 0x00000F},     // a system colour is its low bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Frac);
        EXPECT_EQ(InterpolateColor(c.C1, c.C2, c.Frac), c.Expected);
    }
}

TEST(QyxColors, ThreeColourInterpolation) {
    // Black, red, white.
    EXPECT_EQ(Interpolate3Colors(0x000000, 0x0000FF, 0xFFFFFF, 0.75), 0x7F7FFF);
    EXPECT_EQ(Interpolate3Colors(0x000000, 0x0000FF, 0xFFFFFF, 0.25), 0x00007F);
    EXPECT_EQ(Interpolate3Colors(0x000000, 0x0000FF, 0xFFFFFF, 0.5), 0x0000FF); // the middle colour
    EXPECT_EQ(Interpolate3Colors(0x000000, 0x0000FF, 0xFFFFFF, 7.0), 0xFFFFFF);
    EXPECT_EQ(Interpolate3Colors(0x000000, 0x0000FF, 0xFFFFFF, -7.0), 0x000000);
    EXPECT_EQ(Interpolate3Colors(0x000000, 0x0000FF, 0xFFFFFF, kNaN), 0x000000);
}

TEST(QyxColors, ReverseAndInvert) {
    EXPECT_EQ(ReverseRGBColor(0x0A0B0C), 0x0C0B0A);
    EXPECT_EQ(ReverseRGBColor(0x550A0B0C), 0x0C0B0A);
    EXPECT_EQ(ReverseRGBColor(ReverseRGBColor(0x123456)), 0x123456);
    EXPECT_EQ(InvertColor(0x0000FF), 0x00FFFF); // red gives yellow, not the complement aqua
    EXPECT_EQ(InvertColor(0x102030), 0xCFDFEF);
    EXPECT_EQ(InvertColor(0x808080), 0x7F7F7F);
    EXPECT_EQ(InvertColor(0x80000000), 0xFFFFFF);
    for (TColor c : {0x000000, 0x123456, 0xFFFFFF, 0x00FF00})
        EXPECT_EQ(InvertColor(c), ReverseRGBColor(0xFFFFFF - c));
}

TEST(QyxColors, Gray) {
    EXPECT_EQ(RGBtoGray(255, 255, 255), 255);
    EXPECT_EQ(RGBtoGray(0, 0, 0), 0);
    EXPECT_EQ(RGBtoGray(255, 0, 0), 76);  // 76.5 to even
    EXPECT_EQ(RGBtoGray(0, 255, 0), 150); // 150.45
    EXPECT_EQ(RGBtoGray(0, 0, 255), 28);  // 28.05
    EXPECT_EQ(RGBtoGray(5, 0, 0), 2);     // 1.5 to even
    EXPECT_EQ(RGBtoGray(100, 100, 100), 100);
    // Values far outside 0 ... 255 are limited to the integer range, not undefined.
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(RGBtoGray(kMax, kMax, kMax), kMax);
    EXPECT_EQ(RGBtoGray(-kMax, -kMax, -kMax), -kMax);
}

TEST(QyxColors, HSIEdgeCases) {
    double h, s, i;
    RGBtoHSI(128, 128, 128, h, s, i);
    EXPECT_EQ(h, -1);
    EXPECT_EQ(s, 0);
    EXPECT_DOUBLE_EQ(i, 128 / 255.0);
    RGBtoHSI(0, 0, 0, h, s, i);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(i, 0);

    struct Rgb {
        int R, G, B;
    };
    struct Case {
        double H, S, I;
        Rgb Expected;
    };
    const Case cases[] = {
        {360, 1, 1, {255, 0, 0}},                // 360 counts as hue 0
        {0, 1, 1, {255, 0, 0}},                  //
        {120, 1, 1, {0, 255, 0}},                //
        {240, 1, 1, {0, 0, 255}},                //
        {60, 1, 1, {255, 255, 0}},               //
        {300, 0.5, 1, {255, 128, 255}},          // p = 127.5 to even
        {-30, 1, 1, {255, 0, 0}},                // negative hue counts as 0
        {kNaN, 1, 1, {255, 0, 0}},               //
        {90, 0, 0.5, {128, 128, 128}},           // no saturation: grey 127.5 to even
        {90, 2, 2, {128, 255, 0}},               // S and I limited to 1
        {90, kNaN, -1, {0, 0, 0}},               //
        {359.99999999999997, 1, 1, {255, 0, 0}}, // the last sector, up to its end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.H);
        int r = -1, g = -1, b = -1;
        HSItoRGB(c.H, c.S, c.I, r, g, b);
        EXPECT_EQ(r, c.Expected.R);
        EXPECT_EQ(g, c.Expected.G);
        EXPECT_EQ(b, c.Expected.B);
    }
}

TEST(QyxColors, HSIRoundTripsEveryColourOfAGrid) {
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 17)
            for (int b = 0; b <= 255; b += 51) {
                double h, s, i;
                RGBtoHSI(r, g, b, h, s, i);
                ASSERT_TRUE(h == -1 || (h >= 0 && h < 360)) << r << " " << g << " " << b;
                int r2, g2, b2;
                HSItoRGB(h < 0 ? 0 : h, s, i, r2, g2, b2);
                ASSERT_EQ(r2, r) << r << " " << g << " " << b;
                ASSERT_EQ(g2, g) << r << " " << g << " " << b;
                ASSERT_EQ(b2, b) << r << " " << g << " " << b;
            }
}

TEST(QyxColors, HSIMaximumTieRules) {
    double h, s, i;
    RGBtoHSI(200, 200, 0, h, s, i); // red wins its tie with green: (G - B) / delta = 1
    EXPECT_DOUBLE_EQ(h, 60);
    RGBtoHSI(0, 200, 200, h, s, i); // green wins its tie with blue: (B - R) / delta + 2 = 3
    EXPECT_DOUBLE_EQ(h, 180);
    RGBtoHSI(200, 0, 200, h, s, i); // red wins its tie with blue: (G - B) / delta = -1 -> 300
    EXPECT_DOUBLE_EQ(h, 300);
    EXPECT_DOUBLE_EQ(s, 1);
}

TEST(QyxColors, CMYAndCMYK) {
    uint8_t r, g, b;
    CMYtoRGB(0, 0.5, 1, r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 128); // 127.5 to even
    EXPECT_EQ(b, 0);
    CMYtoRGB(-3, kNaN, 9, r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 0);

    double c, m, y, k;
    RGBtoCMY(255, 0, 51, c, m, y);
    EXPECT_DOUBLE_EQ(c, 0);
    EXPECT_DOUBLE_EQ(m, 1);
    EXPECT_DOUBLE_EQ(y, 0.8);
    for (int v = 0; v <= 255; ++v) { // RGB -> CMY -> RGB is exact
        RGBtoCMY(static_cast<uint8_t>(v), 0, 255, c, m, y);
        CMYtoRGB(c, m, y, r, g, b);
        ASSERT_EQ(r, v);
    }

    c = 0.2, m = 0.5, y = 1.4;
    CMYtoCMYK(c, m, y, k);
    EXPECT_DOUBLE_EQ(k, 0.2);
    EXPECT_DOUBLE_EQ(c, 0);
    EXPECT_DOUBLE_EQ(m, 0.3);
    EXPECT_DOUBLE_EQ(y, 0.8);
    CMYKtoCMY(c, m, y, k);
    EXPECT_DOUBLE_EQ(c, 0.2);
    EXPECT_DOUBLE_EQ(m, 0.5);
    EXPECT_DOUBLE_EQ(y, 1.0);
    c = -1, m = 0.9, y = kNaN;
    CMYKtoCMY(c, m, y, 0.5);
    EXPECT_DOUBLE_EQ(c, 0);
    EXPECT_DOUBLE_EQ(m, 1);
    EXPECT_DOUBLE_EQ(y, 0);
}

TEST(QyxColors, RandomColoursUseTheSharedGenerator) {
    // The same seed gives the same colour; the channels are drawn red, green, blue.
    RandSeed = 12345;
    const TColor first = RandomColor();
    RandSeed = 12345;
    const int r = Random(256), g = Random(256), b = Random(256);
    EXPECT_EQ(first, RGB(r, g, b));
    RandSeed = 12345;
    EXPECT_EQ(RandomColor(), first);

    // Every value of a channel turns up, and nothing outside a range does.
    std::set<int> reds;
    RandSeed = 1;
    for (int n = 0; n < 20000; ++n) {
        const TColor c = RandomColor();
        ASSERT_EQ(c & 0xFF000000, 0);
        reds.insert(GetRValue(c));
        const TColor d = RandomColor(10, 12, 200, 200, 250, 255);
        ASSERT_GE(GetRValue(d), 10);
        ASSERT_LE(GetRValue(d), 12);
        ASSERT_EQ(GetGValue(d), 200);
        ASSERT_GE(GetBValue(d), 250);
    }
    EXPECT_EQ(reds.size(), 256u);

    // A range given high end first is taken between the same ends.
    std::set<int> seen;
    for (int n = 0; n < 200; ++n) seen.insert(GetRValue(RandomColor(12, 10, 0, 0, 0, 0)));
    EXPECT_EQ(seen, (std::set<int>{10, 11, 12}));
}

TEST(QyxColors, PredefinedColors) {
    const TColor fixed[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
                            0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF,
                            0xFFFF00, 0xFFFFFF, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(PredefinedColors[i], fixed[i - 1]) << i;
    // Positions 21 ... 47: system colour indices, -1 for the two special values.
    const int sys[] = {10, 2,  12, 1,  15, 20, 16, 18, 9,  -1, 17, 13, 14, 11,
                       3,  19, 24, 23, 4,  7,  -1, 0,  21, 22, 5,  6,  8};
    for (int i = 21; i <= 47; ++i) {
        SCOPED_TRACE(i);
        if (i == 30)
            EXPECT_EQ(PredefinedColors[i], 0x20000000);
        else if (i == 41)
            EXPECT_EQ(PredefinedColors[i], 0x1FFFFFFF);
        else
            EXPECT_EQ(PredefinedColors[i],
                      static_cast<TColor>(0x80000000u + static_cast<unsigned>(sys[i - 21])));
    }
    EXPECT_EQ(PredefinedColors.size(), 47u);
}
