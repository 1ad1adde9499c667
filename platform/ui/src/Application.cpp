// TApplication: the queue, the loop steps, waiting, exceptions and window handles.
#include "UiInternal.h"

#include <qyx/platform/Dialogs.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <exception>
#include <thread>

namespace qyx {

namespace {

constexpr int MaxIdleJumps = 10000;
constexpr int MaxPaintPasses = 100;

[[noreturn]] void Starved() {
    throw EInvalidOperation("The message loop waits for input that cannot arrive");
}

} // namespace

TApplication* Application() {
    static TApplication* app = new TApplication;
    return app;
}

TApplication::TApplication() : TComponent(nullptr), F(std::make_unique<TState>()) {
    F->Clock = std::make_unique<TSystemClock>();
    FTitle = program_invocation_short_name;
}

TApplication::~TApplication() = default;

TApplication::TState& TUiInternal::State() {
    return *Application()->F;
}

// ---- Window handles -------------------------------------------------------------------------------

HWND TUiInternal::NewHandle(TWinControl* Control, TWndMethod Method) {
    auto& s = State();
    const HWND h = s.NextHandle++;
    s.Handles[h] = THandleEntry{Control, std::move(Method)};
    return h;
}

void TUiInternal::ReleaseHandle(HWND Wnd) {
    auto& s = State();
    s.Handles.erase(Wnd);
    std::erase_if(s.Timers, [Wnd](const TTimerEntry& t) { return t.Wnd == Wnd; });
    std::erase_if(s.Queue, [Wnd](const TQueued& q) { return !q.IsInput && q.Wnd == Wnd; });
}

void TUiInternal::PurgeWindow(TControl* Window) {
    auto& s = State();
    std::erase_if(s.Queue, [Window](const TQueued& q) { return q.IsInput && q.Window == Window; });
    if (s.ActiveWindow == Window) s.ActiveWindow = nullptr;
}

bool TUiInternal::Dispatch(HWND Wnd, TMessage& Message) {
    auto& s = State();
    const auto it = s.Handles.find(Wnd);
    if (it == s.Handles.end()) return false;
    if (it->second.Control != nullptr) {
        it->second.Control->WndProc(Message);
    } else if (it->second.Method) {
        // Copy: the procedure may release its own window.
        const TWndMethod method = it->second.Method;
        method(Message);
    }
    return true;
}

bool IsWindow(HWND Wnd) {
    return Wnd != 0 && TUiInternal::State().Handles.count(Wnd) != 0;
}

bool PostMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
    if (!IsWindow(Wnd)) return false;
    TQueued q;
    q.Wnd = Wnd;
    q.Msg = {Msg, WParam, LParam, 0};
    TUiInternal::State().Queue.push_back(q);
    return true;
}

intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    TUiInternal::Dispatch(Wnd, m);
    return m.Result;
}

void TApplication::PostInput(TControl* Window, const TInputEvent& Event) {
    TQueued q;
    q.IsInput = true;
    q.Window = Window;
    q.Input = Event;
    F->Queue.push_back(q);
}

// ---- Paint list -----------------------------------------------------------------------------------

void TUiInternal::RequestPaint(TControl* Holder) {
    auto& list = State().PaintPending;
    if (std::find(list.begin(), list.end(), Holder) == list.end()) list.push_back(Holder);
}

void TUiInternal::CancelPaint(TControl* Holder) {
    std::erase(State().PaintPending, Holder);
}

void TUiInternal::ControlDestroyed(TControl* C) {
    auto& s = State();
    CancelPaint(C);
    if (s.Capture == C) Application()->SetCaptureControl(nullptr);
    if (Screen()->FUnderPointer == C) Screen()->FUnderPointer = nullptr;
    PurgeWindow(C);
}

// ---- Loop -----------------------------------------------------------------------------------------

namespace {

using TApp = TApplication;

bool HasPaintWork() {
    for (TControl* c : TUiInternal::State().PaintPending)
        if (c->GetShowing()) return true;
    return false;
}

void PaintAll() {
    auto& s = TUiInternal::State();
    const std::vector<TControl*> list = s.PaintPending;
    for (TControl* c : list) {
        if (std::find(s.PaintPending.begin(), s.PaintPending.end(), c) == s.PaintPending.end()) continue;
        try {
            TUiInternal::PaintHolder(c);
        } catch (...) {
            Application()->HandleException(c);
        }
    }
}

/// Fires the earliest timer due at or before Limit (and not in Fired); false when there is none.
bool FireTimer(uint64_t Limit, std::vector<std::pair<HWND, uintptr_t>>* Fired) {
    auto& s = TUiInternal::State();
    TTimerEntry* best = nullptr;
    for (TTimerEntry& t : s.Timers) {
        if (t.Due > Limit) continue;
        if (Fired != nullptr &&
            std::find(Fired->begin(), Fired->end(), std::make_pair(t.Wnd, t.ID)) != Fired->end())
            continue;
        if (best == nullptr || t.Due < best->Due || (t.Due == best->Due && t.Serial < best->Serial))
            best = &t;
    }
    if (best == nullptr) return false;
    const uint64_t now = s.Clock->Now();
    if (best->Due <= now) best->Due += best->Period * ((now - best->Due) / best->Period + 1);
    const HWND wnd = best->Wnd;
    const uintptr_t id = best->ID;
    if (Fired != nullptr) Fired->emplace_back(wnd, id);
    TMessage m{WM_TIMER, id, 0, 0};
    try {
        TUiInternal::Dispatch(wnd, m);
    } catch (...) {
        Application()->HandleException(Application());
    }
    return true;
}

bool DispatchQueued() {
    auto& s = TUiInternal::State();
    if (s.Backend) s.Backend->PumpEvents();
    if (s.Queue.empty()) return false;
    TQueued q = s.Queue.front();
    s.Queue.pop_front();
    s.IdleJumps = 0;
    try {
        if (q.IsInput)
            TUiInternal::DispatchInput(q.Window, q.Input);
        else
            TUiInternal::Dispatch(q.Wnd, q.Msg);
    } catch (...) {
        Application()->HandleException(Application());
    }
    return true;
}

} // namespace

void TApplication::HandleMessage() {
    if (DispatchQueued()) return;
    if (HasPaintWork()) {
        PaintAll();
        return;
    }
    if (FireTimer(F->Clock->Now(), nullptr)) return;
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (...) {
            HandleException(this);
        }
    }
    if (!done) return;
    // Nothing to do: wait for native events or the next timer.
    uint64_t due = 0;
    const bool timer = GetNextTimerDue(due);
    const uint64_t now = F->Clock->Now();
    if (F->Backend) {
        const int64_t timeout = timer ? static_cast<int64_t>(due > now ? due - now : 0) : -1;
        if (F->Backend->WaitForEvents(timeout)) return;
    }
    if (!timer) Starved();
    if (auto* manual = dynamic_cast<TManualClock*>(F->Clock.get())) {
        if (++F->IdleJumps > MaxIdleJumps) Starved();
        if (due > now) manual->SetNow(due);
        return;
    }
    if (due > now) std::this_thread::sleep_for(std::chrono::milliseconds(due - now));
}

void TApplication::ProcessMessages() {
    const uint64_t limit = F->Clock->Now();
    std::vector<std::pair<HWND, uintptr_t>> fired;
    int paints = 0;
    for (;;) {
        if (DispatchQueued()) continue;
        if (paints < MaxPaintPasses && HasPaintWork()) {
            ++paints;
            PaintAll();
            continue;
        }
        if (FireTimer(limit, &fired)) continue;
        break;
    }
}

void TApplication::RunUntil(const std::function<bool()>& Done) {
    while (!FTerminated && !Done()) HandleMessage();
}

void TApplication::Run() {
    if (FMainForm != nullptr) FMainForm->Show();
    while (!FTerminated) HandleMessage();
}

// ---- Exceptions -----------------------------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) {
    if (!std::current_exception()) return;
    try {
        throw;
    } catch (const EAbort&) {
    } catch (Exception& e) {
        if (OnException)
            OnException(Sender, &e);
        else
            ShowException(&e);
    } catch (const std::exception& e) {
        Exception wrapped(e.what());
        if (OnException)
            OnException(Sender, &wrapped);
        else
            ShowException(&wrapped);
    }
}

void TApplication::ShowException(Exception* E) {
    if (E == nullptr) return;
    MessageBox(E->Message(), FTitle, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags) {
    return DialogService()->MessageBox(Text, Caption, Flags);
}

// ---- State ----------------------------------------------------------------------------------------

TWinControl* TApplication::GetActiveWindow() const {
    return F->ActiveWindow;
}

TWinControl* TApplication::GetFocus() const {
    TWinControl* w = F->ActiveWindow;
    if (w == nullptr) return nullptr;
    TWinControl* f = w->GetFocusedControl();
    return f != nullptr ? f : w;
}

TControl* TApplication::GetCaptureControl() const {
    return F->Capture;
}

void TApplication::SetCaptureControl(TControl* Control) {
    if (F->Capture == Control) return;
    const auto notify = [](TControl* c, bool captured) {
        if (c == nullptr) return;
        if (TWinControl* top = c->GetTopLevel(); top != nullptr && top->GetWindowHost() != nullptr)
            top->GetWindowHost()->CaptureChanged(captured);
    };
    notify(F->Capture, false);
    F->Capture = Control;
    notify(Control, true);
}

TWindowBackend* TApplication::GetBackend() const {
    return F->Backend.get();
}

void TApplication::SetBackend(std::unique_ptr<TWindowBackend> Backend) {
    F->Backend = std::move(Backend);
}

TClock* TApplication::GetClock() const {
    return F->Clock.get();
}

void TApplication::SetClock(std::unique_ptr<TClock> Clock) {
    if (!Clock) Clock = std::make_unique<TSystemClock>();
    const uint64_t oldNow = F->Clock->Now(), newNow = Clock->Now();
    for (TTimerEntry& t : F->Timers) t.Due = newNow + (t.Due > oldNow ? t.Due - oldNow : 0);
    F->Clock = std::move(Clock);
    F->IdleJumps = 0;
}

bool TApplication::GetNextTimerDue(uint64_t& Due) const {
    if (F->Timers.empty()) return false;
    Due =
        std::min_element(F->Timers.begin(), F->Timers.end(), [](const TTimerEntry& a, const TTimerEntry& b) {
            return a.Due < b.Due;
        })->Due;
    return true;
}

} // namespace qyx
