// The application loop: nested loops that end on posted input, modal forms, the exception handler,
// the loop's refusal to wait for input that cannot arrive, messages to windows.
#include "UiTestSupport.h"

#include <qyx/platform/Dialogs.h>

using namespace qyx;
using namespace qyx::test;

namespace {

class LoopTest : public UiTest {};

/// A modal dialog with an OK area (a box) that closes it.
struct TDialog {
    TDialog() : Form(nullptr) {
        Form.SetBorderStyle(bsDialog);
        Ok = new TBox(&Form);
        Ok->SetParent(&Form);
        Ok->SetBounds(10, 10, 30, 20);
        Ok->OnClick = [this](TObject*) { Form.SetModalResult(mrOk); };
    }
    TForm Form;
    TBox* Ok;
};

} // namespace

TEST_F(LoopTest, ModalFormEndsWhenThePostedClickArrives) {
    TDialog d;
    Driver.PostClick(d.Ok, 5, 5);
    EXPECT_EQ(d.Form.ShowModal(), mrOk);
    EXPECT_FALSE(d.Form.GetVisible());
    EXPECT_FALSE(d.Form.IsModal());
}

TEST_F(LoopTest, ModalFormDisablesOtherFormsAndRestoresThem) {
    auto main = ShownForm();
    TLog log;
    auto* mainBox = new TBox(main.get(), &log, "main");
    mainBox->SetParent(main.get());
    TDialog d;
    bool mainEnabledMeanwhile = true;
    d.Form.OnShow = [&](TObject*) { mainEnabledMeanwhile = main->GetEnabled(); };
    Driver.PostClick(mainBox, 1, 1); // goes nowhere: the main form is disabled
    Driver.PostClick(d.Ok, 1, 1);
    EXPECT_EQ(d.Form.ShowModal(), mrOk);
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_TRUE(main->GetEnabled());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Application()->GetActiveWindow(), main.get());
}

TEST_F(LoopTest, ModalLoopAsksCloseQueryAndCloseSetsCancel) {
    TDialog d;
    int asked = 0;
    d.Form.OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++asked > 1; };
    d.Form.OnKeyPress = [&](TObject*, char& Key) {
        if (Key == 27) d.Form.Close();
    };
    Driver.PostClick(d.Ok, 1, 1);   // refused by OnCloseQuery: the loop goes on
    Driver.PostPressKey(VK_ESCAPE); // Close: cancel
    EXPECT_EQ(d.Form.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_THROW(
        {
            d.Form.Show();
            d.Form.ShowModal();
        },
        EInvalidOperation);
}

TEST_F(LoopTest, RunUntilEndsOnACondition) {
    TBox box(nullptr);
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    Driver.PostClick(&box, 1, 1);
    Driver.PostClick(&box, 2, 2);
    Driver.PostClick(&box, 3, 3);
    Application()->RunUntil([&] { return clicks == 2; });
    EXPECT_EQ(clicks, 2);
    Driver.ProcessMessages();
    EXPECT_EQ(clicks, 3);
}

TEST_F(LoopTest, ExceptionsInInputHandlersReachTheHandlerAndTheLoopGoesOn) {
    TBox box(nullptr);
    int clicks = 0;
    box.OnClick = [&](TObject*) {
        if (++clicks == 1) throw EConvertError("bad click");
        if (clicks == 2) throw std::runtime_error("std failure");
        if (clicks == 3) throw EAbort("silent");
    };
    for (int i = 0; i < 4; ++i) Driver.PostClick(&box, 1, 1);
    Driver.ProcessMessages(); // default handler: a message box, recorded headless
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(Driver.ShownMessages(), (std::vector<std::string>{"bad click", "std failure"}));

    std::vector<std::string> seen;
    Application()->OnException = [&](TObject* Sender, Exception* E) {
        seen.push_back(E->Message());
        EXPECT_EQ(Sender, Application());
    };
    clicks = 0;
    Driver.Click(&box, 1, 1);
    EXPECT_EQ(seen, std::vector<std::string>{"bad click"});
}

TEST_F(LoopTest, WaitingForInputThatCannotArriveRaises) {
    TDialog d;
    EXPECT_THROW(d.Form.ShowModal(), EInvalidOperation);
    // The modal state was undone.
    EXPECT_FALSE(d.Form.GetVisible());
    EXPECT_FALSE(d.Form.IsModal());
}

TEST_F(LoopTest, TerminatingEndsModalLoopsWithCancel) {
    TDialog d;
    d.Ok->OnClick = [](TObject*) { Application()->Terminate(); };
    Driver.PostClick(d.Ok, 1, 1);
    EXPECT_EQ(d.Form.ShowModal(), mrCancel);
    EXPECT_TRUE(Application()->GetTerminated());
}

TEST_F(LoopTest, ClosingTheMainFormTerminatesRun) {
    auto* main = new TForm(nullptr);
    auto* box = new TBox(main);
    box->SetParent(main);
    box->OnClick = [main](TObject*) { main->Close(); };
    main->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    Application()->SetMainForm(main);
    Driver.PostClick(box, 1, 1);
    Application()->Run(); // shows the main form, runs until it closes; caFree releases it
    EXPECT_TRUE(Application()->GetTerminated());
    Driver.ProcessMessages();
    EXPECT_EQ(Application()->GetMainForm(), nullptr);
    EXPECT_EQ(Screen()->GetFormCount(), 0);
}

TEST_F(LoopTest, PostedMessagesReachWindowsAndAreDroppedWithThem) {
    std::vector<uintptr_t> got;
    const HWND w = AllocateHWnd([&](TMessage& M) {
        if (M.Msg == WM_USER) got.push_back(M.WParam);
        M.Result = 42;
    });
    EXPECT_TRUE(PostMessage(w, WM_USER, 1, 0));
    EXPECT_TRUE(PostMessage(w, WM_USER, 2, 0));
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(SendMessage(w, WM_USER, 3, 0), 42);
    Driver.ProcessMessages();
    EXPECT_EQ(got, (std::vector<uintptr_t>{3, 1, 2}));
    PostMessage(w, WM_USER, 4, 0);
    DeallocateHWnd(w);
    Driver.ProcessMessages();
    EXPECT_EQ(got.size(), 3u);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(PostMessage(w, WM_USER, 5, 0));
    EXPECT_EQ(SendMessage(w, WM_USER, 5, 0), 0);
}

TEST_F(LoopTest, InputForADestroyedWindowIsDropped) {
    auto* box = new TBox(nullptr);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    Driver.PostClick(box, 1, 1);
    delete box;
    Driver.ProcessMessages();
    EXPECT_EQ(clicks, 0);
}

TEST_F(LoopTest, IdleHandlerRunsWhenTheQueueIsEmpty) {
    int idles = 0;
    Application()->OnIdle = [&](TObject*, bool& Done) {
        ++idles;
        Done = idles >= 3; // asks to be called again twice before the loop waits
    };
    TBox box(nullptr);
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    Driver.PostClick(&box, 1, 1);
    // HandleMessage: the press, the release (click), then idle, idle, idle and a wait that fails.
    EXPECT_THROW(Application()->RunUntil([] { return false; }), EInvalidOperation);
    Application()->OnIdle = nullptr;
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(idles, 3);
}

namespace {

/// A rectangle query as map controls make it: a nested loop runs until the mouse handlers finish
/// or abort the box.
class TBoxQuery : public TCustomControl {
public:
    explicit TBoxQuery(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 100, 100); }
    bool MouseBox(TRect& R) {
        FState = sFirstCorner;
        Application()->RunUntil([this] { return FState == sFinished || FState == sNormal; });
        const bool ok = FState == sFinished;
        if (ok)
            R = {std::min(FStart.x, FEnd.x), std::min(FStart.y, FEnd.y), std::max(FStart.x, FEnd.x),
                 std::max(FStart.y, FEnd.y)};
        FState = sNormal;
        return ok;
    }
    void Abort() { FState = sNormal; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        if (FState == sFirstCorner || FState == sRectDraw) {
            if (Button == mbRight) {
                FState = sNormal;
            } else if (FState == sFirstCorner) {
                FState = sRectDraw;
                FStart = {X, Y};
            }
        }
        TCustomControl::MouseDown(Button, Shift, X, Y);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        if (FState == sRectDraw && Button != mbRight) {
            FEnd = {X, Y}; // not clamped: the capture delivers positions outside the control too
            FState = sFinished;
        }
    }

private:
    enum { sNormal, sFirstCorner, sRectDraw, sFinished } FState = sNormal;
    TPoint FStart, FEnd;
};

} // namespace

TEST_F(LoopTest, RectangleQueryEndsOnThePostedDragOrAnAbort) {
    TBoxQuery q(nullptr);
    TRect r;
    Driver.PostMouseDown(&q, 60, 70);
    Driver.PostMouseMove(&q, 30, 20);
    Driver.PostMouseUp(&q, 130, 20);
    ASSERT_TRUE(q.MouseBox(r));
    EXPECT_EQ(r, (TRect{60, 20, 130, 70}));

    Driver.PostMouseDown(&q, 10, 10, mbRight);
    Driver.PostMouseUp(&q, 10, 10, mbRight);
    EXPECT_FALSE(q.MouseBox(r));

    // Any handler may abort the query, here a timer's.
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer = [&](TObject*) { q.Abort(); };
    EXPECT_FALSE(q.MouseBox(r));
    EXPECT_EQ(r, (TRect{60, 20, 130, 70}));
}
