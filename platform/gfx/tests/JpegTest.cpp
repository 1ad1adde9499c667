// JPEG reader: colour, greyscale, CMYK and progressive fixtures, progress reports, damaged files.
#include "../src/ImageCodecs.h"

#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cstdlib>
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

// True when every channel of A and B differs by at most Tolerance.
bool Near(uint32_t A, uint32_t B, int Tolerance) {
    for (int Shift : {0, 8, 16})
        if (std::abs(int((A >> Shift) & 255) - int((B >> Shift) & 255)) > Tolerance) return false;
    return true;
}

} // namespace

// The fixtures are 16 x 8 pixels: the left half red (black in grey), the right half blue (white).
TEST(Jpeg, DecodesColourGreyCmykAndProgressive) {
    struct TCase {
        const char* File;
        int Bpp;
        uint32_t Left, Right;
    } Cases[] = {{"rgb.jpg", 24, 0x0000FF, 0xFF0000},
                 {"progressive.jpg", 24, 0x0000FF, 0xFF0000},
                 {"cmyk.jpg", 24, 0x0000FF, 0xFF0000},
                 {"grey.jpg", 8, 0x000000, 0xFFFFFF}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.File);
        const std::vector<uint8_t> F = ReadFixture(C.File);
        EXPECT_EQ(DetectImageKind(F.data(), F.size()), TImageKind::JPEG);
        const TRawImage Img = DecodeJPEG(F.data(), F.size());
        ASSERT_EQ(Img.Width, 16);
        ASSERT_EQ(Img.Height, 8);
        EXPECT_EQ(Img.BitsPerPixel, C.Bpp);
        EXPECT_GE(Img.Stride, Img.Width * C.Bpp / 8);
        EXPECT_EQ(Img.Palette.size(), C.Bpp == 8 ? 256u : 0u);
        for (int y : {0, 7}) {
            EXPECT_TRUE(Near(PixelColor(Img, 2, y), C.Left, 6)) << std::hex << PixelColor(Img, 2, y);
            EXPECT_TRUE(Near(PixelColor(Img, 13, y), C.Right, 6)) << std::hex << PixelColor(Img, 13, y);
        }
    }
}

TEST(Jpeg, ReportsProgressUpToHundred) {
    for (const char* Name : {"rgb.jpg", "progressive.jpg"}) {
        SCOPED_TRACE(Name);
        const std::vector<uint8_t> F = ReadFixture(Name);
        std::vector<int> Seen;
        DecodeJPEG(F.data(), F.size(), [&](int Percent) { Seen.push_back(Percent); });
        ASSERT_FALSE(Seen.empty());
        EXPECT_TRUE(std::is_sorted(Seen.begin(), Seen.end()));
        EXPECT_EQ(std::adjacent_find(Seen.begin(), Seen.end()), Seen.end()); // each percentage once
        EXPECT_GE(Seen.front(), 0);
        EXPECT_EQ(Seen.back(), 100);
        EXPECT_GE(Seen.size(), 2u);
    }
}

TEST(Jpeg, ExceptionFromProgressCancels) {
    const std::vector<uint8_t> F = ReadFixture("progressive.jpg");
    struct TStop {};
    EXPECT_THROW(DecodeJPEG(F.data(), F.size(), [](int) { throw TStop{}; }), TStop);
}

TEST(Jpeg, DamagedFilesRaise) {
    for (const char* Name : {"rgb.jpg", "progressive.jpg", "grey.jpg"}) {
        SCOPED_TRACE(Name);
        const std::vector<uint8_t> F = ReadFixture(Name);
        // Every cut before the end marker's last bytes leaves the image incomplete.
        for (size_t Len = 0; Len + 2 < F.size(); Len += (Len < 40 ? 1 : 7)) {
            SCOPED_TRACE(Len);
            EXPECT_THROW(DecodeJPEG(F.data(), Len), EInvalidGraphic);
        }
    }
    std::vector<uint8_t> Garbage(300, 0x5A);
    Garbage[0] = 0xFF, Garbage[1] = 0xD8, Garbage[2] = 0xFF;
    EXPECT_THROW(DecodeJPEG(Garbage.data(), Garbage.size()), EInvalidGraphic);
    EXPECT_THROW(DecodeJPEG(nullptr, 0), EInvalidGraphic);

    // A header that claims 60000 x 60000 pixels is refused before any pixel memory is taken.
    std::vector<uint8_t> Huge = ReadFixture("rgb.jpg");
    for (size_t i = 0; i + 8 < Huge.size(); ++i)
        if (Huge[i] == 0xFF && (Huge[i + 1] == 0xC0 || Huge[i + 1] == 0xC2)) {
            Huge[i + 5] = 0xEA, Huge[i + 6] = 0x60, Huge[i + 7] = 0xEA, Huge[i + 8] = 0x60;
            break;
        }
    EXPECT_THROW(DecodeJPEG(Huge.data(), Huge.size()), EInvalidGraphic);
}
