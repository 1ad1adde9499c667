// Resource registry: registration at load time, lookup by name, pictures in text, cursors.
#include "../src/ImageCodecs.h"

#include <qyx/platform/Exceptions.h>
#include <qyx/platform/Resources.h>

#include <gtest/gtest.h>

using namespace qyx;
using namespace qyx::gfx;

namespace {

// Registered when the test program is loaded, as a library's resources are.
const TResourceRegistrar RegTestCross("TESTCROSS", rkBitmap,
                                      PictureToBitmap({"r..r", ".rr.", ".rr.", "r..r"},
                                                      {{'.', 0xFFFFFF}, {'r', 0x0000FF}}, 4));
const TResourceRegistrar RegTestArrow("TESTARROW", rkCursor,
                                      PictureToCursor({"#...", "##..", "#o#.", "#oo#", "####"}, 1, 2));

int IndexAt(const TRawImage& Img, int X, int Y) {
    const uint8_t* Row = Img.Pixels.data() + size_t(Y) * Img.Stride;
    switch (Img.BitsPerPixel) {
    case 1: return (Row[X / 8] >> (7 - X % 8)) & 1;
    case 4: return X & 1 ? Row[X / 2] & 15 : Row[X / 2] >> 4;
    default: return Row[X];
    }
}

} // namespace

TEST(Resources, BitmapsRegisteredAtLoadTime) {
    const TRawImage Img = LoadBitmapResource("testcross"); // names compare without case
    ASSERT_EQ(Img.Width, 4);
    ASSERT_EQ(Img.Height, 4);
    EXPECT_EQ(Img.BitsPerPixel, 4);
    EXPECT_EQ(Img.Palette[0], 0xFFFFFFu);
    EXPECT_EQ(Img.Palette[1], 0x0000FFu);
    EXPECT_EQ(IndexAt(Img, 0, 0), 1);
    EXPECT_EQ(IndexAt(Img, 1, 0), 0);
    EXPECT_EQ(IndexAt(Img, 2, 1), 1);
    EXPECT_EQ(PixelColor(Img, 3, 3), 0x0000FFu);
    EXPECT_EQ(PixelColor(Img, 3, 2), 0xFFFFFFu);

    // Bitmaps and cursors are separate kinds.
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    EXPECT_FALSE(FindResource("TESTCROSS", rkCursor, Data, Size));
    EXPECT_TRUE(FindResource("TestCross", rkBitmap, Data, Size));
    EXPECT_EQ(DetectImageKind(Data, Size), TImageKind::BMP);
}

TEST(Resources, RegisterReplaceRemove) {
    const std::vector<uint8_t> A = PictureToBitmap({"ab", "ba"}, {{'a', 0x000000}, {'b', 0xFFFFFF}}, 1);
    const std::vector<uint8_t> B =
        PictureToBitmap({"abc"}, {{'a', 0x112233}, {'b', 0x445566}, {'c', 0x778899}}, 24);
    RegisterResource("SWAP", rkBitmap, A.data(), A.size());
    EXPECT_EQ(LoadBitmapResource("SWAP").Width, 2);
    RegisterResource("swap", rkBitmap, B.data(), B.size()); // replaces, whatever the case
    const TRawImage Img = LoadBitmapResource("SWAP");
    EXPECT_EQ(Img.Width, 3);
    EXPECT_EQ(Img.BitsPerPixel, 24);
    EXPECT_EQ(PixelColor(Img, 2, 0), 0x778899u);
    EXPECT_TRUE(UnregisterResource("Swap", rkBitmap));
    EXPECT_FALSE(UnregisterResource("Swap", rkBitmap));
    try {
        LoadBitmapResource("SWAP");
        FAIL() << "no error";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Message(), "Resource SWAP not found");
    }
    // A resource that is not an image raises the graphics error when loaded.
    const uint8_t Junk[] = {1, 2, 3, 4};
    RegisterResource("JUNK", rkBitmap, Junk, sizeof Junk);
    EXPECT_THROW(LoadBitmapResource("JUNK"), EInvalidGraphic);
    UnregisterResource("JUNK", rkBitmap);
}

TEST(Resources, CursorsCarryImageMaskAndHotSpot) {
    const TCursorImage C = LoadCursorResource("TESTARROW");
    EXPECT_EQ(C.HotX, 1);
    EXPECT_EQ(C.HotY, 2);
    ASSERT_EQ(C.Image.Width, 4);
    ASSERT_EQ(C.Image.Height, 5);
    ASSERT_EQ(C.Mask.Width, 4);
    ASSERT_EQ(C.Mask.BitsPerPixel, 1);
    const char* const Rows[] = {"#...", "##..", "#o#.", "#oo#", "####"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 4; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            EXPECT_EQ(IndexAt(C.Mask, x, y), Rows[y][x] == '.' ? 1 : 0);
            EXPECT_EQ(PixelColor(C.Image, x, y), Rows[y][x] == 'o' ? 0xFFFFFFu : 0u);
        }

    TCursorResource Raw;
    ASSERT_TRUE(FindCursorResource("testarrow", Raw));
    EXPECT_EQ(DetectImageKind(Raw.Image, Raw.ImageSize), TImageKind::BMP);
    EXPECT_EQ(DetectImageKind(Raw.Mask, Raw.MaskSize), TImageKind::BMP);
    EXPECT_FALSE(FindCursorResource("NOCURSOR", Raw));
    EXPECT_THROW(LoadCursorResource("NOCURSOR"), EInvalidGraphic);

    // A cursor without mask is opaque; a malformed one raises.
    const std::vector<uint8_t> Plain =
        MakeCursorResource(0, 0, PictureToBitmap({"ab"}, {{'a', 0}, {'b', 0xFFFFFF}}, 1));
    RegisterResource("PLAIN", rkCursor, Plain.data(), Plain.size());
    EXPECT_EQ(LoadCursorResource("PLAIN").Mask.Width, 0);
    for (std::vector<uint8_t> Bad : {std::vector<uint8_t>{'Q', 'C', 'U', 'R', 0, 0, 0, 0, 0xFF, 0xFF, 0, 0},
                                     std::vector<uint8_t>{'X', 'C', 'U', 'R', 0, 0, 0, 0, 1, 0, 0, 0, 0}}) {
        RegisterResource("BAD", rkCursor, Bad.data(), Bad.size());
        EXPECT_THROW(LoadCursorResource("BAD"), EInvalidGraphic);
    }
    std::vector<uint8_t> WrongMask =
        MakeCursorResource(0, 0, PictureToBitmap({"ab"}, {{'a', 0}, {'b', 0xFFFFFF}}, 1),
                           PictureToBitmap({"a", "b"}, {{'a', 0}, {'b', 0xFFFFFF}}, 1));
    RegisterResource("BAD", rkCursor, WrongMask.data(), WrongMask.size());
    EXPECT_THROW(LoadCursorResource("BAD"), EInvalidGraphic);
    UnregisterResource("BAD", rkCursor);
    UnregisterResource("PLAIN", rkCursor);
}

TEST(Resources, PicturesRejectMistakes) {
    EXPECT_THROW(PictureToBitmap({"ab", "a"}, {{'a', 0}, {'b', 1}}, 4), EInvalidGraphic);       // ragged
    EXPECT_THROW(PictureToBitmap({"ax"}, {{'a', 0}}, 4), EInvalidGraphic);                      // unknown
    EXPECT_THROW(PictureToBitmap({"abc"}, {{'a', 0}, {'b', 1}, {'c', 2}}, 1), EInvalidGraphic); // 3 colours
    EXPECT_THROW(PictureToBitmap({""}, {{'a', 0}}, 8), EInvalidGraphic);                        // empty
    EXPECT_THROW(PictureToBitmap({"a"}, {{'a', 0}}, 16), EInvalidGraphic);                      // depth
    EXPECT_THROW(PictureToCursor({"#x"}, 0, 0), EInvalidGraphic);
    EXPECT_THROW(MakeCursorResource(-1, 0, {1}), EInvalidGraphic);
    // An 8-bit picture keeps its indices in legend order.
    const std::vector<uint8_t> F =
        PictureToBitmap({"cba"}, {{'a', 0x010203}, {'b', 0x040506}, {'c', 0x070809}}, 8);
    const TRawImage Img = DecodeBMP(F.data(), F.size());
    EXPECT_EQ(Img.BitsPerPixel, 8);
    EXPECT_EQ(Img.Pixels[0], 2);
    EXPECT_EQ(Img.Palette[1], 0x040506u);
}
