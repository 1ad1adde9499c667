// Calendar arithmetic, encoding and decoding of TDateTime, the clock and Unix time.
#include "DateTimeInternal.h"

#include <qyx/platform/Arith.h>
#include <qyx/platform/DateTime.h>
#include <qyx/platform/Exceptions.h>

#include <chrono>
#include <cmath>
#include <ctime>

namespace qyx {

char DateSeparator = '-';
char TimeSeparator = ':';
std::string ShortDateFormat = "yyyy/mm/dd";
std::string LongDateFormat = "dddd, mmmm d, yyyy";
std::string ShortTimeFormat = "hh:nn";
std::string LongTimeFormat = "hh:nn:ss";
std::string TimeAMString = "AM";
std::string TimePMString = "PM";
std::array<std::string, 13> ShortMonthNames = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
std::array<std::string, 13> LongMonthNames = {"",        "January",  "February", "March",  "April",
                                              "May",     "June",     "July",     "August", "September",
                                              "October", "November", "December"};
std::array<std::string, 8> ShortDayNames = {"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
std::array<std::string, 8> LongDayNames = {"",          "Sunday",   "Monday", "Tuesday",
                                           "Wednesday", "Thursday", "Friday", "Saturday"};
int TwoDigitYearCenturyWindow = 50;
std::function<TDateTime()> NowSource;

namespace {

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

TDateTime SystemNow() {
    using namespace std::chrono;
    const int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const time_t secs = static_cast<time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    std::tm lt{};
    if (!localtime_r(&secs, &lt)) return UnixToDateTime(secs);
    TDateTime d = 0, t = 0;
    TryEncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, d);
    TryEncodeTime(lt.tm_hour, lt.tm_min, lt.tm_sec > 59 ? 59 : lt.tm_sec,
                  static_cast<int>(ms - secs * int64_t{1000}), t);
    return Detail::CombineDateTime(d, t);
}

} // namespace

namespace Detail {

bool SplitDateTime(TDateTime DT, int64_t& Day, int& MSec) {
    if (!std::isfinite(DT) || DT < MinDateTimeDays - 1 || DT > MaxDateTimeDays + 1) return false;
    Day = static_cast<int64_t>(std::trunc(DT));
    const double frac = std::fabs(DT - static_cast<double>(Day));
    int64_t ms = Round(static_cast<long double>(frac) * MSecsPerDay);
    if (ms >= MSecsPerDay) {
        ms -= MSecsPerDay;
        ++Day; // rounding up past midnight moves forward in time, for negative dates as well
    }
    MSec = static_cast<int>(ms);
    return Day >= MinDateTimeDays && Day <= MaxDateTimeDays;
}

TDateTime CombineDateTime(TDateTime Date, TDateTime Time) {
    return Date >= 0 ? Date + Time : Date - Time;
}

bool DecodeAll(TDateTime DT, TDateParts& P) {
    P = TDateParts{};
    int64_t day = 0;
    int ms = 0;
    if (!SplitDateTime(DT, day, ms)) return false;
    CivilFromDays(day - UnixDateDelta, P.Year, P.Month, P.Day);
    P.Hour = ms / 3600000;
    P.Min = ms / 60000 % 60;
    P.Sec = ms / 1000 % 60;
    P.MSec = ms % 1000;
    P.DayOfWeek = static_cast<int>(((day - 1) % 7 + 7) % 7 + 1);
    return true;
}

} // namespace Detail

bool IsLeapYear(int Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInAMonth(int Year, int Month) {
    static const int Days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month];
}

int DaysInMonth(TDateTime DT) {
    Detail::TDateParts p;
    Detail::DecodeAll(DT, p);
    return DaysInAMonth(p.Year, p.Month);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& DT) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month))
        return false;
    DT = static_cast<TDateTime>(DaysFromCivil(Year, Month, Day) + UnixDateDelta);
    return true;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& DT) {
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        return false;
    DT = ((Hour * 3600 + Min * 60 + Sec) * 1000 + MSec) / static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
    TDateTime dt = 0;
    if (!TryEncodeDate(Year, Month, Day, dt)) throw EConvertError("Invalid argument to date encode");
    return dt;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
    TDateTime dt = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, dt)) throw EConvertError("Invalid argument to time encode");
    return dt;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec) {
    return Detail::CombineDateTime(EncodeDate(Year, Month, Day), EncodeTime(Hour, Min, Sec, MSec));
}

void DecodeDate(TDateTime DT, uint16_t& Year, uint16_t& Month, uint16_t& Day) {
    Detail::TDateParts p;
    Detail::DecodeAll(DT, p);
    Year = static_cast<uint16_t>(p.Year);
    Month = static_cast<uint16_t>(p.Month);
    Day = static_cast<uint16_t>(p.Day);
}

void DecodeTime(TDateTime DT, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec) {
    Detail::TDateParts p;
    Detail::DecodeAll(DT, p);
    Hour = static_cast<uint16_t>(p.Hour);
    Min = static_cast<uint16_t>(p.Min);
    Sec = static_cast<uint16_t>(p.Sec);
    MSec = static_cast<uint16_t>(p.MSec);
}

int DayOfWeek(TDateTime DT) {
    Detail::TDateParts p;
    Detail::DecodeAll(DT, p);
    return p.DayOfWeek;
}

int DayOfTheWeek(TDateTime DT) {
    const int w = DayOfWeek(DT);
    return w == 0 ? 0 : (w + 5) % 7 + 1;
}

TDateTime DateOf(TDateTime DT) {
    int64_t day = 0;
    int ms = 0;
    if (!Detail::SplitDateTime(DT, day, ms)) return std::trunc(DT);
    return static_cast<TDateTime>(day);
}

TDateTime TimeOf(TDateTime DT) {
    int64_t day = 0;
    int ms = 0;
    if (!Detail::SplitDateTime(DT, day, ms)) return 0;
    return ms / static_cast<double>(MSecsPerDay);
}

TDateTime Now() {
    return NowSource ? NowSource() : SystemNow();
}
TDateTime Date() {
    return DateOf(Now());
}
TDateTime Time() {
    return TimeOf(Now());
}

int CurrentYear() {
    Detail::TDateParts p;
    Detail::DecodeAll(Now(), p);
    return p.Year;
}

int ExpandTwoDigitYear(int YY) {
    const int pivot = CurrentYear() - TwoDigitYearCenturyWindow;
    int y = pivot / 100 * 100 + YY;
    if (TwoDigitYearCenturyWindow != 0 && y < pivot) y += 100;
    return y;
}

TDateTime UnixToDateTime(int64_t Unix) {
    const int64_t secs = Unix % SecsPerDay < 0 ? Unix % SecsPerDay + SecsPerDay : Unix % SecsPerDay;
    const int64_t day = (Unix - secs) / SecsPerDay + UnixDateDelta;
    return Detail::CombineDateTime(static_cast<TDateTime>(day), secs / static_cast<double>(SecsPerDay));
}

int64_t DateTimeToUnix(TDateTime DT) {
    if (!std::isfinite(DT)) return 0;
    const long double day = std::trunc(static_cast<long double>(DT));
    const long double time = std::fabs(DT - day);
    return Round((day - UnixDateDelta) * SecsPerDay + time * SecsPerDay);
}

} // namespace qyx
