#include "app/dateformat.h"

#include "quorvinthal/toolkit.h"

namespace {

constexpr int64_t longestfill = 32767;

std::string groupthousands(const std::string& digits) {
    std::string grouped;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += digits[i];
    }
    return grouped;
}

// The UTF-8 text of a fill character; empty for a value that is no Unicode scalar.
std::string fillcharacter(int64_t scalar) {
    const std::string character = t_Chr(scalar);
    return scalar != 0 && character == std::string(1, '\0') ? std::string() : character;
}

// Last two characters of "0" followed by n; these texts are ASCII, so bytes are characters.
std::string twodigits(int64_t n) {
    std::string text = "0";
    text += std::to_string(n);
    return text.substr(text.size() - 2);
}

} // namespace

std::string formatnumber(int64_t value, int64_t fill, int64_t width, bool grouping) {
    // The magnitude in unsigned arithmetic, so that the most negative value has digits too.
    const uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (grouping) {
        digits = groupthousands(digits);
    }
    std::string text = (value < 0 ? "-" : "") + digits;
    const int64_t missing = width - static_cast<int64_t>(text.size());
    const std::string fillwith = fillcharacter(fill);
    if (missing <= 0 || width > longestfill || fillwith.empty()) {
        return text;
    }
    std::string padded;
    padded.reserve(static_cast<size_t>(missing) * fillwith.size() + text.size());
    for (int64_t i = 0; i < missing; ++i) {
        padded += fillwith;
    }
    return padded + text;
}

std::string formatdatetime(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                           int64_t second) {
    auto two = [](int64_t n) { return formatnumber(n, '0', 2, false); };
    return two(day) + "." + two(month) + "." + formatnumber(year, '0', 4, false) + " " + two(hour) +
           ":" + two(minute) + ":" + two(second);
}

std::string datetimestring() {
    const t_DateTime now = t_LocalDateTime();
    return formatdatetime(now.Year, now.Month, now.Day, now.Hour, now.Minute, now.Second);
}

std::string normaliseddate(int64_t day, int64_t month, int64_t year) {
    return twodigits(day) + "." + twodigits(month) + "." + std::to_string(year);
}

// The date-time text is ASCII, so its first ten bytes are its first ten characters.
std::string todaytext() {
    return datetimestring().substr(0, 10);
}
