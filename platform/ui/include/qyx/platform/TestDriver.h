// The test driver: drives controls headless through the same path as real input.
//
// Creating a driver puts the application on a TManualClock (starting at 1000000 ms), resets the
// headless services (dialogue answers and requests, beep counter, in-process clipboard, screen
// cursor), forgets queued input and the terminated state; destroying it returns to the system clock.
// Only one driver should exist at a time.
//
// Input is given in client coordinates of the control it is aimed at; the driver converts it to its
// top-level window, posts it with Application()->PostInput and, for the plain calls, runs
// ProcessMessages, so handlers, paints and due timers run before the call returns. The Post... calls
// only queue, for a nested loop (ShowModal, a popup menu, a rectangle query) to consume. The driver
// keeps the held mouse buttons and adds them to the shift state it posts. Keys go to the window that
// is active when they are dispatched; KeyDown adds the character the key types (VirtualKeyToChar).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <qyx/platform/Application.h>

namespace qyx {

class TMenuItem;

class TTestDriver {
public:
    TTestDriver();
    ~TTestDriver();
    TTestDriver(const TTestDriver&) = delete;
    TTestDriver& operator=(const TTestDriver&) = delete;

    // Mouse, positions in Control's client coordinates.
    void MouseDown(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
    void MouseUp(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
    void MouseMove(TControl* Control, int X, int Y, TShiftState Shift = {});
    void MouseWheel(TControl* Control, int X, int Y, int WheelDelta, TShiftState Shift = {});
    /// Press and release.
    void Click(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
    /// Press, release, double-click press, release.
    void DblClick(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});

    // Keyboard, to the active window's focused control.
    void KeyDown(uint16_t Key, TShiftState Shift = {});
    void KeyUp(uint16_t Key, TShiftState Shift = {});
    /// Key down and key up.
    void PressKey(uint16_t Key, TShiftState Shift = {});
    /// A typed character without a key (ikChar).
    void TypeChar(char Ch);
    /// Each character as the key that types it on the reference layout (down, character, up).
    void TypeText(const std::string& Text);

    // The same, only queued.
    void PostMouseDown(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
    void PostMouseUp(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
    void PostMouseMove(TControl* Control, int X, int Y, TShiftState Shift = {});
    void PostClick(TControl* Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
    void PostKeyDown(uint16_t Key, TShiftState Shift = {});
    void PostKeyUp(uint16_t Key, TShiftState Shift = {});
    void PostPressKey(uint16_t Key, TShiftState Shift = {});
    /// Chooses Item in the popup menu open when the choice is dispatched (nullptr: cancel).
    void PostMenuChoice(TMenuItem* Item);

    /// Moves the clock on by Milliseconds, stopping at every due timer on the way to deliver it.
    void AdvanceTime(uint64_t Milliseconds);
    /// The clock's current time.
    uint64_t Now() const;
    /// Runs the loop until nothing is left to do now.
    void ProcessMessages();

    /// The colour (RGB) the control shows at (X, Y) of its client area: a windowed control's picture
    /// with its windowed children, a graphic control's area of the surface it paints on; clNone
    /// outside the control or its surface. Pending paints are not run first.
    TColor Pixel(TControl* Control, int X, int Y) const;
    /// What the control shows, as a bitmap of its client size.
    void Snapshot(TControl* Control, TBitmap* Dest) const;

    int BeepCount() const;
    /// Messages shown by message boxes (exceptions that reached the default handler among them).
    std::vector<std::string> ShownMessages() const;

private:
    void PostMouse(TInputKind Kind, TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift,
                   bool DoubleClick, int WheelDelta = 0);
    void PostKey(TInputKind Kind, uint16_t Key, TShiftState Shift, int Char);
    TManualClock* FClock = nullptr;
    TShiftState FButtons;
};

} // namespace qyx
