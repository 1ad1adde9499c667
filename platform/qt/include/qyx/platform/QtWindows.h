// Real windows for the control layer through Qt 6.
//
// InstallQtBackend connects the headless control layer to Qt: every form that is shown gets a Qt
// window presenting its surface (repainted where it was invalidated), Qt's mouse, key and text input
// becomes the layer's input (virtual-key codes, code page 1252 characters, shift states), timers run
// on Qt's monotonic clock, and the clipboard, the file and colour dialogues, message boxes and the
// beep become the system's. The layer's own loop (Application()->Run, ShowModal, RunUntil) runs Qt's
// event processing inside it; when Qt's loop runs instead (QApplication::exec in a Qt program), the
// layer's queue, paints and timers are processed from Qt's loop.
//
// QyxControlHost puts any control of the layer into a Qt widget hierarchy. The printer object's pages
// go to a PDF file or a system printer through CreateQtPrinterDriver, or are written to PDF afterwards
// with SavePrinterPagesAsPdf.
#pragma once

#include <memory>
#include <string>

#include <QSize>
#include <QWidget>

#include <qyx/platform/Controls.h>
#include <qyx/platform/Printer.h>

namespace qyx {

/// Installs the Qt backend and the system services (safe to call again). Creates a QApplication from
/// Argc and Argv when none exists yet (the "qyx" program name when they are not given).
void InstallQtBackend(int* Argc = nullptr, char** Argv = nullptr);
/// Returns the layer to its headless services and clock; windows of shown forms are closed.
void UninstallQtBackend();
bool QtBackendInstalled();

/// A printer driver that sends each page to a QPrinter: a PDF file when PdfFileName is not empty,
/// otherwise the system's default printer (BeginDoc raises EPrinter "There is no default printer
/// currently selected" when there is none).
std::unique_ptr<TPrinterDriver> CreateQtPrinterDriver(const std::string& PdfFileName = "");
/// Writes the pages the printer object kept from its last job into a PDF file, one page each, at the
/// job's resolution; false when there are no pages or the file cannot be written.
bool SavePrinterPagesAsPdf(const std::string& FileName);

/// The virtual-key code of a Qt key (Qt::Key value) with its modifiers; Text (the characters the key
/// types, UTF-16) decides the layout-dependent punctuation keys. 0 when the key has no code.
uint16_t QtKeyToVirtualKey(int QtKey, Qt::KeyboardModifiers Modifiers, const QString& Text);
/// The shift state of Qt modifiers and held mouse buttons.
TShiftState QtToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);

/// A Qt widget that shows and drives one control of the layer. The layout sizes the control to the
/// widget; mouse, wheel and keyboard input go to it as to a form's control. A windowed control is
/// hosted as a window of its own; a graphic control sits on a plain windowed container. The host
/// deletes the control when the control has no owner; a control destroyed first leaves the host empty.
class QyxControlHost : public QWidget {
public:
    explicit QyxControlHost(TControl* Control, QWidget* Parent = nullptr);
    ~QyxControlHost() override;

    /// The hosted control (nullptr once it was destroyed).
    TControl* control() const;
    /// The control's size when it was put in the host.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;

private:
    /// The hosted window follows the widget's screen position (and size when Resized).
    void SyncBounds(bool Resized);
    struct TImpl;
    std::unique_ptr<TImpl> F;
};

} // namespace qyx
