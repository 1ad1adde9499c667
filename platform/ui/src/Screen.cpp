// The screen object, the shown cursor and the numbered cursor list.
#include "UiInternal.h"

#include <qyx/platform/Resources.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace qyx {

namespace {

constexpr HCURSOR FirstLoadedCursor = 1000;

/// Handle of a predefined shape (crSizeAll ... crDefault give 23 ... 1).
HCURSOR PredefinedHandle(int Index) {
    return static_cast<HCURSOR>(1 - Index);
}

struct TLoadedCursor {
    std::unique_ptr<TBitmap> Image;
    std::unique_ptr<TBitmap> Mask;
    int HotX = 0, HotY = 0;
};

struct TCursorTable {
    std::map<std::string, HCURSOR> ByName;
    std::map<HCURSOR, TLoadedCursor> Cursors;
    HCURSOR Next = FirstLoadedCursor;
};

TCursorTable& Cursors() {
    static TCursorTable* table = new TCursorTable;
    return *table;
}

std::string Upper(std::string S) {
    for (char& c : S) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return S;
}

} // namespace

HCURSOR LoadCursor(const std::string& Name) {
    auto& t = Cursors();
    const std::string key = Upper(Name);
    if (const auto it = t.ByName.find(key); it != t.ByName.end()) return it->second;
    TCursorResource res;
    if (!FindCursorResource(Name, res)) return 0;
    TLoadedCursor c;
    c.Image = std::make_unique<TBitmap>();
    c.Image->LoadFromMemory(res.Image, res.ImageSize);
    if (res.Mask != nullptr) {
        c.Mask = std::make_unique<TBitmap>();
        c.Mask->LoadFromMemory(res.Mask, res.MaskSize);
    }
    c.HotX = res.HotX;
    c.HotY = res.HotY;
    const HCURSOR h = t.Next++;
    t.Cursors.emplace(h, std::move(c));
    t.ByName[key] = h;
    return h;
}

bool GetCursorImage(HCURSOR Handle, TCursorImage& Image) {
    const auto& t = Cursors();
    const auto it = t.Cursors.find(Handle);
    if (it == t.Cursors.end()) return false;
    Image.Image = it->second.Image.get();
    Image.Mask = it->second.Mask.get();
    Image.HotX = it->second.HotX;
    Image.HotY = it->second.HotY;
    return true;
}

TScreen* Screen() {
    static TScreen* screen = new TScreen;
    return screen;
}

TScreen::TScreen() = default;
TScreen::~TScreen() = default;

void TScreen::SetSize(int Width, int Height) {
    FWidth = std::max(1, Width);
    FHeight = std::max(1, Height);
}

void TScreen::SetCursor(TCursor Value) {
    FCursor = Value;
    UpdateShownCursor(FUnderPointer);
}

HCURSOR TScreen::GetCursors(int Index) const {
    for (const auto& [n, h] : FCursors)
        if (n == Index) return h;
    if (Index <= crDefault && Index >= crSizeAll) return PredefinedHandle(Index);
    return PredefinedHandle(crArrow);
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
    std::erase_if(FCursors, [Index](const auto& e) { return e.first == Index; });
    if (Handle != 0) FCursors.emplace_back(Index, Handle);
}

TCustomForm* TScreen::GetForms(int Index) const {
    if (Index < 0 || Index >= GetFormCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FForms[static_cast<size_t>(Index)];
}

TCustomForm* TScreen::GetActiveForm() const {
    return dynamic_cast<TCustomForm*>(Application()->GetActiveWindow());
}

TWinControl* TScreen::GetActiveControl() const {
    TCustomForm* f = GetActiveForm();
    return f != nullptr ? f->GetActiveControl() : nullptr;
}

void TScreen::UpdateShownCursor(TControl* UnderPointer) {
    FUnderPointer = UnderPointer;
    TCursor shown = FCursor;
    if (shown == crDefault) {
        const TControl* c = UnderPointer;
        while (c != nullptr && c->GetCursor() == crDefault) c = c->GetParent();
        shown = c != nullptr ? c->GetCursor() : crArrow;
    }
    if (shown == FShown) return;
    FShown = shown;
    if (UnderPointer != nullptr)
        if (TWinControl* top = UnderPointer->GetTopLevel(); top != nullptr && top->GetWindowHost() != nullptr)
            top->GetWindowHost()->CursorChanged(shown);
}

void TUiInternal::UpdateCursor(TControl* UnderPointer) {
    TScreen* s = Screen();
    s->UpdateShownCursor(UnderPointer != nullptr ? UnderPointer : s->FUnderPointer);
}

void TUiInternal::AddForm(TCustomForm* Form) {
    Screen()->FForms.push_back(Form);
}

void TUiInternal::RemoveForm(TCustomForm* Form) {
    std::erase(Screen()->FForms, Form);
}

} // namespace qyx
