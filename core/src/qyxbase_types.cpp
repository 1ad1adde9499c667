// TDTLabel: date/time label settings with their change notification.
#include <qyx/QYX_qyxbase.h>

namespace qyx {

namespace {

// Stores Value and reports whether it differed.
template <class T> bool Store(T& Field, T Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}

} // namespace

void TDTLabel::SetTimeFormat(TTimeFormat Value) {
    FTimeFormat = Value;
    Changed();
}

void TDTLabel::SetDateSeparator(char Value) {
    if (Store(FDateSeparator, Value)) Changed();
}

void TDTLabel::SetTimeSeparator(char Value) {
    if (Store(FTimeSeparator, Value)) Changed();
}

void TDTLabel::SetYearLength(TYearLength Value) {
    if (Store(FYearLength, Value)) Changed();
}

void TDTLabel::SetMonthName(bool Value) {
    if (Store(FMonthName, Value)) Changed();
}

void TDTLabel::SetDAteOrder(TDateOrder Value) {
    FDateOrder = Value;
    Changed();
}

void TDTLabel::SetDateForTime(TDateForTime Value) {
    if (Store(FDateForTime, Value)) Changed();
}

void TDTLabel::Changed() {
    if (OnChange) OnChange(this);
}

} // namespace qyx
