// Shared helpers of the control layer's tests: a driver fixture, small controls that paint a solid
// colour and log their events.
#pragma once

#include <gtest/gtest.h>

#include <qyx/platform/Application.h>
#include <qyx/platform/Forms.h>
#include <qyx/platform/Screen.h>
#include <qyx/platform/TestDriver.h>

#include <memory>
#include <string>
#include <vector>

namespace qyx::test {

/// Every test runs with a fresh driver (manual clock, headless services).
class UiTest : public ::testing::Test {
protected:
    void TearDown() override { Application()->OnException = nullptr; }
    TTestDriver Driver;
};

using TLog = std::vector<std::string>;

/// A graphic control that fills its area with Fill and logs its events into Log.
class TBox : public TGraphicControl {
public:
    explicit TBox(TComponent* AOwner, TLog* ALog = nullptr, std::string AName = "box")
        : TGraphicControl(AOwner), Log(ALog), Tag(std::move(AName)) {
        SetBounds(0, 0, 20, 10);
    }
    void Paint() override {
        ++PaintCount;
        GetCanvas()->GetBrush()->SetColor(Fill);
        GetCanvas()->FillRect({0, 0, GetWidth(), GetHeight()});
    }
    /// Changes the fill and paints at once, as the controls' setters do.
    void SetFill(TColor C) {
        Fill = C;
        Paint();
    }
    TColor Fill = clRed;
    int PaintCount = 0;
    TLog* Log;
    std::string Tag;

protected:
    void Add(const std::string& S) {
        if (Log != nullptr) Log->push_back(Tag + ":" + S);
    }
    void Click() override {
        Add("click");
        TGraphicControl::Click();
    }
    void DblClick() override {
        Add("dblclick");
        TGraphicControl::DblClick();
    }
    void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override {
        Add("down" + std::string(S.Contains(ssDouble) ? "2" : "") + "(" + std::to_string(B) + "," +
            std::to_string(X) + "," + std::to_string(Y) + ")");
        TGraphicControl::MouseDown(B, S, X, Y);
    }
    void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override {
        Add("up(" + std::to_string(B) + "," + std::to_string(X) + "," + std::to_string(Y) + ")");
        TGraphicControl::MouseUp(B, S, X, Y);
    }
    void MouseMove(TShiftState S, int X, int Y) override {
        Add("move(" + std::to_string(X) + "," + std::to_string(Y) + ")");
        TGraphicControl::MouseMove(S, X, Y);
    }
};

/// A windowed control that fills its client area with Fill and logs keys and focus.
class TPad : public TCustomControl {
public:
    explicit TPad(TComponent* AOwner, TLog* ALog = nullptr, std::string AName = "pad")
        : TCustomControl(AOwner), Log(ALog), Tag(std::move(AName)) {
        SetBounds(0, 0, 40, 30);
        SetTabStop(true);
    }
    void Paint() override {
        ++PaintCount;
        GetCanvas()->GetBrush()->SetColor(Fill);
        GetCanvas()->FillRect(GetClientRect());
    }
    TColor Fill = clBlue;
    int PaintCount = 0;
    TLog* Log;
    std::string Tag;
    intptr_t DlgCode = 0;

protected:
    void Add(const std::string& S) {
        if (Log != nullptr) Log->push_back(Tag + ":" + S);
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        Add("keydown(" + std::to_string(Key) + ")");
        TCustomControl::KeyDown(Key, Shift);
    }
    void KeyUp(uint16_t& Key, TShiftState Shift) override {
        Add("keyup(" + std::to_string(Key) + ")");
        TCustomControl::KeyUp(Key, Shift);
    }
    void KeyPress(char& Key) override {
        Add("char(" + std::to_string(static_cast<uint8_t>(Key)) + ")");
        TCustomControl::KeyPress(Key);
    }
    void DoEnter() override {
        Add(std::string("enter") + (Focused() ? "+" : "-"));
        TCustomControl::DoEnter();
    }
    void DoExit() override {
        Add(std::string("exit") + (Focused() ? "+" : "-"));
        TCustomControl::DoExit();
    }
    void Click() override {
        Add("click");
        TCustomControl::Click();
    }
    void WMGetDlgCode(TMessage& M) override { M.Result = DlgCode; }
};

/// A shown form of the given outer size with bsNone (client = outer), for pixel tests.
inline std::unique_ptr<TForm> ShownForm(int W = 100, int H = 80) {
    auto f = std::make_unique<TForm>(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(0, 0, W, H);
    f->Show();
    return f;
}

} // namespace qyx::test
