// The clipboard: text (code page 1252 bytes, kept byte for byte, line ends included) and bitmaps.
// Putting something on the clipboard replaces whatever it held. The clipboard keeps its own copy of a
// bitmap. The store behind it is in-process by default; a backend installs the system clipboard
// (converting text through code page 1252).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <qyx/platform/Bitmap.h>

namespace qyx {

/// Clipboard formats.
constexpr uint16_t CF_TEXT = 1;
constexpr uint16_t CF_BITMAP = 2;

/// Where the clipboard keeps its content.
class TClipboardStore {
public:
    virtual ~TClipboardStore() = default;
    virtual bool HasFormat(uint16_t Format) const = 0;
    /// The text, "" when there is none.
    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& Text) = 0;
    /// Copies the bitmap into Dest; false (Dest unchanged) when there is none.
    virtual bool GetBitmap(TBitmap& Dest) const = 0;
    virtual void SetBitmap(const TBitmap& Bitmap) = 0;
    virtual void Clear() = 0;
};

/// The in-process store.
class TMemoryClipboardStore : public TClipboardStore {
public:
    bool HasFormat(uint16_t Format) const override;
    std::string GetText() const override;
    void SetText(const std::string& Text) override;
    bool GetBitmap(TBitmap& Dest) const override;
    void SetBitmap(const TBitmap& Bitmap) override;
    void Clear() override;

private:
    bool FHasText = false;
    std::string FText;
    std::unique_ptr<TBitmap> FBitmap;
};

class TClipboard : public TPersistent {
public:
    TClipboard();
    ~TClipboard() override;

    bool HasFormat(uint16_t Format) const;
    std::string GetAsText() const;
    void SetAsText(const std::string& Value);
    void Clear();
    /// Puts a copy of a bitmap (a TBitmap source) on the clipboard; other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;
    /// Copies the clipboard's bitmap into Dest; false when it holds none.
    bool GetBitmap(TBitmap* Dest) const;
    /// Open and Close bracket several operations; they nest and change nothing else here.
    void Open() { ++FOpenCount; }
    void Close() {
        if (FOpenCount > 0) --FOpenCount;
    }

    /// Replaces the store (nullptr: a new in-process store). The clipboard owns it.
    void SetStore(std::unique_ptr<TClipboardStore> Store);
    TClipboardStore* GetStore() const { return FStore.get(); }

protected:
    /// Lets Bitmap->Assign(Clipboard()) copy the clipboard's bitmap.
    void AssignTo(TPersistent* Dest) const override;

private:
    std::unique_ptr<TClipboardStore> FStore;
    int FOpenCount = 0;
};

/// The process-wide clipboard (created on first use, never destroyed).
TClipboard* Clipboard();

} // namespace qyx
