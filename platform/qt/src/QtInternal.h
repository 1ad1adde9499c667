// Shared parts of the Qt backend: the backend object with its deferred actions and pump, input
// translation and posting, presenting a surface, cursors.
#pragma once

#include <qyx/platform/Application.h>
#include <qyx/platform/Backend.h>
#include <qyx/platform/QtWindows.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

class QImage;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QPainter;

namespace qyx {

/// Timers on Qt's monotonic clock (milliseconds since the backend was installed, plus one second so
/// that no timer is ever due at 0).
class TQtClock : public TClock {
public:
    TQtClock() { FTimer.start(); }
    uint64_t Now() const override { return 1000 + static_cast<uint64_t>(FTimer.elapsed()); }

private:
    QElapsedTimer FTimer;
};

class TQtBackend : public TWindowBackend {
public:
    TQtBackend();
    ~TQtBackend() override;
    std::unique_ptr<TWindowHost> CreateHost(TWinControl* Window) override;
    void PumpEvents() override;
    bool WaitForEvents(int64_t TimeoutMs) override;

    /// The installed backend, or nullptr.
    static TQtBackend* Instance();
    /// Runs Action at the next safe point of the layer's loop (never inside a Qt event handler).
    void Defer(std::function<void()> Action);
    /// Input was posted or work was deferred: makes sure the layer's loop gets to it.
    void WorkPosted();
    /// Call inside a catch block of a Qt event handler: the exception reaches the application's
    /// exception handler at the next safe point (it must not pass through Qt).
    static void ReportLater();

private:
    void RunDeferred();
    /// Processes the layer's queue from Qt's loop (when Qt's loop, not the layer's, is running).
    void Pump();
    void ArmTimerWake();

    std::vector<std::function<void()>> FDeferred;
    QTimer FPumpSoon;  ///< single shot: work was posted
    QTimer FPumpTick;  ///< periodic safety net while Qt's loop runs (invalidations from Qt code)
    QTimer FTimerWake; ///< single shot: the next timer of the layer is due
    int FDepth = 0;    ///< nesting of Qt event processing started by the layer's loop
    bool FPumping = false;
};

// ---- Input --------------------------------------------------------------------------------------

/// Posts a Qt mouse event to Root (client coordinates = widget coordinates).
void PostQtMouse(TControl* Root, QMouseEvent* Event, TInputKind Kind, bool DoubleClick);
void PostQtWheel(TControl* Root, QWheelEvent* Event);
/// Posts a key press or release (auto-repeated releases are dropped, so a held key gives repeated
/// downs and one up), and the typed characters as code page 1252 bytes.
void PostQtKey(TControl* Root, QKeyEvent* Event, bool Down);

// ---- Presentation -------------------------------------------------------------------------------

/// Draws Window's picture (its client area, with windowed descendants) into Painter for Area, using
/// Buffer as the composition bitmap.
void PresentWindow(TWinControl* Window, TBitmap& Buffer, QPainter& Painter, const QRect& Area);
/// The Qt cursor for a cursor number of the layer (registered cursors become bitmap cursors).
QCursor QtCursorFor(TCursor Cursor);

/// A pf32bit copy of a bitmap as a QImage (RGB32).
QImage BitmapToQImage(const TBitmap& Bitmap);
/// Copies a QImage into a pf32bit bitmap.
void QImageToBitmap(const QImage& Image, TBitmap& Bitmap);

/// Code page 1252 text to QString and back (characters without a byte become "?").
QString Cp1252ToQString(const std::string& Text);
std::string QStringToCp1252(const QString& Text);

// ---- Services -----------------------------------------------------------------------------------

void InstallQtServices();
void UninstallQtServices();

} // namespace qyx
