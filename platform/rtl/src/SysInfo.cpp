#include <qyx/platform/SysInfo.h>

#include <qyx/platform/CodePage.h>
#include <qyx/platform/Exceptions.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include <unistd.h>

namespace qyx {

uint64_t GetTickCount64() {
    timespec ts;
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

uint32_t GetTickCount() {
    return static_cast<uint32_t>(GetTickCount64());
}

int GetProcessorCount() {
    const long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    return n < 1 ? 1 : static_cast<int>(n);
}

int GetLastOSError() {
    return errno;
}

std::string SysErrorMessage(int ErrorCode) {
    char buf[256];
    // GNU strerror_r returns the text, which may or may not live in buf.
    const char* text = ::strerror_r(ErrorCode, buf, sizeof buf);
    return Utf8ToCp1252(text ? text : "");
}

void RaiseLastOSError() {
    RaiseLastOSError(errno);
}

void RaiseLastOSError(int ErrorCode) {
    if (ErrorCode == 0) throw EOSError("A call to an OS function failed");
    throw EOSError("System Error.  Code: " + std::to_string(ErrorCode) + ". " + SysErrorMessage(ErrorCode));
}

} // namespace qyx
