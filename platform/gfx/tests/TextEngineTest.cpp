// Text engine: fixed metrics of the mapped faces, ink inside the cell, styles, code page 1252,
// rotation and clipping of the text image.
#include "../src/TextEngine.h"

#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace qyx;
using namespace qyx::gfx;

namespace {

TFontRequest Font(const char* Name, int Height, TFontStyles Style = {}, int Escapement = 0) {
    return TFontRequest{Name, Height, Style, Escapement};
}

int InkCount(const TTextImage& Img) {
    return int(std::count(Img.Kind.begin(), Img.Kind.end(), 2));
}

uint8_t KindAt(const TTextImage& Img, int X, int Y) {
    X -= Img.Left, Y -= Img.Top;
    return X >= 0 && Y >= 0 && X < Img.Width && Y < Img.Height ? Img.Kind[size_t(Y) * Img.Width + X] : 0;
}

const char* const Sample = "(8g]}\xDC\xC4\xA7 Hello"; // "(8g]}ÜÄ§ Hello" in code page 1252

} // namespace

// Metrics are part of every layout: they must not change from run to run or machine to machine with
// the same fonts. Heights are 8, 10, 12 and 14 points at 96 dpi.
TEST(TextEngine, FixedMetricsOfTheMappedFaces) {
    struct TCase {
        const char* Name;
        int Height, TextHeight, Ascent, WidthHello, WidthSample;
    } Cases[] = {
        {"Arial", -11, 13, 10, 58, 44},           {"Arial", -13, 15, 12, 70, 52},
        {"Arial", -16, 19, 15, 88, 64},           {"Arial", -19, 23, 18, 104, 77},
        {"Times New Roman", -11, 13, 10, 60, 47}, {"Times New Roman", -13, 15, 12, 70, 53},
        {"Times New Roman", -16, 19, 15, 83, 66}, {"Times New Roman", -19, 22, 17, 101, 79},
        {"Courier New", -11, 14, 10, 84, 56},     {"Courier New", -13, 15, 11, 96, 64},
        {"Courier New", -16, 19, 14, 120, 80},    {"Courier New", -19, 22, 16, 132, 88},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Name << " " << C.Height);
        const TTextMetrics M = GetTextMetrics(Font(C.Name, C.Height));
        EXPECT_EQ(M.Height, C.TextHeight);
        EXPECT_EQ(M.Ascent, C.Ascent);
        EXPECT_EQ(M.Ascent + M.Descent, M.Height);
        EXPECT_EQ(M.InternalLeading, M.Height + C.Height);
        EXPECT_EQ(TextWidth(Font(C.Name, C.Height), "Hello, World"), C.WidthHello);
        EXPECT_EQ(TextWidth(Font(C.Name, C.Height), "(8g]}\xDC\xC4\xA7"), C.WidthSample);
    }
}

TEST(TextEngine, CourierNewIsMonospaced) {
    for (int Height : {-11, -16, -19})
        for (TFontStyles Style : {TFontStyles{}, TFontStyles{fsBold}, TFontStyles{fsItalic}}) {
            SCOPED_TRACE(Height);
            const TFontRequest F = Font("Courier New", Height, Style);
            const int W = TextWidth(F, "M");
            EXPECT_EQ(W, GetTextMetrics(F).AveCharWidth);
            for (int C = 1; C < 256; ++C) {
                const char Ch = char(C);
                ASSERT_EQ(TextWidth(F, std::string_view(&Ch, 1)), W) << "character " << C;
            }
        }
}

TEST(TextEngine, InkStaysInsideTheCell) {
    // Upright proportional glyphs never leave their cell; the rows hold every glyph of every face.
    for (const char* Name : {"Arial", "Times New Roman", "Courier New", "No Such Font"})
        for (int Height = -8; Height >= -24; --Height)
            for (TFontStyles Style : {TFontStyles{}, TFontStyles{fsBold}, TFontStyles{fsItalic}}) {
                SCOPED_TRACE(testing::Message() << Name << " " << Height << " style " << Style.Bits());
                const TFontRequest F = Font(Name, Height, Style);
                const TTextMetrics M = GetTextMetrics(F);
                // Every character's ink lies within the cell rows.
                for (int C = 32; C < 256; ++C) {
                    const char Ch = char(C);
                    const TTextImage Img = RenderText(F, std::string_view(&Ch, 1));
                    for (int y = 0; y < Img.Height; ++y)
                        for (int x = 0; x < Img.Width; ++x)
                            if (Img.Kind[size_t(y) * Img.Width + x] == 2) {
                                ASSERT_TRUE(Img.Top + y >= 0 && Img.Top + y < M.Height) << "character " << C;
                            }
                }
                // Slanted and fixed-pitch glyphs may overhang their advance by a pixel; upright
                // proportional text is exactly its cell: nothing outside, background or ink inside.
                if (Style.Contains(fsItalic) || std::string(Name) == "Courier New") continue;
                const TTextImage Img = RenderText(F, Sample);
                EXPECT_EQ(Img.Left, 0);
                EXPECT_EQ(Img.Top, 0);
                EXPECT_EQ(Img.Width, TextWidth(F, Sample));
                EXPECT_EQ(Img.Height, M.Height);
                EXPECT_EQ(std::count(Img.Kind.begin(), Img.Kind.end(), 0), 0);
                EXPECT_GT(InkCount(Img), 0);
            }
}

TEST(TextEngine, StylesWidenOrDrawLines) {
    for (const char* Name : {"Arial", "Times New Roman", "Courier New"})
        for (int Height : {-11, -13, -16, -19}) {
            SCOPED_TRACE(testing::Message() << Name << " " << Height);
            EXPECT_GE(TextWidth(Font(Name, Height, {fsBold}), "Hello, World"),
                      TextWidth(Font(Name, Height), "Hello, World"));
            EXPECT_GT(InkCount(RenderText(Font(Name, Height, {fsBold}), "Hello")),
                      InkCount(RenderText(Font(Name, Height), "Hello")));

            // Blanks have no ink: what appears are the lines, across the whole width.
            const TTextMetrics M = GetTextMetrics(Font(Name, Height));
            for (TFontStyle Line : {fsUnderline, fsStrikeOut}) {
                const TTextImage Img = RenderText(Font(Name, Height, {Line}), "    ");
                ASSERT_EQ(Img.Height, M.Height);
                std::vector<int> InkRows;
                for (int y = 0; y < Img.Height; ++y) {
                    const int N = int(std::count(Img.Kind.begin() + y * Img.Width,
                                                 Img.Kind.begin() + (y + 1) * Img.Width, 2));
                    if (N) {
                        EXPECT_EQ(N, Img.Width);
                        InkRows.push_back(y);
                    }
                }
                ASSERT_FALSE(InkRows.empty());
                EXPECT_EQ(InkRows.back() - InkRows.front() + 1, int(InkRows.size())); // one band
                if (Line == fsUnderline)
                    EXPECT_GE(InkRows.front(), M.Ascent); // below the baseline
                else
                    EXPECT_TRUE(InkRows.front() > M.Ascent / 4 && InkRows.back() < M.Ascent);
            }
        }
}

TEST(TextEngine, SynthesisedBoldAndItalic) {
    // A family installed with its regular face only has bold and italic made from it.
    const TFaceFile Face = FindFaceFile("DejaVu Math TeX Gyre", true, true);
    if (Face.File.find("MathTeXGyre") == std::string::npos) GTEST_SKIP() << "face not installed";
    EXPECT_TRUE(Face.SynthBold);
    EXPECT_TRUE(Face.SynthItalic);
    const TFontRequest Regular = Font("DejaVu Math TeX Gyre", -24),
                       Bold = Font("DejaVu Math TeX Gyre", -24, {fsBold});
    EXPECT_EQ(TextWidth(Bold, "abc"), TextWidth(Regular, "abc") + 3);
    EXPECT_GT(InkCount(RenderText(Bold, "abc")), InkCount(RenderText(Regular, "abc")));
    const TTextImage Italic = RenderText(Font("DejaVu Math TeX Gyre", -24, {fsItalic}), "l");
    const TTextImage Upright = RenderText(Regular, "l");
    EXPECT_NE(Italic.Kind, Upright.Kind);
}

TEST(TextEngine, CodePage1252Characters) {
    const TFontRequest F = Font("Arial", -16);
    auto Ink = [&](const char* S) { return RenderText(F, S).Kind; };
    // Undefined bytes draw the face's default glyph; defined ones draw their own glyph.
    EXPECT_EQ(Ink("\x81"), Ink("\x8D"));
    EXPECT_GT(InkCount(RenderText(F, "\x81")), 0);
    EXPECT_NE(Ink("\x80"), Ink("\x81")); // euro sign
    EXPECT_NE(Ink("\xE9"), Ink("\x81")); // e acute
    EXPECT_NE(Ink("\xE9"), Ink("e"));
    EXPECT_EQ(Cp1252ToCodePoint(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToCodePoint(0x9F), U'\u0178');
    EXPECT_EQ(Cp1252ToCodePoint(0xC4), U'\u00C4');
}

TEST(TextEngine, FontNamesMapToFreeFaces) {
    struct TCase {
        const char* Name;
        const char* Family;
    } Cases[] = {{"Arial", "Liberation Sans"},
                 {"ARIAL", "Liberation Sans"},
                 {"Helvetica", "Liberation Sans"},
                 {"MS Sans Serif", "Liberation Sans"},
                 {"default", "Liberation Sans"},
                 {"", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"},
                 {"Courier New", "Liberation Mono"},
                 {"Courier", "Liberation Mono"},
                 {"No Such Font", "DejaVu Sans"},
                 {"DejaVu Sans", "DejaVu Sans"}};
    const TTextMetrics Reference = GetTextMetrics(Font("Liberation Sans", -13));
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const TTextMetrics A = GetTextMetrics(Font(C.Name, -13)), B = GetTextMetrics(Font(C.Family, -13));
        EXPECT_EQ(A.Height, B.Height);
        EXPECT_EQ(A.AveCharWidth, B.AveCharWidth);
        EXPECT_EQ(A.MaxCharWidth, B.MaxCharWidth);
        EXPECT_EQ(TextWidth(Font(C.Name, -13), Sample), TextWidth(Font(C.Family, -13), Sample));
    }
    EXPECT_EQ(MapFontFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(MapFontFamily("Verdana"), "Verdana");
    EXPECT_NE(GetTextMetrics(Font("Courier New", -13)).MaxCharWidth, Reference.MaxCharWidth);
}

TEST(TextEngine, HeightsAndEdgeCases) {
    // A positive height asks for the cell height (the largest font whose cell fits), 0 for the default
    // of 8 points.
    for (int Cell : {12, 16, 20, 33}) {
        SCOPED_TRACE(Cell);
        const int Height = GetTextMetrics(Font("Arial", Cell)).Height;
        EXPECT_LE(Height, Cell);
        EXPECT_GE(Height, Cell - 2);
    }
    EXPECT_EQ(GetTextMetrics(Font("Arial", 0)).Height, GetTextMetrics(Font("Arial", -11)).Height);
    EXPECT_EQ(GetTextMetrics(Font("Arial", -100000)).Height, GetTextMetrics(Font("Arial", -2048)).Height);
    EXPECT_EQ(TextWidth(Font("Arial", -11), ""), 0);
    const TTextImage Empty = RenderText(Font("Arial", -11, {fsUnderline}, 900), "");
    EXPECT_EQ(Empty.Width * Empty.Height, 0);
    EXPECT_TRUE(Empty.Kind.empty());

    // Metrics survive the font cache being emptied (more fonts than it holds).
    const TTextMetrics Before = GetTextMetrics(Font("Times New Roman", -17));
    const TTextImage ImageBefore = RenderText(Font("Times New Roman", -17), Sample);
    for (int H = -5; H > -80; --H) GetTextMetrics(Font("Arial", H));
    const TTextMetrics After = GetTextMetrics(Font("Times New Roman", -17));
    EXPECT_EQ(Before.Height, After.Height);
    EXPECT_EQ(Before.AveCharWidth, After.AveCharWidth);
    EXPECT_EQ(RenderText(Font("Times New Roman", -17), Sample).Kind, ImageBefore.Kind);
}

TEST(TextEngine, QuarterTurnsAreExact) {
    // Escapement turns counterclockwise on screen about the cell's top-left corner: at 90 degrees the
    // text runs upwards and the cell covers x 0..H-1, y -W..-1.
    const TFontRequest Flat = Font("Arial", -16, {fsUnderline});
    const TTextImage Plain = RenderText(Flat, Sample);
    const int W = Plain.Width, H = Plain.Height;
    struct TCase {
        int Escapement;
        TRect Box;
        TPoint (*Map)(int, int); // where the unrotated pixel (x, y) goes
    } Cases[] = {
        {900,
         {0, -W, H, 0},
         [](int x, int y) {
             return TPoint{y, -x - 1};
         }},
        {-2700,
         {0, -W, H, 0},
         [](int x, int y) {
             return TPoint{y, -x - 1};
         }},
        {1800,
         {-W, -H, 0, 0},
         [](int x, int y) {
             return TPoint{-x - 1, -y - 1};
         }},
        {2700,
         {-H, 0, 0, W},
         [](int x, int y) {
             return TPoint{-y - 1, x};
         }},
        {-900,
         {-H, 0, 0, W},
         [](int x, int y) {
             return TPoint{-y - 1, x};
         }},
        {3600,
         {0, 0, W, H},
         [](int x, int y) {
             return TPoint{x, y};
         }},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Escapement);
        TFontRequest Turned = Flat;
        Turned.Escapement = C.Escapement;
        const TTextImage Img = RenderText(Turned, Sample);
        EXPECT_EQ((TRect{Img.Left, Img.Top, Img.Left + Img.Width, Img.Top + Img.Height}), C.Box);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const TPoint P = C.Map(x, y);
                ASSERT_EQ(KindAt(Img, P.x, P.y), KindAt(Plain, x, y)) << x << "," << y;
            }
        EXPECT_EQ(InkCount(Img), InkCount(Plain));
        EXPECT_EQ(TextWidth(Turned, Sample), W); // extents stay unrotated
    }
}

TEST(TextEngine, OtherAnglesAndClipping) {
    const TFontRequest Flat = Font("Times New Roman", -19);
    const TTextImage Plain = RenderText(Flat, Sample);
    for (int Escapement : {0, 300, 450, 900, 1350, 3300}) {
        SCOPED_TRACE(Escapement);
        TFontRequest F = Flat;
        F.Escapement = Escapement;
        const TTextImage Img = RenderText(F, Sample);
        // The turned cell keeps its area and its ink, up to resampling.
        const int Cell = int(std::count(Img.Kind.begin(), Img.Kind.end(), 1)) + InkCount(Img);
        EXPECT_NEAR(Cell, Plain.Width * Plain.Height, Plain.Width * Plain.Height / 20);
        EXPECT_NEAR(InkCount(Img), InkCount(Plain), InkCount(Plain) / 5);
        EXPECT_EQ(KindAt(Img, 0, 0) != 0 || KindAt(Img, 0, -1) != 0 || KindAt(Img, -1, 0) != 0 ||
                      KindAt(Img, -1, -1) != 0,
                  true); // the reference point is a corner of the cell

        // A clipped image is the same part of the unclipped one.
        const TRect Clip{Img.Left + 3, Img.Top + 2, Img.Left + Img.Width / 2, Img.Top + Img.Height - 1};
        const TTextImage Part = RenderText(F, Sample, Clip);
        EXPECT_EQ((TRect{Part.Left, Part.Top, Part.Left + Part.Width, Part.Top + Part.Height}), Clip);
        for (int y = Clip.Top; y < Clip.Bottom; ++y)
            for (int x = Clip.Left; x < Clip.Right; ++x)
                ASSERT_EQ(KindAt(Part, x, y), KindAt(Img, x, y)) << x << "," << y;
    }
    const TTextImage Outside = RenderText(Flat, Sample, TRect{-50, -50, -10, -10});
    EXPECT_TRUE(Outside.Kind.empty());
}
