// TWinControl keyboard handling: pre-processing, dialog navigation and the key events.
#include "UiInternal.h"

namespace qyx {

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TWMKey& Message) {
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    uint16_t key = Message.CharCode;
    TWinControl* top = GetTopLevel();
    if (top != nullptr && top != this && top->GetPreviewKeys()) {
        top->KeyDown(key, shift);
        Message.CharCode = key;
        if (key == 0) return true;
    }
    if (!GetControlStyle().Contains(csNoStdEvents)) {
        KeyDown(key, shift);
        Message.CharCode = key;
    }
    return key == 0;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    uint16_t key = Message.CharCode;
    TWinControl* top = GetTopLevel();
    if (top != nullptr && top != this && top->GetPreviewKeys()) {
        top->KeyUp(key, shift);
        Message.CharCode = key;
        if (key == 0) return true;
    }
    if (!GetControlStyle().Contains(csNoStdEvents)) {
        KeyUp(key, shift);
        Message.CharCode = key;
    }
    return key == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    char ch = static_cast<char>(Message.CharCode);
    TWinControl* top = GetTopLevel();
    if (top != nullptr && top != this && top->GetPreviewKeys()) {
        top->KeyPress(ch);
        Message.CharCode = static_cast<uint8_t>(ch);
        if (ch == 0) return true;
    }
    if (!GetControlStyle().Contains(csNoStdEvents)) {
        KeyPress(ch);
        Message.CharCode = static_cast<uint8_t>(ch);
    }
    return ch == 0;
}

void TWinControl::WMKeyDown(TWMKey& Message) {
    DoKeyDown(Message);
}

void TWinControl::WMKeyUp(TWMKey& Message) {
    DoKeyUp(Message);
}

void TWinControl::WMChar(TWMKey& Message) {
    DoKeyPress(Message);
}

void TWinControl::CNKeyDown(TWMKey& Message) {
    Message.Result = 0;
    if (IsDesigning()) return;
    intptr_t mask = 0;
    switch (Message.CharCode) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: return;
    }
    if (Perform(CM_WANTSPECIALKEY, Message.CharCode) != 0) return;
    if ((Perform(WM_GETDLGCODE) & (mask | DLGC_WANTALLKEYS)) != 0) return;
    TWinControl* top = GetTopLevel();
    if (top != nullptr && top->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0)
        Message.Result = 1;
}

void TWinControl::CNKeyUp(TWMKey& Message) {
    Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message) {
    Message.Result = 0;
}

namespace {

/// Offers a dialog key to every control below W; true when one used it.
bool Broadcast(TWinControl* W, const TWMKey& Key) {
    for (int i = 0; i < W->GetControlCount(); ++i) {
        TControl* c = W->GetControls(i);
        if (c->Perform(CM_DIALOGKEY, Key.CharCode, Key.KeyData) != 0) return true;
        if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && Broadcast(w, Key)) return true;
    }
    return false;
}

} // namespace

void TWinControl::CMDialogKey(TWMKey& Message) {
    Message.Result = 0;
    // Only a top-level window navigates; controls inside answer for themselves (buttons, ...).
    if (GetParent() != nullptr) return;
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    if (!shift.Contains(ssAlt)) {
        switch (Message.CharCode) {
        case VK_TAB:
            if (shift.Contains(ssCtrl)) break;
            SelectNext(FFocusedControl, !shift.Contains(ssShift), true);
            Message.Result = 1;
            return;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FFocusedControl != nullptr && FFocusedControl->GetParent() != nullptr) {
                FFocusedControl->GetParent()->SelectNext(
                    FFocusedControl, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default: break;
        }
    }
    if (Broadcast(this, Message)) Message.Result = 1;
}

} // namespace qyx
