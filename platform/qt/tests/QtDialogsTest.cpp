// The dialogue service with the Qt backend: file and colour dialogues and message boxes, answered
// by a "user" acting on the modal Qt dialogue while it runs.
#include "QtTestSupport.h"

#include <qyx/platform/Dialogs.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

using namespace qyx;
using namespace qyxtest;

namespace {

/// Acts on the next modal dialogue as soon as it is open.
void OnNextModal(std::function<void(QWidget*)> Act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, Act] {
        QWidget* w = QApplication::activeModalWidget();
        if (w == nullptr || !w->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        Act(w);
    });
    poll->start(20);
}

} // namespace

TEST(QtDialogsTest, SaveDialogTakesFilterTitleFolderAndName) {
    QYX_REQUIRE_DISPLAY();
    const auto dir = std::filesystem::temp_directory_path();
    TSaveDialog dlg(nullptr);
    dlg.SetTitle("Save the data");
    dlg.SetFilter("Text files|*.txt;*.asc|All files|*.*");
    dlg.SetFilterIndex(2);
    dlg.SetInitialDir(dir.string());
    dlg.SetFileName("data.txt");
    QStringList seenFilters;
    QString seenTitle, seenFilter;
    OnNextModal([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        seenTitle = fd->windowTitle();
        seenFilters = fd->nameFilters();
        seenFilter = fd->selectedNameFilter();
        fd->selectNameFilter(seenFilters.value(0));
        fd->selectFile(QString::fromStdString((dir / "out.asc").string()));
        static_cast<QDialog*>(fd)->accept(); // QFileDialog validates the choice first
    });
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(seenTitle, "Save the data");
    EXPECT_EQ(seenFilters, (QStringList{"Text files (*.txt *.asc)", "All files (*.*)"}));
    EXPECT_EQ(seenFilter, "All files (*.*)");
    EXPECT_EQ(dlg.GetFileName(), (dir / "out.asc").string());
    EXPECT_EQ(dlg.GetFilterIndex(), 1);

    // Cancelled: false, no error, the name unchanged.
    OnNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(dlg.GetFileName(), (dir / "out.asc").string());
}

TEST(QtDialogsTest, ColorDialogStartsWithTheColourAndReturnsTheChoice) {
    QYX_REQUIRE_DISPLAY();
    TColorDialog dlg(nullptr);
    dlg.SetColor(clBtnFace); // a system colour opens as its RGB value
    const TColor face = ColorToRGB(clBtnFace);
    QColor initial;
    OnNextModal([&](QWidget* w) {
        auto* cd = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(cd, nullptr);
        initial = cd->currentColor();
        cd->setCurrentColor(QColor(10, 20, 30));
        cd->accept();
    });
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(initial, QColor(face & 0xFF, (face >> 8) & 0xFF, (face >> 16) & 0xFF));
    EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));

    OnNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
}

TEST(QtDialogsTest, MessageBoxesAnswerWithTheButtonChosen) {
    QYX_REQUIRE_DISPLAY();
    struct Case {
        uint32_t Flags;
        QMessageBox::StandardButton Press; ///< NoButton: closed with Escape
        int Answer;
    };
    const Case cases[] = {
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::No, IDNO},
        {MB_YESNOCANCEL, QMessageBox::Yes, IDYES},
        {MB_OKCANCEL, QMessageBox::NoButton, IDCANCEL},
        {MB_OK | MB_ICONERROR, QMessageBox::NoButton, IDOK},
        {MB_RETRYCANCEL, QMessageBox::Retry, IDRETRY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Flags);
        QString text;
        OnNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            text = box->text();
            if (c.Press != QMessageBox::NoButton)
                box->button(c.Press)->click();
            else
                box->close();
        });
        EXPECT_EQ(Application()->MessageBox("Caf\xe9 ready?", "Title", c.Flags), c.Answer);
        EXPECT_EQ(text, QString::fromUtf8("Caf\xc3\xa9 ready?"));
    }
}
