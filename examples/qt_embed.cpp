// A plain Qt application that embeds one of our controls: the example counter, hosted by
// QyxControlHost in an ordinary Qt layout next to Qt's own widgets. Qt's loop runs the program; the
// counter's clicks, keys and timer are processed from it.
//
// Run it with a display to use it; with --selftest (or no display at all) it builds the window
// off-screen, drives the counter once and prints what happened.
#define QYX_UI_COUNTER_NO_MAIN
#include "ui_counter.cpp"

#include <qyx/platform/QtWindows.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    const bool selfTest =
        (argc > 1 && std::strcmp(argv[1], "--selftest") == 0) || display == nullptr || !*display;
    if (selfTest && std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    qyx::InstallQtBackend();

    QWidget window;
    window.setWindowTitle("A Qt window with a Qyx control");
    auto* layout = new QVBoxLayout(&window);
    auto* status = new QLabel("Click the counter, or press Up/Down while it has the focus.");
    layout->addWidget(status);

    // The control: created without an owner, so the host owns it and deletes it with the window.
    auto* counter = new demo::TCounter(nullptr);
    counter->GetFont()->SetSize(14);
    counter->SetValue(1);
    counter->OnChange = [status, counter](qyx::TObject*) {
        status->setText(QStringLiteral("The counter shows %1").arg(counter->GetValue()));
    };
    auto* host = new qyx::QyxControlHost(counter);
    layout->addWidget(host, 1);

    auto* buttons = new QHBoxLayout;
    auto* reset = new QPushButton("Reset");
    auto* autoCount = new QPushButton("Count by itself");
    autoCount->setCheckable(true);
    buttons->addWidget(reset);
    buttons->addWidget(autoCount);
    layout->addLayout(buttons);
    // Qt signals drive the control directly: its setters repaint it at once.
    QObject::connect(reset, &QPushButton::clicked, [counter] { counter->SetValue(0); });
    QObject::connect(autoCount, &QPushButton::toggled, [counter](bool On) {
        counter->SetInterval(500);
        counter->SetAutoCount(On);
    });

    window.resize(360, 200);
    window.show();
    if (!selfTest) return QApplication::exec();

    // Self-test: the layout sized the control; a button press sets it.
    reset->click();
    std::printf("host %dx%d, control %dx%d, value %d\n", host->width(), host->height(), counter->GetWidth(),
                counter->GetHeight(), counter->GetValue());
    return counter->GetWidth() == host->width() && counter->GetValue() == 0 ? 0 : 1;
}
