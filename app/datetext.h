#pragma once
// Reading and checking dates typed as day.month.year.
#include <cstdint>
#include <string>
#include <string_view>

struct DateParts {
    int64_t day = 0;
    int64_t month = 0;
    int64_t year = 0;
    bool operator==(const DateParts&) const = default;
};

// The largest year a date may have: every date up to it keeps its day numbers, the displayed day
// count and the differences of two of them far inside 64 bits.
constexpr int64_t maxyear = 9'999'999'999;

// Day, month and year of a dotted text, read leniently: missing, blank or non-numeric pieces are 0,
// reading stops at the first non-digit, and a number too large for 64 bits is held at the limit.
DateParts splitdate(std::string_view text);

// The normalised date of a typed text ("," counts as "."), with every part that reads as 0 taken
// from today; empty text when there is no such date.
std::string checkdate(std::string_view text);
