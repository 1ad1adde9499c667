// Pens, brushes and fonts.
#include <qyx/platform/Graphics.h>

#include <cctype>
#include <cstdlib>

namespace qyx {

namespace {

/// A * B / C rounded to nearest, halves away from zero (the classic MulDiv).
int MulDiv(int A, int B, int C) {
    const int64_t p = int64_t{A} * B;
    const int64_t q = (std::llabs(p) + std::llabs(int64_t{C}) / 2) / std::llabs(int64_t{C});
    return static_cast<int>(((p < 0) != (C < 0)) ? -q : q);
}

bool IsDefaultName(const std::string& Name) {
    static const char Default[] = "default";
    if (Name.size() != sizeof Default - 1) return false;
    for (size_t i = 0; i < Name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(Name[i])) != Default[i]) return false;
    return true;
}

} // namespace

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TPen ----------------------------------------------------------------------------------------

void TPen::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}
void TPen::SetWidth(int Value) {
    if (FWidth == Value) return;
    FWidth = Value;
    Changed();
}
void TPen::SetStyle(TPenStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Changed();
}
void TPen::SetMode(TPenMode Value) {
    if (FMode == Value) return;
    FMode = Value;
    Changed();
}
void TPen::Assign(const TPersistent* Source) {
    if (auto* p = dynamic_cast<const TPen*>(Source)) {
        FColor = p->FColor, FWidth = p->FWidth, FStyle = p->FStyle, FMode = p->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

// ---- TBrush ----------------------------------------------------------------------------------------

void TBrush::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}
void TBrush::SetStyle(TBrushStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Changed();
}
void TBrush::Assign(const TPersistent* Source) {
    if (auto* b = dynamic_cast<const TBrush*>(Source)) {
        FColor = b->FColor, FStyle = b->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

// ---- TFont -----------------------------------------------------------------------------------------

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Changed();
}
int TFont::GetSize() const {
    return -MulDiv(FHeight, 72, PixelsPerInch);
}
void TFont::SetSize(int Value) {
    SetHeight(-MulDiv(Value, PixelsPerInch, 72));
}
void TFont::SetHeight(int Value) {
    if (FHeight == Value) return;
    FHeight = Value;
    Changed();
}
void TFont::SetColor(TColor Value) {
    if (FColor == Value) return;
    FColor = Value;
    Changed();
}
void TFont::SetStyle(TFontStyles Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Changed();
}
void TFont::SetOrientation(int Value) {
    if (FOrientation == Value) return;
    FOrientation = Value;
    Changed();
}
void TFont::SetPitch(TFontPitch Value) {
    if (FPitch == Value) return;
    FPitch = Value;
    Changed();
}
void TFont::SetCharset(TFontCharset Value) {
    if (FCharset == Value) return;
    FCharset = Value;
    Changed();
}
void TFont::Assign(const TPersistent* Source) {
    if (auto* f = dynamic_cast<const TFont*>(Source)) {
        FName = f->FName, FHeight = f->FHeight, FColor = f->FColor, FStyle = f->FStyle;
        FOrientation = f->FOrientation, FPitch = f->FPitch, FCharset = f->FCharset;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}
std::string TFont::FaceName() const {
    return FName.empty() || IsDefaultName(FName) ? DefaultName : FName;
}

} // namespace qyx
