// TCustomForm: frame metrics, showing and hiding, activation, modal showing and closing.
#include "UiInternal.h"

#include <algorithm>

namespace qyx {

namespace {

bool IsLiveForm(const TCustomForm* F) {
    const TScreen* s = Screen();
    for (int i = 0; i < s->GetFormCount(); ++i)
        if (s->GetForms(i) == F) return true;
    return false;
}

/// The window to activate when Leaving hides: the main form, else the last visible form.
TWinControl* NextWindow(const TCustomForm* Leaving) {
    TCustomForm* main = Application()->GetMainForm();
    if (main != nullptr && main != Leaving && main->GetVisible() && main->GetEnabled()) return main;
    const TScreen* s = Screen();
    for (int i = s->GetFormCount() - 1; i >= 0; --i) {
        TCustomForm* f = s->GetForms(i);
        if (f != Leaving && f->GetVisible() && f->GetEnabled()) return f;
    }
    return nullptr;
}

void FocusWindow(TWinControl* Window) {
    TWinControl* f = Window->GetFocusedControl();
    if (f != nullptr && !f->CanFocus()) f = nullptr;
    if (f == nullptr) f = Window->FindNextControl(nullptr, true, true);
    TWinControl* target = f != nullptr ? f : Window;
    target->HandleNeeded();
    TUiInternal::SetFocusTo(target);
}

} // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    FVisible = false;
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    FControlStyle.Include(csAcceptsControls);
    FWidth = 400;
    FHeight = 300;
    TUiInternal::AddForm(this);
}

TCustomForm::~TCustomForm() {
    SetDestroying();
    if (GetVisible() && GetWindowHost() != nullptr) GetWindowHost()->Hide();
    TUiInternal::RemoveForm(this);
    if (Application()->GetMainForm() == this) Application()->SetMainForm(nullptr);
}

void TCustomForm::FrameMetrics(int& Border, int& Caption) const {
    switch (FBorderStyle) {
    case bsNone: Border = 0, Caption = 0; break;
    case bsSingle:
    case bsDialog: Border = 3, Caption = 19; break;
    case bsSizeable: Border = 4, Caption = 19; break;
    case bsToolWindow: Border = 3, Caption = 15; break;
    case bsSizeToolWin: Border = 4, Caption = 15; break;
    }
}

TPoint TCustomForm::GetClientOffset() const {
    int b = 0, c = 0;
    FrameMetrics(b, c);
    return {b, b + c};
}

void TCustomForm::OuterToClient(int& Width, int& Height) const {
    int b = 0, c = 0;
    FrameMetrics(b, c);
    Width -= 2 * b;
    Height -= 2 * b + c;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    Invalidate();
    Realign();
    if (GetWindowHost() != nullptr) GetWindowHost()->BoundsChanged();
}

TWinControl* TCustomForm::GetActiveControl() const {
    return GetFocusedControl();
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control == this) Control = nullptr;
    if (Control != nullptr && !ContainsControl(Control)) throw EInvalidOperation("Invalid control");
    if (GetActive() && GetVisible()) {
        if (Control != nullptr) {
            Control->SetFocus();
        } else if (GetFocusedControl() != nullptr) {
            HandleNeeded();
            TUiInternal::SetFocusTo(this);
        }
        return;
    }
    TUiInternal::SetFocusedControl(this, Control);
}

void TCustomForm::SelectFirst() {
    if (TWinControl* c = FindNextControl(nullptr, true, true)) c->SetFocus();
}

bool TCustomForm::GetActive() const {
    return Application()->GetActiveWindow() == this;
}

void TCustomForm::Show() {
    if (GetVisible()) {
        if (GetEnabled() && !GetActive()) FocusWindow(this);
        return;
    }
    SetVisible(true);
}

void TCustomForm::Hide() {
    SetVisible(false);
}

void TCustomForm::VisibleChanged() {
    if (GetVisible()) {
        if (!FPlaced && FPosition == poScreenCenter)
            SetBounds((Screen()->GetWidth() - GetWidth()) / 2, (Screen()->GetHeight() - GetHeight()) / 2,
                      GetWidth(), GetHeight());
        FPlaced = true;
        HandleNeeded();
        if (GetWindowHost() == nullptr && Application()->GetBackend() != nullptr)
            SetWindowHost(Application()->GetBackend()->CreateHost(this));
        TWinControl::VisibleChanged();
        if (GetWindowHost() != nullptr) GetWindowHost()->Show();
        DoShow();
        if (GetVisible() && GetEnabled()) FocusWindow(this);
        return;
    }
    const bool wasActive = GetActive();
    DoHide();
    TWinControl::VisibleChanged();
    if (GetWindowHost() != nullptr) GetWindowHost()->Hide();
    if (!wasActive) return;
    TWinControl* next = nullptr;
    if (FModal && FPrevActive != nullptr) {
        auto* prev = dynamic_cast<TCustomForm*>(FPrevActive);
        if (prev != nullptr && IsLiveForm(prev) && prev->GetVisible() && prev->GetEnabled()) next = prev;
    } else {
        next = NextWindow(this);
    }
    if (next != nullptr && Application()->GetActiveWindow() == nullptr) FocusWindow(next);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::TextChanged() {
    if (GetWindowHost() != nullptr) GetWindowHost()->CaptionChanged();
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application()->GetMainForm() == this) Application()->Terminate();
    if (action == caHide) Hide();
    if (action == caFree) Release();
}

void TCustomForm::Release() {
    PostMessage(GetHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::DefaultHandler(TMessage& Message) {
    if (Message.Msg == CM_RELEASE) {
        delete this;
        return;
    }
    TWinControl::DefaultHandler(Message);
}

TModalResult TCustomForm::ShowModal() {
    if (GetVisible() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    Application()->SetCaptureControl(nullptr);
    FModal = true;
    FModalResult = mrNone;
    FPrevActive = Application()->GetActiveWindow();
    std::vector<TCustomForm*> disabled;
    const TScreen* s = Screen();
    for (int i = 0; i < s->GetFormCount(); ++i) {
        TCustomForm* f = s->GetForms(i);
        if (f != this && f->GetVisible() && f->GetEnabled()) disabled.push_back(f);
    }
    for (TCustomForm* f : disabled) f->SetEnabled(false);

    // However the loop ends: the other forms come back, the form hides, focus returns.
    struct TRestore {
        TCustomForm& Form;
        std::vector<TCustomForm*>& Disabled;
        ~TRestore() {
            for (TCustomForm* f : Disabled)
                if (IsLiveForm(f)) f->SetEnabled(true);
            if (Form.GetVisible()) Form.Hide();
            Form.FModal = false;
            Form.FPrevActive = nullptr;
        }
    } restore{*this, disabled};

    Show();
    Application()->RunUntil([this] {
        if (FModalResult == mrNone) return false;
        bool ok = CloseQuery();
        if (ok) {
            TCloseAction action = caHide;
            if (OnClose) OnClose(this, action);
            ok = action != caNone;
        }
        if (!ok) FModalResult = mrNone;
        return ok;
    });
    if (FModalResult == mrNone) FModalResult = mrCancel; // the application terminated
    return FModalResult;
}

TCustomForm* GetParentForm(const TControl* Control) {
    return Control != nullptr ? dynamic_cast<TCustomForm*>(Control->GetTopLevel()) : nullptr;
}

} // namespace qyx
