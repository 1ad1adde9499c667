// System information: the millisecond tick counter, the processor count, and the operating-system
// error of the last failed call.
#pragma once

#include <cstdint>
#include <string>

namespace qyx {

/// Milliseconds of the monotonic clock (CLOCK_MONOTONIC), truncated to 32 bits: it wraps after about
/// 49.7 days, so measure intervals as the unsigned difference of two readings.
uint32_t GetTickCount();
/// The same clock in 64 bits, never wrapping.
uint64_t GetTickCount64();
/// The number of processors the operating system reports online (at least 1).
int GetProcessorCount();

/// The operating-system error code (errno) left by the last failed call of this thread.
int GetLastOSError();
/// The operating system's text for an error code.
std::string SysErrorMessage(int ErrorCode);
/// Raises EOSError "System Error.  Code: <code>. <text>" for the last failed call (or for ErrorCode).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(int ErrorCode);

} // namespace qyx
