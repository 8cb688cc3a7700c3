#include "app/monthmenu.h"

#include "app/calendar.h"
#include "app/dateformat.h"
#include "app/datetext.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint8_t textwindow = 0;
constexpr int64_t monthsperyear = 12;

// The labels of the date lines, as the program prints them once a date is accepted: the label,
// the normalised date, a blank and the weekday in brackets.
constexpr std::string_view birthlabel = "Geburtsdatum   : ";
constexpr std::string_view forecastlabel = "Vorhersagedatum: ";

// The date of the line that starts with label and goes on with " (", empty when there is none.
std::string printeddate(const std::vector<std::string>& lines, std::string_view label) {
    for (const std::string& line : lines) {
        const size_t end = line.find(" (", label.size());
        if (line.starts_with(label) && end != std::string::npos) {
            return line.substr(label.size(), end - label.size());
        }
    }
    return {};
}

std::vector<std::string> screenlines() {
    const std::string screen = t_GetScreen(textwindow, "\r");
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t end; (end = screen.find('\r', begin)) != std::string::npos; begin = end + 1) {
        lines.push_back(screen.substr(begin, end - begin));
    }
    lines.push_back(screen.substr(begin));
    return lines;
}

} // namespace

std::string movedbymonths(const std::string& date, int64_t months) {
    const DateParts d = splitdate(date);
    const int64_t first = 1, last = maxyear;
    if (d.year < first || d.year > last || std::abs(months) > (last - first + 1) * monthsperyear) {
        return {};
    }
    // Months counted from January of year 0, so that division and remainder need no sign care.
    const int64_t count = d.year * monthsperyear + (d.month - 1) + months;
    const int64_t year = count / monthsperyear, month = count % monthsperyear + 1;
    if (count < 0 || year < first || year > last) {
        return {};
    }
    return normaliseddate(std::min(d.day, daysinmonth(month, year)), month, year);
}

std::string keysforanothermonth(const std::vector<std::string>& lines, int64_t step) {
    const std::string birth = printeddate(lines, birthlabel);
    const std::string forecast = movedbymonths(printeddate(lines, forecastlabel), step);
    if (birth.empty() || forecast.empty()) {
        return {};
    }
    return birth + "\r\x1a" + forecast + "\r";
}

void addmonthitems() {
    t_RerunMenuItem("Vorheriger Monat", t_MenuKeyLeft,
                    [] { return keysforanothermonth(screenlines(), -1); });
    t_RerunMenuItem("N\u00E4chster Monat", t_MenuKeyRight,
                    [] { return keysforanothermonth(screenlines(), 1); });
}
