// Mouse input: the fixed event order, capture, hit testing, message handlers with an explicit call of
// the default handling, wheel, key states, and the popup menu of a right-button release.
#include "UiTestSupport.h"

#include <qyx/platform/Menus.h>

using namespace qyx;
using namespace qyx::test;

namespace {

class MouseTest : public UiTest {
protected:
    void SetUp() override {
        form = ShownForm(200, 100);
        box = new TBox(form.get(), &log);
        box->SetParent(form.get());
        box->SetBounds(10, 10, 50, 30);
        box->OnClick = [this](TObject*) { log.push_back("OnClick"); };
        box->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
            log.push_back("OnMouseUp");
        };
    }
    std::unique_ptr<TForm> form;
    TBox* box = nullptr;
    TLog log;
};

} // namespace

TEST_F(MouseTest, ClickAndDoubleClickFollowTheFixedOrder) {
    Driver.Click(box, 5, 6);
    EXPECT_EQ(log, (TLog{"box:down(0,5,6)", "box:up(0,5,6)", "OnMouseUp", "box:click", "OnClick"}));
    log.clear();
    Driver.DblClick(box, 5, 6);
    EXPECT_EQ(log, (TLog{"box:down(0,5,6)", "box:up(0,5,6)", "OnMouseUp", "box:click", "OnClick",
                         "box:dblclick", "box:down2(0,5,6)", "box:up(0,5,6)", "OnMouseUp"}));
}

TEST_F(MouseTest, CaptureKeepsMovesAndReleaseWithThePressedControl) {
    Driver.MouseDown(box, 5, 5);
    EXPECT_TRUE(box->GetMouseCapture());
    Driver.MouseMove(form.get(), 150, 2); // far outside the box
    Driver.MouseMove(form.get(), 0, 0);
    Driver.MouseUp(form.get(), 100, 50);
    EXPECT_EQ(log, (TLog{"box:down(0,5,5)", "box:move(140,-8)", "box:move(-10,-10)", "box:up(0,90,40)",
                         "OnMouseUp"})); // released outside: no click
    EXPECT_EQ(Application()->GetCaptureControl(), nullptr);
    log.clear();
    Driver.MouseMove(form.get(), 150, 2); // no capture: the form gets it
    EXPECT_TRUE(log.empty());
}

TEST_F(MouseTest, CaptureLastsWhileAnyButtonIsHeld) {
    Driver.MouseDown(box, 1, 1, mbLeft);
    Driver.MouseDown(form.get(), 190, 90, mbRight); // still captured: goes to the box
    Driver.MouseUp(form.get(), 190, 90, mbLeft);
    EXPECT_TRUE(box->GetMouseCapture());
    Driver.MouseUp(form.get(), 190, 90, mbRight);
    EXPECT_FALSE(box->GetMouseCapture());
    EXPECT_EQ(log.at(1), "box:down(1,180,80)");
}

TEST_F(MouseTest, HitTestingSkipsHiddenAndLetsDisabledFallThrough) {
    TLog formLog;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        formLog.push_back("form(" + std::to_string(X) + "," + std::to_string(Y) + ")");
    };
    auto* top = new TBox(form.get(), &log, "top");
    top->SetParent(form.get());
    top->SetBounds(20, 10, 10, 10); // above box at (20 ... 29, 10 ... 19)
    const struct {
        bool TopVisible, TopEnabled, BoxEnabled;
        const char* Expected;
    } cases[] = {
        {true, true, true, "top:down(0,2,3)"},
        {false, true, true, "box:down(0,12,3)"},
        {true, false, true, "form(22,13)"}, // the disabled control lets it through to its parent
        {false, true, false, "form(22,13)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        top->SetVisible(c.TopVisible);
        top->SetEnabled(c.TopEnabled);
        box->SetEnabled(c.BoxEnabled);
        log.clear();
        formLog.clear();
        Driver.MouseDown(form.get(), 22, 13);
        Driver.MouseUp(form.get(), 22, 13);
        const std::string got = !log.empty() ? log.front() : !formLog.empty() ? formLog.front() : "";
        EXPECT_EQ(got, c.Expected);
    }
}

TEST_F(MouseTest, WindowedChildIsHitBeforeGraphicSiblingsAndGetsItsOwnCoordinates) {
    TLog padLog;
    auto* pad = new TPad(form.get(), &padLog);
    pad->SetParent(form.get());
    pad->SetBounds(30, 20, 40, 40); // overlaps the box, but is windowed
    int px = -1, py = -1;
    pad->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { px = X, py = Y; };
    Driver.MouseDown(form.get(), 35, 25);
    Driver.MouseUp(form.get(), 35, 25);
    EXPECT_EQ(px, 5);
    EXPECT_EQ(py, 5);
    EXPECT_TRUE(log.empty());
}

namespace {

/// Overrides message handlers the way controls do: its own work around the default handling.
class TClamping : public TBox {
public:
    using TBox::TBox;
    std::vector<std::string> Seen;

protected:
    void WMMouseMove(TWMMouse& M) override {
        // Clamp before the default handling, which fires OnMouseMove with the changed position.
        M.XPos = std::clamp(M.XPos, 1, GetWidth());
        TBox::WMMouseMove(M);
        Seen.push_back("after-move");
    }
    void WMLButtonUp(TWMMouse& M) override {
        TBox::WMLButtonUp(M);
        if (M.XPos == -1 && M.YPos == -1) return;
        Seen.push_back("after-up(" + std::to_string(M.XPos) + ")");
    }
};

} // namespace

TEST_F(MouseTest, OverriddenHandlersCallTheDefaultHandlingExplicitly) {
    auto* c = new TClamping(form.get(), &log, "c");
    c->SetParent(form.get());
    c->SetBounds(100, 0, 50, 50);
    std::vector<int> xs;
    c->OnMouseMove = [&](TObject*, TShiftState, int X, int) { xs.push_back(X); };
    c->OnClick = [&](TObject*) { c->Seen.push_back("OnClick"); };
    Driver.MouseDown(c, 10, 10);
    Driver.MouseMove(c, -30, 10);
    Driver.MouseMove(c, 80, 10);
    Driver.MouseUp(c, 10, 10);
    EXPECT_EQ(xs, (std::vector<int>{1, 50}));
    EXPECT_EQ(c->Seen, (std::vector<std::string>{"after-move", "after-move", "OnClick", "after-up(10)"}));
    c->Seen.clear();
    c->Perform(WM_LBUTTONUP, 0, PointToLParam({-1, -1}));
    EXPECT_TRUE(c->Seen.empty());
}

TEST(MouseKeys, KeyStateAndShiftStateConvert) {
    const struct {
        uint32_t Keys;
        TShiftState Shift;
    } cases[] = {
        {0, {}},
        {MK_LBUTTON, {ssLeft}},
        {MK_RBUTTON | MK_SHIFT, {ssRight, ssShift}},
        {MK_MBUTTON | MK_CONTROL | MK_ALT, {ssMiddle, ssCtrl, ssAlt}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Keys);
        EXPECT_EQ(KeysToShiftState(c.Keys), c.Shift);
        EXPECT_EQ(ShiftStateToKeys(c.Shift), c.Keys);
    }
    EXPECT_EQ(ShiftStateToKeys({ssDouble}), 0u);
    EXPECT_EQ(LParamToPoint(PointToLParam({-7, 40000})), (TPoint{-7, 32767}));
}

TEST_F(MouseTest, ShiftStateOfMessagesCarriesButtonsAndModifiers) {
    TShiftState seen;
    box->OnMouseMove = [&](TObject*, TShiftState S, int, int) { seen = S; };
    Driver.MouseDown(box, 1, 1);
    Driver.MouseMove(box, 2, 2, {ssCtrl});
    EXPECT_EQ(seen, (TShiftState{ssLeft, ssCtrl}));
    Driver.MouseUp(box, 2, 2);
    Driver.MouseMove(box, 3, 3);
    EXPECT_EQ(seen, TShiftState{});
}

TEST_F(MouseTest, UnhandledWheelGoesToTheParent) {
    int formDelta = 0;
    TPoint formPos;
    form->OnMouseWheel = [&](TObject*, TShiftState, int D, TPoint P, bool& H) {
        formDelta = D;
        formPos = P;
        H = true;
    };
    Driver.MouseWheel(box, 3, 4, -120);
    EXPECT_EQ(formDelta, -120);
    EXPECT_EQ(formPos, (TPoint{13, 14}));
    bool down = false;
    box->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& H) { down = H = true; };
    formDelta = 0;
    Driver.MouseWheel(box, 3, 4, -240);
    EXPECT_TRUE(down);
    EXPECT_EQ(formDelta, 0);
}

TEST_F(MouseTest, RightReleaseOpensThePopupMenuAndTheItemClicksAfterPopupReturns) {
    auto* menu = new TPopupMenu(form.get());
    auto* item = new TMenuItem(menu);
    menu->GetItems()->Add(item);
    form->SetPopupMenu(menu); // the box has none: the nearest parent's opens
    TLog order;
    TPoint at;
    menu->OnPopup = [&](TObject*) { order.push_back("popup"); };
    item->OnClick = [&](TObject*) { order.push_back("item"); };
    box->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { order.push_back("mouseup"); };
    box->OnContextPopup = [&](TObject*, TPoint P, bool&) {
        order.push_back("context");
        at = P;
    };
    form->SetLeft(300); // screen position of the form's client area: (300, 0)
    Driver.MouseDown(box, 4, 5, mbRight);
    // The release opens the menu, whose nested loop consumes the choice queued behind it.
    Driver.PostMouseUp(box, 4, 5, mbRight);
    Driver.PostMenuChoice(item);
    Driver.ProcessMessages();
    EXPECT_EQ(order, (TLog{"mouseup", "context", "popup", "item"}));
    EXPECT_EQ(at, (TPoint{4, 5}));
    EXPECT_EQ(menu->GetPopupPoint(), (TPoint{314, 15}));
    EXPECT_EQ(menu->GetPopupComponent(), box);
    EXPECT_EQ(GetOpenPopupMenu(), nullptr);
}

TEST_F(MouseTest, PopupMenuChoicesThatCannotBeMade) {
    auto* menu = new TPopupMenu(form.get());
    auto* enabled = new TMenuItem(menu);
    auto* disabled = new TMenuItem(menu);
    disabled->SetEnabled(false);
    menu->GetItems()->Add(enabled);
    menu->GetItems()->Add(disabled);
    int clicks = 0;
    enabled->OnClick = disabled->OnClick = [&](TObject*) { ++clicks; };
    struct {
        const char* Name;
        std::function<void()> Answer;
    } cases[] = {
        {"disabled item", [&] { Driver.PostMenuChoice(disabled); }},
        {"cancel", [&] { Driver.PostMenuChoice(nullptr); }},
        {"escape", [&] { Driver.PostPressKey(VK_ESCAPE); }},
        {"press elsewhere", [&] { Driver.PostMouseDown(form.get(), 150, 50); }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Answer();
        menu->Popup(0, 0);
        Driver.ProcessMessages();
        EXPECT_EQ(clicks, 0);
        EXPECT_EQ(GetOpenPopupMenu(), nullptr);
    }
    // The menu takes the input while it is open: the press did not reach the form.
    Driver.PostMenuChoice(enabled);
    menu->Popup(0, 0);
    EXPECT_EQ(clicks, 0); // not yet: the click is posted
    Driver.ProcessMessages();
    EXPECT_EQ(clicks, 1);
}

TEST_F(MouseTest, PopupMenuReferenceIsClearedWhenTheMenuIsDestroyed) {
    auto* menu = new TPopupMenu(nullptr);
    box->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(box->GetPopupMenu(), nullptr);
    Driver.Click(box, 1, 1, mbRight); // nothing opens, nothing fails
}
