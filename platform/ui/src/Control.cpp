// TControl: geometry, parent, visibility, colours, fonts and the other common properties.
#include "UiInternal.h"

#include <qyx/platform/Menus.h>

#include <algorithm>

namespace qyx {

// ---- TSizeConstraints -----------------------------------------------------------------------------

void TSizeConstraints::SetMinWidth(int Value) {
    FMinWidth = std::max(0, Value);
    Changed();
}
void TSizeConstraints::SetMaxWidth(int Value) {
    FMaxWidth = std::max(0, Value);
    Changed();
}
void TSizeConstraints::SetMinHeight(int Value) {
    FMinHeight = std::max(0, Value);
    Changed();
}
void TSizeConstraints::SetMaxHeight(int Value) {
    FMaxHeight = std::max(0, Value);
    Changed();
}

void TSizeConstraints::Assign(const TPersistent* Source) {
    if (const auto* s = dynamic_cast<const TSizeConstraints*>(Source)) {
        FMinWidth = s->FMinWidth;
        FMaxWidth = s->FMaxWidth;
        FMinHeight = s->FMinHeight;
        FMaxHeight = s->FMaxHeight;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
    if (FMaxWidth > 0) Width = std::min(Width, FMaxWidth);
    if (FMinWidth > 0) Width = std::max(Width, FMinWidth);
    if (FMaxHeight > 0) Height = std::min(Height, FMaxHeight);
    if (FMinHeight > 0) Height = std::max(Height, FMinHeight);
}

void TSizeConstraints::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TControl -------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()),
      FConstraints(std::make_unique<TSizeConstraints>()) {
    FFont->OnChange = [this](TObject*) { FontHook(); };
    FConstraints->OnChange = [this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); };
}

TControl::~TControl() {
    SetDestroying();
    TUiInternal::ControlDestroyed(this);
    if (FParent != nullptr) FParent->RemoveControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    FConstraints->Apply(AWidth, AHeight);
    if ((AWidth != FWidth || AHeight != FHeight) && !CanResize(AWidth, AHeight)) {
        AWidth = FWidth;
        AHeight = FHeight;
    }
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const TRect old = GetBoundsRect();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    BoundsChanged(old);
    if (old.Width() != FWidth || old.Height() != FHeight) Resize();
    if (FAlign != alNone && FParent != nullptr && !FParent->FControlState.Contains(csAligning))
        FParent->Realign();
}

void TControl::BoundsChanged(const TRect& OldBounds) {
    if (IsDestroying()) return;
    if (FParent != nullptr) {
        InvalidateParentArea(OldBounds);
        InvalidateParentArea(GetBoundsRect());
    } else if (!FWindowed && (OldBounds.Width() != FWidth || OldBounds.Height() != FHeight)) {
        TUiInternal::InvalidateHolder(this, {0, 0, FWidth, FHeight});
    }
}

void TControl::InvalidateParentArea(const TRect& R) {
    if (FParent == nullptr || FParent->IsDestroying()) return;
    if (FWindowed) {
        // A window moved over its parent: only the composed picture changes.
        if (FVisible) TUiInternal::SurfaceChanged(FParent, R);
    } else if (FVisible || IsDesigning()) {
        TUiInternal::InvalidateHolder(FParent, R);
    }
}

TRect TControl::GetClientRect() const {
    return {0, 0, GetClientWidth(), GetClientHeight()};
}

int TControl::GetClientWidth() const {
    int w = FWidth, h = FHeight;
    OuterToClient(w, h);
    return std::max(0, w);
}

int TControl::GetClientHeight() const {
    int w = FWidth, h = FHeight;
    OuterToClient(w, h);
    return std::max(0, h);
}

void TControl::SetClientWidth(int Value) {
    SetWidth(Value + FWidth - GetClientWidth());
}

void TControl::SetClientHeight(int Value) {
    SetHeight(Value + FHeight - GetClientHeight());
}

TPoint TControl::GetClientOrigin() const {
    TPoint p = FParent != nullptr ? FParent->GetClientOrigin() : TPoint{0, 0};
    const TPoint off = GetClientOffset();
    return {p.x + FLeft + off.x, p.y + FTop + off.y};
}

TPoint TControl::ClientToScreen(TPoint P) const {
    const TPoint o = GetClientOrigin();
    return {P.x + o.x, P.y + o.y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
    const TPoint o = GetClientOrigin();
    return {P.x - o.x, P.y - o.y};
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    if (AParent != nullptr && FWindowed) {
        for (const TControl* p = AParent; p != nullptr; p = p->FParent)
            if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
    }
    if (FParent != nullptr) FParent->RemoveControl(this);
    if (AParent != nullptr) AParent->InsertControl(this);
}

TWinControl* TControl::GetTopLevel() const {
    const TControl* c = this;
    while (c->FParent != nullptr) c = c->FParent;
    return c->FWindowed ? static_cast<TWinControl*>(const_cast<TControl*>(c)) : nullptr;
}

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (FParent != nullptr) {
        // Shown or hidden, the parent's picture changes where the control is.
        if (FWindowed)
            TUiInternal::SurfaceChanged(FParent, GetBoundsRect());
        else
            TUiInternal::InvalidateHolder(FParent, GetBoundsRect());
        if (FAlign != alNone) FParent->Realign();
    } else if (!FWindowed && FVisible) {
        Invalidate();
    }
    if (!FVisible && GetMouseCapture()) SetMouseCapture(false);
}

bool TControl::GetShowing() const {
    for (const TControl* c = this; c != nullptr; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    if (!FEnabled && GetMouseCapture()) SetMouseCapture(false);
    EnabledChanged();
}

void TControl::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    FParentColor = false;
    ColorChanged();
}

void TControl::SetParentColor(bool Value) {
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (Value) AdoptParentColor();
}

void TControl::AdoptParentColor() {
    if (FParent == nullptr || FColor == FParent->FColor) return;
    FColor = FParent->FColor;
    ColorChanged();
}

void TControl::SetParentFont(bool Value) {
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (Value) AdoptParentFont();
}

void TControl::AdoptParentFont() {
    if (FParent == nullptr) return;
    FAdoptingFont = true;
    try {
        FFont->Assign(FParent->FFont.get());
    } catch (...) {
        FAdoptingFont = false;
        throw;
    }
    FAdoptingFont = false;
}

void TControl::FontHook() {
    if (!FAdoptingFont) FParentFont = false;
    FontChanged();
}

void TControl::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    TUiInternal::UpdateCursor(nullptr);
}

void TControl::SetShowHint(bool Value) {
    FShowHint = Value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value) {
    FParentShowHint = Value;
    if (Value && FParent != nullptr) FShowHint = FParent->FShowHint;
}

void TControl::SetText(const std::string& Value) {
    if (FText == Value) return;
    FText = Value;
    TextChanged();
}

void TControl::SetName(const std::string& NewName) {
    const bool carry = FControlStyle.Contains(csSetCaption) && !IsLoading() && GetName() == FText;
    TComponent::SetName(NewName);
    if (carry) SetText(NewName);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (FPopupMenu == Value) return;
    if (FPopupMenu != nullptr) RemoveFreeNotification(FPopupMenu);
    FPopupMenu = Value;
    if (Value != nullptr) FreeNotification(Value);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParentColor) AdoptParentColor();
    if (FParentFont) AdoptParentFont();
    if (FAlign != alNone && FParent != nullptr) FParent->Realign();
}

void TControl::SetAlign(TAlign Value) {
    if (FAlign == Value) return;
    const TAlign old = FAlign;
    FAlign = Value;
    if (FParent != nullptr && (old != alNone || Value != alNone)) FParent->Realign();
}

bool TControl::GetMouseCapture() const {
    return Application()->GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (Value)
        Application()->SetCaptureControl(this);
    else if (GetMouseCapture())
        Application()->SetCaptureControl(nullptr);
}

void TControl::BringToFront() {
    if (FParent == nullptr) return;
    auto& list = FParent->FControls;
    std::erase(list, this);
    list.push_back(this);
    InvalidateParentArea(GetBoundsRect());
}

void TControl::SendToBack() {
    if (FParent == nullptr) return;
    auto& list = FParent->FControls;
    std::erase(list, this);
    list.insert(list.begin(), this);
    InvalidateParentArea(GetBoundsRect());
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
    bool resize = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
    return resize;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::EnabledChanged() {
    Invalidate();
}

// ---- TGraphicControl, TCustomControl --------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(GetDrawTarget()) {}

TGraphicControl::~TGraphicControl() = default;

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(GetDrawTarget()) {}

TCustomControl::~TCustomControl() = default;

} // namespace qyx
