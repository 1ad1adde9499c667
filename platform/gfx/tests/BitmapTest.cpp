// Bitmaps: sizes, formats and palettes, scan lines, assignment, change events and image files.
#include "CanvasTestSupport.h"

#include <qyx/platform/Streams.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace qyx {
namespace {

using test::NewBitmap;
using test::Picture;

class BitmapFiles : public testing::Test {
protected:
    void SetUp() override {
        FDir = std::filesystem::temp_directory_path() /
               ("qyx_bitmap_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::create_directories(FDir);
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }
    std::string File(const std::string& Name) const { return (FDir / Name).string(); }
    std::filesystem::path FDir;
};

/// A small picture with every kind of content: a red frame, a blue disc, a dark line.
void Paint(TBitmap& B) {
    TCanvas* c = B.GetCanvas();
    c->GetPen()->SetColor(clRed);
    c->GetBrush()->SetColor(clBlue);
    c->Rectangle(0, 0, B.GetWidth(), B.GetHeight());
    c->GetPen()->SetColor(clBlack);
    c->MoveTo(1, B.GetHeight() - 2);
    c->LineTo(B.GetWidth() - 1, 1);
}

TEST(Bitmap, NewBitmapsAreWhiteWithTheDefaultTools) {
    TBitmap empty;
    EXPECT_TRUE(empty.GetEmpty());
    EXPECT_EQ(empty.GetPixelFormat(), pf32bit);
    auto b = NewBitmap(3, 2);
    EXPECT_EQ(Picture(*b), "...\n...\n");
    EXPECT_EQ(b->GetStride(), 12);
    TCanvas* c = b->GetCanvas();
    EXPECT_EQ(c, b->GetCanvas());
    EXPECT_EQ(c->GetPen()->GetColor(), clBlack);
    EXPECT_EQ(c->GetPen()->GetWidth(), 1);
    EXPECT_EQ(c->GetPen()->GetStyle(), psSolid);
    EXPECT_EQ(c->GetBrush()->GetColor(), clWhite);
    EXPECT_EQ(c->GetBrush()->GetStyle(), bsSolid);
    EXPECT_EQ(c->GetCopyMode(), cmSrcCopy);
}

TEST(Bitmap, ResizingKeepsTheOverlapAndWhitensNewPixels) {
    auto b = NewBitmap(3, 2);
    b->GetCanvas()->SetPixels(0, 0, clRed);
    b->GetCanvas()->SetPixels(2, 1, clBlue);
    b->SetSize(4, 3);
    EXPECT_EQ(Picture(*b), "r...\n..b.\n....\n");
    b->SetWidth(1);
    b->SetHeight(2);
    b->SetSize(3, 2);
    EXPECT_EQ(Picture(*b), "r..\n...\n");
    b->SetSize(-5, 2);
    EXPECT_TRUE(b->GetEmpty());
    EXPECT_THROW(b->SetSize(100000, 100000), EOutOfMemory);
}

TEST(Bitmap, PixelFormatChangesConvertThePixels) {
    auto b = NewBitmap(4, 1);
    TCanvas* c = b->GetCanvas();
    c->SetPixels(0, 0, clSilver);
    c->SetPixels(1, 0, RGB(10, 20, 250));
    c->SetPixels(2, 0, RGB(0xC0, 0x80, 0x08));
    for (TPixelFormat f : {pf24bit, pf15bit, pf8bit, pf4bit, pf1bit, pf32bit}) {
        SCOPED_TRACE(int(f));
        b->SetPixelFormat(f);
        EXPECT_EQ(b->GetPixelFormat(), f);
        const size_t palette = f == pf1bit ? 2 : f == pf4bit ? 16 : f == pf8bit ? 256 : 0;
        EXPECT_EQ(b->GetPalette().size(), palette);
    }
    // After 1 bit everything is black or white.
    EXPECT_EQ(Picture(*b), ".##.\n");
    b->SetPixelFormat(pfDevice);
    EXPECT_EQ(b->GetPixelFormat(), pf32bit);

    auto d = NewBitmap(3, 1);
    d->GetCanvas()->SetPixels(0, 0, clSilver);
    d->GetCanvas()->SetPixels(1, 0, RGB(10, 20, 250));
    d->SetPixelFormat(pf4bit);
    EXPECT_EQ(d->GetCanvas()->GetPixels(0, 0), clSilver);
    EXPECT_EQ(d->GetCanvas()->GetPixels(1, 0), clBlue);
    d->SetPixelFormat(pf24bit);
    const uint8_t* p = d->GetScanLine(0);
    EXPECT_EQ(p[0], 0xC0); // B, G, R
    EXPECT_EQ(p[3], 0xFF);
    EXPECT_EQ(p[5], 0x00);
}

TEST(Bitmap, ScanLinesAreCheckedRowsOfTheFormat) {
    auto b = NewBitmap(5, 3, pf4bit);
    EXPECT_EQ(b->GetStride(), 4);
    EXPECT_EQ(b->GetScanLine(1) - b->GetScanLine(0), 4);
    try {
        b->GetScanLine(3);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Scan line index out of range");
    }
    EXPECT_THROW(b->GetScanLine(-1), EInvalidGraphic);
}

TEST(Bitmap, AssignCopiesEverythingIndependently) {
    auto a = NewBitmap(6, 5, pf8bit);
    Paint(*a);
    a->SetTransparent(true);
    TBitmap b;
    b.Assign(a.get());
    EXPECT_EQ(b.GetPixelFormat(), pf8bit);
    EXPECT_EQ(b.GetPalette(), a->GetPalette());
    EXPECT_TRUE(b.GetTransparent());
    EXPECT_EQ(Picture(b), Picture(*a));
    b.GetCanvas()->SetPixels(2, 2, clLime);
    EXPECT_NE(Picture(b), Picture(*a));
    b.Assign(nullptr);
    EXPECT_TRUE(b.GetEmpty());
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(Bitmap, ChangeEventsFollowDrawingAndResizing) {
    auto b = NewBitmap(4, 4);
    int changes = 0;
    b->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, b.get());
        ++changes;
    };
    b->GetCanvas()->Rectangle(0, 0, 2, 2);
    b->GetCanvas()->SetPixels(3, 3, clRed);
    EXPECT_EQ(changes, 2);
    b->SetSize(5, 5);
    EXPECT_EQ(changes, 3);
    b->SetSize(5, 5);
    EXPECT_EQ(changes, 3);
}

TEST_F(BitmapFiles, BmpRoundTripsKeepFormatPaletteAndPixels) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(int(f));
        auto a = NewBitmap(7, 5, f);
        Paint(*a);
        const std::string name = File("a.bmp");
        a->SaveToFile(name);
        TBitmap b;
        b.LoadFromFile(name);
        EXPECT_EQ(b.GetWidth(), 7);
        EXPECT_EQ(b.GetHeight(), 5);
        EXPECT_EQ(b.GetPixelFormat(), f == pf16bit ? pf24bit : f);
        EXPECT_EQ(Picture(b), Picture(*a));
        if (f == pf4bit || f == pf8bit) {
            EXPECT_EQ(b.GetPalette(), a->GetPalette());
            for (int y = 0; y < 5; ++y)
                EXPECT_EQ(
                    0, std::memcmp(b.GetScanLine(y), a->GetScanLine(y), (7 * (f == pf4bit ? 4 : 8) + 7) / 8));
        }
    }
}

TEST_F(BitmapFiles, PngRoundTripAndFormatByExtension) {
    auto a = NewBitmap(9, 6);
    Paint(*a);
    a->SaveToFile(File("a.PNG"));
    std::ifstream in(File("a.PNG"), std::ios::binary);
    char sig[4] = {};
    in.read(sig, 4);
    EXPECT_EQ(std::string(sig + 1, 3), "PNG");
    TBitmap b;
    b.LoadFromFile(File("a.PNG"));
    EXPECT_EQ(Picture(b), Picture(*a));
    const std::vector<uint8_t> bmp = a->SaveToMemory();
    ASSERT_GE(bmp.size(), 2u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_THROW(a->SaveToFile(File("a.jpg")), EInvalidGraphic);
}

TEST_F(BitmapFiles, StreamsCarryImagesFromTheirPosition) {
    auto a = NewBitmap(5, 4, pf8bit);
    Paint(*a);
    for (TImageFileFormat f : {iffBMP, iffPNG}) {
        SCOPED_TRACE(int(f));
        TMemoryStream m;
        m.WriteBuffer("head", 4);
        a->SaveToStream(&m, f);
        EXPECT_EQ(m.GetSize(), 4 + static_cast<int64_t>(a->SaveToMemory(f).size()));
        m.SetPosition(4);
        TBitmap b;
        b.LoadFromStream(&m);
        EXPECT_EQ(Picture(b), Picture(*a));
    }
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(nullptr), EInvalidArgument);
    EXPECT_THROW(a->SaveToStream(nullptr), EInvalidArgument);
}

TEST_F(BitmapFiles, JpegLoadsWithProgressEvents) {
    TBitmap b;
    std::vector<std::pair<TProgressStage, int>> events;
    b.OnProgress = [&](TObject*, TProgressStage Stage, uint8_t Percent, bool, const TRect&,
                       const std::string&) { events.emplace_back(Stage, Percent); };
    b.LoadFromFile(std::string(QYX_TEST_DATA) + "/rgb.jpg");
    EXPECT_FALSE(b.GetEmpty());
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front(), std::make_pair(psStarting, 0));
    EXPECT_EQ(events.back(), std::make_pair(psEnding, 100));
    for (size_t i = 1; i + 1 < events.size(); ++i) EXPECT_EQ(events[i].first, psRunning);
}

TEST_F(BitmapFiles, FailuresRaiseAndLeaveTheBitmapAlone) {
    auto b = NewBitmap(2, 2);
    b->GetCanvas()->SetPixels(0, 0, clRed);
    try {
        b->LoadFromFile(File("missing.bmp"));
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + File("missing.bmp") + "\". No such file or directory");
    }
    const uint8_t junk[] = {'B', 'M', 1, 2, 3};
    EXPECT_THROW(b->LoadFromMemory(junk, sizeof junk), EInvalidGraphic);
    const uint8_t text[] = "hello";
    EXPECT_THROW(b->LoadFromMemory(text, sizeof text), EInvalidGraphic);
    EXPECT_THROW(b->LoadFromMemory(nullptr, 0), EInvalidGraphic);
    EXPECT_EQ(Picture(*b), "r.\n..\n");
    EXPECT_THROW(b->SaveToFile(File("no/such/dir/x.bmp")), EFCreateError);
}

} // namespace
} // namespace qyx
