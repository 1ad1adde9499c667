// The test driver: synthetic input through the application's queue, the steppable clock, pixels.
#include "UiInternal.h"

#include <qyx/platform/Clipboard.h>
#include <qyx/platform/Dialogs.h>
#include <qyx/platform/Menus.h>
#include <qyx/platform/Sound.h>
#include <qyx/platform/TestDriver.h>

namespace qyx {

namespace {

void ResetServices() {
    auto& s = TUiInternal::State();
    s.Queue.clear();
    s.TimerHook = nullptr;
    s.KeysDown.fill(false);
    s.Shift = {};
    Application()->SetCaptureControl(nullptr);
    Application()->ResetTerminated();
    HeadlessDialogs()->Reset();
    ResetBeepCount();
    Clipboard()->SetStore(nullptr);
    Screen()->SetCursor(crDefault);
}

TShiftStateItem ButtonState(TMouseButton Button) {
    switch (Button) {
    case mbRight: return ssRight;
    case mbMiddle: return ssMiddle;
    default: return ssLeft;
    }
}

/// The top-level control that receives input for Control (a parentless graphic control itself).
TControl* InputRoot(TControl* Control) {
    TControl* c = Control;
    while (c->GetParent() != nullptr) c = c->GetParent();
    return c;
}

} // namespace

TTestDriver::TTestDriver() {
    auto clock = std::make_unique<TManualClock>(1000000);
    FClock = clock.get();
    Application()->SetClock(std::move(clock));
    ResetServices();
}

TTestDriver::~TTestDriver() {
    Application()->SetClock(nullptr);
    ResetServices();
}

void TTestDriver::PostMouse(TInputKind Kind, TControl* Control, int X, int Y, TMouseButton Button,
                            TShiftState Shift, bool DoubleClick, int WheelDelta) {
    if (Control == nullptr) return;
    if (Kind == ikMouseDown) FButtons.Include(ButtonState(Button));
    if (Kind == ikMouseUp) FButtons.Exclude(ButtonState(Button));
    TControl* root = InputRoot(Control);
    TInputEvent e;
    e.Kind = Kind;
    e.Pos = root->ScreenToClient(Control->ClientToScreen({X, Y}));
    e.Button = Button;
    e.DoubleClick = DoubleClick;
    e.Shift = Shift + FButtons;
    e.WheelDelta = WheelDelta;
    Application()->PostInput(root, e);
}

void TTestDriver::PostKey(TInputKind Kind, uint16_t Key, TShiftState Shift, int Char) {
    TInputEvent e;
    e.Kind = Kind;
    e.Key = Key;
    e.Shift = Shift + FButtons;
    e.Char = Char;
    Application()->PostInput(nullptr, e);
}

void TTestDriver::PostMouseDown(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
    PostMouse(ikMouseDown, Control, X, Y, Button, Shift, false);
}

void TTestDriver::PostMouseUp(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
    PostMouse(ikMouseUp, Control, X, Y, Button, Shift, false);
}

void TTestDriver::PostMouseMove(TControl* Control, int X, int Y, TShiftState Shift) {
    PostMouse(ikMouseMove, Control, X, Y, mbLeft, Shift, false);
}

void TTestDriver::PostClick(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
    PostMouseDown(Control, X, Y, Button, Shift);
    PostMouseUp(Control, X, Y, Button, Shift);
}

void TTestDriver::PostKeyDown(uint16_t Key, TShiftState Shift) {
    PostKey(ikKeyDown, Key, Shift, VirtualKeyToChar(Key, Shift));
}

void TTestDriver::PostKeyUp(uint16_t Key, TShiftState Shift) {
    PostKey(ikKeyUp, Key, Shift, -1);
}

void TTestDriver::PostPressKey(uint16_t Key, TShiftState Shift) {
    PostKeyDown(Key, Shift);
    PostKeyUp(Key, Shift);
}

void TTestDriver::PostMenuChoice(TMenuItem* Item) {
    TInputEvent e;
    e.Kind = ikMenuCommand;
    e.Command = Item != nullptr ? Item->GetCommand() : 0;
    Application()->PostInput(nullptr, e);
}

void TTestDriver::MouseDown(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
    PostMouseDown(Control, X, Y, Button, Shift);
    ProcessMessages();
}

void TTestDriver::MouseUp(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
    PostMouseUp(Control, X, Y, Button, Shift);
    ProcessMessages();
}

void TTestDriver::MouseMove(TControl* Control, int X, int Y, TShiftState Shift) {
    PostMouseMove(Control, X, Y, Shift);
    ProcessMessages();
}

void TTestDriver::MouseWheel(TControl* Control, int X, int Y, int WheelDelta, TShiftState Shift) {
    PostMouse(ikMouseWheel, Control, X, Y, mbLeft, Shift, false, WheelDelta);
    ProcessMessages();
}

void TTestDriver::Click(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
    PostClick(Control, X, Y, Button, Shift);
    ProcessMessages();
}

void TTestDriver::DblClick(TControl* Control, int X, int Y, TMouseButton Button, TShiftState Shift) {
    PostClick(Control, X, Y, Button, Shift);
    PostMouse(ikMouseDown, Control, X, Y, Button, Shift, true);
    PostMouseUp(Control, X, Y, Button, Shift);
    ProcessMessages();
}

void TTestDriver::KeyDown(uint16_t Key, TShiftState Shift) {
    PostKeyDown(Key, Shift);
    ProcessMessages();
}

void TTestDriver::KeyUp(uint16_t Key, TShiftState Shift) {
    PostKeyUp(Key, Shift);
    ProcessMessages();
}

void TTestDriver::PressKey(uint16_t Key, TShiftState Shift) {
    PostPressKey(Key, Shift);
    ProcessMessages();
}

void TTestDriver::TypeChar(char Ch) {
    PostKey(ikChar, 0, {}, static_cast<uint8_t>(Ch));
    ProcessMessages();
}

void TTestDriver::TypeText(const std::string& Text) {
    for (char ch : Text) {
        uint16_t key = 0;
        bool shift = false;
        if (!CharToVirtualKey(ch, key, shift)) {
            PostKey(ikChar, 0, {}, static_cast<uint8_t>(ch));
            continue;
        }
        const TShiftState s = shift ? TShiftState{ssShift} : TShiftState{};
        PostKey(ikKeyDown, key, s, static_cast<uint8_t>(ch));
        PostKey(ikKeyUp, key, s, -1);
    }
    ProcessMessages();
}

void TTestDriver::AdvanceTime(uint64_t Milliseconds) {
    const uint64_t target = FClock->Now() + Milliseconds;
    for (;;) {
        ProcessMessages();
        uint64_t due = 0;
        if (!Application()->GetNextTimerDue(due) || due > target) break;
        if (due > FClock->Now()) FClock->SetNow(due);
    }
    FClock->SetNow(target);
    ProcessMessages();
}

uint64_t TTestDriver::Now() const {
    return FClock->Now();
}

void TTestDriver::ProcessMessages() {
    Application()->ProcessMessages();
}

TColor TTestDriver::Pixel(TControl* Control, int X, int Y) const {
    if (Control == nullptr) return clNone;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        if (!w->GetClientRect().Contains({X, Y})) return clNone;
        // The topmost visible windowed child under the point shows there.
        TPoint p{X, Y};
        for (bool descended = true; descended;) {
            descended = false;
            for (int i = w->GetControlCount() - 1; i >= 0; --i) {
                auto* c = dynamic_cast<TWinControl*>(w->GetControls(i));
                if (c != nullptr && c->GetVisible() && c->GetBoundsRect().Contains(p)) {
                    p = {p.x - c->GetLeft(), p.y - c->GetTop()};
                    w = c;
                    descended = true;
                    break;
                }
            }
        }
        TUiInternal::EnsureSurface(w);
        return TUiInternal::Surface(w)->GetCanvas()->GetPixels(p.x, p.y);
    }
    if (X < 0 || Y < 0 || X >= Control->GetWidth() || Y >= Control->GetHeight()) return clNone;
    TPoint off;
    TControl* holder = TUiInternal::HolderOf(Control, off);
    TUiInternal::EnsureSurface(holder);
    return TUiInternal::Surface(holder)->GetCanvas()->GetPixels(off.x + X, off.y + Y);
}

void TTestDriver::Snapshot(TControl* Control, TBitmap* Dest) const {
    if (Control == nullptr || Dest == nullptr) return;
    Dest->SetPixelFormat(pf32bit);
    Dest->SetSize(Control->GetClientWidth(), Control->GetClientHeight());
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        w->PaintTo(Dest->GetCanvas(), 0, 0);
        return;
    }
    TPoint off;
    TControl* holder = TUiInternal::HolderOf(Control, off);
    TUiInternal::EnsureSurface(holder);
    TCanvas* c = Dest->GetCanvas();
    const TCopyMode mode = c->GetCopyMode();
    c->SetCopyMode(cmSrcCopy);
    c->CopyRect({0, 0, Dest->GetWidth(), Dest->GetHeight()}, TUiInternal::Surface(holder)->GetCanvas(),
                {off.x, off.y, off.x + Dest->GetWidth(), off.y + Dest->GetHeight()});
    c->SetCopyMode(mode);
}

int TTestDriver::BeepCount() const {
    return GetBeepCount();
}

std::vector<std::string> TTestDriver::ShownMessages() const {
    std::vector<std::string> out;
    for (const TDialogRequest& r : HeadlessDialogs()->GetRequests())
        if (r.Kind == dkMessage) out.push_back(r.Text);
    return out;
}

} // namespace qyx
