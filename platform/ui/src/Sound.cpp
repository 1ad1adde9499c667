// The system beep: counted, then passed to the installed hook.
#include <qyx/platform/Sound.h>

namespace qyx {

namespace {

struct TBeepState {
    int Count = 0;
    TBeepHook Hook;
};

TBeepState& State() {
    static TBeepState* s = new TBeepState;
    return *s;
}

} // namespace

void MessageBeep(uint32_t Type) {
    auto& s = State();
    ++s.Count;
    if (s.Hook) s.Hook(Type);
}

void Beep() {
    MessageBeep(MB_BEEP_DEFAULT);
}

void SetBeepHook(TBeepHook Hook) {
    State().Hook = std::move(Hook);
}

int GetBeepCount() {
    return State().Count;
}

void ResetBeepCount() {
    State().Count = 0;
}

} // namespace qyx
