// Controls hosted in a Qt application's layout through QyxControlHost, with Qt's own loop running.
#include "QtTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

using namespace qyx;
using namespace qyxtest;

namespace {

struct TEmbedWindow {
    std::unique_ptr<QWidget> Window = std::make_unique<QWidget>();
    QVBoxLayout* Layout = new QVBoxLayout(Window.get());
    QLabel* Label = new QLabel("A plain Qt label above the hosted controls");

    TEmbedWindow() {
        Layout->setContentsMargins(10, 10, 10, 10);
        Layout->setSpacing(6);
        Label->setFixedHeight(24);
        Layout->addWidget(Label);
    }
};

} // namespace

TEST(QtEmbedTest, HostedControlIsSizedByTheLayoutAndGetsClicks) {
    QYX_REQUIRE_DISPLAY();
    TEmbedWindow w;
    auto* probe = new TProbe(nullptr, clYellow); // no owner: the host owns it
    auto* host = new QyxControlHost(probe);
    w.Layout->addWidget(host, 1);
    w.Window->resize(400, 300);
    w.Window->show();
    ASSERT_TRUE(WaitExposed(w.Window.get()));
    ASSERT_TRUE(RunQtLoopUntil([&] { return probe->GetWidth() == host->width(); }));

    // Layout: 10 margin on each side; below the 24-pixel label and 6 spacing, the rest.
    EXPECT_EQ(host->width(), 380);
    EXPECT_EQ(host->height(), 300 - 10 - 24 - 6 - 10);
    EXPECT_EQ(probe->GetWidth(), host->width());
    EXPECT_EQ(probe->GetHeight(), host->height());
    EXPECT_EQ(host->sizeHint(), QSize(160, 60));

    // A real click 25/15 pixels into the host.
    ASSERT_TRUE(XDoTool("mousemove --sync --window " + WindowId(w.Window.get()) + " " +
                        std::to_string(host->x() + 25) + " " + std::to_string(host->y() + 15) + " click 1"));
    ASSERT_TRUE(RunQtLoopUntil([&] { return !probe->Lines("click").empty(); }));
    EXPECT_EQ(probe->Log[0], "down 0 25 15");
    EXPECT_EQ(probe->Log[1], "up 0 25 15");
    EXPECT_TRUE(probe->Focused());
    EXPECT_TRUE(host->hasFocus());

    // Keys typed into the focused host reach the control.
    probe->Log.clear();
    ASSERT_TRUE(XDoTool("type --delay 40 'x'"));
    ASSERT_TRUE(RunQtLoopUntil([&] { return !probe->Lines("char").empty(); }));
    EXPECT_EQ(probe->Lines("char").front(), "char 120");

    // The window grows: the layout resizes the host and the control follows.
    w.Window->resize(500, 350);
    ASSERT_TRUE(RunQtLoopUntil([&] { return probe->GetWidth() == 480; }));
    EXPECT_EQ(probe->GetHeight(), 350 - 50);

    // The host shows the control's picture; an invalidation made by Qt code is painted from Qt's loop.
    EXPECT_EQ(host->grab().toImage().pixelColor(5, 5), QColor(255, 255, 0));
    probe->SetFill(clAqua);
    EXPECT_TRUE(
        RunQtLoopUntil([&] { return host->grab().toImage().pixelColor(5, 5) == QColor(0, 255, 255); }));
}

TEST(QtEmbedTest, GraphicControlSitsOnAContainerAndTheHostSurvivesItsControl) {
    QYX_REQUIRE_DISPLAY();
    TEmbedWindow w;
    TComponent owner(nullptr);
    auto* graphic = new TGraphicProbe(&owner); // owned elsewhere: the host leaves it alone
    auto* host = new QyxControlHost(graphic);
    w.Layout->addWidget(host, 1);
    w.Window->resize(300, 200);
    w.Window->show();
    ASSERT_TRUE(WaitExposed(w.Window.get()));
    ASSERT_TRUE(RunQtLoopUntil([&] { return graphic->GetWidth() == host->width(); }));
    EXPECT_NE(graphic->GetParent(), nullptr);
    EXPECT_EQ(graphic->GetHeight(), host->height());

    ASSERT_TRUE(XDoTool("mousemove --sync --window " + WindowId(w.Window.get()) + " " +
                        std::to_string(host->x() + 7) + " " + std::to_string(host->y() + 9) + " click 1"));
    ASSERT_TRUE(RunQtLoopUntil([&] { return !graphic->Log.empty() && graphic->Log.back() == "click"; }));
    EXPECT_EQ(graphic->Log.front(), "down 0 7 9");
    EXPECT_EQ(host->grab().toImage().pixelColor(3, 3), QColor(255, 0, 255));

    // The control goes first; the host stays usable and empty.
    delete graphic;
    EXPECT_EQ(host->control(), nullptr);
    host->update();
    RunQtLoopUntil([] { return false; }, 100);
    delete host;
}
