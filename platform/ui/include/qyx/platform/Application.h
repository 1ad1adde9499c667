// The application object: the message queue and its loops, input dispatch, the active window, the
// mouse capture, the clock and the exception handler.
//
// One loop step (HandleMessage) takes, in this order: a posted message or input event (first in,
// first out); else the paint of every showing control with an invalid area; else one due timer
// (earliest first). With nothing to do it fires OnIdle and waits for the backend's events or the
// next timer. Headless (no backend, or one that says no event can arrive), a loop that would wait
// with no timer pending raises EInvalidOperation "The message loop waits for input that cannot
// arrive"; with a TManualClock the wait moves the clock to the next due timer instead (at most 10000
// times in a row without other work), so nested loops and timers run in tests without real time
// passing.
//
// Exceptions raised while a message, an input event, a paint or a timer is dispatched go to
// HandleException (OnException, or ShowException, which shows the message through the dialogue
// service; EAbort is silent) and the loop goes on.
//
// Nested loops: RunUntil runs steps until a condition holds (or the application terminates);
// TCustomForm::ShowModal and popup menus are built on it. A test posts the input a nested loop waits
// for before starting it (TTestDriver's Post... calls).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <qyx/platform/Backend.h>
#include <qyx/platform/Controls.h>
#include <qyx/platform/Timers.h>

namespace qyx {

class TCustomForm;

enum TInputKind : uint8_t {
    ikMouseDown,
    ikMouseUp,
    ikMouseMove,
    ikMouseWheel,
    ikKeyDown,
    ikKeyUp,
    ikChar,
    ikMenuCommand ///< a choice in the open popup menu (Command: the item's command number, 0 cancels)
};

/// One input event as a backend (or the test driver) posts it.
struct TInputEvent {
    TInputKind Kind = ikMouseMove;
    /// Mouse: client coordinates of the window the event is posted to.
    TPoint Pos;
    TMouseButton Button = mbLeft;
    /// A press that completes a double click (sent as the double-click message).
    bool DoubleClick = false;
    /// Modifiers and mouse buttons held with the event (a press includes its button, a release not).
    TShiftState Shift;
    /// Wheel: 120 per notch, positive away from the user.
    int WheelDelta = 0;
    /// Keys: the virtual-key code.
    uint16_t Key = 0;
    /// ikChar, and the character a key down types: a code page 1252 byte, -1 for none.
    int Char = -1;
    /// ikMenuCommand: the chosen item's command number.
    int Command = 0;
};

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    /// Shows the main form and runs the loop until Terminate (closing the main form terminates).
    void Run();
    /// One loop step, waiting when there is nothing to do.
    void HandleMessage();
    /// Steps until nothing is left to do now; never waits.
    void ProcessMessages();
    /// Steps (waiting as needed) until Done returns true or the application terminates.
    void RunUntil(const std::function<bool()>& Done);
    void Terminate() { FTerminated = true; }
    bool GetTerminated() const { return FTerminated; }
    /// Clears the terminated state (tests, restarts).
    void ResetTerminated() { FTerminated = false; }

    TCustomForm* GetMainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* Form) { FMainForm = Form; }
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }

    /// Handles the exception being caught (call it inside a catch block; elsewhere it does nothing):
    /// OnException, or ShowException; EAbort is ignored; anything not derived from std::exception is
    /// passed on.
    void HandleException(TObject* Sender);
    /// Shows E's message through the dialogue service (headless: recorded, see Dialogs.h).
    void ShowException(Exception* E);
    /// A message box through the dialogue service; returns the button chosen (IDOK, ...).
    int MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags = 0);

    /// Queues an input event for a top-level control: a form, a parentless windowed control, or a
    /// parentless graphic control (mouse input only). Key events with nullptr go to the window that is
    /// active when the event is dispatched.
    void PostInput(TControl* Window, const TInputEvent& Event);

    /// The active top-level window (keyboard input goes to it), and the control with the focus.
    TWinControl* GetActiveWindow() const;
    TWinControl* GetFocus() const;
    /// The control holding the mouse capture.
    TControl* GetCaptureControl() const;
    void SetCaptureControl(TControl* Control);

    /// The backend (nullptr: headless); the application owns it.
    TWindowBackend* GetBackend() const;
    void SetBackend(std::unique_ptr<TWindowBackend> Backend);
    /// The clock timers run on; SetClock(nullptr) returns to the system clock. Running timers keep
    /// the time they still have to run.
    TClock* GetClock() const;
    void SetClock(std::unique_ptr<TClock> Clock);
    /// The clock time the next timer is due; false when no timer runs.
    bool GetNextTimerDue(uint64_t& Due) const;

    TExceptionEvent OnException;
    TIdleEvent OnIdle;

private:
    friend struct TUiInternal;
    struct TState;
    std::unique_ptr<TState> F;
    TCustomForm* FMainForm = nullptr;
    std::string FTitle;
    bool FTerminated = false;
};

/// The process-wide application object (created on first use, never destroyed).
TApplication* Application();

} // namespace qyx
