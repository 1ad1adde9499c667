// Surfaces and painting: own surfaces of parentless controls, graphic controls on their parent's
// surface in z-order and clipped, deferred and immediate painting, direct drawing, composition.
#include "UiTestSupport.h"

using namespace qyx;
using namespace qyx::test;

namespace {

class PaintTest : public UiTest {};

/// A windowed parent that paints its client area in its own colour and counts its paints.
class TBack : public TCustomControl {
public:
    explicit TBack(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 60, 40); }
    void Paint() override {
        ++PaintCount;
        GetCanvas()->GetBrush()->SetColor(Fill);
        GetCanvas()->FillRect(GetClientRect());
    }
    TColor Fill = clWhite;
    int PaintCount = 0;
};

/// A graphic control that draws past its own bounds, to show the clipping.
class TSpill : public TGraphicControl {
public:
    explicit TSpill(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(10, 10, 10, 10); }
    void Paint() override {
        GetCanvas()->GetBrush()->SetColor(clLime);
        GetCanvas()->FillRect({-5, -5, 30, 30});
    }
};

} // namespace

TEST_F(PaintTest, ParentlessGraphicControlPaintsIntoItsOwnSurface) {
    TBox box(nullptr);
    EXPECT_EQ(Driver.Pixel(&box, 3, 3), clWhite); // a new surface is white
    box.SetFill(clNavy);                          // a setter that paints at once
    EXPECT_EQ(Driver.Pixel(&box, 0, 0), clNavy);
    EXPECT_EQ(Driver.Pixel(&box, 19, 9), clNavy);
    EXPECT_EQ(Driver.Pixel(&box, 20, 9), clNone);

    box.Fill = clMaroon; // deferred: nothing until the loop paints
    box.Invalidate();
    EXPECT_EQ(Driver.Pixel(&box, 5, 5), clNavy);
    Driver.ProcessMessages();
    EXPECT_EQ(Driver.Pixel(&box, 5, 5), clMaroon);
}

TEST_F(PaintTest, InvisibleParentlessControlIsNotPaintedByTheLoop) {
    TBox box(nullptr);
    box.SetVisible(false);
    box.Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(box.PaintCount, 0);
    box.SetVisible(true); // showing again repaints
    Driver.ProcessMessages();
    EXPECT_EQ(box.PaintCount, 1);
}

TEST_F(PaintTest, GraphicChildPaintsOnParentSurfaceClippedToItsBounds) {
    TBack back(nullptr);
    TSpill spill(nullptr);
    spill.SetParent(&back);
    back.Repaint();
    const struct {
        int X, Y;
        TColor Expected;
    } cases[] = {{10, 10, clLime}, {19, 19, clLime}, {9, 10, clWhite}, {20, 15, clWhite}, {15, 9, clWhite}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        EXPECT_EQ(Driver.Pixel(&back, c.X, c.Y), c.Expected);
    }
    // Reading through the child gives its area of the parent's surface.
    EXPECT_EQ(Driver.Pixel(&spill, 0, 0), clLime);
    EXPECT_EQ(Driver.Pixel(&spill, 10, 0), clNone);
}

TEST_F(PaintTest, SiblingsPaintInZOrder) {
    TBack back(nullptr);
    TBox lower(nullptr), upper(nullptr);
    lower.SetParent(&back);
    upper.SetParent(&back);
    lower.Fill = clRed;
    upper.Fill = clBlue;
    upper.SetBounds(10, 0, 20, 10); // overlaps lower at x = 10 ... 19
    back.Repaint();
    EXPECT_EQ(Driver.Pixel(&back, 5, 5), clRed);
    EXPECT_EQ(Driver.Pixel(&back, 15, 5), clBlue);
    lower.BringToFront();
    Driver.ProcessMessages();
    EXPECT_EQ(Driver.Pixel(&back, 15, 5), clRed);
    EXPECT_EQ(Driver.Pixel(&back, 25, 5), clBlue);
}

TEST_F(PaintTest, DeferredAndImmediatePaintingGiveTheSamePicture) {
    TBack back(nullptr);
    back.Fill = clSilver;
    TBox a(nullptr), b(nullptr);
    a.SetParent(&back);
    b.SetParent(&back);
    a.SetBounds(5, 5, 20, 20);
    b.SetBounds(15, 10, 30, 12);
    back.Repaint();
    // Immediate: the setter paints b over whatever is there.
    b.SetFill(clGreen);
    TBitmap immediate;
    Driver.Snapshot(&back, &immediate);
    // Deferred: the same state repainted by the loop.
    back.Invalidate();
    Driver.ProcessMessages();
    TBitmap deferred;
    Driver.Snapshot(&back, &deferred);
    ASSERT_EQ(immediate.GetWidth(), deferred.GetWidth());
    for (int y = 0; y < immediate.GetHeight(); ++y)
        for (int x = 0; x < immediate.GetWidth(); ++x)
            ASSERT_EQ(immediate.GetCanvas()->GetPixels(x, y), deferred.GetCanvas()->GetPixels(x, y))
                << x << "," << y;
}

TEST_F(PaintTest, InvalidatingAGraphicControlRepaintsParentAndSiblingsBelowOnly) {
    TBack back(nullptr);
    TBox below(nullptr), target(nullptr), elsewhere(nullptr);
    below.SetParent(&back);
    target.SetParent(&back);
    elsewhere.SetParent(&back);
    below.SetBounds(0, 0, 30, 20);
    target.SetBounds(10, 5, 10, 10);
    elsewhere.SetBounds(40, 20, 10, 10);
    back.Repaint();
    const int b0 = back.PaintCount, l0 = below.PaintCount, t0 = target.PaintCount, e0 = elsewhere.PaintCount;
    target.Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(back.PaintCount, b0 + 1);
    EXPECT_EQ(below.PaintCount, l0 + 1);
    EXPECT_EQ(target.PaintCount, t0 + 1);
    EXPECT_EQ(elsewhere.PaintCount, e0);
}

TEST_F(PaintTest, OpaqueChildCoveringTheAreaSparesTheParent) {
    TBack back(nullptr);
    TBox box(nullptr);
    box.SetParent(&back);
    back.Repaint();
    const int before = back.PaintCount;
    box.Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(back.PaintCount, before + 1);
    box.SetControlStyle(box.GetControlStyle() + TControlStyle{csOpaque});
    box.Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(back.PaintCount, before + 1);
    EXPECT_EQ(Driver.Pixel(&box, 1, 1), clRed);
}

TEST_F(PaintTest, DrawingOutsidePaintComposesWithTheParentsPixels) {
    TBack back(nullptr);
    back.Fill = RGB(0xF0, 0x0F, 0xFF);
    TBox box(nullptr);
    box.SetParent(&back);
    box.SetBounds(0, 0, 4, 4);
    box.SetVisible(false); // keep the loop from painting it
    back.Repaint();

    // AND a mask, then OR an image, as transparent controls do.
    TBitmap mask(4, 4), image(4, 4);
    mask.GetCanvas()->GetBrush()->SetColor(clBlack);
    mask.GetCanvas()->FillRect({0, 0, 2, 4}); // left half opaque (black), right half white
    image.GetCanvas()->GetBrush()->SetColor(clBlack);
    image.GetCanvas()->FillRect({0, 0, 4, 4});
    image.GetCanvas()->GetBrush()->SetColor(RGB(0x01, 0x02, 0x03));
    image.GetCanvas()->FillRect({0, 0, 2, 4});
    TCanvas* c = box.GetCanvas();
    c->SetCopyMode(cmSrcAnd);
    c->Draw(0, 0, &mask);
    c->SetCopyMode(cmSrcPaint);
    c->Draw(0, 0, &image);
    EXPECT_EQ(Driver.Pixel(&back, 0, 0), RGB(0x01, 0x02, 0x03));
    EXPECT_EQ(Driver.Pixel(&back, 3, 3), RGB(0xF0, 0x0F, 0xFF)); // the parent shows through

    // XOR feedback drawn twice leaves the picture as it was.
    c->GetPen()->SetMode(pmXor);
    c->GetPen()->SetColor(clWhite);
    c->MoveTo(0, 2);
    c->LineTo(4, 2);
    EXPECT_EQ(Driver.Pixel(&back, 3, 2), RGB(0x0F, 0xF0, 0x00));
    c->MoveTo(0, 2);
    c->LineTo(4, 2);
    EXPECT_EQ(Driver.Pixel(&back, 3, 2), RGB(0xF0, 0x0F, 0xFF));
}

TEST_F(PaintTest, WindowedChildrenComposeOverTheParent) {
    auto form = ShownForm(100, 80);
    TPad pad(nullptr);
    pad.SetParent(form.get());
    pad.SetBounds(10, 20, 40, 30);
    TBox under(nullptr); // a graphic control under the window
    under.SetParent(form.get());
    under.SetBounds(0, 0, 30, 30);
    Driver.ProcessMessages();
    EXPECT_EQ(Driver.Pixel(form.get(), 5, 5), clRed);
    EXPECT_EQ(Driver.Pixel(form.get(), 15, 25), clBlue); // the window covers the graphic sibling
    EXPECT_EQ(Driver.Pixel(form.get(), 60, 60), ColorToRGB(clBtnFace));
    EXPECT_EQ(Driver.Pixel(&pad, 0, 0), clBlue);

    // The parent drawing directly does not reach into the child's window.
    under.GetCanvas()->GetBrush()->SetColor(clYellow);
    under.GetCanvas()->FillRect({0, 0, 30, 30});
    EXPECT_EQ(Driver.Pixel(form.get(), 15, 25), clBlue);
    EXPECT_EQ(Driver.Pixel(form.get(), 5, 25), clYellow);

    pad.SetVisible(false);
    EXPECT_EQ(Driver.Pixel(form.get(), 15, 25), clYellow);
}

TEST_F(PaintTest, HiddenFormIsPaintedWhenShown) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 50, 50);
    TBox box(nullptr);
    box.SetParent(&form);
    Driver.ProcessMessages();
    EXPECT_EQ(box.PaintCount, 0);
    form.Show();
    Driver.ProcessMessages();
    EXPECT_EQ(box.PaintCount, 1);
    EXPECT_EQ(Driver.Pixel(&form, 1, 1), clRed);
}

TEST_F(PaintTest, ExceptionInPaintReachesTheHandlerAndTheLoopGoesOn) {
    struct TFaulty : TBox {
        using TBox::TBox;
        void Paint() override { throw EInvalidOperation("paint failed"); }
    } bad(nullptr);
    TBox good(nullptr);
    std::vector<std::string> caught;
    Application()->OnException = [&](TObject*, Exception* E) { caught.push_back(E->Message()); };
    bad.Invalidate();
    good.Fill = clTeal;
    good.Invalidate();
    Driver.ProcessMessages();
    EXPECT_EQ(caught, std::vector<std::string>{"paint failed"});
    EXPECT_EQ(Driver.Pixel(&good, 0, 0), clTeal);
    Driver.ProcessMessages(); // the failed area is not repainted forever
    EXPECT_EQ(caught.size(), 1u);
}

TEST_F(PaintTest, ResizingKeepsTheSurfaceInStepAndRepaints) {
    TPad pad(nullptr);
    pad.Repaint();
    pad.SetBounds(0, 0, 80, 50);
    Driver.ProcessMessages();
    EXPECT_EQ(Driver.Pixel(&pad, 79, 49), clBlue);
    EXPECT_EQ(Driver.Pixel(&pad, 80, 49), clNone);
    pad.SetBounds(0, 0, 0, 0); // a window of no size draws nothing and does not fail
    pad.Repaint();
    pad.GetCanvas()->FillRect({0, 0, 10, 10});
    EXPECT_EQ(Driver.Pixel(&pad, 0, 0), clNone);
}
