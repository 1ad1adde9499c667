// How a control is written on the control layer: TCounter, a clickable, self-drawn counter.
//
// - State and events live in the class; setters store the value and paint at once (Paint), as the
//   library's controls do; the loop repaints it too when the host asks (Invalidate, WM_PAINT).
// - Paint composes the picture in an off-screen bitmap and copies it onto the control in one step.
// - Input arrives through the overridable methods: Click (left button), KeyDown (Up/Down; the control
//   asks for the arrow keys with WM_GETDLGCODE), and a timer it owns counts on its own.
//
// The program drives a counter headless, the way the tests do, and writes ui_counter.png.
#include <qyx/platform/Application.h>
#include <qyx/platform/TestDriver.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace demo {

using namespace qyx;

class TCounter : public TCustomControl {
public:
    explicit TCounter(TComponent* AOwner) : TCustomControl(AOwner), FTimer(new TTimer(this)) {
        SetBounds(0, 0, 120, 40);
        SetTabStop(true);
        FTimer->SetEnabled(false);
        FTimer->OnTimer = [this](TObject*) { SetValue(FValue + 1); };
    }

    int GetValue() const { return FValue; }
    /// Stores the value, repaints at once and fires OnChange (only when it changes).
    void SetValue(int Value) {
        if (Value == FValue) return;
        FValue = Value;
        Paint();
        if (OnChange) OnChange(this);
    }
    TColor GetColorBar() const { return FColorBar; }
    void SetColorBar(TColor Value) {
        if (Value == FColorBar) return;
        FColorBar = Value;
        Paint();
    }
    /// Counts up by one every Interval milliseconds while on.
    bool GetAutoCount() const { return FTimer->GetEnabled(); }
    void SetAutoCount(bool Value) { FTimer->SetEnabled(Value); }
    void SetInterval(uint32_t Value) { FTimer->SetInterval(Value); }

    /// The picture: a framed face with the value in the middle and a bar along the bottom whose
    /// length shows the last digit (value mod 10, in tenths of the width).
    void Paint() override {
        if (!GetVisible() && !IsDesigning()) return;
        const int w = GetWidth(), h = GetHeight();
        TBitmap frame(w, h);
        TCanvas* c = frame.GetCanvas();
        c->GetPen()->SetColor(clBlack);
        c->GetBrush()->SetColor(GetColor());
        c->Rectangle(0, 0, w, h);
        c->SetFont(GetFont());
        c->GetBrush()->SetStyle(bsClear);
        const std::string text = std::to_string(FValue);
        c->TextOut((w - c->TextWidth(text)) / 2, (h - 6 - c->TextHeight(text)) / 2, text);
        const int digit = ((FValue % 10) + 10) % 10;
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(FColorBar);
        c->FillRect({1, h - 6, 1 + digit * (w - 2) / 10, h - 1});
        GetCanvas()->Draw(0, 0, &frame);
    }

    TNotifyEvent OnChange;

protected:
    void Click() override {
        SetFocus();
        SetValue(FValue + 1);
        TCustomControl::Click();
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        TCustomControl::KeyDown(Key, Shift);
        if (Key == VK_UP) SetValue(FValue + 1);
        if (Key == VK_DOWN) SetValue(FValue - 1);
    }
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_WANTARROWS; }

private:
    int FValue = 0;
    TColor FColorBar = clNavy;
    TTimer* FTimer; // owned through the component tree
};

} // namespace demo

#ifndef QYX_UI_COUNTER_NO_MAIN
int main() {
    using namespace qyx;
    TTestDriver driver; // headless: stepped clock, input through the application's queue
    demo::TCounter counter(nullptr);
    counter.OnChange = [&](TObject*) { std::printf("value %d\n", counter.GetValue()); };
    counter.SetValue(5);
    driver.Click(&counter, 60, 20); // 6
    driver.PressKey(VK_UP);         // 7
    counter.SetInterval(250);
    counter.SetAutoCount(true);
    driver.AdvanceTime(500); // 9
    counter.SetAutoCount(false);

    TBitmap picture;
    driver.Snapshot(&counter, &picture);
    const std::string path = (std::filesystem::current_path() / "ui_counter.png").string();
    picture.SaveToFile(path);
    std::printf("%s\n", path.c_str());
    return 0;
}
#endif
