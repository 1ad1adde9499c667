#include <qyx/platform/Exceptions.h>
#include <qyx/platform/SysInfo.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <unistd.h>

using namespace qyx;

TEST(SysInfo, TickCounterAdvancesInMilliseconds) {
    const uint32_t t0 = GetTickCount();
    const uint64_t t064 = GetTickCount64();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint32_t elapsed = GetTickCount() - t0;
    EXPECT_GE(elapsed, 29u);
    EXPECT_LT(elapsed, 5000u);
    EXPECT_LT(static_cast<uint32_t>(t064) - t0, 10u); // the same clock, truncated to 32 bits
    EXPECT_GE(GetTickCount64() - t064, 29u);
}

TEST(SysInfo, ProcessorCountIsTheOnlineCount) {
    EXPECT_EQ(GetProcessorCount(), static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));
    EXPECT_GE(GetProcessorCount(), 1);
}

TEST(SysInfo, OperatingSystemErrors) {
    EXPECT_EQ(SysErrorMessage(ENOENT), "No such file or directory");
    errno = EACCES;
    EXPECT_EQ(GetLastOSError(), EACCES);
    try {
        RaiseLastOSError(ENOENT);
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Message(), "System Error.  Code: 2. No such file or directory");
    }
}
