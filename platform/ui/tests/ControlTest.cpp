// Common control properties: bounds with constraints and resize vetoes, parents, inherited colour and
// font, names carried into the caption, ownership versus parenthood, loading.
#include "UiTestSupport.h"

using namespace qyx;
using namespace qyx::test;

namespace {

class ControlTest : public UiTest {};

/// A control whose SetBounds override runs its own layout after the base, as controls do.
class TLaidOut : public TGraphicControl {
public:
    explicit TLaidOut(TComponent* AOwner) : TGraphicControl(AOwner) {
        SetBounds(0, 0, 297, 209); // defaults set by the constructor need no parent or window
        Layout();
    }
    void SetBounds(int L, int T, int W, int H) override {
        TGraphicControl::SetBounds(L, T, W, H);
        Layout();
    }
    void Paint() override { SetHeight(40); } // a control may set its height while painting
    int Radius = 0;
    int Layouts = 0;

private:
    void Layout() {
        ++Layouts;
        Radius = std::min(GetWidth(), GetHeight()) / 2;
    }
};

} // namespace

TEST_F(ControlTest, BoundsConstraintsAndResizeVeto) {
    TLaidOut c(nullptr);
    EXPECT_EQ(c.GetWidth(), 297);
    EXPECT_EQ(c.Radius, 104);
    c.SetWidth(100); // goes through the override
    EXPECT_EQ(c.Radius, 50);
    int resized = 0;
    c.OnResize = [&](TObject*) { ++resized; };
    const struct {
        int W, H, MinW, MaxH;
        bool Allow;
        int ExpectW, ExpectH;
    } cases[] = {
        {-5, -1, 0, 0, true, 0, 0},       // negative sizes become 0
        {50, 60, 80, 0, true, 80, 60},    // minimum width
        {50, 600, 0, 100, true, 50, 100}, // maximum height
        {70, 70, 0, 0, false, 50, 100},   // vetoed: the old size stays
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.W << "x" << k.H);
        c.GetConstraints()->SetMinWidth(k.MinW);
        c.GetConstraints()->SetMaxHeight(k.MaxH);
        c.OnCanResize = [&](TObject*, int&, int&, bool& R) { R = k.Allow; };
        c.SetBounds(3, 4, k.W, k.H);
        EXPECT_EQ(c.GetWidth(), k.ExpectW);
        EXPECT_EQ(c.GetHeight(), k.ExpectH);
        EXPECT_EQ(c.GetLeft(), 3);
    }
    EXPECT_EQ(resized, 4); // the minimum width applied at once counts too
    c.OnCanResize = nullptr;
    c.Invalidate(); // Paint sets the height: no endless repainting
    Driver.ProcessMessages();
    EXPECT_EQ(c.GetHeight(), 40);
}

TEST_F(ControlTest, ParentColourAndFontFollowUntilSetOwnValues) {
    TPad parent(nullptr);
    parent.SetColor(clYellow);
    parent.GetFont()->SetSize(14);
    TPad mid(nullptr);
    TBox leaf(nullptr);
    mid.SetParent(&parent);
    leaf.SetParent(&mid);
    EXPECT_EQ(mid.GetColor(), clYellow);
    EXPECT_EQ(leaf.GetColor(), clYellow);
    EXPECT_EQ(leaf.GetFont()->GetSize(), 14);
    parent.GetFont()->SetStyle({fsBold});
    parent.SetColor(clAqua);
    EXPECT_EQ(leaf.GetFont()->GetStyle(), TFontStyles{fsBold});
    EXPECT_EQ(leaf.GetColor(), clAqua);
    EXPECT_TRUE(leaf.GetParentFont());

    leaf.GetFont()->SetSize(9); // an own font: no longer follows
    leaf.SetColor(clRed);
    EXPECT_FALSE(leaf.GetParentFont());
    EXPECT_FALSE(leaf.GetParentColor());
    parent.GetFont()->SetSize(20);
    parent.SetColor(clLime);
    EXPECT_EQ(leaf.GetFont()->GetSize(), 9);
    EXPECT_EQ(leaf.GetColor(), clRed);
    EXPECT_EQ(mid.GetFont()->GetSize(), 20);
    leaf.SetParentFont(true);
    EXPECT_EQ(leaf.GetFont()->GetSize(), 20);
}

TEST_F(ControlTest, RenamingCarriesIntoTheCaptionWhileTheyMatch) {
    TPad pad(nullptr);
    pad.SetName("First");
    EXPECT_EQ(pad.GetCaption(), "First");
    pad.SetName("Second");
    EXPECT_EQ(pad.GetText(), "Second");
    pad.SetCaption("Own text");
    pad.SetName("Third");
    EXPECT_EQ(pad.GetCaption(), "Own text");
    pad.SetControlStyle(pad.GetControlStyle() - TControlStyle{csSetCaption});
    pad.SetCaption("Third");
    pad.SetName("Fourth");
    EXPECT_EQ(pad.GetCaption(), "Third");
}

TEST_F(ControlTest, ParentChainsMustNotLoop) {
    TPad a(nullptr), b(nullptr);
    b.SetParent(&a);
    EXPECT_THROW(a.SetParent(&b), EInvalidOperation);
    EXPECT_THROW(a.SetParent(&a), EInvalidOperation);
    EXPECT_EQ(a.GetParent(), nullptr);
    EXPECT_EQ(b.GetParent(), &a);
    EXPECT_EQ(b.GetTopLevel(), &a);
}

TEST_F(ControlTest, DestroyingAParentDetachesChildrenItDoesNotOwn) {
    auto parent = std::make_unique<TPad>(nullptr);
    TBox stray(nullptr);                  // caller's own
    auto* owned = new TBox(parent.get()); // the parent's own (as owner)
    stray.SetParent(parent.get());
    owned->SetParent(parent.get());
    EXPECT_EQ(parent->GetControlCount(), 2);
    EXPECT_THROW(parent->GetControls(2), EListError);
    parent.reset();
    EXPECT_EQ(stray.GetParent(), nullptr);
    stray.SetFill(clGreen); // paints into a surface of its own again
    EXPECT_EQ(Driver.Pixel(&stray, 0, 0), clGreen);
}

TEST_F(ControlTest, LoadingDefersToLoaded) {
    struct TLoadable : TPad {
        using TPad::TPad;
        std::vector<bool> LoadingSeen;
        void Loaded() override {
            TPad::Loaded();
            LoadingSeen.push_back(IsLoading());
        }
    };
    TForm owner(nullptr);
    auto* c = new TLoadable(&owner);
    owner.BeginLoading();
    EXPECT_TRUE(c->IsLoading());
    c->SetParent(&owner);
    owner.EndLoading();
    EXPECT_EQ(c->LoadingSeen, std::vector<bool>{false});
    owner.SetDesigning(true);
    EXPECT_TRUE(c->IsDesigning());
}

TEST_F(ControlTest, InvisibleGraphicChildIsPaintedWhileDesigning) {
    TPad parent(nullptr);
    parent.Fill = clWhite;
    TBox box(nullptr);
    box.SetParent(&parent);
    box.SetVisible(false);
    parent.Repaint();
    EXPECT_EQ(Driver.Pixel(&parent, 1, 1), clWhite);
    parent.SetDesigning(true);
    box.SetDesigning(true);
    parent.Repaint();
    EXPECT_EQ(Driver.Pixel(&parent, 1, 1), clRed);
}
