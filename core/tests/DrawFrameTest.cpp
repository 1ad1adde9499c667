// Frames and rectangle outlines, read back pixel by pixel.
#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/Bitmap.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qyx;

namespace {

constexpr TColor kBkg = 0x123456; // none of the frame colours
constexpr TColor kHilite = 0xFFFFFF, kLight = 0xC0C0C0, kShadow = 0x808080, kDark = 0x000000;
constexpr TColor kFrame = 0x0000FF;

// A bitmap filled with kBkg.
std::unique_ptr<TBitmap> Sheet(int W, int H) {
    auto b = std::make_unique<TBitmap>(W, H);
    b->GetCanvas()->GetBrush()->SetColor(kBkg);
    b->GetCanvas()->FillRect(Rect(0, 0, W, H));
    return b;
}

void Frame(TBitmap& B, TFrameStyle Style, int L, int T, int R, int Bt) {
    DrawFrame(B.GetCanvas(), Style, L, T, R, Bt, kHilite, kLight, kShadow, kDark, kFrame);
}

// The picture as rows of letters, one per pixel: the key maps colours to letters, '.' = kBkg.
std::vector<std::string> Picture(TBitmap& B) {
    std::vector<std::string> rows;
    for (int y = 0; y < B.GetHeight(); ++y) {
        std::string row;
        for (int x = 0; x < B.GetWidth(); ++x) {
            const TColor c = B.GetCanvas()->GetPixels(x, y);
            row += c == kBkg      ? '.'
                   : c == kHilite ? 'W'
                   : c == kLight  ? 'L'
                   : c == kShadow ? 'S'
                   : c == kDark   ? 'D'
                   : c == kFrame  ? 'F'
                                  : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// The expected 10 x 10 picture of a 3-D style from the letters of its four half colours.
std::vector<std::string> Rings(char A, char B, char C, char D) {
    std::vector<std::string> p(10, std::string(10, '.'));
    for (int i = 0; i < 10; ++i) p[0][i] = A, p[9][i] = B; // outer rows
    for (int i = 1; i <= 8; ++i) p[i][0] = A, p[i][9] = B; // outer columns
    for (int i = 1; i <= 8; ++i) p[1][i] = C, p[8][i] = D; // inner rows
    for (int i = 2; i <= 7; ++i) p[i][1] = C, p[i][8] = D; // inner columns
    return p;
}

} // namespace

TEST(DrawFrame, RaisedOnTenByTenAsDocumented) {
    auto b = Sheet(10, 10);
    Frame(*b, fsRaised, 0, 0, 9, 9);
    const std::vector<std::string> expected = {
        "WWWWWWWWWW", //
        "WLLLLLLLLD", //
        "WL......SD", //
        "WL......SD", //
        "WL......SD", //
        "WL......SD", //
        "WL......SD", //
        "WL......SD", //
        "WSSSSSSSSD", //
        "DDDDDDDDDD", //
    };
    EXPECT_EQ(Picture(*b), expected);
    // The lower-left pixel of each ring takes the bottom-right colour, the upper-right the top-left.
    EXPECT_EQ(b->GetCanvas()->GetPixels(0, 9), kDark);
    EXPECT_EQ(b->GetCanvas()->GetPixels(9, 0), kHilite);
    EXPECT_EQ(b->GetCanvas()->GetPixels(1, 8), kShadow);
    EXPECT_EQ(b->GetCanvas()->GetPixels(8, 1), kLight);
}

TEST(DrawFrame, EveryThreeDStyleUsesItsFourColours) {
    struct Case {
        TFrameStyle Style;
        char A, B, C, D;
        TColor LastPen;
    };
    const Case cases[] = {
        {fsLowered, 'S', 'W', 'D', 'L', kLight},
        {fsRaised, 'W', 'D', 'L', 'S', kShadow},
        {fsEmbossed, 'W', 'S', 'S', 'W', kHilite},
        {fsEngraved, 'S', 'W', 'W', 'S', kShadow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(xmlFrameStyle[c.Style]);
        auto b = Sheet(10, 10);
        Frame(*b, c.Style, 0, 0, 9, 9);
        EXPECT_EQ(Picture(*b), Rings(c.A, c.B, c.C, c.D));
        EXPECT_EQ(b->GetCanvas()->GetPen()->GetColor(), c.LastPen); // pen left at D
    }
}

TEST(DrawFrame, SimpleIsTheRectangleOutlineInFrameColour) {
    auto b = Sheet(10, 8);
    b->GetCanvas()->GetPen()->SetColor(kHilite);
    Frame(*b, fsSimple, 1, 1, 8, 6);
    const std::vector<std::string> expected = {
        "..........", //
        ".FFFFFFFF.", //
        ".F......F.", //
        ".F......F.", //
        ".F......F.", //
        ".F......F.", //
        ".FFFFFFFF.", //
        "..........", //
    };
    EXPECT_EQ(Picture(*b), expected);
    EXPECT_EQ(b->GetCanvas()->GetPen()->GetColor(), kFrame);

    auto r = Sheet(10, 8);
    r->GetCanvas()->GetPen()->SetColor(kFrame);
    DrawRectangle(r->GetCanvas(), 1, 1, 8, 6);
    EXPECT_EQ(Picture(*r), expected);
}

TEST(DrawFrame, NoneAndUnknownStylesDrawNothing) {
    for (int style : {int{fsNone}, 6, 200, 255}) {
        SCOPED_TRACE(style);
        auto b = Sheet(10, 10);
        b->GetCanvas()->GetPen()->SetColor(kFrame);
        Frame(*b, static_cast<TFrameStyle>(style), 0, 0, 9, 9);
        EXPECT_EQ(Picture(*b), std::vector<std::string>(10, std::string(10, '.')));
        EXPECT_EQ(b->GetCanvas()->GetPen()->GetColor(), kFrame);
    }
}

TEST(DrawFrame, OffsetFrameLeavesItsSurroundingsAlone) {
    auto b = Sheet(14, 12);
    Frame(*b, fsLowered, 2, 1, 11, 10);
    const std::vector<std::string> pic = Picture(*b);
    const std::vector<std::string> rings = Rings('S', 'W', 'D', 'L');
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 14; ++x) {
            const bool inside = x >= 2 && x <= 11 && y >= 1 && y <= 10;
            EXPECT_EQ(pic[y][x], inside ? rings[y - 1][x - 2] : '.') << x << "," << y;
        }
}

TEST(DrawFrame, DegenerateAndOutsideFramesAreSafe) {
    // Frames of one or two pixels, reversed corners, frames reaching past the bitmap and a null
    // canvas: nothing crashes and nothing outside the bitmap is touched.
    const int boxes[][4] = {{3, 3, 3, 3}, {3, 3, 4, 4}, {8, 8, 2, 2}, {-5, -5, 20, 20}, {-100, 4, -90, 6}};
    for (const auto& bx : boxes) {
        for (TFrameStyle s : {fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved}) {
            auto b = Sheet(10, 10);
            Frame(*b, s, bx[0], bx[1], bx[2], bx[3]);
        }
    }
    DrawFrame(nullptr, fsRaised, 0, 0, 9, 9, kHilite, kLight, kShadow, kDark, kFrame);
    DrawRectangle(nullptr, 0, 0, 9, 9);

    // A single pixel frame of fsSimple paints that pixel.
    auto b = Sheet(5, 5);
    Frame(*b, fsSimple, 2, 2, 2, 2);
    EXPECT_EQ(b->GetCanvas()->GetPixels(2, 2), kBkg); // every LineTo is zero-length
    // The outline frame cut by the bitmap edge keeps its visible part.
    auto c = Sheet(6, 6);
    Frame(*c, fsSimple, -2, -2, 3, 3);
    EXPECT_EQ(Picture(*c),
              (std::vector<std::string>{"...F..", "...F..", "...F..", "FFFF..", "......", "......"}));
}

TEST(DrawRectangle, CornersInAnyOrderGiveTheSameOutline) {
    auto a = Sheet(9, 9), b = Sheet(9, 9);
    a->GetCanvas()->GetPen()->SetColor(kFrame);
    b->GetCanvas()->GetPen()->SetColor(kFrame);
    DrawRectangle(a->GetCanvas(), 1, 2, 7, 6);
    DrawRectangle(b->GetCanvas(), 7, 6, 1, 2);
    EXPECT_EQ(Picture(*a), Picture(*b));
    EXPECT_EQ(Picture(*a)[2], ".FFFFFFF.");
    EXPECT_EQ(Picture(*a)[4], ".F.....F.");
    // The pen keeps its colour, width and mode.
    EXPECT_EQ(a->GetCanvas()->GetPen()->GetColor(), kFrame);
    EXPECT_EQ(a->GetCanvas()->GetPen()->GetMode(), pmCopy);
}

TEST(DrawRectangle, XorOutlineDrawnTwiceRestores) {
    // Each outline pixel is touched exactly once, so an XOR pen undoes itself.
    auto b = Sheet(9, 9);
    TCanvas* c = b->GetCanvas();
    const std::vector<std::string> before = Picture(*b);
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(0xFFFFFF);
    DrawRectangle(c, 1, 1, 7, 7);
    EXPECT_NE(Picture(*b), before);
    DrawRectangle(c, 1, 1, 7, 7);
    EXPECT_EQ(Picture(*b), before);
}
