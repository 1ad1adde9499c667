// QyxControlHost: one control of the layer inside a Qt widget hierarchy.
#include "QtInternal.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

namespace qyx {

namespace {

/// Tells the host when its control is destroyed.
class TControlWatch : public TComponent {
public:
    explicit TControlWatch(std::function<void()> Gone) : TComponent(nullptr), FGone(std::move(Gone)) {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && FGone) FGone();
    }

private:
    std::function<void()> FGone;
};

/// The window host of the hosted top-level control: forwards repaints and cursor changes.
class TEmbedHost : public TWindowHost {
public:
    explicit TEmbedHost(QWidget* Widget) : FWidget(Widget) {}
    void Show() override {}
    void Hide() override {}
    void SurfaceChanged(const TRect& R) override {
        if (FWidget) FWidget->update(QRect(R.Left, R.Top, R.Width(), R.Height()));
    }
    void Activate() override {
        if (FWidget && !FWidget->hasFocus() && FWidget->focusPolicy() != Qt::NoFocus) FWidget->setFocus();
    }
    void CursorChanged(TCursor Cursor) override {
        if (FWidget) FWidget->setCursor(QtCursorFor(Cursor));
    }

private:
    QPointer<QWidget> FWidget;
};

} // namespace

struct QyxControlHost::TImpl {
    TControl* Control = nullptr;
    TWinControl* Top = nullptr;             ///< the control itself, or the container
    std::unique_ptr<TWinControl> Container; ///< for a graphic control
    std::unique_ptr<TControl> OwnedControl; ///< the control, when it has no owner
    std::unique_ptr<TControlWatch> Watch;
    QSize Hint;
    TBitmap Buffer;
    bool Syncing = false;

    void Forget() {
        if (OwnedControl) (void)OwnedControl.release(); // being destroyed by someone else
        Control = nullptr;
        if (!Container) Top = nullptr;
    }
};

QyxControlHost::QyxControlHost(TControl* Control, QWidget* Parent)
    : QWidget(Parent), F(std::make_unique<TImpl>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    if (Control == nullptr) return;
    F->Control = Control;
    F->Hint = QSize(std::max(1, Control->GetWidth()), std::max(1, Control->GetHeight()));
    if (Control->GetOwner() == nullptr) F->OwnedControl.reset(Control);
    F->Watch = std::make_unique<TControlWatch>([this] { F->Forget(); });
    Control->FreeNotification(F->Watch.get());
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        if (w->GetParent() != nullptr) w->SetParent(nullptr);
        F->Top = w;
        setFocusPolicy(Qt::StrongFocus);
    } else {
        F->Container = std::make_unique<TWinControl>(nullptr);
        F->Container->SetBounds(0, 0, F->Hint.width(), F->Hint.height());
        F->Top = F->Container.get();
        Control->SetParent(F->Top);
        setFocusPolicy(Qt::ClickFocus);
    }
    F->Top->SetWindowHost(std::make_unique<TEmbedHost>(this));
    F->Top->SetVisible(true);
    F->Top->HandleNeeded();
    setCursor(QtCursorFor(Control->GetCursor()));
    resize(F->Hint);
}

QyxControlHost::~QyxControlHost() {
    if (F->Top != nullptr) F->Top->SetWindowHost(nullptr);
    if (F->Control != nullptr) {
        if (F->Watch) F->Control->RemoveFreeNotification(F->Watch.get());
        if (F->Container && F->Control->GetParent() == F->Container.get() && !F->OwnedControl)
            F->Control->SetParent(nullptr);
    }
    // The owned control goes before its container.
    F->OwnedControl.reset();
    F->Container.reset();
}

TControl* QyxControlHost::control() const {
    return F->Control;
}

QSize QyxControlHost::sizeHint() const {
    return F->Hint.isValid() ? F->Hint : QSize(100, 30);
}

QSize QyxControlHost::minimumSizeHint() const {
    return QSize(1, 1);
}

bool QyxControlHost::event(QEvent* Event) {
    // Tab stays with a control that asks for it; otherwise Qt moves the focus on.
    if (Event->type() == QEvent::KeyPress && F->Top != nullptr) {
        auto* k = static_cast<QKeyEvent*>(Event);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            TWinControl* target =
                F->Top->GetFocusedControl() != nullptr ? F->Top->GetFocusedControl() : F->Top;
            const intptr_t code = target->Perform(WM_GETDLGCODE);
            if ((code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0) {
                keyPressEvent(k);
                return true;
            }
        }
    }
    return QWidget::event(Event);
}

void QyxControlHost::paintEvent(QPaintEvent* Event) {
    QPainter p(this);
    if (F->Top == nullptr) {
        p.fillRect(Event->rect(), palette().window());
        return;
    }
    PresentWindow(F->Top, F->Buffer, p, Event->rect());
}

void QyxControlHost::SyncBounds(bool Resized) {
    if (F->Top == nullptr) return;
    // A parentless control's Left and Top are screen coordinates (menus open there).
    const QPoint g = mapToGlobal(QPoint(0, 0));
    if (!Resized && g.x() == F->Top->GetLeft() && g.y() == F->Top->GetTop()) return;
    try {
        F->Top->SetBounds(g.x(), g.y(), width(), height());
        if (Resized && F->Container && F->Control != nullptr) F->Control->SetBounds(0, 0, width(), height());
    } catch (...) {
        TQtBackend::ReportLater();
    }
    if (TQtBackend* b = TQtBackend::Instance()) b->WorkPosted();
}

void QyxControlHost::resizeEvent(QResizeEvent*) {
    SyncBounds(true);
}

void QyxControlHost::moveEvent(QMoveEvent*) {
    SyncBounds(false);
}

void QyxControlHost::mousePressEvent(QMouseEvent* Event) {
    SyncBounds(false);
    PostQtMouse(F->Top, Event, ikMouseDown, false);
}

void QyxControlHost::mouseReleaseEvent(QMouseEvent* Event) {
    PostQtMouse(F->Top, Event, ikMouseUp, false);
}

void QyxControlHost::mouseDoubleClickEvent(QMouseEvent* Event) {
    PostQtMouse(F->Top, Event, ikMouseDown, true);
}

void QyxControlHost::mouseMoveEvent(QMouseEvent* Event) {
    PostQtMouse(F->Top, Event, ikMouseMove, false);
}

void QyxControlHost::wheelEvent(QWheelEvent* Event) {
    PostQtWheel(F->Top, Event);
}

void QyxControlHost::keyPressEvent(QKeyEvent* Event) {
    PostQtKey(F->Top, Event, true);
}

void QyxControlHost::keyReleaseEvent(QKeyEvent* Event) {
    PostQtKey(F->Top, Event, false);
}

void QyxControlHost::focusInEvent(QFocusEvent* Event) {
    QWidget::focusInEvent(Event);
    QPointer<QyxControlHost> self(this);
    if (TQtBackend* b = TQtBackend::Instance())
        b->Defer([self] {
            if (!self || self->F->Top == nullptr) return;
            TWinControl* top = self->F->Top;
            if (Application()->GetActiveWindow() == top || !top->CanFocus()) return;
            TWinControl* target = top->GetFocusedControl();
            (target != nullptr && target->CanFocus() ? target : top)->SetFocus();
        });
}

} // namespace qyx
