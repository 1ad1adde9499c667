// The Qt backend: installation, the layer's loop running Qt's event processing, and Qt's loop
// processing the layer's queue, paints and timers.
#include "QtInternal.h"

#include <qyx/platform/Forms.h>
#include <qyx/platform/Screen.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <exception>

namespace qyx {

namespace {

TQtBackend* GBackend = nullptr;

} // namespace

TQtBackend::TQtBackend() {
    GBackend = this;
    FPumpSoon.setSingleShot(true);
    FPumpSoon.setInterval(0);
    QObject::connect(&FPumpSoon, &QTimer::timeout, [this] { Pump(); });
    // While Qt's loop runs, the tick picks up work that arrives without input (an invalidation or a
    // timer started from Qt code). The layer's own loop stops it while it waits.
    FPumpTick.setInterval(30);
    QObject::connect(&FPumpTick, &QTimer::timeout, [this] { Pump(); });
    FPumpTick.start();
    FTimerWake.setSingleShot(true);
    FTimerWake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&FTimerWake, &QTimer::timeout, [this] { Pump(); });
}

TQtBackend::~TQtBackend() {
    if (GBackend == this) GBackend = nullptr;
}

TQtBackend* TQtBackend::Instance() {
    return GBackend;
}

void TQtBackend::Defer(std::function<void()> Action) {
    FDeferred.push_back(std::move(Action));
    WorkPosted();
}

void TQtBackend::WorkPosted() {
    if (!FPumpSoon.isActive()) FPumpSoon.start();
}

void TQtBackend::ReportLater() {
    std::exception_ptr e = std::current_exception();
    if (!e || GBackend == nullptr) return;
    GBackend->Defer([e] { std::rethrow_exception(e); });
}

void TQtBackend::RunDeferred() {
    while (!FDeferred.empty()) {
        auto actions = std::move(FDeferred);
        FDeferred.clear();
        for (auto& a : actions) {
            try {
                a();
            } catch (...) {
                Application()->HandleException(Application());
            }
        }
    }
}

void TQtBackend::PumpEvents() {
    if (FDepth == 0) {
        ++FDepth;
        try {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        } catch (...) {
            --FDepth;
            throw;
        }
        --FDepth;
    }
    RunDeferred();
}

bool TQtBackend::WaitForEvents(int64_t TimeoutMs) {
    RunDeferred();
    if (TimeoutMs < 0) {
        // No timer runs: only a window can bring input.
        bool anyWindow = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) anyWindow = true;
        if (!anyWindow && FDeferred.empty()) return false;
    }
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    if (TimeoutMs >= 0) wake.start(static_cast<int>(std::min<int64_t>(TimeoutMs, 1 << 30)));
    const bool ticking = FPumpTick.isActive();
    FPumpTick.stop();
    ++FDepth;
    try {
        QCoreApplication::processEvents(
            TimeoutMs == 0 ? QEventLoop::AllEvents : QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    } catch (...) {
        --FDepth;
        if (ticking) FPumpTick.start();
        throw;
    }
    --FDepth;
    if (ticking) FPumpTick.start();
    RunDeferred();
    return true;
}

void TQtBackend::Pump() {
    // The layer's loop is inside Qt's event processing: it handles the work itself when it returns.
    if (FDepth > 0 || FPumping) return;
    FPumping = true;
    try {
        RunDeferred();
        Application()->ProcessMessages();
    } catch (...) {
        FPumping = false;
        Application()->HandleException(Application());
        ArmTimerWake();
        return;
    }
    FPumping = false;
    ArmTimerWake();
}

void TQtBackend::ArmTimerWake() {
    uint64_t due = 0;
    if (!Application()->GetNextTimerDue(due)) {
        FTimerWake.stop();
        return;
    }
    const uint64_t now = Application()->GetClock()->Now();
    const int64_t wait = due > now ? static_cast<int64_t>(due - now) : 0;
    FTimerWake.start(static_cast<int>(std::min<int64_t>(wait, 1 << 30)));
}

// ---- Installation ---------------------------------------------------------------------------------

namespace {

int GDefaultArgc = 1;
char GDefaultName[] = "qyx";
char* GDefaultArgv[] = {GDefaultName, nullptr};

} // namespace

void InstallQtBackend(int* Argc, char** Argv) {
    if (GBackend != nullptr) return;
    if (QApplication::instance() == nullptr) {
        if (Argc == nullptr || Argv == nullptr) {
            Argc = &GDefaultArgc;
            Argv = GDefaultArgv;
        }
        new QApplication(*Argc, Argv); // lives as long as the process
    }
    Application()->SetClock(std::make_unique<TQtClock>());
    Application()->SetBackend(std::make_unique<TQtBackend>());
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->virtualGeometry();
        Screen()->SetSize(g.width(), g.height());
    }
    InstallQtServices();
}

void UninstallQtBackend() {
    if (GBackend == nullptr) return;
    UninstallQtServices();
    // Windows of forms go with their hosts.
    for (int i = 0; i < Screen()->GetFormCount(); ++i)
        if (TCustomForm* f = Screen()->GetForms(i)) f->SetWindowHost(nullptr);
    Application()->SetBackend(nullptr);
    Application()->SetClock(nullptr);
    Screen()->SetSize(1920, 1080);
}

bool QtBackendInstalled() {
    return GBackend != nullptr;
}

} // namespace qyx
