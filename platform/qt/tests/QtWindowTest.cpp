// A form in a real Qt window on the test's X server: presentation of its surface, and real X input
// (xdotool) arriving at a control as the layer's mouse, key and character messages.
#include "QtTestSupport.h"

#include <qyx/platform/Screen.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <memory>

using namespace qyx;
using namespace qyxtest;

namespace {

/// The Qt window that presents a shown form.
QWidget* WindowOf(TCustomForm* Form) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QString::fromLatin1(Form->GetCaption().c_str())) return w;
    return nullptr;
}

class QtWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QYX_REQUIRE_DISPLAY();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBorderStyle(bsSingle);
        Form->SetCaption("Probe form \xe9");
        Form->SetBounds(40, 40, 320, 240);
        Probe = new TProbe(Form.get());
        Probe->SetBounds(20, 30, 160, 60);
        Probe->SetParent(Form.get());
        Other = new TProbe(Form.get(), clNavy);
        Other->SetBounds(200, 30, 80, 60);
        Other->SetParent(Form.get());
        Form->Show();
        Window = WindowOf(Form.get());
        ASSERT_NE(Window, nullptr);
        ASSERT_TRUE(WaitExposed(Window));
        // Paint what the form invalidated while it was shown.
        Application()->ProcessMessages();
        ASSERT_TRUE(XDoTool("windowfocus --sync " + WindowId(Window)));
    }
    void TearDown() override {
        Form.reset();
        if (HaveDisplay()) Application()->ProcessMessages();
    }

    std::unique_ptr<TForm> Form;
    TProbe* Probe = nullptr;
    TProbe* Other = nullptr;
    QWidget* Window = nullptr;
};

} // namespace

TEST_F(QtWindowTest, WindowShowsTheFormsClientAreaAndItsPicture) {
    EXPECT_EQ(Window->width(), Form->GetClientWidth());
    EXPECT_EQ(Window->height(), Form->GetClientHeight());
    EXPECT_EQ(Window->windowTitle(), QString::fromUtf8("Probe form \xc3\xa9"));
    // What the X server shows: the probe's green, the other probe's navy, the form's face elsewhere.
    ASSERT_TRUE(RunLayerLoopUntil([&] {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(Window->winId()).toImage();
        return shot.pixelColor(30, 40) == QColor(0, 255, 0) && shot.pixelColor(210, 40) == QColor(0, 0, 128);
    }));
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(Window->winId()).toImage();
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(face & 0xFF, (face >> 8) & 0xFF, (face >> 16) & 0xFF));

    // A change painted by the control reaches the screen through the window's repaint.
    Other->SetColor(clRed);
    Other->GetCanvas()->GetBrush()->SetColor(clRed);
    Other->GetCanvas()->FillRect({0, 0, 10, 10});
    EXPECT_TRUE(RunLayerLoopUntil([&] {
        return QGuiApplication::primaryScreen()->grabWindow(Window->winId()).toImage().pixelColor(202, 32) ==
               QColor(255, 0, 0);
    }));

    // The user resizes the window: a sizeable form follows with its client area.
    Form->SetBorderStyle(bsSizeable);
    Application()->ProcessMessages();
    Window->resize(400, 300);
    EXPECT_TRUE(
        RunLayerLoopUntil([&] { return Form->GetClientWidth() == 400 && Form->GetClientHeight() == 300; }));
}

TEST_F(QtWindowTest, ClicksAndTypingReachTheControl) {
    const std::string wid = WindowId(Window);
    // A click 30/20 pixels into the probe (the probe sits at 20, 30 of the client area).
    ASSERT_TRUE(XDoTool("mousemove --sync --window " + wid + " 50 50 click 1"));
    ASSERT_TRUE(RunLayerLoopUntil([&] { return !Probe->Lines("click").empty(); }));
    ASSERT_GE(Probe->Log.size(), 3u);
    EXPECT_EQ(Probe->Log[0], "down 0 30 20");
    EXPECT_EQ(Probe->Log[1], "up 0 30 20");
    EXPECT_EQ(Probe->Log[2], "click");
    EXPECT_TRUE(Probe->Focused());
    EXPECT_TRUE(Other->Log.empty());

    // Keys: an arrow (wanted by the control), letters with and without Shift, a layout-dependent key.
    Probe->Log.clear();
    ASSERT_TRUE(XDoTool("key --delay 40 Up"));
    ASSERT_TRUE(XDoTool("type --delay 40 'aB+'"));
    ASSERT_TRUE(RunLayerLoopUntil([&] { return Probe->Lines("char").size() >= 3; }));
    const std::vector<std::string> downs = Probe->Lines("keydown");
    auto has = [&](const std::string& L) { return std::find(downs.begin(), downs.end(), L) != downs.end(); };
    EXPECT_TRUE(has("keydown 38")) << ::testing::PrintToString(downs);        // VK_UP
    EXPECT_TRUE(has("keydown 65")) << ::testing::PrintToString(downs);        // 'A' key for "a"
    EXPECT_TRUE(has("keydown 66 shift")) << ::testing::PrintToString(downs);  // 'B' key with Shift
    EXPECT_TRUE(has("keydown 187 shift")) << ::testing::PrintToString(downs); // "+" is key 187
    EXPECT_EQ(Probe->Lines("char"), (std::vector<std::string>{"char 97", "char 66", "char 43"}));

    // A double click: down, up + click, double-click press, up.
    Probe->Log.clear();
    ASSERT_TRUE(XDoTool("mousemove --sync --window " + wid + " 60 60 click --repeat 2 --delay 40 1"));
    ASSERT_TRUE(RunLayerLoopUntil([&] { return Probe->Lines("up").size() >= 2; }));
    EXPECT_EQ(Probe->Log, (std::vector<std::string>{"down 0 40 30", "up 0 40 30", "click", "dblclick",
                                                    "down 0 40 30 double", "up 0 40 30"}));

    // The wheel, away from the user: one notch of 120.
    Probe->Log.clear();
    ASSERT_TRUE(XDoTool("click 4"));
    ASSERT_TRUE(RunLayerLoopUntil([&] { return !Probe->Lines("wheel").empty(); }));
    EXPECT_EQ(Probe->Lines("wheel").front(), "wheel 120");
}

TEST_F(QtWindowTest, PressCapturesTheMouseUntilRelease) {
    const std::string wid = WindowId(Window);
    // Press on the probe, move far to the right onto the other control, release there: the release
    // goes to the probe in its own coordinates, and no click happens.
    ASSERT_TRUE(XDoTool("mousemove --sync --window " + wid + " 40 40 mousedown 1"));
    ASSERT_TRUE(XDoTool("mousemove --sync --window " + wid + " 230 50 mouseup 1"));
    ASSERT_TRUE(RunLayerLoopUntil([&] { return !Probe->Lines("up").empty(); }));
    EXPECT_EQ(Probe->Log.front(), "down 0 20 10");
    EXPECT_EQ(Probe->Lines("up").front(), "up 0 210 20");
    EXPECT_TRUE(Probe->Lines("click").empty());
    EXPECT_TRUE(Other->Log.empty());
    EXPECT_EQ(Application()->GetCaptureControl(), nullptr);
}

TEST_F(QtWindowTest, ClosingTheWindowClosesTheForm) {
    bool closed = false;
    Form->OnClose = [&](TObject*, TCloseAction& Action) {
        closed = true;
        Action = caHide;
    };
    Window->close(); // as the window manager's close button does
    EXPECT_TRUE(RunLayerLoopUntil([&] { return closed; }));
    EXPECT_FALSE(Form->GetVisible());
    EXPECT_TRUE(RunLayerLoopUntil([&] { return !Window->isVisible(); }));
}

TEST_F(QtWindowTest, ModalFormEndsOnARealClick) {
    auto dialog = std::make_unique<TForm>(nullptr);
    dialog->SetCaption("Modal probe");
    dialog->SetBounds(100, 100, 240, 160);
    auto* ok = new TProbe(dialog.get());
    ok->SetBounds(10, 10, 100, 40);
    ok->SetParent(dialog.get());
    ok->OnClick = [&](TObject*) { dialog->SetModalResult(mrOk); };
    // Once the modal window is on screen, click its button through the X server.
    TTimer starter(nullptr);
    starter.SetInterval(50);
    starter.OnTimer = [&](TObject*) {
        QWidget* w = WindowOf(dialog.get());
        if (w == nullptr || w->windowHandle() == nullptr || !w->windowHandle()->isExposed()) return;
        starter.SetEnabled(false);
        XDoTool("mousemove --sync --window " + WindowId(w) + " 30 30 click 1");
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(ok->Lines("click").size(), 1u);
    EXPECT_FALSE(dialog->GetVisible());
    EXPECT_TRUE(Form->GetEnabled());
}

TEST_F(QtWindowTest, CursorFollowsTheControlUnderThePointer) {
    Probe->SetCursor(crHandPoint);
    Other->SetCursor(crIBeam);
    const std::string wid = WindowId(Window);
    ASSERT_TRUE(XDoTool("mousemove --sync --window " + wid + " 40 40"));
    EXPECT_TRUE(RunLayerLoopUntil([&] { return Window->cursor().shape() == Qt::PointingHandCursor; }));
    ASSERT_TRUE(XDoTool("mousemove --sync --window " + wid + " 230 50"));
    EXPECT_TRUE(RunLayerLoopUntil([&] { return Window->cursor().shape() == Qt::IBeamCursor; }));
    // The busy cursor of the screen wins everywhere.
    Screen()->SetCursor(crHourGlass);
    EXPECT_TRUE(RunLayerLoopUntil([&] { return Window->cursor().shape() == Qt::WaitCursor; }));
    Screen()->SetCursor(crDefault);
}

TEST_F(QtWindowTest, ModalFormRunsInsideQtsOwnLoop) {
    // A Qt program's slot shows a modal form: the layer's loop runs inside Qt's until a real click
    // ends it, and Qt's loop goes on afterwards.
    auto dialog = std::make_unique<TForm>(nullptr);
    dialog->SetCaption("Modal inside Qt");
    dialog->SetBounds(120, 120, 240, 160);
    auto* ok = new TProbe(dialog.get());
    ok->SetBounds(10, 10, 100, 40);
    ok->SetParent(dialog.get());
    ok->OnClick = [&](TObject*) { dialog->SetModalResult(mrYes); };
    TTimer clicker(nullptr);
    clicker.SetInterval(50);
    clicker.OnTimer = [&](TObject*) {
        QWidget* w = WindowOf(dialog.get());
        if (w == nullptr || w->windowHandle() == nullptr || !w->windowHandle()->isExposed()) return;
        clicker.SetEnabled(false);
        XDoTool("mousemove --sync --window " + WindowId(w) + " 30 30 click 1");
    };
    TModalResult result = mrNone;
    QTimer::singleShot(0, [&] { result = dialog->ShowModal(); });
    EXPECT_TRUE(RunQtLoopUntil([&] { return result != mrNone; }));
    EXPECT_EQ(result, mrYes);
    EXPECT_FALSE(dialog->GetVisible());
}
