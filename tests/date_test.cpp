#include "app/calendar.h"
#include "app/century.h"
#include "app/cycles.h"
#include "app/dateformat.h"
#include "app/datetext.h"
#include "core/clock.h"
#include "quorvinthal/toolkit.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace {

constexpr int64_t int64max = std::numeric_limits<int64_t>::max();
constexpr int64_t int64min = std::numeric_limits<int64_t>::min();

// Fixes "today" for one test and restores the platform calendar afterwards.
class FixedToday {
  public:
    FixedToday(int64_t day, int64_t month, int64_t year)
        : previous(core::setlocalclock([=] { return t_DateTime{year, month, day, 9, 7, 3}; })) {}
    ~FixedToday() { core::setlocalclock(previous); }

  private:
    core::LocalClock previous;
};

// Days before 1 January of a year, counted the usual way from 1 January of year 1.
int64_t daysbeforeyear(int64_t year) {
    const int64_t y = year - 1;
    return 365 * y + y / 4 - y / 100 + y / 400;
}

// Walks every day of the years first … last and checks the day number, its inverse and the
// weekday against a running count (1 January of year 1 was a Monday).
void walkyears(int64_t first, int64_t last) {
    int64_t count = daysbeforeyear(first);
    for (int64_t year = first; year <= last; ++year) {
        for (int64_t month = 1; month <= 12; ++month) {
            for (int64_t day = 1; day <= daysinmonth(month, year); ++day, ++count) {
                const std::string text = normaliseddate(day, month, year);
                ASSERT_EQ(daynumber(day, month, year), count) << text;
                ASSERT_EQ(datefromdaynumber(count), text);
                ASSERT_EQ(weekday(text), (count + 1) % 7) << text;
            }
        }
    }
}

} // namespace

TEST(DateText, ChecksAndNormalisesTypedDates) {
    EXPECT_EQ(checkdate("5.12.1985"), "05.12.1985");
    EXPECT_EQ(checkdate("1.1.1"), "01.01.1");
    EXPECT_EQ(checkdate("29.2.2000"), "29.02.2000");
    EXPECT_EQ(checkdate("24,12,2026"), "24.12.2026");
    for (const char* invalid : {"29.2.1900", "31.4.2020", "1.13.2000", "-5.1.2000", "1.-1.2000",
                                "1.1.-3", "32.1.2000", "29.2.2100"}) {
        EXPECT_EQ(checkdate(invalid), "") << invalid;
    }
    EXPECT_EQ(checkdate("29.2.1600"), "29.02.1600");
    EXPECT_EQ(checkdate("29.2.2400"), "29.02.2400");
}

TEST(DateText, MissingPartsComeFromToday) {
    FixedToday today(6, 12, 2026);
    EXPECT_EQ(checkdate(""), "06.12.2026");
    EXPECT_EQ(checkdate("0.0.0"), "06.12.2026");
    EXPECT_EQ(checkdate("24.12"), "24.12.2026");
    EXPECT_EQ(checkdate(".3"), "06.03.2026");
    EXPECT_EQ(checkdate("..1999"), "06.12.1999");
}

TEST(DateText, TodaysDayNeedNotExistInTheTypedMonth) {
    FixedToday today(31, 1, 2024);
    EXPECT_EQ(checkdate(".2"), "");
    EXPECT_EQ(checkdate(".3"), "31.03.2024");
}

TEST(DateText, SplitsLeniently) {
    EXPECT_EQ(splitdate("  7abc.08.2x"), (DateParts{7, 8, 2}));
    EXPECT_EQ(splitdate("- 3.4.5"), (DateParts{-3, 4, 5}));
    EXPECT_EQ(splitdate(""), (DateParts{0, 0, 0}));
    EXPECT_EQ(splitdate("  .x.-"), (DateParts{0, 0, 0}));
    EXPECT_EQ(splitdate("12"), (DateParts{12, 0, 0}));
    EXPECT_EQ(splitdate("1.2.3.4"), (DateParts{1, 2, 3}));
    EXPECT_EQ(splitdate(" 1 2.+5.--4"), (DateParts{1, 0, 0}));
    EXPECT_EQ(splitdate("1.1.99999999999999999999999"), (DateParts{1, 1, int64max}));
    EXPECT_EQ(splitdate("-9223372036854775808.-9223372036854775809.9223372036854775807"),
              (DateParts{int64min, int64min, int64max}));
}

TEST(DateFormat, FormatsNumbers) {
    EXPECT_EQ(formatnumber(14975, ' ', 0, true), "14.975");
    EXPECT_EQ(formatnumber(724982, ' ', 0, true), "724.982");
    EXPECT_EQ(formatnumber(1200000, ' ', 0, true), "1.200.000");
    EXPECT_EQ(formatnumber(999, ' ', 0, true), "999");
    EXPECT_EQ(formatnumber(-1234, ' ', 0, true), "-1.234");
    EXPECT_EQ(formatnumber(5, '0', 2, false), "05");
    EXPECT_EQ(formatnumber(2026, '0', 4, false), "2026");
    EXPECT_EQ(formatnumber(12345, '0', 4, false), "12345");
    EXPECT_EQ(formatnumber(-5, '0', 3, false), "0-5");
    EXPECT_EQ(formatnumber(5, -1, 4, false), "5");
    EXPECT_EQ(formatnumber(7, 0xB7, 3, false), "\u00B7\u00B77");
    EXPECT_EQ(formatnumber(7, 0xD800, 3, false), "7");
    EXPECT_EQ(formatnumber(int64min, ' ', 0, true), "-9.223.372.036.854.775.808");
    EXPECT_EQ(formatnumber(int64max, ' ', 0, false), "9223372036854775807");
}

TEST(DateFormat, FormatsDateTimes) {
    EXPECT_EQ(formatdatetime(2026, 12, 5, 9, 7, 3), "05.12.2026 09:07:03");
    EXPECT_EQ(formatdatetime(1, 1, 1, 0, 0, 0), "01.01.0001 00:00:00");
    FixedToday today(5, 12, 2026);
    EXPECT_EQ(datetimestring(), "05.12.2026 09:07:03");
    EXPECT_EQ(todaytext(), "05.12.2026");
}

TEST(LocalClock, ReplacingReturnsThePreviousClockAndEmptyRestoresThePlatform) {
    {
        FixedToday today(2, 3, 1234);
        EXPECT_EQ(checkdate(""), "02.03.1234");
    }
    EXPECT_FALSE(core::setlocalclock({}));
    const std::string today = checkdate("");
    EXPECT_EQ(today, todaytext());
    EXPECT_GE(splitdate(today).year, 2024);
}

TEST(Calendar, MonthLengths) {
    const int64_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int64_t month = 1; month <= 12; ++month) {
        EXPECT_EQ(daysinmonth(month, 2023), lengths[month - 1]);
        EXPECT_EQ(daysinmonth(month, 2024), month == 2 ? 29 : lengths[month - 1]);
    }
    EXPECT_EQ(daysinmonth(2, 1900), 28);
    EXPECT_EQ(daysinmonth(2, 2000), 29);
    EXPECT_EQ(daysinmonth(0, 2000), 0);
    EXPECT_EQ(daysinmonth(13, 2000), 0);
    EXPECT_EQ(daysinmonth(1, 0), 0);
    EXPECT_EQ(daysinmonth(2, -4), 0);
}

TEST(Calendar, KnownDays) {
    const std::string birth = checkdate("5.12.1985");
    EXPECT_EQ(daynumber(5, 12, 1985), 724979);
    EXPECT_EQ(formatnumber(daynumber(5, 12, 1985) + 3, ' ', 0, true), "724.982");
    EXPECT_EQ(weekdayname(weekday(birth)), "Donnerstag");
    EXPECT_EQ(daynumber(1, 1, 1), 0);
    EXPECT_EQ(datefromdaynumber(0), "01.01.1");
    EXPECT_EQ(weekdayname(weekday(checkdate("1.1.1"))), "Montag");
    EXPECT_EQ(weekdayname(weekday("29.02.2000")), "Dienstag");
    EXPECT_EQ(formatnumber(daynumber(5, 12, 2026) + 3, ' ', 0, true), "739.957");
    EXPECT_EQ(weekdayname(weekday("05.12.2026")), "Samstag");
    EXPECT_EQ(daynumber(5, 12, 2026) - daynumber(5, 12, 1985), 14975);
}

TEST(Calendar, WeekdayNames) {
    const char* names[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                           "Donnerstag", "Freitag", "Samstag",  "Sonntag"};
    for (int64_t i = 0; i <= 7; ++i) {
        EXPECT_EQ(weekdayname(i), names[i]);
    }
    EXPECT_EQ(weekdayname(8), "");
    EXPECT_EQ(weekdayname(-1), "");
}

// Two full 400-year cycles: every leap-year position, the skipped and kept century leap days.
TEST(Calendar, DayNumbersRoundTripOverTwoLeapCycles) {
    walkyears(1, 801);
}

TEST(Calendar, TenDigitYears) {
    walkyears(maxyear - 400, maxyear);
    EXPECT_EQ(checkdate("31.12.9999999999"), "31.12.9999999999");
    EXPECT_EQ(checkdate("1.1.10000000000"), "");
}

TEST(Calendar, ArgumentsOutsideTheCalendarStayDefined) {
    EXPECT_EQ(daynumber(1, 1, int64max), int64max);
    EXPECT_EQ(daynumber(1, 1, int64min), int64min);
    EXPECT_FALSE(datefromdaynumber(int64max).empty());
    EXPECT_FALSE(datefromdaynumber(int64min).empty());
}

TEST(Century, TwoDigitYears) {
    EXPECT_EQ(withcentury(checkdate("5.12.85")), "5.12.1985");
    EXPECT_EQ(withcentury(checkdate("1.1.19")), "1.1.2019");
    EXPECT_EQ(withcentury(checkdate("1.1.20")), "1.1.1920");
    EXPECT_EQ(withcentury(checkdate("5.12.1985")), "5.12.1985");
    EXPECT_EQ(withcentury(checkdate("31.12.99")), "31.12.1999");
    EXPECT_EQ(withcentury(checkdate("1.1.100")), "1.1.100");
    EXPECT_EQ(withcentury(checkdate("29.2.96")), "29.2.1996");
}

TEST(Cycles, HeightsAndPercentages) {
    constexpr double quarter = std::numbers::pi / 2;
    EXPECT_EQ(cycleheight(quarter), 0);
    EXPECT_EQ(cycleheight(0.0), 388);
    EXPECT_EQ(cycleheight(-quarter), 776);
    EXPECT_EQ(cyclepercentage(cycleheight(quarter)), 99);
    EXPECT_EQ(cyclepercentage(cycleheight(0.0)), 50);
    EXPECT_EQ(cyclepercentage(cycleheight(-quarter)), 0);
    EXPECT_DOUBLE_EQ(cyclebasephase(-5, 23), -cyclebasephase(5, 23));
    EXPECT_DOUBLE_EQ(cyclebasephase(23 + 5, 23), cyclebasephase(5, 23));
    EXPECT_DOUBLE_EQ(cyclephaseatcolumn(0.0, 1, daycolumn(31)), 2 * std::numbers::pi * 31);
}

TEST(Cycles, ForecastDayPercentages) {
    EXPECT_EQ(daycolumn(5), 206);
    EXPECT_EQ(daycolumn(28), 1155);
    EXPECT_EQ(forecastpercentage(14975, 5, physicalperiod), 75);
    EXPECT_EQ(forecastpercentage(14975, 5, emotionalperiod), 5);
    EXPECT_EQ(forecastpercentage(14975, 5, mentalperiod), 1);
    // Whole periods later the values repeat exactly, also beyond the range of a double's integers.
    const int64_t huge = int64_t{23} * 28 * 33 * 4'000'000'000'000;
    for (int64_t period : {physicalperiod, emotionalperiod, mentalperiod}) {
        EXPECT_EQ(forecastpercentage(14975 + huge, 5, period),
                  forecastpercentage(14975, 5, period));
    }
}

// The marker column lies up to a column before the forecast day, so the birthday reads 50 or
// just below, never more.
TEST(Cycles, BirthdayIsOnTheZeroLine) {
    for (int64_t period : {physicalperiod, emotionalperiod, mentalperiod}) {
        EXPECT_EQ(forecastpercentage(0, 5, period), 50);
        for (int64_t day = 1; day <= 31; ++day) {
            const int64_t percentage = forecastpercentage(0, day, period);
            EXPECT_TRUE(percentage == 50 || percentage == 49) << day << " " << period;
        }
    }
}
