// Input dispatch: from posted input events to mouse and key messages of the right control.
#include "UiInternal.h"

namespace qyx {

namespace {

/// The deepest visible, enabled control under P (client coordinates of Root); Local receives P in
/// the target's client coordinates. A disabled control lets the input fall to its parent.
TControl* FindTarget(TControl* Root, TPoint P, TPoint& Local) {
    auto* w = dynamic_cast<TWinControl*>(Root);
    while (w != nullptr) {
        TControl* hit = w->ControlAtPos(P, true, true);
        if (hit == nullptr || !hit->GetEnabled()) break;
        P = {P.x - hit->GetLeft(), P.y - hit->GetTop()};
        if (auto* hw = dynamic_cast<TWinControl*>(hit)) {
            w = hw;
            continue;
        }
        Local = P;
        return hit;
    }
    Local = P;
    return w != nullptr ? w : Root;
}

uint32_t ButtonMessage(TMouseButton Button, TInputKind Kind, bool Double) {
    static constexpr uint32_t Down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr uint32_t Dbl[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    static constexpr uint32_t Up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    const int b = Button <= mbMiddle ? Button : 0;
    if (Kind == ikMouseUp) return Up[b];
    return Double ? Dbl[b] : Down[b];
}

bool AnyButton(TShiftState Shift) {
    return Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle);
}

void DispatchMouse(TControl* Root, const TInputEvent& E) {
    auto& s = TUiInternal::State();
    if (Root == nullptr || !Root->GetShowing() || !Root->GetEnabled()) return;
    TControl* target = s.Capture;
    TPoint local;
    if (target != nullptr)
        local = target->ScreenToClient(Root->ClientToScreen(E.Pos));
    else
        target = FindTarget(Root, E.Pos, local);
    const uint32_t keys = ShiftStateToKeys(E.Shift);
    switch (E.Kind) {
    case ikMouseMove:
        TUiInternal::UpdateCursor(target);
        target->Perform(WM_MOUSEMOVE, keys, PointToLParam(local));
        break;
    case ikMouseDown:
        if (s.Capture == nullptr && target->GetControlStyle().Contains(csCaptureMouse))
            Application()->SetCaptureControl(target);
        target->Perform(ButtonMessage(E.Button, E.Kind, E.DoubleClick), keys, PointToLParam(local));
        break;
    case ikMouseUp:
        target->Perform(ButtonMessage(E.Button, E.Kind, false), keys, PointToLParam(local));
        if (!AnyButton(E.Shift)) Application()->SetCaptureControl(nullptr);
        break;
    case ikMouseWheel: {
        const uintptr_t w =
            (keys & 0xFFFF) | (static_cast<uintptr_t>(static_cast<uint16_t>(E.WheelDelta)) << 16);
        target->Perform(WM_MOUSEWHEEL, w, PointToLParam(local));
        break;
    }
    default: break;
    }
}

void DispatchKey(TControl* Root, const TInputEvent& E) {
    auto& s = TUiInternal::State();
    auto* top = dynamic_cast<TWinControl*>(Root != nullptr ? Root : s.ActiveWindow);
    if (top == nullptr || !top->GetShowing() || !top->GetEnabled()) return;
    TWinControl* target = top->GetFocusedControl() != nullptr ? top->GetFocusedControl() : top;
    const HWND h = target->GetHandle();
    int32_t data = ShiftStateToKeyData(E.Shift);
    const auto typeChar = [&](int Ch) {
        if (Ch < 0 || !IsWindow(h)) return;
        const auto c = static_cast<uint8_t>(Ch);
        if (SendMessage(h, CN_CHAR, c, data) == 0 && IsWindow(h)) SendMessage(h, WM_CHAR, c, data);
    };
    switch (E.Kind) {
    case ikKeyDown: {
        if (s.KeysDown[E.Key & 0xFF]) data |= KF_REPEAT;
        s.KeysDown[E.Key & 0xFF] = true;
        if (SendMessage(h, CN_KEYDOWN, E.Key, data) != 0 || !IsWindow(h)) return;
        SendMessage(h, WM_KEYDOWN, E.Key, data);
        typeChar(E.Char);
        break;
    }
    case ikKeyUp:
        s.KeysDown[E.Key & 0xFF] = false;
        data |= KF_UP | KF_REPEAT;
        if (SendMessage(h, CN_KEYUP, E.Key, data) == 0 && IsWindow(h)) SendMessage(h, WM_KEYUP, E.Key, data);
        break;
    case ikChar: typeChar(E.Char); break;
    default: break;
    }
}

} // namespace

void TUiInternal::DispatchInput(TControl* Window, const TInputEvent& E) {
    auto& s = State();
    s.Shift = E.Shift - TShiftState{ssDouble};
    if (s.InputFilter && s.InputFilter(E)) return;
    switch (E.Kind) {
    case ikMouseDown:
    case ikMouseUp:
    case ikMouseMove:
    case ikMouseWheel: DispatchMouse(Window, E); break;
    case ikKeyDown:
    case ikKeyUp:
    case ikChar: DispatchKey(Window, E); break;
    case ikMenuCommand: break; // no menu open: nothing to choose from
    }
}

TShiftState GetShiftState() {
    return TUiInternal::State().Shift;
}

int16_t GetKeyState(int VirtualKey) {
    const TShiftState s = GetShiftState();
    bool down = false;
    switch (VirtualKey) {
    case VK_SHIFT: down = s.Contains(ssShift); break;
    case VK_CONTROL: down = s.Contains(ssCtrl); break;
    case VK_MENU: down = s.Contains(ssAlt); break;
    case VK_LBUTTON: down = s.Contains(ssLeft); break;
    case VK_RBUTTON: down = s.Contains(ssRight); break;
    case VK_MBUTTON: down = s.Contains(ssMiddle); break;
    default: down = VirtualKey >= 0 && VirtualKey < 256 && TUiInternal::State().KeysDown[VirtualKey]; break;
    }
    return down ? static_cast<int16_t>(-128) : 0;
}

} // namespace qyx
