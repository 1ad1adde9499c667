// TMolForm: display properties, when the control repaints, copying between controls, and what its
// painting puts where on the control's surface.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_cform.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/TestDriver.h>

using namespace qyx;

namespace {

// Counts the paints, whoever asks for them.
class TCountingMolForm : public TMolForm {
public:
    using TMolForm::TMolForm;
    int Paints = 0;
    void Paint() override {
        ++Paints;
        TMolForm::Paint();
    }
};

class MolFormTest : public ::testing::Test {
protected:
    TTestDriver Driver;
};

// The small font of the control: 0.8 of the size, rounded, plus one point.
void SmallFont(const TMolForm& F, TFont& Small) {
    Small.Assign(F.GetFont());
    Small.SetSize(static_cast<int>(std::nearbyint(F.GetFont()->GetSize() * 0.8)) + 1);
}

int SmallSize(const TMolForm& F) {
    return static_cast<int>(std::nearbyint(F.GetFont()->GetSize() * 0.8)) + 1;
}

int Width(const TFont* Font, const std::string& Text) {
    TBitmap b;
    b.GetCanvas()->SetFont(Font);
    return b.GetCanvas()->TextWidth(Text);
}

// One text the control should show: its font and where its cell starts on the wide picture.
struct TPlaced {
    std::string Text;
    bool Small;
    int X, Y;
};

// Expects every text's cell, moved right by Shift, to show exactly the text's glyphs: ink pixels in
// Ink, all other pixels of the cell in Paper. Row 0 and pixels outside the control are not checked.
// Returns for each text the number of its ink pixels inside the control.
std::vector<int> ExpectTexts(TMolForm& F, const std::vector<TPlaced>& Texts, int Shift, TColor Ink,
                             TColor Paper) {
    TFont small;
    SmallFont(F, small);
    std::vector<int> visible;
    for (const TPlaced& t : Texts) {
        SCOPED_TRACE("text \"" + t.Text + "\" at " + std::to_string(t.X) + "," + std::to_string(t.Y));
        const TFont* font = t.Small ? &small : F.GetFont();
        TBitmap ref;
        ref.GetCanvas()->SetFont(font);
        const int w = ref.GetCanvas()->TextWidth(t.Text), h = ref.GetCanvas()->TextHeight(t.Text);
        ref.SetSize(w, h);
        ref.GetCanvas()->GetBrush()->SetColor(clWhite);
        ref.GetCanvas()->FillRect({0, 0, w, h});
        ref.GetCanvas()->GetBrush()->SetStyle(bsClear);
        ref.GetCanvas()->SetFont(font);
        ref.GetCanvas()->GetFont()->SetColor(clBlack);
        ref.GetCanvas()->TextOut(0, 0, t.Text);
        int inkSeen = 0, wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int cx = t.X + Shift + x, cy = t.Y + y;
                if (cx < 0 || cx >= F.GetWidth() || cy < 1 || cy >= F.GetHeight()) continue;
                const bool ink = ref.GetCanvas()->GetPixels(x, y) == clBlack;
                const TColor got = F.GetCanvas()->GetPixels(cx, cy);
                if (got != (ink ? Ink : Paper)) ++wrong;
                inkSeen += ink ? 1 : 0;
            }
        EXPECT_EQ(wrong, 0);
        visible.push_back(inkSeen);
    }
    return visible;
}

// Every text shows at least part of its glyphs.
void ExpectAllVisible(const std::vector<int>& Visible) {
    for (size_t i = 0; i < Visible.size(); ++i) EXPECT_GT(Visible[i], 0) << "text " << i;
}

// The layout of a formula drawn from x = 1: mass numbers at the top, symbols at a fifth of the
// height, counts at a quarter of the height plus the small size; returns the end x.
int Layout(const TMolForm& F, const std::vector<TPlaced>& Parts, std::vector<TPlaced>& Out) {
    TFont small;
    SmallFont(F, small);
    const int h = F.GetHeight();
    int x = 1;
    for (TPlaced p : Parts) {
        // Parts carry only their role in Y: 0 mass number, 1 symbol, 2 count.
        const int role = p.Y;
        p.Small = role != 1;
        p.Y = role == 0 ? 0 : role == 1 ? h / 5 : h / 4 + SmallSize(F);
        p.X = x;
        x += Width(p.Small ? &small : F.GetFont(), p.Text);
        Out.push_back(p);
    }
    return x;
}

constexpr int kMass = 0, kSymbol = 1, kCount = 2;

} // namespace

TEST_F(MolFormTest, DefaultsAndSizes) {
    TMolForm f(nullptr);
    EXPECT_EQ(f.GetWidth(), 120);
    EXPECT_EQ(f.GetHeight(), 28);
    EXPECT_EQ(f.GetColorTxt(), clBlack);
    EXPECT_EQ(f.GetColorBkg(), clBtnFace);
    EXPECT_EQ(f.GetAlignment(), taCenter);
    EXPECT_EQ(f.GetIsotopeVis(), ivSpecial);
    EXPECT_TRUE(f.GetUseDeuterium());
    EXPECT_FALSE(f.GetShowAsText());
    EXPECT_FALSE(f.GetTransparent());
    EXPECT_EQ(f.GetMolFormula(), "1H2 16O ");
    EXPECT_EQ(f.GetFormulaText(), "H2O");

    // Painting sets the height to twice the line height of the small font, whatever it was.
    TFont small;
    SmallFont(f, small);
    TBitmap b;
    b.GetCanvas()->SetFont(&small);
    const int expected = 2 * b.GetCanvas()->TextHeight("M");
    f.SetHeight(50);
    f.Paint();
    EXPECT_EQ(f.GetHeight(), expected);
    f.GetFont()->SetSize(14);
    SmallFont(f, small);
    b.GetCanvas()->SetFont(&small);
    f.Paint();
    EXPECT_EQ(f.GetHeight(), 2 * b.GetCanvas()->TextHeight("M"));
    EXPECT_GT(f.GetHeight(), expected);
}

TEST_F(MolFormTest, SettersRepaintAtOnceOrThroughTheLoopWhenTransparent) {
    TCountingMolForm f(nullptr);
    struct TCase {
        const char* Name;
        std::function<void()> Set;
        bool AlwaysAtOnce;
    };
    const std::vector<TCase> cases = {
        {"ColorTxt", [&] { f.SetColorTxt(clRed); }, true},
        {"ColorBkg", [&] { f.SetColorBkg(clYellow); }, true},
        {"Alignment", [&] { f.SetAlignment(taRightJustify); }, false},
        {"IsotopeVis", [&] { f.SetIsotopeVis(ivAlways); }, false},
        {"UseDeuterium", [&] { f.SetUseDeuterium(false); }, false},
        {"ShowAsText", [&] { f.SetShowAsText(true); }, false},
        {"MolFormula", [&] { f.SetMolFormula("C6 H6"); }, false},
        {"ReadFromString", [&] { f.ReadFromString("N2"); }, false},
        {"Clear", [&] { f.Clear(); }, false},
        {"ShowIt", [&] { f.ShowIt(); }, false},
    };
    for (bool transparent : {false, true}) {
        f.SetTransparent(transparent);
        Driver.ProcessMessages();
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (transparent ? " transparent" : " opaque"));
            f.Paints = 0;
            c.Set();
            if (transparent && !c.AlwaysAtOnce) {
                EXPECT_EQ(f.Paints, 0);
            } else {
                EXPECT_GE(f.Paints, 1);
            }
            Driver.ProcessMessages();
            EXPECT_GE(f.Paints, 1); // the loop paints what was invalidated
        }
    }

    // Properties hold their values.
    EXPECT_EQ(f.GetColorTxt(), clRed);
    EXPECT_EQ(f.GetColorBkg(), clYellow);
    EXPECT_EQ(f.GetAlignment(), taRightJustify);
    EXPECT_EQ(f.GetIsotopeVis(), ivAlways);
    EXPECT_FALSE(f.GetUseDeuterium());
    EXPECT_TRUE(f.GetShowAsText());
    EXPECT_TRUE(f.GetTransparent());
}

TEST_F(MolFormTest, InvisibleControlPaintsNothing) {
    TMolForm f(nullptr);
    f.SetColorBkg(clYellow);
    EXPECT_EQ(f.GetCanvas()->GetPixels(0, 0), clYellow);
    f.SetVisible(false);
    f.GetCanvas()->GetBrush()->SetColor(clBlue);
    f.GetCanvas()->FillRect({0, 0, f.GetWidth(), f.GetHeight()});
    f.SetColorBkg(clRed);
    f.Paint();
    EXPECT_EQ(f.GetCanvas()->GetPixels(0, 0), clBlue);
}

TEST_F(MolFormTest, AssignCopiesSettingsFormulaAndSearch) {
    TMolForm a(nullptr), b(nullptr);
    a.SetColorTxt(clRed);
    a.SetColorBkg(clYellow);
    a.SetAlignment(taLeftJustify);
    a.SetIsotopeVis(ivNone);
    a.SetUseDeuterium(false);
    a.SetShowAsText(true);
    a.SetMolFormula("13C2 H6 O");
    // A search under way: the copy continues it where the original stands.
    TFormulaRec lower, upper;
    upper.NumAtoms = 3;
    const int z[] = {6, 1, 8}, m[] = {12, 1, 16}, n[] = {4, 10, 2};
    for (int k = 1; k <= 3; ++k) {
        upper.AtNum[k] = static_cast<uint8_t>(z[k - 1]);
        upper.AtWgt[k] = static_cast<uint8_t>(m[k - 1]);
        upper.AtCnt[k] = static_cast<uint8_t>(n[k - 1]);
    }
    a.InitFindFormula(46.0, 0.05, lower, upper);
    ASSERT_TRUE(a.FindFormulaNominalMass(false));
    a.SetMolFormula("13C2 H6 O"); // the formula text and entries are copied too

    b.Assign(&a);
    EXPECT_EQ(b.GetColorTxt(), clRed);
    EXPECT_EQ(b.GetColorBkg(), clYellow);
    EXPECT_EQ(b.GetAlignment(), taLeftJustify);
    EXPECT_EQ(b.GetIsotopeVis(), ivNone);
    EXPECT_FALSE(b.GetUseDeuterium());
    EXPECT_TRUE(b.GetShowAsText());
    EXPECT_FALSE(b.GetTransparent());
    EXPECT_EQ(b.GetFormulaText(), "13C2 H6 O");
    EXPECT_EQ(b.GetMolFormula(), a.GetMolFormula());
    EXPECT_EQ(b.CompareTo(&a), 0);
    EXPECT_EQ(b.GetCanvas()->GetPixels(0, 0), clYellow); // repainted with the copied colours
    for (int step = 0; step < 6; ++step) {
        SCOPED_TRACE(step);
        const bool fa = a.FindFormulaNominalMass(false), fb = b.FindFormulaNominalMass(false);
        ASSERT_EQ(fa, fb);
        EXPECT_EQ(b.AsString(1), a.AsString(1));
    }

    // AssignTo goes through the destination's Assign; other kinds of object are refused.
    TMolForm c(nullptr);
    a.SetTransparent(true);
    a.AssignTo(&c);
    EXPECT_TRUE(c.GetTransparent());
    EXPECT_EQ(c.GetColorTxt(), clRed);
    TFont font;
    EXPECT_THROW(c.Assign(&font), EConvertError);
    EXPECT_THROW(a.AssignTo(&font), EConvertError);
}

// Where each part of a formula lands: mass numbers raised in the small font, symbols in the normal
// font, counts lowered in the small font; "D" for deuterium; entries of count 0 left out.
TEST_F(MolFormTest, PaintsMassNumbersSymbolsAndCountsInPlace) {
    struct TCase {
        const char* Formula;
        TIsotVisib Vis;
        bool UseD;
        std::vector<TPlaced> Parts; // Y holds the role
    };
    const std::vector<TCase> cases = {
        {"C6 H12 O6",
         ivSpecial,
         true,
         {{"C", 0, 0, kSymbol},
          {"6", 0, 0, kCount},
          {"H", 0, 0, kSymbol},
          {"12", 0, 0, kCount},
          {"O", 0, 0, kSymbol},
          {"6", 0, 0, kCount}}},
        {"13C O2",
         ivSpecial,
         true,
         {{"13", 0, 0, kMass}, {"C", 0, 0, kSymbol}, {"O", 0, 0, kSymbol}, {"2", 0, 0, kCount}}},
        {"13C O2", ivNone, true, {{"C", 0, 0, kSymbol}, {"O", 0, 0, kSymbol}, {"2", 0, 0, kCount}}},
        {"C O2",
         ivAlways,
         true,
         {{"12", 0, 0, kMass},
          {"C", 0, 0, kSymbol},
          {"16", 0, 0, kMass},
          {"O", 0, 0, kSymbol},
          {"2", 0, 0, kCount}}},
        {"D2O",
         ivAlways,
         true,
         {{"D", 0, 0, kSymbol}, {"2", 0, 0, kCount}, {"16", 0, 0, kMass}, {"O", 0, 0, kSymbol}}},
        {"D2O",
         ivSpecial,
         false,
         {{"2", 0, 0, kMass}, {"H", 0, 0, kSymbol}, {"2", 0, 0, kCount}, {"O", 0, 0, kSymbol}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Formula) + " vis " + std::to_string(c.Vis) + (c.UseD ? " D" : ""));
        TMolForm f(nullptr);
        f.SetWidth(200);
        f.SetAlignment(taLeftJustify);
        f.SetIsotopeVis(c.Vis);
        f.SetUseDeuterium(c.UseD);
        f.SetColorTxt(clNavy);
        f.SetColorBkg(clYellow);
        f.SetMolFormula(c.Formula);
        std::vector<TPlaced> placed;
        const int end = Layout(f, c.Parts, placed);
        ExpectAllVisible(ExpectTexts(f, placed, 0, clNavy, clYellow));
        // Nothing else is drawn: the rest of the control is background.
        int stray = 0;
        for (int y = 0; y < f.GetHeight(); ++y)
            for (int x = end; x < f.GetWidth(); ++x) stray += f.GetCanvas()->GetPixels(x, y) != clYellow;
        EXPECT_EQ(stray, 0);
    }

    // An entry of count 0 is skipped; a count of 1 is not written.
    TMolForm f(nullptr);
    f.SetAlignment(taLeftJustify);
    f.SetMolFormula("C2 N O");
    f.SetAtCnt(1, 0);
    f.Paint();
    std::vector<TPlaced> placed;
    Layout(f, {{"N", 0, 0, kSymbol}, {"O", 0, 0, kSymbol}}, placed);
    ExpectAllVisible(ExpectTexts(f, placed, 0, clBlack, ColorToRGB(clBtnFace)));
}

// Right alignment ends the formula at the right edge and shows its end when it is too wide; centring
// puts it in the middle and shows its middle when too wide; left alignment starts at column 1.
TEST_F(MolFormTest, AlignmentPlacesAndCutsTheFormula) {
    const std::vector<TPlaced> parts = {{"C", 0, 0, kSymbol}, {"6", 0, 0, kCount},  {"H", 0, 0, kSymbol},
                                        {"12", 0, 0, kCount}, {"O", 0, 0, kSymbol}, {"6", 0, 0, kCount},
                                        {"N", 0, 0, kSymbol}, {"33", 0, 0, kCount}};
    for (int width : {150, 40}) {
        for (TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
            SCOPED_TRACE("width " + std::to_string(width) + " alignment " + std::to_string(a));
            TMolForm f(nullptr);
            f.SetWidth(width);
            f.SetAlignment(a);
            f.SetColorBkg(clWhite);
            f.SetMolFormula("C6 H12 O6 N33");
            std::vector<TPlaced> placed;
            const int x = Layout(f, parts, placed);
            int shift = 0;
            if (a == taRightJustify) shift = width - x;
            if (a == taCenter) shift = x > width ? -((x - width) / 2) : (width - x) / 2 - 1;
            const std::vector<int> visible = ExpectTexts(f, placed, shift, clBlack, clWhite);
            if (x <= width) {
                ExpectAllVisible(visible);
            } else if (a == taRightJustify) {
                EXPECT_GT(visible.back(), 0); // the end is shown, the start cut
                EXPECT_EQ(visible.front(), 0);
            } else if (a == taLeftJustify) {
                EXPECT_GT(visible.front(), 0);
                EXPECT_EQ(visible.back(), 0);
            } else {
                EXPECT_EQ(visible.front(), 0); // the middle is shown, both ends cut
                EXPECT_EQ(visible.back(), 0);
            }
        }
    }
}

TEST_F(MolFormTest, ShowAsTextPaintsTheStoredText) {
    TMolForm f(nullptr);
    f.SetWidth(200);
    f.SetAlignment(taLeftJustify);
    f.SetColorBkg(clWhite);
    f.SetColorTxt(clMaroon);
    f.SetMolFormula("C6H5(C H3)");
    f.SetShowAsText(true);
    ExpectAllVisible(ExpectTexts(f, {{"C6H5(C H3)", false, 1, f.GetHeight() / 5}}, 0, clMaroon, clWhite));

    // ReadFromString changes the entries, not the text shown.
    f.ReadFromString("N2");
    ExpectAllVisible(ExpectTexts(f, {{"C6H5(C H3)", false, 1, f.GetHeight() / 5}}, 0, clMaroon, clWhite));
}

TEST_F(MolFormTest, TransparentPaintsOnlyTheGlyphs) {
    TMolForm f(nullptr);
    f.SetAlignment(taLeftJustify);
    f.SetColorBkg(clYellow);
    f.SetColorTxt(clRed);
    f.SetMolFormula("Na Cl2");
    f.SetTransparent(true);
    Driver.ProcessMessages();
    // What lies below shows through everywhere but on the glyphs.
    f.GetCanvas()->GetBrush()->SetColor(clLime);
    f.GetCanvas()->FillRect({0, 0, f.GetWidth(), f.GetHeight()});
    f.Paint();
    std::vector<TPlaced> placed;
    const int end = Layout(f, {{"Na", 0, 0, kSymbol}, {"Cl", 0, 0, kSymbol}, {"2", 0, 0, kCount}}, placed);
    ExpectAllVisible(ExpectTexts(f, placed, 0, clRed, clLime));
    for (int y = 0; y < f.GetHeight(); ++y) {
        EXPECT_EQ(f.GetCanvas()->GetPixels(0, y), clLime);
        EXPECT_EQ(f.GetCanvas()->GetPixels(end + 1, y), clLime);
    }
    EXPECT_EQ(f.GetCanvas()->GetCopyMode(), cmSrcCopy);
}

namespace {

// A windowed parent that fills itself with one colour.
class TBackground : public TCustomControl {
public:
    explicit TBackground(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 200, 60); }
    void Paint() override {
        GetCanvas()->GetBrush()->SetColor(Fill);
        GetCanvas()->FillRect(GetClientRect());
    }
    TColor Fill = clLime;
};

} // namespace

TEST_F(MolFormTest, TransparentOnAParentShowsTheParentAroundTheGlyphs) {
    TBackground back(nullptr);
    TMolForm f(nullptr);
    f.SetParent(&back);
    f.SetLeft(10);
    f.SetTop(5);
    f.SetAlignment(taLeftJustify);
    f.SetColorTxt(clRed);
    f.SetMolFormula("Na Cl2");
    f.SetTransparent(true);
    back.Repaint();
    std::vector<TPlaced> placed;
    const int x = Layout(f, {{"Na", 0, 0, kSymbol}, {"Cl", 0, 0, kSymbol}, {"2", 0, 0, kCount}}, placed);
    ExpectAllVisible(ExpectTexts(f, placed, 0, clRed, clLime));
    EXPECT_EQ(Driver.Pixel(&back, 5, 2), clLime); // outside the control

    // A change invalidates the control's area; the loop repaints the parent there and the glyphs on
    // top.
    back.Fill = clAqua;
    f.SetAlignment(taRightJustify);
    EXPECT_EQ(Driver.Pixel(&f, 0, 0), clLime);
    Driver.ProcessMessages();
    ExpectAllVisible(ExpectTexts(f, placed, f.GetWidth() - x, clRed, clAqua));
    EXPECT_EQ(Driver.Pixel(&f, 0, 0), clAqua);
    EXPECT_EQ(Driver.Pixel(&back, 5, 2), clLime); // only the control's area was repainted
}
