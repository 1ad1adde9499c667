// PNG reader and writer: round trips, the colour types libpng writes, transparency, damaged files.
#include "../src/ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace qyx;
using namespace qyx::gfx;

namespace {

std::vector<uint8_t> ReadFixture(const std::string& Name) {
    std::ifstream In(std::string(QYX_TEST_DATA) + "/" + Name, std::ios::binary);
    EXPECT_TRUE(In.good()) << Name;
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

TRawImage Pattern(int W, int H, int Bpp) {
    TRawImage Img;
    Img.Width = W;
    Img.Height = H;
    Img.BitsPerPixel = Bpp;
    Img.Stride = int(PaddedRowBytes(W, Bpp));
    Img.Pixels.resize(size_t(Img.Stride) * H);
    for (size_t i = 0; i < Img.Pixels.size(); ++i) Img.Pixels[i] = uint8_t(i * 53 + i / 5);
    if (Bpp <= 8)
        for (uint32_t i = 0; i < (1u << Bpp); ++i) Img.Palette.push_back((i * 0x9E3779B1u) & 0xFFFFFF);
    return Img;
}

// The values the fixture generator writes (make_fixtures.c): sample and alpha by column.
unsigned Sample(int X, int Y, int Ch, int Depth) {
    return unsigned((X * 7 + Y * 13 + Ch * 5) * (Depth == 16 ? 2459 : 1)) % (1u << Depth);
}
unsigned AlphaOf(int X) {
    return X == 0 ? 0 : X == 1 ? 128 : 255;
}
unsigned OverWhite(unsigned V, unsigned A) {
    return (V * A + 255 * (255 - A) + 127) / 255;
}
uint32_t Rgb(unsigned R, unsigned G, unsigned B) {
    return R | G << 8 | B << 16;
}

} // namespace

TEST(Png, RoundTrips) {
    // Palette depths come back with their indices; 15/16/32-bit images come back as 24-bit colour.
    for (int Bpp : {1, 4, 8, 15, 16, 24, 32}) {
        SCOPED_TRACE(Bpp);
        const TRawImage Img = Pattern(11, 5, Bpp);
        const std::vector<uint8_t> F = EncodePNG(Img);
        EXPECT_EQ(DetectImageKind(F.data(), F.size()), TImageKind::PNG);
        const TRawImage Back = DecodePNG(F.data(), F.size());
        ASSERT_EQ(Back.Width, 11);
        ASSERT_EQ(Back.Height, 5);
        EXPECT_EQ(Back.BitsPerPixel, Bpp <= 8 ? Bpp : 24);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 11; ++x)
                ASSERT_EQ(PixelColor(Back, x, y), PixelColor(Img, x, y)) << x << "," << y;
        if (Bpp <= 8) {
            EXPECT_EQ(Back.Palette, Img.Palette);
        }
    }
}

TEST(Png, WritesOnlyTheUsedPaletteAndPadsShortOnes) {
    TRawImage Img = Pattern(4, 1, 8);
    Img.Pixels = {0, 1, 9, 2};
    Img.Palette = {0x0000FF, 0x00FF00, 0xFF0000}; // index 9 has no entry: written black
    const std::vector<uint8_t> F = EncodePNG(Img);
    const TRawImage Back = DecodePNG(F.data(), F.size());
    EXPECT_EQ(PixelColor(Back, 2, 0), 0u);
    EXPECT_EQ(PixelColor(Back, 3, 0), 0xFF0000u);
}

TEST(Png, ReadsTheColourTypes) {
    struct TCase {
        const char* File;
        int Bpp;
        std::function<uint32_t(int, int)> Expected;
    } Cases[] = {
        {"grey2.png", 8,
         [](int x, int y) {
             unsigned G = Sample(x, y, 0, 2) * 85;
             return Rgb(G, G, G);
         }},
        {"grey16.png", 8,
         [](int x, int y) {
             unsigned G = Sample(x, y, 0, 16) >> 8;
             return Rgb(G, G, G);
         }},
        {"rgb16.png", 24,
         [](int x, int y) {
             return Rgb(Sample(x, y, 0, 16) >> 8, Sample(x, y, 1, 16) >> 8, Sample(x, y, 2, 16) >> 8);
         }},
        {"interlaced.png", 24,
         [](int x, int y) { return Rgb(Sample(x, y, 0, 8), Sample(x, y, 1, 8), Sample(x, y, 2, 8)); }},
        {"greyalpha.png", 24,
         [](int x, int y) {
             unsigned G = OverWhite(Sample(x, y, 0, 8), AlphaOf(x));
             return Rgb(G, G, G);
         }},
        {"rgba.png", 24,
         [](int x, int y) {
             unsigned A = AlphaOf(x);
             return Rgb(OverWhite(Sample(x, y, 0, 8), A), OverWhite(Sample(x, y, 1, 8), A),
                        OverWhite(Sample(x, y, 2, 8), A));
         }},
        {"palette2trns.png", 8, [](int x, int y) {
             // red fully transparent, green half transparent, blue and white opaque
             const uint32_t Pal[4] = {0xFFFFFF, Rgb(127, 255, 127), 0xFF0000, 0xFFFFFF};
             return Pal[(x + y) % 4];
         }}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.File);
        const std::vector<uint8_t> F = ReadFixture(C.File);
        const TRawImage Img = DecodePNG(F.data(), F.size());
        ASSERT_EQ(Img.Width, 5);
        ASSERT_EQ(Img.Height, 3);
        EXPECT_EQ(Img.BitsPerPixel, C.Bpp);
        if (C.Bpp == 8) {
            EXPECT_EQ(Img.Palette.size(), 256u);
        }
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(PixelColor(Img, x, y), C.Expected(x, y)) << std::hex << x << "," << y;
    }
}

TEST(Png, DamagedFilesRaise) {
    const std::vector<uint8_t> F = EncodePNG(Pattern(9, 7, 24));
    for (size_t Len = 0; Len < F.size(); ++Len) {
        SCOPED_TRACE(Len);
        EXPECT_THROW(DecodePNG(F.data(), Len), EInvalidGraphic);
    }
    std::vector<uint8_t> BadCrc = F;
    const size_t Idat = std::string(F.begin(), F.end()).find("IDAT");
    ASSERT_NE(Idat, std::string::npos);
    BadCrc[Idat + 10] ^= 0x40; // inside the image data
    EXPECT_THROW(DecodePNG(BadCrc.data(), BadCrc.size()), EInvalidGraphic);

    // A header that claims 60000 x 2000 pixels over a few bytes of data fails without taking the memory.
    std::vector<uint8_t> Huge = F;
    Huge[16] = 0, Huge[17] = 0, Huge[18] = 0xEA, Huge[19] = 0x60; // width
    Huge[20] = 0, Huge[21] = 0, Huge[22] = 0x07, Huge[23] = 0xD0; // height
    EXPECT_THROW(DecodePNG(Huge.data(), Huge.size()), EInvalidGraphic);
    EXPECT_THROW(DecodePNG(nullptr, 0), EInvalidGraphic);

    // An ancillary chunk whose header claims 1.8 GB is refused before libpng reserves it.
    std::vector<uint8_t> Claim(F.begin(), F.begin() + 33); // signature and IHDR
    for (int B : {0x70, 0x00, 0x00, 0x00, int('s'), int('P'), int('L'), int('T')})
        Claim.push_back(uint8_t(B));
    Claim.insert(Claim.end(), F.begin() + 33, F.end());
    try {
        DecodePNG(Claim.data(), Claim.size());
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Message(), "PNG image is not valid: truncated chunk");
    }

    TRawImage Empty;
    Empty.Width = 0;
    EXPECT_THROW(EncodePNG(Empty), EInvalidGraphic);
}
