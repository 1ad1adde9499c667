// QYX_qyxbase: text label settings and their change notification.
#include <qyx/QYX_qyxbase.h>

#include <qyx/platform/Graphics.h>

namespace qyx {

TCustomTextLabel::TCustomTextLabel() : FFont(std::make_unique<TFont>()) {}

TCustomTextLabel::~TCustomTextLabel() = default;

void TCustomTextLabel::Changed() {
    if (OnChange) OnChange(this);
}

void TCustomTextLabel::SetTxtLblPosX(double Value) {
    FPosX = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblPosY(double Value) {
    FPosY = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblLayer(int Value) {
    if (Value < 1 || Value > 16) return;
    FLayer = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblShadowDx(int Value) {
    FShadowDx = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblShadowDy(int Value) {
    FShadowDy = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblColorShadow(TColor Value) {
    FColorShadow = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblAlignment(TAlignment Value) {
    FAlignment = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblVertAlignment(TVerticalAlignment Value) {
    FVertAlignment = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblScreenPos(TTxtLblAttachMode Value) {
    FAttachMode = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblColorBkg(TColor Value) {
    FColorBkg = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblColorBrd(TColor Value) {
    FColorBrd = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblTranspar(bool Value) {
    FTransparent = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblFont(const TFont* Value) {
    if (Value != nullptr) FFont->Assign(Value);
    Changed();
}

void TCustomTextLabel::SetTxtLblCaption(const std::string& Value) {
    FCaption = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblMode(TTxtLblMode Value) {
    FMode = Value;
    Changed();
}

void TCustomTextLabel::SetTxtLblVisible(bool Value) {
    FVisible = Value;
    Changed();
}

void TCustomTextLabel::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TCustomTextLabel*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    FPosX = src->FPosX;
    FPosY = src->FPosY;
    FLayer = src->FLayer;
    FShadowDx = src->FShadowDx;
    FShadowDy = src->FShadowDy;
    FColorShadow = src->FColorShadow;
    FAlignment = src->FAlignment;
    FVertAlignment = src->FVertAlignment;
    FAttachMode = src->FAttachMode;
    FColorBkg = src->FColorBkg;
    FColorBrd = src->FColorBrd;
    FTransparent = src->FTransparent;
    FFont->Assign(src->FFont.get());
    FCaption = src->FCaption;
    FMode = src->FMode;
    FVisible = src->FVisible;
    Changed();
}

} // namespace qyx
