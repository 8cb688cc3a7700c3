#include "app/datetext.h"

#include "app/calendar.h"
#include "app/dateformat.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr int64_t int64max = std::numeric_limits<int64_t>::max();
constexpr int64_t int64min = std::numeric_limits<int64_t>::min();

void skipblanks(std::string_view text, size_t& i) {
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
}

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

// Leading blanks, an optional "-" that blanks may follow, then decimal digits; no digit reads as 0.
int64_t lenientinteger(std::string_view text) {
    size_t i = 0;
    skipblanks(text, i);
    const bool negative = i < text.size() && text[i] == '-';
    if (negative) {
        ++i;
        skipblanks(text, i);
    }
    // Accumulate toward the sign's side so that the most negative value is reachable, and stop
    // at the limit instead of wrapping.
    int64_t value = 0;
    for (; i < text.size() && isdigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (negative) {
            value = value < (int64min + digit) / 10 ? int64min : value * 10 - digit;
        } else {
            value = value > (int64max - digit) / 10 ? int64max : value * 10 + digit;
        }
    }
    return value;
}

std::vector<std::string_view> splitatdots(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', start)) {
        pieces.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

} // namespace

DateParts splitdate(std::string_view text) {
    const std::string padded = std::string(text) + "...";
    const auto pieces = splitatdots(padded);
    return {lenientinteger(pieces[0]), lenientinteger(pieces[1]), lenientinteger(pieces[2])};
}

std::string checkdate(std::string_view text) {
    std::string dotted(text);
    std::replace(dotted.begin(), dotted.end(), ',', '.');
    DateParts date = splitdate(dotted);
    const DateParts today = splitdate(todaytext());
    if (date.day == 0) {
        date.day = today.day;
    }
    if (date.month == 0) {
        date.month = today.month;
    }
    if (date.year == 0) {
        date.year = today.year;
    }
    const bool valid = date.day > 0 && date.year >= 1 && date.year <= maxyear && date.month >= 1 &&
                       date.month <= 12 && date.day <= daysinmonth(date.month, date.year);
    return valid ? normaliseddate(date.day, date.month, date.year) : std::string();
}
