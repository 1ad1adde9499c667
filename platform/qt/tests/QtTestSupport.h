// Support for the real-window tests: a private X server (Xvfb) for the test program, xdotool input,
// waiting for windows and conditions, and a probe control that records what it receives.
#pragma once

#include <qyx/platform/Application.h>
#include <qyx/platform/Forms.h>
#include <qyx/platform/QtWindows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace qyxtest {

/// True when the test program runs with its own X server (false: Xvfb is not installed).
bool HaveDisplay();
/// Skips the current test when there is no X server.
#define QYX_REQUIRE_DISPLAY()                                                                                \
    do {                                                                                                     \
        if (!qyxtest::HaveDisplay()) GTEST_SKIP() << "Xvfb is not installed: no X server for the test";      \
    } while (0)

/// Runs xdotool with the given arguments; true when it succeeded.
bool XDoTool(const std::string& Args);
/// The X window id of a shown top-level widget (as a decimal string for xdotool).
std::string WindowId(QWidget* Widget);
/// Processes Qt's events until the widget's window is exposed (at most TimeoutMs).
bool WaitExposed(QWidget* Widget, int TimeoutMs = 10000);
/// Runs the layer's loop (Qt's event processing inside it) until Done holds or TimeoutMs pass.
bool RunLayerLoopUntil(const std::function<bool()>& Done, int TimeoutMs = 10000);
/// Runs Qt's own loop (the layer's work processed from it) until Done holds or TimeoutMs pass.
bool RunQtLoopUntil(const std::function<bool()>& Done, int TimeoutMs = 10000);

/// A windowed control that paints itself in one colour and records its input as text lines
/// ("down 0 30 20", "up 0 30 20", "click", "dblclick", "keydown 38", "char 65", "wheel 120", ...).
class TProbe : public qyx::TCustomControl {
public:
    explicit TProbe(qyx::TComponent* AOwner, qyx::TColor Fill = qyx::clLime);
    std::vector<std::string> Log;
    /// Lines that start with Prefix.
    std::vector<std::string> Lines(const std::string& Prefix) const;
    void Paint() override;
    /// Changes the fill colour and only invalidates (the loop repaints).
    void SetFill(qyx::TColor Fill) {
        FFill = Fill;
        Invalidate();
    }

protected:
    void MouseDown(qyx::TMouseButton Button, qyx::TShiftState Shift, int X, int Y) override;
    void MouseUp(qyx::TMouseButton Button, qyx::TShiftState Shift, int X, int Y) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(uint16_t& Key, qyx::TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool DoMouseWheel(qyx::TShiftState Shift, int WheelDelta, qyx::TPoint MousePos) override;
    void WMGetDlgCode(qyx::TMessage& Message) override { Message.Result = qyx::DLGC_WANTARROWS; }

private:
    qyx::TColor FFill;
};

/// A windowless control that records presses and clicks the same way.
class TGraphicProbe : public qyx::TGraphicControl {
public:
    explicit TGraphicProbe(qyx::TComponent* AOwner);
    std::vector<std::string> Log;
    void Paint() override;

protected:
    void MouseDown(qyx::TMouseButton Button, qyx::TShiftState Shift, int X, int Y) override;
    void Click() override;
};

} // namespace qyxtest
