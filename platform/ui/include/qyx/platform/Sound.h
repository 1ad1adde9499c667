// The system beep. Fire-and-forget: every beep is counted and passed to a hook; headless nothing
// sounds, a backend installs a hook that does.
#pragma once

#include <cstdint>
#include <functional>

namespace qyx {

/// Beep types.
constexpr uint32_t MB_BEEP_DEFAULT = 0x0;
constexpr uint32_t MB_BEEP_SIMPLE = 0xFFFFFFFF;

/// Sounds a beep of the given type.
void MessageBeep(uint32_t Type = MB_BEEP_DEFAULT);
/// Sounds the default beep.
void Beep();

using TBeepHook = std::function<void(uint32_t Type)>;
/// Installs the hook called for every beep (an empty hook: none).
void SetBeepHook(TBeepHook Hook);
/// Beeps since the start or the last ResetBeepCount.
int GetBeepCount();
void ResetBeepCount();

} // namespace qyx
