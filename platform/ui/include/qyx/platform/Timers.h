// Timers and private message windows, driven by the application's clock.
//
// A timer belongs to a window (a windowed control's handle or a private message window from
// AllocateHWnd) and has a number and a period. Fixed rules:
// - A timer started at time t with period P is due at t + P, t + 2P, ...; periods below 10 ms run at
//   10 ms. Starting a timer number that runs already restarts it with the new period.
// - WM_TIMER messages are made by the loop only when no input, posted message or paint is waiting; a
//   due timer gives one WM_TIMER and is next due at the first multiple of its period after the
//   current time (ticks missed while the loop was busy merge into one). ProcessMessages delivers each
//   timer at most once per call. Timers due at the same time tick in the order they were (re)started.
// - SetTimer refuses (returns 0) for a window that does not exist, when the timer request hook says
//   no, or when MaxTimers timers run; callers report the refusal ("no timer available").
// - Exceptions raised by a timer's handler go to the application's exception handler; the loop goes on.
// - The clock is the application's: the system's monotonic milliseconds, or a TManualClock that
//   tests step (TTestDriver::AdvanceTime delivers every tick in between, in order).
#pragma once

#include <cstdint>
#include <functional>

#include <qyx/platform/Messages.h>
#include <qyx/platform/Object.h>

namespace qyx {

QYX_DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory); ///< "Not enough timers available"

/// The application's time source in milliseconds.
class TClock {
public:
    virtual ~TClock() = default;
    virtual uint64_t Now() const = 0;
};

/// The system's monotonic clock (GetTickCount64).
class TSystemClock : public TClock {
public:
    uint64_t Now() const override;
};

/// A clock that moves only when told: tests step it.
class TManualClock : public TClock {
public:
    explicit TManualClock(uint64_t Start = 0) : FNow(Start) {}
    uint64_t Now() const override { return FNow; }
    void SetNow(uint64_t Value) { FNow = Value; }
    void Advance(uint64_t Milliseconds) { FNow += Milliseconds; }

private:
    uint64_t FNow;
};

/// The most timers that run at one time.
constexpr int MaxTimers = 10000;

/// A private message window whose messages (all of them; none needs further handling) go to Method;
/// release it with DeallocateHWnd.
HWND AllocateHWnd(TWndMethod Method);
/// Releases a private message window: its timers stop and its queued messages are dropped.
void DeallocateHWnd(HWND Wnd);

/// Starts (or restarts) timer IDEvent of window Wnd with period Elapse ms; returns IDEvent, or 0 when
/// refused (IDEvent 0 is refused too).
uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse);
/// Stops a timer; false when it does not run.
bool KillTimer(HWND Wnd, uintptr_t IDEvent);

/// Asked before every timer start; returning false refuses it (tests use it to make starts fail).
using TTimerRequestHook = std::function<bool(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse)>;
void SetTimerRequestHook(TTimerRequestHook Hook);

/// A timer component: runs while Enabled and Interval > 0 and fires OnTimer (when assigned) on every
/// tick. A refused start raises EOutOfResources "Not enough timers available" and leaves the timer
/// stopped.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    uint32_t GetInterval() const { return FInterval; }
    void SetInterval(uint32_t Value);
    /// Stops and starts the timer again with the current settings.
    void Restart() { UpdateTimer(); }

    TNotifyEvent OnTimer;

protected:
    /// One tick: fires OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();
    HWND FWindow = 0;
    uint32_t FInterval = 1000;
    bool FEnabled = true;
};

} // namespace qyx
