// BMP reader and writer: round trips of every depth, the header variants, RLE, and hostile files.
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

// An image of the given depth whose bytes follow a fixed pattern (palette: 2^Bpp distinct colours).
TRawImage Pattern(int W, int H, int Bpp) {
    TRawImage Img;
    Img.Width = W;
    Img.Height = H;
    Img.BitsPerPixel = Bpp;
    Img.Stride = int(PaddedRowBytes(W, Bpp));
    Img.Pixels.resize(size_t(Img.Stride) * H);
    for (size_t i = 0; i < Img.Pixels.size(); ++i) Img.Pixels[i] = uint8_t(i * 37 + i / 7);
    const int64_t Used = (int64_t(W) * (Bpp == 15 ? 16 : Bpp) + 7) / 8;
    for (int y = 0; y < H; ++y) { // clear the padding, the unused bits of the last byte and 15-bit top bits
        uint8_t* Row = Img.Pixels.data() + size_t(y) * Img.Stride;
        std::fill(Row + Used, Row + Img.Stride, 0);
        if (Bpp < 8 && (W * Bpp) % 8) Row[Used - 1] &= uint8_t(0xFF << (8 - (W * Bpp) % 8));
        if (Bpp == 15)
            for (int x = 0; x < W; ++x) Row[2 * x + 1] &= 0x7F;
    }
    if (Bpp <= 8)
        for (uint32_t i = 0; i < (1u << Bpp); ++i) Img.Palette.push_back((i * 0x9E3779B1u) & 0xFFFFFF);
    return Img;
}

void Put16(std::vector<uint8_t>& B, size_t At, uint32_t V) {
    B[At] = uint8_t(V), B[At + 1] = uint8_t(V >> 8);
}
void Put32(std::vector<uint8_t>& B, size_t At, uint32_t V) {
    Put16(B, At, V & 0xFFFF), Put16(B, At + 2, V >> 16);
}

// A BMP file with a header of HdrSize bytes (12 = core), optional masks after a 40-byte header, a
// palette and the given pixel bytes (already in file row order).
std::vector<uint8_t> MakeBmp(uint32_t HdrSize, int32_t W, int32_t H, int Bpp, uint32_t Compression,
                             const std::vector<uint32_t>& Palette, const std::vector<uint32_t>& Masks,
                             const std::vector<uint8_t>& Data) {
    const bool Core = HdrSize == 12;
    const size_t MaskBytes = HdrSize == 40 ? 4 * Masks.size() : 0;
    const size_t Entry = Core ? 3 : 4;
    const size_t Off = 14 + HdrSize + MaskBytes + Entry * Palette.size();
    std::vector<uint8_t> B(Off + Data.size(), 0);
    B[0] = 'B', B[1] = 'M';
    Put32(B, 2, uint32_t(B.size()));
    Put32(B, 10, uint32_t(Off));
    Put32(B, 14, HdrSize);
    if (Core) {
        Put16(B, 18, uint32_t(W)), Put16(B, 20, uint32_t(H)), Put16(B, 22, 1), Put16(B, 24, uint32_t(Bpp));
    } else {
        Put32(B, 18, uint32_t(W)), Put32(B, 22, uint32_t(H)), Put16(B, 26, 1), Put16(B, 28, uint32_t(Bpp));
        Put32(B, 30, Compression);
        Put32(B, 46, uint32_t(Palette.size()));
        for (size_t i = 0; i < Masks.size(); ++i) Put32(B, 54 + 4 * i, Masks[i]); // in the header or after it
    }
    size_t P = 14 + HdrSize + MaskBytes;
    for (uint32_t C : Palette) {
        B[P] = uint8_t(C >> 16), B[P + 1] = uint8_t(C >> 8), B[P + 2] = uint8_t(C);
        P += Entry;
    }
    std::copy(Data.begin(), Data.end(), B.begin() + Off);
    return B;
}

void ExpectSame(const TRawImage& A, const TRawImage& B) {
    ASSERT_EQ(A.Width, B.Width);
    ASSERT_EQ(A.Height, B.Height);
    ASSERT_EQ(A.BitsPerPixel, B.BitsPerPixel);
    const size_t RowBytes = size_t(A.Width * (A.BitsPerPixel == 15 ? 16 : A.BitsPerPixel) + 7) / 8;
    for (int y = 0; y < A.Height; ++y)
        ASSERT_TRUE(std::equal(A.Pixels.begin() + size_t(y) * A.Stride,
                               A.Pixels.begin() + size_t(y) * A.Stride + RowBytes,
                               B.Pixels.begin() + size_t(y) * B.Stride))
            << "row " << y;
    EXPECT_EQ(A.Palette, B.Palette);
}

} // namespace

TEST(Bmp, RoundTripEveryDepth) {
    for (int Bpp : {1, 4, 8, 15, 16, 24, 32})
        for (auto [W, H] : {std::pair{13, 7}, std::pair{1, 1}, std::pair{32, 3}}) {
            SCOPED_TRACE(testing::Message() << Bpp << " bits, " << W << " x " << H);
            const TRawImage Img = Pattern(W, H, Bpp);
            const std::vector<uint8_t> File = EncodeBMP(Img);
            EXPECT_EQ(DetectImageKind(File.data(), File.size()), TImageKind::BMP);
            ExpectSame(DecodeBMP(File.data(), File.size()), Img);
        }
}

TEST(Bmp, WritesFourBitsWithSixteenColours) {
    TRawImage Img = Pattern(5, 2, 4);
    const std::vector<uint8_t> F = EncodeBMP(Img);
    EXPECT_EQ(F[28], 4);                             // bits per pixel
    EXPECT_EQ(F[10], 14 + 40 + 16 * 4);              // pixel data right after 16 palette entries
    EXPECT_EQ(F[46], 16);                            // colours used
    EXPECT_EQ(F.size(), 118u + 2 * 4);               // two rows of 3 bytes padded to 4
    EXPECT_EQ(F[58], (Img.Palette[1] >> 16) & 0xFF); // palette entries stored B, G, R, 0
}

TEST(Bmp, RowOrderAndHeaderVariants) {
    const std::vector<uint8_t> Rows = {1, 2, 3, 0, 4, 5, 6, 0}; // two rows of three 8-bit indices
    const std::vector<uint32_t> Pal = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    struct TCase {
        const char* Name;
        uint32_t HdrSize;
        int32_t H;
        uint8_t TopLeft;
    } Cases[] = {{"info bottom-up", 40, 2, 4},
                 {"info top-down", 40, -2, 1},
                 {"core", 12, 2, 4},
                 {"V4", 108, 2, 4},
                 {"V5 top-down", 124, -2, 1}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::vector<uint8_t> F = MakeBmp(C.HdrSize, 3, C.H, 8, 0, Pal, {}, Rows);
        const TRawImage Img = DecodeBMP(F.data(), F.size());
        ASSERT_EQ(Img.Width, 3);
        ASSERT_EQ(Img.Height, 2);
        EXPECT_EQ(Img.Pixels[0], C.TopLeft);
        ASSERT_EQ(Img.Palette.size(), 256u); // padded with black
        EXPECT_EQ(Img.Palette[3], 0xFF0000u);
        EXPECT_EQ(Img.Palette[200], 0u);
        EXPECT_EQ(PixelColor(Img, 2, 1), C.TopLeft == 1 ? 0xFF00FFu : 0xFF0000u);
    }
}

TEST(Bmp, SixteenAndThirtyTwoBitFields) {
    const std::vector<uint8_t> Px16 = {0x1F, 0x7C, 0xE0, 0x03}; // 0x7C1F and 0x03E0
    const std::vector<uint8_t> Px32 = {10, 20, 30, 40};
    struct TCase {
        const char* Name;
        uint32_t HdrSize;
        int Bpp;
        uint32_t Compression;
        std::vector<uint32_t> Masks;
        int OutBpp;
        uint32_t Colour0; // 0x00BBGGRR of the first pixel
    } Cases[] = {
        {"16 plain = 555", 40, 16, 0, {}, 15, 0xFF00FF},
        {"16 masks 555", 40, 16, 3, {0x7C00, 0x03E0, 0x001F}, 15, 0xFF00FF},
        {"16 masks 565", 40, 16, 3, {0xF800, 0x07E0, 0x001F}, 16, 0xFF827B},
        {"16 masks 444 in a V5 header", 124, 16, 3, {0x0F00, 0x00F0, 0x000F}, 32, 0xFF11CC},
        {"32 plain", 40, 32, 0, {}, 32, 0x0A141E},
        {"32 masks R,G,B bytes reversed", 108, 32, 3, {0x0000FF, 0x00FF00, 0xFF0000}, 32, 0x1E140A},
        {"32 alpha bit fields", 40, 32, 6, {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000}, 32, 0x0A141E},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::vector<uint8_t> F = MakeBmp(C.HdrSize, C.Bpp == 16 ? 2 : 1, 1, C.Bpp, C.Compression, {},
                                               C.Masks, C.Bpp == 16 ? Px16 : Px32);
        const TRawImage Img = DecodeBMP(F.data(), F.size());
        EXPECT_EQ(Img.BitsPerPixel, C.OutBpp);
        EXPECT_EQ(PixelColor(Img, 0, 0), C.Colour0);
    }
}

TEST(Bmp, RunLengthFixtures) {
    // The RLE examples of the format description, three rows, the first pixel row at the bottom.
    const TRawImage A = [] {
        auto F = ReadFixture("rle8.bmp");
        return DecodeBMP(F.data(), F.size());
    }();
    ASSERT_EQ(A.BitsPerPixel, 8);
    auto Row8 = [&](int y) {
        return std::vector<uint8_t>(A.Pixels.begin() + y * A.Stride, A.Pixels.begin() + y * A.Stride + 20);
    };
    EXPECT_EQ(Row8(2), (std::vector<uint8_t>{4,    4,    4,    6, 6, 6, 6, 6, 0x45, 0x56,
                                             0x67, 0x78, 0x78, 0, 0, 0, 0, 0, 0,    0}));
    EXPECT_EQ(Row8(1),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x78, 0x78}));
    EXPECT_EQ(Row8(0), (std::vector<uint8_t>{0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0,
                                             0,    0,    0,    0,    0,    0,    0,    0,    0,    0}));
    EXPECT_EQ(PixelColor(A, 0, 0), 0x1E1E1Eu);

    const TRawImage B = [] {
        auto F = ReadFixture("rle4.bmp");
        return DecodeBMP(F.data(), F.size());
    }();
    ASSERT_EQ(B.BitsPerPixel, 4);
    auto Row4 = [&](int y) {
        return std::vector<uint8_t>(B.Pixels.begin() + y * B.Stride, B.Pixels.begin() + y * B.Stride + 14);
    };
    EXPECT_EQ(Row4(2),
              (std::vector<uint8_t>{0x04, 0x00, 0x60, 0x60, 0x45, 0x56, 0x67, 0x78, 0x78, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Row4(1), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x07, 0x87, 0x80}));
    EXPECT_EQ(Row4(0), (std::vector<uint8_t>{0x1E, 0x1E, 0x1E, 0x1E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Bmp, EveryTruncationRaises) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> Files = {
        {"rle8", ReadFixture("rle8.bmp")},
        {"rle4", ReadFixture("rle4.bmp")},
        {"4-bit", EncodeBMP(Pattern(7, 5, 4))},
        {"24-bit", EncodeBMP(Pattern(5, 3, 24))},
        {"16-bit 565", EncodeBMP(Pattern(3, 3, 16))}};
    for (const auto& [Name, File] : Files) {
        SCOPED_TRACE(Name);
        ASSERT_NO_THROW(DecodeBMP(File.data(), File.size()));
        for (size_t Len = 0; Len < File.size(); ++Len) {
            SCOPED_TRACE(Len);
            EXPECT_THROW(DecodeBMP(File.data(), Len), EInvalidGraphic);
        }
    }
}

TEST(Bmp, HostileFilesRaise) {
    const std::vector<uint32_t> Pal16(16, 0x808080);
    auto Patched = [](std::vector<uint8_t> F, size_t At, uint32_t V, int Bytes = 4) {
        if (Bytes == 2)
            Put16(F, At, V);
        else
            Put32(F, At, V);
        return F;
    };
    const std::vector<uint8_t> Good =
        MakeBmp(40, 4, 2, 4, 0, Pal16, {}, {0x12, 0x34, 0, 0, 0x56, 0x78, 0, 0});
    ASSERT_NO_THROW(DecodeBMP(Good.data(), Good.size()));
    auto Rle8 = [&](std::vector<uint8_t> Data, int32_t H = 2) {
        return MakeBmp(40, 4, H, 8, 1, std::vector<uint32_t>(256, 0), {}, Data);
    };
    struct TCase {
        const char* Name;
        std::vector<uint8_t> File;
    } Cases[] = {
        {"not a bitmap", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"width too large", Patched(Good, 18, 70000)},
        {"area too large", MakeBmp(40, 40000, 40000, 1, 0, {0, 0xFFFFFF}, {}, {})},
        {"negative width", Patched(Good, 18, uint32_t(-4))},
        {"height of -2^31", Patched(Good, 22, 0x80000000u)},
        {"bit depth 7", Patched(Good, 28, 7, 2)},
        {"embedded JPEG", Patched(Good, 30, 4)},
        {"unknown compression", Patched(Good, 30, 99)},
        {"header size 9", Patched(Good, 14, 9)},
        {"header size past the end", Patched(Good, 14, 100000)},
        {"pixel offset past the end", Patched(Good, 10, 100000)},
        {"pixel offset inside the header", Patched(Good, 10, 20)},
        {"palette larger than 2^bpp", Patched(Good, 46, 17)},
        {"palette count 2^32 - 1", Patched(Good, 46, 0xFFFFFFFFu)},
        {"bit fields on 24 bits", MakeBmp(40, 1, 1, 24, 3, {}, {0xFF, 0xFF00, 0xFF0000}, {1, 2, 3, 0})},
        {"empty bit fields", MakeBmp(40, 1, 1, 32, 3, {}, {0, 0, 0}, {1, 2, 3, 0})},
        {"masks past the end", MakeBmp(40, 1, 1, 16, 3, {}, {0xF800}, {})},
        {"RLE8 run past the row", Rle8({5, 1, 0, 1})},
        {"RLE8 absolute past the row", Rle8({0, 5, 1, 2, 3, 4, 5, 0, 0, 1})},
        {"RLE8 delta past the image", Rle8({0, 2, 1, 5, 0, 1})},
        {"RLE8 rows past the image", Rle8({0, 0, 0, 0, 1, 1, 0, 1})},
        {"RLE8 absolute past the data", Rle8({0, 9, 1, 2})},
        {"RLE8 without end", Rle8({4, 1, 0, 0, 2, 1})},
        {"RLE8 top-down", Rle8({4, 1, 0, 0, 4, 1, 0, 1}, -2)},
        {"RLE4 on 8 bits", Patched(Rle8({4, 1, 0, 0, 4, 1, 0, 1}), 30, 2)},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_THROW(DecodeBMP(C.File.data(), C.File.size()), EInvalidGraphic);
    }
    EXPECT_THROW(DecodeBMP(nullptr, 0), EInvalidGraphic);
    // A complete RLE8 image without its end marker is accepted; so is a short palette before the data.
    EXPECT_NO_THROW({
        auto F = Rle8({4, 1, 0, 0, 4, 2});
        DecodeBMP(F.data(), F.size());
    });
    const auto ShortPal =
        Patched(MakeBmp(40, 4, 1, 8, 0, Pal16, {}, {15, 1, 2, 3}), 46, 0); // 256 declared, 16 held
    const TRawImage Img = DecodeBMP(ShortPal.data(), ShortPal.size());
    EXPECT_EQ(PixelColor(Img, 0, 0), 0x808080u);
}

TEST(Bmp, EncoderChecksItsInput) {
    TRawImage Img = Pattern(4, 4, 24);
    Img.Stride = 8; // less than 4 x 3 bytes
    EXPECT_THROW(EncodeBMP(Img), EInvalidGraphic);
    Img = Pattern(4, 4, 24);
    Img.Pixels.resize(10);
    EXPECT_THROW(EncodeBMP(Img), EInvalidGraphic);
    Img = Pattern(4, 4, 24);
    Img.BitsPerPixel = 12;
    EXPECT_THROW(EncodeBMP(Img), EInvalidGraphic);
    // A palette image without palette is written with a grey ramp.
    Img = Pattern(2, 1, 1);
    Img.Palette.clear();
    auto F = EncodeBMP(Img);
    EXPECT_EQ(DecodeBMP(F.data(), F.size()).Palette, (std::vector<uint32_t>{0, 0xFFFFFF}));
}
