// Forms in Qt windows: the window host the backend creates for every shown form.
#include "QtInternal.h"

#include <qyx/platform/Forms.h>

#include <QCloseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace qyx {

namespace {

/// The top-level Qt window of a form: presents its picture and posts its input.
class TQtFormWindow : public QWidget {
public:
    explicit TQtFormWindow(TWinControl* Form) : FForm(Form) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }
    /// The form went away: the window only waits to be deleted.
    void Detach() { FForm = nullptr; }
    TWinControl* Form() const { return FForm; }
    /// Set while the window follows the form's bounds (so Qt's move and resize are not fed back).
    bool FSyncing = false;

protected:
    bool event(QEvent* E) override {
        if (E->type() == QEvent::WindowActivate && FForm != nullptr) {
            QPointer<TQtFormWindow> self(this);
            Defer([self] {
                if (!self || self->FForm == nullptr) return;
                auto* f = dynamic_cast<TCustomForm*>(self->FForm);
                if (f != nullptr && f->GetVisible() && f->GetEnabled() && !f->GetActive()) f->Show();
            });
        }
        // Tab and Shift+Tab belong to the form's own navigation.
        if (E->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(E);
            if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
                keyPressEvent(k);
                return true;
            }
        }
        return QWidget::event(E);
    }
    bool focusNextPrevChild(bool) override { return false; }
    void paintEvent(QPaintEvent* E) override {
        QPainter p(this);
        if (FForm == nullptr) {
            p.fillRect(E->rect(), Qt::white);
            return;
        }
        PresentWindow(FForm, FBuffer, p, E->rect());
    }
    void resizeEvent(QResizeEvent*) override { FollowWindow(); }
    void moveEvent(QMoveEvent*) override { FollowWindow(); }
    void closeEvent(QCloseEvent* E) override {
        E->ignore();
        QPointer<TQtFormWindow> self(this);
        Defer([self] {
            if (!self || self->FForm == nullptr) return;
            if (auto* f = dynamic_cast<TCustomForm*>(self->FForm))
                f->Close();
            else
                self->FForm->Hide();
        });
    }
    void mousePressEvent(QMouseEvent* E) override { PostQtMouse(FForm, E, ikMouseDown, false); }
    void mouseReleaseEvent(QMouseEvent* E) override { PostQtMouse(FForm, E, ikMouseUp, false); }
    void mouseDoubleClickEvent(QMouseEvent* E) override { PostQtMouse(FForm, E, ikMouseDown, true); }
    void mouseMoveEvent(QMouseEvent* E) override { PostQtMouse(FForm, E, ikMouseMove, false); }
    void wheelEvent(QWheelEvent* E) override { PostQtWheel(FForm, E); }
    void keyPressEvent(QKeyEvent* E) override { PostQtKey(FForm, E, true); }
    void keyReleaseEvent(QKeyEvent* E) override { PostQtKey(FForm, E, false); }

private:
    static void Defer(std::function<void()> Action) {
        if (TQtBackend* b = TQtBackend::Instance()) b->Defer(std::move(Action));
    }
    /// The user (or the window manager) moved or resized the window: the form follows.
    void FollowWindow() {
        if (FSyncing || FForm == nullptr || !isVisible()) return;
        QPointer<TQtFormWindow> self(this);
        Defer([self] {
            if (!self || self->FForm == nullptr) return;
            TWinControl* f = self->FForm;
            const QRect frame = self->frameGeometry();
            const int cw = self->width(), ch = self->height();
            const int ow = f->GetWidth() - f->GetClientWidth(), oh = f->GetHeight() - f->GetClientHeight();
            if (f->GetLeft() == frame.x() && f->GetTop() == frame.y() && f->GetClientWidth() == cw &&
                f->GetClientHeight() == ch)
                return;
            self->FSyncing = true;
            try {
                f->SetBounds(frame.x(), frame.y(), cw + ow, ch + oh);
            } catch (...) {
                self->FSyncing = false;
                throw;
            }
            self->FSyncing = false;
        });
    }

    TWinControl* FForm;
    TBitmap FBuffer;
};

class TQtWindowHost : public TWindowHost {
public:
    explicit TQtWindowHost(TWinControl* Form) : FForm(Form), FWindow(new TQtFormWindow(Form)) {
        CaptionChanged();
        BoundsChanged();
    }
    ~TQtWindowHost() override {
        if (!FWindow) return;
        FWindow->Detach();
        FWindow->hide();
        FWindow->deleteLater();
    }
    void Show() override {
        BoundsChanged();
        FWindow->show();
        FWindow->raise();
        FWindow->activateWindow();
    }
    void Hide() override { FWindow->hide(); }
    void SurfaceChanged(const TRect& R) override {
        FWindow->update(QRect(R.Left, R.Top, R.Width(), R.Height()));
    }
    void BoundsChanged() override {
        if (FWindow->FSyncing) return;
        FWindow->FSyncing = true;
        const auto* f = dynamic_cast<const TCustomForm*>(FForm);
        const TFormBorderStyle style = f != nullptr ? f->GetBorderStyle() : bsNone;
        Qt::WindowFlags flags = Qt::Window;
        if (style == bsNone) flags |= Qt::FramelessWindowHint;
        if (style == bsDialog) flags = Qt::Dialog;
        if (style == bsToolWindow || style == bsSizeToolWin) flags = Qt::Tool;
        if (flags != FFlags) {
            // Changing the flags re-creates the native window, hidden.
            FFlags = flags;
            const bool shown = FWindow->isVisible();
            FWindow->setWindowFlags(flags);
            if (shown) FWindow->show();
        }
        const int w = std::max(1, FForm->GetClientWidth()), h = std::max(1, FForm->GetClientHeight());
        if (style == bsSizeable || style == bsSizeToolWin) {
            FWindow->setMinimumSize(1, 1);
            FWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            FWindow->resize(w, h);
        } else {
            FWindow->setFixedSize(w, h);
        }
        FWindow->move(FForm->GetLeft(), FForm->GetTop());
        FWindow->FSyncing = false;
    }
    void CaptionChanged() override { FWindow->setWindowTitle(Cp1252ToQString(FForm->GetCaption())); }
    void Activate() override {
        if (!FWindow->isVisible() || FWindow->isActiveWindow()) return;
        FWindow->raise();
        FWindow->activateWindow();
    }
    void CursorChanged(TCursor Cursor) override { FWindow->setCursor(QtCursorFor(Cursor)); }

private:
    TWinControl* FForm;
    QPointer<TQtFormWindow> FWindow;
    Qt::WindowFlags FFlags = Qt::Window;
};

} // namespace

std::unique_ptr<TWindowHost> TQtBackend::CreateHost(TWinControl* Window) {
    return std::make_unique<TQtWindowHost>(Window);
}

} // namespace qyx
