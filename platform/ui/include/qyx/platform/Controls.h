// Control bases: TControl (bounds, parent, visibility, colour, font, cursor, alignment, mouse
// messages), TGraphicControl (windowless, paints on its parent's surface), TWinControl (a window:
// children, focus, keyboard) and TCustomControl (a window with a canvas and Paint).
//
// Surfaces. Every windowed control owns a software image of its client area (its "surface"); a
// graphic control paints into its parent's surface at its own position, clipped to its bounds, after
// the parent and the graphic siblings below it (z-order = order of the parent's Controls list).
// Windowed children are drawn above every graphic sibling; what a top-level window shows is its surface
// with the surfaces of its windowed descendants composed on top (PaintTo). A graphic control without a
// parent paints into a surface of its own of its size, which tests read. New surface pixels are white.
//
// Painting. Invalidate marks an area; the application's loop paints invalid areas when no input or
// posted message is waiting (WM_PAINT: erase with Color unless csOpaque, PaintWindow, then the
// graphic children that meet the area), and Update/Repaint do it at once. Drawing on a control's
// canvas outside Paint (setters that paint at once, XOR feedback, AND/OR composition with the parent's
// pixels) changes the same surface, so both paths give the same picture. Only showing controls are
// painted by the loop (Visible up to the top-level window, a form shown); invalid areas wait until
// they show. A parentless control counts as showing while Visible.
//
// Mouse input (fixed order). A press goes to the deepest visible, enabled control under the pointer
// (a disabled control lets the press fall through to its parent) and captures the mouse for that
// control (csCaptureMouse) until the last button is released; while captured, moves and the release
// go to it also outside its bounds. A double click arrives as: down, up (+ Click), double-click
// message (DblClick, then MouseDown with ssDouble), up. On a left-button release the control fires
// MouseUp (OnMouseUp) first and then Click (OnClick), the latter only when the press was on this
// control and the release lies inside its client area. A right-button release opens the PopupMenu of
// the control or of its nearest parent that has one, after OnContextPopup. A press does not move the
// focus; controls that want the focus on a click take it themselves.
//
// Keyboard input (fixed order), sent to the focused control: CN_KEYDOWN (pre-processing: a control
// that overrides CNKeyDown sees every key before dialog navigation), then, unless the top-level
// window used the key for navigation (Tab, Shift+Tab, arrows among siblings; Enter and Escape
// offered to every control through CM_DIALOGKEY), WM_KEYDOWN (KeyDown, OnKeyDown; a KeyPreview form
// first), then the typed character as CN_CHAR and WM_CHAR (KeyPress, OnKeyPress). Setting the key
// to 0 in OnKeyDown does not suppress the character. Controls keep keys from navigation through
// WM_GETDLGCODE (DLGC_WANTARROWS, DLGC_WANTTAB, DLGC_WANTALLKEYS).
//
// Focus (fixed order). SetFocus sends WM_KILLFOCUS to the control losing the focus (DoExit,
// OnExit; it still has the focus meanwhile), moves the focus, then sends WM_SETFOCUS to the new one
// (DoEnter, OnEnter; it already has the focus). Only the focused control gets these, not its parents;
// switching between top-level windows sends them too. Hiding or disabling the focused control moves
// the focus to its top-level window (with WM_KILLFOCUS); destroying it moves it without messages.
//
// Windows. A windowed control gets its window (handle, CreateWnd) at a fixed time: when its top-level
// form is shown, when it is put into a parent that already has a window, or on the first HandleNeeded,
// GetHandle or SetFocus; parents first, then children in Controls order. Constructors, property
// writes and painting never need a window or a parent.
//
// Ownership. A child control belongs to its owner, not to its parent: destroying a windowed control
// takes its children out of it (they become parentless) and their owner destroys them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <qyx/platform/Bitmap.h>
#include <qyx/platform/Messages.h>

namespace qyx {

class TWinControl;
class TPopupMenu;
class TWindowHost;
class TDragObject;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

/// Control style flags. csOpaque: the control covers its whole area, so the parent need not paint
/// under it. csFramed, csAcceptsControls and csSetCaption are kept for designers (csSetCaption also
/// makes a rename carry over to a Text that equals the old name).
enum TControlStyleItem : uint8_t {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem : uint8_t { csLButtonDown, csClicked, csFocusing, csCreating, csAligning };
using TControlState = TSet<TControlStateItem>;

/// Cursor numbers: the predefined shapes are 0 and negative; applications register their own
/// positive numbers in Screen()->SetCursors.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Published surface without behaviour of its own in this layer.
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragKind : uint8_t { dkDrag, dkDock };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
enum TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;

/// Size limits of a control; 0 means no limit. SetBounds applies them.
class TSizeConstraints : public TPersistent {
public:
    int GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int GetMinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int GetMaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    void Assign(const TPersistent* Source) override;
    /// Limits a width and a height.
    void Apply(int& Width, int& Height) const;
    TNotifyEvent OnChange;

private:
    void Changed();
    int FMinWidth = 0, FMaxWidth = 0, FMinHeight = 0, FMaxHeight = 0;
};

/// The root of every control.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    int GetLeft() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int GetTop() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    /// Moves and sizes the control (negative sizes become 0; constraints and OnCanResize apply). The
    /// parent repaints the uncovered and covered areas; a size change fires OnResize and realigns.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }

    /// The client area in client coordinates: (0, 0, ClientWidth, ClientHeight).
    TRect GetClientRect() const;
    int GetClientWidth() const;
    void SetClientWidth(int Value);
    int GetClientHeight() const;
    void SetClientHeight(int Value);
    /// Screen position of the client area's top-left corner: the parents' positions added up; a
    /// parentless control's Left and Top are screen coordinates.
    TPoint GetClientOrigin() const;
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;

    TWinControl* GetParent() const { return FParent; }
    /// Moves the control into another parent (nullptr: none); the old and new parent repaint.
    virtual void SetParent(TWinControl* AParent);
    /// The window at the top of the parent chain (a form or a parentless windowed control), or
    /// nullptr for a graphic control without a parent.
    TWinControl* GetTopLevel() const;

    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    /// Visible here and in every parent, the top-level window being visible (a form: shown).
    bool GetShowing() const;
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    /// Background colour; ParentColor makes it follow the parent's. Setting it clears ParentColor.
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    /// The control's font (the same object for its whole life). Changing it clears ParentFont;
    /// override FontChanged (calling the base) to react instead of replacing the font's OnChange.
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const std::string& GetHint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    /// The control's text (Caption and Text are the same).
    const std::string& GetText() const { return FText; }
    void SetText(const std::string& Value);
    const std::string& GetCaption() const { return FText; }
    void SetCaption(const std::string& Value) { SetText(Value); }
    void SetName(const std::string& NewName) override;

    /// The popup menu opened by a right-button release; cleared when the menu is destroyed.
    TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    /// Anchors keep the distances to the named sides of the parent when the parent is resized (left
    /// and right: the width follows; right alone: the control moves). Only for alNone controls.
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value) { FAnchors = Value; }
    TSizeConstraints* GetConstraints() const { return FConstraints.get(); }

    TDragMode GetDragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind GetDragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TCursor GetDragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
    bool GetParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value) { FParentBiDiMode = Value; }
    int GetHelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }

    TControlStyle GetControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState GetControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    /// Whether this control holds the mouse capture; setting it takes or releases the capture.
    bool GetMouseCapture() const;
    void SetMouseCapture(bool Value);

    /// Marks the whole control for repainting by the loop (a graphic control: its area of the
    /// parent's surface, so the parent and the siblings below repaint with it).
    virtual void Invalidate();
    /// Paints the invalid area of the surface this control paints on, at once.
    virtual void Update();
    /// Invalidate, then Update.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    /// Moves the control to the top (end) or bottom (start) of its parent's z-order.
    void BringToFront();
    void SendToBack();

    /// Delivers a message to WndProc at once and returns its result.
    intptr_t Perform(uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
    /// Hands each known message to its handler below, anything else to DefaultHandler.
    virtual void WndProc(TMessage& Message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TContextPopupEvent OnContextPopup;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TEndDragEvent OnEndDrag;
    TEndDragEvent OnEndDock;
    TStartDragEvent OnStartDrag;
    TStartDragEvent OnStartDock;

protected:
    // The overridable event methods; each fires its event (skipped when empty).
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    /// OnMouseWheel, then (when not handled) OnMouseWheelDown or OnMouseWheelUp; true when handled.
    /// An unhandled wheel goes on to the parent.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    /// OnCanResize; false keeps the old size.
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    /// After a size change: OnResize.
    virtual void Resize();
    /// OnContextPopup; Handled stops the popup menu.
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);

    /// Reactions to property changes; the defaults invalidate.
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void EnabledChanged();

    // Message handlers. The defaults turn the message into the calls above (MouseDown, Click, ...).
    virtual void WMMouseMove(TWMMouse& Message);
    virtual void WMLButtonDown(TWMMouse& Message);
    virtual void WMLButtonUp(TWMMouse& Message);
    virtual void WMLButtonDblClk(TWMMouse& Message);
    virtual void WMRButtonDown(TWMMouse& Message);
    virtual void WMRButtonUp(TWMMouse& Message);
    virtual void WMRButtonDblClk(TWMMouse& Message);
    virtual void WMMButtonDown(TWMMouse& Message);
    virtual void WMMButtonUp(TWMMouse& Message);
    virtual void WMMButtonDblClk(TWMMouse& Message);
    virtual void WMMouseWheel(TWMMouseWheel& Message);
    /// Messages no handler took; the default does nothing.
    virtual void DefaultHandler(TMessage& Message);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    /// The canvas binding of this control: its area of the surface it paints on.
    TCanvasTarget* GetDrawTarget() { return &FDrawTarget; }
    /// The position of the client area inside the control's outer box ((0, 0) except for framed
    /// top-level windows).
    virtual TPoint GetClientOffset() const { return {0, 0}; }
    /// The client size for a given outer size.
    virtual void OuterToClient(int& Width, int& Height) const { (void)Width, (void)Height; }
    /// Called after the bounds changed (before OnResize).
    virtual void BoundsChanged(const TRect& OldBounds);
    /// Called after Visible changed.
    virtual void VisibleChanged();

private:
    friend class TWinControl;
    friend class TCustomForm;
    friend struct TUiInternal;

    class TDrawTarget : public TCanvasTarget {
    public:
        explicit TDrawTarget(TControl& C) : FControl(C) {}
        bool GetCanvasView(TCanvasView& View) override;
        void CanvasChanged() override;

    private:
        TControl& FControl;
    };

    void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TWMMouse& Message, TMouseButton Button);
    void OpenContextMenu(TPoint ClientPos);
    void FontHook();
    void AdoptParentFont();
    void AdoptParentColor();
    void InvalidateParentArea(const TRect& R);

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FAdoptingFont = false;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    std::string FText;
    TPopupMenu* FPopupMenu = nullptr;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    std::unique_ptr<TSizeConstraints> FConstraints;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    int FHelpContext = 0;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FWindowed = false;

    // Surface state, used by windowed controls and by graphic controls without a parent.
    TDrawTarget FDrawTarget{*this};
    std::unique_ptr<TBitmap> FSurface;
    TRect FInvalid;
    TRect FPaintClip;
    bool FPainting = false;
};

/// A windowless control: paints on its parent's surface (or its own surface without a parent).
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    /// The control's canvas: its area of the surface, clipped to its bounds.
    TCanvas* GetCanvas() { return &FCanvas; }
    /// Draws the control; called by the parent's painting and by the control itself. Does nothing here.
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};

/// A control with a window: children, focus and keyboard input.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    /// Child controls in z-order (the last is on top).
    int GetControlCount() const { return static_cast<int>(FControls.size()); }
    /// The Index-th child; raises EListError when out of range.
    TControl* GetControls(int Index) const;
    bool ContainsControl(const TControl* Control) const;
    /// The topmost child whose bounds contain P (client coordinates), visible ones only; windowed
    /// children only with AllowWinControls, disabled ones only with AllowDisabled.
    TControl* ControlAtPos(TPoint P, bool AllowDisabled, bool AllowWinControls = false) const;

    /// Alignment of the children: nested DisableAlign/EnableAlign hold it off; Realign applies it.
    void DisableAlign();
    void EnableAlign();
    void Realign();

    /// The window handle (created on first request); HandleAllocated tells without creating it.
    HWND GetHandle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded();

    /// Visible and enabled here and in every parent, the top-level window showing.
    virtual bool CanFocus() const;
    bool Focused() const;
    /// Gives this control the keyboard focus (and activates its top-level window). Raises
    /// EInvalidOperation "Cannot focus a disabled or invisible window" when CanFocus is false.
    virtual void SetFocus();
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }
    /// Position among the parent's windowed children for Tab; -1 without a parent.
    int GetTabOrder() const;
    void SetTabOrder(int Value);
    /// The windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    /// The next (or previous) control after CurControl among this control's descendants in tab order
    /// that can take the focus (and has TabStop when CheckTabStop), wrapping around; nullptr if none.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop) const;
    /// Focuses FindNextControl's result, when there is one.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    /// The control of this top-level window that has (or last had) the focus; nullptr when the window
    /// itself has it.
    TWinControl* GetFocusedControl() const { return FFocusedControl; }

    bool GetDoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    bool GetCtl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value) { FCtl3D = Value; }
    bool GetParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }

    /// Draws what the window shows (its surface with its windowed descendants on top) onto Canvas with
    /// the client area's top-left corner at (X, Y).
    void PaintTo(TCanvas* Canvas, int X, int Y);
    /// The presentation of a top-level window (a backend's); nullptr while headless.
    TWindowHost* GetWindowHost() const { return FHost.get(); }
    void SetWindowHost(std::unique_ptr<TWindowHost> Host);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    void WndProc(TMessage& Message) override;
    /// Disabling also takes the focus and the mouse capture from the control and its children.
    void SetEnabled(bool Value) override;

protected:
    /// Window creation: CreateWnd allocates the handle; overrides call the base first and may then
    /// use the window. DestroyWnd releases it (its timers stop, its queued messages are dropped).
    virtual void CreateWnd();
    virtual void DestroyWnd();
    /// Paints the client area during WM_PAINT after the background; nothing here.
    virtual void PaintWindow() {}
    /// Lays the children out in Rect (client area): alTop, alBottom, alLeft, alRight, then alClient;
    /// controls of one alignment in the order of their position along it (ties: z-order).
    virtual void AlignControls(TControl* AControl, TRect& Rect);

    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void DoEnter();
    virtual void DoExit();
    /// Whether a top-level window sees keys before its focused control (forms: KeyPreview).
    virtual bool GetPreviewKeys() const { return false; }

    /// Fire KeyDown/KeyUp/KeyPress (after a previewing top-level window); true when the key was
    /// consumed (set to 0).
    bool DoKeyDown(TWMKey& Message);
    bool DoKeyUp(TWMKey& Message);
    bool DoKeyPress(TWMKey& Message);

    virtual void WMKeyDown(TWMKey& Message);
    virtual void WMKeyUp(TWMKey& Message);
    virtual void WMChar(TWMKey& Message);
    /// Key pre-processing: the default offers navigation keys the control does not want to the
    /// top-level window (CM_DIALOGKEY); Result 1 means the key was used up.
    virtual void CNKeyDown(TWMKey& Message);
    virtual void CNKeyUp(TWMKey& Message);
    virtual void CNChar(TWMKey& Message);
    virtual void WMSetFocus(TWMFocus& Message);
    virtual void WMKillFocus(TWMFocus& Message);
    /// Erases Area with Color (unless csOpaque or covered by an opaque graphic child), calls
    /// PaintWindow, then paints the visible graphic children that meet Area.
    virtual void WMPaint(TWMPaint& Message);
    /// Timers set on this control's handle; nothing here.
    virtual void WMTimer(TWMTimer& Message);
    /// Which keys the control keeps from navigation (Result: DLGC_... flags); 0 here.
    virtual void WMGetDlgCode(TMessage& Message);
    /// Dialog navigation of a top-level window: Tab/Shift+Tab through tab stops, arrows among the
    /// focused control's siblings; other keys are offered to every child. Result 1 when used.
    virtual void CMDialogKey(TWMKey& Message);

    void BoundsChanged(const TRect& OldBounds) override;
    void VisibleChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    friend class TControl;
    friend struct TUiInternal;

    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);
    void AlignChildren();
    void ApplyAnchors(int OldClientWidth, int OldClientHeight);
    void CreateHandleTree();

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    HWND FHandle = 0;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    int FAlignLevel = 0;
    bool FAlignPending = false;
    TWinControl* FFocusedControl = nullptr;
    std::unique_ptr<TWindowHost> FHost;
};

/// A windowed control that draws itself: a canvas on its window's surface and Paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* GetCanvas() { return &FCanvas; }
    /// Draws the control; called during WM_PAINT and by the control itself. Does nothing here.
    virtual void Paint() {}

protected:
    void PaintWindow() override { Paint(); }

private:
    TCanvas FCanvas;
};

} // namespace qyx
