// Marks on bitmap and printer canvases, marks as bitmaps, printing a bitmap, cross-hair settings.
#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/Bitmap.h>
#include <qyx/platform/Printer.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace qyx;

namespace {

constexpr TColor kBkg = 0x123456;
constexpr TColor kPen = 0x0000FF;
constexpr TColor kBrush = 0x00FF00;

// The expected pictures (data/marks.txt): "screen|printer <mark> <top dy> <left dx>" and the rows
// below it, '#' for a pixel in the pen colour and '.' for an untouched one.
struct TMarkArt {
    int Top = 0;
    int Left = 0;
    std::vector<std::string> Rows;
};
using TArtTable = std::map<std::pair<std::string, int>, TMarkArt>;

const TArtTable& Art() {
    static const TArtTable table = [] {
        TArtTable t;
        std::ifstream in(std::string(QYX_TEST_DATA) + "/marks.txt");
        std::string line;
        TMarkArt* cur = nullptr;
        while (std::getline(in, line)) {
            if (line.empty() || line.rfind("# ", 0) == 0) { // blank lines and "# " comments
                cur = nullptr;
                continue;
            }
            if (line[0] == 's' || line[0] == 'p') {
                std::istringstream hs(line);
                std::string target;
                int mark = 0;
                TMarkArt a;
                hs >> target >> mark >> a.Top >> a.Left;
                cur = &(t[{target, mark}] = a);
                continue;
            }
            if (cur != nullptr) cur->Rows.push_back(line);
        }
        return t;
    }();
    return table;
}

std::unique_ptr<TBitmap> Sheet(int W, int H) {
    auto b = std::make_unique<TBitmap>(W, H);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(kBkg);
    c->FillRect(Rect(0, 0, W, H));
    c->GetPen()->SetColor(kPen);
    c->GetBrush()->SetColor(kBrush);
    return b;
}

// The pixels of Canvas around (X, Y) in the art's window, '#' for Ink, '.' for Bkg, '?' otherwise.
std::vector<std::string> Window(const TCanvas& Canvas, int X, int Y, const TMarkArt& A, TColor Ink,
                                TColor Bkg) {
    std::vector<std::string> rows;
    for (size_t r = 0; r < A.Rows.size(); ++r) {
        std::string row;
        for (size_t c = 0; c < A.Rows[r].size(); ++c) {
            const TColor p =
                Canvas.GetPixels(X + A.Left + static_cast<int>(c), Y + A.Top + static_cast<int>(r));
            row += p == Ink ? '#' : p == Bkg ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// Number of pixels of Canvas in the W x H area that differ from Bkg.
int Painted(const TCanvas& Canvas, int W, int H, TColor Bkg) {
    int n = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) n += Canvas.GetPixels(x, y) != Bkg;
    return n;
}

int Count(const std::vector<std::string>& Rows, char C) {
    int n = 0;
    for (const std::string& r : Rows)
        for (char x : r) n += x == C;
    return n;
}

// Runs Draw inside a print job on a small page and returns a copy of the printed page (the printer
// is left empty, with its page size as before).
std::unique_ptr<TBitmap> PrintPage(const std::function<void(TCanvas*)>& Draw) {
    TPrinter* p = Printer();
    const int w = p->GetPageWidth(), h = p->GetPageHeight(), ppi = p->GetPixelsPerInch();
    p->SetPrinterInstalled(true);
    p->SetPageSize(1600, 300, 96);
    p->BeginDoc();
    Draw(p->GetCanvas());
    p->EndDoc();
    auto page = std::make_unique<TBitmap>();
    page->Assign(p->GetPage(0));
    p->ClearPages();
    p->SetPageSize(w, h, ppi);
    return page;
}

} // namespace

// ---- Symbols on a bitmap canvas --------------------------------------------------------------------

TEST(Marks, EverySymbolPaintsItsPictureAndNothingElse) {
    for (int mark = 0; mark <= 47; ++mark) {
        SCOPED_TRACE("mark " + std::to_string(mark));
        const auto it = Art().find({"screen", mark});
        ASSERT_NE(it, Art().end());
        const TMarkArt& art = it->second;
        auto b = Sheet(25, 25);
        DrawMarkOnCanvas(b->GetCanvas(), static_cast<uint8_t>(mark), 12, 12);
        EXPECT_EQ(Window(*b->GetCanvas(), 12, 12, art, kPen, kBkg), art.Rows);
        EXPECT_EQ(Painted(*b->GetCanvas(), 25, 25, kBkg), Count(art.Rows, '#'));
    }
}

TEST(Marks, LargePlusIsThirteenPixelsOnABitmap) {
    auto b = Sheet(9, 9);
    DrawMarkOnCanvas(b->GetCanvas(), 3, 4, 4);
    EXPECT_EQ(Painted(*b->GetCanvas(), 9, 9, kBkg), 13);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(b->GetCanvas()->GetPixels(i, 4), kPen);
        EXPECT_EQ(b->GetCanvas()->GetPixels(4, i), kPen);
    }
}

TEST(Marks, SymbolsKeepTheBrushColour) {
    // Filled symbols take the pen colour inside and give the brush its colour back.
    for (int mark : {7, 8, 9, 13, 14, 15, 24, 26, 28, 29, 30, 34, 36, 41, 43, 45, 47}) {
        SCOPED_TRACE(mark);
        auto b = Sheet(15, 15);
        TCanvas* c = b->GetCanvas();
        c->GetBrush()->SetColor(clRed);
        c->GetPen()->SetColor(clBlue);
        DrawMarkOnCanvas(c, static_cast<uint8_t>(mark), 7, 7);
        EXPECT_EQ(c->GetPixels(7, 7), clBlue);
        EXPECT_EQ(c->GetBrush()->GetColor(), clRed);
        EXPECT_EQ(c->GetBrush()->GetStyle(), bsSolid);
    }
    // Every symbol restores the brush colour, also a system colour.
    for (int mark = 0; mark <= 47; ++mark) {
        auto b = Sheet(15, 15);
        b->GetCanvas()->GetBrush()->SetColor(clBtnFace);
        DrawMarkOnCanvas(b->GetCanvas(), static_cast<uint8_t>(mark), 7, 7);
        EXPECT_EQ(b->GetCanvas()->GetBrush()->GetColor(), clBtnFace) << mark;
    }
}

TEST(Marks, OutlineSymbolsLeaveTheInsideAndASolidBrush) {
    for (int mark : {16, 17, 27, 31, 32, 33, 35, 39, 40, 42, 44, 46}) {
        SCOPED_TRACE(mark);
        auto b = Sheet(15, 15);
        TCanvas* c = b->GetCanvas();
        c->GetBrush()->SetStyle(bsClear);
        DrawMarkOnCanvas(c, static_cast<uint8_t>(mark), 7, 7);
        EXPECT_EQ(c->GetBrush()->GetStyle(), bsSolid);
        EXPECT_EQ(c->GetBrush()->GetColor(), kBrush);
        // No pixel takes the brush colour, although the brush was solid at the end.
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x) ASSERT_NE(c->GetPixels(x, y), kBrush);
    }
}

TEST(Marks, FilledSymbolsUseTheBrushStyleAsFound) {
    // With a clear brush a filled symbol shows only its outline: the style is the caller's.
    auto b = Sheet(15, 15);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetStyle(bsClear);
    DrawMarkOnCanvas(c, 24, 7, 7);
    EXPECT_EQ(c->GetPixels(7, 7), kBkg);
    EXPECT_EQ(c->GetPixels(4, 7), kPen);
    EXPECT_EQ(c->GetBrush()->GetStyle(), bsClear);
}

TEST(Marks, PenColourIsResolvedLikeAnyDrawing) {
    // Pattern pixels and lines in a system colour come out in its RGB value.
    for (int mark : {3, 12, 24}) {
        auto b = Sheet(15, 15);
        b->GetCanvas()->GetPen()->SetColor(clBtnShadow);
        DrawMarkOnCanvas(b->GetCanvas(), static_cast<uint8_t>(mark), 7, 7);
        EXPECT_EQ(b->GetCanvas()->GetPixels(7, 4), ColorToRGB(clBtnShadow)) << mark;
    }
}

TEST(Marks, CharacterMarksAreCentredText) {
    for (int mark : {48, 65, 103, 200, 255}) {
        SCOPED_TRACE(mark);
        auto a = Sheet(40, 40), b = Sheet(40, 40);
        a->GetCanvas()->GetFont()->SetSize(14);
        b->GetCanvas()->GetFont()->SetSize(14);
        const std::string text(1, static_cast<char>(mark));
        DrawMarkOnCanvas(a->GetCanvas(), static_cast<uint8_t>(mark), 20, 21);
        const int w = b->GetCanvas()->TextWidth(text), h = b->GetCanvas()->TextHeight(text);
        b->GetCanvas()->TextOut(20 - w / 2, 21 - h / 2, text);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(a->GetCanvas()->GetPixels(x, y), b->GetCanvas()->GetPixels(x, y)) << x << "," << y;
        // The text cell is opaque in the brush colour; the brush is not restored on this path.
        EXPECT_EQ(a->GetCanvas()->GetPixels(20 - w / 2, 21 - h / 2), kBrush);
    }
    // "A" has ink on both sides of its centre column; mark 47 is still the triangle.
    auto a = Sheet(40, 40);
    a->GetCanvas()->GetFont()->SetSize(20);
    a->GetCanvas()->GetFont()->SetColor(clBlack);
    DrawMarkOnCanvas(a->GetCanvas(), 65, 20, 20);
    int left = 0, right = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (a->GetCanvas()->GetPixels(x, y) == clBlack) (x < 20 ? left : right)++;
    EXPECT_GT(left, 10);
    EXPECT_GT(right, 10);
    EXPECT_LT(std::abs(left - right), (left + right) / 3);
}

TEST(Marks, MarksAtTheEdgeAndWithoutACanvasAreSafe) {
    for (int mark = 0; mark <= 255; ++mark) {
        auto b = Sheet(5, 5);
        DrawMarkOnCanvas(b->GetCanvas(), static_cast<uint8_t>(mark), 0, 0);
        DrawMarkOnCanvas(b->GetCanvas(), static_cast<uint8_t>(mark), 4, 4);
        DrawMarkOnCanvas(b->GetCanvas(), static_cast<uint8_t>(mark), -1000000, 1000000);
        DrawMarkOnCanvas(nullptr, static_cast<uint8_t>(mark), 0, 0);
    }
    // A mark half outside keeps its visible half.
    auto b = Sheet(5, 5);
    DrawMarkOnCanvas(b->GetCanvas(), 3, 0, 2);
    EXPECT_EQ(Painted(*b->GetCanvas(), 5, 5, kBkg), 4 + 4); // row 2 x 0..3 and column 0 rows -1..5
}

// ---- Symbols on the printer canvas -----------------------------------------------------------------

TEST(Marks, PatternMarksAreLinesOnThePrinterPage) {
    const int marks[] = {1, 2, 3, 4, 5, 6, 18, 25};
    auto page = PrintPage([&](TCanvas* C) {
        C->GetPen()->SetColor(kPen);
        for (int i = 0; i < 8; ++i) DrawMarkOnCanvas(C, static_cast<uint8_t>(marks[i]), 100 + 30 * i, 100);
    });
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE("mark " + std::to_string(marks[i]));
        const auto it = Art().find({"printer", marks[i]});
        ASSERT_NE(it, Art().end());
        EXPECT_EQ(Window(*page->GetCanvas(), 100 + 30 * i, 100, it->second, kPen, clWhite), it->second.Rows);
    }
    EXPECT_EQ(Painted(*page->GetCanvas(), 400, 200, clWhite), [&] {
        int n = 0;
        for (int m : marks) n += Count(Art().at({"printer", m}).Rows, '#');
        return n;
    }());
}

TEST(Marks, OtherSymbolsAreTheSameOnPaper) {
    auto page = PrintPage([](TCanvas* C) {
        C->GetPen()->SetColor(kPen);
        for (int mark = 0; mark <= 47; ++mark)
            DrawMarkOnCanvas(C, static_cast<uint8_t>(mark), 20 + 30 * mark, 20);
    });
    for (int mark = 0; mark <= 47; ++mark) {
        if (mark == 18 || mark == 25 || (mark >= 1 && mark <= 6)) continue;
        SCOPED_TRACE(mark);
        const TMarkArt& art = Art().at({"screen", mark});
        EXPECT_EQ(Window(*page->GetCanvas(), 20 + 30 * mark, 20, art, kPen, clWhite), art.Rows);
    }
}

TEST(Marks, PrinterTestNeedsNoPrinter) {
    // Without an installed printer, marks on other canvases draw as before and nothing raises.
    Printer()->SetPrinterInstalled(false);
    auto b = Sheet(9, 9);
    EXPECT_NO_THROW(DrawMarkOnCanvas(b->GetCanvas(), 3, 4, 4));
    EXPECT_NO_THROW(DrawMarkOnCanvas(Printer()->GetCanvas(), 3, 4, 4));
    Printer()->SetPrinterInstalled(true);
    EXPECT_EQ(Painted(*b->GetCanvas(), 9, 9, kBkg), 13);
}

// ---- Marks as bitmaps ------------------------------------------------------------------------------

TEST(Marks, CreateMarkAsBitmapSizes) {
    struct Case {
        int Size, Side;
    };
    for (const Case& c : {Case{300, 517}, Case{255, 517}, Case{0, 7}, Case{-4, 7}, Case{5, 17}}) {
        SCOPED_TRACE(c.Size);
        auto b = CreateMarkAsBitmap(9, clNavy, clYellow, c.Size);
        ASSERT_EQ(b->GetWidth(), c.Side);
        ASSERT_EQ(b->GetHeight(), c.Side);
        const int m = c.Side / 2;
        // The 7 x 7 filled square on the centre, the background everywhere else.
        for (int y = 0; y < c.Side; ++y)
            for (int x = 0; x < c.Side; ++x) {
                const bool in = std::abs(x - m) <= 3 && std::abs(y - m) <= 3;
                ASSERT_EQ(b->GetCanvas()->GetPixels(x, y), in ? clNavy : clYellow) << x << "," << y;
            }
    }
    auto big = CreateMarkAsBitmap(9, clNavy, clYellow, 300);
    EXPECT_EQ(big->GetCanvas()->GetPixels(258, 258), clNavy);
    EXPECT_EQ(big->GetCanvas()->GetPixels(255, 255), clNavy);
    EXPECT_EQ(big->GetCanvas()->GetPixels(254, 258), clYellow);
}

TEST(Marks, CreateMarkAsBitmapCutsLargeSymbols) {
    // Size 0: the flag post reaches 7 pixels up and is cut at the top edge.
    auto b = CreateMarkAsBitmap(37, clBlack, clWhite, 0);
    std::vector<std::string> rows;
    for (int y = 0; y < 7; ++y) {
        std::string r;
        for (int x = 0; x < 7; ++x) r += b->GetCanvas()->GetPixels(x, y) == clBlack ? '#' : '.';
        rows.push_back(r);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"...#...", "...#...", "...#...", "#######", ".......",
                                              ".......", "......."}));
    for (int mark = 0; mark <= 255; ++mark)
        EXPECT_EQ(CreateMarkAsBitmap(static_cast<uint8_t>(mark), 0, 0, 0)->GetWidth(), 7);
}

TEST(Marks, CreateMarkAsBitmapDrawsCharactersInTheMarkColour) {
    auto b = CreateMarkAsBitmap('W', clRed, clWhite, 10);
    int red = 0, other = 0;
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 27; ++x) {
            const TColor p = b->GetCanvas()->GetPixels(x, y);
            red += p == clRed;
            other += p != clRed && p != clWhite;
        }
    EXPECT_GT(red, 10);
    EXPECT_EQ(other, 0);
}

// ---- Printing a bitmap -----------------------------------------------------------------------------

TEST(PrintBitmap, CopiesEveryPixelAtItsPlace) {
    for (TPixelFormat fmt : {pf32bit, pf24bit, pf8bit, pf4bit}) {
        SCOPED_TRACE(static_cast<int>(fmt));
        TBitmap src(5, 3, fmt);
        const TColor colors[] = {clRed, clLime, clBlue, clYellow, clBlack, clWhite, clTeal, clMaroon};
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) src.GetCanvas()->SetPixels(x, y, colors[(x + 2 * y) % 8]);
        auto page = PrintPage([&](TCanvas* C) {
            C->SetCopyMode(cmSrcInvert);
            PrintBitmap(&src, 40, 30);
            EXPECT_EQ(C->GetCopyMode(), cmSrcInvert); // restored
        });
        for (int y = -1; y <= 3; ++y)
            for (int x = -1; x <= 5; ++x) {
                const bool in = x >= 0 && x < 5 && y >= 0 && y < 3;
                ASSERT_EQ(page->GetCanvas()->GetPixels(40 + x, 30 + y),
                          in ? src.GetCanvas()->GetPixels(x, y) : clWhite)
                    << x << "," << y;
            }
    }
}

TEST(PrintBitmap, NeedsAPrinterAndADocument) {
    TBitmap src(4, 4);
    TPrinter* p = Printer();
    ASSERT_FALSE(p->GetPrinting());
    try {
        PrintBitmap(&src, 0, 0);
        FAIL() << "no exception";
    } catch (const EPrinter& e) {
        EXPECT_STREQ(e.what(), "Printer is not currently printing");
    }
    p->SetPrinterInstalled(false);
    try {
        PrintBitmap(&src, 0, 0);
        FAIL() << "no exception";
    } catch (const EPrinter& e) {
        EXPECT_STREQ(e.what(), "There is no default printer currently selected");
    }
    p->SetPrinterInstalled(true);
    // A null or empty bitmap prints nothing.
    auto page = PrintPage([](TCanvas*) {
        PrintBitmap(nullptr, 0, 0);
        TBitmap empty;
        PrintBitmap(&empty, 0, 0);
    });
    EXPECT_EQ(Painted(*page->GetCanvas(), 50, 50, clWhite), 0);
}

// ---- Cross-hair settings ---------------------------------------------------------------------------

TEST(CrossHair, StartsAtZeroAndNotifiesEveryAssignment) {
    TCrossHair ch;
    EXPECT_EQ(ch.GetPosX(), 0.0);
    EXPECT_EQ(ch.GetPosY(), 0.0);
    EXPECT_EQ(ch.GetColor(), clBlack);
    EXPECT_EQ(ch.GetMode(), chOff);
    EXPECT_EQ(ch.GetLineType(), psSolid);
    EXPECT_EQ(ch.GetLineWid(), 0);
    EXPECT_EQ(ch.GetLayer(), 0);

    int calls = 0;
    TObject* sender = nullptr;
    ch.OnChange = [&](TObject* S) { ++calls, sender = S; };
    // The same value again still notifies.
    const std::function<void()> setters[] = {
        [&] { ch.SetCrossHPosX(0); },         [&] { ch.SetPosY(2.5); },
        [&] { ch.SetCrossHColor(clRed); },    [&] { ch.SetMode(chBoth); },
        [&] { ch.SetCrossHLineType(psDot); }, [&] { ch.SetLineWid(3); },
        [&] { ch.SetCrossHLayer(1); },
    };
    for (size_t i = 0; i < std::size(setters); ++i) {
        setters[i]();
        EXPECT_EQ(calls, static_cast<int>(i) + 1);
    }
    EXPECT_EQ(sender, &ch);
    EXPECT_EQ(ch.GetPosY(), 2.5);
    EXPECT_EQ(ch.GetColor(), clRed);
    EXPECT_EQ(ch.GetMode(), chBoth);
    EXPECT_EQ(ch.GetLineType(), psDot);
    EXPECT_EQ(ch.GetLineWid(), 3);
}

TEST(CrossHair, LayerIsLimitedToOneOrTwo) {
    TCrossHair ch;
    int calls = 0;
    ch.OnChange = [&](TObject*) { ++calls; };
    const int cases[][2] = {{5, 2}, {-1, 1}, {0, 1}, {2, 2}, {1, 1}, {3, 2}, {-2147483647 - 1, 1}};
    for (const auto& c : cases) {
        ch.SetLayer(c[0]);
        EXPECT_EQ(ch.GetLayer(), c[1]) << c[0];
    }
    EXPECT_EQ(calls, static_cast<int>(std::size(cases)));
    ch.OnChange = nullptr;
    ch.SetPosX(1); // an empty handler is skipped
}
