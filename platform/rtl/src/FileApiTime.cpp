// File times: Unix time <-> local-time TDateTime, and the packed file date.
#include <qyx/platform/FileApi.h>

#include "FileApiInternal.h"

#include <cmath>
#include <ctime>

namespace qyx {

namespace detail {

namespace {

constexpr int64_t UnixEpochDays = 25569; // 1970-01-01 as days since 1899-12-30
constexpr int64_t MicrosPerDay = 86400LL * 1000000LL;

struct TCivil {
    int64_t Year;
    unsigned Month;
    unsigned Day;
};

// Calendar date of a day count since 1970-01-01 (proleptic Gregorian).
TCivil CivilFromUnixDays(int64_t Z) {
    Z += 719468;
    const int64_t era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(Z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {y + (m <= 2), m, d};
}

// A TDateTime split into days since 1899-12-30 and microseconds into that day. The fraction of a
// negative value counts forward from midnight of its day, as the host's dates do.
bool SplitDateTime(TDateTime DateTime, int64_t& Days, int64_t& Micros) {
    if (!std::isfinite(DateTime) || std::fabs(DateTime) > 3.0e6) return false;
    const double whole = std::trunc(DateTime);
    Days = static_cast<int64_t>(whole);
    Micros = std::llround(std::fabs(DateTime - whole) * static_cast<double>(MicrosPerDay));
    if (Micros >= MicrosPerDay) Micros = MicrosPerDay - 1;
    return true;
}

TDateTime JoinDateTime(int64_t Days, double Seconds) {
    const double frac = Seconds / 86400.0;
    return Days >= 0 ? static_cast<double>(Days) + frac : static_cast<double>(Days) - frac;
}

} // namespace

int64_t DaysFromCivil(int64_t Y, unsigned M, unsigned D) {
    Y -= M <= 2;
    const int64_t era = (Y >= 0 ? Y : Y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(Y - era * 400);
    const unsigned doy = (153 * (M > 2 ? M - 3 : M + 9) + 2) / 5 + D - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468 + UnixEpochDays;
}

TDateTime UnixToLocalDateTime(const timespec& T) {
    struct tm lt;
    const time_t s = T.tv_sec;
    if (!::localtime_r(&s, &lt))
        return static_cast<double>(T.tv_sec) / 86400.0 + static_cast<double>(UnixEpochDays);
    const int64_t days = DaysFromCivil(lt.tm_year + 1900LL, static_cast<unsigned>(lt.tm_mon + 1),
                                       static_cast<unsigned>(lt.tm_mday));
    const double secs = lt.tm_hour * 3600.0 + lt.tm_min * 60.0 + lt.tm_sec + T.tv_nsec / 1e9;
    return JoinDateTime(days, secs);
}

bool LocalDateTimeToUnix(TDateTime DateTime, timespec& T) {
    int64_t days, micros;
    if (!SplitDateTime(DateTime, days, micros)) return false;
    const TCivil c = CivilFromUnixDays(days - UnixEpochDays);
    struct tm tm {};
    tm.tm_year = static_cast<int>(c.Year - 1900);
    tm.tm_mon = static_cast<int>(c.Month) - 1;
    tm.tm_mday = static_cast<int>(c.Day);
    const int64_t secs = micros / 1000000;
    tm.tm_hour = static_cast<int>(secs / 3600);
    tm.tm_min = static_cast<int>(secs / 60 % 60);
    tm.tm_sec = static_cast<int>(secs % 60);
    tm.tm_isdst = -1;
    const time_t t = ::mktime(&tm);
    T.tv_sec = t;
    T.tv_nsec = static_cast<long>(micros % 1000000 * 1000);
    return true;
}

int PackFileDate(const struct tm& Tm) {
    const int year = Tm.tm_year + 1900;
    if (year < 1980 || year > 2107) return 0;
    const uint32_t date = (static_cast<uint32_t>(year - 1980) << 9) |
                          (static_cast<uint32_t>(Tm.tm_mon + 1) << 5) | static_cast<uint32_t>(Tm.tm_mday);
    const uint32_t time = (static_cast<uint32_t>(Tm.tm_hour) << 11) |
                          (static_cast<uint32_t>(Tm.tm_min) << 5) | static_cast<uint32_t>(Tm.tm_sec / 2);
    return static_cast<int>((date << 16) | time);
}

} // namespace detail

using namespace detail;

TDateTime FileDateToDateTime(int FileDate) {
    const auto v = static_cast<uint32_t>(FileDate);
    const unsigned year = 1980 + (v >> 25);
    const unsigned month = (v >> 21) & 15;
    const unsigned day = (v >> 16) & 31;
    const unsigned hour = (v >> 11) & 31;
    const unsigned minute = (v >> 5) & 63;
    const unsigned second = (v & 31) * 2;
    static constexpr unsigned MonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > MonthDays[month - 1] || hour > 23 || minute > 59 ||
        second > 59)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && day == 29 && !leap) return 0;
    return JoinDateTime(DaysFromCivil(year, month, day), hour * 3600.0 + minute * 60.0 + second);
}

int DateTimeToFileDate(TDateTime DateTime) {
    int64_t days, micros;
    if (!SplitDateTime(DateTime, days, micros)) return 0;
    const TCivil c = CivilFromUnixDays(days - UnixEpochDays);
    struct tm tm {};
    tm.tm_year = static_cast<int>(c.Year - 1900);
    tm.tm_mon = static_cast<int>(c.Month) - 1;
    tm.tm_mday = static_cast<int>(c.Day);
    const int64_t secs = micros / 1000000;
    tm.tm_hour = static_cast<int>(secs / 3600);
    tm.tm_min = static_cast<int>(secs / 60 % 60);
    tm.tm_sec = static_cast<int>(secs % 60);
    return PackFileDate(tm);
}

} // namespace qyx
