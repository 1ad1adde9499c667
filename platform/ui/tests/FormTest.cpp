// Forms and windows: outer and client size, alignment, anchors, placement, window creation timing,
// and a backend that presents forms and feeds input through the same path as the test driver.
#include "UiTestSupport.h"

#include <algorithm>
#include <deque>

using namespace qyx;
using namespace qyx::test;

namespace {

class FormTest : public UiTest {
protected:
    void TearDown() override {
        Application()->SetBackend(nullptr);
        UiTest::TearDown();
    }
};

} // namespace

TEST_F(FormTest, WidthAndHeightAreTheOuterSize) {
    const struct {
        TFormBorderStyle Style;
        int ClientWidth, ClientHeight;
        TPoint Offset;
    } cases[] = {
        {bsNone, 300, 200, {0, 0}},        {bsSingle, 294, 175, {3, 22}},
        {bsDialog, 294, 175, {3, 22}},     {bsSizeable, 292, 173, {4, 23}},
        {bsToolWindow, 294, 179, {3, 18}}, {bsSizeToolWin, 292, 177, {4, 19}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Style));
        TForm form(nullptr);
        form.SetBorderStyle(c.Style);
        form.SetBounds(100, 50, 300, 200);
        EXPECT_EQ(form.GetClientWidth(), c.ClientWidth);
        EXPECT_EQ(form.GetClientHeight(), c.ClientHeight);
        EXPECT_EQ(form.GetClientOrigin(), (TPoint{100 + c.Offset.x, 50 + c.Offset.y}));
        form.SetClientWidth(100);
        form.SetClientHeight(60);
        EXPECT_EQ(form.GetWidth(), 100 + 300 - c.ClientWidth);
        EXPECT_EQ(form.GetHeight(), 60 + 200 - c.ClientHeight);
        // The surface is the client area.
        form.Show();
        Driver.ProcessMessages();
        EXPECT_EQ(Driver.Pixel(&form, 99, 59), ColorToRGB(clBtnFace));
        EXPECT_EQ(Driver.Pixel(&form, 100, 59), clNone);
    }
}

TEST_F(FormTest, AlignTopBottomLeftRightAndClient) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    TPad top(nullptr), top2(nullptr), bottom(nullptr), left(nullptr), right(nullptr), client(nullptr);
    const struct {
        TPad* C;
        TAlign A;
        TRect Expected;
    } cases[] = {
        {&client, alClient, {30, 33 + 20, 250, 190}},
        {&top2, alTop, {0, 33, 300, 33 + 20}},
        {&top, alTop, {0, 0, 300, 33}},
        {&bottom, alBottom, {0, 190, 300, 200}},
        {&left, alLeft, {0, 53, 30, 190}},
        {&right, alRight, {250, 53, 300, 190}},
    };
    top.SetHeight(33);
    top2.SetBounds(0, 100, 10, 20); // lower: stacks below the first top control
    bottom.SetHeight(10);
    left.SetWidth(30);
    right.SetWidth(50);
    // One alignment pass over all of them, so each stacks by its original position.
    form.DisableAlign();
    for (const auto& c : cases) {
        c.C->SetParent(&form);
        c.C->SetAlign(c.A);
    }
    form.EnableAlign();
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.A));
        EXPECT_EQ(c.C->GetBoundsRect(), c.Expected);
    }
    // Resizing the parent realigns; hiding a control gives its room to the others.
    form.SetBounds(0, 0, 400, 300);
    EXPECT_EQ(client.GetBoundsRect(), (TRect{30, 53, 350, 290}));
    top2.SetVisible(false);
    EXPECT_EQ(client.GetBoundsRect(), (TRect{30, 33, 350, 290}));
    // A parent too small for its aligned children gives them no negative sizes.
    form.SetBounds(0, 0, 20, 20);
    EXPECT_EQ(client.GetWidth(), 0);
    EXPECT_GE(client.GetHeight(), 0);
    form.DisableAlign();
    form.SetBounds(0, 0, 400, 300);
    EXPECT_EQ(client.GetWidth(), 0);
    form.EnableAlign();
    EXPECT_EQ(client.GetBoundsRect(), (TRect{30, 33, 350, 290}));
}

TEST_F(FormTest, AnchorsFollowTheParentsSize) {
    TPad parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    TPad fixed(nullptr), right(nullptr), both(nullptr), corner(nullptr);
    for (TPad* p : {&fixed, &right, &both, &corner}) {
        p->SetParent(&parent);
        p->SetBounds(10, 10, 20, 20);
    }
    right.SetAnchors({akTop, akRight});
    both.SetAnchors({akLeft, akTop, akRight, akBottom});
    corner.SetAnchors({akRight, akBottom});
    parent.SetBounds(0, 0, 150, 130);
    EXPECT_EQ(fixed.GetBoundsRect(), (TRect{10, 10, 30, 30}));
    EXPECT_EQ(right.GetBoundsRect(), (TRect{60, 10, 80, 30}));
    EXPECT_EQ(both.GetBoundsRect(), (TRect{10, 10, 80, 60}));
    EXPECT_EQ(corner.GetBoundsRect(), (TRect{60, 40, 80, 60}));
}

TEST_F(FormTest, ScreenCentreAndScreenCoordinates) {
    TForm form(nullptr);
    form.SetPosition(poScreenCenter);
    form.SetBounds(0, 0, 400, 300);
    form.Show();
    EXPECT_EQ(form.GetLeft(), (Screen()->GetWidth() - 400) / 2);
    EXPECT_EQ(form.GetTop(), (Screen()->GetHeight() - 300) / 2);
    TPad pad(nullptr);
    pad.SetParent(&form);
    pad.SetBounds(5, 6, 10, 10);
    const TPoint s = pad.ClientToScreen({1, 2});
    EXPECT_EQ(s, (TPoint{form.GetLeft() + 4 + 5 + 1, form.GetTop() + 23 + 6 + 2}));
    EXPECT_EQ(pad.ScreenToClient(s), (TPoint{1, 2}));
}

namespace {

TLog* CreationLog = nullptr;

/// Records when its window is created.
class TCreated : public TWinControl {
public:
    TCreated(TComponent* AOwner, std::string AName) : TWinControl(AOwner), Tag(std::move(AName)) {}
    std::string Tag;

protected:
    void CreateWnd() override {
        TWinControl::CreateWnd();
        CreationLog->push_back(Tag + (HandleAllocated() ? "" : "?"));
    }
};

} // namespace

TEST_F(FormTest, WindowsAreCreatedWhenTheFormIsShownParentsFirst) {
    TLog log;
    CreationLog = &log;
    TForm form(nullptr);
    auto* outer = new TCreated(&form, "outer");
    auto* inner = new TCreated(&form, "inner");
    inner->SetParent(outer);
    outer->SetParent(&form);
    outer->SetBounds(0, 0, 50, 50);
    outer->Invalidate();
    Driver.ProcessMessages();
    EXPECT_TRUE(log.empty()); // construction, parenting, painting: no window
    form.Show();
    EXPECT_EQ(log, (TLog{"outer", "inner"}));
    auto* late = new TCreated(&form, "late");
    late->SetParent(outer); // into a parent that has its window: created at once
    EXPECT_EQ(log.back(), "late");
    TCreated lone(nullptr, "lone");
    EXPECT_FALSE(lone.HandleAllocated());
    lone.HandleNeeded();
    EXPECT_EQ(log.back(), "lone");
    CreationLog = nullptr;
}

TEST_F(FormTest, ReleaseFreesTheFormFromItsOwnHandler) {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    auto* box = new TBox(form);
    box->SetParent(form);
    box->OnClick = [form](TObject*) { form->Release(); };
    form->Show();
    const int before = Screen()->GetFormCount();
    Driver.Click(box, 1, 1);
    EXPECT_EQ(Screen()->GetFormCount(), before - 1);
}

namespace {

/// A backend that records what its hosts are told and feeds scripted input when the loop waits.
struct TFakeBackend : TWindowBackend {
    struct THost : TWindowHost {
        THost(TFakeBackend& B, TWinControl* W) : Backend(B), Window(W) {}
        void Show() override { Backend.Log.push_back("show"); }
        void Hide() override { Backend.Log.push_back("hide"); }
        void SurfaceChanged(const TRect& R) override { Backend.Changed.push_back(R); }
        void BoundsChanged() override { Backend.Log.push_back("bounds"); }
        void CaptionChanged() override { Backend.Log.push_back("caption:" + Window->GetCaption()); }
        void CursorChanged(TCursor C) override { Backend.Log.push_back("cursor:" + std::to_string(C)); }
        TFakeBackend& Backend;
        TWinControl* Window;
    };
    std::unique_ptr<TWindowHost> CreateHost(TWinControl* Window) override {
        Log.push_back("host");
        Hosted = Window;
        return std::make_unique<THost>(*this, Window);
    }
    bool WaitForEvents(int64_t) override {
        if (Script.empty()) return false;
        Application()->PostInput(Hosted, Script.front());
        Script.pop_front();
        return true;
    }
    TLog Log;
    std::vector<TRect> Changed;
    std::deque<TInputEvent> Script;
    TWinControl* Hosted = nullptr;
};

} // namespace

TEST_F(FormTest, BackendPresentsFormsAndFeedsTheSameInputPath) {
    auto owned = std::make_unique<TFakeBackend>();
    TFakeBackend& backend = *owned;
    Application()->SetBackend(std::move(owned));
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 100, 100);
    auto* box = new TBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 20, 20);
    box->SetCursor(crHandPoint);
    box->OnClick = [&](TObject*) { form.SetModalResult(mrYes); };
    // The user moves over the box and clicks it while the modal loop waits.
    TInputEvent move, down, up;
    move.Kind = ikMouseMove;
    move.Pos = {15, 15};
    down.Kind = ikMouseDown;
    down.Pos = {15, 15};
    down.Shift = {ssLeft};
    up.Kind = ikMouseUp;
    up.Pos = {15, 15};
    backend.Script = {move, down, up};
    form.SetCaption("Dialog");
    EXPECT_EQ(form.ShowModal(), mrYes);
    EXPECT_EQ(backend.Log, (TLog{"host", "show", "cursor:-21", "hide"}));
    // The first paint covered the client area.
    EXPECT_NE(std::find(backend.Changed.begin(), backend.Changed.end(), TRect{0, 0, 100, 100}),
              backend.Changed.end());
    backend.Log.clear();
    form.SetCaption("Other");
    form.SetBounds(0, 0, 120, 100);
    EXPECT_EQ(backend.Log, (TLog{"caption:Other", "bounds"}));
    EXPECT_EQ(Screen()->GetShownCursor(), crHandPoint);
    Screen()->SetCursor(crHourGlass);
    EXPECT_EQ(Screen()->GetShownCursor(), crHourGlass);
    Screen()->SetCursor(crDefault);
}
