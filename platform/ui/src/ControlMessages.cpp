// TControl's message dispatch and the default mouse handling that fires the events.
#include "UiInternal.h"

#include <qyx/platform/Menus.h>

namespace qyx {

intptr_t TControl::Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    using THandler = void (TControl::*)(TWMMouse&);
    THandler handler = nullptr;
    switch (Message.Msg) {
    case WM_MOUSEMOVE: handler = &TControl::WMMouseMove; break;
    case WM_LBUTTONDOWN: handler = &TControl::WMLButtonDown; break;
    case WM_LBUTTONUP: handler = &TControl::WMLButtonUp; break;
    case WM_LBUTTONDBLCLK: handler = &TControl::WMLButtonDblClk; break;
    case WM_RBUTTONDOWN: handler = &TControl::WMRButtonDown; break;
    case WM_RBUTTONUP: handler = &TControl::WMRButtonUp; break;
    case WM_RBUTTONDBLCLK: handler = &TControl::WMRButtonDblClk; break;
    case WM_MBUTTONDOWN: handler = &TControl::WMMButtonDown; break;
    case WM_MBUTTONUP: handler = &TControl::WMMButtonUp; break;
    case WM_MBUTTONDBLCLK: handler = &TControl::WMMButtonDblClk; break;
    case WM_MOUSEWHEEL: {
        // WParam: key state (low word) and signed delta (high word); LParam: client position.
        const TPoint p = LParamToPoint(Message.LParam);
        TWMMouseWheel w{WM_MOUSEWHEEL,
                        static_cast<uint32_t>(Message.WParam & 0xFFFF),
                        static_cast<int16_t>((Message.WParam >> 16) & 0xFFFF),
                        p.x,
                        p.y,
                        0};
        WMMouseWheel(w);
        Message.Result = w.Result;
        return;
    }
    default: DefaultHandler(Message); return;
    }
    TWMMouse m = ToMouse(Message);
    (this->*handler)(m);
    Message.Result = m.Result;
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseDown(Button, KeysToShiftState(Message.Keys) + Shift, Message.XPos, Message.YPos);
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button) {
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseUp(Button, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMMouseMove(TWMMouse& Message) {
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseMove(KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMLButtonDown(TWMMouse& Message) {
    if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    FControlState.Include(csLButtonDown);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
    FControlState.Include(csLButtonDown);
    if (FControlStyle.Contains(csClickEvents) && FControlStyle.Contains(csDoubleClicks)) DblClick();
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
    FControlState.Exclude(csLButtonDown);
    const bool clicked = FControlState.Contains(csClicked);
    FControlState.Exclude(csClicked);
    DoMouseUp(Message, mbLeft);
    if (clicked && GetClientRect().Contains(Message.Pos())) Click();
}

void TControl::WMRButtonDown(TWMMouse& Message) {
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonUp(TWMMouse& Message) {
    DoMouseUp(Message, mbRight);
    OpenContextMenu(Message.Pos());
}

void TControl::WMRButtonDblClk(TWMMouse& Message) {
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDown(TWMMouse& Message) {
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonUp(TWMMouse& Message) {
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TWMMouse& Message) {
    DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMouseWheel(TWMMouseWheel& Message) {
    if (DoMouseWheel(KeysToShiftState(Message.Keys), Message.WheelDelta, {Message.XPos, Message.YPos})) {
        Message.Result = 1;
        return;
    }
    if (FParent == nullptr) return;
    const TPoint p = FParent->ScreenToClient(ClientToScreen({Message.XPos, Message.YPos}));
    const uintptr_t w =
        (Message.Keys & 0xFFFF) | (static_cast<uintptr_t>(static_cast<uint16_t>(Message.WheelDelta)) << 16);
    Message.Result = FParent->Perform(WM_MOUSEWHEEL, w, PointToLParam(p));
}

void TControl::OpenContextMenu(TPoint ClientPos) {
    bool handled = false;
    DoContextPopup(ClientPos, handled);
    if (handled) return;
    for (TControl* c = this; c != nullptr; c = c->FParent) {
        TPopupMenu* menu = c->FPopupMenu;
        if (menu == nullptr) continue;
        if (!menu->GetAutoPopup()) return;
        menu->SetPopupComponent(this);
        const TPoint s = ClientToScreen(ClientPos);
        menu->Popup(s.x, s.y);
        return;
    }
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    if (WheelDelta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    if (WheelDelta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

} // namespace qyx
