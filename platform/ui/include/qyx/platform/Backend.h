// What a real-window backend implements to present the control layer and to feed it input. Without a
// backend the layer runs headless: forms have no window host, and the loop's input comes only from
// what is posted (the test driver posts through the same path).
//
// A backend:
// - creates a TWindowHost for every form that is shown; the host is told when the form is shown,
//   hidden, moved, re-captioned, and which area of its picture changed; it presents the picture by
//   calling the form's PaintTo onto a canvas of its own (a bitmap the size of the client area);
// - posts input into Application()->PostInput with client coordinates of the form, virtual-key codes
//   (CharToVirtualKey for layout-dependent keys) and code page 1252 characters;
// - pumps and waits for its native events inside the application's loop (PumpEvents, WaitForEvents),
//   so timers, paints and nested loops keep running while a native window is open.
#pragma once

#include <cstdint>
#include <memory>

#include <qyx/platform/Controls.h>

namespace qyx {

/// The presentation of one top-level window.
class TWindowHost {
public:
    virtual ~TWindowHost() = default;
    /// The window was shown or hidden.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    /// Pixels of the client area changed in R (client coordinates); present them when convenient.
    virtual void SurfaceChanged(const TRect& R) = 0;
    /// Position, size, caption or border style changed.
    virtual void BoundsChanged() {}
    virtual void CaptionChanged() {}
    /// The window became the active window (keyboard input goes to it).
    virtual void Activate() {}
    /// The cursor to show over the window (Screen()->GetCursors resolves registered numbers).
    virtual void CursorChanged(TCursor Cursor) { (void)Cursor; }
    /// The window holds (or released) the mouse capture.
    virtual void CaptureChanged(bool Captured) { (void)Captured; }
};

/// A source of native windows and events.
class TWindowBackend {
public:
    virtual ~TWindowBackend() = default;
    /// A host for a form that is about to be shown; nullptr keeps the form headless.
    virtual std::unique_ptr<TWindowHost> CreateHost(TWinControl* Window) = 0;
    /// Moves pending native events into the application's queue without waiting.
    virtual void PumpEvents() {}
    /// Waits up to TimeoutMs (forever when negative) for native events; returns false when no event
    /// can ever arrive (then the loop raises rather than waiting forever).
    virtual bool WaitForEvents(int64_t TimeoutMs) = 0;
};

} // namespace qyx
