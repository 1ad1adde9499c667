// The gallery window: a page per library, each component live in a QyxControlHost with its
// description and what to try.
#include "Gallery.h"

#ifdef QYX_GALLERY_HAVE_QT

#include <qyx/platform/QtWindows.h>

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace qyxgallery {

bool HaveWindow() {
    return true;
}

int RunWindow(int& Argc, char** Argv, const std::string& SnapshotPrefix) {
    QApplication app(Argc, Argv);
    qyx::InstallQtBackend();
    QTabWidget tabs;
    tabs.setWindowTitle("Qyx gallery");
    std::string page;
    QVBoxLayout* column = nullptr;
    for (const TTile& t : Tiles()) {
        if (t.Library != page || column == nullptr) {
            page = t.Library;
            auto* scroll = new QScrollArea;
            auto* content = new QWidget;
            column = new QVBoxLayout(content);
            column->setAlignment(Qt::AlignTop | Qt::AlignLeft);
            scroll->setWidget(content);
            scroll->setWidgetResizable(true);
            tabs.addTab(scroll, QString::fromStdString(page));
        }
        auto* title =
            new QLabel(QStringLiteral("<b>%1</b> &mdash; %2<br><i>%3</i>")
                           .arg(QString::fromStdString(t.Name), QString::fromLatin1(t.Description.c_str()),
                                QString::fromLatin1(t.Hint.c_str())));
        title->setWordWrap(true);
        column->addWidget(title);
        auto* host = new qyx::QyxControlHost(t.Create());
        host->setFixedSize(host->sizeHint());
        column->addWidget(host);
        column->addSpacing(12);
    }
    tabs.resize(780, 640);
    tabs.show();
    if (!SnapshotPrefix.empty()) {
        // Pictures of the live pages, one per library, then quit.
        QTimer::singleShot(300, [&tabs, SnapshotPrefix] {
            for (int i = 0; i < tabs.count(); ++i) {
                tabs.setCurrentIndex(i);
                for (int k = 0; k < 5; ++k) QCoreApplication::processEvents();
                const QString name = QString::fromStdString(SnapshotPrefix) + tabs.tabText(i) + ".png";
                std::printf("%s\n", name.toLocal8Bit().constData());
                tabs.grab().save(name);
            }
            QApplication::quit();
        });
    }
    const int code = QApplication::exec();
    qyx::UninstallQtBackend();
    return code;
}

} // namespace qyxgallery

#else

namespace qyxgallery {

bool HaveWindow() {
    return false;
}

int RunWindow(int&, char**, const std::string&) {
    return 2;
}

} // namespace qyxgallery

#endif
