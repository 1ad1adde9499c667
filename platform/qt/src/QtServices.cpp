// The system services behind the layer's interfaces: clipboard, file and colour dialogues, message
// boxes and the beep.
#include "QtInternal.h"

#include <qyx/platform/Clipboard.h>
#include <qyx/platform/Dialogs.h>
#include <qyx/platform/Sound.h>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

namespace qyx {

namespace {

class TQtClipboardStore : public TClipboardStore {
public:
    bool HasFormat(uint16_t Format) const override {
        const QMimeData* m = QGuiApplication::clipboard()->mimeData();
        if (m == nullptr) return false;
        if (Format == CF_TEXT) return m->hasText();
        if (Format == CF_BITMAP) return m->hasImage();
        return false;
    }
    std::string GetText() const override { return QStringToCp1252(QGuiApplication::clipboard()->text()); }
    void SetText(const std::string& Text) override {
        QGuiApplication::clipboard()->setText(Cp1252ToQString(Text));
    }
    bool GetBitmap(TBitmap& Dest) const override {
        const QImage img = QGuiApplication::clipboard()->image();
        if (img.isNull()) return false;
        QImageToBitmap(img, Dest);
        return true;
    }
    void SetBitmap(const TBitmap& Bitmap) override {
        QGuiApplication::clipboard()->setImage(BitmapToQImage(Bitmap));
    }
    void Clear() override { QGuiApplication::clipboard()->clear(); }
};

/// "Text files|*.txt;*.asc|All files|*.*" as Qt's "Text files (*.txt *.asc);;All files (*.*)".
QStringList QtFilters(const std::string& Filter) {
    QStringList parts = Cp1252ToQString(Filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts[i + 1];
        masks.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), masks.trimmed());
    }
    return out;
}

class TQtDialogs : public TDialogService {
public:
    bool ExecuteFile(TOpenDialog* Dialog, uint32_t& ErrorCode) override {
        ErrorCode = 0;
        QFileDialog dlg(QApplication::activeWindow());
        dlg.setWindowTitle(Cp1252ToQString(Dialog->GetTitle()));
        const TOpenOptions opt = Dialog->GetOptions();
        if (Dialog->IsSave()) {
            dlg.setAcceptMode(QFileDialog::AcceptSave);
            dlg.setFileMode(QFileDialog::AnyFile);
            if (!opt.Contains(ofOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
        } else {
            dlg.setFileMode(opt.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                            : opt.Contains(ofFileMustExist)  ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
        }
        if (!Dialog->GetInitialDir().empty()) dlg.setDirectory(Cp1252ToQString(Dialog->GetInitialDir()));
        const QStringList filters = QtFilters(Dialog->GetFilter());
        if (!filters.isEmpty()) {
            dlg.setNameFilters(filters);
            const int index = Dialog->GetFilterIndex();
            if (index >= 1 && index <= filters.size()) dlg.selectNameFilter(filters[index - 1]);
        }
        if (!Dialog->GetDefaultExt().empty()) dlg.setDefaultSuffix(Cp1252ToQString(Dialog->GetDefaultExt()));
        if (!Dialog->GetFileName().empty()) dlg.selectFile(Cp1252ToQString(Dialog->GetFileName()));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
        Dialog->SetFileName(QStringToCp1252(dlg.selectedFiles().first()));
        if (!filters.isEmpty())
            Dialog->SetFilterIndex(
                std::max(1, static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1));
        return true;
    }

    bool ExecuteColor(TColorDialog* Dialog, uint32_t& ErrorCode) override {
        ErrorCode = 0;
        const TColor c = ColorToRGB(Dialog->GetColor());
        const QColor initial(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
        if (!chosen.isValid()) return false;
        Dialog->SetColor(RGB(static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
                             static_cast<uint8_t>(chosen.blue())));
        return true;
    }

    int MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(Cp1252ToQString(Caption));
        box.setText(Cp1252ToQString(Text));
        switch (Flags & 0xF0) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        struct TButton {
            QMessageBox::StandardButton Qt;
            int Id;
        };
        std::vector<TButton> buttons;
        switch (Flags & 0xF) {
        case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
        case MB_ABORTRETRYIGNORE:
            buttons = {{QMessageBox::Abort, IDABORT},
                       {QMessageBox::Retry, IDRETRY},
                       {QMessageBox::Ignore, IDIGNORE}};
            break;
        case MB_YESNOCANCEL:
            buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
        case MB_RETRYCANCEL:
            buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        default: buttons = {{QMessageBox::Ok, IDOK}}; break;
        }
        QMessageBox::StandardButtons set;
        for (const TButton& b : buttons) set |= b.Qt;
        box.setStandardButtons(set);
        box.setDefaultButton(buttons.front().Qt);
        const int answer = box.exec();
        for (const TButton& b : buttons)
            if (answer == b.Qt) return b.Id;
        // Closed without a button: the cancel answer when there is one, else the first.
        for (const TButton& b : buttons)
            if (b.Id == IDCANCEL) return IDCANCEL;
        return buttons.front().Id;
    }
};

} // namespace

void InstallQtServices() {
    Clipboard()->SetStore(std::make_unique<TQtClipboardStore>());
    SetDialogService(std::make_unique<TQtDialogs>());
    SetBeepHook([](uint32_t) { QApplication::beep(); });
}

void UninstallQtServices() {
    Clipboard()->SetStore(nullptr);
    SetDialogService(nullptr);
    SetBeepHook({});
}

} // namespace qyx
