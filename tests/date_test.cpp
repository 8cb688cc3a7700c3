#include "app/calendar.h"
#include "app/century.h"
#include "app/cycles.h"
#include "app/dateformat.h"
#include "app/datetext.h"
#include "base/clock.h"
#include "tests/support/testing.h"

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <tuple>

namespace {

constexpr int64_t int64max = std::numeric_limits<int64_t>::max();
constexpr int64_t int64min = std::numeric_limits<int64_t>::min();

// Fixes "today" for one test and restores the platform calendar afterwards.
class FixedToday {
  public:
    FixedToday(int64_t day, int64_t month, int64_t year)
        : previous(base::setlocalclock([=] { return t_DateTime{year, month, day, 9, 7, 3}; })) {}
    ~FixedToday() { base::setlocalclock(previous); }

  private:
    base::LocalClock previous;
};

// Walks every day of the years first … last and checks the day number, its inverse and the
// weekday against a running count (1 January of year 1 was a Monday).
void walkyears(int64_t first, int64_t last) {
    const int64_t y = first - 1;
    int64_t count = 365 * y + y / 4 - y / 100 + y / 400;
    for (int64_t year = first; year <= last; ++year) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const int64_t lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int64_t month = 1; month <= 12; ++month) {
            for (int64_t day = 1; day <= lengths[month - 1]; ++day, ++count) {
                char text[40];
                std::snprintf(text, sizeof text, "%02" PRId64 ".%02" PRId64 ".%" PRId64, day, month,
                              year);
                ASSERT_EQ(daynumber(day, month, year), count) << text;
                ASSERT_EQ(datefromdaynumber(count), text);
                ASSERT_EQ(weekday(text), (count + 1) % 7) << text;
            }
        }
    }
}

} // namespace

TEST(DateText, ChecksNormalisesAndCompletesTypedDatesAndReadsPartsLeniently) {
    const std::pair<const char*, const char*> dates[]{
        {"5.12.1985", "05.12.1985"}, {"1.1.1", "01.01.1"},
        {"29.2.2000", "29.02.2000"}, {"24,12,2026", "24.12.2026"},
        {"29.2.1600", "29.02.1600"}, {"29.2.2400", "29.02.2400"},
        {"29.2.1900", ""},           {"31.4.2020", ""},
        {"1.13.2000", ""},           {"-5.1.2000", ""},
        {"1.-1.2000", ""},           {"1.1.-3", ""},
        {"32.1.2000", ""},           {"29.2.2100", ""}};
    for (auto [typed, date] : dates) {
        EXPECT_EQ(checkdate(typed), date) << typed;
    }
    const std::pair<const char*, const char*> centuries[]{
        {"5.12.85", "5.12.1985"},   {"1.1.19", "1.1.2019"},     {"1.1.20", "1.1.1920"},
        {"5.12.1985", "5.12.1985"}, {"31.12.99", "31.12.1999"}, {"1.1.100", "1.1.100"},
        {"29.2.96", "29.2.1996"}};
    for (auto [typed, date] : centuries) {
        EXPECT_EQ(withcentury(checkdate(typed)), date) << typed;
    }
    // Missing parts come from today.
    {
        FixedToday today(6, 12, 2026);
        const std::pair<const char*, const char*> completed[]{{"", "06.12.2026"},
                                                              {"0.0.0", "06.12.2026"},
                                                              {"24.12", "24.12.2026"},
                                                              {".3", "06.03.2026"},
                                                              {"..1999", "06.12.1999"}};
        for (auto [typed, date] : completed) {
            EXPECT_EQ(checkdate(typed), date) << typed;
        }
    }
    // Today's day need not exist in the typed month.
    FixedToday today(31, 1, 2024);
    EXPECT_EQ(checkdate(".2"), "");
    EXPECT_EQ(checkdate(".3"), "31.03.2024");
    const std::pair<const char*, DateParts> splits[]{
        {"  7abc.08.2x", {7, 8, 2}},
        {"- 3.4.5", {-3, 4, 5}},
        {"", {0, 0, 0}},
        {"  .x.-", {0, 0, 0}},
        {"12", {12, 0, 0}},
        {"1.2.3.4", {1, 2, 3}},
        {" 1 2.+5.--4", {1, 0, 0}},
        {"1.1.99999999999999999999999", {1, 1, int64max}},
        {"-9223372036854775808.-9223372036854775809.9223372036854775807",
         {int64min, int64min, int64max}}};
    for (auto [text, parts] : splits) {
        EXPECT_EQ(splitdate(text), parts) << text;
    }
}

TEST(DateFormat, FormatsNumbersAndDateTimesOfAReplaceableClock) {
    const std::tuple<int64_t, int64_t, int64_t, bool, const char*> numbers[]{
        {14975, ' ', 0, true, "14.975"},      {724982, ' ', 0, true, "724.982"},
        {1200000, ' ', 0, true, "1.200.000"}, {999, ' ', 0, true, "999"},
        {-1234, ' ', 0, true, "-1.234"},      {5, '0', 2, false, "05"},
        {2026, '0', 4, false, "2026"},        {12345, '0', 4, false, "12345"},
        {-5, '0', 3, false, "0-5"},           {5, -1, 4, false, "5"},
        {7, 0xB7, 3, false, "\u00B7\u00B77"}, {7, 0xD800, 3, false, "7"},
        {5, '0', int64max, false, "5"},       {-5, '0', 32768, false, "-5"}};
    for (auto [value, fill, width, grouping, text] : numbers) {
        EXPECT_EQ(formatnumber(value, fill, width, grouping), text) << value << " " << width;
    }
    // Widths beyond the longest fill add none.
    EXPECT_EQ(
        (Lines{formatnumber(5, 0x20AC, int64max / 3, false), formatnumber(5, '0', 32767, false),
               formatnumber(int64min, ' ', 0, true), formatnumber(int64max, ' ', 0, false),
               formatdatetime(2026, 12, 5, 9, 7, 3), formatdatetime(1, 1, 1, 0, 0, 0)}),
        (Lines{"5", std::string(32766, '0') + "5", "-9.223.372.036.854.775.808",
               "9223372036854775807", "05.12.2026 09:07:03", "01.01.0001 00:00:00"}));
    {
        FixedToday today(5, 12, 2026);
        EXPECT_EQ(datetimestring(), "05.12.2026 09:07:03");
        EXPECT_EQ(todaytext(), "05.12.2026");
        FixedToday replaced(2, 3, 1234);
        EXPECT_EQ(checkdate(""), "02.03.1234");
    }
    // Replacing the clock returns the previous one; an empty clock restores the platform's.
    EXPECT_FALSE(base::setlocalclock({}));
    const std::string today = checkdate("");
    EXPECT_EQ(today, todaytext());
    EXPECT_GE(splitdate(today).year, 2024);
}

// Two full 400-year cycles: every leap-year position, the skipped and kept century leap days.
TEST(Calendar, MonthLengthsWeekdayNamesAndDayNumbersOverTwoLeapCyclesAndInTenDigitYears) {
    const int64_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int64_t month = 1; month <= 12; ++month) {
        EXPECT_EQ(daysinmonth(month, 2023), lengths[month - 1]);
        EXPECT_EQ(daysinmonth(month, 2024), month == 2 ? 29 : lengths[month - 1]);
    }
    const int64_t others[][3] = {{2, 1900, 28}, {2, 2000, 29}, {0, 2000, 0},
                                 {13, 2000, 0}, {1, 0, 0},     {2, -4, 0}};
    for (auto [month, year, days] : others) {
        EXPECT_EQ(daysinmonth(month, year), days) << month << " " << year;
    }
    EXPECT_EQ(daynumber(5, 12, 1985), 724979);
    EXPECT_EQ(weekdayname(weekday("29.02.2000")), "Dienstag");
    const char* names[] = {"",           "Sonntag", "Montag",  "Dienstag", "Mittwoch",
                           "Donnerstag", "Freitag", "Samstag", "Sonntag",  ""};
    for (int64_t i = -1; i <= 8; ++i) {
        EXPECT_EQ(weekdayname(i), names[i + 1]) << i;
    }
    walkyears(1, 801);
    walkyears(maxyear - 400, maxyear);
    EXPECT_EQ(checkdate("31.12.9999999999"), "31.12.9999999999");
    EXPECT_EQ(checkdate("1.1.10000000000"), "");
    EXPECT_EQ(std::tuple(daynumber(1, 1, int64max), daynumber(1, 1, int64min)),
              std::tuple(int64max, int64min));
    EXPECT_FALSE(datefromdaynumber(int64max).empty() || datefromdaynumber(int64min).empty());
}

TEST(Cycles, HeightsPhasesAndPercentagesOnTheForecastDayAndTheBirthday) {
    constexpr double quarter = 1.5707963267948966;
    for (auto [phase, height, percentage] :
         {std::tuple{quarter, 0, 99}, {0.0, 388, 50}, {-quarter, 776, 0}}) {
        EXPECT_EQ(cycleheight(phase), height);
        EXPECT_EQ(cyclepercentage(height), percentage);
    }
    // The remainder keeps the sign of the days: 5, 28 and -5 days of a 23-day period.
    EXPECT_DOUBLE_EQ(cyclebasephase(5, 23), 1.3659098493868667);
    EXPECT_DOUBLE_EQ(cyclebasephase(23 + 5, 23), 1.3659098493868667);
    EXPECT_DOUBLE_EQ(cyclebasephase(-5, 23), -1.3659098493868667);
    EXPECT_DOUBLE_EQ(cyclephaseatcolumn(0.0, 1, 1279), 194.77874452256717); // 31 full turns
    EXPECT_DOUBLE_EQ(cyclephaseatcolumn(1.0, 2, 100), 1.0 + 7.614493530983861);
    for (auto [day, column] : {std::pair{1, 41}, {5, 206}, {28, 1155}, {31, 1279}}) {
        EXPECT_EQ(daycolumn(day), column);
    }
    // Whole periods later the values repeat exactly, also beyond the range of a double's integers.
    const int64_t huge = int64_t{23} * 28 * 33 * 4'000'000'000'000;
    for (int64_t lived : {int64_t{14975}, 14975 + huge}) {
        EXPECT_EQ(forecastpercentage(lived, 5, physicalperiod), 75);
        EXPECT_EQ(forecastpercentage(lived, 5, emotionalperiod), 5);
        EXPECT_EQ(forecastpercentage(lived, 5, mentalperiod), 1);
    }
    // The marker column lies up to a column before the forecast day, so the birthday reads 50 or,
    // on these days of the month, 49.
    for (auto [period, below] : {std::pair{physicalperiod, Numbers{7, 11, 15, 19, 23, 27}},
                                 {emotionalperiod, {27}},
                                 {mentalperiod, {}}}) {
        for (int64_t day = 1; day <= 31; ++day) {
            const bool low = std::find(below.begin(), below.end(), day) != below.end();
            EXPECT_EQ(forecastpercentage(0, day, period), low ? 49 : 50) << day << " " << period;
        }
    }
}
