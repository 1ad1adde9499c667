// Focus and tab order: SetFocus, window activation, focus messages and the tab-order walk.
#include "UiInternal.h"

#include <algorithm>

namespace qyx {

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c != nullptr; c = c->GetParent())
        if (!c->GetVisible() || !c->GetEnabled()) return false;
    return true;
}

bool TWinControl::Focused() const {
    return Application()->GetFocus() == this;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    HandleNeeded();
    TUiInternal::SetFocusTo(this);
}

int TWinControl::GetTabOrder() const {
    TWinControl* p = GetParent();
    if (p == nullptr) return -1;
    const auto& list = p->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    TWinControl* p = GetParent();
    if (p == nullptr) return;
    auto& list = p->FTabList;
    std::erase(list, this);
    const int n = static_cast<int>(list.size());
    list.insert(list.begin() + std::clamp(Value, 0, n), this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* w : FTabList) {
        List.push_back(w);
        w->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int n = static_cast<int>(list.size());
    if (n == 0) return nullptr;
    const auto it = std::find(list.begin(), list.end(), CurControl);
    const int start = it == list.end() ? -1 : static_cast<int>(it - list.begin());
    for (int i = 1; i <= n; ++i) {
        int idx;
        if (start < 0)
            idx = GoForward ? i - 1 : n - i;
        else
            idx = GoForward ? (start + i) % n : (start - i + n) % n;
        TWinControl* c = list[static_cast<size_t>(idx)];
        if (c != CurControl && c->CanFocus() && (!CheckTabStop || c->FTabStop)) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop)) c->SetFocus();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::WMSetFocus(TWMFocus&) {
    DoEnter();
}

void TWinControl::WMKillFocus(TWMFocus&) {
    DoExit();
}

// ---- Focus movement -------------------------------------------------------------------------------

void TUiInternal::ActivateWindow(TWinControl* Window) {
    auto& s = State();
    if (s.ActiveWindow == Window) return;
    TWinControl* old = s.ActiveWindow;
    s.ActiveWindow = Window;
    if (auto* f = dynamic_cast<TCustomForm*>(old); f != nullptr && f->OnDeactivate) f->OnDeactivate(f);
    if (Window == nullptr) return;
    if (Window->FHost) Window->FHost->Activate();
    if (auto* f = dynamic_cast<TCustomForm*>(Window); f != nullptr && f->OnActivate) f->OnActivate(f);
}

void TUiInternal::SetFocusTo(TWinControl* Target) {
    auto& s = State();
    TWinControl* top = Target->GetTopLevel();
    TWinControl* old = Application()->GetFocus();
    if (old == Target && s.ActiveWindow == top) return;
    const HWND oldHandle = old != nullptr ? old->FHandle : 0;
    const HWND targetHandle = Target->FHandle;
    if (old != nullptr) {
        old->Perform(WM_KILLFOCUS, targetHandle);
        // A handler may have moved the focus or destroyed the target meanwhile.
        if (Application()->GetFocus() != old || !IsWindow(targetHandle)) return;
    }
    ActivateWindow(top);
    top->FFocusedControl = Target == top ? nullptr : Target;
    Target->Perform(WM_SETFOCUS, oldHandle);
}

void TUiInternal::FocusLeaving(TWinControl* C, bool SendKill) {
    auto& s = State();
    TWinControl* top = C->GetTopLevel();
    if (top == nullptr) return;
    TWinControl* focused = top->FFocusedControl;
    const bool active = s.ActiveWindow == top;
    if (C == top) {
        // The window itself goes: it loses the activation but remembers its focused control.
        if (!active) return;
        TWinControl* had = Application()->GetFocus();
        if (SendKill && had != nullptr) had->Perform(WM_KILLFOCUS, 0);
        if (s.ActiveWindow == top) ActivateWindow(nullptr);
        return;
    }
    if (focused == nullptr || !C->ContainsControl(focused)) return;
    if (SendKill && active) focused->Perform(WM_KILLFOCUS, top->FHandle);
    if (top->FFocusedControl == focused) top->FFocusedControl = nullptr;
}

} // namespace qyx
