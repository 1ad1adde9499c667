// Shared pieces of the date/time routines (not part of the public interface).
#pragma once

#include <qyx/platform/Types.h>

#include <cstdint>

namespace qyx::Detail {

/// A decoded TDateTime; all 0 for a value outside the valid range.
struct TDateParts {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0, DayOfWeek = 0;
};

/// Day number and milliseconds of the day of DT, rounded to the millisecond; false outside the range.
bool SplitDateTime(TDateTime DT, int64_t& Day, int& MSec);
/// Decodes DT into P; false (P all 0) outside the valid range.
bool DecodeAll(TDateTime DT, TDateParts& P);
/// A date (whole days) plus a time of day (0 <= Time < 1), by the rule of negative dates.
TDateTime CombineDateTime(TDateTime Date, TDateTime Time);

} // namespace qyx::Detail
