// QYX_qyxbase: cross-hair settings with change notification.
#include <qyx/QYX_qyxbase.h>

namespace qyx {

void TCrossHair::Changed() {
    if (OnChange) OnChange(this);
}

void TCrossHair::SetCrossHPosX(double Value) {
    FPosX = Value;
    Changed();
}

void TCrossHair::SetCrossHPosY(double Value) {
    FPosY = Value;
    Changed();
}

void TCrossHair::SetCrossHColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TCrossHair::SetCrossHMode(TCrossHMode Value) {
    FMode = Value;
    Changed();
}

void TCrossHair::SetCrossHLineType(TPenStyle Value) {
    FLineType = Value;
    Changed();
}

void TCrossHair::SetCrossHLineWid(int Value) {
    FLineWid = Value;
    Changed();
}

void TCrossHair::SetCrossHLayer(int Value) {
    FLayer = Value <= 0 ? 1 : (Value > 2 ? 2 : Value);
    Changed();
}

} // namespace qyx
