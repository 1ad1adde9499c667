// The clipboard and its in-process store.
#include <qyx/platform/Clipboard.h>

namespace qyx {

bool TMemoryClipboardStore::HasFormat(uint16_t Format) const {
    if (Format == CF_TEXT) return FHasText;
    if (Format == CF_BITMAP) return FBitmap != nullptr;
    return false;
}

std::string TMemoryClipboardStore::GetText() const {
    return FHasText ? FText : std::string();
}

void TMemoryClipboardStore::SetText(const std::string& Text) {
    Clear();
    FHasText = true;
    FText = Text;
}

bool TMemoryClipboardStore::GetBitmap(TBitmap& Dest) const {
    if (!FBitmap) return false;
    Dest.Assign(FBitmap.get());
    return true;
}

void TMemoryClipboardStore::SetBitmap(const TBitmap& Bitmap) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(&Bitmap);
    Clear();
    FBitmap = std::move(copy);
}

void TMemoryClipboardStore::Clear() {
    FHasText = false;
    FText.clear();
    FBitmap.reset();
}

TClipboard* Clipboard() {
    static TClipboard* clipboard = new TClipboard;
    return clipboard;
}

TClipboard::TClipboard() : FStore(std::make_unique<TMemoryClipboardStore>()) {}

TClipboard::~TClipboard() = default;

bool TClipboard::HasFormat(uint16_t Format) const {
    return FStore->HasFormat(Format);
}

std::string TClipboard::GetAsText() const {
    return FStore->GetText();
}

void TClipboard::SetAsText(const std::string& Value) {
    FStore->SetText(Value);
}

void TClipboard::Clear() {
    FStore->Clear();
}

void TClipboard::Assign(const TPersistent* Source) {
    if (const auto* b = dynamic_cast<const TBitmap*>(Source)) {
        FStore->SetBitmap(*b);
        return;
    }
    TPersistent::Assign(Source);
}

bool TClipboard::GetBitmap(TBitmap* Dest) const {
    return Dest != nullptr && FStore->GetBitmap(*Dest);
}

void TClipboard::AssignTo(TPersistent* Dest) const {
    if (auto* b = dynamic_cast<TBitmap*>(Dest); b != nullptr && FStore->GetBitmap(*b)) return;
    TPersistent::AssignTo(Dest);
}

void TClipboard::SetStore(std::unique_ptr<TClipboardStore> Store) {
    FStore = Store ? std::move(Store) : std::make_unique<TMemoryClipboardStore>();
}

} // namespace qyx
