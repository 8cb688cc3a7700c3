#pragma once
// The proleptic Gregorian calendar: month lengths, day numbers and weekdays.
//
// A day number counts days from 1 January of year 1 (day number 0). The count shown to the user
// as days after the birth of Christ is the day number plus 3.
#include <cstdint>
#include <string>
#include <string_view>

bool isleapyear(int64_t year);

// Days of the month; 0 for a month outside 1 … 12 or a year below 1.
int64_t daysinmonth(int64_t month, int64_t year);

// Day number of a valid date. Arguments outside the calendar give a value without meaning, held
// inside 64 bits.
int64_t daynumber(int64_t day, int64_t month, int64_t year);

// The normalised date text of a day number (the inverse of daynumber for every valid date).
std::string datefromdaynumber(int64_t number);

// Weekday index of a date text with non-zero day, month and year: 0 Sunday, 1 Monday … 6 Saturday.
int64_t weekday(std::string_view date);

// German name of a weekday index; 7 is Sunday too, every other value gives empty text.
std::string weekdayname(int64_t index);

// German name of a month 1 ... 12; every other value gives empty text.
std::string monthname(int64_t month);
