// Menu items, popup menus and the headless popup service.
#include "UiInternal.h"

#include <qyx/platform/Menus.h>

#include <algorithm>

namespace qyx {

namespace {

int NextCommand() {
    static int next = 0;
    return ++next;
}

/// The popup menu open in the headless service and what happened to it.
struct TOpenMenu {
    TPopupMenu* Menu = nullptr;
    bool Closed = false;
    TMenuItem* Chosen = nullptr;
};
TOpenMenu* OpenMenu = nullptr;

bool Choosable(TMenuItem* Item) {
    if (Item->GetCount() > 0) return false;
    for (TMenuItem* i = Item; i != nullptr; i = i->GetParent())
        if (!i->GetEnabled() || !i->GetVisible()) return false;
    return true;
}

class THeadlessPopup : public TPopupMenuService {
public:
    TMenuItem* TrackPopupMenu(TPopupMenu* Menu, int, int) override {
        if (OpenMenu != nullptr) return nullptr; // one menu at a time
        TOpenMenu open{Menu};
        auto& s = TUiInternal::State();
        OpenMenu = &open;
        s.InputFilter = [&open](const TInputEvent& E) {
            switch (E.Kind) {
            case ikMenuCommand:
                if (open.Menu != nullptr && E.Command != 0)
                    if (TMenuItem* it = open.Menu->GetItems()->FindCommand(E.Command);
                        it != nullptr && Choosable(it))
                        open.Chosen = it;
                open.Closed = true;
                break;
            case ikKeyDown:
                if (E.Key == VK_ESCAPE) open.Closed = true;
                break;
            case ikMouseDown: open.Closed = true; break;
            default: break;
            }
            return true; // the open menu takes all input
        };
        struct TClose {
            ~TClose() {
                OpenMenu = nullptr;
                TUiInternal::State().InputFilter = nullptr;
            }
        } close;
        Application()->RunUntil([&open] { return open.Closed; });
        return open.Menu != nullptr ? open.Chosen : nullptr;
    }
};

struct TMenuServices {
    THeadlessPopup Headless;
    std::unique_ptr<TPopupMenuService> Installed;
};

TMenuServices& Services() {
    static TMenuServices* s = new TMenuServices;
    return *s;
}

} // namespace

TPopupMenuService* PopupMenuService() {
    auto& s = Services();
    return s.Installed ? s.Installed.get() : &s.Headless;
}

void SetPopupMenuService(std::unique_ptr<TPopupMenuService> Service) {
    Services().Installed = std::move(Service);
}

TPopupMenu* GetOpenPopupMenu() {
    return OpenMenu != nullptr ? OpenMenu->Menu : nullptr;
}

// ---- TMenuItem ------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner)
    : TComponent(AOwner), FBitmap(std::make_unique<TBitmap>()), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
    if (FParent != nullptr) FParent->Remove(this);
    for (TMenuItem* i : FItems) i->FParent = nullptr;
}

TMenuItem* TMenuItem::GetItems(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) {
    Insert(GetCount(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (Item == nullptr) return;
    for (const TMenuItem* p = this; p != nullptr; p = p->FParent)
        if (p == Item) throw EInvalidOperation("A menu item cannot contain itself");
    if (Item->FParent != nullptr) Item->FParent->Remove(Item);
    Index = std::clamp(Index, 0, GetCount());
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
    if (Item == nullptr || Item->FParent != this) return;
    std::erase(FItems, Item);
    Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) {
    Remove(GetItems(Index));
}

void TMenuItem::Clear() {
    while (!FItems.empty()) Remove(FItems.back());
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::FindCommand(int Command) {
    if (FCommand == Command) return this;
    for (TMenuItem* i : FItems)
        if (TMenuItem* found = i->FindCommand(Command)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (FEnabled && OnClick) OnClick(this);
}

// ---- TPopupMenu -----------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
    FWindow = AllocateHWnd([this](TMessage& M) { WndProc(M); });
}

TPopupMenu::~TPopupMenu() {
    if (OpenMenu != nullptr && OpenMenu->Menu == this) {
        OpenMenu->Menu = nullptr;
        OpenMenu->Closed = true;
    }
    DeallocateHWnd(FWindow);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
    if (FPopupComponent == Value) return;
    if (FPopupComponent != nullptr) RemoveFreeNotification(FPopupComponent);
    FPopupComponent = Value;
    if (Value != nullptr) FreeNotification(Value);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
    FPopupPoint = {X, Y};
    if (OnPopup) OnPopup(this);
    if (TMenuItem* chosen = PopupMenuService()->TrackPopupMenu(this, X, Y))
        PostMessage(FWindow, CM_MENUCLICK, static_cast<uintptr_t>(chosen->GetCommand()), 0);
}

void TPopupMenu::WndProc(TMessage& Message) {
    if (Message.Msg != CM_MENUCLICK) return;
    if (TMenuItem* item = FItems->FindCommand(static_cast<int>(Message.WParam));
        item != nullptr && item != FItems)
        item->Click();
}

} // namespace qyx
