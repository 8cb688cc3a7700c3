#include "app/calendar.h"

#include "app/dateformat.h"
#include "app/datetext.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// Intermediate values of the day-number formulas exceed 64 bits for arguments far beyond the
// largest year; in 128 bits every 64-bit argument computes exactly.
using wideint = __int128;

wideint daysbeforemarchyear(wideint y) {
    return 365 * y + y / 4 - y / 100 + y / 400;
}

int64_t narrow(wideint value) {
    constexpr wideint lowest = std::numeric_limits<int64_t>::min();
    constexpr wideint highest = std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(std::clamp(value, lowest, highest));
}

} // namespace

bool isleapyear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t daysinmonth(int64_t month, int64_t year) {
    if (month < 1 || month > 12 || year < 1) {
        return 0;
    }
    if (month == 4 || month == 6 || month == 9 || month == 11) {
        return 30;
    }
    if (month == 2) {
        return isleapyear(year) ? 29 : 28;
    }
    return 31;
}

int64_t daynumber(int64_t day, int64_t month, int64_t year) {
    // Years begin on 1 March so that the leap day is the last day of a year.
    const wideint marchmonth = (wideint(month) + 9) % 12;
    const wideint marchyear = wideint(year) - marchmonth / 10;
    const wideint sincemarchyear0 =
        daysbeforemarchyear(marchyear) + (306 * marchmonth + 5) / 10 + day - 1;
    return narrow(sincemarchyear0 - 306);
}

std::string datefromdaynumber(int64_t number) {
    const wideint sincemarchyear0 = wideint(number) + 306;
    wideint marchyear = (10000 * sincemarchyear0 + 14780) / 3652425;
    wideint dayofyear = sincemarchyear0 - daysbeforemarchyear(marchyear);
    if (dayofyear < 0) {
        marchyear -= 1;
        dayofyear = sincemarchyear0 - daysbeforemarchyear(marchyear);
    }
    const wideint marchmonth = (100 * dayofyear + 52) / 3060;
    const wideint month = (marchmonth + 2) % 12 + 1;
    const wideint year = marchyear + (marchmonth + 2) / 12;
    const wideint day = dayofyear - (306 * marchmonth + 5) / 10 + 1;
    return normaliseddate(narrow(day), narrow(month), narrow(year));
}

int64_t weekday(std::string_view date) {
    const DateParts parts = splitdate(date);
    // January and February count as months 13 and 14 of the previous year. The integer forms
    // equal trunc(1.0 / m + 0.6) and trunc(1.25 * y) for every non-zero month and every year,
    // without the double's rounding for huge years or its division by zero.
    const wideint earlymonth = (parts.month == 1 || parts.month == 2) ? 1 : 0;
    const wideint y = wideint(parts.year) - earlymonth;
    const wideint m = wideint(parts.month) + 12 * earlymonth;
    const wideint sum =
        wideint(parts.day) - y / 100 + y / 400 + (y + y / 4) + (13 * (m + 1)) / 5 - 1;
    return static_cast<int64_t>(sum % 7);
}

std::string weekdayname(int64_t index) {
    static const std::array<const char*, 8> names = {
        "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
    if (index < 0 || index >= static_cast<int64_t>(names.size())) {
        return {};
    }
    return names[static_cast<size_t>(index)];
}

std::string monthname(int64_t month) {
    static const std::array<const char*, 12> names = {
        "Januar", "Februar", "März",      "April",   "Mai",      "Juni",
        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    if (month < 1 || month > static_cast<int64_t>(names.size())) {
        return {};
    }
    return names[static_cast<size_t>(month - 1)];
}
