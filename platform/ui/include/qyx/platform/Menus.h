// Popup menus: menu items in a tree and the popup menu that shows them at a screen position.
//
// Popup(X, Y) fires OnPopup, then runs the menu through the popup service, which returns when the
// user has chosen an item or cancelled. The chosen item's OnClick does not run inside Popup: it is
// posted and runs when the loop next dispatches messages, after the code that called Popup has
// returned (so a handler may open the menu again, and a menu item deleted in between is not
// clicked). Disabled and invisible items cannot be chosen.
//
// The default popup service is headless: it runs a nested loop on the application's queue until a
// menu choice arrives (TTestDriver::PostMenuChoice, an ikMenuCommand input), the Escape key, or a
// mouse press (both cancel); keys and mouse input are consumed by the open menu. A backend installs
// a native one. A menu opened while another one is open is cancelled at once.
//
// Items belong to their owner component, not to the menu or item that lists them: give them the menu
// (or the form) as owner.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <qyx/platform/Bitmap.h>
#include <qyx/platform/Messages.h>

namespace qyx {

class TPopupMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& Value) { FCaption = Value; }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value) { FChecked = Value; }
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    /// The item's picture (the same object for the item's life; empty by default).
    TBitmap* GetBitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* Value) { FBitmap->Assign(Value); }
    /// The number that identifies the item in menu choices (unique in the process).
    int GetCommand() const { return FCommand; }

    int GetCount() const { return static_cast<int>(FItems.size()); }
    /// The Index-th sub-item; raises EListError when out of range.
    TMenuItem* GetItems(int Index) const;
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    /// Takes a sub-item out of the list (it is not destroyed).
    void Remove(TMenuItem* Item);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* GetParent() const { return FParent; }
    /// The item (this one or below) with the given command number, or nullptr.
    TMenuItem* FindCommand(int Command);

    /// Fires OnClick when the item is enabled.
    virtual void Click();
    TNotifyEvent OnClick;

private:
    std::string FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    std::unique_ptr<TBitmap> FBitmap;
    int FCommand;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    /// The root item whose sub-items are the menu's entries.
    TMenuItem* GetItems() const { return FItems; }
    /// Shows the menu at screen position (X, Y) and returns after it closed (see above).
    virtual void Popup(int X, int Y);
    /// Where the menu was last opened (screen coordinates).
    TPoint GetPopupPoint() const { return FPopupPoint; }
    /// The control whose right-button release opened the menu.
    TComponent* GetPopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value);
    /// Whether a right-button release on a control opens it (default true).
    bool GetAutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }

    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WndProc(TMessage& Message);
    TMenuItem* FItems;
    TPoint FPopupPoint;
    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
    HWND FWindow = 0;
};

/// Shows popup menus.
class TPopupMenuService {
public:
    virtual ~TPopupMenuService() = default;
    /// Shows Menu at screen (X, Y) and returns the chosen item, or nullptr when cancelled.
    virtual TMenuItem* TrackPopupMenu(TPopupMenu* Menu, int X, int Y) = 0;
};

/// The service in use; SetPopupMenuService(nullptr) returns to the headless one.
TPopupMenuService* PopupMenuService();
void SetPopupMenuService(std::unique_ptr<TPopupMenuService> Service);

/// The popup menu that is open now (headless service), or nullptr.
TPopupMenu* GetOpenPopupMenu();

} // namespace qyx
