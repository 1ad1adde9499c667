// Timers on windows and private message windows, and the TTimer component.
#include "UiInternal.h"

#include <qyx/platform/SysInfo.h>

#include <algorithm>

namespace qyx {

namespace {
constexpr uint32_t MinPeriod = 10;
} // namespace

uint64_t TSystemClock::Now() const {
    return GetTickCount64();
}

HWND AllocateHWnd(TWndMethod Method) {
    return TUiInternal::NewHandle(nullptr, std::move(Method));
}

void DeallocateHWnd(HWND Wnd) {
    auto& s = TUiInternal::State();
    const auto it = s.Handles.find(Wnd);
    // Only private message windows; a control's window goes with the control.
    if (it == s.Handles.end() || it->second.Control != nullptr) return;
    TUiInternal::ReleaseHandle(Wnd);
}

uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse) {
    auto& s = TUiInternal::State();
    if (IDEvent == 0 || !IsWindow(Wnd)) return 0;
    if (s.TimerHook && !s.TimerHook(Wnd, IDEvent, Elapse)) return 0;
    const uint32_t period = std::max(MinPeriod, Elapse);
    const uint64_t due = Application()->GetClock()->Now() + period;
    for (TTimerEntry& t : s.Timers) {
        if (t.Wnd == Wnd && t.ID == IDEvent) {
            t.Period = period;
            t.Due = due;
            t.Serial = ++s.TimerSerial;
            return IDEvent;
        }
    }
    if (static_cast<int>(s.Timers.size()) >= MaxTimers) return 0;
    s.Timers.push_back({Wnd, IDEvent, period, due, ++s.TimerSerial});
    return IDEvent;
}

bool KillTimer(HWND Wnd, uintptr_t IDEvent) {
    return std::erase_if(TUiInternal::State().Timers,
                         [&](const TTimerEntry& t) { return t.Wnd == Wnd && t.ID == IDEvent; }) != 0;
}

void SetTimerRequestHook(TTimerRequestHook Hook) {
    TUiInternal::State().TimerHook = std::move(Hook);
}

// ---- TTimer ---------------------------------------------------------------------------------------

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    FWindow = AllocateHWnd([this](TMessage& M) {
        if (M.Msg == WM_TIMER) Timer();
    });
    try {
        UpdateTimer();
    } catch (...) {
        DeallocateHWnd(FWindow);
        throw;
    }
}

TTimer::~TTimer() {
    DeallocateHWnd(FWindow);
}

void TTimer::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t Value) {
    if (FInterval == Value) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(FWindow, 1);
    if (!FEnabled || FInterval == 0) return;
    if (SetTimer(FWindow, 1, FInterval) == 0) {
        FEnabled = false;
        throw EOutOfResources("Not enough timers available");
    }
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

} // namespace qyx
