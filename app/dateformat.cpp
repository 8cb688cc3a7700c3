#include "app/dateformat.h"

#include "app/localclock.h"

#include <utf8proc.h>

namespace {

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

std::string encodescalar(int64_t scalar) {
    if (scalar < 0 || scalar > 0x10FFFF ||
        !utf8proc_codepoint_valid(static_cast<int32_t>(scalar))) {
        return {};
    }
    utf8proc_uint8_t bytes[4];
    auto length = utf8proc_encode_char(static_cast<utf8proc_int32_t>(scalar), bytes);
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
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
    const std::string fillcharacter = encodescalar(fill);
    if (missing <= 0 || fillcharacter.empty()) {
        return text;
    }
    std::string padded;
    padded.reserve(static_cast<size_t>(missing) * fillcharacter.size() + text.size());
    for (int64_t i = 0; i < missing; ++i) {
        padded += fillcharacter;
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
    const LocalDateTime now = localnow();
    return formatdatetime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

std::string normaliseddate(int64_t day, int64_t month, int64_t year) {
    return twodigits(day) + "." + twodigits(month) + "." + std::to_string(year);
}

// The date-time text is ASCII, so its first ten bytes are its first ten characters.
std::string todaytext() {
    return datetimestring().substr(0, 10);
}
