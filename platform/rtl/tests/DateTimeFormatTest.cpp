#include "DateTimeTestUtil.h"

#include <qyx/platform/DateTime.h>
#include <qyx/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace qyx;

namespace {

const TDateTime Sample = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);

} // namespace

TEST(DateTimeFormat, Tokens) {
    const struct {
        const char* Format;
        const char* Expected;
    } cases[] = {
        {"yyyy-mm-dd", "2024-03-05"},
        {"d/m/yy", "5-3-24"},
        {"dddd, mmmm d, yyyy", "Tuesday, March 5, 2024"},
        {"ddd mmm", "Tue Mar"},
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"h:n:s.z", "14:7:9.45"},
        {"h:mm", "14:07"}, // m after h is the minute
        {"hh mm", "14 07"},
        {"hh dd mm", "14 05 03"},
        {"hh:mm AM/PM", "02:07 PM"},
        {"h:nn am/pm", "2:07 pm"},
        {"h a/p", "2 p"},
        {"h ampm", "2 PM"},
        {"c", "2024-03-05 14:07:09"},
        {"ddddd", "2024-03-05"},
        {"dddddd", "Tuesday, March 5, 2024"},
        {"t", "14:07"},
        {"tt", "14:07:09"},
        {"YYYY-MM-DD HH:NN", "2024-03-05 14:07"},
        {"'yyyy' \"mm\" yyyy", "yyyy mm 2024"},
        {"'abc", "abc"},
        {"y yyy", "24 2024"},
        {"mmmmm", "March3"},
        {"", ""},
        {"[x] #", "[x] #"}, // characters that are no tokens are copied
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Format);
        EXPECT_EQ(FormatDateTime(c.Format, Sample), c.Expected);
    }
}

TEST(DateTimeFormat, TwelveHourClock) {
    EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(0, 30, 0, 0)), "12:30 am");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", EncodeTime(12, 0, 0, 0)), "12:00 PM");
    EXPECT_EQ(FormatDateTime("hh:nn A/P", EncodeTime(11, 59, 0, 0)), "11:59 A");
    EXPECT_EQ(FormatDateTime("hh 'am/pm'", EncodeTime(13, 0, 0, 0)), "13 am/pm"); // quoted: 24 hours
}

TEST(DateTimeFormat, DateTimeToStrOmitsMidnight) {
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "2024-03-05");
    EXPECT_EQ(DateTimeToStr(Sample), "2024-03-05 14:07:09");
    EXPECT_EQ(DateToStr(Sample), "2024-03-05");
    EXPECT_EQ(TimeToStr(Sample), "14:07:09");
    EXPECT_EQ(DateTimeToStr(-1.25), "1899-12-29 06:00:00");
}

TEST(DateTimeFormat, SettingsAreUsed) {
    test::TDateSettingsScope restore;
    DateSeparator = '.';
    ShortDateFormat = "dd/mm/yyyy";
    LongTimeFormat = "h:nn:ss";
    TimeSeparator = '.';
    EXPECT_EQ(DateTimeToStr(Sample), "05.03.2024 14.07.09");
    // A format that names itself does not recurse without end.
    ShortDateFormat = "c";
    EXPECT_NO_THROW(DateTimeToStr(Sample));
}

TEST(DateTimeFormat, InvalidValuesFormatAsZeros) {
    EXPECT_EQ(DateTimeToStr(std::nan("")), "0000-00-00");
    EXPECT_EQ(FormatDateTime("dddd mmmm", 1e12), " ");
}

TEST(DateTimeParse, Dates) {
    test::TClockScope clock(EncodeDate(2025, 6, 1));
    EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 2024-3-5 "), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("24-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("80-03-05"), EncodeDate(1980, 3, 5));
    EXPECT_EQ(StrToDate("03-05"), EncodeDate(2025, 3, 5));
    for (const char* bad : {"2024-02-30", "2024/03/05", "2024-03", "", "abc", "2024-03-05x", "2024--05",
                            "1234567890-1-1", "2024-03-05-01"}) {
        SCOPED_TRACE(bad);
        TDateTime dt = 7;
        EXPECT_FALSE(TryStrToDate(bad, dt));
        EXPECT_EQ(dt, 7);
    }
    try {
        StrToDate("2024-02-30");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2024-02-30' is not a valid date");
    }
    test::TDateSettingsScope restore;
    DateSeparator = '.';
    ShortDateFormat = "dd/mm/yyyy";
    EXPECT_EQ(StrToDate("05.03.2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("5.3"), EncodeDate(2025, 3, 5));
}

TEST(DateTimeParse, Times) {
    const struct {
        const char* Text;
        int h, n, s, ms;
    } good[] = {
        {"14:07", 14, 7, 0, 0},       {"14:07:09", 14, 7, 9, 0}, {"2:07:09.5", 2, 7, 9, 500},
        {"2:07:09.045", 2, 7, 9, 45}, {"2:07 PM", 14, 7, 0, 0},  {"12:00 AM", 0, 0, 0, 0},
        {"12:30 pm", 12, 30, 0, 0},   {"2 PM", 14, 0, 0, 0},     {" 9:05 ", 9, 5, 0, 0},
    };
    for (const auto& c : good) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(StrToTime(c.Text), EncodeTime(c.h, c.n, c.s, c.ms));
    }
    for (const char* bad : {"13:00 PM", "24:00", "14", "14:60", "14:07:09.1234", "14:07 XM", "", ":"}) {
        SCOPED_TRACE(bad);
        TDateTime dt = 7;
        EXPECT_FALSE(TryStrToTime(bad, dt));
        EXPECT_EQ(dt, 7);
    }
    try {
        StrToTime("x");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid time");
    }
}

TEST(DateTimeParse, DateAndTime) {
    EXPECT_EQ(StrToDateTime("2024-03-05 14:07:09"), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
    EXPECT_EQ(StrToDateTime("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDateTime("1899-12-29 06:00"), -1.25);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(Sample)), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
    try {
        StrToDateTime("2024-03-05 25:00");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2024-03-05 25:00' is not a valid date and time");
    }
}
