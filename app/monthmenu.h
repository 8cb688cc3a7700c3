#pragma once
// "Vorheriger Monat" and "Nächster Monat" in the application menu: once the chart is drawn, the
// program runs again with the same birth date and the forecast date a month earlier or later,
// typed for the user. The dates are read back from the finished text window, where the program
// printed them; the program itself knows nothing of the items.
#include <cstdint>
#include <string>
#include <vector>

// The normalised date months after date (before, for a negative count) on the same day, or on the
// month's last day where that month is shorter; empty outside the years 1 ... maxyear.
std::string movedbymonths(const std::string& date, int64_t months);

// The keys that chart the month step months away from the one of the finished screen (its lines):
// the birth date, Return, Control-Z (clearing the preset), the moved forecast date, Return.
// Empty when the screen holds no finished date lines or the date cannot be moved.
std::string keysforanothermonth(const std::vector<std::string>& lines, int64_t step);

// Adds the two items to the application menu; before t_RunApplication.
void addmonthitems();
