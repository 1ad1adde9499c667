// Dates and times of the run-time layer.
//
// A TDateTime (<qyx/platform/Types.h>) counts days since 30 December 1899; its fraction is the time of
// day. Before that day the integer part counts backwards while the fraction still counts forwards from
// midnight: -1.25 is 29 December 1899, 06:00. Valid dates run from 1 January 0001 to 31 December 9999 in
// the proleptic Gregorian calendar. Decoding rounds to the nearest millisecond first, so a value a
// fraction of a millisecond before midnight decodes as the next day, 00:00:00.000; a value outside the
// valid range (or NaN) decodes as year, month and day 0 and time 0.
//
// Process-wide settings (English names, ISO-like formats by default; none is read from the environment):
// DateSeparator, TimeSeparator, ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat,
// TimeAMString, TimePMString, the month and day name tables and TwoDigitYearCenturyWindow.
#pragma once

#include <qyx/platform/Types.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace qyx {

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = 24 * 60 * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;
/// TDateTime of 1 January 1970, 00:00 (the Unix epoch).
constexpr int UnixDateDelta = 25569;
/// TDateTime of 1 January 0001 and of 31 December 9999: the valid range of dates.
constexpr int MinDateTimeDays = -693593;
constexpr int MaxDateTimeDays = 2958465;

// ---------------------------------------------------------------------------------------------------
// Settings

/// Written for "/" in a date format; "-" by default.
extern char DateSeparator;
/// Written for ":" in a time format; ":" by default.
extern char TimeSeparator;
/// "yyyy/mm/dd" by default (so "2024-03-05" with the default separator).
extern std::string ShortDateFormat;
/// "dddd, mmmm d, yyyy" by default.
extern std::string LongDateFormat;
/// "hh:nn" by default.
extern std::string ShortTimeFormat;
/// "hh:nn:ss" by default.
extern std::string LongTimeFormat;
/// Texts of the "ampm" format token; "AM" and "PM" by default.
extern std::string TimeAMString;
extern std::string TimePMString;
/// Month names, 1-based ([1] is January; [0] is empty): "Jan" ... and "January" ...
extern std::array<std::string, 13> ShortMonthNames;
extern std::array<std::string, 13> LongMonthNames;
/// Day names, 1-based from Sunday ([1] is Sunday; [0] is empty): "Sun" ... and "Sunday" ...
extern std::array<std::string, 8> ShortDayNames;
extern std::array<std::string, 8> LongDayNames;

/// The two-digit-year window (see ExpandTwoDigitYear); 50 by default.
extern int TwoDigitYearCenturyWindow;

// ---------------------------------------------------------------------------------------------------
// Calendar

bool IsLeapYear(int Year);
/// Days in Month of Year (28..31); 0 for a month outside 1..12.
int DaysInAMonth(int Year, int Month);
/// Days in the month that contains DT.
int DaysInMonth(TDateTime DT);

/// The date of Year, Month, Day at midnight. Raises EConvertError "Invalid argument to date encode"
/// unless Year is 1..9999, Month 1..12 and Day 1..days of that month.
TDateTime EncodeDate(int Year, int Month, int Day);
/// The time of day (a fraction of a day). Raises EConvertError "Invalid argument to time encode"
/// unless Hour is 0..23, Min and Sec 0..59 and MSec 0..999.
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
/// EncodeDate and EncodeTime combined by the rule of negative dates; raises as they do.
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec);
/// The non-raising forms: false (DT unchanged) for impossible values.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& DT);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& DT);

void DecodeDate(TDateTime DT, uint16_t& Year, uint16_t& Month, uint16_t& Day);
void DecodeTime(TDateTime DT, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);

/// Day of the week, 1 = Sunday ... 7 = Saturday (0 outside the valid range).
int DayOfWeek(TDateTime DT);
/// ISO day of the week, 1 = Monday ... 7 = Sunday (0 outside the valid range).
int DayOfTheWeek(TDateTime DT);

/// The date part (midnight of that day) and the time part (the fraction, 0 <= t < 1) of DT.
TDateTime DateOf(TDateTime DT);
TDateTime TimeOf(TDateTime DT);

// ---------------------------------------------------------------------------------------------------
// Clock

/// The clock behind Now, Date, Time and CurrentYear. Empty (the default) means the local wall clock of
/// the system; tests assign a function that returns a fixed or stepped value.
extern std::function<TDateTime()> NowSource;

TDateTime Now();
/// Today at midnight.
TDateTime Date();
/// The current time of day.
TDateTime Time();
int CurrentYear();

/// The four-digit year of a two-digit year YY (0..99) with the window W = TwoDigitYearCenturyWindow
/// and the current year C: Y = (C - W) div 100 * 100 + YY, plus 100 when W is not 0 and Y < C - W.
/// With W = 50 in 2025: 30 gives 2030, 80 gives 1980. With W = 0: the century of the current year.
int ExpandTwoDigitYear(int YY);

// ---------------------------------------------------------------------------------------------------
// Unix time

/// The moment Unix seconds after 1 January 1970, 00:00.
TDateTime UnixToDateTime(int64_t Unix);
/// Seconds since 1 January 1970, 00:00, rounded to the nearest second (halves to even).
int64_t DateTimeToUnix(TDateTime DT);

// ---------------------------------------------------------------------------------------------------
// Text

/// Formats DT by Format. Letters are case-insensitive; tokens:
///   c       ShortDateFormat, then " " and LongTimeFormat unless the time is exactly midnight
///   d dd    day without / with a leading zero; ddd dddd short / long day name;
///   ddddd   ShortDateFormat; dddddd LongDateFormat
///   m mm    month without / with a leading zero (minutes when directly after an h or hh token);
///   mmm mmmm short / long month name
///   yy yyyy two-digit / four-digit year (y counts as yy, yyy as yyyy)
///   h hh    hour without / with a leading zero (12-hour clock when an am/pm token is in Format)
///   n nn    minute; s ss second; z zzz millisecond without / with leading zeros
///   t tt    ShortTimeFormat / LongTimeFormat
///   am/pm a/p  "am"/"pm" or "a"/"p" in the letter case written; ampm TimeAMString / TimePMString
///   /       DateSeparator; : TimeSeparator
///   "..." '...'  the quoted text as it stands
/// Every other character is copied. Nested formats (c, ddddd, t, ...) expand two levels deep at most.
std::string FormatDateTime(const std::string& Format, TDateTime DT);
/// FormatDateTime("c", DT): "2024-03-05 14:07:09", or "2024-03-05" at midnight.
std::string DateTimeToStr(TDateTime DT);
/// FormatDateTime("ddddd", DT) and FormatDateTime("tt", DT).
std::string DateToStr(TDateTime DT);
std::string TimeToStr(TDateTime DT);

/// Reads a date: three numbers (or two, then the current year) separated by DateSeparator in the order
/// of day, month and year in ShortDateFormat; blanks around the text are allowed; a year of one or two
/// digits goes through ExpandTwoDigitYear. Raises EConvertError "'<S>' is not a valid date".
TDateTime StrToDate(const std::string& S);
/// Reads a time: hours and minutes, optionally seconds, separated by TimeSeparator; after the seconds
/// optionally "." and one to three digits of a fraction of a second ("14:07", "2:07:09.5"); then
/// optionally blanks and "AM" or "PM" (or TimeAMString / TimePMString; letter case ignored), with which
/// the hour is 0..12 and 12 AM is midnight. Blanks around the text are allowed. Raises EConvertError
/// "'<S>' is not a valid time".
TDateTime StrToTime(const std::string& S);
/// A date, optionally followed by blanks and a time. Raises EConvertError
/// "'<S>' is not a valid date and time".
TDateTime StrToDateTime(const std::string& S);
/// The non-raising forms: false (DT unchanged) when the text is not valid.
bool TryStrToDate(const std::string& S, TDateTime& DT);
bool TryStrToTime(const std::string& S, TDateTime& DT);
bool TryStrToDateTime(const std::string& S, TDateTime& DT);

} // namespace qyx
