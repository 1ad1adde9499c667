// Internal state and helpers shared by the control layer's sources: the application's queue, window
// handles, timers and paint list, and privileged access to controls.
#pragma once

#include <qyx/platform/Application.h>
#include <qyx/platform/Forms.h>
#include <qyx/platform/Screen.h>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace qyx {

/// A queued message (to a window handle) or input event (to a top-level window).
struct TQueued {
    bool IsInput = false;
    HWND Wnd = 0;
    TMessage Msg;
    TControl* Window = nullptr;
    TInputEvent Input;
};

struct THandleEntry {
    TWinControl* Control = nullptr; ///< a control's window
    TWndMethod Method;              ///< a private message window
};

struct TTimerEntry {
    HWND Wnd = 0;
    uintptr_t ID = 0;
    uint32_t Period = 0;
    uint64_t Due = 0;
    uint64_t Serial = 0; ///< start order, for ties
};

struct TApplication::TState {
    std::deque<TQueued> Queue;
    std::map<HWND, THandleEntry> Handles;
    HWND NextHandle = 1;
    std::vector<TTimerEntry> Timers;
    uint64_t TimerSerial = 0;
    std::vector<TControl*> PaintPending;
    TControl* Capture = nullptr;
    TWinControl* ActiveWindow = nullptr;
    TShiftState Shift;                ///< modifiers and buttons of the last dispatched input
    std::array<bool, 256> KeysDown{}; ///< keys held, from dispatched key input
    std::unique_ptr<TClock> Clock;
    std::unique_ptr<TWindowBackend> Backend;
    TTimerRequestHook TimerHook;
    int IdleJumps = 0;
    /// Set while a headless popup menu is open: sees every input event first; true consumes it.
    std::function<bool(const TInputEvent&)> InputFilter;
};

/// Privileged helpers (a friend of the control classes, the application and the screen).
struct TUiInternal {
    static TApplication::TState& State();

    // Window handles and queue.
    static HWND NewHandle(TWinControl* Control, TWndMethod Method);
    static void ReleaseHandle(HWND Wnd);
    static void PurgeWindow(TControl* Window);
    static bool Dispatch(HWND Wnd, TMessage& Message);

    // Painting.
    static void RequestPaint(TControl* Holder);
    static void CancelPaint(TControl* Holder);
    /// Paints a surface holder's invalid area (when it is showing).
    static void PaintHolder(TControl* Holder);
    static void PaintGraphic(TControl* Graphic);
    static bool IsHolder(const TControl* C);
    static TControl* HolderOf(const TControl* C, TPoint& Offset);
    static void EnsureSurface(TControl* Holder);
    static TBitmap* Surface(TControl* Holder) { return Holder->FSurface.get(); }
    static void InvalidateHolder(TControl* Holder, const TRect& R);
    static void SurfaceChanged(TControl* Holder, const TRect& R);
    static TSize SurfaceSize(const TControl* Holder);

    // Controls going away.
    static void ControlDestroyed(TControl* C);

    // Focus and activation.
    static void SetFocusTo(TWinControl* Target);
    static void ActivateWindow(TWinControl* Window);
    static void FocusLeaving(TWinControl* C, bool SendKill);
    static void SetFocusedControl(TWinControl* TopLevel, TWinControl* C) { TopLevel->FFocusedControl = C; }

    // Input.
    static void DispatchInput(TControl* Window, const TInputEvent& E);

    // Access for the forms and the screen.
    static void AddForm(TCustomForm* Form);
    static void RemoveForm(TCustomForm* Form);
    static void UpdateCursor(TControl* UnderPointer);
    static void PaintControl(TGraphicControl* C) { C->Paint(); }
    static void CreateHandleTree(TWinControl* W) { W->CreateHandleTree(); }
    static void CallDoEnter(TWinControl* W) { W->DoEnter(); }
};

} // namespace qyx
