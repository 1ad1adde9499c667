// TWinControl: children, alignment and anchors, the window handle, and property propagation.
#include "UiInternal.h"

#include <algorithm>

namespace qyx {

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    FWindowed = true;
}

TWinControl::~TWinControl() {
    SetDestroying();
    if (TControl* cap = Application()->GetCaptureControl(); cap != nullptr && ContainsControl(cap))
        Application()->SetCaptureControl(nullptr);
    TUiInternal::FocusLeaving(this, false);
    // Children belong to their owners: take them out, do not destroy them.
    while (!FControls.empty()) FControls.back()->SetParent(nullptr);
    // Leave the parent while this is still a whole window.
    if (GetParent() != nullptr) GetParent()->RemoveControl(this);
    if (FHandle != 0) TWinControl::DestroyWnd();
    FHost.reset();
    TUiInternal::PurgeWindow(this);
}

TControl* TWinControl::GetControls(int Index) const {
    if (Index < 0 || Index >= GetControlCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c != nullptr; c = c->FParent)
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint P, bool AllowDisabled, bool AllowWinControls) const {
    const auto hit = [&](const TControl* c) {
        return c->FVisible && (AllowDisabled || c->FEnabled) && c->GetBoundsRect().Contains(P);
    };
    if (AllowWinControls)
        for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
            if ((*it)->FWindowed && hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (!(*it)->FWindowed && hit(*it)) return *it;
    return nullptr;
}

void TWinControl::InsertControl(TControl* Control) {
    Control->FParent = this;
    FControls.push_back(Control);
    if (Control->FWindowed) FTabList.push_back(static_cast<TWinControl*>(Control));
    // A graphic control that had a surface of its own now paints on ours.
    Control->FSurface.reset();
    Control->FInvalid = {};
    TUiInternal::CancelPaint(Control);
    if (Control->FParentFont) Control->AdoptParentFont();
    if (Control->FParentColor) Control->AdoptParentColor();
    if (Control->FParentShowHint) Control->FShowHint = FShowHint;
    if (Control->FWindowed) {
        auto* w = static_cast<TWinControl*>(Control);
        if (FHandle != 0) w->CreateHandleTree();
        w->Invalidate();
        if (Control->FVisible) TUiInternal::SurfaceChanged(this, Control->GetBoundsRect());
    } else {
        Control->Invalidate();
    }
    if (Control->FAlign != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* Control) {
    if (Control->FParent != this) return;
    if (Control->FWindowed) TUiInternal::FocusLeaving(static_cast<TWinControl*>(Control), false);
    if (TControl* cap = Application()->GetCaptureControl(); cap != nullptr) {
        for (const TControl* c = cap; c != nullptr; c = c->FParent)
            if (c == Control) {
                Application()->SetCaptureControl(nullptr);
                break;
            }
    }
    const TRect bounds = Control->GetBoundsRect();
    std::erase(FControls, Control);
    std::erase_if(FTabList, [Control](const TWinControl* w) { return w == Control; });
    Control->FParent = nullptr;
    if (!IsDestroying()) {
        if (Control->FWindowed)
            TUiInternal::SurfaceChanged(this, bounds);
        else
            TUiInternal::InvalidateHolder(this, bounds);
        if (Control->FAlign != alNone) Realign();
    }
    // Now a holder of its own surface.
    if (!Control->IsDestroying() && !Control->FWindowed && Control->FVisible) Control->Invalidate();
}

// ---- Alignment ------------------------------------------------------------------------------------

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending) {
        FAlignPending = false;
        Realign();
    }
}

void TWinControl::Realign() {
    if (FAlignLevel > 0 || IsDestroying()) {
        FAlignPending = true;
        return;
    }
    AlignChildren();
}

void TWinControl::AlignChildren() {
    if (FControlState.Contains(csAligning)) return;
    FControlState.Include(csAligning);
    try {
        TRect r = GetClientRect();
        AlignControls(nullptr, r);
    } catch (...) {
        FControlState.Exclude(csAligning);
        throw;
    }
    FControlState.Exclude(csAligning);
}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->FAlign == a && (c->FVisible || IsDesigning())) list.push_back(c);
        // Controls of one alignment stack in the order of their position along it.
        const auto key = [a](const TControl* c) {
            switch (a) {
            case alTop: return c->FTop;
            case alBottom: return -(c->FTop + c->FHeight);
            case alLeft: return c->FLeft;
            case alRight: return -(c->FLeft + c->FWidth);
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(),
                         [&](const TControl* x, const TControl* y) { return key(x) < key(y); });
        for (TControl* c : list) {
            if (c->FParent != this) continue;
            switch (a) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), c->FHeight);
                Rect.Top = std::min(Rect.Bottom, Rect.Top + c->FHeight);
                break;
            case alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - c->FHeight, Rect.Width(), c->FHeight);
                Rect.Bottom = std::max(Rect.Top, Rect.Bottom - c->FHeight);
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->FWidth, Rect.Height());
                Rect.Left = std::min(Rect.Right, Rect.Left + c->FWidth);
                break;
            case alRight:
                c->SetBounds(Rect.Right - c->FWidth, Rect.Top, c->FWidth, Rect.Height());
                Rect.Right = std::max(Rect.Left, Rect.Right - c->FWidth);
                break;
            default: c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); break;
            }
        }
    }
}

void TWinControl::ApplyAnchors(int OldClientWidth, int OldClientHeight) {
    if (IsLoading()) return;
    const int dx = GetClientWidth() - OldClientWidth, dy = GetClientHeight() - OldClientHeight;
    if (dx == 0 && dy == 0) return;
    for (TControl* c : std::vector<TControl*>(FControls)) {
        if (c->FAlign != alNone || c->FParent != this) continue;
        int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
        if (c->FAnchors.Contains(akRight)) (c->FAnchors.Contains(akLeft) ? w : l) += dx;
        if (c->FAnchors.Contains(akBottom)) (c->FAnchors.Contains(akTop) ? h : t) += dy;
        c->SetBounds(l, t, w, h);
    }
}

void TWinControl::BoundsChanged(const TRect& OldBounds) {
    TControl::BoundsChanged(OldBounds);
    if (IsDestroying()) return;
    if (OldBounds.Width() != FWidth || OldBounds.Height() != FHeight) {
        int ow = OldBounds.Width(), oh = OldBounds.Height();
        OuterToClient(ow, oh);
        Invalidate();
        ApplyAnchors(std::max(0, ow), std::max(0, oh));
        Realign();
    }
    if (FHost) FHost->BoundsChanged();
}

// ---- Window ---------------------------------------------------------------------------------------

void TWinControl::CreateWnd() {
    if (FHandle == 0) FHandle = TUiInternal::NewHandle(this, {});
}

void TWinControl::DestroyWnd() {
    if (FHandle == 0) return;
    const HWND h = FHandle;
    FHandle = 0;
    TUiInternal::ReleaseHandle(h);
}

void TWinControl::CreateHandleTree() {
    if (FHandle == 0) CreateWnd();
    for (TWinControl* w : std::vector<TWinControl*>(FTabList))
        if (w->FParent == this) w->CreateHandleTree();
}

void TWinControl::HandleNeeded() {
    if (FHandle != 0) return;
    if (FParent != nullptr) {
        FParent->HandleNeeded();
        if (FHandle != 0) return;
    }
    CreateHandleTree();
}

HWND TWinControl::GetHandle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::SetWindowHost(std::unique_ptr<TWindowHost> Host) {
    FHost = std::move(Host);
}

// ---- Propagation ----------------------------------------------------------------------------------

void TWinControl::VisibleChanged() {
    TControl::VisibleChanged();
    if (FVisible) {
        if (FParent != nullptr && FParent->FHandle != 0) CreateHandleTree();
        Invalidate();
    } else {
        TUiInternal::FocusLeaving(this, true);
    }
}

void TWinControl::SetEnabled(bool Value) {
    TControl::SetEnabled(Value);
    if (!Value) {
        TUiInternal::FocusLeaving(this, true);
        if (TControl* cap = Application()->GetCaptureControl(); cap != nullptr && ContainsControl(cap))
            Application()->SetCaptureControl(nullptr);
    }
}

void TWinControl::FontChanged() {
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->FParentFont && c->FParent == this) c->AdoptParentFont();
    TControl::FontChanged();
}

void TWinControl::ColorChanged() {
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->FParentColor && c->FParent == this) c->AdoptParentColor();
    TControl::ColorChanged();
}

// ---- Messages -------------------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message) {
    using TKeyHandler = void (TWinControl::*)(TWMKey&);
    TKeyHandler key = nullptr;
    switch (Message.Msg) {
    case WM_KEYDOWN: key = &TWinControl::WMKeyDown; break;
    case WM_KEYUP: key = &TWinControl::WMKeyUp; break;
    case WM_CHAR: key = &TWinControl::WMChar; break;
    case CN_KEYDOWN: key = &TWinControl::CNKeyDown; break;
    case CN_KEYUP: key = &TWinControl::CNKeyUp; break;
    case CN_CHAR: key = &TWinControl::CNChar; break;
    case CM_DIALOGKEY: key = &TWinControl::CMDialogKey; break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        TWMFocus f{Message.Msg, static_cast<HWND>(Message.WParam), 0};
        if (Message.Msg == WM_SETFOCUS)
            WMSetFocus(f);
        else
            WMKillFocus(f);
        Message.Result = f.Result;
        return;
    }
    case WM_PAINT: {
        // LParam points at the area to paint (0: the whole client area).
        TWMPaint p;
        p.Area = Message.LParam != 0
                     ? *reinterpret_cast<const TRect*>(Message.LParam) // NOLINT(performance-no-int-to-ptr)
                     : GetClientRect();
        WMPaint(p);
        Message.Result = p.Result;
        return;
    }
    case WM_TIMER: {
        TWMTimer t{WM_TIMER, Message.WParam, 0};
        WMTimer(t);
        Message.Result = t.Result;
        return;
    }
    case WM_GETDLGCODE: WMGetDlgCode(Message); return;
    default: TControl::WndProc(Message); return;
    }
    TWMKey k = ToKey(Message);
    (this->*key)(k);
    Message.Result = k.Result;
}

void TWinControl::WMTimer(TWMTimer&) {}

void TWinControl::WMGetDlgCode(TMessage& Message) {
    Message.Result = 0;
}

} // namespace qyx
