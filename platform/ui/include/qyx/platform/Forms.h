// Forms: top-level windows with a frame, a caption, modal showing and closing.
//
// Size. Width and Height (and Left, Top) are the outer window including the frame; the client area
// (the form's surface, where its controls sit) is smaller by fixed frame metrics, the same on every
// machine: bsSizeable and bsSizeToolWin a 4-pixel frame, bsSingle, bsDialog and bsToolWindow a
// 3-pixel frame, each with a 19-pixel caption bar (bsToolWindow, bsSizeToolWin: 15); bsNone none.
// So a bsDialog form 300 x 200 has a 294 x 175 client area. A backend sizes its native window so
// that its client area is ClientWidth x ClientHeight.
//
// Showing. A form starts hidden. Show (Visible := true) creates the windows of the form and of all
// its windowed controls (CreateWnd, parents first), asks the backend for a window host, centres the
// form on the screen for poScreenCenter, fires OnShow, makes the form the active window and focuses
// ActiveControl (or the first tab stop). ShowModal also disables the other visible forms, runs a
// nested loop until ModalResult is non-zero (then OnCloseQuery and OnClose; caNone carries on), hides
// the form, enables the others again, reactivates the window that was active and returns the result.
// The application terminating ends a modal loop with mrCancel.
//
// Closing. Close on a modal form sets ModalResult to mrCancel. Otherwise OnCloseQuery may refuse;
// OnClose's action (default caHide) hides the form, frees it later (caFree: Release) or does
// nothing; closing the main form terminates the application.
#pragma once

#include <cstdint>
#include <string>

#include <qyx/platform/Controls.h>

namespace qyx {

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition : uint8_t { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
public:
    /// A hidden form, 400 x 300 outer, bsSizeable, colour clBtnFace, its own default font.
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    /// Changes the frame; the outer size stays, so the client area changes.
    void SetBorderStyle(TFormBorderStyle Value);
    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    bool GetKeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }

    /// The control that has (or gets, when the form is shown) the focus; nullptr for the form itself.
    TWinControl* GetActiveControl() const;
    /// Sets the control to focus; focuses it at once when the form is active. Raises
    /// EInvalidOperation "Invalid control" for a control that is not on this form.
    void SetActiveControl(TWinControl* Control);
    /// Focuses the first control in tab order that can take the focus.
    void SelectFirst();

    void Show();
    void Hide();
    /// Shows the form modally (see above). Raises EInvalidOperation "Cannot make a visible window
    /// modal" when it is visible already.
    TModalResult ShowModal();
    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool IsModal() const { return FModal; }
    void Close();
    /// OnCloseQuery's answer (true when not assigned).
    virtual bool CloseQuery();
    /// Frees the form when the loop next runs (safe inside its own event handlers).
    void Release();
    bool GetActive() const;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    TPoint GetClientOffset() const override;
    void OuterToClient(int& Width, int& Height) const override;
    bool GetPreviewKeys() const override { return FKeyPreview; }
    void VisibleChanged() override;
    void TextChanged() override;
    void DefaultHandler(TMessage& Message) override;
    virtual void DoShow();
    virtual void DoHide();

private:
    friend struct TUiInternal;
    void FrameMetrics(int& Border, int& Caption) const;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    bool FKeyPreview = false;
    bool FModal = false;
    bool FPlaced = false;
    TModalResult FModalResult = mrNone;
    TWinControl* FPrevActive = nullptr;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

/// The form a control sits on (nullptr when its top-level window is not a form).
TCustomForm* GetParentForm(const TControl* Control);

} // namespace qyx
