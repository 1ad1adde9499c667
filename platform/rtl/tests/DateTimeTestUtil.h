// Scoped changes of the date/time settings for the tests.
#pragma once

#include <qyx/platform/DateTime.h>

namespace qyx::test {

/// Makes Now return a fixed value for the life of the object.
class TClockScope {
public:
    explicit TClockScope(TDateTime Fixed) : FOld(NowSource) {
        NowSource = [Fixed] { return Fixed; };
    }
    ~TClockScope() { NowSource = FOld; }

private:
    std::function<TDateTime()> FOld;
};

/// Restores every date/time format setting when it goes out of scope.
class TDateSettingsScope {
public:
    ~TDateSettingsScope() {
        DateSeparator = FDateSep;
        TimeSeparator = FTimeSep;
        ShortDateFormat = FShortDate;
        LongDateFormat = FLongDate;
        ShortTimeFormat = FShortTime;
        LongTimeFormat = FLongTime;
    }

private:
    char FDateSep = DateSeparator, FTimeSep = TimeSeparator;
    std::string FShortDate = ShortDateFormat, FLongDate = LongDateFormat;
    std::string FShortTime = ShortTimeFormat, FLongTime = LongTimeFormat;
};

} // namespace qyx::test
